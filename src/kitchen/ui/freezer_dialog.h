#pragma once
// Freezer inventory.
#include <QDialog>

namespace tav {

class TCoolDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TCoolDlg(QWidget* parent = nullptr);
};

extern TCoolDlg* CoolDlg;

}  // namespace tav
