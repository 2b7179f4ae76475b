#pragma once
// The lexicon as the program holds it: the index of Lexika.ldt in the language folder (option
// 52), the keys for looking words up, and the terms of the recipe last shown. The lexicon
// window TLexShowDlg is this object; it registers itself as the book compression's lexicon
// reorganiser while it lives.
#include <string>
#include <vector>

#include "kitchen/lexicon/lexicon_files.h"
#include "kitchen/lexicon/lexicon_terms.h"
#include "recipedb/book_compression.h"
#include "recipedb/recipe_model.h"

namespace tav {

class CookingLexicon : public LexiconReorganizer {
 public:
  CookingLexicon();
  ~CookingLexicon() override;
  CookingLexicon(const CookingLexicon&) = delete;
  CookingLexicon& operator=(const CookingLexicon&) = delete;

  // The files in the current language folder.
  LexiconFiles Files() const;

  // Reads the index again (positions change).
  bool LoadLexiconIndex();
  // Looks a word up; `out` the index position or -1.
  bool FindLexiconEntry(const std::string& word, bool withKeywords, int& out) const;
  // The terms of `recipe`; true when there is at least one.
  bool FindRecipeLexiconTerms();
  // Takes the recipe whose terms are wanted next; its terms are not known yet.
  void TakeLexiconRecipe(const REZBLOCK& r);
  int CountLexiconEntries() const { return static_cast<int>(index.size()); }
  // The entry at an index position; null out of range.
  const LEXINDEX* Entry(int position) const;

  // Rewrites Lexika.ldt without deleted entries (logged through the compression window), then
  // reads the index again and calls OnLexiconReorganized.
  bool ReorganizeLexicon(BookCompression& log) override;

  std::vector<LEXINDEX> index;  // sorted by title
  std::vector<LEXINDEXAKTREZ> terms;
  REZBLOCK recipe;  // the recipe last handed over by the views
  bool TermsFound = false;

 protected:
  // The window refills its list and empties its text.
  virtual void OnLexiconReorganized() {}

 private:
  LexiconKeys keys_;
};

}  // namespace tav
