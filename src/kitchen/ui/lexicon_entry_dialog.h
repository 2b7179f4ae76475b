#pragma once
// The lexicon entry editor "Lexikon-Eintrag ändern": title, chapter, keywords (one a line) and
// text of a new or an existing entry. A change is appended to Lexika.ldt as a new entry and the
// old version marked deleted; OK without a change writes nothing.
#include <QDialog>
#include <string>

#include "kitchen/lexicon/lexicon_files.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tav {

// The values of the entry being edited, as the controls show them.
struct LEXBLOCK {
  std::string Title;
  std::string Keywords;  // lines joined with CR LF
  std::string Text;      // lines joined with CR LF
  int16_t Chapter = 0;
};

class TLexInpDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TLexInpDlg(QWidget* parent = nullptr);
  ~TLexInpDlg() override;

  // Prepares the editor for that entry, or for a new one (none) in the chapter of the
  // lexicon window's tab.
  void SetLexiconEntry(const LEXINDEX* entry);
  bool LexiconEditCancelled() const { return Cancelled; }
  // The title of the loaded values (the new title after a saved change).
  const std::string& GetLexiconEditTitle() const { return Loaded.Title; }
  // IDOk: a chapter typed that is not in the list is refused; otherwise the entry is stored
  // when anything changed, and the dialog closes.
  void SaveLexiconEntry();

  void IDCancelClick();
  void WikipediaBtnClick();
  void HilfeBtnClick();

  QLabel* TitelLbl;
  QLineEdit* TitelTxt;
  QLabel* KapitelLbl;
  QComboBox* KapitelCoBo;
  QLabel* KeywordsLbl;
  QPlainTextEdit* KeywordsTxt;
  QLabel* TextLbl;
  QPlainTextEdit* TextTxt;
  QPushButton* IDOk;
  QPushButton* IDCancel;
  QPushButton* WikipediaBtn;
  QToolButton* HilfeBtn;

  bool Cancelled = true;
  bool IsEdit = false;
  LEXINDEX EditedEntry;  // the entry being changed (IsEdit)
  LEXBLOCK Loaded;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
};

extern TLexInpDlg* LexInpDlg;

}  // namespace tav
