#pragma once
// Appending many recipes to one book in a row (a bulk import): the book's record and index
// files stay open from Open to Close. Append does what NextRecipeNumber, WriteRezBlock and
// AppendIndexEntry of the recipe store do, with their messages, for a batch of recipes at a
// time: the number counter is raised on disk before its number is used (for a block of numbers
// at a time; Close gives back those not used); Flush appends the batch's records (deleted, as
// the store appends), then their index entries, and then writes the records again live. Records
// whose entries cannot be written are cut off the record file again, so a failure leaves no
// record without its entry, and a killed import none that an index rebuild would bring back.
// Three writes for a batch in place of three for every recipe: the import's disk time. The
// records are synced before their entries are written, the entries before the records go
// live, and Close syncs what is left, so a recipe the import counted survives a lost machine.
#include <cstdint>
#include <string>
#include <vector>

#include "recipedb/raw_file.h"
#include "recipedb/recipe_model.h"

namespace tav {

class TdbList;

class BookAppender {
 public:
  explicit BookAppender(TdbList& store) : store_(store) {}
  ~BookAppender() { Close(); }
  BookAppender(const BookAppender&) = delete;
  BookAppender& operator=(const BookAppender&) = delete;

  // Opens the named book (its record file and index are made when missing). False after message
  // 49 (record file) or 43 (index unusable, or no book of that name).
  bool Open(const std::string& bookName);
  // Gives the recipe its number (and an identifier when it has none) and adds its record and
  // the entry, which gets number, position, length and the book id, to the batch; a full batch
  // is written. False after the store's message (41, 49): nothing of the recipe, nor of the
  // batch it was to join, stays in the book then (Lost() says how many recipes went with it).
  bool Append(REZBLOCK& recipe, REZINDEX& entry);
  // Writes the batch. False after the store's message; the batch is not in the book then.
  bool Flush();
  // Recipes appended before the last failure whose batch went down with it.
  int Lost() const { return lost_; }
  // Recipes appended and not yet written.
  int Pending() const { return static_cast<int>(pendingStarts_.size()); }
  // Writes the batch, syncs and closes; false when that failed (a failed sync is said, message
  // 49) or closing reported a delayed write failure.
  bool Close();

  bool IsOpen() const { return index_.IsOpen(); }
  TdbList& Store() const { return store_; }
  const std::string& BookName() const { return name_; }

 private:
  void DropBatch();

  TdbList& store_;
  std::string name_;
  RawFile records_, index_;
  long long recordsEnd_ = 0;  // where the next record goes
  long long entriesEnd_ = 0;  // where the next entry goes
  static constexpr int32_t kNumbersAhead = 256;
  int32_t counter_ = 0;   // the next number
  int32_t reserved_ = 0;  // the counter on disk: numbers below it may be used
  int16_t bookId_ = 0;
  // The batch: its records as they go to recordsEnd_, their entries for entriesEnd_.
  static constexpr size_t kBatchBytes = 256 * 1024;
  std::string pendingRecords_, pendingEntries_;
  std::vector<size_t> pendingStarts_;  // where each record begins in pendingRecords_
  bool liveUnsynced_ = false;           // records made live since the last sync
  int lost_ = 0;
};

}  // namespace tav
