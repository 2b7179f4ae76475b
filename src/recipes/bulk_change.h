#pragma once
// The bulk change's engine: sets the keywords, categories, source and creation data of one
// recipe as the window TMultiChangeDlg asks, and stores a changed recipe the way the editor
// stores an edit (new record, index entry rewritten, old record marked deleted).
#include <cstdint>
#include <string>

#include "recipedb/recipe_model.h"

namespace tav {

class CategoryTable;
class TdbList;

// Modes of the keyword and category fields.
inline constexpr int kBulkAdd = 0, kBulkReplace = 1, kBulkRemove = 2, kBulkClear = 3;
// Modes of the source field.
inline constexpr int kBulkAppendSource = 0, kBulkReplaceSource = 1, kBulkClearSource = 2;

struct BulkChangeSettings {
  bool keywords = false;
  int keywordMode = kBulkAdd;
  std::string keywordText;
  bool categories = false;
  int categoryMode = kBulkAdd;
  std::string categoryText;  // main-category names
  bool source = false;
  int sourceMode = kBulkReplaceSource;
  std::string sourceText;
  bool author = false;
  std::string authorText;
  bool email = false;
  std::string emailText;
  bool date = false;
  std::string dateText;
};

// Applies the ticked fields to the recipe. True when something was set that must be stored
// (an added phrase the recipe already has sets nothing).
bool ApplyBulkChange(REZBLOCK& recipe, const BulkChangeSettings& settings,
                     const CategoryTable* categories);

enum class BulkOutcome { Unchanged, Changed, Failed };

// Reads the listed recipe at `item` (a position in the search result in search mode, in the
// current book's index otherwise), applies the settings and stores it when it changed. Read and
// write failures are reported by the recipe store and give Failed.
BulkOutcome BulkChangeRecipe(TdbList& store, bool searchMode, int item,
                             const BulkChangeSettings& settings);

}  // namespace tav
