#include <gtest/gtest.h>

#include "import_test_support.h"

namespace tav {
namespace {

using test::Ansi;
using test::ExpectLines;
using Line = test::WantLine;
using test::ExpectCategories;

class Readers : public ::testing::Test {
 protected:
  test::ImportEnv env;
};

TEST_F(Readers, RezKonvFromThreeWritersGivesEveryField) {
  EXPECT_EQ(env.ImportFixture("rezkonv_writer_variants_cp1252.rk"), 3);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 3u);

  const REZBLOCK& r = recipes[0];
  EXPECT_EQ(r.title, Ansi("Linsensuppe mit Würstchen"));
  ExpectCategories(r, {2, 15, 17, 4});  // Hackfleisch stands for Fleisch and Hauptgerichte
  EXPECT_EQ(r.servings, 4);
  EXPECT_EQ(r.servingType, "Portionen");
  ExpectLines(r, {{"250", "g", "Linsen"},
                  {"1 1/2", "l", "Gemüsebrühe"},
                  {"2", "EL", "Öl (2-3)"},
                  {"1", "", "Zwiebel"},
                  {"", "", "Salz"},
                  {"1", "Pr", "Pfeffer"},
                  {"500", "g", "Kartoffeln"},  // a pound converts into grams
                  {"", "", "*Für die Einlage"},
                  {"4", "", "Wiener Würstchen"},
                  {"", "", "- in Scheiben"}});
  EXPECT_EQ(r.lineCount, 10);
  EXPECT_EQ(r.createdDate, "12.03.2003");
  EXPECT_EQ(r.createdBy, "Hans Meier");
  EXPECT_EQ(r.source, "Omas Kochbuch");  // the key figure replaces the source block
  EXPECT_EQ(r.hint, Ansi("Hülsenfrüchte"));
  ASSERT_EQ(r.nutrients.size(), 1u);
  EXPECT_STREQ(r.nutrients[0].code, "GJ");
  EXPECT_EQ(r.nutrients[0].value, "1500");
  EXPECT_EQ(r.text, Ansi("Linsen waschen und mit der Brühe aufsetzen.\nGemüse zugeben.\n"
                         "      Eingerückt bleibt."));
  EXPECT_TRUE(r.IsMarked());

  const REZBLOCK& s = recipes[1];
  EXPECT_EQ(s.title, "Pfannkuchen");
  ExpectCategories(s, {6});
  EXPECT_EQ(s.servings, 6);
  EXPECT_EQ(s.hint, "Desserts");
  ExpectLines(s, {{"500", "ml", "Milch"}, {"3", "", "Eier"}, {"1/2", "TL", "Salz"}});
  EXPECT_EQ(s.text, Ansi("Alles verrühren und ausbacken."));

  const REZBLOCK& t = recipes[2];
  EXPECT_EQ(t.title, "Tomato Soup");  // English head keywords
  ExpectCategories(t, {2});
  ExpectLines(t, {{"1", "Ds", "Tomaten"}, {"1", "Zeh", "Knoblauch"}});
  EXPECT_EQ(t.text, "Heat.");  // a short text line is text, and "=====   " ends the recipe

  EXPECT_NE(env.LogText().find("-> 3 RezKonv-Rezepte importiert"), std::string::npos);
}

TEST_F(Readers, RezKonvEndLineRightAfterTheIngredientsEndsThatRecipeOnly) {
  EXPECT_EQ(env.ImportFixture("rezkonv_end_line_after_ingredients.rk"), 2);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 2u);
  ExpectLines(recipes[0], {{"1", "", "Gurke"}});
  EXPECT_EQ(recipes[1].title, "Danach");
  EXPECT_EQ(recipes[1].text, "Schneiden.");
}

