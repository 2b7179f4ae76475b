// Amounts, fractions and dates as recipes and imports hold them: any text is read without harm.
#include "fuzz_support.h"
#include "recipedb/recipe_records.h"
#include "recipedb/servings.h"
#include "services/amounts.h"
#include "services/dates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  fuzz::Env();
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(100);
  std::string unit = in.ConsumeRandomLengthString(4);

  double value = 0;
  ReadAmountValue(text, value);
  std::string a = text;
  FractionCharToText(a);
  MixedFractionToDecimal(a);
  a = text;
  std::string u = unit;
  PrettyAmount(a, u);
  a = text;
  u = unit;
  AmountToBaseUnit(a, u);
  AddAmounts(text, unit);
  FormatNumberText(text, in.ConsumeIntegralInRange(-1, 3));
  a = text;
  NormalizeDecimalSep(a, in.ConsumeIntegralInRange(0, 3));
  IsNonZeroText(text);

  REZBLOCK r;
  ClearRezBlock(r);
  r.servings = in.ConsumeIntegral<int32_t>();
  r.lines.push_back({text, unit, "x", "", 0, 0});
  r.lines.push_back({unit, "g", "y", "", 0, 0});
  ScaleRecipeAmounts(r, in.ConsumeIntegral<uint16_t>());

  int day = 0, month = 0, year = 0;
  if (ParseDate(text, day, month, year) == 1) {
    WeekOfYear(day, month, year);
    DaysBetween(day, month - 1, year, 1, 0, 2000);
    DaysBetween(1, 0, 1900, day, month - 1, year);
  }
  ParseTwoInts(text.c_str(), day, month);
  std::string out;
  DateToIsoText(text, out);
  IsoDateToGerman(text, out);
  GetMonthName(in.ConsumeIntegral<int>(), in.ConsumeBool());
  RecipeIdNameHash(text);
  return 0;
}
