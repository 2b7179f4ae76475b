#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "food_env.h"
#include "nutrients/nutrient_report.h"
#include "nutrients/recipe_calc.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "recipedb/book_test_util.h"
#include "recipedb/ingredient_catalogue.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/web_addresses.h"

namespace tav {
namespace {

using test::FoodEnv;

REZZUTAT Line(const std::string& amount, const std::string& unit, const std::string& text,
              const std::string& key = "", int32_t grams = 0) {
  REZZUTAT z;
  z.amount = amount;
  z.unit = unit;
  z.text = text;
  z.blsCode = key;
  z.grams = grams;
  return z;
}

// The fixture table with a small ingredient catalogue and the decimal comma.
class CalcEnv : public FoodEnv {
 public:
  CalcEnv() : FoodEnv(test::FixtureTable()) {
    REZZUTATEN egg;
    egg.plural = "Eier";
    egg.singular = "Ei";
    egg.pieceWeight = 60;
    REZZUTATEN spinach;
    spinach.plural = "Spinat";
    spinach.singular = "Spinat";
    spinach.blsKey = "G101000";
    catalogue.zutaten = {egg, spinach};
    ctx().ingredients = &catalogue;
    ctx().calc = &calc;
  }

  // Loads the recipe as the editor's, reads its foods and calculates.
  void Run(REZBLOCK& recipe) {
    calc.LoadRecipeBlockForCalc(&recipe);
    calc.LoadLineFoods();
    calc.RecalcAllLines();
  }
  std::string Total(const char* code) { return calc.totals.Value(table.StoffIndexOfCode(code)); }
  std::string PerServing(const char* code) {
    return calc.perServing.Value(table.StoffIndexOfCode(code));
  }

