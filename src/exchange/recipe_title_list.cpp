#include "exchange/recipe_title_list.h"

#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"

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
