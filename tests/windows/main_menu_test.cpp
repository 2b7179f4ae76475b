// The main window's commands: every item of the main menu and every button of the tool bar,
// found by walking them, reaches its window or runs its command; the clipboard items follow the
// focused field; the index rebuild asks first; the Academy courses open their pages in the
// user's language. With TAVOLIN_SHOTS naming a folder, the main window is written there in each
// view mode and both languages.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "app/ui/main_window.h"
#include "app/ui/options_dialog.h"
#include "diary/diary_module.h"
#include "diary/ui/diary_overview_dialog.h"
#include "exchange/ui/html_view_window.h"
#include "exchange/ui/print_preview_window.h"
#include "exchange/ui/qt_printing.h"
#include "kitchen/ui/menu_course_dialog.h"
#include "kitchen/ui/menu_planner_window.h"
#include "kitchen/ui/shopping_list_window.h"
#include "kitchen/ui/week_plan_window.h"
#include "kitchen/weekplan/week_plan.h"
#include "platform/charset.h"
#include "platform/paths.h"
#include "recipedb/cookbook_list.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/edit_additional_page_window.h"
#include "recipes/ui/edit_other_page_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/standard_view_window.h"
#include "services/web_addresses.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;
using test::ReadAll;
using test::WriteAll;

// Commands whose window is not part of the program yet. Each stays disabled until its window
// lands; then it leaves this list and its entry in the table below is checked like any other.
const std::set<std::string> kNotBuiltYet = {};

// What one command did: the modal windows that came up (object name, else class), the windows
// that became visible without a modal loop, the message boxes, the shell's targets, print jobs.
struct Observed {
  std::vector<std::string> modals, windows, messages, shell;
  int printJobs = 0;
  int launches = 0;
  bool Modal(const std::string& name) const {
    return std::find(modals.begin(), modals.end(), name) != modals.end();
  }
  bool Window(const std::string& name) const {
    return std::find(windows.begin(), windows.end(), name) != windows.end();
  }
  bool Shell(const std::string& ending) const {
    for (const std::string& s : shell)
      if (s.size() >= ending.size() && s.compare(s.size() - ending.size(), ending.size(), ending) == 0)
        return true;
    return false;
  }
  bool Said(const std::string& text) const {
    for (const std::string& m : messages)
      if (m.find(text) != std::string::npos) return true;
    return false;
  }
  std::string Describe() const {
    std::string s = "modal:";
    for (const auto& m : modals) s += " " + m;
    s += "; windows:";
    for (const auto& w : windows) s += " " + w;
    s += "; messages:";
    for (const auto& m : messages) s += " [" + m.substr(0, 60) + "]";
    s += "; shell:";
    for (const auto& m : shell) s += " " + m;
    return s + "; print jobs: " + std::to_string(printJobs);
  }
};

std::string NameOf(const QWidget* w) {
  return w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                   : fromQ(w->objectName());
}

// One row of the table: what to set up before the command, and what it must have done.
struct Expect {
  std::function<void()> prepare;
  std::function<bool(const Observed&)> done;
};

Expect Modal(const std::string& window) {
  return {{}, [window](const Observed& o) { return o.Modal(window); }};
}
// A window without a modal loop (it may still run one, as some do at their first show).
Expect Opens(const std::string& window) {
  return {{}, [window](const Observed& o) { return o.Window(window) || o.Modal(window); }};
}
Expect ShellOpens(const std::string& ending) {
  return {{}, [ending](const Observed& o) { return o.Shell(ending); }};
}

const char kQuickImportRecipe[] =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n"
    "\r\n"
    "      Title: Zwiebelkuchen %d\r\n"
    " Categories: Backen\r\n"
    "      Yield: 4 Portionen\r\n"
    "\r\n"
    "    500 g  Zwiebeln\r\n"
    "    250 g  Mehl\r\n"
    "\r\n"
    "  Zwiebeln schmelzen, auf den Teig geben und backen.\r\n"
    "\r\n"
    "MMMMM\r\n";

class MainMenuCommands : public test::KitchenProgram {
 protected:
  std::vector<std::string> pdfs;

  void SetUp() override {
    KitchenProgram::SetUp();
    // The course pages as the build puts them beside the program.
    std::filesystem::copy(std::string(TAVOLIN_SOURCE_DIR) + "/academy", program.Path() + "Academy",
                          std::filesystem::copy_options::recursive);
    // One tool of the user's own in the Academy menu.
    env.userSettings.WriteString(kRegParam, "Tool0", "Notizen");
    env.userSettings.WriteString(kRegParam, "ToolP0", "/usr/bin/true");
    QtPrintDevice::pdfFileForTest = [this](const std::string&) {
      pdfs.push_back(env.Root() + "Export/job" + std::to_string(pdfs.size() + 1) + ".pdf");
      return pdfs.back();
    };
  }
  void TearDown() override {
    QtPrintDevice::pdfFileForTest = nullptr;
    KitchenProgram::TearDown();
  }

