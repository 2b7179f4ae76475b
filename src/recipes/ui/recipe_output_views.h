#pragma once
// The text/HTML view and the print preview of the shown recipe are exchange windows; the recipe
// list, the main window and the servings dialog reach them through this interface. Each
// registers itself; OutputView() is null while it does not exist.
#include <string>

#include "services/registered.h"

class QWidget;

namespace tav {

enum class OutputViewKind { HTML, Print };

class RecipeOutputView {
 public:
  virtual ~RecipeOutputView() = default;
  // The window that goes into the centre pane.
  virtual QWidget* ViewWidget() = 0;
  // Shows the recipe of recipe list position `item` (its item data): the HTML view takes the
  // recipe selected in the list, the preview the one at `item`.
  virtual void ShowListRecipe(int item) = 0;
  // Shows the recipe again at the chosen servings (the servings dialog, the week planner).
  virtual void RefreshView() = 0;
  // The serving type of the recipe shown.
  virtual std::string ShownServingType() const = 0;
};

inline RecipeOutputView* OutputView(OutputViewKind kind) {
  return kind == OutputViewKind::HTML ? Registered<RecipeOutputView, OutputViewKind::HTML>::Get()
                                      : Registered<RecipeOutputView, OutputViewKind::Print>::Get();
}

}  // namespace tav
