#pragma once
// The recipe title list export window (TExpRezListDlg, an exchange window) as the recipe list's
// popup menu sees it. The window registers itself; TitleListExport() is null while there is
// none, and the menu item is off then.
#include "services/registered.h"

namespace tav {

class RecipeListExport {
 public:
  virtual ~RecipeListExport() = default;
  // Shows the window modally.
  virtual void ShowRecipeListExport() = 0;
};

inline RecipeListExport* TitleListExport() {
  return Registered<RecipeListExport>::Get();
}

}  // namespace tav
