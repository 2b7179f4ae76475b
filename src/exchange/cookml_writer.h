#pragma once
// The CookML writer: the file's header and one <recipe> element per recipe, as the CookML reader
// reads them back. Every text of the recipe, in an element or an attribute, is XML-escaped and
// written as UTF-8; control characters that XML does not allow become blanks.
#include "recipedb/recipe_model.h"

namespace tav {

class ExportRun;

// The four header lines (with the UTF-8 byte order mark before the first when option 89 is on).
void WriteCookMLHeader(ExportRun& run);
// One <recipe> element. The recipe is the run's working copy: amounts become decimal numbers
// and units Meal-Master ones where a Meal-Master unit converts into them (units left as they
// are named in the run's log). Pictures go in with option 49: addresses as <picture>, files
// Base64-coded as <picbin>.
void WriteCookMLRecipe(ExportRun& run, REZBLOCK& recipe);

}  // namespace tav
