#include <gtest/gtest.h>

#include "import_test_support.h"

namespace tav {
namespace {

using test::Ansi;
using test::ExpectLines;
using Line = test::WantLine;

class MealMaster : public ::testing::Test {
 protected:
  test::ImportEnv env;
};

TEST_F(MealMaster, OneColumnCodePage437WithCrLfGivesEveryField) {
  EXPECT_EQ(env.ImportFixture("mealmaster_cp437_crlf.mm"), 2);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 2u);

  const REZBLOCK& r = recipes[0];
  EXPECT_EQ(r.title, "Apfelkuchen vom Blech");
  EXPECT_EQ(r.servings, 12);
  EXPECT_EQ(r.servingType, Ansi("Stück"));  // the record keeps no leading blank
  // Kuchen; Plätzchen is a sub category of Kleingebäck and Weihnachtsbäckerei; the repeat goes.
  test::ExpectCategories(r, {7, 9, 30});
  ExpectLines(r, {{"500", "g", "Mehl"},
                  {"250", "g", "Butter"},
                  {"", "", "-kalt"},
                  {"3", "", "Eier"},
                  {"1/2", "TL", "Salz"},
                  {"1", "kg", "Äpfel, gewürfelt"},
                  {"", "", "-in Spalten geschnitten"},
                  {"", "", "*STREUSEL"},
                  {"100", "g", "Zucker"},
                  {"1", "Pr", "Zimt"},
                  {"2", "EL", "Mandeln"},
                  {"", "", "250g Haselnüsse"},  // digits joined to the word stay
                  {"", "", "Puderzucker zum Bestäuben"}});
  EXPECT_EQ(r.lineCount, 13);
  EXPECT_EQ(r.text, Ansi("Den Teig kneten und ausrollen.\n"
                         "Die Äpfel darauf verteilen, mit Käse bestreuen.\n"
                         "     Eingerückte Zeile bleibt."));
  EXPECT_EQ(r.hint, "Blechkuchen, Sonntag");  // from the key figures, not the categories
  EXPECT_EQ(r.createdBy, Ansi("Anna Müller"));
  EXPECT_EQ(r.createdDate, "01.02.2003");
  EXPECT_EQ(r.totalTime, "60 Min.");
  EXPECT_EQ(r.recipeIdHigh, 123);
  EXPECT_EQ(r.recipeIdLow, 456);
  ASSERT_EQ(r.nutrients.size(), 1u);
  EXPECT_STREQ(r.nutrients[0].code, "GCAL");
  EXPECT_EQ(r.nutrients[0].value, "350");
  EXPECT_TRUE(r.IsMarked());  // option 34 is on

  const REZBLOCK& s = recipes[1];
  EXPECT_EQ(s.title, Ansi("Grüne Soße"));
  EXPECT_EQ(s.servings, 4);
  EXPECT_EQ(s.hint, "Saucen");
  EXPECT_EQ(s.categories[0], 12);  // the category word finds Saucen & Dips
  // The cup stays a cup (Tasse).
  ExpectLines(s,
              {{"1", "Bd", "Kräuter, gemischt"}, {"200", "g", "Schmand"}, {"1", "Tas", "Milch"}});
  EXPECT_EQ(s.text, Ansi("Kräuter fein hacken und unterrühren."));
  EXPECT_NE(s.recipeIdLow, 0);  // drawn anew

