#include <gtest/gtest.h>

#include <filesystem>

#include "diary_env.h"

namespace tav {
namespace {

using test::DiaryEnv;
using test::ReadAll;
using test::WriteAll;

// A person "Anna" with this Weight.dat; options 70 and 76 as given.
struct WeightEnv {
  explicit WeightEnv(const std::string& file, const std::string& chart = "", bool several = false) {
    env.WritePersons({"Anna"});
    if (!file.empty()) WriteAll(env.PersonDir("Anna") + "Weight.dat", file);
    if (!chart.empty()) env.userSettings.WriteString(kRegParam, "GEWCHART", chart);
    env.userSettings.WriteString(kRegParam, "MultiDataDay", several ? "1" : "0");
    env.Options();
    env.Start();
  }
  TENApplogMod& d() { return *env.diary; }
  std::string File() { return ReadAll(env.PersonDir("Anna") + "Weight.dat"); }
  DiaryEnv env;
};

TEST(WeightLog, ReadingTheLines) {
  const std::string longComment(440, 'k');
  WeightEnv w(
      "05012024:073081,5#92#Nach dem Laufen#30#40#50#60\r\n"
      "06012024\r\n"  // too short for a value: skipped, the reading goes on
      "07012024:0800\r\n"
      "08012024#x#only two\r\n"
      "0901202480,0#a\r\n"
      "10012024:0900" +
      std::string("79#1#") + longComment + "#2#4#3#5#rest\r\n");
  ASSERT_TRUE(w.d().ReadWeightList());
  const std::vector<GEWICHTLIST>& l = w.d().weights;
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l[0].day, 5);
  EXPECT_EQ(l[0].month, 1);  // February: months count from 0
  EXPECT_EQ(l[0].year, 2024);
  EXPECT_EQ(l[0].hour, 7);
  EXPECT_EQ(l[0].minute, 30);
  EXPECT_EQ(l[0].values[0], "81,5");
  EXPECT_EQ(l[0].values[1], "92");
  EXPECT_EQ(l[0].comment, "Nach dem Laufen");
  EXPECT_EQ(l[0].values[2], "30");
  EXPECT_EQ(l[0].values[4], "40");  // the file keeps value 4 before value 3
  EXPECT_EQ(l[0].values[3], "50");
  EXPECT_EQ(l[0].values[5], "60");
  EXPECT_EQ(l[1].day, 7);
  EXPECT_EQ(l[1].values[0], "");
  EXPECT_EQ(l[2].hour, 0);  // no time part
  EXPECT_EQ(l[2].values[0], "");
  EXPECT_EQ(l[2].values[1], "x");
  EXPECT_EQ(l[2].comment, "only two");
  EXPECT_EQ(l[2].values[2], "");
  EXPECT_EQ(l[3].values[0], "80,0");
  EXPECT_EQ(l[3].values[1], "a");
  EXPECT_EQ(l[4].comment, longComment);  // a long line is read whole, as one entry
  EXPECT_EQ(l[4].values[5], "5");
  EXPECT_FALSE(w.d().weightsChanged);
}

TEST(WeightLog, ADateThatExistsIsNotAddedTwice) {
  struct Case {
    bool several;  // option 76
    int hour, minute;
    int index;     // the index returned
    bool refused;  // message 469
  };
  // The log holds 3.5. 07:30 and 5.5. 07:30; the new entry is for 3 May.
  const Case cases[] = {
      {false, 9, 0, 0, true},
      {false, 7, 30, 0, true},
      {true, 9, 0, 1, false},  // after the entries of its date
      {true, 7, 30, 0, true},  // the same minute
  };
  for (const Case& c : cases) {
    WeightEnv w("03042024:073070\r\n05042024:073071\r\n", "", c.several);
    const int index = w.d().AddWeightEntryAt(3, 4, 2024, c.hour, c.minute);
    EXPECT_EQ(index, c.index) << c.several << " " << c.hour;
    EXPECT_EQ(test::ShownText(w.env.messages, 469), c.refused) << c.several << " " << c.hour;
    EXPECT_EQ(w.d().weights.size(), c.refused ? 2u : 3u);
    // A new entry is on disk at once; a refused one writes nothing.
    EXPECT_FALSE(w.d().weightsChanged);
    const std::string line = "03042024:" + std::string(c.hour == 9 ? "0900" : "0730") + "######";
    EXPECT_EQ(w.File().find(line) != std::string::npos, !c.refused) << w.File();
  }
  // Dates before, between and after the others go into date order.
  WeightEnv w("03042024:073070\r\n05042024:073071\r\n");
  EXPECT_EQ(w.d().AddWeightEntryAt(9, 4, 2024, 8, 0), 2);
  EXPECT_EQ(w.d().AddWeightEntryAt(4, 4, 2024, 8, 0), 1);
  EXPECT_EQ(w.d().AddWeightEntryAt(30, 3, 2024, 8, 0), 0);
  EXPECT_EQ(w.d().AddWeightEntryAt(1, 0, 2025, 8, 0), 5);
  std::vector<int> days;
  for (const GEWICHTLIST& g : w.d().weights) days.push_back(g.day);
  EXPECT_EQ(days, (std::vector<int>{30, 3, 4, 5, 9, 1}));
}

TEST(WeightLog, WritingTheLog) {
  WeightEnv w("");
  EXPECT_FALSE(w.d().ReadWeightList());  // no file yet
  // Every change is on disk at once.
  const int i = w.d().AddWeightEntryAt(5, 1, 2024, 7, 5);
  EXPECT_EQ(w.File(), "05012024:0705######\r\n");
  w.d().SetWeightValue(i, 0, "81,5");
  EXPECT_EQ(w.File(), "05012024:070581,5######\r\n");
  w.d().SetWeightValue(i, 3, "3#4");
  w.d().SetWeightValue(i, 6, "no such column");
  w.d().SetWeightComment(i, std::string(500, 'c') + "\r\n#");
  w.d().SetWeightTime(i, "8:07");
  EXPECT_FALSE(w.d().weightsChanged);
  EXPECT_EQ(w.File(), "05012024:080781,5##" + std::string(450, 'c') + "###3 4#\r\n");
  ASSERT_TRUE(w.d().WriteWeightList());
  EXPECT_EQ(w.d().weights[0].comment.size(), 450u);  // cut in the list as well
  // Unchanged: nothing is written.
  test::WriteAll(w.env.PersonDir("Anna") + "Weight.dat", "other");
  EXPECT_TRUE(w.d().WriteWeightList());
  EXPECT_EQ(w.File(), "other");
  // A time without ':' changes nothing; the log is written as it is.
  w.d().SetWeightTime(i, "0915");
  EXPECT_EQ(w.d().weights[0].hour, 8);
  EXPECT_EQ(w.File(), "05012024:080781,5##" + std::string(450, 'c') + "###3 4#\r\n");

  // Delete needs date and time to match; a deletion is on disk at once.
  w.d().DeleteWeightEntry(5, 1, 2024, 8, 6);
  EXPECT_EQ(w.d().weights.size(), 1u);
  w.d().DeleteWeightEntry(5, 1, 2024, 8, 7);
  EXPECT_TRUE(w.d().weights.empty());
  EXPECT_EQ(w.File(), "");

  // The first entry of an empty log is on disk before the module ends, and nothing depends on
  // the module's end.
  WeightEnv fresh("");
  fresh.d().AddWeightEntryAt(1, 0, 2024, 6, 0);
  EXPECT_EQ(fresh.File(), "01002024:0600######\r\n");
  test::WriteAll(fresh.env.PersonDir("Anna") + "Weight.dat", "restored");
  fresh.env.diary.reset();
  EXPECT_EQ(fresh.File(), "restored");

  // A log that cannot be written says so.
  WeightEnv locked("01002024:0600######\r\n");
  ASSERT_TRUE(locked.d().ReadWeightList());
  std::filesystem::remove_all(locked.env.PersonDir("Anna"));
  test::WriteAll(locked.env.PersonDir("Anna").substr(0, locked.env.PersonDir("Anna").size() - 1),
                 "a file where the folder should be");
  locked.d().AddWeightEntryAt(2, 0, 2024, 6, 0);
  EXPECT_TRUE(test::ShownText(locked.env.messages, 891));
}

TEST(WeightLog, TheGridFollowsOption70) {
  struct Case {
    std::string chart;               // option 70
    std::vector<std::string> cells;  // columns 2.. of row 1
  };
  const Case cases[] = {
      {"", {"v0", "v1", "v2", "v3", "v4", "v5", "Bem"}},
      // Only columns 3 and 0, in this order.
      {"+1-2-3+0-4-5", {"v3", "v0", "Bem"}},
      // Two columns on one position keep the order of their numbers.
      {"+1+1-0-0-0+0", {"v5", "v0", "v1", "Bem"}},
  };
  for (const Case& c : cases) {
    WeightEnv w("05012024:0730v0#v1#Bem#v2#v4#v3#v5\r\n", c.chart);
    TextGrid grid;
    w.d().FillWeightGrid(grid);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_TRUE(grid.enabled);
    EXPECT_EQ(grid.currentRow, 1);
    EXPECT_EQ(grid.Cell(0, 1), "5. " + GetLangText(237) + " 2024");
    EXPECT_EQ(grid.Cell(1, 1), "07:30");
    for (size_t k = 0; k < c.cells.size(); ++k)
      EXPECT_EQ(grid.Cell(2 + static_cast<int>(k), 1), c.cells[k]) << c.chart << " " << k;
  }
  // An empty log: one empty row, the grid off.
  WeightEnv w("");
  TextGrid grid;
  grid.SetCell(4, 1, "old");
  w.d().FillWeightGrid(grid);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(4, 1), "");
  EXPECT_FALSE(grid.enabled);
}

}  // namespace
}  // namespace tav
