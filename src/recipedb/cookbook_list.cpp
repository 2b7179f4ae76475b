#include "recipedb/cookbook_list.h"

#include <algorithm>
#include <ctime>
#include <random>

#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "recipedb/book_recovery.h"
#include "recipedb/index_file.h"
#include "recipedb/picture_use.h"
#include "recipedb/raw_file.h"
#include "recipedb/recipe_list_view.h"
#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "recipedb/shopping_list_access.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

std::string DataFolder() { return ctx().options ? ctx().options->Str(2) : std::string(); }

// Case-blind order of book names (Windows-1252 letters folded).
unsigned char Fold(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
  return c;
}

bool NameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return Fold(static_cast<unsigned char>(x)) < Fold(static_cast<unsigned char>(y));
  });
}

bool EndsWithNoCase(const std::string& s, const char* suffix) {
  const size_t n = std::char_traits<char>::length(suffix);
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (Fold(static_cast<unsigned char>(s[s.size() - n + i])) != Fold(static_cast<unsigned char>(suffix[i])))
      return false;
  return true;
}

// The three files of a book, in the order they are renamed and removed.
constexpr const char* kBookExtensions[] = {".idx", ".bok", ".inf"};

// The readers of the store and the compression take the description line into a buffer of
// 255 characters; a longer line would push the book id off line 2 for them.
constexpr size_t kDescriptionMax = 249;

std::string BookFile(const std::string& name, const char* extension) {
  return BookFileIn(DataFolder(), name, extension);
}

