// An index entry is kept in the store's memory only once it is in the index file, so that a
// failed write leaves the recipe list as the book on disk is.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "recipedb/book_test_util.h"

namespace tav {
namespace {

TEST(IndexEntryWrite, AFailedWriteLeavesTheEntriesInMemoryAsOnDisk) {
  test::BookEnv b("Test");
  REZBLOCK r = test::RichRecipe(0);
  const REZINDEX first = b.AddRecipe(r);
  b.store.AddSearchEntry(first);

  const std::string idx = b.File("Test", ".idx");
  ASSERT_TRUE(RenameFile(idx, idx + ".keep"));
  ASSERT_TRUE(MakeDirs(idx));
  REZINDEX appended = first;
  appended.SetTitle("Neu");
  EXPECT_FALSE(b.store.WriteIndexEntry(appended, -1));
  EXPECT_EQ(b.store.BookIndex().size(), 1u);
  REZINDEX changed = first;
  changed.SetTitle("Anders");
  changed.offset = 4242;
  EXPECT_FALSE(b.store.WriteIndexEntry(changed, 0));
  EXPECT_EQ(b.store.BookIndex()[0].Title(), "Rezept 0");
  EXPECT_EQ(b.store.BookIndex()[0].offset, first.offset);
  EXPECT_EQ(b.store.BookIndex()[0].rewriteCount, 0);
  EXPECT_EQ(b.store.SearchResult()[0].Title(), "Rezept 0");

  std::filesystem::remove(idx);
  ASSERT_TRUE(RenameFile(idx + ".keep", idx));
  ASSERT_TRUE(b.store.WriteIndexEntry(changed, 0));
  EXPECT_EQ(b.store.BookIndex()[0].Title(), "Anders");
  EXPECT_EQ(b.store.BookIndex()[0].rewriteCount, 1);
  EXPECT_EQ(b.store.SearchResult()[0].Title(), "Anders");
}

}  // namespace
}  // namespace tav
