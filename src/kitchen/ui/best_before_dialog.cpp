#include "kitchen/ui/best_before_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TCoolMHDDlg* CoolMHDDlg = nullptr;

TCoolMHDDlg::TCoolMHDDlg(QWidget* parent) : QDialog(parent) {
  CoolMHDDlg = this;
  setObjectName(QStringLiteral("CoolMHDDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
