// The recipe list's own work on books of 1,000, 10,000 and 100,000 recipes with varied titles:
// opening a book to the list's rows in their order (index load, fill and sort, what the window
// does apart from drawing), a quick-search keystroke over every title, and filling the list
// with one main category.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench_data_root.h"
#include "platform/settings_store.h"
#include "recipe_list_books.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_list_view.h"
#include "recipedb/recipe_store.h"
#include "recipes/recipe_list_rows.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"

namespace {

using namespace tav;
using tav::bench::WriteListBook;

// The list pane's part of a fill, as the window does it: rows appended, then sorted.
class RowsView : public RecipeListView {
 public:
  bool IsSearchMode() const override { return false; }
  void SetCategoryIndex(int) override {}
  void BeginFill() override {}
  void EndFill() override { rows.Sort(); }
  void ClearRecipeList() override {
    rows.Clear();
    if (ctx().dbList) rows.Reserve(ctx().dbList->BookIndex().size());
  }
  void AddRecipeListItem(const REZINDEX* entry, int index) override {
    if (entry->deleted == 0) rows.Append(entry->Title(), index);
  }
  void ForgetShownRecipe() override {}
  RecipeListRows rows;
};

struct World : bench::BenchDataRoot {
  RowsView list;

  World() : BenchDataRoot("list") {
    ctx().recipeList = &list;
    for (int n : {1000, 10000, 100000}) WriteListBook(data, "Buch" + std::to_string(n), n);
    books.ScanKBooks();
  }

  void Open(int n) {
    const std::string name = "Buch" + std::to_string(n);
    options.SetParaString(6, name);
    books.SelectKBook(name);
    store.ReloadBookIndex();
  }
};

World& TheWorld() {
  static World world;
  return world;
}

void BM_OpenBookToSortedRows(benchmark::State& state) {
  World& w = TheWorld();
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    w.Open(n);
    benchmark::DoNotOptimize(w.list.rows.Item(0));
  }
  if (w.list.rows.Count() != n - n / 10) state.SkipWithError("list not filled");
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_OpenBookToSortedRows)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One keystroke: the text changed, so the walk starts at the top. "ZZ" matches no title, so
// every title is looked at; "MIT R" matches early.
void BM_QuickSearchKeystroke(benchmark::State& state) {
  World& w = TheWorld();
  const int n = static_cast<int>(state.range(0));
  w.Open(n);
  const std::string text = state.range(1) ? "ZZ" : UpperCaseAnsi("mit R");
  const bool none = state.range(1) != 0;
  for (auto _ : state) {
    const int found = w.list.rows.Find(UpperCaseAnsi(text), -1, false, false);
    if ((found < 0) != none) state.SkipWithError("unexpected result");
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * (none ? w.list.rows.Count() : 1));
}
BENCHMARK(BM_QuickSearchKeystroke)
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_FillOneCategory(benchmark::State& state) {
  World& w = TheWorld();
  w.Open(10000);
  for (auto _ : state) {
    w.store.FillRecipeList(7);
    benchmark::DoNotOptimize(w.list.rows.Count());
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_FillOneCategory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
