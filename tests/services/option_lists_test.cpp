// The lists kept with the options: nutrients stored with recipes, weight-chart parts, the book
// order of the duplicate search and the external tools.
#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

std::string Param(test::TestEnv& env, const std::string& name) {
  return env.userSettings.Read(kRegParam, name, "<none>");
}

TEST(OptionLists, NutrientListIsWrittenWithItsEndMarkAndReadBack) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "BLSRezStoff_0", "7");
  env.userSettings.WriteString(kRegParam, "BLSRezStoff_1", "2");
  env.userSettings.WriteString(kRegParam, "BLSRezStoff_2", "-1");
  env.userSettings.WriteString(kRegParam, "BLSRezStoff_3", "9");  // after the end: not read
  OptionsStore& o = env.Options();
  EXPECT_EQ(o.blsRezStoffe, (std::vector<int32_t>{7, 2}));
  o.SaveBlsRezStoffe({4});
  EXPECT_EQ(Param(env, "BLSRezStoff_0"), "4");
  EXPECT_EQ(Param(env, "BLSRezStoff_1"), "-1");
  o.LoadBlsRezStoffe();
  EXPECT_EQ(o.blsRezStoffe, (std::vector<int32_t>{4}));
  EXPECT_EQ(o.GetFirstRezStoff(), 4);
  EXPECT_EQ(o.GetNextRezStoff(4), -1);
}

TEST(OptionLists, WeightChartPartsAndTheirText) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "GEWCHART", "+1-0+2+3+4+5");
  OptionsStore& o = env.Options();
  EXPECT_EQ(o.GetGewChartPos(0), 1);
  EXPECT_EQ(o.GetGewChartPos(1), 0);
  EXPECT_FALSE(o.GetGewChartVisible(1));
  EXPECT_TRUE(o.GetGewChartVisible(5));
  EXPECT_EQ(o.GetGewChartPos(6), 0);
  EXPECT_FALSE(o.GetGewChartVisible(6));
  EXPECT_FALSE(o.GetGewChartVisible(-1));
  EXPECT_EQ(o.WeightChartText(), "+1-0+2+3+4+5");
}

class BookOrder : public ::testing::Test {
 protected:
  void Store(size_t n, const std::string& name, const std::string& never) {
    env.userSettings.WriteString(kRegParam, "AutoDelName" + std::to_string(n), name);
    env.userSettings.WriteString(kRegParam, "AutoDelNever" + std::to_string(n), never);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const AUTODELKBOOK& e : o->autoDelBooks) names.push_back(e.name);
    return names;
  }
  test::TestEnv env;
  OptionsStore* o = nullptr;
};

TEST_F(BookOrder, ReadUpToTheFirstEmptyNameWithTheMarkOnlyForOne) {
  Store(0, "Backen", "1");
  Store(1, "Suppen", "0");
  Store(2, "Salate", "2");
  Store(3, "", "1");
  Store(4, "Reste", "1");
  o = &env.Options();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Backen", "Suppen", "Salate"}));
  EXPECT_TRUE(o->autoDelBooks[0].neverDelete);
  EXPECT_FALSE(o->autoDelBooks[1].neverDelete);
  EXPECT_FALSE(o->autoDelBooks[2].neverDelete);  // only exactly 1 is set
}

TEST_F(BookOrder, CreatedBooksAreAppendedRenamedKeepTheirPlaceRemovedLeave) {
  Store(0, "Backen", "0");
  o = &env.Options();
  o->ChangeAutoDelBook(1, "Suppen", "", -1234);
  o->ChangeAutoDelBook(1, "Salate", "", -77);
  o->ChangeAutoDelBook(1, "Suppen", "", -9);  // already listed: nothing
  EXPECT_EQ(Names(), (std::vector<std::string>{"Backen", "Suppen", "Salate"}));
  EXPECT_TRUE(o->autoDelBooks[1].neverDelete);
  EXPECT_EQ(o->autoDelBooks[1].bookId, -1234);
  o->ChangeAutoDelBook(2, "Suppen", "Eintoepfe");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Backen", "Eintoepfe", "Salate"}));
  o->ChangeAutoDelBook(0, "Backen", "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Eintoepfe", "Salate"}));
  // Stored as it stands; the pair after the last is gone, so a reload ends there.
  EXPECT_EQ(Param(env, "AutoDelName0"), "Eintoepfe");
  EXPECT_EQ(Param(env, "AutoDelNever0"), "1");
  EXPECT_EQ(Param(env, "AutoDelName1"), "Salate");
  EXPECT_EQ(Param(env, "AutoDelName2"), "<none>");
  EXPECT_EQ(Param(env, "AutoDelNever2"), "<none>");
  o->LoadAutoDelBooks();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Eintoepfe", "Salate"}));
}

