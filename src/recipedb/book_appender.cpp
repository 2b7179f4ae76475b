#include "recipedb/book_appender.h"

#include <algorithm>
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
      (indexedEnd_ = records_.Size()) < 0) {
    Close();
    ShowError(49);
    return false;
  }
  writtenEnd_ = indexedEnd_;
  name_ = bookName;
  // Room for a batch and for the entries of a flush's records (real records are about 1 KB),
  // taken once: grown step by step, every step is fresh memory and a copy. Only what is used is
  // ever touched.
  pendingRecords_.reserve(kBatchBytes + kBatchBytes / 4);
  const auto entries = static_cast<size_t>(std::max<long long>(syncBytes_ / 1024, 64));
  unindexedEntries_.reserve(entries * sizeof(REZINDEX));
  unindexedStarts_.reserve(entries);
  return true;
}

bool BookAppender::Close() {
  const bool flushed = Flush();
  // Numbers reserved and not used are given back (a failure, or a lost machine, only leaves a
  // gap in the numbers).
  if (index_.IsOpen() && reserved_ > counter_) index_.WriteAt(kIndexCounterPos, &counter_, 4);
  reserved_ = 0;
  // The run's last sync: the records of the last flush live.
  const bool synced = !liveUnsynced_ || !records_.IsOpen() || records_.Sync();
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
  // it is raised for a block of numbers at a time and set to the next free one on closing. The
  // sync of the entries takes it along.
  if (counter_ >= reserved_) {
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
  const long long at = writtenEnd_ + static_cast<long long>(start);
  // Positions are 32-bit in the index: a record must end below 2 GB.
  if (writtenEnd_ + static_cast<long long>(pendingRecords_.size()) > INT32_MAX) {
    pendingRecords_.resize(start);
    if (Flush()) ShowError(49);  // the records before fit; this one does not
    return false;
  }
  entry.number = recipe.number;
  entry.offset = static_cast<int32_t>(at);
  entry.length = static_cast<int32_t>(pendingRecords_.size() - start);
  entry.bookId = bookId_;
  unindexedEntries_.append(reinterpret_cast<const char*>(&entry), sizeof entry);
  unindexedStarts_.push_back(at);
  if ((pendingRecords_.size() < kBatchBytes || WriteOut()) &&
      (writtenEnd_ - indexedEnd_ < syncBytes_ || Flush()))
    return true;
  --lost_;  // this recipe itself is not one of the earlier ones
  return false;
}

bool BookAppender::WriteOut() {
  if (pendingRecords_.empty()) return true;
  if (records_.WriteAt(writtenEnd_, pendingRecords_)) {
    // The disk starts on the batch while the next one is read: the flush's sync then waits for
    // little.
    records_.StartWriteBack(writtenEnd_, static_cast<long long>(pendingRecords_.size()));
    writtenEnd_ += static_cast<long long>(pendingRecords_.size());
    pendingRecords_.clear();
    return true;
  }
  // The batch is lost (a full disk); the records written before it still go into the book.
  records_.Truncate(writtenEnd_);
  pendingRecords_.clear();
  size_t kept = unindexedStarts_.size();
  while (kept > 0 && unindexedStarts_[kept - 1] >= writtenEnd_) --kept;
  const int batch = Pending() - static_cast<int>(kept);
  unindexedStarts_.resize(kept);
  unindexedEntries_.resize(kept * sizeof(REZINDEX));
  if (Flush()) ShowError(49);  // else the flush has said why
  lost_ += batch;
  return false;
}

bool BookAppender::Flush() {
  lost_ = 0;
  if (unindexedStarts_.empty()) return true;
  if (!IsOpen()) return DropUnindexed(0);
  // Two barriers: the records are on the disk before their entries are written, and the
  // entries before the records go live. The next sync of the records (at the latest the one of
  // Close) takes the live bytes along.
  if (!WriteOut()) return false;
  if (!records_.Sync()) return DropUnindexed(49);
  if (!index_.WriteAt(entriesEnd_, unindexedEntries_) || !index_.Sync()) {
    index_.Truncate(entriesEnd_);
    return DropUnindexed(41);  // the records go with their entries
  }
  // Live now that the entries are on disk. A failed write leaves a record deleted: the index
  // entries are what the book opens by.
  MakeLive();
  records_.StartWriteBack(indexedEnd_, writtenEnd_ - indexedEnd_);
  liveUnsynced_ = true;
  indexedEnd_ = writtenEnd_;
  entriesEnd_ += static_cast<long long>(unindexedEntries_.size());
  unindexedEntries_.clear();
  unindexedStarts_.clear();
  return true;
}

void BookAppender::MakeLive() {
  // A stretch of records at a time is read back, their deleted bytes cleared and written in one
  // piece: a write for every record would cost more than the records' bytes. The batch buffer
  // is empty here and keeps its room.
  std::string& stretch = pendingRecords_;
  const uint8_t live = 0;
  size_t i = 0;
  while (i < unindexedStarts_.size()) {
    const long long from = unindexedStarts_[i];
    const long long to = std::min(writtenEnd_, from + static_cast<long long>(kBatchBytes));
    stretch.resize(static_cast<size_t>(to - from));
    size_t next = i;
    while (next < unindexedStarts_.size() && unindexedStarts_[next] + kRecordDeletedPos < to)
      ++next;
    if (records_.ReadAt(from, stretch.data(), stretch.size()) ==
        static_cast<long long>(stretch.size())) {
      for (size_t k = i; k < next; ++k)
        stretch[static_cast<size_t>(unindexedStarts_[k] - from) + kRecordDeletedPos] = 0;
      // Only the bytes up to the last deleted byte cleared are written again.
      const long long end = unindexedStarts_[next - 1] + kRecordDeletedPos + 1;
      records_.WriteAt(from, stretch.data(), static_cast<size_t>(end - from));
    } else {  // unreadable: record by record
      for (size_t k = i; k < next; ++k)
        records_.WriteAt(unindexedStarts_[k] + kRecordDeletedPos, &live, 1);
    }
    i = next;
  }
  stretch.clear();
}

bool BookAppender::DropUnindexed(int message) {
  lost_ = Pending();
  if (records_.IsOpen()) records_.Truncate(indexedEnd_);  // no record without its entry
  writtenEnd_ = indexedEnd_;
  pendingRecords_.clear();
  unindexedEntries_.clear();
  unindexedStarts_.clear();
  if (message) ShowError(message);
  return false;
}

}  // namespace tav
