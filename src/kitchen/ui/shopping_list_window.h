#pragma once
// Shopping list of recipes, docked into the left pane.
#include <QWidget>

namespace tav {

class TKaufRezListDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TKaufRezListDlg(QWidget* parent = nullptr);
};

extern TKaufRezListDlg* KaufRezListDlg;

}  // namespace tav
