#include "recipedb/picture_use.h"

#include <algorithm>

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

}  // namespace

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
