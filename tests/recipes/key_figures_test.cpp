#include "recipes/key_figures.h"

#include <gtest/gtest.h>

#include <cstring>

#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "recipedb/recipe_model.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

// Options, the decimal comma and a nutrient table knowing a few units.
struct KeyFigureEnv {
  KeyFigureEnv() {
    env.Options();
    SetDecimalSep(',');
    test::WriteAll(
        env.Root() + "Fields.bls",
        "GCAL;NE;\"Energie (kcal)\";\"kcal/100g\"\r\nGJ;NE;\"Energie (kJ)\";\"kJ/100g\"\r\n"
        "MNA;NH;\"Natrium\";\"mg/100g\"\r\nZF;NH;\"Fett\";\"g/100g\"\r\n"
        "VD;NH;\"Vitamin D\";\"myg/100g\"\r\nXP;NH;\"Anteil\";\"%\"\r\n");
    EXPECT_TRUE(nutrients.ReadFieldsFile(env.Root() + "Fields.bls"));
    ctx().nutrients = &nutrients;
  }
  ~KeyFigureEnv() { SetDecimalSep('.'); }
  test::TestEnv env;
  NutrientTable nutrients;
};

REZBLOCK Stored(int servings, std::vector<std::pair<const char*, const char*>> values) {
  REZBLOCK r;
  r.servings = servings;
  for (auto [code, value] : values) {
    REZSTOFFMENGE n;
    std::strncpy(n.code, code, 7);
    n.value = value;
    r.nutrients.push_back(n);
  }
  return r;
}

TEST(KeyFigures, StoredAmountsWithTheirUnits) {
  KeyFigureEnv e;
  const REZBLOCK r = Stored(4, {{"MNA", "1236,5"},
                                {"ZF", "12,5"},
                                {"VD", "3,7"},
                                {"UNB", "7,5"},
                                {"ZF", "20"},
                                {"XP", "30"}});
  std::string text;
  EXPECT_TRUE(GetNutrientText(r, "MNA", text));
  EXPECT_EQ(text, "1236 mg");
  EXPECT_TRUE(GetNutrientText(r, "ZF", text));
  EXPECT_EQ(text, "20 g");  // the later of two amounts wins
  EXPECT_TRUE(GetNutrientText(r, "VD", text));
  EXPECT_EQ(text, "3 \xB5g");  // the file's "myg" reads as micrograms
  EXPECT_TRUE(GetNutrientText(r, "UNB", text));  // a code the nutrient table does not know
  EXPECT_EQ(text, "7,5");
  EXPECT_TRUE(GetNutrientText(r, "XP", text));
  EXPECT_EQ(text, "30 ");  // a unit without '/' adds only the blank
  text = "kept";
  EXPECT_FALSE(GetNutrientText(r, "GCAL", text));
  EXPECT_FALSE(GetNutrientText(REZBLOCK(), "MNA", text));
  EXPECT_EQ(text, "kept");
}

TEST(KeyFigures, EnergyIsWorkedOutFromTheOtherUnit) {
  KeyFigureEnv e;
  std::string text;
  EXPECT_TRUE(GetNutrientText(Stored(4, {{"GJ", "1000"}}), "GCAL", text));
  EXPECT_EQ(text, "239 kcal");
  EXPECT_TRUE(GetNutrientText(Stored(4, {{"GCAL", "500,9"}}), "GJ", text));
  EXPECT_EQ(text, "2093 kJoule");  // from the whole kcal: 500 x 4.185

  const REZBLOCK r = Stored(4, {{"GCAL", "2000"}});
  EXPECT_TRUE(GetEnergyPerServing(r, text));
  EXPECT_EQ(text, "500 kcal");
  e.env.Options().SetParaBool(16, true);
  EXPECT_TRUE(GetEnergyPerServing(r, text));
  EXPECT_EQ(text, "2092 kJoule");
  EXPECT_TRUE(GetEnergyPerServing(Stored(2, {{"GJ", "1000"}}), text));
  EXPECT_EQ(text, "500 kJoule");
  e.env.Options().SetParaBool(16, false);
  EXPECT_TRUE(GetEnergyPerServing(Stored(2, {{"GJ", "1000"}}), text));
  EXPECT_EQ(text, "119 kcal");

  EXPECT_FALSE(GetEnergyPerServing(Stored(0, {{"GCAL", "2000"}}), text));
  EXPECT_FALSE(GetEnergyPerServing(Stored(4, {{"GCAL", "0"}}), text));
  EXPECT_FALSE(GetEnergyPerServing(Stored(4, {{"MNA", "10"}}), text));
}

TEST(KeyFigures, ValuesPerServing) {
  KeyFigureEnv e;
  struct Case {
    int servings;
    const char* value;
    const char* perServing;
  } cases[] = {
      {4, "1236 mg", "309 mg"}, {4, "12,5 g", "3,13 g"}, {4, "30 %", "7,50 %"},
      {3, "10 \xB5g", "3 \xB5g"},   {4, "7,5", "7,5"},       {4, "30 ", "30 "},
      {1, "12,5 g", "12,5 g"},  {0, "12,5 g", "12,5 g"}, {2, "239 kcal", "119,50 kcal"},
  };
  for (const Case& c : cases) {
    REZBLOCK r;
    r.servings = c.servings;
    std::string v = c.value;
    NutrientPerServing(r, v);
    EXPECT_EQ(v, c.perServing) << c.value << " / " << c.servings;
  }
}

TEST(KeyFigures, DefaultUnitForBareNumbers) {
  KeyFigureEnv e;
  EXPECT_EQ(AmountWithDefaultUnit("3"), "3 {538}");
  EXPECT_EQ(AmountWithDefaultUnit("3,5"), "3,5");
  EXPECT_EQ(AmountWithDefaultUnit("3 St\xFC"
                                  "ck"),
            "3 St\xFC"
            "ck");
  EXPECT_EQ(AmountWithDefaultUnit(""), "");
}

}  // namespace
}  // namespace tav
