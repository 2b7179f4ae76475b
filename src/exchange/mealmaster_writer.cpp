#include "exchange/mealmaster_writer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "exchange/export_run.h"
#include "exchange/import_driver.h"
#include "exchange/import_fields.h"
#include "exchange/text_export_blocks.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/text_tools.h"

namespace tav {

namespace {

bool IsHeadingOrNote(const REZZUTAT& z) {
  return (!z.text.empty() && z.text[0] == '*') || IsDescriptionLine(z);
}

// Every unit goes out under a code of Meal-Master's own list, which is all a Meal-Master reader
// knows: at the first other code it stops reading ingredients. A unit without such a code goes
// out by its name at the front of the text (named in the log), and so does an amount that not
// even rounded fits the seven amount columns, with its unit.
void ToMealMasterColumns(ExportRun& run, REZBLOCK& recipe) {
  std::vector<std::string> named;
  for (REZZUTAT& z : recipe.lines) {
    if (IsHeadingOrNote(z)) continue;
    // "3 EL - davon abteilen": a dash in the text column would mark a description line.
    if (!z.text.empty() && z.text[0] == '-') DropDashesOfIngredient(z.text);
    FractionCharToText(z.amount);
    std::string unit = z.unit;
    if (!unit.empty() && unit[0] == ' ') unit = unit.substr(1, 1);
    std::string code = ctx().units ? ctx().units->MealMasterCodeFor(unit)
                                   : (IsMealMasterCode(unit) ? unit : std::string());
    if (!FitAmount(z.amount, 7)) {
      PutBeforeText(z, {z.amount, UnitWord(unit, z.amount)});
      z.amount.clear();
      code.clear();
    } else if (!unit.empty() && code.empty()) {
      PutBeforeText(z, {UnitWord(unit, z.amount)});
      if (std::find(named.begin(), named.end(), unit) == named.end()) named.push_back(unit);
    }
    z.unit = code;
  }
  if (named.empty()) return;
  std::string list;
  for (const std::string& unit : named) list += (list.empty() ? "" : ", ") + unit;
  run.AddLogLine(GetLangText(148) + recipe.title + "':");
  run.AddLogLine(GetLangText(147));
  run.AddLogLine("  (" + list + ")");
  run.AddLogLine(GetLangText(1002));
  run.ProgressShown = false;
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
  if (IsDescriptionLine(z)) {
    text = z.text.substr(1);
    std::string line = kContinuation + NextPiece(text, at, kContinuedText);
    continuation();
    return line;
  }
  std::string line = MealMasterAmountColumn(z.amount);
  const std::string& unit = z.unit;  // a code of Meal-Master's list (ToMealMasterColumns)
  line += unit;
  line.append(unit.size() < 2 ? 2 - unit.size() : 0, ' ');
  line += ' ';
  if (z.notOnShoppingList) line += "; ";
  const size_t width = kTextColumn - (z.notOnShoppingList ? 2 : 0);
  std::string first = NextPiece(text, at, width);
  if (GuardedStartLine(first)) {
    // The line would start a recipe ("MMMMM----- Meal-Master Zutat"): its text goes behind
    // "> ", which the reader drops, and a text that ends its start line only past the guard's
    // width breaks before that word instead.
    at = 0;
    first = NextPiece(text, at, width - 2);
    if (GuardedStartLine(first)) first.insert(0, "> ");
  }
  line += first;
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

  ToMealMasterColumns(run, recipe);
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
