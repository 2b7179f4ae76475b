// The maintenance windows in the whole program over the shipped data root: the first-start
// takeover before the start, backup and restore from the main menu, the user survey and the
// nutrient export for Quenora. Shots in both languages (TAVOLIN_SHOTS).
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <unistd.h>

#include "maintenance/data_backup.h"
#include "maintenance/ui/backup_dialog.h"
#include "maintenance/ui/quenora_export_dialog.h"
#include "maintenance/ui/survey_dialog.h"
#include "maintenance/ui/takeover_dialog.h"
#include "services/text_tools.h"
#include "services/ui/context_list_box.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;
using test::ReadAll;
using test::WriteAll;

// ---- first-start takeover ------------------------------------------------------------------

class TakeoverWindow : public ::testing::Test {
 protected:
  test::TestEnv env;
  void TearDown() override {
    delete UpdaterDlg;
    UpdaterDlg = nullptr;
  }
};

TEST_F(TakeoverWindow, OlderInstallationChoosesPerTable) {
  const std::string de = env.DataFolder() + "DE/";
  WriteAll(de + "Einheit.dat", "my units");
  WriteAll(de + "Einheit.datu", "new units");
  WriteAll(de + "Gattung.dat", "my categories");
  WriteAll(de + "Gattung.datu", "new categories");
  env.userSettings.WriteString("Software\\Orlak\\Sapurino\\Param", "AktLanguage", "DE");
  auto* dlg = new TUpdaterDlg(env.Root());
  dlg->PrepareUpdateDialog();
  // Without Version.txt the installation is of version 1: the ingredients are always taken.
  EXPECT_TRUE(dlg->ZutatenCB->isChecked());
  EXPECT_FALSE(dlg->ZutatenCB->isEnabled());
  EXPECT_EQ(env.userSettings.Read(kRegParam, "AktLanguage"), "DE") << "legacy key moved";
  test::WhileShown(dlg, [&] {
    EXPECT_TRUE(dlg->UpdateGrp->isVisible());
    EXPECT_FALSE(dlg->HelloGrp->isVisible());
    EXPECT_TRUE(dlg->IDCancel->isVisible());
    for (QCheckBox* box : {dlg->RezepteCB, dlg->GattungenCB, dlg->EinheitenCB, dlg->LexikaCB,
                           dlg->HTMLCB, dlg->BackPicCB})
      EXPECT_TRUE(box->isChecked());
    dlg->GattungenCB->click();
    EXPECT_TRUE(dlg->MemoTxt->toPlainText().startsWith("Die Original-Gattungen"));
    test::Shot(dlg, "takeover_update");
    dlg->IDStartClick();
  });
  EXPECT_TRUE(dlg->Started());
  EXPECT_EQ(env.exitCode, -1);
  EXPECT_EQ(ReadAll(de + "Einheit.dat"), "new units");
  EXPECT_EQ(ReadAll(de + "Gattung.dat"), "my categories");
  EXPECT_FALSE(FileExists(de + "Gattung.datu"));
  EXPECT_NE(ReadAll(env.Root() + "InstLog.txt").find(de + "Gattung.dat;-;0;99;0."),
            std::string::npos);
}

TEST_F(TakeoverWindow, CancelOnAnOlderInstallationTakesNothing) {
  const std::string de = env.DataFolder() + "DE/";
  WriteAll(de + "Einheit.dat", "my units");
  WriteAll(de + "Einheit.datu", "new units");
  auto* dlg = new TUpdaterDlg(env.Root());
  dlg->PrepareUpdateDialog();
  test::WhileShown(dlg, [&] {
    ASSERT_TRUE(dlg->UpdateGrp->isVisible());
    EXPECT_TRUE(test::Click(dlg->IDCancel));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg->isVisible(); }, 2000));
  });
  EXPECT_FALSE(dlg->Started());
  EXPECT_EQ(env.exitCode, 0);
  EXPECT_EQ(ReadAll(de + "Einheit.dat"), "my units");
  EXPECT_EQ(ReadAll(de + "Einheit.datu"), "new units");
}