TEST_F(BookOrder, ChangesOfBooksThatAreNotListedWriteNothing) {
  Store(0, "Backen", "1");
  o = &env.Options();
  const int before = env.userSettings.ChangeCount();
  o->ChangeAutoDelBook(0, "Suppen", "");
  o->ChangeAutoDelBook(2, "Suppen", "Salate");
  EXPECT_EQ(env.userSettings.ChangeCount(), before);
}

TEST_F(BookOrder, ALookUpThatMissesLeavesTheCallersFlag) {
  o = &env.Options();
  bool never = true;
  EXPECT_EQ(o->FindAutoDelBook(-5, &never), kNoAutoDelBook);  // empty list
  EXPECT_TRUE(never);
  o->autoDelBooks = {{"A", -1, false}, {"B", -2, true}};
  never = false;
  EXPECT_EQ(o->FindAutoDelBook(-5, &never), kNoAutoDelBook);
  EXPECT_FALSE(never);  // not the last entry's mark
  EXPECT_EQ(o->FindAutoDelBook(-2, &never), 1);
  EXPECT_TRUE(never);
  EXPECT_EQ(o->FindAutoDelBook(-1, &never), 0);
  EXPECT_FALSE(never);
}

TEST_F(BookOrder, SyncDropsLostBooksAppendsNewOnesAndTakesTheIds) {
  Store(0, "Alt1", "0");
  Store(1, "Alt2", "0");
  Store(2, "Suppen", "0");
  Store(3, "Backen", "1");
  o = &env.Options();
  o->SyncAutoDelBooks({{"Backen", -10}, {"Neu", -11}, {"Suppen", -12}});
  EXPECT_EQ(Names(), (std::vector<std::string>{"Suppen", "Backen", "Neu"}));
  EXPECT_EQ(o->autoDelBooks[0].bookId, -12);
  EXPECT_FALSE(o->autoDelBooks[0].neverDelete);
  EXPECT_EQ(o->autoDelBooks[1].bookId, -10);
  EXPECT_EQ(o->autoDelBooks[2].bookId, -11);
  EXPECT_TRUE(o->autoDelBooks[2].neverDelete);
  o->SyncAutoDelBooks({});  // no books at all: the order is left alone
  EXPECT_EQ(o->autoDelBooks.size(), 3u);
}

TEST(OptionLists, ToolsLoadUpToTheFirstGapAndSaveWithAnEndMark) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "Tool0", "Editor");
  env.userSettings.WriteString(kRegParam, "ToolP0", "/usr/bin/editor.exe");
  env.userSettings.WriteString(kRegParam, "ToolC0", "-n");
  env.userSettings.WriteString(kRegParam, "Tool2", "Rechner");
  OptionsStore& o = env.Options();
  o.LoadTools();
  ASSERT_EQ(o.tools.size(), 1u);
  EXPECT_EQ(o.tools[0], (EXTTOOL{"Editor", "/usr/bin/editor.exe", "-n"}));

  o.SaveTools({{"", "/ignored", ""}, {"Notizen", "notes.txt", ""}});
  EXPECT_EQ(Param(env, "Tools"), "1");
  EXPECT_EQ(Param(env, "Tool0"), "Notizen");
  EXPECT_EQ(Param(env, "ToolP0"), "notes.txt");
  EXPECT_EQ(Param(env, "Tool1"), "");
  o.LoadTools();
  EXPECT_EQ(o.tools.size(), 1u);

  o.SaveTools({{"", "", ""}});  // the only tool deleted
  EXPECT_EQ(Param(env, "Tool0"), "");
  o.LoadTools();
  EXPECT_TRUE(o.tools.empty());
}

TEST(OptionLists, AToolStartsEveryToolOfItsMenuTextAndReportsFailure) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  o.SaveTools({{"Zwei", "/opt/a.exe", "-x"}, {"Eins", "https://example.org/", ""},
               {"Zwei", "/opt/b.exe", ""}});
  EXPECT_TRUE(o.StartTool("Zwei"));
  ASSERT_EQ(env.launcher.started.size(), 2u);
  EXPECT_EQ(env.launcher.started[0].program, "/opt/a.exe");
  EXPECT_EQ(env.launcher.started[0].arguments, "-x");
  EXPECT_EQ(env.launcher.started[1].program, "/opt/b.exe");
  EXPECT_TRUE(o.StartTool("Eins"));
  EXPECT_EQ(env.shell.opened.back(), "https://example.org/");
  EXPECT_FALSE(o.StartTool("Drei"));
  env.launcher.succeed = false;
  EXPECT_FALSE(o.StartTool("Zwei"));
  o.SaveTools({{"Leer", "", ""}});
  EXPECT_FALSE(o.StartTool("Leer"));  // an empty path starts nothing
}

}  // namespace
}  // namespace tav
