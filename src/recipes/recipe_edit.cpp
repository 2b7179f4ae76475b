#include "recipes/recipe_edit.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/unit_table.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/dates.h"
#include "services/options_store.h"

namespace tav {

namespace {

bool OptionFlag(int id) {
  return ctx().options && ctx().options->Flag(id);
}
int OptionInt(int id) {
  return ctx().options ? ctx().options->Int(id) : 0;
}
std::string OptionText(int id) {
  return ctx().options ? ctx().options->Str(id) : std::string();
}

bool SameLine(const REZZUTAT& a, const REZZUTAT& b) {
  return a.amount == b.amount && SameTextNoCase(a.unit, b.unit) && a.text == b.text &&
         a.blsCode == b.blsCode && a.grams == b.grams;
}

bool SameNutrients(const REZBLOCK& a, const REZBLOCK& b) {
  if (a.nutrients.size() != b.nutrients.size()) return false;
  for (size_t i = 0; i < a.nutrients.size(); ++i) {
    if (std::strncmp(a.nutrients[i].code, b.nutrients[i].code, sizeof a.nutrients[i].code) != 0 ||
        a.nutrients[i].value != b.nutrients[i].value)
      return false;
  }
  return true;
}

}  // namespace

std::string EditDateToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  return text;
}

void PrepareLoadedRecipe(REZBLOCK& recipe) {
  if (!recipe.text.empty() && recipe.text.back() != '\n') recipe.text += '\n';
  recipe.changedDate = EditDateToday();
  recipe.changedEmail = OptionText(62);
  recipe.changedBy = OptionText(10);
}

void ResetNewRecipe(REZBLOCK& recipe) {
  ClearRezBlock(recipe);
  if (OptionFlag(77)) recipe.source = OptionText(72);
}

void FillNewRecipe(REZBLOCK& recipe) {
  int32_t id[2];
  NewRecipeId(id);
  recipe.recipeIdLow = id[0];
  recipe.recipeIdHigh = id[1];
  recipe.createdDate = EditDateToday();
  recipe.createdEmail = OptionText(62);
  recipe.createdBy = OptionText(10);
  recipe.changedBy = recipe.createdBy;
  recipe.changedEmail = recipe.createdEmail;
  recipe.changedDate = recipe.createdDate;
  recipe.remarks.assign(1, REZREMARK{std::string(), recipe.createdBy});
  recipe.pictures.clear();
  recipe.servings = OptionInt(17);
  recipe.nutrients.clear();
}

bool RecipeChanged(const REZBLOCK& work, const REZBLOCK& loaded, const PendingPicture& picture) {
  if (work.title != loaded.title) return true;
  for (int i = 0; i < 10; ++i)
    if (work.categories[i] != loaded.categories[i]) return true;
  if (work.recipeIdLow != loaded.recipeIdLow || work.recipeIdHigh != loaded.recipeIdHigh ||
      work.servings != loaded.servings || work.servingType != loaded.servingType)
    return true;
  // Rating, difficulty and card text are stored like every other field, so they count too.
  if (work.quality != loaded.quality || work.difficulty != loaded.difficulty ||
      work.cardText != loaded.cardText)
    return true;
  // A picture chosen or removed is applied only when the recipe is stored; until then it is a
  // change of its own, also for a recipe that had no picture.
  if (picture.Pending()) {
    const std::string stored = loaded.pictures.empty() ? std::string() : loaded.pictures[0].name;
    if (picture.chosenPath != stored) return true;
  }
  if (work.hint != loaded.hint || work.createdBy != loaded.createdBy ||
      work.createdEmail != loaded.createdEmail || work.createdDate != loaded.createdDate ||
      work.changedBy != loaded.changedBy || work.changedEmail != loaded.changedEmail ||
      work.changedDate != loaded.changedDate || work.source != loaded.source ||
      work.costs != loaded.costs || work.prepTime != loaded.prepTime ||
      work.cookTime != loaded.cookTime || work.totalTime != loaded.totalTime ||
      work.points != loaded.points || work.text != loaded.text)
    return true;
  if (work.remarks.size() != loaded.remarks.size()) return true;
  for (size_t i = 0; i < work.remarks.size(); ++i)
    if (work.remarks[i].author != loaded.remarks[i].author ||
        work.remarks[i].text != loaded.remarks[i].text)
      return true;
  if (work.pictures.size() != loaded.pictures.size()) return true;
  for (size_t i = 0; i < work.pictures.size(); ++i)
    if (work.pictures[i].kind != loaded.pictures[i].kind ||
        work.pictures[i].name != loaded.pictures[i].name)
      return true;
  if (!SameNutrients(work, loaded)) return true;
  if (work.lines.size() != loaded.lines.size()) return true;
  for (size_t i = 0; i < work.lines.size(); ++i)
    if (!SameLine(work.lines[i], loaded.lines[i]) ||
        work.lines[i].notOnShoppingList != loaded.lines[i].notOnShoppingList)
      return true;
  return false;
}

