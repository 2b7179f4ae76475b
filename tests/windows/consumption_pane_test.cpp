// The main window's consumption pane in the whole program: it opens for a diary person and
// closes when the last person is deleted in the person list.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

#include "diary/diary_module.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/person_data_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

class ConsumptionPane : public test::KitchenProgram {
 protected:
  // The person list from the main menu, `inside` run while it is up.
  void InPersonList(const std::function<void()>& inside) {
    WhileModal(inside, [] { MainFrm->Action("PersonenListeMnu")->trigger(); });
  }
};

TEST_F(ConsumptionPane, ClosesWhenTheLastPersonIsDeleted) {
  MakeBook({test::Dish("Linsensalat", 2, {test::Line("250", "g", "Linsen")}, "Garen.")});
  Start();
  env.messages.defaultAnswer = IDYES;
  InPersonList([] {
    test::WhileShown(
        PersDataDlg,
        [] {
          PersDataDlg->NameEdt->setText(QStringLiteral("J\xFCrgen"));
          PersDataDlg->GebDatEdt->setText(QStringLiteral("2.2.1970"));
          PersDataDlg->OKBtn->click();
        },
        [] { PersListDlg->NewBtn->click(); });
  });
  QAction* pane = MainFrm->Action("VerbrauchslisteMnu");
  pane->trigger();
  ASSERT_TRUE(MainFrm->IsConsumptionPaneShown());
  ASSERT_TRUE(ENAddDayDlg->isVisible());

  InPersonList([] {
    PersListDlg->PersListGrd->setCurrentCell(0, 0);
    PersListDlg->DelBtn->click();
  });
  EXPECT_TRUE(ENApplogMod->persons.empty());
  EXPECT_FALSE(MainFrm->IsConsumptionPaneShown());
  EXPECT_FALSE(pane->isChecked());
  EXPECT_EQ(MainFrm->ConsumptionPaneWidth(), 0);

  // Opened again, the pane asks for a person first, as on a fresh start.
  env.messages.shown.clear();
  WhileModal([] {}, [&] { pane->trigger(); });
  EXPECT_FALSE(MainFrm->IsConsumptionPaneShown());
  ASSERT_FALSE(env.messages.shown.empty());
  EXPECT_EQ(env.messages.shown.front().text, GetLangText(443));
}

}  // namespace
}  // namespace tav
