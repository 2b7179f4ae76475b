#pragma once
// The rows of the recipe list pane: one row per listed index entry, in list order (titles in
// case-blind dictionary order, equal titles by their position in the store), each with its
// item data (the entry's position in the store's book index or search result). The window's
// list model reads them; the quick search runs over them. Kept apart from the window so that
// filling a whole book and a search keystroke stay cheap and can be measured.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

class RecipeListRows {
 public:
  void Clear();
  void Reserve(size_t rows);
  // Adds a row at the end; Sort puts every row at its place.
  void Append(std::string_view title, int item);
  void Sort();
  // Adds a row at its place in list order and gives its row number.
  int Insert(std::string_view title, int item);
  void Remove(int row);

  int Count() const { return static_cast<int>(rows_.size()); }
  // Item data of a row; -1 outside the rows.
  int Item(int row) const;
  // The first row with that item data; -1 when none.
  int RowOfItem(int item) const;
  // The title upper-cased (UpperCaseAnsi), as the quick search compares it.
  std::string_view UpperTitle(int row) const;

  // The quick search's walk: from row `from` one step at a time (down, or up when `up`),
  // wrapping round the list, at most Count() steps; the first row whose upper-cased title holds
  // `upperText` (at its start only when `titleStart`). -1 when none does. `from` -1 starts the
  // walk downwards at row 0.
  int Find(std::string_view upperText, int from, bool up, bool titleStart) const;

 private:
  struct Row {
    int item;
    uint32_t key;     // start of the row's sort key in pool_
    uint32_t length;  // its length
    uint32_t upper;   // start of the upper-cased title (the tail of the key)
  };
  std::string_view Key(const Row& r) const { return std::string_view(pool_).substr(r.key, r.length); }
  bool Less(const Row& a, const Row& b) const;
  Row Add(std::string_view title, int item);

  std::vector<Row> rows_;
  std::string pool_;  // every row's key, one after the other
};

}  // namespace tav
