#include "kitchen/ui/week_plan_remark_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TWPBemDlg* WPBemDlg = nullptr;

TWPBemDlg::TWPBemDlg(QWidget* parent) : QDialog(parent) {
  WPBemDlg = this;
  setObjectName(QStringLiteral("WPBemDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
