#pragma once
// Choice of the key figures.
#include <QDialog>

namespace tav {

class TKenndatenDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TKenndatenDlg(QWidget* parent = nullptr);
};

extern TKenndatenDlg* KenndatenDlg;

}  // namespace tav
