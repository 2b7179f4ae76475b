#include "recipedb/ui/category_input_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TInpGattDlg* InpGattDlg = nullptr;

TInpGattDlg::TInpGattDlg(QWidget* parent) : QDialog(parent) {
  InpGattDlg = this;
  setObjectName(QStringLiteral("InpGattDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
