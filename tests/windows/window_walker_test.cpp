// Every window of the program, reached as a user reaches it: the main menu's items and the tool
// bar's buttons clicked, then the buttons of each window that came up, modal windows caught
// while they are up. In each window every control a user can trigger must be wired to
// something (or be named below as inert, with its reason); no push button is a default button
// the user cannot see as one; and Enter in a field ends the edit without opening or closing a
// window. A control or window added later is walked without a test of its own.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QWidgetAction>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/ui/main_window.h"
#include "diary/diary_module.h"
#include "kitchen/ui/week_plan_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "windows/kitchen_program.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "windows/user_input.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;

// Controls of a window, named with the reason they are what they are.
struct Named {
  const char* window;
  std::vector<const char*> controls;
  const char* reason;
};

// Controls a user can reach that are wired to nothing on purpose.
const std::vector<Named> kInert = {
    // Read when the window's OK, start or close button acts, not when they change.
    {"ParaDlg",
     {"ExpUmlIntChk", "DOSUmlChk", "NoExpInfoChk", "PicExportChk", "CMLLeadBytesChk"},
     "export flags, stored with the other options on OK"},
    {"ExportDlg", {"TileChk"}, "read when the export starts"},
    {"ImportDlg", {"ImportLiBo"}, "the target book, read when the import starts"},
    {"BackupDlg",
     {"BKBookChk", "BCRecPicsChk", "BCZutPicsChk", "BCDBsChk", "BCKontenChk", "BCLexikonChk",
      "BCHTMLChk"},
     "what to back up, read when the backup starts"},
    {"PSearchDlg", {"RezPicChk", "MarkChk", "CaseSensChk", "WWCompareCoBo"},
     "criteria read when the search starts"},
    {"DupesDlg",
     {"SameZutatAnzChk", "SameTextChk", "SameAutorChk", "SameQuelleChk", "SameGattChk",
      "SameStichChk"},
     "criteria read when the search starts"},
    {"MultiChangeDlg", {"StichwortChk", "GattungChk", "QuelleChk", "AutorChk", "EMailChk", "DatumChk"},
     "which fields change, read when the change runs (typing into a field ticks its box)"},
    {"AssistDlg", {"NextTipChk", "StartTipChk"}, "stored when the tip closes or the next one comes"},
    {"ZutatenDlg", {"KListChk", "HaendlerCoBo"}, "stored with the ingredient on OK"},
    {"LexInpDlg", {"KapitelCoBo"}, "the entry's chapter, stored on OK"},
    {"InpEinheitDlg", {"MMChk", "FluessigChk", "MasseChk", "ZaehlChk", "LaengeChk", "KleinChk"},
     "stored with the unit on OK"},
    {"NEditDlg", {"GattLiBo", "PortArtCoBo"},
     "categories and serving type, read when the recipe is saved"},
    {"ZEditDlg", {"StoffCoBo"}, "a list to look through: the recipe's stored nutrient amounts"},
    {"AutoImpDlg", {"ImpListGrd"}, "its selected row is what the window's buttons act on"},
    {"UmfrageDlg", {"t1", "t2", "t3", "t4", "t5", "t6", "t7"}, "answers, read when the survey is sent"},
    // Grids whose cells are typed into and read when the window confirms or computes.
    {"PortionsDlg", {"PortionsGrd"}, "the portion names, read on OK"},
    {"ZEditDlg", {"ErfasserGrd"}, "author and dates, read when the recipe is saved"},
    {"BLSZutatDlg", {"StoffGrd"}, "amounts and codes, read when the values are computed"},
    // Lists that only show: a log, figures, values.
    {"ImportDlg", {"LogLiBo"}, "the import's log"},
    {"ExportDlg", {"LogLiBo"}, "the export's log"},
    {"BackupDlg", {"BLogLiBo"}, "the backup's log"},
    {"DupesDlg", {"LogLiBo"}, "the search's log"},
    {"ReorgDlg", {"LogLiBo"}, "the compression's log"},
    {"StatistikDlg", {"GattGrd", "SonstGrd"}, "counts"},
    {"InfoRezDlg", {"InfoGrd"}, "the recipe's key figures"},
    {"BLSMainDlg", {"InhaltGrd"}, "the chosen food's values"},
    {"BLSCompareDlg", {"CompareGrd"}, "the compared foods' values"},
    {"ENViewDayDlg", {"VerlaufGrd"}, "the period's values"},
};

