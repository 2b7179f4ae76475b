#pragma once
// Automatic import from a watched folder.
#include <QDialog>

namespace tav {

class TAutoImpDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TAutoImpDlg(QWidget* parent = nullptr);
};

extern TAutoImpDlg* AutoImpDlg;

}  // namespace tav
