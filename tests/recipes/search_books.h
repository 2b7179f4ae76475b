#pragma once
// Books for the search tests: recipes stored through the recipe store into any book of a data
// root, as the editor and the import store them.
#include <cstring>
#include <string>
#include <vector>

#include "recipedb/book_test_util.h"

namespace tav::test {

class SearchBooks : public BookEnv {
 public:
  SearchBooks() : BookEnv("Hauptbuch") { AddBook("Zweitbuch"); }

  void AddBook(const std::string& name) {
    KBOOK k;
    k.name = name;
    EXPECT_TRUE(books.CreateKBook(k));
  }
  int16_t IdOf(const std::string& book) const {
    return static_cast<int16_t>(books.FindKBookId(book));
  }
  // Stores a new recipe in the named book; gives its index entry.
  REZINDEX Put(const std::string& book, REZBLOCK r) {
    r.number = store.NextRecipeNumber(book);
    int32_t offset = 0, length = 0;
    EXPECT_TRUE(store.WriteRezBlock(book, r, offset, length));
    REZINDEX e = EntryFor(r, offset, length);
    EXPECT_TRUE(store.AppendIndexEntry(book, e));
    e.bookId = IdOf(book);
    return e;
  }
  // Marks a stored record deleted, as a later save of the recipe does.
  void Supersede(const std::string& book, const REZINDEX& e) {
    REZINDEX old = e;
    old.deleted = 1;
    EXPECT_TRUE(store.WriteRecordFlag(old, IdOf(book), 0));
  }
  std::string Bok(const std::string& book) const { return File(book, ".bok"); }
};

// A recipe with a title, a preparation text and ingredient lines "amount unit text".
inline REZBLOCK Dish(const std::string& title, const std::string& text = "Alles verr\xFChren.",
                     const std::vector<REZZUTAT>& lines = {}) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = title;
  r.text = text;
  r.lines = lines;
  r.recipeIdHigh = 0x02A00000;
  r.recipeIdLow = 1;
  return r;
}

inline REZZUTAT Line(const std::string& amount, const std::string& unit, const std::string& text) {
  REZZUTAT z;
  z.amount = amount;
  z.unit = unit;
  z.text = text;
  return z;
}

}  // namespace tav::test