// Fields whose Enter presses a default button that is not the window's OK or close button
// (an OK or close button that is the shown default confirms the window, as Enter does in any
// dialog).
const std::vector<Named> kEnterActs = {
    {"EinkaufDlg", {"MengeEdt"}, "\"Einkaufszettel drucken\" is the window's default button"},
};

// Buttons the walk does not click, by object name: they end the program, delete, print or wait
// for the printer, or compress books.
bool NotToClick(const QString& name) {
  static const char* const parts[] = {"Exit", "Del",   "Loesch", "L\xC3\xB6sch", "Remove",
                                      "Print", "Druck", "Clear", "Kill", "reorg"};
  for (const char* p : parts)
    if (name.contains(QString::fromUtf8(p), Qt::CaseInsensitive)) return true;
  return false;
}

// Items of the main menu and tool bar the walk does not click: they end the program, delete
// recipes or plan entries, print at once or rebuild the book's index. Book items move and copy
// recipes and open nothing.
const std::set<std::string> kItemsNotToClick = {
    "FileExitItem", "Rezeptloeschen", "TBDel",     "MnDelMarked", "WPSelDel",
    "WPGestDel",    "WPAllDel",       "WPPrint",   "DoNewIniz"};

// Buttons that close their window (not clicked; the window is closed by the walk).
bool Closes(const QString& name) {
  static const char* const parts[] = {"OK", "Cancel", "Canc", "Close", "Abbr", "overtake"};
  for (const char* p : parts)
    if (name.contains(QString::fromLatin1(p), Qt::CaseInsensitive)) return true;
  return name.startsWith(QLatin1String("ID"));
}

std::string NameOf(const QObject* o) {
  return o->objectName().isEmpty() ? std::string(o->metaObject()->className())
                                   : o->objectName().toStdString();
}

// --- who listens -------------------------------------------------------------------------------

// QObject::receivers is protected; a pointer to it taken through a class of our own reads it
// for any object.
struct SignalPeek : QObject {
  static int Count(const QObject* o, const QMetaMethod& signal) {
    const QByteArray sig = "2" + signal.methodSignature();
    return (o->*(&SignalPeek::receivers))(sig.constData());
  }
};

// Signals that say nothing about a user's action.
bool Bookkeeping(const QMetaMethod& m) {
  static const std::set<QByteArray> names = {
      "destroyed",         "objectNameChanged", "windowTitleChanged",
      "windowIconChanged", "windowIconTextChanged", "iconSizeChanged", "viewportEntered",
      "entered",           "hovered"};
  return names.count(m.name()) > 0;
}

// The connections a control's own signals carry beyond those Qt itself makes for a fresh control
// of the same Qt class (`fresh`).
int OwnConnections(const QObject* o, const QObject* fresh) {
  int own = 0;
  const QMetaObject* mo = o->metaObject();
  for (int i = QObject::staticMetaObject.methodCount(); i < mo->methodCount(); ++i) {
    const QMetaMethod m = mo->method(i);
    if (m.methodType() != QMetaMethod::Signal || (m.attributes() & QMetaMethod::Cloned) ||
        Bookkeeping(m))
      continue;
    int base = 0;
    if (fresh) {
      const int j = fresh->metaObject()->indexOfSignal(m.methodSignature().constData());
      if (j >= 0) base = SignalPeek::Count(fresh, fresh->metaObject()->method(j));
    }
    own += std::max(0, SignalPeek::Count(o, m) - base);
  }
  return own;
}

