// Recipe collections as real writers leave them: two-column lines with spelled umlauts, long
// lines, code pages mixed in one file, English words, RezKonv unit words, books without index.
#include <gtest/gtest.h>

#include "import_test_support.h"
#include "platform/paths.h"
#include "services/charsets.h"

namespace tav {
namespace {

using test::Ansi;
using test::ExpectLines;
using Line = test::WantLine;

// The umlaut exception words of that language folder in place of the German ones.
void UseExceptionsOf(test::ImportEnv& env, const char* lang) {
  test::WriteAll(env.Data() + "DE/umlconvs.dat", test::ReadAll(std::string(TAVOLIN_SHIPPED_DATA) +
                                                               "/Data/" + lang + "/umlconvs.dat"));
  LoadUmlautExceptions();
}

class RealCollections : public ::testing::Test {
 protected:
  std::vector<REZBLOCK> Import(const std::string& fixture, int count) {
    EXPECT_EQ(env.ImportFixture(fixture), count) << env.LogText();
    std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
    EXPECT_EQ(recipes.size(), static_cast<size_t>(count));
    return recipes;
  }
  test::ImportEnv env;
};

TEST_F(RealCollections, TwoColumnLinesAreSplitBeforeTheirUmlautsAreConverted) {
  const std::vector<REZBLOCK> r = Import("mealmaster_two_column_spelled_umlauts.mm", 1);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, Ansi("Gemüsesuppe mit Käse"));
  ExpectLines(r[0], {{"500", "g", "Gemüse, gewürfelt"},
                     {"100", "g", "Käse, gerieben"},
                     {"2", "", "Avocadoes"},
                     {"2", "", "Zwiebeln"},
                     {"250", "ml", "Brühe"},
                     {"3", "EL", "Tomatoes"},
                     {"", "", "-seeded"}});
  EXPECT_EQ(r[0].text, Ansi("Das Gemüse in der Brühe garen."));
}

TEST_F(RealCollections, MahlzeitLabelsAndValueColumnAreFoundBeforeTheConversion) {
  const std::vector<REZBLOCK> r = Import("mahlzeit_spelled_umlaut_labels.txt", 1);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, Ansi("Grünkohl mit Pinkel"));
  EXPECT_EQ(r[0].createdBy, Ansi("Hans Müller"));
  EXPECT_EQ(r[0].createdDate, "12.05.1999");
  EXPECT_EQ(r[0].changedDate, "13.05.1999");
  EXPECT_EQ(r[0].source, Ansi("Omas Küche"));
  ExpectLines(r[0], {{"1000", "g", "Grünkohl"}, {"4", "", "Pinkelwürste"}});
  EXPECT_EQ(r[0].text, Ansi("Grünkohl waschen und dünsten."));
}

TEST_F(RealCollections, LongOneColumnLinesAreReadWholeAndWordsInTheAmountColumnsAreText) {
  const std::vector<REZBLOCK> r = Import("mealmaster_long_one_column_lines.mm", 1);
  ASSERT_EQ(r.size(), 1u);
  ExpectLines(r[0], {{"1", "EL", "Vodka"},
                     {"1", "EL", "Gin, London Dry, well"},
                     {"", "", "-chilled"},
                     {"2", "EL", "Lemon juice, freshly"},
                     {"", "", "-squeezed, strained through"},
                     {"", "", "-a sieve"},
                     {"1", "", "Lemon wedge"}});
  EXPECT_EQ(r[0].text, "Serve in a Highball Glass\nShake with ice and strain.");
}

TEST_F(RealCollections, ADashLineWithItsOwnAmountIsAnIngredientOfItsOwn) {
  const std::vector<REZBLOCK> r = Import("mealmaster_amount_on_dash_line.mm", 1);
  ASSERT_EQ(r.size(), 1u);
  ExpectLines(r[0], {{"250", "g", "Butter"},
                     {"", "", "-weich"},
                     {"1", "TL", "Salz, grob"},
                     {"2", "EL", "Petersilie, gehackt"}});
}

TEST_F(RealCollections, AStartLineIndentedByBlanksStartsARecipe) {
  const std::vector<REZBLOCK> r = Import("mealmaster_indented_start_line.mm", 3);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].title, "Erstes Rezept");
  EXPECT_EQ(r[0].text, "Schneiden.");  // the next recipe is not swallowed into this text
  EXPECT_EQ(r[1].title, "Zweites Rezept");
  ExpectLines(r[1], {{"2", "", "Tomaten"}});
  EXPECT_EQ(r[1].text, Ansi("Würfeln."));
  EXPECT_EQ(r[2].title, "Drittes Rezept");
}

// The recipe of both code-page fixtures, field for field.
void ExpectCremeBrulee(const REZBLOCK& r, const char* servingType) {
  EXPECT_EQ(r.title, Ansi("Crème brûlée"));
  EXPECT_EQ(r.servingType, Ansi(servingType));
  ExpectLines(r, {{"1/2", "l", "Sahne"},
                  {"1 1/2", "TL", "Zucker"},
                  {"1/4", "", "Vanilleschote"},
                  {"2", "", "Eigelb, Größe M"}});
  EXPECT_EQ(r.text, Ansi("Bei 150 °C im Wasserbad stocken lassen.\n"
                         "Dazu ein Café au lait\u00a0und Piña Colada."));
}