  void MakeBooks() {
    std::vector<REZBLOCK> dishes;
    for (const char* title : {"Apfelstrudel", "Bohneneintopf", "Carbonara", "Dampfnudeln",
                              "Erbsensuppe", "Flammkuchen", "Gulasch", "H\xFChnerfrikassee"})
      dishes.push_back(Dish(title, 4, {Line("500", "g", "Mehl"), Line("2", "", "Eier")},
                            std::string("So gelingt ") + title + "."));
    // Both books with their quick book button.
    for (const char* name : {"Zweitbuch", "Hausbuch"}) {
      KBOOK book;
      book.name = name;
      book.toolbarFlag = true;
      test::MakeBookBeforeStart(env, book, name == std::string("Hausbuch") ? dishes
                                                                          : std::vector<REZBLOCK>{});
    }
  }

  int BookCount(const std::string& name) const {
    return ctx().books->CountKBookRecipes(name, true);
  }
  std::string Current() const { return ctx().options->Str(6); }
  bool Marked(int row) const {
    REZINDEX e;
    return list->RowEntry(row, e) && (e.flags & kRecipeMarked);
  }
  std::string TitleAt(int row) const {
    REZINDEX e;
    return list->RowEntry(row, e) ? e.Title() : std::string();
  }
  // The recipe of list row `row` in the editor on its standard page.
  QLineEdit* EditRow(int row) {
    list->SelectOnly(row);
    list->EditRezMnuClick();
    EditRezDlg->SetEditMode(1);
    QApplication::processEvents();
    return NEditDlg->TitelEdt;
  }
  void Focus(QWidget* w) {
    MainFrm->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    MainFrm->UpdateClipboardMenu();
  }
  // Recipes placed at a day of the shown week: each row of the list, dropped on the day's top.
  void Plan(std::initializer_list<int> rows, int col = 0) {
    for (int row : rows) {
      list->SelectOnly(row);
      WPlanDlg->WPlanGrdDragDrop(list->ChooseLiBo, col, 1);
    }
    QApplication::processEvents();
  }
  void ClearPlan() {
    env.messages.answers = {IDYES};
    WPlanDlg->DeleteWeekPlanEntries(2);
    env.messages.answers.clear();
  }
  std::string PlannedAt(int col, int row) const {
    const int i = WPlanDlg->plan.FindWeekPlanEntry(col, row);
    return i < 0 ? std::string() : WPlanDlg->plan.entries[static_cast<size_t>(i)].text;
  }

  // Back to a known state between two commands: the main window shown with the first book,
  // its first recipe in the standard view, no other window open, no question pending.
  void Reset() {
    env.messages.answers.clear();
    env.messages.defaultAnswer = IDNO;
    if (MenuCenterDlg) MenuCenterDlg->CloseMenuPlan();
    MainFrm->ShowMenuPane(false);
    if (!MainFrm->isVisible()) MainFrm->show();
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != MainFrm && w->isVisible()) w->hide();
    if (Current() != "Hausbuch") MainFrm->OpenBook("Hausbuch");
    if (MainFrm->WeekPlanHeight() != 4) MainFrm->ToggleWeekPlanPane();
    MainFrm->SetViewMode(1);
    list->SelectOnly(0);
    list->ShowSelectedRecipe(true);
    MainFrm->UpdateRecipeButtons();
    QApplication::processEvents();
  }

  // `settle`: how long the command may wait before it acts (milliseconds).
  Observed Trigger(QAction* action, int settle = 0) {
    Observed o;
    std::set<QWidget*> before;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) before.insert(w);
    const size_t messages = env.messages.shown.size(), shell = env.shell.opened.size(),
                 launches = env.launcher.started.size(), jobs = pdfs.size();
    // Every modal window is noted and closed as soon as it is up, the inner ones first.
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&o] {
      if (QWidget* m = QApplication::activeModalWidget()) {
        o.modals.push_back(NameOf(m));
        if (auto* d = qobject_cast<QDialog*>(m))
          d->reject();
        else
          m->close();
      }
    });
    closer.start();
    action->trigger();
    QApplication::processEvents();
    if (settle > 0) QTest::qWait(settle);
    closer.stop();
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && !before.count(w)) o.windows.push_back(NameOf(w));
    for (size_t i = messages; i < env.messages.shown.size(); ++i)
      o.messages.push_back(env.messages.shown[i].text);
    for (size_t i = shell; i < env.shell.opened.size(); ++i) o.shell.push_back(env.shell.opened[i]);
    o.launches = static_cast<int>(env.launcher.started.size() - launches);
    o.printJobs = static_cast<int>(pdfs.size() - jobs);
    return o;
  }

  // The table: what each command of the menu and the tool bar must do, by its name. Book items
  // are named "book:<menu>" and the user's tools "tool:<caption>".
  std::map<std::string, Expect> Table();
};

