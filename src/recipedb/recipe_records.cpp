#include "recipedb/recipe_records.h"

#include "recipedb/key_value_list.h"
#include "services/context.h"
#include "services/dates.h"

namespace tav {

void ClearRezBlock(REZBLOCK& recipe) {
  const uint8_t deleted = recipe.deleted;
  // The line list and the text keep their room: a reader of many recipes fills them again.
  std::vector<REZZUTAT> lines = std::move(recipe.lines);
  std::string text = std::move(recipe.text);
  lines.clear();
  text.clear();
  recipe = REZBLOCK();
  recipe.lines = std::move(lines);
  recipe.text = std::move(text);
  recipe.deleted = deleted;
  recipe.servingType = GetLangText(575);
}

void GiveNewRecipeId(REZBLOCK& recipe) {
  int32_t id[2];
  NewRecipeId(id);
  recipe.recipeIdLow = id[0];
  recipe.recipeIdHigh = id[1];
}

bool ParseDbEntries(std::string_view text, std::vector<DBDATAENTRY>& entries) {
  std::vector<KeyValueView> views;
  const bool ok = ParseKeyValueViews(text, views);
  entries.clear();
  entries.reserve(views.size());
  for (const KeyValueView& v : views) entries.push_back({std::string(v.key), std::string(v.value)});
  return ok;
}

}  // namespace tav
