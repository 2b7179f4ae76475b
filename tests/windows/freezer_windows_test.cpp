// The freezer window and the best-before window in the whole program: the picture's clicks and
// drops, the stored-foods table and its editor, the definition view, the usual-foods tree, the
// best-before check from the menu, at start and into the freezer window, and the files written
// when the windows close. Shots in both languages (TAVOLIN_SHOTS).
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <cmath>
#include <functional>
#include <memory>

#include "kitchen/freezer/freezer_records.h"
#include "kitchen/ui/best_before_dialog.h"
#include "kitchen/ui/freezer_dialog.h"
#include "kitchen/ui/freezer_picture.h"
#include "app/ui/options_dialog.h"
#include "recipes/ui/power_search_dialog.h"
#include "services/options_store.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

std::string FoodLineOf(int sd, int sm, int sy, int md, int mm, int my, bool opened,
                       const std::string& name, const std::string& amount) {
  CO_LMITTEL f;
  f.sinceDay = sd;
  f.sinceMonth = sm;
  f.sinceYear = sy;
  f.mhdDay = md;
  f.mhdMonth = mm;
  f.mhdYear = my;
  f.opened = opened;
  f.name = name;
  f.amount = amount;
  return FoodLine(f);
}

// Two freezers; today is 15 March 2026.
const std::string kBoxes =
    ">N#K\xFC"
    "chenschrank\r\n+Fleisch\r\n" +
    FoodLineOf(2, 1, 2026, 0, 4, 2026, false, "Rinderrouladen",
               "4 St\xFC"
               "ck") +
    "\r\n" + FoodLineOf(5, 2, 2026, 0, 0, 0, true, "Hackfleisch", "500 g") + "\r\n" +
    "+Gefl\xFC"
    "gel\r\n" +
    FoodLineOf(1, 12, 2025, 0, 12, 2025, false, "H\xE4hnchenschenkel",
               "4 St\xFC"
               "ck") +
    "\r\n+Fisch\r\n+Gem\xFC"
    "se\r\n" +
    FoodLineOf(3, 1, 2026, 0, 8, 2026, false, "Erbsen", "450 g") +
    "\r\n+Backwaren\r\n>U#Truhe im Keller\r\n+Brot\r\n" +
    FoodLineOf(10, 1, 2026, 31, 3, 2026, false, "Roggenbrot", "1 Laib") +
    "\r\n+Kuchen\r\n+Eis\r\n+Obst\r\n+Reste\r\n";

class FreezerWindows : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    SetFreezerClockForTest([] { return ClockDate{15, 3, 2026}; });
    MakeBook({test::Dish("Erbsensuppe", 4, {test::Line("450", "g", "Erbsen")}, "Kochen.")});
    for (const char* lang : {"DE", "EN"}) WriteAll(Boxes(lang), kBoxes);
  }
  void TearDown() override {
    KitchenProgram::TearDown();
    SetFreezerClockForTest({});
  }
  std::string Boxes(const char* lang = "DE") {
    return env.Root() + "Data/" + lang + "/CoolBoxes.dat";
  }
  std::string Types(const char* lang = "DE") {
    return env.Root() + "Data/" + lang + "/CoolTypes.dat";
  }

  // The freezer window opened from the main menu, as the user opens it.
  TCoolDlg* Open() {
    EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"FileMenu", "CoolMnu"}));
    EXPECT_TRUE(QTest::qWaitFor([] { return CoolDlg->isVisible(); }, 1000));
    QApplication::processEvents();
    return CoolDlg;
  }
  // An item of the freezer window's own menu bar, clicked in its opened menu.
  // (The bar's own menus are looked up on the bar: a menu action may also sit in the bar's
  // overflow menu.)
  static ::testing::AssertionResult MenuItem(QAction* item) {
    QMenuBar* bar = CoolDlg->MainMenu;
    for (QAction* top : bar->actions()) {
      QMenu* menu = top->menu();
      if (!menu || !menu->actions().contains(item)) continue;
      if (!item->isVisible() || !item->isEnabled())
        return ::testing::AssertionFailure() << fromQ(item->objectName()) << " cannot be clicked";
      test::ActivateForClick(bar);
      QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(top).center());
      if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000))
        return ::testing::AssertionFailure() << fromQ(top->text()) << " did not open";
      QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << fromQ(item->objectName()) << " is in no menu";
  }
  // A click on the picture at height y of the drawing.
  static void ClickPicture(int y) {
    FreezerPicture* picture = CoolDlg->PaintGraph;
    ASSERT_TRUE(test::Reachable(picture));
    test::ActivateForClick(picture);
    QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier,
                      QPoint(picture->width() / 2, static_cast<int>(std::ceil(y * picture->Scale()))));
  }
  // The compartment box's line that starts with `start` ("3:"), chosen in its list.
  static ::testing::AssertionResult ChooseCompartment(const std::string& start) {
    QComboBox* box = CoolDlg->FachChooseCoBo;
    for (int i = 0; i < box->count(); ++i)
      if (fromQ(box->itemText(i)).starts_with(start)) return test::ChooseInCombo(box, box->itemText(i));
    return ::testing::AssertionFailure() << "no compartment " << start;
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> out;
    for (int r = 0; r < CoolDlg->LMittelGrd->rowCount(); ++r) {
      const QTableWidgetItem* item = CoolDlg->LMittelGrd->item(r, column);
      out.push_back(item ? fromQ(item->text()) : std::string());
    }
    return out;
  }
  // The node of the usual food or group `name` in the tree, its parents opened.
  static QTreeWidgetItem* Node(const std::string& name) {
    for (QTreeWidgetItemIterator it(CoolDlg->TypeTree); *it; ++it) {
      const std::string text = fromQ((*it)->text(0));
      if (text != name && !text.starts_with(name + ", ")) continue;
      for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) p->setExpanded(true);
      return *it;
    }
    return nullptr;
  }
  static QPoint NodeAt(QTreeWidgetItem* node) {
    CoolDlg->TypeTree->scrollToItem(node);
    return CoolDlg->TypeTree->visualItemRect(node).center();
  }
  static void ClickNode(const std::string& name) {
    QTreeWidgetItem* node = Node(name);
    ASSERT_TRUE(node) << name;
    ASSERT_TRUE(test::Reachable(CoolDlg->TypeTree));
    test::ActivateForClick(CoolDlg->TypeTree);
    QTest::mouseClick(CoolDlg->TypeTree->viewport(), Qt::LeftButton, Qt::NoModifier, NodeAt(node));
  }
  static void DoubleClickNode(const std::string& name) {
    QTreeWidgetItem* node = Node(name);
    ASSERT_TRUE(node) << name;
    test::ActivateForClick(CoolDlg->TypeTree);
    test::DoubleClick(CoolDlg->TypeTree->viewport(), NodeAt(node));
  }
  // An item of the tree's pop-up menu, opened with a right click on the node (or on the empty
  // tree when there is none).
  static ::testing::AssertionResult TreeMenu(const std::string& name, const char* item) {
    QTreeWidgetItem* node = name.empty() ? nullptr : Node(name);
    if (!name.empty() && !node) return ::testing::AssertionFailure() << "no node " << name;
    return test::PopupItem(CoolDlg->TypeTree->viewport(), node ? NodeAt(node) : QPoint(30, 10),
                           CoolDlg->TreeMnu, item);
  }
  // The name typed over in the node's editor, opened by a menu item, and ended with Enter.
  static void TypeNodeName(const QString& name) {
    ASSERT_TRUE(QTest::qWaitFor([] { return CoolDlg->TypeTree->findChild<QLineEdit*>(); }, 1000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    test::TypeKeys(name);
    test::PressKey(Qt::Key_Return);
    QApplication::processEvents();
  }
  // An item of the table's pop-up menu, opened with a right click on the row.
  static ::testing::AssertionResult TableMenu(int row, const char* item) {
    QTableWidget* grid = CoolDlg->LMittelGrd;
    return test::PopupItem(grid->viewport(), test::CellCentre(grid, row, 2), CoolDlg->LMMnu, item);
  }
  // A field clicked, its text selected and typed over (an emptied count edit would read 1 at
  // once, as the user sees).
  static ::testing::AssertionResult TypeOver(QLineEdit* field, const QString& text) {
    ::testing::AssertionResult can = test::Click(field);
    if (!can) return can;
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(field, text);
    return can;
  }
  // A grid cell clicked, its text typed over and ended with Enter.
  static void TypeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
    ASSERT_TRUE(test::ClickCell(grid, row, column));
    QWidget* editor = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(editor) && grid->isAncestorOf(editor))
      QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    test::TypeKeys(text);
    test::PressKey(Qt::Key_Return);
    QApplication::processEvents();
  }
  const CO_SCHRANK& Freezer(int k) { return CoolDlg->Freezers()[k]; }
  std::string HelpOpened(size_t i) const {
    return i < env.shell.opened.size() ? env.shell.opened[i] : std::string();
  }
};