TEST_F(Readers, RezKonvIngredientLines) {
  struct Case {
    const char* line;
    std::vector<Line> lines;
  } cases[] = {
      {"  2-3 EL Mehl", {{"2", "EL", "Mehl (2-3)"}}},
      {"  1 1/2 Tassen Milch", {{"1 1/2", "Tas", "Milch"}}},
      {"  1\\2 TL Salz", {{"1/2", "TL", "Salz"}}},
      {"  Salz", {{"", "", "Salz"}}},
      {"  2Eier", {{"2", "", "Eier"}}},
      {"  3", {}},  // an amount alone
      {"  1 Stück Ingwer", {{"1", "Sk", "Ingwer"}}},
      // Size words name the size units the calculation weighs by the piece.
      {"  2 kleine Zwiebeln", {{"2", "kl", "Zwiebeln"}}},
      {"  1 klein Zucchini", {{"1", "kl", "Zucchini"}}},
      {"  3 mittelgroße Kartoffeln", {{"3", "mi", "Kartoffeln"}}},
      {"  1 mittlere Möhre", {{"1", "mi", "Möhre"}}},
      {"  1 groß Ei", {{"1", "gr", "Ei"}}},
      {"  2 große Äpfel", {{"2", "gr", "Äpfel"}}},
      {"  2 grosse Äpfel", {{"2", "gr", "Äpfel"}}},
      // Its own amount and unit before dashes: an ingredient; without them a description.
      {"      3 Essl. -- davon abteilen", {{"3", "EL", "davon abteilen"}}},
      {"         -- fein gewürfelt", {{"", "", "- fein gewürfelt"}}},
      // Nothing before the text column (19, where the writer puts the text): all of it is text.
      {"                   9 inch pie pan", {{"", "", "9 inch pie pan"}}},
      {"                   4-5 carrots", {{"", "", "4-5 carrots"}}},
      {"                   Prise Salz", {{"", "", "Prise Salz"}}},
      {"                   ; 250g Mehl", {{"", "", "250g Mehl", 1}}},
      {"            Prise  Salz", {{"", "Pr", "Salz"}}},
      {"  123456 Gramm Mehl", {{"123456", "g", "Mehl"}}},  // an amount too wide for its columns
  };
  for (const Case& c : cases) {
    test::ImportEnv local;
    local.ImportClipboard(Ansi(std::string("===== REZKONV =====\r\nTitel: T\r\nKategorien: \r\n"
                                           "Menge: 1\r\n") +
                               c.line + "\r\n\r\nText.\r\n=====\r\n"));
    const std::vector<REZBLOCK> recipes = local.Recipes("Ziel");
    ASSERT_EQ(recipes.size(), 1u) << c.line;
    SCOPED_TRACE(c.line);
    ExpectLines(recipes[0], c.lines);
  }
}

TEST_F(Readers, MahlzeitHeadColumnsAndGroups) {
  EXPECT_EQ(env.ImportFixture("mahlzeit_two_recipes_cp850.txt"), 2);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 2u);

  const REZBLOCK& r = recipes[0];
  EXPECT_EQ(r.title, "Kartoffelsalat");
  ExpectCategories(r, {3, 22, 3});  // repeats stay
  EXPECT_EQ(r.servings, 4);
  EXPECT_EQ(r.servingType, "Personen");
  EXPECT_EQ(r.createdBy, "");  // "unbekannt"
  EXPECT_EQ(r.createdDate, "12.05.1999");
  EXPECT_EQ(r.changedDate, "13.05.1999");
  EXPECT_EQ(r.source, "Omas Heft");
  EXPECT_EQ(r.totalTime, "45 Min.");
  EXPECT_EQ(r.costs, "niedrig");
  ASSERT_EQ(r.nutrients.size(), 1u);
  EXPECT_STREQ(r.nutrients[0].code, "GCAL");
  EXPECT_EQ(r.nutrients[0].value, "420");
  // No unit conversion; the QUELLE heading is dropped, its lines stay.
  ExpectLines(r, {{"1000", "g", "Kartoffeln"},
                  {"1", "", "Zwiebel"},
                  {"125", "ml", "Brühe"},
                  {"", "", "*Dressing"},
                  {"3", "EL", "Essig"},
                  {"1", "", "Gurke"}});
  EXPECT_EQ(r.text, "Kartoffeln kochen.\n  Zwiebel schneiden.");
  EXPECT_FALSE(r.IsMarked());  // never stored marked
  EXPECT_EQ(r.hint, "");

  const REZBLOCK& s = recipes[1];
  EXPECT_EQ(s.title, "Ein sehr langer Titel der mehr als sechzig Zeichen hat und ");  // 59
  ASSERT_EQ(s.nutrients.size(), 1u);
  EXPECT_EQ(s.nutrients[0].value, "1200 kJ");
  EXPECT_NE(s.recipeIdHigh, 0);  // the store gives one
  EXPECT_EQ(env.Entries("Ziel")[1].Title(), s.title);
  EXPECT_NE(env.LogText().find("-> 2 Mahlzeit-Rezepte importiert"), std::string::npos);
}

TEST_F(Readers, MahlzeitNextStartLineWithoutEndLineStartsTheNextRecipe) {
  env.ImportClipboard(
      "ZZZZZ Mahlzeit ZZZZZ\r\nTitel:        Eins\r\nZUBEREITUNG --\r\nA.\r\n"
      "ZZZZZ Mahlzeit ZZZZZ\r\nTitel:        Zwei\r\nZUBEREITUNG --\r\nB.\r\nZZZZZ");
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 2u);
  EXPECT_EQ(recipes[0].title, "Eins");
  EXPECT_EQ(recipes[0].text, "A.");
  EXPECT_EQ(recipes[1].title, "Zwei");  // its end line has no line break after it
}

}  // namespace
}  // namespace tav
