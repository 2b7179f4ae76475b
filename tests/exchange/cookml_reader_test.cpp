#include <gtest/gtest.h>

#include <regex>

#include "import_test_support.h"
#include "platform/paths.h"

namespace tav {
namespace {

using test::Ansi;

class CookML : public ::testing::Test {
 protected:
  std::string Pics() const { return env.env.Root() + "Pics/"; }
  test::ImportEnv env;
};

TEST_F(CookML, EveryElementGoesToItsField) {
  EXPECT_EQ(env.ImportFixture("cookml_picture_units_categories.cml"), 2);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 2u);
  const REZBLOCK& r = recipes[0];
  EXPECT_EQ(r.title, Ansi("Käsekuchen mit Mürbeteig"));
  EXPECT_EQ(r.recipeIdHigh, 1100000000);
  EXPECT_EQ(r.recipeIdLow, 2200);
  EXPECT_EQ(r.servings, 12);
  EXPECT_EQ(r.servingType, Ansi("Stück"));
  EXPECT_EQ(r.quality, '4');
  EXPECT_EQ(r.difficulty, '2');
  EXPECT_EQ(r.createdBy, "Anna");
  EXPECT_EQ(r.createdDate, "6.5.2004");
  EXPECT_EQ(r.createdEmail, "anna@example.org");
  EXPECT_EQ(r.changedBy, "Bert");
  EXPECT_EQ(r.changedDate, "3.7.2005");
  EXPECT_EQ(r.changedEmail, "bert@example.org");
  EXPECT_EQ(r.prepTime, "30");
  EXPECT_EQ(r.cookTime, "60");
  EXPECT_EQ(r.totalTime, "90");
  EXPECT_EQ(r.costs, "mittel");
  EXPECT_EQ(r.points, "7");
  // Kuchen, then Plätzchen's two main categories; the repeated Kuchen goes.
  test::ExpectCategories(r, {7, 9, 30});
  EXPECT_EQ(r.source, "Omas Heft\r\nSeite 12");
  EXPECT_EQ(r.cardText, "Festtag");
  EXPECT_EQ(r.hint, "Quark, Backen");
  ASSERT_EQ(r.nutrients.size(), 1u);  // a content without value is left out
  EXPECT_STREQ(r.nutrients[0].code, "GCAL");
  EXPECT_EQ(r.nutrients[0].value, "3600");

  struct Want {
    const char* amount;
    const char* unit;
    const char* text;
    const char* bls;
    int grams;
    int shop;
  } lines[] = {
      {"", "", "*Teig", "", 0, 0},         {"250", "g", "Mehl", "E110100", 250, 1},
      {"1.5", "kg", "Quark", "", 1500, 0},  // the later of calc and gram decides
      {"1", "Tas", "Milch", "", -1, 0},  // the cup is a cup
      {"2", "", "Eier", "", 0, 0},         {"", "", "-Größe M", "", 0, 0},
      {"", "", "*Belag", "", 0, 0},
  };
  ASSERT_EQ(r.lines.size(), std::size(lines));
  for (size_t i = 0; i < std::size(lines); ++i) {
    EXPECT_EQ(r.lines[i].amount, lines[i].amount) << i;
    EXPECT_EQ(r.lines[i].unit, lines[i].unit) << i;
    EXPECT_EQ(r.lines[i].text, Ansi(lines[i].text)) << i;
    EXPECT_EQ(r.lines[i].blsCode, lines[i].bls) << i;
    EXPECT_EQ(r.lines[i].grams, lines[i].grams) << i;
    EXPECT_EQ(r.lines[i].notOnShoppingList, lines[i].shop) << i;
  }
  EXPECT_EQ(r.text, Ansi("Teig kneten.\n\nQuark unterrühren.\nBacken."));
  ASSERT_EQ(r.remarks.size(), 2u);
  EXPECT_EQ(r.remarks[0].author, "Anna");
  EXPECT_EQ(r.remarks[0].text, "Sehr gut.\nGelingt immer.");
  EXPECT_EQ(r.remarks[1].text, "");
  EXPECT_TRUE(r.IsMarked());