  const std::vector<REZINDEX> entries = env.Entries("Ziel");
  EXPECT_EQ(entries[0].Title(), "Apfelkuchen vom Blech");
  EXPECT_EQ(entries[0].flags, kRecipeMarked);
  EXPECT_EQ(entries[0].categories[2], 30);
  EXPECT_NE(entries[0].number, entries[1].number);
  EXPECT_EQ(env.importer.Log(),
            (std::vector<std::string>{
                Ansi("Lese Datei '") + test::Fixture("mealmaster_cp437_crlf.mm") + "'",
                Ansi("-> 2 Meal-Master-Rezepte importiert"), "", "Import beendet."}));
}

TEST_F(MealMaster, TwoColumnsCodePage850WithLfAndASourceBlock) {
  EXPECT_EQ(env.ImportFixture("mealmaster_two_column_cp850_lf.mm"), 1);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 1u);
  const REZBLOCK& r = recipes[0];
  EXPECT_EQ(r.title, Ansi("Überbackene Käsespätzle"));
  EXPECT_EQ(r.categories[0], 4);
  EXPECT_EQ(r.servingType, "Servings");
  // Every left-column ingredient of the block comes before the right column.
  ExpectLines(r, {{"400", "g", "Mehl"},
                  {"200", "g", "Bergkäse, gerieben"},
                  {"2", "", "Zwiebeln"},
                  {"", "", "Schnittlauch", 1},
                  {"4", "", "Eier"},
                  {"1", "TL", "Salz"},
                  {"30", "g", "Butter"}});
  EXPECT_EQ(r.source, Ansi("Kochbuch Ötztal"));
  EXPECT_EQ(r.createdBy, Ansi("Örni Übel"));
  EXPECT_EQ(r.text, Ansi("Mehl, Eier und Salz zu einem Teig schlagen.\nStändig rühren."));
  EXPECT_EQ(r.hint, "Hauptgerichte");
}

TEST_F(MealMaster, AnEndLineRightAfterTheIngredientsEndsThatRecipeOnly) {
  EXPECT_EQ(env.ImportFixture("mealmaster_end_line_after_ingredients.mm"), 2);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 2u);
  EXPECT_EQ(recipes[0].title, "Nur Zutaten");
  ExpectLines(recipes[0], {{"1", "", "Gurke"}, {"2", "EL", "Essig"}});
  EXPECT_EQ(recipes[0].text, "");
  EXPECT_EQ(recipes[1].title, "Zweites Rezept");
  EXPECT_EQ(recipes[1].text, "Schneiden.");
}

TEST_F(MealMaster, MissingEndLinesTabsAndControlBytesLoseNoRecipe) {
  EXPECT_EQ(env.ImportFixture("mealmaster_missing_end_lines.mm"), 2);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 2u);
  EXPECT_EQ(recipes[0].title, "Ohne Schlusszeile");
  ExpectLines(recipes[0], {{"1", "l", "Gemüsebrühe"}});  // a tab before the unit column
  EXPECT_EQ(recipes[0].text, "Aufkochen.");
  EXPECT_EQ(recipes[1].title, "Letztes Rezept");
  EXPECT_EQ(recipes[1].text, "Kochen.");  // the DOS end-of-file mark adds nothing
  EXPECT_EQ(env.LogText().find("! "), std::string::npos) << env.LogText();
}

TEST_F(MealMaster, ARecipeCutInItsIngredientsIsNamedAndNotStored) {
  EXPECT_EQ(env.ImportFixture("mealmaster_truncated_in_ingredients.mm"), 1);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 1u);
  EXPECT_EQ(recipes[0].title, "Ganzes Rezept");
  EXPECT_NE(env.LogText().find(Ansi("! Unvollständiges Rezept nicht importiert: 'Abgeschnitten'")),
            std::string::npos)
      << env.LogText();
  EXPECT_NE(env.LogText().find("-> 1 Meal-Master-Rezepte importiert"), std::string::npos);
}

// One recipe around the given ingredient lines, as clipboard text.
std::string Recipe(const std::string& ingredients, const std::string& text = "Text.") {
  return "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n"
         "      Title: T\r\n Categories: \r\n      Yield: 1\r\n\r\n" +
         ingredients + "\r\n" + text + "\r\n\r\nMMMMM\r\n";
}

TEST_F(MealMaster, IngredientLinesTypedWithoutColumns) {
  const std::string twoColumns =
      "      1    Ei" + std::string(28, ' ') + "      2 EL Zucker, am besten brauner Rohrzucker";
  struct Case {
    std::string line;
    std::vector<Line> lines;
  } cases[] = {
      {"500 g Mehl", {{"500", "g", "Mehl"}}},
      {"1 1/2 TL Salz", {{"1 1/2", "TL", "Salz"}}},
      {"2 Eier", {{"2", "", "Eier"}}},
      {"3 große Eier", {{"3", "", "große Eier"}}},
      {"250g Mehl", {{"", "", "250g Mehl"}}},
      {"Salz", {}},  // a word alone is no ingredient
      {"12345678 x Mehl", {{"", "", "12345678 x Mehl"}}},
      {"\xBD l Milch", {}},
      {"      \xBD l  Milch", {{"1/2", "l", "Milch"}}},  // a fraction sign
      {"      1 l  ;Wasser", {{"1", "l", "Wasser", 1}}},
      {"1 EL Zucker, am besten brauner Rohr",
       {{"1", "EL", "Zucker, am besten brauner"}, {"", "", "-Rohr"}}},
      {twoColumns,
       {{"1", "", "Ei"}, {"2", "EL", "Zucker, am besten brauner"}, {"", "", "-Rohrzucker"}}},
  };
  for (const Case& c : cases) {
    test::ImportEnv local;
    local.ImportClipboard(Recipe(Ansi(c.line)));
    const std::vector<REZBLOCK> recipes = local.Recipes("Ziel");
    ASSERT_EQ(recipes.size(), 1u) << c.line;
    SCOPED_TRACE(c.line);
    ExpectLines(recipes[0], c.lines);
  }
}

