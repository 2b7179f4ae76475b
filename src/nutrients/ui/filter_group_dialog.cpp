#include "nutrients/ui/filter_group_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TBLSFilterDlg* BLSFilterDlg = nullptr;

TBLSFilterDlg::TBLSFilterDlg(QWidget* parent) : QDialog(parent) {
  BLSFilterDlg = this;
  setObjectName(QStringLiteral("BLSFilterDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