TEST_F(TakeoverWindow, OnlyDataOfTheFormerGenerationLocksTheIngredients) {
  WriteAll(env.DataFolder() + "DE/Einheit.dat", "my units");
  struct Case {
    const char* version;  // nullptr: no Version.txt
    bool locked;
  } cases[] = {
      {nullptr, true},                          // data of the former generation
      {"1.52\r\n", true},                     // too short for a version: 1
      {"Tavolin: 1.00\r\n", false},            // what this program writes at every start
      {"Tavolin: 4.21\r\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version ? c.version : "none");
    RemoveFile(env.Root() + "Version.txt");
    if (c.version) WriteAll(env.Root() + "Version.txt", c.version);
    TUpdaterDlg dlg(env.Root());
    dlg.PrepareUpdateDialog();
    EXPECT_EQ(dlg.ZutatenCB->isEnabled(), !c.locked);
    EXPECT_TRUE(dlg.ZutatenCB->isChecked());
    if (!c.locked) test::Shot(&dlg, "takeover_update_own_installation");
    UpdaterDlg = nullptr;
  }
}

TEST_F(TakeoverWindow, FreshInstallationWelcomesAndCancelEndsTheProgram) {
  WriteAll(env.DataFolder() + "DE/einheit.datu", "units");
  auto* dlg = new TUpdaterDlg(env.Root());
  dlg->PrepareUpdateDialog();
  test::WhileShown(dlg, [&] {
    EXPECT_FALSE(dlg->UpdateGrp->isVisible());
    EXPECT_TRUE(dlg->HelloGrp->isVisible());
    EXPECT_FALSE(dlg->IDCancel->isVisible());
    EXPECT_FALSE(dlg->Image1->pixmap().isNull());
    EXPECT_TRUE(
        dlg->HelloTxt->toPlainText().endsWith(QString::fromUtf8("Viel Spaß mit Tavolin !")));
    test::Shot(dlg, "takeover_welcome");
    dlg->close();  // the title bar's close button
  });
  EXPECT_FALSE(dlg->Started());
  EXPECT_EQ(env.exitCode, 0);
  EXPECT_TRUE(FileExists(env.DataFolder() + "DE/einheit.datu")) << "nothing taken";
}

// ---- the windows of the running program ----------------------------------------------------

const char kAnswers[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<tantwort>\r\n  <antwort id=\"f_seit\" "
    "type=\"RBTN\">\r\n    <value>s2</value>\r\n  </antwort>\r\n</tantwort>\r\n";

class MaintenanceWindows : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    MakeBook({Dish("Linsensuppe", 4, {Line("250", "g", "Linsen")}, "Kochen."),
              Dish("K\xE4sesp\xE4tzle", 2, {Line("400", "g", "Sp\xE4tzle")}, "Backen.")});
    WriteAll(env.Root() + "Pics/suppe.jpg", std::string(4000, '\xD8'));
    WriteAll(env.DataFolder() + "Antwort.xml", kAnswers);
  }
  std::string Root() const { return env.Root(); }
};

