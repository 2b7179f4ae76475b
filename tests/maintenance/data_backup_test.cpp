// Backup and restore of a data root: what a backup holds, a restore after a wipe, refusals and
// failures that must show as failures.
#include "maintenance/data_backup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <cstring>
#include <functional>
#include <map>
#include <set>

#include "app/startup_files.h"
#include "diary/diary_module.h"
#include "maintenance/file_tree.h"
#include "maintenance/sibling_export.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "recipedb/kill_points.h"
#include "support/read_faults.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::TempDir;
using test::TestEnv;
using test::TmpfsMount;
using test::Tree;
using test::WriteAll;

std::tm At(int second) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 3;
  t.tm_hour = 7;
  t.tm_min = 5;
  t.tm_sec = second;
  return t;
}

// A data root as a user has it after some time: two books (one with an umlaut in its name),
// a diary person with months and weights, both language folders, the kitchen files, pictures.
struct UsedRoot {
  explicit UsedRoot(TestEnv& env) : root(env.Root()) {
    env.LoadLanguage("DE");
    env.Options();
    const std::string data = root + "Data/";
    WriteAll(data + "Tavolin-Rezepte mit Bildern.bok", std::string(5000, '\x01') + "#Suppe\x00");
    WriteAll(data + "Tavolin-Rezepte mit Bildern.idx", std::string(2080, '\x02'));
    WriteAll(data + "Tavolin-Rezepte mit Bildern.inf", "Standardbuch\r\n-1\r\n");
    WriteAll(data +
                 "K\xFC"
                 "chenbuch.bok",
             "#Kn\xF6"
             "del\r\n");
    WriteAll(data +
                 "K\xFC"
                 "chenbuch.idx",
             std::string(104, '\x03'));
    WriteAll(data +
                 "K\xFC"
                 "chenbuch.inf",
             "Omas B\xFC"
             "cher\r\n-2\r\n");
    WriteAll(data + "Users.dat", "Anna#1#1#1980\r\n");
    WriteAll(data + "Konten/Anna/m012026.dat", "1#Apfel#ZE=0,3\r\n");
    WriteAll(data + "Konten/Anna/m022026.dat", "3#Brot#GCAL=240\r\n");
    WriteAll(data + "Konten/Anna/Weight.dat", "1.1.2026#64,5\r\n");
    WriteAll(data + "WPlan.ini", "[3.12.2026]\r\nRez0=Suppe\r\n");
    WriteAll(data + "Kauflist.dat", "65535#1#4#Suppe\r\n");
    WriteAll(data + "Antwort.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<tantwort>\r\n");
    WriteAll(data + "Haendler.dat", "|Markt\r\n");
    for (const char* lang : {"DE", "EN"}) {
      const std::string l = data + lang + "/";
      WriteAll(l + "Languages.dat", std::string(lang) + "#x\r\n");
      WriteAll(l + "einheit.dat", std::string("units ") + lang);
      WriteAll(l + "Gattung.dat", std::string("categories ") + lang);
      WriteAll(l + "Lexika.ldt", std::string("lexicon ") + lang);
      WriteAll(l + "Lexika.lbk", std::string("chapters ") + lang);
      WriteAll(l + "CoolBoxes.dat", std::string("freezer ") + lang);
      WriteAll(l + "CoolTypes.dat", std::string("usual foods ") + lang);
      WriteAll(l + "Umfrage.xml", "<umfrage/>");
    }
    WriteAll(root + "Pics/suppe.jpg", std::string(30000, '\xD8'));
    WriteAll(root + "Pics/Zutaten/apfel.jpg", std::string(2000, '\xE0'));
    WriteAll(root + "HTML/ViewTPL.html", "<html>view</html>");
    WriteAll(root + "HTML/QViewTPL.html", "<html>quick</html>");
  }
  BackupPlaces Places() const {
    BackupPlaces p;
    p.dataRoot = root;
    p.dataFolder = root + "Data/";
    p.htmlFolder = root + "HTML/";
    p.htmlTemplate = "ViewTPL.html";
    p.quickTemplate = "QViewTPL.html";
    p.languageFolders = FindLanguageFolders(p.dataFolder);
    p.persons = {"Anna"};
    p.books = {
        "K\xFC"
        "chenbuch",
        "Tavolin-Rezepte mit Bildern"};
    return p;
  }
  // The user's data: everything but the backups and the program's own files.
  std::map<std::string, std::string> UserData() const {
    auto tree = Tree(root);
    for (auto it = tree.begin(); it != tree.end();)
      it = it->first.rfind("Backup/", 0) == 0 || it->first.find("GUI.klf") != std::string::npos ||
                   it->first.find("Languages.dat") != std::string::npos
               ? tree.erase(it)
               : std::next(it);
    return tree;
  }
  std::string root;
};

