#pragma once
// Helpers for the recipe-book tests: a data root with options, a cookbook list and the store
// installed in the context, a fake recipe list pane, and recipes with every field filled.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_list_view.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav::test {

class FakeRecipeList : public RecipeListView {
 public:
  bool IsSearchMode() const override { return searchMode; }
  void SetCategoryIndex(int index) override { categoryIndex = index; }
  void BeginFill() override { ++fills; }
  void EndFill() override {}
  void ClearRecipeList() override { items.clear(); }
  void AddRecipeListItem(const REZINDEX* entry, int index) override {
    if (entry->deleted == 0) items.push_back({entry->Title(), index});
  }
  void ForgetShownRecipe() override { ++forgotten; }

  struct Item {
    std::string title;
    int index;
  };
  std::vector<Item> items;
  bool searchMode = false;
  int categoryIndex = -1;
  int fills = 0;
  int forgotten = 0;
};

// A data root (below `parent` when given) with one current book `name` (created through the
// cookbook list).
class BookEnv {
 public:
  explicit BookEnv(const std::string& name = "Test", const std::string& parent = std::string())
      : env(parent) {
    env.LoadLanguage("DE");
    env.Options().SetParaString(6, name);
    ctx().books = &books;
    ctx().dbList = &store;
    ctx().recipeList = &list;
    books.ScanKBooks();
    KBOOK book;
    book.name = name;
    EXPECT_TRUE(books.CreateKBook(book));
    books.SelectKBook(name);
    store.ReloadBookIndex();
  }
  std::string Data() const { return env.DataFolder(); }
  std::string File(const std::string& book, const char* ext) const { return Data() + book + ext; }

  // Stores a new recipe in the current book as the editor does: number, record, entry.
  REZINDEX AddRecipe(REZBLOCK& r) {
    r.number = store.NextRecipeNumber(ctx().options->Str(6));
    int32_t offset = 0, length = 0;
    EXPECT_TRUE(store.WriteRezBlock("", r, offset, length));
    REZINDEX e = EntryFor(r, offset, length);
    EXPECT_TRUE(store.WriteIndexEntry(e, -1));
    return e;
  }
  // Saves a changed recipe at a book-index position as the editor does.
  bool SaveChanged(REZBLOCK& r, int position) {
    REZINDEX old = store.BookIndex()[static_cast<size_t>(position)];
    int32_t offset = 0, length = 0;
    if (!store.WriteRezBlock("", r, offset, length)) return false;
    old.deleted = 1;
    if (!store.WriteRecordFlag(old, store.BookId(), 0)) return false;
    REZINDEX e = EntryFor(r, offset, length);
    return store.WriteIndexEntry(e, position);
  }
  static REZINDEX EntryFor(const REZBLOCK& r, int32_t offset, int32_t length) {
    REZINDEX e;
    e.SetTitle(r.title);
    e.number = r.number;
    e.offset = offset;
    e.length = length;
    e.flags = r.flags;
    std::memcpy(e.categories, r.categories, sizeof e.categories);
    return e;
  }

  TestEnv env;
  CookbookList books;
  TdbList store;
  FakeRecipeList list;
};

// Makes the book in the data root of `env` through the cookbook list and the store, with the
// recipes stored in order as the editor stores them (numbers from 1), and leaves books, store
// and options out of the context again: for tests that then start the whole program over it.
inline void MakeBookBeforeStart(TestEnv& env, KBOOK book, std::vector<REZBLOCK> recipes) {
  OptionsStore& options = env.Options();
  CookbookList books;
  TdbList store;
  ctx().books = &books;
  ctx().dbList = &store;
  books.ScanKBooks();
  EXPECT_TRUE(books.CreateKBook(book));
  options.SetParaString(6, book.name);
  books.SelectKBook(book.name);
  store.ReloadBookIndex();
  for (REZBLOCK& r : recipes) {
    r.number = store.NextRecipeNumber(book.name);
    int32_t offset = 0, length = 0;
    EXPECT_TRUE(store.WriteRezBlock("", r, offset, length));
    REZINDEX e = BookEnv::EntryFor(r, offset, length);
    EXPECT_TRUE(store.WriteIndexEntry(e, -1));
  }
  ctx().books = nullptr;
  ctx().dbList = nullptr;
  ctx().recipeList = nullptr;
  ctx().options = nullptr;
}

// The number counter of an index file; -1 when the file is shorter than its header.
inline int32_t CounterOf(const std::string& indexPath) {
  const std::string bytes = ReadAll(indexPath);
  int32_t c = -1;
  if (bytes.size() >= 23) std::memcpy(&c, bytes.data() + 19, 4);
  return c;
}

// Lets files grow only up to a size while it lives (a full disk, as far as a write can tell).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(size_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    handler_ = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, handler_);
  }

 private:
  rlimit saved_;
  sighandler_t handler_;
};

