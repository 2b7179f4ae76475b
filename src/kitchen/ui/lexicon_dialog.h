#pragma once
// Lexicon of cooking terms.
#include <QDialog>

#include "recipes/ui/lexicon_access.h"

namespace tav {

class TLexShowDlg : public QDialog, public LexiconAccess {
  Q_OBJECT
 public:
  explicit TLexShowDlg(QWidget* parent = nullptr);
  ~TLexShowDlg() override;

  void ShowLexicon() override { show(); }
};

extern TLexShowDlg* LexShowDlg;

}  // namespace tav