TEST_F(FreezerWindows, InventoryViewAndThePicturesClicks) {
  Start();
  TCoolDlg* d = Open();
  EXPECT_EQ(fromQ(d->windowTitle()), "Gefriergut-Verwaltung");
  ASSERT_EQ(d->Freezers().size(), 2u);
  EXPECT_EQ(d->SchrankCoBo->count(), 2);
  EXPECT_EQ(d->FachChooseCoBo->count(), 6);
  EXPECT_EQ(fromQ(d->FachChooseCoBo->itemText(0)),
            "Alle F\xE4"
            "cher");
  EXPECT_EQ(fromQ(d->FachChooseCoBo->itemText(2)), "2: Gefl\xFCgel");
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Rinderrouladen", "Hackfleisch"}));
  EXPECT_EQ(Column(4), (std::vector<std::string>{" ", "X"}));
  EXPECT_EQ(Column(5), (std::vector<std::string>{"04/2026", ""}));
  EXPECT_EQ(Column(6), (std::vector<std::string>{"02.01.2026", "05.02.2026"}));
  EXPECT_TRUE(d->InpLMittelPnl->isVisible());
  EXPECT_EQ(fromQ(d->LMNameEdt->text()), "Rinderrouladen");
  // April is one month ahead: orange with option 84 = 1; December 2025 is red.
  EXPECT_EQ(d->BestBeforeCellStatus(0, 0), 1);
  EXPECT_EQ(d->BestBeforeCellStatus(1, 0), 2);
  ctx().options->SetParaBool(82, false);
  EXPECT_EQ(d->BestBeforeCellStatus(1, 0), 0);
  ctx().options->SetParaBool(82, true);
  Shot(d, "freezer_inventory_DE");
  // A click on a row shows its food in the editor.
  ASSERT_TRUE(test::ClickCell(d->LMittelGrd, 1, 2));
  EXPECT_EQ(fromQ(d->LMNameEdt->text()), "Hackfleisch");
  EXPECT_TRUE(d->LMAngebChk->isChecked());

  // The picture is drawn at its own size here, so its heights are the drawing's.
  ASSERT_EQ(d->PaintGraph->Scale(), 1.0);
  // y 63 is the top: every compartment; y 64 compartment 0; below the last one all again.
  ClickPicture(63);
  EXPECT_TRUE(d->AllFaecher);
  EXPECT_EQ(d->FachChooseCoBo->currentIndex(), 0);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Rinderrouladen", "Hackfleisch",
                                                 "H\xE4hnchenschenkel", "Erbsen"}));
  EXPECT_EQ(Column(0)[2], "2: Gefl\xFCgel");
  ASSERT_TRUE(test::ClickCell(d->LMittelGrd, 3, 2));
  EXPECT_EQ(fromQ(d->LMNameEdt->text()), "Erbsen");
  ClickPicture(64 + 48 * 3 + 10);
  EXPECT_FALSE(d->AllFaecher);
  EXPECT_EQ(d->CurFach, 3);
  EXPECT_EQ(d->FachChooseCoBo->currentIndex(), 4);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Erbsen"}));
  ClickPicture(64);
  EXPECT_EQ(d->CurFach, 0);
  ClickPicture(64 + 48 * 5);
  EXPECT_TRUE(d->AllFaecher);

  // Another freezer keeps the all-compartments mode; numbered from the bottom, the top
  // compartment has number 5 and index 0.
  ASSERT_TRUE(test::ChooseInCombo(d->SchrankCoBo, QStringLiteral("Truhe im Keller")));
  EXPECT_EQ(d->CurFreezer, 1);
  EXPECT_TRUE(d->AllFaecher);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"5: Brot"}));
  ClickPicture(70);
  EXPECT_EQ(d->CurFach, 0);
  EXPECT_EQ(fromQ(d->FachChooseCoBo->itemText(1)), "5: Brot");
  EXPECT_EQ(Column(5), (std::vector<std::string>{"31.03.2026"}));
  // An empty compartment chosen in the box: one empty row, no editor.
  ASSERT_TRUE(ChooseCompartment("3:"));
  EXPECT_EQ(d->CurFach, 2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{""}));
  EXPECT_FALSE(d->InpLMittelPnl->isVisible());
  EXPECT_FALSE(d->MoveTypeBtn->isVisible());
  // All compartments again through the box.
  ASSERT_TRUE(test::ChooseInCombo(d->FachChooseCoBo, d->FachChooseCoBo->itemText(0)));
  EXPECT_TRUE(d->AllFaecher);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Roggenbrot"}));
  d->close();
}

