#pragma once
// The Meal-Master reader: fixed-column recipes between a start line ("MMMMM----- Recipe via
// Meal-Master" or "---------- Recipe via Meal-Master") and an end line ("MMMMM" or "-----").
// It reads one- and two-column ingredient blocks, group headings of dashes, continuation
// lines, ingredient lines typed without columns, a "QUELLE" source block and the key-figure
// lines of the text.
#include <string>
#include <string_view>

#include "exchange/import_driver.h"

namespace tav {

// The reader takes the line, among a recipe's ingredients, for an ingredient (in the columns
// or typed without them), a group heading or the end line: a text line of that shape right
// after the ingredients is written behind a guard (text_export_blocks.h).
bool MealMasterIngredientShape(std::string_view line);

// Reads one recipe from the line after its start line up to its end line and stores it in
// `book`. A recipe that ends before its ingredients are read (the source ends, or the next
// recipe's start line comes, which goes back to the source) is not stored; one whose end line
// is missing is stored when the source ends or the next recipe starts in its text.
ReadResult ImportMealMaster(RecipeImporter& importer, const std::string& book);

}  // namespace tav
