// Books whose files are damaged or come from elsewhere: a damaged index is said once and its
// rebuild offered, a damaged record file is said once per book, an append cut short is cut off
// at the next open, damaged description files are kept as a copy, and files whose names carry
// upper-case extensions are the book's own.
#include <gtest/gtest.h>

#include <cstring>

#include "book_test_util.h"
#include "platform/paths.h"
#include "recipedb/book_compression.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"
#include "services/text_tools.h"

namespace tav {
namespace {

using test::BookEnv;
using test::Fixture;
using test::ReadAll;
using test::WriteAll;

// The fixture book: six recipes, the second saved twice, the fifth deleted.
constexpr int kLiveRecipes = 5;

// A data root whose current book "Musterbuch" has the given files (fixture names), under names
// with the given extensions.
struct FixtureBook : BookEnv {
  explicit FixtureBook(const std::string& bok = "sound_book.bok",
                       const std::string& idx = "sound_book.idx",
                       const std::string& inf = "sound_book.inf",
                       const char* const (&ext)[3] = kLower)
      : BookEnv("Musterbuch") {
    for (const char* e : {".bok", ".idx", ".inf"}) RemoveFile(File("Musterbuch", e));
    const std::string sources[3] = {bok, idx, inf};
    for (int i = 0; i < 3; ++i)
      WriteAll(Data() + "Musterbuch" + ext[i], ReadAll(Fixture(sources[i])));
    books.ScanKBooks();
    books.SelectKBook("Musterbuch");
    env.messages.shown.clear();
  }
  std::vector<std::string> Listed() const {
    std::vector<std::string> titles;
    for (const auto& item : list.items) titles.push_back(item.title);
    return titles;
  }
  static constexpr const char* kLower[3] = {".bok", ".idx", ".inf"};
};

std::string IndexMessage() {
  return GetLangText(36) + "\n\n" + FormatLangText(GetLangText(830), {"Musterbuch"});
}

TEST(DamagedBooks, ADamagedIndexIsSaidOnceAndItsRebuildOffered) {
  struct Case {
    const char* fixture;
    size_t listedWhenKept;  // live recipes of the entries that still point at records
  } cases[] = {{"index_cut_inside_an_entry.idx", 4},
               {"index_with_garbage_entries.idx", 3},
               {"index_counter_past_the_end.idx", 0},
               {"index_header_broken.idx", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    {
      // Declined: the book shows what the index still holds; nothing on disk changes.
      FixtureBook b("sound_book.bok", c.fixture);
      const std::string damaged = ReadAll(b.File("Musterbuch", ".idx"));
      b.env.messages.answers = {IDNO};
      b.store.ReloadBookIndex();
      ASSERT_EQ(b.env.messages.shown.size(), 1u);
      EXPECT_EQ(b.env.messages.shown[0].text, IndexMessage());
      EXPECT_EQ(b.env.messages.shown[0].flags & MB_YESNO, MB_YESNO);
      EXPECT_EQ(b.list.items.size(), c.listedWhenKept);
      b.store.ReloadBookIndex();
      EXPECT_EQ(b.env.messages.shown.size(), 1u);  // once per book and session
      EXPECT_EQ(ReadAll(b.File("Musterbuch", ".idx")), damaged);
      EXPECT_FALSE(FileExists(b.File("Musterbuch", ".idx.damaged")));
    }
    {
      // Accepted: the damaged index is kept as a copy and every live recipe comes back.
      FixtureBook b("sound_book.bok", c.fixture);
      const std::string damaged = ReadAll(b.File("Musterbuch", ".idx"));
      b.env.messages.answers = {IDYES};
      b.store.ReloadBookIndex();
      ASSERT_EQ(b.env.messages.shown.size(), 1u);
      EXPECT_EQ(b.list.items.size(), static_cast<size_t>(kLiveRecipes));
      EXPECT_EQ(ReadAll(b.File("Musterbuch", ".idx.damaged")), damaged);
      for (int i = 0; i < static_cast<int>(b.store.BookIndex().size()); ++i) {
        if (b.store.BookIndex()[static_cast<size_t>(i)].deleted) continue;
        REZBLOCK r;
        EXPECT_TRUE(b.store.ReadRezBlock("", nullptr, i, r));
      }
      EXPECT_EQ(b.env.messages.shown.size(), 1u);
    }
  }
}

TEST(DamagedBooks, ASoundIndexSaysNothing) {
  FixtureBook b;
  b.store.ReloadBookIndex();
  EXPECT_TRUE(b.env.messages.shown.empty());
  EXPECT_EQ(b.Listed(),
            (std::vector<std::string>{"Apfelstrudel nach Gro\xDFmutters Art",
                                      "Linsensuppe mit W\xFCrstchen", "K\xE4sesp\xE4tzle",
                                      "Zwetschgendatschi", "Schweinebraten mit Kruste"}));
}

TEST(DamagedBooks, ADamagedRecordFileIsSaidOncePerBook) {
  FixtureBook b("records_overwritten_in_a_record.bok");
  b.store.ReloadBookIndex();
  const std::string bok = ReadAll(b.File("Musterbuch", ".bok"));
  // The fourth recipe's record head is overwritten; reading it again and again, and the
  // compression that stops at it, say it once.
  REZBLOCK r;
  for (int k = 0; k < 3; ++k) EXPECT_FALSE(b.store.ReadRezBlock("", nullptr, 3, r));
  EXPECT_TRUE(b.store.ReadRezBlock("", nullptr, 2, r));
  BookCompression compression;
  EXPECT_TRUE(compression.ReorgKBook("Musterbuch"));
  ASSERT_EQ(b.env.messages.shown.size(), 1u);
  EXPECT_EQ(b.env.messages.shown[0].text, FormatLangText(GetLangText(831), {"Musterbuch"}));
  EXPECT_EQ(ReadAll(b.File("Musterbuch", ".bok")), bok);
  // What the message offers: the rebuild finds the readable recipes, then compression works.
  ASSERT_TRUE(b.store.RebuildIndex());
  EXPECT_EQ(b.list.items.size(), static_cast<size_t>(kLiveRecipes - 1));
  EXPECT_FALSE(compression.ReorgKBook("Musterbuch"));
  b.store.ReloadBookIndex();
  EXPECT_EQ(b.list.items.size(), static_cast<size_t>(kLiveRecipes - 1));
  EXPECT_EQ(b.env.messages.shown.size(), 1u);
}

TEST(DamagedBooks, AnAppendCutShortIsCutOffAtTheNextOpen) {
  FixtureBook b("records_unfinished_append_at_the_end.bok");
  b.store.ReloadBookIndex();
  EXPECT_TRUE(b.env.messages.shown.empty());
  EXPECT_EQ(ReadAll(b.File("Musterbuch", ".bok")), ReadAll(Fixture("sound_book.bok")));
  // The next recipe goes where the cut record began, and a rebuild finds no half record.
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  EXPECT_EQ(b.store.BookIndex().back().offset,
            static_cast<int32_t>(ReadAll(Fixture("sound_book.bok")).size()));
  ASSERT_TRUE(b.store.RebuildIndex());
  EXPECT_EQ(b.list.items.size(), static_cast<size_t>(kLiveRecipes + 1));
  // Bytes after the records that are no record start are nobody's to cut, nor a record cut
  // short that whole records follow (a record damaged in place, whose followers a rebuild finds).
  const std::string whole = ReadAll(b.File("Musterbuch", ".bok"));
  std::string bok = whole + "no record here";
  WriteAll(b.File("Musterbuch", ".bok"), bok);
  b.store.ReloadBookIndex();
  EXPECT_EQ(ReadAll(b.File("Musterbuch", ".bok")), bok);
  const REZINDEX last = b.store.BookIndex().back();
  std::string record = whole.substr(static_cast<size_t>(last.offset));
  std::string damaged = record;
  const int32_t tooLong = 1 << 20;
  std::memcpy(damaged.data() + 11, &tooLong, 4);
  bok = whole + damaged + record;
  WriteAll(b.File("Musterbuch", ".bok"), bok);
  b.store.ReloadBookIndex();
  EXPECT_EQ(ReadAll(b.File("Musterbuch", ".bok")), bok);
}

TEST(DamagedBooks, ADamagedDescriptionFileIsKeptAsACopy) {
  for (const char* fixture : {"description_empty.inf", "description_book_id_garbled.inf"}) {
    SCOPED_TRACE(fixture);
    FixtureBook b("sound_book.bok", "sound_book.idx", fixture);
    // The scan gave the book a new id and wrote its file anew, after keeping the old one.
    EXPECT_EQ(ReadAll(b.File("Musterbuch", ".inf.damaged")), ReadAll(Fixture(fixture)));
    int16_t id = 0;
    ASSERT_TRUE(ReadDescriptionBookId(b.File("Musterbuch", ".inf"), id));
    EXPECT_EQ(id, b.books.GetAktKBookId());
    EXPECT_LT(id, 0);
  }
  // A sound file is not copied, and a missing one has nothing to keep.
  FixtureBook b;
  EXPECT_FALSE(FileExists(b.File("Musterbuch", ".inf.damaged")));
  RemoveFile(b.File("Musterbuch", ".inf"));
  b.books.ScanKBooks();
  EXPECT_FALSE(FileExists(b.File("Musterbuch", ".inf.damaged")));
}

TEST(DamagedBooks, ALongDescriptionLeavesTheBookIdReadable) {
  FixtureBook b;
  KBOOK book = b.books.Books().front();
  book.description = std::string(600, 'x');
  ASSERT_TRUE(CookbookList::WriteDescriptionFile(b.File("Musterbuch", ".inf"), book));
  const std::string inf = ReadAll(b.File("Musterbuch", ".inf"));
  EXPECT_EQ(inf.find("\r\n"), 249u);
  // The readers that take 255 characters a line find the id on line 2.
  EXPECT_EQ(inf.substr(251, inf.find("\r\n", 251) - 251),
            std::to_string(static_cast<uint16_t>(book.bookId)));
  int16_t id = 0;
  ASSERT_TRUE(ReadDescriptionBookId(b.File("Musterbuch", ".inf"), id));
  EXPECT_EQ(id, book.bookId);
}

TEST(DamagedBooks, UpperCaseExtensionsAreTheBooksOwnFiles) {
  static constexpr const char* kUpper[3] = {".BOK", ".IDX", ".INF"};
  FixtureBook b("sound_book.bok", "sound_book.idx", "sound_book.inf", kUpper);
  int16_t id = 0;
  ASSERT_TRUE(ReadDescriptionBookId(Fixture("sound_book.inf"), id));
  EXPECT_EQ(b.books.GetAktKBookId(), id);  // the id of "Musterbuch.INF", no new one
  EXPECT_EQ(b.books.CountKBookRecipes("Musterbuch", true), kLiveRecipes);
  b.store.ReloadBookIndex();
  EXPECT_EQ(b.list.items.size(), static_cast<size_t>(kLiveRecipes));
  REZBLOCK r;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 0, r));
  EXPECT_EQ(r.title, "Apfelstrudel nach Gro\xDFmutters Art");

  // Saving, creating the book again, compressing and rebuilding all work in those files.
  REZBLOCK added = test::RichRecipe(3);
  b.AddRecipe(added);
  KBOOK again;
  again.name = "Musterbuch";
  EXPECT_TRUE(b.books.CreateKBook(again));
  BookCompression compression;
  EXPECT_FALSE(compression.ReorgKBook("Musterbuch"));
  ASSERT_TRUE(b.store.RebuildIndex());
  EXPECT_EQ(b.list.items.size(), static_cast<size_t>(kLiveRecipes + 1));
  std::vector<std::string> files;
  for (const std::string& name : ListFolder(b.Data()))
    if (name.rfind("Musterbuch", 0) == 0) files.push_back(name);
  EXPECT_EQ(files,
            (std::vector<std::string>{"Musterbuch.BOK", "Musterbuch.IDX", "Musterbuch.INF"}));
  EXPECT_TRUE(b.env.messages.shown.empty());
}

}  // namespace
}  // namespace tav
