#pragma once
// The menu planner, docked into the main window's pane above the recipe view: the open menu's
// courses (one coloured row each, drawn by course type), its description and its menu-card
// text. Recipes come in as courses from the recipe list (button or drop); the course editor
// changes title, persons and courses; a changed menu is stored as a recipe of its book when it
// is closed, or when the user agrees before another menu is opened.
#include <QWidget>
#include <string>

#include "kitchen/menus/menu_plan.h"
#include "recipes/ui/menu_planner_access.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tav {

class TMenuCenterDlg : public QWidget, public MenuPlannerAccess {
  Q_OBJECT
 public:
  explicit TMenuCenterDlg(QWidget* parent = nullptr);
  ~TMenuCenterDlg() override;

  // --- what the recipe list asks -----------------------------------------------------------
  void OpenMenuPlan(const REZBLOCK* menu, bool showEditor) override;
  bool OpenSelectedMenuRecipe() override;
  void AddRecipeToMenu(const REZINDEX& entry) override;

  // --- the menu ----------------------------------------------------------------------------
  // The course editor for the open menu (message 683 without one).
  void EditMenuPlan();
  // Stores a changed menu without asking and closes the pane; false when storing failed (the
  // changes are lost, message 1015 says so).
  bool CloseMenuPlan();
  // Takes the memo texts into the open menu and compares it with the comparison copy.
  bool HasMenuChanged();
  // Stores the open menu when it has changed (or always); false when that failed.
  bool SaveMenuRecipe(bool always = false);
  void ShowMenuPlan();
  // Shows the selected course's recipe for the course's persons.
  void ShowCourseRecipe();
  int GetMenuTypeCount() const { return static_cast<int>(plan.types.size()); }
  const MN_TYPE& GetMenuType(int index) const { return plan.types[static_cast<size_t>(index)]; }
  // The menu card page, opened with the desktop's browser.
  void PrintMenuPlan() override;

  void FormCreate();
  void CloseBtn2Click();
  void THelpBtnClick();
  void MenuImgClick();
  void AddBtnClick();
  void DelBtnClick();
  void RecipeUpBtnClick();
  void RecipeDownBtnClick();
  void RecipesLiBoClick();
  void RecipesLiBoDblClick();

  QWidget* TitleStrip;
  QLabel* RezTitle;
  QToolButton* THelpBtn;
  QToolButton* TitleCloseBtn;
  QWidget* Panel1;
  QLabel* MenuImg;
  QPushButton* CloseBtn2;
  QTabWidget* PageControl1;
  QWidget* MenuTab;
  QWidget* TabSheet2;
  QWidget* TabSheet3;
  QListWidget* RecipesLiBo;
  QWidget* Panel2;
  QPushButton* AddBtn;
  QPushButton* DelBtn;
  QToolButton* RecipeUpBtn;
  QToolButton* RecipeDownBtn;
  QPlainTextEdit* DescrEdt;
  QPlainTextEdit* CardEdt;

  MenuPlan plan;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Asks (message 681) whether a changed open menu is stored, and stores it on Yes.
  void SaveQuestion();
  // The course editor, modally, on the open menu; true when it was confirmed.
  bool RunCourseEditor();
  void ShowPane(bool show);
  // After a store: a new menu is listed and selected, the view shows the list's recipe again.
  void AfterStore(bool isNew, const REZINDEX& added);
};

extern TMenuCenterDlg* MenuCenterDlg;

}  // namespace tav
