#include "diary/ui/person_list_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TPersListDlg* PersListDlg = nullptr;

TPersListDlg::TPersListDlg(QWidget* parent) : QDialog(parent) {
  PersListDlg = this;
  setObjectName(QStringLiteral("PersListDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
