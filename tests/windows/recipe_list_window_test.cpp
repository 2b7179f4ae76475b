// The recipe list pane inside the whole program, offscreen: two books built through the store
// before the start, the list filled by the first activation, and the list's commands and the
// main window's book commands acting on the book files.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QTest>
#include <QToolButton>
#include <cstring>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "diary/diary_module.h"
#include "kitchen/ui/shopping_list_window.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/book_test_util.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "recipes/recipe_list_commands.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "recipes/ui/standard_view_window.h"
#include "services/options_store.h"
#include "support/test_env.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "windows/list_view_clicks.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

struct Recipe {
  const char* title;
  uint16_t category;  // a main category, in slot 0 (or slot 5 when `lateSlot`)
  bool lateSlot;
  std::vector<REZPICTURE> pictures;
};

// "Hauptbuch": eight recipes, added in this order (numbers 1 to 8). "Zweitbuch": two.
const std::vector<Recipe> kMain = {
    {"Zwiebelsuppe", 2, false, {}},
    {"Apfelkuchen", 7, false, {{'F', "bild.jpg"}}},
    {"\xC4lplermagronen", 4, false, {}},
    {"Bohnensuppe", 2, true, {}},
    {"Abcd", 1, false, {}},
    {"Xabc", 1, false, {}},
    {"K\xE4sekuchen", 7, false, {{'U', "http://example.org/k.jpg"}}},
    {"Marmorkuchen", 7, false, {{'F', "fehlt.jpg"}}},
};
const std::vector<Recipe> kOther = {{"Linsensuppe", 2, false, {}}, {"Pfannkuchen", 6, false, {}}};

// The list in the order the pane shows it.
const std::vector<std::string> kListed = {
    "Abcd",        "\xC4lplermagronen", "Apfelkuchen", "Bohnensuppe",
    "K\xE4sekuchen", "Marmorkuchen",    "Xabc",        "Zwiebelsuppe"};

class RecipeListWindow : public ::testing::Test {
 protected:
  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();

  void SetUp() override {
    SetProgramFolder(program.Path());
    for (const char* file : {"GUI.klf", "Gattung.dat"})
      WriteAll(env.DataFolder() + "DE/" + file,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/" + file));
    WriteAll(env.Root() + "Pics/bild.jpg", "picture bytes");
    BuildBook("Hauptbuch", "Alles", kMain);
    BuildBook("Zweitbuch", "", kOther);
    env.userSettings.WriteString(kRegParam, "KBook", "Hauptbuch");
    env.userSettings.WriteString(kRegParam, "ShowMode", "1");  // the standard view
    StartProgram();
    MainFrm->FormActivate();  // the first activation opens the book
    QApplication::processEvents();
    list = ChooseRezDlg;
  }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
  }

  // A book made through the cookbook list and the store, as the program makes them.
  void BuildBook(const std::string& name, const std::string& description,
                 const std::vector<Recipe>& recipes) {
    KBOOK book;
    book.name = name;
    book.description = description;
    book.toolbarFlag = 1;
    std::vector<REZBLOCK> blocks;
    for (const Recipe& r : recipes) {
      REZBLOCK b;
      ClearRezBlock(b);
      b.title = r.title;
      b.text = std::string("Zubereitung von ") + r.title;
      b.servings = 4;
      b.categories[r.lateSlot ? 5 : 0] = r.category;
      b.pictures = r.pictures;
      blocks.push_back(b);
    }
    test::MakeBookBeforeStart(env, book, blocks);
  }

  std::string Data() const { return env.DataFolder(); }
  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    REZINDEX e;
    for (int row = 0; row < list->Count(); ++row) out.push_back(list->RowEntry(row, e) ? e.Title() : "?");
    return out;
  }
  std::string Title(int row) const {
    REZINDEX e;
    return list->RowEntry(row, e) ? e.Title() : std::string();
  }
  int RowOf(const std::string& title) const {
    for (int row = 0; row < list->Count(); ++row)
      if (Title(row) == title) return row;
    return -1;
  }
  // A left click on a row, as the mouse gives it.
  void Click(int row) { ASSERT_TRUE(test::ClickCell(list->ChooseLiBo, row)); }
  void Select(std::initializer_list<int> rows) {
    list->SelectOnly(-1);
    for (int row : rows) {
      list->ChooseLiBo->SetSelected(row, true);
      list->ChooseLiBo->SetCurrentRow(row);
    }
  }
  // The index entry of a book's file at a position, and the flag bytes of its record.
  REZINDEX IndexEntry(const std::string& book, int position) const {
    const std::string idx = ReadAll(Data() + book + ".idx");
    REZINDEX e;
    std::memcpy(&e, idx.data() + 23 + 104 * position, sizeof e);
    return e;
  }
  int Entries(const std::string& book) const {
    return CountIndexEntries(Data() + book + ".idx", false);
  }
  std::pair<int, int> RecordFlags(const std::string& book, int position) const {
    const REZINDEX e = IndexEntry(book, position);
    const std::string bok = ReadAll(Data() + book + ".bok");
    return {static_cast<unsigned char>(bok[e.offset + 5]), static_cast<unsigned char>(bok[e.offset + 6])};
  }
  // Position in the book's index of the recipe with that title (file order).
  int Position(const std::string& book, const std::string& title) const {
    for (int i = 0; i < Entries(book); ++i)
      if (IndexEntry(book, i).Title() == title) return i;
    return -1;
  }
  void SaveShot(QWidget* w, const std::string& name) {
    test::Shot(w, name.substr(0, name.rfind(".png")));
  }

  TChooseRezDlg* list = nullptr;
};

