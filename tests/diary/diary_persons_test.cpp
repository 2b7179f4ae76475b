#include <gtest/gtest.h>

#include "diary_env.h"
#include "platform/paths.h"

namespace tav {
namespace {

using test::DiaryEnv;
using test::ReadAll;
using test::WriteAll;

constexpr int kMay = 4;

TEST(DiaryPersons, ReadingUsersDat) {
  DiaryEnv env;
  env.WriteUsers(
      "#\r\n"
      ">NAnna\r\n>G05031970\r\n>W64\r\n>H168\r\n>SF\r\n>TJ\r\n>A40\r\n>F20\r\n>+M\r\n"
      ">C2100\r\n>M1900\r\n>PD\r\n>Q21\r\n"
      "VC#<12.5\r\nMFE#<12,5\r\nVB12#>3\r\nZUCKER7#>50\r\nZUCKER88#>50\r\nKEIN\r\nVD#\r\nVK#<\r\n"
      "#\r\n"
      ">NBert Maier\r\n>G1211\r\n>H181\r\n>SM\r\n>Xbeliebig\r\n>+C\r\n>PN\r\n"
      "#\r\n"
      ">NOhne Ende\r\n>W99\r\n");
  TENApplogMod& d = env.Start();
  ASSERT_EQ(d.persons.size(), 2u);  // a block without its closing '#' is dropped
  const ENPERSON& a = d.persons[0];
  EXPECT_EQ(a.name, "Anna");
  EXPECT_EQ(a.birthDay, 5);
  EXPECT_EQ(a.birthMonth, 3);
  EXPECT_EQ(a.birthYear, 1970);
  EXPECT_EQ(a.weight, 64);
  EXPECT_EQ(a.height, 168);
  EXPECT_EQ(a.sex, 'F');
  EXPECT_EQ(a.pregnancy, 'J');
  EXPECT_EQ(a.work, 40);
  EXPECT_EQ(a.sport, 20);
  EXPECT_TRUE(a.manualEnergyApplies);
  EXPECT_EQ(a.calculatedEnergy, 2100);
  EXPECT_EQ(a.manualEnergy, 1900);
  EXPECT_TRUE(a.diet);
  EXPECT_EQ(a.pointScore, 21);
  struct Row {
    std::string code;
    char alarm;
    double own;
  };
  const std::vector<Row> rows = {{"VC", '<', 12.5},    {"MFE", '<', 12.5}, {"VB12", '>', 3},
                                 {"ZUCKER7", '>', 50}, {"VD", '-', -1},    {"VK", '<', -1}};
  ASSERT_EQ(a.requirements.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(a.requirements[i].code, rows[i].code);
    EXPECT_EQ(a.requirements[i].alarm, rows[i].alarm) << rows[i].code;
    EXPECT_DOUBLE_EQ(a.requirements[i].own, rows[i].own) << rows[i].code;
    EXPECT_DOUBLE_EQ(a.requirements[i].standard, -1) << rows[i].code;  // no intake tables
    EXPECT_DOUBLE_EQ(a.requirements[i].effective, rows[i].own) << rows[i].code;
  }
  // The second block lacks tags: those carry over; diet, score, pregnancy and rows do not.
  const ENPERSON& b = d.persons[1];
  EXPECT_EQ(b.name, "Bert Maier");
  EXPECT_EQ(b.weight, 64);
  EXPECT_EQ(b.height, 181);
  EXPECT_EQ(b.sex, 'M');
  EXPECT_EQ(b.pregnancy, 'N');
  EXPECT_EQ(b.work, 40);
  EXPECT_FALSE(b.manualEnergyApplies);
  EXPECT_FALSE(b.diet);
  EXPECT_EQ(b.pointScore, 0);
  EXPECT_TRUE(b.requirements.empty());
  EXPECT_EQ(b.birthDay, 12);  // a short birth-date line gives what it holds
  EXPECT_EQ(b.birthMonth, 11);
  EXPECT_EQ(b.birthYear, 0);

  // The remembered person is not in the file: nobody is active.
  EXPECT_EQ(d.GetActivePersonName(), "");
}

TEST(DiaryPersons, WritingUsersDat) {
  DiaryEnv env;
  TENApplogMod& d = env.Start();
  ENPERSON p;
  p.name = "Anna\r\nZweite Zeile";
  p.birthDay = 5;
  p.birthMonth = 3;
  p.birthYear = 1970;
  p.weight = 64;
  p.height = 168;
  p.sex = 'F';
  p.pregnancy = 'S';
  p.work = 40;
  p.sport = 20;
  p.calculatedEnergy = 2100;
  p.manualEnergy = 0;
  p.manualEnergyApplies = false;
  p.diet = true;
  p.pointScore = 21;
  TAGESBEDARF own, standardOnly, none;
  own.code = "VC";
  own.alarm = '<';
  own.own = 12.5;
  standardOnly.code = "MFE";
  standardOnly.alarm = '>';
  standardOnly.standard = 30;
  none.code = "VD";
  p.requirements = {own, standardOnly, none};
  d.AddPerson(p);
  ASSERT_TRUE(d.WriteUsers());
  // Without intake tables read from StoffCalc.dat no standard is known: every row stays.
  EXPECT_EQ(ReadAll(env.DataFolder() + "Users.dat"),
            "#\r\n>NAnna  Zweite Zeile\r\n>G05031970\r\n>W64\r\n>H168\r\n>SF\r\n>TS\r\n>A40\r\n"
            ">F20\r\n>+C\r\n>C2100\r\n>M0\r\n>PD\r\n>Q21\r\nVC#<12.50\r\nMFE#>-1.00\r\n"
            "VD#--1.00\r\n#\r\n");
  // With the whole tables read, the row without any value (no own value, no table) is gone.
  WriteAll(env.DataFolder() + "StoffCalc.dat", "MFE#A999:10.000/15.000#\r\n");
  ASSERT_TRUE(env.intake.ReadStoffCalc());
  TENApplogMod& withTables = env.Start();
  ASSERT_TRUE(withTables.WriteUsers());
  TENApplogMod& again = env.Start();
  ASSERT_EQ(again.persons.size(), 1u);
  ASSERT_EQ(again.persons[0].requirements.size(), 2u);
  EXPECT_DOUBLE_EQ(again.persons[0].requirements[1].own, -1);

  // A file that cannot be written: message 891, the old file stays.
  const std::string before = ReadAll(env.DataFolder() + "Users.dat");
  again.persons[0].weight = 70;
  SetAtomicWriteFaultForTest(10);
  EXPECT_FALSE(again.WriteUsers());
  EXPECT_TRUE(test::ShownText(env.messages, 891));
  EXPECT_EQ(ReadAll(env.DataFolder() + "Users.dat"), before);
}

TEST(DiaryPersons, AgeGridAndNames) {
  ENPERSON p;
  p.birthDay = 5;
  p.birthMonth = 3;
  p.birthYear = 1970;
  EXPECT_EQ(TENApplogMod::PersonAgeOn(p, 4, 3, 2024), 53);
  EXPECT_EQ(TENApplogMod::PersonAgeOn(p, 5, 3, 2024), 54);
  EXPECT_EQ(TENApplogMod::PersonAgeOn(p, 31, 12, 2023), 53);
  EXPECT_EQ(TENApplogMod::PersonAgeOn(p, 1, 2, 2024), 53);
  p.birthDay = 4;
  EXPECT_EQ(TENApplogMod::PersonAgeOn(p, 4, 3, 2024), 54);

  DiaryEnv env;
  env.WritePersons({"Anna", "Bert"});
  TENApplogMod& d = env.Start();
  TextGrid grid;
  d.FillPersonGrid(grid);
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.Cell(0, 1), "Anna");
  EXPECT_EQ(grid.Cell(1, 1), "5.3.1970");
  EXPECT_EQ(grid.Cell(0, 2), "Bert");
  EXPECT_EQ(d.PersonNames(), (std::vector<std::string>{"Anna", "Bert"}));
  ENPERSON* found = nullptr;
  EXPECT_FALSE(d.FindPerson("anna", &found));  // names are compared exactly
  EXPECT_EQ(found, nullptr);
  ASSERT_TRUE(d.FindPerson("Bert", &found));
  EXPECT_EQ(found->name, "Bert");

