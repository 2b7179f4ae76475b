#include "nutrients/ui/food_browser_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TBLSMainDlg* BLSMainDlg = nullptr;

TBLSMainDlg::TBLSMainDlg(QWidget* parent) : QDialog(parent) {
  BLSMainDlg = this;
  setObjectName(QStringLiteral("BLSMainDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
