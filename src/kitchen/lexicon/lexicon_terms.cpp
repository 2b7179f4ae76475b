#include "kitchen/lexicon/lexicon_terms.h"

#include <algorithm>

#include "recipedb/recipe_model.h"
#include "services/charsets.h"

namespace tav {

namespace {

std::string Key(std::string_view text) {
  return MakeSortKey(text.substr(0, kLexiconCompareLength));
}

bool EndsWord(char c) {
  return c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '\r' || c == '\n' ||
         c == '\t';
}

}  // namespace

void LexiconKeys::Build(const std::vector<LEXINDEX>& index) {
  titles_.clear();
  any_.clear();
  titles_.reserve(index.size());
  any_.reserve(index.size() * 2);
  for (size_t i = 0; i < index.size(); ++i) {
    const int pos = static_cast<int>(i);
    std::string title = Key(index[i].title);
    titles_.emplace(title, pos);
    any_.emplace(std::move(title), pos);
    for (const std::string& k : index[i].keywords)
      any_.emplace(k.substr(0, kLexiconCompareLength), pos);
  }
}

int LexiconKeys::Find(std::string_view word, bool withKeywords) const {
  const auto& map = withKeywords ? any_ : titles_;
  const auto it = map.find(Key(word));
  return it == map.end() ? -1 : it->second;
}

void CollectLexiconTerms(std::string_view text, const LexiconKeys& keys,
                         std::vector<LEXINDEXAKTREZ>& terms) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    while (i < n && (text[i] == ' ' || text[i] == '-')) ++i;
    const size_t start = i;
    while (i < n && !EndsWord(text[i])) ++i;
    if (i > start) {
      const std::string_view word = text.substr(start, i - start);
      const int found = keys.Find(word, true);
      if (found >= 0) terms.push_back({std::string(word), found});
    }
    if (i < n) ++i;  // the separator
  }
}

std::vector<LEXINDEXAKTREZ> FindRecipeLexiconTerms(const LexiconKeys& keys,
                                                   const REZBLOCK& recipe) {
  std::vector<LEXINDEXAKTREZ> terms;
  CollectLexiconTerms(recipe.title, keys, terms);
  for (const REZZUTAT& line : recipe.lines) CollectLexiconTerms(line.text, keys, terms);
  CollectLexiconTerms(recipe.text, keys, terms);
  for (const REZREMARK& r : recipe.remarks) CollectLexiconTerms(r.text, keys, terms);
  // Words that differ only in case sort next to each other, so each spelling is listed once.
  std::stable_sort(terms.begin(), terms.end(),
                   [](const LEXINDEXAKTREZ& a, const LEXINDEXAKTREZ& b) {
                     const int c = CompareTextNoCase(a.word, b.word);
                     return c != 0 ? c < 0 : a.word < b.word;
                   });
  terms.erase(std::unique(terms.begin(), terms.end(),
                          [](const LEXINDEXAKTREZ& a, const LEXINDEXAKTREZ& b) {
                            return a.word == b.word;
                          }),
              terms.end());
  return terms;
}

}  // namespace tav
