#pragma once
// Food browser.
#include <QDialog>

namespace tav {

class TBLSMainDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TBLSMainDlg(QWidget* parent = nullptr);
};

extern TBLSMainDlg* BLSMainDlg;

}  // namespace tav
