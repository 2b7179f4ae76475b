#pragma once
// Seasonal calendar.
#include <QDialog>

namespace tav {

class TSaisonDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TSaisonDlg(QWidget* parent = nullptr);
};

extern TSaisonDlg* SaisonDlg;

}  // namespace tav
