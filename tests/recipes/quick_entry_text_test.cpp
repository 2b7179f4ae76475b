// The quick-entry text: fixtures of hand-typed recipes read into the expected fields, recipes
// written and read back, and the line kinds the information panel shows.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/charset.h"
#include "platform/settings_store.h"
#include "recipedb/book_test_util.h"
#include "recipedb/category_table.h"
#include "recipedb/recipe_model.h"
#include "recipedb/recipe_records.h"
#include "recipedb/unit_table.h"
#include "recipes/quick_entry_text.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// Test texts are written in UTF-8 here; the program works in Windows-1252.
std::string W(std::string_view utf8) {
  return Utf8ToCp1252(utf8);
}

struct Line {
  std::string amount, unit, text;
};

std::vector<Line> Lines(const REZBLOCK& r) {
  std::vector<Line> out;
  for (const REZZUTAT& z : r.lines)
    out.push_back({Cp1252ToUtf8(z.amount), Cp1252ToUtf8(z.unit), Cp1252ToUtf8(z.text)});
  return out;
}

bool operator==(const Line& a, const Line& b) {
  return a.amount == b.amount && a.unit == b.unit && a.text == b.text;
}

void PrintTo(const Line& l, std::ostream* os) {
  *os << "{" << l.amount << "|" << l.unit << "|" << l.text << "}";
}

std::string Energy(const REZBLOCK& r, const char* code) {
  for (const REZSTOFFMENGE& n : r.nutrients)
    if (std::strcmp(n.code, code) == 0) return n.value;
  return "<none>";
}

class QuickEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
    for (const char* f : {"einheit.dat", "Gattung.dat"})
      WriteAll(env.Root() + "Data/DE/" + f,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/" + f));
    ASSERT_TRUE(units.ReadEinheiten());
    units.SortEinheiten();
    categories.ReadGattungen();
    ctx().units = &units;
    ctx().categories = &categories;
  }

  REZBLOCK Read(const std::string& text) {
    REZBLOCK r;
    q.SplitQuickTextLines(text);
    q.QuickTextToRez(r);
    return r;
  }

  test::TestEnv env;
  UnitTable units;
  CategoryTable categories;
  QuickEntryText q;
};

struct FixtureCase {
  const char* name;
  const char* title;  // UTF-8
  std::vector<Line> lines;
  const char* text;  // UTF-8
  int servings;
  const char* servingType;
  std::function<void(const REZBLOCK&)> more;
};

