#include <gtest/gtest.h>

#include <cstring>

#include "book_test_util.h"
#include "platform/paths.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"
#include "services/context.h"
#include "support/read_faults.h"

namespace tav {
namespace {

using namespace std::string_literals;
using test::BookEnv;

int32_t Int32At(const std::string& bytes, size_t pos) {
  int32_t v;
  std::memcpy(&v, bytes.data() + pos, 4);
  return v;
}

// A book of 60 long recipes (more than the rebuild's 1 MB window) whose index is rebuilt
// with a read error at each read of its record file in turn: the rebuild finds every recipe
// or writes no index at all and says so; the recipes after the error never go missing.
TEST(IndexRebuild, AReadErrorOfTheRecordFileLeavesTheOldIndex) {
  BookEnv b;
  for (int i = 1; i <= 60; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    r.text.clear();
    while (r.text.size() < 20000)
      r.text += "Die Zwiebeln in Butter glasig d\xFCnsten, mit Br\xFChe abl\xF6schen. ";
    b.AddRecipe(r);
  }
  const std::string bok = b.File("Test", ".bok"), idx = b.File("Test", ".idx");
  ASSERT_GT(FileSize(bok), 1 << 20);
  const std::string records = test::ReadAll(bok), before = test::ReadAll(idx);
  int refused = 0;
  for (int n = 0;; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    test::WriteAll(bok, records);
    test::WriteAll(idx, before);
    b.env.messages.shown.clear();
    test::NthReadFault fault(n, [&](const std::string& path) { return path == bok; });
    const bool rebuilt = b.store.RebuildIndex();
    fault.Off();
    if (n > 0 && !fault.Hit()) break;
    if (rebuilt) {
      int32_t counter = 0;
      std::vector<REZINDEX> entries;
      ASSERT_TRUE(ReadIndexFile(idx, counter, entries));
      EXPECT_EQ(entries.size(), 60u);  // (a read after the scan may have failed)
    } else {
      ++refused;
      EXPECT_EQ(test::ReadAll(idx), before);
      ASSERT_FALSE(b.env.messages.shown.empty());
      const std::string& said = b.env.messages.shown[0].text;
      EXPECT_TRUE(said == GetLangText(47) || said == GetLangText(50)) << said;
    }
  }
  EXPECT_GE(refused, 3);  // the open, the first window and a window after the first megabyte
}

TEST(IndexRebuild, ThreeRecordsTheSecondDeleted) {
  BookEnv b;
  std::vector<REZBLOCK> written;
  for (int i = 1; i <= 3; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    r.number = 40 + i;  // numbers that the rebuild replaces
    int32_t offset = 0, length = 0;
    ASSERT_TRUE(b.store.WriteRezBlock("", r, offset, length));
    // The store appends a record deleted until its entry is written; the second stands for a
    // superseded record, the others for live ones.
    std::string bok = test::ReadAll(b.File("Test", ".bok"));
    bok[static_cast<size_t>(offset) + 5] = i == 2 ? 1 : 0;
    test::WriteAll(b.File("Test", ".bok"), bok);
    written.push_back(r);
  }
  RemoveFile(b.File("Test", ".idx"));
  b.store.ClearSearchResult();
  REZINDEX stale;
  stale.bookId = b.store.BookId();
  stale.number = 41;
  b.store.AddSearchEntry(stale);

  ASSERT_TRUE(b.store.RebuildIndex());
  const std::string idx = test::ReadAll(b.File("Test", ".idx"));
  EXPECT_EQ(idx.size(), 23u + 3 * 104);
  EXPECT_EQ(Int32At(idx, 19), 4);
  ASSERT_EQ(b.store.BookIndex().size(), 3u);
  const std::string bok = test::ReadAll(b.File("Test", ".bok"));
  for (int i = 0; i < 3; ++i) {
    const REZINDEX& e = b.store.BookIndex()[static_cast<size_t>(i)];
    EXPECT_EQ(e.number, i + 1);
    EXPECT_EQ(e.deleted, i == 1 ? 1 : 0);
    EXPECT_EQ(e.Title(), written[static_cast<size_t>(i)].title);
    EXPECT_EQ(e.categories[9], written[static_cast<size_t>(i)].categories[9]);
    EXPECT_EQ(e.flags, written[static_cast<size_t>(i)].flags);
    EXPECT_EQ(e.bookId, b.books.GetAktKBookId());
    EXPECT_EQ(Int32At(bok, static_cast<size_t>(e.offset) + 1), i + 1);
    // Each entry's length reaches exactly to the next record (or the end of the file).
    const size_t next = i < 2 ? static_cast<size_t>(b.store.BookIndex()[static_cast<size_t>(i) + 1].offset)
                              : bok.size();
    EXPECT_EQ(static_cast<size_t>(e.offset + e.length), next);
    REZBLOCK back;
    ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, i, back));
    REZBLOCK expect = written[static_cast<size_t>(i)];
    expect.number = i + 1;
    if (i == 1) expect.flags = back.flags;
    test::ExpectSameRecipe(expect, back);
  }
  EXPECT_EQ(b.store.CountSearchResult(), 0);  // positions of the old index are gone
  EXPECT_EQ(b.list.items.size(), 2u);
}

