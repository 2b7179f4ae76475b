#include <gtest/gtest.h>

#include "export_test_support.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "recipedb/servings.h"
#include "services/text_tools.h"
#include "support/read_faults.h"

namespace tav {
namespace {

using test::Ansi;
using test::PlainRecipe;

size_t CountOf(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

class Export : public ::testing::Test {
 protected:
  void AddPlain(int n) {
    std::vector<REZBLOCK> recipes;
    for (int i = 1; i <= n; ++i) recipes.push_back(PlainRecipe(i));
    e.AddRecipes(recipes);
  }
  std::string File(const std::string& name) { return test::ReadAll(e.Path(name)); }
  std::vector<std::string> Log() const { return e.exporter.Log(); }
  test::ExportEnv e;
};

TEST_F(Export, TwoHundredFiftyRecipesSplitEveryHundredGiveFilesOfHundredHundredAndFifty) {
  AddPlain(250);
  e.exporter.Split = true;
  e.exporter.TileText = "100";
  struct Case {
    uint8_t format;
    const char* name;
    const char* second;
    const char* third;
    const char* recipeMark;
  } cases[] = {{kFormatMealMaster, "liste.mm", "liste_2.mm", "liste_3.mm", "MMMMM----- "},
               {kFormatRezKonv, "liste.rk", "liste_2.rk", "liste_3.rk", "========== "},
               {kFormatCookML, "liste.cml", "liste_2.cml", "liste_3.cml", "<recipe "}};
  for (const Case& c : cases) {
    e.Export(c.format, kSetAll, c.name);
    EXPECT_EQ(e.exporter.WrittenFiles(),
              (std::vector<std::string>{e.Path(c.name), e.Path(c.second), e.Path(c.third)}));
    EXPECT_EQ(CountOf(File(c.name), c.recipeMark), 100u) << c.name;
    EXPECT_EQ(CountOf(File(c.second), c.recipeMark), 100u) << c.name;
    EXPECT_EQ(CountOf(File(c.third), c.recipeMark), 50u) << c.name;
    EXPECT_NE(File(c.third).find("Rezept 00250"), std::string::npos);
    EXPECT_EQ(Log().back(), GetLangText(134));
  }
  // Every CookML file is a whole document.
  for (const char* name : {"liste.cml", "liste_2.cml", "liste_3.cml"}) {
    EXPECT_EQ(File(name).rfind("<?xml", 0), 0u) << name;
    EXPECT_EQ(File(name).substr(File(name).size() - 11), "</cookml>\r\n") << name;
  }
}

TEST_F(Export, ASplitAfterTheLastRecipeOpensNoFurtherFile) {
  AddPlain(200);
  e.exporter.TileText = "100";
  e.Export(kFormatCookML, kSetAll, "zwei.cml");
  EXPECT_EQ(e.exporter.WrittenFiles(),
            (std::vector<std::string>{e.Path("zwei.cml"), e.Path("zwei_2.cml")}));
  EXPECT_FALSE(FileExists(e.Path("zwei_3.cml")));
}

TEST_F(Export, ASplitCountThatIsNoPositiveNumberWritesOneFile) {
  AddPlain(7);
  for (const char* text : {"0", "", "Alle", "-5"}) {
    e.exporter.Split = true;
    e.exporter.TileText = text;
    e.Export(kFormatMealMaster, kSetAll, "eine.mm");
    EXPECT_EQ(e.exporter.WrittenFiles(), (std::vector<std::string>{e.Path("eine.mm")})) << text;
    EXPECT_EQ(CountOf(File("eine.mm"), "MMMMM----- "), 7u) << text;
  }
  e.exporter.Split = false;  // the count does not matter without the split
  e.exporter.TileText = "1";
  e.Export(kFormatMealMaster, kSetAll, "ohne.mm");
  EXPECT_EQ(e.exporter.WrittenFiles().size(), 1u);
}

TEST_F(Export, SplitNumbersGoBeforeTheExtensionOfTheFileNeverIntoAFolder) {
  AddPlain(3);
  MakeDirs(e.env.Root() + "Export/alte_liste.v2");
  e.exporter.TileText = "1";
  e.Export(kFormatRezKonv, kSetAll, "alte_liste.v2/rezepte");
  const std::string folder = e.Path("alte_liste.v2/");
  EXPECT_EQ(e.exporter.WrittenFiles(),
            (std::vector<std::string>{folder + "rezepte.rk", folder + "rezepte_2.rk",
                                      folder + "rezepte_3.rk"}));
}

TEST_F(Export, AChosenNameGetsTheExtensionUnlessItHoldsItAlready) {
  AddPlain(1);
  e.Export(kFormatCookML, kSetAll, "rezepte");
  EXPECT_TRUE(FileExists(e.Path("rezepte.cml")));
  e.Export(kFormatCookML, kSetAll, "rezepte.cml.alt");
  EXPECT_TRUE(FileExists(e.Path("rezepte.cml.alt")));
}

TEST_F(Export, TheCurrentRecipeWithNothingSelectedWritesNothing) {
  AddPlain(2);
  test::WriteAll(e.Path("aktuell.cml"), "alter Inhalt");
  e.exporter.list = e.AllRows();
  e.exporter.list.currentRow = 1;  // current but not selected
  e.Export(kFormatCookML, kSetCurrent, "aktuell.cml");
  EXPECT_EQ(File("aktuell.cml"), "alter Inhalt");  // no header, no empty file
  EXPECT_EQ(Log(),
            (std::vector<std::string>{GetLangText(137), "", GetLangText(133), GetLangText(134)}));

  e.exporter.list.selected[0] = 1;  // a selection: the current row is taken
  e.Export(kFormatCookML, kSetCurrent, "aktuell.cml");
  EXPECT_EQ(CountOf(File("aktuell.cml"), "<recipe "), 1u);
  EXPECT_NE(File("aktuell.cml").find("title=\"Rezept 00002\""), std::string::npos);
}

TEST_F(Export, TheCurrentRecipeIsScaledToTheChosenServings) {
  REZBLOCK r = PlainRecipe(1);
  r.lines = {{"250", "g", "Mehl", "", 0, 0}, {"0,3333", "TL", "Salz", "", 0, 0}};
  e.AddRecipes({r});
  e.exporter.list = e.AllRows();
  e.exporter.list.selected[0] = 1;
  SetChosenServings(8);
  e.Export(kFormatRezKonv, kSetCurrent, "doppelt.rk");
  const std::string text = File("doppelt.rk");
  EXPECT_NE(text.find("     Menge: 8 Portionen"), std::string::npos);
  EXPECT_NE(text.find("    500         g  Mehl"), std::string::npos) << text;
  SetChosenServings(4);  // the recipe's own: only the long decimal is cut
  e.Export(kFormatRezKonv, kSetCurrent, "eigen.rk");
  EXPECT_NE(File("eigen.rk").find(FormatFixed(0.33, 2) + "        TL  Salz"), std::string::npos)
      << File("eigen.rk");
}

TEST_F(Export, TheClipboardGetsCrLfLinesButNeverCookML) {
  AddPlain(2);
  e.exporter.Ziel = kTargetClipboard;
  e.Export(kFormatMealMaster, kSetAll, "");
  const std::string& clip = e.env.clipboard.text;
  EXPECT_EQ(CountOf(clip, "MMMMM----- "), 2u);
  EXPECT_EQ(CountOf(clip, "\r\n"), CountOf(clip, "\n"));
  EXPECT_EQ(Log().back(), GetLangText(134));
  EXPECT_EQ(Log()[Log().size() - 2], GetLangText(132));
  EXPECT_TRUE(e.exporter.ClipText.empty());

  e.env.clipboard.text = "vorher";
  e.Export(kFormatCookML, kSetAll, "");
  EXPECT_EQ(e.env.clipboard.text, "vorher");
  EXPECT_EQ(Log().back(), GetLangText(131));
}

TEST_F(Export, TheSetsTakeMarkedSelectedOrAllLiveEntries) {
  std::vector<REZBLOCK> recipes;
  for (int i = 1; i <= 6; ++i) recipes.push_back(PlainRecipe(i));
  recipes[1].flags = kRecipeMarked;
  recipes[2].flags = kRecipeMenu | kRecipeMarked;  // a marked menu is marked
  recipes[3].flags = kRecipeMenu;                  // a menu alone is not
  e.AddRecipes(recipes);
  REZINDEX& gone = const_cast<REZINDEX&>(e.store.BookIndex()[4]);
  gone.deleted = 1;  // deleted entries are never exported
  gone.flags = kRecipeMarked;
  RecipeListSnapshot rows = e.AllRows();
  rows.selected = {1, 0, 1, 0, 1, 1};
  struct Case {
    uint8_t set;
    std::vector<const char*> titles;
  } cases[] = {{kSetAll, {"00001", "00002", "00003", "00004", "00006"}},
               {kSetMarked, {"00002", "00003"}},
               {kSetSelected, {"00001", "00003", "00006"}}};
  for (const Case& c : cases) {
    e.exporter.list = rows;
    e.Export(kFormatCookML, c.set, "menge.cml");
    const std::string text = File("menge.cml");
    EXPECT_EQ(CountOf(text, "<recipe "), c.titles.size()) << int(c.set);
    for (const char* t : c.titles)
      EXPECT_NE(text.find(std::string("Rezept ") + t), std::string::npos) << t;
  }
}

// Stores the recipe in a new book "Andere" and opens "Ziel" again; the recipe's entry.
REZINDEX RecipeInAnotherBook(test::ExportEnv& e, REZBLOCK recipe) {
  KBOOK other;
  other.name = "Andere";
  EXPECT_TRUE(e.books.CreateKBook(other));
  e.books.SelectKBook("Andere");
  ctx().options->SetParaString(6, "Andere");
  e.store.ReloadBookIndex();
  e.AddRecipe(recipe);
  const REZINDEX entry = e.store.BookIndex()[0];
  e.books.SelectKBook("Ziel");
  ctx().options->SetParaString(6, "Ziel");
  e.store.ReloadBookIndex();
  return entry;
}

TEST_F(Export, TheSearchListTakesRecipesOfAnyBookByBookAndNumber) {
  AddPlain(3);
  REZBLOCK elsewhere = PlainRecipe(9);
  elsewhere.title = "Aus dem anderen Buch";
  const REZINDEX fromOther = RecipeInAnotherBook(e, elsewhere);
  e.store.ClearSearchResult();
  e.store.AddSearchEntry(e.store.BookIndex()[2]);
  e.store.AddSearchEntry(fromOther);
  e.store.AddSearchEntry(e.store.BookIndex()[0]);

  e.Export(kFormatRezKonv, kSetSearchList, "suche.rk");
  const std::string text = File("suche.rk");
  const size_t third = text.find("Titel: Rezept 00003");
  const size_t other_ = text.find("Titel: Aus dem anderen Buch");
  const size_t first = text.find("Titel: Rezept 00001");
  ASSERT_NE(third, std::string::npos);
  ASSERT_NE(other_, std::string::npos);
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(third, other_);
  EXPECT_LT(other_, first);
  EXPECT_EQ(CountOf(text, "========== "), 3u);
}

// The current book's index with a read error at each of its reads in turn when the book is
// opened: the load says so, the record file keeps every record, no entry is written by a
// position that may not be the file's, and an export of all recipes replaces no earlier export.
TEST(ExportOfAnUnreadBook, AReadErrorAtEachReadOfTheIndexExportsNothing) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    test::ExportEnv e;
    std::vector<REZBLOCK> recipes;
    for (int i = 1; i <= 12; ++i) recipes.push_back(PlainRecipe(i));
    e.AddRecipes(recipes);
    e.Export(kFormatCookML, kSetAll, "alle.cml");
    const std::string earlier = test::ReadAll(e.Path("alle.cml"));
    ASSERT_EQ(CountOf(earlier, "<recipe "), 12u);
    const std::string index = e.File("Ziel", ".idx"), records = e.File("Ziel", ".bok");
    const std::string indexBytes = test::ReadAll(index), recordBytes = test::ReadAll(records);
    e.env.messages.shown.clear();
    test::NthReadFault fault(n, [&](const std::string& path) { return path == index; });
    e.store.ReloadBookIndex();
    fault.Off();
    if (!fault.Hit()) break;
    const std::string unread = FormatLangText(GetLangText(1091), {"Ziel"});
    ASSERT_EQ(e.env.messages.shown.size(), 1u);
    EXPECT_EQ(e.env.messages.shown[0].text, unread);
    EXPECT_FALSE(e.store.IndexReadWhole());
    EXPECT_EQ(test::ReadAll(records), recordBytes);

    e.exporter.list = e.AllRows();
    e.Export(kFormatCookML, kSetAll, "alle.cml");
    EXPECT_EQ(test::ReadAll(e.Path("alle.cml")), earlier);
    EXPECT_EQ(e.env.messages.shown.back().text, FormatLangText(GetLangText(1093), {"Ziel"}));
    EXPECT_EQ(e.exporter.Log().back(), GetLangText(131));

    REZINDEX entry = test::BookEnv::EntryFor(PlainRecipe(13), 19, 60);
    EXPECT_FALSE(e.store.WriteIndexEntry(entry, -1));
    EXPECT_EQ(e.env.messages.shown.back().text, unread);
    EXPECT_EQ(test::ReadAll(index), indexBytes);

    // Read whole again, the book is what it was.
    e.store.ReloadBookIndex();
    EXPECT_TRUE(e.store.IndexReadWhole());
    EXPECT_EQ(e.list.items.size(), 12u);
  }
}

// A search result with recipes of another book whose index fails at each of its reads in
// turn: nothing is exported, and the message names that book.
TEST(ExportOfAnUnreadBook, ASearchResultWithABookThatCannotBeReadExportsNothing) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    test::ExportEnv e;
    e.AddRecipes({PlainRecipe(1), PlainRecipe(2)});
    const REZINDEX fromOther = RecipeInAnotherBook(e, PlainRecipe(9));
    e.store.ClearSearchResult();
    e.store.AddSearchEntry(e.store.BookIndex()[1]);
    e.store.AddSearchEntry(fromOther);
    const std::string index = e.File("Andere", ".idx");
    test::WriteAll(e.Path("suche.rk"), "earlier\r\n");
    test::NthReadFault fault(n, [&](const std::string& path) { return path == index; });
    e.Export(kFormatRezKonv, kSetSearchList, "suche.rk");
    fault.Off();
    if (!fault.Hit()) {
      EXPECT_EQ(CountOf(test::ReadAll(e.Path("suche.rk")), "========== "), 2u);
      break;
    }
    EXPECT_EQ(test::ReadAll(e.Path("suche.rk")), "earlier\r\n");
    ASSERT_FALSE(e.env.messages.shown.empty());
    EXPECT_EQ(e.env.messages.shown.back().text, FormatLangText(GetLangText(1093), {"Andere"}));
  }
}

