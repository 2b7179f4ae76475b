#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <functional>

#include "diary_env.h"
#include "platform/paths.h"
#include "services/text_tools.h"
#include "support/read_faults.h"

namespace tav {
namespace {

using test::DiaryEnv;
using test::ReadAll;
using test::WriteAll;

constexpr int kMay = 4;

// The fields of an entry that the file keeps.
void ExpectSameEntry(const ENENTRY& a, const ENENTRY& b) {
  EXPECT_EQ(a.isRecipe, b.isRecipe);
  EXPECT_EQ(a.calculated, b.calculated);
  EXPECT_EQ(a.day, b.day);
  EXPECT_EQ(a.month, b.month);
  EXPECT_EQ(a.year, b.year);
  EXPECT_EQ(a.book, b.book);
  EXPECT_EQ(a.recipeNumber, b.recipeNumber);
  EXPECT_EQ(a.foodKey, b.foodKey);
  EXPECT_DOUBLE_EQ(a.amount, b.amount);
  EXPECT_DOUBLE_EQ(a.baseAmount, b.baseAmount);
  EXPECT_DOUBLE_EQ(a.energy, b.energy);
  EXPECT_EQ(a.unit, b.unit);
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.food.values, b.food.values) << a.name;
}

TEST(DiaryMonths, TwoPersonsRoundTripThroughTheirFiles) {
  DiaryEnv env;
  const int32_t salad = env.SaladRecipe();
  env.WritePersons({"Anna", "Bert"});
  TENApplogMod& d = env.Start();
  ASSERT_EQ(d.GetActivePersonName(), "Anna");
  for (const char* key : {"G101000", "H102000", "K101000"})
    EXPECT_TRUE(d.AddFoodToDay(10, kMay, 2024, key));
  EXPECT_TRUE(d.AddRecipeToDay(10, kMay, 2024, env.store.BookId(), salad));
  EXPECT_TRUE(d.AddFoodToDay(12, kMay, 2024, "G102000"));
  d.SwitchPerson("Bert");
  EXPECT_TRUE(d.AddFoodToDay(10, kMay, 2024, "H102000"));
  d.SwitchPerson("Anna");
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));

  const std::string annaFile = env.MonthFile("Anna", "m052024.dat");
  const std::string bertFile = env.MonthFile("Bert", "m052024.dat");
  const std::string annaBytes = ReadAll(annaFile), bertBytes = ReadAll(bertFile);
  ASSERT_FALSE(annaBytes.empty());
  ASSERT_FALSE(bertBytes.empty());
  const std::vector<ENDAY> before = d.GetMonth(kMay, 2024)->days;
  ASSERT_EQ(before.size(), 2u);
  EXPECT_EQ(before[0].entries.size(), 4u);
  EXPECT_EQ(before[1].entries.size(), 1u);
  EXPECT_EQ(before[0].entries[3].name, "Gr\xFCner Salat");
  EXPECT_EQ(before[0].entries[0].name, "Spinat");

  // Unloaded and loaded again: the same entries; a second save writes the same bytes.
  d.UnloadAllMonths();
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));
  EXPECT_EQ(d.IsMonthLoaded(kMay, 2024), 1);
  const std::vector<ENDAY>& after = d.GetMonth(kMay, 2024)->days;
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].day, before[i].day);
    EXPECT_EQ(after[i].complete, before[i].complete);
    ASSERT_EQ(after[i].entries.size(), before[i].entries.size());
    for (size_t k = 0; k < after[i].entries.size(); ++k)
      ExpectSameEntry(after[i].entries[k], before[i].entries[k]);
  }
  EXPECT_EQ(after[0].entries[3].nutrientLine.substr(0, 8), ">RezSum;");
  EXPECT_EQ(after[0].entries[1].foodKey, "H102000");
  d.MarkMonthDirty(kMay, 2024);
  EXPECT_TRUE(d.SaveAllMonths());
  EXPECT_EQ(ReadAll(annaFile), annaBytes);
  d.SwitchPerson("Bert");
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));
  EXPECT_EQ(d.GetDay(10, kMay, 2024)->entries.size(), 1u);
  d.MarkMonthDirty(kMay, 2024);
  EXPECT_TRUE(d.SaveAllMonths());
  EXPECT_EQ(ReadAll(bertFile), bertBytes);
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST(DiaryMonths, TheMonthFileAsWritten) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.AddFoodToDay(3, 2, 2024, "G101000"));
  const std::vector<std::string> lines = test::Lines(env.MonthFile("Anna", "m032024.dat"));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "# TAVOLIN V02.01 03/2024");
  EXPECT_EQ(lines[1], "#");
  EXPECT_EQ(lines[2], "03#C0001");
  // The text columns (name, remark) are no sums: empty.
  EXPECT_EQ(lines[3].substr(0, 30), "|;;;91,40;23,00;96,00;2,86;0,3");
  EXPECT_EQ(lines[4], "#BC#0#0#96.000000#Gramm#100.000000#100.000000#Spinat");
  EXPECT_EQ(lines[5], "G101000;Spinat;;91,4;23;96;2,86;0,39;79;28,1");
  // Every line ends with CR LF.
  EXPECT_NE(ReadAll(env.MonthFile("Anna", "m032024.dat")).find("Spinat\r\n"), std::string::npos);
}

