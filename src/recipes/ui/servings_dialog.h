#pragma once
// Number of servings shown.
#include <QDialog>

namespace tav {

class TPersAnzDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPersAnzDlg(QWidget* parent = nullptr);
};

extern TPersAnzDlg* PersAnzDlg;

}  // namespace tav
