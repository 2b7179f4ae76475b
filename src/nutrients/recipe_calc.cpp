#include "nutrients/recipe_calc.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "platform/services.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_store.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

int StoffCount() {
  return ctx().nutrients ? ctx().nutrients->GetStoffCount() : 0;
}
bool IsTextStoff(size_t i) {
  return ctx().nutrients && ctx().nutrients->IsTextStoff(int(i));
}
bool Flag(int id) {
  return ctx().options && ctx().options->Flag(id);
}
int Int(int id, int def) {
  int v = def;
  if (ctx().options) ctx().options->GetParaInt(id, &v);
  return v;
}

// The amount of an ingredient line as a number: fractions become decimals, a decimal comma a
// point; the leading number is read, 0 when there is none.
double AmountValue(std::string amount) {
  if (amount.find('/') != std::string::npos) {
    MixedFractionToDecimal(amount);
  } else if (amount.find(',') != std::string::npos) {
    NormalizeDecimalSep(amount, 1);
  }
  return ReadNumber(amount);
}

// The text up to the first '/' ("mg/100g" -> "mg").
std::string UnitWithoutBasis(const char* unit) {
  const char* slash = std::strchr(unit, '/');
  return slash ? std::string(unit, slash - unit) : std::string(unit);
}

}  // namespace

std::vector<int> NutrientsStoredWithRecipes() {
  std::vector<int> list;
  if (ctx().options && ctx().options->blsRezStoffeStored) {
    // The walk of the option list: each entry once, an entry 0 after the first ends it.
    std::set<int> seen;
    for (int e = ctx().options->GetFirstRezStoff(); e >= 0 && seen.insert(e).second;
         e = ctx().options->GetNextRezStoff(e)) {
      list.push_back(e);
      if (ctx().options->GetNextRezStoff(e) <= 0) break;
    }
    return list;
  }
  // Until the user chose in the options window: energy and the three main nutrients, which the
  // shipped key figures show beside a recipe.
  if (const NutrientTable* table = ctx().nutrients)
    for (const char* code : {"GCAL", "GJ", "ZE", "ZF", "ZK"})
      if (const int index = table->StoffIndexOfCode(code); index >= 0) list.push_back(index);
  return list;
}

bool IsUnscaledStoffIndex(size_t index) {
  return index == 138 || index == 139 || index == 144;
}

double RecipeCalc::GramsOf(const std::string& gramsText) {
  return ReadNumber(gramsText);
}

bool RecipeCalc::LoadRecipeForCalc(int16_t book, int32_t number) {
  bookId = book;
  recipeNumber = number;
  if (!ctx().dbList || !ctx().dbList->ReadRezBlockByKey(book, number, recipeCopy)) return false;
  BuildCalcLines(&recipeCopy);
  return true;
}

void RecipeCalc::LoadRecipeBlockForCalc(REZBLOCK* recipe) {
  bookId = -1;
  recipeNumber = -1;
  BuildCalcLines(recipe);
}

void RecipeCalc::BuildCalcLines(REZBLOCK* recipe) {
  calcRecipe = recipe;
  lines.clear();
  for (size_t i = 0; i < recipe->lines.size(); ++i) {
    const REZZUTAT& z = recipe->lines[i];
    if (!z.text.empty() && z.text[0] == '-') {
      // A description line belongs to the line above it; before any line it is dropped.
      if (!lines.empty()) {
        std::string& note = lines.back().note;
        if (!note.empty()) note += ", ";
        note += z.text.substr(1);
      }
      continue;
    }
    BLSCALC c;
    c.lineIndex = static_cast<int32_t>(i);
    c.amount = z.amount;
    c.unit = z.unit;
    c.blsCode = z.blsCode;
    c.gramsSetting = z.grams;
    c.isManual = z.grams > 0;
    if (c.isManual) c.manualGramsText = std::to_string(z.grams);
    c.isUnimportant = z.grams == -1;
    if (c.blsCode.empty() && ctx().ingredients) {
      std::string key;
      uint8_t notOnList = 0;
      if (ctx().ingredients->GetZutatBLSKey(z.text, key, notOnList)) c.blsCode = key;
    }
    if (!c.blsCode.empty() && ctx().foods) ctx().foods->FindBLSNameByKey(c.blsCode, &c.blsName);
    if (!z.text.empty() && z.text[0] == '*') {
      c.ingredient = z.text.substr(1);
      c.isHeading = true;
    } else {
      c.ingredient = z.text;
    }
    lines.push_back(std::move(c));
  }
}

