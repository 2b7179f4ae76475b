#pragma once
// Units window; owns the unit table.
#include <QDialog>

namespace tav {

class TEinheitenDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TEinheitenDlg(QWidget* parent = nullptr);
};

extern TEinheitenDlg* EinheitenDlg;

}  // namespace tav
