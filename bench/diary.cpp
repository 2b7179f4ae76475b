// A year of nutrition diary: 12 month files of one person, 5 entries a day (recipes and foods
// alternating), each with a value line of 145 nutrients, over a nutrient table of 145 fields,
// decimal comma. Measures loading the year, the day sums of a month and saving one changed
// month (written through a temporary file with fsync).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "diary/diary_module.h"
#include "diary_year.h"
#include "nutrients/nutrient_table.h"
#include "nutrients/recipe_calc.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/dates.h"
#include "services/options_store.h"

namespace {

using namespace tav;

constexpr int kFields = 145;
constexpr int kEntriesPerDay = 5;
constexpr int kYear = 2024;

struct Year {
  std::string root;
  MemorySettingsStore settings;
  OptionsStore options;
  NutrientTable nutrients;
  RecipeCalc calc;
  std::unique_ptr<TENApplogMod> diary;
  long long bytes = 0;

  Year() {
    SetDecimalSep(',');
    root = (std::filesystem::temp_directory_path() /
            ("tavolin-bench-diary-" + std::to_string(getpid())))
               .string() +
           "/";
    std::filesystem::create_directories(root + "Data/DE");
    settings.WriteString(kRegParam, "AKTLANGUAGE", "DE");
    settings.WriteString(kRegParam, "LastLogin", "Anna M\xFCller");
    ctx().userSettings = &settings;
    options.LoadOptions(root);
    ctx().options = &options;
    std::vector<std::string> fields = {"SBLS;CK;\"Lebensmittelschl\xFCssel\";\"\"",
                                       "ST;CK;\"Bezeichnung\";\"\""};
    for (int i = 2; i < kFields; ++i) {
      const std::string code = i == 4 ? "GCAL" : i == 5 ? "GJ" : "N" + std::to_string(i);
      fields.push_back(code + ";NH;\"N\xE4hrstoff " + std::to_string(i) + "\";\"mg/100g\"");
    }
    WriteTextLines(root + "Data/DE/Fields.bls", fields);
    WriteTextLines(root + "Data/FiltGrps.bls", {});
    ctx().nutrients = &nutrients;
    nutrients.LoadNutrientTable();
    ctx().calc = &calc;
    WriteTextLines(root + "Data/Users.dat", {"#", ">NAnna M\xFCller", ">G05031970", "#"});
    diary = std::make_unique<TENApplogMod>();
    Generate();
  }
  ~Year() {
    diary.reset();
    std::filesystem::remove_all(root);
  }

  void Generate() {
    bench::AddDiaryYear(
        *diary, {kYear, kEntriesPerDay, kFields, "Gem\xFCsesuppe mit Graupen und Kr\xE4utern ",
                 "Vollkornbrot, Roggen", [](int k) { return "B10" + std::to_string(k) + "000"; }});
    diary->SaveAllMonths();
    for (int month = 0; month < 12; ++month) {
      char name[32];
      std::snprintf(name, sizeof name, "m%02d%04d.dat", month + 1, kYear);
      bytes += FileSize(root + "Data/Konten/Anna M\xFCller/" + name);
    }
    diary->UnloadAllMonths();
  }
};

Year& Shared() {
  static Year year;
  return year;
}

void BM_LoadYear(benchmark::State& state) {
  Year& y = Shared();
  for (auto _ : state) {
    y.diary->UnloadAllMonths();
    for (int month = 0; month < 12; ++month) y.diary->LoadMonth(month, kYear);
  }
  size_t entries = 0;
  for (const ENMONTH& m : y.diary->months)
    for (const ENDAY& d : m.days) entries += d.entries.size();
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["MB"] = static_cast<double>(y.bytes) / 1e6;
}
BENCHMARK(BM_LoadYear)->Unit(benchmark::kMillisecond);

void BM_DaySumsOfAMonth(benchmark::State& state) {
  Year& y = Shared();
  y.diary->LoadMonth(4, kYear);
  ENMONTH* may = y.diary->GetMonth(4, kYear);
  for (auto _ : state)
    for (ENDAY& d : may->days) y.diary->CalcDaySums(&d);
}
BENCHMARK(BM_DaySumsOfAMonth)->Unit(benchmark::kMillisecond);

void BM_SaveChangedMonth(benchmark::State& state) {
  Year& y = Shared();
  y.diary->LoadMonth(4, kYear);
  for (auto _ : state) {
    y.diary->ChangeEntryAmount(10, 4, kYear, 0, 2);  // rescaled, summed and saved
  }
}
BENCHMARK(BM_SaveChangedMonth)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
