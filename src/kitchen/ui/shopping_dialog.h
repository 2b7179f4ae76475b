#pragma once
// Finished shopping list.
#include <QDialog>

namespace tav {

class TEinkaufDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TEinkaufDlg(QWidget* parent = nullptr);
};

extern TEinkaufDlg* EinkaufDlg;

}  // namespace tav