TEST(DiaryMonths, ARecipeOfFourServingsGivesOneServing) {
  DiaryEnv env;
  const int32_t salad = env.SaladRecipe(), open = env.OpenRecipe();
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.AddRecipeToDay(10, kMay, 2024, env.store.BookId(), salad));
  const ENENTRY* e = d.GetDayEntry(10, kMay, 2024, 0);
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->isRecipe);
  EXPECT_TRUE(e->calculated);
  EXPECT_DOUBLE_EQ(e->amount, 1);
  EXPECT_DOUBLE_EQ(e->baseAmount, 4);
  EXPECT_EQ(e->unit, "Portionen");
  EXPECT_EQ(e->book, static_cast<uint16_t>(env.store.BookId()));
  EXPECT_EQ(e->recipeNumber, salad);
  const int kcal = env.table.StoffIndexOfCode("GCAL"), kj = env.table.StoffIndexOfCode("GJ");
  // The whole recipe: 134 kcal, 560 kJ; one serving a quarter of it.
  LB_DATA whole;
  FoodDatabase::SplitBLSRecord(e->nutrientLine, &whole);
  EXPECT_EQ(whole.Value(kcal), "134,00");
  EXPECT_EQ(e->food.Value(kcal), "33,50");
  EXPECT_EQ(e->food.Value(kj), "140,00");
  EXPECT_EQ(e->food.Value(0), "0");  // the key column of a recipe line
  EXPECT_DOUBLE_EQ(e->energy, 140);
  EXPECT_TRUE(d.GetDay(10, kMay, 2024)->complete);

  // A recipe with a line without food: not calculated, its values all "0", the day incomplete.
  ASSERT_TRUE(d.AddRecipeToDay(10, kMay, 2024, env.store.BookId(), open));
  const ENDAY* day = d.GetDay(10, kMay, 2024);
  EXPECT_FALSE(day->entries[1].calculated);
  EXPECT_DOUBLE_EQ(day->entries[1].baseAmount, 2);
  EXPECT_EQ(day->entries[1].food.Value(kcal), "0,00");
  EXPECT_FALSE(day->complete);
  ASSERT_EQ(day->dayValues.values.size(), 145u);
  for (const std::string& v : day->dayValues.values) EXPECT_EQ(v, "0");

  // A recipe that cannot be read adds nothing.
  EXPECT_FALSE(d.AddRecipeToDay(10, kMay, 2024, env.store.BookId(), 999));
  EXPECT_EQ(d.GetDay(10, kMay, 2024)->entries.size(), 2u);
}