// Users.dat fails at each of its reads in turn when the diary starts, so the diary knows fewer
// persons or none. A backup made then still holds every person's folder under Konten, file for
// file, and is complete.
TEST(Backup, EveryPersonsFolderIsTakenWhetherOrNotTheDiaryReadItsList) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    TestEnv env;
    UsedRoot used(env);
    const std::string data = used.root + "Data/";
    WriteAll(data + "Users.dat",
             "#\r\n>NAnna\r\n>G05031970\r\n>W64\r\n>H168\r\n>SF\r\n>TN\r\n#\r\n"
             ">NBert\r\n>G01011960\r\n>W80\r\n>H180\r\n>SM\r\n>TN\r\n#\r\n");
    WriteAll(data + "Konten/Bert/m032026.dat", "# TAVOLIN V02.01 03/2026\r\n#\r\n");
    WriteAll(data + "Konten/Bert/Weight.dat", "01032026:080080,0##Nach dem Urlaub\r\n");
    env.Options().SetParaString(61, "Anna");
    std::vector<std::string> persons;
    {
      test::NthReadFault fault(n,
                               [&](const std::string& path) { return path == data + "Users.dat"; });
      TENApplogMod diary;
      fault.Off();
      if (!fault.Hit()) break;
      for (const ENPERSON& p : diary.persons) persons.push_back(p.name);
      DataBackup backup(BackupPlaces::FromProgram());
      backup.clock = [] { return At(9); };
      std::vector<std::string> log;
      backup.onLogLine = [&](const std::string& line) { log.push_back(line); };
      std::string folder;
      EXPECT_TRUE(backup.RunBackup(used.root + "Backup/", BackupSets{}, folder));
      EXPECT_EQ(log.back(), GetLangText(599));
      const auto saved = Tree(used.root + "Backup/" + folder + "/Data/Konten/");
      const auto own = Tree(data + "Konten/");
      EXPECT_EQ(saved, own);
      EXPECT_EQ(own.size(), 5u);
    }
    if (n == 1) {
      EXPECT_TRUE(persons.empty());  // not even opened: the diary knows nobody
    }
  }
}

TEST(Backup, WipeAndRestoreGiveTheDataRootBack) {
  TestEnv env;
  UsedRoot used(env);
  env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
  env.userSettings.WriteString("Software\\Brimo\\Tavolin\\Backup", "BCDBs", "1");
  const auto settingsBefore = env.userSettings.ValueNames(kRegParam);
  const auto before = used.UserData();
  ASSERT_GT(before.size(), 25u);

  DataBackup backup(used.Places());
  backup.clock = [] { return At(9); };
  std::vector<std::string> log;
  backup.onLogLine = [&](const std::string& line) { log.push_back(line); };
  std::string folder;
  ASSERT_TRUE(backup.RunBackup(used.root + "Backup", BackupSets{}, folder)) << log.back();
  EXPECT_EQ(folder, "TavolinBackup_2026.12.3_7.05.09");
  EXPECT_EQ(log.front(), "Tavolin - Backup 2026.12.3 7:05:09:");
  EXPECT_EQ(log.back(), GetLangText(599));
  const std::string saved = used.root + "Backup/" + folder + "/";
  // The kitchen files, the survey answers and the freezer of each language come along.
  for (const char* file :
       {"Data/Kauflist.dat", "Data/WPlan.ini", "Data/Antwort.xml", "Data/DE/CoolBoxes.dat",
        "Data/EN/CoolTypes.dat", "Data/Konten/Anna/Weight.dat", "Pics/Zutaten/apfel.jpg"})
    EXPECT_TRUE(FileExists(saved + file)) << file;
  EXPECT_EQ(ReadAll(saved + "Backup.log").rfind("Tavolin - Backup 2026.12.3 7:05:09:\r\n\r\n", 0),
            0u);

  // Everything of the user's gone, then the backup copied back.
  for (const char* sub : {"Data", "Pics", "HTML"}) DataBackup::DeleteFolderTree(used.root + sub);
  ASSERT_TRUE(used.UserData().empty());
  log.clear();
  RestoreCounts counts;
  ASSERT_TRUE(backup.RestoreBackup(used.root + "Backup/", folder, counts));
  EXPECT_EQ(used.UserData(), before);
  EXPECT_EQ(counts.accounts, 3);
  EXPECT_EQ(counts.pictures, 1);
  EXPECT_EQ(counts.html, 2);
  EXPECT_EQ(log.back(), GetLangText(605));
  EXPECT_EQ(log[0], GetLangText(594) + GetLangText(604) + std::to_string(counts.data));
  // The settings are no data of the root: neither section is touched by a restore.
  EXPECT_EQ(env.userSettings.ValueNames(kRegParam), settingsBefore);
  EXPECT_EQ(env.userSettings.Read("Software\\Brimo\\Tavolin\\Backup", "BCDBs"), "1");
}

