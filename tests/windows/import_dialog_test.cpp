#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "exchange/ui/import_dialog.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "recipedb/book_test_util.h"
#include "recipedb/index_file.h"
#include "recipes/ui/alert_dialog.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/lang_dialog.h"
#include "user_gestures.h"
#include "window_test_support.h"

namespace tav {
namespace {

std::string MealMaster(const std::string& title) {
  return "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n      Title: " + title +
         "\r\n Categories: Salate\r\n      Yield: 2\r\n\r\n      1    "
         "Ei\r\n\r\nKochen.\r\n\r\nMMMMM\r\n";
}

// Two books ("Andere" and the current "Ziel"); the window translated from the German file.
class ImportWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    lang = std::make_unique<TLangDlg>();
    lang->FormCreate(nullptr);
    LangDlg = lang.get();
    KBOOK other;
    other.name = "Andere";
    b.books.CreateKBook(other);
    dlg = std::make_unique<TImportDlg>();
  }
  void TearDown() override {
    dlg.reset();
    LangDlg = nullptr;
  }
  std::vector<std::string> Log() const {
    std::vector<std::string> out;
    for (int i = 0; i < dlg->LogLiBo->count(); ++i)
      out.push_back(fromQ(dlg->LogLiBo->item(i)->text()));
    return out;
  }
  int Entries(const std::string& book) { return CountIndexEntries(b.File(book, ".idx"), false); }

  test::BookEnv b{"Ziel"};
  std::unique_ptr<TLangDlg> lang;
  std::unique_ptr<TImportDlg> dlg;
};

TEST_F(ImportWindow, ClipboardRecipesAreFoundWhenTheWindowOpensAndImported) {
  EXPECT_EQ(fromQ(dlg->windowTitle()), "Rezepte importieren");
  EXPECT_EQ(fromQ(dlg->ZielGrp->title()), "Ziel-Kochbuch");
  EXPECT_EQ(fromQ(dlg->CancelBtn->text()),
            "&Schlie\xDF"
            "en");
  EXPECT_TRUE(dlg->FileRdb->isChecked());
  b.env.clipboard.text = MealMaster("Salat") + MealMaster("Suppe");
  dlg->show();
  EXPECT_TRUE(dlg->ClipRdb->isChecked());
  ASSERT_EQ(dlg->ImportLiBo->count(), 2);
  EXPECT_EQ(fromQ(dlg->ImportLiBo->currentItem()->text()), "Ziel");

  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_EQ(Log(), (std::vector<std::string>{"Lese Rezepte aus der Zwischenablage ...",
                                             "-> 2 Meal-Master-Rezepte importiert", "",
                                             "Import beendet."}));
  EXPECT_EQ(dlg->LogLiBo->currentRow(), 3);
  EXPECT_EQ(fromQ(dlg->OKBtn->text()), GetLangText(172));
  EXPECT_TRUE(dlg->CancelBtn->isEnabled());
  EXPECT_EQ(Entries("Ziel"), 2);
  EXPECT_EQ(b.store.BookIndex().size(), 2u);  // the list shows them
  dlg->resize(560, 330);
  test::Shot(dlg.get(), "import_window");
}

TEST_F(ImportWindow, ChosenFilesGoIntoTheChosenBook) {
  const std::string path = b.env.Root() + "Import/zwei.mm";
  test::WriteAll(path, MealMaster("Eins") + MealMaster("Zwei"));
  b.env.clipboard.text = "Einkaufsliste";  // text without recipes: file mode
  dlg->show();
  EXPECT_TRUE(dlg->FileRdb->isChecked());
  ASSERT_TRUE(test::ClickCell(dlg->ImportLiBo, 0));  // "Andere"
  dlg->chooseFilesForTest = [&](std::vector<std::string>& files) {
    EXPECT_EQ(fromQ(dlg->OKBtn->text()), "&Start");  // not yet running
    files = {path};
    return true;
  };
  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_EQ(Entries("Andere"), 2);
  EXPECT_EQ(Entries("Ziel"), 0);
  EXPECT_EQ(Log().front(), "Lese Datei '" + path + "'");
  dlg->chooseFilesForTest = [](std::vector<std::string>&) { return false; };
  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_TRUE(Log().empty());  // cancelled: nothing read
  EXPECT_FALSE(dlg->IsRunning());
}

// The file dialog starts in the import folder of the options, else in the data root's, else in
// the home folder; never in the working folder.
TEST_F(ImportWindow, TheFileDialogStartsInAnImportFolderOrAtHome) {
  OptionsStore& options = *ctx().options;
  const std::string root = options.Str(2).substr(0, options.Str(2).size() - 5);
  const std::string own = root + "Eingang/";
  ASSERT_TRUE(MakeDirs(own));
  ASSERT_TRUE(MakeDirs(root + "Import/"));
  options.SetParaString(3, own);
  EXPECT_EQ(TImportDlg::ImportStartFolder(), own);
  options.SetParaString(3, root + "fehlt/");
  EXPECT_EQ(TImportDlg::ImportStartFolder(), root + "Import/");
  std::filesystem::remove(root + "Import");
  EXPECT_EQ(TImportDlg::ImportStartFolder(), fromQ(QDir::homePath()) + "/");
}

TEST_F(ImportWindow, QuickImportTakesTheClipboardIntoTheCurrentBook) {
  b.env.clipboard.text = "Einkaufsliste";
  dlg->show();
  dlg->ImportLiBo->setCurrentRow(0);
  dlg->hide();
  b.env.clipboard.text = MealMaster("Schnell") + MealMaster("Schneller");
  TAlertDlg alert;
  std::string notice, caption;
  QTimer::singleShot(0, &alert, [&] {  // the notice is modal: read it, then close it
    notice = fromQ(alert.AlertTxt->text());
    caption = fromQ(alert.windowTitle());
    alert.close();
  });
  EXPECT_EQ(dlg->QuickImport(), 2);
  EXPECT_EQ(notice, "Es wurden 2 Rezepte importiert.");
  EXPECT_EQ(caption, "Quick-Import");
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Entries("Ziel"), 2);  // the current book, whatever was chosen before
  EXPECT_EQ(dlg->ImportFileIntoBook(b.env.Root() + "fehlt.mm", "Ziel"), 0);
  dlg->show();
  EXPECT_EQ(dlg->ImportFileIntoBook(b.env.Root() + "fehlt.mm", "Ziel"), -1);  // window open
  AlertDlg = nullptr;
}

}  // namespace
}  // namespace tav
