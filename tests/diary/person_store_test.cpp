// Storing the person dialog's first page: a new person with its rows and folder, renames that
// move the folder, and the names and dates that are refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "diary/diary_env.h"
#include "diary/person_store.h"

namespace tav {
namespace {

using test::DiaryEnv;
using test::ReadAll;

PersonForm Form(const std::string& name) {
  PersonForm f;
  f.name = name;
  f.birthDate = "7.9.1985";
  f.height = "168";
  f.weight = "61,5";
  f.female = true;
  f.pregnancyItem = 2;
  f.work = 40;
  f.sport = 10;
  f.ownStars = "21";
  return f;
}

// The message shown last starts with the text of that number.
bool LastMessageIs(const DiaryEnv& env, int id) {
  return !env.messages.shown.empty() &&
         env.messages.shown.back().text.rfind(GetLangText(id), 0) == 0;
}

TEST(PersonStore, ANewPersonGetsItsRowsItsFolderAndBecomesActive) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  TENApplogMod& d = env.Start();
  ENPERSON temporary;
  temporary.name.clear();
  PersonEditState state{&temporary, true, ""};
  PersonField focus = PersonField::None;
  ASSERT_EQ(StorePersonForm(d, state, Form("  Carla "), focus), 0);
  EXPECT_FALSE(state.isNew);
  ASSERT_NE(state.person, &temporary);  // from now on the stored record
  EXPECT_EQ(state.person->name, "Carla");
  EXPECT_EQ(state.person->sex, 'F');
  EXPECT_EQ(state.person->pregnancy, 'S');
  EXPECT_EQ(state.person->weight, 61);
  EXPECT_EQ(state.person->birthMonth, 9);
  EXPECT_EQ(state.person->pointScore, 21);
  ASSERT_EQ(state.person->requirements.size(), 15u);
  EXPECT_EQ(state.person->requirements[0].code, "ZW");
  EXPECT_EQ(state.person->requirements[0].alarm, '-');
  EXPECT_EQ(state.person->requirements[14].code, "MJ");
  EXPECT_EQ(state.person->requirements[14].alarm, '<');
  EXPECT_EQ(d.GetActivePersonName(), "Carla");
  EXPECT_TRUE(std::filesystem::is_directory(env.PersonDir("Carla")));
  const std::string users = ReadAll(env.DataFolder() + "Users.dat");
  EXPECT_NE(users.find(">NCarla\r\n"), std::string::npos);
  EXPECT_NE(users.find(">G07091985"), std::string::npos);
}

TEST(PersonStore, RenamesMoveTheFolderFromTheLastStoredName) {
  DiaryEnv env;
  env.WritePersons({"Anna", "Bert"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.AddFoodToDay(10, 4, 2024, "G101000"));  // Anna's month file
  ENPERSON* anna = nullptr;
  ASSERT_TRUE(d.FindPerson("Anna", &anna));
  PersonEditState state{anna, false, "Anna"};
  PersonField focus = PersonField::None;
  ASSERT_EQ(StorePersonForm(d, state, Form("Annika"), focus), 0);
  EXPECT_TRUE(std::filesystem::exists(env.MonthFile("Annika", "m052024.dat")));
  EXPECT_FALSE(std::filesystem::exists(env.PersonDir("Anna")));
  EXPECT_EQ(d.GetActivePersonName(), "Annika");  // the active person follows its name
  ASSERT_EQ(StorePersonForm(d, state, Form("Anni"), focus), 0);
  EXPECT_TRUE(std::filesystem::exists(env.MonthFile("Anni", "m052024.dat")));
  EXPECT_FALSE(std::filesystem::exists(env.PersonDir("Annika")));
  // The loaded month now saves into the renamed folder.
  ASSERT_TRUE(d.AddFoodToDay(11, 4, 2024, "G102000"));
  EXPECT_NE(ReadAll(env.MonthFile("Anni", "m052024.dat")).find("Feldsalat"), std::string::npos);
  EXPECT_NE(ReadAll(env.DataFolder() + "Users.dat").find(">NAnni\r\n"), std::string::npos);
}

TEST(PersonStore, RefusedStoresChangeNothing) {
  DiaryEnv env;
  env.WritePersons({"Anna", "Bert"});
  TENApplogMod& d = env.Start();
  ASSERT_TRUE(d.AddFoodToDay(10, 4, 2024, "G101000"));
  std::filesystem::create_directories(env.PersonDir("Cleo"));  // left by a deleted person
  test::WriteAll(env.PersonDir("Cleo") + "m012020.dat", "old");
  const std::string usersBefore = ReadAll(env.DataFolder() + "Users.dat");
  struct Case {
    std::string name, birthDate;
    int message;
    PersonField focus;
  };
  const Case cases[] = {
      {"   ", "1.1.1980", 480, PersonField::Name},
      {"Bert", "1.1.1980", 446, PersonField::Name},  // renaming onto another person
      {"a/b", "1.1.1980", 896, PersonField::Name},
      {"..", "1.1.1980", 896, PersonField::Name},
      {"C:x", "1.1.1980", 896, PersonField::Name},
      {"Anna", "kein Datum", 447, PersonField::BirthDate},
      {"Anna", "1.13.1980", 447, PersonField::BirthDate},
      {"Cleo", "1.1.1980", 895, PersonField::Name},  // the folder cannot be moved there
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ENPERSON* anna = nullptr;
    ASSERT_TRUE(d.FindPerson("Anna", &anna));
    const ENPERSON before = *anna;
    PersonEditState state{anna, false, "Anna"};
    PersonForm form = Form(c.name);
    form.birthDate = c.birthDate;
    PersonField focus = PersonField::None;
    EXPECT_EQ(StorePersonForm(d, state, form, focus), c.message);
    EXPECT_EQ(focus, c.focus);
    EXPECT_TRUE(LastMessageIs(env, c.message));
    EXPECT_EQ(anna->name, "Anna");
    EXPECT_EQ(anna->weight, before.weight);
    EXPECT_EQ(state.previousName, "Anna");
  }
  EXPECT_EQ(ReadAll(env.DataFolder() + "Users.dat"), usersBefore);
  EXPECT_TRUE(std::filesystem::exists(env.MonthFile("Anna", "m052024.dat")));
  EXPECT_EQ(ReadAll(env.PersonDir("Cleo") + "m012020.dat"), "old");
  // A new person may not take a name either.
  ENPERSON temporary;
  PersonEditState fresh{&temporary, true, ""};
  PersonField focus = PersonField::None;
  EXPECT_EQ(StorePersonForm(d, fresh, Form("Anna"), focus), 446);
  EXPECT_EQ(d.persons.size(), 2u);
}

}  // namespace
}  // namespace tav