// A description file that exists but gives no book id: empty, holding NUL bytes, or without a
// number at the start of line 2.
bool DescriptionFileDamaged(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  if (bytes.empty() || bytes.find('\0') != std::string::npos) return true;
  const std::vector<std::string> lines = SplitLines(bytes);
  if (lines.size() < 2) return true;
  size_t i = 0;
  const std::string& id = lines[1];
  while (i < id.size() && id[i] == ' ') ++i;
  if (i < id.size() && (id[i] == '-' || id[i] == '+')) ++i;
  return i >= id.size() || id[i] < '0' || id[i] > '9';
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Description files

bool CookbookList::ReadDescriptionFile(const std::string& path, KBOOK& book) {
  // Line 2 is the book id by its place: no line may be passed over.
  LineReader reader(path, LineReader::Lines::kAsStored);
  if (!reader.IsOpen()) return false;
  std::string lines[4];
  for (std::string& line : lines) {
    if (!reader.Next(line)) line.clear();
    if (line.size() > 510) line.resize(510);
  }
  if (reader.Failed()) return false;  // a read error is no description of the book
  book.description = lines[0];
  book.bookId = static_cast<int16_t>(static_cast<uint16_t>(ReadLong(lines[1])));
  book.toolbarFlag = lines[2].empty() || lines[2] == "1" ? 1 : 0;
  book.backgroundPicture = lines[3];
  return true;
}

bool CookbookList::WriteDescriptionFile(const std::string& path, const KBOOK& book) {
  // Each field is one line: a line break inside a text would push the book id off its line,
  // and the next scan would give the book a new id.
  auto oneLine = [](std::string text) {
    for (char& c : text)
      if (c == '\r' || c == '\n') c = ' ';
    return text;
  };
  std::string description = oneLine(book.description);
  if (description.size() > kDescriptionMax) description.resize(kDescriptionMax);
  return WriteTextLines(path, {description, std::to_string(static_cast<uint16_t>(book.bookId)),
                               book.toolbarFlag ? "1" : "0", oneLine(book.backgroundPicture)});
}

// ---------------------------------------------------------------------------------------------
// The list

int16_t CookbookList::DrawBookId() {
  static std::mt19937 rng(static_cast<unsigned>(std::time(nullptr)));
  // 0 means "no id yet" and -1 stands for all books in GetKBookName: neither is handed out.
  std::uniform_int_distribution<int> draw(2, 32767);
  for (;;) {
    const auto id = static_cast<int16_t>(-draw(rng));
    if (std::none_of(books_.begin(), books_.end(), [id](const KBOOK& b) { return b.bookId == id; }))
      return id;
  }
}

void CookbookList::ScanKBooks() {
  books_.clear();
  const std::string data = DataFolder();
  FinishInterruptedWork(data);
  // Books whose description is there but could not be read: their id is only unknown, so the
  // file is not written anew (a new id would leave the lists that name the book pointing
  // nowhere); an id of this run stands in.
  std::vector<std::string> unread;
  for (const std::string& file : ListFolder(data)) {
    if (!EndsWithNoCase(file, ".bok") || !FileExists(data + file)) continue;
    KBOOK book;
    book.name = file.substr(0, file.size() - 4);
    if (book.name == "$$$") continue;  // the compression's scratch file
    const std::string inf = BookFileIn(data, book.name, ".inf");
    if (!ReadDescriptionFile(inf, book) && EntryExists(inf)) unread.push_back(book.name);
    books_.push_back(book);
  }
  // Two books with one id: the one found first keeps it.
  for (size_t i = 0; i < books_.size(); ++i)
    for (size_t j = i + 1; j < books_.size(); ++j)
      if (books_[j].bookId == books_[i].bookId) books_[j].bookId = 0;
  for (KBOOK& book : books_) {
    if (book.bookId != 0) continue;
    book.bookId = DrawBookId();
    if (std::find(unread.begin(), unread.end(), book.name) != unread.end()) continue;
    // A damaged file is kept as a copy; the file of the book is written in its own name's case.
    const std::string inf = BookFileIn(data, book.name, ".inf");
    if (DescriptionFileDamaged(inf)) KeepDamagedCopy(inf);
    WriteDescriptionFile(inf, book);
  }
  SortKBooks();
  BooksChanged();
}

void CookbookList::SortKBooks() {
  if (books_.size() < 2) return;
  // The current book stays current when the list order changes.
  const bool hadCurrent = current_ >= 0 && current_ < static_cast<int>(books_.size());
  const std::string currentName = hadCurrent ? books_[static_cast<size_t>(current_)].name : "";
  const int16_t currentId = hadCurrent ? books_[static_cast<size_t>(current_)].bookId : 0;
  std::stable_sort(books_.begin(), books_.end(),
                   [](const KBOOK& a, const KBOOK& b) { return NameLess(a.name, b.name); });
  if (!hadCurrent) return;
  for (size_t i = 0; i < books_.size(); ++i)
    if (books_[i].name == currentName && books_[i].bookId == currentId) current_ = static_cast<int>(i);
}

bool CookbookList::CreateKBook(KBOOK& book) {
  const std::string data = DataFolder();
  auto listed = std::find_if(books_.begin(), books_.end(),
                             [&](const KBOOK& b) { return b.name == book.name; });
  if (listed != books_.end()) {
    book.bookId = listed->bookId;  // files of a listed book are only completed
  } else {
    book.bookId = DrawBookId();
    books_.push_back(book);
    SortKBooks();
  }
  // An existing record file or index is never replaced.
  const std::string recordPath = BookFileIn(data, book.name, ".bok");
  if (FileIsMissing(recordPath)) {
    RawFile f;
    const bool made = f.CreateNew(recordPath);
    if (!made || !f.WriteAt(0, TextModeRecordFileHeader()) || !f.Close()) {
      if (made) RemoveFile(recordPath);
      MessageBox(GetLangText(166), GetLangText(15), MB_OK | MB_ICONERROR);
      return false;
    }
  }
  const std::string indexPath = BookFileIn(data, book.name, ".idx");
  if (FileIsMissing(indexPath)) {
    RawFile f;
    if (f.CreateNew(indexPath) && !(f.WriteAt(0, NewIndexBytes()) && f.Close()))
      RemoveFile(indexPath);
  }
  ChangeAutoDelBook(1, book.name, std::string());
  WriteDescriptionFile(BookFileIn(data, book.name, ".inf"), book);
  BooksChanged();
  return true;
}

void CookbookList::DeleteKBookPictures(int16_t bookId) {
  if (!ctx().options || !ctx().options->Flag(50)) return;
  const std::string name = GetKBookName(bookId);
  int32_t counter = 0;
  std::vector<REZINDEX> entries;
  if (name.empty() || !ReadIndexFile(BookFile(name, ".idx"), counter, entries)) return;
  TdbList scratch;
  TdbList& store = ctx().dbList ? *ctx().dbList : scratch;
  RawFile records;
  if (!records.Open(BookFile(name, ".bok"), RawFile::kRead)) return;
  std::vector<std::string> pictures;
  REZBLOCK recipe;
  for (const REZINDEX& e : entries) {
    if (e.deleted != 0 || !store.ReadRecordFrom(records, e, recipe, name)) continue;
    // Only a file of the picture folder itself: a name with a folder part is never removed.
    if (!recipe.pictures.empty() && IsPictureFolderFile(recipe.pictures.front()))
      pictures.push_back(recipe.pictures.front().name);
  }
  // Copies in other books may name the same file.
  RemoveUnusedPictures(pictures, books_, name);
}

void CookbookList::GetKBookName(uint16_t& id, std::string& out) const {
  out.clear();
  if (id == kAllBookNames) {
    for (size_t i = 0; i < books_.size(); ++i) {
      if (i) out += kBookNameSeparator;
      out += books_[i].name;
    }
    id = static_cast<uint16_t>(books_.size());
    return;
  }
  out = GetKBookName(static_cast<int16_t>(id));
}

std::string CookbookList::GetKBookName(int16_t id) const {
  std::string out;
  for (const KBOOK& b : books_)
    if (b.bookId == id) out = b.name;
  return out;
}

void CookbookList::GetKBookNameAt(int position, std::string& out) const {
  out.clear();
  if (position >= 0 && position < static_cast<int>(books_.size()))
    out = books_[static_cast<size_t>(position)].name;
}

int16_t CookbookList::GetAktKBookId() const {
  if (current_ < 0 || current_ >= static_cast<int>(books_.size())) return 0;
  return books_[static_cast<size_t>(current_)].bookId;
}

int CookbookList::FindKBookId(const std::string& name) const {
  for (const KBOOK& b : books_)
    if (b.name == name) return static_cast<uint16_t>(b.bookId);
  return -1;
}

void CookbookList::GetKBookDescription(const std::string& name, std::string& out) const {
  out.clear();
  for (const KBOOK& b : books_)
    if (b.name == name) out = b.description;
}

void CookbookList::GetKBookToolbarFlag(const std::string& name, uint8_t& out) const {
  out = 0;
  for (const KBOOK& b : books_)
    if (b.name == name) out = b.toolbarFlag;
}

int CookbookList::CountKBookRecipes(const std::string& name, bool liveOnly) const {
  return CountIndexEntries(BookFile(name, ".idx"), liveOnly);
}

bool CookbookList::SelectKBook(const std::string& name) {
  bool found = false;
  for (size_t i = 0; i < books_.size(); ++i) {
    if (books_[i].name != name) continue;
    current_ = static_cast<int>(i);
    found = true;
    BookSelected(books_[i]);
    if (ctx().recipeList) ctx().recipeList->ForgetShownRecipe();
  }
  return found;
}

void CookbookList::GetAktKBookCaption(std::string& out) const {
  out.clear();
  if (current_ < 0 || current_ >= static_cast<int>(books_.size())) return;
  const KBOOK& b = books_[static_cast<size_t>(current_)];
  out = b.name;
  if (!b.description.empty()) out += " (" + b.description + ")";
}

bool CookbookList::RenameKBookFiles(const std::string& oldName, const std::string& newName) {
  if (oldName == newName) return true;
  const std::string data = DataFolder();
  // Never over the files of another book.
  // A name that differs only in case is the same book's files given a new spelling.
  const bool sameFiles = BookFile(oldName, ".bok") == BookFile(newName, ".bok");
  for (const char* ext : kBookExtensions) {
    if (FileExists(BookFile(oldName, ext)) && !sameFiles &&
        !FileIsMissing(BookFile(newName, ext))) {
      ShowError(766);
      return false;
    }
  }
  std::vector<std::pair<std::string, std::string>> done;
  for (const char* ext : kBookExtensions) {
    const std::string from = BookFile(oldName, ext);
    if (!FileExists(from)) continue;
    if (!RenameBookFile(from, data + newName + ext)) {
      for (const auto& [was, now] : done) RenameBookFile(now, was);
      ShowError(766);
      return false;
    }
    done.emplace_back(from, data + newName + ext);
  }
  ChangeAutoDelBook(2, oldName, newName);
  return true;
}

void CookbookList::ChangeAutoDelBook(int mode, const std::string& name,
                                     const std::string& newName) {
  if (!ctx().options) return;
  const int id = FindKBookId(name);
  ctx().options->ChangeAutoDelBook(mode, name, newName, static_cast<int16_t>(id < 0 ? 0 : id));
}

std::vector<BookNameId> CookbookList::BookNameIds() const {
  std::vector<BookNameId> out;
  for (const KBOOK& b : books_) out.push_back({b.name, b.bookId});
  return out;
}

bool CookbookList::RenameBookFile(const std::string& from, const std::string& to) {
  return RenameFile(from, to);
}

void CookbookList::RemoveFromKaufList(int16_t bookId, int32_t number) {
  if (ShoppingListAccess* list = ShoppingListPane()) list->RemoveFromKaufList(bookId, number);
}

void CookbookList::RemoveKBook(int position) {
  if (position < 0 || position >= static_cast<int>(books_.size())) return;
  const KBOOK book = books_[static_cast<size_t>(position)];
  DeleteKBookPictures(book.bookId);
  RemoveFromKaufList(book.bookId, -1);
  for (const char* ext : {".inf", ".idx", ".bok"}) RemoveFile(BookFile(book.name, ext));
  ChangeAutoDelBook(0, book.name, std::string());
  const std::string currentName =
      current_ >= 0 && current_ < static_cast<int>(books_.size()) && current_ != position
          ? books_[static_cast<size_t>(current_)].name
          : std::string();
  books_[static_cast<size_t>(position)] = books_.back();
  books_.pop_back();
  // The removed book is no longer current; another current book stays current.
  current_ = -1;
  SortKBooks();
  for (size_t i = 0; i < books_.size(); ++i)
    if (!currentName.empty() && books_[i].name == currentName) current_ = static_cast<int>(i);
}

// ---------------------------------------------------------------------------------------------
// Follow-on books

int CookbookList::GetContinuationKBook(std::string& name) {
  // "X-3": base X, number 3. Digits count as a follow-on number only after a '-'.
  std::string base = name;
  long long number = 1;
  size_t digits = name.size();
  while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
  if (digits < name.size() && digits > 1 && name[digits - 1] == '-') {
    long long n = 0;
    ParseInt(std::string_view(name).substr(digits, std::min<size_t>(name.size() - digits, 9)), n);
    number = n == 0 ? 1 : n;
    base = name.substr(0, digits - 1);
  } else if (digits == name.size() && name.size() > 1 && name.back() == '-') {
    base = name.substr(0, name.size() - 1);
  }
  auto follower = [&](long long n) { return base + "-" + std::to_string(n); };
  while (FileExists(BookFile(follower(number + 1), ".idx"))) ++number;
  const std::string candidate = number == 1 ? base : follower(number);
  if (candidate != name && FileExists(BookFile(candidate, ".idx"))) {
    const int count = CountKBookRecipes(candidate, true);
    const int limit = ctx().options ? ctx().options->Int(74) : 10000;
    if (limit == 0 || count < limit) {
      name = candidate;
      return count;
    }
  }
  KBOOK book;
  book.name = follower(number + 1);
  CreateKBook(book);
  name = book.name;
  return 0;
}

}  // namespace tav