  d.persons.clear();
  d.FillPersonGrid(grid);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(0, 1), "");
  EXPECT_EQ(grid.Cell(1, 1), "");
}

TEST(DiaryPersons, StartSelectsTheRememberedPersonAndItsWeightLog) {
  DiaryEnv env;
  env.WritePersons({"Anna", "Bert"});
  ctx().options->SetParaString(61, "Bert");
  WriteAll(env.PersonDir("Bert") + "Weight.dat", "05012024:073081,5#\r\n");
  int notified = 0;
  TENApplogMod& d = env.Start();
  d.AddDiaryListener([&] { ++notified; });
  EXPECT_EQ(d.GetActivePersonName(), "Bert");
  ASSERT_EQ(d.weights.size(), 1u);
  EXPECT_EQ(d.weights[0].values[0], "81,5");
  d.SelectPerson("Anna");
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(ctx().options->Str(61), "Anna");
}

TEST(DiaryPersons, DeletingTheActivePersonSavesItsMonthsAndNamesTheNext) {
  DiaryEnv env;
  env.WritePersons({"Anna", "Bert", "Cora"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.AddFoodToDay(10, kMay, 2024, "G101000"));
  d.AddWeightEntryAt(10, kMay, 2024, 7, 30);
  d.SetWeightValue(0, 0, "64");
  d.MarkMonthDirty(kMay, 2024);
  // Another person's removal leaves the active one alone.
  d.DeletePerson("Cora");
  EXPECT_EQ(d.GetActivePersonName(), "Anna");
  EXPECT_EQ(d.months.size(), 1u);

  d.DeletePerson("Anna");
  EXPECT_EQ(d.GetActivePersonName(), "Bert");
  EXPECT_EQ(ctx().options->Str(61), "Bert");
  EXPECT_TRUE(d.months.empty());
  EXPECT_TRUE(d.weights.empty());
  EXPECT_NE(ReadAll(env.MonthFile("Anna", "m052024.dat")).find("Spinat"), std::string::npos);
  EXPECT_NE(ReadAll(env.MonthFile("Anna", "Weight.dat")).find("64"), std::string::npos);
  // Bert's diary starts empty, and nothing of Anna's lands in his folder.
  ASSERT_TRUE(d.LoadMonth(kMay, 2024));
  EXPECT_EQ(d.GetDay(10, kMay, 2024), nullptr);

  // The last person goes: nobody active, the views close.
  int closed = 0;
  d.hooks.closeDiaryViews = [&] { ++closed; };
  d.DeletePerson("Bert");
  EXPECT_EQ(d.GetActivePersonName(), "");
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(ctx().options->Str(61), "Bert");  // option 61 keeps the name
  EXPECT_TRUE(d.months.empty());
}

TEST(DiaryPersons, CheckPersonExistsAndTheRequirements) {
  DiaryEnv env;
  TENApplogMod& d = env.Start();
  int listShown = 0;
  d.hooks.showPersonList = [&] { ++listShown; };
  EXPECT_FALSE(d.CheckPersonExists());
  EXPECT_EQ(listShown, 1);
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(443));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(2));
  // The person list creates one: now there is one (no one is made active here).
  d.hooks.showPersonList = [&] {
    ENPERSON p;
    p.name = "Neu";
    d.AddPerson(p);
  };
  EXPECT_TRUE(d.CheckPersonExists());
  EXPECT_EQ(d.GetActivePersonName(), "");
  double value = 7;
  char alarm = 'x';
  EXPECT_FALSE(d.GetDailyRequirement("VC", value, alarm));
  EXPECT_DOUBLE_EQ(value, 7);

  // Requirements: own wins, else the intake tables' value, else none.
  env.intake.tables = {{"VC", "", {{999, 90, 75}}}, {"MFE", "", {{999, -1, 15}}}};
  ENPERSON p;
  p.name = "Anna";
  p.sex = 'M';
  p.birthYear = 1980;
  p.requirements = {{"VC", -1, 100, -1, '<'},
                    {"VC", -1, -1, -1, '>'},
                    {"MFE", -1, -1, -1, '<'},
                    {"ZZZ", 5, -1, -1, '-'}};
  d.AddPerson(p);
  d.UpdateRequirements();
  const ENPERSON& a = d.persons.back();
  EXPECT_DOUBLE_EQ(a.requirements[0].standard, 90);
  EXPECT_DOUBLE_EQ(a.requirements[0].effective, 100);
  EXPECT_DOUBLE_EQ(a.requirements[1].effective, 90);
  EXPECT_DOUBLE_EQ(a.requirements[2].standard, -1);  // men have no MFE value here
  EXPECT_DOUBLE_EQ(a.requirements[2].effective, -1);
  EXPECT_DOUBLE_EQ(a.requirements[3].effective, -1);
  d.SelectPerson("Anna");
  ASSERT_TRUE(d.GetDailyRequirement("VC", value, alarm));
  EXPECT_DOUBLE_EQ(value, 100);  // the first row of the code
  EXPECT_EQ(alarm, '<');
  int edited = 0;
  d.hooks.showPersonDialog = [&](ENPERSON* person) { edited += person->name == "Anna"; };
  d.EditActivePerson();
  EXPECT_EQ(edited, 1);
}

}  // namespace
}  // namespace tav
