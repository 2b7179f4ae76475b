#pragma once
// User survey.
#include <QDialog>

namespace tav {

class TUmfrageDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TUmfrageDlg(QWidget* parent = nullptr);
};

extern TUmfrageDlg* UmfrageDlg;

}  // namespace tav
