#include "diary/ui/person_data_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TPersDataDlg* PersDataDlg = nullptr;

TPersDataDlg::TPersDataDlg(QWidget* parent) : QDialog(parent) {
  PersDataDlg = this;
  setObjectName(QStringLiteral("PersDataDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
