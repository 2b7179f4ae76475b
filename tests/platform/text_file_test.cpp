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
// and SplitLines alike: CR LF, LF and CR alone end a line, so no value holds a line end.
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
      {"CR LF first, then a file cut between CR and LF",
       "05012024:073081,5#92#\r\n06012024:080080,9#\r07012024:073079,8#\r\n",
       {"05012024:073081,5#92#", "06012024:080080,9#", "07012024:073079,8#"}},
      {"a value written back with its CR: CR CR LF is one line end",
       "Gramm#g\r\r\nKilogramm#kg\r\r\r\n",
       {"Gramm#g", "Kilogramm#kg"}},
      {"a last line cut after its CR", "Mehl#12\r\nZucker#3\r", {"Mehl#12", "Zucker#3"}},
      {"CR runs across a block boundary", block + "\r\r\r\nz\r\r", {block, "z", ""}},
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

// The lexicon keeps its texts as stored: after a first line ended by CR LF a lone CR stays.
TEST(LineReader, AsStoredKeepsALoneCrAfterACrLfFirstLine) {
  TempDir dir;
  WriteAll(dir.Path() + "Lexika.ldt", "SAPLEX\r\ntext\r\r\nmore\r");
  LineReader in(dir.Path() + "Lexika.ldt", LineReader::Lines::kAsStored);
  std::vector<std::string> lines;
  for (std::string line; in.Next(line);) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"SAPLEX", "text\r", "more\r"}));
}

// A file in another encoding (UTF-16 with or without its mark, NUL junk among sound lines):
// the lines holding NUL bytes are passed over and counted, never taken for values.
TEST(LineReader, LinesHoldingNulBytesArePassedOverAndCounted) {
  struct Case {
    const char* fixture;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"haendler_utf16le_with_bom.dat", {}},
      {"einheit_utf16be_without_bom.dat", {}},
      {"zutaten_nul_run_among_sound_lines.dat",
       {"Granat\xE4pfel#Granatapfel#1#83#K#Sk~g~kg~#J" + std::string(36, ' ') +
            "SSSSSSSSNNNN#K#F510000##300",
        "\xC4pfel#Apfel#1#52#K#Sk~kl~mi~gr~g~kg~#J" + std::string(28, 'N') +
            std::string(12, 'S') + std::string(8, 'N') + "#K#F101000##150"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    std::vector<std::string> lines;
    bool nul = false;
    ASSERT_TRUE(ReadTextLines(test::Fixture(c.fixture), lines, &nul));
    EXPECT_TRUE(nul);
    EXPECT_EQ(lines, c.lines);
  }
  std::vector<std::string> lines;
  bool nul = true;
  ASSERT_TRUE(ReadTextLines(test::Fixture("coolboxes_two_freezers_cp1252.dat"), lines, &nul));
  EXPECT_FALSE(nul);
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
