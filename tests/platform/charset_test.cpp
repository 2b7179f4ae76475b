#include <gtest/gtest.h>

#include "platform/charset.h"

namespace tav {
namespace {

TEST(Charset, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Charset, HighRangeUsesTheWindowsTableNotLatin1) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\x84"), "\xE2\x80\x9E");  // low double quote
  EXPECT_EQ(Cp1252ToUtf8("\xE4\xDF"), "\xC3\xA4\xC3\x9F");
  EXPECT_EQ(Utf8ToCp1252("Caf\xC3\xA9 \xE2\x82\xAC"), "Caf\xE9 \x80");
}

TEST(Charset, CharactersWithoutAWindowsFormBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\xE2\x88\x9E"), "?");      // infinity
  EXPECT_EQ(Utf8ToCp1252("a\xF0\x9F\x8D\x85z"), "a?z");  // tomato emoji
}

TEST(Charset, InvalidUtf8IsTakenByteForByte) {
  EXPECT_EQ(Utf8ToCp1252("M\xFC" "ller"), "M\xFC" "ller");
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "\xC3");  // truncated sequence
}

}  // namespace
}  // namespace tav
