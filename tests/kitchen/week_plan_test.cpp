// The week plan: WPlan.ini, placing, moving and deleting entries, and WPlan.txt.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "kitchen/profile_ini.h"
#include "kitchen/weekplan/week_plan.h"
#include "platform/text_file.h"
#include "recipedb/recipe_model.h"
#include "services/context.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

const int kMonday = DayNumber(2024, 6, 3);  // calendar week 23

REZBLOCK Recipe(const std::string& title, int servings = 4, const std::string& kind = "Personen") {
  REZBLOCK r;
  r.title = title;
  r.servings = servings;
  r.servingType = kind;
  return r;
}

class WeekPlanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
    plan.weekStart = kMonday;
  }
  std::string Ini() const { return env.DataFolder() + "WPlan.ini"; }
  // Drops recipes on a cell, as one drop from the recipe list does.
  void Drop(int col, int row, std::initializer_list<const char*> titles, int32_t first = 1) {
    plan.dropCol = col;
    plan.dropRow = row;
    int32_t n = first;
    for (const char* t : titles) plan.AddRecipeToWeekPlan(Recipe(t), -2, n++);
    plan.SaveWeekPlan();
    plan.DrawWeekGrid();
  }
  // The titles of a day from the top.
  std::vector<std::string> Day(int col) const {
    std::vector<std::string> out;
    for (int row = 1;; ++row) {
      const int i = plan.FindWeekPlanEntry(col, row);
      if (i < 0) return out;
      out.push_back(plan.entries[i].text);
    }
  }
  test::TestEnv env;
  WeekPlan plan;
};

TEST_F(WeekPlanTest, DatesAndSectionNames) {
  EXPECT_EQ(WeekdayOf(kMonday), 0);
  EXPECT_EQ(MondayOf(kMonday + 6), kMonday);
  EXPECT_EQ(MondayOf(kMonday + 7), kMonday + 7);
  EXPECT_EQ(ShortDateText(kMonday), "3.6.2024");
  EXPECT_EQ(WeekPlanSectionName(kMonday), "03.06.2024");
  int y, m, d;
  DateOfDay(DayNumber(2000, 2, 29), y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20000229);
  EXPECT_EQ(plan.TitleCaption(), "  Wochenplan  (KW: 23)");
  EXPECT_EQ(plan.WeekPart(), "(KW: 23)");
  EXPECT_EQ(plan.DayHeader(6), "So 9.6.2024");
}

TEST_F(WeekPlanTest, EntriesAreStoredPerDayWithEightKeysAndANegativeBookComesBack) {
  plan.dropCol = 1;
  plan.dropRow = 1;
  REZBLOCK r = Recipe("Gulasch");
  plan.AddRecipeToWeekPlan(r, -5, 12);
  plan.entries[0].remark = "scharf";
  ASSERT_TRUE(plan.SaveWeekPlan());
  EXPECT_EQ(ReadAll(Ini()),
            "[04.06.2024]\r\nBook0=65531\r\nRID0=12\r\nPos0=0\r\nServAnz0=4\r\nTitel0=Gulasch\r\n"
            "ServArt0=Personen\r\nBem0=scharf\r\nType0=R\r\n");
  WeekPlan again;
  again.weekStart = kMonday;
  ASSERT_TRUE(again.LoadWeekPlan());
  ASSERT_EQ(again.entries.size(), 1u);
  const WPLAN& e = again.entries[0];
  EXPECT_TRUE(e.isRecipe);
  EXPECT_EQ(e.book, -5);
  EXPECT_EQ(e.recipeNo, 12);
  EXPECT_EQ(e.day, kMonday + 1);
  EXPECT_EQ(e.remark, "scharf");
  // Another week does not see it.
  WeekPlan next;
  next.weekStart = kMonday + 7;
  next.LoadWeekPlan();
  EXPECT_TRUE(next.entries.empty());
}

