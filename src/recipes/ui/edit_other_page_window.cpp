#include "recipes/ui/edit_other_page_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TAEditDlg* AEditDlg = nullptr;

TAEditDlg::TAEditDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  AEditDlg = this;
  setObjectName(QStringLiteral("AEditDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
