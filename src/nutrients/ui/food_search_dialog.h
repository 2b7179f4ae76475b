#pragma once
// Food search.
#include <QDialog>

namespace tav {

class TBLSSearchDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TBLSSearchDlg(QWidget* parent = nullptr);
};

extern TBLSSearchDlg* BLSSearchDlg;

}  // namespace tav