TEST(DiaryMonths, AddingToAMonthThatIsNotLoadedKeepsItsOtherEntries) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.AddFoodToDay(3, kMay, 2024, "G101000"));
  ASSERT_TRUE(d.AddFoodToDay(20, kMay, 2024, "G102000"));
  d.UnloadAllMonths();
  // Through the food path and through AddEntry itself.
  ASSERT_TRUE(d.AddFoodToDay(12, kMay, 2024, "H102000"));
  d.UnloadAllMonths();
  ENENTRY e;
  e.day = 25;
  e.month = kMay;
  e.year = 2024;
  e.calculated = true;
  e.name = "Handeintrag";
  e.nutrientLine = "X000000;1;2";
  d.AddEntry(e);
  EXPECT_TRUE(d.SaveAllMonths());
  d.UnloadAllMonths();
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));
  std::vector<int> days;
  for (const ENDAY& day : d.GetMonth(kMay, 2024)->days) days.push_back(day.day);
  EXPECT_EQ(days, (std::vector<int>{3, 12, 20, 25}));
}

TEST(DiaryMonths, MonthsAndDaysStayInDateOrder) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.LoadMonth(2, 2024));
  ASSERT_TRUE(d.LoadMonth(0, 2024));
  ASSERT_TRUE(d.LoadMonth(11, 2023));
  ASSERT_TRUE(d.AddFoodToDay(1, 1, 2024, "G101000"));  // February, not loaded
  std::vector<std::pair<int, int>> order;
  for (const ENMONTH& m : d.months) order.emplace_back(m.year, m.month);
  EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{2023, 11}, {2024, 0}, {2024, 1}, {2024, 2}}));
  // A month viewed without a file is written at the next save.
  EXPECT_EQ(d.IsMonthLoaded(2, 2024), 2);
  EXPECT_EQ(d.IsMonthLoaded(5, 2024), 0);

  for (int day : {12, 3, 10, 12}) ASSERT_TRUE(d.AddFoodToDay(day, kMay, 2024, "G101000"));
  std::vector<std::pair<int, size_t>> days;
  for (const ENDAY& day : d.GetMonth(kMay, 2024)->days)
    days.emplace_back(day.day, day.entries.size());
  EXPECT_EQ(days, (std::vector<std::pair<int, size_t>>{{3, 1}, {10, 1}, {12, 2}}));

  // Deleting the only entry of a day removes the day, in memory and in the file.
  d.DeleteEntry(10, kMay, 2024, 0);
  d.DeleteEntry(3, kMay, 2024, 5);  // no such entry: nothing
  EXPECT_EQ(d.GetDay(10, kMay, 2024), nullptr);
  EXPECT_EQ(d.GetDay(3, kMay, 2024)->entries.size(), 1u);
  const std::string file = ReadAll(env.MonthFile("Anna", "m052024.dat"));
  EXPECT_EQ(file.find("\n10#"), std::string::npos);
  EXPECT_NE(file.find("\n12#C0002"), std::string::npos);
}

TEST(DiaryMonths, AnAmountChangeRescalesAndIsSaved) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.AddFoodToDay(10, kMay, 2024, "G101000"));
  ASSERT_TRUE(d.ChangeEntryAmount(10, kMay, 2024, 0, 250));
  const int kj = env.table.StoffIndexOfCode("GJ");
  EXPECT_EQ(d.GetDayEntry(10, kMay, 2024, 0)->food.Value(kj), "240,00");
  EXPECT_EQ(d.GetDay(10, kMay, 2024)->dayValues.Value(kj), "240,00");
  d.UnloadAllMonths();
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));
  const ENENTRY* e = d.GetDayEntry(10, kMay, 2024, 0);
  EXPECT_DOUBLE_EQ(e->amount, 250);
  EXPECT_DOUBLE_EQ(e->energy, 240);
  EXPECT_FALSE(d.ChangeEntryAmount(10, kMay, 2024, 1, 5));
}

