#include "nutrients/ui/food_chooser_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TBLSChooseDlg* BLSChooseDlg = nullptr;

TBLSChooseDlg::TBLSChooseDlg(QWidget* parent) : QDialog(parent) {
  BLSChooseDlg = this;
  setObjectName(QStringLiteral("BLSChooseDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
