#include "recipes/bulk_change.h"

#include <algorithm>
#include <vector>

#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "recipes/recipe_edit.h"
#include "services/context.h"
#include "services/text_tools.h"

namespace tav {

namespace {

// Blanks and control characters cut off both ends.
std::string Trimmed(std::string_view text) {
  size_t a = 0, b = text.size();
  while (a < b && static_cast<unsigned char>(text[a]) <= ' ') ++a;
  while (b > a && static_cast<unsigned char>(text[b - 1]) <= ' ') --b;
  return std::string(text.substr(a, b - a));
}

// The phrases of a text (cut at '.', ',', ';' and line ends), each trimmed.
std::vector<std::string> Phrases(const std::string& text) {
  std::vector<std::string> list;
  SplitText(text, list, kSplitPhrases);
  std::vector<std::string> out;
  for (const std::string& p : list)
    if (std::string t = Trimmed(p); !t.empty()) out.push_back(std::move(t));
  return out;
}

// Adds, replaces, removes or clears phrases of `list`; true when the list changed by the mode.
bool ApplyPhrases(std::vector<std::string>& list, int mode, const std::string& input) {
  const std::vector<std::string> typed = Phrases(input);
  bool changed = false;
  switch (mode) {
    case kBulkAdd:
      for (const std::string& p : typed) {
        if (std::find(list.begin(), list.end(), p) != list.end()) continue;
        list.push_back(p);
        changed = true;
      }
      return changed;
    case kBulkReplace:
      list = typed;
      return true;
    case kBulkRemove:
      for (const std::string& p : typed) {
        const auto last = std::find(list.rbegin(), list.rend(), p);
        if (last == list.rend()) continue;
        list.erase(std::next(last).base());
        changed = true;
      }
      return changed;
    case kBulkClear:
      list.clear();
      return true;
    default:
      return false;
  }
}

std::string JoinPhrases(const std::vector<std::string>& list) {
  std::string out;
  for (const std::string& p : list) {
    if (!out.empty()) out += ", ";
    out += p;
  }
  return out;
}

// Changes the recipe's main categories by name. Adding and removing keep the recipe's codes of
// sub and free categories in their places; replacing and clearing leave the codes of the named
// main categories alone. True when the mode changed the list of names.
bool ChangeCategories(REZBLOCK& recipe, int mode, const std::string& input,
                      const CategoryTable& table) {
  std::vector<std::string> left;
  for (uint16_t code : recipe.categories) {
    std::string name;
    if (code != 0 && table.GetGattName(code, name)) left.push_back(name);
  }
  const bool changed = ApplyPhrases(left, mode, input);

  std::vector<uint16_t> codes;
  auto add = [&codes](uint16_t code) {
    if (code != 0 && codes.size() < 10 &&
        std::find(codes.begin(), codes.end(), code) == codes.end())
      codes.push_back(code);
  };
  if (mode == kBulkAdd || mode == kBulkRemove) {
    for (uint16_t code : recipe.categories) {
      std::string name;
      if (code == 0) continue;
      if (!table.GetGattName(code, name)) {
        add(code);
        continue;
      }
      const auto it = std::find(left.begin(), left.end(), name);
      if (it == left.end()) continue;  // removed
      left.erase(it);
      add(code);
    }
  }
  for (const std::string& name : left) {
    int16_t id = 0;
    if (table.GetGattIdByName(name, id)) add(static_cast<uint16_t>(id));
  }
  std::fill(std::begin(recipe.categories), std::end(recipe.categories), uint16_t{0});
  std::copy(codes.begin(), codes.end(), recipe.categories);
  return changed;
}

}  // namespace

bool ApplyBulkChange(REZBLOCK& recipe, const BulkChangeSettings& s,
                     const CategoryTable* categories) {
  bool changed = false;
  // A menu keeps its coded course list where other recipes keep their keywords.
  if (s.keywords && !recipe.IsMenu()) {
    std::vector<std::string> list = Phrases(recipe.hint);
    changed = ApplyPhrases(list, s.keywordMode, s.keywordText) || changed;
    recipe.hint = JoinPhrases(list);
  }
  if (s.categories && categories)
    changed = ChangeCategories(recipe, s.categoryMode, s.categoryText, *categories) || changed;
  if (s.source) {
    changed = true;
    if (s.sourceMode == kBulkAppendSource) {
      if (!recipe.source.empty()) recipe.source += '\n';
      recipe.source += Trimmed(s.sourceText);
    } else if (s.sourceMode == kBulkReplaceSource) {
      recipe.source = Trimmed(s.sourceText);
    } else {
      recipe.source.clear();
    }
  }
  if (s.author) {
    recipe.createdBy = Trimmed(s.authorText);
    changed = true;
  }
  if (s.email) {
    recipe.createdEmail = Trimmed(s.emailText);
    changed = true;
  }
  if (s.date) {
    recipe.createdDate = Trimmed(s.dateText);
    changed = true;
  }
  return changed;
}

BulkOutcome BulkChangeRecipe(TdbList& store, bool searchMode, int item,
                             const BulkChangeSettings& settings) {
  const std::vector<REZINDEX>& listed = searchMode ? store.SearchResult() : store.BookIndex();
  if (item < 0 || item >= static_cast<int>(listed.size())) return BulkOutcome::Failed;
  const REZINDEX entry = listed[static_cast<size_t>(item)];
  REZBLOCK recipe;
  EditedRecipeKey key;
  key.isNew = false;
  key.loadedFlags = entry.flags;
  if (searchMode) {
    if (!store.ReadRezBlockByKey(entry.bookId, entry.number, recipe)) return BulkOutcome::Failed;
    key.bookId = entry.bookId;
  } else {
    if (!store.ReadRezBlock(std::string(), nullptr, item, recipe)) return BulkOutcome::Failed;
    key.bookId = ctx().books ? ctx().books->GetAktKBookId() : store.BookId();
  }
  key.number = entry.number;
  if (!ApplyBulkChange(recipe, settings, ctx().categories)) return BulkOutcome::Unchanged;
  REZINDEX stored;
  return StoreEditedRecipe(recipe, key, stored) ? BulkOutcome::Changed : BulkOutcome::Failed;
}

}  // namespace tav
