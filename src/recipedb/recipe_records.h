#pragma once
// The tools module's recipe services: the reset of a recipe record and the parser of the
// key/value lists that recipe records hold ("|n|len:len|key~value|...").
#include <string_view>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

// Resets the recipe to a new, empty one: texts empty, serving type message 575, 4 servings,
// quality and difficulty '0', ids, number, categories, book id, line count and flags 0, all
// lists empty. The deleted byte stays as it was.
void ClearRezBlock(REZBLOCK& recipe);

// Gives the recipe a new identifier (NewRecipeId): both halves are replaced.
void GiveNewRecipeId(REZBLOCK& recipe);

// Reads a key/value list into `entries` (emptied first). True when all of its entries were
// read; on failure the entries read so far stay. "|0|" gives false with no entries.
bool ParseDbEntries(std::string_view text, std::vector<DBDATAENTRY>& entries);

}  // namespace tav
