// The searches over generated books: ten books of 10,000 recipes (about 190 MB of record files,
// every fifth recipe saved twice), each recipe with a title from a small vocabulary, 8-16
// ingredient lines, about 1 KB of preparation text, remarks and stored energy. Measures
// - the power search over the ten books against `cat` reading the same files to /dev/null in
//   the same iteration (the figure to watch is the ratio),
// - the duplicate search over the 100,000 recipes (one in a hundred is a copy of another, many
//   titles repeat),
// - the bulk change of 1,000 recipes of a book (read, change, store as the editor stores).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench_data_root.h"
#include "platform/text_file.h"
#include "recipe_list_books.h"
#include "recipedb/recipe_records.h"
#include "recipedb/record_file.h"
#include "recipes/bulk_change.h"
#include "recipes/duplicate_search.h"
#include "recipes/power_search.h"

extern char** environ;

namespace {

using namespace tav;
using Clock = std::chrono::steady_clock;

constexpr int kBooks = 10;
constexpr int kPerBook = 10000;

REZBLOCK MakeRecipe(std::mt19937& rng, int i) {
  static const char* units[] = {"g",
                                "EL",
                                "TL",
                                "ml",
                                "St\xFC"
                                "ck",
                                "Prise",
                                "Bund",
                                ""};
  static const char* foods[] = {"Weizenmehl",
                                "Zucker",
                                "Butter",
                                "Eier",
                                "Milch",
                                "Salz",
                                "Pfeffer, schwarz",
                                "Zwiebeln",
                                "Knoblauchzehen",
                                "Tomaten",
                                "Sahne",
                                "Petersilie",
                                "\xC4pfel",
                                "Kartoffeln, festkochend",
                                "Karotten",
                                "Lauch",
                                "Speck, durchwachsen",
                                "Parmesan",
                                "Oliven\xF6l",
                                "Zitronensaft",
                                "Hefe",
                                "Zimt",
                                "Rosinen",
                                "H\xFChnerbr\xFChe"};
  static const char* sentences[] = {
      "Die Zwiebeln sch\xE4len, fein w\xFC"
      "rfeln und in der Butter glasig d\xFCnsten. ",
      "Mehl, Zucker und Eier zu einem glatten Teig verr\xFChren und 30 Minuten ruhen lassen. ",
      "Den Backofen auf 180 \xB0"
      "C vorheizen, die Form fetten und mit Mehl bestauben. ",
      "Mit Salz, Pfeffer und einer Prise Muskat abschmecken, dann zugedeckt garen. ",
      "Die Kartoffeln in Salzwasser etwa 20 Minuten kochen, absch\xFC"
      "tten und ausdampfen lassen. ",
      "Sahne angie\xDF"
      "en, einmal aufkochen und bei kleiner Hitze 10 Minuten k\xF6"
      "cheln lassen. ",
      "Zum Schluss mit gehackter Petersilie bestreuen und sofort servieren. "};
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = bench::ListTitle(rng);
  if (rng() % 10 != 0) r.title += " Nr. " + std::to_string(i);
  r.recipeIdHigh = 0x02A12345;
  r.recipeIdLow = i;
  r.categories[0] = static_cast<uint16_t>(1 + rng() % 30);
  r.categories[1] = static_cast<uint16_t>(rng() % 3 ? 0 : 1 + rng() % 30);
  r.servings = 1 + static_cast<int>(rng() % 8);
  r.createdBy = rng() % 2 ? "Anna Beispiel" : "Bernd M\xFCller";
  r.createdDate = "12.3.2004";
  r.source = rng() % 3 ? "Omas Kochbuch, Seite " + std::to_string(rng() % 300) : "";
  r.hint = rng() % 2 ? "schnell, preiswert" : "festlich";
  r.points = std::to_string(rng() % 10);
  const int lines = 8 + static_cast<int>(rng() % 9);
  for (int k = 0; k < lines; ++k)
    r.lines.push_back({std::to_string(1 + rng() % 500), units[rng() % std::size(units)],
                       foods[rng() % std::size(foods)], k % 3 ? "" : "B100000", k % 4 ? 0 : -1, 0});
  while (r.text.size() < 1000) r.text += sentences[rng() % std::size(sentences)];
  if (rng() % 3 == 0) r.remarks.push_back({"Schmeckt auch kalt sehr gut.", "Anna"});
  REZSTOFFMENGE kcal;
  std::strcpy(kcal.code, "GCAL");
  kcal.value = std::to_string(200 + rng() % 3000);
  r.nutrients.push_back(kcal);
  return r;
}

// A book straight into its files; every hundredth recipe repeats an earlier one exactly.
void WriteBook(const std::string& data, const std::string& name, int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bok = RecordFileHeader();
  std::string idx = IndexFileHeader();
  const int32_t counter = n + 1;
  idx.append(reinterpret_cast<const char*>(&counter), 4);
  std::vector<REZBLOCK> earlier;
  std::string rec;
  for (int i = 0; i < n; ++i) {
    REZBLOCK r =
        i % 100 == 99 && !earlier.empty() ? earlier[rng() % earlier.size()] : MakeRecipe(rng, i);
    if (i % 500 == 0) earlier.push_back(r);
    r.number = i + 1;
    REZINDEX e;
    if (i % 5 == 0) {
      EncodeRecipeRecord(r, rec);
      rec[kRecordDeletedPos] = 1;  // superseded
      bok += rec;
    }
    EncodeRecipeRecord(r, rec);
    e.SetTitle(r.title);
    e.number = r.number;
    e.offset = static_cast<int32_t>(bok.size());
    e.length = static_cast<int32_t>(rec.size());
    std::memcpy(e.categories, r.categories, sizeof e.categories);
    bok += rec;
    idx.append(reinterpret_cast<const char*>(&e), sizeof e);
  }
  WriteFileAtomic(data + name + ".bok", bok);
  WriteFileAtomic(data + name + ".idx", idx);
  WriteTextLines(data + name + ".inf",
                 {"", std::to_string(65436 - static_cast<int>(seed)), "0", ""});
}

struct World : bench::BenchDataRoot {
  std::vector<std::string> names, files;
  long long bytes = 0;

