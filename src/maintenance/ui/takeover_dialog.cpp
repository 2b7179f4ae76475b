#include "maintenance/ui/takeover_dialog.h"

namespace tav {

TUpdaterDlg* UpdaterDlg = nullptr;

TUpdaterDlg::TUpdaterDlg(QWidget* parent) : QDialog(parent) {
  UpdaterDlg = this;
  setObjectName(QStringLiteral("UpdaterDlg"));
}

void TUpdaterDlg::PrepareUpdateDialog() {}

int TUpdaterDlg::exec() {
  return QDialog::Accepted;
}

}  // namespace tav
