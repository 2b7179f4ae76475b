// Recipe export: a book of 10,000 generated recipes (12 ingredient lines with a group heading,
// a note, fraction signs and umlauts, about 1 KB of preparation text, source, keywords, two
// remarks, stored nutrients, two categories) written as CookML, Meal-Master, RezKonv and
// readable text, all recipes into one file, and as HTML pages (one file each, with the index
// and the frameset, from the shipped templates); and the exchange files imported back into a
// new book. Each run is
// measured with its peak memory over the memory before it; the exports run for 2,500 and for
// 10,000 recipes, so that a memory growing with the recipes shows.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_exchange_root.h"
#include "bench_memory.h"
#include "exchange/export_run.h"
#include "exchange/import_driver.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/book_appender.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/unit_table.h"
#include "recipes/key_figure_choice.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"

namespace {

using namespace tav;
using bench::PeakRssKb;
using bench::ResetPeakRss;
using bench::RssKb;

constexpr int kRecipes = 10000;

const char* kFoods[] = {"Mehl",
                        "Zucker",
                        "Butter",
                        "Eier",
                        "Milch",
                        "Salz",
                        "Pfeffer",
                        "Zwiebeln",
                        "Knoblauch",
                        "Tomaten",
                        "S\xFC\xDF"
                        "rahm",
                        "Petersilie, gehackt",
                        "K\xE4se, gerieben"};
const char* kUnits[] = {"g", "EL", "TL", "ml", "kg", "l", "Pr", "St", "Bd", ""};
const char* kAmounts[] = {"250", "1/2", "\xBD", "1 1/2", "2", "0,5", "125", "3", "1", "2-3"};

REZSTOFFMENGE Nutrient(const char* code, const std::string& value) {
  REZSTOFFMENGE n;
  std::strncpy(n.code, code, sizeof n.code - 1);
  n.value = value;
  return n;
}

REZBLOCK MakeRecipe(int i, std::mt19937& rng) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Rezept Nr. " + std::to_string(i) + " mit K\xE4se & Kr\xE4utern";
  r.recipeIdHigh = 803215;
  r.recipeIdLow = i + 1;
  r.quality = static_cast<char>('1' + i % 5);
  r.difficulty = static_cast<char>('1' + i % 3);
  r.categories[0] = 7;
  r.categories[1] = 12;
  r.servings = 4;
  r.servingType = "Portionen";
  r.createdBy = "Anna M\xFCller";
  r.createdDate = "6.5.2004";
  r.source = "Omas Kochbuch, Seite " + std::to_string(i % 300);
  r.totalTime = "45 Min.";
  r.hint = "Backen, Sonntag; Familie";
  r.lines.push_back({"", "", "*Teig", "", 0, 0});
  for (int k = 0; k < 12; ++k) {
    r.lines.push_back({kAmounts[rng() % 10], kUnits[rng() % 10], kFoods[(k + rng()) % 13], "",
                       static_cast<int32_t>(rng() % 300), static_cast<uint8_t>(k == 3)});
    if (k == 5) r.lines.push_back({"", "", "-gut abgetropft", "", 0, 0});
  }
  while (r.text.size() < 1024)
    r.text +=
        "Die Zutaten in einer Sch\xFCssel gut vermengen und bei mittlerer Hitze garen, "
        "dabei st\xE4ndig r\xFChren und zum Schlu\xDF abschmecken.\r\n";
  r.remarks = {{"Gelingt immer.", "Bert"}, {"Mit Salat servieren.", "Tavolin!-Benutzer"}};
  r.nutrients = {Nutrient("GCAL", "2450"), Nutrient("ZF", "38,5"), Nutrient("ZE", "0,3")};
  return r;
}

class BenchExporter : public ExportRun {
 public:
  std::string file;

 protected:
  bool ChooseExportFile(std::string& name) override {
    name = file;
    return true;
  }
};

class BenchImporter : public RecipeImporter {
 public:
  std::string file;

 protected:
  bool ChooseImportFiles(std::vector<std::string>& files) override {
    files = {file};
    return true;
  }
};

struct World : bench::ExchangeRoot {
  KeyFigureChoice figures;

