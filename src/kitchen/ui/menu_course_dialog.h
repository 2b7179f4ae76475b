#pragma once
// Menu courses editor.
#include <QDialog>

namespace tav {

class TMenuEditDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TMenuEditDlg(QWidget* parent = nullptr);
};

extern TMenuEditDlg* MenuEditDlg;

}  // namespace tav
