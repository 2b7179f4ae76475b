#include "exchange/ui/html_view_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

THTMLRezDlg* HTMLRezDlg = nullptr;

THTMLRezDlg::THTMLRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  HTMLRezDlg = this;
  setObjectName(QStringLiteral("HTMLRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