std::vector<FixtureCase> FixtureCases() {
  return {
      {"headings",
       "Apfelkuchen vom Blech",
       {{"", "", "*Teig"},
        {"250", "g", "Mehl"},
        {"125", "g", "Butter"},
        {"1", "", "Ei"},
        {"", "", "*Belag"},
        {"1", "kg", "Äpfel"},
        {"", "", "-geschält und in Spalten"},
        {"2", "EL", "Zucker"}},
       "Teig kneten und auf dem Blech ausrollen.\nÄpfel darauf verteilen und 40 Minuten backen.\n",
       0, "", nullptr},
      // A converting unit found by its code converts; half a pound is 250 g, not 500.
      {"fractions",
       "Pfannkuchen",
       {{"1/2", "l", "Milch"},
        {"1/4", "TL", "Salz"},
        {"3/4", "Tas", "Mehl"},
        {"250", "g", "Quark"},
        {"1 1/2", "EL", "Öl"},
        {"1,5", "kg", "Kartoffeln"},
        {"0.5", "l", "Wasser"}},
       "Alles zu einem glatten Teig verrühren.\n", 0, "", nullptr},
      {"unit_spellings",
       "Kräuterquark",
       {{"500", "g", "Quark"},
        {"2", "EL", "Öl"},
        {"1", "EL", "Zitronensaft"},
        {"3", "EL", "Schnittlauch"},
        {"1", "EL", "Honig"},
        {"1", "Msp", "Salz"},
        {"1", "Msp", "Pfeffer"},
        {"2", "Pr", "Zucker"},
        {"1", "kl", "Zwiebel"},
        {"500", "g", "Magerquark"},
        {"", "et", "Paprika"},
        {"1", "Bd", "Dill"},
        {"2", "Sk", "Gurken"},
        {"1", "Ms", "Muskat"}},  // a spelling of Msp found by its name keeps its own code
       "Alles verrühren und kalt stellen.\n", 0, "", nullptr},
      // Pasted with two empty lines after the title: the ingredients are found all the same.
      {"two_empty_lines_after_title",
       "Bratapfel nach Gefühl",
       {{"4", "", "Äpfel"}, {"50", "g", "Nüsse"}},
       "Die Äpfel aushöhlen und mit Nüssen füllen.\nIm Ofen weich backen.\n",
       0, "", nullptr},
      // Digits glued to a word that is no unit stay with the word; a line of blanks (an
      // ingredient line without text) does not end the ingredients; text lines may start with a
      // number.
      {"text_starting_with_digits",
       "Zwei Sorten Brot",
       {{"500", "g", "4-Korn-Mehl"},
        {"", "", "3er Pack Hefe"},
        {"1", "", "5-Minuten-Terrine"},
        {"250", "ml", "Wasser"}},
       "2 Stunden gehen lassen.\n3 mal falten und backen.\n", 0, "", nullptr},
      {"remarks_in_text",
       "Linsensuppe",
       {{"200", "g", "Linsen"}, {"1", "", "Zwiebel"}},
       "Linsen waschen und mit der Zwiebel weich kochen.\n\nTipp: Mit einem Schuss Essig "
       "abschmecken.\n\nBemerkung: schmeckt aufgewärmt noch besser.\n",
       0, "", nullptr},
      // "P>" between ingredient lines sets the servings; a lower-case "p>" is an ingredient.
      {"servings_lines",
       "Gemüsesuppe",
       {{"2", "", "Karotten"}, {"", "", "p> 4"}, {"1", "l", "Brühe"}},
       "Gemüse schneiden und in der Brühe garen.\n", 4, "Personen", nullptr},
      {"umlauts",
       "Würziger Käse-Spätzle-Auflauf",
       {{"500", "g", "Spätzle"},
        {"3", "Wü", "Gemüsebrühe"},
        {"4", "Zeh", "Knoblauch"},
        {"2", "Gl", "Gewürzgurken"},
        {"200", "g", "Bergkäse, gerieben"},
        {"1", "Sk", "Räucherspeck"}},
       "Spätzle in die Form geben, Käse darüber streuen und überbacken.\nDazu passt grüner Salat "
       "mit Öl und Essig.\n",
       0, "",
       [](const REZBLOCK& r) {
         EXPECT_EQ(r.hint, W("Überbacken, Käse"));
         EXPECT_EQ(r.createdBy, W("Jürgen Müßig"));
       }},
      {"long_lines",
       "Gefüllte Paprikaschoten mit Hackfleisch, Reis und Tomatensoße nach Art des Hauses",
       {{"4", "", "Paprikaschoten, rot, gelb und grün gemischt, möglichst gleich groß"},
        {"500", "g", "Hackfleisch"}},
       nullptr, 0, "",
       [](const REZBLOCK& r) {
         EXPECT_EQ(r.text.size(), 40u * 71u);  // one line of 2839 characters and its break
         EXPECT_EQ(r.text.find('\n'), r.text.size() - 1);
       }},
      // An empty title line and no preparation text: the text stays empty.
      {"empty_sections", "", {{"2", "", "Eier"}, {"100", "g", "Mehl"}}, "", 2, "Portionen", nullptr},
      // Tags [1] and [2] are in the table; [7] is not; "[a]" and "]" alone are no tags.
      {"tags",
       "Frikadellen",
       {{"500", "g", "Hackfleisch"},
        {"1", "", "Brötchen"},
        {"", "", "Mehl"},
        {"2", "", "Eier [a]"},
        {"", "", "Salz]"},
        {"1", "", "Zwiebel"}},
       "Alles verkneten und braten.\n", 0, "",
       [](const REZBLOCK& r) {
         ASSERT_EQ(r.lines.size(), 6u);
         EXPECT_EQ(r.lines[0].blsCode, "U010100");
         EXPECT_EQ(r.lines[0].grams, 500);
         EXPECT_EQ(r.lines[1].grams, -1);
         EXPECT_EQ(r.lines[1].notOnShoppingList, 1);
         EXPECT_EQ(r.lines[2].blsCode, "");
         EXPECT_EQ(r.lines[2].grams, 0);
         EXPECT_EQ(r.lines[5].blsCode, "U010100");  // a copied tag: the same hidden data
       }},
      // A range keeps amount, unit and text (the views scale both ends).
      {"range_amount",
       "Pfannengemüse",
       {{"2-3", "EL", "Öl"}, {"1-2", "", "Zwiebeln"}, {"1/2 - 1", "TL", "Salz"}},
       "Gemüse anbraten.\n", 0, "", nullptr},
      {"categories",
       "Hähnchen-Nudelsalat",
       {{"200", "g", "Nudeln"}, {"1", "", "Hähnchenbrust"}},
       "Nudeln kochen, Fleisch braten, alles mischen.\n", 0, "",
       [](const REZBLOCK& r) {
         // First line: Salate 3, the sub category Hähnchen 18, Grillen 29, an unknown word.
         // The second line writes Nudeln 23 from slot 0 on; the others stay.
         const uint16_t want[10] = {23, 18, 29, 0, 0, 0, 0, 0, 0, 0};
         for (int i = 0; i < 10; ++i) EXPECT_EQ(r.categories[i], want[i]) << i;
       }},
      {"other_fields",
       "Kartoffelsuppe",
       {{"1", "kg", "Kartoffeln"}},
       "Kartoffeln kochen und pürieren.\n", 0, "",
       [](const REZBLOCK& r) {
         EXPECT_EQ(r.hint, "Suppe, Winter");
         EXPECT_EQ(r.quality, '3');
         EXPECT_EQ(r.difficulty, '2');
         EXPECT_EQ(r.points, "4");
         EXPECT_EQ(r.totalTime, "45 Min");
         EXPECT_EQ(r.costs, W("günstig"));
         EXPECT_EQ(r.createdBy, "Anna");
         EXPECT_EQ(r.source, "Omas Kochbuch\nSeite 12\n");
         EXPECT_EQ(Energy(r, "GCAL"), "350 kcal");
       }},
      {"crlf_breaks",
       "Rührei",
       {{"3", "", "Eier"}, {"1", "Pr", "Salz"}, {"2", "EL", "Milch"}},
       "Eier verquirlen\nund stocken lassen.\n", 0, "", nullptr},
      {"only_title", "Nur ein Titel", {}, "", 0, "", nullptr},
      // Lines without text (an amount, an amount and a unit, blanks) add nothing.
      {"amount_only_lines", "Resteessen", {{"100", "g", "Reis"}}, "Alles aufbrauchen.\n", 0, "",
       nullptr},
      {"blanks",
       "Bratkartoffeln",
       {{"", "", "Salz und Pfeffer"},
        {"2", "EL", "Öl"},
        {"1", "kg", "festkochende Kartoffeln"}},
       "Kartoffeln in Scheiben braten.\n", 0, "",
       [](const REZBLOCK& r) { EXPECT_EQ(r.hint, "Kartoffeln"); }},
      {"prefixed_in_text",
       "Brot",
       {{"500", "g", "Mehl"}},
       "Mehl mit Wasser verkneten.\nx> bleibt im Text\nHinweis> bleibt auch im Text\nDen Teig "
       "gehen lassen und backen.\n",
       0, "", [](const REZBLOCK& r) { EXPECT_EQ(r.totalTime, "3 Std"); }},
      {"no_empty_line_after_title",
       "Käsetoast",
       {{"2", "Sch", "Toastbrot"}, {"1", "Sch", "Käse"}},
       "Toasten, bis der Käse schmilzt.\n", 0, "", nullptr},
      // A quality or difficulty is one character from '0' to '5': a number far too large gives
      // '5', one that would give a NUL leaves it unset.
      {"quality_beyond_any_number",
       "Grießbrei",
       {{"1", "l", "Milch"}, {"125", "g", "Hartweizengrieß"}},
       "Milch aufkochen, Grieß einrieseln lassen und quellen lassen.\n", 0, "",
       [](const REZBLOCK& r) {
         EXPECT_EQ(r.quality, '5');
         EXPECT_EQ(r.difficulty, '0');
       }},
      // With option 88 the energy is per serving; a line above "P>" still counts the servings.
      {"energy_per_serving",
       "Nudelauflauf",
       {{"400", "g", "Nudeln"}},
       "Nudeln kochen und überbacken.\n", 4, "Portionen",
       [](const REZBLOCK& r) { EXPECT_EQ(Energy(r, "GCAL"), "2000"); }},
  };
}