TEST(Backup, ChosenBooksAndSetsOnly) {
  TestEnv env;
  UsedRoot used(env);
  DataBackup backup(used.Places());
  BackupSets sets;
  sets.allBooks = false;
  sets.chosenBooks = {
      "K\xFC"
      "chenbuch"};
  sets.recipePictures = sets.accounts = false;
  std::string folder;
  ASSERT_TRUE(backup.RunBackup(used.root + "Backup/", sets, folder));
  const auto tree = Tree(used.root + "Backup/" + folder + "/");
  EXPECT_TRUE(
      tree.count("Data/K\xFC"
                 "chenbuch.bok"));
  EXPECT_FALSE(tree.count("Data/Tavolin-Rezepte mit Bildern.bok"));
  EXPECT_FALSE(tree.count("Pics/suppe.jpg"));
  EXPECT_FALSE(tree.count("Data/Konten/Anna/m012026.dat"));
  EXPECT_TRUE(tree.count("Pics/Zutaten/apfel.jpg"));

  sets.chosenBooks.clear();  // "only these books" with none ticked copies none and succeeds
  backup.clock = [] { return At(30); };
  ASSERT_TRUE(backup.RunBackup(used.root + "Backup/", sets, folder));
  for (const auto& [file, bytes] : Tree(used.root + "Backup/" + folder + "/"))
    EXPECT_EQ(file.find(".bok"), std::string::npos) << file;
}

TEST(Backup, SecondBackupOfTheSameSecondIsRefused) {
  TestEnv env;
  UsedRoot used(env);
  DataBackup backup(used.Places());
  backup.clock = [] { return At(9); };
  std::vector<std::string> log;
  backup.onLogLine = [&](const std::string& line) { log.push_back(line); };
  std::string first, second;
  ASSERT_TRUE(backup.RunBackup(used.root + "Backup/", BackupSets{}, first));
  const auto firstTree = Tree(used.root + "Backup/");
  WriteAll(used.root + "Data/Kauflist.dat", "changed since\r\n");
  log.clear();
  EXPECT_FALSE(backup.RunBackup(used.root + "Backup/", BackupSets{}, second));
  EXPECT_EQ(second, "");
  EXPECT_EQ(log.front(), GetLangText(1058) + first);
  EXPECT_EQ(log.back(), GetLangText(600));
  EXPECT_EQ(Tree(used.root + "Backup/"), firstTree) << "nothing merged into the first backup";
}

TEST(Backup, MissingFilesAreSkippedAMissingTemplateFails) {
  TestEnv env;
  UsedRoot used(env);
  RemoveFile(used.root + "Data/WPlan.ini");
  RemoveFile(used.root + "Data/Users.dat");
  RemoveFile(used.root + "HTML/ViewTPL.html");
  DataBackup backup(used.Places());
  std::vector<std::string> log;
  backup.onLogLine = [&](const std::string& line) { log.push_back(line); };
  std::string folder;
  EXPECT_FALSE(backup.RunBackup(used.root + "Backup/", BackupSets{}, folder));
  EXPECT_EQ(log.back(), GetLangText(600));
  // Every set before the templates ran.
  EXPECT_TRUE(FileExists(used.root + "Backup/" + folder + "/Data/Konten/Anna/m022026.dat"));
  EXPECT_TRUE(FileExists(used.root + "Backup/" + folder + "/Data/Haendler.dat"));
}

