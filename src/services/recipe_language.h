#pragma once
// Whether a recipe's text is German or English, by the words of tools/refdata/language_words.txt
// (function words and the commonest kitchen words of each language). The import asks it before
// it turns umlauts spelled as two letters into umlauts: an English recipe keeps "Blue" and
// "Pueblo" under the German setting.
#include <string_view>

namespace tav {

class LanguageCount {
 public:
  // Counts the known words of one line of Windows-1252 text (any letter case).
  void Add(std::string_view line);
  int German() const { return german_; }
  int English() const { return english_; }
  // More English words than German ones. A recipe without either (a title and a list of
  // ingredients) counts as German, whose spelled umlauts are converted as always.
  bool MostlyEnglish() const { return english_ > german_; }
  // One language leads by so many words that the rest of a recipe hardly turns it: counting may
  // stop there.
  bool Settled() const { return english_ - german_ >= kLead || german_ - english_ >= kLead; }
  static constexpr int kLead = 12;

 private:
  int german_ = 0;
  int english_ = 0;
};

}  // namespace tav
