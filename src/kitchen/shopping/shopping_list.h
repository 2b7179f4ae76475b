#pragma once
// The shopping list: the recipes to shop for, kept in "Kauflist.dat" of the data folder, one
// line "book#number#portions#title" per entry in entry order (the book id as an unsigned 16-bit
// number). The list box of the pane shows the entries sorted by title; each of its rows names
// its entry by index, and every change keeps that so (a removed entry's place is taken by the
// last one, whose row then names the freed index).
#include <cstdint>
#include <string>
#include <vector>

#include "services/store_file.h"

namespace tav {

struct REZINDEX;

struct KAUFLIST {
  std::string title;      // as the book index holds it (at most 59 characters)
  int16_t book = 0;       // cookbook id
  int32_t number = 0;     // recipe number in that book
  int32_t portions = -1;  // servings to shop for; -1 = the recipe's own
};

class ShoppingList {
 public:
  // "Kauflist.dat" of the data folder (option 2).
  static std::string FilePath();
  // The file line of an entry, "\r\n" included.
  static std::string FileLine(const KAUFLIST& entry);
  // One file line (without its line end) as an entry; false for a line the program never
  // writes (fewer than four fields, fields that are no numbers).
  static bool ParseLine(const std::string& line, KAUFLIST& entry);

  // Entries and rows from the file; a missing or unreadable file gives an empty list and no
  // message, a malformed line is passed over. A file larger than StoreFileLimit is not read
  // (message 1079). Before the file is written anew, StoreFileGuard keeps or asks about a file
  // that was not read whole.
  void LoadKaufList();
  // Appends an entry, its row and its file line (on a line of its own, also after a last line
  // the file holds without its line end). When the file cannot be written the entry is
  // kept for this run and message 214 is said; false then.
  bool AddToKaufList(const REZINDEX& entry, int portions);
  // Removes one entry (by index) and writes the file again; message 214 and false when the
  // file could not be written (the file then still holds the entry).
  bool RemoveEntry(int index);
  // Removes every entry of that book (and recipe number, unless it is -1), walking the rows
  // from the top: with a number message 215 after each removal, with -1 message 216 once when
  // any was removed. The number of entries removed.
  int RemoveFromKaufList(int16_t book, int32_t number);
  // Deletes the file and empties the list; asks nothing.
  void ClearKaufList();

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::vector<KAUFLIST>& Entries() const { return entries_; }
  // The entry index of each list row, rows sorted by title without regard to case (equal
  // titles in the order they were added).
  const std::vector<int>& Rows() const { return rows_; }
  // The row that names an entry index, -1 for none.
  int RowOfEntry(int index) const;
  // The whole file as it would be written.
  std::string FileBytes() const;

 private:
  void AddRow(int index);
  bool WriteFile() const;

  std::vector<KAUFLIST> entries_;
  std::vector<int> rows_;
  mutable StoreFileGuard file_;
};

}  // namespace tav
