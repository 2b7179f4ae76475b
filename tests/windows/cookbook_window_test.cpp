// The cookbook window: creating, renaming, describing and deleting books, the book opened when
// it closes, and the book menus.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "fake_main_window.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"
#include "recipedb/ui/cookbook_dialog.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/lang_dialog.h"
#include "support/test_env.h"
#include "user_actions.h"
#include "user_gestures.h"
#include "window_checks.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// Books "Backen" (id -100, open in the main window), "Suppen" (id -200) and "Salate" (-300).
class CookbookWindow : public ::testing::Test {
 protected:
  explicit CookbookWindow(const std::string& lang = "DE") {
    language = std::make_unique<test::WindowLanguage>(env, lang);
    ctx().options->SetParaString(6, "Backen");
    ctx().tools = &tools;
    Book("Backen", "Kuchen und Brot", -100);
    Book("Suppen", "", -200);
    Book("Salate", "", -300);
    dlg = std::make_unique<TKBookDlg>();
    dlg->SelectKBook("Backen");
  }
  ~CookbookWindow() override {
    dlg.reset();
  }
  void Book(const std::string& name, const std::string& description, int16_t id) {
    const std::string data = env.DataFolder();
    WriteAll(data + name + ".bok", TextModeRecordFileHeader());
    WriteAll(data + name + ".idx", NewIndexBytes());
    WriteAll(data + name + ".inf", description + "\r\n" +
                                       std::to_string(static_cast<uint16_t>(id)) + "\r\n1\r\n\r\n");
  }
  bool HasBook(const std::string& name) const {
    for (const char* ext : {".bok", ".idx", ".inf"})
      if (!FileExists(env.DataFolder() + name + ext)) return false;
    return true;
  }
  int Row(const std::string& name) const {
    for (int i = 0; i < dlg->KBookLiBo->count(); ++i)
      if (fromQ(dlg->KBookLiBo->item(i)->text()) == name) return i;
    return -1;
  }
  // A click on the book in the list.
  void ClickBook(const std::string& name) {
    ASSERT_GE(Row(name), 0) << name;
    ASSERT_TRUE(test::ClickCell(dlg->KBookLiBo, Row(name)));
  }
  void Type(QLineEdit* field, const std::string& text) {
    ASSERT_TRUE(test::TypeInto(field, toQ(text)));
  }
  std::vector<std::string> MenuBooks(BookMenuKind kind) {
    std::vector<std::string> names;
    for (QAction* a : MainWindowAccess::BookMenuItems(main.BookMenu(kind)))
      names.push_back(fromQ(a->data().toString()));
    return names;
  }
  std::string Ticked() {
    for (QAction* a : MainWindowAccess::BookMenuItems(main.BookMenu(BookMenuKind::Open)))
      if (a->isChecked()) return fromQ(a->data().toString());
    return "";
  }
  // The book's item of the menu, clicked in the opened menu.
  ::testing::AssertionResult ClickMenuBook(BookMenuKind kind, const std::string& name) {
    QMenu* menu = main.BookMenu(kind);
    for (QAction* a : MainWindowAccess::BookMenuItems(menu)) {
      if (fromQ(a->data().toString()) != name) continue;
      menu->popup(QPoint(0, 0));
      if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000))
        return ::testing::AssertionFailure() << "the menu did not open";
      QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(a).center());
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no item " << name;
  }

  test::TestEnv env;
  TToolsMod tools;
  test::FakeMainWindow main;
  std::unique_ptr<test::WindowLanguage> language;
  std::unique_ptr<TKBookDlg> dlg;
};

