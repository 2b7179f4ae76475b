#include "recipes/duplicate_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "recipedb/record_file.h"
#include "search_books.h"
#include "services/text_tools.h"
#include "services/tools_module.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;

class DuplicateBooks : public ::testing::Test {
 protected:
  void SetUp() override { ctx().tools = &tools; }

  // Reads the books into a finder, in the order given.
  DuplicateFinder Finder(std::initializer_list<const char*> names, DupesCriteria c = {}) {
    DuplicateFinder f;
    f.criteria = c;
    for (const char* name : names) {
      DUPESBOOK book;
      book.bookId = b.books.FindKBookId(name);
      book.name = name;
      EXPECT_TRUE(ScanBookForDupes(b.Bok(name), c.sameLineCount, book.entries));
      book.count = static_cast<int32_t>(book.entries.size());
      f.books.push_back(std::move(book));
    }
    f.onResult = [this](const REZINDEX& e) { result.push_back(e); };
    return f;
  }
  int Groups(std::initializer_list<const char*> names, DupesCriteria c = {}) {
    result.clear();
    DuplicateFinder f = Finder(names, c);
    return f.CompareDupes();
  }

  test::SearchBooks b;
  TToolsMod tools;
  std::vector<REZINDEX> result;
};

const std::vector<REZZUTAT> kFour = {Line("250", "g", "Mehl"), Line("2", "", "Eier"),
                                     Line("1", "Prise", "Salz"), Line("100", "ml", "Milch")};

TEST_F(DuplicateBooks, ThreeCopiesAndASupersededVersionMakeOneGroupOfThree) {
  const REZINDEX first = b.Put("Hauptbuch", Dish("Pfannkuchen", "Backen.", kFour));
  b.Put("Hauptbuch", Dish("Waffeln", "Backen.", kFour));
  const REZINDEX old = b.Put("Zweitbuch", Dish("Pfannkuchen", "Backen.", kFour));
  b.Supersede("Zweitbuch", old);
  const REZINDEX second = b.Put("Zweitbuch", Dish("Pfannkuchen", "Backen.", kFour));
  const REZINDEX third = b.Put("Hauptbuch", Dish("Pfannkuchen", "Backen.", kFour));

  DuplicateFinder f = Finder({"Hauptbuch", "Zweitbuch"});
  EXPECT_EQ(f.books[1].count, 1);  // the superseded record is not read
  EXPECT_EQ(f.CompareDupes(), 1);
  ASSERT_EQ(result.size(), 3u);
  // The first copy, then the later ones in sequence order (the rest of its book, then the next).
  EXPECT_EQ(result[0].offset, first.offset);
  EXPECT_EQ(result[1].offset, third.offset);
  EXPECT_EQ(result[2].offset, second.offset);
  EXPECT_EQ(result[2].bookId, b.IdOf("Zweitbuch"));
  EXPECT_EQ(result[2].number, second.number);
  EXPECT_EQ(result[0].Title(), "Pfannkuchen");
  ASSERT_EQ(f.hitList.size(), 3u);
  for (const AUTODELLIST& h : f.hitList) EXPECT_EQ(h.group, f.hitList[0].group);
  EXPECT_EQ(f.done, 4);
}

TEST_F(DuplicateBooks, TitlesMustBeEqualIncludingCase) {
  b.Put("Hauptbuch", Dish("Linsensuppe"));
  b.Put("Hauptbuch", Dish("LinsenSuppe"));
  EXPECT_EQ(Groups({"Hauptbuch"}), 0);
}

TEST_F(DuplicateBooks, ShareOfEqualIngredientLines) {
  auto lines = [](int equal) {
    std::vector<REZZUTAT> v = kFour;
    for (int i = equal; i < 4; ++i) v[static_cast<size_t>(i)].amount = "99";
    return v;
  };
  struct Case {
    int percent, equal;
    bool duplicate;
  };
  int n = 0;
  for (const Case& c : {Case{50, 2, true}, Case{50, 1, false}, Case{0, 0, true}, Case{100, 4, true},
                        Case{100, 3, false}}) {
    const std::string book = "Fall" + std::to_string(++n);
    b.AddBook(book);
    b.Put(book, Dish("Brot", "", kFour));
    b.Put(book, Dish("Brot", "", lines(c.equal)));
    DupesCriteria criteria;
    criteria.percent = c.percent;
    EXPECT_EQ(Groups({book.c_str()}, criteria), c.duplicate ? 1 : 0) << c.percent << " " << c.equal;
  }
}

