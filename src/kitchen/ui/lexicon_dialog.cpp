#include "kitchen/ui/lexicon_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TLexShowDlg* LexShowDlg = nullptr;

TLexShowDlg::TLexShowDlg(QWidget* parent) : QDialog(parent) {
  LexShowDlg = this;
  Registered<LexiconAccess>::Enter(this);
  setObjectName(QStringLiteral("LexShowDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

TLexShowDlg::~TLexShowDlg() {
  Registered<LexiconAccess>::Leave(this);
}

}  // namespace tav