bool LinesOrServingsChanged(const REZBLOCK& work, const REZBLOCK& loaded) {
  if (work.servings != loaded.servings || work.lines.size() != loaded.lines.size()) return true;
  for (size_t i = 0; i < work.lines.size(); ++i)
    if (!SameLine(work.lines[i], loaded.lines[i])) return true;
  return false;
}

std::string UnusableMealMasterUnits(const REZBLOCK& recipe) {
  std::string list;
  if (!ctx().units) return list;
  for (const REZZUTAT& line : recipe.lines) {
    if (ctx().units->CheckMealMasterUnit(line)) continue;
    if (!list.empty()) list += ", ";
    list += line.unit;
  }
  return list;
}

bool StoreEditedRecipe(REZBLOCK& recipe, EditedRecipeKey& key, REZINDEX& entry) {
  TdbList* store = ctx().dbList;
  if (!store) return false;
  const int16_t current = ctx().books ? ctx().books->GetAktKBookId() : store->BookId();
  std::string bookName;  // "" is the current book
  REZINDEX old;
  if (key.isNew) {
    key.bookId = current;
    if (recipe.number == 0) {
      const int32_t number = store->NextRecipeNumber("");
      if (number < 0) return false;
      recipe.number = number;
    }
    key.number = recipe.number;
  } else {
    if (!store->ReadIndexEntryByKey(key.bookId, key.number, old)) {
      ShowError(40);
      return false;
    }
    if (key.bookId != current) bookName = ctx().books ? ctx().books->GetKBookName(key.bookId) : "";
  }

  // A mark set in the list while the recipe was open in the editor stays: the flags are the
  // entry's as it stands now, in the new record as in the new entry.
  const uint8_t flags = key.isNew ? key.loadedFlags : old.flags;
  recipe.flags = flags;
  int32_t offset = 0, length = 0;
  if (!store->WriteRezBlock(bookName, recipe, offset, length)) return false;

  entry = REZINDEX();
  entry.SetTitle(recipe.title);
  entry.offset = offset;
  entry.length = length;
  entry.flags = flags;
  entry.number = key.number;
  entry.bookId = key.bookId;
  std::memcpy(entry.categories, recipe.categories, sizeof entry.categories);
  const bool indexed = key.isNew ? store->WriteIndexEntry(entry, -1)
                                 : store->UpdateIndexEntryByKey(key.bookId, key.number, entry);
  if (!indexed) {
    // The old entry still points at the old record; the new one must not come back with an
    // index rebuild.
    REZINDEX unused = entry;
    unused.deleted = 1;
    store->WriteRecordFlag(unused, key.bookId, 0);
    return false;
  }
  // Only now that the index points at the new record may the old one be marked deleted.
  if (!key.isNew) {
    old.deleted = 1;
    store->WriteRecordFlag(old, key.bookId, 0);
  }
  key.isNew = false;
  return true;
}

}  // namespace tav
