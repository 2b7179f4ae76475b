#include "recipes/recipe_list_rows.h"

#include <algorithm>

#include "services/charsets.h"

namespace tav {

void RecipeListRows::Clear() {
  rows_.clear();
  pool_.clear();
}

void RecipeListRows::Reserve(size_t rows) {
  rows_.reserve(rows);
  pool_.reserve(rows * 48);
}

RecipeListRows::Row RecipeListRows::Add(std::string_view title, int item) {
  const std::string key = CompareKeyNoCase(title);
  Row r;
  r.item = item;
  r.key = static_cast<uint32_t>(pool_.size());
  r.length = static_cast<uint32_t>(key.size());
  r.upper = r.key + static_cast<uint32_t>(key.size() - title.size());
  pool_ += key;
  return r;
}

bool RecipeListRows::Less(const Row& a, const Row& b) const {
  const int c = Key(a).compare(Key(b));
  return c != 0 ? c < 0 : a.item < b.item;
}

void RecipeListRows::Append(std::string_view title, int item) { rows_.push_back(Add(title, item)); }

void RecipeListRows::Sort() {
  std::sort(rows_.begin(), rows_.end(), [this](const Row& a, const Row& b) { return Less(a, b); });
}

int RecipeListRows::Insert(std::string_view title, int item) {
  const Row r = Add(title, item);
  const auto at = std::upper_bound(rows_.begin(), rows_.end(), r,
                                   [this](const Row& a, const Row& b) { return Less(a, b); });
  const auto placed = rows_.insert(at, r);
  return static_cast<int>(placed - rows_.begin());
}

void RecipeListRows::Remove(int row) {
  if (row >= 0 && row < Count()) rows_.erase(rows_.begin() + row);
}

int RecipeListRows::Item(int row) const {
  return row >= 0 && row < Count() ? rows_[static_cast<size_t>(row)].item : -1;
}

int RecipeListRows::RowOfItem(int item) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].item == item) return static_cast<int>(i);
  return -1;
}

std::string_view RecipeListRows::UpperTitle(int row) const {
  if (row < 0 || row >= Count()) return {};
  const Row& r = rows_[static_cast<size_t>(row)];
  return std::string_view(pool_).substr(r.upper, r.key + r.length - r.upper);
}

int RecipeListRows::Find(std::string_view upperText, int from, bool up, bool titleStart) const {
  const int n = Count();
  int at = from;
  for (int step = 0; step < n; ++step) {
    if (up) {
      if (--at < 0) at = n - 1;
    } else {
      if (++at >= n) at = 0;
    }
    const std::string_view title = UpperTitle(at);
    const size_t p = title.find(upperText);
    if (p != std::string_view::npos && (!titleStart || p == 0)) return at;
  }
  return -1;
}

}  // namespace tav