TEST_F(WeekPlanTest, ReadingADayStopsAtTheFirstMissingBookKeyAndHandEditedPlacesAreMended) {
  WriteAll(
      Ini(),
      "[03.06.2024]\r\nBook0=65534\r\nTitel0=Erstes\r\nPos0=5\r\nBook1=65534\r\nTitel1=Zweites\r\n"
      "Pos1=5\r\nBook3=65534\r\nTitel3=Hinter der Luecke\r\n"
      "[3.6.2024]\r\nBook0=65534\r\nTitel0=Anderes Datumsformat\r\n");
  ASSERT_TRUE(plan.LoadWeekPlan());
  plan.DrawWeekGrid();
  EXPECT_EQ(Day(0), (std::vector<std::string>{"Erstes", "Zweites"}));
  EXPECT_TRUE(plan.entries[0].isRecipe);  // no "Type" key: a recipe
}

TEST_F(WeekPlanTest, DroppedRecipesFindTheirPlace) {
  Drop(2, 5, {"A", "B"});  // two at once below an empty day's top: in list order from the top
  EXPECT_EQ(Day(2), (std::vector<std::string>{"A", "B"}));
  Drop(2, 7, {"C"});  // below the last entry: right after it
  EXPECT_EQ(Day(2), (std::vector<std::string>{"A", "B", "C"}));
  Drop(2, 1, {"D"});  // on row 1: the top, the others move down
  EXPECT_EQ(Day(2), (std::vector<std::string>{"D", "A", "B", "C"}));
  Drop(2, 2, {"E", "F"});  // two at once on an occupied row: the later one on top
  EXPECT_EQ(Day(2), (std::vector<std::string>{"D", "F", "E", "A", "B", "C"}));
  Drop(2, 0, {"G"});  // on the day's header: the top
  EXPECT_EQ(Day(2).front(), "G");
  plan.dropCol = -1;  // beside the seven days: nothing
  EXPECT_FALSE(plan.AddRecipeToWeekPlan(Recipe("H"), -2, 9));
  EXPECT_EQ(plan.entries.size(), 7u);
}

TEST_F(WeekPlanTest, DeletingTheMiddleOfThreeLeavesKeys0And1) {
  Drop(3, 1, {"Erstes"}, 1);
  Drop(3, 2, {"Zweites"}, 2);
  Drop(3, 3, {"Drittes"}, 3);
  plan.DeleteWeekPlanCell(3, 2);
  ASSERT_TRUE(plan.SaveWeekPlan());
  ProfileIni ini(Ini());
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadString("06.06.2024", "Titel0", ""), "Erstes");
  EXPECT_EQ(ini.ReadString("06.06.2024", "Titel1", ""), "Drittes");
  EXPECT_EQ(ini.ReadString("06.06.2024", "Pos1", ""), "1");
  EXPECT_EQ(ini.ReadString("06.06.2024", "Book2", "none"), "none");
  EXPECT_EQ(ini.ReadString("06.06.2024", "Titel2", "none"), "none");
}

TEST_F(WeekPlanTest, ASelectionOfRowsIsDeletedBottomUpAndMovesSwapNeighbours) {
  Drop(0, 1, {"A", "B", "C", "D", "E"});
  EXPECT_EQ(Day(0), (std::vector<std::string>{"E", "D", "C", "B", "A"}));
  for (int row = 4; row >= 2; --row) plan.DeleteWeekPlanCell(0, row);
  plan.DrawWeekGrid();
  EXPECT_EQ(Day(0), (std::vector<std::string>{"E", "A"}));
  int row = 2;
  ASSERT_TRUE(plan.MoveWeekPlanEntryUp(0, row));
  EXPECT_EQ(row, 1);
  EXPECT_EQ(Day(0), (std::vector<std::string>{"A", "E"}));
  EXPECT_FALSE(plan.MoveWeekPlanEntryUp(0, row));  // from row 1: nothing
  row = 2;
  EXPECT_FALSE(plan.MoveWeekPlanEntryDown(0, row));  // from the lowest entry: nothing
  EXPECT_EQ(row, 2);
  row = 1;
  ASSERT_TRUE(plan.MoveWeekPlanEntryDown(0, row));
  EXPECT_EQ(Day(0), (std::vector<std::string>{"E", "A"}));
  // The moves were saved.
  WeekPlan again;
  again.weekStart = kMonday;
  again.LoadWeekPlan();
  again.DrawWeekGrid();
  EXPECT_EQ(again.entries[again.FindWeekPlanEntry(0, 1)].text, "E");
}

