#include <gtest/gtest.h>

#include "book_test_util.h"
#include "platform/paths.h"
#include "recipedb/book_appender.h"
#include "platform/text_file.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"

namespace tav {
namespace {

using test::BookEnv;

TEST(BookAppender, AppendsAsTheStoreDoesRecipeByRecipe) {
  BookEnv b;
  KBOOK other;
  other.name = "Stapel";
  ASSERT_TRUE(b.books.CreateKBook(other));
  const std::string current = ctx().options->Str(6);
  BookAppender appender(b.store);
  ASSERT_TRUE(appender.Open("Stapel"));
  for (int i = 0; i < 3; ++i) {
    REZBLOCK one = test::RichRecipe(i);
    b.AddRecipe(one);  // the store's way, into the current book
    REZBLOCK many = test::RichRecipe(i);
    REZINDEX entry = BookEnv::EntryFor(many, 0, 0);
    ASSERT_TRUE(appender.Append(many, entry));
    EXPECT_EQ(many.number, one.number);
    EXPECT_EQ(entry.bookId, static_cast<int16_t>(b.books.FindKBookId("Stapel")));
  }
  ASSERT_TRUE(appender.Close());
  // The same record bytes, and entries that differ in their book id only.
  EXPECT_EQ(test::ReadAll(b.File("Stapel", ".bok")), test::ReadAll(b.File(current, ".bok")));
  int32_t counterA = 0, counterB = 0;
  std::vector<REZINDEX> a, s;
  ASSERT_TRUE(ReadIndexFile(b.File("Stapel", ".idx"), counterA, a));
  ASSERT_TRUE(ReadIndexFile(b.File(current, ".idx"), counterB, s));
  EXPECT_EQ(counterA, 4);
  EXPECT_EQ(counterA, counterB);
  ASSERT_EQ(a.size(), 3u);
  for (size_t i = 0; i < a.size(); ++i) {
    a[i].bookId = s[i].bookId = 0;
    EXPECT_EQ(std::memcmp(&a[i], &s[i], sizeof a[i]), 0) << i;
  }
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlock("Stapel", &a[2], -1, back));
  REZBLOCK want = test::RichRecipe(2);
  want.number = 3;
  test::ExpectSameRecipe(want, back);
}

TEST(BookAppender, AnEntryThatCannotBeWrittenTakesItsRecordBack) {
  BookEnv b;
  KBOOK other;
  other.name = "Voll";
  ASSERT_TRUE(b.books.CreateKBook(other));
  // An index larger than the record file, so that only the entry finds no room.
  std::string idx = NewIndexBytes();
  REZINDEX gone;
  gone.deleted = 1;
  for (int i = 0; i < 100; ++i) idx.append(reinterpret_cast<const char*>(&gone), sizeof gone);
  test::WriteAll(b.File("Voll", ".idx"), idx);
  const std::string bok = test::ReadAll(b.File("Voll", ".bok"));
  BookAppender appender(b.store);
  ASSERT_TRUE(appender.Open("Voll"));
  REZBLOCK r = test::RichRecipe(1);
  REZINDEX e;
  bool ok;
  {
    test::FileSizeLimit limit(idx.size() + 50);
    ok = appender.Append(r, e) && appender.Flush();
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(appender.Lost(), 1);
  ASSERT_EQ(b.env.messages.shown.size(), 1u);
  EXPECT_EQ(b.env.messages.shown[0].text, GetLangText(41));
  EXPECT_EQ(test::ReadAll(b.File("Voll", ".bok")), bok);
  EXPECT_EQ(CountIndexEntries(b.File("Voll", ".idx"), false), 100);
  EXPECT_GE(test::CounterOf(b.File("Voll", ".idx")), 2);  // its number is not handed out again
  ASSERT_TRUE(appender.Append(r, e));
  ASSERT_TRUE(appender.Flush());
  EXPECT_EQ(e.number, 2);
  // Numbers are reserved ahead in a block; closing gives back those not used.
  EXPECT_GT(test::CounterOf(b.File("Voll", ".idx")), 3);
  EXPECT_TRUE(appender.Close());
  EXPECT_EQ(test::CounterOf(b.File("Voll", ".idx")), 3);
}

// Recipes go to disk a batch at a time. A batch that cannot be written takes all its recipes
// with it, says how many were appended before, and leaves the book as the batch before left it.
TEST(BookAppender, ABatchThatCannotBeWrittenLeavesTheBookAsItWas) {
  BookEnv b;
  KBOOK other;
  other.name = "Stapel";
  ASSERT_TRUE(b.books.CreateKBook(other));
  BookAppender appender(b.store);
  ASSERT_TRUE(appender.Open("Stapel"));
  REZBLOCK r = test::RichRecipe(1);
  r.text.assign(20000, 'x');  // about 20 KB a record: a batch holds about a dozen
  REZINDEX e;
  int appended = 0;
  while (appender.Pending() > 0 || appended == 0) {  // up to the first batch written
    ASSERT_TRUE(appender.Append(r, e));
    ++appended;
  }
  EXPECT_GT(appended, 5);
  const std::string bok = test::ReadAll(b.File("Stapel", ".bok"));
  EXPECT_EQ(CountIndexEntries(b.File("Stapel", ".idx"), false), appended);
  // The next batch meets a full disk when it is written.
  b.env.messages.shown.clear();
  int more = 0;
  bool ok = true;
  {
    test::FileSizeLimit limit(bok.size() + 100000);
    while (ok && more < 100) {
      ok = appender.Append(r, e);
      ++more;
    }
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(appender.Lost(), more - 1);
  EXPECT_EQ(appender.Pending(), 0);
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(49));
  EXPECT_EQ(test::ReadAll(b.File("Stapel", ".bok")), bok);
  EXPECT_EQ(CountIndexEntries(b.File("Stapel", ".idx"), false), appended);
  // The book goes on after the failure.
  ASSERT_TRUE(appender.Append(r, e));
  EXPECT_TRUE(appender.Close());
  EXPECT_EQ(CountIndexEntries(b.File("Stapel", ".idx"), false), appended + 1);
  REZBLOCK back;
  std::vector<REZINDEX> entries;
  int32_t counter = 0;
  ASSERT_TRUE(ReadIndexFile(b.File("Stapel", ".idx"), counter, entries));
  ASSERT_TRUE(b.store.ReadRezBlock("Stapel", &entries.back(), -1, back));
  EXPECT_EQ(back.text, r.text);
  EXPECT_EQ(back.deleted, 0);
}

// Records go live after their entries a stretch at a time: records of every size, across the
// stretches' ends, and when the record file cannot be read back (then one by one).
TEST(BookAppender, EveryRecordGoesLiveWhereverItStarts) {
  const size_t sizes[] = {100, 20000, 300000, 70000, 5, 150000, 262000, 40, 90000, 1000};
  for (const bool readable : {true, false}) {
    SCOPED_TRACE(readable ? "record file readable" : "record file unreadable");
    BookEnv b;
    KBOOK other;
    other.name = "Stapel";
    ASSERT_TRUE(b.books.CreateKBook(other));
    {
      BookAppender appender(b.store, 512 << 10);  // flushed more than once
      ASSERT_TRUE(appender.Open("Stapel"));
      if (!readable)
        SetReadFaultForTest([](const std::string& path) { return path.find(".bok") != std::string::npos; });
      for (int round = 0; round < 3; ++round) {
        for (const size_t size : sizes) {
          REZBLOCK r = test::RichRecipe(static_cast<int>(size % 7));
          r.title = "Rezept " + std::to_string(round) + "-" + std::to_string(size);
          r.text.assign(size, static_cast<char>('a' + size % 26));
          REZINDEX e = BookEnv::EntryFor(r, 0, 0);
          ASSERT_TRUE(appender.Append(r, e));
        }
      }
      EXPECT_TRUE(appender.Close());
      SetReadFaultForTest({});
    }
    EXPECT_TRUE(b.env.messages.shown.empty());
    std::vector<REZINDEX> entries;
    int32_t counter = 0;
    ASSERT_TRUE(ReadIndexFile(b.File("Stapel", ".idx"), counter, entries));
    ASSERT_EQ(entries.size(), 3 * std::size(sizes));
    const std::string bok = test::ReadAll(b.File("Stapel", ".bok"));
    long long end = kBookHeaderSize;
    for (size_t i = 0; i < entries.size(); ++i) {
      const REZINDEX& e = entries[i];
      const size_t size = sizes[i % std::size(sizes)];
      ASSERT_EQ(e.offset, end) << i;  // one after the other, nothing between
      end += e.length;
      ASSERT_LE(static_cast<size_t>(end), bok.size());
      EXPECT_EQ(bok[static_cast<size_t>(e.offset) + kRecordDeletedPos], '\0') << i;
      REZBLOCK back;
      ASSERT_TRUE(b.store.ReadRezBlock("Stapel", &entries[i], -1, back));
      EXPECT_EQ(back.text, std::string(size, static_cast<char>('a' + size % 26))) << i;
    }
    EXPECT_EQ(static_cast<size_t>(end), bok.size());
  }
}

TEST(BookAppender, ABookWithoutUsableIndexGetsNoRecordFile) {
  BookEnv b;
  BookAppender appender(b.store);
  EXPECT_FALSE(appender.Open("Fehlt"));
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(43));
  EXPECT_FALSE(FileExists(b.File("Fehlt", ".bok")));
  REZBLOCK r = test::RichRecipe(1);
  REZINDEX e;
  EXPECT_FALSE(appender.Append(r, e));
}

}  // namespace
}  // namespace tav
