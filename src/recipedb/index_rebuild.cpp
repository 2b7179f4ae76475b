// The index rebuild of the recipe store: a new index for the current book from its record file.
#include <cstring>

#include "platform/text_file.h"
#include "recipedb/book_compression.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

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
    return pos >= 0 && pos < size_ && f_.ReadAt(pos, &c, 1) == 1 ? c : -1;
  }
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
};

// The smallest record: head, title NUL, categories, final NUL.
constexpr int32_t kMinRecordLength = kRecordHeadSize + 1 + 20 + 1;

}  // namespace

bool TdbList::RebuildIndex() {
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
    e.number = number++;
    e.offset = static_cast<int32_t>(pos);
    e.length = length;
    e.bookId = bookId;
    e.deleted = static_cast<uint8_t>(deleted);
    e.flags = static_cast<uint8_t>(flags);
    entries.push_back(e);
    pos = end;
  }

  std::string bytes = IndexFileHeader();
  bytes.append(reinterpret_cast<const char*>(&number), 4);  // one more than the last number
  bytes.append(reinterpret_cast<const char*>(entries.data()), entries.size() * sizeof(REZINDEX));
  f.Close();
  if (!WriteFileAtomic(indexPath, bytes)) {
    ShowError(41);
    return false;
  }
  ReloadBookIndex();

  // The records take their new numbers.
  if (!bookIndex_.empty()) {
    RawFile records;
    if (records.Open(recordPath, RawFile::kReadWrite)) {
      for (const REZINDEX& e : bookIndex_)
        records.WriteAt(static_cast<long long>(e.offset) + kRecordNumberPos, &e.number, 4);
      records.Close();
    }
  }
  DropSearchEntriesOfBook(bookId_);
  if (bookId != bookId_) DropSearchEntriesOfBook(bookId);
  return true;
}

}  // namespace tav
