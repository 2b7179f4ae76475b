#pragma once
// Month calendar for picking a day.
#include <QWidget>

namespace tav {

class TDateInpDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TDateInpDlg(QWidget* parent = nullptr);
};

extern TDateInpDlg* DateInpDlg;

}  // namespace tav
