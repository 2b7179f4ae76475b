#pragma once
// What a killed process may leave half done in the data folder, and how the next open of a book
// finishes or undoes it:
// - a committed compression swap is completed (FinishPendingSwap, book_compression.h);
// - an index rebuild whose new index is in place writes its numbers and deleted bytes into the
//   records, so that records and index agree again; one whose new index never arrived changed
//   nothing and is forgotten;
// - scratch files that nobody will finish are removed: "$$$.bok" and "$$$.idx" of a compression
//   that never committed, and the temporary files of whole-file writes ("name.$$$<pid>") whose
//   process has ended;
// - a record that a killed append left unfinished at the end of a record file is cut off.
#include <string>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

// Runs every step above that concerns the whole data folder (not the record-file tail).
void FinishInterruptedWork(const std::string& dataFolder);

// The index rebuild's commit: the marker names the book and the new index's checksum. Written
// before the new index replaces the old one, removed once the records carry the new numbers.
bool BeginRenumber(const std::string& dataFolder, const std::string& bookName,
                   const std::string& indexBytes);
void EndRenumber(const std::string& dataFolder);

// Writes each entry's number and deleted byte into its record (bytes 1-5) where they differ,
// and syncs the file. Entries that do not point at a record mark are left alone. False when
// the record file cannot be opened or written.
bool ApplyIndexToRecords(const std::string& recordPath, const std::vector<REZINDEX>& entries);

// Walks the records from `knownEnd` (the end of the last record the index knows) to the end
// of the file; a record that starts there but is cut short (its length reaches past the end of
// the file) is cut off, unless a whole record follows inside what would go. Bytes that are no
// record start are left alone. True when it cut.
bool CutUnfinishedRecord(const std::string& recordPath, long long knownEnd);

// A compression under way in this process: its scratch files are not removed meanwhile.
class CompressionRunning {
 public:
  CompressionRunning();
  ~CompressionRunning();
  CompressionRunning(const CompressionRunning&) = delete;
  CompressionRunning& operator=(const CompressionRunning&) = delete;
  static bool Active();
};

}  // namespace tav
