// The freezer inventory on a full household's data: five freezers of 20 compartments holding
// 2,000 foods between them (names with umlauts, amounts as people write them, about half with
// a best-before date), loaded from and saved to CoolBoxes.dat, and the best-before check over
// all of it.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench_data_root.h"
#include "kitchen/freezer/best_before.h"
#include "kitchen/freezer/freezer_records.h"
#include "platform/text_file.h"

namespace {

using namespace tav;

const char* const kFoods[] = {"Rinderrouladen",
                              "Hackfleisch gemischt",
                              "H\xE4hnchenbrustfilet",
                              "Lachsfilet",
                              "Erbsen",
                              "Blattspinat",
                              "Himbeeren",
                              "Br\xF6tchen",
                              "Gem\xFCsesuppe",
                              "Schweinekoteletts",
                              "Gr\xFCne Bohnen",
                              "Vanilleeis",
                              "Pizzateig",
                              "Kr\xE4uter (Dill)"};
const char* const kAmounts[] = {"500 g",
                                "4 St\xFC"
                                "ck",
                                "1 kg",
                                "??? g",
                                "2 Portionen",
                                "1/2 Laib",
                                "300 g",
                                "1 l"};

// Five freezers, 20 compartments each, 2,000 foods.
std::vector<CO_SCHRANK> Household() {
  std::mt19937 rng(26);
  std::vector<CO_SCHRANK> freezers;
  for (int s = 0; s < 5; ++s) {
    CO_SCHRANK f;
    f.name = "Gefrierschrank " + std::to_string(s + 1) +
             (s % 2 ? " im Keller"
                    : " K\xFC"
                      "che");
    f.count = 20;
    f.fromBottom = s % 2 == 1;
    f.faecher.resize(25);
    for (int c = 0; c < 20; ++c)
      f.faecher[c].name =
          "Fach f\xFC"
          "r " +
          std::to_string(c);
    freezers.push_back(std::move(f));
  }
  for (int k = 0; k < 2000; ++k) {
    CO_LMITTEL food;
    food.name = kFoods[rng() % std::size(kFoods)];
    food.amount = kAmounts[rng() % std::size(kAmounts)];
    food.sinceDay = 1 + static_cast<int>(rng() % 28);
    food.sinceMonth = 1 + static_cast<int>(rng() % 12);
    food.sinceYear = 2024 + static_cast<int>(rng() % 3);
    if (rng() % 2) {
      food.mhdMonth = 1 + static_cast<int>(rng() % 12);
      food.mhdYear = 2025 + static_cast<int>(rng() % 3);
      food.mhdDay = rng() % 3 ? 0 : 1 + static_cast<int>(rng() % 28);
    }
    food.opened = rng() % 7 == 0;
    freezers[k % 5].faecher[(k / 5) % 20].foods.push_back(food);
  }
  return freezers;
}

void BM_LoadFreezers(benchmark::State& state) {
  bench::BenchDataRoot root("freezer-load");
  FreezerInventory inv;
  inv.folder = root.data + "DE/";
  inv.freezers = Household();
  inv.SaveFreezers();
  for (auto _ : state) {
    inv.LoadFreezers();
    benchmark::DoNotOptimize(inv.freezers.data());
  }
  state.counters["foods"] = 2000;
}
BENCHMARK(BM_LoadFreezers)->Unit(benchmark::kMillisecond);

// Written through a temporary file and renamed, flushed to the disk, as the window saves.
void BM_SaveFreezers(benchmark::State& state) {
  bench::BenchDataRoot root("freezer-save");
  FreezerInventory inv;
  inv.folder = root.data + "DE/";
  inv.freezers = Household();
  for (auto _ : state) benchmark::DoNotOptimize(inv.SaveFreezers());
  std::string bytes;
  ReadFileBytes(inv.FreezerPath(), bytes);
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_SaveFreezers)->Unit(benchmark::kMillisecond);

void BM_BestBeforeCheck(benchmark::State& state) {
  const std::vector<CO_SCHRANK> freezers = Household();
  size_t listed = 0;
  for (auto _ : state) {
    const auto list = BuildBestBeforeList(freezers, false, {}, ClockDate{15, 3, 2026});
    listed = list.size();
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_BestBeforeCheck)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
