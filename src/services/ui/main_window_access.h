#pragma once
// What a window below the program frame may ask of the main window: the view shown in the
// centre, the panes it docks into, the recipe and book buttons and menus, the clipboard items.
// TMainFrm implements it and enters itself as the Registered one; without a main window (tests)
// MainWindow() is null, so every caller checks.
#include <string>
#include <vector>

#include "services/registered.h"

class QAction;
class QMenu;
class QWidget;

namespace tav {

// The panes a window docks into: the recipe list's and the shopping list's on the left, the
// views' in the centre, the week plan's at the bottom, the day panel's (consumption) on the right.
enum class MainPane { RecipeList, View, ShoppingList, WeekPlan, Consumption };

// The cookbook menu and its four move and copy sub-menus, which list one item per book.
enum class BookMenuKind { Open, MoveRecipe, CopyRecipe, MoveMarked, CopyMarked };

class MainWindowAccess {
 public:
  virtual ~MainWindowAccess() = default;
  // The main window itself (dialogs centre over it).
  virtual QWidget* FrameWidget() = 0;

  // Panes. A form docked into a pane fills it.
  virtual QWidget* PaneOf(MainPane pane) const = 0;
  virtual void DockForm(QWidget* form, QWidget* pane) = 0;
  // The shopping list's pane: open a third of the left pane high, closed 17 pixels (its title
  // strip); the week plan's pane opens 150 pixels high and closes to 4.
  virtual void SetShoppingPaneOpen(bool open) = 0;
  virtual int ShoppingPaneHeight() const = 0;
  virtual void ToggleWeekPlanPane() = 0;
  // The consumption pane on the right (the day panel): opened (220 wide) or closed; opening
  // needs a diary person. With refresh the food browser's day panel and the diary overview's
  // menu check follow.
  virtual void ToggleConsumptionPane(bool refresh) { (void)refresh; }
  virtual bool IsConsumptionPaneShown() const { return false; }
  // The about box, modal.
  virtual void ShowAboutBox() {}

  // The five recipe views share the centre pane; showing one hides the other four.
  virtual void ShowStandardView(QWidget* view, bool show) = 0;
  virtual void ShowEditView(QWidget* view, bool show) = 0;
  virtual void ShowHTMLView(QWidget* view, bool show) = 0;
  virtual void ShowPrintView(QWidget* view, bool show) = 0;
  virtual void ShowEmptyView(QWidget* view, bool show) = 0;
  // 1 standard, 2 text/HTML, 3 print preview; 0 takes the mode from the view menu's check marks.
  virtual void SetViewMode(int mode) = 0;
  // The menu planner's pane above the view, with its splitter.
  virtual void ShowMenuPane(bool show) = 0;

  // The named menu item or tool button (component name, "ViewStd" …), or null.
  virtual QAction* Action(const char* name) const = 0;
  // The edit and delete buttons follow the recipe list and the editor.
  virtual void UpdateRecipeButtons() = 0;
  // Cut, copy and paste follow the focused text field.
  virtual void UpdateClipboardMenu() = 0;

  // Makes the named book current and lists all its recipes.
  virtual void OpenBook(const std::string& name) = 0;
  // The caption shows the current book with its description.
  virtual void RefreshMainTitle() = 0;
  // With true: one quick book button for each of the first ten books with the tool-bar flag.
  virtual void UpdateBookButtons(bool fill) = 0;
  virtual QMenu* BookMenu(BookMenuKind kind) const = 0;
  // What the book item `book` of that menu does when it is clicked.
  virtual void BookMenuClick(BookMenuKind kind, const std::string& book) = 0;
  // The book items of a menu (those the cookbook list added), in menu order.
  static std::vector<QAction*> BookMenuItems(QMenu* menu);

  // Opens the options window modally (a missing setting the user is asked to fill in), on the
  // page of that number (-1: the page shown last).
  virtual void ShowOptionsWindow(int page = -1) = 0;
};

// The main window, or null while there is none.
inline MainWindowAccess* MainWindow() {
  return Registered<MainWindowAccess>::Get();
}

}  // namespace tav
