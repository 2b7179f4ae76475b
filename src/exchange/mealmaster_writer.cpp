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
  const bool left = ctx().units->ConvertToMealMasterUnits(recipe, rejected, true, note);
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

std::string IngredientLine(REZZUTAT& z) {
  if (!z.text.empty() && z.text[0] == '*') {
    const std::string heading = z.text.substr(1);
    std::string line = "MMMMM-" + CharRun('-', 26 - static_cast<int>(heading.size()) / 2) + heading;
    PadTo(line, '-', 66);
    return line;
  }
  if (!z.text.empty() && z.text[0] == '-') return CharRun(' ', 11) + "- " + z.text.substr(1);
  FractionCharToText(z.amount);
  std::string line = MealMasterAmountColumn(z.amount);
  std::string unit = z.unit;
  if (!unit.empty() && unit[0] == ' ') unit = unit.substr(1, 1);
  line += unit;
  line.append(unit.size() < 2 ? 2 - unit.size() : 0, ' ');
  line += ' ';
  if (z.notOnShoppingList) line += "; ";
  return line + z.text;
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
  for (REZZUTAT& z : recipe.lines) {
    TransliterateUmlauts(z.text);
    line = IngredientLine(z);
    run.PutExportLine(line);
  }
  WriteSourceBlock(run, recipe);
  WriteTextAndEnd(run, recipe, true, "MMMMM");
}

}  // namespace tav
