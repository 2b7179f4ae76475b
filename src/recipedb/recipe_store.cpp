#include "recipedb/recipe_store.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "recipedb/book_recovery.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/key_value_list.h"
#include "recipedb/recipe_list_view.h"
#include "recipedb/recipe_records.h"
#include "recipedb/record_file.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"

namespace tav {

TdbList* dbList = nullptr;

namespace {

std::string Option(int id) { return ctx().options ? ctx().options->Str(id) : std::string(); }

void Progress(int kind, const std::string& text, int value) {
  if (ctx().progress) ctx().progress->ProgressRelay(kind, text, value);
}

// Where an entry is appended: after the last whole entry of the file.
long long AppendPos(const RawFile& f) {
  const long long size = f.Size();
  if (size <= kIndexEntriesPos) return kIndexEntriesPos;
  return IndexEntryPos((size - kIndexEntriesPos) / kIndexEntrySize);
}

}  // namespace

TdbList::TdbList() = default;
TdbList::~TdbList() = default;

namespace {
// A book's file as its name is written (empty name: the current book).
std::string WrittenBookPath(const std::string& bookName, const char* extension) {
  return bookName.empty() ? Option(7) + extension : Option(2) + bookName + extension;
}
}  // namespace

std::string TdbList::BookFilePath(const std::string& bookName, const char* extension) {
  return FindFileNoCase(WrittenBookPath(bookName, extension));
}

bool TdbList::OpenBookFile(RawFile& file, const std::string& bookName, const char* extension,
                           RawFile::Mode mode) {
  // The name as written first: no look at the folder for the usual case.
  const std::string written = WrittenBookPath(bookName, extension);
  if (file.Open(written, mode)) return true;
  const std::string found = FindFileNoCase(written);
  return found != written && file.Open(found, mode);
}

int16_t TdbList::CurrentBookIdForEntries() const {
  return ctx().books ? ctx().books->GetAktKBookId() : bookId_;
}

std::string TdbList::BookNameOf(int16_t bookId) const {
  if (ctx().books) return ctx().books->GetKBookName(bookId);
  return bookId == bookId_ ? Option(6) : std::string();
}

int TdbList::FindBookIdByName(const std::string& name) const {
  if (ctx().books) return ctx().books->FindKBookId(name);
  return name == Option(6) ? static_cast<uint16_t>(bookId_) : -1;
}

// ---------------------------------------------------------------------------------------------
// Current book

bool TdbList::ReloadBookIndex() {
  bookIndex_.clear();
  LoadBookIndex();
  return true;
}

bool TdbList::LoadBookIndex() {
  const unsigned load = ++indexLoads_;
  const auto overtaken = [&] { return load != indexLoads_; };
  FinishInterruptedWork(Option(2));
  // The cookbook list hands out the ids: a book whose description it could not read has an id
  // for this run there, and the entries must name their book by that same id.
  const int listed = ctx().books ? ctx().books->FindKBookId(Option(6)) : -1;
  int16_t id = 0;
  if (listed >= 0)
    bookId_ = static_cast<int16_t>(static_cast<uint16_t>(listed));
  else
    bookId_ = ReadDescriptionBookId(BookFilePath("", ".inf"), id) ? id : 0;
  const std::string indexPath = BookFilePath("", ".idx");
  const int expected = ctx().books ? ctx().books->CountKBookRecipes(BookNameOf(bookId_), false)
                                   : CountIndexEntries(indexPath, false);
  Progress(0, GetLangText(51), expected);
  if (overtaken()) return true;

  indexUnread_ = false;
  RawFile f;
  if (!f.Open(indexPath, RawFile::kRead)) {
    Progress(3, std::string(), 0);
    // An index that is there but cannot be opened is no missing one.
    if (!FileIsMissing(indexPath)) ReportUnreadIndex();
    return false;
  }
  char head[kIndexEntriesPos];
  const long long headBytes = f.ReadAt(0, head, sizeof head);
  if (headBytes < 0) {
    Progress(3, std::string(), 0);
    ReportUnreadIndex();  // a read error is no damage: the index is not rebuilt over it
    return false;
  }
  if (headBytes != kIndexEntriesPos || !CheckBookHeader(std::string_view(head, kBookHeaderSize))) {
    Progress(3, std::string(), 0);
    return OfferIndexRebuild();
  }
  std::memcpy(&counter_, head + kIndexCounterPos, 4);
  const long long size = f.Size();
  if (size > kIndexEntriesPos)
    bookIndex_.reserve(bookIndex_.size() +
                       static_cast<size_t>((size - kIndexEntriesPos) / kIndexEntrySize));
  // An entry cut short is damage: whole entries are read, the rest is said.
  bool damaged = size > kIndexEntriesPos && (size - kIndexEntriesPos) % kIndexEntrySize != 0;
  const std::string recordPath = BookFilePath("", ".bok");
  const long long recordSize = FileSize(recordPath);
  long long recordsEnd = kBookHeaderSize;

  // Whole entries in large reads; the progress follows each read.
  constexpr size_t kChunk = 4096;
  long long pos = kIndexEntriesPos;
  RecipeListView* view = ctx().recipeList;
  for (;;) {
    const size_t at = bookIndex_.size();
    bookIndex_.resize(at + kChunk);
    const long long got = f.ReadAt(pos, bookIndex_.data() + at, kChunk * kIndexEntrySize);
    // A read error is no end of the index: the entries read so far stay listed.
    if (got < 0) indexUnread_ = true;
    const size_t whole = got > 0 ? static_cast<size_t>(got / kIndexEntrySize) : 0;
    bookIndex_.resize(at + whole);
    for (size_t i = at; i < bookIndex_.size(); ++i) {
      REZINDEX& e = bookIndex_[i];
      e.bookId = bookId_;
      // An entry that points at no record of the file is not listed (it stays in its place,
      // so positions still mirror the file).
      if (!IndexEntryIsPlausible(e, recordSize)) {
        e.deleted = 1;
        damaged = true;
      } else {
        recordsEnd = std::max<long long>(recordsEnd, static_cast<long long>(e.offset) + e.length);
      }
    }
    pos += static_cast<long long>(whole) * kIndexEntrySize;
    Progress(2, std::string(), static_cast<int>(bookIndex_.size()));
    if (view) view->ProcessMessages();
    if (overtaken()) return true;
    if (whole < kChunk) break;
  }
  f.Close();
  // Records beyond the entries read are only unfinished when every entry was read.
  if (!indexUnread_ && recordSize > recordsEnd) CutUnfinishedRecord(recordPath, recordsEnd);
  Progress(2, std::string(), expected);
  Progress(1, GetLangText(52), 0);
  if (view) view->ProcessMessages();
  if (overtaken()) return true;
  if (view) view->SetCategoryIndex(0);
  FillRecipeList(0);
  Progress(3, std::string(), 0);
  if (indexUnread_)
    ReportUnreadIndex();
  else if (damaged)
    OfferIndexRebuild();
  return true;
}

void TdbList::ReportUnreadIndex() {
  indexUnread_ = true;
  const std::string name = Option(6);
  if (!unreadIndexBooks_.insert(name).second) return;
  MessageBox(FormatLangText(GetLangText(1091), {name}), GetLangText(15), MB_OK | MB_ICONERROR);
}

bool TdbList::OfferIndexRebuild() {
  const std::string name = Option(6);
  if (rebuilding_ || !damagedIndexBooks_.insert(name).second) return false;
  const std::string text = GetLangText(36) + "\n\n" + FormatLangText(GetLangText(830), {name});
  if (MessageBox(text, GetLangText(17), MB_YESNO | MB_ICONWARNING) != IDYES) return false;
  // The damaged index holds the numbers that lists and plans name: it is kept as a copy.
  KeepDamagedCopy(BookFilePath("", ".idx"));
  return RebuildIndex();
}

bool TdbList::FillRecipeList(int filter) {
  RecipeListView* view = ctx().recipeList;
  if (!view) return true;
  view->BeginFill();
  view->ClearRecipeList();
  const std::vector<REZINDEX>& entries = filter >= 0 ? bookIndex_ : searchResult_;
  const uint16_t category = static_cast<uint16_t>(filter);
  for (size_t i = 0; i < entries.size(); ++i) {
    const REZINDEX& e = entries[i];
    if (e.deleted != 0) continue;
    if (filter > 0 && std::find(std::begin(e.categories), std::end(e.categories), category) ==
                          std::end(e.categories))
      continue;
    view->AddRecipeListItem(&e, static_cast<int>(i));
  }
  view->EndFill();
  return true;
}

bool TdbList::GetListEntry(REZINDEX& out, int position) const {
  const bool search = ctx().recipeList && ctx().recipeList->IsSearchMode();
  const std::vector<REZINDEX>& entries = search ? searchResult_ : bookIndex_;
  if (position < 0 || position >= static_cast<int>(entries.size())) return false;
  out = entries[static_cast<size_t>(position)];
  return true;
}

bool TdbList::GetSearchEntry(REZINDEX& out, int position) const {
  if (position < 0 || position >= static_cast<int>(searchResult_.size())) return false;
  out = searchResult_[static_cast<size_t>(position)];
  return true;
}

// ---------------------------------------------------------------------------------------------
// Recipes

bool TdbList::ReadRecordFrom(const RawFile& file, const REZINDEX& entry, REZBLOCK& out,
                             const std::string& bookName) {
  ClearRezBlock(out);
  const long long size = file.Size();
  bool ok = entry.offset >= kBookHeaderSize && entry.length > 0 && entry.offset < size;
  if (ok) {
    // Never more than the file holds, whatever the entry claims.
    const size_t want = static_cast<size_t>(std::min<long long>(entry.length, size - entry.offset));
    recordBuffer_.resize(want);
    const long long got = file.ReadAt(entry.offset, recordBuffer_.data(), want);
    recordBuffer_.resize(got > 0 ? static_cast<size_t>(got) : 0);
    ok = !recordBuffer_.empty() && recordBuffer_[0] == '#';
  }
  if (!ok) {
    ReportDamagedRecords(bookName);
    return false;
  }
  DecodeRecipeRecord(recordBuffer_, out);
  return true;
}

void TdbList::ReportDamagedRecords(const std::string& bookName) {
  const std::string name = bookName.empty() ? Option(6) : bookName;
  if (!damagedRecordBooks_.insert(name).second) return;
  MessageBox(FormatLangText(GetLangText(831), {name}), GetLangText(15), MB_OK | MB_ICONERROR);
}

bool TdbList::ReadRezBlock(const std::string& bookName, const REZINDEX* entry, int position,
                           REZBLOCK& out) {
  ClearRezBlock(out);
  const REZINDEX* e = entry;
  if (bookName.empty() && position != -1) {
    if (position < 0 || position >= static_cast<int>(bookIndex_.size())) return false;
    e = &bookIndex_[static_cast<size_t>(position)];
  }
  if (!e) return false;
  const REZINDEX copy = *e;  // the entry may lie in a vector that a message box lets change
  RawFile f;
  if (!OpenBookFile(f, bookName, ".bok", RawFile::kRead)) {
    ShowError(45);
    return false;
  }
  return ReadRecordFrom(f, copy, out, bookName);
}

long long TdbList::FindInIndexFile(const std::string& path, int32_t number, REZINDEX& found,
                                   bool& usable) {
  int32_t counter = 0;
  std::vector<REZINDEX> entries;
  usable = ReadIndexFile(path, counter, entries);
  if (!usable) return -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].number == number) {
      found = entries[i];
      return static_cast<long long>(i);
    }
  }
  return -1;
}

