#pragma once
// First-start takeover of newly installed data files.
#include <QDialog>

namespace tav {

class TUpdaterDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TUpdaterDlg(QWidget* parent = nullptr);
  // Sets the window up for the installation it takes over.
  void PrepareUpdateDialog();
  // Nothing to take over yet: returns at once without showing the window.
  int exec() override;
};

extern TUpdaterDlg* UpdaterDlg;

}  // namespace tav
