#include "recipedb/ingredient_catalogue.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>

#include "platform/settings_store.h"
#include "recipedb/recipe_model.h"
#include "services/charsets.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

REZZUTATEN Ingredient(const std::string& plural, const std::string& singular = "",
                      std::vector<std::string> units = {}) {
  REZZUTATEN z;
  z.plural = plural;
  z.singular = singular;
  z.units = std::move(units);
  return z;
}

bool SameIngredient(const REZZUTATEN& a, const REZZUTATEN& b) {
  return a.plural == b.plural && a.singular == b.singular && a.units == b.units &&
         a.energyBasis == b.energyBasis && a.energyUnit == b.energyUnit && a.energy == b.energy &&
         a.season == b.season && a.blsKey == b.blsKey && a.picture == b.picture &&
         a.pieceWeight == b.pieceWeight && a.notOnShoppingList == b.notOnShoppingList;
}

TEST(IngredientFile, EveryFieldIsWrittenAndReadBack) {
  REZZUTATEN z = Ingredient("Zwiebeln", "Zwiebel", {"St", "g", "kg"});
  z.energyBasis = REZZUTATEN::kPer100g;
  z.energy = "28";
  z.season = "J" + std::string(28, ' ') + "SSSSSSSSSSSS" + std::string(8, 'N');
  z.blsKey = "G480100";
  z.picture = "zwiebel.jpg";
  z.pieceWeight = 80;
  const std::string line = IngredientCatalogue::FormatLine(z);
  EXPECT_EQ(line, "Zwiebeln#Zwiebel#1#28#K#St~g~kg~#" + z.season + "#K#G480100#zwiebel.jpg#80");
  EXPECT_TRUE(SameIngredient(IngredientCatalogue::ParseLine(line), z));

  REZZUTATEN water = Ingredient("Wasser");
  water.energyUnit = REZZUTATEN::kKJ;
  water.energy = "?";
  water.notOnShoppingList = 1;
  EXPECT_EQ(IngredientCatalogue::FormatLine(water),
            "Wasser##0#?#J##N" + std::string(48, ' ') + "#N###0");
  EXPECT_TRUE(SameIngredient(IngredientCatalogue::ParseLine(IngredientCatalogue::FormatLine(water)),
                             water));
}

TEST(IngredientFile, ShortAndOlderLinesKeepTheirDefaults) {
  const REZZUTATEN defaults;
  REZZUTATEN z = IngredientCatalogue::ParseLine("Salz");
  EXPECT_EQ(z.plural, "Salz");
  EXPECT_TRUE(SameIngredient(z, Ingredient("Salz")));

  z = IngredientCatalogue::ParseLine("Mehl#Mehl#1#3");  // energy field not closed
  EXPECT_EQ(z.energyBasis, 1);
  EXPECT_EQ(z.energy, "");

  EXPECT_EQ(IngredientCatalogue::ParseLine("A##0##K# gkgEL#").units,
            (std::vector<std::string>{"g", "kg", "EL"}));
  EXPECT_EQ(IngredientCatalogue::ParseLine("A##0##K#g~kg~EL~#").units,
            (std::vector<std::string>{"g", "kg", "EL"}));
  EXPECT_EQ(IngredientCatalogue::ParseLine("A##0##K#Msp~St").units,
            (std::vector<std::string>{"Msp", "St"}));
  EXPECT_EQ(IngredientCatalogue::FormatLine(IngredientCatalogue::ParseLine("A##0##K# gkgEL#"))
                .substr(0, 17),
            "A##0##K#g~kg~EL~#");

  z = IngredientCatalogue::ParseLine("A##0#1#X##J" + std::string(20, 'S') + "#K#");
  EXPECT_EQ(z.energyUnit, REZZUTATEN::kKJ);  // anything but 'K'
  EXPECT_EQ(z.season, "J" + std::string(20, 'S') + std::string(28, ' '));
  z = IngredientCatalogue::ParseLine("A##0##K##N" + std::string(48, 'S') + "#N#");
  EXPECT_EQ(z.season, defaults.season);
  EXPECT_EQ(z.notOnShoppingList, 1);

  z = IngredientCatalogue::ParseLine("A##0##K##N#K#B123456");  // no '#' after the key
  EXPECT_EQ(z.blsKey, "");
  EXPECT_EQ(z.picture, "B123456");
  z = IngredientCatalogue::ParseLine("A##0##K##N#K#B1#bild.jpg");
  EXPECT_EQ(z.blsKey, "B1");
  EXPECT_EQ(z.picture, "bild.jpg");
  EXPECT_EQ(z.pieceWeight, 0);
}

