#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "app/startup_files.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

TEST(MainWindowPlacement, ClampsToTheScreen) {
  struct Case {
    WindowPlacement stored;
    int screenW, screenH;
    WindowPlacement expected;
  };
  const Case cases[] = {
      // First start: never stored. Grown to 1024 x 700 so that menu bar and tool bar show whole,
      // as far as the screen allows.
      {{-1, 0, 640, 480, 0}, 1280, 1024, {0, 0, 1024, 700, 0}},
      {{-1, 0, 2000, 480, 0}, 1280, 1024, {0, 0, 1024, 700, 0}},
      {{-1, 0, 640, 900, 0}, 1280, 1024, {0, 0, 1024, 900, 0}},
      {{-1, 0, 640, 480, 0}, 800, 600, {0, 0, 800, 600, 0}},
      {{-1, 0, 640, 480, 0}, 600, 400, {0, 0, 600, 400, 0}},
      // A stored placement smaller than that stays as it is.
      {{0, 0, 640, 480, 0}, 1280, 1024, {0, 0, 640, 480, 0}},
      // Wider than the screen from its left edge: back to the edge with the screen's width.
      {{300, 10, 2000, 500, 2}, 1280, 1024, {0, 10, 1280, 500, 2}},
      // Exactly fitting stays.
      {{280, 24, 1000, 1000, 0}, 1280, 1024, {280, 24, 1000, 1000, 0}},
      // Height is compared on its own.
      {{50, 700, 800, 400, 0}, 1280, 1024, {50, 0, 800, 1024, 0}},
      {{900, 900, 800, 400, 0}, 1280, 1024, {0, 0, 1280, 1024, 0}},
  };
  for (const Case& c : cases) {
    const WindowPlacement got = ClampPlacement(c.stored, c.screenW, c.screenH);
    EXPECT_EQ(got, c.expected) << c.stored.x << "/" << c.stored.y << "/" << c.stored.w << "/"
                               << c.stored.h << " on " << c.screenW << "x" << c.screenH;
  }
}

TEST(MainWindowPlacement, ReadsDefaultsAndWritesDecimalText) {
  MemorySettingsStore s;
  EXPECT_EQ(ReadPlacement(s), (WindowPlacement{-1, 0, 640, 480, 0}));
  WritePlacement(s, {12, 34, 800, 600, 2});
  EXPECT_EQ(s.Read(kRegParam, "WinX"), "12");
  EXPECT_EQ(s.Read(kRegParam, "WinH"), "600");
  EXPECT_EQ(ReadPlacement(s), (WindowPlacement{12, 34, 800, 600, 2}));
  s.WriteString(kRegParam, "WinW", "abc");
  EXPECT_EQ(ReadPlacement(s).w, 640);
}

TEST(DefaultBook, EmptyDataFolderGetsTheDefaultBookAndItBecomesCurrent) {
  test::TestEnv env;
  ASSERT_TRUE(EnsureDefaultBook(env.DataFolder()));
  const std::string base = env.DataFolder() + "Tavolin-Rezepte mit Bildern";
  EXPECT_EQ(ReadAll(base + ".bok"), "TAVOLIN__1.01_DAT\r\n");
  EXPECT_EQ(ReadAll(base + ".bok").size(), 19u);
  EXPECT_EQ(ReadAll(base + ".inf"), "\r\n1\r\n");
  EXPECT_FALSE(FileExists(base + ".idx"));
  ChooseFirstStartBook(env.userSettings, env.DataFolder());
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KBook"), "Tavolin-Rezepte mit Bildern");
}

TEST(DefaultBook, ExistingBooksAreLeftAlone) {
  test::TestEnv env;
  WriteAll(env.DataFolder() + "Suppen.BOK", "x");
  ASSERT_TRUE(EnsureDefaultBook(env.DataFolder()));
  EXPECT_FALSE(FileExists(env.DataFolder() + "Tavolin-Rezepte mit Bildern.bok"));
  EXPECT_EQ(ReadAll(env.DataFolder() + "Suppen.BOK"), "x");
}

