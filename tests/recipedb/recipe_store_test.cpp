#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "book_test_util.h"
#include "platform/paths.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"
#include "services/text_tools.h"

namespace tav {
namespace {

using namespace std::string_literals;
using test::BookEnv;
using test::CounterOf;
using test::FileSizeLimit;

TEST(IndexFile, ANewIndexIs23BytesWithCounter1) {
  BookEnv b;
  const std::string idx = test::ReadAll(b.File("Test", ".idx"));
  EXPECT_EQ(idx, "TAVOLIN__1.01_IDX\r\n\x01\0\0\0"s);
  EXPECT_EQ(test::ReadAll(b.File("Test", ".bok")), "TAVOLIN__1.01_DAT\r\n");
  EXPECT_EQ(b.store.NextRecipeNumber("Test"), 1);
  EXPECT_EQ(b.store.NextRecipeNumber("Test"), 2);
  EXPECT_EQ(CounterOf(b.File("Test", ".idx")), 3);
  EXPECT_EQ(b.store.NextRecipeNumber("Missing"), -1);
  ASSERT_EQ(b.env.messages.shown.size(), 1u);
  EXPECT_EQ(b.env.messages.shown[0].text, GetLangText(41));
}

TEST(IndexFile, DescriptionFileBookId) {
  test::TempDir dir;
  struct Case {
    std::string text;
    int16_t id;
  } cases[] = {{"Beschreibung\r\n64302\r\n1\r\n", -1234},
               {"\r\n-12345\r\n", -12345},
               {"x\r\nabc\r\n", 0},
               {"x\r\n1\r\n", 1},
               {"nur eine Zeile", 0}};
  for (const Case& c : cases) {
    test::WriteAll(dir.Path() + "b.inf", c.text);
    int16_t id = 99;
    EXPECT_TRUE(ReadDescriptionBookId(dir.Path() + "b.inf", id));
    EXPECT_EQ(id, c.id) << c.text;
  }
  int16_t id = 5;
  EXPECT_FALSE(ReadDescriptionBookId(dir.Path() + "none.inf", id));
  EXPECT_EQ(id, 5);
}

TEST(RecipeStore, ThreeRecipesWrittenReopenedAndReadBack) {
  BookEnv b;
  std::vector<REZBLOCK> written;
  for (int i = 1; i <= 3; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    b.AddRecipe(r);
    written.push_back(r);
  }
  EXPECT_EQ(b.env.messages.shown.size(), 0u);

  // A second store, as after a restart.
  TdbList reopened;
  ctx().dbList = &reopened;
  ASSERT_TRUE(reopened.LoadBookIndex());
  ASSERT_EQ(reopened.BookIndex().size(), 3u);
  EXPECT_EQ(reopened.Counter(), 4);
  EXPECT_EQ(b.list.items.size(), 3u);
  EXPECT_EQ(b.list.categoryIndex, 0);
  for (int i = 0; i < 3; ++i) {
    const REZINDEX& e = reopened.BookIndex()[static_cast<size_t>(i)];
    EXPECT_EQ(e.Title(), written[static_cast<size_t>(i)].title);
    EXPECT_EQ(e.number, i + 1);
    EXPECT_EQ(e.bookId, b.books.GetAktKBookId());
    REZBLOCK r;
    ASSERT_TRUE(reopened.ReadRezBlock("", nullptr, i, r));
    test::ExpectSameRecipe(written[static_cast<size_t>(i)], r);
    REZBLOCK byKey;
    ASSERT_TRUE(reopened.ReadRezBlockByKey(reopened.BookId(), i + 1, byKey));
    EXPECT_EQ(byKey.title, r.title);
  }
  // The progress window opened with the count, was told the entries and closed.
  const auto& calls = b.env.progress.calls;
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front().kind, 0);
  EXPECT_EQ(calls.front().text, GetLangText(51));
  EXPECT_EQ(calls.back().kind, 3);
}

TEST(RecipeStore, SavingTwiceCountsTwoRewritesAndLeavesTwoSupersededRecords) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  r.text = "Neu";
  ASSERT_TRUE(b.SaveChanged(r, 0));
  r.text = "Neuer";
  ASSERT_TRUE(b.SaveChanged(r, 0));
  const REZINDEX& e = b.store.BookIndex()[0];
  EXPECT_EQ(e.rewriteCount, 2);
  EXPECT_EQ(e.number, 1);