TEST_F(QuickEntry, FixturesReadIntoTheExpectedFields) {
  for (const FixtureCase& c : FixtureCases()) {
    SCOPED_TRACE(c.name);
    env.Options().SetParaBool(88, std::string(c.name) == "energy_per_serving");
    q.references = {{1, "U010100", 500, 0}, {2, "", -1, 1}};
    const std::string text = ReadAll(test::Fixture(std::string("quick_entry_") + c.name + ".txt"));
    ASSERT_FALSE(text.empty());
    const REZBLOCK r = Read(text);
    EXPECT_EQ(r.title, W(c.title));
    EXPECT_EQ(Lines(r), c.lines);
    EXPECT_EQ(r.lineCount, static_cast<int32_t>(r.lines.size()));
    if (c.text) {
      EXPECT_EQ(r.text, W(c.text));
    }
    EXPECT_EQ(r.servings, c.servings);
    EXPECT_EQ(r.servingType, W(c.servingType));
    if (c.more) c.more(r);

    // What the writer makes of the recipe reads back as the same recipe; a unit code found by
    // a spelling's name reads back as the unit that spelling stands for.
    QuickEntryText again;
    const std::string written = again.RezToQuickText(r);
    REZBLOCK back;
    again.SplitQuickTextLines(written);
    again.QuickTextToRez(back);
    EXPECT_EQ(back.title, r.title);
    REZBLOCK spelledOut = r;
    units.ConvertRecipeUnits(spelledOut);
    EXPECT_EQ(Lines(back), Lines(spelledOut));
    EXPECT_EQ(back.text, r.text);
    EXPECT_EQ(back.servings, r.servings);
    EXPECT_EQ(back.servingType, r.servingType);
    EXPECT_EQ(back.hint, r.hint);
    EXPECT_EQ(back.source, r.source);
    EXPECT_EQ(back.nutrients.size(), r.nutrients.size());
    for (size_t i = 0; i < r.lines.size() && i < back.lines.size(); ++i) {
      EXPECT_EQ(back.lines[i].blsCode, r.lines[i].blsCode);
      EXPECT_EQ(back.lines[i].grams, r.lines[i].grams);
    }
    EXPECT_TRUE(std::equal(std::begin(back.categories), std::end(back.categories),
                           std::begin(r.categories)));
  }
}

