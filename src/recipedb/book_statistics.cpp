#include "recipedb/book_statistics.h"

#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

int WastePercent(const BookFigures& f) {
  if (f.live <= 0) return 0;
  // Whole numbers: a quotient of doubles cut to an integer loses a point where the share is
  // exact (7 of 70 would come out as 9 %).
  const long long w = (100LL * (static_cast<long long>(f.rewrites) + f.deleted)) / f.live;
  return w > 100 ? 100 : static_cast<int>(w);
}

std::string WasteText(int waste) { return std::to_string(waste) + " %"; }

int AdviceText(int waste, int live) {
  if (waste < 10 || live < 30) return 209;
  return waste < 25 ? 210 : 211;
}

BookFigures CountBookIndex(const std::string& indexPath, std::vector<int>& perCode) {
  BookFigures f;
  int32_t counter = 0;
  std::vector<REZINDEX> entries;
  if (!ReadIndexFile(indexPath, counter, entries)) return f;
  perCode.resize(65536);
  for (const REZINDEX& e : entries) {
    if (e.deleted != 0)
      ++f.deleted;
    else
      ++f.live;
    f.rewrites += e.rewriteCount;
    for (uint16_t code : e.categories)
      if (code != 0) ++perCode[code];
  }
  return f;
}

BookStatistics ComputeBookStatistics(const CookbookList& books, const CategoryTable& categories) {
  BookStatistics s;
  const std::string data = ctx().options ? ctx().options->Str(2) : std::string();
  std::vector<int> perCode(65536);
  for (const KBOOK& book : books.Books()) {
    s.books.push_back(book.name);
    const BookFigures f = CountBookIndex(BookFileIn(data, book.name, ".idx"), perCode);
    s.figures.push_back(f);
    s.total.live += f.live;
    s.total.deleted += f.deleted;
    s.total.rewrites += f.rewrites;
  }
  for (const REZGATT& g : categories.gatt) {
    if (!g.IsMain()) continue;
    const int recipes = g.id > 0 && g.id < 65536 ? perCode[static_cast<size_t>(g.id)] : 0;
    s.categories.push_back({g.id, g.name, recipes});
  }
  return s;
}

}  // namespace tav
