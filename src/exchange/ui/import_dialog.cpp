#include "exchange/ui/import_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TImportDlg* ImportDlg = nullptr;

TImportDlg::TImportDlg(QWidget* parent) : QDialog(parent) {
  ImportDlg = this;
  setObjectName(QStringLiteral("ImportDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
