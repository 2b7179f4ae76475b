#pragma once
// The period of the diary overview: back from the calendar date by the chosen span, or from
// the calendar date to an end date; its title, its months and its days.
#include <string>
#include <utility>
#include <vector>

#include "diary/calendar_month.h"

namespace tav {

struct DiaryPeriod {
  CalendarDate from, to;
};

// Item of the span list: 0 the last week, 1 the last 30 days, 2 three months, 3 six months,
// 4 a year, each ending on the calendar date.
DiaryPeriod PeriodBack(const CalendarDate& date, int item);
// An end date is usable when it is not before the calendar date (the same day is).
inline bool EndDateUsable(const CalendarDate& date, const CalendarDate& end) {
  return !DateBefore(end, date);
}
// " 1. März 2024 bis 30. März 2024" (month names 236-247, message 477 between).
std::string PeriodTitle(const DiaryPeriod& period);
// The months of the period in order (month 0-11, year); the first month always.
std::vector<std::pair<int, int>> PeriodMonths(const DiaryPeriod& period);
bool DateInPeriod(const CalendarDate& date, const DiaryPeriod& period);
// Days from the first to the last day of the period.
int PeriodDayCount(const DiaryPeriod& period);
// "d.m.yy" as the charts write dates under their x axis.
std::string ChartDateText(const CalendarDate& date);

}  // namespace tav
