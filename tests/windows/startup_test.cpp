// The whole start-up offscreen: every window created in its order, the main window's first
// start, its placement, command line, food-database installation and close.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "app/creation_order.h"
#include "app/ui/main_window.h"
#include "app/ui/options_dialog.h"
#include "app/ui/startup.h"
#include "app/ui/tips_dialog.h"
#include "diary/ui/diary_overview_dialog.h"
#include "exchange/ui/html_view_window.h"
#include "exchange/ui/print_preview_window.h"
#include "kitchen/ui/freezer_dialog.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "kitchen/ui/menu_planner_window.h"
#include "kitchen/ui/season_dialog.h"
#include "kitchen/ui/season_input_dialog.h"
#include "maintenance/ui/takeover_dialog.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/standard_view_window.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "services/ui/progress_dialog.h"
#include "services/web_addresses.h"
#include "support/test_env.h"
#include "windows/user_input.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// Counts how often a window was shown.
class ShowCounter : public QObject {
 public:
  int shows = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) ++shows;
    return false;
  }
};

void Wait(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A program folder of its own (for "Version.txt" and "BLS-Install/") and a data root holding
// the shipped language file and tips.
class Startup : public ::testing::Test {
 protected:
  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();

  void SetUp() override {
    SetProgramFolder(program.Path());
    for (const char* lang : {"DE", "EN"})
      for (const char* file : {"GUI.klf", "Assist.dat"})
        WriteAll(env.Root() + "Data/" + lang + "/" + file,
                 ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/" + file));
  }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
  }
  void Start(std::vector<std::string> args = {"tavolin"}) {
    StartProgram();
    MainFrm->SetCommandLine(std::move(args));
    QApplication::processEvents();
  }
  std::string Param(const char* name) { return env.userSettings.Read(kRegParam, name, "?"); }
};

TEST_F(Startup, CreatesEveryWindowOnceInItsOrder) {
  std::vector<std::string> expected = {
      "TMainFrm",        "TLangDlg",      "TToolsMod",       "TParaDlg",        "TWPlanDlg",
      "TshowRezDlg",     "TGattDlg",      "TChooseRezDlg",   "TDataRezDlg",     "TInfoRezDlg",
      "TZutatRezDlg",    "TdbList",       "TEmptyDlg",       "THTMLRezDlg",     "TEinheitenDlg",
      "TPortionsDlg",    "TNEditDlg",     "TZEditDlg",       "TQEditDlg",       "TAEditDlg",
      "TEditRezDlg",     "TEditZutatDlg", "TKBookDlg",       "TInpGattDlg",     "TZutatenDlg",
      "TInpEinheitDlg",  "TInfoDlg",      "TChooseZutatDlg", "TPrintRezDlg",    "TWPBemDlg",
      "TAssistDlg",      "TImportDlg",    "TStatistikDlg",   "TKaufRezListDlg", "TEinkaufDlg",
      "TReorgDlg",       "TPSearchDlg",   "TPrintStartDlg",  "TLexBookDlg",     "TLexInpDlg",
      "TLexShowDlg",     "TWPParaDlg",    "TProgressDlg",    "TDupesDlg",       "TExpRezListDlg",
      "TAutoImpDlg",     "TGetZutatDlg",  "TSaisonDlg",      "TSaisonInpDlg",   "TZufuhrDlg",
      "TENApplogMod",    "TENAddDayDlg",  "TENViewDayDlg",   "TBLSMainDlg",     "TBLSCompareDlg",
      "TBLSFilterDlg",   "TBLSSearchDlg", "TDateInpDlg",     "TNewFilterDlg",   "TBLSZutatDlg",
      "TBLSChooseDlg",   "TPersListDlg",  "TPersDataDlg",    "TAgeInputDlg",    "TDateToDlg",
      "TThekeDlg",       "TKenndatenDlg", "TExportDlg",      "TUmfrageDlg",     "TBackupDlg",
      "TMultiChangeDlg", "TPersAnzDlg",   "TMenuCenterDlg",  "TMenuEditDlg",    "TCoolDlg",
      "TCoolMHDDlg",     "TQuenoraDlg",   "TAlertDlg"};
  ASSERT_EQ(expected.size(), 78u);
  Start();
  const std::vector<std::string>& created = CreatedWindows();
  // The recipe store and the compression window are created in their places once they are
  // part of the program.
  for (const char* pending : {"TdbList", "TReorgDlg"})
    if (std::find(created.begin(), created.end(), pending) == created.end())
      expected.erase(std::find(expected.begin(), expected.end(), pending));
  EXPECT_EQ(created, expected);

  // Each window carries its component name: the class name without its "T".
  for (QWidget* w : QApplication::allWidgets())
    if (w->isWindow() && w->objectName().isEmpty() == false) {
      const std::string cls = "T" + w->objectName().toStdString();
      if (w->objectName() == "SplashDlg" || w->objectName() == "UpdaterDlg") continue;
      if (std::find(created.begin(), created.end(), cls) != created.end()) continue;
      if (w->inherits("QMenu")) continue;
      ADD_FAILURE() << "window without its class in the creation order: " << cls;
    }
  EXPECT_THROW(CreateAllWindows(), std::logic_error);
}

TEST_F(Startup, TheTakeoverWindowComesFirstOnlyAfterAnInstallation) {
  Start();
  EXPECT_EQ(UpdaterDlg, nullptr);
  DestroyAllWindows();
  WriteAll(env.DataFolder() + "DE/Einheit.datu", "units");
  // Shown modally before any other window; its start button lets the start-up go on.
  bool shownFirst = false;
  QTimer::singleShot(0, [&] {
    ASSERT_NE(UpdaterDlg, nullptr);
    shownFirst = UpdaterDlg->isVisible() && MainFrm == nullptr;
    UpdaterDlg->IDStartClick();
  });
  Start();
  EXPECT_TRUE(shownFirst);
  ASSERT_NE(UpdaterDlg, nullptr);
  EXPECT_EQ(UpdaterDlg->objectName(), "UpdaterDlg");
  EXPECT_EQ(UpdaterDlg->parent(), nullptr);
  EXPECT_TRUE(MainFrm->isVisible());
  EXPECT_EQ(ReadAll(env.DataFolder() + "DE/Einheit.dat"), "units");
  EXPECT_EQ(env.exitCode, -1);
}

// An update brings a new version of the user's book, and the user's index of it cannot be
// read while the takeover compares it. The start button is clicked; the book stays the user's,
// all three files, its update files stay beside it, and once the program's texts are there
// the start says which book and which file, in the user's language.
TEST_F(Startup, AnUpdatedBookWithAFileThatCannotBeReadIsNotTakenAndTheStartSaysSo) {
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    env.messages.shown.clear();
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    const std::string data = env.DataFolder();
    WriteAll(data + "DE/Einheit.dat", "user units\r\n");
    WriteAll(data + "DE/Einheit.datu", "new units\r\n");
    const char* const ext[] = {".bok", ".idx", ".inf"};
    const std::string mine[] = {
        "TAVOLIN__1.01_DAT\r\n#Omas Kn\xF6"
        "del",
        "TAVOLIN__1.01_IDX\r\n",
        "Omas B\xFC"
        "cher\r\n65000\r\n1\r\n\r\n"};
    for (int i = 0; i < 3; ++i) {
      WriteAll(data + "Beispiele" + ext[i], mine[i]);
      WriteAll(data + "Beispiele" + ext[i] + "u", std::string("update ") + ext[i]);
    }
    const std::string index = data + "Beispiele.idx";
    SetReadFaultForTest([&](const std::string& path) { return path == index; });
    QTimer::singleShot(0, [&] {
      ASSERT_NE(UpdaterDlg, nullptr);
      QTest::mouseClick(UpdaterDlg->IDStart, Qt::LeftButton);
    });
    Start();
    SetReadFaultForTest(nullptr);
    EXPECT_TRUE(MainFrm->isVisible());
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(ReadAll(data + "Beispiele" + ext[i]), mine[i]) << ext[i];
      EXPECT_EQ(ReadAll(data + "Beispiele" + ext[i] + "u"), std::string("update ") + ext[i]);
    }
    EXPECT_EQ(ReadAll(data + "DE/Einheit.dat"), "new units\r\n");  // the rest is taken
    const std::string said = FormatLangText(GetLangText(1092), {"Beispiele", index});
    EXPECT_EQ(std::count_if(env.messages.shown.begin(), env.messages.shown.end(),
                            [&](const auto& m) { return m.text == said; }),
              1);
    DestroyAllWindows();
    for (int i = 0; i < 3; ++i) RemoveFile(data + "Beispiele" + ext[i] + "u");
  }
}

