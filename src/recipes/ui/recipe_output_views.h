#pragma once
// The text/HTML view and the print preview of the shown recipe are exchange windows; the recipe
// list shows them in the main window's centre pane through this interface. Each registers
// itself; OutputView() is null while it does not exist.
#include "services/registered.h"

class QWidget;

namespace tav {

enum class OutputViewKind { HTML, Print };

class RecipeOutputView {
 public:
  virtual ~RecipeOutputView() = default;
  // The window that goes into the centre pane.
  virtual QWidget* ViewWidget() = 0;
};

inline RecipeOutputView* OutputView(OutputViewKind kind) {
  return kind == OutputViewKind::HTML ? Registered<RecipeOutputView, OutputViewKind::HTML>::Get()
                                      : Registered<RecipeOutputView, OutputViewKind::Print>::Get();
}

}  // namespace tav
