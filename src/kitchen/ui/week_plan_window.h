#pragma once
// Week plan, docked into the bottom pane.
#include <QWidget>

namespace tav {

class TWPlanDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TWPlanDlg(QWidget* parent = nullptr);
};

extern TWPlanDlg* WPlanDlg;

}  // namespace tav
