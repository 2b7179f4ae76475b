#include "recipedb/picture_use.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

#include "platform/paths.h"
#include "recipedb/index_file.h"
#include "recipedb/raw_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/record_file.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

bool IsPictureFolderFile(const REZPICTURE& picture) {
  const std::string& n = picture.name;
  return picture.kind == 'F' && !n.empty() && n != "." && n != ".." &&
         n.find_first_of("/\\") == std::string::npos;
}

std::string PictureFolder() {
  return (ctx().options ? ctx().options->Str(90) : std::string()) + "Pics/";
}

namespace {

// Drops from `names` every name a recipe of the book names; false when a record of the book
// could not be read (then nothing can be said about its pictures).
bool DropNamesOfBook(const std::string& data, const std::string& book,
                     std::vector<std::string>& names) {
  int32_t counter = 0;
  std::vector<REZINDEX> entries;
  if (!ReadIndexFile(BookFileIn(data, book, ".idx"), counter, entries)) return false;
  if (entries.empty()) return true;
  RawFile records;
  if (!records.Open(BookFileIn(data, book, ".bok"), RawFile::kRead)) return false;
  const long long size = records.Size();
  std::string bytes;
  REZBLOCK recipe;
  for (const REZINDEX& e : entries) {
    if (e.offset < 0 || e.length <= 0 || e.offset + static_cast<long long>(e.length) > size)
      return false;
    bytes.resize(static_cast<size_t>(e.length));
    if (records.ReadAt(e.offset, bytes.data(), bytes.size()) != e.length || bytes[0] != '#')
      return false;
    ClearRezBlock(recipe);
    DecodeRecipeRecord(bytes, recipe);
    for (const REZPICTURE& p : recipe.pictures)
      std::erase_if(names, [&](const std::string& n) { return SameTextNoCase(n, p.name); });
    if (names.empty()) break;
  }
  return true;
}

// Calls `fn` with each whole record of the record file, in file order; true when the records
// fill the file exactly (a file of its header alone, or none, holds no record). Read through a
// large window, as the books are read whole.
bool ForEachRecord(const std::string& path,
                   const std::function<void(long long, std::string_view)>& fn) {
  RawFile f;
  if (!f.Open(path, RawFile::kRead)) return false;
  const long long size = f.Size();
  if (size < 0) return false;
  std::string window;
  long long base = 0;
  // The bytes [at, at + n) in the window; false when the file does not hold them.
  auto have = [&](long long at, long long n) {
    if (at >= base && at + n <= base + static_cast<long long>(window.size())) return true;
    window.resize(static_cast<size_t>(std::max<long long>(n, 1 << 20)));
    const long long got = f.ReadAt(at, window.data(), window.size());
    window.resize(got > 0 ? static_cast<size_t>(got) : 0);
    base = at;
    return got >= n;
  };
  long long pos = kBookHeaderSize;
  while (pos < size) {
    RecipeRecordHead h;
    if (!have(pos, kRecordHeadSize)) return false;
    const std::string_view head(window.data() + (pos - base), kRecordHeadSize);
    if (!ReadRecordHead(head, h) || h.mark != '#') return false;
    const int32_t length = h.offsets.entry[kOffLength];
    if (length < kMinRecordLength || pos + length > size || !have(pos, length)) return false;
    fn(pos, std::string_view(window.data() + (pos - base), static_cast<size_t>(length)));
    pos += length;
  }
  return true;
}

}  // namespace

std::unordered_map<std::string, std::string> PictureNameKeys(
    const std::vector<std::string>& names) {
  std::unordered_map<std::string, std::string> keys;
  for (const std::string& n : names) keys.try_emplace(UpperCaseAnsi(n), n);
  return keys;
}

std::vector<std::string> PicturesOfRecordsBut(const std::string& recordPath,
                                              const std::vector<long long>& skip) {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  std::vector<REZPICTURE> pictures;
  ForEachRecord(recordPath, [&](long long pos, std::string_view record) {
    if (std::binary_search(skip.begin(), skip.end(), pos)) return;
    DecodeRecordPictures(record, pictures);
    for (const REZPICTURE& p : pictures)
      if (IsPictureFolderFile(p) && seen.insert(UpperCaseAnsi(p.name)).second)
        names.push_back(p.name);
  });
  return names;
}

void RemovePicturesNoRecordNames(const std::vector<std::string>& names,
                                 const std::string& dataFolder) {
  std::unordered_map<std::string, std::string> unused = PictureNameKeys(names);
  std::vector<REZPICTURE> pictures;
  for (const std::string& entry : ListFolder(dataFolder)) {
    if (unused.empty()) return;
    const std::string_view extension =
        entry.size() < 4 ? std::string_view() : std::string_view(entry).substr(entry.size() - 4);
    KBOOK book;
    // A book's background picture may be a file of the picture folder too.
    if (SameTextNoCase(extension, ".inf") &&
        CookbookList::ReadDescriptionFile(dataFolder + entry, book)) {
      const size_t sep = LastSeparator(book.backgroundPicture);
      unused.erase(UpperCaseAnsi(sep == std::string::npos
                                     ? book.backgroundPicture
                                     : book.backgroundPicture.substr(sep + 1)));
    }
    if (!SameTextNoCase(extension, ".bok")) continue;
    const bool whole = ForEachRecord(dataFolder + entry, [&](long long, std::string_view record) {
      DecodeRecordPictures(record, pictures);
      for (const REZPICTURE& p : pictures) unused.erase(UpperCaseAnsi(p.name));
    });
    if (!whole) return;
  }
  const std::string pics = PictureFolder();
  for (const auto& [key, n] : unused) {
    // Only a bare name: the file stays inside the picture folder.
    if (IsPictureFolderFile(REZPICTURE{'F', n})) RemoveFile(FindFileNoCase(pics + n));
  }
}

void RemoveUnusedPictures(const std::vector<std::string>& names, const std::vector<KBOOK>& books,
                          const std::string& exceptBook) {
  if (names.empty() || !ctx().options) return;
  std::vector<std::string> unused = names;
  const std::string data = ctx().options->Str(2);
  for (const KBOOK& b : books) {
    if (unused.empty()) return;
    if (b.name == exceptBook) continue;
    if (!DropNamesOfBook(data, b.name, unused)) return;
  }
  const std::string pics = PictureFolder();
  for (const std::string& n : unused) RemoveFile(pics + n);
}

}  // namespace tav