REZBLOCK FullRecipe() {
  REZBLOCK r;
  r.title = W("Rinderrouladen");
  r.servings = 4;
  r.servingType = "Personen";
  r.categories[0] = 4;
  r.categories[1] = 17;
  r.categories[2] = 12;
  r.hint = W("Sonntag, Schmoren");
  r.quality = '4';
  r.difficulty = '3';
  r.points = "12";
  r.totalTime = "2 Std";
  r.costs = "mittel";
  r.createdBy = "Eva";
  r.source = W("Kochbuch der Großmutter\nSeite 88\n");
  r.lines = {{"", "", "*Rouladen", "", 0, 0},
             {"4", "St", "Rinderrouladen", "U020100", 0, 0},
             {"", "", W("-dünn geschnitten"), "", 0, 0},
             {"2", "EL", "Senf", "", 15, 0},
             {"1", "Pr", "Salz", "", -1, 1},
             {"", "", "*Sauce", "", 0, 0},
             {"1/2", "l", W("Rotwein"), "", 0, 0}};
  r.lineCount = 7;
  r.text = W("Rouladen mit Senf bestreichen und aufrollen.\n\nIn Rotwein schmoren.\n");
  REZSTOFFMENGE energy;
  std::strcpy(energy.code, "GCAL");
  energy.value = "2000.000000";
  r.nutrients.push_back(energy);
  return r;
}

