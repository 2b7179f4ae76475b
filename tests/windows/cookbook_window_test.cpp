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
#include "user_input.h"
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
  void Click(const std::string& name) { dlg->KBookLiBo->setCurrentRow(Row(name)); }
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
  dlg->DescBookEdt->setText(toQ("Backwerk"));
  EXPECT_TRUE(dlg->overtakeBtn->isVisible());
  dlg->hide();
}

TEST_F(CookbookWindow, ARenameMovesAllThreeFilesKeepsTheIdAndTheOpenBookFollows) {
  dlg->show();
  dlg->AktBookEdt->setText(toQ("Kuchen und Geb\xE4" "ck"));
  dlg->DescBookEdt->setText(toQ("S\xFC\xDF"));
  dlg->ToolBookChk->setChecked(false);
  dlg->overtakeBtnClick();
  const std::string renamed = "Kuchen und Geb\xE4" "ck";
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
  MainWindowAccess::BookMenuItems(main.BookMenu(BookMenuKind::CopyRecipe)).front()->trigger();
  ASSERT_EQ(main.clicked.size(), 1u);
  EXPECT_EQ(main.clicked[0].first, BookMenuKind::CopyRecipe);
  EXPECT_EQ(main.clicked[0].second, renamed);
  dlg->reject();
  ASSERT_FALSE(main.opened.empty());
  EXPECT_EQ(main.opened.back(), renamed);
  EXPECT_GE(main.titles, 1);
  EXPECT_GE(main.buttonFills, 1);
}

TEST_F(CookbookWindow, ARefusedNameKeepsTheEditsAndChangesNothing) {
  dlg->show();
  for (const char* bad : {"Back_en", "Back.en", "Backen/2"}) {
    env.messages.shown.clear();
    dlg->AktBookEdt->setText(toQ(bad));
    EXPECT_FALSE(dlg->ApplyKBookChanges(true)) << bad;
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, GetLangText(165));
    EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
    EXPECT_TRUE(dlg->HasEdits());  // a second attempt still applies
    EXPECT_TRUE(HasBook("Backen"));
  }
  dlg->AktBookEdt->setText(toQ("B\xE4" "cker \xDF-2"));
  EXPECT_TRUE(dlg->ApplyKBookChanges(true));
  EXPECT_TRUE(HasBook("B\xE4" "cker \xDF-2"));
  dlg->hide();
}

TEST_F(CookbookWindow, TypingAnotherBooksNameEditsThatBookAndRenamesNothing) {
  dlg->show();
  dlg->AktBookEdt->setText(toQ("Suppen"));
  dlg->DescBookEdt->setText(toQ("Eint\xF6pfe"));
  EXPECT_TRUE(dlg->ApplyKBookChanges(true));
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
  dlg->DescBookEdt->setText(toQ("Neue Beschreibung"));
  Click("Salate");
  std::string description;
  dlg->GetKBookDescription("Backen", description);
  EXPECT_EQ(description, "Neue Beschreibung");
  EXPECT_EQ(fromQ(dlg->AktBookEdt->text()), "Salate");
  EXPECT_FALSE(dlg->HasEdits());
  dlg->reject();
  ASSERT_EQ(main.opened.size(), 1u);
  EXPECT_EQ(main.opened[0], "Salate");
}

TEST_F(CookbookWindow, ANewBookIsCreatedOpenedAndListed) {
  dlg->show();
  dlg->NewBtnClick();
  EXPECT_TRUE(dlg->NewBookMode());
  EXPECT_EQ(fromQ(dlg->ActionTxt->title()), GetLangText(364));
  EXPECT_TRUE(dlg->AktBookEdt->text().isEmpty());
  EXPECT_TRUE(dlg->ToolBookChk->isChecked());
  EXPECT_TRUE(dlg->KBookLiBo->selectedItems().isEmpty());
  dlg->AktBookEdt->setText(toQ("Desserts"));
  dlg->DescBookEdt->setText(toQ("S\xFC\xDF" "es"));
  dlg->overtakeBtnClick();
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
  dlg->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  QTest::mouseClick(dlg->NewBtn, Qt::LeftButton);
  ASSERT_TRUE(dlg->AktBookEdt->hasFocus());
  const QString typed = QString(246, QLatin1Char('K')) + QStringLiteral("\u00e4\u00f6\u00fc");
  test::TypeText(dlg->AktBookEdt, typed);
  ASSERT_EQ(dlg->AktBookEdt->text(), typed);
  const std::vector<std::string> files = ListFolder(env.DataFolder());
  QTest::mouseClick(dlg->overtakeBtn, Qt::LeftButton);
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
  dlg->AktBookEdt->setFocus();
  QTest::keyClick(dlg->AktBookEdt, Qt::Key_End);
  for (int i = 0; i < 30; ++i) QTest::keyClick(dlg->AktBookEdt, Qt::Key_Backspace);
  const std::string name(219, 'K');
  ASSERT_EQ(fromQ(dlg->AktBookEdt->text()), name);
  QTest::mouseClick(dlg->overtakeBtn, Qt::LeftButton);
  EXPECT_EQ(env.messages.shown.size(), 1u);
  EXPECT_TRUE(HasBook(name));
  EXPECT_NE(Row(name), -1);
  ASSERT_EQ(main.opened.size(), 1u);
  EXPECT_EQ(main.opened[0], name);
  dlg->hide();
}

TEST_F(CookbookWindow, NewWithoutApplyingKeepsTheOpenBookWhenClosing) {
  dlg->show();
  dlg->NewBtnClick();
  dlg->reject();
  EXPECT_TRUE(main.opened.empty());  // Backen stays open
}

TEST_F(CookbookWindow, DeletingAskesFirstAndClosingKeepsOrReplacesTheOpenBook) {
  dlg->show();
  Click("Suppen");
  env.messages.answers = {IDNO};
  dlg->DelBtnClick();
  EXPECT_TRUE(HasBook("Suppen"));
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(168));
  EXPECT_EQ(env.messages.shown.at(0).title, GetLangText(56));
  env.messages.answers = {IDYES};
  dlg->DelBtnClick();
  for (const char* ext : {".bok", ".idx", ".inf"})
    EXPECT_FALSE(FileExists(env.DataFolder() + "Suppen" + ext)) << ext;
  EXPECT_EQ(Row("Suppen"), -1);
  EXPECT_EQ(fromQ(dlg->ActionTxt->title()), GetLangText(169));
  EXPECT_TRUE(dlg->NewBookMode());
  EXPECT_EQ(MenuBooks(BookMenuKind::CopyMarked), (std::vector<std::string>{"Backen", "Salate"}));
  dlg->reject();
  EXPECT_TRUE(main.opened.empty());  // the open book still exists and stays open

  // The open book itself deleted: closing opens a book that exists.
  dlg->show();
  Click("Backen");
  env.messages.answers = {IDYES};
  dlg->DelBtnClick();
  EXPECT_FALSE(dlg->DelBtn->isEnabled());  // one book left
  dlg->reject();
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
  dlg->BackPicBtnClick();
  EXPECT_EQ(fromQ(dlg->BackPicEdt->text()), "Backen.bmp");
  EXPECT_EQ(ReadAll(env.DataFolder() + "Backen.bmp"), "BM-bytes");
  // Another picture of the same name does not replace it.
  WriteAll(outside, "other");
  dlg->BackPicBtnClick();
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
  dlg->kBookOrderBtnClick();
  EXPECT_EQ(main.optionPages, (std::vector<int>{9}));
  dlg->HelpBtnClick();
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_EQ(env.shell.opened[0], env.Root() + "Data/DE/Help/Dlg_KBook.htm");
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
