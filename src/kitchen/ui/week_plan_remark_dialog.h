#pragma once
// Remark of a week-plan day.
#include <QDialog>

namespace tav {

class TWPBemDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TWPBemDlg(QWidget* parent = nullptr);
};

extern TWPBemDlg* WPBemDlg;

}  // namespace tav
