// A full disk under every operation that writes a book: each one that cannot finish says so,
// nothing is reported saved that is not, and once space is free again the book opens whole.
// Runs on a small tmpfs of its own; skipped where the test may not mount one.
#include <gtest/gtest.h>

#include <functional>

#include "book_test_util.h"
#include "kill_points.h"
#include "recipedb/book_appender.h"
#include "recipedb/book_compression.h"

namespace tav {
namespace {

using test::WantedBook;
using test::WornBook;

// Texts long enough that no write finds room in the last page of a file.
const std::string kLongText(24 * 1024, 'T');

struct Operation {
  const char* name;
  // Runs it on the full disk; true when it reported success.
  std::function<bool(WornBook&)> run;
  // What the book must hold afterwards when the operation succeeded or failed.
  std::function<void(WantedBook&, bool ok)> expect;
};

TEST(FullDisk, EveryWriteFailsAloudAndLeavesTheBookWhole) {
  const Operation operations[] = {
      {"new recipe", [](WornBook&) { return test::SaveNewRecipe("Neu", kLongText); },
       [](WantedBook& want, bool ok) {
         if (ok) want.texts["Neu"] = {kLongText};
       }},
      {"changed recipe", [](WornBook& b) { return test::SaveChangedText(b, 1, kLongText); },
       [](WantedBook& want, bool ok) {
         if (ok) want.texts["Rezept 1"] = {kLongText};
       }},
      {"import",
       [](WornBook& b) {
         BookAppender appender(b.store);
         if (!appender.Open("Test")) return false;
         REZBLOCK r = test::RichRecipe(20);
         r.title = "Import";
         r.text = kLongText;
         REZINDEX entry = test::BookEnv::EntryFor(r, 0, 0);
         const bool ok = appender.Append(r, entry);
         return appender.Close() && ok;
       },
       [](WantedBook& want, bool ok) {
         if (ok) want.texts["Import"] = {kLongText};
       }},
      {"compression",
       [](WornBook&) {
         BookCompression c;
         return !c.ReorgKBook("Test");
       },
       [](WantedBook&, bool) {}},
      {"index rebuild", [](WornBook& b) { return b.store.RebuildIndex(); },
       [](WantedBook&, bool) {}},
      {"new book",
       [](WornBook& b) {
         KBOOK book;
         book.name = "Noch eins";
         return b.books.CreateKBook(book);
       },
       [](WantedBook&, bool) {}},
  };
  for (const Operation& op : operations) {
    SCOPED_TRACE(op.name);
    test::TmpfsMount disk(2 << 20);
    if (!disk.Mounted()) GTEST_SKIP() << disk.SkipReason();
    WornBook b(disk.Path());
    const std::string bok = test::ReadAll(b.File("Test", ".bok"));
    const std::string idx = test::ReadAll(b.File("Test", ".idx"));
    ASSERT_TRUE(disk.Fill());
    b.env.messages.shown.clear();
    const bool ok = op.run(b);
    EXPECT_FALSE(ok) << "reported done on a full disk";
    // A failure is said; what failed changed nothing the book is read by (a number handed out
    // before the failure stays used: numbers are never handed out twice).
    if (!ok) {
      EXPECT_FALSE(b.env.messages.shown.empty());
      std::string after = test::ReadAll(b.File("Test", ".idx"));
      if (after.size() == idx.size()) after.replace(19, 4, idx, 19, 4);
      EXPECT_EQ(after, idx);
      EXPECT_EQ(test::ReadAll(b.File("Test", ".bok")), bok);
    }
    EXPECT_EQ(test::ScratchFilesIn(b.Data()), std::vector<std::string>());
    disk.Free();
    WantedBook want = b.Wanted();
    op.expect(want, ok);
    test::ExpectBookOpensWhole(b, want);
  }
}

}  // namespace
}  // namespace tav