TEST_F(QuickEntry, WrittenTextHasTheGivenLayout) {
  env.Options().SetParaBool(88, true);
  const std::string text = q.RezToQuickText(FullRecipe());
  EXPECT_EQ(text, W("Rinderrouladen\n"
                    "\n"
                    "*Rouladen\n"
                    "4 St Rinderrouladen         [1]\n"
                    "-dünn geschnitten\n"
                    "2 EL Senf         [2]\n"
                    "1 Pr Salz         [3]\n"
                    "*Sauce\n"
                    "1/2 l Rotwein\n"
                    "\n"
                    "Rouladen mit Senf bestreichen und aufrollen.\n"
                    "\n"
                    "In Rotwein schmoren.\n"
                    "\n"
                    "P> 4 Personen\n"
                    "G> Hauptgerichte, Fleisch, Saucen & Dips\n"
                    "S> Sonntag, Schmoren\n"
                    "B> 4\n"
                    "D> 3\n"
                    "F> 12\n"
                    "N> 500 kcal\n"
                    "Z> 2 Std\n"
                    "K> mittel\n"
                    "A> Eva\n"
                    "Q> Kochbuch der Großmutter\n"
                    "Q> Seite 88\n"));
  ASSERT_EQ(q.references.size(), 3u);
  EXPECT_EQ(q.references[0].blsCode, "U020100");
  EXPECT_EQ(q.references[1].grams, 15);
  EXPECT_EQ(q.references[2].grams, -1);
  EXPECT_EQ(q.references[2].notOnShoppingList, 1);
  EXPECT_EQ(q.NextReference(), 4);
}

TEST_F(QuickEntry, RecipeRoundTripsThroughTheTextAndRepeatedStoresChangeNothing) {
  for (bool perServing : {false, true}) {
    SCOPED_TRACE(perServing);
    env.Options().SetParaBool(88, perServing);
    const REZBLOCK original = FullRecipe();
    REZBLOCK edited = original;
    q.SplitQuickTextLines(q.RezToQuickText(edited));
    for (int store = 0; store < 3; ++store) {
      q.QuickTextToRez(edited);
      test::ExpectSameRecipe(edited, original);
    }
  }
}

TEST_F(QuickEntry, EditedEnergyLineIsStoredOnceAndStaysOnFurtherStores) {
  env.Options().SetParaBool(88, true);
  REZBLOCK r = FullRecipe();
  std::string text = q.RezToQuickText(r);
  text.replace(text.find("N> 500 kcal"), 11, "N> 450 kcal");
  q.SplitQuickTextLines(text);
  q.QuickTextToRez(r);
  EXPECT_EQ(Energy(r, "GCAL"), "1800");
  q.QuickTextToRez(r);
  EXPECT_EQ(Energy(r, "GCAL"), "1800");

  // Without option 88 the value is the text as typed, also in kJ with option 16.
  env.Options().SetParaBool(88, false);
  env.Options().SetParaBool(16, true);
  REZBLOCK k;
  q.SplitQuickTextLines("Suppe\n\n1 l Wasser\n\nKochen.\n\nN> 1200 kJoule\n");
  q.QuickTextToRez(k);
  EXPECT_EQ(Energy(k, "GJ"), "1200 kJoule");
  EXPECT_EQ(Energy(k, "GCAL"), "<none>");
}

TEST_F(QuickEntry, UntouchedTextLeavesTheRecipeAsItIsAndAnEditReadsItAll) {
  REZBLOCK r = FullRecipe();
  r.title = "Rinderrouladen ";             // reading would trim it
  r.source = "Eigenes Rezept";             // reading would add a line break
  r.lines[6] = {"1", "Pfd", "Zwiebeln", "", 0, 0};  // reading would convert into grams
  const REZBLOCK original = r;
  const std::string text = q.RezToQuickText(r);
  q.SplitQuickTextLines(text);
  q.QuickTextToRez(r);
  test::ExpectSameRecipe(r, original);

  // Hidden data changed on the page with the text as it was: the text is read.
  q.references[1].grams = 30;
  q.QuickTextToRez(r);
  EXPECT_EQ(r.lines[3].grams, 30);
  EXPECT_EQ(r.title, "Rinderrouladen");
  EXPECT_EQ(r.source, "Eigenes Rezept\n");
  // A line left as written keeps its unit: only a line typed anew converts.
  EXPECT_EQ(r.lines[6].amount, "1");
  EXPECT_EQ(r.lines[6].unit, "Pfd");
  EXPECT_EQ(Energy(r, "GCAL"), "2000.000000");  // its line was not changed
  std::string typed = q.RezToQuickText(r);
  typed.replace(typed.find("1 Pfd Zwiebeln"), 14, "2 Pfd Zwiebeln");
  q.SplitQuickTextLines(typed);
  q.QuickTextToRez(r);
  EXPECT_EQ(r.lines[6].amount, "1000");
  EXPECT_EQ(r.lines[6].unit, "g");
}

