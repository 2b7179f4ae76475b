#include "exchange/text_export_blocks.h"

#include <vector>

#include "exchange/export_run.h"
#include "exchange/import_driver.h"
#include "exchange/import_fields.h"
#include "exchange/mealmaster_reader.h"
#include "exchange/rezkonv_reader.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/servings.h"
#include "recipedb/unit_table.h"
#include "recipes/key_figure_choice.h"
#include "recipes/key_figures.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "services/tools_module.h"

namespace tav {

namespace {

void MaybeTransliterate(std::string& text, bool transliterate) {
  if (transliterate) TransliterateUmlauts(text);
}

}  // namespace

std::string ExportVersion() {
  std::string version;
  if (ctx().tools) ctx().tools->GetVersionString(version);
  return version;
}

std::string CharRun(char c, int n) {
  return std::string(n > 0 ? static_cast<size_t>(n) : 0, c);
}

void PadTo(std::string& line, char c, size_t width) {
  if (line.size() < width) line.append(width - line.size(), c);
}

int ExportWrapWidth() {
  const int width = ctx().options ? ctx().options->Int(29) : 70;
  return width < 1 ? 1 : width;
}

std::string HeadCategoryNames(ExportRun& run, const REZBLOCK& recipe) {
  std::string names;
  int taken = 0;
  bool logged = false;
  for (int slot = 0; slot < 6; ++slot) {
    const uint16_t id = recipe.categories[slot];
    std::string name;
    if (id == 0 || !ctx().categories || !ctx().categories->GetGattName(id, name)) continue;
    if (taken == 5) {
      if (!logged) {
        run.AddLogLine(GetLangText(852) + recipe.title + "':");
        run.AddLogLine(GetLangText(146));
        run.ProgressShown = false;
        logged = true;
      }
      continue;
    }
    if (taken++ > 0) names += ", ";
    names += name;
  }
  if (taken > 0) return names;
  for (size_t at = 0; at < recipe.hint.size();) {
    size_t end = recipe.hint.find_first_of(",;", at);
    if (end == std::string::npos) end = recipe.hint.size();
    const std::string_view word = StripBlanks(std::string_view(recipe.hint).substr(at, end - at));
    if (!word.empty()) {
      if (!names.empty()) names += ", ";
      names += word;
    }
    at = end + 1;
  }
  return names;
}

void KeepOffEndLine(const ExportRun& run, std::string& line) {
  bool end;
  if (run.Format == kFormatMealMaster) {
    end = line.size() < 10 && (line.starts_with("MMMMM") || line.starts_with("-----"));
  } else {
    const size_t last = line.find_last_not_of(' ');
    end = last != std::string::npos && line.compare(0, last + 1, "=====") == 0;
  }
  if (end) line.insert(0, 1, ' ');
}

void KeepOffStartLine(std::string& line) {
  if (GuardedStartLine(line)) line.insert(0, "> ");
}

bool IsDescriptionLine(const REZZUTAT& line) {
  return !line.text.empty() && line.text[0] == '-' && line.amount.empty() && line.unit.empty();
}

bool FitAmount(std::string& amount, size_t width) {
  std::string rounded = RoundLongDecimals(amount);
  if (amount.size() <= width && rounded == amount) return true;
  double value = 0;
  if (ReadAmountValue(amount, value)) {
    std::string cook = CookAmount(value);
    if (cook.size() <= width) {
      amount = std::move(cook);
      return true;
    }
  }
  amount = std::move(rounded);  // a range, words, a number too wide: two decimals at most
  return amount.size() <= width;
}

std::string UnitWord(const std::string& code, const std::string& amount) {
  double value = 0;
  const bool plural = ReadAmountValue(amount, value) && value > 1;
  std::string word;
  if (ctx().units) ctx().units->GetUnitName(code, plural, word);
  return word.empty() ? code : word;
}

void PutBeforeText(REZZUTAT& line, std::initializer_list<std::string> words) {
  std::string text;
  for (const std::string& word : words) {
    if (word.empty()) continue;
    text += word;
    text += ' ';
  }
  line.text = text + line.text;
  while (!line.text.empty() && line.text.back() == ' ') line.text.pop_back();
}

namespace {

// The first line after the ingredients made to read as text (WriteTextAndEnd).
void KeepOffIngredients(uint8_t format, std::string& line) {
  IngredientShape shape = MealMasterIngredientShape;
  if (format != kFormatMealMaster) {
    shape = RezKonvIngredientShape;
    // "=====" would be the end line: a line of "=" signs keeps the blanks before it.
    const size_t text = line.find_first_not_of(' ');
    if (line[text] != '=') line.erase(0, text);
  }
  if (!GuardedStartLine(line, shape)) return;
  if (format == kFormatMealMaster && line[0] != ' ') {
    for (const char* blanks : {" ", "  "}) {
      if (GuardedStartLine(blanks + line, shape)) continue;
      line.insert(0, blanks);
      return;
    }
  }
  line.insert(0, "> ");
}

// The lines after the ingredients; the first one written is made to read as text.
class TextPart {
 public:
  TextPart(ExportRun& run, bool transliterate) : run_(run), transliterate_(transliterate) {}

