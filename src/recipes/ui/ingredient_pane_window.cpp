#include "recipes/ui/ingredient_pane_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TZutatRezDlg* ZutatRezDlg = nullptr;

TZutatRezDlg::TZutatRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  ZutatRezDlg = this;
  setObjectName(QStringLiteral("ZutatRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
