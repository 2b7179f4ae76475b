#pragma once
// Recipe title list export.
#include <QDialog>

namespace tav {

class TExpRezListDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TExpRezListDlg(QWidget* parent = nullptr);
};

extern TExpRezListDlg* ExpRezListDlg;

}  // namespace tav
