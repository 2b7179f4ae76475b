// Recipe books of 1,000, 10,000 and 100,000 recipes (12 ingredient lines and about 1 KB of
// preparation text each), generated into a temporary data root. Measures opening a book (index
// load and list fill), reading one recipe by its index entry, the index rebuild and the
// compression, and opening ten books of 10,000 recipes one after the other; the order the
// ingredient file is saved in.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench_data_root.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/book_compression.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_list_view.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace {

using namespace tav;

// The list pane's part of a fill: titles and positions kept as the list box would get them.
class ListData : public RecipeListView {
 public:
  bool IsSearchMode() const override { return false; }
  void SetCategoryIndex(int) override {}
  void BeginFill() override {}
  void EndFill() override {}
  void ClearRecipeList() override { items.clear(); }
  void AddRecipeListItem(const REZINDEX* entry, int index) override {
    items.push_back({entry->title, index});
  }
  void ForgetShownRecipe() override {}
  struct Item {
    const char* title;
    int index;
  };
  std::vector<Item> items;
};

REZBLOCK MakeRecipe(int i, std::mt19937& rng) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Rezept Nummer " + std::to_string(i);
  r.recipeIdHigh = 0x02A12345;
  r.recipeIdLow = i;
  r.number = i + 1;
  r.categories[0] = static_cast<uint16_t>(1 + rng() % 40);
  r.servings = 4;
  r.createdBy = "Anna Beispiel";
  r.createdDate = "12.3.2004";
  r.source = "Generiert";
  r.prepTime = "20 min";
  static const char* units[] = {"g", "EL", "TL", "ml", "St\xFC" "ck", "Prise"};
  static const char* foods[] = {"Mehl", "Zucker", "Butter", "Eier", "Milch", "Salz",
                                "Pfeffer", "Zwiebeln", "Knoblauch", "Tomaten", "Sahne", "Petersilie"};
  for (int k = 0; k < 12; ++k)
    r.lines.push_back({std::to_string(1 + rng() % 500), units[rng() % 6],
                       std::string(foods[k]) + ", fein gehackt", k % 3 ? "" : "B100000", 0, 0});
  std::string text;
  while (text.size() < 1024)
    text += "Die Zutaten in einer Sch\xFCssel gut vermengen und bei mittlerer Hitze garen. ";
  r.text = text;
  return r;
}

// Writes a book of n recipes (every fifth saved once more, so a tenth of the records are
// superseded) straight into its files.
// With `pictures`, every superseded record names a picture file ("alt_<i>.jpg") that its newer
// version no longer names, as after a picture replaced in the editor.
void WriteBook(const std::string& data, const std::string& name, int n, bool pictures = false) {
  std::mt19937 rng(static_cast<unsigned>(n));
  std::string bok = RecordFileHeader();
  std::string idx = IndexFileHeader();
  const int32_t counter = n + 1;
  idx.append(reinterpret_cast<const char*>(&counter), 4);
  std::string rec;
  for (int i = 0; i < n; ++i) {
    REZBLOCK r = MakeRecipe(i, rng);
    REZINDEX e;
    if (i % 5 == 0) {
      REZBLOCK old = r;
      if (pictures) old.pictures.push_back({'F', "alt_" + std::to_string(i) + ".jpg"});
      EncodeRecipeRecord(old, rec);
      rec[5] = 1;  // superseded
      bok += rec;
      e.rewriteCount = 1;
    }
    EncodeRecipeRecord(r, rec);
    e.SetTitle(r.title);
    e.number = r.number;
    e.offset = static_cast<int32_t>(bok.size());
    e.length = static_cast<int32_t>(rec.size());
    e.bookId = -100;
    std::memcpy(e.categories, r.categories, sizeof e.categories);
    bok += rec;
    idx.append(reinterpret_cast<const char*>(&e), sizeof e);
  }
  WriteFileAtomic(data + name + ".bok", bok);
  WriteFileAtomic(data + name + ".idx", idx);
  WriteTextLines(data + name + ".inf", {"", "65436", "1", ""});
}

struct World : bench::BenchDataRoot {
  ListData list;
  std::map<int, std::string> bookOfSize;

  World() : BenchDataRoot("books") {
    ctx().recipeList = &list;
    for (int n : {1000, 10000, 100000}) {
      bookOfSize[n] = "Buch" + std::to_string(n);
      WriteBook(data, bookOfSize[n], n);
    }
    for (int i = 0; i < 10; ++i) WriteBook(data, "Zehn" + std::to_string(i), 10000);
    books.ScanKBooks();
  }

  void Select(const std::string& name) {
    options.SetParaString(6, name);
    books.SelectKBook(name);
  }

  // Each benchmark removes the books it made, so the next one finds the shared folder as it was.
  void RemoveBook(const std::string& name) {
    for (const char* extension : {".bok", ".idx", ".inf"})
      std::filesystem::remove(data + name + extension);
    books.ScanKBooks();
  }
};

World& TheWorld() {
  static World world;
  return world;
}

