#pragma once
// Season editor of one ingredient.
#include <QDialog>

namespace tav {

class TSaisonInpDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TSaisonInpDlg(QWidget* parent = nullptr);
};

extern TSaisonInpDlg* SaisonInpDlg;

}  // namespace tav
