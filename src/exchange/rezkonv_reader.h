#pragma once
// The RezKonv reader: recipes between a start line of "=" signs naming REZKONV and the end line
// "=====", with German or English head keywords, unit names written out, group headings of "="
// signs, a "QUELLE" source block and the key-figure lines of the Meal-Master texts.
#include <string>

#include "exchange/import_driver.h"

namespace tav {

// Reads one recipe from the line after its start line up to its end line and stores it in
// `book`; incomplete recipes as with the Meal-Master reader.
ReadResult ImportRezKonv(RecipeImporter& importer, const std::string& book);

}  // namespace tav