// Fresh Qt controls, one per Qt class and set-up, to tell Qt's own connections from the program's.
class FreshControls {
 public:
  // The fresh twin of `o`: the nearest Qt class it derives from, set up as `o` is (in a button
  // box, with a model).
  const QObject* TwinOf(const QObject* o) {
    const QMetaObject* mo = o->metaObject();
    while (mo && !Makers().count(mo->className())) mo = mo->superClass();
    if (!mo) return nullptr;
    std::string key = mo->className();
    const bool inBox = qobject_cast<const QDialogButtonBox*>(o->parent()) != nullptr;
    if (inBox) key += "@box";
    QObject*& twin = made_[key];
    if (!twin) {
      twin = Makers().at(mo->className())();
      if (inBox) {
        auto* box = new QDialogButtonBox;
        box->addButton(static_cast<QAbstractButton*>(twin), QDialogButtonBox::AcceptRole);
        roots_.emplace_back(box);
      } else {
        roots_.emplace_back(twin);
      }
    }
    return twin;
  }
  // Qt's own connections to an action's `triggered` and `toggled` for each menu, tool bar and
  // tool button that shows it.
  int ActionBase(const QAction* a) {
    if (perMenu_ < 0) Measure();
    int base = 0;
    for (QObject* o : a->associatedObjects()) {
      if (qobject_cast<QMenu*>(o))
        base += perMenu_;
      else if (qobject_cast<QToolBar*>(o))
        base += perToolBar_;
      else if (qobject_cast<QToolButton*>(o) && !qobject_cast<QToolBar*>(o->parent()))
        base += perToolButton_;
    }
    if (a->actionGroup()) base += perGroup_;
    return base;
  }
  // Whether a menu, menu bar, tool bar or action group passes an action's trigger on to the
  // program: its own `triggered` (`actionTriggered`) has more listeners than Qt gives it.
  bool PassesOn(const QObject* o) {
    if (perMenu_ < 0) Measure();
    for (const char* signal : {"triggered(QAction*)", "actionTriggered(QAction*)"}) {
      if (o->metaObject()->indexOfSignal(signal) < 0) continue;
      int base = 0;
      for (const QObject* twin : passers_)
        if (o->inherits(twin->metaObject()->className()))
          base = std::max(base, Listeners(twin, signal));
      return Listeners(o, signal) > base;
    }
    return false;
  }
  static int Listeners(const QObject* o, const char* signal) {
    const int i = o->metaObject()->indexOfSignal(signal);
    return i < 0 ? 0 : SignalPeek::Count(o, o->metaObject()->method(i));
  }

