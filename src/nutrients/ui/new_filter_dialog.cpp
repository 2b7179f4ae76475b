#include "nutrients/ui/new_filter_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TNewFilterDlg* NewFilterDlg = nullptr;

TNewFilterDlg::TNewFilterDlg(QWidget* parent) : QDialog(parent) {
  NewFilterDlg = this;
  setObjectName(QStringLiteral("NewFilterDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
