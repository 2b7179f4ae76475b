// The shopping dialog's saved state (servings by recipe, buy marks, errands) and the buying
// list Kauflist.txt.
#include <gtest/gtest.h>

#include "kitchen/shopping/shopping_note.h"
#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

KAUFZETTEL Record(const std::string& title, int16_t book, int32_t number, double servings,
                  double chosen, const std::string& kind) {
  KAUFZETTEL z;
  z.entry = {title, book, number, -1};
  z.recipeServings = servings;
  z.chosenServings = chosen;
  z.servingKind = kind;
  return z;
}

ShoppingRow Row(const std::string& amount, const std::string& text, bool buy,
                const std::string& dealer, const std::string& position,
                const std::string& ingredient) {
  return {"", amount, text, GetLangText(buy ? 223 : 225), dealer, position, ingredient};
}

class ShoppingNote : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
    SetDecimalSep(',');
  }
  void TearDown() override { SetDecimalSep('.'); }
  test::TestEnv env;
};

TEST_F(ShoppingNote, CheckListItemsShowTheServings) {
  EXPECT_EQ(ZettelItemText(Record("Gulasch", -2, 1, 4, 2.5, "Personen")), "Gulasch (2,5 Personen)");
  EXPECT_EQ(ZettelItemText(Record("Gulasch", -2, 1, 4, 6, "P")), "Gulasch (6)");
  EXPECT_EQ(ZettelItemText(Record("Verloren", -2, 1, 0, 0, "")), "Verloren");
  EXPECT_EQ(EditedItemText("Gulasch", "3", "Personen"), "Gulasch (3 Personen)");
  EXPECT_EQ(EditedItemText("Gulasch", "", "Personen"), "Gulasch (Personen)");
  EXPECT_EQ(EditedItemText("Gulasch", "3", ""), "Gulasch (3)");
  EXPECT_EQ(EditedItemText("Gulasch", "", ""), "Gulasch");
  EXPECT_EQ(ReadServings("2,5"), 2.5);
  EXPECT_EQ(ReadServings("viele"), 0);
}

TEST_F(ShoppingNote, SavedServingsFollowTheRecipeNotItsPlace) {
  env.userSettings.WriteString(kRegParam, "KListRez3", "65534#9#12");  // left from a longer list
  const std::vector<KAUFZETTEL> saved = {Record("Gulasch", -2, 1, 4, 2.5, "Personen"),
                                         Record("Brot", -3, 7, 1, 6, "Laibe")};
  SaveShoppingState(env.userSettings, saved, {}, "Backpapier");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KListRez0"), "65534#1#2,5");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KListRez1"), "65533#7#6");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KListRez2"), "-");
  EXPECT_EQ(SavedErrands(env.userSettings), "Backpapier");

  // The list in the other order, each at its recipe's own servings.
  std::vector<KAUFZETTEL> shown = {Record("Brot", -3, 7, 1, 1, "Laibe"),
                                   Record("Gulasch", -2, 1, 4, 4, "Personen"),
                                   Record("Neu", -2, 9, 2, 2, "")};
  const auto values = ReadSavedServings(env.userSettings);
  ASSERT_EQ(values.size(), 2u);  // reading stops at "-"
  ApplySavedServings(shown, values);
  EXPECT_EQ(shown[0].chosenServings, 6);
  EXPECT_EQ(shown[1].chosenServings, 2.5);
  EXPECT_EQ(shown[2].chosenServings, 2);
}

TEST_F(ShoppingNote, BuyMarksComeBackOnlyForTheSameGrid) {
  std::vector<ShoppingRow> rows = {Row("500", "g Mehl", true, "", "0", "Mehl"),
                                   Row("1,50", "kg Zucker", true, "", "0", "Zucker"),
                                   Row("1/2", "TL Salz", true, "", "0", "Salz")};
  EXPECT_EQ(GridCheckNumber(rows), 502 + 4 * 1000);
  rows[1][3] = GetLangText(225);
  SaveShoppingState(env.userSettings, {}, rows, "");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KListYesNo"), "JNJ");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KListYesNoCRC"), "4502");

  // Computed anew: the same rows and whole amounts get the saved marks back.
  std::vector<ShoppingRow> again = {Row("500", "g Mehl", true, "", "0", "Mehl"),
                                    Row("1,75", "kg Zucker", true, "", "0", "Zucker"),
                                    Row("1/4", "TL Salz", true, "", "0", "Salz")};
  RestoreBuyMarks(again, env.userSettings);
  EXPECT_EQ(BuyLetters(again), "JNJ");
  // Another amount: every row keeps its computed mark.
  std::vector<ShoppingRow> other = again;
  other[0][1] = "600";
  other[1][3] = GetLangText(223);
  RestoreBuyMarks(other, env.userSettings);
  EXPECT_EQ(BuyLetters(other), "JJJ");
}

TEST_F(ShoppingNote, TheBuyingListGroupsTheRowsToBuyByDealer) {
  // Rows as the user left them: moved, one not to buy, a dealer with nothing to buy.
  const std::vector<ShoppingRow> rows = {Row("1,50", "kg Mehl", true, "", "0", "Mehl"),
                                         Row("200", "g Speck", true, "Metzger", "3", "Speck"),
                                         Row("2", "St Lauch", true, "Wochenmarkt", "1", "Lauch"),
                                         Row("1", "Zitrone", false, "Wochenmarkt", "1", "Zitrone"),
                                         Row("2", "Br\xF6tchen", false,
                                             "B\xE4"
                                             "cker",
                                             "2", "Br\xF6tchen"),
                                         Row("1", "St Salat", true, "Wochenmarkt", "1", "Salat"),
                                         Row("", "Salz", true, "", "0", "Salz")};
  std::tm when{};
  when.tm_mday = 5;
  when.tm_mon = 2;
  when.tm_year = 126;
  when.tm_hour = 9;
  when.tm_min = 7;
  const std::string text = KaufListText("Tavolin!-Benutzer", when,
                                        {"Gulasch (4 Personen)",
                                         "Apfelstrudel (2,5 St\xFC"
                                         "ck)"},
                                        rows, "Backpapier\nBriefmarken");
  EXPECT_EQ(text, ReadAll(test::Fixture("kauflist_dealers_moved_rows_and_errands.txt")));
}

TEST_F(ShoppingNote, AFailedWriteLeavesTheOldListAndSaysSo) {
  const std::string path = KaufListTextPath();
  EXPECT_EQ(path, env.Root() + "Export/Kauflist.txt");
  WriteAll(path, "alt");
  SetAtomicWriteFaultForTest(0);
  EXPECT_FALSE(WriteKaufListText({}, {}, ""));
  SetAtomicWriteFaultForTest(-1);
  EXPECT_EQ(ReadAll(path), "alt");
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(221));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
  ASSERT_TRUE(WriteKaufListText({}, {}, ""));
  EXPECT_EQ(ReadAll(path).substr(0, 38), "---- Einkaufszettel von Tavolin!-Benut");
}

}  // namespace
}  // namespace tav
