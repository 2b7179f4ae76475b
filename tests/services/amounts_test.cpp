#include <gtest/gtest.h>

#include "platform/numbers.h"
#include "services/amounts.h"
#include "services/tools_module.h"
#include "support/test_env.h"

namespace tav {
namespace {

// Runs a test body with the given decimal separator and restores '.' afterwards.
struct SepGuard {
  explicit SepGuard(char sep) { SetDecimalSep(sep); }
  ~SepGuard() { SetDecimalSep('.'); }
};

TEST(Amounts, MixedFractionsReadWithAPointOnAnyLocale) {
  SepGuard german(',');
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"1/2", "0.5"},         {"1 1/2", "1.5"}, {"3/4 Tasse", "0.75"}, {"2 1/0", "1/0"},
      {"2", "2"},             {"", ""},         {" 1/4", "0.25"},      {"2-3", "2-3"},
      {"1/3", "0.333333333333333"},
  };
  for (const Case& c : cases) {
    std::string amount = c.in;
    MixedFractionToDecimal(amount);
    EXPECT_EQ(amount, c.out) << c.in;
  }
}

TEST(Amounts, FractionSignsBecomeText) {
  struct Case {
    std::string in, out;
  } cases[] = {{"\xBD", "1/2"},          {" \xBC ", "1/4"},   {"\xBE l", "3/4"},
               {"1\xBD", "1 1/2"},        {"12 \xBC", "12 1/4"}, {"1\xBD l", "1\xBD l"},
               {"1,5\xBD", "1,5\xBD"},     {"", ""},             {"250", "250"}};
  for (const Case& c : cases) {
    std::string amount = c.in;
    FractionCharToText(amount);
    EXPECT_EQ(amount, c.out) << c.in;
  }
}

TEST(Amounts, PrettyAmountTable) {
  SepGuard german(',');
  struct Case {
    const char *amount, *unit, *outAmount, *outUnit;
  } cases[] = {
      {"1500", "g", "1,5", "kg"},     {"0,5", "EL", "1/2", "EL"},   {"2500000", "mg", "2,5", "kg"},
      {"2,5", "l", "2,5", "l"},       {"0,33", "TL", "1/3", "TL"},  {"0,34", "TL", "0,34", "TL"},
      {"999", "g", "999", "g"},       {"1000", "g", "1", "kg"},     {"1000", "Stk", "1000", "Stk"},
      {"1500", "mg", "1,5", "g"},     {"2000", "ml", "2", "l"},     {"0,125", "l", "1/8", "l"},
      {"Prise", "", "Prise", ""},     {"0,3333", "", "1/3", ""},
  };
  for (const Case& c : cases) {
    std::string amount = c.amount, unit = c.unit;
    PrettyAmount(amount, unit);
    EXPECT_EQ(amount, c.outAmount) << c.amount << " " << c.unit;
    EXPECT_EQ(unit, c.outUnit) << c.amount << " " << c.unit;
  }
}

// A decimal that stands for a cook's fraction reads as that fraction: the fraction rounds to the
// digits written; with two decimals only where two decimals cannot hold the fraction exactly.
TEST(Amounts, DecimalsThatStandForACooksFractionBecomeIt) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      // Written by a CookML writer with every digit, by another one with a few.
      {"0.666666666666667", "2/3"}, {"0.333333333333333", "1/3"}, {"1.33333333333333", "1 1/3"},
      {"0.166666666666667", "1/6"}, {"2.83333333333333", "2 5/6"}, {"0.667", "2/3"},
      {"0,3333", "1/3"},            {"0.125", "1/8"},             {"1.375", "1 3/8"},
      {"0.0625", "1/16"},           {"0.500", "1/2"},             {"3.250", "3 1/4"},
      // Two decimals: what two decimals cannot hold, written rounded either way.
      {"0.67", "2/3"},  {"0,33", "1/3"},  {"3.33", "3 1/3"}, {"0.17", "1/6"},  {"0.83", "5/6"},
      {"0.12", "1/8"},  {"0.13", "1/8"},  {"0.38", "3/8"},   {"0.62", "5/8"},  {"0.88", "7/8"},
      {"0.06", "1/16"}, {" 0.67 ", "2/3"},
      // Decimals a cook writes stay, and so do numbers near no fraction.
      {"0.25", "0.25"},   {"1.5", "1.5"},     {"2,75", "2,75"}, {"0.5", "0.5"}, {"0.3", "0.3"},
      {"0.66", "0.66"},   {"0.1234", "0.1234"}, {"0.330", "0.330"}, {"12", "12"},
      {"2.000", "2.000"}, {"1/3", "1/3"},     {"2-3", "2-3"},   {"0.67 l", "0.67 l"},
      {".67", ".67"},     {"etwas", "etwas"}, {"", ""},
  };
  for (const Case& c : cases) {
    std::string amount = c.in;
    EXPECT_EQ(DecimalToCookFraction(amount), std::string(c.in) != c.out) << c.in;
    EXPECT_EQ(amount, c.out) << c.in;
  }
}

