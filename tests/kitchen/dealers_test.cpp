// Dealers and shop counters: Haendler.dat and the lookups of the shopping list and the
// ingredient catalogue.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <set>

#include "kitchen/shopping/dealers.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

class DealersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
  }
  std::string File() const { return env.DataFolder() + "Haendler.dat"; }
  // Markt (Salat, Lauch), Metzger (Speck), Markt again (nothing), K\xE4sestand (Lauch, Feta).
  DealerTable Sample() {
    DealerTable t;
    t.dealers = {{"Markt", 0, {"Salat", "Lauch"}},
                 {"Metzger", 1, {"Speck"}},
                 {"Markt", 2, {}},
                 {"K\xE4sestand", 3, {"Lauch", "Feta"}}};
    return t;
  }
  test::TestEnv env;
};

TEST_F(DealersTest, TheFileIsReadByItsBarLines) {
  WriteAll(File(),
           "Salz\r\n"                       // before any dealer: goes to the first one
           "|Wochenmarkt\r\nSalat\r\n\r\n"  // an empty line is an empty name
           "|\r\nEier\r\n"                  // a dealer without name hands its lines on
           "|Metzger\r\nSpeck");
  DealerTable t;
  ASSERT_TRUE(t.ReadHaendler());
  ASSERT_EQ(t.dealers.size(), 2u);
  EXPECT_EQ(t.dealers[0].name, "Wochenmarkt");
  EXPECT_EQ(t.dealers[0].ingredients, (std::vector<std::string>{"Salz", "Salat", ""}));
  EXPECT_EQ(t.dealers[0].sequence, 0);
  EXPECT_EQ(t.dealers[1].name, "Metzger");
  EXPECT_EQ(t.dealers[1].ingredients, (std::vector<std::string>{"Eier", "Speck"}));
  EXPECT_EQ(t.dealers[1].sequence, 1);
  // Written back in table order.
  ASSERT_TRUE(t.SaveHaendler());
  EXPECT_EQ(ReadAll(File()), "|Wochenmarkt\r\nSalz\r\nSalat\r\n\r\n|Metzger\r\nEier\r\nSpeck\r\n");
}

TEST_F(DealersTest, WithoutAFileOfItsOwnTheLanguagesListIsRead) {
  WriteAll(env.DataFolder() + "DE/Haendler.dat", "|Wochenmarkt\r\nLauch\r\n");
  DealerTable t;
  ASSERT_TRUE(t.ReadHaendler());
  ASSERT_EQ(t.dealers.size(), 1u);
  EXPECT_EQ(t.dealers[0].ingredients, (std::vector<std::string>{"Lauch"}));
  // Saving makes the list the user's own; the shipped one is read no more.
  t.dealers[0].name = "Markt";
  ASSERT_TRUE(t.SaveHaendler());
  EXPECT_EQ(ReadAll(File()), "|Markt\r\nLauch\r\n");
  EXPECT_EQ(ReadAll(env.DataFolder() + "DE/Haendler.dat"), "|Wochenmarkt\r\nLauch\r\n");
  DealerTable again;
  ASSERT_TRUE(again.ReadHaendler());
  EXPECT_EQ(again.dealers[0].name, "Markt");
}

TEST_F(DealersTest, AMissingFileLeavesTheTableAndAFailedSaveIsSaid) {
  DealerTable t = Sample();
  EXPECT_FALSE(t.ReadHaendler());
  EXPECT_EQ(t.dealers.size(), 4u);
  mkdir(File().c_str(), 0755);
  EXPECT_FALSE(t.SaveHaendler());
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(528));
  EXPECT_EQ(t.dealers.size(), 4u);
}

TEST_F(DealersTest, TheComputationTakesTheFirstDealerAndTheCatalogueTheLast) {
  const DealerTable t = Sample();
  std::string name = "x";
  int position = -1;
  t.GetHaendlerOfZutat("Lauch", name, position);
  EXPECT_EQ(name, "Markt");
  EXPECT_EQ(position, 1);
  t.GetHaendlerOfZutat("lauch", name, position);  // names are compared byte for byte
  EXPECT_EQ(name, "");
  EXPECT_EQ(position, 0);
  int sequence = -1;
  ASSERT_TRUE(t.FindHaendlerOfZutat("Lauch", name, sequence));
  EXPECT_EQ(name, "K\xE4sestand");
  EXPECT_EQ(sequence, 3);
  name = "unchanged";
  EXPECT_FALSE(t.FindHaendlerOfZutat("Mehl", name, sequence));
  EXPECT_EQ(name, "unchanged");
}