TEST(DefaultBook, UnwritableDataFolderFails) {
  test::TestEnv env;
  EXPECT_FALSE(EnsureDefaultBook(env.Root() + "missing/Data/"));
}

TEST(FirstStartBook, SeveralBooksWithoutKBookTakeTheFirstByName) {
  test::TestEnv env;
  for (const char* name : {"Zwiebeln.bok", "Backen.bok", "Rezepte.bok", "notes.txt"})
    WriteAll(env.DataFolder() + name, "TAVOLIN__1.01_DAT\r\n");
  ChooseFirstStartBook(env.userSettings, env.DataFolder());
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KBook"), "Backen");
}

TEST(FirstStartBook, OnlyOnAFirstStart) {
  test::TestEnv env;
  WriteAll(env.DataFolder() + "Rezepte.bok", "TAVOLIN__1.01_DAT\r\n");
  ChooseFirstStartBook(env.userSettings, env.DataFolder());
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KBook"), "Rezepte");
  env.userSettings.WriteString(kRegParam, "KBook", "Eigenes");
  ChooseFirstStartBook(env.userSettings, env.DataFolder());
  EXPECT_EQ(env.userSettings.Read(kRegParam, "KBook"), "Eigenes");
}

TEST(FirstStartBook, NoBookStoresNothing) {
  test::TestEnv env;
  ChooseFirstStartBook(env.userSettings, env.DataFolder());
  EXPECT_FALSE(env.userSettings.KeyExists(kRegParam));
}

TEST(DataFolder, CreatedWhenMissingOneLevel) {
  test::TestEnv env;
  const std::string root = env.Root() + "fresh/";
  MakeDirs(root);
  EnsureDataFolder(root);
  EXPECT_TRUE(DirExists(root + "Data"));
  EnsureDataFolder(env.Root() + "nothere/deeper/");
  EXPECT_FALSE(DirExists(env.Root() + "nothere"));
}

TEST(VersionFile, OneLineWithCrLf) {
  test::TempDir program;
  ASSERT_TRUE(WriteVersionFile(program.Path(), 1, 0, 2));
  EXPECT_EQ(ReadAll(program.Path() + "Version.txt"), "Tavolin: 1.02\r\n");
  EXPECT_FALSE(WriteVersionFile(program.Path() + "missing/", 1, 0, 2));
}

class PendingBls : public ::testing::Test {
 protected:
  test::TestEnv env;
  test::TempDir program;
  std::string Pending() const { return program.Path() + "BLS-Install/"; }
};

TEST_F(PendingBls, NothingWaiting) {
  EXPECT_EQ(InstallPendingBlsFiles(program.Path(), env.DataFolder()), BlsInstall::Nothing);
  WriteAll(Pending() + "DE/index.bls", "i");
  EXPECT_EQ(InstallPendingBlsFiles(program.Path(), env.DataFolder()), BlsInstall::Nothing);
  EXPECT_FALSE(FileExists(env.DataFolder() + "DE/index.bls"));
}

TEST_F(PendingBls, InstallsAndLeavesOnlyTheSubFolders) {
  WriteAll(Pending() + "Data.bls", "data");
  WriteAll(Pending() + "readme.txt", "r");
  WriteAll(Pending() + "DE/index.bls", "de-index");
  WriteAll(Pending() + "EN/index.bls", "en-index");
  WriteAll(Pending() + "EN/other.bls", "kept");
  EXPECT_EQ(InstallPendingBlsFiles(program.Path(), env.DataFolder()), BlsInstall::Installed);
  EXPECT_EQ(ReadAll(env.DataFolder() + "Data.bls"), "data");
  EXPECT_EQ(ReadAll(env.DataFolder() + "DE/index.bls"), "de-index");
  EXPECT_EQ(ReadAll(env.DataFolder() + "EN/index.bls"), "en-index");
  EXPECT_EQ(ListFolder(Pending()), (std::vector<std::string>{"DE", "EN"}));
  EXPECT_EQ(ListFolder(Pending() + "DE"), std::vector<std::string>{});
  EXPECT_EQ(ListFolder(Pending() + "EN"), std::vector<std::string>{"other.bls"});
}

