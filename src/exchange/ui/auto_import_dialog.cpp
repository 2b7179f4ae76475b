#include "exchange/ui/auto_import_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TAutoImpDlg* AutoImpDlg = nullptr;

TAutoImpDlg::TAutoImpDlg(QWidget* parent) : QDialog(parent) {
  AutoImpDlg = this;
  setObjectName(QStringLiteral("AutoImpDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
