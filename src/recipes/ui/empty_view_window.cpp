#include "recipes/ui/empty_view_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TEmptyDlg* EmptyDlg = nullptr;

TEmptyDlg::TEmptyDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  EmptyDlg = this;
  setObjectName(QStringLiteral("EmptyDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
