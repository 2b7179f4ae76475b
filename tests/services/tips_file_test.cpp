#include <gtest/gtest.h>

#include "services/tips_file.h"
#include "support/test_env.h"

namespace tav {
namespace {

class TipsFile : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string Write(const std::string& bytes) {
    const std::string path = dir.Path() + "Assist.dat";
    test::WriteAll(path, bytes);
    return path;
  }
};

TEST_F(TipsFile, CountAndTipsByLine) {
  const std::string path = Write("3\r\nnull\r\neins\\nzwei\r\ndrei\r\n");
  int count = 0;
  ASSERT_TRUE(ReadTipCount(path, count));
  EXPECT_EQ(count, 3);
  std::string text;
  ASSERT_TRUE(ReadTipText(path, 0, count, text));
  EXPECT_EQ(text, "null");
  ASSERT_TRUE(ReadTipText(path, 1, count, text));
  EXPECT_EQ(text, "eins\r\nzwei");
  ASSERT_TRUE(ReadTipText(path, 2, count, text));
  EXPECT_EQ(text, "drei");
}

TEST_F(TipsFile, NothingIsReadAtOrPastTheCountOrTheEnd) {
  const std::string path = Write("2\nerster\nzweiter\n");
  std::string text = "alt";
  EXPECT_FALSE(ReadTipText(path, 2, 2, text));  // a tip number equal to the count
  EXPECT_FALSE(ReadTipText(path, 7, 2, text));
  EXPECT_FALSE(ReadTipText(path, 3, 9, text));  // the count promises more than the file has
  EXPECT_EQ(text, "alt");
  EXPECT_FALSE(ReadTipText(dir.Path() + "none.dat", 0, 1, text));
  int count = 5;
  EXPECT_FALSE(ReadTipCount(dir.Path() + "none.dat", count));
  EXPECT_EQ(count, 5);
}

TEST_F(TipsFile, LongTipsAreCutWithoutShiftingTheOthers) {
  const std::string path = Write("2\r\n" + std::string(1500, 'x') + "\r\nzwei\r\n");
  std::string text;
  ASSERT_TRUE(ReadTipText(path, 0, 2, text));
  EXPECT_EQ(text.size(), 998u);
  ASSERT_TRUE(ReadTipText(path, 1, 2, text));
  EXPECT_EQ(text, "zwei");
}

TEST_F(TipsFile, OddCounts) {
  int count = 0;
  ASSERT_TRUE(ReadTipCount(Write("-4\r\n"), count));
  EXPECT_EQ(count, 0);
  ASSERT_TRUE(ReadTipCount(Write("Tipps\r\n"), count));
  EXPECT_EQ(count, 0);
  ASSERT_TRUE(ReadTipCount(Write(""), count));
  EXPECT_EQ(count, 0);
}

TEST(RandomTip, EndsForEveryCount) {
  int calls = 0;
  auto same = [&] {
    ++calls;
    return 0;
  };
  EXPECT_EQ(PickRandomTip(0, 0, same), -1);
  EXPECT_EQ(PickRandomTip(1, 0, same), 0);
  EXPECT_EQ(calls, 0);
  int n = 0;
  auto counting = [&] { return n++; };
  EXPECT_EQ(PickRandomTip(5, 0, counting), 1);  // draws again while it meets the current tip
  int m = 3;
  EXPECT_EQ(PickRandomTip(2, 1, [&] { return m++; }), 0);  // 3 % 2 is the current tip
}

TEST(RandomTip, NeverTheCurrentOne) {
  unsigned seed = 1;
  auto rnd = [&] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) & 0x7FFF);
  };
  for (int current = 0; current < 4; ++current)
    for (int i = 0; i < 50; ++i) {
      const int r = PickRandomTip(4, current, rnd);
      EXPECT_NE(r, current);
      EXPECT_GE(r, 0);
      EXPECT_LT(r, 4);
    }
}

}  // namespace
}  // namespace tav
