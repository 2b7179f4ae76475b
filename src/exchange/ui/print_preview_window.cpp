#include "exchange/ui/print_preview_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TPrintRezDlg* PrintRezDlg = nullptr;

TPrintRezDlg::TPrintRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  PrintRezDlg = this;
  setObjectName(QStringLiteral("PrintRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