TEST_F(MealMaster, TextBeginningRightAfterTheIngredientsKeepsItsFirstLine) {
  env.ImportClipboard(Recipe("      1    Ei\r\nErst mischen.", "Dann backen."));
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 1u);
  EXPECT_EQ(recipes[0].text, "Erst mischen.\nDann backen.");
}

TEST_F(MealMaster, KeyFigureLines) {
  env.ImportClipboard(Recipe("      1    Ei",
                             ":Quelle : Heft\r\n:Quelle : Seite 3\r\n:Letzte : 2.3.2004\r\n"
                             ":Vorbereit : 10\r\n:Kochzeit : 20\r\n:Kosten : billig\r\n"
                             ":Weight : 5\r\n:Energie : 900 kJ\r\n:Energie : 5 Punkte\r\nEnde."));
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 1u);
  const REZBLOCK& r = recipes[0];
  EXPECT_EQ(r.source, "Heft\r\nSeite 3");
  EXPECT_EQ(r.changedDate, "2.3.2004");
  EXPECT_EQ(r.prepTime, "10");
  EXPECT_EQ(r.cookTime, "20");
  EXPECT_EQ(r.costs, "billig");
  EXPECT_EQ(r.points, "5");
  ASSERT_EQ(r.nutrients.size(), 1u);  // a value without kcal or kJ has no nutrient
  EXPECT_STREQ(r.nutrients[0].code, "GJ");
  EXPECT_EQ(r.nutrients[0].value, "900");
  EXPECT_EQ(r.text, "Ende.");
}

TEST_F(MealMaster, WhoAndWhenARecipeWasCapturedInBothTextFormats) {
  struct Case {
    const char* line;
    const char* createdBy;
    const char* createdDate;
  } cases[] = {
      {":Erfasser : Anna Mueller", "Anna Müller", ""},
      {":Erfasst von: Hans Meier", "Hans Meier", ""},
      {":Erfasst von : Grete", "Grete", ""},
      {":Erfasst VON:Jens", "Jens", ""},
      {":Erfasst am : 03.05.97", "", "03.05.97"},
      {":Erfasst : 03.05.1997", "", "03.05.1997"},
      {":Erfasst vonnoeten: 1.1.99", "", "1.1.99"},  // a word that only begins with "von"
  };
  const std::string rezKonvHead =
      "========== REZKONV-Rezept - RezkonvSuite v1.4\r\n      Titel: T\r\n Kategorien: \r\n"
      "      Menge: 1\r\n\r\n      1 Ei\r\n\r\n";
  for (const Case& c : cases) {
    for (const bool rezKonv : {false, true}) {
      SCOPED_TRACE(std::string(c.line) + (rezKonv ? " (RezKonv)" : " (Meal-Master)"));
      test::ImportEnv local;
      const std::string line = std::string(c.line) + "\r\nEnde.";
      local.ImportClipboard(rezKonv ? rezKonvHead + line + "\r\n=====\r\n"
                                    : Recipe("      1    Ei", line));
      const std::vector<REZBLOCK> recipes = local.Recipes("Ziel");
      ASSERT_EQ(recipes.size(), 1u);
      EXPECT_EQ(recipes[0].createdBy, Ansi(c.createdBy));
      EXPECT_EQ(recipes[0].createdDate, c.createdDate);
      EXPECT_EQ(recipes[0].text, "Ende.");
    }
  }
}

}  // namespace
}  // namespace tav
