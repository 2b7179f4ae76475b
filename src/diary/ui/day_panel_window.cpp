#include "diary/ui/day_panel_window.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TENAddDayDlg* ENAddDayDlg = nullptr;

TENAddDayDlg::TENAddDayDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  ENAddDayDlg = this;
  setObjectName(QStringLiteral("ENAddDayDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
