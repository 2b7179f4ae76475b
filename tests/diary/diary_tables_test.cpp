#include <gtest/gtest.h>

#include "diary_env.h"
#include "services/tools_module.h"

namespace tav {
namespace {

using test::DiaryEnv;
using test::ReadAll;

constexpr int kMay = 4;

// The diary with Anna active and the filter "Energie und Hauptnährstoffe": GCAL, GJ, ZE, ZF,
// ZW in this order (value indexes 4, 5, 6, 7, 3). Anna's requirements: GCAL at least 100,
// GJ at most (no value known), ZE at most 5, ZF without check.
struct TablesEnv {
  TablesEnv() {
    env.WriteUsers(
        "#\r\n>NAnna\r\n>G05031970\r\n>SF\r\n"
        "GCAL#<100\r\nGJ#>\r\nZE#>5\r\nZF#-1\r\n#\r\n");
    env.Start();
    d().SelectPerson("Anna");
    env.table.SetChosenFilter(1);
    env.table.PrepareFilter(false);
  }
  TENApplogMod& d() { return *env.diary; }
  // A calculated entry of 100 g with these values at GCAL, GJ and ZE, filed and summed.
  void Add(int day, int month, int year, const std::string& kcal, const std::string& kj,
           const std::string& protein, bool calculated = true) {
    ENENTRY e;
    e.day = day;
    e.month = month;
    e.year = year;
    e.calculated = calculated;
    e.amount = e.baseAmount = 100;
    e.unit = "Gramm";
    e.name = "Essen " + kcal;
    e.nutrientLine = "X000000;Essen;;10;" + kcal + ";" + kj + ";" + protein + ";1;0;0";
    FoodDatabase::SplitBLSRecord(e.nutrientLine, &e.food);
    d().AddEntry(e);
    d().CalcDaySums(d().GetDay(day, month, year));
  }
  DiaryEnv env;
};

TEST(DiaryTables, TheDayTable) {
  TablesEnv t;
  TextGrid grid;
  grid.SetCell(0, 1, "untouched");
  t.d().FillDayGrid(grid, 10, kMay, 2024);  // no month loaded: nothing changes
  EXPECT_EQ(grid.Cell(0, 1), "untouched");

  ASSERT_TRUE(t.d().AddFoodToDay(10, kMay, 2024, "G101000"));
  ASSERT_TRUE(t.d().AddRecipeToDay(10, kMay, 2024, t.env.store.BookId(), t.env.OpenRecipe()));
  t.d().FillDayGrid(grid, 10, kMay, 2024);
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.ColCount(), 8);
  const std::vector<std::string> spinach = {"Spinat",   "100 Gramm", " ",      "23,00 kcal",
                                            "96,00 kJ", "2,86 g",    "0,39 g", "91,40 g"};
  for (size_t c = 0; c < spinach.size(); ++c)
    EXPECT_EQ(grid.Cell(static_cast<int>(c), 1), spinach[c]) << c;
  EXPECT_EQ(grid.Cell(0, 2), "Eintopf");
  EXPECT_EQ(grid.Cell(1, 2), "1 Teller");
  EXPECT_EQ(grid.Cell(2, 2), "");
  for (int c = 3; c < 13; ++c) EXPECT_EQ(grid.Cell(c, 2), "") << c;

  // No entry of the day calculated: four columns, whatever the filter shows.
  grid.SetCell(3, 0, "Titel");
  ASSERT_TRUE(t.d().AddRecipeToDay(11, kMay, 2024, t.env.store.BookId(), t.env.OpenRecipe()));
  t.d().FillDayGrid(grid, 11, kMay, 2024);
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(3, 0), "");
  EXPECT_EQ(grid.Cell(0, 1), "Eintopf");
  // A day without entries: one empty row.
  t.d().FillDayGrid(grid, 12, kMay, 2024);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(0, 1), "");
  EXPECT_EQ(grid.Cell(1, 1), "");
}

TEST(DiaryTables, ThePeriodTableWithItsMarks) {
  TablesEnv t;
  t.Add(31, 0, 2024, "500", "-3", "1");
  t.Add(5, 2, 2024, "80", "400", "2,86");
  t.Add(20, 2, 2024, "60", "200", "6");
  t.Add(20, 2, 2024, "40", "10", "abc");
  t.Add(21, 2, 2024, "1", "1", "1", false);
  t.Add(1, 3, 2024, "1000", "1", "1");
  TextGrid grid;
  t.d().FillPeriodGrid(grid, 1, 2, 2024, 31, 2, 2024);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.ColCount(), 7);
  const std::vector<std::vector<std::string>> rows = {
      {"5.3.2024", " ", "<80,00  kcal", "400,00  kJ", "U2,86  g", "1,00  g", "10,00  g"},
      {"20.3.2024", " ", "O100,00  kcal", "210,00  kJ", ">6,00  g", "2,00  g", "20,00  g"},
      {"21.3.2024", "", "", "", "", "", ""},
  };
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      EXPECT_EQ(grid.Cell(static_cast<int>(c), static_cast<int>(r) + 1), rows[r][c]) << r << c;

  // An empty period: three columns, one empty row.
  grid.SetCell(2, 0, "Titel");
  t.d().FillPeriodGrid(grid, 1, 5, 2024, 30, 5, 2024);
  EXPECT_EQ(grid.ColCount(), 3);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(2, 0), "");
  EXPECT_EQ(grid.Cell(0, 1), "");
  // Across months and years, both ends included.
  t.d().FillPeriodGrid(grid, 31, 0, 2024, 1, 3, 2024);
  EXPECT_EQ(grid.RowCount(), 6);
  EXPECT_EQ(grid.Cell(0, 1), "31.1.2024");
  EXPECT_EQ(grid.Cell(0, 5), "1.4.2024");
  EXPECT_EQ(grid.Cell(2, 5), "O1000,00  kcal");
}

