// What the food windows show, without a window: the value rows of a food under a filter, the
// values hidden by option 54, the compared foods, the browser's bounds and the editing steps
// of the filter group window.
#include <gtest/gtest.h>

#include "nutrients/filter_group_edit.h"
#include "nutrients/food_env.h"
#include "nutrients/food_views.h"
#include "platform/paths.h"

namespace tav {
namespace {

using test::DecimalComma;
using test::FixtureTable;
using test::FoodEnv;

TEST(FoodViews, OptionFiftyFourHidesOnlyEmptyAndZeroValues) {
  struct Case {
    const char* value;
    bool isText;
    bool hidden;
  } cases[] = {
      {"0", false, true},      {"0,0", false, true},  {"0.00", false, true},  {"-0", false, true},
      {"", false, true},       {"0,5", false, false}, {"0.05", false, false}, {"12", false, false},
      {"0,001", false, false}, {"", true, true},      {"roh", true, false},   {"0", true, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HiddenWithoutValue(c.value, c.isText), c.hidden) << c.value << " text " << c.isText;
}

TEST(FoodViews, NumbersShowTheUsersDecimalSeparator) {
  DecimalComma comma;
  EXPECT_EQ(ShownValue("36.34", false), "36,34");
  EXPECT_EQ(ShownValue("2,86", false), "2,86");
  EXPECT_EQ(ShownValue("Wei\xDF"
                       "brot, 1.5 cm",
                       true),
            "Wei\xDF"
            "brot, 1.5 cm");
}

TEST(FoodViews, ValueRowsFollowTheChosenGroupAndOptionFiftyFour) {
  FoodEnv env(FixtureTable());
  DecimalComma comma;
  LB_DATA food;
  ASSERT_TRUE(env.foods.ReadBLSFood("G102000", &food, true));
  // "Energie und Hauptnährstoffe" (Filt_3): kcal, kJ, protein, fat, water in that order.
  env.table.SetChosenFilter(1);
  ASSERT_EQ(env.table.ChosenFilterText(), "Energie und Hauptn\xE4hrstoffe");
  std::vector<NutrientRow> rows = FoodValueRows(env.table, food, false, false);
  std::vector<std::string> names, values;
  for (const NutrientRow& r : rows) {
    names.push_back(r.name);
    values.push_back(r.value);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Energie (kcal)", "Energie (kJ)", "Eiwei\xDF", "Fett",
                                             "Wasser"}));
  EXPECT_EQ(values, (std::vector<std::string>{"21", "88", "2", "0,4", "92,8"}));
  // All nutrients in table order; with option 54 the empty text and nothing else goes.
  rows = FoodValueRows(env.table, food, true, false);
  EXPECT_EQ(rows.size(), 10u);
  LB_DATA spinach;
  ASSERT_TRUE(env.foods.ReadBLSFood("G101000", &spinach, true));
  spinach.values[7] = "0,39";
  spinach.values[9] = "0";
  rows = FoodValueRows(env.table, spinach, true, true);
  names.clear();
  for (const NutrientRow& r : rows) names.push_back(r.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"Schl\xFCssel", "Bezeichnung", "Wasser", "Energie (kcal)",
                                      "Energie (kJ)", "Eiwei\xDF", "Fett", "Natrium"}));
}

TEST(FoodViews, GroupQueryOfANode) {
  EXPECT_EQ(GroupQuery('G' | ' ' << 8), "G");
  EXPECT_EQ(GroupQuery('G' | '2' << 8), "G2");
}

TEST(FoodViews, TheComparisonKeepsEachKeyOnceAndMovesWithinItsEnds) {
  FoodComparison c;
  LB_DATA a, b, d;
  a.SetKey("G101000");
  b.SetKey("G102000");
  d.SetKey("H102000");
  EXPECT_TRUE(c.Add(a));
  EXPECT_FALSE(c.Add(a));
  EXPECT_TRUE(c.Add(b));
  EXPECT_TRUE(c.Add(d));
  EXPECT_EQ(c.Count(), 3);
  EXPECT_FALSE(c.MoveLeft(0));
  EXPECT_FALSE(c.MoveRight(2));
  EXPECT_TRUE(c.MoveRight(0));
  EXPECT_STREQ(c.Food(1).key, "G101000");
  EXPECT_TRUE(c.MoveLeft(2));
  EXPECT_STREQ(c.Food(1).key, "H102000");
  EXPECT_FALSE(c.Remove(3));
  EXPECT_TRUE(c.Remove(0));
  EXPECT_EQ(c.Count(), 2);
  EXPECT_FALSE(c.Contains("G102000"));
}