  const test::DecimalComma comma;
  IngredientCatalogue catalogue;
  RecipeCalc calc;
};

// Four servings, five linked lines, a heading and a description line:
//   200 g     Spinat    G101000  23 kcal  96 kJ  2,86 g protein   79 mg sodium
//   1/2 kg    Weißkohl  G201000  25       105    1,28             18
//   2 EL      Linsen    H102000  352      1473   24,63            6     (2 x 10 g)
//   1,5 dl    Feldsalat G102000  21       88     2                4     (150 g)
//   (150 g)   Grünkohl  G202000  49       205    4,28             38    (weight by hand)
// kcal:    46 + 125 + 70,4 + 31,5 + 73,5        = 346,4    per serving 86,6
// kJ:      192 + 525 + 294,6 + 132 + 307,5      = 1451,1   per serving 362,775
// protein: 5,72 + 6,4 + 4,926 + 3 + 6,42        = 26,466   per serving 6,6165
// sodium:  158 + 90 + 1,2 + 6 + 57              = 312,2    per serving 78,05
REZBLOCK HandRecipe() {
  REZBLOCK r;
  r.title = "Gr\xFCner Teller <mit> \"Linsen\" & Kohl";
  r.servings = 4;
  r.servingType = "Personen";
  r.lines = {Line("", "", "*Salat"),
             Line("200", "g", "Spinat", "G101000"),
             Line("", "", "-gewaschen"),
             Line("1/2", "kg", "Wei\xDFkohl", "G201000"),
             Line("", "", "-fein geschnitten"),
             Line("2", "EL", "Linsen", "H102000"),
             Line("1,5", "dl", "Feldsalat", "G102000"),
             Line("1", "Bund", "Gr\xFCnkohl", "G202000", 150)};
  return r;
}

TEST(RecipeCalc, SumsOfARecipeAgreeWithTheHandCalculation) {
  CalcEnv env;
  REZBLOCK recipe = HandRecipe();
  env.Run(recipe);
  EXPECT_TRUE(env.calc.complete);
  ASSERT_EQ(env.calc.LineCount(), 6);  // the description lines became notes
  EXPECT_EQ(env.calc.lines[1].note, "gewaschen");
  EXPECT_EQ(env.calc.lines[2].note, "fein geschnitten");
  EXPECT_EQ(env.Total("GCAL"), "346,40");
  EXPECT_EQ(env.PerServing("GCAL"), "86,60");
  EXPECT_EQ(env.Total("GJ"), "1451,10");
  EXPECT_EQ(env.PerServing("GJ"), "362,78");
  EXPECT_EQ(env.Total("ZE"), "26,47");
  EXPECT_EQ(env.PerServing("ZE"), "6,62");
  EXPECT_EQ(env.Total("MNA"), "312,20");
  EXPECT_EQ(env.PerServing("MNA"), "78,05");
  EXPECT_EQ(env.calc.lines[2].gramsText, "500");
  EXPECT_EQ(env.calc.lines[3].gramsText, "20");
  EXPECT_EQ(env.calc.lines[4].gramsText, "150");
  EXPECT_EQ(env.calc.lines[5].gramsText, "150");
  EXPECT_EQ(env.calc.totals.values.size(), static_cast<size_t>(env.table.GetStoffCount()));
}

TEST(RecipeCalc, WeightOfALine) {
  struct Case {
    std::string amount, unit, text;
    int32_t grams;  // weight setting
    bool elTl;      // option 67
    std::string gramsText;
    bool converted;
  };
  const Case cases[] = {
      {"1/2", "TL", "Salz", 0, true, "2,5", true},
      {"1/2", "TL", "Salz", 0, false, "???", false},
      {"1 1/2", "EL", "Zucker", 0, true, "15", true},
      {"1,5", "kg", "Mehl", 0, true, "1500", true},
      {"1.5", "kg", "Mehl", 0, true, "1500", true},
      {"0,25", "l", "Milch", 0, true, "250", true},
      {"3", "cl", "Rum", 0, true, "30", true},
      {"2", "G", "Mehl", 0, true, "???", false},  // unit codes are compared exactly
      {"2", "Pr", "Eier", 0, true, "120", true},
      {"", "", "Ei", 0, true, "60", true},               // no amount: one piece
      {"2", "", "frische Eier", 0, true, "???", false},  // the name only contained
      {"etwas", "g", "Mehl", 0, true, "0", true},
      {"2", "Dose", "Tomaten", 0, true, "???", false},
      {"5", "g", "Mehl", 150, true, "150", true},  // weight by hand wins
      {"5", "g", "Mehl", -1, true, "Unbedeutend", true},
  };
  for (const Case& c : cases) {
    CalcEnv env;
    env.userSettings.WriteString(kRegParam, "CalcELTL", c.elTl ? "1" : "0");
    env.Options();
    REZBLOCK recipe;
    recipe.lines = {Line(c.amount, c.unit, c.text, "", c.grams)};
    env.calc.LoadRecipeBlockForCalc(&recipe);
    env.calc.ConvertAmountToGrams(0);
    EXPECT_EQ(env.calc.lines[0].gramsText, c.gramsText)
        << c.amount << " " << c.unit << " " << c.text;
    EXPECT_EQ(env.calc.lines[0].isConverted, c.converted) << c.amount << " " << c.unit;
  }
}

TEST(RecipeCalc, Completeness) {
  struct Case {
    const char* what;
    std::vector<REZZUTAT> lines;
    bool complete;
  };
  const Case cases[] = {
      {"no lines", {}, true},
      {"linked and weighed", {Line("100", "g", "x", "G101000")}, true},
      {"unlinked line", {Line("100", "g", "Mehl")}, false},
      {"food key not in the table", {Line("100", "g", "x", "G109000")}, false},
      {"food of a group without data", {Line("100", "g", "x", "M101000")}, false},
      {"food of an unknown group", {Line("100", "g", "x", "Z101000")}, false},
      {"no weight", {Line("2", "Dose", "x", "G101000")}, false},
      {"weight 0", {Line("0", "g", "x", "G101000")}, false},
      {"unimportant and unlinked", {Line("1", "Prise", "Salz", "", -1)}, true},
      {"heading and description", {Line("", "", "*Teig"), Line("", "", "-kalt")}, true},
      {"catalogue gives the key", {Line("100", "g", "Spinat")}, true},
  };
  for (const Case& c : cases) {
    CalcEnv env;
    REZBLOCK recipe;
    recipe.lines = c.lines;
    env.Run(recipe);
    EXPECT_EQ(env.calc.complete, c.complete) << c.what;
    EXPECT_EQ(env.calc.StatusText(), GetLangText(c.complete ? 409 : 410)) << c.what;
  }
}

TEST(RecipeCalc, ServingsAndUnscaledIndexes) {
  CalcEnv env;
  REZBLOCK recipe;
  recipe.servings = 0;
  recipe.lines = {Line("200", "g", "Spinat", "G101000")};
  env.Run(recipe);
  EXPECT_EQ(env.Total("GCAL"), "46,00");
  EXPECT_EQ(env.PerServing("GCAL"), "0,00");
  EXPECT_FALSE(IsUnscaledStoffIndex(137));
  EXPECT_TRUE(IsUnscaledStoffIndex(138));
  EXPECT_TRUE(IsUnscaledStoffIndex(139));
  EXPECT_TRUE(IsUnscaledStoffIndex(144));
}

TEST(RecipeCalc, ValueLineOfTheWholeRecipeAndEnergyOfOneServing) {
  CalcEnv env;
  REZBLOCK recipe;
  recipe.servings = 4;
  // 230 g at 105 kJ and 370 g at 205 kJ: 1000 kJ in all.
  recipe.lines = {Line("230", "g", "Wei\xDFkohl", "G201000"),
                  Line("370", "g", "Gr\xFCnkohl", "G202000")};
  env.Run(recipe);
  bool calculated = false;
  double energy = 0;
  std::string line;
  env.calc.GetRecipeTotalLine(calculated, energy, line);
  EXPECT_TRUE(calculated);
  EXPECT_DOUBLE_EQ(energy, 250);  // one serving, though the line is the whole recipe's
  EXPECT_EQ(line, "0;0;0;522,96;238,80;1000,00;18,78;3,67;182,00;528,18");

  recipe.lines.push_back(Line("1", "Dose", "Mais"));
  env.Run(recipe);
  env.calc.GetRecipeTotalLine(calculated, energy, line);
  EXPECT_FALSE(calculated);
  EXPECT_EQ(line, "0;0;0;0;0;0;0;0;0;0");
  EXPECT_DOUBLE_EQ(energy, 250);
}

TEST(RecipeCalc, RescalingADiaryEntry) {
  CalcEnv env;
  struct Case {
    double base, amountBefore, amount;
    std::string line;
    std::string scaled;
    double amountAfter, energy;
  };
  const Case cases[] = {
      {4, 1, 2, "0;x;y;100;50;200;;1,5;3;4", "0;x;y;50,00;25,00;100,00;;0,75;1,50;2,00", 2, 100},
      {4, 2, 0, "0;x;y;100;50;200;0;0;0;0", "0;x;y;50,00;25,00;100,00;0,00;0,00;0,00;0,00", 2, 100},
      {0, 3, 1, "0;x;y;100;50;200", "0;x;y;100;50;200", 1, 200},
      // More fields than the table has: the extra ones are kept as they are.
      {1, 1, 2, "0;x;y;1;1;1;1;1;1;1;7;8", "0;x;y;2,00;2,00;2,00;2,00;2,00;2,00;2,00;7;8", 2, 2},
  };
  for (const Case& c : cases) {
    double amount = c.amountBefore, energy = -1;
    LB_DATA parsed;
    env.calc.complete = false;
    EXPECT_TRUE(
        env.calc.ScaleEntryToAmount({amount, c.base, energy, c.line, parsed}, c.amount, true));
    EXPECT_TRUE(env.calc.complete);
    std::string joined;
    FoodDatabase::JoinBLSValues(&parsed, &joined);
    EXPECT_EQ(joined, c.scaled) << c.line;
    EXPECT_DOUBLE_EQ(amount, c.amountAfter);
    EXPECT_DOUBLE_EQ(energy, c.energy);
  }
  // A long line keeps every value.
  std::string longLine = "0;x;y";
  for (int i = 3; i < 400; ++i) longLine += ";12345,678";
  double amount = 1, energy = 0;
  LB_DATA parsed;
  env.calc.ScaleEntryToAmount({amount, 1, energy, longLine, parsed}, 1, false);
  EXPECT_EQ(parsed.values.size(), 400u);
}

TEST(RecipeCalc, LineChangesByTheWindow) {
  CalcEnv env;
  REZBLOCK recipe;
  recipe.servings = 1;
  recipe.lines = {Line("2", "Dose", "Spinat", "G101000")};
  env.Run(recipe);
  EXPECT_FALSE(env.calc.complete);
  EXPECT_EQ(env.calc.LineMessages(0),
            (std::array<std::string, 2>{GetLangText(407), GetLangText(408)}));

  env.calc.SetManualGrams(0, "300");
  EXPECT_TRUE(env.calc.complete);
  EXPECT_EQ(env.calc.lines[0].gramsSetting, 300);
  EXPECT_EQ(env.Total("GCAL"), "69,00");
  EXPECT_EQ(env.calc.LineMessages(0), (std::array<std::string, 2>{}));

  env.calc.SetManualGrams(0, "abc");  // no digits: automatic rules again
  EXPECT_FALSE(env.calc.lines[0].isManual);
  EXPECT_EQ(env.calc.lines[0].gramsText, "???");
  env.calc.SetManualGrams(0, "-1");  // never becomes the "unimportant" mark
  EXPECT_EQ(env.calc.lines[0].gramsSetting, 0);

  env.calc.SetUnimportant(0);
  EXPECT_TRUE(env.calc.complete);
  EXPECT_EQ(env.calc.lines[0].gramsText, "Unbedeutend");
  EXPECT_EQ(env.Total("GCAL"), "0,00");
  env.calc.SetAutomatic(0);
  EXPECT_EQ(env.calc.lines[0].gramsSetting, 0);
  EXPECT_FALSE(env.calc.complete);

  env.calc.SetLineFood(0, "", "");  // the chooser closed without a food: key kept
  EXPECT_EQ(env.calc.lines[0].blsCode, "G101000");
  env.calc.SetLineFood(0, "H102000", "Linsen");
  EXPECT_EQ(env.calc.lines[0].blsName, "Linsen");

  REZBLOCK unlinked;
  unlinked.lines = {Line("1", "g", "Mehl")};
  env.Run(unlinked);
  EXPECT_EQ(env.calc.LineMessages(0),
            (std::array<std::string, 2>{GetLangText(405), GetLangText(406)}));
  env.calc.SetManualGrams(5, "1");  // out of range: nothing
}

TEST(RecipeCalc, StoredSumsKeysAndWeightsOfAnEditedRecipe) {
  CalcEnv env;
  ctx().options->blsRezStoffe = {4, 6};  // GCAL, ZE
  ctx().options->blsRezStoffeStored = true;
  REZBLOCK recipe = HandRecipe();
  REZSTOFFMENGE own;
  std::strcpy(own.code, "MNA");
  own.value = "1";
  REZSTOFFMENGE gone;
  std::strcpy(gone.code, "XYZ");
  gone.value = "5";
  recipe.nutrients = {own, gone};
  recipe.lines[3].blsCode.clear();  // the catalogue knows no "Weißkohl": unlinked
  env.Run(recipe);
  EXPECT_FALSE(env.calc.complete);
  env.calc.StoreNutrientSums();
  ASSERT_EQ(recipe.nutrients.size(), 2u);  // incomplete: the sums stay as they were
  EXPECT_EQ(recipe.nutrients[0].value, "1");

  env.calc.SetLineFood(2, "G201000",
                       "Wei\xDF"
                       "kohl");
  ASSERT_TRUE(env.calc.complete);
  env.calc.StoreNutrientSums();
  ASSERT_EQ(recipe.nutrients.size(), 4u);
  const std::pair<std::string, std::string> expected[] = {
      {"GCAL", "346,40"}, {"ZE", "26,47"}, {"MNA", "312,20"}, {"XYZ", "0,00"}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(std::string(recipe.nutrients[i].code), expected[i].first);
    EXPECT_EQ(recipe.nutrients[i].value, expected[i].second);
  }
  // Keys and weight settings went back into the lines; heading and description lines have none.
  EXPECT_EQ(recipe.lines[3].blsCode, "G201000");
  EXPECT_EQ(recipe.lines[7].grams, 150);
  EXPECT_EQ(recipe.lines[0].blsCode, "");
  EXPECT_EQ(recipe.lines[2].blsCode, "");

  std::string energy;
  env.calc.editorEnergy = [&](const std::string& text) { energy = text; };
  env.calc.HandEnergyToEditor();
  EXPECT_EQ(energy, "87");  // 346,4 kcal for 4 servings
}

TEST(RecipeCalc, BeforeAListIsChosenEnergyAndMainNutrientsAreStored) {
  CalcEnv env;
  ASSERT_FALSE(ctx().options->blsRezStoffeStored);
  REZBLOCK recipe = HandRecipe();
  env.Run(recipe);
  ASSERT_TRUE(env.calc.complete);
  env.calc.StoreNutrientSums();
  // The fixture table has no carbohydrates: energy in kcal and kJ, protein and fat.
  std::vector<std::string> codes;
  for (const REZSTOFFMENGE& m : recipe.nutrients) codes.push_back(m.code);
  EXPECT_EQ(codes, (std::vector<std::string>{"GCAL", "GJ", "ZE", "ZF"}));
  EXPECT_EQ(recipe.nutrients[0].value, "346,40");

  // A list the user emptied on purpose stores none.
  ctx().options->blsRezStoffeStored = true;
  ctx().options->blsRezStoffe.clear();
  recipe.nutrients.clear();
  env.calc.StoreNutrientSums();
  EXPECT_TRUE(recipe.nutrients.empty());
}

TEST(RecipeCalc, AnUnimportantLineNeedsNoFoodAndNoWeight) {
  CalcEnv env;
  REZBLOCK recipe;
  recipe.servings = 1;
  recipe.lines = {Line("5", "g", "Salz"), Line("", "", "*Teig")};
  env.Run(recipe);
  EXPECT_EQ(env.calc.LineMessages(0),
            (std::array<std::string, 2>{GetLangText(405), GetLangText(406)}));
  env.calc.SetUnimportant(0);
  EXPECT_EQ(env.calc.LineMessages(0), (std::array<std::string, 2>{}));
  EXPECT_EQ(env.calc.LineMessages(1), (std::array<std::string, 2>{}));  // a heading
  env.calc.SetAutomatic(0);
  EXPECT_EQ(env.calc.LineMessages(0)[0], GetLangText(405));
}

TEST(RecipeCalc, IncompleteCalculationKeepsTheEditorsEnergy) {
  CalcEnv env;
  REZBLOCK recipe;
  recipe.lines = {Line("1", "g", "Mehl")};
  env.Run(recipe);
  bool called = false;
  env.calc.editorEnergy = [&](const std::string&) { called = true; };
  env.calc.HandEnergyToEditor();
  EXPECT_FALSE(called);
  EXPECT_TRUE(test::ShownText(env.messages, 316));
}

TEST(RecipeCalc, GridRows) {
  CalcEnv env;
  REZBLOCK recipe = HandRecipe();
  recipe.lines.push_back(Line("1", "Prise", "Salz", "", -1));
  recipe.lines.push_back(Line("0.666666666666667", "EL", "Essig"));  // an old CookML import
  env.Run(recipe);
  const auto rows = env.calc.IngredientRows();
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[7][0], "0,67");  // never more than two decimals
  EXPECT_EQ(rows[0], (std::array<std::string, 5>{"", "", "Salat", "", ""}));
  EXPECT_EQ(rows[1],
            (std::array<std::string, 5>{"200", "g", "Spinat, gewaschen", "Spinat", "200 g"}));
  EXPECT_EQ(rows[6][4], "Unbedeutend");
  EXPECT_EQ(env.calc.ServingColumnTitle(), "\xE0 Person");
  recipe.servingType = "Portionen";
  EXPECT_EQ(env.calc.ServingColumnTitle(), "\xE0 Portion");
  recipe.servingType =
      "St\xFC"
      "ck";
  EXPECT_EQ(env.calc.ServingColumnTitle(),
            "St\xFC"
            "ck");

