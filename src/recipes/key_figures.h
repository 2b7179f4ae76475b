#pragma once
// Key figures of a recipe: the stored nutrient amounts as display texts with their units,
// energy in kcal or kJ, values per serving and the default unit of bare numbers. The info
// pane, the printout and the exporters all use these, so a recipe reads the same everywhere.
#include <string>

namespace tav {

struct REZBLOCK;

// The stored amount of the nutrient with its unit from the nutrient table (ctx().nutrients):
// "12,5 g", mg and µg without decimals;
// energy in kcal or kJ is worked out from the other when only that is stored. False when the
// recipe holds neither.
bool GetNutrientText(const REZBLOCK& recipe, const std::string& code, std::string& text);
// The energy of one serving, cut to whole units, in kJoule with option 16, else kcal. False
// without energy or servings.
bool GetEnergyPerServing(const REZBLOCK& recipe, std::string& text);
// A text from GetNutrientText divided by the recipe's servings (above 1). Values without a
// unit stay as they are.
void NutrientPerServing(const REZBLOCK& recipe, std::string& value);
// Digits only: the default unit (message 538) appended; any other text unchanged.
std::string AmountWithDefaultUnit(const std::string& text);
// The word of a quality (messages 697-701) or difficulty (702-706) of "1" to "5"; "" for any
// other character, so that no stray byte names an unrelated message.
std::string RatingText(bool quality, char digit);

}  // namespace tav