TEST(Backup, EmptyPathIsRefused) {
  TestEnv env;
  UsedRoot used(env);
  DataBackup backup(used.Places());
  std::string folder = "x";
  EXPECT_FALSE(backup.RunBackup("", BackupSets{}, folder));
  EXPECT_FALSE(backup.RunBackup("\\", BackupSets{}, folder));
  EXPECT_EQ(folder, "");
  EXPECT_TRUE(backup.ListBackups("").empty());
}

TEST(Backup, AFailedCopyFailsTheRun) {
  TestEnv env;
  UsedRoot used(env);
  TmpfsMount small(64 * 1024);
  if (!small.Mounted()) GTEST_SKIP() << small.SkipReason();
  WriteAll(used.root + "Pics/grosses-bild.jpg", std::string(200 * 1024, '\xFF'));
  DataBackup backup(used.Places());
  std::vector<std::string> log;
  backup.onLogLine = [&](const std::string& line) { log.push_back(line); };
  std::string folder;
  EXPECT_FALSE(backup.RunBackup(small.Path(), BackupSets{}, folder));
  bool named = false;
  for (const std::string& line : log)
    named = named || line == GetLangText(1052) + used.root + "Pics/grosses-bild.jpg";
  EXPECT_TRUE(named);
  EXPECT_EQ(log.back(), GetLangText(600));
  for (const std::string& name : ListFolder(small.Path() + folder + "/Pics"))
    EXPECT_EQ(name.find(".$$$"), std::string::npos) << "no half copy left: " << name;
}

TEST(Backup, RestoreAndDeleteOnlyActOnBackups) {
  TestEnv env;
  UsedRoot used(env);
  DataBackup backup(used.Places());
  // A folder below the backup path that is no backup: not listed, not restored, not deleted.
  WriteAll(used.root + "Backup/Fotos/Data/Users.dat", "someone else\r\n");
  std::string folder;
  ASSERT_TRUE(backup.RunBackup(used.root + "Backup/", BackupSets{}, folder));
  EXPECT_EQ(backup.ListBackups(used.root + "Backup/"), std::vector<std::string>{folder});
  RestoreCounts counts;
  EXPECT_FALSE(backup.RestoreBackup(used.root + "Backup/", "Fotos", counts));
  EXPECT_FALSE(backup.RestoreBackup(used.root + "Backup/", "../Backup/Fotos", counts));
  EXPECT_EQ(ReadAll(used.root + "Data/Users.dat"), "Anna#1#1#1980\r\n");
  EXPECT_FALSE(backup.DeleteBackup(used.root + "Backup/", "Fotos"));
  EXPECT_TRUE(FileExists(used.root + "Backup/Fotos/Data/Users.dat"));
  EXPECT_FALSE(backup.DeleteBackup(used.root + "Backup/", ""));
  EXPECT_TRUE(DirExists(used.root + "Backup"));

  EXPECT_TRUE(backup.DeleteBackup(used.root + "Backup/", folder));
  EXPECT_FALSE(EntryExists(used.root + "Backup/" + folder));
  EXPECT_TRUE(backup.ListBackups(used.root + "Backup/").empty());
}

TEST(Backup, OlderBackupWithoutKitchenFilesRestores) {
  TestEnv env;
  UsedRoot used(env);
  DataBackup backup(used.Places());
  std::string folder;
  ASSERT_TRUE(backup.RunBackup(used.root + "Backup/", BackupSets{}, folder));
  const std::string saved = used.root + "Backup/" + folder + "/Data/";
  for (const char* file : {"Kauflist.dat", "Antwort.xml", "DE/CoolBoxes.dat", "EN/CoolTypes.dat"})
    RemoveFile(saved + file);
  WriteAll(used.root + "Data/Users.dat", "changed\r\n");
  RestoreCounts counts;
  EXPECT_TRUE(backup.RestoreBackup(used.root + "Backup/", folder, counts));
  EXPECT_EQ(ReadAll(used.root + "Data/Users.dat"), "Anna#1#1#1980\r\n");
  EXPECT_EQ(ReadAll(used.root + "Data/Kauflist.dat"), "65535#1#4#Suppe\r\n") << "kept as it was";
}