// An amount below zero would take energy off the day: refused with a message, nothing changes
// in memory or on disk.
TEST(DiaryMonths, AnAmountBelowZeroIsRefused) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.AddFoodToDay(10, kMay, 2024, "G101000"));
  ASSERT_TRUE(d.AddRecipeToDay(10, kMay, 2024, env.store.BookId(), env.SaladRecipe()));
  const std::string file = env.MonthFile("Anna", "m052024.dat");
  const std::string before = ReadAll(file);
  const std::string sums = d.GetDay(10, kMay, 2024)->totalsLine;
  struct Case {
    const char* what;
    std::function<bool()> change;
  };
  const std::vector<Case> cases = {
      {"typed for the food", [&] { return d.ChangeEntryAmount(10, kMay, 2024, 0, -200); }},
      {"a recipe calculated anew",
       [&] { return d.TakeRecipeRecalculation(10, kMay, 2024, 1, -2); }},
  };
  for (const Case& c : cases) {
    env.messages.shown.clear();
    EXPECT_FALSE(c.change()) << c.what;
    ASSERT_EQ(env.messages.shown.size(), 1u) << c.what;
    EXPECT_EQ(env.messages.shown[0].text, GetLangText(1023)) << c.what;
    EXPECT_DOUBLE_EQ(d.GetDayEntry(10, kMay, 2024, 0)->amount, 100) << c.what;
    EXPECT_DOUBLE_EQ(d.GetDayEntry(10, kMay, 2024, 1)->amount, 1) << c.what;
    EXPECT_EQ(d.GetDay(10, kMay, 2024)->totalsLine, sums) << c.what;
    EXPECT_EQ(ReadAll(file), before) << c.what;
  }
}

// The recipe total the calculation holds goes into the entry for the amount asked, and the day
// and its file follow at once.
TEST(DiaryMonths, ARecipeCalculatedAnewIsTakenForItsAmount) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  const int32_t salad = env.SaladRecipe();
  ASSERT_TRUE(d.AddRecipeToDay(10, kMay, 2024, env.store.BookId(), salad));
  ASSERT_TRUE(env.calc.LoadRecipeForCalc(env.store.BookId(), salad));
  env.calc.LoadLineFoods();
  env.calc.RecalcAllLines();
  EXPECT_FALSE(d.TakeRecipeRecalculation(10, kMay, 2024, 1, 2));  // no such entry
  ASSERT_TRUE(d.TakeRecipeRecalculation(10, kMay, 2024, 0, 2));
  const int kcal = env.table.StoffIndexOfCode("GCAL");
  // Four servings of 134 kcal: two servings are 67.
  EXPECT_DOUBLE_EQ(d.GetDayEntry(10, kMay, 2024, 0)->amount, 2);
  EXPECT_EQ(d.GetDayEntry(10, kMay, 2024, 0)->food.Value(kcal), "67,00");
  EXPECT_EQ(d.GetDay(10, kMay, 2024)->dayValues.Value(kcal), "67,00");
  d.UnloadAllMonths();
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));
  EXPECT_DOUBLE_EQ(d.GetDayEntry(10, kMay, 2024, 0)->amount, 2);
}

