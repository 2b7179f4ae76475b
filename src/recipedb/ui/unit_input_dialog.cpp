#include "recipedb/ui/unit_input_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TInpEinheitDlg* InpEinheitDlg = nullptr;

TInpEinheitDlg::TInpEinheitDlg(QWidget* parent) : QDialog(parent) {
  InpEinheitDlg = this;
  setObjectName(QStringLiteral("InpEinheitDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
