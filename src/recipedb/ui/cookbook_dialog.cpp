#include "recipedb/ui/cookbook_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TKBookDlg* KBookDlg = nullptr;

TKBookDlg::TKBookDlg(QWidget* parent) : QDialog(parent) {
  KBookDlg = this;
  setObjectName(QStringLiteral("KBookDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
