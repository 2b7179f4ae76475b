#include "recipedb/servings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/numbers.h"
#include "recipedb/recipe_model.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/tools_module.h"

namespace tav {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return std::string();
  return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

bool IsFractionSign(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0xBC && u <= 0xBE;
}

// "1½" and "1 ½" as the mixed number "1 1/2", which the fraction reader understands; a sign
// anywhere else is left for the reader to refuse.
void FractionSignAfterWhole(std::string& a) {
  if (a.empty() || !IsFractionSign(a.back())) return;
  const size_t sign = a.size() - 1;
  const std::string whole = Trimmed(a.substr(0, sign));
  if (whole.empty() || whole.find_first_not_of("0123456789") != std::string::npos) return;
  std::string part(1, a[sign]);
  FractionCharToText(part);
  a = whole + " " + part;
}

std::string Scaled(double v, int from, int to) {
  return FormatGeneral(v / from * to);
}

}  // namespace

void SetChosenServings(int n) {
  if (!ctx().tools) return;
  ctx().tools->chosenServings = n == -1 ? ctx().tools->recipeServings : n;
}

int GetChosenServings() {
  if (!ctx().tools) return 0;
  const TToolsMod& t = *ctx().tools;
  return t.chosenServings != 0 ? t.chosenServings : t.recipeServings;
}

void SetRecipeServings(int n) {
  if (!ctx().tools) return;
  ctx().tools->recipeServings = n;
  if (ctx().tools->chosenServings == -2) ctx().tools->chosenServings = n;
}

int GetRecipeServings() {
  return ctx().tools ? ctx().tools->recipeServings : 0;
}

size_t AmountRangeDash(const std::string& amount) {
  const size_t dash = amount.find('-');
  if (dash == std::string::npos || amount.find('-', dash + 1) != std::string::npos)
    return std::string::npos;
  double a, b;
  return ReadAmountValue(amount.substr(0, dash), a) && ReadAmountValue(amount.substr(dash + 1), b)
             ? dash
             : std::string::npos;
}

bool ReadAmountValue(const std::string& amount, double& value) {
  std::string a = Trimmed(amount);
  if (a.empty()) return false;
  FractionCharToText(a);
  a = Trimmed(a);
  FractionSignAfterWhole(a);
  if (a.find_first_not_of("0123456789,./ ") != std::string::npos) return false;
  if (std::count(a.begin(), a.end(), '/') > 1) return false;
  if (a.find('/') != std::string::npos) {
    MixedFractionToDecimal(a);
    if (a.find('/') != std::string::npos) return false;  // a zero denominator
  }
  const size_t comma = a.find(',');
  if (comma != std::string::npos) a[comma] = '.';
  size_t used = 0;
  value = ReadNumber(a, &used);
  return used == a.size() && std::isfinite(value);
}

void ScaleRecipeAmounts(REZBLOCK& recipe, uint16_t servings) {
  std::vector<bool> isRange(recipe.lines.size(), false);
  for (size_t i = 0; i < recipe.lines.size(); ++i) {
    REZZUTAT& line = recipe.lines[i];
    if (!line.text.empty() && (line.text[0] == '*' || line.text[0] == '-')) continue;
    const size_t dash = AmountRangeDash(line.amount);
    if (dash != std::string::npos) {
      // Both ends scale; the readable forms below would keep only the first.
      isRange[i] = true;
      if (recipe.servings == 0) continue;
      double a, b;
      ReadAmountValue(line.amount.substr(0, dash), a);
      ReadAmountValue(line.amount.substr(dash + 1), b);
      line.amount =
          Scaled(a, recipe.servings, servings) + "-" + Scaled(b, recipe.servings, servings);
      continue;
    }
    double v = ReadNumber(line.amount);
    // A fraction sign ("½", "1½", "1 ½") reads as the fraction it is; the number before it
    // alone would lose it.
    if (std::any_of(line.amount.begin(), line.amount.end(), IsFractionSign) &&
        !ReadAmountValue(line.amount, v))
      continue;
    if (v == 0) continue;
    if (line.amount.find('/') != std::string::npos) {
      std::string copy = line.amount;
      MixedFractionToDecimal(copy);
      v = ReadNumber(copy);
    }
    if (recipe.servings != 0) line.amount = Scaled(v, recipe.servings, servings);
  }
  for (size_t i = 0; i < recipe.lines.size(); ++i)
    if (!isRange[i]) PrettyAmount(recipe.lines[i].amount, recipe.lines[i].unit);
}

}  // namespace tav
