#pragma once
// The recipe list pane as the exports see it when they start: the item data of every row in
// list order, which rows are selected, the current row, and whether the list shows the search
// result (the item data then index the store's search result, else the current book's index).
// Taken once per run, so a long run reads no window and a selection of thousands of rows is
// looked at only once.
#include <cstdint>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

struct RecipeListSnapshot {
  std::vector<int> items;         // item data per row
  std::vector<uint8_t> selected;  // per row: 1 when selected
  int currentRow = -1;
  bool searchMode = false;

  int Count() const { return static_cast<int>(items.size()); }
  bool Selected(int row) const;
  bool AnySelected() const;
  // The store's index entry of a row (search result or book index); false when there is none.
  bool Entry(int row, REZINDEX& out) const;
  // The row the current-recipe export takes: the current row, or the first selected row when
  // the current one is none; -1 when nothing is selected.
  int CurrentRecipeRow() const;
};

// The recipe of a recipe list entry: by book and number from the search result in search mode,
// else the current book's entry at `item`; its book id set. False (recipe cleared) when it
// cannot be read (the store said why).
bool ReadRecipeOfListItem(int item, bool searchMode, REZBLOCK& recipe);

}  // namespace tav
