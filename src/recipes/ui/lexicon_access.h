#pragma once
// The lexicon of cooking terms (TLexShowDlg, a kitchen window) as the recipe windows see it:
// the views hand it every recipe they show, and the information pane's lexicon page borrows
// its list of the recipe's terms and the text of an entry. The lexicon registers itself;
// Lexicon() is null while there is none.
#include <string>

#include "services/registered.h"

class QListWidget;
class QPlainTextEdit;

namespace tav {

struct REZBLOCK;

class LexiconAccess {
 public:
  virtual ~LexiconAccess() = default;
  // Shows the lexicon window (without waiting).
  virtual void ShowLexicon() = 0;
  // The recipe on screen; its terms are found when the lexicon or the pane next asks.
  virtual void SetLexiconRecipe(const REZBLOCK& recipe) = 0;
  // Finds the terms of that recipe unless done already (force: again).
  virtual void UpdateRecipeLexiconTerms(bool force) = 0;
  // Tab 0 lists the recipe's terms, the others the entries of one chapter.
  virtual void SelectLexiconTab(int tab) = 0;
  // Empties `target` and copies every line of the lexicon's list into it.
  virtual void CopyLexiconTermList(QListWidget* target) = 0;
  // Selects the first list line equal to `term` and shows that entry's text.
  virtual void SelectLexiconTerm(const std::string& term) = 0;
  // Copies the text shown in the lexicon window into `target`.
  virtual void CopyLexiconText(QPlainTextEdit* target) = 0;
};

inline LexiconAccess* Lexicon() {
  return Registered<LexiconAccess>::Get();
}

}  // namespace tav
