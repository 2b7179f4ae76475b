#include "kitchen/ui/shopping_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TEinkaufDlg* EinkaufDlg = nullptr;

TEinkaufDlg::TEinkaufDlg(QWidget* parent) : QDialog(parent) {
  EinkaufDlg = this;
  setObjectName(QStringLiteral("EinkaufDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