bool TdbList::ReadRezBlockByKey(int16_t bookId, int32_t number, REZBLOCK& out) {
  if (bookId == bookId_) {
    bool any = false, ok = false;
    for (size_t i = 0; i < bookIndex_.size(); ++i) {
      if (bookIndex_[i].number != number) continue;
      const REZINDEX e = bookIndex_[i];
      any = true;
      ok = ReadRezBlock(std::string(), &e, -1, out);
    }
    if (!any) ClearRezBlock(out);
    return any && ok;
  }
  ClearRezBlock(out);
  const std::string name = BookNameOf(bookId);
  if (name.empty()) return false;
  REZINDEX e;
  bool usable = false;
  if (FindInIndexFile(BookFilePath(name, ".idx"), number, e, usable) < 0) return false;
  return ReadRezBlock(name, &e, -1, out);
}

bool TdbList::ReadIndexEntryByKey(int16_t bookId, int32_t number, REZINDEX& out) {
  if (bookId == bookId_) {
    for (const REZINDEX& e : bookIndex_) {
      if (e.number == number) {
        out = e;
        return true;
      }
    }
    return false;
  }
  const std::string name = BookNameOf(bookId);
  if (name.empty()) return false;
  bool usable = false;
  return FindInIndexFile(BookFilePath(name, ".idx"), number, out, usable) >= 0;
}