TEST_F(Startup, ATakeoverCutShortIsFinishedByTheNextStartWithoutTheWindow) {
  // Killed after the unit table was taken: its marker is gone, the categories still wait, and
  // the choice made in the window is kept beside the data root.
  const std::string de = env.DataFolder() + "DE/";
  WriteAll(de + "Gattung.dat", ">0001 Meine Vorspeisen#\r\n");
  WriteAll(de + "Gattung.datu", ">0001 Vorspeisen#\r\n");
  WriteAll(env.Root() + "Takeover.pending", "1111111\r\n");
  bool windowShown = false;
  QTimer::singleShot(0, [&] {
    if (UpdaterDlg && UpdaterDlg->isVisible()) {
      windowShown = true;
      UpdaterDlg->IDStartClick();
    }
  });
  Start();
  QApplication::processEvents();
  EXPECT_FALSE(windowShown);
  EXPECT_TRUE(MainFrm->isVisible());
  EXPECT_EQ(ReadAll(de + "Gattung.dat"), ">0001 Vorspeisen#\r\n");
  EXPECT_EQ(ReadAll(de + "Gattung.dat.bak"), ">0001 Meine Vorspeisen#\r\n");
  EXPECT_FALSE(FileExists(de + "Gattung.datu"));
  EXPECT_FALSE(FileExists(env.Root() + "Takeover.pending"));
}

