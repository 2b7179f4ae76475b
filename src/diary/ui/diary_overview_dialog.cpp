#include "diary/ui/diary_overview_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TENViewDayDlg* ENViewDayDlg = nullptr;

TENViewDayDlg::TENViewDayDlg(QWidget* parent) : QDialog(parent) {
  ENViewDayDlg = this;
  setObjectName(QStringLiteral("ENViewDayDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
