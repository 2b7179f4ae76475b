#include <gtest/gtest.h>
#include <unistd.h>


#include "exchange/auto_import.h"
#include "exchange/recipe_title_list.h"
#include "export_test_support.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tav {
namespace {

using test::PlainRecipe;

class TitleList : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<REZBLOCK> recipes;
    for (int i = 1; i <= 5; ++i) recipes.push_back(PlainRecipe(i));
    recipes[1].flags = kRecipeMarked;
    recipes[2].flags = kRecipeMenu;
    recipes[4].flags = kRecipeMenu | kRecipeMarked;
    e.AddRecipes(recipes);
    const_cast<REZINDEX&>(e.store.BookIndex()[3]).deleted = 1;
    rows = e.AllRows();
    rows.selected = {0, 1, 0, 1, 1};
  }
  test::ExportEnv e;
  RecipeListSnapshot rows;
};

TEST_F(TitleList, EachRangeTakesItsLiveEntriesInListOrder) {
  EXPECT_EQ(
      RecipeTitles(rows, kTitlesAll),
      (std::vector<std::string>{"Rezept 00001", "Rezept 00002", "Rezept 00003", "Rezept 00005"}));
  // Marked means the marked bit, as in the print selector: a menu only when it is marked.
  EXPECT_EQ(RecipeTitles(rows, kTitlesMarked),
            (std::vector<std::string>{"Rezept 00002", "Rezept 00005"}));
  EXPECT_EQ(RecipeTitles(rows, kTitlesSelected),
            (std::vector<std::string>{"Rezept 00002", "Rezept 00005"}));

  const std::string path = e.Path("KList.txt");
  EXPECT_TRUE(WriteRecipeTitleList(rows, kTitlesMarked, path));
  EXPECT_EQ(test::ReadAll(path), "Rezept 00002\r\nRezept 00005\r\n");
}

TEST_F(TitleList, InTheSearchResultTheTitlesComeFromItsEntries) {
  e.store.ClearSearchResult();
  e.store.AddSearchEntry(e.store.BookIndex()[4]);
  e.store.AddSearchEntry(e.store.BookIndex()[0]);
  RecipeListSnapshot search;
  search.searchMode = true;
  search.items = {1, 0};  // the list shows them sorted
  search.selected = {0, 0};
  EXPECT_EQ(RecipeTitles(search, kTitlesAll),
            (std::vector<std::string>{"Rezept 00001", "Rezept 00005"}));
}

TEST_F(TitleList, NothingToWriteOrAFileThatCannotBeMadeIsSaidAndChangesNothing) {
  const std::string path = e.Path("alt.txt");
  test::WriteAll(path, "alte Liste\r\n");
  rows.selected.assign(5, 0);
  EXPECT_FALSE(WriteRecipeTitleList(rows, kTitlesSelected, path));
  ASSERT_EQ(e.env.messages.shown.size(), 1u);
  EXPECT_EQ(e.env.messages.shown[0].text, GetLangText(314));
  EXPECT_EQ(e.env.messages.shown[0].title, GetLangText(15));
  EXPECT_EQ(test::ReadAll(path), "alte Liste\r\n");

  EXPECT_FALSE(WriteRecipeTitleList(rows, kTitlesAll, e.Path("fehlt/KList.txt")));
  EXPECT_EQ(e.env.messages.shown.back().text, GetLangText(313));
}

TEST_F(TitleList, TheChoicesAreKeptInSectionExport) {
  TitleListChoices choices;
  choices.Load();
  EXPECT_EQ(choices.range, kTitlesSelected);
  EXPECT_EQ(choices.target, kTitlesToFile);
  choices.range = kTitlesMarked;
  choices.target = kTitlesToPrinter;
  choices.Save();
  EXPECT_EQ(e.env.userSettings.Read("Software\\Brimo\\Tavolin\\Export", "LstWhatRez"), "2");
  TitleListChoices again;
  again.Load();
  EXPECT_EQ(again.range, kTitlesMarked);
  EXPECT_EQ(again.target, kTitlesToPrinter);
}