TEST_F(CookbookWindow, ShowsTheOpenBookTranslated) {
  EXPECT_EQ(fromQ(dlg->windowTitle()), "Verwaltung der Kochb\xFC" "cher");
  dlg->show();
  EXPECT_EQ(fromQ(dlg->ActionTxt->title()), GetLangText(365));
  EXPECT_EQ(fromQ(dlg->AktBookEdt->text()), "Backen");
  EXPECT_EQ(fromQ(dlg->DescBookEdt->text()), "Kuchen und Brot");
  EXPECT_TRUE(dlg->ToolBookChk->isChecked());
  EXPECT_FALSE(dlg->overtakeBtn->isVisible());
  EXPECT_FALSE(dlg->HasEdits());
  ASSERT_EQ(dlg->KBookLiBo->count(), 3);
  EXPECT_EQ(fromQ(dlg->KBookLiBo->item(0)->text()), "Backen");
  EXPECT_EQ(fromQ(dlg->KBookLiBo->item(1)->text()), "Salate");
  EXPECT_EQ(dlg->KBookLiBo->currentRow(), 0);
  EXPECT_TRUE(dlg->DelBtn->isEnabled());
  // Each field typed into, and the box ticked, brings up "Übernehmen".
  const std::function<void()> edits[] = {[&] { Type(dlg->AktBookEdt, "Backen"); },
                                         [&] { Type(dlg->DescBookEdt, "Backwerk"); },
                                         [&] { Type(dlg->BackPicEdt, "Backen.bmp"); },
                                         [&] { ASSERT_TRUE(test::ClickBox(dlg->ToolBookChk)); }};
  for (const auto& edit : edits) {
    edit();
    EXPECT_TRUE(dlg->overtakeBtn->isVisible());
    EXPECT_TRUE(dlg->HasEdits());
    ASSERT_TRUE(test::Click(dlg->overtakeBtn));
    EXPECT_FALSE(dlg->overtakeBtn->isVisible());
  }
  ASSERT_EQ(Row("Backen"), 0);
  const KBOOK& backen = dlg->Books().front();
  EXPECT_EQ(backen.description, "Backwerk");
  EXPECT_EQ(backen.backgroundPicture, "Backen.bmp");
  EXPECT_EQ(backen.toolbarFlag, 0);
  dlg->hide();
}

TEST_F(CookbookWindow, ARenameMovesAllThreeFilesKeepsTheIdAndTheOpenBookFollows) {
  dlg->show();
  const std::string renamed = "Kuchen und Geb\xE4" "ck";
  Type(dlg->AktBookEdt, renamed);
  Type(dlg->DescBookEdt, "S\xFC\xDF");
  ASSERT_TRUE(test::ClickBox(dlg->ToolBookChk));
  ASSERT_TRUE(test::Click(dlg->overtakeBtn));
  EXPECT_TRUE(HasBook(renamed));
  EXPECT_FALSE(FileExists(env.DataFolder() + "Backen.bok"));
  EXPECT_EQ(dlg->FindKBookId(renamed), static_cast<uint16_t>(-100));
  EXPECT_EQ(ReadAll(env.DataFolder() + renamed + ".inf"), "S\xFC\xDF\r\n65436\r\n0\r\n\r\n");
  EXPECT_EQ(ctx().options->Str(6), renamed);
  EXPECT_EQ(fromQ(dlg->ActionTxt->title()), GetLangText(167));
  EXPECT_FALSE(dlg->overtakeBtn->isVisible());
  EXPECT_EQ(MenuBooks(BookMenuKind::MoveRecipe),
            (std::vector<std::string>{renamed, "Salate", "Suppen"}));
  EXPECT_EQ(Ticked(), renamed);
  // The items are taken up, so a click names the book by its new name.
  ASSERT_TRUE(ClickMenuBook(BookMenuKind::CopyRecipe, renamed));
  ASSERT_EQ(main.clicked.size(), 1u);
  EXPECT_EQ(main.clicked[0].first, BookMenuKind::CopyRecipe);
  EXPECT_EQ(main.clicked[0].second, renamed);
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  EXPECT_FALSE(dlg->isVisible());
  ASSERT_FALSE(main.opened.empty());
  EXPECT_EQ(test::LastOf(main.opened), renamed);
  EXPECT_GE(main.titles, 1);
  EXPECT_GE(main.buttonFills, 1);
}

TEST_F(CookbookWindow, ARefusedNameKeepsTheEditsAndChangesNothing) {
  dlg->show();
  for (const char* bad : {"Back_en", "Back.en", "Backen/2"}) {
    env.messages.shown.clear();
    Type(dlg->AktBookEdt, bad);
    ASSERT_TRUE(test::Click(dlg->overtakeBtn));
    ASSERT_EQ(env.messages.shown.size(), 1u) << bad;
    EXPECT_EQ(env.messages.shown[0].text, GetLangText(165));
    EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
    EXPECT_TRUE(dlg->HasEdits());  // a second attempt still applies
    EXPECT_TRUE(dlg->overtakeBtn->isVisible());
    EXPECT_EQ(fromQ(dlg->AktBookEdt->text()), bad);
    EXPECT_TRUE(HasBook("Backen"));
  }
  Type(dlg->AktBookEdt, "B\xE4" "cker \xDF-2");
  ASSERT_TRUE(test::Click(dlg->overtakeBtn));
  EXPECT_TRUE(HasBook("B\xE4" "cker \xDF-2"));
  dlg->hide();
}