TEST_F(RecipeListWindow, OpensTheBookSortedAndShowsTheClickedRecipe) {
  EXPECT_EQ(ctx().recipeList, list);
  EXPECT_EQ(list->parentWidget(), MainFrm->ChooseRezParPanel);
  EXPECT_EQ(Titles(), kListed);
  EXPECT_EQ(fromQ(MainFrm->windowTitle()), "Tavolin!   Hauptbuch (Alles)");
  EXPECT_EQ(fromQ(list->RezTitle->text()), "  Rezeptliste");
  EXPECT_FALSE(MainFrm->TBDel->isEnabled());

  Click(1);
  EXPECT_EQ(list->CurrentRow(), 1);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(Title(1), "\xC4lplermagronen");
  REZINDEX shown;
  ASSERT_TRUE(dbList->GetListEntry(shown, list->ShownItem));
  EXPECT_EQ(shown.Title(), "\xC4lplermagronen");
  // The standard view shows it.
  EXPECT_TRUE(showRezDlg->isVisible());
  EXPECT_EQ(showRezDlg->GetStdViewItem(), list->ShownItem);
  EXPECT_EQ(fromQ(DataRezDlg->RezTitle->text()), " \xC4lplermagronen");
  EXPECT_EQ(fromQ(showRezDlg->RezTextRtf->toPlainText()), "Zubereitung von \xC4lplermagronen");
  EXPECT_TRUE(MainFrm->TBDel->isEnabled());
  SaveShot(MainFrm, "recipe_list_main_window.png");
}

TEST_F(RecipeListWindow, NavigatesFirstLastNextPrevious) {
  const int n = static_cast<int>(kListed.size());
  struct Step {
    int how;
    int row;  // the one selected row afterwards
  };
  const Step steps[] = {{1, 0}, {2, 0}, {3, 1}, {3, 2}, {0, n - 1}, {3, n - 1}, {2, n - 2}};
  for (const Step& s : steps) {
    list->NavigateRecipe(s.how);
    EXPECT_EQ(list->SelectedRows(), std::vector<int>{s.row}) << s.how;
    EXPECT_EQ(list->CurrentRow(), s.row) << s.how;
    EXPECT_EQ(list->ShownItem, list->ItemData(s.row)) << s.how;
  }
  // With two selected, previous and next do nothing.
  Select({2, 4});
  MainFrm->TBQImportClick();
  MainFrm->TBBackClick();
  EXPECT_EQ(list->SelectedRows(), (std::vector<int>{2, 4}));
  MainFrm->MnRandomRezClick();
  ASSERT_EQ(list->SelectedRows().size(), 1u);
  // Clicking the shown entry after navigating away from it shows it again.
  list->NavigateRecipe(1);
  const int first = list->ShownItem;
  list->NavigateRecipe(3);
  Click(0);
  EXPECT_EQ(list->ShownItem, first);
}

TEST_F(RecipeListWindow, QuickSearchAnywhereAndAtTheTitleStart) {
  // Typed into the field, what it held taken away first.
  // What the field holds selected and typed over.
  auto type = [&](const char* text) {
    ASSERT_TRUE(test::Click(list->SearchEdt));
    QTest::keyClick(list->SearchEdt, Qt::Key_A, Qt::ControlModifier);
    if (*text == 0) QTest::keyClick(list->SearchEdt, Qt::Key_Delete);
    test::TypeText(list->SearchEdt, QString::fromLatin1(text));
  };
  auto click = [](QWidget* button) { ASSERT_TRUE(test::Click(button)); };
  const QColor found(238, 255, 238), missing(255, 238, 238);
  auto colour = [&] { return list->SearchEdt->palette().color(QPalette::Base); };
  const int abcd = RowOf("Abcd"), xabc = RowOf("Xabc");
  type("abc");  // anywhere: the higher title first
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{abcd});
  EXPECT_EQ(colour(), found);
  click(list->QSDownBtn);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{xabc});
  click(list->QSDownBtn);  // wraps round to the top
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{abcd});
  click(list->QSUpBtn);  // wraps round to the bottom
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{xabc});
  EXPECT_EQ(list->ShownItem, list->ItemData(xabc));

  click(list->QSAllBtn);  // title start only: Xabc is never found
  EXPECT_TRUE(list->QSAllBtn->isHidden());
  EXPECT_FALSE(list->QSLeftBtn->isHidden());
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{abcd});
  click(list->QSDownBtn);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{abcd});
  type("\xE4lpler");  // upper-cased with its umlaut
  EXPECT_EQ(Title(list->SelectedRows().at(0)), "\xC4lplermagronen");
  type("qu");  // no title starts so
  EXPECT_EQ(colour(), missing);
  EXPECT_EQ(Title(list->SelectedRows().at(0)), "\xC4lplermagronen");  // nothing changed
  type("");
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(colour(), list->palette().color(QPalette::Base));
  click(list->QSLeftBtn);
  EXPECT_FALSE(list->QSAllBtn->isHidden());

  // In the search result two books' recipes share numbers: only the recipe found is selected.
  const int16_t other = static_cast<int16_t>(ctx().books->FindKBookId("Zweitbuch"));
  list->ResetSearchResult();
  list->AddToSearchResult(IndexEntry("Hauptbuch", 0));  // Zwiebelsuppe, number 1
  REZINDEX lentils = IndexEntry("Zweitbuch", 0);       // Linsensuppe, number 1
  lentils.bookId = other;
  list->AddToSearchResult(lentils);
  list->ShowSearchResult();
  ASSERT_TRUE(list->IsSearchMode());
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Linsensuppe", "Zwiebelsuppe"}));
  type("zwiebel");
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{1});
  type("linsen");
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{0});
  // The jump of another window with book and number finds the same one.
  list->JumpToRecipe(other, 1, true);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{0});
}

