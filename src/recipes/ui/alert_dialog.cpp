#include "recipes/ui/alert_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TAlertDlg* AlertDlg = nullptr;

TAlertDlg::TAlertDlg(QWidget* parent) : QDialog(parent) {
  AlertDlg = this;
  setObjectName(QStringLiteral("AlertDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