void RecipeCalc::LoadLineFoods() {
  for (BLSCALC& c : lines) {
    c.food = LB_DATA();
    if (!c.blsCode.empty() && ctx().foods) ctx().foods->ReadBLSFood(c.blsCode, &c.food, false);
  }
  CalcRecipeNutrients();
}

void RecipeCalc::ConvertAmountToGrams(int line) {
  if (!ValidLine(line)) return;
  BLSCALC& c = lines[line];
  double weight = -1;
  c.isConverted = false;
  const double amount = AmountValue(c.amount);
  const std::string& u = c.unit;
  const auto convert = [&](double factor) {
    weight = amount * factor;
    c.isConverted = true;
  };
  if (u == "g" || u == "ml") {
    convert(1);
  } else if (u == "cl") {
    convert(10);
  } else if (u == "dl") {
    convert(100);
  } else if (u == "kg" || u == "l") {
    convert(1000);
  } else if (u == "EL" || u == "TL") {
    if (Flag(67)) convert(u == "EL" ? Int(68, 10) : Int(69, 5));
  } else if (u.empty() || u == "Pr" || u == "Sk" || u == "mi" || u == "gr" || u == "kl") {
    REZZUTATEN z;
    if (ctx().ingredients && ctx().ingredients->FindZutatForText(c.ingredient, z) == 1 &&
        z.pieceWeight > 0) {
      weight = (amount == 0 ? 1 : amount) * z.pieceWeight;
      c.isConverted = true;
    }
  }
  c.gramsText = weight == -1 ? "???" : FormatGeneral(weight);
  if (ReadNumber(c.manualGramsText) > 0) {
    c.gramsText = c.manualGramsText;
    c.isConverted = true;
  }
  if (c.isUnimportant) {
    c.gramsText = kUnimportantGrams;
    c.isConverted = true;
  }
}

void RecipeCalc::RecalcAllLines() {
  for (int i = 0; i < LineCount(); ++i) ConvertAmountToGrams(i);
  CalcRecipeNutrients();
  ShowCalcResult();
}

void RecipeCalc::CalcRecipeNutrients() {
  complete = true;
  for (BLSCALC& c : lines) {
    c.lineValueTexts.values.clear();
    c.lineValues.clear();
    const bool matters = !c.isHeading && !c.isUnimportant;
    if (matters && c.blsCode.empty()) complete = false;
    if (c.food.values.empty()) {
      // A food key whose food cannot be read leaves the line without values: the result
      // lacks that line, so it is not complete.
      if (matters && !c.blsCode.empty()) complete = false;
      continue;
    }
    const double grams = GramsOf(c.gramsText);
    if (grams == 0 && matters) complete = false;
    for (size_t j = 0; j < c.food.values.size(); ++j) {
      double v = ReadNumber(c.food.values[j]);
      if (!IsUnscaledStoffIndex(j)) v = v * 0.01 * grams;
      c.lineValues.push_back(v);
      c.lineValueTexts.values.push_back(FormatFixed(v, 2));
    }
  }
  const int count = StoffCount();
  if (count > 0) {
    totals.values.clear();
    perServing.values.clear();
    const int servings = calcRecipe ? calcRecipe->servings : 0;
    for (int j = 0; j < count; ++j) {
      double sum = 0;
      for (const BLSCALC& c : lines)
        if (static_cast<size_t>(j) < c.lineValues.size()) sum += c.lineValues[j];
      totals.values.push_back(FormatFixed(sum, 2));
      if (servings == 0) {
        perServing.values.push_back(FormatFixed(0, 2));
      } else {
        perServing.values.push_back(FormatFixed(IsUnscaledStoffIndex(j) ? sum : sum / servings, 2));
      }
    }
  }
  ShowCalcState();
}