TEST(DiaryMonths, ReadingMonthFiles) {
  struct Case {
    const char* what;
    std::string body;  // after the two header lines
    bool result;
    std::vector<std::pair<int, size_t>> days;  // day, entries
  };
  const std::string food =
      "#BC#0#0#96.000000#Gramm#100.000000#100.000000#Spinat\r\n"
      "G101000;Spinat;;91,4;23;96\r\n";
  const Case cases[] = {
      {"two days",
       "03#C0001\r\n|;1\r\n" + food + "12#C0002\r\n|;1\r\n" + food + food,
       true,
       {{3, 1}, {12, 2}}},
      {"a day line without entries gives no day",
       "03#C0000\r\n|;0\r\n12#C0001\r\n" + food,
       true,
       {{12, 1}}},
      {"five '#' after the flags",
       "03#C0001\r\n" + food + "04#C0001\r\n#BC#0#0#96#Gramm#100\r\n",
       false,
       {{3, 1}}},
      {"no '#' after the flags", "03#C0001\r\n" + food + "04#C0001\r\n#BC0#0\r\n", false, {{3, 1}}},
      {"a nutrient line without ';' as 8th character",
       "03#C0001\r\n" + food + "04#C0001\r\n#BC#0#0#1#g#1#1#X\r\nG1010;1\r\n",
       false,
       {{3, 1}}},
      {"a short day line", "03#C0001\r\n" + food + "4#\r\n" + food, false, {{3, 1}}},
      {"an entry before any day", food, false, {}},
      {"a name holding '#'",
       "07#C0001\r\n#BC#0#0#1#g#1#1#Salat #2\r\nG101000;x\r\n",
       true,
       {{7, 1}}},
  };
  for (const Case& c : cases) {
    DiaryEnv env;
    env.WritePersons({"Anna"});
    WriteAll(env.MonthFile("Anna", "m052024.dat"), "# TAVOLIN V02.01 05/2024\r\n#\r\n" + c.body);
    TENApplogMod& d = env.Start();
    EXPECT_EQ(d.LoadMonth(kMay, 2024), c.result) << c.what;
    std::vector<std::pair<int, size_t>> days;
    for (const ENDAY& day : d.GetMonth(kMay, 2024)->days)
      days.emplace_back(day.day, day.entries.size());
    EXPECT_EQ(days, c.days) << c.what;
  }
  // Only the prefix of line 1 counts; a file without it is no month file.
  for (const char* head : {"# TAVOLIN V09.99 01/1999", "xx # TAVOLIN V", "# TAVOLIN 02.01"}) {
    DiaryEnv env;
    env.WritePersons({"Anna"});
    WriteAll(env.MonthFile("Anna", "m052024.dat"),
             std::string(head) + "\r\n#\r\n03#C0001\r\n" + food);
    TENApplogMod& d = env.Start();
    const bool accepted = std::string(head).find("# TAVOLIN V") != std::string::npos;
    EXPECT_EQ(d.LoadMonth(kMay, 2024), accepted) << head;
    EXPECT_EQ(d.GetMonth(kMay, 2024)->days.size(), accepted ? 1u : 0u) << head;
  }
  // A name's '#' stays, the unit of the entry, the book as 16 bits.
  DiaryEnv env;
  env.WritePersons({"Anna"});
  WriteAll(env.MonthFile("Anna", "m052024.dat"),
           "# TAVOLIN V02.01 05/2024\r\n#\r\n07#N0001\r\n|\r\n"
           "#RN#65533#12#1.5#Teller#2.000000#4.000000#Salat #2\r\n>RezSum;0;0;0;4;10\r\n");
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));
  const ENENTRY* e = d.GetDayEntry(7, kMay, 2024, 0);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->name, "Salat #2");
  EXPECT_EQ(static_cast<int16_t>(e->book), -3);
  EXPECT_EQ(e->recipeNumber, 12);
  EXPECT_EQ(e->food.Value(5), "5,00");  // 10 for 4 servings, 2 eaten
  EXPECT_DOUBLE_EQ(e->energy, 5);
  EXPECT_TRUE(e->foodKey.empty());
}

TEST(DiaryMonths, ADamagedMonthIsNeverWrittenOver) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  const std::string file = env.MonthFile("Anna", "m052024.dat");
  const std::string bytes =
      "# TAVOLIN V02.01 05/2024\r\n#\r\n03#C0001\r\n|;1\r\n"
      "#BC#0#0#96.000000#Gramm#100.000000#100.000000#Spinat\r\nG101000;Spinat;;91,4;23;96\r\n"
      "12#C0001\r\n#BC#0#0#96#Gramm#100\r\nG101000;Spinat\r\n20#C0001\r\n";
  WriteAll(file, bytes);
  TENApplogMod& d = env.Start();
  EXPECT_FALSE(d.LoadMonth(kMay, 2024));
  EXPECT_EQ(d.IsMonthLoaded(kMay, 2024), 1);
  EXPECT_TRUE(d.SaveAllMonths());  // nothing changed: nothing to say
  EXPECT_TRUE(env.messages.shown.empty());
  // A change is kept in memory but the file is not replaced by the part that was read.
  EXPECT_TRUE(d.AddFoodToDay(5, kMay, 2024, "G101000"));
  EXPECT_EQ(ReadAll(file), bytes);
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_NE(env.messages.shown[0].text.find(GetLangText(890).substr(0, 18)), std::string::npos);
  EXPECT_NE(env.messages.shown[0].text.find("m052024.dat"), std::string::npos);
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
  EXPECT_EQ(d.GetMonth(kMay, 2024)->days.size(), 2u);  // 3 as read, 5 as added
}

