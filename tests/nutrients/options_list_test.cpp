#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

TEST(NutrientsStoredWithRecipes, ListEndsAtTheFirstNegativeOrMissingValue) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<int32_t> list;
  };
  const Case cases[] = {
      {{}, {}},  // never stored: the calculation takes its default nutrients
      {{{"BLSRezStoff_0", "-1"}}, {}},  // stored empty on purpose
      {{{"BLSRezStoff_0", "4"},
        {"BLSRezStoff_1", "7"},
        {"BLSRezStoff_2", "-1"},
        {"BLSRezStoff_3", "9"}},
       {4, 7}},
      {{{"BLSRezStoff_0", "5"}, {"BLSRezStoff_2", "8"}}, {5}},
      {{{"BLSRezStoff_0", "x"}}, {}},
  };
  for (const Case& c : cases) {
    test::TestEnv env;
    for (const auto& [name, value] : c.values) env.userSettings.WriteString(kRegParam, name, value);
    OptionsStore& o = env.Options();
    EXPECT_EQ(o.blsRezStoffe, c.list);
    EXPECT_EQ(o.blsRezStoffeStored, !c.values.empty());
  }
}

TEST(NutrientsStoredWithRecipes, AListSavedEmptyCountsAsChosen) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  EXPECT_FALSE(o.blsRezStoffeStored);
  o.SaveBlsRezStoffe({});
  EXPECT_TRUE(o.blsRezStoffeStored);
  EXPECT_TRUE(env.Options().blsRezStoffeStored);  // read again from the settings
  EXPECT_TRUE(env.Options().blsRezStoffe.empty());
}

TEST(NutrientsStoredWithRecipes, WalkingTheList) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  EXPECT_EQ(o.GetFirstRezStoff(), -1);
  o.blsRezStoffe = {4, 0, 9, 4};
  EXPECT_EQ(o.GetFirstRezStoff(), 4);
  EXPECT_EQ(o.GetNextRezStoff(4), 0);  // after the first occurrence
  EXPECT_EQ(o.GetNextRezStoff(0), 9);
  EXPECT_EQ(o.GetNextRezStoff(9), 4);
  EXPECT_EQ(o.GetNextRezStoff(12), -1);
  o.blsRezStoffe = {4};
  EXPECT_EQ(o.GetNextRezStoff(4), -1);
}

}  // namespace
}  // namespace tav