TEST(FoodViews, BrowserBoundsComeBackOnTheScreen) {
  struct Case {
    const char *x, *y, *w, *h;
    int sw, sh;
    WindowBounds want;
  } cases[] = {
      {"", "", "", "", 1280, 1024, {0, 0, 640, 480}},                // first start
      {"-1", "50", "900", "300", 1280, 1024, {0, 50, 640, 300}},     // X -1: width 640
      {"900", "10", "640", "480", 1280, 1024, {0, 10, 1280, 480}},   // too wide from X
      {"20", "700", "640", "480", 1280, 1024, {20, 0, 640, 1024}},   // too high from Y
      {"100", "80", "700", "500", 1280, 1024, {100, 80, 700, 500}},  // kept as stored
      {"abc", "1e3", "640x", "480", 1280, 1024, {0, 0, 640, 480}},   // no numbers: defaults
      {"-3000", "-40", "700", "500", 1280, 1024, {0, 0, 700, 500}},  // left of the screen
  };
  for (const Case& c : cases) {
    const WindowBounds b = PlaceBrowserBounds(c.x, c.y, c.w, c.h, c.sw, c.sh);
    EXPECT_EQ(b.x, c.want.x) << c.x;
    EXPECT_EQ(b.y, c.want.y) << c.y;
    EXPECT_EQ(b.w, c.want.w) << c.w;
    EXPECT_EQ(b.h, c.want.h) << c.h;
  }
}

TEST(FilterGroupEdit, IdsNamesAndTheDayValuesGroup) {
  std::vector<FILTGRP> groups;
  EXPECT_EQ(NextFilterGroupId(groups), 1);
  groups = {{"Mineralstoffe", 3, false}, {"Vitamine", 7, true}};
  EXPECT_EQ(NextFilterGroupId(groups), 8);
  EXPECT_TRUE(FilterGroupNameTaken(groups, "MINERALSTOFFE"));
  EXPECT_FALSE(FilterGroupNameTaken(groups, "Mineral"));
  EXPECT_EQ(AppendFilterGroup(groups, "\xC4pfel"), 2);
  EXPECT_EQ(groups[2].id, 8);
  EXPECT_TRUE(FilterGroupNameTaken(groups, "\xE4PFEL"));
  SetDayValuesGroup(groups, "Mineralstoffe");
  EXPECT_TRUE(groups[0].forDayValues);
  EXPECT_FALSE(groups[1].forDayValues);
}

TEST(FilterGroupEdit, MovingKeepsEachCheckWithItsNutrient) {
  FoodEnv env(FixtureTable());
  std::vector<ISTOFF>& t = env.table.Stoffe();
  env.table.ResetFilterFields();
  std::vector<bool> checks(t.size(), false);
  checks[4] = true;  // GCAL at position 4
  StoreStoffChecks(t, checks);
  EXPECT_TRUE(t[4].visible);
  EXPECT_FALSE(SwapStoffPositions(t, 0));
  EXPECT_FALSE(SwapStoffPositions(t, static_cast<int>(t.size())));
  ASSERT_TRUE(SwapStoffPositions(t, 4));
  EXPECT_EQ(t[4].position, 3);
  EXPECT_EQ(t[3].position, 4);
  const std::vector<const ISTOFF*> rows = CheckListRows(t);
  ASSERT_EQ(rows.size(), t.size());
  EXPECT_STREQ(rows[3]->code, "GCAL");
  EXPECT_TRUE(rows[3]->visible);
  EXPECT_FALSE(rows[4]->visible);
}

TEST(FilterGroupEdit, RemovingAGroupDeletesItsFileOnly) {
  FoodEnv env(FixtureTable());
  std::vector<FILTGRP>& groups = env.table.Groups();
  EXPECT_FALSE(RemoveFilterGroup(groups, "Vitamine"));
  ASSERT_TRUE(RemoveFilterGroup(groups, "MINERALSTOFFE"));
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_FALSE(FileExists(env.DataFolder() + "Filt_7.bls"));
  EXPECT_TRUE(FileExists(env.DataFolder() + "Filt_3.bls"));
}

}  // namespace
}  // namespace tav