TEST_F(Startup, FirstStartWithEmptySettingsAndDataFolder) {
  Start();
  ASSERT_TRUE(MainFrm && MainFrm->isVisible());
  const std::string book = env.DataFolder() + "Tavolin-Rezepte mit Bildern";
  EXPECT_EQ(ReadAll(book + ".bok"), std::string("TAVOLIN__1.01_DAT\r\n"));
  EXPECT_EQ(ReadAll(book + ".inf"), std::string("\r\n1\r\n"));
  EXPECT_EQ(Param("KBook"), "Tavolin-Rezepte mit Bildern");
  // Grown from 640 x 480 so that menu bar and tool bar show whole, as far as the screen allows.
  const QSize screen = QGuiApplication::primaryScreen()->size();
  const QSize first(std::min(screen.width(), 1024), std::min(screen.height(), 700));
  EXPECT_EQ(MainFrm->pos(), QPoint(0, 0));
  EXPECT_EQ(MainFrm->size(), first);
  EXPECT_GE(MainFrm->width(), std::min(screen.width(), MainFrm->MainMenu->sizeHint().width()));
  EXPECT_EQ(MainFrm->ChoosePaneWidth(), 228);
  EXPECT_EQ(MainFrm->WeekPlanHeight(), 4);
  EXPECT_EQ(MainFrm->ConsumptionPaneWidth(), 0);
  EXPECT_FALSE(MainFrm->MenuGnd->isVisible());
  // Beside the data root: the program folder may not be writable.
  EXPECT_EQ(ReadAll(env.Root() + "Version.txt"), "Tavolin: 1.00\r\n");
  // The main window translated itself at its first show, its menu was translated before.
  EXPECT_EQ(MainFrm->Action("FileExitItem")->text(), QString::fromUtf8("&Beenden"));
  // The first activation opened the default book.
  EXPECT_EQ(MainFrm->windowTitle(), "Tavolin!   Tavolin-Rezepte mit Bildern");

  const std::string log = ReadAll(env.Root() + "Tavolin.log");
  EXPECT_EQ(log.rfind("Tavolin 1.00  (Build 1) / OS: ", 0), 0u) << log;
  EXPECT_NE(log.find("} START\r\n"), std::string::npos);
  EXPECT_NE(log.find("} Exepath: " + program.Path() + "\r\n"), std::string::npos);
  EXPECT_NE(log.find("} DataPath: " + env.Root() + "\r\n"), std::string::npos);
  EXPECT_EQ(log.find("END"), std::string::npos);

  EXPECT_TRUE(MainFrm->close());
  EXPECT_FALSE(MainFrm->isVisible());
  EXPECT_EQ(Param("WinX"), "0");
  EXPECT_EQ(Param("WinY"), "0");
  EXPECT_EQ(Param("WinW"), std::to_string(first.width()));
  EXPECT_EQ(Param("WinH"), std::to_string(first.height()));
  EXPECT_EQ(Param("WinI"), "0");
  EXPECT_EQ(Param("SliderChoose"), "228");
  const std::string after = ReadAll(env.Root() + "Tavolin.log");
  ASSERT_GE(after.size(), 7u);
  EXPECT_EQ(after.substr(after.size() - 7), "} END\r\n");
}

TEST_F(Startup, StoredPlacementIsKeptOnTheScreen) {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  env.userSettings.WriteString(kRegParam, "WinX", "30");
  env.userSettings.WriteString(kRegParam, "WinY", "20");
  env.userSettings.WriteString(kRegParam, "WinW", std::to_string(screen.width() + 100));
  env.userSettings.WriteString(kRegParam, "WinH", "300");
  env.userSettings.WriteString(kRegParam, "SliderChoose", "5000");
  env.userSettings.WriteString(kRegParam, "KBook", "Eigenes");
  WriteAll(env.DataFolder() + "Eigenes.bok", "TAVOLIN__1.01_DAT\r\n");
  Start();
  EXPECT_EQ(MainFrm->pos(), QPoint(0, 20));
  EXPECT_EQ(MainFrm->size(), QSize(screen.width(), 300));
  EXPECT_EQ(MainFrm->ChoosePaneWidth(), 228);  // wider than the window
  EXPECT_EQ(Param("KBook"), "Eigenes");
}

TEST_F(Startup, StoredLeftPaneWidthIsRestored) {
  env.userSettings.WriteString(kRegParam, "SliderChoose", "300");
  Start();
  EXPECT_EQ(MainFrm->ChoosePaneWidth(), 300);
  MainFrm->ChooseSplit->setSizes({250, MainFrm->width() - 255});
  MainFrm->close();
  EXPECT_EQ(Param("SliderChoose"), "250");
}

