#include "recipedb/ui/ingredients_dialog.h"

#include "services/context.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TZutatenDlg* ZutatenDlg = nullptr;

TZutatenDlg::TZutatenDlg(QWidget* parent) : QDialog(parent) {
  ZutatenDlg = this;
  setObjectName(QStringLiteral("ZutatenDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
  catalogue.ReadZutaten();
  ctx().ingredients = &catalogue;
}

TZutatenDlg::~TZutatenDlg() {
  if (ctx().ingredients == &catalogue) ctx().ingredients = nullptr;
}

}  // namespace tav