TEST(Backup, RestoreThatCannotWriteSaysSoAndKeepsTheFiles) {
  TmpfsMount disk(4 << 20);
  if (!disk.Mounted()) GTEST_SKIP() << disk.SkipReason();
  // The data root on its own disk, the backup elsewhere; then the disk turns read-only.
  TestEnv onDisk(disk.Path());
  UsedRoot used(onDisk);
  TempDir backups;
  DataBackup backup(used.Places());
  std::string folder;
  ASSERT_TRUE(backup.RunBackup(backups.Path(), BackupSets{}, folder));
  const auto before = used.UserData();
  ASSERT_TRUE(disk.MakeReadOnly());
  std::vector<std::string> log;
  backup.onLogLine = [&](const std::string& line) { log.push_back(line); };
  RestoreCounts counts;
  EXPECT_FALSE(backup.RestoreBackup(backups.Path(), folder, counts));
  EXPECT_EQ(counts.data + counts.accounts + counts.pictures + counts.html, 0)
      << "no failed copy counted as restored";
  EXPECT_FALSE(counts.failed.empty());
  EXPECT_EQ(log.back(), GetLangText(1054));
  EXPECT_EQ(used.UserData(), before);
}

TEST(Backup, DeleteFolderTreeStopsAtWhatItCannotRemove) {
  TempDir dir;
  const std::string top = dir.Path() + "tree";
  WriteAll(top + "/a/b/c/d/deep.txt", "x");
  WriteAll(top + "/a/file.txt", "y");
  WriteAll(top + "/z.txt", "z");
  EXPECT_TRUE(DataBackup::DeleteFolderTree(top));
  EXPECT_TRUE(ListFolder(top).empty());

  TmpfsMount locked(64 * 1024);
  if (!locked.Mounted()) GTEST_SKIP() << locked.SkipReason();
  WriteAll(locked.Path() + "kept.txt", "k");
  ASSERT_TRUE(locked.MakeReadOnly());
  // The read-only disk inside the tree: its file cannot go, and the deletion ends.
  EXPECT_FALSE(DataBackup::DeleteFolderTree(locked.Path().substr(0, locked.Path().size() - 1)));
  EXPECT_TRUE(FileExists(locked.Path() + "kept.txt"));
}

// A data root, its backup path and the backup window's core, fresh for each kill point.
struct BackupKillEnv {
  BackupKillEnv() : used(env), backup(used.Places()) {}
  std::string Path() const { return used.root + "Backup/"; }
  TestEnv env;
  UsedRoot used;
  DataBackup backup;
};

// Every folder below the backup path, listed or not.
std::vector<std::string> FoldersBelow(const std::string& path) {
  std::vector<std::string> out;
  for (const std::string& name : ListFolder(path))
    if (DirExists(path + name)) out.push_back(name);
  return out;
}

TEST(BackupFaults, AKilledBackupIsNeitherListedNorRestored) {
  test::ForEachKillPoint<BackupKillEnv>(
      [](BackupKillEnv& k) {
        return [&k] {
          std::string folder;
          k.backup.RunBackup(k.Path(), BackupSets{}, folder);
        };
      },
      [](BackupKillEnv& k, int step) {
        const auto before = k.used.UserData();
        const std::vector<std::string> listed = k.backup.ListBackups(k.Path());
        if (step < 0) {
          ASSERT_EQ(listed.size(), 1u);
          return;
        }
        EXPECT_EQ(listed, std::vector<std::string>()) << "a half backup listed as a whole one";
        for (const std::string& folder : FoldersBelow(k.Path())) {
          k.env.messages.shown.clear();
          RestoreCounts counts;
          EXPECT_FALSE(k.backup.RestoreBackup(k.Path(), folder, counts));
          if (k.backup.IsUnfinishedBackup(k.Path(), folder)) {
            ASSERT_EQ(k.env.messages.shown.size(), 1u);
            EXPECT_EQ(k.env.messages.shown[0].text, GetLangText(1068) + folder);
          }
          // An unfinished backup can still be deleted from the window.
          EXPECT_TRUE(k.backup.DeleteBackup(k.Path(), folder) ||
                      !k.backup.IsUnfinishedBackup(k.Path(), folder));
        }
        EXPECT_EQ(k.used.UserData(), before);
      });
}

