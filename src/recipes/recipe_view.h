#pragma once
// What the standard view shows of a recipe, worked out without windows: the amounts scaled to
// the chosen servings, the title bar, the text with remarks, the ingredient pane's lines and
// hints, and the key-figure rows. The view's windows only copy these into their controls.
#include <string>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

class KeyFigureChoice;

// Scales a freshly read recipe to the chosen servings (servings state of the tools module):
// the recipe's servings are reported, and when the choice differs the amounts are scaled, the
// servings field becomes the choice and amounts with more than two decimals are cut to two.
void ScaleToChosenServings(REZBLOCK& recipe);

// The title bar: a blank and the title; with a book name (search mode) followed by " (",
// message 573, ": ", the name and ")".
std::string ShownRecipeTitle(const REZBLOCK& recipe, const std::string& searchBookName);

// The preparation text followed by the remarks the mode asks for (15 all, 16 the user's own,
// 0 none), each as "\n  author:\ntext\n".
std::string ShownRecipeText(const REZBLOCK& recipe, int remarkMode, const std::string& user);

// One line of the ingredient pane and the ingredient line it belongs to (-1: none).
struct IngredientPaneLine {
  enum Kind { kIngredient, kHeading, kDescription, kSpacer };
  std::string text;
  int data = -1;
  Kind kind = kIngredient;
};
// The pane's lines: headings set off with dashes (an empty line before every heading but a
// first one), description lines indented, ingredients as amount, unit code and text.
std::vector<IngredientPaneLine> IngredientPaneLines(const REZBLOCK& recipe);
// An amount as the pane lists it: a plain decimal with two decimals, each end of a range the
// same way; fractions, words and other texts as they are.
std::string ListedAmount(const std::string& amount);
// The hint of ingredient line `line`: amount, the unit's full name (plural above 1) and text,
// then the description lines that follow it.
std::string IngredientLineText(const REZBLOCK& recipe, int line);

// One row of the key-figure grid.
struct KeyFigureRow {
  std::string label;
  std::string value;
  bool operator==(const KeyFigureRow&) const = default;
};
// The rows of the figures chosen for `kind`, for the recipe on screen (its servings are the
// chosen servings; GetRecipeServings gives the recipe's own).
std::vector<KeyFigureRow> KeyFigureRows(const REZBLOCK& shown, const KeyFigureChoice* choice,
                                        int kind);

}  // namespace tav
