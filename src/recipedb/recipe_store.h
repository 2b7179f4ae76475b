#pragma once
// The recipe store (data module dbList): the current book's index in memory, the search result,
// reading and writing recipes and index entries of any book, the working key/value list and the
// index rebuild. Every failure is reported here (message box, title text 15) and gives false
// (or -1 for numbers); callers do not report it again.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "recipedb/raw_file.h"
#include "recipedb/recipe_model.h"

namespace tav {

class TdbList {
 public:
  TdbList();
  ~TdbList();
  TdbList(const TdbList&) = delete;
  TdbList& operator=(const TdbList&) = delete;

  // --- current book --------------------------------------------------------------------
  // Empties the book index and loads the current book (option 6).
  bool ReloadBookIndex();
  // Reads the current book's id and index and fills the recipe list; false without a message
  // when the index is missing. The id is the one the cookbook list has for the book (an id for
  // the run when its description could not be read), else line 2 of its description (0 when
  // that cannot be read). A damaged index (header or counter unreadable, an entry cut
  // short, entries that point at no record) is said once per book and session with message 36
  // and the offer of the rebuild (830); entries that point at no record are kept in memory as
  // deleted, so they are not listed. An index that cannot be read to its end (a read error) is
  // no damage: the entries read are listed, message 1091 says so once per book and session,
  // and until the book is read whole nothing is written by position into its index nor
  // exported from it (IndexReadWhole). Work a killed process left half done is finished first,
  // and a record cut short at the end of the record file is cut off.
  bool LoadBookIndex();
  // Refills the recipe list: 0 every live entry of the book index, > 0 those carrying that
  // category id, < 0 the search result.
  bool FillRecipeList(int filter);
  // The entry at a position of the vector the recipe list shows (search result in search mode).
  bool GetListEntry(REZINDEX& out, int position) const;
  bool GetSearchEntry(REZINDEX& out, int position) const;

  // --- recipes -------------------------------------------------------------------------
  // Reads one recipe: from the named book's record file at the entry, or (name empty) from the
  // current book at book-index `position` (-1: at the entry).
  bool ReadRezBlock(const std::string& bookName, const REZINDEX* entry, int position,
                    REZBLOCK& out);
  // Reads the recipe with that key from the current or any other book.
  bool ReadRezBlockByKey(int16_t bookId, int32_t number, REZBLOCK& out);
  bool ReadIndexEntryByKey(int16_t bookId, int32_t number, REZINDEX& out);
  // Appends the recipe as a new record (giving it an identifier when it has none) to the named
  // book (empty: the current one); gives the record's position and length. The record goes in
  // with its deleted byte set and becomes live when an entry is written for it (the three
  // entry writers below do that), so that a save killed before its entry was written leaves
  // nothing that an index rebuild would bring back.
  bool WriteRezBlock(const std::string& bookName, REZBLOCK& recipe, int32_t& offset,
                     int32_t& length);
  // Creates the record file with its header when no file of that name exists.
  bool CreateBookFile(const std::string& bookName);
  // Writes the entry's deleted byte (which 0) or flags byte (which 1) into its record.
  bool WriteRecordFlag(const REZINDEX& entry, int16_t bookId, int which);

  // --- index entries -------------------------------------------------------------------
  // Each writer brings the deleted byte of the entry's record in line with the entry once the
  // entry is on disk.
  // Appends (position -1) or writes over the entry at a position of the current book.
  bool WriteIndexEntry(REZINDEX& entry, int position);
  // Writes over the entry with that key in the current or any other book.
  bool UpdateIndexEntryByKey(int16_t bookId, int32_t number, REZINDEX& entry);
  // Appends the entry to the named book's index, handing out a number when it holds -1.
  bool AppendIndexEntry(const std::string& bookName, REZINDEX& entry);
  // Opens the current book's index for update (creating it when missing or when `create`);
  // a closed file after message 41.
  RawFile OpenIndexForUpdate(bool create);
  // The named book's next recipe number (the counter is raised); -1 after message 41.
  int32_t NextRecipeNumber(const std::string& bookName);
  int FindIndexEntry(int16_t bookId, int32_t number) const;
  int FindSearchEntry(int16_t bookId, int32_t number) const;

