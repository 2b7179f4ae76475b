// The index rebuild of the recipe store: a new index for the current book from its record file.
#include <cstring>
#include <map>
#include <tuple>

#include "platform/text_file.h"
#include "recipedb/book_recovery.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

std::string Option(int id) { return ctx().options ? ctx().options->Str(id) : std::string(); }

// Random access to the record file through a large window that moves forward with the scan.
class ScanWindow {
 public:
  ScanWindow(const RawFile& f, long long size) : f_(f), size_(size), buf_(1 << 20) {}
  long long Size() const { return size_; }
  // The byte at `pos`, -1 past the end.
  int At(long long pos) {
    if (pos < 0 || pos >= size_) return -1;
    if (pos < base_ || pos >= base_ + len_) {
      base_ = pos;
      len_ = f_.ReadAt(pos, buf_.data(), buf_.size());
      if (len_ <= 0) {
        failed_ = failed_ || len_ < 0;
        len_ = 0;
        return -1;
      }
    }
    return static_cast<unsigned char>(buf_[static_cast<size_t>(pos - base_)]);
  }
  // The byte at `pos` without moving the window (a look far ahead, and back to the scan).
  int Peek(long long pos) const {
    if (pos >= base_ && pos < base_ + len_)
      return static_cast<unsigned char>(buf_[static_cast<size_t>(pos - base_)]);
    unsigned char c;
    if (pos < 0 || pos >= size_) return -1;
    const long long got = f_.ReadAt(pos, &c, 1);
    failed_ = failed_ || got < 0;
    return got == 1 ? c : -1;
  }
  // A read error came: what the scan found is not the whole file.
  bool Failed() const { return failed_; }
  int32_t Int32At(long long pos) {
    uint8_t b[4];
    for (int i = 0; i < 4; ++i) {
      const int c = At(pos + i);
      if (c < 0) return -1;
      b[i] = static_cast<uint8_t>(c);
    }
    int32_t v;
    std::memcpy(&v, b, 4);
    return v;
  }

 private:
  const RawFile& f_;
  long long size_;
  std::vector<char> buf_;
  long long base_ = 0, len_ = 0;
  mutable bool failed_ = false;
};

// The identifier of the record at `pos`: the block after the rating list (offset-table entry
// 4) is "A", a 16-bit length of 8, then the high and the low word.
bool RecordIdentifier(ScanWindow& w, long long pos, long long end, int32_t& high, int32_t& low) {
  const int32_t rating = w.Int32At(pos + 11 + 4 * kOffRating);
  if (rating < kRecordHeadSize || pos + rating >= end) return false;
  long long p = pos + rating;
  while (p < end && w.At(p) != 0) ++p;
  ++p;
  if (p + 11 >= end || w.At(p) != 'A') return false;
  high = w.Int32At(p + 3);
  low = w.Int32At(p + 7);
  return true;
}

}  // namespace

