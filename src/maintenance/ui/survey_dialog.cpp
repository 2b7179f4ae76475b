#include "maintenance/ui/survey_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TUmfrageDlg* UmfrageDlg = nullptr;

TUmfrageDlg::TUmfrageDlg(QWidget* parent) : QDialog(parent) {
  UmfrageDlg = this;
  setObjectName(QStringLiteral("UmfrageDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
