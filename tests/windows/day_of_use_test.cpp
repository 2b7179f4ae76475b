// A day with the program, from a fresh data root to the next start: three recipes imported from
// a Meal-Master file, found by quick and by power search, one changed in the editor, its
// nutrients calculated, put into the diary of a person made that day, on the shopping list and
// into the week plan, printed to PDF; the book exported as CookML and imported into a second
// book, compressed; the data root backed up; then the program is started again and every change
// is still there. Each step goes through the menu command and the window a user would use.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "diary/diary_module.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/diary_overview_dialog.h"
#include "diary/ui/person_data_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "exchange/ui/export_dialog.h"
#include "exchange/ui/import_dialog.h"
#include "exchange/ui/print_start_dialog.h"
#include "exchange/ui/qt_printing.h"
#include "kitchen/ui/shopping_list_window.h"
#include "kitchen/ui/week_plan_window.h"
#include "kitchen/weekplan/week_plan.h"
#include "maintenance/ui/backup_dialog.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "recipedb/ui/cookbook_dialog.h"
#include "recipedb/ui/reorg_dialog.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/power_search_dialog.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/options_store.h"
#include "services/ui/context_list_box.h"
#include "support/test_env.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// Three recipes as a Meal-Master collection carries them: code page 437 umlauts, a two-column
// ingredient block, a heading line, CR LF.
const char kThreeRecipes[] =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n"
    "\r\n"
    "      Title: Kartoffelsuppe mit Majoran\r\n"
    " Categories: Suppen, Kartoffeln\r\n"
    "      Yield: 4 Portionen\r\n"
    "\r\n"
    "   1000 g  Kartoffeln                          2    Zwiebeln\r\n"
    "      1 l  Br\x81he                              200 ml Sahne\r\n"
    "MMMMM-------------------------Zum W\x81rzen------------------------------\r\n"
    "      1 Pr Majoran                             1 Pr Salz\r\n"
    "\r\n"
    "  Kartoffeln und Zwiebeln sch\x84len, w\x81rfeln und in der Br\x81he 20 Minuten\r\n"
    "  weich kochen. P\x81rieren, Sahne zugeben, mit Majoran und Salz\r\n"
    "  abschmecken.\r\n"
    "\r\n"
    "MMMMM\r\n"
    "\r\n"
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n"
    "\r\n"
    "      Title: Linsensalat\r\n"
    " Categories: Salate\r\n"
    "      Yield: 2 Portionen\r\n"
    "\r\n"
    "    250 g  Linsen\r\n"
    "      1    Paprikaschote\r\n"
    "      3 EL \x99l\r\n"
    "      2 EL Essig\r\n"
    "\r\n"
    "  Linsen garen, abk\x81hlen lassen und mit Paprika, \x99l und Essig mischen.\r\n"
    "\r\n"
    "MMMMM\r\n"
    "\r\n"
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n"
    "\r\n"
    "      Title: Apfelkuchen vom Blech\r\n"
    " Categories: Backen, Kuchen\r\n"
    "      Yield: 12 St\x81""ck\r\n"
    "\r\n"
    "    500 g  Mehl\r\n"
    "    250 g  Butter\r\n"
    "    200 g  Zucker\r\n"
    "      3    Eier\r\n"
    "   1500 g  \x8e""pfel\r\n"
    "\r\n"
    "  Teig kneten, auf das Blech streichen, mit \x8e""pfeln belegen, 40 Minuten\r\n"
    "  bei 180 Grad backen.\r\n"
    "\r\n"
    "MMMMM\r\n";

class DayOfUse : public test::KitchenProgram {
 protected:
  std::vector<std::string> pdfs;