TEST_F(Startup, CommandLineWordsActOnceAfterTheWindowIsShown) {
  Start({"/usr/bin/tavolin", "BLS", "Cool", "weight", "other"});
  ShowCounter bls, cool;
  BLSMainDlg->installEventFilter(&bls);
  CoolDlg->installEventFilter(&cool);
  EXPECT_FALSE(BLSMainDlg->isVisible());  // not before the start timer
  // Modal windows that come up are closed again, and the person lists among them counted.
  int personLists = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&personLists] {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      if (modal->objectName() == QStringLiteral("PersListDlg")) ++personLists;
      modal->reject();
    }
  });
  closer.start(20);
  // The start timer may come late on a busy machine: wait for it to have acted, not a fixed time.
  QElapsedTimer started;
  started.start();
  while ((MainFrm->TimerMain->isActive() || personLists == 0) && started.elapsed() < 10000)
    Wait(20);
  Wait(200);
  EXPECT_TRUE(BLSMainDlg->isVisible());
  EXPECT_TRUE(CoolDlg->isVisible());
  EXPECT_EQ(bls.shows, 1);
  EXPECT_EQ(cool.shows, 1);
  // "weight" without a diary person: the person check speaks and brings up the person list.
  const auto personChecks = [this] {
    return std::count_if(env.messages.shown.begin(), env.messages.shown.end(),
                         [](const auto& m) { return m.text == GetLangText(443); });
  };
  EXPECT_EQ(personChecks(), 1);
  EXPECT_EQ(personLists, 1);
  EXPECT_FALSE(MainFrm->TimerMain->isActive());
  BLSMainDlg->hide();
  CoolDlg->hide();
  Wait(1100);
  EXPECT_FALSE(BLSMainDlg->isVisible());
  EXPECT_FALSE(CoolDlg->isVisible());
  EXPECT_EQ(bls.shows, 1);
  EXPECT_EQ(cool.shows, 1);
  EXPECT_EQ(personChecks(), 1);
}

TEST_F(Startup, TheWeightWordOpensTheOverviewInItsWeightView) {
  WriteAll(env.DataFolder() + "Users.dat",
           "#\r\n>NAnna\r\n>G05031970\r\n>W70\r\n>H170\r\n>SF\r\n>TN\r\n#\r\n");
  env.userSettings.WriteString(kRegParam, "LastLogin", "Anna");
  Start({"/usr/bin/tavolin", "weight"});
  EXPECT_FALSE(ENViewDayDlg->isVisible());  // not before the start timer
  QElapsedTimer started;
  started.start();
  while (!ENViewDayDlg->isVisible() && started.elapsed() < 10000) Wait(20);
  EXPECT_TRUE(ENViewDayDlg->isVisible());
  EXPECT_EQ(ENViewDayDlg->WeightView, 1);
  EXPECT_TRUE(ENViewDayDlg->GewichtPnl->isVisible());
  for (const auto& m : env.messages.shown) EXPECT_NE(m.text, GetLangText(443));  // a person
  ENViewDayDlg->close();
}

TEST_F(Startup, PendingFoodDatabaseIsInstalledAndTheProgramRestarts) {
  env.userSettings.WriteString(kRegParam, "SliderChoose", "310");
  const std::string pending = program.Path() + "BLS-Install/";
  WriteAll(pending + "Data.bls", "food data");
  WriteAll(pending + "DE/index.bls", "index");
  Start();
  EXPECT_EQ(ReadAll(env.DataFolder() + "Data.bls"), "food data");
  EXPECT_EQ(ReadAll(env.DataFolder() + "DE/index.bls"), "index");
  EXPECT_EQ(ListFolder(pending), std::vector<std::string>{"DE"});
  ASSERT_FALSE(env.messages.shown.empty());
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(435));
  EXPECT_EQ(env.messages.shown.back().title, GetLangText(2));
  EXPECT_EQ(env.launcher.restarts, 1);
  EXPECT_FALSE(MainFrm->isVisible());
  EXPECT_EQ(Param("WinW"), std::to_string(MainFrm->width()));
  // The recipe-list width stored before survives the restart (the close came before it was
  // applied).
  EXPECT_EQ(Param("SliderChoose"), "310");
  EXPECT_NE(ReadAll(env.Root() + "Tavolin.log").find("} END\r\n"), std::string::npos);
}

TEST_F(Startup, FailedFoodDatabaseInstallationIsReportedAndStartUpGoesOn) {
  WriteAll(program.Path() + "BLS-Install/Data.bls", "food data");
  WriteAll(program.Path() + "BLS-Install/XX/index.bls", "index");  // no such data folder
  Start();
  ASSERT_FALSE(env.messages.shown.empty());
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(436));
  EXPECT_EQ(env.messages.shown.back().title, GetLangText(56));
  EXPECT_EQ(env.launcher.restarts, 0);
  EXPECT_TRUE(MainFrm->isVisible());
  EXPECT_TRUE(FileExists(program.Path() + "BLS-Install/Data.bls"));
}

TEST_F(Startup, SeveralBooksWithoutKBookOpenTheFirstByName) {
  WriteAll(env.DataFolder() + "Vorspeisen.bok", "TAVOLIN__1.01_DAT\r\n");
  WriteAll(env.DataFolder() + "Desserts.bok", "TAVOLIN__1.01_DAT\r\n");
  Start();
  EXPECT_EQ(Param("KBook"), "Desserts");
  EXPECT_FALSE(FileExists(env.DataFolder() + "Tavolin-Rezepte mit Bildern.bok"));
}

