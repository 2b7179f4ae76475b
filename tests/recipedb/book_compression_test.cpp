#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "book_test_util.h"
#include "platform/paths.h"
#include "recipedb/book_compression.h"
#include "recipedb/index_file.h"
#include "recipedb/raw_file.h"
#include "recipedb/record_file.h"

namespace tav {
namespace {

using namespace std::string_literals;
using test::BookEnv;

class Compressor : public BookCompression {};

int CountRecords(const std::string& bok) {
  int n = 0;
  for (size_t p = 19; p + 51 <= bok.size(); ++n) {
    RecipeRecordHead h;
    ReadRecordHead(std::string_view(bok).substr(p), h);
    if (h.mark != '#' || h.offsets.entry[0] <= 0) return -1;
    p += static_cast<size_t>(h.offsets.entry[0]);
  }
  return n;
}

// A book of five recipes: 0 and 1 saved twice more (rewrite counts 2 + 2), 3 and 4 deleted,
// 2 without preparation text. Returns the live recipes as they stand last.
std::vector<REZBLOCK> MakeWornBook(BookEnv& b) {
  std::vector<REZBLOCK> all;
  for (int i = 0; i < 5; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    if (i == 2) r.text.clear();
    b.AddRecipe(r);
    all.push_back(r);
  }
  for (int i = 0; i < 2; ++i) {
    for (int k = 0; k < 2; ++k) {
      all[static_cast<size_t>(i)].text = "Fassung " + std::to_string(k);
      EXPECT_TRUE(b.SaveChanged(all[static_cast<size_t>(i)], i));
    }
  }
  for (int i = 3; i < 5; ++i) {
    REZINDEX e = b.store.BookIndex()[static_cast<size_t>(i)];
    e.deleted = 1;
    EXPECT_TRUE(b.store.WriteIndexEntry(e, i));
    EXPECT_TRUE(b.store.WriteRecordFlag(e, b.store.BookId(), 0));
  }
  return {all[0], all[1], all[2]};
}

void ExpectBookHolds(BookEnv& b, const std::vector<REZBLOCK>& live) {
  TdbList fresh;
  ASSERT_TRUE(fresh.LoadBookIndex());
  std::vector<REZBLOCK> found;
  for (size_t i = 0; i < fresh.BookIndex().size(); ++i) {
    if (fresh.BookIndex()[i].deleted) continue;
    REZBLOCK r;
    ASSERT_TRUE(fresh.ReadRezBlock("", nullptr, static_cast<int>(i), r)) << i;
    found.push_back(r);
  }
  ASSERT_EQ(found.size(), live.size());
  for (size_t i = 0; i < live.size(); ++i) test::ExpectSameRecipe(live[i], found[i]);
  (void)b;
}

TEST(BookCompression, CopiesTheLiveRecipesAndKeepsNumbersAndCounter) {
  BookEnv b;
  const std::vector<REZBLOCK> live = MakeWornBook(b);
  const std::string oldIdx = test::ReadAll(b.File("Test", ".idx"));
  b.store.ClearSearchResult();
  b.store.AddSearchEntry(b.store.BookIndex()[0]);

  Compressor c;
  EXPECT_FALSE(c.ReorgKBook("Test"));
  ASSERT_EQ(c.LogLines().size(), 2u);
  EXPECT_EQ(c.LogLines()[0], "  Test:");
  EXPECT_EQ(c.LogLines()[1], GetLangText(235) + "3" + GetLangText(234) + "9.");
  EXPECT_EQ(c.StatusText(), "");
  EXPECT_TRUE(b.env.messages.shown.empty());

  const std::string idx = test::ReadAll(b.File("Test", ".idx"));
  EXPECT_EQ(idx.substr(0, 23), oldIdx.substr(0, 23));  // header and counter
  ASSERT_EQ(idx.size(), 23u + 3 * 104);
  int32_t numbers[3];
  for (int i = 0; i < 3; ++i) {
    REZINDEX e;
    std::memcpy(&e, idx.data() + 23 + 104 * i, 104);
    EXPECT_EQ(e.rewriteCount, 0);
    EXPECT_EQ(e.bookId, b.books.GetAktKBookId());
    numbers[i] = e.number;
  }
  EXPECT_EQ(numbers[0], 1);
  EXPECT_EQ(numbers[1], 2);
  EXPECT_EQ(numbers[2], 3);
  const std::string bok = test::ReadAll(b.File("Test", ".bok"));
  EXPECT_EQ(CountRecords(bok), 3);
  EXPECT_EQ(bok.substr(0, 19), RecordFileHeader());
  EXPECT_FALSE(FileExists(b.Data() + "$$$.idx"));
  EXPECT_FALSE(FileExists(b.Data() + "$$$.bok"));
  EXPECT_FALSE(FileExists(b.Data() + "$$$.swp"));
  // The recipe without preparation text is kept.
  ExpectBookHolds(b, live);
  EXPECT_EQ(b.store.CountSearchResult(), 0);
}

TEST(BookCompression, ABookOfDeletedRecipesEndsEmpty) {
  BookEnv b;
  for (int i = 0; i < 2; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    b.AddRecipe(r);
    REZINDEX e = b.store.BookIndex()[static_cast<size_t>(i)];
    e.deleted = 1;
    b.store.WriteIndexEntry(e, i);
  }
  Compressor c;
  EXPECT_FALSE(c.ReorgKBook("Test"));
  std::string idx = test::ReadAll(b.File("Test", ".idx"));
  EXPECT_EQ(idx, "TAVOLIN__1.01_IDX\r\n\x03\0\0\0"s);
  EXPECT_EQ(test::ReadAll(b.File("Test", ".bok")), RecordFileHeader());
  EXPECT_EQ(c.LogLines().back(), GetLangText(235) + "0" + GetLangText(234) + "2.");
}

TEST(BookCompression, ABookThatCannotBeCopiedStaysAsItWas) {
  BookEnv b;
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  const std::string idx = test::ReadAll(b.File("Test", ".idx"));
  Compressor c;

  RenameFile(b.File("Test", ".bok"), b.File("Test", ".sav"));
  EXPECT_TRUE(c.ReorgKBook("Test"));
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(45));
  EXPECT_EQ(test::ReadAll(b.File("Test", ".idx")), idx);
  EXPECT_FALSE(FileExists(b.File("Test", ".bok")));
  EXPECT_FALSE(FileExists(b.Data() + "$$$.idx"));
  EXPECT_FALSE(FileExists(b.Data() + "$$$.bok"));
  RenameFile(b.File("Test", ".sav"), b.File("Test", ".bok"));