// A recipe with every stored field set; `i` varies the texts.
inline REZBLOCK RichRecipe(int i) {
  REZBLOCK r;
  ClearRezBlock(r);
  const std::string n = std::to_string(i);
  r.title = "Rezept " + n;
  r.recipeIdLow = 0x00FF0000 + i;
  r.recipeIdHigh = 0x02000100;  // zero bytes inside the identifier block
  r.flags = i % 2 ? kRecipeMarked : 0;
  r.quality = '3';
  r.difficulty = '2';
  r.categories[0] = 12;
  r.categories[9] = static_cast<uint16_t>(100 + i);
  r.servings = 6;
  r.servingType = "St\xFC" "ck";
  r.cardText = "Karte " + n;
  r.createdBy = "Anna";
  r.createdEmail = "anna@example.org";
  r.createdDate = "1.2.2003";
  r.changedBy = "Bert|~";
  r.changedEmail = "b@example.org";
  r.changedDate = "4.5.2006";
  r.source = "Heft " + n;
  r.prepTime = "10 min";
  r.cookTime = "20 min";
  r.totalTime = "30 min";
  r.points = "7";
  r.costs = "3 Euro";
  r.hint = "scharf";
  r.text = "Alles mischen.\r\nBacken. # mit Raute |0|";
  for (int k = 0; k < 12; ++k)
    r.lines.push_back({std::to_string(k + 1), k % 2 ? "g" : "EL", "Zutat " + std::to_string(k),
                       k % 3 ? "" : "B1000" + std::to_string(k), k % 4 == 0 ? -1 : k * 10,
                       static_cast<uint8_t>(k == 5)});
  r.lines.push_back({"", "", "*Teig", "", 0, 0});
  r.remarks.push_back({"Gut", "Oma~Erna"});
  r.remarks.push_back({"Sehr gut", "Opa"});
  r.pictures.push_back({'F', "kuchen" + n + ".jpg"});
  r.pictures.push_back({'U', "http://example.org/k.jpg"});
  REZSTOFFMENGE kcal;
  std::strcpy(kcal.code, "GCAL");
  kcal.value = "512,5";
  REZSTOFFMENGE fat;
  std::strcpy(fat.code, "ZF");
  fat.value = "20";
  r.nutrients = {kcal, fat};
  return r;
}

// Every stored field equal (the writer changes "~" in remark authors to "-").
inline void ExpectSameRecipe(const REZBLOCK& a, const REZBLOCK& b) {
  EXPECT_EQ(a.title, b.title);
  EXPECT_EQ(a.recipeIdLow, b.recipeIdLow);
  EXPECT_EQ(a.recipeIdHigh, b.recipeIdHigh);
  EXPECT_EQ(a.number, b.number);
  EXPECT_EQ(a.flags, b.flags);
  EXPECT_EQ(a.quality, b.quality);
  EXPECT_EQ(a.difficulty, b.difficulty);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.categories[i], b.categories[i]) << i;
  EXPECT_EQ(a.servings, b.servings);
  EXPECT_EQ(a.servingType, b.servingType);
  EXPECT_EQ(a.cardText, b.cardText);
  EXPECT_EQ(a.createdBy, b.createdBy);
  EXPECT_EQ(a.createdEmail, b.createdEmail);
  EXPECT_EQ(a.createdDate, b.createdDate);
  EXPECT_EQ(a.changedBy, b.changedBy);
  EXPECT_EQ(a.changedEmail, b.changedEmail);
  EXPECT_EQ(a.changedDate, b.changedDate);
  EXPECT_EQ(a.source, b.source);
  EXPECT_EQ(a.prepTime, b.prepTime);
  EXPECT_EQ(a.cookTime, b.cookTime);
  EXPECT_EQ(a.totalTime, b.totalTime);
  EXPECT_EQ(a.points, b.points);
  EXPECT_EQ(a.costs, b.costs);
  EXPECT_EQ(a.hint, b.hint);
  EXPECT_EQ(a.text, b.text);
  ASSERT_EQ(a.lines.size(), b.lines.size());
  for (size_t i = 0; i < a.lines.size(); ++i) {
    EXPECT_EQ(a.lines[i].amount, b.lines[i].amount) << i;
    EXPECT_EQ(a.lines[i].unit, b.lines[i].unit) << i;
    EXPECT_EQ(a.lines[i].text, b.lines[i].text) << i;
    EXPECT_EQ(a.lines[i].blsCode, b.lines[i].blsCode) << i;
    EXPECT_EQ(a.lines[i].grams, b.lines[i].grams) << i;
    EXPECT_EQ(a.lines[i].notOnShoppingList, b.lines[i].notOnShoppingList) << i;
  }
  ASSERT_EQ(a.remarks.size(), b.remarks.size());
  for (size_t i = 0; i < a.remarks.size(); ++i) {
    std::string author = a.remarks[i].author;
    for (char& c : author)
      if (c == '~') c = '-';
    EXPECT_EQ(author, b.remarks[i].author);
    EXPECT_EQ(a.remarks[i].text, b.remarks[i].text);
  }
  ASSERT_EQ(a.pictures.size(), b.pictures.size());
  for (size_t i = 0; i < a.pictures.size(); ++i) {
    EXPECT_EQ(a.pictures[i].kind, b.pictures[i].kind);
    EXPECT_EQ(a.pictures[i].name, b.pictures[i].name);
  }
  ASSERT_EQ(a.nutrients.size(), b.nutrients.size());
  for (size_t i = 0; i < a.nutrients.size(); ++i) {
    EXPECT_STREQ(a.nutrients[i].code, b.nutrients[i].code);
    EXPECT_EQ(a.nutrients[i].value, b.nutrients[i].value);
  }
}

}  // namespace tav::test
