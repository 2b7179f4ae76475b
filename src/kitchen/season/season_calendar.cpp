#include "kitchen/season/season_calendar.h"

#include <string_view>
#include <unordered_set>

#include "recipedb/recipe_model.h"

namespace tav {

int SeasonSlot(int month0, int day) {
  return month0 * 4 + 1 + (day > 8) + (day > 16) + (day > 24);
}

char SeasonMark(const REZZUTATEN& z, int slot) {
  if (slot < 1 || slot > 48 || static_cast<size_t>(slot) >= z.season.size()) return ' ';
  return z.season[static_cast<size_t>(slot)];
}

std::vector<const REZZUTATEN*> SeasonIngredients(const std::vector<REZZUTATEN>& catalogue,
                                                 SeasonTab tab, int slot, bool mainOnly,
                                                 const REZBLOCK& recipe) {
  std::vector<const REZZUTATEN*> shown;
  std::unordered_set<std::string_view> lines;
  if (tab == SeasonTab::Recipe) {
    if (recipe.lines.empty()) return shown;
    for (const REZZUTAT& l : recipe.lines) lines.insert(l.text);
  }
  for (const REZZUTATEN& z : catalogue) {
    const bool hasSeason = !z.season.empty() && z.season[0] == 'J';
    bool take = false;
    switch (tab) {
      case SeasonTab::Now: {
        const char m = SeasonMark(z, slot);
        take = mainOnly ? m == 'S' : m != ' ';
        break;
      }
      case SeasonTab::All:
        take = hasSeason;
        break;
      case SeasonTab::Recipe:
        take = hasSeason && lines.count(z.plural) > 0;
        break;
    }
    if (take) shown.push_back(&z);
  }
  return shown;
}

uint32_t SeasonBandColour(int column) {
  if (column <= 0) return 0xFFFFFF;
  if (column <= 12) return 0xEEFFEE;
  if (column <= 24) return 0xFFFFEE;
  if (column <= 36) return 0xFFEEEE;
  return 0xEEFFFF;
}

uint32_t SeasonMarkColour(char mark) {
  if (mark == 'S') return 0x00AA00;
  if (mark == 'N') return 0x00FF00;
  return 0;
}

char ClickedSeasonMark(char mark, int choice) {
  if ((mark == 'S' && choice == 0) || (mark == 'N' && choice == 1)) return ' ';
  return choice == 0 ? 'S' : choice == 1 ? 'N' : ' ';
}

void UpdateSeasonFlag(REZZUTATEN& z) {
  if (z.season.size() < REZZUTATEN::kSeasonLength) z.season.resize(REZZUTATEN::kSeasonLength, ' ');
  bool any = false;
  for (size_t k = 1; k < REZZUTATEN::kSeasonLength; ++k) any = any || z.season[k] != ' ';
  z.season[0] = any ? 'J' : 'N';
}

}  // namespace tav
