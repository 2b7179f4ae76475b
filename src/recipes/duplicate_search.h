#pragma once
// The duplicate search's engine: takes a key from the head of every live record of the chosen
// books (title hash, title length and line count), reads only recipes whose keys are equal and
// compares them by the chosen criteria. Equal keys are grouped in a hash map, so the work grows
// with the number of recipes, not with its square. The window TDupesDlg runs it and shows the
// groups as the recipe list's search result.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

// One live record of a book.
struct DUPESENTRY {
  int32_t key = 0;  // 0: already found as the copy of an earlier recipe
  int32_t offset = 0;
  int32_t length = 0;
};

// One book the search reads.
struct DUPESBOOK {
  int32_t bookId = 0;
  std::string name;
  int32_t count = 0;
  std::vector<DUPESENTRY> entries;
};

// One recipe of a duplicate group; the recipes of a group stand next to each other.
struct AUTODELLIST {
  int16_t bookId = 0;
  int32_t number = 0;
  int32_t group = 0;
  uint8_t keep = 1;
};

struct DupesCriteria {
  int percent = 50;  // share of equal ingredient lines, 0-100
  bool sameLineCount = true;
  bool sameText = false;  // the first 80 characters of the preparation texts
  bool sameAuthor = false;
  bool sameSource = false;
  bool sameCategories = false;
  bool sameKeywords = false;
};

// Appends an entry for every live record of the record file. With sameLineCount false the
// line-count byte is left out of the key, so recipes of different line counts are compared
// too. False when the file cannot be opened or its header is not a book's.
bool ScanBookForDupes(const std::string& recordFile, bool sameLineCount,
                      std::vector<DUPESENTRY>& entries);

// Lines of a and b paired one to one: each line of b matches at most one line of a.
int CountEqualLinePairs(const REZBLOCK& a, const REZBLOCK& b);
// The comparison of two recipes whose keys are equal.
bool SameRecipe(const REZBLOCK& a, const REZBLOCK& b, const DupesCriteria& criteria);

class DuplicateFinder {
 public:
  DupesCriteria criteria;
  int maxDupes = 1000;
  std::vector<DUPESBOOK> books;

  // Reads the recipe of an entry (default: the recipe store from the book's record file).
  std::function<bool(const DUPESBOOK&, const DUPESENTRY&, REZBLOCK&)> readRecipe;
  // Called once for every entry taken as the first of a comparison; false stops the search.
  std::function<bool()> keepGoing;
  // Every recipe of a group, as a search-result entry.
  std::function<void(const REZINDEX&)> onResult;

  // Compares every entry with the later entries of equal key; gives the number of groups.
  int CompareDupes();

  int done = 0;               // entries taken as first recipe so far
  bool stoppedAtMax = false;  // maxDupes groups were found and the search ended
  std::vector<AUTODELLIST> hitList;
};

// Decides, group by group, which copies stay: every copy in a never-delete book, and the copy in
// the book of the smallest position (the first of equal ones). `position` gives a book's place
// in the book order and its never-delete flag; kNoAutoDelBook (9999) for a book not in the
// order, which counts as never-delete. Sets the keep flags and gives the recipes to delete, each once; a recipe kept
// in one place is never among them.
std::vector<std::pair<int16_t, int32_t>> ChooseCopiesToDelete(
    std::vector<AUTODELLIST>& hits,
    const std::function<int(int16_t bookId, bool& never)>& position);

}  // namespace tav