struct CatalogueEnv {
  CatalogueEnv() {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
  }
  std::string File() { return env.Root() + "Data/DE/zutaten.dat"; }
  test::TestEnv env;
  IngredientCatalogue cat;
};

TEST(IngredientFile, ReadWriteAndFailures) {
  CatalogueEnv e;
  e.cat.zutaten = {Ingredient("vorher")};
  EXPECT_FALSE(e.cat.ReadZutaten());
  EXPECT_EQ(e.cat.zutaten.size(), 1u);  // kept
  ASSERT_EQ(e.env.messages.shown.size(), 1u);
  EXPECT_EQ(e.env.messages.shown[0].text, "{114}");
  EXPECT_EQ(e.env.messages.shown[0].title, "{15}");

  WriteAll(e.File(), "Salz\r\nZucker##1#400#K#g~EL~#N" + std::string(48, ' ') + "#K###0\r\n");
  ASSERT_TRUE(e.cat.ReadZutaten());
  ASSERT_EQ(e.cat.zutaten.size(), 2u);
  ASSERT_TRUE(e.cat.WriteZutaten());
  EXPECT_EQ(ReadAll(e.File()), "Salz##0##K##N" + std::string(48, ' ') +
                                   "#K###0\r\nZucker##1#400#K#g~EL~#N" + std::string(48, ' ') +
                                   "#K###0\r\n");

  IngredientCatalogue fresh;
  ASSERT_EQ(unlink(e.File().c_str()), 0);
  ASSERT_EQ(symlink((e.env.Root() + "offline/zutaten.dat").c_str(), e.File().c_str()), 0);
  EXPECT_FALSE(fresh.ReadZutaten());
  EXPECT_FALSE(fresh.WriteZutaten());
  EXPECT_EQ(e.env.messages.shown.back().text, "{113}");
  // A catalogue read before keeps its contents when a later read fails.
  EXPECT_FALSE(e.cat.ReadZutaten());
  EXPECT_EQ(e.cat.zutaten.size(), 2u);
}

TEST(IngredientFile, BlankLinesAreNoIngredients) {
  CatalogueEnv e;
  WriteAll(e.File(), "\r\nSalz\r\n  \r\n\r\nZucker\r\n\r\n");
  ASSERT_TRUE(e.cat.ReadZutaten());
  ASSERT_EQ(e.cat.zutaten.size(), 2u);
  EXPECT_EQ(e.cat.zutaten[0].plural, "Salz");
  EXPECT_EQ(e.cat.zutaten[1].plural, "Zucker");
}

// FindZutatForText takes the first plural a text contains, so a name must never stand behind a
// shorter one inside it; saving keeps that, and leaves every other order alone.
// Names equal but for case contain each other; saving again and again keeps their order.
TEST(IngredientFile, NamesEqualButForCaseKeepTheirOrderOverSaves) {
  CatalogueEnv e;
  e.cat.zutaten = {Ingredient("\xF4l"), Ingredient("Salz"), Ingredient("\xD4L"),
                   Ingredient("Meersalz"), Ingredient("SALZ")};
  for (int save = 0; save < 3; ++save) {
    ASSERT_TRUE(e.cat.WriteZutaten());
    std::vector<std::string> order;
    for (const REZZUTATEN& z : e.cat.zutaten) order.push_back(z.plural);
    EXPECT_EQ(order, (std::vector<std::string>{"\xF4l", "Meersalz", "Salz", "\xD4L", "SALZ"}))
        << "save " << save;
  }
}