void RecipeCalc::StoreNutrientSums() {
  if (!calcRecipe) return;
  REZBLOCK& recipe = *calcRecipe;
  NutrientTable* table = ctx().nutrients;
  if (complete) {
    std::vector<SUMSTOFF> sums;
    const auto add = [&](int index, const char* code) {
      SUMSTOFF s;
      const size_t n = std::min(std::strlen(code), sizeof s.code - 1);
      std::memcpy(s.code, code, n);
      s.index = index;
      sums.push_back(s);
    };
    for (const int e : NutrientsStoredWithRecipes()) {
      const ISTOFF* s = table ? table->StoffAt(e) : nullptr;
      add(e, s ? s->code : "");
    }
    const size_t chosen = sums.size();
    for (const REZSTOFFMENGE& m : recipe.nutrients) {
      const bool known = std::any_of(sums.begin(), sums.begin() + chosen, [&](const SUMSTOFF& s) {
        return std::strncmp(s.code, m.code, sizeof s.code) == 0;
      });
      if (!known) add(table ? table->StoffIndexOfCode(m.code) : -1, m.code);
    }
    for (const BLSCALC& c : lines)
      for (SUMSTOFF& s : sums)
        if (s.index >= 0 && static_cast<size_t>(s.index) < c.lineValues.size())
          s.sum += c.lineValues[s.index];
    recipe.nutrients.clear();
    for (const SUMSTOFF& s : sums) {
      REZSTOFFMENGE m;
      std::memcpy(m.code, s.code, sizeof m.code);
      m.value = FormatFixed(s.sum, 2);
      recipe.nutrients.push_back(m);
    }
  }
  if (recipe.lines.empty()) return;
  // Food keys and weight settings back into the ingredient lines, walking both side by side.
  size_t k = 0;
  for (REZZUTAT& z : recipe.lines) {
    const char first = z.text.empty() ? '\0' : z.text[0];
    if (first == '*' || first == '-') {
      z.blsCode.clear();
      z.grams = 0;
      if (first == '*') ++k;
      continue;
    }
    if (k < lines.size()) {
      z.blsCode = lines[k].blsCode;
      z.grams = lines[k].gramsSetting;
      ++k;
    }
  }
  if (recipeNumber == -1 || !ctx().dbList || !ctx().books) return;
  TdbList& store = *ctx().dbList;
  const std::string book = ctx().books->GetKBookName(bookId);
  int32_t offset = 0, length = 0;
  if (!store.WriteRezBlock(book, recipe, offset, length)) return;
  REZINDEX entry;
  if (!store.ReadIndexEntryByKey(bookId, recipeNumber, entry)) return;
  // The entry points at the new record before the old one is marked: a save cut short leaves
  // one live version.
  REZINDEX old = entry;
  entry.deleted = 0;
  entry.offset = offset;
  entry.length = length;
  if (!store.UpdateIndexEntryByKey(bookId, recipeNumber, entry)) return;
  old.deleted = 1;
  store.WriteRecordFlag(old, bookId, 0);
}

void RecipeCalc::HandEnergyToEditor() {
  if (recipeNumber != -1 || !calcRecipe) return;
  if (!complete) {
    MessageBox(GetLangText(316), GetLangText(2), MB_OK);
    return;
  }
  const size_t index = Flag(16) ? 5 : 4;
  double energy = 0;
  for (const BLSCALC& c : lines)
    if (index < c.lineValues.size()) energy += c.lineValues[index];
  if (energy != 0 && Flag(88) && calcRecipe->servings != 0) energy /= calcRecipe->servings;
  if (editorEnergy) editorEnergy(FormatFixed(energy, 0));
}

void RecipeCalc::BuildValueLine(const LB_DATA& source) {
  valueLine.clear();
  for (size_t i = 0; i < source.values.size(); ++i) {
    if (i > 0) valueLine += ';';
    valueLine += IsTextStoff(i) || !complete ? std::string("0") : source.values[i];
  }
}

void RecipeCalc::GetRecipeTotalLine(bool& calculated, double& energyKJ, std::string& line) {
  BuildValueLine(totals);
  calculated = complete;
  energyKJ = ReadNumber(perServing.Value(5));
  line = valueLine;
}

bool RecipeCalc::ScaleEntryToAmount(EntryValues entry, double amount, bool setComplete) {
  if (setComplete) complete = true;
  if (amount == 0) amount = entry.amount;
  // The whole line is split: a long line keeps all its values.
  FoodDatabase::SplitBLSRecord(entry.nutrientLine, &entry.parsedLine);
  const size_t count = std::min(entry.parsedLine.values.size(), static_cast<size_t>(StoffCount()));
  if (entry.baseAmount != 0) {
    for (size_t i = 0; i < count; ++i) {
      if (IsTextStoff(i)) continue;
      std::string& text = entry.parsedLine.values[i];
      size_t used = 0;
      const double v = ReadNumber(text, &used);
      // A field that holds no number (an empty one) stays as it is.
      if (used > 0) text = FormatFixed(amount * v / entry.baseAmount, 2);
    }
  }
  entry.amount = amount;
  entry.energyKJ = ReadNumber(entry.parsedLine.Value(5));
  return true;
}

