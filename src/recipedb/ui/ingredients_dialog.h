#pragma once
// Ingredient window; owns the ingredient catalogue.
#include <QDialog>

#include "recipedb/ingredient_catalogue.h"

namespace tav {

class TZutatenDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TZutatenDlg(QWidget* parent = nullptr);
  ~TZutatenDlg() override;

  // The ingredient catalogue, read when the window is created.
  IngredientCatalogue catalogue;
};

extern TZutatenDlg* ZutatenDlg;

}  // namespace tav
