#pragma once
// The week plan: recipes and day remarks planned for the days of one calendar week, kept in
// "WPlan.ini" of the data folder (one section per day, eight keys per entry), the grid map that
// shows entry n of a day in row n + 1, the operations that place, move and delete entries, and
// the text "WPlan.txt" that the printout reads.
#include <cstdint>
#include <string>
#include <vector>

#include "services/store_file.h"

namespace tav {

struct REZBLOCK;

// Days are counted from 1970-01-01 (local calendar dates, no time).
int DayNumber(int year, int month, int day);
void DateOfDay(int dayNumber, int& year, int& month, int& day);
// Monday 0 .. Sunday 6.
int WeekdayOf(int dayNumber);
int MondayOf(int dayNumber);
// Today's local date.
int TodayNumber();
// "d.M.yyyy", as the day headers and the printout show a date.
std::string ShortDateText(int dayNumber);
// The name of a day's section in WPlan.ini: always "dd.MM.yyyy", whatever the user's date
// format, so a changed setting hides no plan.
std::string WeekPlanSectionName(int dayNumber);

// One entry of the plan.
struct WPLAN {
  bool isRecipe = false;  // recipe entry, else a day remark
  int16_t book = 0;       // recipe book id (negative ids are usual)
  int32_t recipeNo = 0;
  std::string text;      // recipe title, or the remark
  int32_t servings = 0;  // 0 for a remark
  std::string servingKind;
  std::string remark;  // a recipe entry's own remark
  int day = 0;         // day number
  int32_t pos = 0;     // 0 = top of the day; -1 only while the entry is removed
};

class WeekPlan {
 public:
  static constexpr int kColumns = 7;
  static constexpr int kFirstRows = 20;  // rows of a new grid, the header row included

  // "WPlan.ini" of the data folder (option 2).
  static std::string IniPath();
  // "WPlan.txt" of the export folder (option 4).
  static std::string TextPath();

  // Entries := the seven days from weekStart, read from WPlan.ini. A day's entries are read
  // from key number 0 up to the first missing "Book" key. False when the file exists but cannot
  // be read (the week is then empty).
  bool LoadWeekPlan();
  // Writes the seven shown days back; other weeks stay as they are. Says so (message 991) and
  // returns false when the file cannot be read or written. When the shown week could not be
  // read, StoreFileGuard asks first: an empty week never takes the place of one not read.
  bool SaveWeekPlan();

  // The grid: row count (header row 0 included; it only grows, so at least one empty row stays
  // below the lowest entry) and, per cell of rows 1 and below, the index of its entry or -1.
  void DrawWeekGrid();
  int RowCount() const { return rowCount_; }
  int CellIndex(int col, int row) const;
  // The entry shown in a cell, by the entries themselves (the last of equals); -1 for none.
  int FindWeekPlanEntry(int col, int row) const;

  // Places one dropped recipe at DropCol / DropRow (a drop on the header row goes to the top);
  // nothing is saved. False for a column outside the week.
  bool AddRecipeToWeekPlan(const REZBLOCK& recipe, int16_t book, int32_t number);
  // Places an entry (made a remark) at a cell, then saves.
  void InsertWeekPlanEntry(WPLAN entry, int col, int row);
  // Exchanges the entry of a cell with the one above / below (the cell map stays valid), saves;
  // `row` follows the entry. False when either cell is empty.
  bool MoveWeekPlanEntryUp(int col, int& row);
  bool MoveWeekPlanEntryDown(int col, int& row);
  // Removes the entry of one cell; the entries below it move up.
  void DeleteWeekPlanCell(int col, int row);
  // Erases whole days of WPlan.ini: mode 1 every day before `today`, mode 2 every day; then
  // loads the shown week again. Sections whose name is no date are kept.
  bool DeleteStoredDays(int mode, int today);

  // Heading texts: the grid's day header ("Mo 3.6.2024"), the pane's title with the calendar
  // week, and the week part of that title ("(KW: 23)").
  std::string DayHeader(int col) const;
  std::string TitleCaption() const;
  std::string WeekPart() const;

  // The text of WPlan.txt for the shown week (CR LF line ends); `count` gets the number of
  // entries written. Every entry of a day is written, however many.
  std::string WeekPlanText(int& count) const;
  // Writes WPlan.txt; the number of entries written, 0 when the file cannot be written
  // (message 281 said).
  int WriteWeekPlanText() const;

  int weekStart = 0;           // the Monday shown
  std::vector<WPLAN> entries;  // the seven days' entries, in no particular order
  int dropCol = 0, dropRow = 0;

 private:
  // Makes room at `entry.pos` of its day: entries at or below move down; a position below the
  // day's last entry becomes the one right after it.
  void MakeRoom(WPLAN& entry);
  int EntryAt(int day, int row) const;

  int rowCount_ = kFirstRows;
  std::vector<int> cells_;  // [row * 7 + col]; row 0 unused
  StoreFileGuard file_;     // how the shown week read
};

}  // namespace tav
