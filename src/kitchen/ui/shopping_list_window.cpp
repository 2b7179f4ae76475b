#include "kitchen/ui/shopping_list_window.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TKaufRezListDlg* KaufRezListDlg = nullptr;

TKaufRezListDlg::TKaufRezListDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  KaufRezListDlg = this;
  setObjectName(QStringLiteral("KaufRezListDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
