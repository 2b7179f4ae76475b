#include "recipes/key_figures.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "recipedb/recipe_model.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {
namespace {

constexpr double kKJtoKcal = 0.23894862604540026;  // 1 / 4.185
constexpr double kKcalToKJ = 4.185;

// The unit text of a nutrient ("mg/100g"); "" when the nutrient table does not know it.
std::string NutrientUnit(const std::string& code) {
  ISTOFF stoff;
  if (!ctx().nutrients || !ctx().nutrients->FindStoffByCode(code, &stoff)) return std::string();
  return std::string(stoff.unit, strnlen(stoff.unit, sizeof stoff.unit));
}

// atof: a decimal comma ends the number.
double AtofToComma(std::string_view text) {
  const size_t comma = text.find(',');
  return ReadNumber(comma == std::string_view::npos ? text : text.substr(0, comma));
}

bool EnergyInKJ() {
  return ctx().options && ctx().options->Flag(16);
}

}  // namespace

bool GetNutrientText(const REZBLOCK& recipe, const std::string& code, std::string& text) {
  if (recipe.nutrients.empty()) return false;
  long kcal = 0, kj = 0;
  bool found = false;
  for (const REZSTOFFMENGE& n : recipe.nutrients) {
    const std::string c(n.code, strnlen(n.code, sizeof n.code));
    if (c == "GCAL") kcal = ReadLong(n.value);
    if (c == "GJ") kj = ReadLong(n.value);
    if (c != code) continue;
    text = n.value;
    found = true;
    const std::string unit = NutrientUnit(c);
    if (unit.empty()) continue;
    if ((unit == "mg/100g" || unit == "\xB5g/100g") && text.find(',') != std::string::npos)
      text.resize(text.find(','));
    text += ' ';
    const size_t slash = unit.find('/');
    if (slash != std::string::npos) text += unit.substr(0, slash);
  }
  if (!found && code == "GCAL" && kj != 0) {
    text = FormatNumber(kj * kKJtoKcal, 0) + " kcal";
    found = true;
  } else if (!found && code == "GJ" && kcal != 0) {
    text = FormatNumber(kcal * kKcalToKJ, 0) + " kJoule";
    found = true;
  }
  return found;
}

bool GetEnergyPerServing(const REZBLOCK& recipe, std::string& text) {
  const bool kj = EnergyInKJ();
  std::string stored;
  double v;
  if (GetNutrientText(recipe, "GCAL", stored)) {
    v = AtofToComma(stored);
    if (kj) v *= kKcalToKJ;
  } else if (GetNutrientText(recipe, "GJ", stored)) {
    v = AtofToComma(stored);
    if (!kj) v *= kKJtoKcal;
  } else {
    return false;
  }
  if (v == 0 || recipe.servings == 0) return false;
  text = std::to_string(static_cast<long long>(std::trunc(v / recipe.servings))) + " " +
         (kj ? "kJoule" : "kcal");
  return true;
}

void NutrientPerServing(const REZBLOCK& recipe, std::string& value) {
  if (recipe.servings <= 1) return;
  size_t i = 0;
  std::string number = value;
  for (; i < number.size(); ++i) {
    if (number[i] == ',') number[i] = '.';
    if (!IsDigit(number[i]) && number[i] != '.') break;
  }
  const std::string unit = value.substr(i);
  // A bare number or one without a unit word stays: nothing says what it counts.
  if (unit.empty() || unit == " ") return;
  const double v = ReadNumber(number.substr(0, i)) / recipe.servings;
  value = FormatNumberText(FormatGeneral(v), unit == " mg" || unit == " \xB5g" ? 0 : 2) + unit;
}

std::string AmountWithDefaultUnit(const std::string& text) {
  if (text.empty()) return text;
  for (char c : text)
    if (!IsDigit(c)) return text;
  return text + " " + GetLangText(538);
}

std::string RatingText(bool quality, char digit) {
  if (digit < '1' || digit > '5') return std::string();
  return GetLangText((quality ? 648 : 653) + static_cast<unsigned char>(digit));
}

}  // namespace tav
