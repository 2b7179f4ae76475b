#pragma once
// Best-before warnings of the freezer.
#include <QDialog>

namespace tav {

class TCoolMHDDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TCoolMHDDlg(QWidget* parent = nullptr);
};

extern TCoolMHDDlg* CoolMHDDlg;

}  // namespace tav