TEST_F(Startup, TheStartTipIsShownUnlessSwitchedOff) {
  Start();
  ASSERT_TRUE(AssistDlg->isVisible());
  EXPECT_FALSE(AssistDlg->TextEdt->toPlainText().isEmpty());
  EXPECT_LT(AssistDlg->CurrentTip(), 34);
  EXPECT_EQ(AssistDlg->TipCount(), 34);
}

TEST_F(Startup, NoStartTipWhenSwitchedOff) {
  env.userSettings.WriteString("Software\\Brimo\\Tavolin\\Assist", "StartTip", "0");
  Start();
  EXPECT_FALSE(AssistDlg->isVisible());
}

TEST_F(Startup, MenuAndToolBarAreBuiltAndTranslated) {
  env.userSettings.WriteString(kRegParam, "AktLanguage", "EN");
  Start();
  const char* items[] = {"FileImport",
                         "FileExport",
                         "RezListExport",
                         "QuickImport",
                         "MnAutoImp",
                         "CoolMnu",
                         "MHDMnu",
                         "BackupMnu",
                         "FilePrintItem",
                         "FilePrintSetupItem",
                         "FileExitItem",
                         "MnNewBook",
                         "KBSepMenu",
                         "Powersuche1",
                         "NeuesRezept",
                         "RezeptAendern",
                         "Rezeptloeschen",
                         "ShowHTMLMnu",
                         "zurEinkaufsliste1",
                         "Einkaufsliste1",
                         "MnMoveRez",
                         "MnCopyRez",
                         "MnRandomRez",
                         "previousRezept",
                         "nextRezept",
                         "firstRezept",
                         "lastRezept",
                         "MnSelAll",
                         "NewMenuMnu",
                         "MenuEditMnu",
                         "MenuPrintMnu",
                         "CalcBLSStoffeMnu",
                         "StartLexikon",
                         "Statistik1",
                         "MultidataChangeMnu",
                         "MnDupeSearch",
                         "markRezept",
                         "markAllRezept",
                         "demarkAllRezept",
                         "MnMoveMarked",
                         "MnCopyMarked",
                         "MnDelMarked",
                         "EditCutItem",
                         "EditCopyItem",
                         "EditPasteItem",
                         "EditUndoMnu",
                         "CHooseListMnu",
                         "ViewStd",
                         "ViewHTML",
                         "ViewPrint",
                         "ChangePersAnzMnu",
                         "NEditMnu",
                         "QEditMnu",
                         "ZEditMnu",
                         "SaisonMnu",
                         "WPlan",
                         "WPPara",
                         "NewRemarkMnu",
                         "WPShow",
                         "WPPrint",
                         "WPKList",
                         "MoveWPUpMnu",
                         "MoveWPDownMnu",
                         "WPSelDel",
                         "WPGestDel",
                         "WPAllDel",
                         "BLSShowDlgMnu",
                         "BLSSearchMnu",
                         "CalcBLSRezept",
                         "VerbrauchslisteMnu",
                         "GewichtsverlaufMnu",
                         "ENStatistikMnu",
                         "PersonenListeMnu",
                         "StammdatenMnu",
                         "ZufuhrMnu",
                         "QuenoraMnu",
                         "Zutatenliste",
                         "Masseinheiten",
                         "editGattungen",
                         "PortionsMnu",
                         "KennDatenMnu",
                         "InpLexBegriffe",
                         "ThekeMnu",
                         "Optionen",
                         "AKKursImportMnu",
                         "AKSchnellerfMnu",
                         "AkEinkaufslisteMnu",
                         "AkNaehrberechMnu",
                         "AKGewichtMnu",
                         "AkErnaehrungMnu",
                         "AddToolsMnu",
                         "MnHelp",
                         "TavolinForumMnu",
                         "TavolinWebseiten1",
                         "MnAssistTip",
                         "UmfrageMnu",
                         "DoReorg",
                         "DoNewIniz",
                         "MnLogFile",
                         "HelpAboutItem",
                         "TBNew",
                         "TBEdit",
                         "TBDel",
                         "TBSearch",
                         "TBHTMLView",
                         "TBMView",
                         "TBMHTML",
                         "TBMCalc",
                         "TBQImport",
                         "TBLexik",
                         "TBWPlan",
                         "TBBLSBtn",
                         "TBBook",
                         "TBParam",
                         "TBPrint",
                         "HelpBtn",
                         "KBook1",
                         "KBook10",
                         "SpaceBtn",
                         "TBInfo"};
  for (const char* name : items) EXPECT_NE(MainFrm->Action(name), nullptr) << name;
  const char* menus[] = {"FileMenu",      "KBMenu",   "Rezepte1",    "Aktionen1",
                         "Markierung1",   "EditMenu", "Wochenplan1", "BLS1",
                         "ErnaehrungMnu", "Extras1",  "ToolsMenu",   "HelpMenu"};
  ASSERT_EQ(MainFrm->MainMenu->actions().size(), 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(MainFrm->MainMenu->actions()[i]->objectName(), menus[i]);
  // English captions, hints and keys from the language file.
  EXPECT_EQ(MainFrm->Action("FileMenu")->text(), "&File");
  EXPECT_EQ(MainFrm->Action("FileExitItem")->text(), "E&xit");
  EXPECT_EQ(MainFrm->Action("FileExitItem")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
  EXPECT_EQ(MainFrm->Action("MnHelp")->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_EQ(MainFrm->Action("MnAssistTip")->text(), "Show tips && tricks");
  EXPECT_EQ(MainFrm->Action("TBNew")->text(), "New");
  EXPECT_EQ(MainFrm->Action("TBNew")->toolTip(), "New recipe");
  EXPECT_FALSE(MainFrm->Action("QuenoraMnu")->isVisible());
  // One quick book button for the default book; the tools menu has its nine fixed entries.
  EXPECT_TRUE(MainFrm->KBook[0]->isVisible());
  EXPECT_EQ(MainFrm->KBook[0]->toolTip(), "Tavolin-Rezepte mit Bildern");
  EXPECT_FALSE(MainFrm->KBook[1]->isVisible());
  EXPECT_EQ(MainFrm->ToolsMenu->actions().size(), 9);
  // Commands of windows still to come are unavailable; those that work are not.
  EXPECT_TRUE(MainFrm->Action("FileImport")->isEnabled());
  for (const char* maintenance : {"BackupMnu", "UmfrageMnu"})
    EXPECT_TRUE(MainFrm->Action(maintenance)->isEnabled()) << maintenance;
  for (const char* exchange : {"FileExport", "RezListExport", "MnAutoImp"})
    EXPECT_TRUE(MainFrm->Action(exchange)->isEnabled()) << exchange;
  EXPECT_TRUE(MainFrm->Action("MnHelp")->isEnabled());
  EXPECT_TRUE(MainFrm->Action("FileExitItem")->isEnabled());
}

TEST_F(Startup, HelpAndWebCommandsGoThroughTheShell) {
  // One course page ships: its item is on, the other courses are off.
  WriteAll(program.Path() + "Academy/ImportvonRezepten.html", "<html></html>");
  Start();
  for (const char* off : {"AKSchnellerfMnu", "AkEinkaufslisteMnu", "AkNaehrberechMnu",
                          "AKGewichtMnu", "AkErnaehrungMnu"})
    EXPECT_FALSE(MainFrm->Action(off)->isEnabled()) << off;
  ASSERT_TRUE(MainFrm->Action("AKKursImportMnu")->isEnabled());
  MainFrm->Action("MnHelp")->trigger();
  MainFrm->Action("MnLogFile")->trigger();
  MainFrm->Action("TavolinForumMnu")->trigger();
  MainFrm->Action("AKKursImportMnu")->trigger();
  ASSERT_EQ(env.shell.opened.size(), 4u);
  EXPECT_EQ(env.shell.opened[0], env.Root() + "Data/DE/Help/Start.htm");
  EXPECT_EQ(env.shell.opened[1], env.Root() + "Tavolin.log");
  EXPECT_EQ(env.shell.opened[2], kMakerFaqPage);
  EXPECT_NE(env.shell.opened[2].find("/index.php?Mod=Or&SCa=Tavolin-FAQ"), std::string::npos);
  EXPECT_EQ(env.shell.opened[3], program.Path() + "Academy/ImportvonRezepten.html");
}

TEST_F(Startup, IndexRebuildAsksAndRunsOnYes) {
  Start();
  const std::string index = env.DataFolder() + "Tavolin-Rezepte mit Bildern.idx";
  RemoveFile(index);  // made when the book was opened
  env.messages.shown.clear();
  env.messages.answers = {IDNO};
  MainFrm->Action("DoNewIniz")->trigger();
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(16));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(17));
  EXPECT_FALSE(FileExists(index));
  env.messages.answers = {IDYES};
  MainFrm->Action("DoNewIniz")->trigger();
  ASSERT_EQ(env.messages.shown.size(), 3u);
  EXPECT_EQ(env.messages.shown[2].text, GetLangText(18));
  EXPECT_TRUE(FileExists(index));
}

TEST_F(Startup, ProgressWindowFollowsTheRelay) {
  Start();
  ProgressSink* sink = ctx().progress;
  ASSERT_EQ(sink, static_cast<ProgressSink*>(MainFrm));
  sink->ProgressRelay(1, "vorher", 0);
  EXPECT_EQ(ProgressDlg->TitleTxt->text(), "vorher");
  EXPECT_FALSE(ProgressDlg->isVisible());
  sink->ProgressRelay(0, "Kochbuch wird geladen", 10);
  EXPECT_TRUE(ProgressDlg->isVisible());
  EXPECT_EQ(ProgressDlg->TitleTxt->text(), "Kochbuch wird geladen");
  EXPECT_EQ(ProgressDlg->MainPBr->maximum(), 10);
  EXPECT_TRUE(ProgressDlg->ProgTim->isActive());
  sink->ProgressRelay(2, "", 4);
  EXPECT_EQ(ProgressDlg->MainPBr->value(), 0);  // the bar follows at the next tick
  Wait(400);
  EXPECT_EQ(ProgressDlg->MainPBr->value(), 4);
  sink->ProgressRelay(2, "", 25);
  Wait(400);
  EXPECT_EQ(ProgressDlg->MainPBr->value(), 10);  // past the maximum: a full bar
  sink->ProgressRelay(7, "", 0);
  EXPECT_TRUE(ProgressDlg->isVisible());
  sink->ProgressRelay(3, "", 0);
  EXPECT_FALSE(ProgressDlg->isVisible());
  EXPECT_FALSE(ProgressDlg->ProgTim->isActive());
  sink->ProgressRelay(3, "", 0);
  sink->ProgressRelay(0, "wieder", 5);
  EXPECT_EQ(ProgressDlg->Position, 0);
  EXPECT_EQ(ProgressDlg->MainPBr->value(), 0);
}

TEST_F(Startup, ExitClosesTheMainWindow) {
  Start();
  MainFrm->Action("FileExitItem")->trigger();
  EXPECT_FALSE(MainFrm->isVisible());
  EXPECT_NE(ReadAll(env.Root() + "Tavolin.log").find("} END\r\n"), std::string::npos);
}

TEST_F(Startup, PanesOpenAndClose) {
  Start();
  MainFrm->ToggleWeekPlanPane();
  EXPECT_EQ(MainFrm->WeekPlanHeight(), 150);
  MainFrm->ToggleWeekPlanPane();
  EXPECT_EQ(MainFrm->WeekPlanHeight(), 4);
  const QList<int> s = MainFrm->WPlanSplit->sizes();
  MainFrm->WPlanSplit->setSizes({s[0] + s[1] - 90, 90});  // dragged by the user
  MainFrm->ToggleWeekPlanPane();
  EXPECT_EQ(MainFrm->WeekPlanHeight(), 4);

  MainFrm->SetShoppingPaneOpen(true);
  EXPECT_EQ(MainFrm->ShoppingPaneHeight(), MainFrm->ChooseParPanel->height() / 3);
  MainFrm->SetShoppingPaneOpen(false);
  EXPECT_EQ(MainFrm->ShoppingPaneHeight(), 17);

  MainFrm->ShowMenuPane(true);
  EXPECT_TRUE(MainFrm->MenuGnd->isVisible());
  MainFrm->ShowMenuPane(false);
  EXPECT_FALSE(MainFrm->MenuGnd->isVisible());

  // The week-plan command (and its button) opens the pane and offers its tip once.
  EXPECT_TRUE(MainFrm->Action("WPlan")->isEnabled());
  EXPECT_TRUE(MainFrm->Action("TBWPlan")->isEnabled());
  MainFrm->Action("TBWPlan")->trigger();
  EXPECT_EQ(MainFrm->WeekPlanHeight(), 150);
}

// The view menu's items and the two view buttons, clicked: one button stays pressed, and the
// print preview, which has no button, leaves pressed the one pressed before it.
TEST_F(Startup, ViewModesFollowTheMenuAndTheButtons) {
  Start();
  OptionsStore& options = *ctx().options;
  const auto button = [](QAction* a) {
    return MainFrm->MainToolBar->widgetForAction(a);
  };
  const auto clickButton = [&](QAction* a) {
    QWidget* b = button(a);
    ASSERT_TRUE(b && b->isVisible() && b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
  };
  const auto clickItem = [](QAction* item) {
    ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, item));
  };
  struct Step {
    const char* what;
    std::function<void()> click;
    int mode;
    QAction* item;    // the one checked view item
    QAction* pressed; // the one pressed view button
  };
  QAction* std = MainFrm->ViewStd;
  QAction* html = MainFrm->ViewHTML;
  QAction* print = MainFrm->ViewPrint;
  const Step steps[] = {
      {"HTML item", [&] { clickItem(html); }, 2, html, MainFrm->TBMHTML},
      {"preview item after HTML", [&] { clickItem(print); }, 3, print, MainFrm->TBMHTML},
      {"standard button", [&] { clickButton(MainFrm->TBMView); }, 1, std, MainFrm->TBMView},
      {"preview item after standard", [&] { clickItem(print); }, 3, print, MainFrm->TBMView},
      {"the pressed standard button", [&] { clickButton(MainFrm->TBMView); }, 1, std,
       MainFrm->TBMView},
      {"HTML button", [&] { clickButton(MainFrm->TBMHTML); }, 2, html, MainFrm->TBMHTML},
      {"preview item", [&] { clickItem(print); }, 3, print, MainFrm->TBMHTML},
      {"the pressed HTML button", [&] { clickButton(MainFrm->TBMHTML); }, 2, html,
       MainFrm->TBMHTML},
      {"standard item", [&] { clickItem(std); }, 1, std, MainFrm->TBMView},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.click();
    QApplication::processEvents();
    EXPECT_EQ(options.Int(63), step.mode);
    for (QAction* item : {std, html, print}) EXPECT_EQ(item->isChecked(), item == step.item);
    for (QAction* b : {MainFrm->TBMView, MainFrm->TBMHTML}) {
      EXPECT_EQ(b->isChecked(), b == step.pressed) << b->objectName().toStdString();
      // Pressed is what the user sees: the button is drawn down.
      auto* tool = qobject_cast<QToolButton*>(button(b));
      ASSERT_TRUE(tool);
      EXPECT_EQ(tool->isChecked(), b == step.pressed) << b->objectName().toStdString();
    }
  }
  // No check mark: mode 0 is stored and nothing is checked.
  MainFrm->ViewStd->setChecked(false);
  MainFrm->SetViewMode(0);
  EXPECT_EQ(options.Int(63), 0);
  EXPECT_FALSE(MainFrm->ViewStd->isChecked() || MainFrm->ViewHTML->isChecked() ||
               MainFrm->ViewPrint->isChecked());
}

