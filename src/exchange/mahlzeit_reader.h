#pragma once
// The "Mahlzeit" text reader: a recipe begins with a line holding "ZZZZZ" and "Mahlzeit" and
// ends at the next line holding "ZZZZZ"; head lines carry their value from column 15, "ZUTATEN
// --" opens the ingredient columns and "ZUBEREITUNG --" the preparation text.
#include <string>

#include "exchange/import_driver.h"

namespace tav {

// Reads one recipe from the line after its start line and stores it in `book`. When the next
// recipe's start line ends it, that line goes back to the source. A recipe whose source ends
// before its end line is not stored.
ReadResult ImportMahlzeit(RecipeImporter& importer, const std::string& book);

}  // namespace tav
