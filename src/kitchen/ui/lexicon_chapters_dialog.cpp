#include "kitchen/ui/lexicon_chapters_dialog.h"

#include "services/ui/lang_dialog.h"

namespace tav {

TLexBookDlg* LexBookDlg = nullptr;

TLexBookDlg::TLexBookDlg(QWidget* parent) : QDialog(parent) {
  LexBookDlg = this;
  setObjectName(QStringLiteral("LexBookDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
}

}  // namespace tav
