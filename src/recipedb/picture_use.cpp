#include "recipedb/picture_use.h"

#include <algorithm>
#include <functional>

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
// fill the file exactly (a file of its header alone, or none, holds no record).
bool ForEachRecord(const std::string& path,
                   const std::function<void(long long, std::string_view)>& fn) {
  RawFile f;
  if (!f.Open(path, RawFile::kRead)) return false;
  const long long size = f.Size();
  if (size < 0) return false;
  long long pos = kBookHeaderSize;
  std::string record;
  while (pos < size) {
    char head[kRecordHeadSize];
    RecipeRecordHead h;
    if (f.ReadAt(pos, head, sizeof head) != kRecordHeadSize ||
        !ReadRecordHead(std::string_view(head, sizeof head), h) || h.mark != '#')
      return false;
    const int32_t length = h.offsets.entry[kOffLength];
    if (length < kMinRecordLength || pos + length > size) return false;
    record.resize(static_cast<size_t>(length));
    if (f.ReadAt(pos, record.data(), record.size()) != length) return false;
    fn(pos, record);
    pos += length;
  }
  return true;
}

void AddNameOnce(std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (SameTextNoCase(n, name)) return;
  names.push_back(name);
}

}  // namespace

std::vector<std::string> PicturesOfRecordsBut(const std::string& recordPath,
                                              const std::vector<long long>& skip) {
  std::vector<std::string> names;
  REZBLOCK recipe;
  ForEachRecord(recordPath, [&](long long pos, std::string_view record) {
    if (std::binary_search(skip.begin(), skip.end(), pos)) return;
    ClearRezBlock(recipe);
    DecodeRecipeRecord(record, recipe);
    for (const REZPICTURE& p : recipe.pictures)
      if (IsPictureFolderFile(p)) AddNameOnce(names, p.name);
  });
  return names;
}

void RemovePicturesNoRecordNames(std::vector<std::string> names, const std::string& dataFolder) {
  if (names.empty()) return;
  REZBLOCK recipe;
  for (const std::string& entry : ListFolder(dataFolder)) {
    if (names.empty()) return;
    const std::string_view extension =
        entry.size() < 4 ? std::string_view() : std::string_view(entry).substr(entry.size() - 4);
    KBOOK book;
    // A book's background picture may be a file of the picture folder too.
    if (SameTextNoCase(extension, ".inf") &&
        CookbookList::ReadDescriptionFile(dataFolder + entry, book)) {
      const size_t sep = LastSeparator(book.backgroundPicture);
      const std::string file = sep == std::string::npos ? book.backgroundPicture
                                                        : book.backgroundPicture.substr(sep + 1);
      std::erase_if(names, [&](const std::string& n) { return SameTextNoCase(n, file); });
    }
    if (!SameTextNoCase(extension, ".bok")) continue;
    const bool whole = ForEachRecord(dataFolder + entry, [&](long long, std::string_view record) {
      ClearRezBlock(recipe);
      DecodeRecipeRecord(record, recipe);
      for (const REZPICTURE& p : recipe.pictures)
        std::erase_if(names, [&](const std::string& n) { return SameTextNoCase(n, p.name); });
    });
    if (!whole) return;
  }
  const std::string pics = PictureFolder();
  for (const std::string& n : names) {
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
