#include "recipes/ui/key_figures_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TKenndatenDlg* KenndatenDlg = nullptr;

TKenndatenDlg::TKenndatenDlg(QWidget* parent) : QDialog(parent) {
  KenndatenDlg = this;
  setObjectName(QStringLiteral("KenndatenDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
