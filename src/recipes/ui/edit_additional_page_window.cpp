#include "recipes/ui/edit_additional_page_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TZEditDlg* ZEditDlg = nullptr;

TZEditDlg::TZEditDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  ZEditDlg = this;
  setObjectName(QStringLiteral("ZEditDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
