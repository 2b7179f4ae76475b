#pragma once
// Input of one category.
#include <QDialog>

namespace tav {

class TInpGattDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TInpGattDlg(QWidget* parent = nullptr);
};

extern TInpGattDlg* InpGattDlg;

}  // namespace tav
