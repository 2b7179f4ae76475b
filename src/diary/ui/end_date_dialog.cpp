#include "diary/ui/end_date_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TDateToDlg* DateToDlg = nullptr;

TDateToDlg::TDateToDlg(QWidget* parent) : QDialog(parent) {
  DateToDlg = this;
  setObjectName(QStringLiteral("DateToDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
