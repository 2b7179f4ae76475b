#pragma once
// What the recipe list's commands do to the books, apart from the list box: deleting (and
// restoring) a recipe, marking it, and copying it into another book. Each takes the entry by
// its item data: a position in the store's search result in search mode, in the current book's
// index otherwise. Failures are reported by the recipe store.
#include <cstdint>
#include <string>

namespace tav {

class TdbList;

// Turns the deleted byte of the recipe over (a live recipe becomes deleted, a deleted one live
// again): in the vector the list shows, in its book's index file and in its record. `book` and
// `number` receive the recipe's key. True in search mode once the entry is found; in book mode
// the new deleted state (false when the entry is not found). Picture files stay: the record
// stays too, until the book is compressed, and the recipe can come back.
bool FlipRecipeDeleted(TdbList& store, bool searchMode, int item, int16_t& book, int32_t& number);

// Changes the marked bit of the recipe (mode 0 turns it over, 1 sets it, 2 clears it) and, when
// it changed, writes the entry into its book's index and the flags byte into its record. True
// when the bit changed.
bool ChangeRecipeMark(TdbList& store, bool searchMode, int item, int mode);

enum class CopyOutcome {
  NotCopied,       // nothing of the recipe is in the target (the store said why)
  Copied,          // the copy is stored with its own picture files
  CopiedSharing,   // stored, but a picture file could not be copied: the copy names the
                   // original file, so the source recipe must stay
};

// Copies the recipe into the named book: a new number from the target's counter, a copy of
// each picture file of the picture folder under a new name (addresses and pictures with a
// folder stay as they are), the record appended to the target and a new index entry; record and
// entry carry flags 0 (not marked, no menu).
CopyOutcome CopyRecipeToBook(TdbList& store, bool searchMode, int item, const std::string& target);

}  // namespace tav
