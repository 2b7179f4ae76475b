#include "kitchen/ui/menu_course_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TMenuEditDlg* MenuEditDlg = nullptr;

TMenuEditDlg::TMenuEditDlg(QWidget* parent) : QDialog(parent) {
  MenuEditDlg = this;
  setObjectName(QStringLiteral("MenuEditDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