  World() : ExchangeRoot("export") {
    options.SetParaString(6, "Rezepte");
    KBOOK book;
    book.name = "Rezepte";
    books.CreateKBook(book);
    books.SelectKBook("Rezepte");
    {
      BookAppender appender(store);
      appender.Open("Rezepte");
      std::mt19937 rng(7);
      for (int i = 0; i < kRecipes; ++i) {
        REZBLOCK r = MakeRecipe(i, rng);
        REZINDEX e;
        e.SetTitle(r.title);
        std::memcpy(e.categories, r.categories, sizeof e.categories);
        appender.Append(r, e);
      }
    }
    store.ReloadBookIndex();
    // The key figures of the text exports and of the pages as shipped, with the keywords and
    // the identifier.
    for (int kind : {kKeyFiguresText, kKeyFiguresHtml})
      for (int32_t id :
           {kFigureServings, kFigureCategories, kFigureKeywords, kFigureTotalTime, kFigureEnergy,
            kFigureSource, kFigureCreatedBy, kFigureRecipeId, kFigureAllRemarks}) {
        PARA_SHOWDATA f;
        f.outputKind = kind;
        f.figureId = id;
        f.displayName = KeyFigureName(id);
        figures.keyFigures.push_back(f);
      }
    for (const char* name : {"ViewTPL.html", "QViewTPL.html", "IndexTPL.html"}) {
      std::string bytes;
      ReadFileBytes(std::string(TAVOLIN_SHIPPED_DATA) + "/HTML/" + name, bytes);
      std::filesystem::create_directories(root + "HTML");
      WriteFileAtomic(root + "HTML/" + name, bytes);
    }
  }

  // The first n recipes of the book, selected in a list of all of them.
  RecipeListSnapshot FirstRecipes(int n) const {
    RecipeListSnapshot rows;
    for (int i = 0; i < kRecipes; ++i) rows.items.push_back(i);
    rows.selected.assign(kRecipes, 0);
    for (int i = 0; i < n; ++i) rows.selected[static_cast<size_t>(i)] = 1;
    return rows;
  }
  std::string ExportFile(uint8_t format) const {
    static const char* names[] = {"alle.mm", "alle.rk", "alle.txt", "seiten/alle.html", "alle.cml"};
    return root + "Export/" + names[format];
  }
  std::string NewBook() { return ExchangeRoot::NewBook("Zurueck"); }
};

World& TheWorld() {
  static World world;
  return world;
}

void RunExport(benchmark::State& state, uint8_t format) {
  World& w = TheWorld();
  const int n = static_cast<int>(state.range(0));
  long peakGrowth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    BenchExporter exporter;
    exporter.file = w.ExportFile(format);
    // Pages go into a fresh folder, as into a new web site; the run never waits for the
    // pages of the run before to be thrown away.
    if (format == kFormatHTML) {
      std::filesystem::remove_all(w.root + "Export/seiten");
      std::filesystem::create_directories(w.root + "Export/seiten");
      sync();
    }
    exporter.Format = format;
    exporter.WhatRez = kSetSelected;
    exporter.Split = false;
    exporter.list = w.FirstRecipes(n);
    exporter.keyFigures = &w.figures;
    const long before = RssKb();
    ResetPeakRss();
    state.ResumeTiming();
    exporter.StartExport();
    state.PauseTiming();
    peakGrowth = std::max(peakGrowth, PeakRssKb() - before);
    if (exporter.ExportedCount() != n) state.SkipWithError("recipes missing");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
  state.SetBytesProcessed(state.iterations() * FileSize(w.ExportFile(format)));
  state.counters["peak_rss_growth_MB"] = static_cast<double>(peakGrowth) / 1024.0;
}

