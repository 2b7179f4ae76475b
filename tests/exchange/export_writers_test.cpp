#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <regex>

#include "export_test_support.h"
#include "platform/paths.h"
#include "recipedb/recipe_records.h"

namespace tav {
namespace {

using test::Ansi;

// The recipe of the golden blocks: headings, a note, the fraction sign, a decimal comma, a
// unit that begins with a blank, a line off the shopping list, umlauts, a source, runs of empty
// text lines, remarks of two authors and key figures.
REZBLOCK GoldenRecipe() {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = Ansi("Käsespätzle mit Röstzwiebeln");
  r.recipeIdHigh = 123;
  r.recipeIdLow = -456;
  r.quality = '4';
  r.categories[0] = 4;
  r.categories[2] = 15;
  r.servings = 4;
  r.servingType = "Portionen";
  r.createdBy = Ansi("Anna Müller");
  r.createdDate = "1.2.2003";
  r.source = "Omas Kochbuch, Seite 12";
  r.totalTime = "45 Min.";
  r.hint = Ansi("Schwäbisch, Käse;Nudeln");
  r.lines = {{"", "", "*Teig", "", 0, 0},
             {"500", "g", "Mehl", "", 0, 0},
             {"\xBD", "TL", "Salz", "", 0, 0},
             {"", "", "-fein gemahlen", "", 0, 0},
             {"1,5", " c", "Milch", "", 0, 0},
             {"4", "", "Eier", "", 0, 1},
             {"", "", Ansi("*Zum Überbacken"), "", 0, 0},
             {"200", "g", Ansi("Bergkäse, gerieben"), "", 0, 0}};
  r.text = Ansi(
      "Mehl, Salz, Milch und Eier zu einem zähen Teig schlagen.\r\n\r\n\r\n\r\nDen Teig durch "
      "ein Spätzlebrett in kochendes Salzwasser schaben. Die Spätzle abtropfen lassen und mit "
      "dem Käse schichten.");
  r.remarks = {{"Gelingt immer.", "Bert"},
               {Ansi("Mit grünem Salat servieren."), "Tavolin!-Benutzer"}};
  return r;
}

class Writers : public ::testing::Test {
 protected:
  void SetUp() override {
    e.ChooseFigures({{kFigureAllRemarks},
                     {kFigureKeywords, "Stichworte"},
                     {kFigureSource},
                     {kFigureTotalTime, "Zeit"},
                     {kFigureQuality},
                     {kFigureRecipeId, "Fingerprint"}});
    e.AddRecipes({GoldenRecipe()});
  }
  // Exports the book in the format and gives the file's bytes; with TAVOLIN_WRITE_GOLDEN set,
  // also writes them under that name into tests/fixtures.
  std::string ExportBytes(uint8_t format, const std::string& name) {
    e.Export(format, kSetAll, name);
    const std::string bytes = test::ReadAll(e.Path(name));
    if (std::getenv("TAVOLIN_WRITE_GOLDEN")) test::WriteAll(test::Fixture(name), bytes);
    return bytes;
  }
  test::ExportEnv e;
};

TEST_F(Writers, MealMasterBlockInWindowsAndInDosUmlauts) {
  EXPECT_EQ(ExportBytes(kFormatMealMaster, "mealmaster_writer_block_cp1252.mm"),
            test::ReadAll(test::Fixture("mealmaster_writer_block_cp1252.mm")));
  ctx().options->SetParaBool(21, true);
  EXPECT_EQ(ExportBytes(kFormatMealMaster, "mealmaster_writer_block_dos_umlauts.mm"),
            test::ReadAll(test::Fixture("mealmaster_writer_block_dos_umlauts.mm")));
}

TEST_F(Writers, RezKonvBlock) {
  ctx().options->SetParaBool(21, true);  // Meal-Master's alone: RezKonv converts nothing
  EXPECT_EQ(ExportBytes(kFormatRezKonv, "rezkonv_writer_block_cp1252.rk"),
            test::ReadAll(test::Fixture("rezkonv_writer_block_cp1252.rk")));
}

TEST_F(Writers, RemarkModeSixteenWritesOnlyTheUsersOwnRemarks) {
  e.ChooseFigures({{kFigureOwnRemarks}});
  for (uint8_t format : {kFormatMealMaster, kFormatRezKonv}) {
    const std::string text =
        ExportBytes(format, format == kFormatMealMaster ? "eigene.mm" : "eigene.rk");
    EXPECT_NE(text.find("  Tavolin!-Benutzer:\r\nMit gr"), std::string::npos) << int(format);
    EXPECT_EQ(text.find("Bert:"), std::string::npos) << int(format);
  }
  e.ChooseFigures({});  // no remark figure: no remarks
  EXPECT_EQ(ExportBytes(kFormatMealMaster, "keine.mm").find("Benutzer:"), std::string::npos);
}

TEST_F(Writers, WrapWidthsBelowOneAreTakenAsOne) {
  ctx().options->SetParaInt(29, 0);
  const std::string text = ExportBytes(kFormatRezKonv, "schmal.rk");
  EXPECT_NE(text.find("\r\nM\r\ne\r\nh\r\nl\r\n,\r\n"), std::string::npos);
  EXPECT_NE(text.find(":Quelle: O\r\n:Quelle: m\r\n"), std::string::npos);  // width - 19 as well
}

TEST_F(Writers, KeyFigureLinesGoWithOption32AndBlocksEndAsTheFormatsSay) {
  ctx().options->SetParaBool(32, true);
  const std::string mm = ExportBytes(kFormatMealMaster, "ohne.mm");
  EXPECT_EQ(mm.find(":Stichworte"), std::string::npos);
  EXPECT_EQ(mm.substr(mm.size() - 23), "servieren.\r\n\r\n\r\nMMMMM\r\n");
  const std::string rk = ExportBytes(kFormatRezKonv, "ohne.rk");
  EXPECT_EQ(rk.substr(rk.size() - 23), "servieren.\r\n\r\n\r\n=====\r\n");
}

// Texts longer than the text column and units Meal-Master has no code for: every line stays one
// a reader takes for an ingredient line, a unit without a code goes before the text by its name,
// and every word of the text comes back.
TEST_F(Writers, MealMasterLongTextsGoOnInContinuationLinesAndUnitsWithoutACodeByName) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Kirschen";
  r.servings = 4;
  r.lines = {{"2", "Gl", Ansi("Sauerkirschen (à 720 ml), entsteint und gut abgetropft"), "", 0, 0},
             {"", "", "-den Saft auffangen und für die Soße beiseitestellen", "", 0, 0},
             {"1", "Fl", Ansi("Kirschwasser für die Füllung!"), "", 0, 1},
             {"1", "Pfd", "Hackfleisch, gemischt", "", 0, 0},
             {"2", "Kgl", "Vanilleeis", "", 0, 0},
             {"1", "", "Donaudampfschifffahrtsgesellschaftskapitänsmütze", "", 0, 0},
             {"3", "EL", "Zucker", "", 0, 0}};
  r.lines[1].text = Ansi(r.lines[1].text);
  r.lines[5].text = Ansi(r.lines[5].text);
  e.AddRecipes({r});
  e.Export(kFormatMealMaster, kSetAll, "lang.mm");
  const std::string text = test::ReadAll(e.Path("lang.mm"));
  EXPECT_NE(text.find(Ansi("      2    Gläser Sauerkirschen (à 720\r\n"
                           "           - ml), entsteint und gut\r\n"
                           "           - abgetropft\r\n"
                           "           - den Saft auffangen und für\r\n"
                           "           - die Soße beiseitestellen\r\n"
                           "      1    ; Flasche Kirschwasser für\r\n"
                           "           - die Füllung!\r\n"
                           "      1    Pfund Hackfleisch, gemischt\r\n"
                           "      2    Kugeln Vanilleeis\r\n"
                           "      1    Donaudampfschifffahrtsgesell\r\n"
                           "           - schaftskapitänsmütze\r\n"
                           "      3 T  Zucker\r\n")),
            std::string::npos)
      << text;
  // No ingredient line reaches column 40.
  const size_t from = text.find("   Servings: 4 Portionen\r\n\r\n      2    ");
  ASSERT_NE(from, std::string::npos);
  for (size_t at = text.find("\r\n\r\n", from) + 4, end;
       (end = text.find("\r\n", at)) != std::string::npos && end > at; at = end + 2)
    EXPECT_LE(end - at, 39u) << text.substr(at, end - at);