  void SetUp() override {
    KitchenProgram::SetUp();
    // A fresh data root: no book chosen yet, the first start makes the default one.
    env.userSettings.DeleteValue(kRegParam, "KBook");
    QtPrintDevice::pdfFileForTest = [this](const std::string&) {
      pdfs.push_back(env.Root() + "Export/Rezept" + std::to_string(pdfs.size() + 1) + ".pdf");
      return pdfs.back();
    };
  }
  void TearDown() override {
    QtPrintDevice::pdfFileForTest = nullptr;
    KitchenProgram::TearDown();
  }
  // Ends the program as the user does and starts it again.
  // The program ends with the main window and destroys none of its windows: what is on disk
  // then is what the next start finds, so the hand destruction needed to start again in this
  // process must write nothing.
  void Restart() {
    QAction* exit = MainFrm->Action("FileExitItem");
    ASSERT_TRUE(exit->isVisible() && exit->isEnabled());
    exit->trigger();
    ASSERT_FALSE(MainFrm->isVisible());
    const std::map<std::string, std::string> atEnd = FilesUnder(env.Root());
    DestroyAllWindows();
    EXPECT_TRUE(FilesUnder(env.Root()) == atEnd) << "a destructor wrote to the data root";
    Start();
  }
  static std::map<std::string, std::string> FilesUnder(const std::string& root) {
    std::map<std::string, std::string> out;
    for (const auto& f : std::filesystem::recursive_directory_iterator(root))
      if (f.is_regular_file()) out[f.path().string()] = ReadAll(f.path().string());
    return out;
  }
  // Runs `inside` once the modal window of the command is up; closes it unless `inside` did.
  void WithModal(const char* command, const std::function<void()>& inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      ran = QApplication::activeModalWidget() != nullptr;
      inside();
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    MainFrm->Action(command)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(ran) << command << " opened no window";
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    REZINDEX e;
    for (int row = 0; row < list->Count(); ++row)
      if (list->RowEntry(row, e)) out.push_back(e.Title());
    return out;
  }
  void ImportInto(const std::string& file) {
    WithModal("FileImport", [&] {
      ImportDlg->FileRdb->setChecked(true);
      ImportDlg->chooseFilesForTest = [&](std::vector<std::string>& files) {
        files = {file};
        return true;
      };
      ImportDlg->OKBtnClick();
      ImportDlg->chooseFilesForTest = nullptr;
    });
  }
  // The recipe as its book holds it.
  REZBLOCK Stored(const std::string& title) const {
    REZBLOCK r;
    REZINDEX e;
    const int row = RowOf(title);
    EXPECT_TRUE(row >= 0 && list->RowEntry(row, e)) << title;
    EXPECT_TRUE(dbList->ReadRezBlockByKey(e.bookId, e.number, r)) << title;
    return r;
  }
  std::vector<std::string> Errors() const {
    std::vector<std::string> out;
    for (const auto& m : env.messages.shown)
      if (m.title == GetLangText(15)) out.push_back(m.text);
    return out;
  }
};