  // The record file holds three records; the first two are marked deleted.
  const std::string bok = test::ReadAll(b.File("Test", ".bok"));
  std::vector<size_t> starts;
  for (size_t p = 19; p < bok.size();) {
    RecipeRecordHead h;
    ASSERT_TRUE(ReadRecordHead(std::string_view(bok).substr(p), h));
    starts.push_back(p);
    p += static_cast<size_t>(h.offsets.entry[0]);
  }
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_EQ(bok[starts[0] + 5], 1);
  EXPECT_EQ(bok[starts[1] + 5], 1);
  EXPECT_EQ(bok[starts[2] + 5], 0);

  TdbList reopened;
  ASSERT_TRUE(reopened.LoadBookIndex());
  ASSERT_EQ(reopened.BookIndex().size(), 1u);
  EXPECT_EQ(reopened.BookIndex()[0].rewriteCount, 2);
  REZBLOCK back;
  ASSERT_TRUE(reopened.ReadRezBlock("", nullptr, 0, back));
  EXPECT_EQ(back.text, "Neuer");
}

TEST(RecipeStore, WriteIndexEntryKeepsTheStoredNumber) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  REZINDEX e = b.store.BookIndex()[0];
  e.number = 99;
  e.flags = kRecipeMarked;
  ASSERT_TRUE(b.store.WriteIndexEntry(e, 0));
  EXPECT_EQ(e.number, 1);
  TdbList reopened;
  reopened.LoadBookIndex();
  EXPECT_EQ(reopened.BookIndex()[0].number, 1);
  EXPECT_EQ(reopened.BookIndex()[0].flags, kRecipeMarked);
  EXPECT_FALSE(b.store.WriteIndexEntry(e, 1));  // no such position
}

TEST(RecipeStore, LoadingAMissingOrDamagedIndex) {
  BookEnv b;
  RemoveFile(b.File("Test", ".idx"));
  b.env.messages.shown.clear();
  EXPECT_TRUE(b.store.ReloadBookIndex());
  EXPECT_TRUE(b.store.BookIndex().empty());
  EXPECT_FALSE(b.store.LoadBookIndex());
  EXPECT_TRUE(b.env.messages.shown.empty());
  test::WriteAll(b.File("Test", ".idx"), "TAVOLIN__1.02_IDX\r\n\x01\0\0\0"s);
  EXPECT_FALSE(b.store.LoadBookIndex());
  ASSERT_EQ(b.env.messages.shown.size(), 1u);
  // Text 36, the book's name and the offer of the rebuild (declined here).
  EXPECT_EQ(b.env.messages.shown[0].text,
            GetLangText(36) + "\n\n" + FormatLangText(GetLangText(830), {"Test"}));
  EXPECT_EQ(b.env.messages.shown[0].flags & MB_YESNO, MB_YESNO);
  EXPECT_TRUE(b.store.BookIndex().empty());
}

TEST(RecipeStore, FillRecipeListByFilter) {
  BookEnv b;
  for (int i = 1; i <= 4; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    r.categories[4] = static_cast<uint16_t>(i % 2 ? 40 : 0);
    b.AddRecipe(r);
  }
  REZINDEX e = b.store.BookIndex()[0];
  e.deleted = 1;
  b.store.WriteIndexEntry(e, 0);
  b.store.FillRecipeList(0);
  EXPECT_EQ(b.list.items.size(), 3u);
  b.store.FillRecipeList(40);  // recipes 1 and 3 carry category 40; 1 is deleted
  ASSERT_EQ(b.list.items.size(), 1u);
  EXPECT_EQ(b.list.items[0].title, "Rezept 3");
  EXPECT_EQ(b.list.items[0].index, 2);
  b.store.FillRecipeList(103);  // slot 9 of recipe 3
  EXPECT_EQ(b.list.items.size(), 1u);

  b.store.ClearSearchResult();
  b.store.AddSearchEntry(b.store.BookIndex()[3]);
  b.store.FillRecipeList(-1);
  ASSERT_EQ(b.list.items.size(), 1u);
  EXPECT_EQ(b.list.items[0].index, 0);
  REZINDEX out;
  b.list.searchMode = true;
  EXPECT_TRUE(b.store.GetListEntry(out, 0));
  EXPECT_EQ(out.Title(), "Rezept 4");
  EXPECT_FALSE(b.store.GetListEntry(out, 1));
  b.list.searchMode = false;
  EXPECT_TRUE(b.store.GetListEntry(out, 3));
  EXPECT_FALSE(b.store.GetListEntry(out, 4));
}