TEST_F(PendingBls, AFailedCopyKeepsWhatIsLeftForTheNextStart) {
  WriteAll(Pending() + "Data.bls", "data");
  WriteAll(Pending() + "DE/index.bls", "de-index");
  WriteAll(Pending() + "FR/index.bls", "fr-index");  // the data folder has no FR
  WriteAll(Pending() + "ZZ/index.bls", "zz-index");
  EXPECT_EQ(InstallPendingBlsFiles(program.Path(), env.DataFolder()), BlsInstall::Failed);
  EXPECT_EQ(ReadAll(env.DataFolder() + "DE/index.bls"), "de-index");
  EXPECT_FALSE(FileExists(Pending() + "DE/index.bls"));
  EXPECT_TRUE(FileExists(Pending() + "Data.bls"));
  EXPECT_TRUE(FileExists(Pending() + "FR/index.bls"));
  EXPECT_TRUE(FileExists(Pending() + "ZZ/index.bls"));  // stopped at the first failure
}

// A whole-file write killed between its temporary file and the rename, in a child process:
// the temporary file "<file>.$$$<pid>" stays behind with the child's pid.
std::string KilledWrite(const std::string& path) {
  const pid_t child = fork();
  if (child == 0) {
    SetAtomicWriteStepHookForTest([](int step) {
      if (step == 1) _exit(0);
    });
    WriteFileAtomic(path, "05012024:073081,5#92#\r\n07012024:080080,9##\r\n");
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return path + ".$$$" + std::to_string(child);
}

// Start-up removes what killed writes left in every folder the program writes: the whole data
// root (also a folder no writer used when this was written), and the data, export, program and
// settings folders where they lie elsewhere. The files themselves and a temporary file of a
// running process stay.
TEST(StartupFiles, TemporaryFilesOfKilledWritesAreRemovedEverywhere) {
  test::TestEnv env;
  test::TempDir outside;
  const std::string root = env.Root();
  const std::string elsewhere = outside.Path();
  const std::vector<std::string> files = {
      root + "Data/Users.dat",
      root + "Data/Konten/Anna/Weight.dat",
      root + "Data/DE/CoolBoxes.dat",
      root + "Data/EN/Lexika.lbk",
      root + "Export/WPlan.txt",
      root + "Backup/2026-12-11 07.30/Data/Konten/Anna/m052024.dat",
      root + "Pics/suppe.jpg",
      root + "Pics/Zutaten/apfel.jpg",
      root + "HTML/Menu.mpl",
      root + "QN_Sync/bsl.snc",
      root + "Tavolin.log",
      root + "Neuer Ordner/Unterordner/Liste.txt",
      elsewhere + "Export/WPlan.txt",
      elsewhere + "Programm/Tavolin.log",
      elsewhere + "Einstellungen/user.ini",
  };
  std::vector<std::string> left;
  for (const std::string& f : files) {
    WriteAll(f, "sound\r\n");
    left.push_back(KilledWrite(f));
    ASSERT_TRUE(FileExists(left.back())) << left.back();
  }
  const std::string running = root + "Data/Konten/Anna/Weight.dat.$$$" + std::to_string(getpid());
  WriteAll(running, "in progress");
  RemoveLeftTemporaryFiles(root, {{root + "Data/", 2},
                                  {elsewhere + "Export/", 1},
                                  {elsewhere + "Programm/", 0},
                                  {elsewhere + "Einstellungen/", 0}});
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_FALSE(EntryExists(left[i])) << left[i];
    EXPECT_EQ(ReadAll(files[i]), "sound\r\n");
  }
  EXPECT_TRUE(FileExists(running));
}

}  // namespace
}  // namespace tav