TEST_F(MaintenanceWindows, BackupThenRestoreTheListedBackup) {
  Start();
  const std::string book = env.DataFolder() + "Hausbuch.bok";
  const std::string bookBytes = ReadAll(book);
  WhileModal(
      [&] {
        TBackupDlg* d = BackupDlg;
        ASSERT_TRUE(d && d->isVisible());
        EXPECT_EQ(d->BackupPCtl->currentWidget(), d->BackupPnl);
        // The default settings: everything ticked, all books, the backup folder of the root.
        for (QCheckBox* box : {d->BKBookChk, d->BCRecPicsChk, d->BCZutPicsChk, d->BCDBsChk,
                               d->BCKontenChk, d->BCLexikonChk, d->BCHTMLChk})
          EXPECT_TRUE(box->isChecked()) << fromQ(box->objectName());
        EXPECT_TRUE(d->BKBookAllChk->isChecked());
        EXPECT_EQ(fromQ(d->BPathEdt->text()), Root() + "Backup/");
        EXPECT_FALSE(d->BLogbuchGrp->isVisible());
        EXPECT_EQ(test::ListTexts(d->BKBookLiBo), std::vector<std::string>{"Hausbuch"});
        Shot(d, "backup_DE");
        d->BPathEdt->setText(toQ(Root() + "Sicherungen"));
        EXPECT_TRUE(test::Click(d->BStartBtn));
        EXPECT_EQ(fromQ(d->BPathEdt->text()), Root() + "Sicherungen/");
        EXPECT_EQ(env.userSettings.Read("Software\\Brimo\\Tavolin\\Backup", "BackupPath"),
                  Root() + "Sicherungen/");
        EXPECT_TRUE(d->BLogbuchGrp->isVisible());
        ASSERT_GT(d->BLogLiBo->count(), 3);
        EXPECT_EQ(fromQ(d->BLogLiBo->item(d->BLogLiBo->count() - 1)->text()), GetLangText(599));
        EXPECT_EQ(d->BLogLiBo->currentRow(), d->BLogLiBo->count() - 1);
        Shot(d, "backup_run_DE");

        d->BackupPCtl->setCurrentWidget(d->RestorePnl);
        ASSERT_EQ(d->BackupsLiBo->count(), 1);
        EXPECT_GT(d->LogfileLiBo->count(), 3);
        EXPECT_TRUE(fromQ(d->LogfileLiBo->item(0)->text()).rfind("Tavolin - Backup ", 0) == 0);
        Shot(d, "restore_DE");
        // The field changed after listing: restore still acts on the listed backup.
        d->BPathEdt->setText(toQ(Root() + "Anderswo/"));
        WriteAll(book, "overwritten");
        WriteAll(env.DataFolder() + "Antwort.xml", "");
        env.messages.answers = {IDYES, IDOK};
        EXPECT_TRUE(test::Click(d->RStartBtn));
        EXPECT_EQ(env.exitCode, 0) << "the program ends after a restore";
        EXPECT_TRUE(d->RLogbuchGrp->isVisible());
      },
      [] { MainFrm->BackupMnuClick(); });
  EXPECT_EQ(ReadAll(book), bookBytes);
  EXPECT_EQ(ReadAll(env.DataFolder() + "Antwort.xml"), kAnswers);
  ASSERT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(env.messages.shown[1].text, GetLangText(603));
}

TEST_F(MaintenanceWindows, EmptyPathAndDeletingABackup) {
  Start();
  WhileModal(
      [&] {
        TBackupDlg* d = BackupDlg;
        // A click on a book chooses the books one by one.
        ASSERT_TRUE(test::ClickCell(d->BKBookLiBo, 0));
        EXPECT_TRUE(d->BKBookChooseChk->isChecked());
        EXPECT_FALSE(d->BKBookAllChk->isChecked());
        d->BPathEdt->setText(QString());
        EXPECT_TRUE(test::Click(d->BStartBtn));
        ASSERT_EQ(env.messages.shown.size(), 1u);
        EXPECT_EQ(env.messages.shown[0].text, GetLangText(1050));
        EXPECT_TRUE(d->BChooseGrp->isEnabled());
        d->BPathEdt->setText(toQ(Root() + "Backup/"));
        EXPECT_TRUE(test::Click(d->BStartBtn));
        d->BackupPCtl->setCurrentWidget(d->RestorePnl);
        ASSERT_EQ(d->BackupsLiBo->count(), 1);
        env.messages.answers = {IDNO};
        EXPECT_TRUE(test::Click(d->DelBtn));
        EXPECT_EQ(d->BackupsLiBo->count(), 1);
        env.messages.answers = {IDYES};
        EXPECT_TRUE(test::Click(d->DelBtn));
        EXPECT_EQ(d->BackupsLiBo->count(), 0);
        EXPECT_TRUE(ListFolder(Root() + "Backup/").empty());
      },
      [] { MainFrm->BackupMnuClick(); });
}