TEST_F(Export, ASecondClickStopsTheRunAfterTheRecipeInHand) {
  AddPlain(30);
  e.exporter.Split = false;
  e.exporter.onProcess = [&] {
    if (e.exporter.processCalls == 2) e.exporter.StartExport();  // the click on "Abbrechen"
  };
  e.Export(kFormatCookML, kSetAll, "halt.cml");
  const std::string text = File("halt.cml");
  EXPECT_EQ(CountOf(text, "<recipe "), 6u);  // the second progress point comes after recipe 6
  EXPECT_EQ(CountOf(text, "</recipe>"), 6u);
  EXPECT_EQ(text.substr(text.size() - 11), "</cookml>\r\n");
  const std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
            (std::vector<std::string>{GetLangText(133), GetLangText(134), GetLangText(135)}));
  EXPECT_FALSE(e.exporter.IsRunning());
  EXPECT_EQ(e.exporter.states, (std::vector<ExportRun::RunState>{
                                   ExportRun::kStarting, ExportRun::kWriting, ExportRun::kIdle}));
}

TEST_F(Export, TheProgressLineIsReplacedAndAWritersLinesStayAboveIt) {
  std::vector<REZBLOCK> recipes;
  for (int i = 1; i <= 10; ++i) recipes.push_back(PlainRecipe(i));
  for (int slot = 0; slot < 6; ++slot)
    recipes[4].categories[slot] = static_cast<uint16_t>(slot + 1);
  e.AddRecipes(recipes);
  e.Export(kFormatMealMaster, kSetAll, "zehn.mm");
  EXPECT_EQ(Log(),
            (std::vector<std::string>{
                "Exportiert: 3 Rezepte", GetLangText(852) + "Rezept 00005':", GetLangText(146),
                "Exportiert: 10 Rezepte", "", GetLangText(133), GetLangText(134)}));
  // Nothing taken yet: every entry shows "noch kein Rezept".
  e.Export(kFormatMealMaster, kSetMarked, "keins.mm");
  EXPECT_EQ(Log().front(), GetLangText(145));
  EXPECT_FALSE(FileExists(e.Path("keins.mm")));  // nothing written: no empty file
}