std::map<std::string, Expect> MainMenuCommands::Table() {
  std::map<std::string, Expect> t;
  const std::string other = "Zweitbuch";
  auto count = std::make_shared<int>(0);
  auto title = std::make_shared<std::string>();
  auto quickImport = [this, count] {
    static int n = 0;
    char text[sizeof kQuickImportRecipe + 16];
    std::snprintf(text, sizeof text, kQuickImportRecipe, ++n);
    env.clipboard.text = text;
    *count = BookCount("Hausbuch");
  };
  auto oneMore = [this, count](const Observed&) { return BookCount("Hausbuch") == *count + 1; };
  auto oneLess = [this, count](const Observed&) { return BookCount("Hausbuch") == *count - 1; };
  auto countNow = [this, count] { *count = BookCount("Hausbuch"); };
  auto deleteYes = [this, count] {
    *count = BookCount("Hausbuch");
    env.messages.answers = {IDYES};
  };
  auto editorShown = [](const Observed&) { return EditRezDlg->isVisible(); };

  // File
  t["FileImport"] = Modal("ImportDlg");
  t["FileExport"] = Modal("ExportDlg");
  t["RezListExport"] = Modal("ExpRezListDlg");
  t["QuickImport"] = {quickImport, oneMore};
  t["TBQImport"] = {quickImport, oneMore};
  t["MnAutoImp"] = Modal("AutoImpDlg");
  t["CoolMnu"] = Opens("CoolDlg");
  t["MHDMnu"] = Modal("CoolMHDDlg");
  t["BackupMnu"] = Modal("BackupDlg");
  t["FilePrintItem"] = Modal("PrintStartDlg");
  t["TBPrint"] = Modal("PrintStartDlg");
  t["FilePrintSetupItem"] = Modal("QPageSetupDialog");
  t["FileExitItem"] = {{}, [](const Observed&) { return !MainFrm->isVisible(); }};
  // Cookbooks
  t["MnNewBook"] = Modal("KBookDlg");
  t["TBBook"] = Modal("KBookDlg");
  // Recipes
  t["Powersuche1"] = Modal("PSearchDlg");
  t["TBSearch"] = Modal("PSearchDlg");
  t["NeuesRezept"] = {{}, editorShown};
  t["TBNew"] = {{}, editorShown};
  t["RezeptAendern"] = {{}, editorShown};
  t["TBEdit"] = {{}, editorShown};
  t["Rezeptloeschen"] = {deleteYes, oneLess};
  t["TBDel"] = {deleteYes, [oneLess](const Observed& o) {
                  return oneLess(o) && EmptyDlg->isVisible();
                }};
  t["ShowHTMLMnu"] = ShellOpens("Export/Rezept.html");
  t["TBHTMLView"] = ShellOpens("Export/Rezept.html");
  t["zurEinkaufsliste1"] = {[] { KaufRezListDlg->DelAllRezClick(); },
                            [](const Observed&) { return KaufRezListDlg->list.Count() == 1; }};
  t["Einkaufsliste1"] = Modal("EinkaufDlg");
  t["MnRandomRez"] = {[] { MainFrm->ShowEmptyView(EmptyDlg, true); },
                      [](const Observed&) {
                        return showRezDlg->isVisible() && !DataRezDlg->ShownRecipe.title.empty();
                      }};
  t["previousRezept"] = {[this] { list->SelectOnly(1); },
                         [this](const Observed&) { return list->CurrentRow() == 0; }};
  t["nextRezept"] = {{}, [this](const Observed&) { return list->CurrentRow() == 1; }};
  t["firstRezept"] = {[this] { list->SelectOnly(list->Count() - 1); },
                      [this](const Observed&) { return list->CurrentRow() == 0; }};
  t["lastRezept"] = {
      {}, [this](const Observed&) { return list->CurrentRow() == list->Count() - 1; }};
  t["MnSelAll"] = {{}, [this](const Observed&) {
                     return static_cast<int>(list->SelectedRows().size()) == list->Count();
                   }};
  // A new menu starts with its course editor; confirmed, the menu is stored and shown.
  auto openMenu = [] {
    QTimer::singleShot(0, [] {
      MenuEditDlg->TitleEdt->setText(QStringLiteral("Sonntagsmenü"));
      MenuEditDlg->OKBtnClick();
    });
    MainFrm->Action("NewMenuMnu")->trigger();
  };
  t["NewMenuMnu"] = Modal("MenuEditDlg");
  t["MenuEditMnu"] = {openMenu, [](const Observed& o) { return o.Modal("MenuEditDlg"); }};
  // A menu without courses has no card to show, and says so.
  t["MenuPrintMnu"] = {openMenu, [](const Observed& o) {
                         return o.Shell(".html") || o.Said(GetLangText(754));
                       }};
  // Actions
  t["CalcBLSStoffeMnu"] = Modal("BLSZutatDlg");
  t["CalcBLSRezept"] = Modal("BLSZutatDlg");
  t["StartLexikon"] = Opens("LexShowDlg");
  t["TBLexik"] = Opens("LexShowDlg");
  t["Statistik1"] = Modal("StatistikDlg");
  t["MultidataChangeMnu"] = Modal("MultiChangeDlg");
  t["MnDupeSearch"] = Modal("DupesDlg");
  // Marks
  t["markRezept"] = {[this] { list->MarkSelectedRecipes(2); },
                     [this](const Observed&) { return Marked(0) && !Marked(1); }};
  t["markAllRezept"] = {[this] { list->MarkSelectedRecipes(2); },
                        [this](const Observed&) {
                          for (int r = 0; r < list->Count(); ++r)
                            if (!Marked(r)) return false;
                          return true;
                        }};
  t["demarkAllRezept"] = {[this] { list->MarkSelectedRecipes(1); },
                          [this](const Observed&) {
                            for (int r = 0; r < list->Count(); ++r)
                              if (Marked(r)) return false;
                            return true;
                          }};
  auto markFirst = [this, count] {
    list->MarkSelectedRecipes(2);
    list->SelectOnly(0);
    list->MarkSelectedRecipes(0);
    *count = BookCount("Hausbuch");
  };
  t["MnDelMarked"] = {[this, markFirst] {
                        markFirst();
                        env.messages.answers = {IDYES};
                      },
                      oneLess};
  // The clipboard items on the editor's title field, its text selected.
  t["EditCopyItem"] = {[this, title] {
                         QLineEdit* e = EditRow(0);
                         *title = fromQ(e->text());
                         Focus(e);
                         e->selectAll();
                       },
                       [title](const Observed&) {
                         return fromQ(QApplication::clipboard()->text()) == *title;
                       }};
  t["EditCutItem"] = {[this, title] {
                        QLineEdit* e = EditRow(0);
                        *title = fromQ(e->text());
                        Focus(e);
                        e->selectAll();
                      },
                      [title](const Observed&) {
                        return NEditDlg->TitelEdt->text().isEmpty() &&
                               fromQ(QApplication::clipboard()->text()) == *title;
                      }};
  t["EditPasteItem"] = {[this] {
                          QLineEdit* e = EditRow(0);
                          QApplication::clipboard()->setText(QStringLiteral("Eingefügt"));
                          Focus(e);
                          e->selectAll();
                        },
                        [](const Observed&) {
                          return NEditDlg->TitelEdt->text() == QStringLiteral("Eingefügt");
                        }};
  t["EditUndoMnu"] = {[this, title] {
                        QLineEdit* e = EditRow(0);
                        *title = fromQ(e->text());
                        Focus(e);
                        e->selectAll();
                        e->insert(QStringLiteral("Versehen"));
                      },
                      [title](const Observed&) {
                        return fromQ(NEditDlg->TitelEdt->text()) == *title;
                      }};
  t["CHooseListMnu"] = {[this] { Focus(list->SearchEdt); },
                        [this](const Observed&) { return list->ChooseLiBo->hasFocus(); }};
  // View
  t["ViewStd"] = {[] { MainFrm->SetViewMode(2); },
                  [](const Observed&) { return showRezDlg->isVisible(); }};
  t["TBMView"] = t["ViewStd"];
  t["ViewHTML"] = {{}, [](const Observed&) { return HTMLRezDlg->isVisible(); }};
  t["TBMHTML"] = t["ViewHTML"];
  t["ViewPrint"] = {{}, [](const Observed&) { return PrintRezDlg->isVisible(); }};
  t["ChangePersAnzMnu"] = Modal("PersAnzDlg");
  t["TBMCalc"] = Modal("PersAnzDlg");
  auto page = [this](int other, std::function<QWidget*()> shown) {
    return Expect{[this, other] {
                    EditRow(0);
                    EditRezDlg->SetEditMode(other);
                  },
                  [shown](const Observed&) { return shown()->isVisible(); }};
  };
  t["NEditMnu"] = page(2, [] { return static_cast<QWidget*>(NEditDlg); });
  t["QEditMnu"] = page(1, [] { return static_cast<QWidget*>(QEditDlg); });
  t["ZEditMnu"] = page(1, [] { return static_cast<QWidget*>(ZEditDlg); });
  t["SaisonMnu"] = Modal("SaisonDlg");
  // Week plan: two recipes on Monday, the lower one current.
  auto twoPlanned = [this] {
    ClearPlan();
    Plan({0, 1});  // row 1 drops on top: Monday is row 1, then row 0
    WPlanDlg->SetCurrentCell(0, 2);
    list->SelectOnly(2);
    list->ShowSelectedRecipe(true);
  };
  auto weekPlanOpens = [](const Observed&) { return MainFrm->WeekPlanHeight() > 4; };
  t["WPlan"] = {{}, weekPlanOpens};
  t["TBWPlan"] = {{}, weekPlanOpens};
  t["WPPara"] = {twoPlanned, [](const Observed& o) { return o.Modal("WPParaDlg"); }};
  t["NewRemarkMnu"] = {twoPlanned, [](const Observed& o) { return o.Modal("WPBemDlg"); }};
  t["WPShow"] = {twoPlanned,
                 [this](const Observed&) { return DataRezDlg->ShownRecipe.title == TitleAt(0); }};
  t["WPPrint"] = {twoPlanned, [](const Observed& o) { return o.printJobs == 1; }};
  t["WPKList"] = {[twoPlanned] {
                    twoPlanned();
                    KaufRezListDlg->DelAllRezClick();
                  },
                  [](const Observed&) { return KaufRezListDlg->list.Count() == 1; }};
  t["MoveWPUpMnu"] = {twoPlanned,
                      [this](const Observed&) { return PlannedAt(0, 1) == TitleAt(0); }};
  t["MoveWPDownMnu"] = {[this, twoPlanned] {
                          twoPlanned();
                          WPlanDlg->SetCurrentCell(0, 1);
                        },
                        [this](const Observed&) { return PlannedAt(0, 2) == TitleAt(1); }};
  t["WPSelDel"] = {[this, twoPlanned] {
                     twoPlanned();
                     env.messages.answers = {IDYES};
                   },
                   [](const Observed&) { return WPlanDlg->plan.entries.size() == 1; }};
  t["WPGestDel"] = {[this] {
                      ClearPlan();
                      for (int col = 0; col < 7; ++col) Plan({0}, col);
                      env.messages.answers = {IDYES};
                    },
                    [](const Observed&) {
                      const int today = TodayNumber();
                      for (const WPLAN& e : WPlanDlg->plan.entries)
                        if (e.day < today) return false;
                      return !WPlanDlg->plan.entries.empty();
                    }};
  t["WPAllDel"] = {[this, twoPlanned] {
                     twoPlanned();
                     env.messages.answers = {IDYES};
                   },
                   [](const Observed&) { return WPlanDlg->plan.entries.empty(); }};
  // Food database
  t["BLSShowDlgMnu"] = Opens("BLSMainDlg");
  t["TBBLSBtn"] = Opens("BLSMainDlg");
  t["BLSSearchMnu"] = Modal("BLSChooseDlg");
  // Nutrition: without a diary person the person check speaks instead of the window.
  auto orNoPerson = [](const std::string& window, bool modal) {
    return Expect{{}, [window, modal](const Observed& o) {
                    return (modal ? o.Modal(window) : o.Window(window)) || !o.messages.empty() ||
                           !o.modals.empty();
                  }};
  };
  t["VerbrauchslisteMnu"] = {
      {}, [](const Observed& o) { return MainFrm->ConsumptionPaneWidth() > 0 || !o.messages.empty(); }};
  // The overview, with a person so that it opens, in the view its item names.
  auto withPerson = [] {
    if (!ENApplogMod || !ENApplogMod->GetActivePersonName().empty()) return;
    ENPERSON walker;
    walker.name = "Wanda";
    ENApplogMod->AddPerson(walker);
    ENApplogMod->SwitchPerson("Wanda");
  };
  auto overviewIn = [](int weightView) {
    return [weightView](const Observed& o) {
      return o.Window("ENViewDayDlg") && ENViewDayDlg->WeightView == weightView;
    };
  };
  t["GewichtsverlaufMnu"] = {withPerson, overviewIn(1)};
  t["ENStatistikMnu"] = {withPerson, overviewIn(0)};
  t["StammdatenMnu"] = orNoPerson("PersDataDlg", true);
  t["PersonenListeMnu"] = Modal("PersListDlg");
  t["ZufuhrMnu"] = Modal("ZufuhrDlg");
  // Settings
  t["Zutatenliste"] = Modal("ZutatenDlg");
  t["Masseinheiten"] = Modal("EinheitenDlg");
  t["editGattungen"] = Modal("GattDlg");
  t["PortionsMnu"] = Modal("PortionsDlg");
  t["KennDatenMnu"] = Modal("KenndatenDlg");
  t["InpLexBegriffe"] = Modal("LexBookDlg");
  t["ThekeMnu"] = Modal("ThekeDlg");
  t["Optionen"] = Modal("ParaDlg");
  t["TBParam"] = Modal("ParaDlg");
  // Academy
  t["AKKursImportMnu"] = ShellOpens("Academy/ImportvonRezepten.html");
  t["AKSchnellerfMnu"] = ShellOpens("Academy/Schnellerfassung.html");
  t["AkEinkaufslisteMnu"] = ShellOpens("Academy/Einkaufsliste.html");
  t["AkNaehrberechMnu"] = ShellOpens("Academy/Naehrmittelberechnung.html");
  t["AKGewichtMnu"] = ShellOpens("Academy/Gewichtsbeobachtung.html");
  t["AkErnaehrungMnu"] = ShellOpens("Academy/Ernaehrungskontrolle.html");
  t["AddToolsMnu"] = Modal("ParaDlg");
  t["tool:Notizen"] = {{}, [](const Observed& o) { return o.launches == 1; }};
  // Help
  t["MnHelp"] = ShellOpens("Data/DE/Help/Start.htm");
  t["HelpBtn"] = ShellOpens("Data/DE/Help/Start.htm");
  t["TavolinForumMnu"] = ShellOpens(kMakerFaqPage);
  t["TavolinWebseiten1"] = ShellOpens(kMakerWebSite);
  t["MnAssistTip"] = Opens("AssistDlg");
  t["UmfrageMnu"] = Modal("UmfrageDlg");
  t["DoReorg"] = Modal("ReorgDlg");
  t["DoNewIniz"] = {{}, [](const Observed& o) { return o.Said(GetLangText(16)); }};
  t["MnLogFile"] = ShellOpens("Tavolin.log");
  t["HelpAboutItem"] = Modal("InfoDlg");
  t["TBInfo"] = Modal("InfoDlg");
  // Book items: open, move or copy into the book they name.
  t["book:KBMenu"] = {{}, {}};
  t["book:MnCopyRez"] = {countNow, {}};
  t["book:MnMoveRez"] = {countNow, {}};
  t["book:MnCopyMarked"] = {markFirst, {}};
  t["book:MnMoveMarked"] = {markFirst, {}};
  t["KBook"] = {[this, other] { MainFrm->OpenBook(other); }, {}};
  return t;
}

