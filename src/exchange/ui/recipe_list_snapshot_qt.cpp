#include "exchange/ui/recipe_list_snapshot_qt.h"

#include "recipes/ui/recipe_list_window.h"

namespace tav {

RecipeListSnapshot TakeRecipeListSnapshot() {
  RecipeListSnapshot rows;
  if (!ChooseRezDlg) return rows;
  const int n = ChooseRezDlg->Count();
  rows.items.reserve(static_cast<size_t>(n));
  for (int row = 0; row < n; ++row) rows.items.push_back(ChooseRezDlg->ItemData(row));
  rows.selected.assign(static_cast<size_t>(n), 0);
  for (int row : ChooseRezDlg->SelectedRows())
    if (row >= 0 && row < n) rows.selected[static_cast<size_t>(row)] = 1;
  rows.currentRow = ChooseRezDlg->CurrentRow();
  rows.searchMode = ChooseRezDlg->IsSearchMode();
  return rows;
}

}  // namespace tav