  b.env.messages.shown.clear();
  EXPECT_FALSE(c.ReorgKBook("Nobody"));
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(231));
  test::WriteAll(b.File("Bad", ".idx"), "TAVOLIN__2.00_IDX\r\n\x01\0\0\0"s);
  EXPECT_FALSE(c.ReorgKBook("Bad"));
  EXPECT_EQ(b.env.messages.shown.at(1).text, GetLangText(232));
  EXPECT_EQ(c.LogLines()[2], "");  // an empty line between the books
  EXPECT_EQ(c.LogLines()[3], "  Nobody:");
}

TEST(BookCompression, TheScratchFilesNeverTakeABooksPlace) {
  BookEnv b;
  // A book named like the scratch files would be emptied by its own copy.
  const std::string idx = IndexFileHeader() + "\x01\0\0\0"s, bok = RecordFileHeader();
  test::WriteAll(b.Data() + "$$$.idx", idx);
  test::WriteAll(b.Data() + "$$$.bok", bok);
  Compressor c;
  EXPECT_FALSE(c.ReorgKBook("$$$"));
  EXPECT_EQ(b.env.messages.shown.at(0).text, GetLangText(231));
  // Scratch files without a commit marker are a compression that never finished: they go.
  EXPECT_FALSE(FileExists(b.Data() + "$$$.idx"));
  EXPECT_FALSE(FileExists(b.Data() + "$$$.bok"));

  // A marker whose name leads out of the data folder moves nothing there.
  test::WriteAll(b.Data() + "$$$.idx", idx);
  test::WriteAll(b.Data() + "$$$.bok", bok);
  for (const std::string& name : {"../Outside"s, "Sub\\Book"s, "$$$"s}) {
    test::WriteAll(b.Data() + "$$$.swp", name);
    FinishPendingSwap(b.Data());
    EXPECT_FALSE(FileExists(b.Data() + "$$$.swp")) << name;
    EXPECT_EQ(test::ReadAll(b.Data() + "$$$.idx"), idx) << name;
    EXPECT_EQ(test::ReadAll(b.Data() + "$$$.bok"), bok) << name;
  }
  EXPECT_FALSE(FileExists(b.env.Root() + "Outside.idx"));
}

TEST(BookCompression, StatusEveryThirteen) {
  BookEnv b;
  struct Status : BookCompression {
    void OnStatus(const std::string& text) override { seen.push_back(text); }
    std::vector<std::string> seen;
  } c;
  for (int i = 0; i < 27; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    b.AddRecipe(r);
  }
  c.ReorgKBook("Test");
  ASSERT_EQ(c.seen.size(), 3u);
  EXPECT_EQ(c.seen[0], "(13" + GetLangText(234) + "13)");
  EXPECT_EQ(c.seen[1], "(26" + GetLangText(234) + "26)");
  EXPECT_EQ(c.seen[2], "");
}

