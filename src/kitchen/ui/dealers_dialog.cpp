#include "kitchen/ui/dealers_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TThekeDlg* ThekeDlg = nullptr;

TThekeDlg::TThekeDlg(QWidget* parent) : QDialog(parent) {
  ThekeDlg = this;
  setObjectName(QStringLiteral("ThekeDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
