#include "recipes/ui/portions_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TPortionsDlg* PortionsDlg = nullptr;

TPortionsDlg::TPortionsDlg(QWidget* parent) : QDialog(parent) {
  PortionsDlg = this;
  setObjectName(QStringLiteral("PortionsDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