TEST_F(FreezerWindows, StoringEditingCopyingAndDeletingFoods) {
  Start();
  TCoolDlg* d = Open();
  // "Neue Einlagerung" in an empty compartment.
  ASSERT_TRUE(ChooseCompartment("3:"));
  ASSERT_TRUE(test::Click(d->NewLMittelBtn));
  const auto& fish = Freezer(0).faecher[2].foods;
  ASSERT_EQ(fish.size(), 1u);
  EXPECT_EQ(fish[0].name, "<Neues Lebensmittel>");
  EXPECT_EQ(fish[0].amount, "??? g");
  EXPECT_EQ(fish[0].sinceDay, 15);
  EXPECT_EQ(fish[0].sinceMonth, 3);
  EXPECT_EQ(fish[0].sinceYear, 2026);
  EXPECT_TRUE(d->InpLMittelPnl->isVisible());
  EXPECT_EQ(Column(6), (std::vector<std::string>{"15.03.2026"}));
  EXPECT_EQ(QApplication::focusWidget(), d->LMNameEdt);

  // Every change typed goes through to the food and its row.
  EXPECT_TRUE(test::TypeInto(d->LMNameEdt, QStringLiteral("Lachsfilet")));
  EXPECT_TRUE(test::TypeInto(d->LMMengeEdt, toQ("2 St\xFC"
                                                 "ck")));
  EXPECT_TRUE(test::Click(d->LMAngebChk));
  EXPECT_TRUE(test::TypeInto(d->LMMHDEdt, QStringLiteral("7.2027")));
  EXPECT_EQ(fish[0].name, "Lachsfilet");
  EXPECT_EQ(fish[0].amount, "2 St\xFC"
                            "ck");
  EXPECT_TRUE(fish[0].opened);
  EXPECT_EQ(fish[0].mhdDay, 0);
  EXPECT_EQ(fish[0].mhdMonth, 7);
  EXPECT_EQ(fish[0].mhdYear, 2027);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Lachsfilet"}));
  EXPECT_EQ(Column(4), (std::vector<std::string>{"X"}));
  EXPECT_EQ(Column(5), (std::vector<std::string>{"07/2027"}));
  EXPECT_TRUE(test::TypeInto(d->LMMHDEdt, QStringLiteral("15")));
  EXPECT_EQ(fish[0].mhdMonth, 0);
  EXPECT_EQ(Column(5), (std::vector<std::string>{""}));
  // A day beyond 31 fits no column of the file.
  EXPECT_TRUE(test::TypeInto(d->LMMHDEdt, QStringLiteral("45.7.2027")));
  EXPECT_EQ(fish[0].mhdDay, 0);
  EXPECT_EQ(fish[0].mhdMonth, 7);
  // A "~" is refused in the name.
  EXPECT_TRUE(test::TypeInto(d->LMNameEdt, QStringLiteral("Lachs~filet")));
  EXPECT_EQ(fish[0].name, "Lachsfilet");
  // "O" puts today into the stored date.
  EXPECT_TRUE(test::TypeInto(d->LMSinceEdt, QStringLiteral("1.1.2026")));
  EXPECT_EQ(fish[0].sinceDay, 1);
  EXPECT_TRUE(test::Click(d->LMSinceBtn));
  EXPECT_EQ(fromQ(d->LMSinceEdt->text()), "15.3.2026");
  EXPECT_EQ(fish[0].sinceDay, 15);
  EXPECT_EQ(fish[0].sinceMonth, 3);

  // Copy the second of three: the copy is third, not opened, its dates kept.
  ASSERT_TRUE(ChooseCompartment("1:"));
  ASSERT_TRUE(test::Click(d->NewLMittelBtn));
  auto& meat = CoolDlg->Freezers()[0].faecher[0].foods;
  ASSERT_EQ(meat.size(), 3u);
  ASSERT_TRUE(test::ClickCell(d->LMittelGrd, 1, 2));
  ASSERT_TRUE(test::Click(d->LMCopyBtn));
  ASSERT_EQ(meat.size(), 4u);
  EXPECT_EQ(meat[2].name, "Hackfleisch");
  EXPECT_FALSE(meat[2].opened);
  EXPECT_EQ(meat[2].sinceDay, 5);
  EXPECT_EQ(d->LMittelGrd->currentRow(), 2);
  // Deleting the last food selects the one before it; deleting the only one hides the editor.
  ASSERT_TRUE(test::ClickCell(d->LMittelGrd, 3, 2));
  ASSERT_TRUE(test::Click(d->DelLMittelBtn));
  EXPECT_EQ(meat.size(), 3u);
  EXPECT_EQ(d->LMittelGrd->currentRow(), 2);
  ASSERT_TRUE(ChooseCompartment("3:"));
  ASSERT_TRUE(test::Click(d->DelLMittelBtn));
  EXPECT_TRUE(Freezer(0).faecher[2].foods.empty());
  EXPECT_FALSE(d->InpLMittelPnl->isVisible());
  ASSERT_TRUE(test::Click(d->DelLMittelBtn));  // nothing left: nothing happens
  EXPECT_TRUE(Freezer(0).faecher[2].foods.empty());
  // All compartments: a new food goes into the compartment of the selected row.
  ClickPicture(10);
  ASSERT_TRUE(test::ClickCell(d->LMittelGrd, 4, 2));
  ASSERT_TRUE(test::Click(d->NewLMittelBtn));
  EXPECT_EQ(Freezer(0).faecher[3].foods.size(), 2u);

  // "Gefriergut-Verwaltung schließen" saves both files.
  ASSERT_TRUE(MenuItem(d->ExitMnu));
  EXPECT_FALSE(d->isVisible());
  const std::string saved = ReadAll(Boxes());
  EXPECT_NE(saved.find("+Gem\xFC"
                       "se\r\n~0301202600082026 ~Erbsen~450 g\r\n~1503202600000000 "
                       "~<Neues Lebensmittel>~??? g\r\n"),
            std::string::npos)
      << saved;
  EXPECT_EQ(ReadAll(Types()),
            ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/CoolTypes.dat"));
}

// The table's pop-up menu acts on the row it is opened on: new, copy and delete as the buttons.
TEST_F(FreezerWindows, TheTablesMenuStoresCopiesAndDeletesTheRowItIsOpenedOn) {
  Start();
  TCoolDlg* d = Open();
  const auto& meat = Freezer(0).faecher[0].foods;
  ASSERT_EQ(meat.size(), 2u);
  ASSERT_TRUE(TableMenu(1, "CopyLMMnu"));
  ASSERT_EQ(meat.size(), 3u);
  EXPECT_EQ(meat[2].name, "Hackfleisch");
  EXPECT_EQ(d->LMittelGrd->currentRow(), 2);
  ASSERT_TRUE(TableMenu(0, "DelLMMnu"));
  ASSERT_EQ(meat.size(), 2u);
  EXPECT_EQ(meat[0].name, "Hackfleisch");
  ASSERT_TRUE(TableMenu(0, "NewLMMnu"));
  ASSERT_EQ(meat.size(), 3u);
  EXPECT_EQ(meat[2].name, "<Neues Lebensmittel>");
  EXPECT_EQ(fromQ(d->LMNameEdt->text()), "<Neues Lebensmittel>");
  d->close();
}

// A recipe search for the food in the editor, from the window's menu and from the table's: the
// window closes (and saves), the search window opens with the food's name as its text.
TEST_F(FreezerWindows, ARecipeSearchForTheFoodFromBothMenus) {
  Start();
  for (const bool fromTable : {false, true}) {
    SCOPED_TRACE(fromTable);
    TCoolDlg* d = Open();
    ASSERT_TRUE(test::ClickCell(d->LMittelGrd, 1, 2));
    std::string searched;
    bool freezerShown = true;
    EXPECT_TRUE(WhileModal(
        [&] {
          searched = fromQ(PSearchDlg->TextEdt->text());
          freezerShown = CoolDlg->isVisible();
        },
        [&] {
          if (fromTable)
            EXPECT_TRUE(TableMenu(1, "SearchLMMnu"));
          else
            EXPECT_TRUE(MenuItem(d->StartSearchMnu));
        }));
    EXPECT_EQ(searched, "Hackfleisch");
    EXPECT_FALSE(freezerShown);
  }
}

// The options menu opens the options window on the freezer's page; both help buttons open the
// freezer's help page.
TEST_F(FreezerWindows, OptionsAndHelp) {
  Start();
  TCoolDlg* d = Open();
  std::string page;
  EXPECT_TRUE(WhileModal([&] { page = fromQ(ParaDlg->ParamSheet->currentWidget()->objectName()); },
                         [&] { EXPECT_TRUE(MenuItem(d->ShowOptionsMnu)); }));
  EXPECT_EQ(page, "CoolPnl");
  env.shell.opened.clear();
  ASSERT_TRUE(test::Click(d->EditHelpBtn));
  ASSERT_TRUE(MenuItem(d->DefSchrankMnu));
  ASSERT_TRUE(test::Click(d->DefHelpBtn));
  ASSERT_EQ(env.shell.opened.size(), 2u);
  for (size_t i = 0; i < 2; ++i) EXPECT_TRUE(HelpOpened(i).ends_with("/Help/Dlg_Cooler.htm")) << HelpOpened(i);
  ASSERT_TRUE(test::Click(d->EditCancelBtn));
  d->close();
}

// What a drag from the usual-foods tree hands to the widget under the mouse: enter, moves,
// and the drop when `letGo`. Returns whether the last event was accepted.
bool DragOver(QWidget* target, const QMimeData* data, const std::vector<QPoint>& path,
              bool letGo) {
  bool accepted = false;
  for (size_t i = 0; i < path.size(); ++i) {
    const QEvent::Type type = i == 0 ? QEvent::DragEnter
                              : i + 1 == path.size() && letGo ? QEvent::Drop
                                                              : QEvent::DragMove;
    if (type == QEvent::DragEnter) {
      QDragEnterEvent e(path[i], Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(target, &e);
      accepted = e.isAccepted();
      if (!accepted) return false;  // a refused enter ends the drag over this widget
    } else if (type == QEvent::DragMove) {
      QDragMoveEvent e(path[i], Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                       Qt::NoModifier);
      QApplication::sendEvent(target, &e);
      accepted = e.isAccepted();
    } else {
      QDropEvent e(path[i], Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                   Qt::NoModifier);
      QApplication::sendEvent(target, &e);
      accepted = e.isAccepted();
    }
  }
  return accepted;
}

// What the tree hands to a drag of its selected node.
std::unique_ptr<QMimeData> DragData(QTreeWidget* tree) {
  return std::unique_ptr<QMimeData>(
      tree->model()->mimeData(tree->selectionModel()->selectedIndexes()));
}

// A freezer of fourteen compartments: the picture shows all of them, and a food dragged up
// from the tree, entering the picture below the compartments, lands in the one it is let go
// over; let go beside the compartments it is not taken.
TEST_F(FreezerWindows, AUsualFoodDraggedIntoTheLowestOfManyCompartments) {
  std::string boxes = ">N#Gro\xDF" "e Truhe\r\n";
  for (int i = 1; i <= 14; ++i) boxes += "+Fach " + std::to_string(i) + "\r\n";
  WriteAll(Boxes(), boxes);
  Start();
  TCoolDlg* d = Open();
  d->resize(900, 600);
  QApplication::processEvents();
  ASSERT_EQ(Freezer(0).count, 14);
  FreezerPicture* picture = d->PaintGraph;
  // Every compartment lies inside the picture.
  EXPECT_LE(FreezerHeight(*d) * picture->Scale(), picture->height() + 1.0);
  Shot(d, "freezer_many_compartments_DE");

  // The user picks "Erbsen" in the tree with the mouse and drags it.
  const auto& types = d->FoodTypes();
  ClickNode("Erbsen");
  ASSERT_GE(d->SelectedFoodType(), 0);
  ASSERT_EQ(types[d->SelectedFoodType()].name, "Erbsen");
  test::StartDragWithMouse(d->TypeTree->viewport(), NodeAt(Node("Erbsen")));
  std::unique_ptr<QMimeData> data = DragData(d->TypeTree);

  auto at = [&](double pictureY) {
    return QPoint(picture->width() / 2, static_cast<int>(pictureY * picture->Scale()));
  };
  const double lowest = 64 + 48 * 13 + 24;  // the middle of compartment 14
  const int below = picture->height() - 2;  // under the freezer's bottom
  // Let go under the freezer: entered, but not taken.
  EXPECT_FALSE(DragOver(picture, data.get(), {QPoint(picture->width() / 2, below),
                                              QPoint(picture->width() / 2, below - 1)},
                        true));
  EXPECT_TRUE(Freezer(0).faecher[13].foods.empty());
  // Entered below the compartments, moved up onto the lowest one and let go there.
  EXPECT_TRUE(DragOver(picture, data.get(),
                       {QPoint(picture->width() / 2, below), at(lowest + 10), at(lowest)}, true));
  ASSERT_EQ(Freezer(0).faecher[13].foods.size(), 1u);
  EXPECT_EQ(Freezer(0).faecher[13].foods[0].name, "Erbsen");
  EXPECT_EQ(d->CurFach, 13);
  // The same drag entering above the compartments reaches the first one.
  EXPECT_TRUE(DragOver(picture, data.get(), {at(20), at(64 + 24)}, true));
  ASSERT_EQ(Freezer(0).faecher[0].foods.size(), 1u);
  // The table takes it too, wherever it is let go.
  QWidget* table = d->LMittelGrd->viewport();
  EXPECT_TRUE(DragOver(table, data.get(), {QPoint(5, 5), QPoint(20, 20)}, true));
  EXPECT_EQ(Freezer(0).faecher[0].foods.size(), 2u);
  // A group is refused on entering.
  ClickNode("Gem\xFC" "se");
  std::unique_ptr<QMimeData> group = DragData(d->TypeTree);
  EXPECT_FALSE(DragOver(picture, group.get(), {at(lowest)}, false));
  Shot(d, "freezer_dropped_into_lowest_DE");
}

TEST_F(FreezerWindows, UsualFoodsDroppedDoubleClickedAndTakenIn) {
  Start();
  TCoolDlg* d = Open();
  ASSERT_FALSE(d->FoodTypes().empty());
  EXPECT_GT(d->TypeTree->topLevelItemCount(), 3);
  // "Baum komplett aufklappen" opens every group.
  ASSERT_TRUE(TreeMenu("Fisch", "OpenAllMnu"));
  for (int i = 0; i < d->TypeTree->topLevelItemCount(); ++i)
    EXPECT_TRUE(d->TypeTree->topLevelItem(i)->isExpanded()) << i;
  Shot(d->TypeTree->parentWidget(), "freezer_usual_foods_DE");
  // Dropping a usual food on compartment 3 while the table shows compartment 1.
  ClickNode("Erbsen");
  test::StartDragWithMouse(d->TypeTree->viewport(), NodeAt(Node("Erbsen")));
  EXPECT_TRUE(d->CanDropFoodType());
  EXPECT_EQ(d->DropCompartment(63), -1);
  EXPECT_EQ(d->DropCompartment(64 + 48 * 5), -1);
  std::unique_ptr<QMimeData> peas = DragData(d->TypeTree);
  FreezerPicture* picture = d->PaintGraph;
  const QPoint third3(picture->width() / 2, 64 + 48 * 2 + 5);
  EXPECT_TRUE(DragOver(picture, peas.get(), {third3 - QPoint(0, 48), third3}, true));
  const auto& third = Freezer(0).faecher[2].foods;
  ASSERT_EQ(third.size(), 1u);
  EXPECT_EQ(third[0].name, "Erbsen");
  EXPECT_EQ(third[0].amount, "450 g");
  EXPECT_EQ(third[0].mhdMonth, 0);
  EXPECT_EQ(third[0].sinceDay, 15);
  EXPECT_EQ(third[0].sinceMonth, 3);
  EXPECT_EQ(d->CurFach, 2);
  EXPECT_EQ(d->FachChooseCoBo->currentIndex(), 3);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Erbsen"}));
  EXPECT_EQ(fromQ(d->LMNameEdt->text()), "Erbsen");
  EXPECT_EQ(QApplication::focusWidget(), d->LMMHDEdt);
  // A group is not dropped; a double click on a group does nothing, on a food stores it.
  ClickNode("Gem\xFC" "se");
  EXPECT_FALSE(d->CanDropFoodType());
  std::unique_ptr<QMimeData> vegetables = DragData(d->TypeTree);
  EXPECT_FALSE(DragOver(picture, vegetables.get(), {third3}, true));
  DoubleClickNode("Gem\xFC" "se");
  EXPECT_EQ(third.size(), 1u);
  DoubleClickNode("Blattspinat");
  ASSERT_EQ(third.size(), 2u);
  EXPECT_EQ(third[1].name, "Blattspinat");
  EXPECT_EQ(QApplication::focusWidget(), d->LMMHDEdt);
  // "Lebensmittel im Gefrierfach aufnehmen" from the pop-up menu of a food.
  ASSERT_TRUE(TreeMenu("Brokkoli", "AddGutMnu"));
  EXPECT_FALSE(d->NewChildNode->isVisible());  // the menu of a food holds no group items
  ASSERT_EQ(third.size(), 3u);
  EXPECT_EQ(third[2].name, "Brokkoli");
  EXPECT_EQ(third[2].amount, "400 g");

  // "&>>" puts the editor's food first into the group of the chosen food.
  EXPECT_TRUE(test::TypeInto(d->LMNameEdt, QStringLiteral("Zuckerschoten")));
  EXPECT_TRUE(test::TypeInto(d->LMMengeEdt, QStringLiteral("300 g")));
  ClickNode("Erbsen");
  ASSERT_TRUE(test::Click(d->MoveTypeBtn));
  const int group = d->SelectedFoodType();
  ASSERT_GE(group, 1);
  EXPECT_EQ(d->FoodTypes()[group].name, "Zuckerschoten");
  EXPECT_EQ(d->FoodTypes()[group - 1].name,
            "Gem\xFC"
            "se");
  EXPECT_EQ(fromQ(d->TypeTree->currentItem()->text(0)), "Zuckerschoten, 300 g");
  // "Aktuelles Lebensmittel aufnehmen" on a group does the same.
  EXPECT_TRUE(test::TypeInto(d->LMNameEdt, QStringLiteral("Edamame")));
  ASSERT_TRUE(TreeMenu("Fisch", "AddMnu"));
  ASSERT_EQ(fromQ(d->TypeTree->currentItem()->text(0)), "Edamame, 300 g");
  EXPECT_EQ(fromQ(d->TypeTree->currentItem()->parent()->text(0)), "Fisch");
  // "Lebensmittel aus dieser Auswahl entfernen" takes it off again.
  ASSERT_TRUE(TreeMenu("Edamame", "DelTypeMnu"));
  EXPECT_EQ(Node("Edamame"), nullptr);
  // Renaming a food edits its name only, not the amount shown beside it.
  ClickNode("Zuckerschoten");
  d->RenameMnuClick();  // the menu offers renaming for groups only: the rule behind it
  EXPECT_EQ(fromQ(d->TypeTree->currentItem()->text(0)), "Zuckerschoten");
  TypeNodeName(QStringLiteral("Zucker~erbsen"));
  EXPECT_EQ(d->FoodTypes()[group].name, "Zuckererbsen");
  EXPECT_EQ(d->FoodTypes()[group].text, "300 g");
  EXPECT_EQ(fromQ(d->TypeTree->currentItem()->text(0)), "Zuckererbsen, 300 g");
  d->close();
  EXPECT_NE(ReadAll(Types()).find("+0#Gem\xFC"
                                  "se\r\n~1#Zuckererbsen~300 g\r\n~1#Erbsen~450 g\r\n"),
            std::string::npos);
}

// Groups are made, named and deleted with the tree's pop-up menu, on an empty list too.
TEST_F(FreezerWindows, AnEmptyUsualFoodsListGetsAFirstGroup) {
  WriteAll(Types(), "");
  Start();
  TCoolDlg* d = Open();
  ASSERT_TRUE(d->FoodTypes().empty());
  // A right click on the empty tree makes a first group and offers the group's items.
  ASSERT_TRUE(TreeMenu("", "NewChildNode"));
  ASSERT_EQ(d->FoodTypes().size(), 2u);
  EXPECT_EQ(d->FoodTypes()[0].name, "<Neue Gruppe>");
  EXPECT_TRUE(d->FoodTypes()[0].group);
  EXPECT_FALSE(d->AddGutMnu->isVisible());
  // The child's name is typed at once.
  TypeNodeName(QStringLiteral("Wild"));
  EXPECT_EQ(d->FoodTypes()[1].name, "Wild");
  EXPECT_EQ(d->FoodTypes()[1].level, 1);
  // A sibling of the child, then the first group renamed.
  ASSERT_TRUE(TreeMenu("Wild", "NewNodeMnu"));
  ASSERT_EQ(d->FoodTypes().size(), 3u);
  EXPECT_EQ(d->FoodTypes()[2].level, 1);
  test::PressKey(Qt::Key_Escape);  // the new name left as it is
  ASSERT_TRUE(TreeMenu("<Neue Gruppe>", "RenameMnu"));
  TypeNodeName(QStringLiteral("Fleisch"));
  EXPECT_EQ(d->FoodTypes()[0].name, "Fleisch");
  // "Knoten löschen" on the first group takes everything under it.
  ASSERT_TRUE(TreeMenu("Fleisch", "DelMnu"));
  EXPECT_TRUE(d->FoodTypes().empty());
  EXPECT_EQ(d->TypeTree->topLevelItemCount(), 0);
  d->close();
}

TEST_F(FreezerWindows, DefinitionView) {
  Start();
  TCoolDlg* d = Open();
  ASSERT_TRUE(MenuItem(d->DefSchrankMnu));
  EXPECT_TRUE(d->TruhenPnl->isVisible());
  EXPECT_FALSE(d->WorkPnl->isVisible());
  EXPECT_TRUE(d->SchrankNameTxt->isVisible());
  EXPECT_EQ(d->SchraenkeGrd->rowCount(), 2);
  EXPECT_EQ(fromQ(d->SchraenkeGrd->item(0, 1)->text()),
            "5 F\xE4"
            "cher");
  EXPECT_EQ(d->FaecherGrd->rowCount(), 5);
  Shot(d, "freezer_definition_DE");

  // A compartment clicked in the table is the picture's current one.
  ASSERT_TRUE(test::ClickCell(d->FaecherGrd, 2, 0));
  EXPECT_EQ(d->CurFach, 2);
  // The count typed: 30 becomes 25, nothing becomes 1.
  EXPECT_TRUE(TypeOver(d->SchrankfachAnzEdt, QStringLiteral("30")));
  EXPECT_EQ(Freezer(0).count, 25);
  EXPECT_EQ(fromQ(d->SchrankfachAnzEdt->text()), "25");
  EXPECT_EQ(d->FaecherGrd->rowCount(), 25);
  EXPECT_TRUE(test::TypeInto(d->SchrankfachAnzEdt, QString()));
  EXPECT_EQ(Freezer(0).count, 1);
  EXPECT_EQ(fromQ(d->SchrankfachAnzEdt->text()), "1");
  // In the definition view a click below the last compartment selects the last.
  ClickPicture(400);
  EXPECT_EQ(d->CurFach, 0);

  // OK would drop the foods of compartments 2 to 5: asked first; No stays.
  env.messages.answers = {IDNO};
  ASSERT_TRUE(test::Click(d->EditOKBtn));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], GetLangText(1031));
  EXPECT_TRUE(d->TruhenPnl->isVisible());
  EXPECT_EQ(ReadAll(Boxes()), kBoxes);
  // A compartment's name typed into its cell; Cancel brings back the saved freezers, foods
  // included.
  TypeIntoCell(d->FaecherGrd, 0, 1, QStringLiteral("Rind"));
  EXPECT_EQ(Freezer(0).faecher[0].name, "Rind");
  ASSERT_TRUE(test::Click(d->EditCancelBtn));
  EXPECT_FALSE(d->TruhenPnl->isVisible());
  EXPECT_EQ(Freezer(0).count, 5);
  EXPECT_EQ(Freezer(0).faecher[0].name, "Fleisch");
  EXPECT_EQ(Freezer(0).faecher[1].foods.size(), 1u);

  // A new freezer, numbered from the bottom, then deleted again.
  ASSERT_TRUE(MenuItem(d->DefSchrankMnu));
  ASSERT_TRUE(test::Click(d->NewSchrankBtn));
  ASSERT_EQ(d->SchraenkeGrd->rowCount(), 3);
  EXPECT_EQ(d->CurFreezer, 2);
  EXPECT_EQ(fromQ(d->SchraenkeGrd->item(2, 0)->text()), "<Neuer Gefrierschrank>");
  EXPECT_EQ(fromQ(d->SchranknameEdt->text()), "<Neuer Gefrierschrank>");
  EXPECT_EQ(QApplication::focusWidget(), d->SchranknameEdt);
  EXPECT_EQ(fromQ(d->FaecherGrd->item(4, 1)->text()), "Backwaren");
  ASSERT_TRUE(test::Click(d->FaecherSortChk));
  EXPECT_EQ(fromQ(d->FaecherGrd->item(0, 0)->text()), "5");
  EXPECT_EQ(fromQ(d->FaecherGrd->item(4, 0)->text()), "1");
  EXPECT_TRUE(test::TypeInto(d->SchranknameEdt, QStringLiteral("Truhe")));
  EXPECT_EQ(fromQ(d->SchraenkeGrd->item(2, 0)->text()), "Truhe");
  EXPECT_EQ(fromQ(d->SchrankNameTxt->text()), "Truhe");
  // Deleting the middle one of three makes the former third current.
  ASSERT_TRUE(test::ClickCell(d->SchraenkeGrd, 1, 0));
  EXPECT_EQ(d->CurFreezer, 1);
  EXPECT_EQ(fromQ(d->SchranknameEdt->text()), "Truhe im Keller");
  env.messages.answers = {IDNO, IDYES};
  ASSERT_TRUE(test::Click(d->DelSchrankBtn));
  EXPECT_EQ(d->Freezers().size(), 3u);
  ASSERT_TRUE(test::Click(d->DelSchrankBtn));
  ASSERT_EQ(d->Freezers().size(), 2u);
  EXPECT_EQ(d->CurFreezer, 1);
  EXPECT_EQ(Freezer(1).name, "Truhe");
  ASSERT_TRUE(test::Click(d->DelSchrankBtn));  // the default answer of the fake is OK, which is no Yes
  EXPECT_EQ(d->Freezers().size(), 2u);
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::Click(d->DelSchrankBtn));
  ASSERT_EQ(d->Freezers().size(), 1u);
  env.messages.shown.clear();
  ASSERT_TRUE(test::Click(d->DelSchrankBtn));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], GetLangText(718));
  ASSERT_TRUE(test::Click(d->EditOKBtn));
  EXPECT_FALSE(d->TruhenPnl->isVisible());
  EXPECT_EQ(d->SchrankCoBo->count(), 1);
  EXPECT_EQ(ReadAll(Boxes()).find("Truhe im Keller"), std::string::npos);
  d->close();
}

