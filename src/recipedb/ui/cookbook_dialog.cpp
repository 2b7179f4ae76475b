#include "recipedb/ui/cookbook_dialog.h"

#include "app/context.h"
#include "app/ui/lang_dialog.h"

namespace tav {

TKBookDlg* KBookDlg = nullptr;

TKBookDlg::TKBookDlg(QWidget* parent) : QDialog(parent) {
  KBookDlg = this;
  setObjectName(QStringLiteral("KBookDlg"));
  ctx().books = this;
  ScanKBooks();
  if (LangDlg) LangDlg->TranslateForm(this);
}

TKBookDlg::~TKBookDlg() {
  if (ctx().books == this) ctx().books = nullptr;
}

}  // namespace tav
