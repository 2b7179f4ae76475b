// The overview's period: spans back from the calendar date, the end date check, the months
// loaded and the title.
#include <gtest/gtest.h>

#include "diary/diary_period.h"
#include "support/test_env.h"

namespace tav {
namespace {

TEST(DiaryPeriod, SpansBackFromTheCalendarDate) {
  struct Case {
    CalendarDate date;
    int item;
    CalendarDate from;
  };
  const Case cases[] = {
      {{1, 2, 2023}, 1, {30, 0, 2023}},   // 1 March, not a leap year, 30 days: 30 January
      {{1, 2, 2023}, 0, {22, 1, 2023}},   // a week: 22 February
      {{1, 2, 2024}, 1, {31, 0, 2024}},   // a leap year: 31 January
      {{31, 7, 2023}, 3, {28, 1, 2023}},  // 31 August, six months: 28 February
      {{31, 7, 2024}, 3, {29, 1, 2024}},  // 29 in a leap year
      {{15, 0, 2024}, 2, {15, 9, 2023}},  // 15 January, three months: 15 October before
      {{7, 0, 2024}, 0, {31, 11, 2023}},  // a week back over the year's end
      {{29, 1, 2024}, 4, {28, 1, 2023}},  // a year back from 29 February
  };
  for (const Case& c : cases) {
    const DiaryPeriod p = PeriodBack(c.date, c.item);
    EXPECT_EQ(p.from.day, c.from.day) << c.item;
    EXPECT_EQ(p.from.month, c.from.month) << c.item;
    EXPECT_EQ(p.from.year, c.from.year) << c.item;
    EXPECT_EQ(p.to.day, c.date.day);
  }
}

TEST(DiaryPeriod, MonthsEndDateAndTitle) {
  const DiaryPeriod p = PeriodBack({15, 0, 2024}, 2);
  const std::vector<std::pair<int, int>> months = PeriodMonths(p);
  const std::vector<std::pair<int, int>> expected = {{9, 2023}, {10, 2023}, {11, 2023}, {0, 2024}};
  EXPECT_EQ(months, expected);
  EXPECT_EQ(PeriodDayCount(p), 92);
  EXPECT_TRUE(DateInPeriod({15, 9, 2023}, p));
  EXPECT_TRUE(DateInPeriod({15, 0, 2024}, p));
  EXPECT_FALSE(DateInPeriod({16, 0, 2024}, p));
  EXPECT_FALSE(DateInPeriod({14, 9, 2023}, p));
  // "bis zum": the same day passes, the day before does not.
  EXPECT_TRUE(EndDateUsable({10, 4, 2024}, {10, 4, 2024}));
  EXPECT_FALSE(EndDateUsable({10, 4, 2024}, {9, 4, 2024}));
  EXPECT_FALSE(EndDateUsable({10, 4, 2024}, {30, 11, 2023}));
  test::TestEnv env;
  env.LoadLanguage("DE");
  EXPECT_EQ(PeriodTitle(p), " 15. Oktober 2023 bis 15. Januar 2024");
  EXPECT_EQ(ChartDateText({5, 2, 2024}), "5.3.24");
}

}  // namespace
}  // namespace tav
