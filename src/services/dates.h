#pragma once
// Dates as recipes and the planners use them, month names, and the recipe identifier.
#include <cstdint>
#include <string>

namespace tav {

// A new recipe identifier: id[0] the low word (12-bit user-name hash, 20-bit counter kept in
// "IDCounter" of the Param key), id[1] the high word (creation minute, years since 1980).
void NewRecipeId(int32_t id[2]);

// While one lives (an import run), NewRecipeId counts in memory: the stored counter is set a
// block of 16384 ahead before the block is used, and to the last value used at the end, so the
// user settings file (written whole and synced) is written twice for a collection instead of
// for every recipe, and a run that is killed never hands out a counter value twice.
class RecipeIdBatch {
 public:
  RecipeIdBatch();
  ~RecipeIdBatch();
  RecipeIdBatch(const RecipeIdBatch&) = delete;
  RecipeIdBatch& operator=(const RecipeIdBatch&) = delete;

 private:
  friend void NewRecipeId(int32_t id[2]);
  bool active_;
  long long counter_ = -1;  // the last value handed out; -1 before the first
  int left_ = 0;            // values left in the block reserved on disk
};
// The high word for a local time (month 1-12).
int32_t RecipeIdTimeWord(int year, int month, int day, int hour, int minute);
// The 12-bit hash of a user name ("" counts as "Tavolin"), as it stands in bits 31-20.
uint32_t RecipeIdNameHash(const std::string& userName);

// "day.month.year" (blanks, '.' and ',' between): 1 when 1 <= month <= 12 and 1 <= day <= 31;
// a valid two-digit year becomes 1904-1999 or 2000-2003.
int ParseDate(const std::string& text, int& day, int& month, int& year);

// Two unsigned decimal numbers: the one at the start and the next one after other characters.
void ParseTwoInts(const char* text, int& a, int& b);

// Gregorian calendar; month 0 = January.
bool IsLeapYear(int year);
int DaysInMonth(int month, int year);
// Whole days from date 1 to date 2 (months 0-11); 0 when date 2 lies before date 1.
int DaysBetween(int day1, int month1, int year1, int day2, int month2, int year2);

// ISO 8601 week number (1-53) of a date (month 1-12).
int WeekOfYear(int day, int month, int year);

// "3.7.2005" -> "2005-07-03T00:00:00"; no year: today.
void DateToIsoText(const std::string& text, std::string& out);
// "2005-07-03..." -> "3.7.2005"; no day: today.
void IsoDateToGerman(const std::string& text, std::string& out);

// Long or short month name, month 1-12 (messages 236-247 and 248-259).
std::string GetMonthName(int month, bool shortName);

}  // namespace tav
