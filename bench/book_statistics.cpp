// The book statistics over ten books of 10,000 recipes each: every index read once, live and
// deleted entries and rewrites counted per book, the recipes counted per main category.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "bench_data_root.h"
#include "platform/text_file.h"
#include "recipe_list_books.h"
#include "recipedb/book_statistics.h"
#include "recipedb/category_table.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"

namespace {

using namespace tav;

// An index of n entries as years of use leave it: a twentieth deleted, every third entry
// rewritten one to four times, one to three of 30 main categories per recipe.
void WriteUsedBook(const std::string& data, const std::string& name, int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string idx = IndexFileHeader();
  const int32_t counter = n + 1;
  idx.append(reinterpret_cast<const char*>(&counter), 4);
  for (int i = 0; i < n; ++i) {
    REZINDEX e;
    e.SetTitle(bench::ListTitle(rng));
    e.number = i + 1;
    e.offset = 19 + 1100 * i;
    e.length = 1100;
    e.bookId = static_cast<int16_t>(-1000 - static_cast<int>(seed));
    e.deleted = rng() % 20 == 0 ? 1 : 0;
    e.rewriteCount = static_cast<uint8_t>(i % 3 == 0 ? 1 + rng() % 4 : 0);
    const int cats = 1 + static_cast<int>(rng() % 3);
    for (int c = 0; c < cats; ++c) e.categories[c] = static_cast<uint16_t>(1 + rng() % 30);
    idx.append(reinterpret_cast<const char*>(&e), sizeof e);
  }
  WriteFileAtomic(data + name + ".bok", RecordFileHeader());
  WriteFileAtomic(data + name + ".idx", idx);
  WriteTextLines(data + name + ".inf",
                 {"Gesammelte Rezepte", std::to_string(64536 - static_cast<int>(seed)), "1", ""});
}

void BM_StatisticsOfTenBooks(benchmark::State& state) {
  bench::BenchDataRoot root("statistics");
  for (unsigned b = 0; b < 10; ++b)
    WriteUsedBook(root.data, "Kochbuch " + std::to_string(b + 1), 10000, b);
  root.books.ScanKBooks();
  CategoryTable categories;
  std::vector<std::string> lines;
  for (int id = 1; id <= 30; ++id) lines.push_back(">" + std::string(id < 10 ? "000" : "00") +
                                                   std::to_string(id) + " Gattung " +
                                                   std::to_string(id) + "#");
  categories.gatt = CategoryTable::ParseLines(lines);
  int live = 0;
  for (auto _ : state) {
    const BookStatistics s = ComputeBookStatistics(root.books, categories);
    live = s.total.live;
    benchmark::DoNotOptimize(s);
  }
  state.counters["live"] = live;
  state.counters["entries/s"] = benchmark::Counter(100000.0 * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StatisticsOfTenBooks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
