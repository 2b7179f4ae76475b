#include "nutrients/ui/filter_group_dialog.h"

#include "services/context.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TBLSFilterDlg* BLSFilterDlg = nullptr;

TBLSFilterDlg::TBLSFilterDlg(QWidget* parent) : QDialog(parent) {
  BLSFilterDlg = this;
  setObjectName(QStringLiteral("BLSFilterDlg"));
  ctx().nutrients = this;
  // Without Fields.bls the window stays untranslated.
  if (LoadNutrientTable() && LangDlg) LangDlg->TranslateForm(this);
}

TBLSFilterDlg::~TBLSFilterDlg() {
  if (ctx().nutrients == this) ctx().nutrients = nullptr;
}

}  // namespace tav
