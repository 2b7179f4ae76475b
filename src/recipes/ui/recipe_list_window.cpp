#include "recipes/ui/recipe_list_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TChooseRezDlg* ChooseRezDlg = nullptr;

TChooseRezDlg::TChooseRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  ChooseRezDlg = this;
  setObjectName(QStringLiteral("ChooseRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
