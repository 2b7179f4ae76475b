#include "nutrients/ui/food_browser_dialog.h"

#include "services/context.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TBLSMainDlg* BLSMainDlg = nullptr;

TBLSMainDlg::TBLSMainDlg(QWidget* parent) : QDialog(parent) {
  BLSMainDlg = this;
  setObjectName(QStringLiteral("BLSMainDlg"));
  ctx().foods = this;
  Registered<FoodData>::Enter(this);
  // The translation follows the reading of the group index; without Index.bls it stays out.
  if (LoadBLSIndex() && LangDlg) LangDlg->TranslateForm(this);
}

TBLSMainDlg::~TBLSMainDlg() {
  if (ctx().foods == this) ctx().foods = nullptr;
  Registered<FoodData>::Leave(this);
}

}  // namespace tav
