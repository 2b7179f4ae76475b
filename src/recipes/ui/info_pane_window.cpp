#include "recipes/ui/info_pane_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TInfoRezDlg* InfoRezDlg = nullptr;

TInfoRezDlg::TInfoRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  InfoRezDlg = this;
  setObjectName(QStringLiteral("InfoRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
