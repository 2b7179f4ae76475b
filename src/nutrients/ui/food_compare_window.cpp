#include "nutrients/ui/food_compare_window.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TBLSCompareDlg* BLSCompareDlg = nullptr;

TBLSCompareDlg::TBLSCompareDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  BLSCompareDlg = this;
  setObjectName(QStringLiteral("BLSCompareDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
