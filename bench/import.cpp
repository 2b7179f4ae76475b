// Recipe import: a Meal-Master file of 50,000 recipes (10 ingredient lines, three of them in two
// columns, a group heading, a continuation line, about 1 KB of text and key-figure lines, code
// page 437, CR LF) and a CookML file of 10,000 recipes of the same shape, generated into a
// temporary data root. Measures the import into books end to end (follow-on books every 10,000
// recipes, as option 74 has it) and the parsing alone (recipes built, nothing stored), and the
// peak memory of each run over the memory before it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_exchange_root.h"
#include "bench_memory.h"
#include "exchange/import_driver.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "recipedb/unit_table.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"

namespace {

using namespace tav;
using bench::PeakRssKb;
using bench::ResetPeakRss;
using bench::RssKb;

constexpr int kMealMasterRecipes = 50000;
constexpr int kCookMLRecipes = 10000;

const char* kFoods[] = {"Mehl",    "Zucker",   "Butter",    "Eier",    "Milch", "Salz",
                        "Pfeffer", "Zwiebeln", "Knoblauch", "Tomaten", "Sahne", "Petersilie"};
const char* kUnits[] = {"g", "EL", "TL", "ml", "kg", "l", "Pr", "St", "Bd", "c"};

std::string Column(const std::string& amount, const std::string& unit, const std::string& text) {
  std::string line(7 > amount.size() ? 7 - amount.size() : 0, ' ');
  line += amount + ' ' + unit;
  line.append(unit.size() < 2 ? 2 - unit.size() : 0, ' ');
  return line + ' ' + text;
}

// About 1 KB of preparation text in lines of some 70 characters (code page 437 umlauts).
std::vector<std::string> TextLines() {
  std::vector<std::string> lines;
  size_t size = 0;
  while (size < 1024) {
    lines.push_back("  Die Zutaten in einer Sch\x81ssel gut vermengen und bei mittlerer Hitze");
    lines.push_back("  garen, dabei st\x84ndig r\x81hren und zum Schlu\xE1 abschmecken.");
    size += lines[lines.size() - 2].size() + lines.back().size();
  }
  return lines;
}

void WriteMealMaster(const std::string& path, int n) {
  std::mt19937 rng(1);
  std::ofstream out(path, std::ios::binary);
  const std::vector<std::string> text = TextLines();
  auto line = [&](const std::string& s) { out << s << "\r\n"; };
  auto food = [&](int k) { return std::string(kFoods[(k + rng()) % 12]); };
  auto amount = [&] { return std::to_string(1 + rng() % 500); };
  auto unit = [&] { return std::string(kUnits[rng() % 10]); };
  for (int i = 0; i < n; ++i) {
    line("MMMMM----- Recipe via Meal-Master (tm) v8.05");
    line(" ");
    line("      Title: Rezept Nummer " + std::to_string(i));
    line(" Categories: Kuchen, Backen");
    line("      Yield: 4 Portionen");
    line(" ");
    for (int k = 0; k < 3; ++k) {
      std::string left = Column(amount(), unit(), food(k));
      left.resize(41, ' ');
      line(left + Column(amount(), unit(), food(k + 3)));
    }
    line(Column(amount(), unit(), food(6) + ", fein gehackt"));
    line(Column("", "", "-und gut abgetropft"));
    line("MMMMM-----------------------------F\x9ALLUNG---------------------------------");
    for (int k = 7; k < 10; ++k) line(Column(amount(), unit(), food(k)));
    line(" ");
    for (const std::string& t : text) line(t);
    line(" ");
    line(":Stichwort : Generiert");
    line(":Erfasser : Anna Beispiel");
    line(":Energie : 350 kcal");
    line(" ");
    line("MMMMM");
    line(" ");
  }
}

void WriteCookML(const std::string& path, int n) {
  std::mt19937 rng(2);
  std::ofstream out(path, std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cookml version=\"1.0.11\">\n";
  std::string prep;
  while (prep.size() < 1024)
    prep += "Die Zutaten in einer Sch\xC3\xBCssel gut vermengen und bei mittlerer Hitze garen. ";
  for (int i = 0; i < n; ++i) {
    out << "<recipe lang=\"DE\">\n<head title=\"Rezept Nummer " << i << "\" rid=\"12345," << i + 1
        << "\" servingqty=\"4\" servingtype=\"Portionen\" createuser=\"Anna\" "
           "createdate=\"2004-05-06T00:00:00\">\n<cat>Kuchen</cat>\n<hint>Generiert</hint>\n"
           "<content type=\"GCAL\" value=\"350\"/>\n</head>\n<part title=\"Teig\">\n";
    for (int k = 0; k < 10; ++k)
      out << "<ingredient qty=\"" << 1 + rng() % 500 << "\" unit=\"" << kUnits[rng() % 10]
          << "\" item=\"" << kFoods[(k + rng()) % 12] << "\" gram=\"" << rng() % 300 << "\"/>\n";
    out << "</part>\n<preparation>\n<text>" << prep << "</text>\n</preparation>\n"
        << "<remark user=\"Anna\"><line>Gut.</line></remark>\n</recipe>\n";
  }
  out << "</cookml>\n";
}

// The import as the window runs it, with the chosen file given; parse-only skips the store.
class BenchImporter : public RecipeImporter {
 public:
  std::string file;
  bool parseOnly = false;
  long stored = 0;

 protected:
  bool ChooseImportFiles(std::vector<std::string>& files) override {
    files = {file};
    return true;
  }
  bool SaveRecipe(const std::string& book, REZBLOCK& recipe, REZINDEX& entry) override {
    ++stored;
    return parseOnly || RecipeImporter::SaveRecipe(book, recipe, entry);
  }
};

struct World : bench::ExchangeRoot {
  std::string mealMaster, cookML;

  World() : ExchangeRoot("import") {
    mealMaster = root + "collection.mm";
    WriteMealMaster(mealMaster, kMealMasterRecipes);
    cookML = root + "collection.cml";
    WriteCookML(cookML, kCookMLRecipes);
  }
  // A new, empty target book for one run.
  std::string NewBook() { return ExchangeRoot::NewBook("Import"); }
};

World& TheWorld() {
  static World world;
  return world;
}

void RunImport(benchmark::State& state, const std::string& file, int recipes, bool parseOnly) {
  World& w = TheWorld();
  const long bytes = static_cast<long>(FileSize(file));
  long peakGrowth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    BenchImporter importer;
    importer.file = file;
    importer.parseOnly = parseOnly;
    importer.targetBook = w.NewBook();
    const long before = RssKb();
    ResetPeakRss();
    state.ResumeTiming();
    const int count = importer.StartImport();
    state.PauseTiming();
    peakGrowth = std::max(peakGrowth, PeakRssKb() - before);
    if (count != recipes || importer.stored != recipes) state.SkipWithError("recipes missing");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * recipes);
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["peak_rss_growth_MB"] = static_cast<double>(peakGrowth) / 1024.0;
}

void BM_ImportMealMaster(benchmark::State& state) {
  RunImport(state, TheWorld().mealMaster, kMealMasterRecipes, false);
}
BENCHMARK(BM_ImportMealMaster)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ParseMealMaster(benchmark::State& state) {
  RunImport(state, TheWorld().mealMaster, kMealMasterRecipes, true);
}
BENCHMARK(BM_ParseMealMaster)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportCookML(benchmark::State& state) {
  RunImport(state, TheWorld().cookML, kCookMLRecipes, false);
}
BENCHMARK(BM_ImportCookML)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ParseCookML(benchmark::State& state) {
  RunImport(state, TheWorld().cookML, kCookMLRecipes, true);
}
BENCHMARK(BM_ParseCookML)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
