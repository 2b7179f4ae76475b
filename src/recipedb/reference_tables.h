#pragma once
// What the reference tables (categories, ingredients, units) share: the entries they hand to
// list and combo boxes, and the name check of the '#'-separated files.
#include <string>

namespace tav {

// One entry for a list or combo box filled by a reference table: the text shown and the number
// the window keeps as the item's data (an id or a table position).
struct ListItem {
  std::string text;
  int data = 0;
};

// '#' separates the fields of Gattung.dat and zutaten.dat, so a name holding it would not read
// back. Shows message 764 (title 15) and gives false for such a name.
bool NameFitsReferenceFile(const std::string& name);

}  // namespace tav