TEST_F(RecipeListWindow, FiltersByMainCategoryWithTheFixedEntriesFirst) {
  QComboBox* combo = list->GattLiBo;
  ASSERT_GT(combo->count(), 3);
  EXPECT_EQ(fromQ(combo->itemText(0)), GetLangText(347));
  EXPECT_EQ(fromQ(combo->itemText(1)), GetLangText(348));
  EXPECT_EQ(combo->currentIndex(), 0);
  // A category whose name sorts before the fixed entries stays behind them.
  WriteAll(Data() + "DE/Gattung.dat",
           ReadAll(Data() + "DE/Gattung.dat") + std::string(">0099 !Blitzrezepte#\r\n"));
  ctx().categories->ReadGattungen();
  list->FillRecipeFilterCombo();
  EXPECT_EQ(fromQ(combo->itemText(0)), GetLangText(347));
  EXPECT_EQ(fromQ(combo->itemText(1)), GetLangText(348));
  EXPECT_EQ(fromQ(combo->itemText(2)), "!Blitzrezepte");
  EXPECT_EQ(combo->currentIndex(), 0);

  const int soups = combo->findText(QStringLiteral("Suppen"));
  ASSERT_GE(soups, 2);
  ASSERT_TRUE(test::ChooseInCombo(combo, QStringLiteral("Suppen")));
  EXPECT_FALSE(list->IsSearchMode());
  // Bohnensuppe carries the category in a later slot.
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Bohnensuppe", "Zwiebelsuppe"}));
  list->FillRecipeFilterCombo();  // refilled after the categories changed: the choice stays
  EXPECT_EQ(combo->currentIndex(), soups + 0);
  ASSERT_TRUE(test::ChooseInCombo(combo, QStringLiteral("Salate")));
  EXPECT_EQ(list->Count(), 0);
  ASSERT_TRUE(test::ChooseInCombo(combo, toQ(GetLangText(347))));
  EXPECT_EQ(Titles(), kListed);
}

TEST_F(RecipeListWindow, MarksDeletesAndRestoresWithTheFlagBytesInTheFiles) {
  const int apple = Position("Hauptbuch", "Apfelkuchen");
  const int beans = Position("Hauptbuch", "Bohnensuppe");
  Select({RowOf("Apfelkuchen"), RowOf("Bohnensuppe")});
  MainFrm->markRezeptClick();
  for (int p : {apple, beans}) {
    EXPECT_EQ(IndexEntry("Hauptbuch", p).flags, kRecipeMarked) << p;
    EXPECT_EQ(RecordFlags("Hauptbuch", p), std::make_pair(0, 1)) << p;
  }
  EXPECT_EQ(IndexEntry("Hauptbuch", Position("Hauptbuch", "Abcd")).flags, 0);
  MainFrm->markAllRezeptClick();
  for (int p = 0; p < 8; ++p) EXPECT_EQ(RecordFlags("Hauptbuch", p).second, 1) << p;
  // Only entries whose bit changed are written again.
  EXPECT_EQ(IndexEntry("Hauptbuch", apple).rewriteCount, 1);
  EXPECT_EQ(IndexEntry("Hauptbuch", 0).rewriteCount, 1);
  MainFrm->demarkAllRezeptClick();
  for (int p = 0; p < 8; ++p) EXPECT_EQ(RecordFlags("Hauptbuch", p).second, 0) << p;
  EXPECT_EQ(IndexEntry("Hauptbuch", apple).rewriteCount, 2);

  // Two selected: one question with the count, then both rows leave the list.
  Select({RowOf("Apfelkuchen"), RowOf("Bohnensuppe")});
  env.messages.answers = {IDYES};
  const size_t asked = env.messages.shown.size();
  MainFrm->RezeptloeschenClick();
  ASSERT_EQ(env.messages.shown.size(), asked + 1);
  EXPECT_EQ(env.messages.shown.back().text, "2" + GetLangText(570) + GetLangText(572));
  EXPECT_EQ(env.messages.shown.back().title, GetLangText(17));
  EXPECT_EQ(list->Count(), 6);
  EXPECT_EQ(RowOf("Apfelkuchen"), -1);
  for (int p : {apple, beans}) {
    EXPECT_EQ(IndexEntry("Hauptbuch", p).deleted, 1) << p;
    EXPECT_EQ(RecordFlags("Hauptbuch", p), std::make_pair(1, 0)) << p;
  }
  // The picture stays while the recipe can still come back.
  EXPECT_TRUE(FileExists(env.Root() + "Pics/bild.jpg"));
  EXPECT_EQ(CountIndexEntries(Data() + "Hauptbuch.idx", true), 6);

  // One selected, answered No: nothing changes.
  Select({RowOf("Xabc")});
  env.messages.answers = {IDNO};
  list->DeleteSelectedRecipes();
  EXPECT_EQ(env.messages.shown.back().text,
            GetLangText(571) + " 'Xabc'\n" + GetLangText(572));
  EXPECT_EQ(list->Count(), 6);

  // Restoring turns the byte back; the recipe is listed again.
  int16_t book = 0;
  int32_t number = 0;
  EXPECT_FALSE(FlipRecipeDeleted(*dbList, false, apple, book, number));
  EXPECT_EQ(number, IndexEntry("Hauptbuch", apple).number);
  EXPECT_EQ(RecordFlags("Hauptbuch", apple), std::make_pair(0, 0));
  EXPECT_EQ(IndexEntry("Hauptbuch", apple).deleted, 0);
  list->RefreshRecipeList();
  EXPECT_NE(RowOf("Apfelkuchen"), -1);
  EXPECT_EQ(list->Count(), 7);

  // Delete the marked ones of the list.
  Select({RowOf("Xabc"), RowOf("Abcd")});
  MainFrm->markRezeptClick();
  env.messages.answers = {IDYES};
  MainFrm->MnDelMarkedClick();
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(19));
  EXPECT_EQ(list->Count(), 5);
  EXPECT_EQ(RowOf("Xabc"), -1);
  EXPECT_EQ(RowOf("Abcd"), -1);
  EXPECT_EQ(RecordFlags("Hauptbuch", Position("Hauptbuch", "Xabc")), std::make_pair(1, 1));
}

