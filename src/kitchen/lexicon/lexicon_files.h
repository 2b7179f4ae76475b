#pragma once
// The cooking lexicon's two files in the language folder: "Lexika.ldt" holds the entries,
// "Lexika.lbk" the chapters ("name#number" a line).
//
// Lexika.ldt is an append-only log of lines ended by CR LF: the magic line "SAPLEX_1.00", a
// line "#", then per entry "B" + chapter, ">" + title, ">" + keyword (any number), the status
// line "F0" (live) or "F1" (deleted), the text lines and a closing "#". A changed entry is
// appended anew and its old status line overwritten in place with "F1"; the reorganisation
// (run by the book compression) writes the file again without the deleted entries. Text lines
// written by the entry editor carry the editor's CR before the file's CR LF.
//
// Lines are always read whole. A text line beginning with "#" would end its entry, so the
// writer puts a blank before it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "services/store_file.h"

namespace tav {

// One live entry of Lexika.ldt.
struct LEXINDEX {
  std::string title;                  // as in the file
  std::vector<std::string> keywords;  // sort keys (MakeSortKey) of the keyword lines
  int16_t chapter = 0;
  long long statusPos = 0;  // byte offset of the status line
  long long titlePos = 0;   // byte offset of the title line
};

// One chapter; files and comparisons use the low 16 bits of the number.
struct LEXBOOKS {
  std::string name;
  int32_t number = 0;
};

inline constexpr char kLexiconMagic[] = "SAPLEX_1.00";
inline constexpr char kLexiconDataFile[] = "Lexika.ldt";
inline constexpr char kLexiconChapterFile[] = "Lexika.lbk";

// The log of the book compression window: a line (toStatus false) or its status text.
using LexiconReorgLog = std::function<void(const std::string& text, bool toStatus)>;

class LexiconFiles {
 public:
  // `folder` ends with '/' (the language folder, option 52).
  explicit LexiconFiles(std::string folder) : folder_(std::move(folder)) {}

  std::string DataPath() const { return folder_ + kLexiconDataFile; }
  std::string ChapterPath() const { return folder_ + kLexiconChapterFile; }

  // Rebuilds the index (sorted by title, equal titles in file order); false with an empty index
  // when the file is missing or its first line lacks the magic. An empty file is accepted.
  bool LoadLexiconIndex(std::vector<LEXINDEX>& index) const;
  // The entry's text, its lines joined with CR LF; "" when it cannot be read.
  std::string ReadLexiconText(const LEXINDEX& entry) const;
  // The entry's keywords as typed, joined with CR LF.
  std::string ReadLexiconKeywords(const LEXINDEX& entry) const;
  // Overwrites the entry's status line with "F1"; false (nothing written) when the file cannot
  // be opened or the status line is not where the index says.
  bool MarkLexiconEntryDeleted(const LEXINDEX& entry) const;
  void MarkChapterEntriesDeleted(const std::vector<LEXINDEX>& index, int16_t chapter) const;
  // Appends one live entry; a missing or empty file is started with the magic line and "#",
  // and an entry cut short at the file's end is cut off first. Empty keyword lines are left out;
  // a text line beginning with "#" gets a blank before it.
  bool AppendLexiconEntry(int16_t chapter, const std::string& title,
                          const std::vector<std::string>& keywordLines,
                          const std::string& text) const;
  // Writes the file again without deleted entries (a temporary file renamed over it), logging
  // text 262 at the start, progress every 13 entries and the kept count at the end. False, with
  // the file unchanged, when it is missing, refused or cannot be replaced, and when it could
  // not be read to its end (logged with message 1090, a line of the log for each of its lines:
  // a read error is no end of the file).
  bool ReorganizeLexicon(const LexiconReorgLog& log) const;

  // Reads the chapters and sorts them; a missing file or one without usable lines is written
  // anew with the three default chapters, which are then read. `guard` (a local one when
  // null) learns how the file read: a file with lines the reader cannot use is kept as
  // "Lexika.lbk.damaged" and said before it is written; one that cannot be read is not
  // written, and the defaults serve this run.
  void LoadLexiconChapters(std::vector<LEXBOOKS>& chapters, StoreFileGuard* guard = nullptr) const;
  // Writes the chapters; through `guard` (the one the load filled) when given.
  bool SaveLexiconChapters(const std::vector<LEXBOOKS>& chapters,
                           StoreFileGuard* guard = nullptr) const;

 private:
  // False when the file is missing or cannot be read; `damaged` for lines without '#'.
  bool ReadChapterFile(std::vector<LEXBOOKS>& chapters, bool& damaged) const;
  std::string folder_;
};

// Sorts the chapters by name (case ignored, equal names keep their order).
void SortLexiconChapters(std::vector<LEXBOOKS>& chapters);
// The first chapter with exactly that name; 0 when none.
int16_t ChapterNumberByName(const std::vector<LEXBOOKS>& chapters, const std::string& name);
// A number from 1 to 998 that no chapter uses (`random` picks among the free ones); 0 when
// every number is taken. The first chapter gets 1.
int16_t NewChapterNumber(const std::vector<LEXBOOKS>& chapters,
                         const std::function<int(int count)>& random);

}  // namespace tav
