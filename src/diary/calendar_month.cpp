#include "diary/calendar_month.h"

#include "services/context.h"
#include "services/dates.h"

namespace tav {

int WeekdayColumn(int day, int month, int year) {
  // Sakamoto's rule gives 0 = Sunday.
  static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  int y = year;
  if (month < 2) --y;
  const int sunday0 = (y + y / 4 - y / 100 + y / 400 + offsets[month % 12] + day) % 7;
  return (sunday0 + 6) % 7;
}

void ClampDay(CalendarDate& date) {
  const int days = DaysInMonth(date.month, date.year);
  if (date.day > days) date.day = days;
  if (date.day < 1) date.day = 1;
}

MonthGridLayout LayoutMonthGrid(const CalendarDate& date) {
  MonthGridLayout g;
  int x = WeekdayColumn(1, date.month, date.year);
  int y = 1;
  const int days = DaysInMonth(date.month, date.year);
  for (int d = 1; d <= days; ++d) {
    g.cells[static_cast<size_t>(y)][static_cast<size_t>(x)] = d;
    if (d == date.day) {
      g.selectedRow = y;
      g.selectedColumn = x;
    }
    if (++x > 6) {
      x = 0;
      ++y;
    }
  }
  // A month that ends on a Sunday keeps one empty row below.
  g.rowCount = y + 1;
  return g;
}

std::string CalendarDateText(const CalendarDate& date, const std::string& languageCode) {
  std::string t = GetLangText(351 + WeekdayColumn(date.day, date.month, date.year));
  t += ", " + std::to_string(date.day);
  if (languageCode != "NL") t += ".";
  t += " " + GetLangText(236 + date.month) + " " + std::to_string(date.year);
  return t;
}

bool StepCalendar(CalendarDate& date, CalendarStep step) {
  CalendarDate d = date;
  switch (step) {
    case CalendarStep::PreviousYear:
      --d.year;
      break;
    case CalendarStep::NextYear:
      ++d.year;
      break;
    case CalendarStep::PreviousMonth:
      if (--d.month < 0) {
        d.month = 11;
        --d.year;
      }
      break;
    case CalendarStep::NextMonth:
      if (++d.month > 11) {
        d.month = 0;
        ++d.year;
      }
      break;
  }
  if (d.year < kCalendarFirstYear || d.year > kCalendarLastYear) return false;
  ClampDay(d);
  date = d;
  return true;
}

bool DateBefore(const CalendarDate& a, const CalendarDate& b) {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  return a.day < b.day;
}

}  // namespace tav