TEST_F(RecipeListWindow, CopiesAndMovesIntoOtherBooksAndFollowOnBooks) {
  const int16_t other = static_cast<int16_t>(ctx().books->FindKBookId("Zweitbuch"));
  auto recipeOf = [&](const std::string& book, int position) {
    REZBLOCK r;
    const REZINDEX e = IndexEntry(book, position);
    EXPECT_TRUE(dbList->ReadRezBlock(book, &e, -1, r));
    return r;
  };
  Select({RowOf("Abcd"), RowOf("Apfelkuchen"), RowOf("K\xE4sekuchen")});
  MainFrm->MNCopyRezClick("Zweitbuch");
  ASSERT_EQ(Entries("Zweitbuch"), 5);
  const char* copied[] = {"Abcd", "Apfelkuchen", "K\xE4sekuchen"};
  for (int k = 0; k < 3; ++k) {
    const REZINDEX e = IndexEntry("Zweitbuch", 2 + k);
    EXPECT_EQ(e.Title(), copied[k]);
    EXPECT_EQ(e.number, 3 + k);
    EXPECT_EQ(e.flags, 0);
    EXPECT_EQ(e.deleted, 0);
    EXPECT_EQ(static_cast<uint16_t>(e.bookId), static_cast<uint16_t>(other));
  }
  // The picture file is copied under a new name; the address stays an address.
  const REZBLOCK apple = recipeOf("Zweitbuch", 3);
  ASSERT_EQ(apple.pictures.size(), 1u);
  EXPECT_EQ(apple.pictures[0].kind, 'F');
  EXPECT_NE(apple.pictures[0].name, "bild.jpg");
  EXPECT_EQ(ReadAll(env.Root() + "Pics/" + apple.pictures[0].name), "picture bytes");
  EXPECT_TRUE(FileExists(env.Root() + "Pics/bild.jpg"));
  EXPECT_EQ(apple.number, 4);
  const REZBLOCK cheese = recipeOf("Zweitbuch", 4);
  ASSERT_EQ(cheese.pictures.size(), 1u);
  EXPECT_EQ(cheese.pictures[0].kind, 'U');
  EXPECT_EQ(cheese.pictures[0].name, "http://example.org/k.jpg");
  // The current list stays as it was.
  EXPECT_EQ(Titles(), kListed);
  EXPECT_EQ(Entries("Hauptbuch"), 8);

  // A move into a book with room for one more: the rest goes into its follow-on book. The
  // recipe whose picture file is missing keeps its source.
  ctx().options->SetParaInt(74, 6);
  Select({RowOf("Marmorkuchen"), RowOf("Xabc"), RowOf("Zwiebelsuppe")});
  MainFrm->MNMoveRezClick("Zweitbuch");
  ASSERT_EQ(Entries("Zweitbuch"), 6);
  EXPECT_EQ(IndexEntry("Zweitbuch", 5).Title(), "Marmorkuchen");
  EXPECT_EQ(recipeOf("Zweitbuch", 5).pictures.at(0).name, "fehlt.jpg");
  ASSERT_EQ(Entries("Zweitbuch-2"), 2);
  EXPECT_EQ(IndexEntry("Zweitbuch-2", 0).Title(), "Xabc");
  EXPECT_EQ(IndexEntry("Zweitbuch-2", 1).Title(), "Zwiebelsuppe");
  EXPECT_NE(ctx().books->FindKBookId("Zweitbuch-2"), -1);
  bool listed = false;
  for (QAction* a : TMainFrm::BookMenuItems(MainFrm->MnMoveRez))
    listed = listed || a->data().toString() == "Zweitbuch-2";
  EXPECT_TRUE(listed);
  EXPECT_EQ(RowOf("Xabc"), -1);
  EXPECT_EQ(RowOf("Zwiebelsuppe"), -1);
  EXPECT_NE(RowOf("Marmorkuchen"), -1);
  EXPECT_EQ(RecordFlags("Hauptbuch", Position("Hauptbuch", "Xabc")).first, 1);
  EXPECT_EQ(RecordFlags("Hauptbuch", Position("Hauptbuch", "Marmorkuchen")).first, 0);

  // Moving into the current book does nothing; an empty list has nothing to copy.
  Select({0});
  MainFrm->MNMoveRezClick("Hauptbuch");
  EXPECT_EQ(Entries("Hauptbuch"), 8);
  MainFrm->OpenBook("Zweitbuch-2");
  const size_t asked = env.messages.shown.size();
  ASSERT_TRUE(test::ChooseInCombo(list->GattLiBo, QStringLiteral("Salate")));
  MainFrm->MNCopyRezClick("Zweitbuch");
  ASSERT_EQ(env.messages.shown.size(), asked + 1);
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(0));
}

