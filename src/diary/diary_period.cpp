#include "diary/diary_period.h"

#include <cstdlib>

#include "services/context.h"
#include "services/dates.h"

namespace tav {

namespace {

void PreviousMonth(CalendarDate& d) {
  if (--d.month < 0) {
    d.month = 11;
    --d.year;
  }
}

// A day of 0 or less counts back into the month before.
void BorrowDays(CalendarDate& d) {
  PreviousMonth(d);
  d.day = DaysInMonth(d.month, d.year) - std::abs(d.day);
}

std::string LongDate(const CalendarDate& d) {
  return std::to_string(d.day) + ". " + GetLangText(236 + d.month) + " " + std::to_string(d.year);
}

}  // namespace

DiaryPeriod PeriodBack(const CalendarDate& date, int item) {
  DiaryPeriod p{date, date};
  CalendarDate& f = p.from;
  switch (item) {
    case 0:
    case 1:
      f.day -= item == 0 ? 7 : 30;
      if (f.day <= 0) BorrowDays(f);
      if (item == 1 && f.day <= 0) BorrowDays(f);
      break;
    case 2:
    case 3:
      f.month -= item == 2 ? 3 : 6;
      if (f.month < 0) {
        f.month = 12 - std::abs(f.month);
        --f.year;
      }
      break;
    case 4:
      --f.year;
      break;
    default:
      break;
  }
  if (f.day > DaysInMonth(f.month, f.year)) f.day = DaysInMonth(f.month, f.year);
  return p;
}

std::string PeriodTitle(const DiaryPeriod& period) {
  return " " + LongDate(period.from) + GetLangText(477) + LongDate(period.to);
}

std::vector<std::pair<int, int>> PeriodMonths(const DiaryPeriod& period) {
  std::vector<std::pair<int, int>> out;
  int m = period.from.month, y = period.from.year;
  out.emplace_back(m, y);
  while (y < period.to.year || (y == period.to.year && m < period.to.month)) {
    if (++m > 11) {
      m = 0;
      ++y;
    }
    out.emplace_back(m, y);
  }
  return out;
}

bool DateInPeriod(const CalendarDate& date, const DiaryPeriod& period) {
  return !DateBefore(date, period.from) && !DateBefore(period.to, date);
}

int PeriodDayCount(const DiaryPeriod& period) {
  return DaysBetween(period.from.day, period.from.month, period.from.year, period.to.day,
                     period.to.month, period.to.year);
}

std::string ChartDateText(const CalendarDate& date) {
  const std::string year = std::to_string(date.year);
  return std::to_string(date.day) + "." + std::to_string(date.month + 1) + "." +
         (year.size() >= 4 ? year.substr(2, 2) : year);
}

}  // namespace tav