// A month of four meals a day, each of three foods and a recipe, over 28 days (75 KB, more
// than 64 KB) and a read error at each of the file's reads in turn: the part before the error is no
// whole month. The next change of the month leaves the file as it was and says so, instead of
// writing it without the days that were not read.
TEST(DiaryMonths, AMonthWithAReadErrorIsNeverWrittenOver) {
  DiaryEnv env;
  const int32_t salad = env.SaladRecipe();
  env.WritePersons({"Anna"});
  const std::string file = env.MonthFile("Anna", "m022024.dat");
  constexpr int kFebruary = 1;
  {
    // One day as the diary writes it, then the same meals on every day of the month.
    TENApplogMod& d = env.Start();
    for (int meal = 0; meal < 4; ++meal) {
      for (const char* key : {"G101000", "H102000", "K101000"})
        ASSERT_TRUE(d.AddFoodToDay(1, kFebruary, 2024, key));
      ASSERT_TRUE(d.AddRecipeToDay(1, kFebruary, 2024, env.store.BookId(), salad));
    }
  }
  const std::string oneDay = ReadAll(file);
  const size_t dayStart = oneDay.find("\r\n01#") + 2;
  std::string bytes = oneDay.substr(0, dayStart);
  for (int day = 1; day <= 28; ++day)
    bytes += (day < 10 ? "0" : "") + std::to_string(day) + oneDay.substr(dayStart + 2);
  WriteAll(file, bytes);
  ASSERT_GT(bytes.size(), 1u << 16);
  int n = 1;
  for (;; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    TENApplogMod& d = env.Start();
    env.messages.shown.clear();
    test::NthReadFault fault(n, [&](const std::string& path) { return path == file; });
    const bool loaded = d.LoadMonth(kFebruary, 2024);
    fault.Off();
    if (!fault.Hit()) break;
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(d.AddFoodToDay(5, kFebruary, 2024, "G102000"));
    EXPECT_EQ(ReadAll(file), bytes);
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, FormatLangText(GetLangText(890), {file}));
  }
  EXPECT_GE(n, 5);  // opened, read in two blocks and to its end: each read failed once
  // Read whole, the same change is saved with every day.
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.LoadMonth(kFebruary, 2024));
  EXPECT_TRUE(d.AddFoodToDay(5, kFebruary, 2024, "G102000"));
  ASSERT_TRUE(d.LoadMonth(kFebruary, 2024));
  EXPECT_EQ(d.GetMonth(kFebruary, 2024)->days.size(), 28u);
  EXPECT_GT(ReadAll(file).size(), bytes.size());
  d.UnloadAllMonths();
  ASSERT_TRUE(d.LoadMonth(kFebruary, 2024));
  EXPECT_EQ(d.GetMonth(kFebruary, 2024)->days.size(), 28u);
  EXPECT_EQ(d.GetDay(5, kFebruary, 2024)->entries.size(), 17u);
}

