#include "exchange/rezkonv_writer.h"

#include <string>
#include <vector>

#include "exchange/export_run.h"
#include "exchange/text_export_blocks.h"
#include "platform/numbers.h"
#include "services/amounts.h"
#include "services/text_tools.h"

namespace tav {

namespace {

std::string IngredientLine(REZZUTAT& z) {
  if (!z.text.empty() && z.text[0] == '*') {
    const std::string framed = " " + z.text.substr(1) + " ";
    std::string line = "======" + CharRun('=', 29 - static_cast<int>(framed.size()) / 2) + framed;
    PadTo(line, '=', 69);
    return line;
  }
  if (!z.text.empty() && z.text[0] == '-') return CharRun(' ', 19) + "- " + z.text.substr(1);
  FractionCharToText(z.amount);
  std::string value = z.amount;
  MixedFractionToDecimal(value);
  ConvertUnitName(z.unit, ReadNumber(value), false);
  std::string line = CharRun(' ', 7 - static_cast<int>(z.amount.size())) + z.amount + ' ';
  // The unit ends in column 17; a closing '.' stands in column 18 in place of the blank.
  const bool dotted = !z.unit.empty() && z.unit.back() == '.';
  line += CharRun(' ', 9 - (static_cast<int>(z.unit.size()) - (dotted ? 1 : 0))) + z.unit;
  if (line.back() != '.') line += ' ';
  line += ' ';
  if (z.notOnShoppingList) line += "; ";
  return line + z.text;
}

void WriteSourceBlock(ExportRun& run, const REZBLOCK& recipe) {
  if (recipe.source.empty() && recipe.createdBy.empty()) return;
  std::vector<std::string> entries;
  WrapText(recipe.source, entries, 0, 60);
  if (!recipe.createdDate.empty()) {
    entries.push_back("- Erfasst am " + recipe.createdDate +
                      (recipe.createdBy.empty() ? "" : " von"));
    if (!recipe.createdBy.empty()) entries.push_back("- " + recipe.createdBy);
  }
  if (entries.empty()) return;
  run.PutLine("");
  std::string header = "======" + CharRun('=', 23) + " QUELLE ";
  PadTo(header, '=', 69);
  run.PutExportLine(header);
  for (const std::string& entry : entries) run.PutLine(CharRun(' ', 11) + entry);
}

}  // namespace

void WriteRezKonv(ExportRun& run, REZBLOCK& recipe) {
  run.PutLine("========== 'Tavolin V" + ExportVersion() + "' nach REZKONV");
  run.PutLine("");
  run.PutLine("     Titel: " + recipe.title);
  run.PutLine("Kategorien: " + HeadCategoryNames(run, recipe));
  run.PutLine("     Menge: " + std::to_string(recipe.servings == 0 ? 1 : recipe.servings) + " " +
              recipe.servingType);
  run.PutLine("");
  for (REZZUTAT& z : recipe.lines) {
    if (!z.text.empty() && z.text[0] == '*') run.PutLine("");
    std::string line = IngredientLine(z);
    run.PutExportLine(line);
  }
  WriteSourceBlock(run, recipe);
  WriteTextAndEnd(run, recipe, false, "=====");
}

}  // namespace tav