TEST_F(CookbookWindow, TypingAnotherBooksNameEditsThatBookAndRenamesNothing) {
  dlg->show();
  Type(dlg->AktBookEdt, "Suppen");
  Type(dlg->DescBookEdt, "Eint\xF6pfe");
  ASSERT_TRUE(test::Click(dlg->overtakeBtn));
  EXPECT_TRUE(HasBook("Backen"));
  EXPECT_TRUE(HasBook("Suppen"));
  std::string description;
  dlg->GetKBookDescription("Suppen", description);
  EXPECT_EQ(description, "Eint\xF6pfe");
  dlg->GetKBookDescription("Backen", description);
  EXPECT_EQ(description, "Kuchen und Brot");
  EXPECT_EQ(dlg->GetKBookName(dlg->GetAktKBookId()), "Suppen");
  dlg->hide();
}

TEST_F(CookbookWindow, ClickingABookAppliesTheEditsAndClosingOpensIt) {
  dlg->show();
  // A click, or the arrow keys, show a book.
  ClickBook("Suppen");
  EXPECT_EQ(fromQ(dlg->AktBookEdt->text()), "Suppen");
  EXPECT_EQ(dlg->GetKBookName(dlg->GetAktKBookId()), "Suppen");
  test::PressKey(Qt::Key_Up);
  EXPECT_EQ(fromQ(dlg->AktBookEdt->text()), "Salate");
  test::PressKey(Qt::Key_Up);
  EXPECT_EQ(fromQ(dlg->AktBookEdt->text()), "Backen");
  EXPECT_EQ(dlg->GetKBookName(dlg->GetAktKBookId()), "Backen");
  Type(dlg->DescBookEdt, "Neue Beschreibung");
  ClickBook("Salate");
  std::string description;
  dlg->GetKBookDescription("Backen", description);
  EXPECT_EQ(description, "Neue Beschreibung");
  EXPECT_EQ(fromQ(dlg->AktBookEdt->text()), "Salate");
  EXPECT_FALSE(dlg->HasEdits());
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  ASSERT_EQ(main.opened.size(), 1u);
  EXPECT_EQ(main.opened[0], "Salate");
}

TEST_F(CookbookWindow, ANewBookIsCreatedOpenedAndListed) {
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->NewBtn));
  EXPECT_TRUE(dlg->NewBookMode());
  EXPECT_EQ(fromQ(dlg->ActionTxt->title()), GetLangText(364));
  EXPECT_TRUE(dlg->AktBookEdt->text().isEmpty());
  EXPECT_TRUE(dlg->AktBookEdt->hasFocus());
  EXPECT_TRUE(dlg->ToolBookChk->isChecked());
  EXPECT_TRUE(dlg->KBookLiBo->selectedItems().isEmpty());
  test::TypeKeys(QStringLiteral("Desserts"));
  Type(dlg->DescBookEdt, "S\xFC\xDF" "es");
  ASSERT_TRUE(test::Click(dlg->overtakeBtn));
  EXPECT_TRUE(HasBook("Desserts"));
  EXPECT_EQ(ReadAll(env.DataFolder() + "Desserts.bok"), TextModeRecordFileHeader());
  ASSERT_EQ(main.opened.size(), 1u);
  EXPECT_EQ(main.opened[0], "Desserts");
  EXPECT_NE(Row("Desserts"), -1);
  EXPECT_EQ(dlg->KBookLiBo->currentRow(), Row("Desserts"));
  EXPECT_EQ(dlg->GetKBookName(dlg->GetAktKBookId()), "Desserts");
  EXPECT_EQ(MenuBooks(BookMenuKind::Open).size(), 4u);
  EXPECT_EQ(ctx().options->autoDelBooks.back().name, "Desserts");
  dlg->hide();
}

