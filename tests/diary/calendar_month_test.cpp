// The diary calendar without a screen: month grids, the date text and the button steps at the
// ends of the range.
#include <gtest/gtest.h>

#include "diary/calendar_month.h"
#include "support/test_env.h"

namespace tav {
namespace {

TEST(CalendarMonth, MonthGrids) {
  struct Case {
    CalendarDate date;
    int firstColumn;  // Monday 0
    int rowCount;     // with the header row
    int selectedRow, selectedColumn;
  };
  const Case cases[] = {
      // June 2025 starts on a Sunday and has 30 days: 6 week rows.
      {{15, 5, 2025}, 6, 7, 3, 6},
      // March 2026 starts on a Sunday with 31 days: 6 week rows.
      {{31, 2, 2026}, 6, 7, 6, 1},
      // February 2027 starts on a Monday with 28 days: 4 rows and one empty row kept below.
      {{1, 1, 2027}, 0, 6, 1, 0},
      // January 2024 starts on a Monday.
      {{10, 0, 2024}, 0, 6, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date.month);
    EXPECT_EQ(WeekdayColumn(1, c.date.month, c.date.year), c.firstColumn);
    const MonthGridLayout g = LayoutMonthGrid(c.date);
    EXPECT_EQ(g.rowCount, c.rowCount);
    EXPECT_EQ(g.selectedRow, c.selectedRow);
    EXPECT_EQ(g.selectedColumn, c.selectedColumn);
    EXPECT_EQ(g.cells[1][static_cast<size_t>(c.firstColumn)], 1);
    EXPECT_EQ(g.cells[static_cast<size_t>(c.selectedRow)][static_cast<size_t>(c.selectedColumn)],
              c.date.day);
  }
}

TEST(CalendarMonth, StepsClampTheDayAndStopAtTheEnds) {
  struct Case {
    CalendarDate from;
    CalendarStep step;
    bool moved;
    CalendarDate to;
  };
  const Case cases[] = {
      {{31, 2, 2024}, CalendarStep::NextMonth, true, {30, 3, 2024}},
      {{29, 1, 2024}, CalendarStep::NextYear, true, {28, 1, 2025}},
      {{15, 0, 2024}, CalendarStep::PreviousMonth, true, {15, 11, 2023}},
      {{15, 11, 2024}, CalendarStep::NextMonth, true, {15, 0, 2025}},
      // The ends of the range: no wrapping within the year.
      {{3, 0, kCalendarFirstYear}, CalendarStep::PreviousMonth, false, {3, 0, 1989}},
      {{3, 11, kCalendarLastYear}, CalendarStep::NextMonth, false, {3, 11, 2051}},
      {{3, 5, kCalendarFirstYear}, CalendarStep::PreviousYear, false, {3, 5, 1989}},
      {{3, 5, kCalendarLastYear}, CalendarStep::NextYear, false, {3, 5, 2051}},
      {{3, 5, 1990}, CalendarStep::PreviousYear, true, {3, 5, 1989}},
  };
  for (const Case& c : cases) {
    CalendarDate d = c.from;
    EXPECT_EQ(StepCalendar(d, c.step), c.moved);
    EXPECT_EQ(d.day, c.to.day);
    EXPECT_EQ(d.month, c.to.month);
    EXPECT_EQ(d.year, c.to.year);
  }
}

TEST(CalendarMonth, DateText) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  EXPECT_EQ(CalendarDateText({3, 0, 2005}, "DE"), "Mo, 3. Januar 2005");
  EXPECT_EQ(CalendarDateText({3, 0, 2005}, "NL"), "Mo, 3 Januar 2005");
  EXPECT_EQ(CalendarDateText({1, 2, 2026}, "DE"), "So, 1. M\xE4rz 2026");
}

}  // namespace
}  // namespace tav
