#include "recipes/standard_page_fields.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/numbers.h"

namespace tav {

namespace {

const char* EnergyCode(bool kiloJoule) {
  return kiloJoule ? "GJ" : "GCAL";
}

bool HasCode(const REZSTOFFMENGE& amount, const char* code) {
  return std::strncmp(amount.code, code, sizeof amount.code) == 0;
}

}  // namespace

std::string KeywordsFromMemo(const std::string& memo) {
  std::string out = memo.substr(0, 1999);
  for (char& c : out) {
    if (c == '\r')
      c = ',';
    else if (c == '\n')
      c = ' ';
  }
  return out;
}

std::string EnergyFieldText(const REZBLOCK& recipe, bool kiloJoule, bool perServing) {
  for (const REZSTOFFMENGE& amount : recipe.nutrients) {
    if (!HasCode(amount, EnergyCode(kiloJoule))) continue;
    double value = ReadNumber(amount.value);
    if (value == 0) continue;
    if (perServing && recipe.servings != 0) value /= recipe.servings;
    return FormatFixed(value, 0);
  }
  return std::string();
}

void StoreEnergyField(REZBLOCK& recipe, const std::string& field, bool kiloJoule, bool perServing) {
  if (field.empty()) return;
  const char* code = EnergyCode(kiloJoule);
  std::string value = field;
  if (perServing && recipe.servings > 0) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", ReadNumber(field) * recipe.servings);
    value = text;
  }
  bool stored = false;
  for (REZSTOFFMENGE& amount : recipe.nutrients) {
    if (!HasCode(amount, code)) continue;
    amount.value = value;
    stored = true;
  }
  if (stored) return;
  REZSTOFFMENGE amount;
  std::strncpy(amount.code, code, sizeof amount.code - 1);
  amount.value = value;
  recipe.nutrients.push_back(amount);
}

int RatingFromX(int x) {
  if (x < 8) return 0;
  const int rating = 1 + (x - 7) / 21;
  return rating > 5 ? 5 : rating;
}

}  // namespace tav
