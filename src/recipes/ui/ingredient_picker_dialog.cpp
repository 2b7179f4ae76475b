#include "recipes/ui/ingredient_picker_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TGetZutatDlg* GetZutatDlg = nullptr;

TGetZutatDlg::TGetZutatDlg(QWidget* parent) : QDialog(parent) {
  GetZutatDlg = this;
  setObjectName(QStringLiteral("GetZutatDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