TEST(IngredientFile, SavingPutsLongerNamesBeforeTheNamesInsideThem) {
  CatalogueEnv e;
  e.cat.zutaten = {Ingredient("Lauch"),          Ingredient("Salz"),
                   Ingredient("Zwiebeln"),       Ingredient("Knoblauch"),
                   Ingredient("Meersalz"),       Ingredient(""),
                   Ingredient("Fr\xFChlingszwiebeln"), Ingredient("Gem\xFCsezwiebeln"),
                   Ingredient("Ei"),             Ingredient("Eier"),
                   Ingredient("Eiernudeln")};
  ASSERT_TRUE(e.cat.WriteZutaten());
  std::vector<std::string> order;
  for (const REZZUTATEN& z : e.cat.zutaten) order.push_back(z.plural);
  const std::vector<std::string> want = {"Knoblauch",
                                         "Lauch",
                                         "Meersalz",
                                         "Salz",
                                         "Fr\xFChlingszwiebeln",
                                         "Gem\xFCsezwiebeln",
                                         "Zwiebeln",
                                         "",
                                         "Eiernudeln",
                                         "Eier",
                                         "Ei"};
  EXPECT_EQ(order, want);
  for (const char* name : {"Lauch", "Knoblauch", "Salz", "Meersalz", "Eier", "Ei", "Zwiebeln"}) {
    REZZUTATEN found;
    EXPECT_EQ(e.cat.FindZutatForText(name, found), 1) << name;
    EXPECT_EQ(found.plural, name);
  }
  // The file holds that order, and saving again changes nothing.
  ASSERT_TRUE(e.cat.ReadZutaten());
  const std::string once = ReadAll(e.File());
  ASSERT_TRUE(e.cat.WriteZutaten());
  EXPECT_EQ(ReadAll(e.File()), once);
  EXPECT_EQ(e.cat.zutaten[0].plural, "Knoblauch");
}

// The order the rule gives, worked out the plain way (each name compared with every one placed
// before it): the save must give exactly this, however it finds the names inside a name.
std::vector<std::string> OrderByThePlainRule(const std::vector<std::string>& names) {
  std::vector<std::string> placed, upper;
  for (const std::string& n : names) {
    const std::string u = UpperCaseAnsi(n);
    size_t at = 0;
    while (at < upper.size() && (upper[at].empty() || upper[at].size() == u.size() ||
                                 u.find(upper[at]) == std::string::npos))
      ++at;
    placed.insert(placed.begin() + static_cast<std::ptrdiff_t>(at), n);
    upper.insert(upper.begin() + static_cast<std::ptrdiff_t>(at), u);
  }
  return placed;
}

// Thousands of names built from a few syllables (so that many hold others, in both cases, with
// repeats and empty names) come out in the order of the plain rule.
TEST(IngredientFile, SavingOrdersManyNamesExactlyByTheRule) {
  const std::vector<std::string> syllables = {"zwie", "bel",  "lauch", "knob", "EI",    "er",
                                              "nu",   "deln", "salz",  "meer", "\xE4p", "fel"};
  std::mt19937 gen(20261211);
  for (int round = 0; round < 3; ++round) {
    CatalogueEnv e;
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i) {
      std::string n;
      const int parts = static_cast<int>(gen() % 4);
      for (int k = 0; k < parts; ++k) n += syllables[gen() % syllables.size()];
      names.push_back(n);
      e.cat.zutaten.push_back(Ingredient(n));
    }
    ASSERT_TRUE(e.cat.WriteZutaten());
    std::vector<std::string> order;
    for (const REZZUTATEN& z : e.cat.zutaten) order.push_back(z.plural);
    EXPECT_EQ(order, OrderByThePlainRule(names));
  }
}

IngredientCatalogue Sample() {
  IngredientCatalogue c;
  c.zutaten = {Ingredient("Zucker", "", {"g", "EL", "g"}),
               Ingredient("Tomaten (frisch)", "Tomate", {"St"}), Ingredient("Brauner Zucker"),
               Ingredient("Eier", "Ei", {"St"}), Ingredient("\xC4pfel", "Apfel")};
  c.zutaten[0].blsKey = "S100000";
  c.zutaten[3].notOnShoppingList = 1;
  return c;
}

