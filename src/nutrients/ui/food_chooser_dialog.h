#pragma once
// Food chooser.
#include <QDialog>

namespace tav {

class TBLSChooseDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TBLSChooseDlg(QWidget* parent = nullptr);
};

extern TBLSChooseDlg* BLSChooseDlg;

}  // namespace tav
