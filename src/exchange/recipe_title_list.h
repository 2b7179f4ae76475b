#pragma once
// The recipe title list: the titles of the recipe list's entries (all, the marked or the
// selected ones) one a line in a text file, for the user's file or for the printer ("KList.txt"
// of the export folder). The choices live in section "Export" of the user settings.
#include <string>
#include <vector>

#include "exchange/recipe_list_snapshot.h"

namespace tav {

// Range: which entries. Target: where to.
enum TitleListRange : int { kTitlesAll = 1, kTitlesMarked = 2, kTitlesSelected = 4 };
enum TitleListTarget : int { kTitlesToFile = 1, kTitlesToPrinter = 2 };

// "LstWhatRez" (default 4) and "LstZiel" (default 1).
struct TitleListChoices {
  int range = kTitlesSelected;
  int target = kTitlesToFile;
  void Load();
  void Save() const;
};

// The titles the range takes, in list order: entries that are not deleted and, for the marked
// range, that carry the marked bit (a menu only when it is marked, as everywhere), for the
// selected range, whose row is selected.
std::vector<std::string> RecipeTitles(const RecipeListSnapshot& list, int range);

// Writes the titles one a line, replacing the file as a whole. Nothing to write: message 314 and
// the file is not touched; the file cannot be written: message 313; the current book's index
// was not read whole (the list is not the book's): message 1093, nothing written. True when it
// was written.
bool WriteRecipeTitleList(const RecipeListSnapshot& list, int range, const std::string& path);

}  // namespace tav