// Three umlauts past 246 letters fill the name field's 249 characters but not the 255 bytes a
// file name may have: no book is made, listed or opened, and the name stays to be shortened.
TEST_F(CookbookWindow, ANameTooLongForTheFileSystemIsRefusedUntilItIsShortened) {
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->NewBtn));
  ASSERT_TRUE(dlg->AktBookEdt->hasFocus());
  const QString typed = QString(246, QLatin1Char('K')) + QStringLiteral("\u00e4\u00f6\u00fc");
  test::TypeText(dlg->AktBookEdt, typed);
  ASSERT_EQ(dlg->AktBookEdt->text(), typed);
  const std::vector<std::string> files = ListFolder(env.DataFolder());
  ASSERT_TRUE(test::Click(dlg->overtakeBtn));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(166) + "\n" + GetLangText(1103));
  EXPECT_EQ(dlg->KBookLiBo->count(), 3);
  EXPECT_EQ(dlg->Books().size(), 3u);
  EXPECT_EQ(ListFolder(env.DataFolder()), files);
  EXPECT_TRUE(main.opened.empty());
  EXPECT_EQ(MenuBooks(BookMenuKind::Open).size(), 3u);
  EXPECT_EQ(dlg->AktBookEdt->text(), typed);
  EXPECT_TRUE(dlg->overtakeBtn->isVisible());

  // Shortened by 30 characters, the name makes the book, which opens.
  ASSERT_TRUE(test::Click(dlg->AktBookEdt));
  QTest::keyClick(dlg->AktBookEdt, Qt::Key_End);
  for (int i = 0; i < 30; ++i) QTest::keyClick(dlg->AktBookEdt, Qt::Key_Backspace);
  const std::string name(219, 'K');
  ASSERT_EQ(fromQ(dlg->AktBookEdt->text()), name);
  ASSERT_TRUE(test::Click(dlg->overtakeBtn));
  EXPECT_EQ(env.messages.shown.size(), 1u);
  EXPECT_TRUE(HasBook(name));
  EXPECT_NE(Row(name), -1);
  ASSERT_EQ(main.opened.size(), 1u);
  EXPECT_EQ(main.opened[0], name);
  dlg->hide();
}

TEST_F(CookbookWindow, NewWithoutApplyingKeepsTheOpenBookWhenClosing) {
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->NewBtn));
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(main.opened.empty());  // Backen stays open
}

TEST_F(CookbookWindow, DeletingAskesFirstAndClosingKeepsOrReplacesTheOpenBook) {
  dlg->show();
  ClickBook("Suppen");
  env.messages.answers = {IDNO};
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  EXPECT_TRUE(HasBook("Suppen"));
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(168));
  EXPECT_EQ(env.messages.shown.at(0).title, GetLangText(56));
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  for (const char* ext : {".bok", ".idx", ".inf"})
    EXPECT_FALSE(FileExists(env.DataFolder() + "Suppen" + ext)) << ext;
  EXPECT_EQ(Row("Suppen"), -1);
  EXPECT_EQ(fromQ(dlg->ActionTxt->title()), GetLangText(169));
  EXPECT_TRUE(dlg->NewBookMode());
  EXPECT_EQ(MenuBooks(BookMenuKind::CopyMarked), (std::vector<std::string>{"Backen", "Salate"}));
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  EXPECT_TRUE(main.opened.empty());  // the open book still exists and stays open

  // The open book itself deleted: closing opens a book that exists.
  dlg->show();
  ClickBook("Backen");
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  EXPECT_FALSE(dlg->DelBtn->isEnabled());  // one book left
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  ASSERT_EQ(main.opened.size(), 1u);
  EXPECT_EQ(main.opened[0], "Salate");
}

TEST_F(CookbookWindow, ABackgroundPictureFromElsewhereIsCopiedIntoTheDataFolder) {
  dlg->show();
  const std::string outside = env.Root() + "Pics/anderswo/Backen.bmp";
  WriteAll(outside, "BM-bytes");
  dlg->chooseBackgroundPicture = [&](std::string& path) {
    path = outside;
    return true;
  };
  ASSERT_TRUE(test::Click(dlg->BackPicBtn));
  EXPECT_EQ(fromQ(dlg->BackPicEdt->text()), "Backen.bmp");
  EXPECT_EQ(ReadAll(env.DataFolder() + "Backen.bmp"), "BM-bytes");
  EXPECT_TRUE(dlg->overtakeBtn->isVisible());
  // Another picture of the same name does not replace it.
  WriteAll(outside, "other");
  ASSERT_TRUE(test::Click(dlg->BackPicBtn));
  EXPECT_EQ(fromQ(dlg->BackPicEdt->text()), "Backen-2.bmp");
  EXPECT_EQ(ReadAll(env.DataFolder() + "Backen.bmp"), "BM-bytes");
  dlg->hide();
}

