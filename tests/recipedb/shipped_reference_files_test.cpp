// The reference files shipped in data/: each is read by the program and written back byte for
// byte, and they fit together (units the ingredients offer exist, food keys exist, sub
// categories point at main categories).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/category_table.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/unit_table.h"
#include "services/charsets.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

std::string Shipped(const std::string& name) {
  return std::string(TAVOLIN_SHIPPED_DATA) + "/" + name;
}

class ShippedFiles : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    env.userSettings.WriteString(kRegParam, "AktLanguage", Lang());
    env.Options();
    for (const char* f : {"einheit.dat", "Gattung.dat", "zutaten.dat"})
      WriteAll(Folder() + f, ReadAll(Shipped("Data/" + Lang() + "/" + f)));
  }
  const std::string& Lang() const { return GetParam(); }
  std::string Folder() { return env.Root() + "Data/" + Lang() + "/"; }
  test::TestEnv env;
};

TEST_P(ShippedFiles, UnitsReadSortedAndWrittenBackAreByteIdentical) {
  const std::string original = ReadAll(Folder() + "einheit.dat");
  UnitTable units;
  ASSERT_TRUE(units.ReadEinheiten());
  units.SortEinheiten();  // the file is kept in the order the program sorts it
  ASSERT_TRUE(units.WriteEinheiten());
  EXPECT_EQ(ReadAll(Folder() + "einheit.dat"), original);

  int fixedCount = 0, converting = 0;
  units.CountUnitKinds(fixedCount, converting);
  EXPECT_GE(fixedCount + converting, 40);
  // Codes are unique; only Meal-Master's own pairs differ in nothing but case.
  const std::set<std::string> caseTwins = {"t", "T", "ds", "Ds", "fl", "Fl", "pk", "Pk"};
  std::set<std::string> codes, folded;
  for (const REZEINHEIT& u : units.units) {
    EXPECT_TRUE(codes.insert(u.code).second) << "code twice: " << u.code;
    EXPECT_TRUE(folded.insert(UpperCaseAnsi(u.code)).second || caseTwins.count(u.code))
        << "codes differ only in case: " << u.code;
    EXPECT_TRUE(UnitNameFitsFile(u.name) && UnitNameFitsFile(u.plural) &&
                UnitNameFitsFile(u.shortForm))
        << u.code;
    if (u.fixed) continue;
    const REZEINHEIT* target = units.FindUnitByCode(u.target);
    ASSERT_NE(target, nullptr) << u.code;
    EXPECT_TRUE(target->fixed) << u.code;
    size_t used = 0;
    std::string factor = u.factor;
    std::replace(factor.begin(), factor.end(), ',', '.');
    EXPECT_GT(ReadNumber(factor, &used), 0) << u.code;
    EXPECT_EQ(used, factor.size()) << u.code;
  }
  // Every code the nutrient calculation weighs is a fixed unit of the table.
  for (const char* code : {"g", "ml", "cl", "dl", "kg", "l", "EL", "TL", "Pr", "Sk", "mi", "gr",
                           "kl", "mg", "Msp", "Tas", "Bd", "Ds", "Zeh", "Sch"}) {
    const REZEINHEIT* u = units.FindUnitByCode(code);
    EXPECT_TRUE(u && u->fixed) << code;
  }
}

TEST_P(ShippedFiles, CategoriesReadAndWrittenBackAreByteIdentical) {
  const std::string original = ReadAll(Folder() + "Gattung.dat");
  CategoryTable cats;
  cats.ReadGattungen();
  ASSERT_TRUE(cats.WriteGattungen());
  EXPECT_EQ(ReadAll(Folder() + "Gattung.dat"), original);

  int mains = 0, subs = 0, frees = 0;
  cats.CountGattKinds(mains, subs, frees);
  EXPECT_GE(mains + subs + frees, 60);
  EXPECT_GT(mains, 20);
  EXPECT_GT(subs, 20);
  EXPECT_GT(frees, 20);
  std::set<int> ids;
  std::string name;
  for (const REZGATT& g : cats.gatt) {
    EXPECT_TRUE(ids.insert(g.id).second) << g.id;
    EXPECT_EQ(g.name.find('#'), std::string::npos);
    for (uint16_t m : g.mainIds) EXPECT_TRUE(cats.GetGattName(m, name)) << g.name;
  }
}

