#pragma once
// Duplicate search.
#include <QDialog>

namespace tav {

class TDupesDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TDupesDlg(QWidget* parent = nullptr);
};

extern TDupesDlg* DupesDlg;

}  // namespace tav
