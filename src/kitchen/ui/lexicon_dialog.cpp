#include "kitchen/ui/lexicon_dialog.h"

#include "app/ui/lang_dialog.h"

namespace tav {

TLexShowDlg* LexShowDlg = nullptr;

TLexShowDlg::TLexShowDlg(QWidget* parent) : QDialog(parent) {
  LexShowDlg = this;
  setObjectName(QStringLiteral("LexShowDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