TEST_F(Export, ACancelledChoiceOrAnUnwritableFileFailsTheRun) {
  AddPlain(2);
  e.Export(kFormatMealMaster, kSetAll, "");
  EXPECT_EQ(Log(), (std::vector<std::string>{"", GetLangText(131)}));
  e.Export(kFormatMealMaster, kSetAll, "fehlt/liste.mm");  // no such folder
  EXPECT_EQ(Log().back(), GetLangText(131));
  EXPECT_TRUE(e.exporter.WrittenFiles().empty());
}

TEST_F(Export, TheChoicesAreKeptInSectionExport) {
  ExportRun fresh;
  fresh.LoadChoices();  // defaults
  EXPECT_EQ(fresh.WhatRez, kSetCurrent);
  EXPECT_EQ(fresh.Ziel, kTargetFile);
  EXPECT_TRUE(fresh.Split);
  EXPECT_EQ(fresh.Format, kFormatCookML);
  EXPECT_EQ(fresh.TileText, "100");

  fresh.WhatRez = kSetSelected;
  fresh.Ziel = kTargetClipboard;
  fresh.Split = false;
  fresh.Format = kFormatRezKonv;
  fresh.TileText = "25 Rezepte";
  fresh.SaveChoices();
  const std::string key = "Software\\Brimo\\Tavolin\\Export";
  EXPECT_EQ(e.env.userSettings.Read(key, "WhatRez"), "4");
  EXPECT_EQ(e.env.userSettings.Read(key, "Format"), "1");
  EXPECT_EQ(e.env.userSettings.Read(key, "TileAnz"), "25 Rezepte");
  ExportRun again;
  again.LoadChoices();
  EXPECT_EQ(again.WhatRez, kSetSelected);
  EXPECT_EQ(again.Ziel, kTargetClipboard);
  EXPECT_FALSE(again.Split);
  EXPECT_EQ(again.Format, kFormatRezKonv);
  EXPECT_EQ(again.TileAnz, 25);
}

}  // namespace
}  // namespace tav
