#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "kitchen/lexicon/lexicon.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "recipedb/book_test_util.h"
#include "recipedb/index_file.h"
#include "recipedb/ui/reorg_dialog.h"
#include "services/text_tools.h"
#include "services/ui/lang_dialog.h"
#include "support/read_faults.h"
#include "user_gestures.h"
#include "window_test_support.h"

namespace tav {
namespace {

// Three books with a deleted recipe each; the window translated from the German file.
class ReorgWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    lang = std::make_unique<TLangDlg>();
    lang->FormCreate(nullptr);
    LangDlg = lang.get();
    for (const char* name : {"Gamma", "Alpha", "Beta"}) {
      KBOOK k;
      k.name = name;
      b.books.CreateKBook(k);
      b.env.Options().SetParaString(6, name);
      b.books.SelectKBook(name);
      b.store.ReloadBookIndex();
      for (int i = 0; i < 3; ++i) {
        REZBLOCK r = test::RichRecipe(i);
        b.AddRecipe(r);
      }
      REZINDEX e = b.store.BookIndex()[1];
      e.deleted = 1;
      b.store.WriteIndexEntry(e, 1);
    }
    dlg = std::make_unique<TReorgDlg>();
  }
  void TearDown() override {
    dlg.reset();
    LangDlg = nullptr;
  }
  std::vector<std::string> Log() const {
    std::vector<std::string> out;
    for (int i = 0; i < dlg->LogLiBo->count(); ++i) out.push_back(fromQ(dlg->LogLiBo->item(i)->text()));
    return out;
  }
  int Entries(const std::string& book) {
    return CountIndexEntries(b.File(book, ".idx"), false);
  }

  test::BookEnv b{"Test"};
  std::unique_ptr<TLangDlg> lang;
  std::unique_ptr<TReorgDlg> dlg;
};

TEST_F(ReorgWindow, CompressesTheNamedBook) {
  EXPECT_EQ(fromQ(dlg->windowTitle()), "Datenbank komprimieren");
  EXPECT_EQ(fromQ(dlg->AllRdb->text()), "komprimiere alle Kochb\xFC" "cher");
  dlg->PrepareReorgDlg(2, "Beta");
  EXPECT_TRUE(dlg->ExactRdb->isChecked());
  ASSERT_EQ(dlg->KBookLiBo->count(), 4);
  EXPECT_EQ(fromQ(dlg->KBookLiBo->item(0)->text()), "Alpha");
  EXPECT_EQ(dlg->KBookLiBo->selectedItems().size(), 1);
  EXPECT_EQ(fromQ(dlg->KBookLiBo->selectedItems()[0]->text()), "Beta");
  dlg->OKBtnClick();
  const std::vector<std::string> log = Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "  Beta:");
  EXPECT_EQ(log[1], GetLangText(235) + "2" + GetLangText(234) + "3.");
  EXPECT_EQ(log[2], GetLangText(229));
  EXPECT_EQ(dlg->LogLiBo->currentRow(), 2);
  EXPECT_EQ(fromQ(dlg->CancelBtn->text()), GetLangText(227));
  EXPECT_EQ(Entries("Beta"), 2);
  EXPECT_EQ(Entries("Alpha"), 3);
  // The current book (Beta) was reloaded after its compression.
  EXPECT_EQ(b.store.BookIndex().size(), 2u);

  // Grab the window as a user sees it.
  dlg->resize(dlg->sizeHint());
  test::Shot(dlg.get(), "reorg_dialog");
}

TEST_F(ReorgWindow, NothingSelectedCompressesNothing) {
  dlg->PrepareReorgDlg(2, "");
  dlg->OKBtnClick();
  ASSERT_EQ(b.env.messages.shown.size(), 1u);
  EXPECT_EQ(b.env.messages.shown[0].text, GetLangText(226));
  EXPECT_EQ(Log(), std::vector<std::string>{GetLangText(228)});
  EXPECT_EQ(Entries("Alpha"), 3);
}

TEST_F(ReorgWindow, AllBooksAndTheCurrentOne) {
  dlg->PrepareReorgDlg(1, "");
  EXPECT_TRUE(dlg->AllRdb->isChecked());
  dlg->OKBtnClick();
  for (const char* book : {"Alpha", "Beta", "Gamma"}) EXPECT_EQ(Entries(book), 2) << book;
  EXPECT_EQ(Log().size(), 4u * 3 - 1 + 1);  // name, count, blank between books; final line

  dlg->PrepareReorgDlg(0, "");
  EXPECT_TRUE(dlg->AktRdb->isChecked());
  EXPECT_EQ(dlg->LogLiBo->count(), 0);
  // Clicking a book in the list chooses "this book".
  dlg->show();
  ASSERT_TRUE(test::ClickCell(dlg->KBookLiBo, 1));
  EXPECT_TRUE(dlg->ExactRdb->isChecked());
}

// The lexicon's file fails to read after its first 64 KB while the compression reorganises it:
// the user starts the run with the start button, the books are compressed, and the lexicon
// stays as it was, which the log says in the user's language.
TEST_F(ReorgWindow, ALexiconNotReadToItsEndStaysAsItWasAndTheLogSaysSo) {
  for (const char* language : {"DE", "EN"}) {
    SCOPED_TRACE(language);
    b.env.userSettings.WriteString(kRegParam, "AktLanguage", language);
    b.env.LoadLanguage(language);
    lang = std::make_unique<TLangDlg>();
    lang->FormCreate(nullptr);
    LangDlg = lang.get();
    dlg = std::make_unique<TReorgDlg>();
    const std::string ldt = b.env.DataFolder() + "DE/Lexika.ldt";
    std::string bytes = "SAPLEX_1.00\r\n#\r\n";
    for (int i = 0; i < 600; ++i)
      bytes += "B1\r\n>Garen " + std::to_string(i) + "\r\nF" + (i % 4 ? "0" : "1") +
               "\r\nIm Dampf bei m\xE4\xDFiger Hitze garen, bis das Gem\xFCse bissfest ist; "
               "danach sofort in Eiswasser abschrecken.\r\r\n#\r\n";
    ASSERT_GT(bytes.size(), 1u << 16);
    test::WriteAll(ldt, bytes);
    CookingLexicon lexicon;
    dlg->PrepareReorgDlg(1, "");
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    {
      // Open, first block, then the read error.
      test::NthReadFault fault(3, [&](const std::string& path) { return path == ldt; });
      QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
      EXPECT_TRUE(fault.Hit());
    }
    EXPECT_EQ(test::ReadAll(ldt), bytes);
    const std::vector<std::string> log = Log();
    std::string lines;
    for (const std::string& line : log) lines += line + "\n";
    EXPECT_NE(lines.find(FormatLangText(GetLangText(1090), {"Lexika.ldt"}) + "\n"),
              std::string::npos);
    EXPECT_EQ(log.back(), GetLangText(229));
    for (const char* book : {"Alpha", "Beta", "Gamma"}) EXPECT_EQ(Entries(book), 2) << book;
    test::Shot(dlg.get(), std::string("reorg_lexicon_unread_") + language);
    dlg.reset();
  }
}

}  // namespace
}  // namespace tav
