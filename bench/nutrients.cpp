// Food table of national size: 15,000 foods with 150 fields (about 20 MB Data.bls), generated
// into a temporary data root. Measures the name search, the amount search, reading single
// foods and the recalculation of a 60-line recipe.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "food_table.h"
#include "nutrients/food_database.h"
#include "nutrients/nutrient_table.h"
#include "nutrients/recipe_calc.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/ingredient_catalogue.h"
#include "services/context.h"
#include "services/options_store.h"

namespace {

using namespace tav;

struct Table {
  std::string root;
  MemorySettingsStore settings;
  OptionsStore options;
  NutrientTable nutrients;
  FoodDatabase foods;
  std::vector<std::string> keys;
  long long dataBytes = 0;

  Table() {
    root = (std::filesystem::temp_directory_path() / ("tavolin-bench-" + std::to_string(getpid())))
               .string() +
           "/";
    std::filesystem::create_directories(root + "Data/DE");
    settings.WriteString(kRegParam, "AKTLANGUAGE", "DE");
    ctx().userSettings = &settings;
    options.LoadOptions(root);
    ctx().options = &options;
    Generate();
    ctx().nutrients = &nutrients;
    ctx().foods = &foods;
    nutrients.LoadNutrientTable();
    foods.LoadBLSIndex();
  }
  ~Table() { std::filesystem::remove_all(root); }

  void Generate() { dataBytes = bench::WriteNationalFoodTable(root, keys); }
};

Table& Shared() {
  static Table table;
  return table;
}

void BM_NameSearch(benchmark::State& state) {
  Table& t = Shared();
  size_t hits = 0;
  for (auto _ : state) {
    t.foods.SearchBLS('L', "KOHL", 0, "");
    hits = t.foods.foodList.size();
  }
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_NameSearch)->Unit(benchmark::kMillisecond);

void BM_AmountSearch(benchmark::State& state) {
  Table& t = Shared();
  size_t hits = 0;
  for (auto _ : state) {
    t.foods.SearchBLS('S', "7000", 4, "N77");  // about 30 % of the foods are hits
    hits = t.foods.foodList.size();
  }
  state.counters["hits"] = static_cast<double>(hits);
  state.counters["MB"] = static_cast<double>(t.dataBytes) / 1e6;
}
BENCHMARK(BM_AmountSearch)->Unit(benchmark::kMillisecond);

void BM_KeySearchOneFood(benchmark::State& state) {
  Table& t = Shared();
  size_t i = 0;
  for (auto _ : state) {
    t.foods.SearchBLS('B', t.keys[i], 0, "");
    i = (i + 7919) % t.keys.size();
  }
}
BENCHMARK(BM_KeySearchOneFood)->Unit(benchmark::kMicrosecond);

void BM_ReadFood(benchmark::State& state) {
  Table& t = Shared();
  size_t i = 0;
  LB_DATA food;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t.foods.ReadBLSFood(t.keys[i], &food, false));
    i = (i + 7919) % t.keys.size();
  }
}
BENCHMARK(BM_ReadFood)->Unit(benchmark::kMicrosecond);

// A recipe of 60 lines with foods of the table: weights in g, kg, EL and by piece weight from
// an ingredient catalogue of 300 entries.
struct Recipe60 {
  IngredientCatalogue catalogue;
  RecipeCalc calc;
  REZBLOCK recipe;

  explicit Recipe60(Table& t) {
    for (int i = 0; i < 300; ++i) {
      REZZUTATEN z;
      char name[16];
      std::snprintf(name, sizeof name, "Zutat %03d", i);
      z.plural = name;
      z.singular = z.plural;
      z.pieceWeight = 50 + i;
      catalogue.zutaten.push_back(z);
    }
    ctx().ingredients = &catalogue;
    ctx().calc = &calc;
    static const char* const kUnits[] = {"g", "kg", "EL", ""};
    recipe.servings = 4;
    for (int i = 0; i < 60; ++i) {
      REZZUTAT z;
      z.amount = i % 4 == 1 ? "0,25" : std::to_string(1 + i % 7);
      z.unit = kUnits[i % 4];
      z.text = catalogue.zutaten[static_cast<size_t>(i) * 5 % 300].plural;
      z.blsCode = t.keys[(static_cast<size_t>(i) * 251) % t.keys.size()];
      recipe.lines.push_back(z);
    }
    calc.LoadRecipeBlockForCalc(&recipe);
    calc.LoadLineFoods();
  }
};

void BM_RecalcRecipe60(benchmark::State& state) {
  Table& t = Shared();
  Recipe60 r(t);
  for (auto _ : state) r.calc.RecalcAllLines();
  state.counters["complete"] = r.calc.complete;
}
BENCHMARK(BM_RecalcRecipe60)->Unit(benchmark::kMillisecond);

// Reading the 60 foods again as well, as the window does after every change of a line.
void BM_LoadFoodsAndRecalcRecipe60(benchmark::State& state) {
  Table& t = Shared();
  Recipe60 r(t);
  for (auto _ : state) {
    r.calc.LoadLineFoods();
    r.calc.RecalcAllLines();
  }
}
BENCHMARK(BM_LoadFoodsAndRecalcRecipe60)->Unit(benchmark::kMillisecond);

// Loading a recipe into the calculation: names of the 60 foods, then foods and sums.
void BM_LoadAndCalculateRecipe60(benchmark::State& state) {
  Table& t = Shared();
  Recipe60 r(t);
  for (auto _ : state) {
    r.calc.LoadRecipeBlockForCalc(&r.recipe);
    r.calc.LoadLineFoods();
    r.calc.RecalcAllLines();
  }
}
BENCHMARK(BM_LoadAndCalculateRecipe60)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