TEST_F(Startup, TheStoredViewModeComesBackWithItsViewAndItsButton) {
  env.userSettings.WriteString(kRegParam, "ShowMode", "2");
  Start();
  EXPECT_TRUE(MainFrm->ViewHTML->isEnabled());
  EXPECT_TRUE(MainFrm->ViewPrint->isEnabled());
  EXPECT_TRUE(MainFrm->ViewHTML->isChecked());
  EXPECT_TRUE(MainFrm->TBMHTML->isChecked());
  EXPECT_FALSE(MainFrm->ViewStd->isChecked());
  MainFrm->SetViewMode(3);
  EXPECT_TRUE(MainFrm->ViewPrint->isChecked());
  EXPECT_EQ(Param("ShowMode"), "3");
}

TEST_F(Startup, OneRecipeViewAtATime) {
  Start();
  EXPECT_TRUE(EmptyDlg->isVisible());  // the first activation opened the book
  EXPECT_EQ(EmptyDlg->parentWidget(), MainFrm->ShowParPanel);
  MainFrm->ShowStandardView(showRezDlg, true);
  EXPECT_EQ(showRezDlg->parentWidget(), MainFrm->ShowParPanel);
  EXPECT_TRUE(showRezDlg->isVisible());
  EXPECT_FALSE(EmptyDlg->isVisible());
  MainFrm->ShowEmptyView(EmptyDlg, true);
  EXPECT_FALSE(showRezDlg->isVisible());
  MainFrm->ShowEmptyView(EmptyDlg, false);
  EXPECT_FALSE(EmptyDlg->isVisible());
}