bool TdbList::CreateBookFile(const std::string& bookName) {
  const std::string path = BookFilePath(bookName, ".bok");
  if (!FileIsMissing(path)) return true;
  RawFile f;
  if (!f.CreateNew(path)) return !FileIsMissing(path);  // made meanwhile: it exists
  const bool ok = f.WriteAt(0, RecordFileHeader()) && f.Close();
  if (!ok) RemoveFile(path);  // a new, half-written file holds nothing
  return ok;
}

bool TdbList::WriteRezBlock(const std::string& bookName, REZBLOCK& recipe, int32_t& offset,
                            int32_t& length) {
  if (recipe.recipeIdHigh == 0) GiveNewRecipeId(recipe);
  EncodeRecipeRecord(recipe, recordBuffer_);
  recordBuffer_[kRecordDeletedPos] = 1;  // live once its entry is written
  CreateBookFile(bookName);
  RawFile f;
  if (!f.Open(BookFilePath(bookName, ".bok"), RawFile::kReadWrite)) {
    ShowError(49);
    return false;
  }
  const long long size = f.Size();
  // Positions are 32-bit in the index: a record must end below 2 GB.
  if (size < 0 || size + static_cast<long long>(recordBuffer_.size()) > INT32_MAX) {
    ShowError(49);
    return false;
  }
  if (!f.WriteAt(size, recordBuffer_)) {
    f.Truncate(size);  // no half record stays behind
    ShowError(49);
    return false;
  }
  if (!f.Close()) {
    ShowError(49);
    return false;
  }
  offset = static_cast<int32_t>(size);
  length = static_cast<int32_t>(recordBuffer_.size());
  return true;
}

