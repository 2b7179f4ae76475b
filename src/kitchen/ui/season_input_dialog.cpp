#include "kitchen/ui/season_input_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TSaisonInpDlg* SaisonInpDlg = nullptr;

TSaisonInpDlg::TSaisonInpDlg(QWidget* parent) : QDialog(parent) {
  SaisonInpDlg = this;
  setObjectName(QStringLiteral("SaisonInpDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
