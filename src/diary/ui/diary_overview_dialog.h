#pragma once
// Diary overview with the weight view.
#include <QDialog>

namespace tav {

class TENViewDayDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TENViewDayDlg(QWidget* parent = nullptr);
};

extern TENViewDayDlg* ENViewDayDlg;

}  // namespace tav
