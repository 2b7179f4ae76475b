#include "kitchen/menus/menu_plan.h"

#include <cstring>
#include <utility>

#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "services/charsets.h"
#include "services/context.h"

namespace tav {

MenuPlan::MenuPlan() {
  ClearMenu();
}

void MenuPlan::ClearMenu() {
  ClearRezBlock(open);
  ClearRezBlock(compare);
  open.number = -1;
  compare.number = -1;
}

void MenuPlan::StartNewMenu(int16_t bookId) {
  ClearRezBlock(open);
  open.number = -1;
  open.flags = kRecipeMenu;
  open.bookId = bookId;
}

void MenuPlan::TakeMenuRecipe(const REZBLOCK& recipe, int16_t bookId) {
  ClearRezBlock(open);
  open.title = recipe.title;
  open.cardText = recipe.cardText;
  open.hint = recipe.hint;
  open.text = recipe.text;
  open.recipeIdLow = recipe.recipeIdLow;
  open.recipeIdHigh = recipe.recipeIdHigh;
  open.number = recipe.number;
  open.flags = recipe.flags;
  open.servings = recipe.servings;
  open.bookId = bookId;
  // The planner's text fields give CR LF line ends back; so the menu holds them from the start.
  LfToCrLf(open.text);
  LfToCrLf(open.cardText);
  open.courses = ParseCourseList(open.hint);
  open.hint.clear();
  compare = open;
}

bool MenuPlan::IsOpenMenu(const REZBLOCK& recipe, int16_t bookId) const {
  return IsOpen() && recipe.number == open.number &&
         static_cast<uint16_t>(bookId) == static_cast<uint16_t>(open.bookId);
}

MenuPlan::Store MenuPlan::SaveMenuRecipe(TdbList& store, REZINDEX* added, bool always) {
  if (!always && !HasMenuChanged()) return Store::Unchanged;
  if (open.title.size() >= 60) open.title.resize(59);
  const CookbookList* books = ctx().books;
  const int16_t current = books ? books->GetAktKBookId() : store.BookId();
  const bool isNew = open.number == -1;
  REZINDEX old;
  if (isNew) {
    const int32_t number = store.NextRecipeNumber(std::string());
    if (number < 0) return Store::Failed;
    open.bookId = current;
    open.number = number;
  } else if (!store.ReadIndexEntryByKey(open.bookId, open.number, old)) {
    ShowError(40);
    return Store::Failed;
  }
  // "" is the current book; a menu of another book goes back into its own.
  const std::string bookName =
      open.bookId == current || !books ? std::string() : books->GetKBookName(open.bookId);
  // The courses travel in the hint; the record writer does not store the course list itself.
  REZBLOCK record = open;
  record.hint = CourseListText(open.courses);
  int32_t offset = 0, length = 0;
  if (!store.WriteRezBlock(bookName, record, offset, length)) {
    if (isNew) open.number = -1;
    return Store::Failed;
  }
  open.recipeIdLow = record.recipeIdLow;
  open.recipeIdHigh = record.recipeIdHigh;

  REZINDEX entry;
  entry.SetTitle(open.title);
  entry.number = open.number;
  entry.offset = offset;
  entry.length = length;
  entry.bookId = open.bookId;
  entry.deleted = 0;
  entry.flags = kRecipeMenu;
  std::memcpy(entry.categories, open.categories, sizeof entry.categories);
  const bool indexed = isNew ? store.WriteIndexEntry(entry, -1)
                             : store.UpdateIndexEntryByKey(open.bookId, open.number, entry);
  if (!indexed) {
    // The book keeps pointing at the old record; the new one must not come back with a rebuild.
    REZINDEX unused = entry;
    unused.deleted = 1;
    store.WriteRecordFlag(unused, open.bookId, 0);
    if (isNew) open.number = -1;
    return Store::Failed;
  }
  if (!isNew) {
    old.deleted = 1;
    store.WriteRecordFlag(old, open.bookId, 0);
  }
  if (added) *added = entry;
  compare = open;
  return Store::Stored;
}

bool MenuPlan::AddRecipeToMenu(TdbList& store, const REZINDEX& entry, const std::string& bookName) {
  if (entry.flags & kRecipeMenu) return false;
  MN_RECIPE c;
  c.printTitle = SafePrintTitle(entry.Title());
  c.bookId = static_cast<uint16_t>(entry.bookId);
  c.number = entry.number;
  c.persons = open.servings;
  // A recipe that cannot be read (the store says so) is added all the same.
  REZBLOCK recipe;
  ClearRezBlock(recipe);
  recipe.servingType.clear();
  if (store.ReadRezBlock(bookName, &entry, -1, recipe))
    c.servingType = SafeCourseText(recipe.servingType);
  open.courses.push_back(std::move(c));
  return true;
}

bool MenuPlan::RemoveCourse(int index) {
  if (index < 0 || index >= static_cast<int>(open.courses.size())) return false;
  open.courses.erase(open.courses.begin() + index);
  return true;
}

bool MenuPlan::MoveCourseUp(int index) {
  if (index <= 0 || index >= static_cast<int>(open.courses.size())) return false;
  std::swap(open.courses[static_cast<size_t>(index)], open.courses[static_cast<size_t>(index) - 1]);
  return true;
}

bool MenuPlan::MoveCourseDown(int index) {
  if (index < 0 || index + 1 >= static_cast<int>(open.courses.size())) return false;
  std::swap(open.courses[static_cast<size_t>(index)], open.courses[static_cast<size_t>(index) + 1]);
  return true;
}

}  // namespace tav
