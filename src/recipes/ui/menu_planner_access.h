#pragma once
// The menu planner (TMenuCenterDlg, a kitchen window) as the recipe list sees it: menus are
// recipes whose flags have bit 7 set; the list opens them in the planner and hands it recipes
// as courses. The planner registers itself; MenuPlanner() is null while there is none.
#include "services/registered.h"

namespace tav {

struct REZBLOCK;
struct REZINDEX;

class MenuPlannerAccess {
 public:
  virtual ~MenuPlannerAccess() = default;
  // Opens the menu recipe in the planner pane (with its course editor when asked); none
  // starts a new menu.
  virtual void OpenMenuPlan(const REZBLOCK* menu, bool showEditor) = 0;
  // True when the recipe selected in the list is a menu, which is then opened with its editor.
  virtual bool OpenSelectedMenuRecipe() = 0;
  // Appends the entry's recipe to the open menu as a course (a menu is refused).
  virtual void AddRecipeToMenu(const REZINDEX& entry) = 0;
  // The menu card of the open menu as a page from its template, opened by the desktop.
  virtual void PrintMenuPlan() = 0;
};

inline MenuPlannerAccess* MenuPlanner() {
  return Registered<MenuPlannerAccess>::Get();
}

}  // namespace tav
