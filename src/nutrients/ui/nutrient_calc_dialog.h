#pragma once
// Nutrient calculation of a recipe.
#include <QDialog>

namespace tav {

class TBLSZutatDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TBLSZutatDlg(QWidget* parent = nullptr);
};

extern TBLSZutatDlg* BLSZutatDlg;

}  // namespace tav