TEST_F(Startup, LowerWindowsReachTheHigherOnesThroughTheirInterfaces) {
  Start();
  EXPECT_EQ(MainWindow(), MainFrm);
  EXPECT_EQ(TipsWindow(), AssistDlg);
  EXPECT_EQ(Lexicon(), LexShowDlg);
  EXPECT_EQ(Season(), SaisonDlg);
  EXPECT_EQ(Linked<SeasonEditor>(), SaisonInpDlg);
  EXPECT_EQ(MenuPlanner(), MenuCenterDlg);
  EXPECT_EQ(Registered<LexiconReorganizer>::Get(), LexShowDlg);
  EXPECT_EQ(BookBackground(), EmptyDlg);
  EXPECT_EQ(OutputView(OutputViewKind::HTML), HTMLRezDlg);
  EXPECT_EQ(OutputView(OutputViewKind::Print), PrintRezDlg);

  // The standard view's menu switches the main window's view by its check marks.
  showRezDlg->showHTMLMnuClick();
  EXPECT_TRUE(MainFrm->ViewHTML->isChecked());
  EXPECT_FALSE(MainFrm->ViewStd->isChecked());
  EXPECT_EQ(ctx().options->Int(63), 2);
  showRezDlg->showPrintMnuClick();
  EXPECT_TRUE(MainFrm->ViewPrint->isChecked());
  EXPECT_FALSE(MainFrm->ViewHTML->isChecked());
  EXPECT_EQ(ctx().options->Int(63), 3);

  // The editor opens the lexicon; a missing author name opens the options window.
  EditRezDlg->showLexikonMnuClick();
  EXPECT_TRUE(LexShowDlg->isVisible());
  ctx().options->SetParaString(10, "");
  bool optionsShown = false;
  QTimer::singleShot(0, ParaDlg, [&] {
    optionsShown = ParaDlg->isVisible();
    ParaDlg->reject();
  });
  NEditDlg->fillAutorBtnClick();
  EXPECT_TRUE(optionsShown);

  DestroyAllWindows();
  EXPECT_EQ(MainWindow(), nullptr);
  EXPECT_EQ(TipsWindow(), nullptr);
  EXPECT_EQ(Lexicon(), nullptr);
  EXPECT_EQ(BookBackground(), nullptr);
  EXPECT_EQ(OutputView(OutputViewKind::HTML), nullptr);
  EXPECT_EQ(OutputView(OutputViewKind::Print), nullptr);
}

}  // namespace
}  // namespace tav