// Enter ends an edit of the freezer window and does nothing else, except in the definition
// view, whose OK is the default button; a compartment name's cell takes its own Enter.
TEST_F(FreezerWindows, EnterEndsAnEditAndPressesOnlyTheDefinitionsOK) {
  Start();
  TCoolDlg* d = Open();
  const auto& meat = Freezer(0).faecher[0].foods;
  const auto noDefault = [d] {
    for (QPushButton* b : d->findChildren<QPushButton*>())
      if (b->isDefault() || b->autoDefault())
        ADD_FAILURE() << fromQ(b->objectName()) << " answers Enter in the inventory view";
  };
  noDefault();
  struct Field {
    QLineEdit* edit;
    const char* typed;
  };
  const Field fields[] = {{d->LMNameEdt, "Rouladen"},
                          {d->LMMengeEdt, "6 Stk"},
                          {d->LMMHDEdt, "5.2026"},
                          {d->LMSinceEdt, "3.1.2026"}};
  for (const Field& f : fields) {
    SCOPED_TRACE(fromQ(f.edit->objectName()));
    EXPECT_TRUE(test::TypeInto(f.edit, QString::fromLatin1(f.typed)));
    EXPECT_FALSE(WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(meat.size(), 2u);
    EXPECT_EQ(fromQ(f.edit->text()), f.typed);
  }
  EXPECT_EQ(meat[0].name, "Rouladen");
  EXPECT_EQ(meat[0].amount, "6 Stk");
  EXPECT_EQ(meat[0].mhdMonth, 5);
  EXPECT_EQ(meat[0].sinceDay, 3);
  // The table and the tree: Enter stores nothing.
  ASSERT_TRUE(test::ClickCell(d->LMittelGrd, 1, 2));
  test::PressKey(Qt::Key_Return);
  ClickNode("Erbsen");
  test::PressKey(Qt::Key_Return);
  EXPECT_EQ(meat.size(), 2u);
  EXPECT_TRUE(Freezer(0).faecher[3].foods.size() == 1u);
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(ReadAll(Boxes()), kBoxes);

  // The definition view: a compartment's name ends with Enter and the view stays ...
  ASSERT_TRUE(MenuItem(d->DefSchrankMnu));
  EXPECT_TRUE(d->EditOKBtn->isDefault());
  TypeIntoCell(d->FaecherGrd, 1, 1, QStringLiteral("Huhn"));
  EXPECT_EQ(Freezer(0).faecher[1].name, "Huhn");
  EXPECT_TRUE(d->TruhenPnl->isVisible());
  ASSERT_TRUE(test::ClickCell(d->FaecherGrd, 1, 0));  // the row's number: no edit begins
  test::PressKey(Qt::Key_Return);
  EXPECT_TRUE(d->TruhenPnl->isVisible());
  EXPECT_EQ(ReadAll(Boxes()), kBoxes);
  // ... while Enter in the name confirms the view as OK does.
  EXPECT_TRUE(test::TypeInto(d->SchranknameEdt, QStringLiteral("Vorrat")));
  test::PressKey(Qt::Key_Return);
  EXPECT_FALSE(d->TruhenPnl->isVisible());
  EXPECT_TRUE(d->isVisible());
  const std::string saved = ReadAll(Boxes());
  EXPECT_EQ(saved.find(">N#Vorrat\r\n"), 0u) << saved;
  EXPECT_NE(saved.find("\r\n+Huhn\r\n"), std::string::npos) << saved;
  noDefault();
  d->close();
}

// Keys as the keyboard gives them to a widget.
void PressKey(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent e(type, key, modifiers);
    QApplication::sendEvent(w, &e);
  }
}