// Items of a menu and its sub-menus, in menu order; hidden ones are counted apart.
void Walk(QMenu* menu, std::vector<QAction*>& out, std::vector<QAction*>& hidden) {
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) continue;
    if (!a->isVisible()) {
      hidden.push_back(a);
      continue;
    }
    if (QMenu* sub = a->menu()) {
      // A user cannot open a disabled sub-menu: its items are out of reach.
      if (a->isEnabled())
        Walk(sub, out, hidden);
      else
        out.push_back(a);
      continue;
    }
    out.push_back(a);
  }
}

TEST_F(MainMenuCommands, EveryItemAndButtonReachesItsWindowOrRunsItsCommand) {
  MakeBooks();
  Start();
  std::vector<QAction*> actions, hidden;
  for (QAction* top : MainFrm->MainMenu->actions()) Walk(top->menu(), actions, hidden);
  const size_t menuItems = actions.size();
  for (QAction* a : MainFrm->MainToolBar->actions())
    if (!a->isSeparator() && !qobject_cast<QWidgetAction*>(a) && a->isVisible())
      actions.push_back(a);
  // The walk found the whole menu: every item the tables of the window name, book items of
  // both books in each of the five book menus, the user's tool.
  EXPECT_GE(menuItems, 90u + 5 * 2 + 1);
  ASSERT_EQ(hidden.size(), 1u);
  EXPECT_EQ(hidden[0]->objectName(), "QuenoraMnu");

  std::map<std::string, Expect> table = Table();
  std::set<std::string> seen;
  for (QAction* a : actions) {
    std::string key = fromQ(a->objectName());
    std::string book;
    if (a->property("bookItem").toBool()) {
      book = fromQ(a->data().toString());
      key = "book:" + fromQ(static_cast<QMenu*>(a->parent())->objectName());
    } else if (key.rfind("KBook", 0) == 0) {
      book = fromQ(a->toolTip());
      book = book.substr(0, book.find(" ("));
      key = "KBook";
    } else if (key.empty()) {
      key = "tool:" + fromQ(a->text());
    }
    SCOPED_TRACE(key + (book.empty() ? "" : " " + book));
    seen.insert(key);
    const auto row = table.find(key);
    ASSERT_NE(row, table.end()) << "no entry in the table for " << key;
    Reset();
    if (row->second.prepare) row->second.prepare();
    if (!a->isEnabled()) {
      EXPECT_TRUE(kNotBuiltYet.count(key)) << key << " is disabled but its window is built";
      continue;
    }
    const int sourceBefore = BookCount("Hausbuch");
    const int targetBefore = book.empty() ? 0 : BookCount(book);
    // The info button waits whether a double click follows.
    const Observed o =
        Trigger(a, key == "TBInfo" ? QApplication::doubleClickInterval() + 200 : 0);
    if (key == "book:KBMenu" || key == "KBook") {
      EXPECT_EQ(Current(), book);
    } else if (key == "book:MnCopyRez" || key == "book:MnCopyMarked") {
      EXPECT_EQ(BookCount(book), targetBefore + 1) << "a copy lands in " << book;
    } else if (key == "book:MnMoveRez" || key == "book:MnMoveMarked") {
      // Moving into the book it lies in leaves it there.
      const int moved = book == "Hausbuch" ? 0 : 1;
      EXPECT_EQ(BookCount(book), targetBefore + moved);
      EXPECT_EQ(BookCount("Hausbuch"), sourceBefore - moved);
    } else {
      EXPECT_TRUE(row->second.done(o)) << o.Describe();
    }
  }
  Reset();
  // The list of commands still waiting names items the walk met.
  for (const std::string& name : kNotBuiltYet) EXPECT_TRUE(seen.count(name)) << name;
  for (const char* tool : {"TBNew", "TBEdit", "TBDel", "TBSearch", "TBHTMLView", "TBMView",
                           "TBMHTML", "TBMCalc", "TBQImport", "TBLexik", "TBWPlan", "TBBook",
                           "TBParam", "TBPrint", "HelpBtn", "TBInfo", "KBook"})
    EXPECT_TRUE(seen.count(tool)) << tool;
}

