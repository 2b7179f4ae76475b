#include "recipes/ui/ingredient_lines_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TEditZutatDlg* EditZutatDlg = nullptr;

TEditZutatDlg::TEditZutatDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  EditZutatDlg = this;
  setObjectName(QStringLiteral("EditZutatDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
