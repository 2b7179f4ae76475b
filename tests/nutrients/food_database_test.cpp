#include <gtest/gtest.h>

#include <set>

#include "food_env.h"
#include "platform/paths.h"

namespace tav {
namespace {

using test::FoodEnv;
using test::Keys;
using test::Lines;

TEST(FoodFiles, EveryKeyOfTheFixtureReadsBackExactly) {
  FoodEnv env(test::FixtureTable());
  const std::vector<std::string> dataLines = Lines(env.DataFolder() + "Data.bls");
  int read = 0;
  for (const std::string& nameLine : Lines(env.LangFolder() + "Names.bls")) {
    const std::string key = nameLine.substr(0, 7);
    LB_DATA food;
    const bool ok = env.foods.ReadBLSFood(key, &food, true);
    std::string expected;
    for (const std::string& d : dataLines)
      if (d.compare(0, 8, key + ";") == 0) expected = d;
    if (expected.empty()) {  // the milk group is marked "X": no data, no message
      EXPECT_FALSE(ok) << key;
      continue;
    }
    ASSERT_TRUE(ok) << key;
    ++read;
    EXPECT_EQ(std::string(food.key), key);
    std::string joined;
    FoodDatabase::JoinBLSValues(&food, &joined);
    // The short line of K101000 is padded with empty values up to the table's size.
    while (joined.size() > expected.size() && joined.back() == ';') joined.pop_back();
    EXPECT_EQ(joined, expected);
    EXPECT_EQ(food.values.size(), static_cast<size_t>(env.table.GetStoffCount()));
  }
  EXPECT_EQ(read, 7);
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST(FoodFiles, SplitAndJoinKeepEveryField) {
  const std::string line = "G101000;Spinat;;91,4;;96;;";
  LB_DATA food;
  FoodDatabase::SplitBLSRecord(line, &food);
  ASSERT_EQ(food.values.size(), 8u);
  EXPECT_EQ(food.values[2], "");
  EXPECT_EQ(food.values[3], "91,4");  // fields after an empty one keep their numbers
  EXPECT_EQ(food.values[5], "96");
  EXPECT_STREQ(food.key, "G101000");
  std::string joined = "unchanged";
  FoodDatabase::JoinBLSValues(&food, &joined);
  EXPECT_EQ(joined, line);
  LB_DATA empty;
  FoodDatabase::JoinBLSValues(&empty, &joined);
  EXPECT_EQ(joined, line);
  FoodDatabase::SplitBLSRecord("KEYONLY", &food);
  EXPECT_EQ(food.values, std::vector<std::string>{"KEYONLY"});
  EXPECT_EQ(food.Value(1), "");  // past the record: empty, never out of bounds
}

TEST(FoodFiles, ShortLineGivesEmptyValuesPastItsEnd) {
  FoodEnv env(test::FixtureTable());
  LB_DATA food;
  ASSERT_TRUE(env.foods.ReadBLSFood("K101000", &food, false));
  EXPECT_EQ(food.Value(4), "77");
  EXPECT_EQ(food.Value(5), "");
  EXPECT_EQ(food.Value(9), "");
  std::string energy = "x";
  EXPECT_TRUE(env.foods.ReadBLSEnergy("K101000", true, &energy));
  EXPECT_EQ(energy, "");
}

TEST(FoodFiles, MissingKeysAndGroups) {
  struct Case {
    std::string key;
    bool report;
    bool message392;
  };
  const Case cases[] = {
      {"G103000", true, true},    // missing in its group: stops at the next group
      {"G103000", false, false},  // the same without the message
      {"G299000", true, true},    // past the group's last line
      {"M101000", true, false},   // group marked "X"
      {"Z101000", true, false},   // no such group
      {"G", true, false},        {"", true, false},
  };
  for (const Case& c : cases) {
    FoodEnv env(test::FixtureTable());
    LB_DATA food;
    food.values = {"stale"};
    EXPECT_FALSE(env.foods.ReadBLSFood(c.key, &food, c.report)) << c.key;
    EXPECT_EQ(test::ShownText(env.messages, 392), c.message392) << c.key;
    // Never another food's record in place of the one asked for.
    EXPECT_TRUE(food.values.empty() || food.values == std::vector<std::string>{"stale"}) << c.key;
    EXPECT_NE(std::string(food.key), "G201000");
  }
}

TEST(FoodFiles, EnergyAndNameByKey) {
  FoodEnv env(test::FixtureTable());
  std::string value;
  EXPECT_TRUE(env.foods.ReadBLSEnergy("G202000", false, &value));
  EXPECT_EQ(value, "49");
  EXPECT_TRUE(env.foods.ReadBLSEnergy("G202000", true, &value));
  EXPECT_EQ(value, "205");
  value = "kept";
  EXPECT_FALSE(env.foods.ReadBLSEnergy("G209000", true, &value));
  EXPECT_EQ(value, "kept");

  std::string name = "kept";
  EXPECT_TRUE(env.foods.FindBLSNameByKey("G201000", &name));
  EXPECT_EQ(name, "Wei\xDFkohl");
  EXPECT_EQ(Keys(env.foods.foodList), std::vector<std::string>{"G201000"});
  name = "kept";
  EXPECT_FALSE(env.foods.FindBLSNameByKey("G209000", &name));
  EXPECT_EQ(name, "kept");
  EXPECT_TRUE(env.foods.FindBLSNameByKey("M101000", &name));  // a name without data
  EXPECT_EQ(name, "Milch");
}

TEST(FoodFiles, GroupListingsStayInsideTheirGroup) {
  struct Case {
    std::string query;
    std::vector<std::string> keys;
  };
  const Case cases[] = {
      // "Grüne Erbsen" of group H contains a "G": it must not join the vegetables.
      {"G", {"G101000", "G102000", "G201000", "G202000"}},
      {"G2", {"G201000", "G202000"}},
      {"H", {"H101000", "H102000"}},
      {"K1", {"K101000"}},
      {"G102000", {"G102000"}},
      {"G10", {"G101000", "G102000"}},
      {"G102000XYZW", {}},  // cut to 10 characters: no line begins with it
      {"G109000", {}},
      {"M", {"M101000"}},
  };
  for (const Case& c : cases) {
    FoodEnv env(test::FixtureTable());
    std::vector<LB_DATA> list;
    env.foods.LoadBLSFoodNames(c.query.c_str(), &list);
    EXPECT_EQ(Keys(list), c.keys) << c.query;
    EXPECT_TRUE(env.foods.gridCuts.empty()) << c.query;
  }
}

TEST(FoodFiles, ListingAppendsAndReportsAQueryWithoutGroup) {
  FoodEnv env(test::FixtureTable());
  std::vector<LB_DATA> list;
  env.foods.LoadBLSFoodNames("K", &list);
  env.foods.LoadBLSFoodNames("H1", &list);
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"K101000", "H101000", "H102000"}));
  EXPECT_EQ(list[1].name, "Gr\xFCne Erbsen, getrocknet");
  env.foods.LoadBLSFoodNames("Q", &list);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(env.foods.gridCuts, std::vector<bool>{true});
}

