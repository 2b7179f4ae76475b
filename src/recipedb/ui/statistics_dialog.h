#pragma once
// Book statistics.
#include <QDialog>

namespace tav {

class TStatistikDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TStatistikDlg(QWidget* parent = nullptr);
};

extern TStatistikDlg* StatistikDlg;

}  // namespace tav