// The log beside the backups list is the log of the backup chosen there, by mouse or by key.
TEST_F(MaintenanceWindows, TheLogFollowsTheChosenBackup) {
  for (const char* name : {"TavolinBackup_2020.1.1_10.00.00", "TavolinBackup_2021.1.1_10.00.00"})
    WriteAll(Root() + "Backup/" + name + "/Backup.log", std::string("log of ") + name + "\r\n");
  Start();
  WhileModal(
      [&] {
        TBackupDlg* d = BackupDlg;
        d->BackupPCtl->setCurrentWidget(d->RestorePnl);
        ASSERT_EQ(d->BackupsLiBo->count(), 2);
        const auto logOf = [&](int row) {
          return "log of " + fromQ(d->BackupsLiBo->item(row)->text());
        };
        const auto shown = [&] {
          return d->LogfileLiBo->count() ? fromQ(d->LogfileLiBo->item(0)->text()) : "";
        };
        EXPECT_EQ(shown(), logOf(1));
        // A click with Ctrl takes the choice back, a plain click chooses the backup again.
        ASSERT_TRUE(test::ClickCell(d->BackupsLiBo, 1, 0, Qt::ControlModifier));
        EXPECT_EQ(d->LogfileLiBo->count(), 0);
        ASSERT_TRUE(test::ClickCell(d->BackupsLiBo, 1));
        EXPECT_EQ(shown(), logOf(1));
        test::PressKey(Qt::Key_Up);
        EXPECT_EQ(d->BackupsLiBo->currentRow(), 0);
        EXPECT_EQ(shown(), logOf(0));
      },
      [] { MainFrm->BackupMnuClick(); });
}

TEST_F(MaintenanceWindows, BackupWindowInEnglish) {
  Start("EN");
  WhileModal(
      [&] {
        TBackupDlg* d = BackupDlg;
        EXPECT_EQ(d->BKBookAllChk->text(), "all cookbooks");
        EXPECT_EQ(d->BackupPCtl->tabText(1), "Restore (bring the database back)");
        Shot(d, "backup_EN");
        d->BStartBtnClick();
        d->BackupPCtl->setCurrentWidget(d->RestorePnl);
        Shot(d, "restore_EN");
      },
      [] { MainFrm->BackupMnuClick(); });
}

TEST_F(MaintenanceWindows, SurveyAnswersComeBack) {
  Start();
  TUmfrageDlg* d = UmfrageDlg;
  WhileModal(
      [&] {
        ASSERT_TRUE(d->isVisible());
        const std::vector<FRAGE>& q = d->Questions();
        ASSERT_GE(q.size(), 6u);
        EXPECT_EQ(d->TitleTxt->text(), "Tavolin Benutzer Umfrage");
        Shot(d, "survey_DE");
        d->findChild<QRadioButton*>("s3")->setChecked(true);
        d->findChild<QCheckBox*>("t1")->setChecked(true);
        d->findChild<QCheckBox*>("t6")->setChecked(true);
        d->findChild<QLineEdit*>("f_herkunft")->setText(toQ("Oma & <Kochbuch>"));
        d->findChild<QPlainTextEdit*>("f_wunsch")
            ->setPlainText(toQ("Mehr K\xE4se\nund 3 < 4 & mehr"));
        d->OKBtnClick();
      },
      [] { MainFrm->UmfrageMnuClick(); });
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(566));
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_EQ(env.shell.opened[0], Root() + "Export/Umfrage.txt");
  EXPECT_NE(ReadAll(Root() + "Export/Umfrage.txt").find("  Oma & <Kochbuch>\r\n"),
            std::string::npos);

  WhileModal(
      [&] {
        EXPECT_TRUE(d->findChild<QRadioButton*>("s3")->isChecked());
        EXPECT_FALSE(d->findChild<QRadioButton*>("s1")->isChecked());
        EXPECT_TRUE(d->findChild<QCheckBox*>("t6")->isChecked());
        EXPECT_FALSE(d->findChild<QCheckBox*>("t2")->isChecked());
        EXPECT_EQ(d->findChild<QLineEdit*>("f_herkunft")->text(), toQ("Oma & <Kochbuch>"));
        EXPECT_EQ(d->findChild<QPlainTextEdit*>("f_wunsch")->toPlainText(),
                  toQ("Mehr K\xE4se\nund 3 < 4 & mehr"));
      },
      [] { MainFrm->UmfrageMnuClick(); });
}

