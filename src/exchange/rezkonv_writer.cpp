#include "exchange/rezkonv_writer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "exchange/export_run.h"
#include "exchange/import_fields.h"
#include "exchange/rezkonv_reader.h"
#include "exchange/text_export_blocks.h"
#include "platform/numbers.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/text_tools.h"
#include "services/tools_module.h"

namespace tav {

namespace {

// The RezKonv reader takes a line for an ingredient only when it begins with two blanks, so the
// amount, right-aligned in seven columns, may hold five characters.
constexpr size_t kAmountWidth = 5;

// An amount the reader reads whole from wherever it begins: digits, '.', ',', '/' and a range.
bool ReadWhole(const std::string& amount) {
  return !amount.empty() && IsDigit(amount[0]) &&
         amount.find_first_not_of("0123456789.,/-") == std::string::npos;
}

// The code an import makes of a unit code: a second spelling of factor 1 ("St") is its unit.
std::string ImportedCode(const std::string& code) {
  const REZEINHEIT* unit = ctx().units ? ctx().units->FindUnitByCode(code) : nullptr;
  return unit && !unit->fixed && unit->factor == "1" ? unit->target : code;
}

// The name under which a unit goes out: a form of RkKonvert.dat (singular for an amount of 1,
// plural otherwise) that the RezKonv reader and the import turn back into the same unit, of the
// unit's own code or of another spelling of it ("Stück" of "St" for "Sk", "Tasse" for "c"). `readable` is false when there
// is none; the name then is the word to put before the text: a form of the file, else the
// unit's name, else (when the reader would take its first word for another unit) the code.
std::string RezKonvUnitName(const std::string& code, const std::string& amount, bool& readable) {
  LoadUnitNameForms();
  std::string value = amount;
  MixedFractionToDecimal(value);
  const bool one = ReadNumber(value) == 1.0;
  std::string word;
  readable = false;
  const std::string unit = ImportedCode(code);
  if (ctx().tools) {
    for (const bool own : {true, false}) {
      for (const RKEINHEIT& form : ctx().tools->unitNameForms) {
        if (own ? form.canonical != code : ImportedCode(form.canonical) != unit) continue;
        std::string name = one ? form.singular : form.plural;
        if (word.empty()) word = name;
        std::string back = name;
        if (name.find(' ') == std::string::npos && ConvertUnitName(back, 0, true) &&
            ImportedCode(back) == unit) {
          readable = true;
          return name;
        }
      }
    }
  }
  if (word.empty()) word = UnitWord(code, amount);
  // The reader takes a first word it knows for a unit ("Pfund" of "Pfund (engl. lb)"): then the
  // code, which it does not know, stands for the unit.
  std::string first = word.substr(0, word.find(' '));
  return ConvertUnitName(first, 0, true) ? code : word;
}

std::string IngredientLine(REZZUTAT& z) {
  if (!z.text.empty() && z.text[0] == '*') {
    const std::string framed = " " + z.text.substr(1) + " ";
    std::string line = "======" + CharRun('=', 29 - static_cast<int>(framed.size()) / 2) + framed;
    PadTo(line, '=', 69);
    return line;
  }
  if (IsDescriptionLine(z)) return CharRun(' ', kRezKonvTextColumn) + "- " + z.text.substr(1);
  FractionCharToText(z.amount);
  z.unit = std::string(StripBlanks(z.unit));  // " c": an old code with a blank before it
  // Wider than its columns even rounded, a number begins two blanks in (the text moves right):
  // in the text column the reader would take it for text. Any other amount goes into the text.
  if (!FitAmount(z.amount, kAmountWidth) && !ReadWhole(z.amount)) {
    PutBeforeText(z, {z.amount, UnitWord(z.unit, z.amount)});
    z.amount.clear();
    z.unit.clear();
  } else if (!z.unit.empty()) {
    bool readable = false;
    const std::string name = RezKonvUnitName(z.unit, z.amount, readable);
    if (readable) {
      z.unit = name;
    } else {  // a name the reader would take for text goes there at once
      PutBeforeText(z, {name});
      z.unit.clear();
    }
  }
  std::string line = CharRun(' ', std::max(2, 7 - static_cast<int>(z.amount.size()))) +
                     z.amount + ' ';
  // The unit ends in column 17; a closing '.' stands in column 18 in place of the blank.
  const bool dotted = !z.unit.empty() && z.unit.back() == '.';
  line += CharRun(' ', 9 - (static_cast<int>(z.unit.size()) - (dotted ? 1 : 0))) + z.unit;
  if (line.back() != '.') line += ' ';
  line += ' ';
  if (z.notOnShoppingList) line += "; ";
  // A text that reads as a start line ("===== REZKONV Zutat") goes behind "> ", which the reader
  // drops; one that begins with a number stays in the text column, where the reader takes it
  // for text.
  std::string text = z.text;
  KeepOffStartLine(text);
  return line + text;
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
