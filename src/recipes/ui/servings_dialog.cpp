#include "recipes/ui/servings_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TPersAnzDlg* PersAnzDlg = nullptr;

TPersAnzDlg::TPersAnzDlg(QWidget* parent) : QDialog(parent) {
  PersAnzDlg = this;
  setObjectName(QStringLiteral("PersAnzDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
