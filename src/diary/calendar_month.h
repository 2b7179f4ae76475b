#pragma once
// The month calendar of the diary windows worked out without a screen: the grid of one month
// (Monday first), the long date text and the steps of its buttons. The calendar's range is the
// years of its year list; a step that would leave it does nothing.
#include <array>
#include <string>

namespace tav {

// Month 0-11.
struct CalendarDate {
  int day = 1;
  int month = 0;
  int year = 2000;
};

inline constexpr int kCalendarFirstYear = 1989;
inline constexpr int kCalendarLastYear = 2051;

// Column of a date in a week row: Monday 0 to Sunday 6.
int WeekdayColumn(int day, int month, int year);

// The days of a month laid out in week rows below the header row.
struct MonthGridLayout {
  std::array<std::array<int, 7>, 7> cells{};  // [row][column], 0 = empty; row 0 is the header
  int rowCount = 2;                           // grid rows with the header row
  int selectedRow = 1;
  int selectedColumn = 0;
};
MonthGridLayout LayoutMonthGrid(const CalendarDate& date);

// "Mo, 3. Januar 2005": weekday name (message 351 + column), day, "." unless the language is
// "NL", month name (236 + month), year.
std::string CalendarDateText(const CalendarDate& date, const std::string& languageCode);

// The day clamped to the length of its month.
void ClampDay(CalendarDate& date);

enum class CalendarStep { PreviousYear, NextYear, PreviousMonth, NextMonth };
// One button step; the day is clamped. False (the date unchanged) at the ends of the range.
bool StepCalendar(CalendarDate& date, CalendarStep step);

// True when a date is before another (year, then month, then day).
bool DateBefore(const CalendarDate& a, const CalendarDate& b);

}  // namespace tav