// Recipes the editor can hold, written, retitled on the page (so the text is read, not left as
// it was) and stored: each comes back field by field.
TEST_F(QuickEntry, RecipesWithoutIngredientsOrWithDottedUnitsReadBackAsWritten) {
  struct Case {
    const char* name;
    std::vector<REZZUTAT> lines;
    const char* text;  // UTF-8
  } cases[] = {
      {"no ingredient lines", {}, "Apfel aushöhlen.\nFüllen.\n\nBacken.\n"},
      {"one paragraph only", {}, "Wasser kochen und Tee aufgießen.\n"},
      {"no text either", {}, ""},
      {"a line of nothing", {REZZUTAT{}}, "Apfel aushöhlen.\n\nBacken.\n"},
      {"units with a dot",
       {{"2", "EL.", W("Zucker"), "", 0, 0},
        {"1", "TL.", "Zimt", "", 0, 0},
        {"", "EL.", W("Butter zum Einfetten"), "", 0, 0}},
       "Füllen und backen.\n"},
      {"what reading alone would change",
       {{"1", "Pfd", W("Äpfel"), "", 0, 0},            // converts when typed
        {"2-3", "EL", "Rosinen", "G102000", 30, 0},     // a range, tagged
        {"", "", "Prise Zimt", "", 0, 0},               // begins with a unit's name
        {"", "", W("*Für die Füllung"), "", 0, 0},
        {"4", "", "", "", 0, 0}},                       // an amount alone
       "Füllen und backen.\n"},
  };
  for (const char* lang : {"DE", "EN"})
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(lang) + " " + c.name);
    // The unit table of the language (EN spells "EL." as "tablespoon (EL.)").
    WriteAll(env.Root() + "Data/DE/einheit.dat",
             ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/einheit.dat"));
    ASSERT_TRUE(units.ReadEinheiten());
    units.SortEinheiten();
    REZBLOCK r;
    ClearRezBlock(r);
    r.title = "Bratapfel";
    r.servings = 4;
    r.servingType = "Stück";
    r.lines = c.lines;
    r.lineCount = static_cast<int32_t>(r.lines.size());
    r.text = W(c.text);
    r.servingType = W(r.servingType);
    std::string text = q.RezToQuickText(r);
    ASSERT_EQ(text.rfind("Bratapfel\n", 0), 0u);
    text.replace(0, 9, W("Brat\xC3\xA4pfel"));
    REZBLOCK read = r;
    q.SplitQuickTextLines(text);
    q.QuickTextToRez(read);
    // A line of nothing has nothing to show and is not read back.
    std::erase_if(r.lines, [](const REZZUTAT& z) { return z.text.empty() && z.amount.empty(); });
    r.lineCount = static_cast<int32_t>(r.lines.size());
    EXPECT_EQ(read.title, W("Brat\xC3\xA4pfel"));
    EXPECT_EQ(Lines(read), Lines(r)) << text;
    for (size_t n = 0; n < std::min(read.lines.size(), r.lines.size()); ++n) {
      EXPECT_EQ(read.lines[n].blsCode, r.lines[n].blsCode) << n;
      EXPECT_EQ(read.lines[n].grams, r.lines[n].grams) << n;
    }
    EXPECT_EQ(read.lineCount, r.lineCount);
    EXPECT_EQ(read.text, r.text) << text;
    EXPECT_EQ(read.servings, 4);
    // Read once more, as the page stores again: nothing moves.
    q.QuickTextToRez(read);
    EXPECT_EQ(Lines(read), Lines(r));
    EXPECT_EQ(read.text, r.text);
  }
}

