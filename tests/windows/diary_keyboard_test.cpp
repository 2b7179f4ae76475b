// The diary overview in the running program, by mouse and keyboard: the first weight a person
// ever enters, typed after "Neue Eingabe", is in Weight.dat after "Beenden"; Enter ends the
// cell and opens no person list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTableWidget>
#include <QTest>

#include "app/ui/main_window.h"
#include "diary/diary_module.h"
#include "diary/ui/diary_overview_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "kitchen_program.h"

namespace tav {
namespace {

using DiaryByKeyboard = test::KitchenProgram;

TEST_F(DiaryByKeyboard, TheFirstWeightOfAPersonIsInWeightDatAfterTheProgramEnds) {
  Start();
  ENPERSON eva;
  eva.name = "Eva";
  ENApplogMod->AddPerson(eva);
  ASSERT_TRUE(ENApplogMod->WriteUsers());
  ENApplogMod->SwitchPerson("Eva");
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

}  // namespace
}  // namespace tav
