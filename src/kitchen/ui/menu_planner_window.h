#pragma once
// Menu planner, docked into the menu pane.
#include <QWidget>

namespace tav {

class TMenuCenterDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TMenuCenterDlg(QWidget* parent = nullptr);
};

extern TMenuCenterDlg* MenuCenterDlg;

}  // namespace tav