// The user's data after a restore was killed: once the next start has finished the restore,
// every file is the backup's, whole.
TEST(BackupFaults, AKilledRestoreIsFinishedAtTheNextStart) {
  struct Changed : BackupKillEnv {
    Changed() {
      EXPECT_TRUE(backup.RunBackup(Path(), BackupSets{}, folder));
      saved = used.UserData();
      WriteAll(used.root + "Data/Tavolin-Rezepte mit Bildern.bok", std::string(7000, '\x05'));
      WriteAll(used.root + "Data/Tavolin-Rezepte mit Bildern.idx", std::string(3000, '\x06'));
      WriteAll(used.root + "Data/Users.dat", "Anna#2#2#1981\r\n");
      WriteAll(used.root + "Data/Konten/Anna/Weight.dat", "2.2.2026#63\r\n");
      WriteAll(used.root + "Pics/suppe.jpg", "neu");
      RemoveFile(used.root + "Data/DE/CoolBoxes.dat");
      RemoveFile(used.root + "HTML/QViewTPL.html");
      changed = used.UserData();
    }
    std::string folder;
    std::map<std::string, std::string> saved, changed;
  };
  test::ForEachKillPoint<Changed>(
      [](Changed& k) {
        return [&k] {
          RestoreCounts counts;
          k.backup.RestoreBackup(k.Path(), k.folder, counts);
        };
      },
      [](Changed& k, int step) {
        k.env.messages.shown.clear();
        DataBackup atStart(k.used.Places());
        EXPECT_TRUE(atStart.FinishInterruptedRestore());
        auto now = k.used.UserData();
        // Half copies of the killed run are the leftovers the next start clears away.
        for (auto it = now.begin(); it != now.end();)
          it = it->first.find(".$$$") != std::string::npos ? now.erase(it) : std::next(it);
        if (step < 0 || k.env.messages.shown.empty()) {
          // Through, or killed before its first file: nothing to finish.
          EXPECT_TRUE(k.env.messages.shown.empty());
          EXPECT_EQ(now, step < 0 ? k.saved : k.changed);
          return;
        }
        ASSERT_EQ(k.env.messages.shown.size(), 1u);
        EXPECT_EQ(k.env.messages.shown[0].text, GetLangText(1071) + k.Path() + k.folder);
        EXPECT_EQ(now, k.saved);
      });
}

