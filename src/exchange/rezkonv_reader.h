#pragma once
// The RezKonv reader: recipes between a start line of "=" signs naming REZKONV and the end line
// "=====", with German or English head keywords, unit names written out, group headings of "="
// signs, a "QUELLE" source block and the key-figure lines of the Meal-Master texts.
#include <cstddef>
#include <string>
#include <string_view>

#include "exchange/import_driver.h"

namespace tav {

// Where the writer puts an ingredient's text: amount in 7 columns, a blank, the unit in 9, two
// blanks. What begins there or further right, with nothing before it, is text, also a number.
inline constexpr size_t kRezKonvTextColumn = 19;

// The reader does not begin the text with the line when it stands among a recipe's ingredients
// (two blanks or "=" signs first: an ingredient, a heading, the end line): a text line of that
// shape right after the ingredients is written behind a guard (text_export_blocks.h).
bool RezKonvIngredientShape(std::string_view line);

// Reads one recipe from the line after its start line up to its end line and stores it in
// `book`; incomplete recipes as with the Meal-Master reader.
ReadResult ImportRezKonv(RecipeImporter& importer, const std::string& book);

}  // namespace tav
