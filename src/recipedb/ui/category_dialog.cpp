#include "recipedb/ui/category_dialog.h"

#include "services/context.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TGattDlg* GattDlg = nullptr;

TGattDlg::TGattDlg(QWidget* parent) : QDialog(parent) {
  GattDlg = this;
  setObjectName(QStringLiteral("GattDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
  categories.ReadGattungen();
  ctx().categories = &categories;
}

TGattDlg::~TGattDlg() {
  if (ctx().categories == &categories) ctx().categories = nullptr;
}

}  // namespace tav