TEST_F(MaintenanceWindows, SurveyLayoutAndRadioGroups) {
  WriteAll(env.DataFolder() + "DE/Umfrage.xml",
           "<umfrage><frage id=\"a\" type=\"TEXT\" lines=\"3\"><text>x</text></frage>"
           "<frage id=\"c\" type=\"COBO\"><text>nie</text></frage>"
           "<frage id=\"r\" type=\"RBTN\"><text>eins|zwei</text><auswahl id=\"r1\" text=\"1\"/>"
           "<auswahl id=\"r2\" text=\"2\"/></frage>"
           "<frage id=\"s\" type=\"RBTN\"><text>andere</text><auswahl id=\"s1\" text=\"1\"/>"
           "</frage><frage id=\"e\" type=\"EDIT\"><text>Name</text></frage></umfrage>");
  WriteAll(env.DataFolder() + "Antwort.xml",
           "<tantwort><antwort id=\"r\" type=\"RBTN\"><value>r1</value><value>r2</value>"
           "</antwort><antwort id=\"s\" type=\"RBTN\"><value>s1</value></antwort></tantwort>");
  Start();
  TUmfrageDlg* d = UmfrageDlg;
  WhileModal(
      [&] {
        const int H = d->LineUnit();
        QWidget* text = d->findChild<QWidget*>("a");
        QWidget* radios = d->findChild<QWidget*>("r_1");
        ASSERT_TRUE(text && radios);
        EXPECT_EQ(text->height(), 3 * H);
        EXPECT_EQ(radios->y(), text->y() + 3 * H + 10) << "a combo box takes no space";
        EXPECT_EQ(radios->height(), (2 + 2 + 1) * H);
        EXPECT_EQ(d->findChild<QWidget*>("c"), nullptr);
        // Two chosen radio buttons of one question: the later one wins; the other question's
        // own button stays selected.
        EXPECT_FALSE(d->findChild<QRadioButton*>("r1")->isChecked());
        EXPECT_TRUE(d->findChild<QRadioButton*>("r2")->isChecked());
        EXPECT_TRUE(d->findChild<QRadioButton*>("s1")->isChecked());
        EXPECT_EQ(d->findChild<QLineEdit*>("e")->height(), static_cast<int>(1.5 * H));
        d->layout()->activate();
        EXPECT_NEAR(d->LinksPnl->width(), std::max((d->width() - 500) / 2, 0), 1);
        EXPECT_NEAR(d->Panel1->width(), std::min(d->width(), 500), 1);
      },
      [] { MainFrm->UmfrageMnuClick(); });
}

TEST_F(MaintenanceWindows, SurveyTextThatCannotBeWrittenIsSaid) {
  Start();
  // The export folder is a file: Umfrage.txt cannot be made there.
  DataBackup::DeleteFolderTree(Root() + "Export");
  ::rmdir((Root() + "Export").c_str());
  WriteAll(Root() + "Export", "no folder");
  TUmfrageDlg* d = UmfrageDlg;
  WhileModal(
      [&] {
        d->findChild<QCheckBox*>("t1")->setChecked(true);
        d->OKBtnClick();
        EXPECT_TRUE(d->isVisible()) << "not confirmed, not closed";
      },
      [] { MainFrm->UmfrageMnuClick(); });
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(373));
  EXPECT_EQ(ReadAll(env.DataFolder() + "Antwort.xml"), kAnswers) << "the earlier answers stay";
  EXPECT_TRUE(env.shell.opened.empty());
}