class FreezerDefinition : public FreezerWindows {
 protected:
  // The freezer window in its definition view, reached through its menu.
  TCoolDlg* Define() {
    TCoolDlg* d = Open();
    EXPECT_TRUE(MenuItem(d->DefSchrankMnu));
    EXPECT_TRUE(d->TruhenPnl->isVisible());
    return d;
  }
  // The freezers a fresh read of the file gives.
  std::vector<CO_SCHRANK> OnDisk() {
    FreezerInventory again;
    again.folder = env.Root() + "Data/DE/";
    again.LoadFreezers();
    return again.freezers;
  }
  // Lowers the count of the first freezer from 5 to 1 by typing: the poultry (chicken legs) and
  // the vegetables (peas) fall out of use.
  void LowerCount(TCoolDlg* d) {
    ASSERT_TRUE(test::ClickCell(d->SchraenkeGrd, 0, 0));
    ASSERT_TRUE(TypeOver(d->SchrankfachAnzEdt, QStringLiteral("1")));
    ASSERT_EQ(Freezer(0).count, 1);
  }
};

TEST_F(FreezerDefinition, AClearedNameIsRefusedAndTheFreezerNeverJoinsAnother) {
  Start();
  TCoolDlg* d = Define();
  ASSERT_TRUE(test::ClickCell(d->SchraenkeGrd, 1, 0));
  ASSERT_EQ(d->CurFreezer, 1);
  ASSERT_TRUE(test::TypeInto(d->SchranknameEdt, QString()));
  ASSERT_EQ(Freezer(1).name, "");
  // OK says why and stays; nothing is written.
  ASSERT_TRUE(test::Click(d->EditOKBtn));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], GetLangText(1022));
  EXPECT_TRUE(d->TruhenPnl->isVisible());
  EXPECT_EQ(d->CurFreezer, 1);
  EXPECT_EQ(ReadAll(Boxes()), kBoxes);
  // Closed by its title bar with the name still empty: the cellar freezer keeps its
  // compartments and the bread, under the name a new freezer gets.
  d->close();
  EXPECT_FALSE(d->isVisible());
  const std::vector<CO_SCHRANK> f = OnDisk();
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].name,
            "K\xFC"
            "chenschrank");
  EXPECT_EQ(f[0].count, 5);
  EXPECT_EQ(f[1].name, kDefaultFreezerName);
  EXPECT_EQ(f[1].count, 5);
  EXPECT_TRUE(f[1].fromBottom);
  ASSERT_EQ(f[1].faecher[0].foods.size(), 1u);
  EXPECT_EQ(f[1].faecher[0].foods[0].name, "Roggenbrot");
  // A name typed in passes OK.
  d = Define();
  ASSERT_TRUE(test::ClickCell(d->SchraenkeGrd, 1, 0));
  ASSERT_TRUE(test::TypeInto(d->SchranknameEdt, QStringLiteral("Keller")));
  env.messages.shown.clear();
  ASSERT_TRUE(test::Click(d->EditOKBtn));
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(d->TruhenPnl->isVisible());
  EXPECT_EQ(OnDisk()[1].name, "Keller");
  d->close();
}

