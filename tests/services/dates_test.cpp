#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "services/dates.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "support/test_env.h"

namespace tav {
namespace {

TEST(Dates, ParseDateTable) {
  struct Case {
    const char* text;
    int valid, day, month, year;
  } cases[] = {
      {"31.2.05", 1, 31, 2, 1905},  {"1.1.03", 1, 1, 1, 2003},   {"1.13.05", 0, 1, 13, 5},
      {"5.6.1999", 1, 5, 6, 1999},  {" 7, 8 ,99", 1, 7, 8, 1999}, {"1.1.1900", 1, 1, 1, 1900},
      {"", 0, 0, 0, 0},             {"0.5.2000", 0, 0, 5, 2000},
  };
  for (const Case& c : cases) {
    int d = -1, m = -1, y = -1;
    EXPECT_EQ(ParseDate(c.text, d, m, y), c.valid) << c.text;
    EXPECT_EQ(d, c.day) << c.text;
    EXPECT_EQ(m, c.month) << c.text;
    EXPECT_EQ(y, c.year) << c.text;
  }
}

TEST(Dates, ParseTwoInts) {
  int a = -1, b = -1;
  ParseTwoInts("12:34", a, b);
  EXPECT_EQ(a, 12);
  EXPECT_EQ(b, 34);
  ParseTwoInts(" 5 x", a, b);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 5);
  ParseTwoInts("7", a, b);
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 0);
}

TEST(Dates, GregorianLeapYears) {
  EXPECT_EQ(DaysInMonth(1, 1900), 28);
  EXPECT_EQ(DaysInMonth(1, 2000), 29);
  EXPECT_EQ(DaysInMonth(1, 2024), 29);
  EXPECT_EQ(DaysInMonth(1, 2100), 28);
  EXPECT_EQ(DaysInMonth(3, 2023), 30);
  EXPECT_EQ(DaysInMonth(11, 2023), 31);
  EXPECT_EQ(DaysBetween(30, 0, 2024, 2, 2, 2024), 32);
  EXPECT_EQ(DaysBetween(30, 0, 1900, 2, 2, 1900), 31);
  EXPECT_EQ(DaysBetween(5, 3, 2024, 9, 3, 2024), 4);
  EXPECT_EQ(DaysBetween(31, 11, 2023, 1, 0, 2024), 1);
  EXPECT_EQ(DaysBetween(2, 3, 2024, 1, 3, 2024), 0);
  EXPECT_EQ(DaysBetween(1, 0, 2025, 1, 0, 2024), 0);
  EXPECT_EQ(DaysBetween(1, 0, 2023, 1, 0, 2024), 365);
}

TEST(Dates, IsoWeeks) {
  struct Case {
    int day, month, year, week;
  } cases[] = {
      {1, 1, 2010, 53},   // 4 January 2010 is a Monday: 1 January belongs to 2009's last week
      {4, 1, 2010, 1},    {31, 12, 2012, 1}, {29, 12, 2014, 1}, {1, 1, 2021, 53},
      {3, 1, 2021, 53},   {4, 1, 2021, 1},   {28, 12, 2020, 53}, {1, 1, 2017, 52},
      {2, 1, 2017, 1},    {15, 6, 2023, 24}, {31, 12, 2026, 53}, {1, 1, 1900, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WeekOfYear(c.day, c.month, c.year), c.week) << c.day << "." << c.month << "." << c.year;
}

TEST(Dates, IsoTextsBothWays) {
  std::string out;
  DateToIsoText("3.7.2005", out);
  EXPECT_EQ(out, "2005-07-03T00:00:00");
  IsoDateToGerman("2005-07-03T00:00:00", out);
  EXPECT_EQ(out, "3.7.2005");
  DateToIsoText("", out);
  EXPECT_EQ(out.size(), 19u);
  EXPECT_EQ(out.substr(10), "T00:00:00");
  IsoDateToGerman("2005-07", out);
  EXPECT_NE(out, "0.7.2005");
}

TEST(RecipeIds, TwoIdsInOneMinuteDifferByTheCounter) {
  test::TestEnv env;
  env.Options();
  env.userSettings.WriteString(kRegParam, "IDCounter", "41");
  int32_t a[2], b[2];
  NewRecipeId(a);
  NewRecipeId(b);
  if (a[1] == b[1]) {  // the same minute (the clock may just have turned)
    EXPECT_EQ(b[0] - a[0], 1);
  }
  EXPECT_EQ(a[0] & 0xFFFFF, 42);
  EXPECT_EQ(env.userSettings.Read(kRegParam, "IDCounter"), "43");
  const uint32_t user = static_cast<uint32_t>(a[0]) >> 20;
  EXPECT_EQ(user, RecipeIdNameHash(env.Options().Str(10)));
}

TEST(RecipeIds, CounterWrapsAndReseedsFromZero) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "IDCounter", "1048575");
  int32_t id[2];
  NewRecipeId(id);
  EXPECT_EQ(id[0] & 0xFFFFF, 0);
  EXPECT_EQ(env.userSettings.Read(kRegParam, "IDCounter"), "0");
  NewRecipeId(id);  // a stored 0 draws a fresh random start
  EXPECT_EQ(env.userSettings.Read(kRegParam, "IDCounter"), std::to_string(id[0] & 0xFFFFF));
}

TEST(RecipeIds, TimeWordAndNameHash) {
  const uint32_t w = static_cast<uint32_t>(RecipeIdTimeWord(2005, 7, 3, 14, 59));
  EXPECT_EQ(w >> 20, 25u);
  EXPECT_EQ((w >> 16) & 0xF, 7u);
  EXPECT_EQ((w >> 11) & 0x1F, 3u);
  EXPECT_EQ((w >> 6) & 0x1F, 14u);
  EXPECT_EQ(w & 0x3F, 59u);
  EXPECT_EQ(RecipeIdNameHash(""), RecipeIdNameHash("Tavolin"));
  EXPECT_EQ(RecipeIdNameHash("tavolin"), RecipeIdNameHash("TAVOLIN"));
  // "AB": 'A' x 1 + 'B' x 2 = 65 + 132.
  EXPECT_EQ(RecipeIdNameHash("ab"), 197u);
  // Letters above 127 count negative: "\xC4" (upper case of 0xE4) is -60.
  EXPECT_EQ(RecipeIdNameHash("\xE4"), static_cast<uint32_t>(-60) & 0xFFF);
}

TEST(Dates, MonthNames) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  EXPECT_EQ(GetMonthName(3, false), GetLangText(238));
  EXPECT_EQ(GetMonthName(12, true), GetLangText(259));
  EXPECT_EQ(GetMonthName(0, false), "");
}

}  // namespace
}  // namespace tav
