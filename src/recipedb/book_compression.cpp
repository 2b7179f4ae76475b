#include "recipedb/book_compression.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "recipedb/book_recovery.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/picture_use.h"
#include "recipedb/raw_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/registered.h"

namespace tav {

namespace {

std::function<void(int)>& SwapHook() {
  static std::function<void(int)> hook;
  return hook;
}

void AtSwapStep(int step) {
  if (SwapHook()) SwapHook()(step);
}

constexpr const char* kTempIndex = "$$$.idx";
constexpr const char* kTempRecords = "$$$.bok";
constexpr const char* kSwapMarker = "$$$.swp";
constexpr size_t kFlushSize = 1 << 20;

// Output written through a buffer, flushed in large blocks at increasing positions.
class BufferedOut {
 public:
  explicit BufferedOut(RawFile& f) : f_(f) {}
  long long Position() const { return written_ + static_cast<long long>(buf_.size()); }
  bool Append(const void* data, size_t n) {
    buf_.append(static_cast<const char*>(data), n);
    return buf_.size() < kFlushSize || Flush();
  }
  bool Flush() {
    if (buf_.empty()) return true;
    if (!f_.WriteAt(written_, buf_)) return false;
    written_ += static_cast<long long>(buf_.size());
    buf_.clear();
    return true;
  }

