#include "recipedb/ui/statistics_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TStatistikDlg* StatistikDlg = nullptr;

TStatistikDlg::TStatistikDlg(QWidget* parent) : QDialog(parent) {
  StatistikDlg = this;
  setObjectName(QStringLiteral("StatistikDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
