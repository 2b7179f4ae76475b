#include "exchange/ui/print_preview_window.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TPrintRezDlg* PrintRezDlg = nullptr;

TPrintRezDlg::TPrintRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  PrintRezDlg = this;
  Registered<RecipeOutputView, OutputViewKind::Print>::Enter(this);
  setObjectName(QStringLiteral("PrintRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

TPrintRezDlg::~TPrintRezDlg() {
  Registered<RecipeOutputView, OutputViewKind::Print>::Leave(this);
}

}  // namespace tav
