// Book statistics: waste and advice, the counts of an index and of the main categories.
#include <gtest/gtest.h>

#include "book_test_util.h"
#include "platform/text_file.h"
#include "recipedb/book_statistics.h"
#include "recipedb/category_table.h"
#include "recipedb/index_file.h"

namespace tav {
namespace {

TEST(BookStatistics, WasteAndAdvice) {
  struct Case {
    int live, deleted, rewrites;
    std::string waste;
    int advice;
  } cases[] = {
      {40, 2, 6, "20 %", 210},   // (6 + 2) per 40 live
      {40, 0, 0, "0 %", 209},    // nothing superseded
      {20, 9, 9, "90 %", 209},   // fewer than 30 live: never worth it
      {10, 30, 0, "100 %", 209}, // capped at 100
      {0, 5, 5, "0 %", 209},     // no live entries
      {30, 3, 0, "10 %", 210},   // 10 % is not under 10
      {30, 2, 0, "6 %", 209},    // 6.66 cut toward zero
      {100, 20, 5, "25 %", 211},
      {100, 0, 24, "24 %", 210},
      {1000, 999, 999, "100 %", 211},
      {70, 7, 0, "10 %", 210},   // exactly a tenth, not 9 %
      {56, 0, 14, "25 %", 211},  // exactly a quarter, not 24 %
      {300, 0, 29, "9 %", 209},  // 9.67 cut toward zero
  };
  for (const Case& c : cases) {
    const int w = WastePercent({c.live, c.deleted, c.rewrites});
    EXPECT_EQ(WasteText(w), c.waste) << c.live << "/" << c.deleted << "/" << c.rewrites;
    EXPECT_EQ(AdviceText(w, c.live), c.advice) << c.live << "/" << c.deleted << "/" << c.rewrites;
  }
}

// An index of entries with the given deleted bytes, rewrite counts and first two categories.
std::string Index(const std::vector<std::array<int, 4>>& entries) {
  std::string bytes = NewIndexBytes();
  for (const auto& [deleted, rewrites, cat1, cat2] : entries) {
    REZINDEX e;
    e.SetTitle("Rezept");
    e.deleted = static_cast<uint8_t>(deleted);
    e.rewriteCount = static_cast<uint8_t>(rewrites);
    e.categories[0] = static_cast<uint16_t>(cat1);
    e.categories[9] = static_cast<uint16_t>(cat2);
    bytes.append(reinterpret_cast<const char*>(&e), sizeof e);
  }
  return bytes;
}

TEST(BookStatistics, BooksAndMainCategoriesOverAllBooks) {
  test::TestEnv env;
  env.Options();
  const std::string data = env.DataFolder();
  // Suppen: two live, one deleted in category 7 (it still counts), rewrites 3 + 250.
  WriteFileAtomic(data + "Suppen.bok", "x");
  WriteFileAtomic(data + "Suppen.idx", Index({{0, 3, 7, 0}, {0, 250, 7, 12}, {1, 0, 7, 0}}));
  WriteFileAtomic(data + "Suppen.inf", "\r\n1\r\n");
  // Kaputt: an index whose header fails counts nothing.
  WriteFileAtomic(data + "Kaputt.bok", "x");
  WriteFileAtomic(data + "Kaputt.idx", "KEIN INDEX" + std::string(200, 'x'));
  WriteFileAtomic(data + "Kaputt.inf", "\r\n2\r\n");
  // Leer: no index at all.
  WriteFileAtomic(data + "Leer.bok", "x");
  WriteFileAtomic(data + "Leer.inf", "\r\n3\r\n");
  CookbookList books;
  ctx().books = &books;
  books.ScanKBooks();
  CategoryTable cats;
  cats.gatt = CategoryTable::ParseLines({">0007 Suppen#", "0012 Eint\xF6pfe", "0007", ">0012 Fisch#",
                                         ">0003 Salate#"});
  const BookStatistics s = ComputeBookStatistics(books, cats);
  ASSERT_EQ(s.books, (std::vector<std::string>{"Kaputt", "Leer", "Suppen"}));
  EXPECT_EQ(s.figures[0].live + s.figures[0].deleted + s.figures[0].rewrites, 0);
  EXPECT_EQ(s.figures[1].live + s.figures[1].deleted + s.figures[1].rewrites, 0);
  EXPECT_EQ(s.figures[2].live, 2);
  EXPECT_EQ(s.figures[2].deleted, 1);
  EXPECT_EQ(s.figures[2].rewrites, 253);
  EXPECT_EQ(s.total.live, 2);
  EXPECT_EQ(s.total.rewrites, 253);
  ASSERT_EQ(s.categories.size(), 3u);  // main categories only, table order
  EXPECT_EQ(s.categories[0].name, "Suppen");
  EXPECT_EQ(s.categories[0].recipes, 3);
  EXPECT_EQ(s.categories[1].id, 12);
  EXPECT_EQ(s.categories[1].recipes, 1);
  EXPECT_EQ(s.categories[2].recipes, 0);
  ctx().books = nullptr;
}

}  // namespace
}  // namespace tav
