#pragma once
// Figures of the book statistics: per book the live and deleted index entries and the rewrites,
// the space they waste with the advice whether compressing pays, and the recipes per main
// category over all books. Only the indexes are read, never the record files.
#include <string>
#include <vector>

namespace tav {

class CategoryTable;
class CookbookList;

struct BookFigures {
  int live = 0;
  int deleted = 0;
  int rewrites = 0;  // sum of the entries' rewrite counts
};

// One main category with the index entries (deleted ones too) that carry it.
struct CategoryFigure {
  int id = 0;
  std::string name;
  int recipes = 0;
};

struct BookStatistics {
  std::vector<std::string> books;    // list order
  std::vector<BookFigures> figures;  // one per book
  BookFigures total;
  std::vector<CategoryFigure> categories;  // main categories in table order
};

// Superseded and deleted records per hundred live ones, cut to a whole number and at most 100;
// 0 for a book without live entries.
int WastePercent(const BookFigures& f);
// "20 %".
std::string WasteText(int waste);
// Language text of the advice: 209 when compressing is not needed (under 10 % or fewer than 30
// live recipes), 210 when it pays (under 25 %), else 211.
int AdviceText(int waste, int live);

// One book's index. Every category code of every entry adds 1 to `perCode[code]` (65,536
// counters). A missing index, or one whose header fails, gives zeros.
BookFigures CountBookIndex(const std::string& indexPath, std::vector<int>& perCode);

// The figures of every book of the list and of the main categories of the table.
BookStatistics ComputeBookStatistics(const CookbookList& books, const CategoryTable& categories);

}  // namespace tav
