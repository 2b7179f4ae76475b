#include "recipedb/ui/units_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TEinheitenDlg* EinheitenDlg = nullptr;

TEinheitenDlg::TEinheitenDlg(QWidget* parent) : QDialog(parent) {
  EinheitenDlg = this;
  setObjectName(QStringLiteral("EinheitenDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
