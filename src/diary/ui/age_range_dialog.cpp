#include "diary/ui/age_range_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TAgeInputDlg* AgeInputDlg = nullptr;

TAgeInputDlg::TAgeInputDlg(QWidget* parent) : QDialog(parent) {
  AgeInputDlg = this;
  setObjectName(QStringLiteral("AgeInputDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