void BM_ExportCookML(benchmark::State& state) {
  RunExport(state, kFormatCookML);
}
BENCHMARK(BM_ExportCookML)
    ->Arg(2500)
    ->Arg(kRecipes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
void BM_ExportMealMaster(benchmark::State& state) {
  RunExport(state, kFormatMealMaster);
}
BENCHMARK(BM_ExportMealMaster)
    ->Arg(2500)
    ->Arg(kRecipes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
void BM_ExportRezKonv(benchmark::State& state) {
  RunExport(state, kFormatRezKonv);
}
BENCHMARK(BM_ExportRezKonv)
    ->Arg(2500)
    ->Arg(kRecipes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

void BM_ExportText(benchmark::State& state) {
  RunExport(state, kFormatText);
}
BENCHMARK(BM_ExportText)
    ->Arg(2500)
    ->Arg(kRecipes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
// A page a recipe (alle.html, alle_2.html ...), the index alle_Index.html and the frameset.
void BM_ExportHTML(benchmark::State& state) {
  RunExport(state, kFormatHTML);
}
BENCHMARK(BM_ExportHTML)
    ->Arg(2500)
    ->Arg(kRecipes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

// The reference for the pages: the same number of files of a page's size (5 KB), each written
// under a temporary name and renamed, into a fresh folder. What the file system costs alone.
void BM_CreateFilesAlone(benchmark::State& state) {
  World& w = TheWorld();
  const std::string folder = w.root + "Export/leer/";
  const std::string page(5000, 'x');
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    sync();
    state.ResumeTiming();
    for (int i = 0; i < kRecipes; ++i) {
      const std::string name = folder + "seite_" + std::to_string(i + 1) + ".html";
      const std::string temp = name + ".$$$1";
      std::FILE* f = std::fopen(temp.c_str(), "wb");
      if (!f) {
        state.SkipWithError("cannot create");
        break;
      }
      std::fwrite(page.data(), 1, page.size(), f);
      std::fclose(f);
      std::rename(temp.c_str(), name.c_str());
    }
  }
  state.SetItemsProcessed(state.iterations() * kRecipes);
}
BENCHMARK(BM_CreateFilesAlone)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The pages alone, into the clipboard text emptied after every page: what writing a page costs
// without its file.
class PageCounter : public BenchExporter {
 public:
  size_t bytes = 0;

 protected:
  void RecipeWritten() override {
    bytes += ClipText.size();
    ClipText.clear();
  }
};
void BM_HTMLPagesInMemory(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    PageCounter exporter;
    exporter.Format = kFormatHTML;
    exporter.WhatRez = kSetAll;
    exporter.Ziel = kTargetClipboard;
    exporter.list = w.FirstRecipes(0);
    exporter.keyFigures = &w.figures;
    exporter.StartExport();
    if (exporter.ExportedCount() != kRecipes) state.SkipWithError("recipes missing");
  }
  state.SetItemsProcessed(state.iterations() * kRecipes);
}
BENCHMARK(BM_HTMLPagesInMemory)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The export of all 10,000 recipes read back, into a new book each time.
void RunImportBack(benchmark::State& state, uint8_t format) {
  World& w = TheWorld();
  const std::string file = w.ExportFile(format);
  {
    BenchExporter exporter;
    exporter.file = file;
    exporter.Format = format;
    exporter.WhatRez = kSetAll;
    exporter.Split = false;
    exporter.list = w.FirstRecipes(0);
    exporter.keyFigures = &w.figures;
    exporter.StartExport();
    if (exporter.ExportedCount() != kRecipes) {
      state.SkipWithError("export incomplete");
      return;
    }
  }
  long peakGrowth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    BenchImporter importer;
    importer.file = file;
    importer.targetBook = w.NewBook();
    ctx().options->SetParaInt(74, 0);  // no follow-on books
    const long before = RssKb();
    ResetPeakRss();
    state.ResumeTiming();
    const int count = importer.StartImport();
    state.PauseTiming();
    peakGrowth = std::max(peakGrowth, PeakRssKb() - before);
    if (count != kRecipes) state.SkipWithError("recipes missing");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRecipes);
  state.counters["peak_rss_growth_MB"] = static_cast<double>(peakGrowth) / 1024.0;
}

void BM_ImportBackCookML(benchmark::State& state) {
  RunImportBack(state, kFormatCookML);
}
BENCHMARK(BM_ImportBackCookML)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
void BM_ImportBackMealMaster(benchmark::State& state) {
  RunImportBack(state, kFormatMealMaster);
}
BENCHMARK(BM_ImportBackMealMaster)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
void BM_ImportBackRezKonv(benchmark::State& state) {
  RunImportBack(state, kFormatRezKonv);
}
BENCHMARK(BM_ImportBackRezKonv)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
