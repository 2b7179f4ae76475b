#include "recipedb/ui/ingredients_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TZutatenDlg* ZutatenDlg = nullptr;

TZutatenDlg::TZutatenDlg(QWidget* parent) : QDialog(parent) {
  ZutatenDlg = this;
  setObjectName(QStringLiteral("ZutatenDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
