#pragma once
// Print preview view.
#include <QWidget>

#include "recipes/ui/recipe_output_views.h"

namespace tav {

class TPrintRezDlg : public QWidget, public RecipeOutputView {
  Q_OBJECT
 public:
  explicit TPrintRezDlg(QWidget* parent = nullptr);
  ~TPrintRezDlg() override;

  QWidget* ViewWidget() override { return this; }
};

extern TPrintRezDlg* PrintRezDlg;

}  // namespace tav
