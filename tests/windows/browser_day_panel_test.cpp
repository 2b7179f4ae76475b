// The food browser's own day panel, as the program makes it at start-up: it adds the food
// chosen in the browser to the day it shows and opens and closes with the main window's pane.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTableWidget>

#include "app/ui/main_window.h"
#include "diary/diary_module.h"
#include "diary/ui/calendar_window.h"
#include "diary/ui/day_panel_window.h"
#include "kitchen_program.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_grids.h"
#include "services/ui/context_list_box.h"

namespace tav {
namespace {

using FoodBrowserDayPanel = test::KitchenProgram;

TEST_F(FoodBrowserDayPanel, AddsTheBrowsersFoodAndFollowsTheMainPane) {
  Start();
  TENAddDayDlg* panel = BLSMainDlg->ErnaehrPnl->findChild<TENAddDayDlg*>();
  ASSERT_NE(panel, nullptr);
  EXPECT_NE(panel, ENAddDayDlg);
  EXPECT_TRUE(BLSMainDlg->VerbrauchslisteMnu->isEnabled());

  ENPERSON eva;
  eva.name = "Eva";
  ENApplogMod->AddPerson(eva);
  ASSERT_TRUE(ENApplogMod->WriteUsers());
  ENApplogMod->SwitchPerson("Eva");

  // F11 in the browser opens its panel and the main window's pane with it.
  BLSMainDlg->VerbrauchslisteMnu->trigger();
  EXPECT_TRUE(BLSMainDlg->ConsumptionShown());
  EXPECT_TRUE(MainFrm->IsConsumptionPaneShown());

  BLSMainDlg->ShowFood("B104000");
  ASSERT_EQ(CellText(BLSMainDlg->StoffGrd, BLSMainDlg->StoffGrd->currentRow(), 0), "B104000");
  panel->Calendar->SetDate(10, 4, 2024);
  panel->DayPanelDateChanged();
  panel->AddRezBtnClick();
  const ENDAY* day = ENApplogMod->GetDay(10, 4, 2024);
  ASSERT_NE(day, nullptr);
  ASSERT_EQ(day->entries.size(), 1u);
  EXPECT_EQ(day->entries[0].foodKey, "B104000");
  EXPECT_EQ(panel->RezLiBo->count(), 1);

  // Closing the main window's pane closes the browser's panel too.
  MainFrm->VerbrauchslisteMnuClick();
  EXPECT_FALSE(MainFrm->IsConsumptionPaneShown());
  EXPECT_FALSE(BLSMainDlg->ConsumptionShown());
  BLSMainDlg->close();
}

}  // namespace
}  // namespace tav
