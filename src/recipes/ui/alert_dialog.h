#pragma once
// Notice that closes itself.
#include <QDialog>

namespace tav {

class TAlertDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TAlertDlg(QWidget* parent = nullptr);
};

extern TAlertDlg* AlertDlg;

}  // namespace tav
