#pragma once
// The readable text format: one recipe as plain text for people (title, the ingredients of each
// group in two columns, the preparation text, the remarks and the key figures chosen for the
// text exports), and the trailer line that ends an output file. Lines go out through the run's
// output lines; nothing is converted or transliterated.
#include "recipedb/recipe_model.h"

namespace tav {

class ExportRun;

// Writes the recipe. An export of more than the current recipe ends it with 76 dashes.
void WriteReadableText(ExportRun& run, const REZBLOCK& recipe);

// Message 129 and the program version, unless option 36 is set; only for the readable format.
void WriteTextTrailer(ExportRun& run);

// One row of the two-column ingredient table: the left item is filled to 38 columns (unless its
// amount or text is longer), the right one is not filled unless it is a description line.
// `right` may be null.
std::string ReadableIngredientRow(const REZZUTAT& left, const REZZUTAT* right);

}  // namespace tav
