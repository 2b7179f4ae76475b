#include "kitchen/ui/season_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TSaisonDlg* SaisonDlg = nullptr;

TSaisonDlg::TSaisonDlg(QWidget* parent) : QDialog(parent) {
  SaisonDlg = this;
  setObjectName(QStringLiteral("SaisonDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
