#pragma once
// Lexicon chapters.
#include <QDialog>

namespace tav {

class TLexBookDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TLexBookDlg(QWidget* parent = nullptr);
};

extern TLexBookDlg* LexBookDlg;

}  // namespace tav