TEST(IngredientLookups, ListsCombosAndSearches) {
  IngredientCatalogue c = Sample();
  std::vector<ListItem> list = {{"old", 0}};
  c.FillZutatList(list, true);
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[1].text, "Tomaten");
  EXPECT_EQ(list[1].data, 1);
  c.FillZutatList(list, false);
  EXPECT_EQ(list[1].text, "Tomaten (frisch)");
  c.onlyWithoutUnits = true;
  c.FillZutatList(list, false);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].data, 4);

  std::vector<std::string> combo = {"x"};
  c.FillZutatCombo(std::nullopt, combo);
  EXPECT_EQ(combo.size(), 1u);
  c.FillZutatCombo("g", combo);
  EXPECT_EQ(combo, (std::vector<std::string>{"x", "Zucker", "Zucker"}));
  combo.clear();
  c.FillZutatCombo("", combo);
  EXPECT_EQ(combo.size(), 5u);
  combo.clear();
  c.FillZutatCombo("st", combo);  // exact, case-sensitive
  EXPECT_TRUE(combo.empty());

  std::string name = "x";
  c.FindZutatByPrefix("\xE4p", name);
  EXPECT_EQ(name, "\xC4pfel");
  c.FindZutatByPrefix("", name);
  EXPECT_EQ(name, "");

  REZZUTATEN found;
  EXPECT_EQ(c.FindZutatForText("  zucker ", found), 1);
  EXPECT_EQ(found.plural, "Zucker");
  EXPECT_EQ(c.FindZutatForText("EI", found), 1);
  EXPECT_EQ(found.plural, "Eier");
  // Containment in an earlier entry wins over an equal name later on.
  EXPECT_EQ(c.FindZutatForText("brauner Zucker", found), 2);
  EXPECT_EQ(found.plural, "Zucker");
  found.plural = "untouched";
  EXPECT_EQ(c.FindZutatForText("Mehl", found), 0);
  EXPECT_EQ(found.plural, "untouched");
  c.zutaten.push_back(Ingredient(""));  // an empty name is in no text
  EXPECT_EQ(c.FindZutatForText("Mehl", found), 0);

  std::string key = "k";
  uint8_t flag = 7;
  EXPECT_FALSE(c.GetZutatBLSKey("zucker", key, flag));
  EXPECT_EQ(key, "k");
  EXPECT_TRUE(c.GetZutatBLSKey(" Zucker ", key, flag));
  EXPECT_EQ(key, "S100000");
  EXPECT_EQ(flag, 0);
  EXPECT_TRUE(c.GetZutatBLSKey("Ei", key, flag));
  EXPECT_EQ(flag, 1);
  EXPECT_FALSE(c.GetZutatBLSKey("", key, flag));

  int count = 0;
  c.CountZutaten(count);
  EXPECT_EQ(count, 6);
  REZZUTATEN got;
  EXPECT_TRUE(c.GetZutat(3, got));
  EXPECT_EQ(got.singular, "Ei");
  EXPECT_FALSE(c.GetZutat(6, got));
  EXPECT_FALSE(c.GetZutat(-1, got));
}

TEST(IngredientLookups, PicturesOfARecipeTakeTheLongestNameOnce) {
  IngredientCatalogue c;
  c.zutaten = {Ingredient("Zucker"), Ingredient("Brauner Zucker"), Ingredient("Eier", "Ei"),
               Ingredient("Zuckerr\xFC"
                          "ben")};
  c.zutaten[0].picture = "zucker.jpg";
  c.zutaten[1].picture = "braun.jpg";
  c.zutaten[2].picture = "ei.jpg";
  REZBLOCK r;
  for (const char* text : {"Brauner Zucker", "Zucker", "Ei, verquirlt",
                           "Zuckerr\xFC"
                           "ben",
                           "Salz", "brauner zucker"})
    r.lines.push_back({"1", "", text, "", 0, 0});
  std::vector<std::string> list = {"old"};
  c.CollectRecipeZutatPictures(r, list);
  EXPECT_EQ(list, (std::vector<std::string>{"braun.jpg", "zucker.jpg", "ei.jpg"}));
}

}  // namespace
}  // namespace tav
