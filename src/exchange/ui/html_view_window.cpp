#include "exchange/ui/html_view_window.h"

#include "services/ui/lang_dialog.h"

namespace tav {

THTMLRezDlg* HTMLRezDlg = nullptr;

THTMLRezDlg::THTMLRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  HTMLRezDlg = this;
  Registered<RecipeOutputView, OutputViewKind::HTML>::Enter(this);
  setObjectName(QStringLiteral("HTMLRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

THTMLRezDlg::~THTMLRezDlg() {
  Registered<RecipeOutputView, OutputViewKind::HTML>::Leave(this);
}

}  // namespace tav
