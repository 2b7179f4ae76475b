#include "recipes/ui/quick_entry_page_window.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TQEditDlg* QEditDlg = nullptr;

TQEditDlg::TQEditDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  QEditDlg = this;
  setObjectName(QStringLiteral("QEditDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