 private:
  using Maker = std::function<QObject*()>;
  static const std::map<std::string, Maker>& Makers() {
    static const std::map<std::string, Maker> makers = {
        {"QPushButton", [] { return new QPushButton; }},
        {"QToolButton", [] { return new QToolButton; }},
        {"QCheckBox", [] { return new QCheckBox; }},
        {"QComboBox", [] { return new QComboBox; }},
        {"QTabBar", [] { return new QTabBar; }},
        {"QListWidget", [] { return new QListWidget; }},
        {"QTableWidget", [] { return new QTableWidget; }},
        {"QTreeWidget", [] { return new QTreeWidget; }},
        {"QListView", [] { return WithModel(new QListView); }},
        {"QTableView", [] { return WithModel(new QTableView); }},
        {"QTreeView", [] { return WithModel(new QTreeView); }},
        {"QButtonGroup", [] { return new QButtonGroup; }},
    };
    return makers;
  }
  static QAbstractItemView* WithModel(QAbstractItemView* v) {
    v->setModel(new QStandardItemModel(2, 2, v));
    return v;
  }
  static int Signals(const QAction& a) {
    return Listeners(&a, "triggered(bool)") + Listeners(&a, "toggled(bool)");
  }
  void Measure() {
    {
      QMenu menu;
      QAction a;
      menu.addAction(&a);
      perMenu_ = Signals(a);
    }
    {
      QToolBar bar;
      QAction a;
      bar.addAction(&a);
      perToolBar_ = Signals(a);
    }
    {
      QToolButton button;
      QAction a;
      button.setDefaultAction(&a);
      perToolButton_ = Signals(a);
    }
    {
      QActionGroup group(nullptr);
      QAction a;
      group.addAction(&a);
      perGroup_ = Signals(a);
    }
    // Menus in a menu bar, a sub-menu, a pop-up menu, a tool bar, a group: the listeners Qt
    // gives their `triggered` itself.
    auto* bar = new QMenuBar;
    QMenu* top = bar->addMenu(QStringLiteral("a"));
    QMenu* sub = top->addMenu(QStringLiteral("b"));
    sub->addAction(QStringLiteral("c"));
    top->addAction(QStringLiteral("d"));
    auto* popup = new QMenu;
    popup->addAction(QStringLiteral("e"));
    auto* toolBar = new QToolBar;
    toolBar->addAction(QStringLiteral("f"));
    auto* group = new QActionGroup(nullptr);
    group->addAction(QStringLiteral("g"));
    passers_ = {bar, top, sub, popup, toolBar, group};
    for (QObject* o : {static_cast<QObject*>(bar), static_cast<QObject*>(popup),
                       static_cast<QObject*>(toolBar), static_cast<QObject*>(group)})
      roots_.emplace_back(o);
  }
  std::map<std::string, QObject*> made_;
  std::vector<std::unique_ptr<QObject>> roots_;
  std::vector<const QObject*> passers_;
  int perMenu_ = -1, perToolBar_ = 0, perToolButton_ = 0, perGroup_ = 0;
};

// --- the walk ----------------------------------------------------------------------------------

class WindowWalker : public test::KitchenProgram {
 protected:
  FreshControls fresh;
  std::vector<std::string> faults;
  std::set<std::string> faultSeen;
  std::set<std::string> walked;
  std::set<const QObject*> checked;       // controls already judged
  std::set<const QWidget*> enterPressed;  // fields already given Enter
  std::set<const QObject*> clicked;       // buttons already clicked
  const char* language = "DE";
  static constexpr int kDepth = 3;

  void Fault(const std::string& text) {
    if (faultSeen.insert(text).second) faults.push_back(text);
  }
  // A control by the window or pane that holds it: "GattDlg.OKBtn", "InfoRezDlg.InfoGrd".
  static std::string Key(const QWidget* window, const QObject* control) {
    const QObject* owner = window;
    for (const QObject* p = control->parent(); p && p != window; p = p->parent())
      if (p->objectName().endsWith(QLatin1String("Dlg")) ||
          p->objectName().endsWith(QLatin1String("Frm"))) {
        owner = p;
        break;
      }
    return NameOf(owner) + "." + NameOf(control);
  }
  static bool Listed(const std::vector<Named>& list, const std::string& key) {
    const size_t dot = key.find('.');
    for (const Named& n : list)
      if (key.compare(0, dot, n.window) == 0 && dot == std::string(n.window).size())
        for (const char* c : n.controls)
          if (key.compare(dot + 1, std::string::npos, c) == 0) return true;
    return false;
  }

