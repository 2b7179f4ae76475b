#include "recipes/ui/data_pane_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TDataRezDlg* DataRezDlg = nullptr;

TDataRezDlg::TDataRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  DataRezDlg = this;
  setObjectName(QStringLiteral("DataRezDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
