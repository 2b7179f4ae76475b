#include "recipes/bulk_change.h"

#include <gtest/gtest.h>

#include <cstring>

#include "recipedb/category_table.h"
#include "recipedb/index_file.h"
#include "search_books.h"

namespace tav {
namespace {

using test::Dish;

// Main categories Kuchen (1), Torten (2), Suppen (3); a sub category (40) and a free one (50).
CategoryTable Categories() {
  CategoryTable t;
  t.gatt = CategoryTable::ParseLines({">0001 Kuchen#", ">0002 Torten#", ">0003 Suppen#",
                                      "0040 Blechkuchen", "00001", "0050 Sommer", ""});
  return t;
}

struct KeywordCase {
  const char* hint;
  int mode;
  const char* input;
  const char* after;
  bool changed;
};

TEST(ApplyBulkChange, Keywords) {
  const KeywordCase cases[] = {
      {"Kuchen, Torte", kBulkAdd, "Torte; Neu", "Kuchen, Torte, Neu", true},
      {"Kuchen, Torte", kBulkAdd, "Torte", "Kuchen, Torte", false},
      {"Kuchen;Torte.Obst", kBulkAdd, "", "Kuchen, Torte, Obst", false},
      {"A, B, A, C", kBulkRemove, "A", "A, B, C", true},
      {"A, B", kBulkRemove, "X", "A, B", false},
      {"A, B", kBulkReplace, "C", "C", true},
      {"A, B", kBulkClear, "egal", "", true},
      {"", kBulkAdd, "Neu", "Neu", true},
  };
  for (const KeywordCase& c : cases) {
    REZBLOCK r = Dish("Rezept");
    r.hint = c.hint;
    BulkChangeSettings s;
    s.keywords = true;
    s.keywordMode = c.mode;
    s.keywordText = c.input;
    EXPECT_EQ(ApplyBulkChange(r, s, nullptr), c.changed) << c.hint << " / " << c.input;
    EXPECT_EQ(r.hint, c.after) << c.hint << " / " << c.input;
  }
}

TEST(ApplyBulkChange, MenuCourseListStaysAsItIs) {
  REZBLOCK menu = Dish("Festessen");
  menu.flags = kRecipeMenu;
  menu.hint = "|2|5:5|A~Suppe|B~Braten|";
  BulkChangeSettings s;
  s.keywords = true;
  s.keywordText = "Neu";
  EXPECT_FALSE(ApplyBulkChange(menu, s, nullptr));
  EXPECT_EQ(menu.hint, "|2|5:5|A~Suppe|B~Braten|");
}

TEST(ApplyBulkChange, Categories) {
  const CategoryTable table = Categories();
  struct Case {
    std::vector<uint16_t> before;
    int mode;
    const char* input;
    std::vector<uint16_t> after;
    bool changed;
  };
  const Case cases[] = {
      // Adding keeps the sub and free categories in their places.
      {{40, 1, 50}, kBulkAdd, "Torten", {40, 1, 50, 2}, true},
      {{1}, kBulkAdd, "Kuchen", {1}, false},
      // A name that is no main category is dropped when the codes are set.
      {{1}, kBulkAdd, "Sommer", {1}, true},
      {{2, 40, 1}, kBulkRemove, "Kuchen", {2, 40}, true},
      {{2, 40, 1}, kBulkReplace, "Suppen", {3}, true},
      {{2, 40, 1}, kBulkClear, "", {}, true},
      // One category named twice is stored once.
      {{}, kBulkReplace, "Torten, torten", {2}, true},
  };
  for (const Case& c : cases) {
    REZBLOCK r = Dish("Rezept");
    std::copy(c.before.begin(), c.before.end(), r.categories);
    BulkChangeSettings s;
    s.categories = true;
    s.categoryMode = c.mode;
    s.categoryText = c.input;
    EXPECT_EQ(ApplyBulkChange(r, s, &table), c.changed) << c.input;
    std::vector<uint16_t> after(std::begin(r.categories), std::end(r.categories));
    std::vector<uint16_t> want = c.after;
    want.resize(10, 0);
    EXPECT_EQ(after, want) << c.input;
  }
}

TEST(ApplyBulkChange, SourceAndCreationData) {
  REZBLOCK r = Dish("Rezept");
  r.source = "Heft 3";
  BulkChangeSettings s;
  s.source = true;
  s.sourceMode = kBulkAppendSource;
  s.sourceText = "  Seite 12 \r\n";
  s.author = true;
  s.authorText = " Anna ";
  s.email = true;
  s.emailText = "anna@example.org";
  s.date = true;
  s.dateText = "1.2.2003 ";
  EXPECT_TRUE(ApplyBulkChange(r, s, nullptr));
  EXPECT_EQ(r.source, "Heft 3\nSeite 12");
  EXPECT_EQ(r.createdBy, "Anna");
  EXPECT_EQ(r.createdEmail, "anna@example.org");
  EXPECT_EQ(r.createdDate, "1.2.2003");
  s = BulkChangeSettings();
  s.source = true;
  s.sourceMode = kBulkClearSource;
  EXPECT_TRUE(ApplyBulkChange(r, s, nullptr));
  EXPECT_EQ(r.source, "");
  EXPECT_FALSE(ApplyBulkChange(r, BulkChangeSettings(), nullptr));
}

class BulkChangeBooks : public ::testing::Test {
 protected:
  test::SearchBooks b;
};

TEST_F(BulkChangeBooks, AddedKeywordIsStoredAndOldRecordsFlaggedDeleted) {
  std::vector<REZINDEX> before;
  for (int i = 0; i < 5; ++i) {
    REZBLOCK r = Dish("Rezept " + std::to_string(i));
    r.hint = "alt";
    before.push_back(b.AddRecipe(r));
  }
  BulkChangeSettings s;
  s.keywords = true;
  s.keywordText = "neu";
  for (int item = 0; item < 5; ++item)
    EXPECT_EQ(BulkChangeRecipe(b.store, false, item, s), BulkOutcome::Changed);
  // Nothing more to add: nothing is stored again.
  EXPECT_EQ(BulkChangeRecipe(b.store, false, 0, s), BulkOutcome::Unchanged);

  // Read back from the files, as after a new start.
  TdbList reopened;
  ctx().dbList = &reopened;
  reopened.ReloadBookIndex();
  ASSERT_EQ(reopened.BookIndex().size(), 5u);
  const std::string bok = test::ReadAll(b.Bok("Hauptbuch"));
  for (int i = 0; i < 5; ++i) {
    REZBLOCK r;
    ASSERT_TRUE(reopened.ReadRezBlock("", nullptr, i, r));
    EXPECT_EQ(r.hint, "alt, neu");
    EXPECT_EQ(r.title, "Rezept " + std::to_string(i));
    EXPECT_EQ(bok[static_cast<size_t>(before[static_cast<size_t>(i)].offset) + 5], 1) << i;
    EXPECT_NE(reopened.BookIndex()[static_cast<size_t>(i)].offset,
              before[static_cast<size_t>(i)].offset);
  }
  ctx().dbList = &b.store;
}

TEST_F(BulkChangeBooks, SearchResultRecipesChangeInTheirOwnBooks) {
  const REZINDEX here = b.Put("Hauptbuch", Dish("Hier"));
  const REZINDEX there = b.Put("Zweitbuch", Dish("Dort"));
  b.store.ReloadBookIndex();
  b.store.ClearSearchResult();
  b.store.AddSearchEntry(here);
  b.store.AddSearchEntry(there);
  BulkChangeSettings s;
  s.source = true;
  s.sourceText = "Sammlung";
  EXPECT_EQ(BulkChangeRecipe(b.store, true, 0, s), BulkOutcome::Changed);
  EXPECT_EQ(BulkChangeRecipe(b.store, true, 1, s), BulkOutcome::Changed);
  for (const REZINDEX& e : {here, there}) {
    REZBLOCK r;
    ASSERT_TRUE(b.store.ReadRezBlockByKey(e.bookId, e.number, r));
    EXPECT_EQ(r.source, "Sammlung");
  }
  EXPECT_EQ(CountIndexEntries(b.File("Zweitbuch", ".idx"), false), 1);
}

TEST_F(BulkChangeBooks, FailedWriteCountsAsFailedAndKeepsTheOldRecord) {
  REZBLOCK r = Dish("Rezept", std::string(4000, 'x'));
  const REZINDEX e = b.AddRecipe(r);
  BulkChangeSettings s;
  s.author = true;
  s.authorText = "Bert";
  {
    test::FileSizeLimit full(static_cast<size_t>(e.offset + e.length + 100));
    EXPECT_EQ(BulkChangeRecipe(b.store, false, 0, s), BulkOutcome::Failed);
  }
  EXPECT_EQ(b.store.BookIndex()[0].offset, e.offset);
  REZBLOCK back;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 0, back));
  EXPECT_EQ(back.createdBy, r.createdBy);
  EXPECT_EQ(BulkChangeRecipe(b.store, false, 7, s), BulkOutcome::Failed);
}

}  // namespace
}  // namespace tav
