#include "recipes/recipe_view.h"

#include <gtest/gtest.h>

#include "recipedb/servings.h"
#include "recipes/key_figure_choice.h"
#include "services/amounts.h"
#include "recipes/view_env.h"

namespace tav {
namespace {

using test::AppleCake;

std::vector<std::string> Amounts(const REZBLOCK& r) {
  std::vector<std::string> out;
  for (const REZZUTAT& z : r.lines) out.push_back(z.amount);
  return out;
}

TEST(ShownRecipe, ScaledToTheChosenServingsWithTwoDecimals) {
  test::ViewEnv env;
  REZBLOCK r = AppleCake();  // 3 servings
  r.lines.push_back({"1,5", "", "Butter", "", 0, 0});
  SetChosenServings(4);
  ScaleToChosenServings(r);
  EXPECT_EQ(r.servings, 4);
  EXPECT_EQ(GetRecipeServings(), 3);
  // 250 g -> 333,33 g; 1 -> 1,33; both ends of a range; words and headings stay.
  EXPECT_EQ(Amounts(r), (std::vector<std::string>{"", "333,33", "1,33", "", "2,67-4", "",
                                                   "etwas", "2"}));

  // Two decimals or fewer stay as the scaling wrote them; the own servings scale nothing.
  REZBLOCK q = test::PlainRecipe("Brot");  // 2 servings
  q.lines = {{"2,5", "", "Mehl", "", 0, 0}, {"0,3", "", "Salz", "", 0, 0}};
  SetChosenServings(1);
  ScaleToChosenServings(q);
  EXPECT_EQ(Amounts(q), (std::vector<std::string>{"1,25", "0,15"}));
  SetChosenServings(0);
  q = test::PlainRecipe("Brot");
  q.lines[0].amount = "1,23456";
  ScaleToChosenServings(q);
  EXPECT_EQ(q.servings, 2);
  EXPECT_EQ(q.lines[0].amount, "1,23456");
}

TEST(ShownRecipe, RoundingOfLongDecimals) {
  test::ViewEnv env;
  EXPECT_EQ(RoundLongDecimals("1,33333333333333"), "1,33");
  EXPECT_EQ(RoundLongDecimals("2,666"), "2,67");
  EXPECT_EQ(RoundLongDecimals("1.0051"), "1,01");  // a point is taken like the comma
  EXPECT_EQ(RoundLongDecimals("1,25"), "1,25");
  EXPECT_EQ(RoundLongDecimals("1/3"), "1/3");
  EXPECT_EQ(RoundLongDecimals("0,333-0,6667"), "0,33-0,67");
}

TEST(ShownRecipe, TitleAndTextWithRemarks) {
  test::ViewEnv env;
  const REZBLOCK r = AppleCake();
  EXPECT_EQ(ShownRecipeTitle(r, ""), " Apfelkuchen");
  EXPECT_EQ(ShownRecipeTitle(r, "Omas Buch"), " Apfelkuchen (" + GetLangText(573) + ": Omas Buch)");

  const std::string text = "Teig kneten.\r\nBacken.";
  struct Case {
    int mode;
    std::string user;
    std::string expected;
  };
  const Case cases[] = {
      {0, "Anna", text},
      {15, "Anna", text + "\n\n  Anna:\nSaftig!\n\n  Bert:\nMehr Zimt\n"},
      {16, "Anna", text + "\n\n  Anna:\nSaftig!\n"},
      {16, "anna", text + "\n"},  // the author must match exactly; the break stays
      {16, "Bert", text + "\n\n  Bert:\nMehr Zimt\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShownRecipeText(r, c.mode, c.user), c.expected) << c.mode << c.user;
  REZBLOCK none = r;
  none.remarks.clear();
  EXPECT_EQ(ShownRecipeText(none, 15, "Anna"), text);
}

TEST(IngredientPane, LinesAndTheirIngredients) {
  test::ViewEnv env;
  REZBLOCK r = AppleCake();
  r.lines.push_back({"2,5", "Ds", "Tomaten", "", 0, 0});
  r.lines.push_back({"ca. 2", "", "Eier", "", 0, 0});
  r.lines.push_back({"1,5-2", "l", "Milch", "", 0, 0});
  const std::vector<IngredientPaneLine> lines = IngredientPaneLines(r);
  const std::vector<std::pair<std::string, int>> expected = {
      {"----- Teig -----", -1},      // a first heading gets no empty line before it
      {"250 g Mehl", 1},
      {"1 Ds \xC4pfel", 2},
      {"     gesch\xE4lt", 2},       // a description carries the ingredient above
      {"2-3 EL Zucker", 4},
      {"", -1},
      {"----- Guss -----", -1},
      {"etwas Zimt", 6},
      {"2,50 Ds Tomaten", 7},
      {"ca. 2 Eier", 8},             // no number: listed as written
      {"1,50-2 l Milch", 9},
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].text, expected[i].first) << i;
    EXPECT_EQ(lines[i].data, expected[i].second) << i;
  }
  REZBLOCK bare;
  bare.lines = {{"", "", "Salz", "", 0, 0}, {"", "", "-nach Geschmack", "", 0, 0}};
  const std::vector<IngredientPaneLine> b = IngredientPaneLines(bare);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[0].text, "Salz");
  EXPECT_EQ(b[1].data, 0);
}

TEST(IngredientPane, HintsSpellTheUnitAndJoinDescriptions) {
  test::ViewEnv env;
  REZBLOCK r = AppleCake();
  r.lines.push_back({"2,5", "Ds", "Tomaten", "", 0, 0});
  r.lines.push_back({"1,5", "Ds", "Mais", "", 0, 0});
  r.lines.push_back({"3", "xyz", "Nudeln", "", 0, 0});
  r.lines.push_back({"0.666666666666667", "Ds", "Erbsen", "", 0, 0});  // an old CookML import
  EXPECT_EQ(IngredientLineText(r, 2), "1 Dose \xC4pfel gesch\xE4lt");
  EXPECT_EQ(IngredientLineText(r, 10), "0,67 Dose Erbsen");  // never more than two decimals
  EXPECT_EQ(IngredientLineText(r, 7), "2,5 Dosen Tomaten");  // 2,5 reads as 2: above 1
  EXPECT_EQ(IngredientLineText(r, 8), "1,5 Dose Mais");      // 1,5 reads as 1
  EXPECT_EQ(IngredientLineText(r, 9), "3  Nudeln");          // a code the table lacks
  EXPECT_EQ(IngredientLineText(r, 6), "etwas  Zimt");
  EXPECT_EQ(IngredientLineText(r, 99), "");
}

class KeyFigureRowsTest : public ::testing::Test {
 protected:
  void SetUp() override { choice.currentKind = kKeyFiguresScreen; }
  void Choose(std::initializer_list<int> ids) {
    for (int id : ids) choice.AddKeyFigure(choice.MakeGeneralFigure(id));
  }
  // The recipe as the view holds it: read, scaled to `servings`, its book id set.
  REZBLOCK Shown(int servings) {
    REZBLOCK r = AppleCake();
    r.bookId = env.store.BookId();
    SetChosenServings(servings);
    ScaleToChosenServings(r);
    return r;
  }
  test::ViewEnv env;
  KeyFigureChoice choice;
};

TEST_F(KeyFigureRowsTest, EveryGeneralFigure) {
  Choose({kFigureServings, kFigureCategories, kFigureKeywords, kFigureCosts, kFigureSource,
          kFigureTotalTime, kFigurePrepTime, kFigureCookTime, kFigureCreatedBy,
          kFigureChangedBy, kFigureAllRemarks, kFigureRecipeId, kFigureEnergy, kFigureQuality,
          kFigureDifficulty, kFigureBookName});
  const std::vector<KeyFigureRow> rows = KeyFigureRows(Shown(3), &choice, kKeyFiguresScreen);
  const std::vector<KeyFigureRow> expected = {
      {GetLangText(539), "3 St\xFC" "cke"},
      {GetLangText(540), "Hauptgerichte"},
      {"", ""},  // the category 9999 no longer exists: an empty value
      {"", "Suppen"},
      {GetLangText(541), "Obst"},
      {"", "Backen"},
      {"", "Herbst"},
      {GetLangText(542), "4 Euro"},
      {GetLangText(543), "Omas Heft"},
      {"", "Seite 12"},
      {GetLangText(544), "90 " + GetLangText(538)},
      {GetLangText(545), "20 Min."},
      {GetLangText(547), "Anna"},
      {GetLangText(556), std::to_string(0x02A51234) + ",77"},
      {GetLangText(569), "800 kcal"},
      {GetLangText(690), "~Q3"},  // difficulty '0' gives no row
      {GetLangText(692), "Rezepte"},
  };
  EXPECT_EQ(rows, expected);
}

TEST_F(KeyFigureRowsTest, ServingsShownForOtherCountsKeepPerServingValues) {
  Choose({kFigureServings, kFigureEnergy});
  choice.AddKeyFigure(choice.MakeNutrientFigure("ZF", "Fett"));
  choice.AddKeyFigure(choice.MakeNutrientFigure("ZE", "Eiwei\xDF"));  // not stored: no row
  choice.keyFigures[2].altText = "Fett je Portion";
  const std::vector<KeyFigureRow> rows = KeyFigureRows(Shown(6), &choice, kKeyFiguresScreen);
  // 2400 kcal and 60,6 g for the recipe's 3 servings, whatever count it is shown for.
  const std::vector<KeyFigureRow> expected = {
      {GetLangText(31), "6 St\xFC" "cke"},
      {GetLangText(32), "3 St\xFC" "cke"},
      {GetLangText(569), "800 kcal"},
      {"Fett je Portion", "20,20 g"},
  };
  EXPECT_EQ(rows, expected);
}

TEST_F(KeyFigureRowsTest, OnlyTheKindAskedForAndNothingWithoutAChoice) {
  choice.currentKind = kKeyFiguresPrint;
  Choose({kFigureCosts});
  EXPECT_TRUE(KeyFigureRows(Shown(3), &choice, kKeyFiguresScreen).empty());
  EXPECT_EQ(KeyFigureRows(Shown(3), &choice, kKeyFiguresPrint).size(), 1u);
  EXPECT_TRUE(KeyFigureRows(Shown(3), nullptr, kKeyFiguresScreen).empty());

  // A servings count of 0 shows the serving type alone; no identifier without its low part.
  choice.currentKind = kKeyFiguresScreen;
  Choose({kFigureServings, kFigureRecipeId});
  REZBLOCK r = test::PlainRecipe("Brot");
  r.servings = 0;
  r.servingType = "Laib";
  SetChosenServings(0);
  ScaleToChosenServings(r);
  EXPECT_EQ(KeyFigureRows(r, &choice, kKeyFiguresScreen),
            (std::vector<KeyFigureRow>{{GetLangText(539), "Laib"}}));
}

}  // namespace
}  // namespace tav