TEST(DiaryMonths, ADaysSums) {
  DiaryEnv env;
  ENDAY day;
  auto entry = [](bool calculated, std::vector<std::string> values) {
    ENENTRY e;
    e.calculated = calculated;
    e.food.values = std::move(values);
    return e;
  };
  TENApplogMod& d = env.Start();
  // 12,5 + 7,5; a value that is no number leaves its sum alone; negative values count
  // nothing; the text columns (key, name, remark) are no sums even where they hold digits; a
  // record shorter than the table counts what it has.
  day.entries = {entry(true, {"G101000", "Spinat", "9252", "12,5", "abc", "3", "1.5"}),
                 entry(true, {"G102000", "7", "36144", "7,5", "2", "4x", "-1", "9"})};
  EXPECT_TRUE(d.CalcDaySums(&day));
  ASSERT_EQ(day.dayValues.values.size(), 145u);
  EXPECT_EQ(day.dayValues.values[0], "");
  EXPECT_EQ(day.dayValues.values[1], "");
  EXPECT_EQ(day.dayValues.values[2], "");
  EXPECT_EQ(day.dayValues.values[3], "20,00");
  EXPECT_EQ(day.dayValues.values[4], "2,00");
  EXPECT_EQ(day.dayValues.values[5], "3,00");
  EXPECT_EQ(day.dayValues.values[6], "1,50");
  EXPECT_EQ(day.dayValues.values[7], "9,00");
  EXPECT_EQ(day.dayValues.values[144], "0,00");
  EXPECT_EQ(day.totalsLine.substr(0, 19), ";;;20,00;2,00;3,00;");
  // One entry that is not calculated: 145 zeros.
  day.entries.push_back(entry(false, {"x", "1"}));
  EXPECT_FALSE(d.CalcDaySums(&day));
  EXPECT_FALSE(day.complete);
  std::string zeros = "0";
  for (int i = 1; i < 145; ++i) zeros += ";0";
  EXPECT_EQ(day.totalsLine, zeros);
}

TEST(DiaryMonths, TypedTextCannotMoveTheFieldsOfALine) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  ENENTRY e;
  e.day = 2;
  e.month = kMay;
  e.year = 2024;
  e.unit =
      "St#\xFC"
      "ck\r\n";
  e.name = "Brot #1\nmit Butter";
  e.nutrientLine = "X000000;1";
  e.calculated = true;
  d.AddEntry(e);
  EXPECT_TRUE(d.SaveAllMonths());
  d.UnloadAllMonths();
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));
  const ENENTRY* back = d.GetDayEntry(2, kMay, 2024, 0);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->unit,
            "St \xFC"
            "ck  ");
  EXPECT_EQ(back->name, "Brot #1 mit Butter");
}

TEST(DiaryMonths, NoPersonNoFiles) {
  DiaryEnv env;
  env.WriteUsers("#\r\n>N../Fremd\r\n#\r\n");
  ctx().options->SetParaString(61, "../Fremd");
  TENApplogMod& d = env.Start();
  EXPECT_EQ(d.GetActivePersonName(), "../Fremd");
  EXPECT_FALSE(d.LoadMonth(kMay, 2024));
  EXPECT_FALSE(d.AddFoodToDay(1, kMay, 2024, "G101000"));
  EXPECT_FALSE(EntryExists(env.DataFolder() + "Fremd"));
  EXPECT_FALSE(EntryExists(env.DataFolder() + "Konten"));
  // An unknown food adds nothing either.
  env.WritePersons({"Anna"});
  TENApplogMod& a = env.Start();
  EXPECT_FALSE(a.AddFoodToDay(1, kMay, 2024, "Z999000"));
  EXPECT_EQ(a.GetDay(1, kMay, 2024), nullptr);
}

// A child process saves a changed month and is killed at each step of the write; the month
// file is afterwards the old one or the new one, whole.
TEST(DiaryMonths, AKillDuringASaveLeavesTheOldOrTheNewMonth) {
  for (int step = 0; step <= 3; ++step) {
    DiaryEnv env;
    env.WritePersons({"Anna"});
    TENApplogMod& d = env.Start();
    for (int day = 1; day <= 28; ++day) ASSERT_TRUE(d.AddFoodToDay(day, kMay, 2024, "H102000"));
    const std::string file = env.MonthFile("Anna", "m052024.dat");
    const std::string old = ReadAll(file);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SetAtomicWriteStepHookForTest([step](int at) {
        if (at == step) raise(SIGKILL);
      });
      d.AddFoodToDay(29, kMay, 2024, "G101000");
      _exit(0);  // not reached when the kill happened
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "step " << step;
    if (step < 3) {
      EXPECT_EQ(ReadAll(file), old) << step;
    }
    TENApplogMod& again = env.Start();
    ASSERT_TRUE(again.LoadMonth(kMay, 2024)) << step;
    EXPECT_EQ(again.GetMonth(kMay, 2024)->days.size(), step < 3 ? 28u : 29u) << step;
  }
}

}  // namespace
}  // namespace tav
