#pragma once
// Name of a new filter group.
#include <QDialog>

namespace tav {

class TNewFilterDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TNewFilterDlg(QWidget* parent = nullptr);
};

extern TNewFilterDlg* NewFilterDlg;

}  // namespace tav