TEST_F(DayOfUse, EveryChangeOfTheDayIsThereAfterTheNextStart) {
  Start();
  const std::string book = ctx().options->Str(6);
  ASSERT_FALSE(book.empty());  // the first start made the default book
  const int before = list->Count();
  env.messages.shown.clear();  // notices of the first start
  env.messages.defaultAnswer = IDYES;

  // Morning: three recipes from a friend's Meal-Master file.
  const std::string mm = env.Root() + "Import/Drei Rezepte.mm";
  WriteAll(mm, kThreeRecipes);
  ImportInto(mm);
  ASSERT_EQ(list->Count(), before + 3);
  for (const char* t : {"Kartoffelsuppe mit Majoran", "Linsensalat", "Apfelkuchen vom Blech"})
    EXPECT_GE(RowOf(t), 0) << t;

  // The quick search jumps to the salad as its first letters are typed.
  list->SearchEdt->setText(QStringLiteral("Lins"));
  list->SearchEdtChange();
  ASSERT_GE(list->CurrentRow(), 0);
  EXPECT_EQ(Titles()[static_cast<size_t>(list->CurrentRow())], "Linsensalat");

  // The power search finds the soup by a word of its ingredients' title.
  WithModal("Powersuche1", [] {
    PSearchDlg->ResetBtnClick();
    PSearchDlg->TitelEdt->setText(QStringLiteral("Majoran"));
    PSearchDlg->BookAllRdb->setChecked(true);
    PSearchDlg->StartBtnClick();
  });
  EXPECT_TRUE(list->IsSearchMode());
  EXPECT_EQ(Titles(), std::vector<std::string>{"Kartoffelsuppe mit Majoran"});
  list->GattLiBo->setCurrentIndex(0);  // back to the whole book
  list->GattLiBoChange();
  ASSERT_EQ(list->Count(), before + 3);

  // Guests come: the soup for six, changed in the editor and saved.
  ShowRecipe("Kartoffelsuppe mit Majoran");
  MainFrm->Action("RezeptAendern")->trigger();
  ASSERT_TRUE(EditRezDlg->isVisible());
  MainFrm->Action("NEditMnu")->trigger();
  NEditDlg->PortAnzEdt->setText(QStringLiteral("6"));
  EditRezDlg->OKBtnClick();
  EXPECT_FALSE(EditRezDlg->isVisible());
  EXPECT_EQ(Stored("Kartoffelsuppe mit Majoran").servings, 6);
  EXPECT_NE(Stored("Kartoffelsuppe mit Majoran").lines[0].amount, "1000");  // rescaled

  // Its nutrients, calculated and stored when the calculation window closes.
  WithModal("CalcBLSRezept", [] { BLSZutatDlg->CloseBtnClick(); });
  EXPECT_FALSE(Stored("Kartoffelsuppe mit Majoran").nutrients.empty());

  // Lunch goes into the diary: Eva keeps one from today, made in the person list.
  WithModal("PersonenListeMnu", [] {
    test::WhileShown(
        PersDataDlg,
        [] {
          PersDataDlg->NameEdt->setText(QStringLiteral("Eva"));
          PersDataDlg->GebDatEdt->setText(QStringLiteral("14.3.1986"));
          PersDataDlg->FemaleRdb->click();
          PersDataDlg->GroesseEdt->setText(QStringLiteral("171"));
          PersDataDlg->GewichtEdt->setText(QStringLiteral("64"));
          PersDataDlg->OKBtn->click();
        },
        [] { PersListDlg->NewBtn->click(); });
    EXPECT_EQ(PersListDlg->PersListGrd->rowCount(), 1);
    EXPECT_EQ(fromQ(PersListDlg->PersListGrd->item(0, 0)->text()), "Eva");
    PersListDlg->OKBtn->click();
  });
  EXPECT_NE(ReadAll(env.DataFolder() + "Users.dat").find(">NEva\r\n>G14031986"), std::string::npos);
  // The soup, selected in the list, goes to today on the consumption pane's day panel.
  MainFrm->Action("VerbrauchslisteMnu")->trigger();
  ASSERT_TRUE(ENAddDayDlg->isVisible());
  EXPECT_EQ(fromQ(ENAddDayDlg->PersonCoBo->currentText()), "Eva");
  std::time_t now = std::time(nullptr);
  const std::tm today = *std::localtime(&now);
  int day = 0, month = 0, year = 0;
  ENAddDayDlg->CalendarDate(day, month, year);
  ASSERT_TRUE(day == today.tm_mday && month == today.tm_mon && year == today.tm_year + 1900);
  ShowRecipe("Kartoffelsuppe mit Majoran");
  ENAddDayDlg->AddRezBtn->click();
  ASSERT_EQ(test::ListTexts(ENAddDayDlg->RezLiBo),
            std::vector<std::string>{"Kartoffelsuppe mit Majoran"});
  char monthName[32];
  std::snprintf(monthName, sizeof monthName, "m%02d%04d.dat", month + 1, year);
  const std::string monthFile = env.DataFolder() + "Konten/Eva/" + monthName;
  EXPECT_NE(ReadAll(monthFile).find("Kartoffelsuppe mit Majoran"), std::string::npos);
  // Her weight of today, typed into the weight history; the window stays open to the end.
  MainFrm->Action("GewichtsverlaufMnu")->trigger();
  ASSERT_TRUE(ENViewDayDlg->isVisible());
  // Her first weight: "Neue Eingabe" puts the keyboard into the new row's weight cell.
  ASSERT_TRUE(test::Click(ENViewDayDlg->NewGewichtBtn));
  QTableWidget* weights = ENViewDayDlg->GewichtGrd;
  ASSERT_EQ(weights->rowCount(), 2);
  test::TypeKeys(QStringLiteral("63,4"));
  test::PressKey(Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return weights->item(1, 2)->text() == "63,4"; }, 1000));

  // The shopping list and the week plan for today.
  MainFrm->Action("zurEinkaufsliste1")->trigger();
  ASSERT_EQ(KaufRezListDlg->list.Count(), 1);
  MainFrm->Action("WPlan")->trigger();
  const int todayColumn = TodayNumber() - WPlanDlg->plan.weekStart;
  ASSERT_TRUE(todayColumn >= 0 && todayColumn < 7);
  WPlanDlg->WPlanGrdDragDrop(list->ChooseLiBo, todayColumn, 1);
  ASSERT_EQ(WPlanDlg->plan.entries.size(), 1u);

  // The recipe on paper: this machine's printer is a PDF file.
  WithModal("FilePrintItem", [] {
    PrintStartDlg->PRecipeSimpleBtn->click();
    PrintStartDlg->StartBtnClick();
  });
  ASSERT_EQ(pdfs.size(), 1u);
  EXPECT_EQ(ReadAll(pdfs[0]).substr(0, 5), "%PDF-");

  // Evening: the whole book as CookML, read into a second book.
  const std::string cml = env.Root() + "Export/Kochbuch";
  WithModal("FileExport", [&] {
    ExportDlg->mAllRezRdb->setChecked(true);
    ExportDlg->mKMLFmtRdb->click();
    ExportDlg->FileRdb->setChecked(true);
    ExportDlg->chooseFileForTest = [&](std::string& name) {
      name = cml;
      return true;
    };
    ExportDlg->OKBtnClick();
    ExportDlg->chooseFileForTest = nullptr;
  });
  ASSERT_TRUE(FileExists(cml + ".cml"));
  WithModal("MnNewBook", [] {
    KBookDlg->NewBtnClick();
    KBookDlg->AktBookEdt->setText(QStringLiteral("Zweitbuch"));
    KBookDlg->overtakeBtnClick();
  });
  ASSERT_EQ(ctx().options->Str(6), "Zweitbuch");
  ImportInto(cml + ".cml");
  EXPECT_EQ(list->Count(), before + 3);
  EXPECT_GE(RowOf("Kartoffelsuppe mit Majoran"), 0);
  MainFrm->OpenBook(book);
  ASSERT_EQ(ctx().options->Str(6), book);

  // The first book compressed: the record the editor superseded goes.
  const std::string records = env.DataFolder() + book + ".bok";
  const auto sizeBefore = std::filesystem::file_size(records);
  WithModal("DoReorg", [] { ReorgDlg->OKBtnClick(); });
  const auto sizeAfter = std::filesystem::file_size(records);
  EXPECT_LT(sizeAfter, sizeBefore);
  EXPECT_TRUE(Errors().empty()) << Errors().front();

  // Before bed, the whole data root is backed up into a dated folder of its own.
  const std::string backups = env.Root() + "Sicherungen/";
  WithModal("BackupMnu", [&] {
    BackupDlg->BKBookAllChk->setChecked(true);
    BackupDlg->BPathEdt->setText(toQ(backups));
    BackupDlg->BStartBtnClick();
  });
  std::string backup;
  for (const auto& entry : std::filesystem::directory_iterator(backups))
    if (entry.path().filename().string().rfind("TavolinBackup_", 0) == 0)
      backup = entry.path().string() + "/";
  ASSERT_FALSE(backup.empty());

  // The next morning.
  Restart();
  EXPECT_EQ(ctx().options->Str(6), book);
  ASSERT_EQ(list->Count(), before + 3);
  EXPECT_EQ(Stored("Kartoffelsuppe mit Majoran").servings, 6);
  EXPECT_FALSE(Stored("Kartoffelsuppe mit Majoran").nutrients.empty());
  EXPECT_EQ(std::filesystem::file_size(records), sizeAfter);
  EXPECT_EQ(ctx().books->CountKBookRecipes("Zweitbuch", true), 3);
  ASSERT_EQ(KaufRezListDlg->list.Count(), 1);
  EXPECT_EQ(KaufRezListDlg->list.Entries()[0].title, "Kartoffelsuppe mit Majoran");
  ASSERT_EQ(WPlanDlg->plan.entries.size(), 1u);
  EXPECT_EQ(WPlanDlg->plan.entries[0].text, "Kartoffelsuppe mit Majoran");
  EXPECT_EQ(ENApplogMod->GetActivePersonName(), "Eva");
  EXPECT_NE(ReadAll(monthFile).find("Kartoffelsuppe mit Majoran"), std::string::npos);
  MainFrm->Action("VerbrauchslisteMnu")->trigger();
  ASSERT_TRUE(ENAddDayDlg->isVisible());
  EXPECT_EQ(fromQ(ENAddDayDlg->PersonCoBo->currentText()), "Eva");
  EXPECT_EQ(test::ListTexts(ENAddDayDlg->RezLiBo),
            std::vector<std::string>{"Kartoffelsuppe mit Majoran"});
  const ENDAY* eaten = ENApplogMod->GetDay(day, month, year);
  ASSERT_NE(eaten, nullptr);
  ASSERT_EQ(eaten->entries.size(), 1u);
  EXPECT_EQ(eaten->entries[0].name, "Kartoffelsuppe mit Majoran");
  EXPECT_EQ(ReadAll(pdfs[0]).substr(0, 5), "%PDF-");
  ASSERT_TRUE(ENApplogMod->ReadWeightList());
  ASSERT_EQ(ENApplogMod->weights.size(), 1u);
  EXPECT_EQ(ENApplogMod->weights[0].values[0], "63,4");
  EXPECT_EQ(ENApplogMod->weights[0].day, day);
  // The backup holds the day as it is now.
  for (const std::string& file : {book + ".bok", book + ".idx", std::string("Zweitbuch.bok"),
                                 std::string("Kauflist.dat"), std::string("WPlan.ini"),
                                 std::string("Konten/Eva/Weight.dat")}) {
    const std::string live = ReadAll(env.DataFolder() + file);
    EXPECT_FALSE(live.empty()) << file;
    EXPECT_EQ(ReadAll(backup + "Data/" + file), live) << file;
  }
  EXPECT_TRUE(Errors().empty());
}

}  // namespace
}  // namespace tav
