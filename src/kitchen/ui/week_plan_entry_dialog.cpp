#include "kitchen/ui/week_plan_entry_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TWPParaDlg* WPParaDlg = nullptr;

TWPParaDlg::TWPParaDlg(QWidget* parent) : QDialog(parent) {
  WPParaDlg = this;
  setObjectName(QStringLiteral("WPParaDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