TEST_F(WeekPlanTest, DeletingStoredDaysKeepsTodayAndOtherNames) {
  WriteAll(
      Ini(),
      "[31.05.2024]\r\nBook0=1\r\n[01.06.2024]\r\nBook0=1\r\n[02.06.2024]\r\nBook0=1\r\n"
      "[Notizen]\r\nA=1\r\n[03.06.2024]\r\nBook0=1\r\nTitel0=Heute\r\n[10.06.2024]\r\nBook0=1\r\n");
  ASSERT_TRUE(plan.DeleteStoredDays(1, kMonday));
  ProfileIni ini(Ini());
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Notizen", "03.06.2024", "10.06.2024"}));
  ASSERT_EQ(plan.entries.size(), 1u);  // the shown week was read again
  ASSERT_TRUE(plan.DeleteStoredDays(2, kMonday));
  ASSERT_TRUE(ini.Load());
  EXPECT_TRUE(ini.ReadSections().empty());
  EXPECT_TRUE(plan.entries.empty());
}

TEST_F(WeekPlanTest, TheGridGrowsForALongDayAndKeepsItsRows) {
  EXPECT_EQ(plan.RowCount(), 20);
  plan.dropCol = 4;
  for (int i = 0; i < 25; ++i) {
    plan.dropRow = 99;
    plan.AddRecipeToWeekPlan(Recipe("Gericht " + std::to_string(i)), -2, i);
  }
  plan.DrawWeekGrid();
  EXPECT_GE(plan.RowCount(), 27);
  EXPECT_EQ(plan.CellIndex(4, 26), -1);  // an empty row stays below the lowest entry
  EXPECT_GE(plan.CellIndex(4, 25), 0);
  plan.entries.clear();
  plan.DrawWeekGrid();
  EXPECT_GE(plan.RowCount(), 27);
}

TEST_F(WeekPlanTest, ThePrintTextHoldsDaysEntriesAndRemarks) {
  Drop(0, 1, {"Gulasch"});
  plan.entries[0].remark = "scharf";
  WPLAN remark;
  remark.text = "Oma kommt zum Essen";
  plan.InsertWeekPlanEntry(remark, 0, 2);
  plan.dropCol = 2;
  plan.dropRow = 1;
  plan.AddRecipeToWeekPlan(Recipe("Pfannkuchen", 4, ""), -2, 5);
  plan.dropCol = 6;
  plan.AddRecipeToWeekPlan(Recipe("K\xE4sesp\xE4tzle", 2, "Portionen"), -2, 6);
  EXPECT_EQ(plan.WriteWeekPlanText(), 4);
  EXPECT_EQ(ReadAll(env.Root() + "Export/WPlan.txt"),
            ReadAll(test::Fixture("wplan_monday_wednesday_sunday.txt")));
}

TEST_F(WeekPlanTest, EveryEntryOfALongDayIsPrintedAndAnEmptyWeekOnlyHasItsHeading) {
  int count = -1;
  EXPECT_EQ(plan.WeekPlanText(count),
            "Tavolin! Wochenplan vom 3.6.2024 bis 9.6.2024   (KW: 23)\r\n");
  EXPECT_EQ(count, 0);
  plan.dropCol = 1;
  for (int i = 0; i < 24; ++i) {
    plan.dropRow = 99;
    plan.AddRecipeToWeekPlan(Recipe("Gericht"), -2, i);
  }
  const std::string text = plan.WeekPlanText(count);
  EXPECT_EQ(count, 24);
  size_t lines = 0;
  for (size_t at = text.find("\r\nT:"); at != std::string::npos; at = text.find("\r\nT:", at + 1))
    ++lines;
  EXPECT_EQ(lines, 24u);
}

TEST_F(WeekPlanTest, APlanFileThatCannotBeReadIsNeverWrittenOver) {
  mkdir(Ini().c_str(), 0755);
  Drop(0, 1, {"Gulasch"});
  ASSERT_GE(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(991));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
  EXPECT_FALSE(plan.SaveWeekPlan());
  // The export folder gone: WPlan.txt cannot be written, nothing is counted.
  env.messages.shown.clear();
  std::filesystem::remove_all(env.Root() + "Export");
  WriteAll(env.Root() + "Export", "a file, not a folder");
  EXPECT_EQ(plan.WriteWeekPlanText(), 0);
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(281));
}

}  // namespace
}  // namespace tav
