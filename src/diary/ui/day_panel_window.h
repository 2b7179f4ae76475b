#pragma once
// Consumption list (day panel), docked into the right pane.
#include <QWidget>

namespace tav {

class TENAddDayDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TENAddDayDlg(QWidget* parent = nullptr);
};

extern TENAddDayDlg* ENAddDayDlg;

}  // namespace tav
