#include "exchange/recipe_list_snapshot.h"

#include <algorithm>

#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "services/context.h"

namespace tav {

bool RecipeListSnapshot::Selected(int row) const {
  return row >= 0 && row < static_cast<int>(selected.size()) && selected[static_cast<size_t>(row)];
}

bool RecipeListSnapshot::AnySelected() const {
  return std::find(selected.begin(), selected.end(), uint8_t{1}) != selected.end();
}

bool RecipeListSnapshot::Entry(int row, REZINDEX& out) const {
  if (row < 0 || row >= Count() || !ctx().dbList) return false;
  const int item = items[static_cast<size_t>(row)];
  if (searchMode) return ctx().dbList->GetSearchEntry(out, item);
  const std::vector<REZINDEX>& index = ctx().dbList->BookIndex();
  if (item < 0 || item >= static_cast<int>(index.size())) return false;
  out = index[static_cast<size_t>(item)];
  return true;
}

int RecipeListSnapshot::CurrentRecipeRow() const {
  if (!AnySelected()) return -1;
  if (currentRow >= 0 && currentRow < Count()) return currentRow;
  for (int row = 0; row < Count(); ++row)
    if (Selected(row)) return row;
  return -1;
}

bool ReadRecipeOfListItem(int item, bool searchMode, REZBLOCK& recipe) {
  ClearRezBlock(recipe);
  TdbList* store = ctx().dbList;
  if (!store || item < 0) return false;
  if (searchMode) {
    REZINDEX entry;
    if (!store->GetSearchEntry(entry, item)) return false;
    if (!store->ReadRezBlockByKey(entry.bookId, entry.number, recipe)) return false;
    recipe.bookId = entry.bookId;
    return true;
  }
  if (item >= static_cast<int>(store->BookIndex().size())) return false;
  if (!store->ReadRezBlock(std::string(), nullptr, item, recipe)) return false;
  recipe.bookId = ctx().books ? ctx().books->GetAktKBookId() : store->BookId();
  return true;
}

}  // namespace tav
