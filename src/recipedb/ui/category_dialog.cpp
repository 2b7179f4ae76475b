#include "recipedb/ui/category_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TGattDlg* GattDlg = nullptr;

TGattDlg::TGattDlg(QWidget* parent) : QDialog(parent) {
  GattDlg = this;
  setObjectName(QStringLiteral("GattDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