TEST(FoodFiles, MissingFilesGiveTheirMessages) {
  FoodEnv env(test::FixtureTable());
  RemoveFile(env.LangFolder() + "Names.bls");
  RemoveFile(env.DataFolder() + "Data.bls");
  std::vector<LB_DATA> list;
  env.foods.LoadBLSFoodNames("G", &list);
  EXPECT_TRUE(test::ShownText(env.messages, 390));
  LB_DATA food;
  EXPECT_FALSE(env.foods.ReadBLSFood("G101000", &food, true));
  EXPECT_TRUE(test::ShownText(env.messages, 391));
  EXPECT_FALSE(test::ShownText(env.messages, 392));
  EXPECT_EQ(env.foods.gridCuts, (std::vector<bool>{false, false}));
  RemoveFile(env.LangFolder() + "Structure.bls");
  std::vector<BLSGROUPNODE> tree;
  EXPECT_FALSE(FoodDatabase::ReadBLSGroupTree(tree));
  env.foods.LoadBLSGroupTree(false);
  EXPECT_TRUE(test::ShownText(env.messages, 389));
}

TEST(FoodFiles, MissingIndexLeavesEveryGroupEmpty) {
  FoodEnv env(test::FixtureTable(), false);
  RemoveFile(env.LangFolder() + "Index.bls");
  EXPECT_FALSE(env.foods.LoadBLSIndex());
  EXPECT_TRUE(env.foods.index.empty());
  LB_DATA food;
  EXPECT_FALSE(env.foods.ReadBLSFood("G101000", &food, true));
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST(FoodFiles, IndexAndGroupTree) {
  FoodEnv env(test::FixtureTable());
  const auto& index = env.foods.index;
  ASSERT_EQ(index.size(), 5u);
  EXPECT_STREQ(index[1].key, "G2");
  EXPECT_EQ(index[1].namesOffset, 33);
  EXPECT_EQ(index[1].dataOffset, 93);
  EXPECT_EQ(index[4].dataOffset, -2);  // "X"

  std::vector<BLSGROUPNODE> tree;
  ASSERT_TRUE(FoodDatabase::ReadBLSGroupTree(tree));
  ASSERT_EQ(tree.size(), 4u);
  EXPECT_EQ(tree[0].text, "Gem\xFCse");
  EXPECT_EQ(tree[0].data, 'G' | ' ' << 8);
  ASSERT_EQ(tree[0].children.size(), 2u);
  EXPECT_EQ(tree[0].children[1].text, "Kohl");
  EXPECT_EQ(tree[0].children[1].data, 'G' | '2' << 8);
  EXPECT_EQ(tree[3].children[0].text, "Milch (ohne Daten)");
}

TEST(ShippedTable, EveryFoodReadsBackWithItsNameAndAFullRecord) {
  FoodEnv env(test::ShippedTable());
  const std::vector<std::string> names = Lines(env.LangFolder() + "Names.bls");
  ASSERT_GE(names.size(), 300u);
  std::set<char> mainGroups;
  for (const std::string& line : names) {
    const std::string key = line.substr(0, 7);
    mainGroups.insert(key[0]);
    LB_DATA food;
    ASSERT_TRUE(env.foods.ReadBLSFood(key, &food, true)) << key;
    ASSERT_EQ(food.values.size(), static_cast<size_t>(env.table.GetStoffCount())) << key;
    EXPECT_EQ(food.Value(1), line.substr(7)) << key;  // the German name is field 1
    EXPECT_FALSE(food.Value(4).empty()) << key;       // every food has its energy
    EXPECT_FALSE(food.Value(5).empty()) << key;
  }
  EXPECT_GE(mainGroups.size(), 15u);
  EXPECT_TRUE(env.messages.shown.empty());
  // The English names list the same keys in the same order.
  const std::vector<std::string> en = Lines(test::ShippedTable() + "/EN/Names.bls");
  ASSERT_EQ(en.size(), names.size());
  for (size_t i = 0; i < en.size(); ++i) EXPECT_EQ(en[i].substr(0, 7), names[i].substr(0, 7));
}

}  // namespace
}  // namespace tav
