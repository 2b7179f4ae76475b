#include "diary/ui/calendar_window.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TDateInpDlg* DateInpDlg = nullptr;

TDateInpDlg::TDateInpDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  DateInpDlg = this;
  setObjectName(QStringLiteral("DateInpDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
