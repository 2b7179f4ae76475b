#pragma once
// Appending many recipes to one book in a row (a bulk import): the book's record and index
// files stay open from Open to Close. Append does what NextRecipeNumber, WriteRezBlock and
// AppendIndexEntry of the recipe store do, with their messages, for many recipes at a time: the
// number counter is raised on disk before its number is used (for a block of numbers at a
// time; Close gives back those not used); the records are appended (deleted, as the store
// appends) in batches of 256 KB; Flush, run for every `syncBytes` of records and by Close, syncs
// them, then writes and syncs their index entries, and then makes the records live. Records
// whose entries cannot be written are cut off the record file again, so a failure leaves no
// record without its entry, and a killed import or a lost machine none that an index rebuild
// would bring back. A run of a few MB costs three syncs, not one for every recipe, and a recipe
// the import counted survives a lost machine once Close has returned.
#include <cstdint>
#include <string>
#include <vector>

#include "recipedb/raw_file.h"
#include "recipedb/recipe_model.h"

namespace tav {

class TdbList;

class BookAppender {
 public:
  // `syncBytes`: the records written between two flushes (a test makes it small).
  explicit BookAppender(TdbList& store, long long syncBytes = kSyncBytes)
      : store_(store), syncBytes_(syncBytes) {}
  ~BookAppender() { Close(); }
  BookAppender(const BookAppender&) = delete;
  BookAppender& operator=(const BookAppender&) = delete;

  // Opens the named book (its record file and index are made when missing). False after message
  // 49 (record file) or 43 (index unusable, or no book of that name).
  bool Open(const std::string& bookName);
  // Gives the recipe its number (and an identifier when it has none) and adds its record and
  // the entry, which gets number, position, length and the book id, to those not yet in the
  // book; a full batch is written, and flushed once `syncBytes` wait. False after the store's
  // message (41, 49): nothing of the recipe, nor of the batch it was to join, stays in the book
  // then, nor of the recipes before it when their flush failed too (Lost() says how many
  // recipes went with it).
  bool Append(REZBLOCK& recipe, REZINDEX& entry);
  // Puts the recipes appended since the last flush into the book, synced. False after the
  // store's message; they are not in the book then.
  bool Flush();
  // Recipes appended before the last failure that went down with it.
  int Lost() const { return lost_; }
  // Recipes appended and not yet flushed.
  int Pending() const { return static_cast<int>(unindexedStarts_.size()); }
  // Writes the batch, syncs and closes; false when that failed (a failed sync is said, message
  // 49) or closing reported a delayed write failure.
  bool Close();

  bool IsOpen() const { return index_.IsOpen(); }
  TdbList& Store() const { return store_; }
  const std::string& BookName() const { return name_; }

 private:
  static constexpr long long kSyncBytes = 8 << 20;
  // Writes the batch of records (not yet live) to the file. When that fails, the batch is
  // dropped and the recipes before it are flushed; false then, after the message.
  bool WriteOut();
  // Clears the deleted byte of every record not yet flushed (their entries are on the disk).
  void MakeLive();
  // Cuts the records not flushed off the file again and forgets them; false, after the message.
  bool DropUnindexed(int message);

  TdbList& store_;
  long long syncBytes_;
  std::string name_;
  RawFile records_, index_;
  long long indexedEnd_ = 0;  // the end of the records that are in the book
  long long writtenEnd_ = 0;  // the end of the records written: the next one goes here
  long long entriesEnd_ = 0;  // where the next entry goes
  static constexpr int32_t kNumbersAhead = 256;
  int32_t counter_ = 0;   // the next number
  int32_t reserved_ = 0;  // the counter on disk: numbers below it may be used
  int16_t bookId_ = 0;
  // Records coded and not yet written, at writtenEnd_.
  static constexpr size_t kBatchBytes = 256 * 1024;
  std::string pendingRecords_;
  // Of every record not yet flushed: its entry, and where it starts in the file.
  std::string unindexedEntries_;
  std::vector<long long> unindexedStarts_;
  bool liveUnsynced_ = false;  // records made live since the last sync
  int lost_ = 0;
};

}  // namespace tav
