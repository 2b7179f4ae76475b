// The first-start takeover on fixture trees: what is taken, discarded and logged.
#include "maintenance/data_takeover.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "maintenance/file_tree.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "recipedb/kill_points.h"
#include "support/read_faults.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::TempDir;
using test::Tree;
using test::WriteAll;

TEST(TakeoverVersion, FirstLineOfTheVersionFile) {
  struct Case {
    std::string line;
    bool opened;
    int major;
  } cases[] = {
      {"", false, 1},                 // no Version.txt
      {"Tavolin: 4.12\n", true, 4},   // a run of version 4
      {"Tavolin: 1.00\n", true, 1},   // this build
      {"Tavolin: 4.\n", true, 1},     // 12 characters: too short
      {"Tavolin: 4.12", true, 4},     // 13 without a line feed
      {"Tavolin:  7.12\n", true, 0},  // the digit after position 9: nothing read
      {"Tavolin: 12.00\n", true, 1},  // only the first of two digits
      {"Something else entirely\n", true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DataTakeover::ParseInstalledVersion(c.line, c.opened), c.major) << c.line;
}

TEST(TakeoverVersion, ReadFromTheFileTheProgramWrites) {
  TempDir dir;
  EXPECT_EQ(DataTakeover::ReadInstalledVersion(dir.Path() + "Version.txt"), 1);
  WriteAll(dir.Path() + "Version.txt", "Tavolin: 4.21\r\nmore\r\n");
  EXPECT_EQ(DataTakeover::ReadInstalledVersion(dir.Path() + "Version.txt"), 4);
  WriteAll(dir.Path() + "Version.txt", "Tavolin: 4\r\n");
  EXPECT_EQ(DataTakeover::ReadInstalledVersion(dir.Path() + "Version.txt"), 1);
}

// An older installation: the user's tables beside the update files an update left.
void OlderInstallation(const std::string& root) {
  WriteAll(root + "Data/DE/Einheit.dat", "user units\r\n");
  WriteAll(root + "Data/DE/Einheit.datu", "new units\r\n");
  WriteAll(root + "Data/DE/Gattung.dat", "user categories M\xFCsli\r\n");
  WriteAll(root + "Data/DE/Gattung.datu", "new categories\r\n");
  WriteAll(root + "Data/DE/Zutaten.datu", "new ingredients\r\n");  // the user has none
  WriteAll(root + "Data/DE/Kenndaten.dat", "user key figures\r\n");
  WriteAll(root + "Data/DE/Kenndaten.datu", "new key figures\r\n");
  WriteAll(root + "Data/DE/CoolBoxes.dat", "user freezer\r\n");
  WriteAll(root + "Data/DE/CoolBoxes.datu", "new freezer\r\n");
  WriteAll(root + "Data/DE/CoolTypes.datu", "new usual foods\r\n");
  WriteAll(root + "Data/EN/CoolBoxes.datu", "new freezer EN\r\n");
  WriteAll(root + "Data/EN/CoolTypes.datu", "new usual foods EN\r\n");
  WriteAll(root + "Data/FiltGrps.bls", "user groups\r\n");
  WriteAll(root + "Data/Filt_1.blsu", "new filter 1\r\n");
  WriteAll(root + "Data/FiltGrps.blsu", "new groups\r\n");
  WriteAll(root + "HTML/ViewTPL.html", "<p>mine</p>");
  WriteAll(root + "HTML/ViewTPL.htmlu", "<p>new</p>");
  WriteAll(root + "Data/Beispiele.boku", "new book records");
  WriteAll(root + "Data/Beispiele.idxu", "new book index");
  WriteAll(root + "Data/Beispiele.infu", "new book description");
  WriteAll(root + "Version.txt", "Tavolin: 4.21\r\n");
}

TEST(Takeover, OlderInstallationTakesAndDiscardsAsChosen) {
  TempDir dir;
  const std::string root = dir.Path();
  OlderInstallation(root);
  DataTakeover takeover(root, root + "bin/", nullptr);
  ASSERT_TRUE(takeover.IsOlderInstallation());
  std::array<bool, DataTakeover::kChoices> take{};
  take.fill(true);
  take[DataTakeover::kCategories] = false;  // keep my categories
  take[DataTakeover::kHtml] = false;        // and my template
  takeover.Run(take);

  const auto tree = Tree(root);
  const std::map<std::string, std::string> expected{
      {"Data/DE/Einheit.dat", "new units\r\n"},
      {"Data/DE/Gattung.dat", "user categories M\xFCsli\r\n"},
      {"Data/DE/Zutaten.dat", "new ingredients\r\n"},
      {"Data/DE/Kenndaten.dat", "user key figures\r\n"},
      // The freezer of the user stays, and so do both update files beside it.
      {"Data/DE/CoolBoxes.dat", "user freezer\r\n"},
      {"Data/DE/CoolBoxes.datu", "new freezer\r\n"},
      {"Data/DE/CoolTypes.datu", "new usual foods\r\n"},
      {"Data/EN/CoolBoxes.dat", "new freezer EN\r\n"},
      {"Data/EN/CoolTypes.dat", "new usual foods EN\r\n"},
      {"Data/FiltGrps.bls", "user groups\r\n"},
      {"HTML/ViewTPL.html", "<p>mine</p>"},
      {"Data/Beispiele.bok", "new book records"},
      {"Data/Beispiele.idx", "new book index"},
      {"Data/Beispiele.inf", "new book description"},
      {"Version.txt", "Tavolin: 4.21\r\n"},
  };
  for (const auto& [file, bytes] : expected)
    EXPECT_EQ(tree.count(file) ? tree.at(file) : "<none>", bytes) << file;
  EXPECT_FALSE(tree.count("Data/DE/Einheit.datu")) << "the marker is gone: the takeover runs once";
  for (const char* gone : {"Data/DE/Gattung.datu", "Data/DE/Kenndaten.datu", "Data/Filt_1.blsu",
                           "Data/FiltGrps.blsu", "HTML/ViewTPL.htmlu", "Data/Beispiele.boku"})
    EXPECT_FALSE(tree.count(gone)) << gone;

  // The log: one line per decision, in the order of the table.
  const std::string log = ReadAll(root + "InstLog.txt");
  const std::string de = root + "Data/DE/";
  EXPECT_NE(log.find(de + "Einheit.dat;" + de + "Einheit.datu;99;0;0.\r\n"), std::string::npos)
      << log;
  EXPECT_NE(log.find(de + "Gattung.dat;-;0;99;0.\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(de + "Zutaten.dat;" + de + "Zutaten.datu;99;0;0.\r\n"), std::string::npos);
  // Taking a table the update does not bring: the user's file stays, nothing attempted.
  EXPECT_NE(log.find(de + "MenuTypes.dat;-;99;99;0.\r\n"), std::string::npos) << log;
  // Discarding an update file that is not there.
  EXPECT_NE(log.find(de + "Portions.dat;-;-1;99;2.\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(root + "Data/Filt_2.bls;-;-1;99;2.\r\n"), std::string::npos) << log;
  EXPECT_LT(log.find("DE/Einheit.dat;"), log.find("EN/Einheit.dat;"));
  EXPECT_LT(log.find("EN/Kenndaten.dat;"), log.find("HTML/IndexTPL.html;"));
  EXPECT_LT(log.find("Data/Hintergrund.bmp;"), log.find("Data/Beispiele.bok;"));
}

// The user's own book "Beispiele" beside the update's one of that name, and a read error at
// each read of the takeover in turn: the three files are all the user's or all the update's,
// never a mix. A book not taken keeps its update files beside it and is named, with the file
// whose read failed, for the start to say.
TEST(Takeover, ABooksThreeFilesAreTakenTogetherOrNotAtAll) {
  const std::vector<std::string> mine = {"TAVOLIN__1.01_DAT\r\n#meine Rezepte",
                                         "TAVOLIN__1.01_IDX\r\nmein Index",
                                         "Omas K\xFC"
                                         "che\r\n65000\r\n1\r\n\r\n"};
  const std::vector<std::string> update = {"new book records", "new book index",
                                           "new book description"};
  const char* const ext[] = {"bok", "idx", "inf"};
  std::array<bool, DataTakeover::kChoices> all{};
  all.fill(true);
  std::set<std::string> stoppers;
  for (int n = 0;; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    TempDir dir;
    const std::string root = dir.Path(), data = root + "Data/";
    OlderInstallation(root);
    for (int i = 0; i < 3; ++i) WriteAll(data + "Beispiele." + ext[i], mine[i]);
    DataTakeover takeover(root, root, nullptr);
    test::NthReadFault fault(n);  // 0: no read fails
    takeover.Run(all);
    fault.Off();
    if (n > 0 && !fault.Hit()) break;
    std::vector<std::string> book, left;
    for (const char* e : ext) {
      book.push_back(ReadAll(data + "Beispiele." + e));
      left.push_back(FileExists(data + "Beispiele." + e + "u")
                         ? ReadAll(data + "Beispiele." + e + "u")
                         : "<none>");
    }
    if (book == mine) {
      stoppers.insert(fault.FailedPath().substr(root.size()));
      EXPECT_EQ(left, update);
      ASSERT_EQ(takeover.BooksNotTaken().size(), 1u);
      EXPECT_EQ(takeover.BooksNotTaken()[0].book, "Beispiele");
      EXPECT_EQ(takeover.BooksNotTaken()[0].file, fault.FailedPath());
      const std::string log = ReadAll(root + "InstLog.txt");
      for (const char* e : ext)
        EXPECT_EQ(log.find(data + "Beispiele." + e + ";" + data + "Beispiele." + e + "u;99;0;"),
                  std::string::npos)
            << e;
    } else {
      EXPECT_EQ(book, update);
      EXPECT_TRUE(takeover.BooksNotTaken().empty());
      for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ReadAll(data + "Beispiele." + ext[i] + ".bak"), mine[i]);
    }
    EXPECT_FALSE(FileExists(root + "Takeover.pending"));
  }
  // A read error in any of the six files of the book (the user's three, the update's three).
  EXPECT_EQ(stoppers.size(), 6u);
}

TEST(Takeover, FreshInstallationTakesEverything) {
  TempDir dir;
  const std::string root = dir.Path();
  WriteAll(root + "Data/DE/einheit.datu", "units\r\n");  // the shipped spelling
  WriteAll(root + "Data/DE/Gattung.datu", "categories\r\n");
  WriteAll(root + "Data/EN/einheit.datu", "units EN\r\n");
  WriteAll(root + "Data/Haendler.datu", "dealers\r\n");
  WriteAll(root + "HTML/Menu.mplu", "menu\r\n");
  DataTakeover takeover(root, root, nullptr);
  EXPECT_EQ(DataTakeover::ReadInstalledVersion(takeover.VersionFile()), 1);
  ASSERT_FALSE(takeover.IsOlderInstallation());
  std::array<bool, DataTakeover::kChoices> all{};
  all.fill(true);
  takeover.Run(all);
  const auto tree = Tree(root);
  EXPECT_EQ(tree.at("Data/DE/einheit.dat"), "units\r\n");
  EXPECT_EQ(tree.at("Data/DE/Gattung.dat"), "categories\r\n");
  EXPECT_EQ(tree.at("Data/EN/einheit.dat"), "units EN\r\n");
  EXPECT_EQ(tree.at("Data/Haendler.dat"), "dealers\r\n");
  EXPECT_EQ(tree.at("HTML/Menu.mpl"), "menu\r\n");
  for (const auto& [file, bytes] : tree)
    EXPECT_NE(file.back(), 'u') << file << " left as an update file";
}

TEST(Takeover, SplitsFilesOfTheLayoutWithoutLanguageFolders) {
  TempDir dir;
  const std::string root = dir.Path();
  WriteAll(root + "Data/Einheit.dat", "old units");
  WriteAll(root + "Data/Lexika.lbk", "old chapters");
  WriteAll(root + "Data/EN/Lexika.lbk", "English chapters");
  MakeDirs(root + "Data/DE");
  DataTakeover takeover(root, root, nullptr);
  EXPECT_TRUE(takeover.IsOlderInstallation());
  takeover.SplitLanguageFile("Einheit.dat");
  takeover.SplitLanguageFile("Lexika.lbk");
  takeover.SplitLanguageFile("Zutaten.dat");  // missing: nothing happens
  EXPECT_EQ(ReadAll(root + "Data/DE/Einheit.dat"), "old units");
  EXPECT_EQ(ReadAll(root + "Data/EN/Einheit.dat"), "old units");
  EXPECT_FALSE(FileExists(root + "Data/Einheit.dat"));
  EXPECT_EQ(ReadAll(root + "Data/DE/Lexika.lbk"), "old chapters");
  EXPECT_EQ(ReadAll(root + "Data/EN/Lexika.lbk"), "English chapters");
  EXPECT_TRUE(FileExists(root + "Data/Lexika.lbk")) << "EN holds one: the source stays";
}

TEST(Takeover, AFolderIsNoUpdateFile) {
  TempDir dir;
  const std::string root = dir.Path();
  // Only an update file replaces the user's file.
  WriteAll(root + "Data/DE/Zutaten.dat", "my ingredients");
  MakeDirs(root + "Data/DE/Zutaten.datu");
  DataTakeover takeover(root, root, nullptr);
  takeover.ReplaceByUpdateFile("Zutaten.dat", root + "Data/DE/", true);
  EXPECT_EQ(ReadAll(root + "Data/DE/Zutaten.dat"), "my ingredients");
}

TEST(Takeover, OldBookMagicIsPatchedWhereItStands) {
  TempDir dir;
  const std::string data = dir.Path() + "Data/";
  const std::string tail = std::string("\x01\x02\x00\x04", 4) + std::string(40, 'r');
  struct Case {
    const char* file;
    std::string bytes;
    std::string after;
  } cases[] = {
      {"first.bok", "SAPURINO_V1" + tail, "TAVOLIN__V1" + tail},
      {"moved.idx", "abcSAPURINO" + tail, "abcTAVOLIN_" + tail},       // at byte 3, patched there
      {"late.bok", "abcdefSAPURINO" + tail, "abcdefSAPURINO" + tail},  // starts after byte 5
      {"zero.idx", std::string("ab\0SAPURINO", 11) + tail, std::string("ab\0SAPURINO", 11) + tail},
      {"short.bok", "SAPURINO0123456789", "SAPURINO0123456789"},  // 18 bytes
      {"current.bok", "TAVOLIN_V1" + tail, "TAVOLIN_V1" + tail},
  };
  for (const Case& c : cases) WriteAll(data + c.file, c.bytes);
  DataTakeover(dir.Path(), dir.Path(), nullptr).PatchOldBookMagic();
  for (const Case& c : cases) EXPECT_EQ(ReadAll(data + c.file), c.after) << c.file;
}

TEST(Takeover, LegacySettingsKeysMove) {
  MemorySettingsStore store;
  store.WriteString("Software\\Orlak\\Sapurino\\Param", "AktLanguage", "EN");
  store.WriteString("Software\\Orlak\\Sapurino\\Export\\Deep", "Ziel", "1");
  store.WriteString("Software\\Brimo\\Sapurino\\Param", "AktLanguage", "DE");
  DataTakeover takeover("/nonexistent/", "/nonexistent/", &store);
  takeover.MoveLegacyKeys();
  EXPECT_EQ(store.Read(kRegParam, "AktLanguage"), "EN") << "only the first legacy key moves";
  EXPECT_EQ(store.Read("Software\\Brimo\\Tavolin\\Export\\Deep", "Ziel"), "1");
  EXPECT_FALSE(store.KeyExists("Software\\Orlak\\Sapurino"));
  EXPECT_TRUE(store.KeyExists("Software\\Brimo\\Sapurino"));

  MemorySettingsStore present;
  present.WriteString(kRegParam, "AktLanguage", "DE");
  present.WriteString("Software\\Orlak\\Sapurino\\Param", "AktLanguage", "EN");
  DataTakeover("/nonexistent/", "/nonexistent/", &present).MoveLegacyKeys();
  EXPECT_EQ(present.Read(kRegParam, "AktLanguage"), "DE");
  EXPECT_TRUE(present.KeyExists("Software\\Orlak\\Sapurino"));
}

TEST(Takeover, NutrientListWrittenOnlyWhenMissing) {
  MemorySettingsStore store;
  DataTakeover takeover("/nonexistent/", "/nonexistent/", &store);
  takeover.WriteDefaultNutrientList();
  EXPECT_EQ(store.Read(kRegParam, "BLSRezStoff_0"), "4");
  EXPECT_EQ(store.Read(kRegParam, "BLSRezStoff_8"), "141");
  EXPECT_EQ(store.Read(kRegParam, "BLSRezStoff_9"), "-1");

  MemorySettingsStore own;
  own.WriteString(kRegParam, "BLSRezStoff_0", "-1");
  DataTakeover("/nonexistent/", "/nonexistent/", &own).WriteDefaultNutrientList();
  EXPECT_EQ(own.ValueNames(kRegParam).size(), 1u);
}

// ---- a takeover cut short -----------------------------------------------------------------

// A fresh installation as the install step leaves it: every table an update file, in the
// spellings the project ships.
void FreshInstallation(const std::string& root) {
  for (const char* lang : {"DE", "EN"}) {
    const std::string f = root + "Data/" + lang + "/";
    WriteAll(f + "einheit.datu", std::string("units ") + lang + "\r\n");
    WriteAll(f + "zutaten.datu", std::string("Gr\xFCnkohl#Gr\xFCnkohl#1#49#K#g~kg~#N ") + lang);
    WriteAll(f + "Gattung.datu", std::string(">0001 Vorspeisen# ") + lang + "\r\n");
    WriteAll(f + "Lexika.lbku", std::string("Techniken#1 ") + lang + "\r\n");
    WriteAll(f + "Lexika.ldtu", std::string("SAPLEX_1.00\r\n#\r\nB1\r\n>Roux ") + lang +
                                    "\r\nF0\r\nText\r\n#\r\n");
    WriteAll(f + "MenuTypes.datu", "FF0000 Vorspeise\r\n");
  }
  WriteAll(root + "HTML/ViewTPL.htmlu", "<p>view</p>");
  WriteAll(root + "Data/Filt_1.blsu", "filter 1\r\n");
  WriteAll(root + "Data/FiltGrps.blsu", "groups\r\n");
  WriteAll(root + "Data/Haendler.datu", "dealers\r\n");
  WriteAll(root + "Data/Beispiele.boku", "TAVOLIN_ book records");
  WriteAll(root + "Data/Beispiele.idxu", "TAVOLIN_ book index");
  WriteAll(root + "Data/Beispiele.infu", "book description");
}

// What a start finds: every file but the log and the scratch files of a write cut short.
std::map<std::string, std::string> Settled(const std::string& root) {
  std::map<std::string, std::string> tree = Tree(root);
  std::erase_if(tree, [](const auto& entry) {
    return entry.first == "InstLog.txt" || entry.first.find("$$$") != std::string::npos;
  });
  return tree;
}

// The layout without language folders (its unit table beside an English one already split)
// and a single shipped lexicon in DE.
void OldLayoutWithOneLexicon(const std::string& root) {
  WriteAll(root + "Data/Einheit.dat", "old units\r\n");
  WriteAll(root + "Data/EN/Einheit.dat", "old units EN\r\n");
  WriteAll(root + "Data/Zutaten.dat", "old ingredients\r\n");
  WriteAll(root + "Data/DE/Einheit.datu", "new units\r\n");
  WriteAll(root + "Data/DE/Zutaten.datu", "new ingredients\r\n");
  WriteAll(root + "Data/DE/Lexika.lbku", "Techniken#1\r\n");
  WriteAll(root + "Data/DE/Lexika.ldtu", "SAPLEX_1.00\r\n#\r\nB1\r\n>Roux\r\nF0\r\nT\r\n#\r\n");
}

enum class Layout { kFresh, kOlder, kOldLayout };

template <Layout kLayout>
struct InstalledRoot {
  InstalledRoot() {
    if (kLayout == Layout::kFresh) FreshInstallation(root);
    if (kLayout == Layout::kOlder) OlderInstallation(root);
    if (kLayout == Layout::kOldLayout) OldLayoutWithOneLexicon(root);
    before = Settled(root);
  }
  static std::array<bool, DataTakeover::kChoices> Choice() {
    std::array<bool, DataTakeover::kChoices> take{};
    take.fill(true);
    if (kLayout == Layout::kOlder) take[DataTakeover::kCategories] = false;  // keep mine
    return take;
  }
  TempDir dir;
  std::string root = dir.Path();
  std::map<std::string, std::string> before;
};

// Killed before each file change of the takeover in turn, the next start finishes it: the root
// ends as an uninterrupted run leaves it, a book's three files taken together.
template <class Root>
void TakeoverKilledAnywhereIsFinishedByTheNextStart() {
  std::map<std::string, std::string> whole;
  test::ForEachKillPoint<Root>(
      [](Root& r) {
        return [&r] { DataTakeover(r.root, r.root, nullptr).Run(Root::Choice()); };
      },
      [&whole](Root& r, int step) {
        if (step < 0) {
          whole = Settled(r.root);
          return;
        }
        DataTakeover next(r.root, r.root, nullptr);
        if (!next.ResumeInterruptedRun()) {
          // Killed before the choice was kept: nothing changed, and the window comes again.
          EXPECT_EQ(Settled(r.root), r.before);
          next.Run(Root::Choice());
        }
        EXPECT_EQ(Settled(r.root), whole);
      });
}

TEST(TakeoverKillPoints, FreshInstallation) {
  TakeoverKilledAnywhereIsFinishedByTheNextStart<InstalledRoot<Layout::kFresh>>();
}

TEST(TakeoverKillPoints, OlderInstallation) {
  TakeoverKilledAnywhereIsFinishedByTheNextStart<InstalledRoot<Layout::kOlder>>();
}

TEST(TakeoverKillPoints, LayoutWithoutLanguageFoldersAndOneLexicon) {
  TakeoverKilledAnywhereIsFinishedByTheNextStart<InstalledRoot<Layout::kOldLayout>>();
  // What the whole run leaves: the new tables taken, the old ones kept, the lexicon in both.
  InstalledRoot<Layout::kOldLayout> r;
  DataTakeover(r.root, r.root, nullptr).Run(r.Choice());
  const auto tree = Settled(r.root);
  EXPECT_EQ(tree.at("Data/DE/Einheit.dat"), "new units\r\n");
  EXPECT_EQ(tree.at("Data/DE/Einheit.dat.bak"), "old units\r\n");
  EXPECT_EQ(tree.at("Data/EN/Einheit.dat"), "old units EN\r\n");
  EXPECT_EQ(tree.at("Data/DE/Zutaten.dat"), "new ingredients\r\n");
  EXPECT_EQ(tree.at("Data/EN/Zutaten.dat"), "old ingredients\r\n");
  EXPECT_EQ(tree.at("Data/EN/Lexika.ldt"), tree.at("Data/DE/Lexika.ldt"));
  EXPECT_EQ(tree.at("Data/EN/Lexika.lbk"), "Techniken#1\r\n");
}

TEST(Takeover, ATakenTableKeepsTheUsersOneAndEachLanguageItsLexicon) {
  TempDir dir;
  const std::string root = dir.Path(), de = root + "Data/DE/", en = root + "Data/EN/";
  WriteAll(de + "Einheit.dat", "my units\r\n");
  WriteAll(de + "Einheit.datu", "new units\r\n");
  WriteAll(de + "Zutaten.dat", "same\r\n");
  WriteAll(de + "Zutaten.datu", "same\r\n");
  WriteAll(de + "Lexika.ldt", "SAPLEX_1.00\r\n#\r\nB1\r\n>Mehlschwitze\r\n");
  WriteAll(de + "Lexika.ldtu", "SAPLEX_1.00\r\n#\r\nB1\r\n>Roux (neu)\r\n");
  WriteAll(en + "Lexika.ldt", "SAPLEX_1.00\r\n#\r\nB1\r\n>Roux\r\n");
  WriteAll(en + "Lexika.ldtu", "SAPLEX_1.00\r\n#\r\nB1\r\n>Roux (new)\r\n");
  std::array<bool, DataTakeover::kChoices> all{};
  all.fill(true);
  DataTakeover(root, root, nullptr).Run(all);
  EXPECT_EQ(ReadAll(de + "Einheit.dat"), "new units\r\n");
  EXPECT_EQ(ReadAll(de + "Einheit.dat.bak"), "my units\r\n");
  EXPECT_FALSE(FileExists(de + "Zutaten.dat.bak")) << "nothing of the user's was replaced";
  EXPECT_EQ(ReadAll(de + "Lexika.ldt.bak"), "SAPLEX_1.00\r\n#\r\nB1\r\n>Mehlschwitze\r\n");
  EXPECT_EQ(ReadAll(en + "Lexika.ldt"), "SAPLEX_1.00\r\n#\r\nB1\r\n>Roux (new)\r\n");
  EXPECT_FALSE(FileExists(root + "Takeover.pending"));

  // A single shipped lexicon (none in EN) still serves both languages.
  TempDir single;
  WriteAll(single.Path() + "Data/DE/Lexika.ldtu", "SAPLEX_1.00\r\n#\r\n");
  WriteAll(single.Path() + "Data/DE/Lexika.lbku", "Techniken#1\r\n");
  WriteAll(single.Path() + "Data/EN/Languages.dat", "EN#English\r\n");
  DataTakeover(single.Path(), single.Path(), nullptr).Run(all);
  EXPECT_EQ(ReadAll(single.Path() + "Data/EN/Lexika.ldt"), "SAPLEX_1.00\r\n#\r\n");
  EXPECT_EQ(ReadAll(single.Path() + "Data/EN/Lexika.lbk"), "Techniken#1\r\n");
}

}  // namespace
}  // namespace tav
