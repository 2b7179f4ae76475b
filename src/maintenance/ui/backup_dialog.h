#pragma once
// Backup and restore.
#include <QDialog>

namespace tav {

class TBackupDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TBackupDlg(QWidget* parent = nullptr);
};

extern TBackupDlg* BackupDlg;

}  // namespace tav