  // Whether `o` is part of a Qt control rather than one the program placed (the buttons of a
  // spin box, a combo's list, the header of a grid, a calendar's day grid).
  static bool PartOfQtControl(const QObject* o) {
    for (const QObject* p = o->parent(); p; p = p->parent()) {
      const QString cls = QString::fromLatin1(p->metaObject()->className());
      if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p) ||
          qobject_cast<const QTabBar*>(p) ||
          cls == QLatin1String("QCalendarWidget") || qobject_cast<const QHeaderView*>(p))
        return true;
      if (qobject_cast<const QTabWidget*>(p) && qobject_cast<const QTabBar*>(o)) return true;
      if (p->isWidgetType() && static_cast<const QWidget*>(p)->isWindow()) break;
    }
    return qobject_cast<const QHeaderView*>(o) != nullptr;
  }

  bool ActionWired(const QAction* a) {
    const int own = FreshControls::Listeners(a, "triggered(bool)") +
                    FreshControls::Listeners(a, "toggled(bool)");
    if (own > fresh.ActionBase(a)) return true;
    // The menus that show it pass its trigger on to their own `triggered`, up to the menu bar;
    // a group and a tool bar pass it on too.
    for (QObject* o : a->associatedObjects())
      for (QObject* m = o; m && (qobject_cast<QMenu*>(m) || qobject_cast<QMenuBar*>(m) ||
                                 qobject_cast<QToolBar*>(m));
           m = m->parent())
        if (fresh.PassesOn(m)) return true;
    return a->actionGroup() && fresh.PassesOn(a->actionGroup());
  }

  bool ButtonWired(const QAbstractButton* b) {
    if (auto* tool = qobject_cast<const QToolButton*>(b); tool && tool->defaultAction())
      return ActionWired(tool->defaultAction());
    if (auto* push = qobject_cast<const QPushButton*>(b); push && push->menu()) return true;
    if (auto* tool = qobject_cast<const QToolButton*>(b); tool && tool->menu()) return true;
    if (OwnConnections(b, fresh.TwinOf(b)) > 0) return true;
    if (auto* box = qobject_cast<const QDialogButtonBox*>(b->parent()))
      if (OwnConnections(box, nullptr) > 0) return true;
    return b->group() && OwnConnections(b->group(), fresh.TwinOf(b->group())) > 0;
  }

  bool ViewWired(const QAbstractItemView* v) {
    if (OwnConnections(v, fresh.TwinOf(v)) > 0) return true;
    // The selection model's signals: Qt's own view connects two of them (and its headers more);
    // the twin's count says how many.
    const auto* twin = qobject_cast<const QAbstractItemView*>(fresh.TwinOf(v));
    if (v->selectionModel() &&
        OwnConnections(v->selectionModel(), twin ? twin->selectionModel() : nullptr) > 0)
      return true;
    return false;
  }

  // The wiring and the default buttons of the controls of `window` shown now.
  void CheckControls(QWidget* window) {
    auto judge = [&](const QObject* control, bool wired, const char* kind) {
      if (!checked.insert(control).second) return;
      const std::string key = Key(window, control);
      if (wired) return;
      if (Listed(kInert, key)) return;
      Fault(std::string(language) + ": " + kind + " " + key + " is wired to nothing");
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
      if (b->window() != window || !b->isVisible() || !b->isEnabled() || PartOfQtControl(b))
        continue;
      if (qobject_cast<QRadioButton*>(b)) continue;
      if (qobject_cast<QToolButton*>(b) && qobject_cast<QToolBar*>(b->parent()) &&
          static_cast<QToolButton*>(b)->defaultAction())
        continue;  // a tool bar's button: its action is judged with the tool bar
      judge(b, ButtonWired(b), qobject_cast<QCheckBox*>(b) ? "check box" : "button");
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
      const bool combo = qobject_cast<QComboBox*>(w) != nullptr;
      if (!combo && !qobject_cast<QTabBar*>(w)) continue;
      if (w->window() != window || !w->isVisible() || !w->isEnabled() || PartOfQtControl(w))
        continue;
      judge(w, OwnConnections(w, fresh.TwinOf(w)) > 0, combo ? "combo box" : "tab bar");
    }
    for (QAbstractItemView* v : window->findChildren<QAbstractItemView*>()) {
      if (v->window() != window || !v->isVisible() || !v->isEnabled() || PartOfQtControl(v))
        continue;
      judge(v, ViewWired(v), "list");
    }
    std::vector<QAction*> actions;
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
      for (QAction* top : main->menuBar()->actions())
        if (top->menu()) CollectMenu(top->menu(), actions);
    }
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
      for (QAction* top : bar->actions())
        if (top->menu()) CollectMenu(top->menu(), actions);
    for (QToolBar* bar : window->findChildren<QToolBar*>())
      if (bar->isVisible())
        for (QAction* a : bar->actions())
          if (!a->isSeparator() && !a->menu() && !qobject_cast<QWidgetAction*>(a) &&
              a->isVisible() && a->isEnabled())
            actions.push_back(a);
    for (QAction* a : actions) judge(a, ActionWired(a), "menu item");

    // Enter presses the dialog's default button when it is shown (Qt passes a hidden one by),
    // and a push button becomes the default as it takes the focus or as the first in the
    // dialog's focus chain: each one that may be pressed so must look like a default button.
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
      if (b->window() != window || PartOfQtControl(b)) continue;
      if (!b->isDefault() && !b->autoDefault()) continue;
      const bool onToolBar = b->parentWidget() && qobject_cast<QToolBar*>(b->parentWidget());
      const bool offView = b->isVisible() && (b->width() < 4 || b->height() < 4 ||
                                               !window->rect().intersects(
                                                   QRect(b->mapTo(window, QPoint(0, 0)), b->size())));
      const char* why = b->isFlat() ? "flat" : onToolBar ? "on a tool bar" : offView ? "out of sight"
                                                                                   : nullptr;
      if (why)
        Fault(std::string(language) + ": " + Key(window, b) + " is " +
              (b->isDefault() ? "the default" : "an auto-default") + " button but " + why);
    }
  }

  static void CollectMenu(QMenu* menu, std::vector<QAction*>& out) {
    for (QAction* a : menu->actions()) {
      if (a->isSeparator() || !a->isVisible()) continue;
      if (a->menu()) {
        if (a->isEnabled()) CollectMenu(a->menu(), out);
        continue;
      }
      if (a->isEnabled() && !qobject_cast<QWidgetAction*>(a)) out.push_back(a);
    }
  }

  static std::set<QWidget*> ShownWindows() {
    std::set<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && !qobject_cast<QMenu*>(w) && !w->inherits("QTipLabel") &&
          w->windowType() != Qt::ToolTip && w->windowType() != Qt::Popup)
        out.insert(w);
    return out;
  }

  // Runs `act`; every window that comes up meanwhile or stays up after it is handed to `met`
  // (modal ones while they are up) and then closed. `met` gets whether the window is modal.
  void Opening(const std::function<void()>& act,
               const std::function<void(QWidget*, bool)>& met) {
    const std::set<QWidget*> before = ShownWindows();
    QWidget* modalBefore = QApplication::activeModalWidget();
    std::set<QWidget*> handled;
    bool busy = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (busy) return;
      QPointer<QWidget> modal = QApplication::activeModalWidget();
      // The windows that were up before (a modal window under the one `act` closes) are not
      // the command's.
      if (!modal || modal == modalBefore || before.count(modal) || !modal->isVisible()) return;
      // A window may come up twice in one command (shown while it works, then run modally).
      if (handled.insert(modal).second) {
        busy = true;
        met(modal, true);
        busy = false;
      }
      if (modal && modal->isVisible()) {
        if (auto* d = qobject_cast<QDialog*>(modal.data()))
          d->reject();
        else
          modal->close();
      }
      if (modal && modal->isVisible()) modal->hide();
    });
    watch.start();
    act();
    QApplication::processEvents();
    watch.stop();
    for (QWidget* w : ShownWindows()) {
      if (before.count(w) || handled.count(w)) continue;
      met(w, false);
      if (w->isVisible()) w->close();
      if (w->isVisible()) w->hide();
    }
  }

  // A window reached: its controls judged, its fields given Enter, the windows its buttons open
  // walked in turn.
  void Visit(QWidget* window, int depth) {
    const std::string name = NameOf(window);
    // Qt's own windows (file, page set-up, colour dialogs) are Qt's to test.
    if (window->metaObject()->className()[0] == 'Q') return;
    if (!walked.insert(name).second) return;
    CheckControls(window);
    if (depth < kDepth) OpenFromButtons(window, depth);
    if (window->isVisible()) PressEnterInFields(window);
  }

  void OpenFromButtons(QWidget* window, int depth) {
    std::vector<QPointer<QAbstractButton>> buttons;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
      if (b->window() == window && !PartOfQtControl(b) &&
          (qobject_cast<QPushButton*>(b) || qobject_cast<QToolButton*>(b)) &&
          !NotToClick(b->objectName()) && !Closes(b->objectName()) &&
          !b->objectName().contains(QLatin1String("Help")) &&
          !b->objectName().contains(QLatin1String("Hilfe")))
        buttons.push_back(b);
    for (const QPointer<QAbstractButton>& b : buttons) {
      if (!window->isVisible()) return;
      if (!b || !b->isVisible() || !b->isEnabled() || !clicked.insert(b).second) continue;
      if (auto* tool = qobject_cast<QToolButton*>(b.data());
          tool && tool->defaultAction() && NotToClick(tool->defaultAction()->objectName()))
        continue;
      Opening([&] { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); },
              [&](QWidget* w, bool) { Visit(w, depth + 1); });
      CheckControls(window);  // what the click showed in the window itself
    }
  }

  // Enter in each field of the window: the edit ends, nothing opens, the window stays.
  void PressEnterInFields(QWidget* window) {
    std::vector<QPointer<QWidget>> fields;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (w->window() != window || !w->isVisible() || !w->isEnabled()) continue;
      auto* line = qobject_cast<QLineEdit*>(w);
      auto* spin = qobject_cast<QAbstractSpinBox*>(w);
      if (line && (line->isReadOnly() || qobject_cast<QAbstractSpinBox*>(w->parent()))) continue;
      if (spin && spin->isReadOnly()) continue;
      if ((line || spin) && enterPressed.insert(w).second) fields.push_back(w);
    }
    for (const QPointer<QWidget>& f : fields) {
      if (!window->isVisible()) return;
      if (!f || !f->isVisible() || !f->isEnabled()) continue;
      const std::string key = Key(window, f);
      std::vector<std::string> opened;
      f->setFocus(Qt::OtherFocusReason);
      std::string pressed;  // the button Enter gives the click to, if any
      for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->window() == window && b->isDefault() && b->isVisible()) pressed = NameOf(b);
      Opening([&] { QTest::keyClick(f, Qt::Key_Return); },
              [&](QWidget* w, bool) { opened.push_back(NameOf(w)); });
      const std::string by = pressed.empty() ? std::string() : " (through " + pressed + ")";
      if (Listed(kEnterActs, key) || (!pressed.empty() && Closes(QString::fromStdString(pressed)))) {
        if (!window->isVisible()) break;
        continue;
      }
      for (const std::string& w : opened)
        Fault(std::string(language) + ": Enter in " + key + " opened " + w + by);
      if (!window->isVisible()) {
        Fault(std::string(language) + ": Enter in " + key + " closed its window" + by);
        break;
      }
    }
  }

  // The main window: its controls, then each item of the menu and each button of the tool bar
  // clicked, each window it opens walked.
  void WalkProgram(const char* lang) {
    language = lang;
    Start(lang);
    env.messages.defaultAnswer = IDNO;
    if (ENApplogMod && ENApplogMod->GetActivePersonName().empty()) AddPerson();
    // A recipe on Monday's plan, its cell current: the plan's items have something to act on.
    list->SelectOnly(0);
    WPlanDlg->WPlanGrdDragDrop(list->ChooseLiBo, 0, 1);
    WPlanDlg->SetCurrentCell(0, 1);
    MainFrm->show();
    // As wide as a desktop's window: on the narrow offscreen screen the last menus would go
    // into the bar's overflow menu.
    MainFrm->resize(std::max(MainFrm->width(), 1280), MainFrm->height());
    MainFrm->activateWindow();
    (void)QTest::qWaitForWindowActive(MainFrm);
    walked.insert(NameOf(MainFrm));
    CheckControls(MainFrm);
    std::vector<QAction*> items;
    for (QAction* top : MainFrm->menuBar()->actions())
      if (top->menu()) CollectMenu(top->menu(), items);
    const size_t menuItems = items.size();
    for (QAction* a : MainFrm->MainToolBar->actions())
      if (!a->isSeparator() && !qobject_cast<QWidgetAction*>(a) && a->isVisible())
        items.push_back(a);
    for (size_t i = 0; i < items.size(); ++i) {
      QPointer<QAction> a = items[i];
      if (!a || !a->isVisible() || !a->isEnabled()) continue;
      if (kItemsNotToClick.count(a->objectName().toStdString()) ||
          a->property("bookItem").toBool())
        continue;
      Opening(
          [&] {
            if (i >= menuItems) {
              a->trigger();  // a tool bar button: its action, as the button's click gives it
              return;
            }
            test::ActivateForClick(MainFrm->menuBar());
            if (!test::ClickMenuItem(MainFrm->menuBar(), a))
              Fault(std::string(language) + ": the item " + NameOf(a) + " could not be clicked");
          },
          [&](QWidget* w, bool) { Visit(w, 1); });
      if (!MainFrm->isVisible()) MainFrm->show();
      CheckControls(MainFrm);
      PressEnterInFields(MainFrm);
    }
    // The main window's own buttons, in the recipe view and on each page of the editor.
    for (const char* view : {"ViewStd", "RezeptAendern", "NEditMnu", "QEditMnu", "ZEditMnu"}) {
      auto* item = MainFrm->findChild<QAction*>(QString::fromLatin1(view));
      if (!item || !item->isVisible() || !item->isEnabled()) continue;
      Opening(
          [&] {
            test::ActivateForClick(MainFrm->menuBar());
            if (!test::ClickMenuItem(MainFrm->menuBar(), item))
              Fault(std::string(language) + ": the item " + view + " could not be clicked");
          },
          [&](QWidget* w, bool) { Visit(w, 1); });
      CheckControls(MainFrm);
      OpenFromButtons(MainFrm, 0);
      PressEnterInFields(MainFrm);
    }
  }

  void MakeKitchen() {
    MakeBook({Dish("Pfannkuchen", 4, {Line("250", "g", "Mehl"), Line("3", "", "Eier")},
                   "Teig ruhen lassen, dünn ausbacken."),
              Dish("Linsensuppe", 4, {Line("300", "g", "Linsen")}, "Weich kochen.")});
  }
  void AddPerson() {
    ENPERSON walker;
    walker.name = "Wanda";
    ENApplogMod->AddPerson(walker);
    ENApplogMod->SwitchPerson("Wanda");
  }
  void Report() {
    std::string all;
    for (const std::string& f : faults) all += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults:" << all;
    // The walk got through: windows of each part of the program, from the menu, the tool bar,
    // a window's button and the editor's buttons.
    for (const char* w : {"ImportDlg", "ParaDlg", "GattDlg", "InpGattDlg", "EinheitenDlg",
                          "ZutatenDlg", "KBookDlg", "CoolDlg", "LexShowDlg", "LexInpDlg",
                          "BLSMainDlg", "NewFilterDlg", "ENViewDayDlg", "PersListDlg",
                          "WPBemDlg", "ThekeDlg", "ChooseZutatDlg", "InfoDlg"})
      EXPECT_TRUE(walked.count(w)) << w << " was not reached";
  }
};

TEST_F(WindowWalker, EveryControlOfEveryWindowIsWiredInGerman) {
  MakeKitchen();
  WalkProgram("DE");
  Report();
}

TEST_F(WindowWalker, EveryControlOfEveryWindowIsWiredInEnglish) {
  MakeKitchen();
  WalkProgram("EN");
  Report();
}

}  // namespace
}  // namespace tav