TEST_F(DuplicateBooks, LinesArePairedOneToOne) {
  // Two equal lines in A and one of them in B: one pair, so half the lines, not all of them.
  const std::vector<REZZUTAT> twice = {Line("1", "EL", "Butter"), Line("1", "EL", "Butter")};
  const std::vector<REZZUTAT> once = {Line("1", "EL", "Butter"), Line("2", "EL", "Zucker")};
  EXPECT_EQ(CountEqualLinePairs(Dish("A", "", twice), Dish("A", "", once)), 1);
  DupesCriteria c;
  c.percent = 100;
  EXPECT_FALSE(SameRecipe(Dish("A", "", twice), Dish("A", "", once), c));
  c.percent = 50;
  EXPECT_TRUE(SameRecipe(Dish("A", "", twice), Dish("A", "", once), c));
}

TEST_F(DuplicateBooks, RecipeWithoutLines) {
  DupesCriteria c;
  c.sameLineCount = false;
  EXPECT_FALSE(SameRecipe(Dish("A"), Dish("A", "", kFour), c));
  EXPECT_TRUE(SameRecipe(Dish("A"), Dish("A"), c));
  c.percent = 0;
  EXPECT_TRUE(SameRecipe(Dish("A"), Dish("A", "", kFour), c));
  // With the same line count asked for, the counts must agree whatever the share.
  c.sameLineCount = true;
  EXPECT_FALSE(SameRecipe(Dish("A"), Dish("A", "", kFour), c));
}

TEST_F(DuplicateBooks, LineCountOnlyNarrowsTheSearchWhenAsked) {
  std::vector<REZZUTAT> five = kFour;
  five.push_back(Line("1", "", "Apfel"));
  b.Put("Hauptbuch", Dish("Kuchen", "", kFour));
  b.Put("Hauptbuch", Dish("Kuchen", "", five));
  EXPECT_EQ(Groups({"Hauptbuch"}), 0);
  DupesCriteria c;
  c.sameLineCount = false;
  EXPECT_EQ(Groups({"Hauptbuch"}, c), 1);
}

TEST_F(DuplicateBooks, TickedFieldsMustAgree) {
  struct Case {
    bool DupesCriteria::*box;
    void (*change)(REZBLOCK&);
  };
  const Case cases[] = {
      {&DupesCriteria::sameText, [](REZBLOCK& r) { r.text = "Ganz anders."; }},
      {&DupesCriteria::sameAuthor, [](REZBLOCK& r) { r.createdBy = "Bert"; }},
      {&DupesCriteria::sameSource, [](REZBLOCK& r) { r.source = "Heft"; }},
      {&DupesCriteria::sameCategories, [](REZBLOCK& r) { r.categories[3] = 9; }},
      {&DupesCriteria::sameKeywords, [](REZBLOCK& r) { r.hint = "scharf"; }},
  };
  for (const Case& k : cases) {
    REZBLOCK a = Dish("Chili", std::string(100, 'a'), kFour);
    REZBLOCK other = a;
    k.change(other);
    DupesCriteria c;
    EXPECT_TRUE(SameRecipe(a, other, c));
    c.*k.box = true;
    EXPECT_FALSE(SameRecipe(a, other, c));
  }
  // Only the first 80 characters of the texts count, and an empty text matches any.
  DupesCriteria text;
  text.sameText = true;
  REZBLOCK a = Dish("Chili", std::string(80, 'a') + "Ende A");
  EXPECT_TRUE(SameRecipe(a, Dish("Chili", std::string(80, 'a') + "Ende B"), text));
  EXPECT_TRUE(SameRecipe(a, Dish("Chili", ""), text));
}

TEST_F(DuplicateBooks, MaxDupesEndsTheSearchBeforeTheNextGroup) {
  for (const char* t : {"Eins", "Eins", "Eins", "Zwei", "Zwei"}) b.Put("Hauptbuch", Dish(t));
  result.clear();
  DuplicateFinder f = Finder({"Hauptbuch"});
  f.maxDupes = 1;
  EXPECT_EQ(f.CompareDupes(), 1);
  EXPECT_TRUE(f.stoppedAtMax);
  EXPECT_EQ(result.size(), 3u);
  EXPECT_EQ(f.hitList.size(), 3u);
}

TEST_F(DuplicateBooks, StoppingEndsTheComparison) {
  for (const char* t : {"Eins", "Eins", "Zwei", "Zwei"}) b.Put("Hauptbuch", Dish(t));
  DuplicateFinder f = Finder({"Hauptbuch"});
  f.keepGoing = [] { return false; };
  EXPECT_EQ(f.CompareDupes(), 0);
  EXPECT_EQ(f.done, 1);
}

