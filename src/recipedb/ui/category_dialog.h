#pragma once
// Category window; owns the category table.
#include <QDialog>

namespace tav {

class TGattDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TGattDlg(QWidget* parent = nullptr);
};

extern TGattDlg* GattDlg;

}  // namespace tav