TEST_F(QuickEntry, FieldsTheTextDoesNotCarryStayWhenTheirLineIsRemoved) {
  REZBLOCK r = FullRecipe();
  q.SplitQuickTextLines("Neu\n\n1 Ei\n\nKochen.\n");
  q.QuickTextToRez(r);
  EXPECT_EQ(r.title, "Neu");
  EXPECT_EQ(r.servings, 0);
  EXPECT_EQ(r.hint, "");
  EXPECT_EQ(r.categories[0], 0);
  // Not carried: total time, points, ratings, stored amounts.
  EXPECT_EQ(r.totalTime, "2 Std");
  EXPECT_EQ(r.points, "12");
  EXPECT_EQ(r.quality, '4');
  EXPECT_EQ(Energy(r, "GCAL"), "2000.000000");
}

TEST_F(QuickEntry, LineKindsFollowTheZones) {
  q.SplitQuickTextLines(
      "Titel\n\n*Teig\n-fein\n2 EL Mehl\nP> 4\n\nText\n\nmehr Text\nB> 3\nD> 1\nZ> 5\n");
  const int want[] = {kQuickTitle,   kQuickEmpty,       kQuickHeading, kQuickDescription,
                      kQuickIngredient, kQuickServings, kQuickEmpty,   kQuickText,
                      kQuickText,    kQuickText,        kQuickQuality, kQuickDifficulty,
                      kQuickTime};
  for (int i = 0; i < static_cast<int>(std::size(want)); ++i) EXPECT_EQ(q.LineKind(i), want[i]) << i;
  EXPECT_EQ(q.LineKind(99), kQuickText);  // past the end: the zone the text ended in

  q.SplitQuickTextLines("\nA> x\nG> y\nS> k\nK> c\nQ> s\nF> 1\nN> 2\n");
  EXPECT_EQ(q.LineKind(0), kQuickTitle);  // an empty line 0 is still the title
  const int prefixed[] = {kQuickAuthor, kQuickCategories, kQuickKeywords, kQuickCosts,
                          kQuickSource, kQuickPoints,     kQuickEnergy};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(q.LineKind(i + 1), prefixed[i]);

  // Two empty lines after the title (as pasted text often has them): ingredients follow.
  q.SplitQuickTextLines("Titel\n\n\n1 Ei\n\nText\n");
  EXPECT_EQ(q.LineKind(3), kQuickIngredient);
  EXPECT_EQ(q.LineKind(5), kQuickText);
  // A prefixed line between the empty lines keeps the ingredient block.
  q.SplitQuickTextLines("Titel\n\nP> 2\n\n1 Ei\n");
  EXPECT_EQ(q.LineKind(4), kQuickIngredient);
}

TEST_F(QuickEntry, RatingsAreHeldToTheirRange) {
  const struct {
    const char* rest;
    char rating;
  } cases[] = {{"3", '3'}, {"3,7", '3'}, {"9e99", '5'}, {"300", '5'}, {"-4", '0'}, {"", '0'},
               {"nan", '0'}, {"1e308", '5'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rest);
    const REZBLOCK r =
        Read(std::string("Titel\n\n1 Ei\n\nKochen.\nB> ") + c.rest + "\nD> " + c.rest + "\n");
    EXPECT_EQ(r.quality, c.rating);
    EXPECT_EQ(r.difficulty, c.rating);
  }
}

TEST_F(QuickEntry, ALineOfNothingIsNotWrittenAndEndsNoIngredientBlock) {
  REZBLOCK r;
  r.title = "Suppe";
  r.lines = {{"1", "l", "Wasser", "", 0, 0}, {"", "", "", "", 0, 0}, {"2", "", "Karotten", "", 0, 0}};
  r.text = "Kochen.\n";
  const std::string text = q.RezToQuickText(r);
  EXPECT_EQ(text.substr(0, text.find("Kochen")), "Suppe\n\n1 l Wasser\n2 Karotten\n\n");
  REZBLOCK edited;
  q.SplitQuickTextLines(text + "S> neu\n");  // an edit: the whole text is read
  q.QuickTextToRez(edited);
  EXPECT_EQ(Lines(edited), (std::vector<Line>{{"1", "l", "Wasser"}, {"2", "", "Karotten"}}));
  EXPECT_EQ(edited.text, "Kochen.\n");
}

