#pragma once
// Looking words up in the lexicon index and finding the lexicon terms of a recipe. Words and
// titles match by their sort keys (upper case, umlauts spelled out), so "Rührei" finds the
// entry "Ruehrei"; keywords match the same way when asked.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kitchen/lexicon/lexicon_files.h"

namespace tav {

struct REZBLOCK;

// One term of the current recipe: the word as written there and its entry's index position.
struct LEXINDEXAKTREZ {
  std::string word;
  int32_t entryIndex = -1;
};

// The index's keys, made once per index so that a lookup is one hash probe.
class LexiconKeys {
 public:
  void Build(const std::vector<LEXINDEX>& index);
  // Position of the first entry (in index order) whose title key, or with keywords also one of
  // whose keyword keys, equals the word's key; -1 when none.
  int Find(std::string_view word, bool withKeywords) const;

 private:
  std::unordered_map<std::string, int> titles_;  // key -> first position
  std::unordered_map<std::string, int> any_;     // titles and keywords
};

// A text compared in a lookup takes part with at most this many characters.
inline constexpr size_t kLexiconCompareLength = 199;

// Appends the terms found in one text: words end at blank . , : ; CR LF TAB; blanks and hyphens
// before a word are passed over.
void CollectLexiconTerms(std::string_view text, const LexiconKeys& keys,
                         std::vector<LEXINDEXAKTREZ>& terms);
// The terms of a recipe's title, ingredient texts, preparation text and remarks, sorted without
// regard to case (equal words side by side) and each word once.
std::vector<LEXINDEXAKTREZ> FindRecipeLexiconTerms(const LexiconKeys& keys, const REZBLOCK& recipe);

}  // namespace tav
