#pragma once
// The week plan pane "Wochenplan", docked at the bottom of the main window: the seven days of
// one calendar week as columns, each day a stack of planned recipes and day remarks. Recipes
// are dropped on a day from the recipe list; the pane's menu and the main menu's week-plan
// items edit, move, delete, print and shop for the entries. Every change is saved at once.
#include <QWidget>

#include "kitchen/weekplan/week_plan.h"
#include "recipes/ui/week_plan_access.h"

class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace tav {

class TWPlanDlg : public QWidget, public WeekPlanAccess {
  Q_OBJECT
 public:
  explicit TWPlanDlg(QWidget* parent = nullptr);
  ~TWPlanDlg() override;

  // The seven days of the shown week.
  WeekPlan plan;

  void LoadWeekPlan() { plan.LoadWeekPlan(); }
  void SaveWeekPlan() { plan.SaveWeekPlan(); }
  // Title, day headers and cells from the plan.
  void DrawWeekGrid();

  // Operations (the pane's menu, the main menu, the grid).
  void AddRecipeToWeekPlan(const REZINDEX* entry) override;
  void EditWeekPlanCell();
  void AddWeekPlanRemark();
  void ShowWeekPlanRecipe();
  void PrintWeekPlan() override;
  void MoveWeekPlanEntryUp();
  void MoveWeekPlanEntryDown();
  void AddWeekPlanToKaufList();
  // 0 the selected cells, 1 every day before today, 2 everything.
  void DeleteWeekPlanEntries(int mode);

  // Week buttons.
  void AktWeekBtnClick();
  void PrevWeekBtnClick() { ShowWeek(plan.weekStart - 7); }
  void NextWeekBtnClick() { ShowWeek(plan.weekStart + 7); }
  void PrevMonthBtnClick() { ShowWeek(plan.weekStart - 28); }
  void NextMonthBtnClick() { ShowWeek(plan.weekStart + 28); }
  void TCloseBtnClick();
  void THelpBtnClick();

  // A drag dropped on the grid at a column and row (row 0: the day header; col -1: beside the
  // days).
  void WPlanGrdDragDrop(QObject* source, int col, int row);
  // The hint of a cell: title, servings and kind, and the remark in quotes.
  std::string CellHint(int col, int row) const;

  // The current cell in the plan's rows (1 = the top entry); false without one.
  bool CurrentCell(int& col, int& row) const;
  // Sets the current cell (plan rows) and selects it alone.
  void SetCurrentCell(int col, int row);

  QLabel* PlanTitle = nullptr;
  QToolButton* TCloseBtn = nullptr;
  QToolButton* THelpBtn = nullptr;
  QTableWidget* WPlanGrd = nullptr;
  QWidget* WPlanBtnPanel = nullptr;
  QPushButton* PrevMonthBtn = nullptr;
  QPushButton* PrevWeekBtn = nullptr;
  QPushButton* AktWeekBtn = nullptr;
  QPushButton* NextWeekBtn = nullptr;
  QPushButton* NextMonthBtn = nullptr;
  QMenu* WPMnu = nullptr;

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void BuildPopupMenu();
  void ShowWeek(int monday);
  void FormResize();
  // The selected range in plan rows; false when nothing is selected.
  bool Selection(int& left, int& top, int& right, int& bottom) const;
};

extern TWPlanDlg* WPlanDlg;

}  // namespace tav
