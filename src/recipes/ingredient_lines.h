#pragma once
// The ingredient lines of a recipe being edited, as the editor's line list and the ingredient
// chooser work on them: an ingredient line and the description lines after it (text starting
// with '-') form a block that moves, goes and is edited as one; a heading ('*') is a block of
// its own. Every change keeps the recipe's lineCount equal to its number of lines.
#include <string>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

class UnitTable;

// The block around line `first`: `first` steps back over description lines to their
// ingredient line (position 0 when only descriptions lie above), `last` forward over the
// description lines after it. Nothing changes when `first` is -1 or past the last line.
void FindLineBlock(const REZBLOCK& recipe, int& first, int& last);
// Removes the block of line `index`; its first position, or -1 when there is no such line.
int DeleteLineBlock(REZBLOCK& recipe, int index);
// Opens room for n lines at position `at`; the lines there move down (the gap keeps copies).
void InsertLineGap(REZBLOCK& recipe, int at, int n);
// Appends the line (index -1) or writes it over the line at `index`.
void StoreLineAt(REZBLOCK& recipe, int index, const REZZUTAT& line);
// Moves the block of line `selected` below the next block, or above the previous one. The
// position the selected line has afterwards; `selected` when nothing moved.
int MoveLineBlockDown(REZBLOCK& recipe, int selected);
int MoveLineBlockUp(REZBLOCK& recipe, int selected);

// The list text of a line: amount, tab, unit, tab, text; a heading as "----- text -----", a
// description as two tabs and its text.
std::string IngredientListText(const REZZUTAT& line);

// The unit code an item of the unit list carries at its end: "Esslöffel [EL]" gives "EL".
// Codes of one to three characters are recognised.
bool BracketUnitCode(const std::string& unitField, std::string& code);

// The fields of the ingredient chooser for one ingredient line.
struct ChooserFields {
  std::string amount;
  std::string unit;  // a list item "name [code]", a unit name or code, or other words
  std::string ingredient;
  std::string description;  // free text, lines separated by CR LF
  bool notOnShoppingList = false;
  std::string blsKey;
};

// The lines an ingredient entry becomes: the ingredient line, then a description line ('-')
// for each further wrapped piece (28 characters for the first line, 26 for the others; a note
// after ';' starts a line of its own). The unit field becomes a code through the unit table;
// words that name no unit stay in front of the ingredient. Empty when there is no ingredient.
std::vector<REZZUTAT> BuildIngredientBlock(const ChooserFields& fields, const UnitTable* units);

// The separator line of a heading text.
REZZUTAT HeadingLine(const std::string& text);

// The description of a block: the description lines after the ingredient line, without their
// '-', joined by CR LF.
std::string BlockDescription(const REZBLOCK& recipe, int first, int last);

}  // namespace tav