// --- clipboard ---------------------------------------------------------------------------------

class ClipboardItems : public MainMenuCommands {};

TEST_F(ClipboardItems, TheEnabledStateFollowsTheFocusedField) {
  MakeBooks();
  Start();
  struct Case {
    const char* what;
    std::function<void()> arrange;  // the view shown and the field given the focus
    bool copy, cutPaste;
  };
  auto editorPage = [this](int mode, QWidget* const& page, const char* field) {
    return [this, mode, &page, field] {
      EditRow(0);
      EditRezDlg->SetEditMode(mode);
      QApplication::processEvents();
      QWidget* w = page->findChild<QWidget*>(QString::fromLatin1(field));
      ASSERT_NE(w, nullptr) << field;
      Focus(w);
    };
  };
  QWidget* const quickEntry = QEditDlg;
  QWidget* const additional = ZEditDlg;
  QWidget* const otherData = AEditDlg;
  const std::vector<Case> cases = {
      {"recipe list", [this] { Focus(list->ChooseLiBo); }, false, false},
      {"read-only recipe text", [this] { Focus(showRezDlg->RezTextRtf); }, true, false},
      {"editor title", [this] { Focus(EditRow(0)); }, true, true},
      {"quick entry text", editorPage(2, quickEntry, "TextRtf"), true, true},
      {"quick entry grams", editorPage(2, quickEntry, "GrammEdt"), true, true},
      {"additional data remark", editorPage(3, additional, "RemarkEdt"), true, true},
      {"other data card text", editorPage(4, otherData, "CardEdt"), true, true},
      {"text/HTML view, focus in the list",
       [this] {
         MainFrm->SetViewMode(2);
         Focus(list->ChooseLiBo);
       },
       true, false},
      {"text/HTML view left again",
       [this] {
         Focus(list->ChooseLiBo);
         MainFrm->SetViewMode(2);
         MainFrm->SetViewMode(1);
       },
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    c.arrange();
    EXPECT_EQ(MainFrm->EditCopyItem->isEnabled(), c.copy);
    EXPECT_EQ(MainFrm->EditCutItem->isEnabled(), c.cutPaste);
    EXPECT_EQ(MainFrm->EditPasteItem->isEnabled(), c.cutPaste);
  }
}

TEST_F(ClipboardItems, WithTheTextViewShownPasteLeavesTheClipboardAndCutCopiesTheSelection) {
  MakeBooks();
  env.userSettings.WriteString(kRegParam, "ShowMode", "2");
  Start();
  Reset();
  MainFrm->SetViewMode(2);
  ASSERT_TRUE(HTMLRezDlg->isVisible());
  QApplication::clipboard()->setText(QStringLiteral("Notiz vom Einkauf"));
  // Paste does nothing here: neither the clipboard nor the page changes.
  const QString page = HTMLRezDlg->HtmlMode ? HTMLRezDlg->Browser->toPlainText()
                                            : HTMLRezDlg->ViewText->toPlainText();
  ASSERT_FALSE(page.isEmpty());
  MainFrm->ClipboardCommand(2);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Notiz vom Einkauf"));
  EXPECT_EQ(HTMLRezDlg->HtmlMode ? HTMLRezDlg->Browser->toPlainText()
                                 : HTMLRezDlg->ViewText->toPlainText(),
            page);
  // Cut and copy take the view's selection, whatever field has the focus.
  for (int kind : {0, 1}) {
    QApplication::clipboard()->clear();
    if (HTMLRezDlg->HtmlMode)
      HTMLRezDlg->Browser->selectAll();
    else
      HTMLRezDlg->ViewText->selectAll();
    Focus(list->ChooseLiBo);
    MainFrm->ClipboardCommand(kind);
    EXPECT_TRUE(QApplication::clipboard()->text().contains(toQ(TitleAt(0)))) << kind;
  }
}

TEST_F(ClipboardItems, PasteIntoTheQuickEntryTextDropsTheFormatting) {
  MakeBooks();
  Start();
  Reset();
  EditRow(0);
  EditRezDlg->SetEditMode(2);
  auto* text = QEditDlg->findChild<QTextEdit*>(QStringLiteral("TextRtf"));
  ASSERT_NE(text, nullptr);
  auto* mime = new QMimeData;
  mime->setHtml(QStringLiteral("<b>Fett</b> und <i>schräg</i>"));
  QApplication::clipboard()->setMimeData(mime);
  env.clipboard.text = Utf8ToCp1252("Fett und schräg");
  Focus(text);
  text->moveCursor(QTextCursor::End);
  MainFrm->ClipboardCommand(2);
  EXPECT_TRUE(text->toPlainText().endsWith(QStringLiteral("Fett und schräg")));
  EXPECT_FALSE(text->toHtml().contains(QStringLiteral("font-weight:700")));
}

// --- index rebuild -----------------------------------------------------------------------------

TEST_F(MainMenuCommands, TheIndexIsRebuiltOnlyOnYes) {
  MakeBooks();
  Start();
  const std::string index = env.DataFolder() + "Hausbuch.idx";
  struct Case {
    int answer;
    bool rebuilt;
  };
  // IDCANCEL is what closing the question with Esc or its title bar gives.
  for (const Case c : {Case{IDNO, false}, Case{IDCANCEL, false}, Case{IDYES, true}}) {
    SCOPED_TRACE(c.answer);
    RemoveFile(index);
    env.messages.shown.clear();
    env.messages.answers = {c.answer};
    MainFrm->Action("DoNewIniz")->trigger();
    ASSERT_FALSE(env.messages.shown.empty());
    EXPECT_EQ(env.messages.shown[0].text, GetLangText(16));
    EXPECT_EQ(FileExists(index), c.rebuilt);
    EXPECT_EQ(env.messages.shown.size(), c.rebuilt ? 2u : 1u);
  }
}

// --- Academy -----------------------------------------------------------------------------------

TEST_F(MainMenuCommands, TheCoursesOpenInTheUsersLanguage) {
  MakeBooks();
  Start("EN");
  MainFrm->Action("AkNaehrberechMnu")->trigger();
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_EQ(env.shell.opened[0], program.Path() + "Academy/EN/Naehrmittelberechnung.html");
  // A course not translated yet opens in German.
  RemoveFile(program.Path() + "Academy/EN/Einkaufsliste.html");
  MainFrm->Action("AkEinkaufslisteMnu")->trigger();
  EXPECT_EQ(env.shell.opened.back(), program.Path() + "Academy/Einkaufsliste.html");
}

TEST(AcademyPages, EveryCourseShipsInBothLanguagesAndNamesTheMenusAsTheyAre) {
  const std::string folder = std::string(TAVOLIN_SOURCE_DIR) + "/academy/";
  for (const char* topic : {"ImportvonRezepten", "Schnellerfassung", "Einkaufsliste",
                            "Naehrmittelberechnung", "Gewichtsbeobachtung",
                            "Ernaehrungskontrolle"}) {
    SCOPED_TRACE(topic);
    const std::string de = ReadAll(folder + topic + ".html");
    const std::string en = ReadAll(folder + "EN/" + topic + ".html");
    ASSERT_FALSE(de.empty());
    ASSERT_FALSE(en.empty());
    EXPECT_NE(de.find("<html lang=\"de\">"), std::string::npos);
    EXPECT_NE(en.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(de.find("<meta charset=\"utf-8\">"), std::string::npos);
    // Each page is a course of several steps, and ends where it began.
    EXPECT_GE(std::count(de.begin(), de.end(), '\n'), 40);
    EXPECT_GE(std::count(en.begin(), en.end(), '\n'), 40);
    EXPECT_NE(de.rfind("</html>"), std::string::npos);
    EXPECT_NE(en.rfind("</html>"), std::string::npos);
  }
  // The menu paths the German pages name are the captions of the German language file.
  const std::string klf = ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/GUI.klf");
  const std::string page = ReadAll(folder + "ImportvonRezepten.html");
  for (const char* caption : {"Rezepte importieren ...", "Kochbücher verwalten...",
                              "Suche nach doppelten Rezepten", "Auto-Import..."}) {
    EXPECT_NE(page.find(caption), std::string::npos) << caption;
    EXPECT_NE(klf.find(Utf8ToCp1252(caption)), std::string::npos) << caption;
  }
}

// --- screenshots -------------------------------------------------------------------------------

TEST_F(MainMenuCommands, ScreenshotsOfEveryViewMode) {
  MakeBooks();
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    Start(lang);
    MainFrm->resize(1280, 860);
    Reset();
    MainFrm->ToggleWeekPlanPane();
    Plan({0});
    list->SelectOnly(2);
    list->ShowSelectedRecipe(true);
    const struct {
      int mode;
      const char* name;
      QWidget* view;
    } modes[] = {{1, "standard", showRezDlg}, {2, "html", HTMLRezDlg}, {3, "print", PrintRezDlg}};
    for (const auto& m : modes) {
      MainFrm->SetViewMode(m.mode);
      QApplication::processEvents();
      EXPECT_TRUE(m.view->isVisible()) << m.name;
      Shot(MainFrm, std::string("main_window_") + m.name + "_" + lang);
    }
    MainFrm->Action("NeuesRezept")->trigger();
    EXPECT_TRUE(EditRezDlg->isVisible());
    Shot(MainFrm, std::string("main_window_editor_") + lang);
    DestroyAllWindows();
  }
}

}  // namespace
}  // namespace tav
