#include "recipes/ui/standard_view_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TshowRezDlg* showRezDlg = nullptr;

TshowRezDlg::TshowRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  showRezDlg = this;
  setObjectName(QStringLiteral("showRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