  std::vector<REZBLOCK> back = e.ImportInto(e.Path("lang.mm"), "Lang");
  std::erase_if(back, [](const REZBLOCK& b) { return b.title != "Kirschen"; });
  ASSERT_EQ(back.size(), 1u);
  std::string words;
  for (const REZZUTAT& z : back[0].lines) words += z.text + "|";
  EXPECT_EQ(words, Ansi("Gläser Sauerkirschen (à 720|-ml), entsteint und gut|-abgetropft|"
                        "-den Saft auffangen und für|-die Soße beiseitestellen|"
                        "Flasche Kirschwasser für|-die Füllung!|Pfund Hackfleisch, gemischt|"
                        "Kugeln Vanilleeis|Donaudampfschifffahrtsgesell|-schaftskapitänsmütze|"
                        "Zucker|"));
  EXPECT_EQ(back[0].lines[5].notOnShoppingList, 1);
  EXPECT_EQ(back[0].lines[11].amount, "3");
  EXPECT_EQ(back[0].lines[11].unit, "EL");  // "T", Meal-Master's tablespoon, read back
}

// A recipe for the CookML checks: markup characters and umlauts in every kind of text.
REZBLOCK AwkwardRecipe() {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = Ansi("Äpfel & \"Birnen\" <süß>");
  r.recipeIdHigh = 7;
  r.recipeIdLow = -9;
  r.servings = 0;
  r.servingType = Ansi("Stück");
  r.quality = '0';
  r.difficulty = '2';
  r.categories[0] = 7;
  r.categories[1] = 999;  // no such category
  r.createdDate = "3.7.2005";
  r.createdEmail = "anna&bert@example.org";
  r.changedBy = Ansi("Jürgen");
  r.hint = Ansi("Obst, Süßes;<schnell>");
  r.source = "Heft 3\r\nSeite 4";
  r.costs = "5 \x80";
  r.lines = {{"", "", "*Teig & Guss", "", 0, 0},    {"1 1/2", "kg", Ansi("Äpfel"), "B1234", -1, 0},
             {"", "", Ansi("-geschält"), "", 0, 0}, {"\xBC", "l", "Milch \"3,5%\"", "", 250, 1},
             {"", "", "*Belag", "", 0, 0},          {"", "", "-nach Wahl", "", 0, 0},
             {"2", "EL", "Zucker", "", 0, 0}};
  r.text = Ansi("Schälen.\nKochen & <rühren>.") + "\x01";
  r.remarks = {{Ansi("Lecker & süß"), "O'Neill"}};
  r.pictures = {{'U', Ansi("http://example.org/bild?a=1&b=\"ä\"")}};
  r.nutrients = {test::Nutrient("ZF", "0,3"), test::Nutrient("ZE", "12,7"),
                 test::Nutrient("ZK", "0")};
  return r;
}

class CookMLWriter : public ::testing::Test {
 protected:
  std::string Export(const REZBLOCK& recipe) {
    e.AddRecipes({recipe});
    e.Export(kFormatCookML, kSetAll, "rezepte.cml");
    return test::ReadAll(e.Path("rezepte.cml"));
  }
  test::ExportEnv e;
};

TEST_F(CookMLWriter, EveryTextIsEscapedUtf8AndTheElementsFollowTheRecipe) {
  const std::string xml = Export(AwkwardRecipe());
  const std::string want =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
      "<!DOCTYPE cookml SYSTEM \"cookml.dtd\">\r\n"
      "<?xml-stylesheet href=\"cookml.xsl\" type=\"text/xsl\"?>\r\n"
      "<cookml version=\"1.0.11\" prog=\"Tavolin\" progver=\"1.00\">\r\n"
      "  <recipe lang=\"DE\">\r\n"
      "    <head title=\"\xC3\x84pfel &amp; &quot;Birnen&quot; &lt;s\xC3\xBC\xC3\x9F&gt;\"\r\n"
      "       rid=\"7,-9\"\r\n"
      "       servingtype=\"St\xC3\xBC"
      "ck\" difficulty=\"2\"\r\n"
      "       createdate=\"2005-07-03T00:00:00\" createemail=\"anna&amp;bert@example.org\"\r\n"
      "       changeuser=\"J\xC3\xBCrgen\"\r\n"
      "       costs=\"5 \xE2\x82\xAC\"\r\n"
      "       >\r\n"
      "       <cat>Kuchen</cat>\r\n"
      "       <hint>Obst</hint>\r\n"
      "       <hint>S\xC3\xBC\xC3\x9F"
      "es</hint>\r\n"
      "       <hint>&lt;schnell&gt;</hint>\r\n"
      "       <sourceline>Heft 3</sourceline>\r\n"
      "       <sourceline>Seite 4</sourceline>\r\n"
      "       <content type=\"ZF\" value=\"0,3\"/>\r\n"
      "       <content type=\"ZE\" value=\"12,7\"/>\r\n"
      "       <picture file=\"http://example.org/bild?a=1&amp;b=&quot;\xC3\xA4&quot;\"/>\r\n"
      "    </head>\r\n"
      "    <part title=\"Teig &amp; Guss\">\r\n"
      "      <ingredient qty=\"1.5\" unit=\"kg\" item=\"\xC3\x84pfel\" bls=\"B1234\" "
      "calc=\"N\">\r\n"
      "         <inote>gesch\xC3\xA4lt</inote>\r\n"
      "      </ingredient>\r\n"
      "      <ingredient qty=\"0.25\" unit=\"l\" item=\"Milch &quot;3,5%&quot;\" gram=\"250\" "
      "shop=\"N\"/>\r\n"
      "    </part>\r\n"
      "    <part title=\"Belag\">\r\n"
      "      <ingredient item=\"nach Wahl\"/>\r\n"
      "      <ingredient qty=\"2\" unit=\"EL\" item=\"Zucker\"/>\r\n"
      "    </part>\r\n"
      "    <preparation>\r\n"
      "      <text>Sch\xC3\xA4len.\r\nKochen &amp; &lt;r\xC3\xBChren&gt;. </text>\r\n"
      "    </preparation>\r\n"
      "    <remark user=\"O&apos;Neill\">\r\n"
      "      <line>Lecker &amp; s\xC3\xBC\xC3\x9F</line>\r\n"
      "    </remark>\r\n"
      "  </recipe>\r\n"
      "</cookml>\r\n";
  EXPECT_EQ(xml, want);
}

TEST_F(CookMLWriter, PicturesGoInOnlyWithOption49AndAFileThatCannotBeReadGivesAnEmptyPicbin) {
  REZBLOCK r = test::PlainRecipe(1);
  r.pictures = {{'F', "kuchen.jpg"}, {'F', "fehlt.bmp"}, {'F', "skizze.gif"}};
  test::WriteAll(e.env.Root() + "Pics/kuchen.jpg", "JPEGDATA");
  const std::string xml = Export(r);
  EXPECT_NE(xml.find("       <picbin format=\"JPG\">SlBFR0RBVEE=</picbin>\r\n"), std::string::npos);
  EXPECT_NE(xml.find("       <picbin format=\"BMP\"></picbin>\r\n"), std::string::npos);
  EXPECT_NE(xml.find("       <picbin format=\"\"></picbin>\r\n"), std::string::npos);
  ctx().options->SetParaBool(49, false);
  e.Export(kFormatCookML, kSetAll, "ohne.cml");
  EXPECT_EQ(test::ReadAll(e.Path("ohne.cml")).find("<pic"), std::string::npos);
}

TEST_F(CookMLWriter, TheByteOrderMarkComesWithOption89) {
  ctx().options->SetParaBool(89, true);
  const std::string xml = Export(test::PlainRecipe(1));
  EXPECT_EQ(xml.rfind("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n", 0), 0u);
}

// CookML's quantity is a number with a decimal point: fractions, mixed numbers and decimal
// commas go out so, with at most two decimals, and come back as the cook wrote them.
TEST_F(CookMLWriter, QuantitiesAreNumbersWithAtMostTwoDecimalsAndComeBackAsFractions) {
  REZBLOCK r = test::PlainRecipe(1);
  r.lines = {{"2/3", "Tas", "Milch", "", 0, 0},
             {"1 1/3", "Tas", "Mehl", "", 0, 0},
             {"1/8", "l", "Sahne", "", 0, 0},
             {"1,5", "kg", "Kartoffeln", "", 0, 0},
             {"0.666666666666667", "TL", "Salz", "", 0, 0},
             {"0,2345", "kg", "Butter", "", 0, 0},
             {"\xBD", "TL", "Zimt", "", 0, 0},
             {"12", "", "Eier", "", 0, 0}};
  const std::string xml = Export(r);
  std::vector<std::string> quantities;
  for (size_t at = 0; (at = xml.find(" qty=\"", at)) != std::string::npos;) {
    at += 6;
    quantities.push_back(xml.substr(at, xml.find('"', at) - at));
  }
  EXPECT_EQ(quantities,
            (std::vector<std::string>{"0.67", "1.33", "0.13", "1.5", "0.67", "0.23", "0.5", "12"}));
  for (const std::string& q : quantities)  // the rule a strict reader holds them to
    EXPECT_TRUE(std::regex_match(q, std::regex("[0-9]+(\\.[0-9]{1,2})?"))) << q;
  const std::vector<REZBLOCK> back = e.ImportInto(e.Path("rezepte.cml"), "Zurueck");
  ASSERT_EQ(back.size(), 1u);
  test::ExpectLines(back[0], {{"2/3", "Tas", "Milch"},
                              {"1 1/3", "Tas", "Mehl"},
                              {"1/8", "l", "Sahne"},
                              {"1.5", "kg", "Kartoffeln"},
                              {"2/3", "TL", "Salz"},
                              {"0.23", "kg", "Butter"},
                              {"1/2", "TL", "Zimt"},
                              {"12", "", "Eier"}});
}

// xmllint, the standard XML checker, reads the file as well-formed XML.
TEST_F(CookMLWriter, AnExportIsWellFormedForXmllint) {
  if (std::system("xmllint --version >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xmllint is not installed (scripts/install-deps installs libxml2-utils)";
  REZBLOCK golden = GoldenRecipe();
  golden.pictures = {{'F', "kuchen.jpg"}};
  test::WriteAll(e.env.Root() + "Pics/kuchen.jpg", std::string(3000, '\xFF'));
  e.AddRecipes({AwkwardRecipe(), golden, test::PlainRecipe(3)});
  e.Export(kFormatCookML, kSetAll, "geprueft.cml");
  const std::string out = e.env.Root() + "xmllint.txt";
  const std::string command =
      "xmllint --noout --nonet \"" + e.Path("geprueft.cml") + "\" >\"" + out + "\" 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << test::ReadAll(out);
}

}  // namespace
}  // namespace tav
