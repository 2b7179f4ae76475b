#include "exchange/readable_text_writer.h"

#include <string>
#include <vector>

#include "exchange/export_run.h"
#include "exchange/text_export_blocks.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipes/key_figure_choice.h"
#include "recipes/key_figures.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"

namespace tav {

namespace {

// printf's "%*s" and "%-*s": right- or left-aligned in `width` columns, never cut.
std::string Right(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}
std::string Left(const std::string& text, size_t width) {
  std::string out = text;
  PadTo(out, ' ', width);
  return out;
}

bool IsHeading(const REZZUTAT& line) {
  return !line.text.empty() && line.text[0] == '*';
}

// "%7s %2s %-27s" on the left, "%7s %2s %s" on the right; a description line "-x" is eleven
// blanks and x filled to 27 columns on either side.
std::string Item(const REZZUTAT& line, bool left) {
  if (!line.text.empty() && line.text[0] == '-')
    return std::string(11, ' ') + Left(line.text.substr(1), 27);
  std::string amount = line.amount;
  FitAmount(amount, 7);  // float noise of an old conversion rounded into its column
  std::string item = Right(amount, 7) + " " + Right(line.unit, 2) + " ";
  item += left ? Left(line.text, 27) : line.text;
  return item;
}

void WriteIngredients(ExportRun& run, const std::vector<REZZUTAT>& lines) {
  size_t i = 0;
  while (i < lines.size()) {
    if (IsHeading(lines[i])) {
      if (i > 0) run.PutLine("");
      run.PutLine(" " + UpperCaseAnsi(std::string_view(lines[i].text).substr(1)));
      ++i;
      continue;
    }
    size_t end = i;
    while (end < lines.size() && !IsHeading(lines[end])) ++end;
    const size_t k = end - i;
    const size_t h = (k + 1) / 2;
    for (size_t r = 0; r < h; ++r)
      run.PutLine(ReadableIngredientRow(lines[i + r], r + h < k ? &lines[i + r + h] : nullptr));
    i = end;
  }
}

std::string Label(const PARA_SHOWDATA& figure) {
  return figure.altText.empty() ? figure.displayName : figure.altText;
}

void WriteCategories(ExportRun& run, const REZBLOCK& recipe, const std::string& label) {
  std::vector<std::string> names;
  for (uint16_t id : recipe.categories) {
    std::string name;
    // An id without a main category adds nothing.
    if (id != 0 && ctx().categories && ctx().categories->GetGattName(id, name))
      names.push_back(name);
  }
  for (size_t first = 0; first < names.size(); first += 5) {
    std::string line = first == 0 ? ":" + label + ": " : std::string(label.size(), ' ');
    for (size_t n = first; n < names.size() && n < first + 5; ++n) {
      if (n > first) line += ", ";
      line += names[n];
    }
    run.PutLine(line);
  }
}

void WriteFigure(ExportRun& run, const REZBLOCK& recipe, const PARA_SHOWDATA& figure) {
  const std::string label = Label(figure);
  const std::string head = ":" + label + ": ";
  auto data = [&](const std::string& value) { run.PutDataLine(head + value); };
  auto ifSet = [&](const std::string& value) {
    if (!value.empty()) data(value);
  };
  if (const std::string* field = KeyFigureField(recipe, figure.figureId)) return ifSet(*field);
  switch (figure.figureId) {
    case kFigureNutrient: {
      std::string value;
      if (!GetNutrientText(recipe, figure.stoffCode, value)) return;
      NutrientPerServing(recipe, value);
      data(value);
      return;
    }
    case kFigureServings:
      run.PutLine(head + std::to_string(recipe.servings) + " " + recipe.servingType);
      return;
    case kFigureCategories:
      WriteCategories(run, recipe, label);
      return;
    case kFigureKeywords:
      ifSet(recipe.hint);
      return;
    case kFigureSource: {
      std::vector<std::string> pieces;
      WrapText(recipe.source, pieces, 0, 60);
      for (size_t i = 0; i < pieces.size(); ++i)
        run.PutDataLine(i == 0 ? head + pieces[i]
                               : ":" + std::string(label.size() + 2, ' ') + pieces[i]);
      return;
    }
    case kFigureRecipeId:
      if (recipe.recipeIdLow != 0)
        data(std::to_string(recipe.recipeIdHigh) + "," + std::to_string(recipe.recipeIdLow) +
             ",Tavolin");
      return;
    case kFigureEnergy: {
      std::string value;
      if (GetEnergyPerServing(recipe, value)) data(value);
      return;
    }
    case kFigureQuality:
      ifSet(RatingText(true, recipe.quality));
      return;
    case kFigureDifficulty:
      ifSet(RatingText(false, recipe.difficulty));
      return;
    case kFigureBookName:
      if (ctx().books) ifSet(ctx().books->GetKBookName(recipe.bookId));
      return;
    default:  // the remarks have their own block
      return;
  }
}

void WriteRemarks(ExportRun& run, const REZBLOCK& recipe, int width) {
  if (!run.keyFigures || recipe.remarks.empty()) return;
  const int mode = run.keyFigures->GetRemarkShowMode(kKeyFiguresText);
  const std::string user = ctx().options ? ctx().options->Str(10) : std::string();
  std::vector<std::string> lines;
  for (const REZREMARK* remark : ShownRemarks(recipe, mode, user)) {
    run.PutLine("");
    run.PutLine("   " + remark->author + ":");
    lines.clear();
    WrapText(remark->text, lines, 0, static_cast<unsigned>(width));
    for (std::string& line : lines) run.PutExportLine(line);
  }
}

}  // namespace

std::string ReadableIngredientRow(const REZZUTAT& left, const REZZUTAT* right) {
  std::string row = Item(left, true);
  if (right) row += Item(*right, false);
  return row;
}

void WriteReadableText(ExportRun& run, const REZBLOCK& recipe) {
  const int width = ExportWrapWidth();
  run.PutLine("");
  run.PutLine(" " + recipe.title);
  run.PutLine("");
  WriteIngredients(run, recipe.lines);
  run.PutLine("");
  std::vector<std::string> text;
  WrapText(recipe.text, text, 0, static_cast<unsigned>(width));
  for (std::string& line : text) run.PutExportDataLine(line);
  WriteRemarks(run, recipe, width);
  run.PutLine("");
  if (run.keyFigures)
    for (const PARA_SHOWDATA& figure : run.keyFigures->keyFigures)
      if (figure.outputKind == kKeyFiguresText) WriteFigure(run, recipe, figure);
  run.PutLine("");
  if (run.ListExport) run.PutLine(std::string(76, '-'));
}

void WriteTextTrailer(ExportRun& run) {
  if (run.Format != kFormatText) return;
  if (ctx().options && ctx().options->Flag(36)) return;
  run.PutLine(GetLangText(129) + ExportVersion());
}

}  // namespace tav