TEST_F(DealersTest, NextDealerCyclesThroughAllAndBackToNone) {
  const DealerTable t = Sample();
  int position = -1;
  EXPECT_EQ(t.GetNextHaendler("", position), "Markt");
  EXPECT_EQ(position, 1);
  EXPECT_EQ(t.GetNextHaendler("Markt", position), "Metzger");  // after the first of the name
  EXPECT_EQ(position, 2);
  EXPECT_EQ(t.GetNextHaendler("Metzger", position), "Markt");
  EXPECT_EQ(position, 3);
  EXPECT_EQ(t.GetNextHaendler("K\xE4sestand", position), "");
  EXPECT_EQ(position, 0);
  EXPECT_EQ(t.GetNextHaendler("B\xE4"
                              "cker",
                              position),
            "");
  EXPECT_EQ(position, 0);
  EXPECT_EQ(DealerTable().GetNextHaendler("", position), "");
  EXPECT_EQ(position, 0);
}

TEST_F(DealersTest, SettingADealerMovesTheName) {
  DealerTable t = Sample();
  // Two dealers of that name: the later one gets it; the first listing loses it.
  t.SetHaendlerOfZutat("Markt", "Speck");
  EXPECT_TRUE(t.dealers[1].ingredients.empty());
  EXPECT_EQ(t.dealers[2].ingredients, (std::vector<std::string>{"Speck"}));
  // Found first at a dealer of that name: nothing changes, not even the listing elsewhere.
  t.SetHaendlerOfZutat("Markt", "Lauch");
  EXPECT_EQ(t.dealers[0].ingredients, (std::vector<std::string>{"Salat", "Lauch"}));
  EXPECT_EQ(t.dealers[2].ingredients, (std::vector<std::string>{"Speck"}));
  EXPECT_EQ(t.dealers[3].ingredients, (std::vector<std::string>{"Lauch", "Feta"}));
  // An empty or unknown dealer only removes; an empty name is never added.
  t.SetHaendlerOfZutat("", "Feta");
  EXPECT_EQ(t.dealers[3].ingredients, (std::vector<std::string>{"Lauch"}));
  t.SetHaendlerOfZutat("Metzger", "");
  EXPECT_TRUE(t.dealers[1].ingredients.empty());
  t.AddHaendler("Metzger");
  t.AddHaendler("");
  EXPECT_EQ(t.dealers.size(), 4u);
  t.AddHaendler(
      "B\xE4"
      "cker");
  ASSERT_EQ(t.dealers.size(), 5u);
  EXPECT_TRUE(t.dealers[4].ingredients.empty());
  EXPECT_EQ(t.DealerNames().back(),
            "B\xE4"
            "cker");
}

TEST(ShippedDealers, EveryShippedDealerListsIngredientsOfTheShippedCatalogue) {
  for (const char* lang : {"DE", "EN"}) {
    test::TestEnv env;
    const std::string data = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/";
    WriteAll(env.DataFolder() + lang + "/Haendler.dat", ReadAll(data + lang + "/Haendler.dat"));
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    env.Options();
    DealerTable t;
    ASSERT_TRUE(t.ReadHaendler()) << lang;
    EXPECT_GE(t.dealers.size(), 10u) << lang;
    // The catalogue's plural names (the first field of zutaten.dat).
    std::set<std::string> names;
    for (const std::string& line : SplitLines(ReadAll(data + lang + "/zutaten.dat")))
      names.insert(line.substr(0, line.find('#')));
    std::set<std::string> seen;
    size_t known = 0, total = 0;
    for (const HAENDLER& d : t.dealers) {
      EXPECT_FALSE(d.ingredients.empty()) << lang << " " << d.name;
      for (const std::string& z : d.ingredients) {
        ++total;
        known += names.count(z);
        EXPECT_TRUE(seen.insert(z).second) << lang << " listed twice: " << z;
      }
    }
    EXPECT_EQ(known, total) << lang << ": regenerate with tools/dealers/make_dealers.py";
    EXPECT_GE(total, names.size() * 3 / 4) << lang;
  }
}

}  // namespace
}  // namespace tav
