#include "maintenance/ui/backup_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TBackupDlg* BackupDlg = nullptr;

TBackupDlg::TBackupDlg(QWidget* parent) : QDialog(parent) {
  BackupDlg = this;
  setObjectName(QStringLiteral("BackupDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
