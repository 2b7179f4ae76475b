#include "exchange/ui/print_start_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TPrintStartDlg* PrintStartDlg = nullptr;

TPrintStartDlg::TPrintStartDlg(QWidget* parent) : QDialog(parent) {
  PrintStartDlg = this;
  setObjectName(QStringLiteral("PrintStartDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
