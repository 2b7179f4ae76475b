#include "exchange/ui/recipe_list_export_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TExpRezListDlg* ExpRezListDlg = nullptr;

TExpRezListDlg::TExpRezListDlg(QWidget* parent) : QDialog(parent) {
  ExpRezListDlg = this;
  setObjectName(QStringLiteral("ExpRezListDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
