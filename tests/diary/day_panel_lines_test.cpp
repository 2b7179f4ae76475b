// What the day panel draws: the second line of an entry and a day value as text or bar.
#include <gtest/gtest.h>

#include "diary/day_panel_lines.h"
#include "platform/numbers.h"
#include "support/test_env.h"

namespace tav {
namespace {

TEST(DayPanelLines, EntryDetailLine) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  SetDecimalSep(',');
  ENENTRY recipe;
  recipe.amount = 2;
  recipe.baseAmount = 4;
  recipe.unit = "Portionen";
  recipe.energy = 1000;  // kJ
  EXPECT_EQ(EntryDetailLine(recipe, false), "2 von 4 Portionen (239 kcal)");
  EXPECT_EQ(EntryDetailLine(recipe, true), "2 von 4 Portionen (1000 kJoule)");
  ENENTRY food;
  food.amount = 150.5;
  food.baseAmount = 150.5;
  food.unit = "Gramm";
  food.energy = 96.4;
  EXPECT_EQ(EntryDetailLine(food, false), "150,5 Gramm (23 kcal)");
  EXPECT_EQ(EntryDetailLine(food, true), "150,5 Gramm (96 kJoule)");
  SetDecimalSep('.');
}

TEST(DayPanelLines, DayValueText) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  struct Case {
    double sum, requirement;
    bool maximum;
    int arrow;
    std::string text;
  };
  const Case cases[] = {
      {50, 0, false, -1, "50 g"},
      {50, -1, false, -1, "50 g"},
      {2500, 2000, true, 0,
       "2500 g (H\xF6"
       "chstwert: 2000 g)"},
      {1500, 2000, true, 2,
       "1500 g (H\xF6"
       "chstwert: 2000 g)"},
      {40, 60, false, 1, "40 g (Mindestwert: 60 g)"},
      {60, 60, false, 2, "60 g (Mindestwert: 60 g)"},
  };
  for (const Case& c : cases) {
    DAYVALUE v;
    v.unit = "g";
    v.sum = c.sum;
    v.requirement = c.requirement;
    v.isMaximum = c.maximum;
    int arrow = 99;
    EXPECT_EQ(DayValueText(v, arrow), c.text);
    EXPECT_EQ(arrow, c.arrow);
  }
}

TEST(DayPanelLines, Bars) {
  // Item rectangle 0..213 wide: W = 200.
  const int L = 0, T = 30, R = 213;
  auto bar = [&](double sum, double requirement, bool maximum) {
    DAYVALUE v;
    v.sum = sum;
    v.requirement = requirement;
    v.isMaximum = maximum;
    return LayoutDayValueBar(v, L, T, R);
  };
  // Exactly 100 %: the filled part and the mark end at W, no overshoot.
  DayValueBar b = bar(100, 100, true);
  EXPECT_EQ(b.filled.right, 205);
  EXPECT_EQ(b.filled.colour, 0x00CE00u);
  EXPECT_FALSE(b.overshoot.shown);
  EXPECT_EQ(b.markFrame.left, 205);
  // 200 % of a maximum: green and mark at half of W, orange-red up to L + 10 + W.
  b = bar(200, 100, true);
  EXPECT_EQ(b.filled.right, 105);
  EXPECT_TRUE(b.overshoot.shown);
  EXPECT_EQ(b.overshoot.left, 105);
  EXPECT_EQ(b.overshoot.right, 210);
  EXPECT_EQ(b.overshoot.colour, 0x0045FFu);
  EXPECT_EQ(b.markFrame.left, 105);
  // A minimum at 50 %: the filled half orange-red, the mark at the right end of the scale.
  b = bar(50, 100, false);
  EXPECT_EQ(b.filled.right, 105);
  EXPECT_EQ(b.filled.colour, 0x0045FFu);
  EXPECT_EQ(b.markFrame.left, 205);
  EXPECT_EQ(b.markInside.colour, 0x1FADDBu);
  EXPECT_EQ(b.track.top, T + 17);
  EXPECT_EQ(b.track.bottom, T + 24);
  // A minimum exceeded: the overshoot is green.
  EXPECT_EQ(bar(200, 100, false).overshoot.colour, 0x00CE00u);
  // A requirement below 0 shows the name alone; 0 is text mode.
  EXPECT_FALSE(bar(10, -1, false).track.shown);
  DAYVALUE zero;
  EXPECT_FALSE(DayValueInBarMode(zero, true));
  zero.requirement = -1;
  EXPECT_TRUE(DayValueInBarMode(zero, true));
  EXPECT_FALSE(DayValueInBarMode(zero, false));
}

}  // namespace
}  // namespace tav
