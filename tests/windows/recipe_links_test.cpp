// Links to recipes survive "Index neu erstellen": the week plan and the shopping list name a
// recipe by its book and number, and the rebuild keeps every recipe's number, so after edits,
// a deletion and the rebuild they open the recipes they were made for. The whole program over
// the shipped data, driven with the mouse and the keys, its questions answered as they come.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include "app/ui/main_window.h"
#include "app/ui/tips_dialog.h"
#include "kitchen/ui/shopping_list_window.h"
#include "kitchen/ui/week_plan_window.h"
#include "platform/qt/qt_services.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "services/ui/context_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "windows/kitchen_program.h"
#include "windows/user_actions.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;

class RecipeLinks : public test::KitchenProgram {
 protected:
  QtMessageBoxes questions;  // real message boxes, answered as they come up

  void TearDown() override {
    ctx().messages = &env.messages;
    KitchenProgram::TearDown();
  }
  // The program as a user meets it: the start tip closed, the main window active.
  void UserStart() {
    Start("DE");
    MainFrm->resize(1280, 860);  // a desktop's screen: the whole menu bar in view
    MainFrm->show();
    if (AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);
    MainFrm->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(MainFrm));
    ctx().messages = &questions;
  }
  QListView* View() const { return list->ChooseLiBo; }
  QPoint RowCentre(const std::string& title) const {
    return View()->visualRect(View()->model()->index(RowOf(title), 0)).center();
  }
  void ClickRecipe(const std::string& title) {
    ASSERT_GE(RowOf(title), 0) << title;
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, RowCentre(title));
    QApplication::processEvents();
  }
  // F2 on the recipe, a sentence typed at the end of its text, OK.
  void AddToText(const std::string& title, const QString& sentence) {
    ClickRecipe(title);
    QTest::keyClick(View(), Qt::Key_F2);
    ASSERT_TRUE(EditRezDlg->isVisible());
    QTextEdit* text = NEditDlg->TextRtf;
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(text, sentence);
    QTest::mouseClick(EditRezDlg->OKBtn, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(EditRezDlg->isVisible());
  }
  // Answers the message boxes that come up during `open` in turn; their texts.
  static std::vector<std::string> AnswerBoxes(const std::vector<QMessageBox::StandardButton>& answers,
                                              const std::function<void()>& open) {
    std::vector<std::string> texts;
    QPointer<QWidget> last;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box == last || !box->isVisible() || texts.size() >= answers.size()) return;
      last = box;
      texts.push_back(fromQ(box->text()));
      EXPECT_TRUE(test::AnswerBox(box, answers[texts.size() - 1]));
    });
    watch.start();
    open();
    return texts;
  }
  // A right click that goes the way of the window system (which makes the context menu).
  static void RightClick(QWidget* w, QPoint at) {
    QWidget* top = w->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, w->mapTo(top, at));
    QApplication::processEvents();
  }
  // The item of a pop-up menu, clicked where it is shown.
  static void ClickPopupItem(QMenu* menu, const char* name) {
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000));
    QAction* item = menu->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_TRUE(item && item->isVisible() && item->isEnabled()) << name;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QApplication::processEvents();
  }
  QPoint CellCentre(int row, int col) const {
    QTableWidget* grid = WPlanDlg->WPlanGrd;
    return grid->visualRect(grid->model()->index(row, col)).center();
  }
  QPoint ShoppingItemCentre(const std::string& title) const {
    QListWidget* box = KaufRezListDlg->EinkaufLiBo;
    for (int i = 0; i < box->count(); ++i)
      if (fromQ(box->item(i)->text()) == title) return box->visualItemRect(box->item(i)).center();
    ADD_FAILURE() << title << " is not on the shopping list";
    return {};
  }
  std::string Shown() const { return DataRezDlg->ShownRecipe.title; }
};

