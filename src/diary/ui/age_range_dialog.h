#pragma once
// New age range of an intake table.
#include <QDialog>

namespace tav {

class TAgeInputDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TAgeInputDlg(QWidget* parent = nullptr);
};

extern TAgeInputDlg* AgeInputDlg;

}  // namespace tav
