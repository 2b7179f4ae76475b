#pragma once
// Standard view of the shown recipe (hosts the data, info and ingredient panes).
#include <QWidget>

namespace tav {

class TshowRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TshowRezDlg(QWidget* parent = nullptr);
};

extern TshowRezDlg* showRezDlg;

}  // namespace tav