TEST(IndexRebuild, AHashInsideATextDoesNotSplitARecord) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(1);
  // "#", then bytes 5 and 6 positions on that look like deleted and flags bytes.
  r.text = std::string("Teig #1234") + '\1' + '\1' + " weiter und mehr Text";
  b.AddRecipe(r);
  REZBLOCK s = test::RichRecipe(2);
  b.AddRecipe(s);
  RemoveFile(b.File("Test", ".idx"));
  ASSERT_TRUE(b.store.RebuildIndex());
  ASSERT_EQ(b.store.BookIndex().size(), 2u);
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 0, back));
  EXPECT_EQ(back.text, r.text);
  EXPECT_EQ(back.lines.size(), r.lines.size());
}

TEST(IndexRebuild, ALongTitleStillGetsItsEntry) {
  BookEnv b;
  for (int i = 0; i < 3; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    if (i == 1) r.title = std::string(70, 'L');
    b.AddRecipe(r);
  }
  RemoveFile(b.File("Test", ".idx"));
  ASSERT_TRUE(b.store.RebuildIndex());
  ASSERT_EQ(b.store.BookIndex().size(), 3u);
  EXPECT_EQ(b.store.BookIndex()[1].Title(), std::string(59, 'L'));
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 1, back));
  EXPECT_EQ(back.title, std::string(70, 'L'));
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 2, back));
  EXPECT_EQ(back.title, "Rezept 2");
}

TEST(IndexRebuild, GarbageBetweenRecordsIsSkipped) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  // A crash during an append left half a record behind; the next save appended after it.
  std::string bok = test::ReadAll(b.File("Test", ".bok"));
  std::string rec;
  EncodeRecipeRecord(test::RichRecipe(9), rec);
  bok += rec.substr(0, rec.size() / 2);
  test::WriteAll(b.File("Test", ".bok"), bok);
  REZBLOCK s = test::RichRecipe(2);
  b.AddRecipe(s);
  ASSERT_TRUE(b.store.RebuildIndex());
  ASSERT_EQ(b.store.BookIndex().size(), 2u);
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 1, back));
  EXPECT_EQ(back.title, "Rezept 2");
}

TEST(IndexRebuild, FalseStartsAndARecordLongerThanTheReadWindow) {
  BookEnv b;
  // Two megabytes of damage: every 32 bytes a '#' whose offset table claims a record of a
  // little over a megabyte that does not end in a NUL. The look at each claimed end once moved
  // the scan's read window away and back, a megabyte read per false start.
  std::string bok = RecordFileHeader();
  char falseStart[32] = {'#', 'x', 'x', 'x', 'x', 0, 0};
  const int32_t claimed = (1 << 20) + 5;
  std::memcpy(falseStart + 11, &claimed, 4);
  std::memset(falseStart + 15, 'a', sizeof falseStart - 15);
  while (bok.size() < (2u << 20)) bok.append(falseStart, sizeof falseStart);
  // Filler that no claimed end reaches across, then a real record longer than the window.
  bok.append((1 << 20) + 64, 'z');
  REZBLOCK r = test::RichRecipe(1);
  r.text = std::string(1536 * 1024, 't');
  std::string rec;
  EncodeRecipeRecord(r, rec);
  const size_t at = bok.size();
  bok += rec;
  test::WriteAll(b.File("Test", ".bok"), bok);
  ASSERT_TRUE(b.store.RebuildIndex());
  ASSERT_EQ(b.store.BookIndex().size(), 1u);
  EXPECT_EQ(b.store.BookIndex()[0].offset, static_cast<int32_t>(at));
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 0, back));
  EXPECT_EQ(back.text.size(), r.text.size());
}

TEST(IndexRebuild, EmptyAndUnreadableRecordFiles) {
  BookEnv b;
  // A record file of its header alone: false, and an empty index with counter 1.
  b.store.NextRecipeNumber("Test");
  EXPECT_FALSE(b.store.RebuildIndex());
  EXPECT_EQ(test::ReadAll(b.File("Test", ".idx")), NewIndexBytes());
  EXPECT_TRUE(b.env.messages.shown.empty());

  // No record file: message 50, and the index that exists stays.
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  const std::string idx = test::ReadAll(b.File("Test", ".idx"));
  RenameFile(b.File("Test", ".bok"), b.File("Test", ".sav"));
  EXPECT_FALSE(b.store.RebuildIndex());
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(50));
  EXPECT_EQ(test::ReadAll(b.File("Test", ".idx")), idx);
  // ... and a book without index gets an empty one.
  RemoveFile(b.File("Test", ".idx"));
  EXPECT_FALSE(b.store.RebuildIndex());
  EXPECT_EQ(test::ReadAll(b.File("Test", ".idx")), NewIndexBytes());

  // A record file whose first record does not start at byte 19: false, no message.
  test::WriteAll(b.File("Test", ".bok"), "TAVOLIN__1.01_DAT\r\nXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
  b.env.messages.shown.clear();
  EXPECT_FALSE(b.store.RebuildIndex());
  EXPECT_TRUE(b.env.messages.shown.empty());
}

}  // namespace
}  // namespace tav