// A picture replaced in the editor stays while the old version can be restored; the compression
// drops that version and with it the file, unless a record of any book still names it.
TEST(BookCompression, PicturesOnlyDroppedRecordsNameAreRemoved) {
  for (const bool damagedOtherBook : {false, true}) {
    SCOPED_TRACE(damagedOtherBook ? "another book cannot be read whole" : "all books whole");
    BookEnv b;
    const std::string pics = b.env.Root() + "Pics/";
    ASSERT_TRUE(MakeDirs(pics));
    for (const char* f : {"Alt.jpg", "Neu.jpg", "Beide.jpg", "Gel\xF6scht.jpg", "Geteilt.jpg",
                          "Fremd.jpg", "Lose.jpg"})
      test::WriteAll(pics + f, "JFIF Bild");
    test::WriteAll(b.env.Root() +
                       "Drau\xDF"
                       "en.jpg",
                   "JFIF Bild");
    auto withPictures = [](int i, std::vector<std::string> names) {
      REZBLOCK r = test::RichRecipe(i);
      r.pictures.clear();
      for (std::string& n : names) r.pictures.push_back({'F', std::move(n)});
      return r;
    };

    // Another book names one file live and one by an old version only.
    KBOOK other;
    other.name = "Andere";
    ASSERT_TRUE(b.books.CreateKBook(other));
    b.books.SelectKBook("Andere");
    b.env.Options().SetParaString(6, "Andere");
    b.store.ReloadBookIndex();
    REZBLOCK shared = withPictures(10, {"Geteilt.jpg"});
    b.AddRecipe(shared);
    REZBLOCK foreign = withPictures(11, {"Fremd.jpg"});
    b.AddRecipe(foreign);
    foreign.pictures = {{'F', "Fremd2.jpg"}};
    ASSERT_TRUE(b.SaveChanged(foreign, 1));
    if (damagedOtherBook) {
      RawFile f;
      ASSERT_TRUE(f.Open(b.File("Andere", ".bok"), RawFile::kReadWrite));
      ASSERT_TRUE(f.WriteAt(f.Size(), "#kaputt"s));
      f.Close();
    }

    b.books.SelectKBook("Test");
    b.env.Options().SetParaString(6, "Test");
    b.store.ReloadBookIndex();
    REZBLOCK replaced = withPictures(0, {"Alt.jpg"});
    b.AddRecipe(replaced);
    replaced.pictures = {{'F', "Neu.jpg"}};
    ASSERT_TRUE(b.SaveChanged(replaced, 0));
    REZBLOCK both = withPictures(1, {"Beide.jpg"});
    b.AddRecipe(both);
    both.text = "Anders gebacken.";
    ASSERT_TRUE(b.SaveChanged(both, 1));
    REZBLOCK gone = withPictures(2, {"gel\xF6scht.JPG", "Geteilt.jpg", "Fremd.jpg",
                                     "../Drau\xDF"
                                     "en.jpg"});
    b.AddRecipe(gone);
    REZINDEX e = b.store.BookIndex()[2];
    e.deleted = 1;
    ASSERT_TRUE(b.store.WriteIndexEntry(e, 2));

    // Until the compression, every version can be restored: nothing goes.
    Compressor c;
    EXPECT_FALSE(c.ReorgKBook("Test"));
    const bool cleaned = !damagedOtherBook;
    EXPECT_EQ(FileExists(pics + "Alt.jpg"), !cleaned);
    EXPECT_EQ(FileExists(pics + "Gel\xF6scht.jpg"), !cleaned);
    for (const char* kept : {"Neu.jpg", "Beide.jpg", "Geteilt.jpg", "Fremd.jpg", "Lose.jpg"})
      EXPECT_TRUE(FileExists(pics + kept)) << kept;
    EXPECT_TRUE(FileExists(b.env.Root() + "Drau\xDF"
                                          "en.jpg"));
  }
}

// A child process compresses the book and is killed at a step of the swap; the book must open
// afterwards with every live recipe.
TEST(BookCompression, AKillDuringTheSwapLeavesAWholeBook) {
  for (int step = 0; step <= 3; ++step) {
    BookEnv b;
    const std::vector<REZBLOCK> live = MakeWornBook(b);
    // The recipes' picture files (RichRecipe names "kuchen<i>.jpg").
    const std::string pics = b.env.Root() + "Pics/";
    ASSERT_TRUE(MakeDirs(pics));
    for (int i = 0; i < 5; ++i)
      test::WriteAll(pics + "kuchen" + std::to_string(i) + ".jpg", "JFIF");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SetSwapHookForTest([step](int at) {
        if (at == step) raise(SIGKILL);
      });
      Compressor c;
      c.ReorgKBook("Test");
      _exit(0);  // not reached when the kill happened
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "step " << step;
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    // Opening the book finishes a committed swap.
    ExpectBookHolds(b, live);
    EXPECT_FALSE(FileExists(b.Data() + "$$$.swp")) << step;
    const int records = CountRecords(test::ReadAll(b.File("Test", ".bok")));
    EXPECT_EQ(records, step == 0 ? 9 : 3) << step;
    // A picture a live recipe names is never lost, wherever the run ended.
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(FileExists(pics + "kuchen" + std::to_string(i) + ".jpg")) << step << " " << i;
    // The scan of the data folder never lists the scratch files as a book.
    CookbookList books;
    books.ScanKBooks();
    EXPECT_EQ(books.Books().size(), 1u);
  }
}

}  // namespace
}  // namespace tav
