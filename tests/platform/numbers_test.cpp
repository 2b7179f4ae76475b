#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <clocale>
#include <cstring>
#include <random>
#include <string>

#include "platform/numbers.h"

namespace tav {
namespace {

TEST(Numbers, ReadsWithCommaOrPointLikeAtof) {
  struct Case {
    const char* text;
    double value;
    size_t used;
  } cases[] = {
      {"1,5", 1.5, 3},     {"1.5", 1.5, 3},   {"  -2,25 kg", -2.25, 7}, {"abc", 0, 0},
      {"", 0, 0},          {"3", 3, 1},       {",5", 0.5, 2},           {"+4", 4, 2},
      {"1e3", 1000, 3},    {"7 1/2", 7, 1},   {"12,5%", 12.5, 4},
  };
  for (const auto& c : cases) {
    size_t used = 99;
    EXPECT_DOUBLE_EQ(ReadNumber(c.text, &used), c.value) << c.text;
    EXPECT_EQ(used, c.used) << c.text;
  }
}

// Short decimals take a quick path; it must give the very double the general reading gives.
TEST(Numbers, ShortDecimalsReadExactlyAsTheGeneralPath) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> length(1, 9), digit(0, 9), coin(0, 3);
  for (int n = 0; n < 200000; ++n) {
    std::string text = coin(rng) == 0 ? "-" : "";
    for (int k = length(rng); k > 0; --k) text += static_cast<char>('0' + digit(rng));
    if (coin(rng) != 0) {
      text += coin(rng) == 1 ? '.' : ',';
      for (int k = length(rng); k > 0; --k) text += static_cast<char>('0' + digit(rng));
    }
    std::string point = text;
    for (char& c : point)
      if (c == ',') c = '.';
    double expected = 0;
    std::from_chars(point.data() + (point[0] == '-'), point.data() + point.size(), expected);
    if (point[0] == '-') expected = -expected;
    size_t used = 0;
    const double got = ReadNumber(text, &used);
    ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text;
    ASSERT_EQ(used, text.size()) << text;
  }
  // Forms beyond the quick path read as before.
  struct Case {
    const char* text;
    double value;
    size_t used;
  } cases[] = {{"5.", 5, 2},
               {"1,2,3", 1.2, 3},
               {"1.5e3", 1500, 5},
               {"1234567890123456789", 1234567890123456789.0, 19},
               {"0,1234567890123456", 0.1234567890123456, 18},
               {"-0", 0, 2}};
  for (const auto& c : cases) {
    size_t used = 99;
    EXPECT_DOUBLE_EQ(ReadNumber(c.text, &used), c.value) << c.text;
    EXPECT_EQ(used, c.used) << c.text;
  }
}

TEST(Numbers, ReadLongIsAtol) {
  EXPECT_EQ(ReadLong("   12abc"), 12);
  EXPECT_EQ(ReadLong("-7"), -7);
  EXPECT_EQ(ReadLong("abc"), 0);
  EXPECT_EQ(ReadLong(""), 0);
  // Too many digits saturate (they once overflowed on the way).
  EXPECT_EQ(ReadLong("9223372036854775807"), LONG_MAX);
  EXPECT_EQ(ReadLong("9223372036854775808"), LONG_MAX);
  EXPECT_EQ(ReadLong("55555555555555555555555"), LONG_MAX);
  EXPECT_EQ(ReadLong("-9223372036854775808"), LONG_MIN);
  EXPECT_EQ(ReadLong("-99999999999999999999"), LONG_MIN);
}

TEST(Numbers, ParseIntNeedsTheWholeText) {
  long long v = 5;
  EXPECT_TRUE(ParseInt(" -10 ", v));
  EXPECT_EQ(v, -10);
  EXPECT_FALSE(ParseInt("10x", v));
  EXPECT_FALSE(ParseInt("", v));
  EXPECT_EQ(v, -10);
}

TEST(Numbers, FormattingUsesTheUserSeparatorAndIgnoresTheCLocale) {
  const char sep = DecimalSep();
  SetDecimalSep(',');
  EXPECT_EQ(FormatFixed(1.0 / 3, 2), "0,33");
  EXPECT_EQ(FormatFixed(2.675, 1), "2,7");
  EXPECT_EQ(FormatFixed(-0.001, 2), "0,00");
  EXPECT_EQ(FormatGeneral(0.25), "0,25");
  SetDecimalSep('.');
  EXPECT_EQ(FormatFixed(1.5, 0), "2");
  EXPECT_EQ(FormatFixed(1234.5, 2), "1234.50");
  SetDecimalSep(sep);
}

}  // namespace
}  // namespace tav
