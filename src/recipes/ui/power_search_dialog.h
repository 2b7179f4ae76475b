#pragma once
// Power search across books.
#include <QDialog>

namespace tav {

class TPSearchDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPSearchDlg(QWidget* parent = nullptr);
};

extern TPSearchDlg* PSearchDlg;

}  // namespace tav