  // All nutrients: every row, text columns without sums but with the food's own text.
  auto result = env.calc.ResultRows(0, 1);
  ASSERT_EQ(result.size(), static_cast<size_t>(env.table.GetStoffCount()));
  EXPECT_EQ(result[1], (std::array<std::string, 5>{"Bezeichnung", "", "", "Spinat", ""}));
  EXPECT_EQ(result[4],
            (std::array<std::string, 5>{"Energie (kcal)", "346,40", "86,60", "46,00", "kcal"}));
  EXPECT_EQ(env.calc.ResultRows(0, 0)[4][3], "");   // heading
  EXPECT_EQ(env.calc.ResultRows(0, 6)[4][3], "");   // unimportant
  EXPECT_EQ(env.calc.ResultRows(0, -1)[4][3], "");  // none selected: the first line
  // A filter group: its nutrients in its order.
  result = env.calc.ResultRows(2, 1);  // "Mineralstoffe"
  ASSERT_EQ(result.size(), 1u);
  EXPECT_EQ(result[0][0], "Natrium");
  EXPECT_EQ(result[0][4], "mg");
}

TEST(RecipeCalc, SumsOfABookRecipeAreStoredInItsRecordAndReadBack) {
  test::BookEnv b("Kochbuch");
  std::filesystem::copy(
      test::FixtureTable(), b.Data(),
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  b.env.userSettings.WriteString(kRegParam, "AKTLANGUAGE", "DE");
  b.env.Options().blsRezStoffe = {4, 5, 6, 8};  // GCAL, GJ, ZE, MNA
  ctx().options->blsRezStoffeStored = true;
  NutrientTable table;
  FoodDatabase foods;
  RecipeCalc calc;
  ctx().nutrients = &table;
  ctx().foods = &foods;
  ctx().calc = &calc;
  ASSERT_TRUE(table.LoadNutrientTable());
  ASSERT_TRUE(foods.LoadBLSIndex());
  const test::DecimalComma comma;

  REZBLOCK recipe = HandRecipe();
  const REZINDEX before = b.AddRecipe(recipe);
  const int16_t book = b.store.BookId();
  ASSERT_TRUE(calc.LoadRecipeForCalc(book, recipe.number));
  calc.LoadLineFoods();
  calc.RecalcAllLines();
  ASSERT_TRUE(calc.complete);
  calc.StoreNutrientSums();

  // A fresh store, as after a restart, reads the new record.
  TdbList reopened;
  ctx().dbList = &reopened;
  ASSERT_TRUE(reopened.LoadBookIndex());
  ASSERT_EQ(reopened.BookIndex().size(), 1u);
  const REZINDEX after = reopened.BookIndex()[0];
  EXPECT_GT(after.offset, before.offset);
  EXPECT_EQ(after.deleted, 0);
  REZBLOCK back;
  ASSERT_TRUE(reopened.ReadRezBlockByKey(book, recipe.number, back));
  const std::pair<std::string, std::string> expected[] = {
      {"GCAL", "346,40"}, {"GJ", "1451,10"}, {"ZE", "26,47"}, {"MNA", "312,20"}};
  ASSERT_EQ(back.nutrients.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(std::string(back.nutrients[i].code), expected[i].first);
    EXPECT_EQ(back.nutrients[i].value, expected[i].second);
  }
  EXPECT_EQ(back.lines[7].grams, 150);
  EXPECT_EQ(back.lines[5].blsCode, "H102000");
  // The old record carries the deleted mark.
  REZBLOCK old;
  ASSERT_TRUE(reopened.ReadRezBlock("Kochbuch", &before, -1, old));
  EXPECT_EQ(old.deleted, 1);
}

// The report of the hand-calculated recipe with the "Hauptnährstoffe" filter: every text is
// escaped (the title holds <, >, " and &).
NutrientReport HandReport(CalcEnv& env, REZBLOCK& recipe) {
  env.Run(recipe);
  NutrientReport r;
  r.title = recipe.title;
  r.ingredientRows = env.calc.IngredientRows();
  r.resultRows = env.calc.ResultRows(1, 1);
  r.servingTitle = env.calc.ServingColumnTitle();
  r.status = env.calc.StatusText();
  return r;
}

TEST(NutrientReport, PageOfTheFixtureRecipeMatchesTheGoldenFile) {
  CalcEnv env;
  env.userSettings.WriteString(kRegParam, "NoFootline", "1");
  env.Options();
  REZBLOCK recipe = HandRecipe();
  recipe.lines.push_back(Line("1", "Prise", "Salz & Pfeffer", "", -1));
  const std::string html = NutrientReportHtml(HandReport(env, recipe));
  if (const char* dump = std::getenv("TAVOLIN_WRITE_GOLDEN")) test::WriteAll(dump, html);
  EXPECT_EQ(html, test::ReadAll(test::Fixture("nutrient_report_hand_recipe.html")));
}

TEST(NutrientReport, FooterAndOutput) {
  CalcEnv env;
  TToolsMod tools;
  ctx().tools = &tools;
  REZBLOCK recipe = HandRecipe();
  const NutrientReport report = HandReport(env, recipe);
  std::string version;
  tools.GetVersionString(version);
  const std::string html = NutrientReportHtml(report);
  EXPECT_NE(html.find("<hr>\r\n<font face=\"Arial\" size=\"1\">" + GetLangText(426) +
                      " <a href=\"" + kMakerWebSite + "\" target=\"_blank\">Tavolin! V" + version +
                      "</a></font><br>\r\n"),
            std::string::npos);
  ASSERT_TRUE(OutputNutrientReport(report));
  EXPECT_EQ(test::ReadAll(env.Root() + "HTML/blsvalues.html"), html);
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_EQ(env.shell.opened[0], env.Root() + "HTML/blsvalues.html");
  // A report that cannot be written is not opened.
  RemoveFile(env.Root() + "HTML/blsvalues.html");
  MakeDirs(env.Root() + "HTML/blsvalues.html/");
  EXPECT_FALSE(OutputNutrientReport(report));
  EXPECT_EQ(env.shell.opened.size(), 1u);
}

TEST(NutrientReport, AFreshDataRootGetsItsHtmlFolder) {
  CalcEnv env;
  REZBLOCK recipe = HandRecipe();
  const NutrientReport report = HandReport(env, recipe);
  // The shipped data root has no HTML folder: the report makes it.
  std::filesystem::remove_all(env.Root() + "HTML");
  ASSERT_TRUE(OutputNutrientReport(report));
  EXPECT_TRUE(FileExists(env.Root() + "HTML/blsvalues.html"));
  // A folder spelt in another case is the HTML folder too.
  std::filesystem::remove_all(env.Root() + "HTML");
  MakeDirs(env.Root() + "html");
  ASSERT_TRUE(OutputNutrientReport(report));
  EXPECT_TRUE(FileExists(env.Root() + "html/blsvalues.html"));
  EXPECT_FALSE(DirExists(env.Root() + "HTML"));
}

}  // namespace
}  // namespace tav
