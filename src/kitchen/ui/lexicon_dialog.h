#pragma once
// Lexicon of cooking terms.
#include <QDialog>

namespace tav {

class TLexShowDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TLexShowDlg(QWidget* parent = nullptr);
};

extern TLexShowDlg* LexShowDlg;

}  // namespace tav
