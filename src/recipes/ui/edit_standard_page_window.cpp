#include "recipes/ui/edit_standard_page_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TNEditDlg* NEditDlg = nullptr;

TNEditDlg::TNEditDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  NEditDlg = this;
  setObjectName(QStringLiteral("NEditDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
