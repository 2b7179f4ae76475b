// The shopping list of recipes and its file Kauflist.dat.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "kitchen/shopping/shopping_list.h"
#include "platform/text_file.h"
#include "recipedb/recipe_model.h"
#include "services/context.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

REZINDEX Index(const std::string& title, int16_t book, int32_t number) {
  REZINDEX e;
  e.SetTitle(title);
  e.bookId = book;
  e.number = number;
  return e;
}

class ShoppingListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
  }
  std::string File() const { return env.DataFolder() + "Kauflist.dat"; }
  // The titles in the list box's order.
  std::vector<std::string> Shown(const ShoppingList& list) const {
    std::vector<std::string> out;
    for (int i : list.Rows()) out.push_back(list.Entries()[i].title);
    return out;
  }
  test::TestEnv env;
};

TEST_F(ShoppingListTest, ThreeRecipesOneTwiceOneFromBookMinus2SurviveARestartByteForByte) {
  ShoppingList list;
  list.LoadKaufList();
  ASSERT_TRUE(list.AddToKaufList(Index("Zwiebelkuchen", -3, 17), -1));
  ASSERT_TRUE(list.AddToKaufList(Index("Apfelstrudel #2", -2, 4), 6));
  ASSERT_TRUE(list.AddToKaufList(Index("Zwiebelkuchen", -3, 17), -1));
  const std::string bytes = ReadAll(File());
  EXPECT_EQ(bytes,
            "65533#17#-1#Zwiebelkuchen\r\n65534#4#6#Apfelstrudel #2\r\n"
            "65533#17#-1#Zwiebelkuchen\r\n");

  ShoppingList again;
  again.LoadKaufList();
  ASSERT_EQ(again.Count(), 3);
  EXPECT_EQ(again.Entries()[1].book, -2);
  EXPECT_EQ(again.Entries()[1].number, 4);
  EXPECT_EQ(again.Entries()[1].portions, 6);
  EXPECT_EQ(again.Entries()[1].title, "Apfelstrudel #2");
  EXPECT_EQ(again.FileBytes(), bytes);
  EXPECT_EQ(ReadAll(File()), bytes);
  EXPECT_EQ(Shown(again),
            (std::vector<std::string>{"Apfelstrudel #2", "Zwiebelkuchen", "Zwiebelkuchen"}));
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(ShoppingListTest, MalformedLinesArePassedOverAndTheLastLineKeepsItsLastCharacter) {
  WriteAll(File(),
           "65535#1#-1#Erbsensuppe\r\n"
           "\r\n"                        // empty
           "65535#2#Linsen\r\n"          // three fields
           "abc#3#4#Bohnen\r\n"          // no number
           "70000#3#4#Zu gross\r\n"      // no 16-bit id
           "65535#5#2#Kartoffelsalat");  // no line end
  ShoppingList list;
  list.LoadKaufList();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Entries()[0].title, "Erbsensuppe");
  EXPECT_EQ(list.Entries()[1].title, "Kartoffelsalat");
  EXPECT_EQ(list.Entries()[1].portions, 2);
}

