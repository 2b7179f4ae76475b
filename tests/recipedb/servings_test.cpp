#include "recipedb/servings.h"

#include <gtest/gtest.h>

#include "platform/numbers.h"
#include "recipedb/recipe_model.h"
#include "services/tools_module.h"
#include "support/test_env.h"

namespace tav {
namespace {

struct ServingsEnv {
  ServingsEnv() {
    ctx().tools = &tools;
    SetDecimalSep(',');
  }
  ~ServingsEnv() { SetDecimalSep('.'); }
  test::TestEnv env;
  TToolsMod tools;
};

REZBLOCK Recipe(int servings, std::vector<std::pair<std::string, std::string>> lines) {
  REZBLOCK r;
  r.servings = servings;
  for (auto& [amount, unit] : lines) r.lines.push_back({amount, unit, "Zutat", "", 0, 0});
  return r;
}

TEST(Servings, ChoiceFollowsAndPersists) {
  ServingsEnv e;
  EXPECT_EQ(GetChosenServings(), 0);
  SetRecipeServings(4);
  EXPECT_EQ(GetChosenServings(), 4);  // nothing chosen: the recipe's own
  SetChosenServings(2);
  SetRecipeServings(6);
  EXPECT_EQ(GetChosenServings(), 2);  // kept for the next recipe
  SetChosenServings(-1);
  EXPECT_EQ(GetChosenServings(), 6);
  SetChosenServings(-2);
  EXPECT_EQ(GetChosenServings(), -2);
  SetRecipeServings(3);
  EXPECT_EQ(GetChosenServings(), 3);
  EXPECT_EQ(GetRecipeServings(), 3);
  SetRecipeServings(5);
  EXPECT_EQ(GetChosenServings(), 3);
  SetChosenServings(0);
  EXPECT_EQ(GetChosenServings(), 5);
}

TEST(Servings, ScalingFourServingsToTwoEightAndOne) {
  ServingsEnv e;
  struct Case {
    const char* amount;
    const char* unit;
    const char* for2;
    const char* for8;
    const char* for1;
  } cases[] = {
      {"1/2", "TL", "1/4", "1", "1/8"},
      {"500", "g", "250", "1", "125"},  // 1000 g become 1 kg
      {"1,5", "l", "3/4", "3", "3/8"},
      {"1 1/2", "EL", "3/4", "3", "3/8"},
      {"3", "St", "1,5", "6", "3/4"},
      {"2-3", "EL", "1-1,5", "4-6", "0,5-0,75"},
      {"etwas", "", "etwas", "etwas", "etwas"},
      {"\xBD", "Tasse", "1/4", "1", "1/8"},  // fraction signs read as the fractions they are
      {"1\xBD", "EL", "3/4", "3", "3/8"},
      {"1 \xBD", "EL", "3/4", "3", "3/8"},
      {"2\xBC-3", "EL", "1,125-1,5", "4,5-6", "0,5625-0,75"},
      {"", "", "", "", ""},
      {"1200", "ml", "600", "2,4", "300"},
  };
  const char* units8[] = {"TL", "kg", "l", "EL", "St", "EL", "", "Tasse", "EL", "EL", "EL", "",
                          "l"};
  for (int target : {2, 8, 1}) {
    REZBLOCK r;
    r.servings = 4;
    for (const Case& c : cases) r.lines.push_back({c.amount, c.unit, "Zutat", "", 0, 0});
    ScaleRecipeAmounts(r, static_cast<uint16_t>(target));
    EXPECT_EQ(r.servings, 4);
    for (size_t i = 0; i < r.lines.size(); ++i) {
      const Case& c = cases[i];
      EXPECT_EQ(r.lines[i].amount, target == 2   ? c.for2
                                   : target == 8 ? c.for8
                                                 : c.for1)
          << c.amount << " for " << target;
      if (target == 8) {
        EXPECT_EQ(r.lines[i].unit, units8[i]) << c.amount;
      }
    }
  }
}

TEST(Servings, HeadingsZeroServingsAndThirds) {
  ServingsEnv e;
  REZBLOCK r = Recipe(3, {{"1", "Tasse"}, {"2", ""}, {"2", ""}, {"2000", "g"}});
  r.lines[1].text = "*F\xFCr den Teig";
  r.lines[2].text = "-fein gehackt";
  ScaleRecipeAmounts(r, 1);
  EXPECT_EQ(r.lines[0].amount, "1/3");
  EXPECT_EQ(r.lines[1].amount, "2");
  EXPECT_EQ(r.lines[2].amount, "2");
  EXPECT_EQ(r.lines[3].amount, "666,666666666667");

  REZBLOCK none = Recipe(0, {{"0,5", "EL"}, {"3", "St"}, {"2500", "g"}});
  ScaleRecipeAmounts(none, 8);  // no servings: only the readable forms
  EXPECT_EQ(none.lines[0].amount, "1/2");
  EXPECT_EQ(none.lines[1].amount, "3");
  EXPECT_EQ(none.lines[2].amount, "2,5");
  EXPECT_EQ(none.lines[2].unit, "kg");
}

TEST(AmountValues, NumbersFractionsAndWhatIsNoNumber) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {{"2", true, 2},          {" 1,5 ", true, 1.5}, {"1.5", true, 1.5},
               {"1/2", true, 0.5},      {"1 1/2", true, 1.5}, {"\xBE", true, 0.75},
               {"1\xBD", true, 1.5},    {"2 \xBC", true, 2.25},
               {"1,5\xBD", false, 0},   {"1\xBD\xBD", false, 0},
               {"2-3", false, 0},       {"", false, 0},       {"etwas", false, 0},
               {"1/0", false, 0},       {"1/2/3", false, 0},  {"1.000,5", false, 0},
               {"3 Scheiben", false, 0}};
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(ReadAmountValue(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace tav