TEST_F(RecipeListWindow, CopyingIntoTheOpenBookShowsTheCopies) {
  Select({RowOf("Abcd")});
  MainFrm->MNCopyRezClick("Hauptbuch");
  EXPECT_EQ(Entries("Hauptbuch"), 9);
  EXPECT_EQ(list->Count(), 9);
  EXPECT_EQ(dbList->BookIndex().size(), 9u);
  EXPECT_EQ(Title(1), "Abcd");
  // Marked copies go to the book's follow-on book when it is full; the open book is read again
  // so that its index in memory matches the file.
  ctx().options->SetParaInt(74, 1);
  MainFrm->OpenBook("Zweitbuch");
  Select({RowOf("Pfannkuchen")});
  MainFrm->markRezeptClick();
  MainFrm->MNCopyMarkedClick("Zweitbuch");  // full: the copy goes to Zweitbuch-2
  EXPECT_EQ(Entries("Zweitbuch-2"), 1);
  MainFrm->OpenBook("Zweitbuch-2");
  ctx().options->SetParaInt(74, 2);
  Select({0});
  MainFrm->markRezeptClick();
  // Zweitbuch is full at two: its follow-on book, the open one, takes the copy.
  MainFrm->MNCopyMarkedClick("Zweitbuch");
  EXPECT_EQ(Entries("Zweitbuch-2"), 2);
  EXPECT_EQ(dbList->BookIndex().size(), 2u);
  EXPECT_EQ(list->Count(), 2);
  // A new recipe of the open book lands where the file has room.
  REZINDEX fresh;
  fresh.SetTitle("Neu");
  ASSERT_TRUE(dbList->WriteIndexEntry(fresh, -1));
  EXPECT_EQ(IndexEntry("Zweitbuch-2", 2).Title(), "Neu");
}

TEST_F(RecipeListWindow, MarkAfterAnEditInSearchModeKeepsTheEditedVersion) {
  const int16_t other = static_cast<int16_t>(ctx().books->FindKBookId("Zweitbuch"));
  REZINDEX pancake = IndexEntry("Zweitbuch", 1);
  pancake.bookId = other;
  list->ResetSearchResult();
  list->AddToSearchResult(pancake);
  list->ShowSearchResult();
  ASSERT_EQ(Titles(), std::vector<std::string>{"Pfannkuchen"});
  // The editor stores a changed recipe in search mode: new record, old one deleted, the entry
  // written by book and number.
  REZBLOCK r;
  ASSERT_TRUE(dbList->ReadRezBlockByKey(other, pancake.number, r));
  r.text = "Neue Zubereitung";
  int32_t offset = 0, length = 0;
  ASSERT_TRUE(dbList->WriteRezBlock("Zweitbuch", r, offset, length));
  REZINDEX old = pancake;
  old.deleted = 1;
  ASSERT_TRUE(dbList->WriteRecordFlag(old, other, 0));
  REZINDEX changed = pancake;
  changed.offset = offset;
  changed.length = length;
  ASSERT_TRUE(dbList->UpdateIndexEntryByKey(other, pancake.number, changed));
  list->RefreshRecipeList();
  Select({0});
  list->MarkSelectedRecipes(0);
  const REZINDEX stored = IndexEntry("Zweitbuch", 1);
  EXPECT_EQ(stored.offset, offset);
  EXPECT_EQ(stored.flags, kRecipeMarked);
  EXPECT_EQ(RecordFlags("Zweitbuch", 1), std::make_pair(0, 1));
  REZBLOCK back;
  ASSERT_TRUE(dbList->ReadRezBlockByKey(other, pancake.number, back));
  EXPECT_EQ(back.text, "Neue Zubereitung");
  // Deleting it in search mode writes the other book's files, not the open one's.
  env.messages.answers = {IDYES};
  list->DeleteSelectedRecipes();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(IndexEntry("Zweitbuch", 1).deleted, 1);
  EXPECT_EQ(RecordFlags("Zweitbuch", 1).first, 1);
  EXPECT_EQ(CountIndexEntries(Data() + "Hauptbuch.idx", true), 8);
}

