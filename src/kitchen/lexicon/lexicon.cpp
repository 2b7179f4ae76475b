#include "kitchen/lexicon/lexicon.h"

#include "recipedb/recipe_records.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/registered.h"

namespace tav {

CookingLexicon::CookingLexicon() {
  ClearRezBlock(recipe);
  Registered<LexiconReorganizer>::Enter(this);
}

CookingLexicon::~CookingLexicon() {
  Registered<LexiconReorganizer>::Leave(this);
}

LexiconFiles CookingLexicon::Files() const {
  return LexiconFiles(ctx().options ? ctx().options->Str(52) : std::string());
}

bool CookingLexicon::LoadLexiconIndex() {
  const bool ok = Files().LoadLexiconIndex(index);
  keys_.Build(index);
  return ok;
}

bool CookingLexicon::FindLexiconEntry(const std::string& word, bool withKeywords, int& out) const {
  out = keys_.Find(word, withKeywords);
  return out >= 0;
}

bool CookingLexicon::FindRecipeLexiconTerms() {
  terms = tav::FindRecipeLexiconTerms(keys_, recipe);
  return !terms.empty();
}

void CookingLexicon::TakeLexiconRecipe(const REZBLOCK& r) {
  recipe = r;
  TermsFound = false;
}

const LEXINDEX* CookingLexicon::Entry(int position) const {
  if (position < 0 || position >= static_cast<int>(index.size())) return nullptr;
  return &index[static_cast<size_t>(position)];
}

bool CookingLexicon::ReorganizeLexicon(BookCompression& log) {
  const bool done = Files().ReorganizeLexicon(
      [&log](const std::string& text, bool toStatus) { log.ReorgLogLine(text, toStatus); });
  if (!done) return false;
  LoadLexiconIndex();
  OnLexiconReorganized();
  return true;
}

}  // namespace tav
