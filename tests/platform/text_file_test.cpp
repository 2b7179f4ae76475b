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

// Every way of ending lines, read through LineReader (in blocks that split a CR from its LF)
// and SplitLines alike: the first line end decides whether a lone CR ends a line.
TEST(LineReader, LineEndsOfEveryKindAreReadAlike) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const std::string block((1 << 16) - 1, 'k');
  const std::vector<Case> cases = {
      {"CR only (old Mac editor)",
       "#\r>NAnna\r>G05031970\r#\r",
       {"#", ">NAnna", ">G05031970", "#"}},
      {"CR only, last line bare", "Mehl#12\rZucker#3", {"Mehl#12", "Zucker#3"}},
      {"CR only, empty lines kept", "a\r\r\rb\r", {"a", "", "", "b"}},
      {"CR first, then CR LF and LF", "a\rb\r\nc\nd", {"a", "b", "c", "d"}},
      {"CR LF first: a lone CR stays in its line",
       "SAPLEX\r\ntext\r\r\nmore\r",
       {"SAPLEX", "text\r", "more\r"}},
      {"CR only across a block boundary", block + "\rz\r", {block, "z"}},
      {"CR LF across a block boundary after CR-only lines",
       "a\r" + block + "\r\nz",
       {"a", block, "z"}},
      {"a single CR", "\r", {""}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(dir.Path() + "ends.txt", c.bytes);
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(dir.Path() + "ends.txt", lines));
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(SplitLines(c.bytes), c.lines);
  }
}

// A file that is there but cannot be read is told from a missing one, and its lines are not
// taken as the whole file.
TEST(LineReader, AFileThatCannotBeReadIsFailedNotEmpty) {
  TempDir dir;
  const std::string folderInPlace = dir.Path() + "Users.dat";
  ASSERT_TRUE(MakeDirs(folderInPlace));
  std::vector<std::string> lines;
  EXPECT_FALSE(ReadTextLines(folderInPlace, lines));
  EXPECT_TRUE(LineReader(folderInPlace).Failed());
  std::string bytes;
  EXPECT_FALSE(ReadFileBytes(folderInPlace, bytes));

  const std::string file = dir.Path() + "Weight.dat";
  WriteAll(file, "05012024:073081,5#92#\r\n");
  SetReadFaultForTest([&](const std::string& path) { return path == file; });
  EXPECT_FALSE(ReadTextLines(file, lines));
  EXPECT_TRUE(LineReader(file).Failed());
  EXPECT_FALSE(ReadFileBytes(file, bytes));
  SetReadFaultForTest(nullptr);
  ASSERT_TRUE(ReadTextLines(file, lines));
  EXPECT_EQ(lines, std::vector<std::string>{"05012024:073081,5#92#"});
  EXPECT_FALSE(LineReader(dir.Path() + "missing.dat").Failed());
}

TEST(DamagedFiles, AnUnreadableFileIsMovedAsideUnderAFreeName) {
  TempDir dir;
  const std::string path = dir.Path() + "Haendler.dat";
  WriteAll(path + ".damaged", "older copy");
  ASSERT_TRUE(MakeDirs(path));
  EXPECT_EQ(FreeDamagedName(path), path + ".damaged-2");
  EXPECT_EQ(MoveAsideDamaged(path), path + ".damaged-2");
  EXPECT_FALSE(EntryExists(path));
  EXPECT_EQ(ReadAll(path + ".damaged"), "older copy");
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
