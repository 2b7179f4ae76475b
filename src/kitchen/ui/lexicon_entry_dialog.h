#pragma once
// Lexicon entry editor.
#include <QDialog>

namespace tav {

class TLexInpDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TLexInpDlg(QWidget* parent = nullptr);
};

extern TLexInpDlg* LexInpDlg;

}  // namespace tav
