#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

TEST(LineReader, ReadsCrLfAndLfAlikeAndKeepsAFinalLineWithoutBreak) {
  TempDir dir;
  WriteAll(dir.Path() + "mixed.txt", "one\r\ntwo\nthree\r\n\r\nlast");
  LineReader r(dir.Path() + "mixed.txt");
  std::vector<std::string> lines;
  std::string line;
  while (r.Next(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "last"}));
  EXPECT_FALSE(r.LastHadBreak());
}

TEST(LineReader, NeverSplitsALongLine) {
  TempDir dir;
  const std::string longLine(300000, 'x');
  WriteAll(dir.Path() + "long.txt", "a\r\n" + longLine + "\r\nb\r\n");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(dir.Path() + "long.txt", lines));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(lines[2], "b");
}

TEST(LineReader, CrLfSplitAcrossTheBufferBoundaryIsOneLineEnd) {
  TempDir dir;
  // The first chunk ends between CR and LF.
  std::string first((1 << 16) - 1, 'y');
  WriteAll(dir.Path() + "edge.txt", first + "\r\nz\r\n");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(dir.Path() + "edge.txt", lines));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[1], "z");
}

TEST(LineReader, MissingFileIsNotOpen) {
  LineReader r("/nonexistent/dir/file.txt");
  EXPECT_FALSE(r.IsOpen());
  std::vector<std::string> lines;
  EXPECT_FALSE(ReadTextLines("/nonexistent/dir/file.txt", lines));
}

TEST(WriteText, LinesEndWithCrLf) {
  TempDir dir;
  ASSERT_TRUE(WriteTextLines(dir.Path() + "out.txt", {"a", "", "b"}));
  EXPECT_EQ(ReadAll(dir.Path() + "out.txt"), "a\r\n\r\nb\r\n");
}

TEST(WriteText, AnInterruptedReplaceLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string path = dir.Path() + "keep.dat";
  ASSERT_TRUE(WriteFileAtomic(path, "old contents"));
  SetAtomicWriteFaultForTest(3);
  EXPECT_FALSE(WriteFileAtomic(path, "new contents that never arrive"));
  EXPECT_EQ(ReadAll(path), "old contents");
  // The next write works again and replaces the file.
  EXPECT_TRUE(WriteFileAtomic(path, "new"));
  EXPECT_EQ(ReadAll(path), "new");
}

TEST(WriteText, ReplaceFailsWhenTheFolderIsMissing) {
  EXPECT_FALSE(WriteFileAtomic("/nonexistent/dir/x.dat", "x"));
}

TEST(Paths, CaseInsensitiveLookupFindsTheRealName) {
  TempDir dir;
  WriteAll(dir.Path() + "Data/DE/Einheit.dat", "x");
  EXPECT_EQ(FindFileNoCase(dir.Path() + "DATA\\de\\einheit.DAT"), dir.Path() + "Data/DE/Einheit.dat");
  EXPECT_EQ(FindFileNoCase(dir.Path() + "data/de/none.dat"), dir.Path() + "data/de/none.dat");
}

TEST(Paths, BothSeparatorsAreAccepted) {
  EXPECT_EQ(NativePath("C:\\Rezepte\\Pics\\a.jpg"), "C:/Rezepte/Pics/a.jpg");
  EXPECT_EQ(LastSeparator("a/b\\c"), 3u);
  EXPECT_EQ(WithSeparator("x\\"), "x\\");
  EXPECT_EQ(WithSeparator("x"), "x/");
  EXPECT_EQ(WithSeparator(""), "");
}

}  // namespace
}  // namespace tav