bool TdbList::WriteRecordFlag(const REZINDEX& entry, int16_t bookId, int which) {
  if (which != 0 && which != 1) return false;
  const std::string name = BookNameOf(bookId);
  RawFile f;
  if (name.empty() || !f.Open(BookFilePath(name, ".bok"), RawFile::kReadWrite)) {
    ShowError(45);
    return false;
  }
  // The entry must point at a record: a stale position would change some other byte.
  char mark = 0;
  if (entry.offset < 0 || f.ReadAt(entry.offset, &mark, 1) != 1 ||
      entry.offset + kRecordFlagsPos >= f.Size()) {
    ShowError(38);
    return false;
  }
  if (mark != '#') {
    ShowError(48);
    return false;
  }
  const uint8_t byte = which == 0 ? entry.deleted : entry.flags;
  if (!f.WriteAt(entry.offset + kRecordDeletedPos + which, &byte, 1) || !f.Close()) {
    ShowError(49);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Index entries

RawFile TdbList::OpenIndexForUpdate(bool create) {
  const std::string path = BookFilePath("", ".idx");
  if (create) {
    if (WriteFileAtomic(path, NewIndexBytes())) counter_ = 1;
  } else if (FileIsMissing(path)) {
    RawFile made;
    if (made.CreateNew(path)) {
      if (made.WriteAt(0, NewIndexBytes()) && made.Close())
        counter_ = 1;
      else
        RemoveFile(path);
    }
  }
  RawFile f;
  if (!f.Open(path, RawFile::kReadWrite)) ShowError(41);
  return f;
}

int32_t TdbList::NextRecipeNumber(const std::string& bookName) {
  RawFile f;
  char head[kIndexEntriesPos];
  if (!f.Open(BookFilePath(bookName, ".idx"), RawFile::kReadWrite) ||
      f.ReadAt(0, head, sizeof head) != kIndexEntriesPos) {
    ShowError(41);
    return -1;
  }
  int32_t counter;
  std::memcpy(&counter, head + kIndexCounterPos, 4);
  const int32_t next = counter + 1;
  if (!f.WriteAt(kIndexCounterPos, &next, 4) || !f.Close()) {
    ShowError(41);
    return -1;
  }
  return counter;
}

bool TdbList::WriteIndexEntry(REZINDEX& entry, int position) {
  if (indexUnread_) {
    // Positions in memory mirror the file only as far as it was read: an entry written by
    // them would land on another recipe's.
    MessageBox(FormatLangText(GetLangText(1091), {Option(6)}), GetLangText(15),
               MB_OK | MB_ICONERROR);
    return false;
  }
  const int16_t current = CurrentBookIdForEntries();
  if (position != -1) {
    if (position < 0 || position >= static_cast<int>(bookIndex_.size())) return false;
    const REZINDEX& stored = bookIndex_[static_cast<size_t>(position)];
    entry.number = stored.number;
    entry.rewriteCount = static_cast<uint8_t>(stored.rewriteCount + 1);
  }
  entry.bookId = current;  // every book-index entry carries the book's id
  RawFile f = OpenIndexForUpdate(false);
  if (!f.IsOpen()) {
    ShowError(37);
    return false;
  }
  const long long at = position == -1 ? AppendPos(f) : IndexEntryPos(position);
  if (!f.WriteAt(at, &entry, sizeof entry) || !f.Close()) {
    ShowError(41);
    return false;
  }
  MatchRecordToEntry(BookFilePath("", ".bok"), entry);
  // Kept in memory only once it is on disk, so a failed write leaves the list as the file is.
  if (position == -1) {
    bookIndex_.push_back(entry);
  } else {
    bookIndex_[static_cast<size_t>(position)] = entry;
    RefreshSearchEntries(entry.bookId, entry.number, entry);
  }
  return true;
}

bool TdbList::UpdateIndexEntryByKey(int16_t bookId, int32_t number, REZINDEX& entry) {
  if (bookId == bookId_) {
    for (size_t i = 0; i < bookIndex_.size(); ++i) {
      if (bookIndex_[i].number != number) continue;
      const bool ok = WriteIndexEntry(entry, static_cast<int>(i));
      RefreshSearchEntries(bookId, number, entry);
      return ok;
    }
    return false;
  }
  const std::string name = BookNameOf(bookId);
  const std::string path = BookFilePath(name, ".idx");
  REZINDEX found;
  bool usable = false;
  const long long position = name.empty() ? -1 : FindInIndexFile(path, number, found, usable);
  if (position < 0) {
    ShowError(40);
    return false;
  }
  entry.number = number;
  entry.rewriteCount = static_cast<uint8_t>(found.rewriteCount + 1);
  RawFile f;
  if (!f.Open(path, RawFile::kReadWrite)) {
    ShowError(41);
    return false;
  }
  if (!f.WriteAt(IndexEntryPos(position), &entry, sizeof entry) || !f.Close()) {
    ShowError(41);
    return false;
  }
  MatchRecordToEntry(BookFilePath(name, ".bok"), entry);
  RefreshSearchEntries(bookId, number, entry);
  return true;
}

bool TdbList::AppendIndexEntry(const std::string& bookName, REZINDEX& entry) {
  RawFile f;
  char head[kIndexEntriesPos];
  if (!f.Open(BookFilePath(bookName, ".idx"), RawFile::kReadWrite) ||
      f.ReadAt(0, head, sizeof head) != kIndexEntriesPos ||
      !CheckBookHeader(std::string_view(head, kBookHeaderSize))) {
    ShowError(43);
    return false;
  }
  std::memcpy(&counter_, head + kIndexCounterPos, 4);
  const int id = FindBookIdByName(bookName);
  if (id == -1) {
    ShowError(43);
    return false;
  }
  entry.bookId = static_cast<int16_t>(static_cast<uint16_t>(id));
  // The counter is raised before its number is used, so a number is never handed out twice.
  if (entry.number == -1) {
    const int32_t next = counter_ + 1;
    if (!f.WriteAt(kIndexCounterPos, &next, 4)) {
      ShowError(44);
      return false;
    }
    entry.number = counter_;
  }
  if (!f.WriteAt(AppendPos(f), &entry, sizeof entry) || !f.Close()) {
    ShowError(41);
    return false;
  }
  MatchRecordToEntry(BookFilePath(bookName, ".bok"), entry);
  return true;
}

void TdbList::MatchRecordToEntry(const std::string& recordPath, const REZINDEX& entry) {
  // Silent: the entry is written, and the index is what a book is opened by.
  RawFile f;
  char head[kRecordDeletedPos + 1];
  if (entry.offset < kBookHeaderSize || !f.Open(recordPath, RawFile::kReadWrite) ||
      f.ReadAt(entry.offset, head, sizeof head) != static_cast<long long>(sizeof head) ||
      head[0] != '#' || static_cast<uint8_t>(head[kRecordDeletedPos]) == entry.deleted)
    return;
  f.WriteAt(entry.offset + kRecordDeletedPos, &entry.deleted, 1);
}

int TdbList::FindIndexEntry(int16_t bookId, int32_t number) const {
  for (size_t i = 0; i < bookIndex_.size(); ++i)
    if (bookIndex_[i].number == number && bookIndex_[i].bookId == bookId)
      return static_cast<int>(i);
  return -1;
}

int TdbList::FindSearchEntry(int16_t bookId, int32_t number) const {
  for (size_t i = 0; i < searchResult_.size(); ++i)
    if (searchResult_[i].number == number && searchResult_[i].bookId == bookId)
      return static_cast<int>(i);
  return -1;
}

void TdbList::RefreshSearchEntries(int16_t bookId, int32_t number, const REZINDEX& entry) {
  for (REZINDEX& s : searchResult_) {
    if (s.bookId != bookId || s.number != number) continue;
    s = entry;
    s.bookId = bookId;
    s.number = number;
  }
}

void TdbList::DropSearchEntriesOfBook(int16_t bookId) {
  std::erase_if(searchResult_, [bookId](const REZINDEX& e) { return e.bookId == bookId; });
}

// ---------------------------------------------------------------------------------------------
// Working key/value list

void TdbList::AddKeyValue(const std::string& key, const std::string& value) {
  keyValues_.push_back({key, value});
}

void TdbList::BuildKeyValueList(std::string& out) const { out = BuildKeyValueText(keyValues_); }

bool TdbList::ParseKeyValueList(const std::string& text) { return ParseDbEntries(text, keyValues_); }

const DBDATAENTRY* TdbList::KeyValueAt(int index) const {
  if (index < 0 || index >= static_cast<int>(keyValues_.size())) return nullptr;
  return &keyValues_[static_cast<size_t>(index)];
}

bool TdbList::LookupKeyValue(const std::string& key, std::string& out) const {
  out.clear();
  for (const DBDATAENTRY& e : keyValues_) {
    if (e.key == key) {
      out = e.value;
      return true;
    }
  }
  return false;
}

}  // namespace tav
