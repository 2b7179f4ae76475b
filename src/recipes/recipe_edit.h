#pragma once
// What the recipe editor decides without its window: preparing a loaded or a new recipe for
// editing, the change test against the copy taken at load, and storing an edited recipe into its
// book (new record, index entry, old record marked deleted).
#include <cstdint>
#include <string>

#include "recipedb/recipe_model.h"

namespace tav {

// Today as the editor writes its dates: "d.m.yyyy" (local time).
std::string EditDateToday();

// A loaded recipe before its baseline copy is taken: the preparation text ends with a line feed,
// and the change date, e-mail (option 62) and name (option 10) are today's.
void PrepareLoadedRecipe(REZBLOCK& recipe);

// A new, empty recipe (with the last source when option 77 asks for it). The editor takes its
// baseline copy after this step, so that a new recipe always counts as changed.
void ResetNewRecipe(REZBLOCK& recipe);
// The rest of a new recipe: identifier, creation and change data, one empty remark of the user,
// no pictures or nutrients, the servings of option 17.
void FillNewRecipe(REZBLOCK& recipe);

// A picture chosen or removed in the editor, not yet applied to the recipe's picture list.
struct PendingPicture {
  bool removed = false;    // the stored picture goes when the recipe is stored
  std::string chosenPath;  // a newly chosen file, "" when none
  bool Pending() const { return removed || !chosenPath.empty(); }
};

// The editor's change test: title, categories, identifier, servings and their type, quality,
// difficulty, card text, the other texts, remarks, pictures (a pending choice counts),
// nutrient amounts and lines (a line's unit compared without case). Number, deleted byte,
// flags, book id and menu courses are not compared.
bool RecipeChanged(const REZBLOCK& work, const REZBLOCK& loaded, const PendingPicture& picture);

// The servings, the line count or a line's amount, unit (without case), text, food key or
// grams differ: stored nutrient amounts no longer fit the recipe.
bool LinesOrServingsChanged(const REZBLOCK& work, const REZBLOCK& loaded);

// The units of the lines that Meal-Master cannot take, joined by ", "; "" when all can.
std::string UnusableMealMasterUnits(const REZBLOCK& recipe);

// Where an edited recipe lives. A new recipe (isNew) goes into the current book; an existing
// one is found by its book id and number.
struct EditedRecipeKey {
  bool isNew = true;
  int16_t bookId = 0;
  int32_t number = 0;
  uint8_t loadedFlags = 0;  // flags of a new recipe; a stored one keeps its entry's flags
};

// Stores the recipe: appends its record to its book, writes its index entry (appended for a new
// recipe, over the old one otherwise, counting the rewrite), and only then marks the old record
// deleted. A new recipe gets its number first. False when the number, the record or the index
// entry could not be written (the store has reported it); the book then keeps its old live
// entry, and a record written for nothing is marked deleted. A stored recipe keeps the flags its
// index entry has now (a mark set while it was edited stays); record and entry carry them. On
// success `entry` is the new index entry and `key` describes the stored recipe (no longer new).
bool StoreEditedRecipe(REZBLOCK& recipe, EditedRecipeKey& key, REZINDEX& entry);

}  // namespace tav