  // A line of the text or of a remark: kept off the start and end lines of the readers.
  void TextLine(std::string line, bool data) {
    MaybeTransliterate(line, transliterate_);
    KeepOffEndLine(run_, line);
    Put(line, data, true);
  }
  void Line(std::string line, bool data) {
    MaybeTransliterate(line, transliterate_);
    Put(line, data, false);
  }
  void Empty() { run_.PutLine(""); }
  // A text to be wrapped, transliterated first as the format asks, so that it wraps as written.
  std::string Prepared(const std::string& text) const {
    std::string copy = text;
    MaybeTransliterate(copy, transliterate_);
    return copy;
  }

 private:
  // The first line with more than blanks is guarded as the readers expect it (a start line
  // among others); a later text line only when it reads as a start line.
  void Put(std::string& line, bool data, bool text) {
    if (data && run_.NoExpInfo && !line.empty() && line[0] == ':') return;  // dropped
    if (!begun_ && line.find_first_not_of(' ') != std::string::npos) {
      begun_ = true;
      KeepOffIngredients(run_.Format, line);
    } else if (text) {
      KeepOffStartLine(line);
    }
    run_.PutExportLine(line);
  }

  ExportRun& run_;
  bool transliterate_;
  bool begun_ = false;
};

// The keywords one a line: "," and ";" end a keyword (an empty one too), blanks after them are
// skipped.
void WriteKeywords(TextPart& out, const std::string& hint, const std::string& head) {
  std::string line;
  size_t i = 0;
  while (i < hint.size()) {
    const char c = hint[i++];
    if (c == ',' || c == ';') {
      out.Line(line, true);
      line.clear();
      while (i < hint.size() && hint[i] == ' ') ++i;
      continue;
    }
    if (line.empty()) line = head;
    line += c;
  }
  if (!line.empty()) out.Line(line, true);
}

bool IsExtraFigure(int32_t id) {
  switch (id) {
    case kFigureKeywords:
    case kFigureCosts:
    case kFigureSource:
    case kFigureTotalTime:
    case kFigurePrepTime:
    case kFigureCookTime:
    case kFigureQuality:
    case kFigureDifficulty:
    case kFigureBookName:
      return true;
    default:
      return false;
  }
}

// The lines of one key figure; true when it wrote any.
bool WriteFigure(TextPart& out, const REZBLOCK& recipe, const PARA_SHOWDATA& figure, int width) {
  const std::string head =
      ":" + (figure.altText.empty() ? figure.displayName : figure.altText) + ": ";
  auto one = [&](const std::string& value) {
    out.Line(head + value, true);
    return true;
  };
  auto ifSet = [&](const std::string& value) { return !value.empty() && one(value); };
  auto cut = [&](const std::string& value) {
    if (value.empty()) return false;
    std::string line = head + value;
    if (line.size() > static_cast<size_t>(width)) line.resize(static_cast<size_t>(width));
    out.Line(line, true);
    return true;
  };
  // Who and when are cut at the line width; the other plain figures go out whole.
  if (const std::string* field = KeyFigureField(recipe, figure.figureId))
    return IsBylineFigure(figure.figureId) ? cut(*field) : ifSet(*field);
  switch (figure.figureId) {
    case kFigureNutrient: {
      std::string value;
      if (!GetNutrientText(recipe, figure.stoffCode, value)) return false;
      NutrientPerServing(recipe, value);
      return one(value);
    }
    case kFigureKeywords:
      if (recipe.hint.empty()) return false;
      WriteKeywords(out, recipe.hint, head);
      return true;
    case kFigureSource: {
      if (recipe.source.empty()) return false;
      std::vector<std::string> pieces;
      WrapText(recipe.source, pieces, 0, static_cast<unsigned>(width > 20 ? width - 19 : 1));
      for (const std::string& piece : pieces) one(piece);
      return true;
    }
    case kFigureRecipeId:
      if (recipe.recipeIdLow == 0) return false;
      return one(std::to_string(recipe.recipeIdHigh) + "," + std::to_string(recipe.recipeIdLow) +
                 ",Tavolin");
    case kFigureEnergy: {
      std::string value;
      return GetEnergyPerServing(recipe, value) && one(value);
    }
    case kFigureQuality:
      return ifSet(RatingText(true, recipe.quality));
    case kFigureDifficulty:
      return ifSet(RatingText(false, recipe.difficulty));
    case kFigureBookName:
      return ctx().books && ifSet(ctx().books->GetKBookName(static_cast<int16_t>(recipe.bookId)));
    default:  // servings and categories stand in the head, remarks in their blocks
      return false;
  }
}

void WritePreparationText(TextPart& out, const std::string& text, int width) {
  std::vector<std::string> lines;
  WrapText(out.Prepared(text), lines, 0, static_cast<unsigned>(width));
  bool lastEmpty = false;
  for (std::string& line : lines) {
    const bool empty = line.empty();
    if (!(empty && lastEmpty)) out.TextLine(std::move(line), true);
    lastEmpty = empty;
  }
}

void WriteRemarkBlocks(ExportRun& run, TextPart& out, const REZBLOCK& recipe, int width) {
  if (recipe.remarks.empty() || !run.keyFigures) return;
  const int mode = run.keyFigures->GetRemarkShowMode(kKeyFiguresText);
  const std::string user = ctx().options ? ctx().options->Str(10) : std::string();
  bool wrote = false;
  std::vector<std::string> lines;
  for (const REZREMARK* remark : ShownRemarks(recipe, mode, user)) {
    out.Empty();
    out.Line("  " + remark->author + ":", false);
    lines.clear();
    WrapText(out.Prepared(remark->text), lines, 0, static_cast<unsigned>(width));
    for (std::string& line : lines) out.TextLine(std::move(line), false);
    wrote = wrote || !lines.empty();
  }
  if (wrote) out.Empty();
}

bool WriteKeyFigureBlock(ExportRun& run, TextPart& out, const REZBLOCK& recipe, int width) {
  if (run.NoExpInfo) return false;
  out.Empty();
  if (!run.keyFigures) return false;
  bool extra = false;
  for (const PARA_SHOWDATA& figure : run.keyFigures->keyFigures) {
    if (figure.outputKind != kKeyFiguresText) continue;
    if (WriteFigure(out, recipe, figure, width) && IsExtraFigure(figure.figureId)) extra = true;
  }
  return extra;
}

}  // namespace

void WriteTextAndEnd(ExportRun& run, const REZBLOCK& recipe, bool transliterate,
                     const char* endLine) {
  const int width = ExportWrapWidth();
  TextPart out(run, transliterate);
  out.Empty();
  WritePreparationText(out, recipe.text, width);
  WriteRemarkBlocks(run, out, recipe, width);
  const bool extra = WriteKeyFigureBlock(run, out, recipe, width);
  out.Empty();
  if (extra) out.Empty();
  run.PutLine(endLine);
}

}  // namespace tav