void RecipeCalc::SetManualGrams(int line, const std::string& text) {
  if (!ValidLine(line)) return;
  BLSCALC& c = lines[line];
  c.manualGramsText = text;
  c.isUnimportant = false;
  c.gramsSetting = static_cast<int32_t>(ReadLong(text));
  if (c.gramsSetting < 0) c.gramsSetting = 0;  // never the "unimportant" mark
  c.isManual = c.gramsSetting >= 1;
  RecalcAllLines();
}

void RecipeCalc::SetUnimportant(int line) {
  if (!ValidLine(line)) return;
  BLSCALC& c = lines[line];
  c.isUnimportant = true;
  c.isManual = false;
  c.gramsSetting = -1;
  RecalcAllLines();
}

void RecipeCalc::SetAutomatic(int line) {
  if (!ValidLine(line)) return;
  BLSCALC& c = lines[line];
  c.isUnimportant = false;
  c.isManual = false;
  c.manualGramsText.clear();
  c.gramsSetting = 0;
  RecalcAllLines();
}

void RecipeCalc::SetLineFood(int line, const std::string& key, const std::string& name) {
  if (!ValidLine(line)) return;
  if (!key.empty()) {
    lines[line].blsCode = key;
    lines[line].blsName = name;
  }
  LoadLineFoods();
  RecalcAllLines();
}

std::vector<std::array<std::string, 5>> RecipeCalc::IngredientRows() const {
  std::vector<std::array<std::string, 5>> rows;
  for (const BLSCALC& c : lines) {
    std::array<std::string, 5> r;
    r[0] = RoundLongDecimals(c.amount);
    r[1] = c.unit;
    r[2] = c.note.empty() ? c.ingredient : c.ingredient + ", " + c.note;
    r[3] = c.blsName;
    if (!c.isHeading) r[4] = c.isUnimportant ? c.gramsText : c.gramsText + " g";
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<std::array<std::string, 5>> RecipeCalc::ResultRows(int filterItem, int selectedLine) {
  std::vector<std::array<std::string, 5>> rows;
  NutrientTable* table = ctx().nutrients;
  if (!table) return rows;
  if (filterItem < 1) {
    table->PrepareFilter(true);
  } else {
    table->SetChosenFilter(filterItem);
    table->PrepareFilter(false);
  }
  const BLSCALC* sel = nullptr;
  if (!lines.empty()) sel = &lines[ValidLine(selectedLine) ? selectedLine : 0];
  for (int pos = 0; pos < table->GetStoffCount(); ++pos) {
    ISTOFF s;
    if (!table->GetStoffAtPos(pos, &s)) continue;
    std::array<std::string, 5> r;
    r[0] = s.name;
    r[4] = UnitWithoutBasis(s.unit);
    if (sel) {
      const size_t j = static_cast<size_t>(s.index);
      if (!s.isText) {
        r[1] = totals.Value(j);
        r[2] = perServing.Value(j);
      }
      if (sel->isHeading || sel->isUnimportant) {
        // nothing for the line
      } else if (sel->blsCode.empty() || !sel->isConverted || sel->food.values.empty()) {
        r[3] = "?";  // no food, no weight, or a food that cannot be read
      } else {
        r[3] = s.isText ? sel->food.Value(j) : sel->lineValueTexts.Value(j);
      }
    }
    rows.push_back(std::move(r));
  }
  return rows;
}

std::string RecipeCalc::ServingColumnTitle() const {
  const std::string type = calcRecipe ? calcRecipe->servingType : std::string();
  if (type == "Personen") return "\xE0 Person";
  if (type == "Portionen") return "\xE0 Portion";
  return type;
}

std::string RecipeCalc::StatusText() const {
  return GetLangText(complete ? 409 : 410);
}

std::array<std::string, 2> RecipeCalc::LineMessages(int line) const {
  std::array<std::string, 2> texts;
  if (!ValidLine(line)) return texts;
  const BLSCALC& c = lines[line];
  // A heading and an amount that does not matter need neither a food nor a weight.
  if (c.isHeading || c.isUnimportant) return texts;
  if (c.blsCode.empty()) texts = {GetLangText(405), GetLangText(406)};
  if (GramsOf(c.gramsText) == 0 && !c.isUnimportant) texts = {GetLangText(407), GetLangText(408)};
  return texts;
}

}  // namespace tav
