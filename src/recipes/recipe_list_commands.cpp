#include "recipes/recipe_list_commands.h"

#include <cstring>
#include <vector>

#include "platform/paths.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/picture_use.h"
#include "recipedb/recipe_store.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"

namespace tav {

namespace {

const std::vector<REZINDEX>& Visible(const TdbList& store, bool searchMode) {
  return searchMode ? store.SearchResult() : store.BookIndex();
}

bool EntryAt(const TdbList& store, bool searchMode, int item, REZINDEX& out) {
  const std::vector<REZINDEX>& v = Visible(store, searchMode);
  if (item < 0 || item >= static_cast<int>(v.size())) return false;
  out = v[static_cast<size_t>(item)];
  return true;
}

int16_t CurrentBookId(const TdbList& store) {
  return ctx().books ? ctx().books->GetAktKBookId() : store.BookId();
}

}  // namespace

bool FlipRecipeDeleted(TdbList& store, bool searchMode, int item, int16_t& book, int32_t& number) {
  REZINDEX e;
  if (!EntryAt(store, searchMode, item, e)) return false;
  book = e.bookId;
  number = e.number;
  const int p = searchMode ? store.FindSearchEntry(book, number) : store.FindIndexEntry(book, number);
  if (p < 0) return false;
  e.deleted = Visible(store, searchMode)[static_cast<size_t>(p)].deleted == 0 ? 1 : 0;
  const bool deletedNow = e.deleted != 0;
  // The store keeps the book index and the search result in step with what it writes.
  if (book == CurrentBookId(store)) {
    const int at = store.FindIndexEntry(book, number);
    if (at >= 0) store.WriteIndexEntry(e, at);
  } else {
    store.UpdateIndexEntryByKey(book, number, e);
  }
  store.WriteRecordFlag(e, book, 0);
  return searchMode || deletedNow;
}

bool ChangeRecipeMark(TdbList& store, bool searchMode, int item, int mode) {
  REZINDEX e;
  if (!EntryAt(store, searchMode, item, e)) return false;
  const bool marked = (e.flags & kRecipeMarked) != 0;
  if (marked && mode != 1)
    e.flags = static_cast<uint8_t>(e.flags & ~kRecipeMarked);
  else if (!marked && mode != 2)
    e.flags = static_cast<uint8_t>(e.flags | kRecipeMarked);
  else
    return false;
  const int16_t book = e.bookId;
  if (searchMode)
    store.UpdateIndexEntryByKey(book, e.number, e);
  else
    store.WriteIndexEntry(e, item);
  store.WriteRecordFlag(e, book, 1);
  return true;
}

CopyOutcome CopyRecipeToBook(TdbList& store, bool searchMode, int item, const std::string& target) {
  REZBLOCK recipe;
  if (searchMode) {
    REZINDEX e;
    if (!store.GetSearchEntry(e, item) || !store.ReadRezBlockByKey(e.bookId, e.number, recipe))
      return CopyOutcome::NotCopied;
  } else if (!store.ReadRezBlock(std::string(), nullptr, item, recipe)) {
    return CopyOutcome::NotCopied;
  }
  const int32_t number = store.NextRecipeNumber(target);
  if (number == -1) return CopyOutcome::NotCopied;
  recipe.number = number;
  // The copy starts unmarked and no menu, in its record as in its index entry, so that an
  // index rebuilt from the record file does not mark it again.
  recipe.flags = 0;

  // Each copy gets picture files of its own; one that cannot be copied keeps the original name.
  bool allCopied = true;
  std::vector<std::string> made;
  for (REZPICTURE& pic : recipe.pictures) {
    if (!IsPictureFolderFile(pic)) continue;
    if (CopyToUniquePicture(pic.name))
      made.push_back(pic.name);
    else
      allCopied = false;
  }
  auto dropCopies = [&] {
    const std::string pics = PictureFolder();
    for (const std::string& name : made) RemoveFile(pics + name);
  };

  int32_t offset = 0, length = 0;
  if (!store.WriteRezBlock(target, recipe, offset, length)) {
    dropCopies();
    return CopyOutcome::NotCopied;
  }
  REZINDEX entry;
  entry.SetTitle(recipe.title);
  entry.number = number;
  entry.offset = offset;
  entry.length = length;
  std::memcpy(entry.categories, recipe.categories, sizeof entry.categories);
  if (!store.AppendIndexEntry(target, entry)) {
    dropCopies();
    return CopyOutcome::NotCopied;
  }
  return allCopied ? CopyOutcome::Copied : CopyOutcome::CopiedSharing;
}

}  // namespace tav