// Converted amounts as a cook measures them, never with the float noise of the product.
TEST(Amounts, CookAmountRoundsByTheSizeOfTheNumber) {
  SepGuard german(',');
  const std::pair<double, const char*> cases[] = {
      {604.799999999998, "605"}, {233.8875, "234"},  {0.333333333333333, "0,33"},
      {29.57, "29,6"},           {3.785, "3,79"},    {12.0, "12"},
      {100.04, "100"},           {9.999, "10"},      {0.5, "0,5"},
      {0.001, "0,001"},          {0, "0"},           {1234567.8, "1234568"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(CookAmount(value), text) << value;
}

TEST(Amounts, BaseUnitsAndSums) {
  SepGuard german(',');
  struct Case {
    const char *amount, *unit, *outAmount, *outUnit;
  } cases[] = {{"1,5", "kg", "1500000", "mg"}, {"1/2", "l", "500", "ml"},
               {"250", "g", "250000", "mg"},   {"2", "EL", "2", "EL"}};
  for (const Case& c : cases) {
    std::string amount = c.amount, unit = c.unit;
    AmountToBaseUnit(amount, unit);
    EXPECT_EQ(amount, c.outAmount) << c.amount;
    EXPECT_EQ(unit, c.outUnit) << c.amount;
  }
  EXPECT_EQ(AddAmounts("1,5", "2"), "3,5");
  EXPECT_EQ(AddAmounts("Prise", "2"), "2");
  EXPECT_EQ(AddAmounts("0,1", "0,2"), "0,3");
  // Fractions count at their value, not at their leading number.
  EXPECT_EQ(AddAmounts("1/2", "1/2"), "1");
  EXPECT_EQ(AddAmounts("1 1/2", "1/4"), "1,75");
}

TEST(Amounts, DecimalSeparatorFollowsTheLocaleAndIsACommaWithoutOne) {
  // An unset or C/POSIX locale counts as German for the language, and so for numbers.
  const struct {
    const char* locale;
    char point;
    char sep;
  } cases[] = {{"", '.', ','},           {"C", '.', ','},          {"POSIX", '.', ','},
               {"C.UTF-8", '.', ','},    {"de_DE.UTF-8", ',', ','}, {"en_GB.UTF-8", '.', '.'},
               {"de_CH.UTF-8", '.', '.'}, {"fr_FR", ',', ','}};
  for (const auto& c : cases) EXPECT_EQ(DecimalSepForLocale(c.locale, c.point), c.sep) << c.locale;
  // Texts written with it never mix the two.
  SepGuard unset(DecimalSepForLocale("", '.'));
  EXPECT_EQ(FormatFixed(2010.75, 2), "2010,75");
  EXPECT_EQ(FormatGeneral(1.5), "1,5");
}

TEST(Amounts, NumberTexts) {
  SepGuard german(',');
  EXPECT_EQ(FormatNumberText("3", 2), "3");
  EXPECT_EQ(FormatNumberText("3,456", 2), "3,46");
  EXPECT_EQ(FormatNumberText("3.456", 0), "3");
  EXPECT_EQ(FormatNumber(2.25, 1), "2,3");
  EXPECT_EQ(FormatNumber(2.5, 5), "2,50");
  EXPECT_TRUE(IsNonZeroText(""));
  EXPECT_FALSE(IsNonZeroText("0 00"));
  EXPECT_TRUE(IsNonZeroText("0,0"));
  std::string t = "1.5,2";
  NormalizeDecimalSep(t, 1);
  EXPECT_EQ(t, "1.5.2");
  NormalizeDecimalSep(t, 2);
  EXPECT_EQ(t, "1,5,2");
  t = "1.5";
  NormalizeDecimalSep(t, 0);
  EXPECT_EQ(t, "1,5");
  t = "a-b-c";
  RemoveChar(t, '-');
  EXPECT_EQ(t, "abc");
}

TEST(Amounts, UnitNameFormsFromTheDataFolder) {
  test::TestEnv env;
  env.Options();
  TToolsMod tools;
  ctx().tools = &tools;
  std::string unit = "EL";
  EXPECT_FALSE(ConvertUnitName(unit, 1.0, false));  // no file yet: tried again later
  test::WriteAll(env.DataFolder() + "RkKonvert.dat",
                 "EL#Essl\xF6" "ffel#Essl\xF6" "ffel\r\nStk#St\xFC" "ck#St\xFC" "cke\r\n"
                 "broken line\r\nTL#Teel\xF6" "ffel#Teel\xF6" "ffel#extra\r\n");
  struct Case {
    const char* unit;
    double amount;
    bool toCanonical;
    const char* out;
    bool matched;
  } cases[] = {
      {"Stk", 1.0, false, "St\xFC" "ck", true},   {"Stk", 1.5, false, "St\xFC" "cke", true},
      {"Stk", 0, false, "St\xFC" "cke", true},    {"St\xFC" "cke", 2, true, "Stk", true},
      {"St\xFC" "ck", 1, true, "Stk", true},      {"stk", 1, false, "stk", false},
      {"TL", 2, false, "Teel\xF6" "ffel#extra", true},
  };
  for (const Case& c : cases) {
    std::string u = c.unit;
    EXPECT_EQ(ConvertUnitName(u, c.amount, c.toCanonical), c.matched) << c.unit;
    EXPECT_EQ(u, c.out) << c.unit;
  }
  EXPECT_EQ(tools.unitNameForms.size(), 3u);
}

}  // namespace
}  // namespace tav
