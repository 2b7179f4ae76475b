#pragma once
// The recipe list pane's rows as the exports take them at the start of a run.
#include "exchange/recipe_list_snapshot.h"

namespace tav {

// The rows of ChooseRezDlg (none when it does not exist).
RecipeListSnapshot TakeRecipeListSnapshot();

}  // namespace tav
