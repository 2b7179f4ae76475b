#pragma once
// Recipe list with filter, docked into the left pane.
#include <QWidget>

namespace tav {

class TChooseRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TChooseRezDlg(QWidget* parent = nullptr);
};

extern TChooseRezDlg* ChooseRezDlg;

}  // namespace tav
