#pragma once
// Ingredient window; owns the ingredient catalogue.
#include <QDialog>

namespace tav {

class TZutatenDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TZutatenDlg(QWidget* parent = nullptr);
};

extern TZutatenDlg* ZutatenDlg;

}  // namespace tav
