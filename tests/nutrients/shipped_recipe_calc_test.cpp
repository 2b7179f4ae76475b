// Recipes written as cooks write them, read through the shipped units and ingredient catalogue
// and calculated with the shipped food table: every line finds its food and its weight.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "food_env.h"
#include "nutrients/recipe_calc.h"
#include "platform/charset.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_model.h"
#include "recipedb/unit_table.h"

namespace tav {
namespace {

// The shipped units and ingredients of one language folder, installed in ctx().
class ShippedCalcEnv : public test::FoodEnv {
 public:
  explicit ShippedCalcEnv(const std::string& lang) : FoodEnv(test::ShippedTable()) {
    const std::string folder = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/";
    for (const std::string& line : test::Lines(folder + "einheit.dat")) {
      REZEINHEIT u;
      if (UnitTable::ParseLine(line, u)) units.units.push_back(u);
    }
    units.SortEinheiten();
    for (const std::string& line : test::Lines(folder + "zutaten.dat"))
      catalogue.zutaten.push_back(IngredientCatalogue::ParseLine(line));
    ctx().ingredients = &catalogue;
    ctx().units = &units;
  }

  struct Written {
    const char* amount;
    const char* unitWord;
    const char* text;
    double grams;
  };
  // The lines as an import stores them: the unit word becomes its code and converts.
  REZBLOCK Recipe(const std::vector<Written>& written) {
    REZBLOCK r;
    r.servings = 4;
    for (const Written& w : written) {
      REZZUTAT z;
      z.amount = w.amount;
      EXPECT_TRUE(units.ResolveUnitCode(Utf8ToCp1252(w.unitWord), z.unit)) << w.unitWord;
      z.text = Utf8ToCp1252(w.text);
      r.lines.push_back(z);
    }
    units.ConvertRecipeUnits(r);
    return r;
  }

  void ExpectComplete(const std::vector<Written>& written) {
    REZBLOCK recipe = Recipe(written);
    calc.LoadRecipeBlockForCalc(&recipe);
    calc.LoadLineFoods();
    calc.RecalcAllLines();
    EXPECT_TRUE(calc.complete);
    ASSERT_EQ(calc.LineCount(), static_cast<int>(written.size()));
    for (size_t i = 0; i < written.size(); ++i) {
      const RecipeCalc::BLSCALC& line = calc.lines[i];
      SCOPED_TRACE(written[i].text);
      EXPECT_FALSE(line.blsCode.empty());
      EXPECT_FALSE(line.food.values.empty());
      EXPECT_TRUE(line.isConverted);
      EXPECT_DOUBLE_EQ(RecipeCalc::GramsOf(line.gramsText), written[i].grams);
    }
    EXPECT_GT(ReadNumber(calc.totals.Value(4)), 0);  // energy in kcal
  }

  UnitTable units;
  IngredientCatalogue catalogue;
  RecipeCalc calc;
};

TEST(ShippedRecipeCalc, TenGermanLinesCalculateComplete) {
  ShippedCalcEnv env("DE");
  env.ExpectComplete({{"250", "g", "Mehl", 250},
                      {"3", "Stk.", "Eier", 180},  // Stück: 3 x 60 g
                      {"500", "ml", "Milch", 500},
                      {"2", "Eßlöffel", "Zucker", 20},
                      {"1", "Prise", "Salz", 1},
                      {"2", "EL", "Öl", 20},
                      {"1", "mittelgroße", "Zwiebel", 80},
                      {"2", "", "Knoblauchzehen", 8},
                      {"200", "ml", "Sahne", 200},
                      {"100", "g", "geriebener Käse", 100}});
}

TEST(ShippedRecipeCalc, TenEnglishLinesCalculateComplete) {
  ShippedCalcEnv env("EN");
  env.ExpectComplete({{"1", "lb", "ground beef", 454},
                      {"3", "", "eggs", 180},
                      {"250", "ml", "milk", 250},
                      {"2", "tbsp", "sugar", 20},
                      {"1", "pinch", "salt", 1},
                      {"2", "tablespoons", "olive oil", 20},
                      {"1", "medium", "onion", 80},
                      {"2", "", "garlic cloves", 8},
                      {"8", "oz", "cheddar cheese", 227},
                      {"1", "large", "red bell pepper", 160}});
}

// The unit codes the calculation knows, as the shipped tables use them.
TEST(ShippedRecipeCalc, EveryCodeTheCalculationKnowsWeighsAsItSays) {
  ShippedCalcEnv env("DE");
  struct Case {
    const char* amount;
    const char* unit;
    const char* text;
    double grams;
  } cases[] = {{"3", "Sk", "Eier", 180},   {"2", "EL", "Zucker", 20}, {"2", "TL", "Zucker", 10},
               {"5", "g", "Zucker", 5},    {"5", "ml", "Milch", 5},   {"2", "cl", "Milch", 20},
               {"2", "dl", "Milch", 200},  {"1,5", "kg", "Mehl", 1500}, {"0,25", "l", "Milch", 250},
               {"2", "Pr", "Salz", 2},     {"2", "kl", "Zwiebeln", 160}, {"1", "mi", "Zwiebel", 80},
               {"1", "gr", "Zwiebel", 80}, {"", "", "Zwiebel", 80},  {"1/2", "", "Eier", 30}};
  REZBLOCK recipe;
  for (const Case& c : cases)
    recipe.lines.push_back({c.amount, c.unit, Utf8ToCp1252(c.text), "", 0, 0});
  env.calc.LoadRecipeBlockForCalc(&recipe);
  env.calc.LoadLineFoods();
  env.calc.RecalcAllLines();
  EXPECT_TRUE(env.calc.complete);
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_DOUBLE_EQ(RecipeCalc::GramsOf(env.calc.lines[i].gramsText), cases[i].grams)
        << cases[i].amount << " " << cases[i].unit << " " << cases[i].text;
}

}  // namespace
}  // namespace tav
