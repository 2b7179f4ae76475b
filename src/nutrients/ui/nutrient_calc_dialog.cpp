#include "nutrients/ui/nutrient_calc_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TBLSZutatDlg* BLSZutatDlg = nullptr;

TBLSZutatDlg::TBLSZutatDlg(QWidget* parent) : QDialog(parent) {
  BLSZutatDlg = this;
  setObjectName(QStringLiteral("BLSZutatDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