TEST_F(RecipeListWindow, OpensBooksByButtonMenuAndJump) {
  EXPECT_TRUE(MainFrm->KBook[0]->isVisible());
  EXPECT_EQ(fromQ(MainFrm->KBook[0]->toolTip()), "Hauptbuch (Alles)");
  EXPECT_EQ(fromQ(MainFrm->KBook[1]->toolTip()), "Zweitbuch");
  EXPECT_FALSE(MainFrm->KBook[2]->isVisible());
  auto ticked = [] {
    std::string out;
    for (QAction* a : TMainFrm::BookMenuItems(MainFrm->KBMenu))
      if (a->isChecked()) out += fromQ(a->data().toString());
    return out;
  };
  EXPECT_EQ(ticked(), "Hauptbuch");
  MainFrm->TBKBookClick(1);
  EXPECT_EQ(ctx().options->Str(6), "Zweitbuch");
  EXPECT_EQ(fromQ(MainFrm->windowTitle()), "Tavolin!   Zweitbuch");
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Linsensuppe", "Pfannkuchen"}));
  EXPECT_EQ(ticked(), "Zweitbuch");
  MainFrm->TBKBookClick(0);  // the hint's description is cut off
  EXPECT_EQ(ctx().options->Str(6), "Hauptbuch");
  EXPECT_EQ(Titles(), kListed);

  // Another window names a recipe of the other book.
  const int16_t other = static_cast<int16_t>(ctx().books->FindKBookId("Zweitbuch"));
  list->JumpToRecipe(other, 2, false);
  EXPECT_EQ(ctx().options->Str(6), "Zweitbuch");
  ASSERT_EQ(list->SelectedRows().size(), 1u);
  EXPECT_EQ(Title(list->SelectedRows()[0]), "Pfannkuchen");
  EXPECT_EQ(list->CurrentRow(), list->SelectedRows()[0]);
  list->JumpToRecipe(other, 99, false);
  EXPECT_TRUE(list->SelectedRows().empty());

  // A book that is gone: "Auto-Import" stands in, made when it does not exist.
  MainFrm->OpenBook("Verschwunden");
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(660));
  EXPECT_EQ(ctx().options->Str(6), "Auto-Import");
  EXPECT_TRUE(FileExists(Data() + "Auto-Import.bok"));
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(fromQ(MainFrm->windowTitle()), "Tavolin!   Auto-Import");
}

TEST_F(RecipeListWindow, AMenuEntryShowsNoRecipe) {
  const int p = Position("Hauptbuch", "Xabc");
  REZINDEX e = dbList->BookIndex()[static_cast<size_t>(p)];
  e.flags = kRecipeMenu;
  ASSERT_TRUE(dbList->WriteIndexEntry(e, p));
  list->RefreshRecipeList();
  Click(RowOf("Apfelkuchen"));
  EXPECT_TRUE(showRezDlg->isVisible());
  Click(RowOf("Xabc"));
  EXPECT_TRUE(list->IsMenuShown());
  EXPECT_TRUE(EmptyDlg->isVisible());
  EXPECT_FALSE(showRezDlg->isVisible());
  // Until an ordinary entry is chosen the view commands show nothing.
  MainFrm->ViewStdClick();
  EXPECT_FALSE(showRezDlg->isVisible());
  env.messages.answers = {IDNO};
  list->DeleteSelectedRecipes();
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(685) + " 'Xabc'\n" + GetLangText(572));
  Click(RowOf("Abcd"));
  EXPECT_FALSE(list->IsMenuShown());
  EXPECT_TRUE(showRezDlg->isVisible());
  EXPECT_EQ(fromQ(DataRezDlg->RezTitle->text()), " Abcd");
  // Marks and menu symbols as the user sees them.
  Select({RowOf("Apfelkuchen"), RowOf("Xabc")});
  list->MarkSelectedRecipes(0);
  Select({RowOf("Abcd")});
  SaveShot(list, "recipe_list_marks.png");
}