TEST_F(QuickEntry, LineBreaksOfEveryKindSplitTheText) {
  q.SplitQuickTextLines("a\r\nb\rc\nd\n\re\n\nf");
  EXPECT_EQ(q.lines, (std::vector<std::string>{"a", "b", "c", "d", "e", "", "f"}));
  EXPECT_EQ(q.JoinQuickTextLines(), "a\nb\nc\nd\ne\n\nf\n");
  q.SplitQuickTextLines("a\n\n");
  EXPECT_EQ(q.lines, (std::vector<std::string>{"a", ""}));
  q.SplitQuickTextLines("");
  EXPECT_TRUE(q.lines.empty());
}

TEST_F(QuickEntry, IngredientGrammar) {
  struct Case {
    const char* line;
    const char* amount;
    const char* unit;
    const char* text;
    int reference;
  } cases[] = {
      {"2 EL Zucker", "2 ", "EL", "Zucker", 0},
      // A range is one amount, with or without blanks around its dash.
      {"2-3 EL Zucker", "2-3 ", "EL", "Zucker", 0},
      {"2 - 3 EL Zucker", "2 - 3 ", "EL", "Zucker", 0},
      {"\xBD-1 TL Salz", "\xBD-1 ", "TL", "Salz", 0},
      {"2- EL Zucker", "", "", "2- EL Zucker", 0},  // no second number: no range, and text
      // Digits glued to a word that is no unit belong to the word.
      {"4-Korn-Mehl", "", "", "4-Korn-Mehl", 0},
      {"500 g 4-Korn-Mehl", "500 ", "g", "4-Korn-Mehl", 0},
      {"2 3er Pack Hefe", "2 ", "", "3er Pack Hefe", 0},
      {"500g Mehl", "500", "g", "Mehl", 0},  // glued to a unit: amount and unit
      {"\xBD EL Zucker", "\xBD ", "EL", "Zucker", 0},
      {"Salz   und Pfeffer", "", "", "Salz und Pfeffer", 0},
      {"Mehl [7]", "", "", "Mehl", 7},
      {"Mehl[]", "", "", "Mehl", 0},
      {"Mehl [7a]", "", "", "Mehl [7a]", 0},
      {"2 Pfd Mehl   [12]", "1000", "g", "Mehl", 12},
      {"1 ts Salz", "1 ", "TL", "Salz", 0},
      {"2-3 Pfd Mehl", "2-3 ", "Pfd", "Mehl", 0},  // a range is not converted
      {"Pfd Mehl", "", "Pfd", "Mehl", 0},  // no amount to convert: the unit stays
      {"1 Pfund Mehl", "1 ", "Pfd", "Mehl", 0},  // found by name: never converted
      {"250", "250", "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    QuickIngredient out;
    ParseQuickIngredientLine(c.line, out);
    EXPECT_EQ(out.amount, c.amount);
    EXPECT_EQ(out.unit, c.unit);
    EXPECT_EQ(out.text, c.text);
    EXPECT_EQ(out.reference, c.reference);
  }
}

TEST_F(QuickEntry, CategoriesFromNamesTakeTenAtMost) {
  REZBLOCK r;
  r.categories[9] = 99;
  SetRecipeCategoriesByNames(r, W("Vorspeisen Suppen,Salate;Beilagen:Desserts Kuchen Torten "
                                  "Fleisch Fisch Gemüse Reis Suppen unbekannt Nudeln"));
  const uint16_t want[10] = {1, 2, 3, 5, 6, 7, 8, 17, 19, 21};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(r.categories[i], want[i]) << i;

  // Names holding blanks or '&' are found whole between commas, as the writer lists them.
  std::vector<uint16_t> ids;
  std::vector<std::string> unknown;
  CategoryIdsFromNames(W("Saucen & Dips, Brot & Brötchen; Kuchen Quatsch"), ids, &unknown);
  EXPECT_EQ(ids, (std::vector<uint16_t>{12, 10, 7}));
  EXPECT_EQ(unknown, std::vector<std::string>{"Quatsch"});
}

}  // namespace
}  // namespace tav