TEST_F(RealCollections, CodePage437LettersAndSignsBecomeTheirWindowsCharacters) {
  const std::vector<REZBLOCK> r = Import("mealmaster_cp437_accents.mm", 1);
  ASSERT_EQ(r.size(), 1u);
  ExpectCremeBrulee(r[0], "Portionen");
}

TEST_F(RealCollections, AUtf8FileIsReadAsUtf8) {
  const std::vector<REZBLOCK> r = Import("mealmaster_utf8_bom.mm", 1);
  ASSERT_EQ(r.size(), 1u);
  ExpectCremeBrulee(r[0], "Stück");
}

TEST_F(RealCollections, EachRecipeOfAMixedFileIsReadInItsOwnCodePage) {
  const std::vector<REZBLOCK> r = Import("mealmaster_mixed_code_pages.mm", 3);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].title, Ansi("Käsekuchen vom Blech"));
  ExpectLines(r[0], {{"500", "g", "Quark (Größe egal)"}});
  EXPECT_EQ(r[0].text, Ansi("Im Café servieren."));
  EXPECT_EQ(r[1].title, Ansi("Käsekuchen nach Oma"));
  ExpectLines(r[1], {{"500", "g", "Quark, „Magerstufe“"}});
  EXPECT_EQ(r[1].text, Ansi("Den Teig kräftig rühren.\n10–15 Minuten ruhen lassen."));
  EXPECT_EQ(r[2].title, Ansi("Käsekuchen aus dem Netz"));
  ExpectLines(r[2], {{"500", "g", "Quark, Crème fraîche"}});
  EXPECT_EQ(r[2].text, Ansi("Schön locker rühren."));
}

TEST_F(RealCollections, EnglishWordsKeepTheirLettersUnderBothLanguages) {
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    test::ImportEnv local;
    UseExceptionsOf(local, lang);
    EXPECT_EQ(local.ImportFixture("mealmaster_english_words.mm"), 1);
    const std::vector<REZBLOCK> r = local.Recipes("Ziel");
    ASSERT_EQ(r.size(), 1u);
    const bool german = std::string(lang) == "DE";
    EXPECT_EQ(r[0].title, "Barbecue Potatoes with Blue Cheese");
    ExpectLines(r[0], {{"907.2", "g", "Potatoes"},
                       {"4", "EL", "Blue cheese, crumbled"},
                       {"1", "", german ? "Gemüsezwiebel" : "Gemuesezwiebel"},
                       {"3", "", "Tomatoes"},
                       {"", "", "-seeded"},
                       {"1", "TL", "Barbecue sauce"}});
    EXPECT_EQ(r[0].text,
              "Continue to stir until the sauce does not stick. It is true that a queue\n"
              "of guests will wait for this one.");
  }
}

TEST_F(RealCollections, RezKonvUnitWordsAndAFramedCaptureLine) {
  const std::vector<REZBLOCK> r = Import("rezkonv_unit_words_framed_source.rk", 2);
  ASSERT_EQ(r.size(), 2u);
  ExpectLines(r[0], {{"350", "g", "Weizen-Vollkornmehl"},
                     {"2", "EL", "Sonnenblumenkerne"},
                     {"1", "TL", "Salz"},
                     {"0.5", "l", "Wasser, lauwarm"},
                     {"1", "Pk", "Trockenhefe"},
                     {"1", "kg", "Kartoffeln"},
                     {"1", "Pr", "Zucker"},
                     {"3", "Sch", "Speck"}});
  EXPECT_EQ(r[0].createdDate, "03.05.97");
  EXPECT_EQ(r[0].createdBy, "Hans Meier");
  EXPECT_EQ(r[0].text, "Alles verkneten und backen.");
  EXPECT_EQ(r[1].title, "Brotsuppe");
  ExpectLines(r[1], {{"2", "Tas", Ansi("Brühe").c_str()}});
  EXPECT_EQ(r[1].source, "Omas Backbuch");
  EXPECT_EQ(r[1].text, "Aufkochen.");
}

TEST_F(RealCollections, ARezKonvRecipeWithAnEmptyTitleIsStored) {
  const std::vector<REZBLOCK> r = Import("rezkonv_empty_title.rk", 2);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].title, "");
  ExpectLines(r[0], {{"1", "l", "Wasser"}});
  EXPECT_EQ(r[0].text, "Kochen.");
  EXPECT_EQ(r[1].title, "Danach");
}

TEST_F(RealCollections, ABookWithoutIndexGetsOneOnItsFirstImport) {
  // A book as the first start leaves it: record and description file, no index yet.
  test::WriteAll(env.Data() + "Neu.bok", "TAVOLIN__1.01_DAT\r\n");
  test::WriteAll(env.Data() + "Neu.inf", "\r\n1\r\n");
  env.books.ScanKBooks();
  ASSERT_NE(env.books.FindKBookId("Neu"), -1);
  env.importer.targetBook = "Neu";
  EXPECT_EQ(env.ImportFixture("mealmaster_amount_on_dash_line.mm"), 1) << env.LogText();
  EXPECT_TRUE(env.env.messages.shown.empty());
  const std::vector<REZBLOCK> r = env.Recipes("Neu");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].title, Ansi("Kräuterbutter"));
}

}  // namespace
}  // namespace tav
