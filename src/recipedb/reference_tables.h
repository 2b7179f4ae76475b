#pragma once
// What the reference tables (categories, ingredients, units) share: the entries they hand to
// list and combo boxes, and the name check of the '#'-separated files.
#include <string>
#include <vector>

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

// The reference file `name` in the language folder (option 52), found without regard to case.
std::string LanguageFolderFile(const std::string& name);

// The lines of a reference file; false when it cannot be read. `holdsFile` tells whether the
// table holds what is on disk: it becomes true after a read and when there is no file at all,
// and stays as it was when an existing file cannot be read.
bool ReadReferenceLines(const std::string& path, std::vector<std::string>& lines, bool& holdsFile);
// Replaces the file with the lines (CR LF, through a temporary file). An existing file that
// the table does not hold (`holdsFile` false) is never replaced. False, after message
// `failText` with title `failTitle`, when nothing was written.
bool WriteReferenceLines(const std::string& path, const std::vector<std::string>& lines,
                         bool& holdsFile, int failText, int failTitle);

}  // namespace tav