// Every way out of the definition view that would save a lowered count asks first (1031).
TEST_F(FreezerDefinition, ClosingAfterALoweredCountAsksBeforeFoodsAreDropped) {
  Start();
  const std::string peas = "~Erbsen~450 g", chicken = "~H\xE4hnchenschenkel~";
  struct Way {
    const char* what;
    std::function<void(TCoolDlg*)> close;
  };
  const std::vector<Way> ways = {
      {"title bar", [](TCoolDlg* d) { d->close(); }},
      {"Escape", [](TCoolDlg* d) { PressKey(d, Qt::Key_Escape); }},
      {"menu", [](TCoolDlg* d) { EXPECT_TRUE(MenuItem(d->ExitMnu)); }},
  };
  for (const Way& way : ways) {
    WriteAll(Boxes(), kBoxes);
    CoolDlg->LoadFreezers();
    TCoolDlg* d = Define();
    LowerCount(d);
    env.messages.shown.clear();
    // No: the window stays, in its definition view, and the file keeps the foods.
    env.messages.answers = {IDNO};
    way.close(d);
    ASSERT_EQ(Messages().size(), 1u) << way.what;
    EXPECT_EQ(Messages()[0], GetLangText(1031)) << way.what;
    EXPECT_TRUE(d->isVisible()) << way.what;
    EXPECT_TRUE(d->TruhenPnl->isVisible()) << way.what;
    EXPECT_EQ(ReadAll(Boxes()), kBoxes) << way.what;
    // Yes: saved without them, and not asked again.
    env.messages.answers = {IDYES};
    way.close(d);
    EXPECT_FALSE(d->isVisible()) << way.what;
    const std::string text = ReadAll(Boxes());
    EXPECT_EQ(text.find(peas), std::string::npos) << way.what;
    EXPECT_EQ(text.find(chicken), std::string::npos) << way.what;
    EXPECT_EQ(OnDisk()[0].count, 1) << way.what;
    env.messages.shown.clear();
    d->show();
    d->close();
    EXPECT_TRUE(Messages().empty()) << way.what;
  }
}

