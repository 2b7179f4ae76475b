#pragma once
// The lexicon of cooking terms (TLexShowDlg, a kitchen window) as the recipe windows see it.
// The lexicon registers itself; Lexicon() is null while there is none.
#include "services/registered.h"

namespace tav {

class LexiconAccess {
 public:
  virtual ~LexiconAccess() = default;
  virtual void ShowLexicon() = 0;
};

inline LexiconAccess* Lexicon() {
  return Registered<LexiconAccess>::Get();
}

}  // namespace tav
