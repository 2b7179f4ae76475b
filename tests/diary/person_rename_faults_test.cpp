// A person's rename killed before any one file change, and persons whose stored names would
// lead out of "Konten": the diary always finds the person's months and weights under the name
// Users.dat gives, and nothing outside "Konten" moves.
#include <gtest/gtest.h>

#include <filesystem>

#include "diary/diary_env.h"
#include "diary/person_store.h"
#include "recipedb/kill_points.h"

namespace tav {
namespace {

using test::DiaryEnv;
using test::ReadAll;

PersonForm Form(const std::string& name) {
  PersonForm f;
  f.name = name;
  f.birthDate = "5.3.1970";
  f.height = "170";
  f.weight = "70";
  f.female = true;
  return f;
}

int Rename(TENApplogMod& d, const std::string& from, const std::string& to) {
  ENPERSON* p = nullptr;
  if (!d.FindPerson(from, &p)) return -1;
  PersonEditState state{p, false, from};
  PersonField focus = PersonField::None;
  return StorePersonForm(d, state, Form(to), focus);
}

// Anna with a month of the diary and a weight entry, Bert without a folder.
struct AnnaWithDiary : DiaryEnv {
  AnnaWithDiary() {
    WritePersons({"Anna", "Bert"});
    TENApplogMod& d = Start();
    EXPECT_TRUE(d.AddFoodToDay(10, 4, 2024, "G101000"));
    d.AddWeightEntryAt(10, 4, 2024, 8, 15);
    EXPECT_TRUE(d.WriteWeightList());
    diary.reset();
  }
  // The one of the two names Users.dat holds, read through a fresh start of the diary: its
  // month and its weight are there, under its own folder.
  std::string ExpectWholePerson() {
    TENApplogMod& d = Start();
    ENPERSON* p = nullptr;
    const bool anna = d.FindPerson("Anna", &p), annika = d.FindPerson("Annika", &p);
    EXPECT_NE(anna, annika) << "exactly one of the two names";
    const std::string name = annika ? "Annika" : "Anna";
    d.SwitchPerson(name);
    EXPECT_TRUE(d.LoadMonth(4, 2024));
    const ENDAY* day = d.GetDay(10, 4, 2024);
    EXPECT_TRUE(day && day->entries.size() == 1u) << name << ": the month reads empty";
    GEWICHTLIST* w = nullptr;
    EXPECT_TRUE(d.GetWeightEntry(0, &w)) << name << ": the weights read empty";
    EXPECT_FALSE(std::filesystem::exists(DataFolder() + "Users.ren"));
    for (const auto& e : std::filesystem::directory_iterator(DataFolder() + "Konten"))
      EXPECT_EQ(e.path().filename().string(), name) << "a folder no person owns";
    return name;
  }
};

TEST(PersonRenameFaults, AKilledRenameLeavesThePersonWholeAndRenamableAgain) {
  test::ForEachKillPoint<AnnaWithDiary>(
      [](AnnaWithDiary& env) {
        return [&env] {
          TENApplogMod& d = env.Start();
          Rename(d, "Anna", "Annika");
        };
      },
      [](AnnaWithDiary& env, int step) {
        const std::string name = env.ExpectWholePerson();
        if (step < 0) {
          EXPECT_EQ(name, "Annika");
        }
        // The rename can be done (or undone) now.
        const std::string other = name == "Anna" ? "Annika" : "Anna";
        EXPECT_EQ(Rename(*env.diary, name, other), 0);
        EXPECT_TRUE(std::filesystem::exists(env.MonthFile(other, "m052024.dat")));
      });
}

// A hand-edited or restored Users.dat: names that would lead out of "Konten".
TEST(PersonRenameFaults, AStoredNameLeadingOutOfKontenIsDamagedAndNeverMoved) {
  const char* hostile[] = {"../DE", "..\\DE", "..", "."};
  for (const char* stored : hostile) {
    SCOPED_TRACE(stored);
    DiaryEnv env;
    test::WriteAll(env.DataFolder() + "DE/GUI.klf.probe", "language folder");
    env.WritePersons({"Anna", stored});
    TENApplogMod& d = env.Start();
    // Read, kept, and named as damaged once.
    ASSERT_EQ(d.persons.size(), 2u);
    ASSERT_FALSE(env.messages.shown.empty());
    EXPECT_EQ(env.messages.shown.back().text,
              GetLangText(1070) + "\"" + stored + "\"");
    env.messages.shown.clear();
    EXPECT_EQ(Rename(d, stored, "Neu"), 1069);
    EXPECT_EQ(env.messages.shown.back().text, GetLangText(1069) + stored);
    EXPECT_EQ(ReadAll(env.DataFolder() + "DE/GUI.klf.probe"), "language folder");
    EXPECT_FALSE(std::filesystem::exists(env.DataFolder() + "Konten/Neu"));
    EXPECT_NE(ReadAll(env.DataFolder() + "Users.dat").find(std::string(">N") + stored),
              std::string::npos);
  }
}

// A link named like the person in Konten is no folder of its own: the rename moves nothing.
TEST(PersonRenameFaults, ALinkInPlaceOfThePersonsFolderIsNotMoved) {
  DiaryEnv env;
  env.WritePersons({"Anna"});
  std::filesystem::create_directories(env.DataFolder() + "Konten");
  std::filesystem::create_directory_symlink(env.DataFolder() + "DE",
                                            env.DataFolder() + "Konten/Anna");
  TENApplogMod& d = env.Start();
  EXPECT_EQ(Rename(d, "Anna", "Annika"), 895);
  EXPECT_TRUE(std::filesystem::is_symlink(env.DataFolder() + "Konten/Anna"));
  EXPECT_FALSE(std::filesystem::exists(env.DataFolder() + "Konten/Annika"));
  EXPECT_TRUE(std::filesystem::is_directory(env.DataFolder() + "DE"));
}

}  // namespace
}  // namespace tav
