// The diary overview in the running program, by mouse and keyboard: the first weight a person
// ever enters, typed after "Neue Eingabe", is in Weight.dat after "Beenden"; Enter ends the
// cell and opens no person list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <ctime>
#include <QTest>
#include <functional>

#include "app/ui/main_window.h"
#include "diary/diary_module.h"
#include "diary/ui/diary_overview_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "app/ui/about_dialog.h"
#include "diary/ui/intake_tables_dialog.h"
#include "kitchen_program.h"
#include "nutrients/ui/filter_group_dialog.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_grids.h"
#include "services/options_store.h"
#include "windows/diary_gestures.h"

namespace tav {
namespace {

// The program started with Eva, new and without weights, as the diary's person.
class DiaryByKeyboard : public test::KitchenProgram {
 protected:
  void StartWithEva() {
    Start();
    ENPERSON eva;
    eva.name = "Eva";
    ENApplogMod->AddPerson(eva);
    ASSERT_TRUE(ENApplogMod->WriteUsers());
    ENApplogMod->SwitchPerson("Eva");
  }
};

TEST_F(DiaryByKeyboard, TheFirstWeightOfAPersonIsInWeightDatAfterTheProgramEnds) {
  StartWithEva();
  ASSERT_TRUE(ENApplogMod->weights.empty());

  ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"ErnaehrungMnu", "GewichtsverlaufMnu"}));
  TENViewDayDlg* v = ENViewDayDlg;
  ASSERT_TRUE(v && v->isVisible());
  EXPECT_EQ(fromQ(v->PersonCoBo->currentText()), "Eva");
  EXPECT_FALSE(v->GewichtGrd->isEnabled());  // nothing to edit yet

  // "Neue Eingabe": the keyboard is in the weight cell of the new row.
  ASSERT_TRUE(test::Click(v->NewGewichtBtn));
  ASSERT_EQ(ENApplogMod->weights.size(), 1u);
  QWidget* typing = QApplication::focusWidget();
  ASSERT_NE(typing, nullptr);
  ASSERT_TRUE(v->GewichtGrd->viewport()->isAncestorOf(typing))
      << typing->metaObject()->className() << " " << fromQ(typing->objectName());
  test::TypeKeys(QStringLiteral("63,4"));
  // Enter ends the cell: no person list, no other window.
  const bool modal = test::WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); });
  EXPECT_FALSE(modal);
  EXPECT_FALSE(PersListDlg && PersListDlg->isVisible());
  EXPECT_TRUE(v->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([v] { return v->GewichtGrd->item(1, 2)->text() == "63,4"; }, 1000));
  EXPECT_EQ(ENApplogMod->weights[0].values[0], "63,4");

  EndProgram();
  const std::string log = test::ReadAll(env.DataFolder() + "Konten/Eva/Weight.dat");
  EXPECT_NE(log.find("63,4#"), std::string::npos) << log;
}

// What the overview's buttons and menus open in the other windows: the food of an entry in
// the food browser, the filter groups, the intake tables, the about box; its filter list
// chooses the program's filter group; F11 shows the consumption pane.
TEST_F(DiaryByKeyboard, TheOverviewReachesTheOtherWindows) {
  StartWithEva();
  const std::time_t now = std::time(nullptr);
  const std::tm today = *std::localtime(&now);
  ASSERT_TRUE(ENApplogMod->AddFoodToDay(today.tm_mday, today.tm_mon, today.tm_year + 1900,
                                        "B104000"));
  ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"ErnaehrungMnu", "ENStatistikMnu"}));
  TENViewDayDlg* v = ENViewDayDlg;
  ASSERT_TRUE(v && v->isVisible());
  ASSERT_EQ(v->DayGrd->rowCount(), 2);

  // "Anzeigen" on the food: the food browser shows it.
  ASSERT_TRUE(test::ClickCell(v->DayGrd, 1, 3));
  ASSERT_TRUE(test::Click(v->CallRezeptBtn));
  ASSERT_TRUE(BLSMainDlg->isVisible());
  EXPECT_EQ(CellText(BLSMainDlg->StoffGrd, BLSMainDlg->StoffGrd->currentRow(), 0), "B104000");
  BLSMainDlg->close();

  // The filter list: the program's filter group follows the choice.
  ASSERT_GE(v->BLSFilterCoBo->count(), 2);
  ASSERT_TRUE(test::ChooseInCombo(v->BLSFilterCoBo, v->BLSFilterCoBo->itemText(1)));
  int filter = -1;
  ASSERT_TRUE(ctx().options->GetParaInt(53, &filter));
  EXPECT_EQ(filter, 1);

  // The windows the buttons and menus open, each modal.
  const auto opens = [](QDialog* dialog, const std::function<void()>& act) {
    bool shown = false;
    EXPECT_TRUE(test::WhileModal([&] { shown = dialog->isVisible(); }, act));
    return shown;
  };
  EXPECT_TRUE(opens(BLSFilterDlg, [&] { ASSERT_TRUE(test::Click(v->StoffFiltBtn)); }));
  EXPECT_TRUE(opens(InfoDlg, [&] {
    ASSERT_TRUE(test::Click(v->ENToolBar->widgetForAction(v->TBInfo)));
  }));
  const auto menuItem = [v](QAction* item) {
    QMenu* menu = test::MenuOf(item);
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(v->MainMnu, Qt::LeftButton, Qt::NoModifier,
                      v->MainMnu->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000));
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
  };
  EXPECT_TRUE(opens(ZufuhrDlg, [&] { menuItem(v->ZufuhrMnu); }));
  EXPECT_TRUE(opens(InfoDlg, [&] { menuItem(v->InfoMnu); }));
  // The consumption list shown from here, and the menu's check follows it.
  ASSERT_FALSE(MainFrm->IsConsumptionPaneShown());
  menuItem(v->VerbrauchslisteMnu);
  EXPECT_TRUE(MainFrm->IsConsumptionPaneShown());
  EXPECT_TRUE(v->VerbrauchslisteMnu->isChecked());
  EndProgram();
}

}  // namespace
}  // namespace tav
