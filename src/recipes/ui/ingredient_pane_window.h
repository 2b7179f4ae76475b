#pragma once
// Ingredient pane of the standard view.
#include <QWidget>

namespace tav {

class TZutatRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TZutatRezDlg(QWidget* parent = nullptr);
};

extern TZutatRezDlg* ZutatRezDlg;

}  // namespace tav