TEST_F(CookbookWindow, BookCombosListsAndTheOrderButton) {
  QComboBox combo;
  dlg->FillKBookCombo(&combo, "Suppen");
  ASSERT_EQ(combo.count(), 3);
  EXPECT_EQ(fromQ(combo.currentText()), "Suppen");
  dlg->FillKBookCombo(&combo, "Unbekannt");
  EXPECT_EQ(combo.currentIndex(), 0);
  QListWidget list;
  dlg->FillKBookList(&list);
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(list.currentRow(), 0);
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->kBookOrderBtn));
  EXPECT_EQ(main.optionPages, (std::vector<int>{9}));
  ASSERT_TRUE(test::Click(dlg->HelpBtn));
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_EQ(env.shell.opened[0], env.Root() + "Data/DE/Help/Dlg_KBook.htm");
  dlg->hide();
}

// Enter in a field presses "Übernehmen", the default button, while it shows; without edits it
// does nothing. Escape closes the window as its close box does, applying the edits.
TEST_F(CookbookWindow, EnterAppliesTheEditsOnlyWhileThereAreAnyAndEscapeCloses) {
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->DescBookEdt));
  test::PressKey(Qt::Key_Return);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_FALSE(dlg->HasEdits());
  EXPECT_EQ(fromQ(dlg->ActionTxt->title()), GetLangText(365));
  for (QPushButton* b : dlg->findChildren<QPushButton*>())
    EXPECT_FALSE(b->isDefault() || b->autoDefault()) << b->objectName().toStdString();
  Type(dlg->DescBookEdt, "Brot und Kuchen");
  EXPECT_TRUE(dlg->overtakeBtn->isDefault());
  test::PressKey(Qt::Key_Return);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_FALSE(dlg->HasEdits());
  EXPECT_FALSE(dlg->overtakeBtn->isVisible());
  EXPECT_FALSE(dlg->overtakeBtn->isDefault());
  EXPECT_EQ(fromQ(dlg->ActionTxt->title()), GetLangText(167));
  std::string description;
  dlg->GetKBookDescription("Backen", description);
  EXPECT_EQ(description, "Brot und Kuchen");
  // A new book by its name and Enter.
  ASSERT_TRUE(test::Click(dlg->NewBtn));
  test::TypeKeys(QStringLiteral("Getr\u00e4nke"));
  test::PressKey(Qt::Key_Enter);
  EXPECT_TRUE(HasBook("Getr\xE4nke"));
  EXPECT_TRUE(dlg->isVisible());
  // Escape: closing applies what was typed and opens the book shown.
  Type(dlg->DescBookEdt, "Saft und Tee");
  test::PressKey(Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  dlg->GetKBookDescription("Getr\xE4nke", description);
  EXPECT_EQ(description, "Saft und Tee");
  ASSERT_FALSE(main.opened.empty());
  EXPECT_EQ(test::LastOf(main.opened), "Getr\xE4nke");
}

class CookbookWindowEnglish : public CookbookWindow {
 protected:
  CookbookWindowEnglish() : CookbookWindow("EN") {}
};

TEST_F(CookbookWindowEnglish, Screenshots) {
  for (const std::string lang : {"EN", "DE"}) {
    if (lang == "DE") {
      dlg.reset();
      language = std::make_unique<test::WindowLanguage>(env, "DE");
      dlg = std::make_unique<TKBookDlg>();
      dlg->SelectKBook("Backen");
    }
    dlg->show();
    dlg->DescBookEdt->setText(toQ(lang == "DE" ? "Kuchen, Torten und Brot" : "Cakes and bread"));
    test::Shot(dlg.get(), "cookbook_" + lang);
    dlg->hide();
  }
}

}  // namespace
}  // namespace tav
