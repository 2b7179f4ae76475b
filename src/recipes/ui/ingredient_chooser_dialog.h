#pragma once
// Ingredient chooser for one ingredient line.
#include <QDialog>

namespace tav {

class TChooseZutatDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TChooseZutatDlg(QWidget* parent = nullptr);
};

extern TChooseZutatDlg* ChooseZutatDlg;

}  // namespace tav