TEST(RecipeStore, ReadFailuresAreSaidOncePerBook) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(1);
  REZINDEX e = b.AddRecipe(r);
  struct Case {
    int32_t offset, length;
  } cases[] = {{-5, 10}, {100000, 10}, {20, 30}, {19, 0}, {5, 80}};
  for (const Case& c : cases) {
    REZINDEX bad = e;
    bad.offset = c.offset;
    bad.length = c.length;
    REZBLOCK out;
    out.title = "old";
    EXPECT_FALSE(b.store.ReadRezBlock("Test", &bad, -1, out)) << c.offset;
    EXPECT_EQ(out.title, "");
    EXPECT_EQ(out.servings, 4);
  }
  // One message for the book, naming it, however many records fail.
  ASSERT_EQ(b.env.messages.shown.size(), 1u);
  EXPECT_EQ(b.env.messages.shown[0].text, FormatLangText(GetLangText(831), {"Test"}));
  EXPECT_EQ(b.env.messages.shown[0].title, GetLangText(15));
  b.env.messages.shown.clear();
  REZBLOCK out;
  EXPECT_FALSE(b.store.ReadRezBlock("Nobody", &e, -1, out));
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(45));
  // A length beyond the file reads what is there.
  REZINDEX longer = e;
  longer.length = 1 << 30;
  EXPECT_TRUE(b.store.ReadRezBlock("", &longer, -1, out));
  EXPECT_EQ(out.title, r.title);
}

TEST(RecipeStore, AnExistingRecordFileIsNeverReplaced) {
  BookEnv b;
  // Bytes that are no record file header at all stay in front of the appended record.
  const std::string odd = "not a header, but somebody's bytes";
  test::WriteAll(b.File("Test", ".bok"), odd);
  ASSERT_TRUE(b.store.CreateBookFile(""));
  EXPECT_EQ(test::ReadAll(b.File("Test", ".bok")), odd);
  REZBLOCK r = test::RichRecipe(1);
  int32_t offset = 0, length = 0;
  ASSERT_TRUE(b.store.WriteRezBlock("", r, offset, length));
  EXPECT_EQ(offset, static_cast<int32_t>(odd.size()));
  EXPECT_EQ(test::ReadAll(b.File("Test", ".bok")).substr(0, odd.size()), odd);
  // A missing file is made with the store's header.
  ASSERT_TRUE(b.store.WriteRezBlock("Neu", r, offset, length));
  EXPECT_EQ(offset, 19);
  EXPECT_EQ(test::ReadAll(b.File("Neu", ".bok")).substr(0, 19), "TAVOLIN__1.01_DAT\n\r");
}

TEST(RecipeStore, AShortAppendIsReportedAndCutBack) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  const std::string before = test::ReadAll(b.File("Test", ".bok"));
  int32_t offset = -7, length = -7;
  bool ok;
  {
    FileSizeLimit limit(before.size() + 100);  // the record is written in part only
    ok = b.store.WriteRezBlock("", r, offset, length);
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(offset, -7);
  ASSERT_EQ(b.env.messages.shown.size(), 1u);
  EXPECT_EQ(b.env.messages.shown[0].text, GetLangText(49));
  EXPECT_EQ(test::ReadAll(b.File("Test", ".bok")), before);
}

TEST(RecipeStore, AFailedAppendNeverHandsOutItsNumberAgain) {
  BookEnv b;
  KBOOK other;
  other.name = "Andere";
  ASSERT_TRUE(b.books.CreateKBook(other));
  REZINDEX e;
  e.number = -1;
  {
    FileSizeLimit limit(23);  // the counter can change, no entry can be added
    EXPECT_FALSE(b.store.AppendIndexEntry("Andere", e));
  }
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(41));
  EXPECT_EQ(CounterOf(b.File("Andere", ".idx")), 2);
  e.number = -1;
  ASSERT_TRUE(b.store.AppendIndexEntry("Andere", e));
  EXPECT_EQ(e.number, 2);
  EXPECT_EQ(CountIndexEntries(b.File("Andere", ".idx"), false), 1);
}

