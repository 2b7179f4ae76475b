#include "recipes/ui/recipe_editor_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TEditRezDlg* EditRezDlg = nullptr;

TEditRezDlg::TEditRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  EditRezDlg = this;
  setObjectName(QStringLiteral("EditRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
