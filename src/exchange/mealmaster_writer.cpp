#include "exchange/mealmaster_writer.h"

#include <string>
#include <vector>

#include "exchange/export_run.h"
#include "exchange/text_export_blocks.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/text_tools.h"

namespace tav {

namespace {

// Units Meal-Master lacks and texts cut to 28 characters, named in the log.
void ConvertUnits(ExportRun& run, REZBLOCK& recipe) {
  if (!ctx().units) return;
  std::string rejected, note;
  // Texts are not cut here: a long one goes on in continuation lines (IngredientLines).
  const bool left = ctx().units->ConvertToMealMasterUnits(recipe, rejected, false, note);
  if (left) {
    run.AddLogLine(GetLangText(148) + recipe.title + "':");
    run.AddLogLine(GetLangText(147));
    if (!rejected.empty()) run.AddLogLine("  (" + rejected + ")");
    run.AddLogLine(GetLangText(149));
    run.ProgressShown = false;
  }
  if (!note.empty()) {
    run.AddLogLine(GetLangText(148) + recipe.title + "':");
    run.AddLogLine(note);
    run.ProgressShown = false;
  }
}

// The text column holds 28 characters, 26 after the "; " of a line kept off the shopping list,
// so that a line never reaches column 40, where a reader looks for a second column.
constexpr size_t kTextColumn = 28;
// A continuation line: "- " in the text column and 26 characters, as a reader joins them.
constexpr size_t kContinuedText = 26;
const char* const kContinuation = "           - ";

// Takes the next piece of at most `width` characters from `text` at `at`, broken after a word
// where there is a blank; the blanks after it are passed over.
std::string NextPiece(const std::string& text, size_t& at, size_t width) {
  const size_t start = at;
  if (text.size() - start <= width) {
    at = text.size();
    return text.substr(start);
  }
  size_t end = start + width;
  while (end > start && text[end] != ' ') --end;
  if (end == start) end = start + width;  // one long word: cut inside it
  at = end;
  while (at < text.size() && text[at] == ' ') ++at;
  std::string piece = text.substr(start, end - start);
  while (!piece.empty() && piece.back() == ' ') piece.pop_back();
  return piece;
}

std::string IngredientLine(REZZUTAT& z, std::vector<std::string>& continued) {
  std::string text = z.text;
  if (!z.text.empty() && z.text[0] == '*') {
    const std::string heading = z.text.substr(1);
    std::string line = "MMMMM-" + CharRun('-', 26 - static_cast<int>(heading.size()) / 2) + heading;
    PadTo(line, '-', 66);
    return line;
  }
  size_t at = 0;
  auto continuation = [&] {
    while (at < text.size())
      continued.push_back(kContinuation + NextPiece(text, at, kContinuedText));
  };
  if (!z.text.empty() && z.text[0] == '-') {
    text = z.text.substr(1);
    std::string line = kContinuation + NextPiece(text, at, kContinuedText);
    continuation();
    return line;
  }
  FractionCharToText(z.amount);
  std::string line = MealMasterAmountColumn(z.amount);
  std::string unit = z.unit;
  if (!unit.empty() && unit[0] == ' ') unit = unit.substr(1, 1);
  // A unit Meal-Master has no code for and that does not fit its two columns goes before the
  // text: in the unit columns it would shift the line so that no reader takes it for one.
  if (unit.size() > 2) {
    text = unit + " " + text;
    unit.clear();
  }
  line += unit;
  line.append(unit.size() < 2 ? 2 - unit.size() : 0, ' ');
  line += ' ';
  if (z.notOnShoppingList) line += "; ";
  line += NextPiece(text, at, kTextColumn - (z.notOnShoppingList ? 2 : 0));
  continuation();
  return line;
}

void WriteSourceBlock(ExportRun& run, REZBLOCK& recipe) {
  if (recipe.source.empty() && recipe.createdBy.empty()) return;
  TransliterateUmlauts(recipe.source);
  std::vector<std::string> entries;
  WrapText(recipe.source, entries, 0, 26);
  if (!recipe.createdBy.empty())
    entries.push_back(("Erfasst von " + recipe.createdBy).substr(0, 26));
  if (entries.empty()) return;
  std::string header = "MMMMM-" + CharRun('-', 23) + "QUELLE";
  PadTo(header, '-', 66);
  run.PutExportLine(header);
  for (const std::string& entry : entries) run.PutLine(CharRun(' ', 11) + "- " + entry);
}

}  // namespace

std::string MealMasterAmountColumn(const std::string& amount) {
  std::string column = CharRun(' ', 7 - static_cast<int>(amount.size())) + amount + ' ';
  ReplaceChar(column, ',', '.');
  return column;
}

void WriteMealMaster(ExportRun& run, REZBLOCK& recipe) {
  run.PutLine("MMMMM----- 'Tavolin V" + ExportVersion() + "' nach Meal-Master");
  run.PutLine("");
  std::string line = "      Title: " + recipe.title;
  TransliterateUmlauts(line);
  run.PutExportLine(line);
  line = " Categories: " + HeadCategoryNames(run, recipe);
  TransliterateUmlauts(line);
  run.PutExportLine(line);
  line = "   Servings: " + std::to_string(recipe.servings == 0 ? 1 : recipe.servings) + " " +
         recipe.servingType;
  TransliterateUmlauts(line);
  run.PutExportLine(line);
  run.PutLine("");

  ConvertUnits(run, recipe);
  std::vector<std::string> continued;
  for (REZZUTAT& z : recipe.lines) {
    TransliterateUmlauts(z.text);
    continued.clear();
    line = IngredientLine(z, continued);
    run.PutExportLine(line);
    for (std::string& more : continued) run.PutExportLine(more);
  }
  WriteSourceBlock(run, recipe);
  WriteTextAndEnd(run, recipe, true, "MMMMM");
}

}  // namespace tav