bool TdbList::RebuildIndex() {
  const std::string data = Option(2);
  FinishInterruptedWork(data);
  const std::string indexPath = BookFilePath("", ".idx");
  const std::string recordPath = BookFilePath("", ".bok");
  // The old index stays until the new one is complete; a book without one gets an empty index.
  const bool hadIndex = !FileIsMissing(indexPath);
  auto emptyIndexWhenMissing = [&] {
    if (!hadIndex) WriteFileAtomic(indexPath, NewIndexBytes());
  };

  RawFile f;
  if (!f.Open(recordPath, RawFile::kRead)) {
    ShowError(50);
    emptyIndexWhenMissing();
    return false;
  }
  ScanWindow w(f, f.Size());
  if (w.At(0) < 0) {
    ShowError(47);
    emptyIndexWhenMissing();
    return false;
  }
  if (w.At(0) != 'T' || w.At(kBookHeaderSize) != '#') {
    // A record file of its header alone holds no recipe: its index is empty.
    if (w.Size() <= kBookHeaderSize)
      WriteFileAtomic(indexPath, NewIndexBytes());
    else
      emptyIndexWhenMissing();
    return false;
  }

  const int16_t bookId = CurrentBookIdForEntries();
  std::vector<REZINDEX> entries;
  // Versions of one recipe carry its number and identifier; of two live ones (a save killed
  // before it marked the old record) the later in the file is the newer.
  std::map<std::tuple<int32_t, int32_t, int32_t>, size_t> newest;
  int32_t number = 1;
  long long pos = kBookHeaderSize;
  while (pos < w.Size()) {
    if (w.At(pos) != '#') {
      ++pos;
      continue;
    }
    const int deleted = w.At(pos + kRecordDeletedPos);
    const int flags = w.At(pos + kRecordFlagsPos);
    const bool looksLikeStart =
        (deleted == 0 || deleted == 1) && (flags == 0 || flags == 1 || flags == 128 || flags == 129);
    // A start is trusted only when the length in offset-table entry 0 holds: the record fits the
    // file and ends with its final NUL. So a '#' inside a text never splits a record.
    const int32_t length = looksLikeStart ? w.Int32At(pos + 11) : -1;
    if (length < kMinRecordLength || pos + length > w.Size() || w.Peek(pos + length - 1) != 0) {
      ++pos;
      continue;
    }
    REZINDEX e;
    // The title (cut to 59 bytes when longer), then the ten categories after its NUL.
    const long long end = pos + length;
    long long p = pos + kRecordHeadSize;
    size_t n = 0;
    while (p < end && w.At(p) != 0) {
      if (n < 59) e.title[n++] = static_cast<char>(w.At(p));
      ++p;
    }
    ++p;
    for (int i = 0; i < 10 && p + 1 < end; ++i, p += 2)
      e.categories[i] = static_cast<uint16_t>(w.At(p) | (w.At(p + 1) << 8));
    e.offset = static_cast<int32_t>(pos);
    e.length = length;
    e.bookId = bookId;
    e.deleted = static_cast<uint8_t>(deleted);
    e.flags = static_cast<uint8_t>(flags);
    int32_t idHigh = 0, idLow = 0;
    if (e.deleted == 0 && RecordIdentifier(w, pos, end, idHigh, idLow) && idHigh != 0) {
      const auto key = std::make_tuple(w.Int32At(pos + kRecordNumberPos), idHigh, idLow);
      auto [at, fresh] = newest.try_emplace(key, entries.size());
      if (!fresh) {
        entries[at->second].deleted = 1;
        at->second = entries.size();
      }
    }
    e.number = number++;
    entries.push_back(e);
    pos = end;
  }
  f.Close();
  // The records after a read error would be missing from the new index: the old one stays.
  if (w.Failed()) {
    ShowError(47);
    emptyIndexWhenMissing();
    return false;
  }

  std::string bytes = IndexFileHeader();
  bytes.append(reinterpret_cast<const char*>(&number), 4);  // one more than the last number
  bytes.append(reinterpret_cast<const char*>(entries.data()), entries.size() * sizeof(REZINDEX));
  // The marker commits the renumbering: once the new index is in place, the next open writes
  // its numbers into the records should this process end before it has.
  if (!BeginRenumber(data, Option(6), bytes)) {
    ShowError(41);
    return false;
  }
  if (!WriteFileAtomic(indexPath, bytes)) {
    EndRenumber(data);
    ShowError(41);
    return false;
  }
  // The records take their new numbers, and superseded versions their deleted byte.
  if (ApplyIndexToRecords(recordPath, entries)) EndRenumber(data);
  rebuilding_ = true;
  ReloadBookIndex();
  rebuilding_ = false;
  DropSearchEntriesOfBook(bookId_);
  if (bookId != bookId_) DropSearchEntriesOfBook(bookId);
  return true;
}

}  // namespace tav