TEST_F(RecipeLinks, PlannedAndListedRecipesOpenAfterTheIndexIsRebuilt) {
  MakeBook({Dish("Apfelkuchen", 8, {Line("1", "kg", "\xC4pfel")}, "Backen."),
            Dish("Brot", 1, {Line("500", "g", "Mehl")}, "Kneten, gehen lassen."),
            Dish("Chili", 4, {Line("400", "g", "Bohnen")}, "Schmoren."),
            Dish("Dal", 4, {Line("250", "g", "Linsen")}, "Weich kochen."),
            Dish("Eintopf", 6, {Line("1", "kg", "Kartoffeln")}, "Garen.")});
  UserStart();
  // Dal corrected first: its new version now stands last in the record file.
  AddToText("Dal", QStringLiteral(" Mit Koriander bestreuen."));

  // Dal dragged onto Wednesday of the week plan; Dal and Brot onto the shopping list.
  QWidget* weekPlan = MainFrm->MainToolBar->widgetForAction(MainFrm->Action("TBWPlan"));
  ASSERT_TRUE(weekPlan && weekPlan->isVisible());
  QTest::mouseClick(weekPlan, Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_TRUE(WPlanDlg->isVisible());
  ClickRecipe("Dal");
  test::StartDragWithMouse(View()->viewport(), RowCentre("Dal"));
  WPlanDlg->WPlanGrdDragDrop(View(), 2, 1);  // the drop, as the platform delivers it: the
                                             // first line of Wednesday
  ASSERT_EQ(WPlanDlg->plan.entries.size(), 1u);
  for (const char* title : {"Dal", "Brot"}) {
    ClickRecipe(title);
    ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "zurEinkaufsliste1"}));
  }
  ASSERT_EQ(KaufRezListDlg->GetKaufListCount(), 2);

  // Other recipes edited and deleted.
  AddToText("Brot", QStringLiteral(" Mit Kruste."));
  AddToText("Eintopf", QStringLiteral(" Petersilie."));
  ClickRecipe("Chili");
  const std::vector<std::string> asked =
      AnswerBoxes({QMessageBox::Yes}, [&] { QTest::keyClick(View(), Qt::Key_Delete); });
  ASSERT_EQ(asked.size(), 1u);
  ASSERT_LT(RowOf("Chili"), 0);

  // The rebuild through the main menu: Yes to its question, OK to its notice.
  const std::vector<std::string> told = AnswerBoxes(
      {QMessageBox::Yes, QMessageBox::Ok},
      [&] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"HelpMenu", "DoNewIniz"})); });
  EXPECT_EQ(told, (std::vector<std::string>{GetLangText(16), GetLangText(18)}));
  ASSERT_GE(RowOf("Dal"), 0);

  // From the week plan: the planned Dal, as corrected.
  ClickRecipe("Apfelkuchen");
  ASSERT_EQ(Shown(), "Apfelkuchen");
  QTableWidget* grid = WPlanDlg->WPlanGrd;
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(0, 2));
  RightClick(grid->viewport(), CellCentre(0, 2));
  ClickPopupItem(WPlanDlg->WPMnu, "WPShow");
  EXPECT_EQ(Shown(), "Dal");
  EXPECT_NE(DataRezDlg->ShownRecipe.text.find("Koriander"), std::string::npos);
  EXPECT_TRUE(list->IsSelected(RowOf("Dal")));

  // From the shopping list: Brot as edited, and Dal.
  for (const char* title : {"Brot", "Dal"}) {
    SCOPED_TRACE(title);
    ClickRecipe("Apfelkuchen");
    QListWidget* box = KaufRezListDlg->EinkaufLiBo;
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, ShoppingItemCentre(title));
    RightClick(box->viewport(), ShoppingItemCentre(title));
    ClickPopupItem(KaufRezListDlg->KListPopup, "ShowRez");
    EXPECT_EQ(Shown(), title);
    EXPECT_TRUE(list->IsSelected(RowOf(title)));
  }
  EXPECT_NE(DataRezDlg->ShownRecipe.text.find("Koriander"), std::string::npos);
  ClickRecipe("Brot");
  EXPECT_NE(DataRezDlg->ShownRecipe.text.find("Kruste"), std::string::npos);
}

}  // namespace
}  // namespace tav
