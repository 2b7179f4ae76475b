#pragma once
// Portion units window.
#include <QDialog>

namespace tav {

class TPortionsDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPortionsDlg(QWidget* parent = nullptr);
};

extern TPortionsDlg* PortionsDlg;

}  // namespace tav
