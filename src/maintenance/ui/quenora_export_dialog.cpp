#include "maintenance/ui/quenora_export_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TQuenoraDlg* QuenoraDlg = nullptr;

TQuenoraDlg::TQuenoraDlg(QWidget* parent) : QDialog(parent) {
  QuenoraDlg = this;
  setObjectName(QStringLiteral("QuenoraDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