// Ticks the survey's first answer ("Rezepte sammeln und bearbeiten") and clicks OK, as the
// user does; false when the box is not there.
bool TickFirstUseAndClickOk(TUmfrageDlg* d) {
  QCheckBox* box = d->findChild<QCheckBox*>("t1");
  if (!box) return false;
  d->UmfrageScroll->ensureWidgetVisible(box);
  QTest::mouseClick(box, Qt::LeftButton);
  if (!box->isChecked()) return false;
  QTest::mouseClick(d->OKBtn, Qt::LeftButton);
  return true;
}

// Earlier answers in another encoding (UTF-16 from an editor): OK keeps them as
// "Antwort.xml.damaged" and says so before it writes the new answers.
TEST_F(MaintenanceWindows, SurveyAnswersInAnotherEncodingAreKeptBeforeOkWritesAnew) {
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string(kAnswers)) utf16 += std::string{c, '\0'};
  WriteAll(env.DataFolder() + "Antwort.xml", utf16);
  Start();
  TUmfrageDlg* d = UmfrageDlg;
  WhileModal(
      [&] {
        ASSERT_TRUE(TickFirstUseAndClickOk(d));
      },
      [] { MainFrm->UmfrageMnuClick(); });
  const std::string path = env.DataFolder() + "Antwort.xml";
  EXPECT_EQ(ReadAll(path + ".damaged"), utf16);
  EXPECT_NE(ReadAll(path).find("<value>t1</value>"), std::string::npos);
  ASSERT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(env.messages.shown[0].text, FormatLangText(GetLangText(1076), {path, path + ".damaged"}));
  EXPECT_EQ(env.messages.shown[1].text, GetLangText(566));
}

// Answers that could not be read (a folder in the file's place) are written over only after
// Yes: after No the window stays open with the answers, and nothing is written.
TEST_F(MaintenanceWindows, SurveyAnswersThatCouldNotBeReadStayAfterNo) {
  const std::string path = env.DataFolder() + "Antwort.xml";
  RemoveFile(path);
  WriteAll(path + "/inside.txt", "kept");
  Start();
  TUmfrageDlg* d = UmfrageDlg;
  env.messages.answers = {IDNO};
  WhileModal(
      [&] {
        ASSERT_TRUE(TickFirstUseAndClickOk(d));
        EXPECT_TRUE(d->isVisible()) << "not written, not closed";
        EXPECT_TRUE(d->findChild<QCheckBox*>("t1")->isChecked());
        QTest::mouseClick(d->OKBtn, Qt::LeftButton);  // asked once: now refused quietly
        d->reject();
      },
      [] { MainFrm->UmfrageMnuClick(); });
  EXPECT_EQ(ReadAll(path + "/inside.txt"), "kept");
  EXPECT_FALSE(EntryExists(path + ".damaged"));
  EXPECT_FALSE(EntryExists(Root() + "Export/Umfrage.txt"));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, FormatLangText(GetLangText(1077), {path, path + ".damaged"}));
  EXPECT_TRUE(env.shell.opened.empty());
}

TEST_F(MaintenanceWindows, SurveyInEnglish) {
  Start("EN");
  WhileModal([&] { Shot(UmfrageDlg, "survey_EN"); }, [] { MainFrm->UmfrageMnuClick(); });
}

