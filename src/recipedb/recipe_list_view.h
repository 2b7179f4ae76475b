#pragma once
// What the recipe store asks of the recipe list pane (TChooseRezDlg): its category combo box,
// its list box and the two list operations. The pane implements it and sets ctx().recipeList.
#include "recipedb/recipe_model.h"

namespace tav {

class RecipeListView {
 public:
  virtual ~RecipeListView() = default;
  // True while the category combo box shows item 1, the search result.
  virtual bool IsSearchMode() const = 0;
  // Shows item `index` of the category combo box (0 = all recipes) without refilling the list.
  virtual void SetCategoryIndex(int index) = 0;
  // Around a fill: when the list box has the focus it moves to the combo box until EndFill,
  // and the list box's alignment is suspended.
  virtual void BeginFill() = 0;
  virtual void EndFill() = 0;
  // Removes every list entry.
  virtual void ClearRecipeList() = 0;
  // Adds one entry (its title, sorted in); `index` is the entry's position in the store's
  // visible vector and becomes the item data. Entries with the deleted byte set are not added.
  virtual void AddRecipeListItem(const REZINDEX* entry, int index) = 0;
  // The next ShowSelectedRecipe shows again (another book became current).
  virtual void ForgetShownRecipe() = 0;
  // Lets pending window messages run during a long load.
  virtual void ProcessMessages() {}
};

}  // namespace tav
