#pragma once
// Recipe import window.
#include <QDialog>

namespace tav {

class TImportDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TImportDlg(QWidget* parent = nullptr);
};

extern TImportDlg* ImportDlg;

}  // namespace tav
