#include "recipes/ui/duplicate_search_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TDupesDlg* DupesDlg = nullptr;

TDupesDlg::TDupesDlg(QWidget* parent) : QDialog(parent) {
  DupesDlg = this;
  setObjectName(QStringLiteral("DupesDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
