#include "nutrients/ui/food_search_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TBLSSearchDlg* BLSSearchDlg = nullptr;

TBLSSearchDlg::TBLSSearchDlg(QWidget* parent) : QDialog(parent) {
  BLSSearchDlg = this;
  setObjectName(QStringLiteral("BLSSearchDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
