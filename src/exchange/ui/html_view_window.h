#pragma once
// Text/HTML view of the shown recipe.
#include <QWidget>

#include "recipes/ui/recipe_output_views.h"

namespace tav {

class THTMLRezDlg : public QWidget, public RecipeOutputView {
  Q_OBJECT
 public:
  explicit THTMLRezDlg(QWidget* parent = nullptr);
  ~THTMLRezDlg() override;

  QWidget* ViewWidget() override { return this; }
};

extern THTMLRezDlg* HTMLRezDlg;

}  // namespace tav
