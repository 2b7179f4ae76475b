#include "recipes/ui/power_search_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TPSearchDlg* PSearchDlg = nullptr;

TPSearchDlg::TPSearchDlg(QWidget* parent) : QDialog(parent) {
  PSearchDlg = this;
  setObjectName(QStringLiteral("PSearchDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