TEST_F(MaintenanceWindows, QuenoraNutrientsAreChosenAndExported) {
  Start();
  TQuenoraDlg* d = QuenoraDlg;
  WhileModal(
      [&] {
        ASSERT_GT(d->StoffLiBo->count(), 10);
        EXPECT_GT(d->BLSTre->topLevelItemCount(), 5);
        EXPECT_FALSE(d->Button3->isEnabled());
        EXPECT_EQ(d->StoffGrd->rowCount(), 1);
        // Energy by the button, water by a double click, both again: each is chosen once.
        ASSERT_TRUE(test::ClickCell(d->StoffLiBo, 0));
        ASSERT_TRUE(test::Click(d->AddStoffBtn));
        ASSERT_EQ(d->Chosen().size(), 1u);
        ASSERT_TRUE(test::DoubleClickCell(d->StoffLiBo, 2));
        ASSERT_EQ(d->Chosen().size(), 2u);
        ASSERT_TRUE(test::ClickCell(d->StoffLiBo, 0));
        ASSERT_TRUE(test::ClickCell(d->StoffLiBo, 2, 0, Qt::ControlModifier));
        ASSERT_TRUE(test::Click(d->AddStoffBtn));
        ASSERT_EQ(d->Chosen().size(), 2u);
        EXPECT_EQ(d->StoffGrd->rowCount(), 2);
        EXPECT_EQ(fromQ(d->StoffGrd->item(0, 1)->text()), "kcal");
        EXPECT_EQ(d->StoffGrd->horizontalHeaderItem(0)->text(), "Inhaltsstoffname");
        Shot(d, "quenora_DE");
        d->StartExportBtnClick();  // no QN_Sync folder yet
        ASSERT_EQ(env.messages.shown.size(), 1u);
        EXPECT_EQ(env.messages.shown[0].text, "QNSyncStoff could not be saved");
        EXPECT_FALSE(EntryExists(Root() + "QN_Sync"));
        MakeDirs(Root() + "QN_Sync");
        d->StartExportBtnClick();
        ASSERT_TRUE(test::ClickCell(d->StoffGrd, 0));
        ASSERT_TRUE(test::Click(d->RemoveStoffBtn));
        EXPECT_EQ(d->Chosen().size(), 1u);
        EXPECT_EQ(d->StoffGrd->rowCount(), 1);
        EXPECT_EQ(fromQ(d->StoffGrd->item(0, 2)->text()), "ZW") << "energy removed";
      },
      [] { MainFrm->QuenoraMnuClick(); });
  const std::string file = ReadAll(Root() + "QN_Sync/bsl.snc");
  EXPECT_EQ(file, "GCAL#GCAL\r\nZW#ZW\r\n");
  WhileModal([&] { EXPECT_EQ(d->Chosen().size(), 2u) << "read back from the file"; },
             [] { MainFrm->QuenoraMnuClick(); });
}

// A nutrient file with a line the window drops (a code this food database lacks): the export
// keeps the file as "bsl.snc.damaged" and says so before it writes the chosen nutrients.
TEST_F(MaintenanceWindows, QuenoraExportKeepsAFileItDidNotReadWhole) {
  const std::string path = Root() + "QN_Sync/bsl.snc";
  const std::string earlier = "GCAL#KCAL\r\nXQ9#ALT\r\n";
  WriteAll(path, earlier);
  Start();
  TQuenoraDlg* d = QuenoraDlg;
  WhileModal(
      [&] {
        ASSERT_EQ(d->Chosen().size(), 1u);
        QTest::mouseClick(d->StartExportBtn, Qt::LeftButton);
        ASSERT_EQ(env.messages.shown.size(), 1u);
        EXPECT_EQ(env.messages.shown[0].text,
                  FormatLangText(GetLangText(1076), {path, path + ".damaged"}));
        QTest::mouseClick(d->StartExportBtn, Qt::LeftButton);  // said once
        EXPECT_EQ(env.messages.shown.size(), 1u);
      },
      [] { MainFrm->QuenoraMnuClick(); });
  EXPECT_EQ(ReadAll(path + ".damaged"), earlier);
  EXPECT_EQ(ReadAll(path), "GCAL#KCAL\r\n");
}

TEST_F(MaintenanceWindows, QuenoraInEnglish) {
  Start("EN");
  WhileModal(
      [&] {
        EXPECT_EQ(QuenoraDlg->StoffGrd->horizontalHeaderItem(0)->text(), "Nutrient name");
        Shot(QuenoraDlg, "quenora_EN");
      },
      [] { MainFrm->QuenoraMnuClick(); });
}

}  // namespace
}  // namespace tav