// Under the filter of all nutrients the tables show the text columns too (key, name, remark):
// a recipe has none of them, and no day sums them, though a food's remark may hold digits.
TEST(DiaryTables, TextColumnsAreNoSums) {
  TablesEnv t;
  t.env.table.PrepareFilter(true);
  ASSERT_TRUE(t.d().AddRecipeToDay(10, kMay, 2024, t.env.store.BookId(), t.env.SaladRecipe()));
  ENENTRY food;
  food.day = 10;
  food.month = kMay;
  food.year = 2024;
  food.calculated = true;
  food.amount = food.baseAmount = 100;
  food.unit = "Gramm";
  food.name = "Spinat";
  food.nutrientLine = "G101000;Spinat;9252;91,4;23;96;2,86";
  FoodDatabase::SplitBLSRecord(food.nutrientLine, &food.food);
  t.d().AddEntry(food);
  ENDAY* day = t.d().GetDay(10, kMay, 2024);
  ASSERT_NE(day, nullptr);
  ASSERT_TRUE(t.d().CalcDaySums(day));
  for (int j : {0, 1, 2}) EXPECT_EQ(day->dayValues.Value(j), "") << j;
  EXPECT_EQ(day->dayValues.Value(4), "56,50");  // a serving of 134 / 4 kcal and 23 kcal
  // The day table: the recipe's text columns are empty, the food's show what it is.
  TextGrid grid;
  t.d().FillDayGrid(grid, 10, kMay, 2024);
  ASSERT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.Cell(0, 1), "Gr\xFCner Salat");
  for (int c : {3, 4, 5}) EXPECT_EQ(grid.Cell(c, 1), "") << c;
  EXPECT_EQ(grid.Cell(3, 2), "G101000 ");
  EXPECT_EQ(grid.Cell(5, 2), "9252 ");
  // The period table, also for a day whose stored sums (an older file) hold those columns.
  day->dayValues.values[2] = "18504,00";
  t.d().FillPeriodGrid(grid, 10, kMay, 2024, 10, kMay, 2024);
  for (int c : {2, 3, 4}) EXPECT_EQ(grid.Cell(c, 1), "") << c;
  EXPECT_EQ(grid.Cell(6, 1), "<56,50  kcal");
}

TEST(DiaryTables, DayValues) {
  TablesEnv t;
  TToolsMod tools;
  ctx().tools = &tools;
  // A day without entries: one row per nutrient of the day-value group, sums 0.
  t.d().AggregateDayValues(10, kMay, 2024);
  ASSERT_EQ(t.d().dayValues.size(), 5u);
  const std::vector<std::string> names = {"Energie (kcal)", "Energie (kJ)", "Eiwei\xDF", "",
                                          "Wasser"};
  const std::vector<std::string> units = {"kcal", "kJ", "g", "g", "g"};
  for (size_t i = 0; i < 5; ++i) {
    if (!names[i].empty()) {
      EXPECT_EQ(t.d().dayValues[i].name, names[i]);
    }
    EXPECT_EQ(t.d().dayValues[i].unit, units[i]);
    EXPECT_DOUBLE_EQ(t.d().dayValues[i].sum, 0);
  }
  EXPECT_DOUBLE_EQ(t.d().dayValues[0].requirement, 100);
  EXPECT_FALSE(t.d().dayValues[0].isMaximum);
  EXPECT_DOUBLE_EQ(t.d().dayValues[1].requirement, -1);
  EXPECT_TRUE(t.d().dayValues[1].isMaximum);
  EXPECT_TRUE(t.d().dayValues[2].isMaximum);
  EXPECT_DOUBLE_EQ(t.d().dayValues[4].requirement, 0);  // no row for water

  // 120 + 80; an unreadable value is left out and written to the log.
  t.Add(10, kMay, 2024, "120", "5", "1,5");
  t.Add(10, kMay, 2024, "80", "12x", "2");
  t.d().AggregateDayValues(10, kMay, 2024);
  EXPECT_DOUBLE_EQ(t.d().dayValues[0].sum, 200);
  EXPECT_DOUBLE_EQ(t.d().dayValues[1].sum, 5);
  EXPECT_DOUBLE_EQ(t.d().dayValues[2].sum, 3.5);
  EXPECT_NE(ReadAll(t.env.Root() + "Tavolin.log").find("\"12x\""), std::string::npos);
  ctx().tools = nullptr;
}

}  // namespace
}  // namespace tav