TEST_F(FreezerDefinition, TheEndOfTheProgramKeepsFoodsUnlessTheUserAgrees) {
  Start();
  TCoolDlg* d = Define();
  LowerCount(d);
  env.messages.shown.clear();
  env.messages.answers = {IDNO};
  EXPECT_TRUE(MainFrm->close());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], GetLangText(1031));
  EXPECT_EQ(fromQ(d->SchrankfachAnzEdt->text()), "4");
  // The compartments that hold foods stay in use: count 4 keeps the peas of compartment 4.
  const std::vector<CO_SCHRANK> f = OnDisk();
  EXPECT_EQ(f[0].count, 4);
  EXPECT_EQ(f[0].faecher[1].foods.size(), 1u);
  EXPECT_EQ(f[0].faecher[3].foods.size(), 1u);
  EXPECT_EQ(f[0].faecher[3].foods[0].name, "Erbsen");
}

TEST_F(FreezerWindows, BestBeforeWindowFromTheMenuOpensTheFood) {
  Start();
  EXPECT_TRUE(WhileModal(
      [this] {
        TCoolMHDDlg* m = CoolMHDDlg;
        EXPECT_FALSE(m->GetBestBeforeMode());
        ASSERT_EQ(m->Warnings.size(), 3u);
        EXPECT_EQ(m->Warnings[0].copy.name, "H\xE4hnchenschenkel");
        EXPECT_EQ(m->Warnings[0].monthsLeft, -3);
        EXPECT_EQ(m->Warnings[1].copy.name, "Roggenbrot");
        EXPECT_EQ(m->Warnings[1].number, 5);
        EXPECT_EQ(m->Warnings[2].copy.name, "Rinderrouladen");
        EXPECT_EQ(m->Warnings[2].status, 1);
        EXPECT_TRUE(m->LMittelPnl->isVisible());
        EXPECT_FALSE(m->NoLMittelTxt->isVisible());
        Shot(m, "freezer_best_before_DE");
        // Its help button opens its page.
        env.shell.opened.clear();
        EXPECT_TRUE(test::Click(m->HelpBtn));
        EXPECT_TRUE(HelpOpened(0).ends_with("/Help/Dlg_CoolerMHD.htm")) << HelpOpened(0);
        EXPECT_TRUE(test::DoubleClickCell(m->LMittelLiBo, 1));
      },
      [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"FileMenu", "MHDMnu"})); }));
  EXPECT_FALSE(CoolMHDDlg->isVisible());
  // The double click showed the freezer window at the bread in the cellar.
  ASSERT_TRUE(CoolDlg->isVisible());
  EXPECT_EQ(CoolDlg->CurFreezer, 1);
  EXPECT_EQ(CoolDlg->CurFach, 0);
  EXPECT_EQ(fromQ(CoolDlg->LMNameEdt->text()), "Roggenbrot");
  EXPECT_EQ(CoolDlg->SchrankCoBo->currentIndex(), 1);
  // The main window's close saves the freezer files while the window is visible.
  CoolDlg->Freezers()[1].faecher[0].foods[0].amount = "2 Laib";
  ASSERT_TRUE(MainFrm->FormCloseQuery());
  EXPECT_NE(ReadAll(Boxes()).find("~Roggenbrot~2 Laib"), std::string::npos);
}

