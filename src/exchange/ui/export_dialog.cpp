#include "exchange/ui/export_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TExportDlg* ExportDlg = nullptr;

TExportDlg::TExportDlg(QWidget* parent) : QDialog(parent) {
  ExportDlg = this;
  setObjectName(QStringLiteral("ExportDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
