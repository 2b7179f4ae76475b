#pragma once
// The servings a recipe is shown, printed and exported for, and the scaling of its ingredient
// amounts to them. The state lives in the tools module (recipeServings, chosenServings); the
// stored recipe is never changed.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tav {

struct REZBLOCK;

// -1: the recipe's own servings become the choice; 0: nothing chosen; -2: follow the next
// recipe shown; any other number is kept for the following recipes.
void SetChosenServings(int n);
// The choice, or the recipe's servings while nothing is chosen.
int GetChosenServings();
// The servings of the recipe being shown; in the follow state they become the choice.
void SetRecipeServings(int n);
int GetRecipeServings();

// Scales the amounts from the recipe's servings to `servings` (headings '*' and description
// lines '-' keep theirs) and makes them readable (fractions, kg and l). A range such as "2-3"
// scales both ends, an amount with a fraction sign its whole value. The recipe's servings
// field is the caller's to set.
void ScaleRecipeAmounts(REZBLOCK& recipe, uint16_t servings);

// "a-b" with an amount (ReadAmountValue) on each side of its one '-': the position of the '-',
// else npos.
size_t AmountRangeDash(const std::string& amount);

// The amount of an ingredient line as a number: a decimal with ',' or '.', a fraction "1/2", a
// mixed number "1 1/2", a fraction sign "½" or a whole number with one ("1½", "1 ½"). False
// for an empty amount, a range or a word.
bool ReadAmountValue(const std::string& amount, double& value);

}  // namespace tav