// "&Schließen" is the best-before window's default button: it and Enter close the window, and
// neither opens the freezer window.
TEST_F(FreezerWindows, TheBestBeforeWindowClosesByItsButtonAndByEnter) {
  Start();
  for (const bool byEnter : {false, true}) {
    SCOPED_TRACE(byEnter);
    bool closed = false;
    EXPECT_TRUE(WhileModal(
        [&] {
          ASSERT_TRUE(test::ClickCell(CoolMHDDlg->LMittelLiBo, 0));
          if (byEnter)
            test::PressKey(Qt::Key_Return);
          else
            EXPECT_TRUE(test::Click(CoolMHDDlg->CloseBtn));
          closed = !CoolMHDDlg->isVisible();
        },
        [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"FileMenu", "MHDMnu"})); }));
    EXPECT_TRUE(closed);
    EXPECT_FALSE(CoolDlg->isVisible());
  }
}

TEST_F(FreezerWindows, BestBeforeCheckAtStartFollowsOptions79And80) {
  // Only due-soon foods are wanted: the expired ones do not open the window by themselves.
  env.userSettings.WriteString(kRegParam, "ShowOldLM", "0");
  env.userSettings.WriteString(kRegParam, "ShowSoonLM", "1");
  Start();
  ASSERT_TRUE(ctx().options->Flag(80));
  CoolMHDDlg->SetBestBeforeMode(1);
  ASSERT_TRUE(CoolMHDDlg->FillBestBeforeDialog());
  ASSERT_EQ(CoolMHDDlg->Warnings.size(), 1u);
  EXPECT_EQ(CoolMHDDlg->Warnings[0].copy.name, "Rinderrouladen");
  bool opened = false;
  MainFrm->show();
  WhileModal([&opened] { opened = CoolMHDDlg->isVisible(); }, [] { MainFrm->TimerMainTimer(); });
  EXPECT_TRUE(opened);
  // Both options off: nothing opens, whatever the inventory holds.
  ctx().options->SetParaBool(80, false);
  opened = false;
  MainFrm->TimerMain->start();
  WhileModal([&opened] { opened = QApplication::activeModalWidget() == CoolMHDDlg; },
             [] { MainFrm->TimerMainTimer(); });
  EXPECT_FALSE(opened);
}

TEST_F(FreezerWindows, AnEmptyInventoryIsSaidInTheBestBeforeWindow) {
  WriteAll(Boxes(), ">N#Leer\r\n+Fach\r\n");
  Start();
  EXPECT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(CoolMHDDlg->Warnings.empty());
        EXPECT_FALSE(CoolMHDDlg->LMittelPnl->isVisible());
        EXPECT_TRUE(CoolMHDDlg->NoLMittelTxt->isVisible());
      },
      [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"FileMenu", "MHDMnu"})); }));
}

TEST_F(FreezerWindows, TheOverviewPageIsWrittenAndOpened) {
  Start();
  TCoolDlg* d = Open();
  ASSERT_TRUE(MenuItem(d->PrintFachMnu));
  const std::string page = ReadAll(ctx().options->Str(5) + "CoolBoxes.html");
  EXPECT_NE(page.find("Rinderrouladen"), std::string::npos);
  EXPECT_EQ(page.find("Erbsen"), std::string::npos);
  ASSERT_EQ(env.shell.opened.size(), 1u);
  ASSERT_TRUE(MenuItem(d->PrintSchrankMnu));
  EXPECT_NE(ReadAll(ctx().options->Str(5) + "CoolBoxes.html").find("Erbsen"), std::string::npos);
  d->close();
}

TEST_F(FreezerWindows, EnglishShots) {
  Start("EN");
  TCoolDlg* d = Open();
  EXPECT_EQ(fromQ(d->windowTitle()), "Freezer inventory");
  EXPECT_EQ(fromQ(d->FachChooseCoBo->itemText(0)), "All compartments");
  Shot(d, "freezer_inventory_EN");
  d->OpenAllMnuClick();
  Shot(d->TypeTree->parentWidget(), "freezer_usual_foods_EN");
  d->DefSchrankMnuClick();
  Shot(d, "freezer_definition_EN");
  d->EditCancelBtnClick();
  d->close();
  WhileModal([this] { Shot(CoolMHDDlg, "freezer_best_before_EN"); },
             [] {
               CoolMHDDlg->SetBestBeforeMode(0);
               CoolMHDDlg->exec();
             });
}

}  // namespace
}  // namespace tav
