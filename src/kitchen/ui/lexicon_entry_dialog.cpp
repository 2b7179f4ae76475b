#include "kitchen/ui/lexicon_entry_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TLexInpDlg* LexInpDlg = nullptr;

TLexInpDlg::TLexInpDlg(QWidget* parent) : QDialog(parent) {
  LexInpDlg = this;
  setObjectName(QStringLiteral("LexInpDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
