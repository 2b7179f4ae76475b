#pragma once
// Picker for one catalogue ingredient.
#include <QDialog>

namespace tav {

class TGetZutatDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TGetZutatDlg(QWidget* parent = nullptr);
};

extern TGetZutatDlg* GetZutatDlg;

}  // namespace tav
