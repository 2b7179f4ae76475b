#pragma once
// Filter groups; owns the nutrient table.
#include <QDialog>

namespace tav {

class TBLSFilterDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TBLSFilterDlg(QWidget* parent = nullptr);
};

extern TBLSFilterDlg* BLSFilterDlg;

}  // namespace tav
