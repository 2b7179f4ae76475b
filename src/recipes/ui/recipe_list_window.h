#pragma once
// The recipe list pane "Rezeptliste", docked into the main window's left pane: the titles of the
// current book, of one of its main categories or of the search result, with the quick search
// over the titles, the navigation and the commands on the selected entries (delete, mark,
// search result). The item data of every row is the position of its index entry in the recipe
// store: in the search result while the filter shows the search result (search mode), in the
// current book's index otherwise. The store fills the list through RecipeListView.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "recipedb/recipe_list_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace tav {

class TRecipeListBox;

class TChooseRezDlg : public QWidget, public RecipeListView {
  Q_OBJECT
 public:
  explicit TChooseRezDlg(QWidget* parent = nullptr);
  ~TChooseRezDlg() override;

  // --- what the recipe store asks of the list ---------------------------------------------
  bool IsSearchMode() const override;
  void SetCategoryIndex(int index) override;
  void BeginFill() override;
  void EndFill() override;
  void ClearRecipeList() override;
  void AddRecipeListItem(const REZINDEX* entry, int index) override;
  void ForgetShownRecipe() override;
  void ProcessMessages() override;

  // --- filling, showing, navigating -------------------------------------------------------
  // Refills the filter: all recipes, the search result, then the main categories.
  void FillRecipeFilterCombo();
  // Refills the list by the filter.
  void RefreshRecipeList();
  // Shows the current entry's recipe in the view of ViewMode (unless it is shown already and
  // force is false); a menu goes to the menu planner.
  void ShowSelectedRecipe(bool force);
  void ShowInStandardView(bool followRecipeServings, bool force);
  void ShowInHTMLView(bool followRecipeServings);
  void ShowInPrintView(bool followRecipeServings);
  // After a store: the standard view reads the current entry again.
  void RefreshShownRecipe();
  // Makes the entry of a just stored recipe current: by its record position, else its title.
  void SelectRecipeListEntry(const REZINDEX& entry);
  bool IsMenuShown() const { return MenuShown != 0; }
  void SetMenuShown(bool shown) { MenuShown = shown ? 1 : 0; }
  // 0 last, 1 first, 2 previous, 3 next, 4 random.
  void NavigateRecipe(int how);
  // Selects and shows the recipe with that key; keepFilter false shows all recipes of its book
  // first (opening that book when it is not the current one). With `servings` above 0 the
  // recipe is shown for that many (a course of a menu, a day of the week plan).
  void JumpToRecipe(int16_t book, int32_t number, bool keepFilter, int servings = 0);
  // -1 the text changed (search from the top), 0 next match below, 1 next match above.
  void QuickSearch(int direction);
  void SelectAllRecipes(bool select);

  // --- commands ---------------------------------------------------------------------------
  // Deletes the selected recipes after the question of option 18; false when nothing was
  // deleted (the editor's or the user's No, nothing selected).
  bool DeleteSelectedRecipes();
  // Marks the recipe of a list row deleted (the row leaves the list). True when it is now
  // deleted (in search mode: when its entry was found).
  bool ToggleRecipeDeleted(int position);
  // Deletes the first listed recipe with that key.
  void DeleteRecipeByKey(int16_t book, int32_t number);
  // Deletes every listed recipe for which the test holds, walking the rows from the top.
  void DeleteRows(const std::function<bool(int row)>& chosen);
  // 0 turns the mark of the selected entries over, 1 marks every entry, 2 unmarks every entry.
  void MarkSelectedRecipes(int mode);
  // Adds one serving of every selected recipe, in list order, to that diary day (month
  // 0-11) of the active person; the number added (0 while there is no diary).
  int AddSelectedToDiary(int day, int month, int year);
  // The selected recipes, in list order, onto the shopping list (at their own servings) or
  // into the week plan at its drop cell (at most 20 at once: message 29).
  void AddSelectedToKaufList();
  void AddSelectedToWeekPlan();
  // Hands every selected entry, in list order, to the menu planner as a course.
  void AddSelectedToMenu();
  void ResetSearchResult();
  void AddToSearchResult(const REZINDEX& entry);
  void ShowSearchResult();
  void OpenRezMnuClick();
  // Opens the selected recipe in the editor (also a double click and the Enter key).
  void EditRezMnuClick();
  // The current entry into the recipe editor; nothing when no entry is selected.
  void EditSelectedRecipe(bool setMode);
  void NewRezMnuClick();
  void StartNewRecipe();

  // --- the list, for the main window and the commands -------------------------------------
  int Count() const;
  int CurrentRow() const;
  int ItemData(int row) const;
  bool IsSelected(int row) const;
  std::vector<int> SelectedRows() const;
  // The store's entry of a row (by the search-mode rule); false when there is none.
  bool RowEntry(int row, REZINDEX& out) const;
  // Makes one row the only selected and current one (-1: none).
  void SelectOnly(int row);

  // --- event handlers ---------------------------------------------------------------------
  void GattLiBoChange();
  void ChooseLiBoaClick();
  bool ChooseLiBoaKeyPress(QKeyEvent* e);
  void SearchEdtChange() { QuickSearch(-1); }
  void QSDownBtnClick() { QuickSearch(0); }
  void QSUpBtnClick() { QuickSearch(1); }
  void QSBtnClick();
  void HelpMnuClick();

  // Controls, named as their component names.
  QLabel* RezTitle;
  QComboBox* GattLiBo;
  QLabel* SearchTxt;
  QLineEdit* SearchEdt;
  QToolButton* QSDownBtn;
  QToolButton* QSUpBtn;
  QToolButton* QSAllBtn;
  QToolButton* QSLeftBtn;
  TRecipeListBox* ChooseLiBo;
  QMenu* ChooseMnu;

  // 1 standard view, 2 text/HTML view, 4 print preview.
  uint8_t ViewMode = 1;
  // Item data of the entry whose recipe was shown last; -1 for none.
  int ShownItem = -1;
  // Set while a typed character moves the selection: that move shows no recipe.
  uint8_t KeySelect = 0;
  // Set while the chosen entry is a menu open in the menu planner.
  uint8_t MenuShown = 0;

 private:
  // The editor's save question before the shown recipe is replaced; false stops the action.
  bool EditorAgrees(bool reselect);
  void ShowEmptyView();
  // Shows the current entry in the view of ViewMode.
  void ShowByViewMode(bool force);
  // The current entry when it is selected; -1 otherwise.
  int SelectedCurrentRow() const;
  void RemoveRow(int row);
  void SetSearchColour(int state);  // 0 normal, 1 found, 2 not found
  void BuildPopupMenu();

  bool filling_ = false;
  bool listHadFocus_ = false;
  int categoryIndex_ = 0;  // the filter as it stood before the user changed it
};

extern TChooseRezDlg* ChooseRezDlg;

}  // namespace tav
