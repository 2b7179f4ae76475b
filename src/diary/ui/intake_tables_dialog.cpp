#include "diary/ui/intake_tables_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TZufuhrDlg* ZufuhrDlg = nullptr;

TZufuhrDlg::TZufuhrDlg(QWidget* parent) : QDialog(parent) {
  ZufuhrDlg = this;
  setObjectName(QStringLiteral("ZufuhrDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