 private:
  RawFile& f_;
  std::string buf_;
  long long written_ = 0;
};

}  // namespace

void SetSwapHookForTest(std::function<void(int)> hook) {
  SwapHook() = std::move(hook);
}

void FinishPendingSwap(const std::string& dataFolder) {
  const std::string marker = dataFolder + kSwapMarker;
  std::string name;
  if (!ReadFileBytes(marker, name)) return;
  // The marker holds a book's name; anything that would lead out of the data folder (or to
  // the scratch files themselves) is no swap of ours and is dropped.
  const bool plainName =
      name.find_first_of(std::string("/\\\0", 3)) == std::string::npos && name != "$$$";
  if (!name.empty() && plainName) {
    // Each rename replaces its target in one step, so finishing twice does no harm.
    const std::string tempIndex = dataFolder + kTempIndex;
    const std::string tempRecords = dataFolder + kTempRecords;
    if (FileExists(tempIndex) && !RenameFile(tempIndex, BookFileIn(dataFolder, name, ".idx")))
      return;
    if (FileExists(tempRecords) && !RenameFile(tempRecords, BookFileIn(dataFolder, name, ".bok")))
      return;
  }
  RemoveFile(marker);
}

void BookCompression::FinishReorgRun() {
  // The result does not matter here: a lexicon that cannot be reorganised stays as it was.
  if (LexiconReorganizer* lexicon = Registered<LexiconReorganizer>::Get())
    lexicon->ReorganizeLexicon(*this);
  if (ctx().dbList) ctx().dbList->ReloadBookIndex();
}

void BookCompression::ReorgLogLine(const std::string& text, bool toStatus) {
  if (toStatus) {
    status_ = text;
    OnStatus(text);
  } else {
    logLines_.push_back(text);
    OnLogLine(text);
  }
}

void BookCompression::ClearLog() {
  logLines_.clear();
  status_.clear();
  OnLogCleared();
  OnStatus(status_);
}

bool BookCompression::ReorgKBook(const std::string& name) {
  const std::string data = ctx().options ? ctx().options->Str(2) : std::string();
  FinishInterruptedWork(data);
  const CompressionRunning running;
  if (!logLines_.empty()) ReorgLogLine(std::string(), false);
  ReorgLogLine("  " + name + ":", false);

  // A book of the scratch files' name would be overwritten by its own copy.
  if (name == "$$$") {
    ShowError(231);
    return false;
  }

  int16_t bookId = 0;
  const bool haveId = ReadDescriptionBookId(BookFileIn(data, name, ".inf"), bookId);
  // The book's own files, whatever the case of their names: the copies take their places.
  const std::string bookIndex = BookFileIn(data, name, ".idx");
  const std::string bookRecords = BookFileIn(data, name, ".bok");
  const std::string tempIndex = data + kTempIndex;
  const std::string tempRecords = data + kTempRecords;

  RawFile outIndex;
  if (!outIndex.CreateTruncated(tempIndex)) {
    ShowError(230);
    return false;
  }
  RawFile inIndex;
  if (!inIndex.Open(bookIndex, RawFile::kRead)) {
    ShowError(231);
    outIndex.Close();
    RemoveFile(tempIndex);
    return false;
  }
  char head[kIndexEntriesPos];
  const long long headBytes = inIndex.ReadAt(0, head, sizeof head);
  if (headBytes != kIndexEntriesPos || !CheckBookHeader(std::string_view(head, kBookHeaderSize))) {
    ShowError(232);
    outIndex.Close();
    RemoveFile(tempIndex);
    return false;
  }

  bool failed = false;
  RawFile outRecords;
  if (!outRecords.CreateTruncated(tempRecords)) {
    ShowError(233);
    failed = true;
  }
  BufferedOut indexOut(outIndex), recordsOut(outRecords);
  failed = failed || !indexOut.Append(head, sizeof head);
  const std::string recordHeader = RecordFileHeader();
  failed = failed || !recordsOut.Append(recordHeader.data(), recordHeader.size());

  TdbList scratchStore;  // decodes records; the program's store keeps its own state
  TdbList& reader = ctx().dbList ? *ctx().dbList : scratchStore;
  RawFile books;
  bool booksOpen = false;
  REZBLOCK recipe;
  std::string record;
  int live = 0, total = 0;
  std::vector<long long> copiedAt;        // positions of the copied records in the old file
  std::vector<std::string> keptPictures;  // the picture-folder files the copies name
  std::vector<REZINDEX> chunk(4096);
  long long pos = kIndexEntriesPos;
  while (!failed) {
    const long long got = inIndex.ReadAt(pos, chunk.data(), chunk.size() * kIndexEntrySize);
    if (got < 0) {  // a read error is no end of the index: the copy would lose the rest
      ShowError(231);
      failed = true;
      break;
    }
    const size_t whole = got > 0 ? static_cast<size_t>(got / kIndexEntrySize) : 0;
    for (size_t i = 0; i < whole && !failed; ++i) {
      REZINDEX e = chunk[i];
      ++total;
      if (e.deleted != 0) continue;
      ++live;
      if (!booksOpen) {
        booksOpen = books.Open(bookRecords, RawFile::kRead);
        if (!booksOpen) {
          ShowError(45);
          failed = true;
          break;
        }
      }
      if (!reader.ReadRecordFrom(books, e, recipe, name)) {
        failed = true;
        break;
      }
      copiedAt.push_back(e.offset);
      for (const REZPICTURE& p : recipe.pictures)
        if (IsPictureFolderFile(p)) keptPictures.push_back(p.name);
      recipe.number = e.number;
      EncodeRecipeRecord(recipe, record);
      const long long at = recordsOut.Position();
      if (at + static_cast<long long>(record.size()) > INT32_MAX ||
          !recordsOut.Append(record.data(), record.size())) {
        ShowError(233);
        failed = true;
        break;
      }
      e.offset = static_cast<int32_t>(at);
      e.length = static_cast<int32_t>(record.size());
      total += e.rewriteCount;
      e.rewriteCount = 0;
      if (haveId) e.bookId = bookId;
      if (!indexOut.Append(&e, sizeof e)) {
        ShowError(233);
        failed = true;
        break;
      }
      if (total % 13 == 0)
        ReorgLogLine("(" + std::to_string(live) + GetLangText(234) + std::to_string(total) + ")",
                     true);
    }
    if (whole < chunk.size()) break;
    pos += static_cast<long long>(whole) * kIndexEntrySize;
  }
  inIndex.Close();
  books.Close();
  if (!failed && !(indexOut.Flush() && recordsOut.Flush() && outIndex.Sync() && outRecords.Sync() &&
                   outIndex.Close() && outRecords.Close())) {
    ShowError(233);
    failed = true;
  }
  outIndex.Close();
  outRecords.Close();
  ReorgLogLine(
      GetLangText(235) + std::to_string(live) + GetLangText(234) + std::to_string(total) + ".",
      false);
  ReorgLogLine(std::string(), true);

  // Pictures that only the dropped records (old versions, deleted recipes) name, taken from the
  // old file while it is still in place.
  std::vector<std::string> droppedPictures;
  if (!failed && DirExists(PictureFolder())) {
    std::sort(copiedAt.begin(), copiedAt.end());
    droppedPictures = PicturesOfRecordsBut(bookRecords, copiedAt);
    const auto kept = PictureNameKeys(keptPictures);
    std::erase_if(droppedPictures,
                  [&](const std::string& n) { return kept.contains(UpperCaseAnsi(n)); });
  }

  if (!failed) AtSwapStep(0);
  if (failed || !WriteFileAtomic(data + kSwapMarker, name)) {
    if (!failed) ShowError(233);
    RemoveFile(tempIndex);
    RemoveFile(tempRecords);
    return true;
  }
  AtSwapStep(1);
  const bool indexSwapped = RenameFile(tempIndex, bookIndex);
  AtSwapStep(2);
  const bool recordsSwapped = indexSwapped && RenameFile(tempRecords, bookRecords);
  AtSwapStep(3);
  if (!indexSwapped) {
    // Nothing was replaced: the book stays as it was.
    RemoveFile(data + kSwapMarker);
    RemoveFile(tempIndex);
    RemoveFile(tempRecords);
    ShowError(233);
    return true;
  }
  // A record file that could not be swapped keeps the marker: one more try now, else the next
  // open of a book finishes the swap.
  if (recordsSwapped) {
    RemoveFile(data + kSwapMarker);
    // Only now that the compressed book is in place: until then a dropped record may still be
    // what the book opens with. A file that any record of any book names stays.
    RemovePicturesNoRecordNames(droppedPictures, data);
  } else {
    FinishPendingSwap(data);
  }

  // The book's records moved: search-result entries of it point at old positions.
  if (ctx().dbList) {
    int16_t id = bookId;
    if (!haveId && ctx().books) id = static_cast<int16_t>(ctx().books->FindKBookId(name));
    ctx().dbList->DropSearchEntriesOfBook(id);
  }
  return false;
}

}  // namespace tav
