#pragma once
// The Meal-Master writer: one recipe as a Meal-Master block (header line, title, categories and
// servings, the ingredients in fixed columns, a source block, the preparation text, the remarks,
// the key-figure lines and the end line "MMMMM"), in the line shapes the Meal-Master reader
// finds again. Texts are transliterated when option 31 asks for it; the run's line output turns
// umlauts into the DOS code page when option 21 asks for it.
#include <string>

#include "recipedb/recipe_model.h"

namespace tav {

class ExportRun;

// Writes the block. The recipe is the run's working copy: texts are transliterated, amounts and
// units made Meal-Master ones (texts cut to 28 characters). Units without a Meal-Master
// equivalent, cut texts and a sixth category are named in the run's log.
void WriteMealMaster(ExportRun& run, REZBLOCK& recipe);

// The leading part of an ingredient line: the amount right-aligned in seven columns and a
// blank (a longer amount is not cut), every ',' made '.'.
std::string MealMasterAmountColumn(const std::string& amount);

}  // namespace tav