// An entry added to a list whose last line has no line end (a write cut short, an editor)
// starts on a line of its own: the last entry and the new one are both there after a restart.
TEST_F(ShoppingListTest, AnAppendStartsOnANewLine) {
  struct Case {
    const char* name;
    std::string bytes;
    int before;
  };
  const std::vector<Case> cases = {
      {"last line without its line end", "65535#1#-1#Erbsensuppe\r\n65535#5#2#Kartoffelsalat", 2},
      {"last line cut between CR and LF", "65535#1#-1#Erbsensuppe\r\n65535#5#2#Kartoffelsalat\r",
       2},
      {"last line ended by LF alone", "65535#5#2#Kartoffelsalat\n", 1},
      {"whole file", "65535#5#2#Kartoffelsalat\r\n", 1},
      {"empty file", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(File(), c.bytes);
    ShoppingList list;
    list.LoadKaufList();
    ASSERT_EQ(list.Count(), c.before);
    ASSERT_TRUE(list.AddToKaufList(Index("Zwiebelkuchen", -3, 17), 4));
    ShoppingList again;
    again.LoadKaufList();
    ASSERT_EQ(again.Count(), c.before + 1);
    if (c.before > 0) {
      EXPECT_EQ(again.Entries()[c.before - 1].title, "Kartoffelsalat");
    }
    EXPECT_EQ(again.Entries().back().title, "Zwiebelkuchen");
    EXPECT_TRUE(env.messages.shown.empty());
  }
}

TEST_F(ShoppingListTest, TheSameRecipeTwiceLeavesOneEntryAtATime) {
  ShoppingList list;
  list.AddToKaufList(Index("Gulasch", -2, 1), -1);
  list.AddToKaufList(Index("Brot", -2, 2), -1);
  list.AddToKaufList(Index("Gulasch", -2, 1), 8);
  list.AddToKaufList(Index("Apfelmus", -2, 3), -1);
  // Removing entry 0 (the first Gulasch): the last entry takes its index, and every row still
  // names its own entry.
  ASSERT_TRUE(list.RemoveEntry(0));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Entries()[0].title, "Apfelmus");
  EXPECT_EQ(Shown(list), (std::vector<std::string>{"Apfelmus", "Brot", "Gulasch"}));
  const int gulasch = list.Rows()[2];
  EXPECT_EQ(list.Entries()[gulasch].portions, 8);
  EXPECT_EQ(list.RowOfEntry(0), 0);
  EXPECT_EQ(ReadAll(File()), "65534#3#-1#Apfelmus\r\n65534#2#-1#Brot\r\n65534#1#8#Gulasch\r\n");
}

TEST_F(ShoppingListTest, ADeletedRecipeLeavesWithOneNoticeEachAndABookWithOneNotice) {
  ShoppingList list;
  list.AddToKaufList(Index("Gulasch", -2, 1), -1);
  list.AddToKaufList(Index("Brot", -5, 1), -1);
  list.AddToKaufList(Index("Gulasch", -2, 1), -1);
  list.AddToKaufList(Index("Suppe", -2, 9), -1);
  EXPECT_EQ(list.RemoveFromKaufList(-2, 1), 2);
  ASSERT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(215));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(2));
  EXPECT_EQ(list.RemoveFromKaufList(-7, -1), 0);  // nothing of that book: no notice
  EXPECT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(list.RemoveFromKaufList(-2, -1), 1);
  ASSERT_EQ(env.messages.shown.size(), 3u);
  EXPECT_EQ(env.messages.shown[2].text, GetLangText(216));
  EXPECT_EQ(Shown(list), (std::vector<std::string>{"Brot"}));
  EXPECT_EQ(ReadAll(File()), "65531#1#-1#Brot\r\n");
}

TEST_F(ShoppingListTest, FileFailuresAreSaid) {
  ShoppingList list;
  list.AddToKaufList(Index("Gulasch", -2, 1), -1);
  list.AddToKaufList(Index("Brot", -2, 2), -1);
  // A rewrite after a removal that fails is said; the file keeps both lines.
  SetAtomicWriteFaultForTest(0);
  EXPECT_FALSE(list.RemoveEntry(0));
  SetAtomicWriteFaultForTest(-1);
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(214));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
  EXPECT_EQ(ReadAll(File()), "65534#1#-1#Gulasch\r\n65534#2#-1#Brot\r\n");
  // An entry that cannot be appended stays for this run only.
  list.ClearKaufList();
  mkdir(File().c_str(), 0755);  // something that is no file stands in its place
  EXPECT_FALSE(list.AddToKaufList(Index("Gulasch", -2, 1), -1));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(env.messages.shown.size(), 2u);
}

TEST_F(ShoppingListTest, ClearingDeletesTheFile) {
  ShoppingList list;
  list.AddToKaufList(Index("Gulasch", -2, 1), -1);
  list.ClearKaufList();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Rows().empty());
  std::string bytes;
  EXPECT_FALSE(ReadFileBytes(File(), bytes));
}

}  // namespace
}  // namespace tav