  const REZBLOCK& s = recipes[1];
  EXPECT_EQ(s.title, "");
  EXPECT_EQ(s.servings, 4);
  ASSERT_EQ(s.lines.size(), 1u);
  EXPECT_EQ(s.lines[0].amount, "1/2");  // 0,5 l shown as a fraction
  EXPECT_NE(s.recipeIdLow, 0);
}

// Quantities written as long decimals (an earlier export of this program) or with two decimals
// (other programs) come in as the cook's fractions they stand for; decimals a cook writes stay,
// and a number that is no fraction is kept whole (the views show it with two decimals).
TEST_F(CookML, DecimalsThatStandForFractionsAreReadAsTheFractions) {
  EXPECT_EQ(env.ImportFixture("cookml_thirds_as_long_decimals.cml"), 2);
  const std::vector<REZBLOCK> r = env.Recipes("Ziel");
  ASSERT_EQ(r.size(), 2u);
  test::ExpectLines(r[0], {{"2/3", "Tas", "Milch"},
                           {"1 1/3", "Tas", "Mehl"},
                           {"1/3", "TL", "Salz"},
                           {"1/8", "l", "Sahne"},
                           {"1.5", "EL", "Zucker"},
                           {"2-3", "", "Eier"}});
  test::ExpectLines(r[1], {{"2/3", "Tas", "Sugar"},
                           {"2 1/6", "Tas", "Flour"},
                           {"0.1234", "kg", "Butter"},
                           {"250", "g", "Buttermilk"}});
}

TEST_F(CookML, AnEmbeddedPictureIsWrittenUnderANameOfItsOwnOnly) {
  env.ImportFixture("cookml_picture_units_categories.cml");
  const REZBLOCK r = env.Recipes("Ziel").at(0);
  ASSERT_EQ(r.pictures.size(), 2u);
  EXPECT_EQ(r.pictures[0].kind, 'U');
  EXPECT_EQ(r.pictures[0].name, "http://example.org/kuchen.jpg");
  EXPECT_EQ(r.pictures[1].kind, 'F');
  EXPECT_TRUE(std::regex_match(r.pictures[1].name, std::regex("[a-z]{8}\\.JPG")))
      << r.pictures[1].name;
  // The wrapped Base64 text gives the picture's bytes.
  EXPECT_EQ(test::ReadAll(Pics() + r.pictures[1].name),
            test::ReadAll(test::Fixture("jpeg_red_green_blue.jpg")));
  // The picture whose format names a path is not written anywhere.
  EXPECT_EQ(ListFolder(Pics()), std::vector<std::string>{r.pictures[1].name});
  for (const std::string& folder :
       {env.env.Root(), env.env.Root() + "../", env.env.Root() + "../../"})
    for (const std::string& name : ListFolder(folder))
      EXPECT_EQ(name.find("escape"), std::string::npos) << folder << name;
}

std::string CookMLFile(int recipes, const std::string& head = std::string()) {
  std::string xml = "<?xml version=\"1.0\"?>\n<cookml>\n";
  for (int i = 1; i <= recipes; ++i)
    xml += "<recipe><head title=\"R" + std::to_string(i) + "\">" + head +
           "</head><preparation><text>T</text></preparation></recipe>\n";
  return xml + "</cookml>\n";
}

TEST_F(CookML, ProgressLineAtRecipesOneAndFourteenThenTheCount) {
  const std::string path = env.env.Root() + "Import/vierzehn.cml";
  test::WriteAll(path, CookMLFile(14));
  env.importer.files = {path};
  EXPECT_EQ(env.importer.StartImport(), 14);
  EXPECT_EQ(env.importer.Log(),
            (std::vector<std::string>{"Lese Datei '" + path + "'", "-> 14 Rezepte gelesen ...", "",
                                      "Import beendet."}));
  EXPECT_EQ(env.importer.processCalls, 2);  // at recipes 1 and 14
  EXPECT_EQ(env.Entries("Ziel").size(), 14u);
}

TEST_F(CookML, BothHalvesOfTheIdentifierKeepTheirSign) {
  struct Case {
    const char* rid;
    int32_t high, low;
  } cases[] = {
      {"12345,678", 12345, 678},
      {"-1048576,-2138906624", -1048576, -2138906624},  // as the writer puts halves past 2^31
      {"2146435072,-5", 2146435072, -5},
      {"4293918720,17", -1048576, 17},  // an unsigned high half reads as the same bits
      {" 99 , 100 ", 99, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rid);
    test::ImportEnv local;
    const std::string path = local.env.Root() + "Import/rid.cml";
    test::WriteAll(path, std::string("<?xml version=\"1.0\"?>\n<cookml><recipe><head title=\"R\" "
                                     "rid=\"") +
                             c.rid + "\"/></recipe></cookml>\n");
    local.importer.files = {path};
    ASSERT_EQ(local.importer.StartImport(), 1);
    const std::vector<REZBLOCK> recipes = local.Recipes("Ziel");
    ASSERT_EQ(recipes.size(), 1u);
    EXPECT_EQ(recipes[0].recipeIdHigh, c.high);
    EXPECT_EQ(recipes[0].recipeIdLow, c.low);
  }
}

TEST_F(CookML, ARecipeThatCannotBeStoredIsNotCountedAndLeavesNoPicture) {
  const std::string path = env.env.Root() + "Import/bild.cml";
  test::WriteAll(path, CookMLFile(3, "<picbin format=\"jpg\">/9j/4AAQ</picbin>"));
  int calls = 0;
  env.importer.saveOverride = [&](const std::string&, REZBLOCK&, REZINDEX&) {
    ++calls;
    return false;
  };
  env.importer.files = {path};
  EXPECT_EQ(env.importer.StartImport(), 0);
  EXPECT_EQ(calls, 1);  // the rest of the file is not tried after the store failed
  EXPECT_TRUE(ListFolder(Pics()).empty());
  EXPECT_TRUE(env.Entries("Ziel").empty());
}

TEST_F(CookML, AByteOrderMarkSendsTheFileThroughTheLineScanToTheReader) {
  const std::string path = env.env.Root() + "Import/bom.cml";
  test::WriteAll(path, "\xEF\xBB\xBF" + CookMLFile(2));
  env.importer.files = {path};
  EXPECT_EQ(env.importer.StartImport(), 2);
  EXPECT_EQ(env.Entries("Ziel").size(), 2u);
  EXPECT_EQ(env.importer.Log(),
            (std::vector<std::string>{"Lese Datei '" + path + "'", "", "Lese Datei '" + path + "'",
                                      "-> 2 Rezepte gelesen ...", "", "Import beendet."}));
}

TEST_F(CookML, ClipboardXmlEndsTheScanWithTheParsersMessage) {
  EXPECT_EQ(env.ImportClipboard("<?xml version=\"1.0\"?>\r\n<cookml/>"), 0);
  const std::string log = env.LogText();
  EXPECT_NE(log.find("Lese Rezepte aus der Zwischenablage"), std::string::npos) << log;
  EXPECT_NE(log.find(Ansi("! Die XML-Datei konnte nicht geöffnet werden")), std::string::npos)
      << log;
}

}  // namespace
}  // namespace tav