// A record of another book that cannot be read is said of that book (831), and the current
// book's own damaged record is said afterwards all the same: each book once.
TEST_F(DuplicateBooks, ARecordThatCannotBeReadIsSaidOfItsOwnBook) {
  b.Put("Hauptbuch", Dish("Pfannkuchen", "Backen.", kFour));
  b.Put("Zweitbuch", Dish("Pfannkuchen", "Backen.", kFour));
  b.Put("Zweitbuch", Dish("Pfannkuchen", "Backen.", kFour));
  DuplicateFinder f = Finder({"Hauptbuch", "Zweitbuch"});
  // Between the scan and the comparison a record head of the other book is overwritten.
  std::string bok = test::ReadAll(b.Bok("Zweitbuch"));
  bok[static_cast<size_t>(f.books[1].entries[0].offset)] = 'X';
  test::WriteAll(b.Bok("Zweitbuch"), bok);
  b.env.messages.shown.clear();
  f.CompareDupes();
  ASSERT_EQ(b.env.messages.shown.size(), 1u);
  EXPECT_EQ(b.env.messages.shown[0].text, FormatLangText(GetLangText(831), {"Zweitbuch"}));

  b.store.ReloadBookIndex();
  ASSERT_EQ(b.store.BookIndex().size(), 1u);
  std::string own = test::ReadAll(b.Bok("Hauptbuch"));
  own[static_cast<size_t>(b.store.BookIndex()[0].offset)] = 'X';
  test::WriteAll(b.Bok("Hauptbuch"), own);
  REZBLOCK r;
  EXPECT_FALSE(b.store.ReadRezBlock("", nullptr, 0, r));
  ASSERT_EQ(b.env.messages.shown.size(), 2u);
  EXPECT_EQ(b.env.messages.shown[1].text, FormatLangText(GetLangText(831), {"Hauptbuch"}));
}

TEST_F(DuplicateBooks, DamagedLengthsNeverLoop) {
  REZBLOCK r = Dish("Suppe");
  r.number = 1;
  std::string rec;
  EncodeRecipeRecord(r, rec);
  std::string bad = rec;
  for (int32_t length : {0, -1, 1 << 30}) {
    std::memcpy(bad.data() + 11, &length, 4);
    test::WriteAll(b.Data() + "Kaputt.bok", RecordFileHeader() + rec + bad + rec);
    std::vector<DUPESENTRY> entries;
    EXPECT_TRUE(ScanBookForDupes(b.Data() + "Kaputt.bok", true, entries));
    ASSERT_EQ(entries.size(), 2u) << length;
    EXPECT_EQ(entries[1].offset, static_cast<int32_t>(19 + 2 * rec.size()));
  }
  test::WriteAll(b.Data() + "Fremd.bok", "KEIN BUCH, NUR TEXT\r\n");
  std::vector<DUPESENTRY> entries;
  EXPECT_FALSE(ScanBookForDupes(b.Data() + "Fremd.bok", true, entries));
}

TEST(ChooseCopiesToDelete, KeepsThePriorityBooksCopyAndNeverDeleteBooks) {
  // Book order: 10 first, then 20 (never delete), then 30; book 40 is not in the order.
  const std::map<int16_t, std::pair<int, bool>> order = {
      {10, {0, false}}, {20, {1, true}}, {30, {2, false}}};
  auto position = [&order](int16_t id, bool& never) {
    const auto it = order.find(id);
    if (it == order.end()) return 9999;
    never = it->second.second;
    return it->second.first;
  };
  std::vector<AUTODELLIST> hits = {
      {30, 1, 1, 1}, {10, 2, 1, 1}, {20, 3, 1, 1}, {30, 4, 1, 1},  // group 1
      {30, 5, 2, 1}, {30, 6, 2, 1},                                // group 2: one book
      {40, 7, 3, 1}, {30, 8, 3, 1},                                // group 3: an unknown book
      {10, 9, 4, 1}, {10, 9, 4, 1},                                // group 4: one recipe twice
  };
  const auto gone = ChooseCopiesToDelete(hits, position);
  const std::vector<std::pair<int16_t, int32_t>> want = {{30, 1}, {30, 4}, {30, 6}};
  EXPECT_EQ(gone, want);
  const std::vector<uint8_t> keep = {0, 1, 1, 0, 1, 0, 1, 1, 1, 0};
  for (size_t i = 0; i < hits.size(); ++i) EXPECT_EQ(hits[i].keep, keep[i]) << i;
  // Deciding again gives the same answer: nothing is turned over.
  EXPECT_EQ(ChooseCopiesToDelete(hits, position), want);
}

}  // namespace
}  // namespace tav