// A backup made by hand or brought from elsewhere: links and names that would lead out of it.
TEST(BackupFaults, RestoreNeverFollowsALinkNorLeavesTheDataRoot) {
  TempDir parentDir;  // what "..\\..\\" from the data folder names
  TestEnv env(parentDir.Path());
  UsedRoot used(env);
  DataBackup backup(used.Places());
  std::string folder;
  ASSERT_TRUE(backup.RunBackup(used.root + "Backup/", BackupSets{}, folder));
  const std::string saved = used.root + "Backup/" + folder + "/";
  // Outside the data root: a foreign file and a foreign folder of pictures.
  TempDir elsewhere;
  WriteAll(elsewhere.Path() + "fremd.dat", "|Fremder Markt\r\n");
  WriteAll(elsewhere.Path() + "Bilder/fremd.jpg", "fremdes Bild");
  RemoveFile(saved + "Data/Haendler.dat");
  std::filesystem::create_symlink(elsewhere.Path() + "fremd.dat", saved + "Data/Haendler.dat");
  DataBackup::DeleteFolderTree(saved + "Pics");
  std::filesystem::remove(saved + "Pics");
  std::filesystem::create_directory_symlink(elsewhere.Path() + "Bilder", saved + "Pics");
  // Names holding backslashes: a folder and a file that would land beside the data root.
  // Written by raw calls: the program's own file functions would take '\\' for '/'.
  ASSERT_EQ(::mkdir((saved + "Data/..\\..\\Ausbruch").c_str(), 0755), 0);
  for (const char* name : {"Data/..\\..\\Ausbruch/boese.dat", "Data/..\\..\\boese.dat"}) {
    std::FILE* f = std::fopen((saved + name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("boese", f);
    std::fclose(f);
  }
  const std::string parent = parentDir.Path();
  ASSERT_EQ(used.root.rfind(parent, 0), 0u);
  const auto outsideBefore = ListFolder(parent);
  const auto before = used.UserData();
  std::vector<std::string> log;
  backup.onLogLine = [&](const std::string& line) { log.push_back(line); };
  RestoreCounts counts;
  EXPECT_FALSE(backup.RestoreBackup(used.root + "Backup/", folder, counts))
      << "never reported as a whole restore";
  EXPECT_EQ(log.back(), GetLangText(1054));
  EXPECT_EQ(ReadAll(used.root + "Data/Haendler.dat"), "|Markt\r\n");
  EXPECT_FALSE(FileExists(used.root + "Pics/fremd.jpg"));
  EXPECT_EQ(ListFolder(parent), outsideBefore) << "nothing made beside the data root";
  EXPECT_EQ(ListFolder(elsewhere.Path()), (std::vector<std::string>{"Bilder", "fremd.dat"}));
  EXPECT_EQ(counts.failed.size(), 4u);
  // Everything else came back as it was.
  EXPECT_EQ(used.UserData(), before);
}

// A restore or a Quenora export killed before each of its file changes leaves temporary files
// in Pics/, Pics/Zutaten/, HTML/, QN_Sync/ and the data folders: the next start removes them
// all, wherever they lie below the data root, and keeps everything else.
TEST(Backup, KilledWritesLeaveNoTemporaryFileAfterTheNextStart) {
  TestEnv env;
  UsedRoot used(env);
  DataBackup backup(used.Places());
  backup.clock = [] { return At(9); };
  std::string folder;
  ASSERT_TRUE(backup.RunBackup(used.root + "Backup", BackupSets{}, folder));
  WriteAll(used.root + "QN_Sync/bsl.snc", "ZE#EIW\r\n");
  std::vector<SiblingNutrient> chosen(2);
  std::strcpy(chosen[0].stoff.code, "GCAL");
  chosen[0].key = "KCAL";
  std::strcpy(chosen[1].stoff.code, "ZE");
  chosen[1].key = "EIW";
  struct Operation {
    const char* name;
    std::function<void()> run;
  };
  const std::vector<Operation> operations = {
      {"restore",
       [&] {
         RestoreCounts counts;
         backup.RestoreBackup(used.root + "Backup/", folder, counts);
       }},
      {"Quenora export", [&] { SaveSiblingNutrients(used.root + "QN_Sync/bsl.snc", chosen); }},
  };
  for (const Operation& op : operations) {
    const int changes = test::RunInChild(op.run, -1).changes;
    ASSERT_GT(changes, 0) << op.name;
    std::set<std::string> leftIn;
    for (int n = 0; n < changes; ++n) {
      ASSERT_TRUE(test::RunInChild(op.run, n).killed) << op.name << " at " << n;
      for (const auto& entry : Tree(used.root))
        if (entry.first.find(".$$$") != std::string::npos)
          leftIn.insert(entry.first.substr(0, entry.first.rfind('/') + 1));
      const auto before = Tree(used.root);
      RemoveLeftTemporaryFiles(used.root, {});
      for (const auto& [name, bytes] : Tree(used.root)) {
        EXPECT_EQ(name.find(".$$$"), std::string::npos) << op.name << " stopped at " << n;
        EXPECT_EQ(before.at(name), bytes) << name;
      }
    }
    // The runs did leave files in the folders the issue names (the test stops where it should).
    SCOPED_TRACE(op.name);
    if (std::string(op.name) == "restore") {
      for (const char* f : {"Pics/", "Pics/Zutaten/", "HTML/", "Data/", "Data/Konten/Anna/"})
        EXPECT_TRUE(leftIn.count(f)) << f;
    } else {
      EXPECT_TRUE(leftIn.count("QN_Sync/"));
    }
  }
}

}  // namespace
}  // namespace tav
