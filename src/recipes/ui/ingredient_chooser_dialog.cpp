#include "recipes/ui/ingredient_chooser_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TChooseZutatDlg* ChooseZutatDlg = nullptr;

TChooseZutatDlg::TChooseZutatDlg(QWidget* parent) : QDialog(parent) {
  ChooseZutatDlg = this;
  setObjectName(QStringLiteral("ChooseZutatDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
