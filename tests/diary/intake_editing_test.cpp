// What the intake-table editor does to a table: new age rows in ascending order, the open end
// kept, the row labels, and the typed cells and ages that are taken or refused.
#include <gtest/gtest.h>

#include "diary/intake_editing.h"
#include "diary/requirement_rows.h"
#include "nutrients/food_env.h"
#include "support/test_env.h"

namespace tav {
namespace {

std::vector<int> Bounds(const ZUFUHR& t) {
  std::vector<int> out;
  for (const ZUFUHRAGE& r : t.rows) out.push_back(r.age);
  return out;
}

TEST(IntakeEditing, AgeRowsGoInAscendingOrderOnce) {
  const ZUFUHR start{"VC", "mg", {{3, 15, 15}, {18, 75, 65}, {999, 100, 80}, {1001, -1, 120}}};
  struct Case {
    int bound;
    bool added;
    std::vector<int> bounds;
  };
  const Case cases[] = {
      {1, true, {1, 3, 18, 999, 1001}},       {10, true, {3, 10, 18, 999, 1001}},
      {65, true, {3, 18, 65, 999, 1001}},     {1000, true, {3, 18, 999, 1000, 1001}},
      {18, false, {3, 18, 999, 1001}},        {1001, false, {3, 18, 999, 1001}},
      {0, false, {3, 18, 999, 1001}},
  };
  for (const Case& c : cases) {
    ZUFUHR t = start;
    EXPECT_EQ(AddAgeBound(t, c.bound), c.added) << c.bound;
    EXPECT_EQ(Bounds(t), c.bounds) << c.bound;
    // The values of the rows that were there stay with their rows.
    for (const ZUFUHRAGE& r : t.rows) {
      if (r.age == 18) {
        EXPECT_DOUBLE_EQ(r.female, 65);
      }
    }
  }
  // A table read from a file in another order: the new row goes after every smaller bound.
  ZUFUHR unordered{"ZE", "g", {{999, 56, 46}, {18, 1, 1}}};
  EXPECT_TRUE(AddAgeBound(unordered, 25));
  EXPECT_EQ(Bounds(unordered), (std::vector<int>{999, 18, 25}));
}

TEST(IntakeEditing, TheOpenEndIsNeverDeleted) {
  ZUFUHR t{"VC", "mg", {{18, 75, 65}, {999, 100, 80}}};
  EXPECT_FALSE(DeleteAgeRow(t, 1));
  EXPECT_FALSE(DeleteAgeRow(t, -1));
  EXPECT_FALSE(DeleteAgeRow(t, 2));
  EXPECT_TRUE(DeleteAgeRow(t, 0));
  EXPECT_EQ(Bounds(t), (std::vector<int>{999}));
  EXPECT_FALSE(DeleteAgeRow(t, 0));
}

TEST(IntakeEditing, RowLabels) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  const ZUFUHR only{"VC", "mg", {{999, -1, -1}}};
  const ZUFUHR full{"VC", "mg", {{18, 1, 1}, {999, 1, 1}, {1000, -1, 1}, {1001, -1, 1}}};
  EXPECT_EQ(IntakeRowLabel(only, 0), "jedes Alter");
  EXPECT_EQ(IntakeRowLabel(full, 0), "bis 18 Jahre");
  EXPECT_EQ(IntakeRowLabel(full, 1), "\xE4lter");
  EXPECT_EQ(IntakeRowLabel(full, 2), "Schwangere");
  EXPECT_EQ(IntakeRowLabel(full, 3), "Stillende");
}

TEST(IntakeEditing, TypedCellsAndAges) {
  struct Cell {
    const char* text;
    bool ok;
    double value;
  };
  const Cell cells[] = {
      {"", true, -1},      {"   ", true, -1},     {"12", true, 12},         {"1,5", true, 1.5},
      {" 0.25 ", true, 0.25}, {"0", true, 0},    {"abc", false, 7},        {"12 mg", false, 7},
      {"-3", false, 7},    {"1.000,5", false, 7}, {",", false, 7},          {"1e400", false, 7},
  };
  for (const Cell& c : cells) {
    double v = 7;
    EXPECT_EQ(ParseIntakeCell(c.text, v), c.ok) << c.text;
    EXPECT_DOUBLE_EQ(v, c.value) << c.text;
  }
  struct Age {
    const char* text;
    bool ok;
    int bound;
  };
  const Age ages[] = {{"18", true, 18},  {" 7 ", true, 7},  {"1", true, 1},     {"998", true, 998},
                      {"0", false, 5},   {"999", false, 5}, {"1000", false, 5}, {"-5", false, 5},
                      {"12.5", false, 5}, {"abc", false, 5}, {"", false, 5}};
  for (const Age& a : ages) {
    int bound = 5;
    EXPECT_EQ(ParseAgeBound(a.text, bound), a.ok) << a.text;
    EXPECT_EQ(bound, a.bound) << a.text;
  }
}

// The nutrients that can have an intake table or a requirement: those with an amount per 100 g,
// whether the filter chosen last shows them or not; no text columns.
TEST(IntakeEditing, NutrientsWithAnAmountPer100gHiddenOnesToo) {
  test::FoodEnv env(test::FixtureTable());
  NutrientTable& t = env.table;
  const auto& entries = t.FilterEntries();
  t.SetChosenFilter(static_cast<int>(
      std::find(entries.begin(), entries.end(), "Mineralstoffe") - entries.begin()));
  t.PrepareFilter(false);  // only sodium shown
  std::vector<std::string> codes;
  for (const RequirementNutrient& n : RequirementNutrients(t)) codes.push_back(n.code);
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(codes, (std::vector<std::string>{"GCAL", "GJ", "MNA", "VC", "ZE", "ZF", "ZW"}));
}

}  // namespace
}  // namespace tav