// The watched folder with a scripted import: a file's recipes are the number its content
// begins with; "blocked" makes the import refuse.
class AutoImportRun : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = e.env.Root() + "Auto-Import/";
    MakeDirs(folder);
    run.importFile = [this](const std::string& file, const std::string& book) {
      imports.push_back(FileName(file) + " -> " + book);
      if (blocked) return -1;
      if (onImport) onImport();
      return std::atoi(test::ReadAll(file).c_str());
    };
  }
  static std::string FileName(const std::string& path) {
    return path.substr(LastSeparator(path) + 1);
  }
  void Put(const std::string& name, const std::string& content) {
    test::WriteAll(folder + name, content);
  }
  std::vector<std::string> Names(int filter) {
    std::vector<std::string> out;
    for (const AutoImport::FolderFile& f : AutoImport::ListWatchedFolder(filter))
      out.push_back(f.name);
    return out;
  }
  std::string LogBook() { return test::ReadAll(folder + "Logbuch.txt"); }

  test::ExportEnv e;
  AutoImport run;
  std::string folder;
  std::vector<std::string> imports;
  bool blocked = false;
  std::function<void()> onImport;
};

TEST_F(AutoImportRun, FilesAreListedByTheStateTheirNamesGive) {
  Put("a.mm", "2");
  Put("b.txt.OK", "1");
  Put("c.rk.NoRez", "0");
  Put("rezepte.okay", "3");  // ".OK" anywhere: imported
  Put("Logbuch.txt", "");
  Put(".versteckt", "1");
  MakeDirs(folder + "Unterordner");
  EXPECT_EQ(Names(0), (std::vector<std::string>{"a.mm"}));
  EXPECT_EQ(Names(1), (std::vector<std::string>{"b.txt.OK", "c.rk.NoRez", "rezepte.okay"}));
  EXPECT_EQ(Names(2), (std::vector<std::string>{"a.mm", "b.txt.OK", "c.rk.NoRez", "rezepte.okay"}));
  EXPECT_EQ(AutoImport::StateOf("x.nOrEz"), AutoImport::kNoRecipe);
}

// Names that hold "..\" and backslashes are names, never paths: such a file is neither
// imported nor put away, and the files its name points at outside the folder stay as they were.
TEST_F(AutoImportRun, AFileNamedLikeAPathOutOfTheFolderIsLeftAlone) {
  ctx().options->SetParaBool(44, true);  // recipes found: delete
  ctx().options->SetParaBool(45, true);  // none found: rename to ".NoRez"
  const std::string root = e.env.Root();
  MakeDirs(root + "Data");
  test::WriteAll(root + "Data/Users.dat", "#\r\n>NAnna\r\n#\r\n");
  test::WriteAll(root + "WPlan.ini", "[Plan]\r\nTage=7\r\n");
  const char* hostile[] = {"..\\Data\\Users.dat", "..\\WPlan.ini", "Unter\\..\\..\\WPlan.ini"};
  Put(hostile[0], "2");
  Put(hostile[1], "0");
  Put(hostile[2], "0");
  run.RunAutoImport();
  EXPECT_EQ(Names(2), std::vector<std::string>());
  for (const char* name : hostile) {
    EXPECT_EQ(run.AutoImportFile(folder + name), 0) << name;
    EXPECT_EQ(::access((folder + name).c_str(), F_OK), 0) << name;  // the name as it is on disk
  }
  EXPECT_EQ(imports, std::vector<std::string>());
  EXPECT_EQ(test::ReadAll(root + "Data/Users.dat"), "#\r\n>NAnna\r\n#\r\n");
  EXPECT_EQ(test::ReadAll(root + "WPlan.ini"), "[Plan]\r\nTage=7\r\n");
  EXPECT_FALSE(EntryExists(root + "WPlan.ini.NoRez"));
  EXPECT_FALSE(EntryExists(root + "Data/Users.dat.NoRez"));
}