TEST_P(ShippedFiles, IngredientsReadAndWrittenBackAreByteIdenticalAndUseKnownUnitsAndFoods) {
  const std::string original = ReadAll(Folder() + "zutaten.dat");
  IngredientCatalogue cat;
  ASSERT_TRUE(cat.ReadZutaten());
  ASSERT_TRUE(cat.WriteZutaten());
  EXPECT_EQ(ReadAll(Folder() + "zutaten.dat"), original);
  EXPECT_GE(cat.zutaten.size(), 300u);

  UnitTable units;
  ASSERT_TRUE(units.ReadEinheiten());
  std::set<std::string> foods;
  std::vector<std::string> data;
  ASSERT_TRUE(ReadTextLines(Shipped("Data/Data.bls"), data));
  for (const std::string& line : data) foods.insert(line.substr(0, line.find(';')));

  std::set<std::string> names;
  for (const REZZUTATEN& z : cat.zutaten) {
    EXPECT_TRUE(names.insert(z.plural).second) << z.plural;
    for (const std::string& code : z.units) {
      const REZEINHEIT* u = units.FindUnitByCode(code);
      EXPECT_TRUE(u && u->fixed) << z.plural << ": " << code;
    }
    if (!z.blsKey.empty()) {
      EXPECT_TRUE(foods.count(z.blsKey)) << z.plural << ": " << z.blsKey;
    }
    long long kcal = -1;
    EXPECT_TRUE(ParseInt(z.energy, kcal) && kcal >= 0 && kcal < 1000) << z.plural;
    EXPECT_EQ(z.season[0] == 'J', z.season.find_first_not_of(' ', 1) != std::string::npos)
        << z.plural;
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ShippedFiles, ::testing::Values("DE", "EN"));

TEST(ShippedTextRules, UmlautExceptionsKeepWordsAndConvertTheRest) {
  // German: spelled umlauts become umlauts, but names, loan words and the English cooking words
  // of imported collections stay. English: nothing is converted.
  struct Case {
    const char* in;
    const char* de;
  } cases[] = {
      {"Mueller", "M\xFCller"},
      {"Kaesespaetzle mit Roestzwiebeln", "K\xE4sesp\xE4tzle mit R\xF6stzwiebeln"},
      {"die Haelfte der Holunderblueten", "die H\xE4lfte der Holunderbl\xFCten"},
      {"Feuer, Sauerkraut und frische Quellen", "Feuer, Sauerkraut und frische Quellen"},
      {"zuerst aktuell, eventuell individuell", "zuerst aktuell, eventuell individuell"},
      {"Michael mag Caesar Salad und Paella", "Michael mag Caesar Salad und Paella"},
      {"Dr. Oetker, Boeuf Stroganoff, Aloe vera", "Dr. Oetker, Boeuf Stroganoff, Aloe vera"},
      {"Baguette und Fondue", "Baguette und Fondue"},
      {"Muesli mit Aepfeln, UEBERBACKEN",
       "M\xFCsli mit \xC4pfeln, \xDC"
       "BERBACKEN"},
      {"Avocadoes, Tomatoes; seeded, Potatoes and Mangoes",
       "Avocadoes, Tomatoes; seeded, Potatoes and Mangoes"},
      {"Blue cheese, blueberries, true value", "Blue cheese, blueberries, true value"},
      {"Continue until it does not stick; the queue goes on",
       "Continue until it does not stick; the queue goes on"},
      {"Barbecue sauce over beef suet, a meringue sundae",
       "Barbecue sauce over beef suet, a meringue sundae"},
      {"Trueffel und Gruenkohl, Gemuese", "Tr\xFC""ffel und Gr\xFCnkohl, Gem\xFCse"},
  };
  for (const char* lang : {"DE", "EN"}) {
    std::vector<UMLCONV> ex;
    ASSERT_TRUE(ReadUmlautExceptions(Shipped("Data/") + lang + "/umlconvs.dat", ex));
    for (const UMLCONV& e : ex) {
      ASSERT_LT(static_cast<size_t>(e.offset) + 1, e.word.size()) << e.word;
      EXPECT_NE(std::string("AOU").find(e.word[e.offset]), std::string::npos) << e.word;
      EXPECT_EQ(e.word[e.offset + 1], 'E') << e.word;
    }
    const bool german = std::string(lang) == "DE";
    for (const Case& c : cases) {
      std::string t = c.in;
      DosToAnsiUmlauts(t, ex, false);
      EXPECT_EQ(t, german ? c.de : c.in) << lang << ": " << c.in;
    }
  }
}

TEST(ShippedTextRules, TitleWordsAndUnitNameForms) {
  std::vector<std::string> de, en;
  ASSERT_TRUE(ReadTitleWords(Shipped("Data/DE/NormTitle.dat"), de));
  ASSERT_TRUE(ReadTitleWords(Shipped("Data/EN/NormTitle.dat"), en));
  struct Case {
    const std::vector<std::string>* words;
    const char* in;
    const char* out;
  } cases[] = {
      {&de, "KARTOFFELSUPPE MIT SPECK", "Kartoffelsuppe mit Speck"},
      {&de, "H\xC4HNCHEN IN ROTWEIN AUS DEM OFEN", "H\xE4hnchen in Rotwein aus dem Ofen"},
      {&de, "SPARERIBS VOM GRILL MIT BBQ-SOSSE", "Spareribs vom Grill mit Bbq-Sosse"},
      {&de, "RINDERBRATEN BBQ", "Rinderbraten BBQ"},
      {&de, "DIE BESTE SCHWARZW\xC4LDER KIRSCHTORTE", "Die Beste Schwarzw\xE4lder Kirschtorte"},
      {&en, "THE BEST APPLE PIE IN THE WORLD", "The Best Apple Pie in the World"},
      {&en, "BLT SANDWICH WITH AVOCADO", "Blt Sandwich with Avocado"},
      {&en, "PULLED PORK BBQ", "Pulled Pork BBQ"},
      {&en, "VITAMIN E SALAD WITH A TWIST", "Vitamin E Salad with A Twist"},
      {&de, "SALAT MIT VITAMIN E", "Salat mit Vitamin E"},
      {&de, "CR\xCAPES SUZETTE \xC0 LA MAISON", "Cr\xEApes Suzette \xE0 la Maison"},
  };
  for (const Case& c : cases) {
    std::string t = c.in;
    NormalizeTitle(t, 2, *c.words);
    EXPECT_EQ(t, c.out);
  }

  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(Shipped("Data/RkKonvert.dat"), lines));
  UnitTable units;
  std::vector<std::string> unitLines;
  ASSERT_TRUE(ReadTextLines(Shipped("Data/DE/einheit.dat"), unitLines));
  for (const std::string& l : unitLines) {
    REZEINHEIT u;
    if (UnitTable::ParseLine(l, u)) units.units.push_back(u);
  }
  for (const std::string& l : lines) {
    const size_t first = l.find('#');
    ASSERT_NE(first, std::string::npos) << l;
    ASSERT_NE(l.find('#', first + 1), std::string::npos) << l;
    EXPECT_NE(units.FindUnitByCode(l.substr(0, first)), nullptr) << l;
  }
}

}  // namespace
}  // namespace tav
