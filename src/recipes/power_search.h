#pragma once
// The power search's engine: finds recipes in record files by words in five fields, energy per
// serving, points, picture, mark, categories and ingredients, testing the raw record bytes
// through each record's offset table without decoding the recipe. The window TPSearchDlg
// gathers the criteria and runs it over the chosen books.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

// Upper-cases Windows-1252 text in place for a search that ignores case: every letter becomes
// its capital (UpperAnsi), so record texts and search words fold alike.
void FoldSearchText(char* text, size_t length);

// Cuts a search text into words: blanks, ',' and ';' separate them; text between double quotes
// is one word, blanks included. Empty pieces are dropped, and so is text between a separator and
// an opening quote. A word starting with '!' asks that the rest of it must not occur.
std::vector<std::string> SplitSearchWords(std::string_view text);

struct PowerSearchCriteria {
  // The five word fields as typed (each read up to its first 60 characters).
  std::string title, text, keyword, author, source;
  bool caseSensitive = false;
  double energyLimitKcal = 0;  // per serving; 0 = no limit
  double points = 0;           // 0 = no comparison
  int pointsCompare = 0;       // 0 "<", 1 "=", 2 ">"
  bool marked = false;
  bool picture = false;
  std::vector<uint16_t> categories;  // empty: every category
  // Ingredients: all of andWords, at least one of them, none of notWords.
  bool allAnd = false, oneAnd = false, oneNot = false;
  std::vector<std::string> andWords, notWords;
};

// kJ to kcal, as the search converts an energy typed in kJ and a stored "GJ" amount.
inline constexpr double kKcalPerKJ = 0.23894862604540026;

class PowerSearch {
 public:
  explicit PowerSearch(const PowerSearchCriteria& criteria);

  // Scans one record file (the records of book `bookId`), handing every hit to onHit. False
  // when keepGoing asked to stop; a missing or foreign file adds nothing and gives true.
  bool SearchBook(const std::string& recordFile, int16_t bookId);

  // Called with the index entry of every hit.
  std::function<void(const REZINDEX&)> onHit;
  // Called after every record looked at; false stops the scan.
  std::function<bool()> keepGoing;

  int scannedCount = 0;  // live records looked at
  int foundCount = 0;

 private:
  struct Word {
    std::string text;
    bool negative;
  };
  static std::vector<Word> PrepareWords(const std::string& typed, bool fold);
  // True when the record passes every criterion.
  bool Matches(char* record, int32_t length);

  PowerSearchCriteria c_;
  std::vector<Word> title_, text_, keyword_, author_, source_;
  std::vector<std::string> andWords_, notWords_;
  std::string savedTitle_;  // the title before folding
  bool titleSaved_ = false;
};

}  // namespace tav
