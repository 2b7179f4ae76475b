#pragma once
// The cookbook list: every book of the data folder (record file ".bok", index ".idx" and
// description file ".inf", all named after the book) with its description, background picture,
// tool-bar flag and book id, and the current book. Owned by the cookbook window TKBookDlg, which
// derives from it and gives the window hooks below their window work.
#include <cstdint>
#include <string>
#include <vector>

#include "services/options_store.h"

namespace tav {

struct KBOOK {
  std::string name;
  std::string description;
  std::string backgroundPicture;
  uint8_t toolbarFlag = 0;
  int16_t bookId = 0;
};

// The separator of GetKBookName's list of all names (the character 0xA7).
inline constexpr char kBookNameSeparator = '\xA7';
// GetKBookName's id value that asks for all names.
inline constexpr uint16_t kAllBookNames = 0xFFFF;

class CookbookList {
 public:
  CookbookList() = default;
  virtual ~CookbookList() = default;

  // Builds the list from the data folder; books without an id (or sharing one) get a new id
  // and their description file is written anew.
  void ScanKBooks();
  void SortKBooks();
  // Creates a book: new id into `book`, record file header, index (unless one exists),
  // description file, the files synced. False after message 166 when the record file cannot
  // be made or the name is too long for the file system (with 1103); the book is not listed.
  bool CreateKBook(KBOOK& book);
  // True when every file the program makes for a book of that name (its temporary and kept
  // copies included) has a name the data folder's file system can hold.
  static bool BookNameFits(const std::string& name);
  // Removes the first picture file of every live recipe of the book (only with option 50).
  void DeleteKBookPictures(int16_t bookId);
  // The name of the book with that id (the last match); id kAllBookNames gives every name
  // joined by kBookNameSeparator and sets `id` to the number of books.
  void GetKBookName(uint16_t& id, std::string& out) const;
  std::string GetKBookName(int16_t id) const;
  void GetKBookNameAt(int position, std::string& out) const;
  // The current book's id; 0 when no book is current.
  int16_t GetAktKBookId() const;
  // The id of the first book of that exact name as 0-65535; -1 when there is none.
  int FindKBookId(const std::string& name) const;
  void GetKBookDescription(const std::string& name, std::string& out) const;
  void GetKBookToolbarFlag(const std::string& name, uint8_t& out) const;
  // Index entries of the book (liveOnly: those not deleted); 0 without an index.
  int CountKBookRecipes(const std::string& name, bool liveOnly) const;
  // Makes the book of that exact name current (the last match). False when there is none.
  bool SelectKBook(const std::string& name);
  // The current book's name with " (description)"; empty when none is current.
  void GetAktKBookCaption(std::string& out) const;

  // Gives a book's three files the new name (".idx", ".bok", ".inf"); a file that cannot be
  // renamed undoes the renames before it and gives false. Refuses a name whose files exist or
  // that is too long for the file system (766, with 1103).
  bool RenameKBookFiles(const std::string& oldName, const std::string& newName);
  // Removes the book at a list position: pictures, shopping-list entries, its three files and
  // its list entry (the last book takes its place, then the list is sorted).
  void RemoveKBook(int position);
  // Writes a book's description file (description, id, tool-bar flag, picture).
  static bool WriteDescriptionFile(const std::string& path, const KBOOK& book);
  // Reads lines 1-4 of a description file into the book; false when it cannot be read.
  static bool ReadDescriptionFile(const std::string& path, KBOOK& book);

  // The book to go on with when `name` holds as many live recipes as option 74 allows: the
  // follow-on book ("name-2", "name-3" ...) that still has room, or a new one. `name` becomes
  // that book; the result is its live recipe count (0 for a new book).
  int GetContinuationKBook(std::string& name);

  const std::vector<KBOOK>& Books() const { return books_; }
  // Every book's name and id in list order (for the duplicate search's book order).
  std::vector<BookNameId> BookNameIds() const;
  int CurrentIndex() const { return current_; }
  void SetCurrentIndex(int index) { current_ = index; }

 protected:
  // Window hooks: the book list box and the book menus follow a change of the list; the empty
  // view shows the selected book's background; the duplicate-search book order and the shopping
  // list follow created, renamed and removed books.
  virtual void BooksChanged() {}
  virtual void BookSelected(const KBOOK& book) { (void)book; }
  // Keeps the duplicate search's book order (kept with the options) in step.
  virtual void ChangeAutoDelBook(int mode, const std::string& name, const std::string& newName);
  // The book's recipes leave the shopping list (when there is one).
  virtual void RemoveFromKaufList(int16_t bookId, int32_t number);

  // Renames one file of a book (a test can make it fail).
  virtual bool RenameBookFile(const std::string& from, const std::string& to);

  // A new id from -32767 to -2 that no book of the list has.
  int16_t DrawBookId();

  std::vector<KBOOK> books_;
  int current_ = -1;
};

}  // namespace tav
