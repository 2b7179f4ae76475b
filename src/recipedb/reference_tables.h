#pragma once
// What the reference tables (categories, ingredients, units) share: the entries they hand to
// list and combo boxes, and the name check of the '#'-separated files.
#include <string>
#include <vector>

#include "services/store_file.h"

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

// How a reference table stands to its file.
struct ReferenceFile {
  // The table holds what is on disk: true after a read and when there is no file at all; it
  // stays as it was when an existing file cannot be read (or is too large to be read).
  bool holds = false;
  bool tooLarge = false;  // the last read refused the file (message 1079 said it)
  // A file read in part (lines in another encoding, no line the table could take) is kept as
  // "<file>.damaged" and said before it is written anew.
  StoreFileGuard guard;
};

// The lines of a reference file; false when it cannot be read. Lines holding a NUL byte (the
// file is in UTF-16, or junk) are passed over and make the file damaged.
bool ReadReferenceLines(const std::string& path, std::vector<std::string>& lines,
                        ReferenceFile& file);
// After the table took its items from the lines: a file with lines of which the table could
// take none is no file of its kind, and damaged.
void ReferenceLinesTaken(const std::string& path, const std::vector<std::string>& lines,
                         size_t taken, ReferenceFile& file);
// Replaces the file with the lines (CR LF, through a temporary file). An existing file that
// the table does not hold is never replaced; a damaged one is kept first. False, after message
// `failText` with title `failTitle` (or the guard's), when nothing was written.
bool WriteReferenceLines(const std::string& path, const std::vector<std::string>& lines,
                         ReferenceFile& file, int failText, int failTitle);

}  // namespace tav
