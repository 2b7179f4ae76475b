#pragma once
// Person list.
#include <QDialog>

namespace tav {

class TPersListDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPersListDlg(QWidget* parent = nullptr);
};

extern TPersListDlg* PersListDlg;

}  // namespace tav
