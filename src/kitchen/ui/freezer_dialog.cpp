#include "kitchen/ui/freezer_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TCoolDlg* CoolDlg = nullptr;

TCoolDlg::TCoolDlg(QWidget* parent) : QDialog(parent) {
  CoolDlg = this;
  setObjectName(QStringLiteral("CoolDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
