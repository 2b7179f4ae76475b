#pragma once
// The RezKonv writer: one recipe as a RezKonv block, the parts of the Meal-Master block with
// German labels, "=" frames, wider columns and unit names in place of unit codes, in the line
// shapes the RezKonv reader finds again. Nothing is transliterated or converted.
#include "recipedb/recipe_model.h"

namespace tav {

class ExportRun;

// Writes the block. The recipe is the run's working copy: fraction signs become fractions and
// units listed in "RkKonvert.dat" their singular or plural names. A sixth category is named in
// the run's log.
void WriteRezKonv(ExportRun& run, REZBLOCK& recipe);

}  // namespace tav