TEST(RecipeStore, WritingARecipeGivesItAnIdentifier) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(1);
  r.recipeIdHigh = 0;
  r.recipeIdLow = 0;
  int32_t offset = 0, length = 0;
  ASSERT_TRUE(b.store.WriteRezBlock("", r, offset, length));
  EXPECT_NE(r.recipeIdHigh, 0);
  REZINDEX e;
  e.offset = offset;
  e.length = length;
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlock("", &e, -1, back));
  EXPECT_EQ(back.recipeIdHigh, r.recipeIdHigh);
  EXPECT_EQ(back.recipeIdLow, r.recipeIdLow);
}

TEST(RecipeStore, RecordFlagsAreWrittenInPlaceAndFailuresReported) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(2);
  REZINDEX e = b.AddRecipe(r);
  e.flags = kRecipeMarked | kRecipeMenu;
  ASSERT_TRUE(b.store.WriteRecordFlag(e, b.store.BookId(), 1));
  e.deleted = 1;
  ASSERT_TRUE(b.store.WriteRecordFlag(e, b.store.BookId(), 0));
  const std::string bok = test::ReadAll(b.File("Test", ".bok"));
  EXPECT_EQ(static_cast<uint8_t>(bok[static_cast<size_t>(e.offset) + 5]), 1);
  EXPECT_EQ(static_cast<uint8_t>(bok[static_cast<size_t>(e.offset) + 6]), 0x81);

  b.env.messages.shown.clear();
  REZINDEX stale = e;
  stale.offset += 3;  // not the start of a record
  EXPECT_FALSE(b.store.WriteRecordFlag(stale, b.store.BookId(), 0));
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(48));
  EXPECT_EQ(test::ReadAll(b.File("Test", ".bok")), bok);
  EXPECT_FALSE(b.store.WriteRecordFlag(e, 12345, 0));  // no such book
  EXPECT_EQ(b.env.messages.shown.at(1).text, GetLangText(45));
}

TEST(RecipeStore, AppendIndexEntryRaisesTheCounterFirst) {
  BookEnv b;
  KBOOK other;
  other.name = "Andere";
  ASSERT_TRUE(b.books.CreateKBook(other));
  // Counter 7.
  for (int i = 0; i < 6; ++i) b.store.NextRecipeNumber("Andere");
  REZBLOCK r = test::RichRecipe(1);
  int32_t offset = 0, length = 0;
  ASSERT_TRUE(b.store.WriteRezBlock("Andere", r, offset, length));
  REZINDEX e = BookEnv::EntryFor(r, offset, length);
  e.number = -1;
  ASSERT_TRUE(b.store.AppendIndexEntry("Andere", e));
  EXPECT_EQ(e.number, 7);
  EXPECT_EQ(e.bookId, other.bookId);
  EXPECT_EQ(CounterOf(b.File("Andere", ".idx")), 8);
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlockByKey(other.bookId, 7, back));
  EXPECT_EQ(back.title, r.title);
  REZINDEX found;
  ASSERT_TRUE(b.store.ReadIndexEntryByKey(other.bookId, 7, found));
  EXPECT_EQ(found.offset, offset);
  EXPECT_FALSE(b.store.ReadRezBlockByKey(-9999, 7, back));

  b.env.messages.shown.clear();
  e.number = -1;
  EXPECT_FALSE(b.store.AppendIndexEntry("Fehlt", e));
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(43));
  EXPECT_EQ(e.number, -1);
  // A named book that the cookbook list does not know.
  test::WriteAll(b.File("Fremd", ".idx"), NewIndexBytes());
  EXPECT_FALSE(b.store.AppendIndexEntry("Fremd", e));
  EXPECT_EQ(CounterOf(b.File("Fremd", ".idx")), 1);
}

