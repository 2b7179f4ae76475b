#pragma once
// Input of one unit of measure.
#include <QDialog>

namespace tav {

class TInpEinheitDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TInpEinheitDlg(QWidget* parent = nullptr);
};

extern TInpEinheitDlg* InpEinheitDlg;

}  // namespace tav
