// Start-up with damaged, missing or unwritable files, offscreen with scripted message boxes: what
// the user is told, that the program ends where it cannot work, and that no file is destroyed
// without a copy.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <functional>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "platform/charset.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/startup_texts.h"
#include "services/text_tools.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::Fixture;
using test::ReadAll;
using test::WriteAll;

// A program folder without "Data" and a data root with the shipped data files (as the install
// step leaves them), the current book "Musterbuch" (the fixture book) and German as the
// language.
class StartupFaults : public ::testing::Test {
 protected:
  explicit StartupFaults(const std::string& rootParent = std::string()) : env(rootParent) {}
  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();

  void SetUp() override {
    SetProgramFolder(program.Path());
    const std::filesystem::path shipped = std::string(TAVOLIN_SHIPPED_DATA) + "/Data";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(shipped)) {
      const std::string relative = std::filesystem::relative(entry.path(), shipped).string();
      if (entry.is_regular_file() && relative.find("Help") == std::string::npos)
        WriteAll(env.DataFolder() + relative, ReadAll(entry.path().string()));
    }
    // The page templates the text/HTML view (the first view shown) writes its pages from.
    for (const char* name : {"ViewTPL.html", "QViewTPL.html", "IndexTPL.html"})
      WriteAll(env.Root() + "HTML/" + name,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/HTML/" + name));
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    InstallBook("Musterbuch", "sound_book");
    env.userSettings.WriteString(kRegParam, "KBook", "Musterbuch");
  }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
  }
  // The fixture files of a book (`prefix` + extension), each replaceable by another fixture.
  void InstallBook(const std::string& name, const std::string& prefix,
                   const std::string& idx = std::string(), const std::string& bok = std::string(),
                   const std::string& inf = std::string()) {
    WriteAll(env.DataFolder() + name + ".bok",
             ReadAll(Fixture(bok.empty() ? prefix + ".bok" : bok)));
    WriteAll(env.DataFolder() + name + ".idx",
             ReadAll(Fixture(idx.empty() ? prefix + ".idx" : idx)));
    WriteAll(env.DataFolder() + name + ".inf",
             ReadAll(Fixture(inf.empty() ? prefix + ".inf" : inf)));
  }
  bool Start() {
    const bool started = StartProgram();
    QApplication::processEvents();
    return started;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& m : env.messages.shown) out.push_back(m.text);
    return out;
  }
};