  // --- search result -------------------------------------------------------------------
  void ClearSearchResult() { searchResult_.clear(); }
  void AddSearchEntry(const REZINDEX& entry) { searchResult_.push_back(entry); }
  int CountSearchResult() const { return static_cast<int>(searchResult_.size()); }
  // Drops every search-result entry of a book whose records moved (compression, rebuild).
  void DropSearchEntriesOfBook(int16_t bookId);

  // --- index rebuild -------------------------------------------------------------------
  // Makes the current book's index anew from its record file and renumbers the recipes.
  bool RebuildIndex();

  // --- working key/value list ----------------------------------------------------------
  void ClearKeyValueList() { keyValues_.clear(); }
  void AddKeyValue(const std::string& key, const std::string& value);
  void BuildKeyValueList(std::string& out) const;
  bool ParseKeyValueList(const std::string& text);
  int KeyValueCount() const { return static_cast<int>(keyValues_.size()); }
  const DBDATAENTRY* KeyValueAt(int index) const;
  bool LookupKeyValue(const std::string& key, std::string& out) const;

  // --- state ---------------------------------------------------------------------------
  int16_t BookId() const { return bookId_; }
  // False after a load of the current book that could not read its index to the end.
  bool IndexReadWhole() const { return !indexUnread_; }
  int32_t Counter() const { return counter_; }
  const std::vector<REZINDEX>& BookIndex() const { return bookIndex_; }
  const std::vector<REZINDEX>& SearchResult() const { return searchResult_; }

  // Paths of a book's files in the data folder (empty name: the current book), found without
  // regard to case.
  static std::string BookFilePath(const std::string& bookName, const char* extension);
  // Opens such a file (the name as written first, then without regard to case).
  static bool OpenBookFile(RawFile& file, const std::string& bookName, const char* extension,
                           RawFile::Mode mode);

  // Reads the record of `entry` from an open record file of the named book (empty: the current
  // one) into `out`, for work that reads many records of one book. A record that cannot be
  // read gives message 831 naming the book, once per book and session.
  bool ReadRecordFrom(const RawFile& file, const REZINDEX& entry, REZBLOCK& out,
                      const std::string& bookName = std::string());

 private:
  // Index position with that number in another book's index file; -1 when none.
  static long long FindInIndexFile(const std::string& path, int32_t number, REZINDEX& found,
                                   bool& usable);
  void RefreshSearchEntries(int16_t bookId, int32_t number, const REZINDEX& entry);
  int16_t CurrentBookIdForEntries() const;
  // Message 831 for the named book (empty: the current one), the first time only.
  void ReportDamagedRecords(const std::string& bookName);
  // Asks once per book and session whether the damaged index shall be rebuilt (keeping it as
  // "<book>.idx.damaged" first); the result of the rebuild, or false.
  bool OfferIndexRebuild();
  // The current book's index was not read to its end: message 1091, once per book and session.
  void ReportUnreadIndex();
  // The record's deleted byte follows the entry that now points at it (a record is appended
  // as deleted and becomes live only once its entry is written).
  static void MatchRecordToEntry(const std::string& recordPath, const REZINDEX& entry);
  std::string BookNameOf(int16_t bookId) const;
  int FindBookIdByName(const std::string& name) const;

  int16_t bookId_ = 0;
  std::vector<REZINDEX> bookIndex_;
  std::vector<REZINDEX> searchResult_;
  std::vector<DBDATAENTRY> keyValues_;
  int32_t counter_ = 0;
  std::string recordBuffer_;  // one record, reused between reads and writes
  std::set<std::string> damagedRecordBooks_;  // said once per session
  std::set<std::string> damagedIndexBooks_;
  std::set<std::string> unreadIndexBooks_;
  bool indexUnread_ = false;
  bool rebuilding_ = false;
  // Counts the loads of the index: a load that lets window events run (its progress window)
  // may be overtaken by another, and then stops instead of adding its entries to the other's.
  unsigned indexLoads_ = 0;
};

// The program's recipe store, created at start-up (also set as ctx().dbList).
extern TdbList* dbList;

}  // namespace tav
