#pragma once
// The seasonal calendar: every catalogue ingredient may carry 48 quarter-month marks ('S' main
// season, 'N' near season, ' ' none; mark k is quarter k % 4 + 1 of month k / 4 + 1) after its
// season flag ('J' has season data). Slot s (1-48) stands for mark s - 1. The calendar lists
// the ingredients in season at a slot, all with season data, or those of a recipe.
#include <cstdint>
#include <string>
#include <vector>

#include "recipedb/ingredient_catalogue.h"

namespace tav {

struct REZBLOCK;

// The quarter-month of a date: month 0-11, day of the month 1-31 (days 1-8 the first quarter,
// 9-16 the second, 17-24 the third, 25 to the end the fourth).
int SeasonSlot(int month0, int day);

// The calendar's three lists.
enum class SeasonTab { Now = 0, All = 1, Recipe = 2 };

// The ingredients the tab lets through, in catalogue order: Now those marked at the slot ('S'
// only with mainOnly), All those with the season flag 'J', Recipe those with season data whose
// plural is the exact text of one of the recipe's ingredient lines.
std::vector<const REZZUTATEN*> SeasonIngredients(const std::vector<REZZUTATEN>& catalogue,
                                                 SeasonTab tab, int slot, bool mainOnly,
                                                 const REZBLOCK& recipe);

// Mark of a slot (1-48); ' ' outside.
char SeasonMark(const REZZUTATEN& z, int slot);
// The background of a calendar column: 0 white, 1-12 green, 13-24 yellow, 25-36 red, 37-48 blue
// (one tint per quarter of the year).
uint32_t SeasonBandColour(int column);
// The colour of a mark: 'S' dark green, 'N' light green; 0 for none.
uint32_t SeasonMarkColour(char mark);

// The season editor's click on a week: the same mark again clears it, otherwise the chosen one
// (0 main season, 1 near season, 2 none) is set.
char ClickedSeasonMark(char mark, int choice);
// After editing: the flag 'J' when any mark is set, else 'N'.
void UpdateSeasonFlag(REZZUTATEN& z);

}  // namespace tav
