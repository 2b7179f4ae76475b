// The recipe list's rows: their order and the quick search's walk over them.
#include <gtest/gtest.h>

#include "recipes/recipe_list_rows.h"
#include "services/charsets.h"

namespace tav {
namespace {

std::vector<int> Items(const RecipeListRows& rows) {
  std::vector<int> out;
  for (int r = 0; r < rows.Count(); ++r) out.push_back(rows.Item(r));
  return out;
}

TEST(RecipeListRows, SortsTitlesWithoutCaseAndEqualTitlesByPosition) {
  RecipeListRows rows;
  const char* titles[] = {"zwiebel", "\xC4pfel", "Apfel", "apfel", "Birne", "Apfel", "(Alles)"};
  for (int i = 0; i < 7; ++i) rows.Append(titles[i], i);
  rows.Sort();
  // Ä sorts with A, after the plain letter; titles equal but for case keep their store order.
  EXPECT_EQ(Items(rows), (std::vector<int>{6, 2, 3, 5, 1, 4, 0}));
  for (int r = 1; r < rows.Count(); ++r)
    EXPECT_LE(CompareTextNoCase(titles[rows.Item(r - 1)], titles[rows.Item(r)]), 0) << r;
  EXPECT_EQ(rows.UpperTitle(1), "APFEL");
  EXPECT_EQ(rows.RowOfItem(4), 5);
  EXPECT_EQ(rows.RowOfItem(9), -1);
  EXPECT_EQ(rows.Item(7), -1);

  EXPECT_EQ(rows.Insert("Banane", 7), 5);
  EXPECT_EQ(rows.Insert("Apfel", 8), 4);  // after the equal titles before it
  rows.Remove(0);
  EXPECT_EQ(Items(rows), (std::vector<int>{2, 3, 5, 8, 1, 7, 4, 0}));
  rows.Clear();
  EXPECT_EQ(rows.Count(), 0);
  EXPECT_EQ(rows.Find("A", -1, false, false), -1);
}

TEST(RecipeListRows, QuickSearchWalksOnceRoundTheList) {
  RecipeListRows rows;
  const char* titles[] = {"Abcd", "Brot", "Xabc", "Zabc"};
  for (int i = 0; i < 4; ++i) rows.Append(titles[i], i);
  rows.Sort();
  struct Case {
    const char* text;
    int from;
    bool up, start;
    int found;
  } cases[] = {
      {"ABC", -1, false, false, 0},  // a changed text searches from the top
      {"ABC", 0, false, false, 2},   // down from the current row
      {"ABC", 3, false, false, 0},   // wraps round to the top
      {"ABC", 0, true, false, 3},    // up wraps round to the bottom
      {"ABC", 2, true, false, 0},
      {"ABC", 0, false, true, 0},    // title start only: Xabc and Zabc never match
      {"ABC", 2, true, true, 0},
      {"BROT", 1, false, false, 1},  // the current row comes last
      {"KUCHEN", -1, false, false, -1},
      {"ABC", -1, true, false, 3},   // up without a current row starts at the bottom
  };
  for (const Case& c : cases)
    EXPECT_EQ(rows.Find(c.text, c.from, c.up, c.start), c.found)
        << c.text << " " << c.from << " " << c.up << " " << c.start;
}

}  // namespace
}  // namespace tav
