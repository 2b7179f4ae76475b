#include "recipes/ui/bulk_change_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TMultiChangeDlg* MultiChangeDlg = nullptr;

TMultiChangeDlg::TMultiChangeDlg(QWidget* parent) : QDialog(parent) {
  MultiChangeDlg = this;
  setObjectName(QStringLiteral("MultiChangeDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
