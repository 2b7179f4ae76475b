#include "kitchen/ui/week_plan_window.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TWPlanDlg* WPlanDlg = nullptr;

TWPlanDlg::TWPlanDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  WPlanDlg = this;
  setObjectName(QStringLiteral("WPlanDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
