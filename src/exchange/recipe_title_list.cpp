#include "exchange/recipe_title_list.h"

#include "platform/numbers.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/recipe_store.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"

namespace tav {

namespace {
const char* const kExportKey = "Software\\Brimo\\Tavolin\\Export";

int ReadInt(const char* name, int def) {
  std::string text;
  if (!ctx().userSettings || !ctx().userSettings->ReadString(kExportKey, name, text)) return def;
  return static_cast<int>(ReadLong(text));
}
}  // namespace

void TitleListChoices::Load() {
  range = ReadInt("LstWhatRez", kTitlesSelected);
  target = ReadInt("LstZiel", kTitlesToFile);
}

void TitleListChoices::Save() const {
  if (!ctx().userSettings) return;
  ctx().userSettings->WriteString(kExportKey, "LstWhatRez", std::to_string(range));
  ctx().userSettings->WriteString(kExportKey, "LstZiel", std::to_string(target));
}

std::vector<std::string> RecipeTitles(const RecipeListSnapshot& list, int range) {
  std::vector<std::string> titles;
  for (int row = 0; row < list.Count(); ++row) {
    REZINDEX entry;
    if (!list.Entry(row, entry) || entry.deleted != 0) continue;
    if (range == kTitlesMarked && !entry.IsMarked()) continue;
    if (range == kTitlesSelected && !list.Selected(row)) continue;
    titles.push_back(entry.Title());
  }
  return titles;
}

bool WriteRecipeTitleList(const RecipeListSnapshot& list, int range, const std::string& path) {
  // A book whose index was not read whole lists only part of its recipes.
  if (!list.searchMode && ctx().dbList && !ctx().dbList->IndexReadWhole()) {
    const std::string book = ctx().options ? ctx().options->Str(6) : std::string();
    MessageBox(FormatLangText(GetLangText(1093), {book}), GetLangText(15), MB_OK | MB_ICONERROR);
    return false;
  }
  const std::vector<std::string> titles = RecipeTitles(list, range);
  if (titles.empty()) {
    ShowError(314);
    return false;
  }
  if (path.empty() || !WriteTextLines(path, titles)) {
    ShowError(313);
    return false;
  }
  return true;
}

}  // namespace tav