TEST_F(RecipeListWindow, KeysAndTheRightMouseButton) {
  QListView* view = list->ChooseLiBo;
  ASSERT_TRUE(test::ClickCell(view, 0));  // the list takes the focus
  ASSERT_EQ(QApplication::focusWidget(), view);
  const int shown = list->ShownItem;
  QTest::keyClick(view, 'm');  // jumps to the next title with M, shows nothing
  EXPECT_EQ(Title(list->CurrentRow()), "Marmorkuchen");
  EXPECT_EQ(list->ShownItem, shown);
  QTest::keyClick(view, Qt::Key_Down);  // an arrow key shows what it selects
  EXPECT_EQ(Title(list->CurrentRow()), "Xabc");
  EXPECT_EQ(list->ShownItem, list->ItemData(list->CurrentRow()));
  EXPECT_EQ(fromQ(DataRezDlg->RezTitle->text()), " Xabc");
  QTest::keyClick(view, ' ');  // marks the selection
  EXPECT_EQ(IndexEntry("Hauptbuch", Position("Hauptbuch", "Xabc")).flags, kRecipeMarked);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{RowOf("Xabc")});
  env.messages.answers = {IDYES};
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(RowOf("Xabc"), -1);
  EXPECT_TRUE(EmptyDlg->isVisible());
  // Enter opens the current entry in the editor.
  ASSERT_TRUE(test::ClickCell(view, RowOf("Abcd")));
  QTest::keyClick(view, Qt::Key_Return);
  ASSERT_TRUE(EditRezDlg->isVisible());
  EXPECT_EQ(EditRezDlg->WorkRecipe.title, "Abcd");
  EXPECT_EQ(EditRezDlg->GetEditListIndex(), list->ItemData(RowOf("Abcd")));
  ASSERT_TRUE(test::Click(EditRezDlg->CancelBtn));

  // A right click selects the row under the mouse, unless several rows are selected.
  auto rightClick = [&](int row) {
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mousePress(view->viewport(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(view->viewport(), Qt::RightButton, Qt::NoModifier, at);
  };
  Select({1});
  rightClick(3);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{3});
  Select({1, 2});
  rightClick(4);
  EXPECT_EQ(list->SelectedRows(), (std::vector<int>{1, 2}));
}

// The list's pop-up menu, opened with the right mouse button on a title, acts on the selection.
TEST_F(RecipeListWindow, ThePopupMenuActsOnTheSelection) {
  QListView* view = list->ChooseLiBo;
  auto item = [&](const std::string& title, const char* name) {
    const int row = RowOf(title);
    ASSERT_GE(row, 0) << title;
    ASSERT_TRUE(test::PopupItem(view->viewport(), test::CellCentre(view, row), list->ChooseMnu,
                                name))
        << name;
    QApplication::processEvents();
  };
  auto flags = [&](const char* title) {
    return IndexEntry("Hauptbuch", Position("Hauptbuch", title)).flags;
  };
  item("Apfelkuchen", "markRez");
  EXPECT_EQ(flags("Apfelkuchen"), kRecipeMarked);
  EXPECT_EQ(flags("Abcd"), 0);
  item("Abcd", "markAllRez");
  for (const std::string& t : kListed) EXPECT_EQ(flags(t.c_str()), kRecipeMarked) << t;
  item("Abcd", "demarkAllRez");
  for (const std::string& t : kListed) EXPECT_EQ(flags(t.c_str()), 0) << t;

  item("Bohnensuppe", "AddKListe");
  ASSERT_NE(KaufRezListDlg, nullptr);
  EXPECT_EQ(KaufRezListDlg->GetKaufListCount(), 1);

  env.shell.opened.clear();
  item("Abcd", "HelpMnu");
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_TRUE(env.shell.opened[0].ends_with("Win_ChooseRez.htm")) << env.shell.opened[0];

  // The title list export comes up as its own window.
  EXPECT_TRUE(test::WhileModal([] {}, [&] { item("Abcd", "ExportMnu"); }));

  item("K\xE4sekuchen", "EditRezMnu");
  ASSERT_TRUE(EditRezDlg->isVisible());
  EXPECT_EQ(EditRezDlg->WorkRecipe.title, "K\xE4sekuchen");
  // With a change in the editor "open" asks first; Cancel keeps the editor.
  ASSERT_TRUE(test::TypeInto(NEditDlg->TitelEdt, QStringLiteral("Quarkkuchen")));
  env.messages.answers = {IDCANCEL};
  const size_t asked = env.messages.shown.size();
  item("K\xE4sekuchen", "OpenRezMnu");
  ASSERT_EQ(env.messages.shown.size(), asked + 1);
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(39));
  EXPECT_TRUE(EditRezDlg->isVisible());
  env.messages.answers = {IDNO};
  item("Abcd", "NewRezMnu");
  ASSERT_TRUE(EditRezDlg->isVisible());
  EXPECT_TRUE(EditRezDlg->WorkRecipe.title.empty());
  EXPECT_TRUE(NEditDlg->TitelEdt->text().isEmpty());
  ASSERT_TRUE(test::Click(EditRezDlg->CancelBtn));

  env.messages.answers = {IDYES};
  item("Zwiebelsuppe", "DelRezMnu");
  EXPECT_EQ(RowOf("Zwiebelsuppe"), -1);
  EXPECT_EQ(IndexEntry("Hauptbuch", Position("Hauptbuch", "Zwiebelsuppe")).deleted, 1);
}