TEST_F(StartupFaults, AMissingEmptyOrCutLanguageFileEndsTheProgramWithAMessageInBothLanguages) {
  const std::string file = env.DataFolder() + "DE/GUI.klf";
  const std::string whole = ReadAll(file);
  struct Case {
    const char* what;
    LanguageFileFault fault;
    std::function<void()> damage;
  } cases[] = {
      {"missing", LanguageFileFault::kMissing, [&] { RemoveFile(file); }},
      {"empty", LanguageFileFault::kEmpty, [&] { WriteAll(file, ""); }},
      {"cut short", LanguageFileFault::kDamaged,
       [&] { WriteAll(file, whole.substr(0, whole.size() / 3)); }},
      {"no language file", LanguageFileFault::kDamaged,
       [&] { WriteAll(file, ReadAll(Fixture("sound_book.bok"))); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.damage();
    env.messages.shown.clear();
    env.exitCode = -1;
    EXPECT_FALSE(Start());
    ASSERT_EQ(env.messages.shown.size(), 1u);
    const std::string text = env.messages.shown[0].text;
    EXPECT_EQ(text, LanguageFileFaultText(c.fault, file));
    EXPECT_EQ(env.messages.shown[0].title, "Tavolin");
    EXPECT_NE(text.find(Utf8ToCp1252("Die Sprachdatei „" + file + "“")), std::string::npos);
    EXPECT_NE(text.find("The language file \"" + file + "\""), std::string::npos);
    EXPECT_EQ(text.find('{'), std::string::npos);
    EXPECT_EQ(env.exitCode, 1);
    EXPECT_EQ(MainFrm, nullptr);  // no window was made
  }
  // The English file is asked for when the language is English, and a sound one starts.
  WriteAll(file, whole);
  env.messages.shown.clear();
  EXPECT_TRUE(Start());
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(StartupFaults, WithoutADataRootTheProgramSaysWhereItLookedAndEnds) {
  const std::string workingData = std::filesystem::current_path().string() + "/Data";
  const bool hadWorkingData = EntryExists(workingData);
  test::TempDir config;
  struct Case {
    const char* what;
    std::string machineFile;  // "" : no file
    const char* says;
  } cases[] = {
      {"garbled", ReadAll(Fixture("machine_settings_garbled.ini")),
       "ist beschädigt und nennt keinen Datenordner"},
      {"missing", "", "Die Datei fehlt."},
      {"pointing nowhere", "[" + std::string(kRegAppPaths) + "]\nDataPath=/nowhere/at/all/\n",
       "„/nowhere/at/all/“ gibt es nicht"},
      {"relative", "[" + std::string(kRegAppPaths) + "]\nDataPath=tavolin-data/\n",
       "ist kein vollständiger Pfad"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string ini = config.Path() + "machine.ini";
    RemoveFile(ini);
    if (!c.machineFile.empty()) WriteAll(ini, c.machineFile);
    IniSettingsStore machine(ini, true);
    ctx().machineSettings = &machine;
    env.messages.shown.clear();
    env.exitCode = -1;
    EXPECT_FALSE(Start());
    ctx().machineSettings = &env.machineSettings;
    ASSERT_EQ(env.messages.shown.size(), 1u);
    const std::string text = env.messages.shown[0].text;
    EXPECT_NE(text.find(Utf8ToCp1252(c.says)), std::string::npos) << text;
    EXPECT_NE(text.find(ini), std::string::npos);                      // where it looked
    EXPECT_NE(text.find(program.Path() + "Data"), std::string::npos);  // and there
    EXPECT_NE(text.find("Tavolin cannot find its data folder"), std::string::npos);
    EXPECT_EQ(env.exitCode, 1);
    EXPECT_EQ(MainFrm, nullptr);
    EXPECT_EQ(EntryExists(workingData), hadWorkingData);  // nothing made in the working folder
  }
}

TEST_F(StartupFaults, DamagedUserSettingsAreKeptSaidAndTheirBookOpened) {
  InstallBook("Omas Backbuch", "sound_book");
  test::TempDir config;
  const std::string file = config.Path() + "user.ini";
  const std::string damaged = ReadAll(Fixture("user_settings_zero_filled_block.ini"));
  WriteAll(file, damaged);
  IniSettingsStore user(file, false);
  ctx().userSettings = &user;
  ASSERT_TRUE(Start());
  ctx().userSettings = &env.userSettings;
  // Told once, and no word of a lost book: the book the file names is open.
  EXPECT_EQ(Texts(),
            std::vector<std::string>{FormatLangText(GetLangText(832), {file, file + ".damaged"})});
  EXPECT_EQ(ReadAll(file + ".damaged"), damaged);
  EXPECT_EQ(MainFrm->windowTitle().toStdString(),
            "Tavolin!   Omas Backbuch (Familienrezepte von Oma Hildegard)");
  EXPECT_EQ(ChooseRezDlg->Count(), 5);
  EXPECT_EQ(user.Read(kRegParam, "KBook"), "Omas Backbuch");
}

TEST_F(StartupFaults, ADamagedIndexIsSaidAndRebuiltOnRequestKeepingACopy) {
  for (const char* fixture : {"index_cut_inside_an_entry.idx", "index_with_garbage_entries.idx",
                              "index_counter_past_the_end.idx", "index_header_broken.idx"}) {
    SCOPED_TRACE(fixture);
    DestroyAllWindows();
    InstallBook("Musterbuch", "sound_book", fixture);
    env.messages.shown.clear();
    env.messages.answers = {IDYES};
    ASSERT_TRUE(Start());
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text,
              GetLangText(36) + "\n\n" + FormatLangText(GetLangText(830), {"Musterbuch"}));
    EXPECT_EQ(env.messages.shown[0].title, GetLangText(17));
    EXPECT_EQ(ReadAll(env.DataFolder() + "Musterbuch.idx.damaged"), ReadAll(Fixture(fixture)));
    EXPECT_EQ(ChooseRezDlg->Count(), 5);
    RemoveFile(env.DataFolder() + "Musterbuch.idx.damaged");
  }
}

TEST_F(StartupFaults, ADamagedRecordFileIsSaidOnceWhenItsRecipesAreShown) {
  InstallBook("Musterbuch", "sound_book", "", "records_overwritten_in_a_record.bok");
  const std::string bok = ReadAll(env.DataFolder() + "Musterbuch.bok");
  ASSERT_TRUE(Start());
  EXPECT_TRUE(env.messages.shown.empty());
  ASSERT_EQ(ChooseRezDlg->Count(), 5);
  for (int pass = 0; pass < 2; ++pass)
    for (int row = 0; row < ChooseRezDlg->Count(); ++row) {
      ChooseRezDlg->SelectOnly(row);
      ChooseRezDlg->ShowSelectedRecipe(true);
    }
  EXPECT_EQ(Texts(), std::vector<std::string>{FormatLangText(GetLangText(831), {"Musterbuch"})});
  EXPECT_EQ(ReadAll(env.DataFolder() + "Musterbuch.bok"), bok);
}

TEST_F(StartupFaults, ADamagedDescriptionFileIsKeptBeforeItIsWrittenAnew) {
  for (const char* fixture : {"description_empty.inf", "description_book_id_garbled.inf"}) {
    SCOPED_TRACE(fixture);
    DestroyAllWindows();
    InstallBook("Musterbuch", "sound_book", "", "", fixture);
    RemoveFile(env.DataFolder() + "Musterbuch.inf.damaged");
    env.messages.shown.clear();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_EQ(ReadAll(env.DataFolder() + "Musterbuch.inf.damaged"), ReadAll(Fixture(fixture)));
    EXPECT_EQ(ChooseRezDlg->Count(), 5);
  }
}

TEST_F(StartupFaults, ABookCopiedFromWindowsWithUpperCaseExtensionsOpens) {
  for (const char* ext : {".bok", ".idx", ".inf"})
    RemoveFile(env.DataFolder() + "Musterbuch" + ext);
  WriteAll(env.DataFolder() + "Musterbuch.BOK", ReadAll(Fixture("sound_book.bok")));
  WriteAll(env.DataFolder() + "Musterbuch.IDX", ReadAll(Fixture("sound_book.idx")));
  WriteAll(env.DataFolder() + "Musterbuch.INF", ReadAll(Fixture("sound_book.inf")));
  ASSERT_TRUE(Start());
  EXPECT_TRUE(env.messages.shown.empty());
  EXPECT_EQ(ChooseRezDlg->Count(), 5);
  EXPECT_EQ(MainFrm->windowTitle().toStdString(),
            "Tavolin!   Musterbuch (Familienrezepte von Oma Hildegard)");
  for (const char* ext : {".bok", ".idx", ".inf"})
    EXPECT_FALSE(EntryExists(env.DataFolder() + "Musterbuch" + ext)) << ext;
}

// The data root on a tmpfs that is made read-only once it is filled.
class ReadOnlyStartup : public StartupFaults {
 protected:
  static test::TmpfsMount& Disk() {
    static test::TmpfsMount disk(16 << 20);
    return disk;
  }
  ReadOnlyStartup() : StartupFaults(Disk().Mounted() ? Disk().Path() : std::string()) {}
};

TEST_F(ReadOnlyStartup, FoldersThatCannotBeWrittenAreSaidOnceAtStart) {
  if (!Disk().Mounted()) GTEST_SKIP() << Disk().SkipReason();
  test::TmpfsMount configDisk(1 << 20);
  ASSERT_TRUE(configDisk.Mounted());
  ASSERT_TRUE(Disk().MakeReadOnly());
  ASSERT_TRUE(configDisk.MakeReadOnly());
  IniSettingsStore user(configDisk.Path() + "user.ini", false);
  ctx().userSettings = &user;
  ASSERT_TRUE(Start());
  ctx().userSettings = &env.userSettings;
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, FormatLangText(GetLangText(834), {env.DataFolder()}) +
                                            "\n\n" +
                                            FormatLangText(GetLangText(835), {configDisk.Path()}));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(17));
  EXPECT_EQ(ChooseRezDlg->Count(), 5);  // the book is read all the same
}

}  // namespace
}  // namespace tav