// The order the ingredient file is saved in (longer names before the names inside them), for a
// catalogue of the shipped size and for one twenty times as long, names built of syllables so
// that many hold others.
void BM_OrderIngredientsForSaving(benchmark::State& state) {
  const char* const syllables[] = {"zwie", "bel",  "lauch", "knob", "ei",  "er",   "nu",
                                   "deln", "salz", "meer",  "kar",  "tof", "feln", "wurst"};
  std::mt19937 rng(7);
  IngredientCatalogue original;
  for (int64_t i = 0; i < state.range(0); ++i) {
    REZZUTATEN z;
    const int parts = 1 + static_cast<int>(rng() % 4);
    for (int k = 0; k < parts; ++k) z.plural += syllables[rng() % std::size(syllables)];
    if (i % 3 == 0) z.plural += " " + std::to_string(i);
    original.zutaten.push_back(std::move(z));
  }
  for (auto _ : state) {
    IngredientCatalogue c = original;
    c.PutLongerNamesFirst();
    benchmark::DoNotOptimize(c.zutaten.data());
  }
}
BENCHMARK(BM_OrderIngredientsForSaving)->Arg(2500)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_OpenBook(benchmark::State& state) {
  World& w = TheWorld();
  const int n = static_cast<int>(state.range(0));
  w.Select(w.bookOfSize[n]);
  for (auto _ : state) {
    w.store.ReloadBookIndex();
    benchmark::DoNotOptimize(w.list.items.data());
  }
  if (w.list.items.size() != static_cast<size_t>(n)) state.SkipWithError("list not filled");
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_OpenBook)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_OpenTenBooks(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    for (int i = 0; i < 10; ++i) {
      w.Select("Zehn" + std::to_string(i));
      w.store.ReloadBookIndex();
    }
  }
  state.SetItemsProcessed(state.iterations() * 10 * 10000);
}
BENCHMARK(BM_OpenTenBooks)->Unit(benchmark::kMillisecond);

void BM_ReadRecipe(benchmark::State& state) {
  World& w = TheWorld();
  const int n = static_cast<int>(state.range(0));
  w.Select(w.bookOfSize[n]);
  w.store.ReloadBookIndex();
  std::mt19937 rng(7);
  REZBLOCK r;
  for (auto _ : state) {
    const int i = static_cast<int>(rng() % static_cast<unsigned>(n));
    if (!w.store.ReadRezBlock("", nullptr, i, r)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(r.lines.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadRecipe)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_RebuildIndex(benchmark::State& state) {
  World& w = TheWorld();
  const int n = static_cast<int>(state.range(0));
  const std::string name = "Neuaufbau" + std::to_string(n);
  WriteBook(w.data, name, n);
  w.books.ScanKBooks();
  w.Select(name);
  for (auto _ : state) {
    if (!w.store.RebuildIndex()) state.SkipWithError("rebuild failed");
  }
  if (w.store.BookIndex().size() != static_cast<size_t>(n + n / 5))
    state.SkipWithError("wrong entry count");
  state.SetItemsProcessed(state.iterations() * n);
  w.RemoveBook(name);
}
BENCHMARK(BM_RebuildIndex)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A damaged record file of `range(0)` megabytes: a '#' every 32 bytes whose offset table claims a
// record of a megabyte that does not end in a NUL.
void BM_RebuildDamagedBook(benchmark::State& state) {
  World& w = TheWorld();
  const std::string name = "Beschaedigt" + std::to_string(state.range(0));
  std::string bok = RecordFileHeader();
  char falseStart[32] = {'#', 'x', 'x', 'x', 'x', 0, 0};
  const int32_t claimed = (1 << 20) + 5;
  std::memcpy(falseStart + 11, &claimed, 4);
  std::memset(falseStart + 15, 'a', sizeof falseStart - 15);
  while (bok.size() < static_cast<size_t>(state.range(0)) << 20) bok.append(falseStart, 32);
  WriteFileAtomic(w.data + name + ".bok", bok);
  WriteFileAtomic(w.data + name + ".idx", NewIndexBytes());
  w.books.ScanKBooks();
  w.Select(name);
  for (auto _ : state) w.store.RebuildIndex();
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bok.size()));
  // A damaged book left in the data folder would keep later compressions from removing pictures.
  w.RemoveBook(name);
}
BENCHMARK(BM_RebuildDamagedBook)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_Compress(benchmark::State& state) {
  World& w = TheWorld();
  const int n = static_cast<int>(state.range(0));
  const std::string name = "Kompakt" + std::to_string(n);
  BookCompression compression;
  for (auto _ : state) {
    state.PauseTiming();
    WriteBook(w.data, name, n);  // a book with superseded records each time
    state.ResumeTiming();
    if (compression.ReorgKBook(name)) state.SkipWithError("compression failed");
  }
  if (CountIndexEntries(w.data + name + ".idx", false) != n) state.SkipWithError("wrong count");
  state.SetItemsProcessed(state.iterations() * n);
  w.RemoveBook(name);
}
BENCHMARK(BM_Compress)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same with a picture folder whose files only the superseded records name: the compression
// then also reads every record file of the data folder (here some 210,000 records in 14 books)
// before it removes those files.
void BM_CompressRemovingPictures(benchmark::State& state) {
  World& w = TheWorld();
  const int n = static_cast<int>(state.range(0));
  const std::string name = "Bilder" + std::to_string(n);
  const std::string pics = w.root + "Pics/";
  BookCompression compression;
  for (auto _ : state) {
    state.PauseTiming();
    WriteBook(w.data, name, n, true);
    std::filesystem::create_directories(pics);
    for (int i = 0; i < n; i += 5) WriteFileAtomic(pics + "alt_" + std::to_string(i) + ".jpg", "");
    state.ResumeTiming();
    if (compression.ReorgKBook(name)) state.SkipWithError("compression failed");
  }
  if (!std::filesystem::is_empty(pics)) state.SkipWithError("pictures left");
  std::filesystem::remove_all(pics);
  w.RemoveBook(name);
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_CompressRemovingPictures)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