  World() : BenchDataRoot("search") {
    for (int b = 0; b < kBooks; ++b) {
      names.push_back("Buch" + std::to_string(b));
      WriteBook(data, names.back(), kPerBook, static_cast<unsigned>(b + 1));
      files.push_back(data + names.back() + ".bok");
      bytes += static_cast<long long>(std::filesystem::file_size(files.back()));
    }
    WriteBook(data, "Tausend", 1000, 99);
    books.ScanKBooks();
  }
  // Seconds `cat` takes to copy the ten record files to /dev/null.
  double CatSeconds() const {
    std::vector<std::string> args = {"cat"};
    args.insert(args.end(), files.begin(), files.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto t0 = Clock::now();
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "cat", &actions, nullptr, argv.data(), environ) == 0)
      waitpid(pid, &status, 0);
    const auto t1 = Clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double>(t1 - t0).count();
  }
};

World& TheWorld() {
  static World world;
  return world;
}

int SearchAll(World& w, const PowerSearchCriteria& c) {
  PowerSearch ps(c);
  int hits = 0;
  ps.onHit = [&hits](const REZINDEX&) { ++hits; };
  ps.keepGoing = [] { return true; };
  for (size_t b = 0; b < w.files.size(); ++b)
    ps.SearchBook(w.files[b], static_cast<int16_t>(-100 - static_cast<int>(b)));
  return hits;
}

// The power search and `cat` over the same files, in turn in every iteration; the iteration
// time is the search's, `cat_ms` and `ratio` set it against cat.
void PowerSearchVsCat(benchmark::State& state, const PowerSearchCriteria& c) {
  World& w = TheWorld();
  double search = 0, cat = 0;
  int hits = 0;
  for (auto _ : state) {
    cat += w.CatSeconds();
    const auto t0 = Clock::now();
    hits = SearchAll(w, c);
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    search += s;
    state.SetIterationTime(s);
  }
  state.counters["hits"] = hits;
  state.counters["MB"] = static_cast<double>(w.bytes) / 1e6;
  state.counters["cat_ms"] = 1000 * cat / static_cast<double>(state.iterations());
  state.counters["ratio"] = search / cat;
  state.SetBytesProcessed(state.iterations() * w.bytes);
}

void BM_PowerSearchTitle(benchmark::State& state) {
  PowerSearchCriteria c;
  c.title = "Kuchen !Apfel";
  PowerSearchVsCat(state, c);
}
BENCHMARK(BM_PowerSearchTitle)->UseManualTime()->Unit(benchmark::kMillisecond);

// Every field that reads most of a record: a word of the text, an ingredient, energy.
void BM_PowerSearchTextIngredientsEnergy(benchmark::State& state) {
  PowerSearchCriteria c;
  c.text = "\"kleiner Hitze\" !Rosinen";
  c.oneAnd = true;
  c.andWords = {"Sahne", "Speck"};
  c.energyLimitKcal = 400;
  PowerSearchVsCat(state, c);
}
BENCHMARK(BM_PowerSearchTextIngredientsEnergy)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_DuplicateSearch100000(benchmark::State& state) {
  World& w = TheWorld();
  int groups = 0;
  for (auto _ : state) {
    DuplicateFinder f;
    f.maxDupes = 1000000;
    for (size_t b = 0; b < w.names.size(); ++b) {
      DUPESBOOK book;
      book.bookId = w.books.FindKBookId(w.names[b]);
      book.name = w.names[b];
      ScanBookForDupes(w.files[b], true, book.entries);
      f.books.push_back(std::move(book));
    }
    groups = f.CompareDupes();
  }
  state.counters["groups"] = groups;
  state.SetItemsProcessed(state.iterations() * kBooks * kPerBook);
}
BENCHMARK(BM_DuplicateSearch100000)->Unit(benchmark::kMillisecond);

void BM_BulkChange1000(benchmark::State& state) {
  World& w = TheWorld();
  w.options.SetParaString(6, "Tausend");
  w.books.SelectKBook("Tausend");
  w.store.ReloadBookIndex();
  BulkChangeSettings s;
  s.source = true;
  s.sourceMode = kBulkReplaceSource;
  int round = 0;
  for (auto _ : state) {
    s.sourceText = "Sammlung " + std::to_string(++round);
    int changed = 0;
    DeferredBookSyncs syncs;  // as the bulk change window runs it
    for (int item = 0; item < 1000; ++item)
      changed += BulkChangeRecipe(w.store, false, item, s) == BulkOutcome::Changed;
    if (!syncs.Finish() || changed != 1000) state.SkipWithError("not every recipe changed");
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_BulkChange1000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
