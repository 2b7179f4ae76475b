#include "recipedb/book_appender.h"

#include <climits>
#include <cstring>

#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "services/context.h"

namespace tav {

bool BookAppender::Open(const std::string& bookName) {
  Close();
  // The index first: a book without a usable index gets no record file either.
  char head[kIndexEntriesPos];
  const int id = ctx().books ? ctx().books->FindKBookId(bookName) : -1;
  const std::string indexPath = TdbList::BookFilePath(bookName, ".idx");
  if (id != -1) CreateIndexIfMissing(indexPath);
  if (!index_.Open(indexPath, RawFile::kReadWrite) ||
      index_.ReadAt(0, head, sizeof head) != kIndexEntriesPos ||
      !CheckBookHeader(std::string_view(head, kBookHeaderSize)) || id == -1) {
    Close();
    ShowError(43);
    return false;
  }
  std::memcpy(&counter_, head + kIndexCounterPos, 4);
  reserved_ = counter_;
  bookId_ = static_cast<int16_t>(static_cast<uint16_t>(id));
  // After the last whole entry, as the store appends.
  const long long size = index_.Size();
  entriesEnd_ = size <= kIndexEntriesPos
                    ? kIndexEntriesPos
                    : IndexEntryPos((size - kIndexEntriesPos) / kIndexEntrySize);
  store_.CreateBookFile(bookName);
  if (!records_.Open(TdbList::BookFilePath(bookName, ".bok"), RawFile::kReadWrite) ||
      (recordsEnd_ = records_.Size()) < 0) {
    Close();
    ShowError(49);
    return false;
  }
  name_ = bookName;
  return true;
}

bool BookAppender::Close() {
  const bool flushed = Flush();
  // Numbers reserved and not used are given back (a failure only leaves a gap in the numbers).
  const bool counter = index_.IsOpen() && reserved_ > counter_ &&
                       index_.WriteAt(kIndexCounterPos, &counter_, 4);
  reserved_ = 0;
  // The one sync of the run's end: the last batch's records live, the counter given back.
  bool synced = true;
  if (liveUnsynced_ && records_.IsOpen()) synced = records_.Sync();
  if (counter) synced = index_.Sync() && synced;
  liveUnsynced_ = false;
  if (!synced) ShowError(49);
  const bool records = records_.Close();
  const bool index = index_.Close();
  name_.clear();
  return flushed && synced && records && index;
}

bool BookAppender::Append(REZBLOCK& recipe, REZINDEX& entry) {
  lost_ = 0;
  if (!IsOpen()) return false;
  // The counter on disk runs ahead of the numbers used, so a number is never handed out twice;
  // it is raised for a block of numbers at a time and set to the next free one on closing.
  if (counter_ >= reserved_) {
    if (!Flush()) return false;  // the batch first, while its numbers are reserved
    const int32_t ahead = counter_ + kNumbersAhead;
    if (!index_.WriteAt(kIndexCounterPos, &ahead, 4)) {
      ShowError(41);
      return false;
    }
    reserved_ = ahead;
  }
  recipe.number = counter_++;
  if (recipe.recipeIdHigh == 0) GiveNewRecipeId(recipe);
  const size_t start = pendingRecords_.size();
  AppendRecipeRecord(recipe, pendingRecords_);  // coded straight into the batch
  pendingRecords_[start + kRecordDeletedPos] =
      1;  // live once its entry is written, as the store appends
  // Positions are 32-bit in the index: a record must end below 2 GB.
  if (recordsEnd_ + static_cast<long long>(pendingRecords_.size()) > INT32_MAX) {
    pendingRecords_.resize(start);
    if (Flush()) ShowError(49);  // the batch fits; this record does not
    return false;
  }
  entry.number = recipe.number;
  entry.offset = static_cast<int32_t>(recordsEnd_ + static_cast<long long>(start));
  entry.length = static_cast<int32_t>(pendingRecords_.size() - start);
  entry.bookId = bookId_;
  pendingStarts_.push_back(start);
  pendingEntries_.append(reinterpret_cast<const char*>(&entry), sizeof entry);
  if (pendingRecords_.size() < kBatchBytes || Flush()) return true;
  --lost_;  // this recipe itself is not one of the earlier ones
  return false;
}

bool BookAppender::Flush() {
  lost_ = 0;
  if (pendingStarts_.empty()) return true;
  const int batch = Pending();
  auto fail = [&](int message) {
    DropBatch();
    lost_ = batch;
    if (message) ShowError(message);
    return false;
  };
  if (!IsOpen()) return fail(0);
  // Two barriers: the records are on the disk before their entries, and the entries before
  // the records go live. The sync of the next batch's records (or of Close) takes the live
  // bytes along, so a run costs two syncs a batch and one at its end.
  if (!records_.WriteAt(recordsEnd_, pendingRecords_) || !records_.Sync()) {
    records_.Truncate(recordsEnd_);  // no half record stays behind
    return fail(49);
  }
  if (!index_.WriteAt(entriesEnd_, pendingEntries_) || !index_.Sync()) {
    index_.Truncate(entriesEnd_);
    records_.Truncate(recordsEnd_);  // the records go with their entries
    return fail(41);
  }
  // Live now that the entries are on disk. A failed write leaves the records deleted: the
  // index entries are what the book opens by.
  for (const size_t start : pendingStarts_) pendingRecords_[start + kRecordDeletedPos] = 0;
  records_.WriteAt(recordsEnd_, pendingRecords_);
  liveUnsynced_ = true;
  recordsEnd_ += static_cast<long long>(pendingRecords_.size());
  entriesEnd_ += static_cast<long long>(pendingEntries_.size());
  DropBatch();
  return true;
}

void BookAppender::DropBatch() {
  pendingRecords_.clear();
  pendingEntries_.clear();
  pendingStarts_.clear();
}

}  // namespace tav
