#pragma once
// Ingredient line list of the standard input page.
#include <QWidget>

namespace tav {

class TEditZutatDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TEditZutatDlg(QWidget* parent = nullptr);
};

extern TEditZutatDlg* EditZutatDlg;

}  // namespace tav
