// The category, units and ingredient windows own their tables: each reads its file when it is
// created and is the store the rest of the program reaches through ctx().
#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "recipedb/ui/category_dialog.h"
#include "recipedb/ui/ingredients_dialog.h"
#include "recipedb/ui/units_dialog.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

class ReferenceWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
  }
  void Ship(const std::string& name) {
    WriteAll(env.Root() + "Data/DE/" + name,
             ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/" + name));
  }
  test::TestEnv env;
};

TEST_F(ReferenceWindows, EachWindowReadsItsTableWhenCreatedAndIsTheStore) {
  for (const char* f : {"Gattung.dat", "einheit.dat", "zutaten.dat"}) Ship(f);
  {
    TGattDlg gatt;
    TEinheitenDlg units;
    TZutatenDlg zutaten;
    EXPECT_TRUE(env.messages.shown.empty());
    ASSERT_EQ(ctx().categories, &gatt.categories);
    ASSERT_EQ(ctx().units, &units.units);
    ASSERT_EQ(ctx().ingredients, &zutaten.catalogue);

    std::string name;
    EXPECT_TRUE(ctx().categories->GetGattName(2, name));
    EXPECT_EQ(name, "Suppen");
    EXPECT_EQ(ctx().units->units.front().name, "Becher");  // sorted by name
    std::string code =
        "Essl\xF6"
        "ffel";
    EXPECT_TRUE(ctx().units->UnitTextToCode(code));
    EXPECT_EQ(code, "EL");
    REZZUTATEN z;
    EXPECT_EQ(ctx().ingredients->FindZutatForText("Zwiebeln", z), 1);
    EXPECT_EQ(z.pieceWeight, 80);
  }
  EXPECT_EQ(ctx().categories, nullptr);
  EXPECT_EQ(ctx().units, nullptr);
  EXPECT_EQ(ctx().ingredients, nullptr);
}

TEST_F(ReferenceWindows, MissingFilesLeaveEmptyTablesAndSayWhatIsMissing) {
  TGattDlg gatt;  // no message for categories
  EXPECT_TRUE(env.messages.shown.empty());
  TEinheitenDlg units;
  TZutatenDlg zutaten;
  ASSERT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(env.messages.shown[0].text, "{118}");
  EXPECT_EQ(env.messages.shown[1].text, "{114}");
  EXPECT_TRUE(gatt.categories.gatt.empty());
  EXPECT_TRUE(units.units.units.empty());
  EXPECT_TRUE(zutaten.catalogue.zutaten.empty());
}

}  // namespace
}  // namespace tav