// Enter in the quick search field and on the filter ends what was typed there, nothing else.
TEST_F(RecipeListWindow, EnterInTheSearchFieldAndTheFilterDoesNothingElse) {
  ASSERT_TRUE(test::ClickCell(list->ChooseLiBo, RowOf("Bohnensuppe")));
  ASSERT_TRUE(test::TypeInto(list->SearchEdt, QStringLiteral("kuchen")));
  const std::vector<int> found = list->SelectedRows();
  ASSERT_EQ(found, std::vector<int>{RowOf("Apfelkuchen")});
  for (QWidget* w : {static_cast<QWidget*>(list->SearchEdt), static_cast<QWidget*>(list->GattLiBo)}) {
    SCOPED_TRACE(fromQ(w->objectName()));
    w->setFocus();
    EXPECT_FALSE(test::WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
    EXPECT_FALSE(EditRezDlg->isVisible());
    EXPECT_EQ(list->SelectedRows(), found);
    EXPECT_EQ(Titles(), kListed);
    EXPECT_TRUE(MainFrm->isVisible());
  }
  EXPECT_EQ(fromQ(list->SearchEdt->text()), "kuchen");
}

TEST_F(RecipeListWindow, FindsAStoredEntryAndDeletesByKey) {
  // After a store the editor makes the new entry current: by record position, else by title.
  REZINDEX e = IndexEntry("Hauptbuch", Position("Hauptbuch", "Bohnensuppe"));
  list->SelectRecipeListEntry(e);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{RowOf("Bohnensuppe")});
  EXPECT_EQ(list->ShownItem, list->ItemData(RowOf("Bohnensuppe")));
  e.offset = 5;
  e.SetTitle("Abcd");
  list->SelectRecipeListEntry(e);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{RowOf("Abcd")});
  // The duplicate finder deletes by book and number.
  const REZINDEX soup = IndexEntry("Hauptbuch", 0);
  list->DeleteRecipeByKey(ctx().books->GetAktKBookId(), soup.number);
  EXPECT_EQ(RowOf("Zwiebelsuppe"), -1);
  EXPECT_EQ(IndexEntry("Hauptbuch", 0).deleted, 1);
  list->DeleteRecipeByKey(ctx().books->GetAktKBookId(), 99);
  EXPECT_EQ(list->Count(), 7);
}

TEST_F(RecipeListWindow, TheSelectedRecipesGoIntoTheActivePersonsDiary) {
  Select({RowOf("Apfelkuchen"), RowOf("Zwiebelsuppe")});
  EXPECT_EQ(list->AddSelectedToDiary(10, 4, 2024), 0);  // nobody keeps a diary yet
  ENPERSON anna;
  anna.name = "Anna";
  ENApplogMod->AddPerson(anna);
  ENApplogMod->SelectPerson("Anna");
  EXPECT_EQ(list->AddSelectedToDiary(10, 4, 2024), 2);
  const ENDAY* day = ENApplogMod->GetDay(10, 4, 2024);
  ASSERT_NE(day, nullptr);
  ASSERT_EQ(day->entries.size(), 2u);
  EXPECT_EQ(day->entries[0].name, "Apfelkuchen");  // in list order
  EXPECT_EQ(day->entries[1].name, "Zwiebelsuppe");
  EXPECT_DOUBLE_EQ(day->entries[1].baseAmount, 4);
  EXPECT_EQ(static_cast<int16_t>(day->entries[1].book), ctx().books->GetAktKBookId());
  const std::string month = ReadAll(Data() + "Konten/Anna/m052024.dat");
  EXPECT_NE(month.find("#Apfelkuchen\r\n"), std::string::npos);
  EXPECT_NE(month.find("#Zwiebelsuppe\r\n"), std::string::npos);
}

TEST_F(RecipeListWindow, TheEditorComesFirst) {
  const int cheese = RowOf("K\xE4sekuchen");
  QListView* view = list->ChooseLiBo;
  ASSERT_TRUE(test::DoubleClickCell(view, cheese));
  ASSERT_TRUE(EditRezDlg->isVisible());
  EXPECT_EQ(EditRezDlg->WorkRecipe.title, "K\xE4sekuchen");
  EXPECT_EQ(EditRezDlg->GetEditListIndex(), list->ItemData(cheese));
  MainFrm->UpdateRecipeButtons();
  EXPECT_FALSE(MainFrm->TBEdit->isEnabled());
  EXPECT_TRUE(MainFrm->TBDel->isEnabled());

  // With a change in the editor, another click asks first; Cancel keeps everything.
  ASSERT_TRUE(test::TypeInto(NEditDlg->TitelEdt, QStringLiteral("Quarkkuchen")));
  env.messages.answers = {IDCANCEL};
  const size_t asked = env.messages.shown.size();
  Click(RowOf("Abcd"));
  ASSERT_EQ(env.messages.shown.size(), asked + 1);
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(39));
  EXPECT_EQ(list->CurrentRow(), cheese);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{cheese});
  EXPECT_TRUE(EditRezDlg->isVisible());
  // No drops the change and shows the clicked recipe.
  env.messages.answers = {IDNO};
  Click(RowOf("Abcd"));
  EXPECT_TRUE(showRezDlg->isVisible());
  EXPECT_EQ(fromQ(DataRezDlg->RezTitle->text()), " Abcd");
  EXPECT_EQ(IndexEntry("Hauptbuch", Position("Hauptbuch", "K\xE4sekuchen")).rewriteCount, 0);

  // Deleting the recipe the editor holds clears the centre.
  Select({cheese});
  list->EditRezMnuClick();
  ASSERT_TRUE(EditRezDlg->isVisible());
  env.messages.answers = {IDYES};
  list->DeleteSelectedRecipes();
  EXPECT_FALSE(EditRezDlg->isVisible());
  EXPECT_TRUE(EmptyDlg->isVisible());

  // A new recipe from the list's menu.
  MainFrm->NeuesRezeptClick();
  EXPECT_TRUE(EditRezDlg->isVisible());
  EXPECT_TRUE(EditRezDlg->WorkRecipe.title.empty());
}

}  // namespace
}  // namespace tav