TEST(RecipeStore, UpdateByKeyRefreshesTheWholeSearchEntry) {
  BookEnv b;
  KBOOK other;
  other.name = "Andere";
  ASSERT_TRUE(b.books.CreateKBook(other));
  REZBLOCK r = test::RichRecipe(1);
  r.number = b.store.NextRecipeNumber("Andere");
  int32_t offset = 0, length = 0;
  ASSERT_TRUE(b.store.WriteRezBlock("Andere", r, offset, length));
  REZINDEX e = BookEnv::EntryFor(r, offset, length);
  ASSERT_TRUE(b.store.AppendIndexEntry("Andere", e));
  REZBLOCK mine = test::RichRecipe(2);
  b.AddRecipe(mine);

  b.store.ClearSearchResult();
  b.store.AddSearchEntry(e);
  b.store.AddSearchEntry(b.store.BookIndex()[0]);

  // An edit saved in search mode: new record, new entry by key.
  r.text = "Ge\xE4ndert";
  ASSERT_TRUE(b.store.WriteRezBlock("Andere", r, offset, length));
  REZINDEX changed = BookEnv::EntryFor(r, offset, length);
  changed.bookId = other.bookId;
  ASSERT_TRUE(b.store.UpdateIndexEntryByKey(other.bookId, r.number, changed));
  const int at = b.store.FindSearchEntry(other.bookId, r.number);
  ASSERT_EQ(at, 0);
  REZINDEX s;
  b.store.GetSearchEntry(s, at);
  EXPECT_EQ(s.offset, offset);  // not only the title
  EXPECT_EQ(s.length, length);
  EXPECT_EQ(s.rewriteCount, 1);
  // A mark then set through the search entry keeps the edit.
  s.flags = kRecipeMarked;
  ASSERT_TRUE(b.store.UpdateIndexEntryByKey(other.bookId, r.number, s));
  ASSERT_TRUE(b.store.WriteRecordFlag(s, other.bookId, 1));
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlockByKey(other.bookId, r.number, back));
  EXPECT_EQ(back.text, "Ge\xE4ndert");
  EXPECT_EQ(back.flags, kRecipeMarked);

  // The current book by key; a number it lacks gives false without a message.
  REZINDEX mineEntry = b.store.BookIndex()[0];
  mineEntry.flags = kRecipeMarked;
  ASSERT_TRUE(b.store.UpdateIndexEntryByKey(b.store.BookId(), 1, mineEntry));
  b.store.GetSearchEntry(s, 1);
  EXPECT_EQ(s.flags, kRecipeMarked);
  b.env.messages.shown.clear();
  EXPECT_FALSE(b.store.UpdateIndexEntryByKey(b.store.BookId(), 77, mineEntry));
  EXPECT_TRUE(b.env.messages.shown.empty());
  EXPECT_FALSE(b.store.UpdateIndexEntryByKey(other.bookId, 77, mineEntry));
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(40));

  // The search result outlives loading another book.
  b.store.ReloadBookIndex();
  EXPECT_EQ(b.store.CountSearchResult(), 2);
  b.store.DropSearchEntriesOfBook(other.bookId);
  EXPECT_EQ(b.store.CountSearchResult(), 1);
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

// The progress window lets window events run while the index loads: a second load (a click on
// the book's button, the main window's first showing) can run to its end inside the first.
class ReloadWhileProgressPaints : public ProgressSink {
 public:
  ReloadWhileProgressPaints(TdbList& store, int kind) : store_(store), kind_(kind) {}
  void ProgressRelay(int kind, const std::string&, int) override {
    if (kind != kind_ || done_) return;
    done_ = true;
    store_.ReloadBookIndex();
  }

 private:
  TdbList& store_;
  int kind_;
  bool done_ = false;
};

TEST(RecipeStore, ALoadOvertakenByAnotherListsEveryRecipeOnce) {
  BookEnv b;
  for (int i = 1; i <= 3; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    b.AddRecipe(r);
  }
  for (int kind : {0, 1, 2}) {
    SCOPED_TRACE(kind);
    ReloadWhileProgressPaints progress(b.store, kind);
    ctx().progress = &progress;
    b.store.ReloadBookIndex();
    ctx().progress = nullptr;
    EXPECT_EQ(b.store.BookIndex().size(), 3u);
    std::vector<std::string> titles;
    for (const auto& item : b.list.items) titles.push_back(item.title);
    EXPECT_EQ(titles.size(), 3u);
    EXPECT_EQ(std::set<std::string>(titles.begin(), titles.end()).size(), 3u);
  }
}

}  // namespace
}  // namespace tav