TEST_F(AutoImportRun, AFileIsPutAwayAsOptions44And45SayAndLogged) {
  struct Case {
    bool done, bad;
    const char* content;
    const char* left;  // the name the file has afterwards, "" when deleted
  } cases[] = {{true, true, "2", ""},
               {false, true, "2", "r.mm.OK"},
               {true, true, "0", "r.mm.NoRez"},
               {true, false, "0", ""}};
  for (const Case& c : cases) {
    ctx().options->SetParaBool(44, c.done);
    ctx().options->SetParaBool(45, c.bad);
    Put("r.mm", c.content);
    Put("r.mm.NoRez", "alt");  // an older file of the new name is replaced
    EXPECT_EQ(run.AutoImportFile(folder + "r.mm"), std::atoi(c.content));
    EXPECT_FALSE(FileExists(folder + "r.mm"));
    if (*c.left) {
      EXPECT_EQ(test::ReadAll(folder + c.left), c.content) << c.left;
    }
    RemoveFile(folder + "r.mm.OK");
    RemoveFile(folder + "r.mm.NoRez");
  }
  EXPECT_EQ(imports.back(), "r.mm -> Auto-Import");
  // Logbuch.txt: "dd.mm.yyyy hh:mm: " and the entry, one line per file.
  const std::vector<std::string> lines = SplitLines(LogBook());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].substr(18), "2" + GetLangText(337) + ". ('" + folder + "r.mm')");
  EXPECT_EQ(lines[2].substr(18), GetLangText(336) + ". ('" + folder + "r.mm')");
  EXPECT_EQ(lines[0][2], '.');
  EXPECT_EQ(lines[0][13], ':');
  EXPECT_EQ(lines[0].substr(16, 2), ": ");
  EXPECT_EQ(LogBook().substr(LogBook().size() - 2), "\r\n");

  ctx().options->SetParaBool(46, false);  // no log
  Put("s.mm", "1");
  EXPECT_EQ(run.AutoImportFile(folder + "s.mm"), 1);
  EXPECT_EQ(SplitLines(LogBook()).size(), 4u);
  EXPECT_EQ(run.AutoImportFile(folder + "t.mm.OK"), 0);  // never for an imported file
}

TEST_F(AutoImportRun, ARunTakesEveryPendingFileAndStopsWhenTheImportCannotRun) {
  Put("a.mm", "2");
  Put("b.rk", "1");
  Put("c.txt", "0");
  Put("d.cml.OK", "4");
  run.RunAutoImport();
  EXPECT_EQ(imports, (std::vector<std::string>{"a.mm -> Auto-Import", "b.rk -> Auto-Import",
                                               "c.txt -> Auto-Import"}));
  EXPECT_EQ(Names(2), (std::vector<std::string>{"c.txt.NoRez", "d.cml.OK"}));

  blocked = true;  // the import window is open: the file stays, nothing is logged
  Put("e.mm", "3");
  const std::string before = LogBook();
  run.RunAutoImport();
  EXPECT_TRUE(FileExists(folder + "e.mm"));
  EXPECT_EQ(LogBook(), before);
  blocked = false;
  run.RunAutoImport();
  EXPECT_FALSE(FileExists(folder + "e.mm"));
}

TEST_F(AutoImportRun, AFileThatCannotBePutAwayIsSaidOnceAndNeverImportedAgain) {
  ctx().options->SetParaBool(44, false);  // rename to ".OK" ...
  Put("a.mm", "2");
  Put("a.mm.OK/belegt", "x");  // ... where a folder that cannot go stands
  Put("b.mm", "1");
  run.RunAutoImport();
  ASSERT_EQ(e.env.messages.shown.size(), 1u);
  EXPECT_EQ(e.env.messages.shown[0].text, GetLangText(338) + folder + "a.mm" + GetLangText(339));
  EXPECT_EQ(e.env.messages.shown[0].title, GetLangText(851));
  EXPECT_TRUE(run.IsSetAside(folder + "a.mm"));
  EXPECT_EQ(imports.size(), 1u);  // the run stopped there
  for (int tick = 0; tick < 3; ++tick) run.RunAutoImport();
  EXPECT_EQ(imports, (std::vector<std::string>{"a.mm -> Auto-Import", "b.mm -> Auto-Import"}));
  EXPECT_EQ(e.env.messages.shown.size(), 1u);
  EXPECT_TRUE(FileExists(folder + "b.mm.OK"));
}

TEST_F(AutoImportRun, ACallWhileARunIsUnderWayDoesNothing) {
  Put("a.mm", "1");
  Put("b.mm", "1");
  int nested = 0;
  onImport = [&] {
    ++nested;
    run.RunAutoImport();  // a timer tick while a message box of the run is open
  };
  run.RunAutoImport();
  EXPECT_EQ(imports.size(), 2u);
  EXPECT_EQ(nested, 2);
  EXPECT_FALSE(run.IsBusy());
}

TEST_F(AutoImportRun, TheListIsReloadedOnlyWhenTheCurrentBookIsTheAutoImportBook) {
  e.AddRecipes({PlainRecipe(1)});
  const int fills = e.list.fills;
  run.ReloadIfAutoImportBook();  // "Ziel" is current
  EXPECT_EQ(e.list.fills, fills);
  ctx().options->SetParaString(43, "Ziel");
  run.ReloadIfAutoImportBook();
  EXPECT_EQ(e.list.fills, fills + 1);
}

}  // namespace
}  // namespace tav
