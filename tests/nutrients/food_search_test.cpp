#include <gtest/gtest.h>

#include "food_env.h"
#include "platform/numbers.h"
#include "platform/paths.h"

namespace tav {
namespace {

using test::FoodEnv;
using test::Keys;
using test::Lines;

// The hits of an amount search worked out independently: every Data.bls line whose value at
// the nutrient's field reads as a number that satisfies the comparison, in file order.
std::vector<std::string> BruteForce(const std::string& dataFile, int field, int op, double limit) {
  std::vector<std::string> keys;
  for (const std::string& line : Lines(dataFile)) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t semi; (semi = line.find(';', start)) != std::string::npos; start = semi + 1)
      parts.push_back(line.substr(start, semi - start));
    parts.push_back(line.substr(start));
    if (static_cast<size_t>(field) >= parts.size() || parts[field].empty()) continue;
    std::string text = parts[field];
    for (char& c : text)
      if (c == ',') c = '.';
    const double v = std::stod(text);
    const bool hit = op == 0   ? v < limit
                     : op == 1 ? v <= limit
                     : op == 2 ? v == limit
                     : op == 3 ? v >= limit
                               : v > limit;
    if (hit) keys.push_back(parts[0]);
  }
  return keys;
}

void CheckAmountSearch(FoodEnv& env, const std::vector<std::string>& codes,
                       const std::vector<std::string>& limits) {
  for (const std::string& code : codes) {
    const int field = env.table.StoffIndexOfCode(code.c_str());
    ASSERT_GE(field, 0) << code;
    for (const std::string& limit : limits) {
      for (int op = 0; op <= 4; ++op) {
        env.foods.SearchBLS('S', limit, op, code);
        const auto expected =
            BruteForce(env.DataFolder() + "Data.bls", field, op, ReadNumber(limit));
        ASSERT_EQ(Keys(env.foods.foodList), expected) << code << " op " << op << " " << limit;
      }
    }
  }
}

TEST(FoodSearch, AmountSearchAgreesWithBruteForceOnTheFixture) {
  FoodEnv env(test::FixtureTable());
  CheckAmountSearch(env, {"ZW", "GCAL", "GJ", "ZE", "ZF", "MNA", "VC"},
                    {"0", "1,8", "25", "36.6", "92,18", "364", "10000", "-1"});
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST(FoodSearch, AmountSearchAgreesWithBruteForceOnTheShippedTable) {
  FoodEnv env(test::ShippedTable());
  CheckAmountSearch(env, {"GCAL", "ZE", "ZF", "KMD", "MNA", "MFE", "VC", "VB12", "VD"},
                    {"0", "0,5", "2", "10", "100", "400"});
}

TEST(FoodSearch, AmountSearchEdges) {
  FoodEnv env(test::FixtureTable());
  env.foods.SearchBLS('S', "23", 2, "GCAL");  // "=" is exact equality of the numbers
  EXPECT_EQ(Keys(env.foods.foodList), std::vector<std::string>{"G101000"});
  EXPECT_EQ(env.foods.foodList[0].name, "Spinat");
  env.foods.SearchBLS('S', "23", 5, "GCAL");  // an operator outside the list
  EXPECT_TRUE(env.foods.foodList.empty());
  env.foods.SearchBLS('S', "23", 0, "NOPE");  // a code the table does not hold
  EXPECT_TRUE(env.foods.foodList.empty());
  env.foods.SearchBLS('S', "viel", 4, "GCAL");  // a limit that is no number finds nothing
  EXPECT_TRUE(env.foods.foodList.empty());
  // The short line of K101000 has no GJ value: no hit under any operator.
  env.foods.SearchBLS('S', "0", 3, "GJ");
  EXPECT_EQ(Keys(env.foods.foodList).size(), 6u);
  EXPECT_TRUE(env.messages.shown.empty());
  RemoveFile(env.DataFolder() + "Data.bls");
  env.foods.SearchBLS('S', "0", 3, "GJ");
  EXPECT_TRUE(test::ShownText(env.messages, 391));
  EXPECT_TRUE(env.foods.foodList.empty());
}

TEST(FoodSearch, NameSearchIgnoresCase) {
  struct Case {
    std::string text;  // as the window hands it over: upper case
    std::vector<std::string> keys;
  };
  const Case cases[] = {
      {"GR\xDCN", {"G202000", "H101000"}},  // "grün" typed finds "Grünkohl" and "Grüne Erbsen"
      {"KOHL", {"G201000", "G202000"}},
      {"G1", {}},  // the key is not part of the name
      {"XYZ", {}},
  };
  FoodEnv env(test::FixtureTable());
  for (const Case& c : cases) {
    env.foods.SearchBLS('L', c.text, 0, "");
    EXPECT_EQ(Keys(env.foods.foodList), c.keys) << c.text;
  }
  env.foods.SearchBLS('L', "", 0, "");
  EXPECT_EQ(env.foods.foodList.size(), 8u);
  EXPECT_EQ(env.foods.foodList[2].name, "Wei\xDFkohl");
  RemoveFile(env.LangFolder() + "Names.bls");
  env.foods.SearchBLS('L', "KOHL", 0, "");
  EXPECT_TRUE(test::ShownText(env.messages, 390));
  EXPECT_TRUE(env.foods.foodList.empty());
}

TEST(FoodSearch, KeySearchListsGroupsOrOneFood) {
  FoodEnv env(test::FixtureTable());
  env.foods.foodList.resize(3);  // the search starts from an empty list
  env.foods.SearchBLS('B', "G", 0, "");
  EXPECT_EQ(Keys(env.foods.foodList),
            (std::vector<std::string>{"G101000", "G102000", "G201000", "G202000"}));
  env.foods.SearchBLS('B', "H1", 0, "");
  EXPECT_EQ(Keys(env.foods.foodList), (std::vector<std::string>{"H101000", "H102000"}));
  env.foods.SearchBLS('B', "H102000", 0, "");
  EXPECT_EQ(Keys(env.foods.foodList), std::vector<std::string>{"H102000"});
}

}  // namespace
}  // namespace tav
