#include "kitchen/ui/menu_planner_window.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TMenuCenterDlg* MenuCenterDlg = nullptr;

TMenuCenterDlg::TMenuCenterDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  MenuCenterDlg = this;
  setObjectName(QStringLiteral("MenuCenterDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
