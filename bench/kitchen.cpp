// The kitchen's computations on realistic data: the buying list of 30 recipes with 20
// ingredient lines each (amounts as recipes write them, many ingredients in several recipes,
// servings changed, sixteen dealers with 600 ingredient names), and reading one week of the
// planner with 10 entries a day from a WPlan.ini that holds a year of plans; the buying list of a
// shopping list of 20,000 recipes.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench_data_root.h"
#include "kitchen/shopping/dealers.h"
#include "kitchen/shopping/shopping_computation.h"
#include "kitchen/weekplan/week_plan.h"
#include "week_plans.h"

namespace {

using namespace tav;

const char* const kIngredients[] = {"Mehl",
                                    "Zucker",
                                    "Butter",
                                    "Eier",
                                    "Milch",
                                    "Sahne",
                                    "Zwiebeln",
                                    "Knoblauch",
                                    "Salz",
                                    "Pfeffer",
                                    "Oliven\xF6l",
                                    "Tomaten",
                                    "Kartoffeln",
                                    "M\xF6hren",
                                    "Lauch",
                                    "Sellerie",
                                    "Petersilie",
                                    "Schnittlauch",
                                    "Speck",
                                    "Rindfleisch",
                                    "H\xE4hnchenbrust",
                                    "Lachsfilet",
                                    "Reis",
                                    "Nudeln",
                                    "Paprikapulver",
                                    "Zitronen",
                                    "\xC4pfel",
                                    "Vanillezucker",
                                    "Backpulver",
                                    "Hefe",
                                    "Quark",
                                    "Schmand",
                                    "Gouda",
                                    "Parmesan",
                                    "Spinat",
                                    "Champignons",
                                    "Br\xFChe",
                                    "Wei\xDFwein",
                                    "Senf",
                                    "Honig",
                                    "Zimt",
                                    "Muskatnuss",
                                    "Lorbeerbl\xE4tter",
                                    "Thymian",
                                    "Rosmarin",
                                    "Basilikum",
                                    "Kapern",
                                    "Oliven"};
const char* const kUnits[] = {"g", "g", "kg", "ml", "l", "EL", "TL", "St", "Pr", "", "Bd", "Zeh"};
const char* const kAmounts[] = {"200",   "1/2",   "1,5", "2",   "",    "250", "0,5", "3",
                                "1 1/2", "etwas", "125", "1/4", "750", "4",   "1",   "30"};

// `count` recipes; with `ownNames` most lines name an ingredient no other recipe has, so that
// few lines merge and the list stays long.
std::vector<KAUFZETTEL> Records(size_t count = 30, bool ownNames = false) {
  std::mt19937 rng(24);
  std::uniform_int_distribution<size_t> ingredient(0, std::size(kIngredients) - 1);
  std::uniform_int_distribution<size_t> unit(0, std::size(kUnits) - 1);
  std::uniform_int_distribution<size_t> amount(0, std::size(kAmounts) - 1);
  std::vector<KAUFZETTEL> records(count);
  for (size_t r = 0; r < records.size(); ++r) {
    KAUFZETTEL& z = records[r];
    z.entry = {"Rezept " + std::to_string(r), -2, static_cast<int32_t>(r), -1};
    z.recipeServings = 4;
    z.chosenServings = r % 3 == 0 ? 6 : 4;
    for (int i = 0; i < 20; ++i) {
      REZZUTAT line;
      if (i == 0) {
        line.text = "*F\xFCr den Teig";
      } else {
        line.amount = kAmounts[amount(rng)];
        line.unit = kUnits[unit(rng)];
        line.text = ownNames && i % 4 != 0 ? "Zutat " + std::to_string(r * 20 + i)
                                           : kIngredients[ingredient(rng)];
      }
      z.lines.push_back(line);
    }
  }
  return records;
}

DealerTable Dealers() {
  DealerTable t;
  t.dealers.resize(16);
  for (size_t d = 0; d < t.dealers.size(); ++d)
    t.dealers[d].name = "H\xE4ndler " + std::to_string(d);
  for (size_t i = 0; i < std::size(kIngredients); ++i)
    t.dealers[i % 16].ingredients.push_back(kIngredients[i]);
  for (int i = 0; i < 550; ++i)
    t.dealers[i % 16].ingredients.push_back("Zutat " + std::to_string(i));
  return t;
}

void BM_BuyingListOf30RecipesWith20Lines(benchmark::State& state) {
  const std::vector<KAUFZETTEL> records = Records();
  const std::vector<bool> ticked(records.size(), true);
  const DealerTable dealers = Dealers();
  size_t rows = 0;
  for (auto _ : state) {
    const auto list = BuildZutatenListe(records, ticked, &dealers);
    rows = list.size();
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_BuyingListOf30RecipesWith20Lines)->Unit(benchmark::kMillisecond);

// A shopping list of 20,000 recipes: merging the lines and sorting them by dealer grow with the
// lines, not with their pairs.
void BM_BuyingListOf20000Recipes(benchmark::State& state) {
  const std::vector<KAUFZETTEL> records = Records(20000, true);
  const std::vector<bool> ticked(records.size(), true);
  const DealerTable dealers = Dealers();
  size_t rows = 0;
  for (auto _ : state) {
    const auto list = BuildZutatenListe(records, ticked, &dealers);
    rows = list.size();
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_BuyingListOf20000Recipes)->Unit(benchmark::kMillisecond);

void BM_ReadAWeekWith10EntriesADay(benchmark::State& state) {
  bench::BenchDataRoot root("weekplan");
  const int monday = DayNumber(2024, 6, 3);
  bench::WriteYearOfPlans(WeekPlan::IniPath(), monday, 7);
  WeekPlan plan;
  plan.weekStart = monday;
  for (auto _ : state) {
    plan.LoadWeekPlan();
    plan.DrawWeekGrid();
    benchmark::DoNotOptimize(plan.entries.data());
  }
  if (plan.entries.size() != 70) state.SkipWithError("week not read");
}
BENCHMARK(BM_ReadAWeekWith10EntriesADay)->Unit(benchmark::kMillisecond);

void BM_SaveAWeekWith10EntriesADay(benchmark::State& state) {
  bench::BenchDataRoot root("weekplan-save");
  const int monday = DayNumber(2024, 6, 3);
  bench::WriteYearOfPlans(WeekPlan::IniPath(), monday, 7);
  WeekPlan plan;
  plan.weekStart = monday;
  plan.LoadWeekPlan();
  for (auto _ : state) plan.SaveWeekPlan();
}
BENCHMARK(BM_SaveAWeekWith10EntriesADay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
