#include "diary/ui/intake_tables_dialog.h"

#include "services/context.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TZufuhrDlg* ZufuhrDlg = nullptr;

TZufuhrDlg::TZufuhrDlg(QWidget* parent) : QDialog(parent) {
  ZufuhrDlg = this;
  setObjectName(QStringLiteral("ZufuhrDlg"));
  ctx().intake = this;
  ReadStoffCalc();
  if (LangDlg) LangDlg->TranslateForm(this);
}

TZufuhrDlg::~TZufuhrDlg() {
  if (ctx().intake == this) ctx().intake = nullptr;
  if (ZufuhrDlg == this) ZufuhrDlg = nullptr;
}

}  // namespace tav
