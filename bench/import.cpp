// Recipe import. Two kinds of data, generated into a temporary data root with the shipped
// reference files (units, categories, umlaut exception words, RezKonv unit names):
// - collections of the shape real archives have: 11,000 Meal-Master recipes (~13 MB, code page
//   437, CR LF), mostly English with two-column lines whose left half holds "oe", "ue", "ae",
//   German ones with umlauts spelled as two letters and DOS bytes (é, °, ½), long one-column
//   lines, continuation lines, a text of about 700 bytes, now and then an indented start line;
//   and 11,000 RezKonv recipes with written-out unit words and framed source lines;
// - the regular shape: a Meal-Master file of 50,000 recipes (10 ingredient lines, three of them
//   in two columns, a group heading, a continuation line, about 1 KB of text and key-figure
//   lines) and a CookML file of 10,000 recipes of the same shape.
// Measures the import into books end to end (follow-on books every 10,000 recipes, as option 74
// has it) and the parsing alone (recipes built, nothing stored), and the peak memory of each run
// over the memory before it. Run with "--write-collection=PATH" or "--import=PATH" it does one
// thing as a whole process, to be timed from outside.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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

// --- collections of the real shape ----------------------------------------------------------

constexpr int kCollectionRecipes = 11000;

// Ingredient texts of English collections (28 characters at most), many with "oe", "ue", "ae".
const char* const kEnglishFoods[] = {
    "Avocadoes",         "Tomatoes; seeded",     "Potatoes, peeled",  "Blue cheese, crumbled",
    "Barbecue sauce",    "Mangoes, ripe",        "Blueberries",       "Queso fresco",
    "Flour",             "Sugar",                "Butter, softened",  "Eggs",
    "Milk",              "Salt",                 "Pepper",            "Onion, chopped",
    "Garlic cloves",     "Olive oil",            "Lemon juice",       "Chicken broth",
    "Parsley, chopped",  "Sundae topping",       "Vanilla extract",   "Baking powder"};
const char* const kEnglishUnits[] = {"ea", "c", "ts", "tb", "lb", "oz", "lg", "md", "pn", "",
                                     "cn", "pk"};
const char* const kEnglishLong[] = {
    "Cheddar cheese, shredded (about 8 ounces) at room temperature",
    "Tomatoes, peeled, seeded and chopped, or one can of whole tomatoes",
    "Potatoes, boiled in their skins the day before and sliced thin"};
const char* const kEnglishText[] = {
    "  Preheat oven to 350 degrees. Peel the potatoes and cut them into cubes;",
    "  toss with the tomatoes, the blue cheese and the barbecue sauce. Continue",
    "  to stir until the sauce does not stick to the pan, about 5 minutes. It is",
    "  true that a queue of guests will wait for this one, so make it twice.",
    "  Spoon into a buttered casserole, top with the avocadoes and the mangoes",
    "  and bake for 25 minutes, or until golden. Serve hot with blueberries.",
    "  From the collection of the cooking club, posted to the echo in 1994."};

// German ones spell umlauts as two letters or use code page 437 (é 0x82, ° 0xF8, ½ 0xAB).
const char* const kGermanFoods[] = {
    "Kaese, gerieben",  "Gemuese",        "Zwiebelwuerfel",   "Kartoffeln",
    "Mehl",             "Eier",           "Butter",           "Saure Sahne",
    "Moehren",          "Bruehe",         "Aepfel",           "Schlagsahne",
    "Muehlenbrot",      "Feuerbohnen",    "Sauerkraut",       "Gr\x81ne Bohnen",
    "K\x84se",          "Zitronensaft",   "Oel",              "Petersilie"};
const char* const kGermanUnits[] = {"g", "EL", "TL", "ml", "kg", "l", "Pr", "St", "Bd", ""};
const char* const kGermanLong[] = {
    "Kartoffeln, festkochend, geschaelt und in duenne Scheiben geschnitten",
    "Kaese (Emmentaler oder Gruyere), frisch gerieben, etwa 200 Gramm"};
const char* const kGermanText[] = {
    "  Die Kartoffeln schaelen und in Wuerfel schneiden, dann in Salzwasser",
    "  garen. Den Kaese reiben und mit der Sahne verruehren. Bei 180 \xF8""C im",
    "  vorgeheizten Ofen ueberbacken, bis die Oberflaeche goldbraun ist. Das",
    "  Caf\x82-Aroma kommt vom Kaffee; zum Schlu\xE1 mit Puderzucker bestaeuben.",
    "  Dazu passt ein gr\x81ner Salat. Die Sauce aus der Muehle w\x81rzen und das",
    "  Feuer klein stellen, damit nichts anbrennt; zuerst die Zwiebeln duensten.",
    "  \xAB Liter Bruehe angiessen und 20 Minuten koecheln lassen. Aus der Quelle",
    "  Omas Kochbuch (\xFF mit eigenen Aenderungen)."};

std::string Padded(std::string line, size_t width) {
  line.resize(std::max(line.size(), width), ' ');
  return line;
}

void WriteCollection(const std::string& path, int n) {
  std::mt19937 rng(3);
  std::ofstream out(path, std::ios::binary);
  auto line = [&](const std::string& s) { out << s << "\r\n"; };
  auto pick = [&](const auto& pool) { return std::string(pool[rng() % std::size(pool)]); };
  auto amount = [&] {
    static const char* const kAmounts[] = {"1", "2", "3", "1/2", "1 1/2", "1/4", "250", "500",
                                           "100", "4", "6", "3/4"};
    return pick(kAmounts);
  };
  for (int i = 0; i < n; ++i) {
    const bool german = i % 10 < 3;
    auto unit = [&] { return german ? pick(kGermanUnits) : pick(kEnglishUnits); };
    auto food = [&] { return german ? pick(kGermanFoods) : pick(kEnglishFoods); };
    line(std::string(i % 500 == 7 ? "  " : "") + "MMMMM----- Recipe via Meal-Master (tm) v8.02");
    line(" ");
    line(german ? "      Title: Ueberbackene Kartoffeln Nr. " + std::to_string(i)
                : "      Title: Avocado and Tomato Casserole " + std::to_string(i));
    line(german ? " Categories: Hauptgerichte, Kaese" : " Categories: Vegetables, Casseroles");
    line(german ? "      Yield: 4 Portionen" : "      Yield: 6 servings");
    line(" ");
    for (int k = 0; k < 4; ++k)
      line(Padded(Column(amount(), unit(), food()), 41) + Column(amount(), unit(), food()));
    line(Column(amount(), unit(), german ? pick(kGermanLong) : pick(kEnglishLong)));
    line(Column("", "", "-or more to taste"));
    line(Column(amount(), unit(), food()));
    line(german ? "MMMMM-------------------------FUELLUNG-------------------------------"
                : "MMMMM-------------------------DRESSING-------------------------------");
    for (int k = 0; k < 3; ++k) line(Column(amount(), unit(), food()));
    line(Column(german ? "\xAB" : "1/2", german ? "l" : "c", german ? "Milch" : "Sour cream"));
    line(" ");
    if (german)
      for (const char* t : kGermanText) line(t);
    else
      for (const char* t : kEnglishText) line(t);
    line(" ");
    if (german) {
      line(":Stichwort : Auflauf, Kaese");
      line(":Erfasser : Anna Mueller");
      line(":Energie : 420 kcal");
      line(" ");
    }
    line("MMMMM");
    line(" ");
  }
}

// RezKonv: units written out ("Gramm", "Essl."), ranges, a framed source line.
void WriteRezKonvCollection(const std::string& path, int n) {
  std::mt19937 rng(4);
  std::ofstream out(path, std::ios::binary);
  auto line = [&](const std::string& s) { out << s << "\r\n"; };
  auto pick = [&](const auto& pool) { return std::string(pool[rng() % std::size(pool)]); };
  static const char* const kWords[] = {"Gramm", "Essl.", "Teel.", "Liter", "Prise", "St\xFC""ck",
                                       "Tasse", "Becher", "Dose",  "Bund",  "Msp.",  "Pack.",
                                       "klein", "mittel", "gro\xDF", "Kilo"};
  static const char* const kFoods[] = {"Weizen-Vollkornmehl", "Zwiebeln, gew\xFCrfelt",
                                       "Gem\xFC""sebr\xFC""he", "Kartoffeln", "Petersilie",
                                       "Kaese, gerieben", "Tomaten", "Sahne", "Zucker", "Salz"};
  static const char* const kAmounts[] = {"1", "2", "350", "1/2", "1 1/2", "2-3", "125", "4"};
  for (int i = 0; i < n; ++i) {
    line("========== REZKONV-Rezept - RezkonvSuite v1.4");
    line(" ");
    line("      Titel: Vollkornbrot mit K\xF6rnern Nr. " + std::to_string(i));
    line(" Kategorien: Brot, Backen");
    line("      Menge: 1 Laib");
    line(" ");
    for (int k = 0; k < 10; ++k) {
      std::string a = pick(kAmounts);
      line(std::string(a.size() < 6 ? 6 - a.size() : 0, ' ') + a + " " + pick(kWords) + " " +
           pick(kFoods));
    }
    line(" ");
    line("========================== F\xDCR DEN BELAG ==========================");
    line("    100 Gramm Butter");
    line("      2 Essl. Sesam");
    line(" ");
    line("=====ERFASST *RK* AM 03.05.97 VON Hans Meier=====");
    line(" ");
    for (int k = 0; k < 6; ++k)
      line("Das Mehl mit der Hefe und dem lauwarmen Wasser zu einem glatten Teig kneten "
           "und zugedeckt gehen lassen.");
    line(" ");
    line(":Stichwort : Brot");
    line(" ");
    line("=====");
    line(" ");
  }
}

// The import as the window runs it, with the chosen file given; parse-only skips the store.
class BenchImporter : public RecipeImporter {
 public:
  std::string file;
  std::vector<std::string> files;  // in place of `file` when not empty
  bool parseOnly = false;
  long stored = 0;

 protected:
  bool ChooseImportFiles(std::vector<std::string>& chosen) override {
    chosen = files.empty() ? std::vector<std::string>{file} : files;
    return true;
  }
  bool SaveRecipe(const std::string& book, REZBLOCK& recipe, REZINDEX& entry) override {
    ++stored;
    return parseOnly || RecipeImporter::SaveRecipe(book, recipe, entry);
  }
};

struct World : bench::ExchangeRoot {
  std::map<std::string, std::string> files;  // generated on first use
  // User settings kept in a file, as the program keeps them: a new identifier counts in it.
  IniSettingsStore userSettings{root + "user.ini", false};

  // The shipped reference tables in place of the small ones.
  World() : ExchangeRoot("import", true) { ctx().userSettings = &userSettings; }
  // A new, empty target book for one run.
  std::string NewBook() { return ExchangeRoot::NewBook("Import"); }

  // The data file of that name, written by `write` the first time.
  const std::string& File(const std::string& name, void (*write)(const std::string&, int), int n) {
    auto [it, made] = files.try_emplace(name, root + name);
    if (made) write(it->second, n);
    return it->second;
  }
};

World& TheWorld() {
  static World world;
  return world;
}

void RunImport(benchmark::State& state, const std::vector<std::string>& files, int recipes,
               bool parseOnly) {
  World& w = TheWorld();
  long bytes = 0;
  for (const std::string& file : files) bytes += static_cast<long>(FileSize(file));
  long peakGrowth = 0, stored = 0;
  for (auto _ : state) {
    state.PauseTiming();
    BenchImporter importer;
    importer.files = files;
    importer.parseOnly = parseOnly;
    importer.targetBook = w.NewBook();
    const long before = RssKb();
    ResetPeakRss();
    state.ResumeTiming();
    const int count = importer.StartImport();
    state.PauseTiming();
    peakGrowth = std::max(peakGrowth, PeakRssKb() - before);
    stored = std::min<long>(count, importer.stored);
    state.ResumeTiming();
  }
  state.counters["recipes_stored"] = static_cast<double>(stored);
  if (stored != recipes) state.SkipWithError("recipes missing");
  state.SetItemsProcessed(state.iterations() * recipes);
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["peak_rss_growth_MB"] = static_cast<double>(peakGrowth) / 1024.0;
}

// The generated files.
const std::string& Collection() {
  return TheWorld().File("archive.mm", WriteCollection, kCollectionRecipes);
}
const std::string& RezKonvCollection() {
  return TheWorld().File("archive.rk", WriteRezKonvCollection, kCollectionRecipes);
}
const std::string& RegularMealMaster() {
  return TheWorld().File("collection.mm", WriteMealMaster, kMealMasterRecipes);
}
const std::string& RegularCookML() {
  return TheWorld().File("collection.cml", WriteCookML, kCookMLRecipes);
}

// The same collection cut into 11 files at recipe boundaries, imported in one run.
const std::vector<std::string>& CollectionInFiles() {
  static const std::vector<std::string> parts = [] {
    constexpr int kParts = 11;
    std::ifstream in(Collection(), std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> paths;
    size_t from = 0;
    for (int i = 0; i < kParts; ++i) {
      size_t to = all.size();
      if (i + 1 < kParts) {  // the start line nearest to the next eleventh
        to = all.find("MMMMM----- Recipe", all.size() / kParts * static_cast<size_t>(i + 1));
        to = all.rfind('\n', to) + 1;
      }
      paths.push_back(TheWorld().root + "archive_part" + std::to_string(i + 1) + ".mm");
      std::ofstream(paths.back(), std::ios::binary) << all.substr(from, to - from);
      from = to;
    }
    return paths;
  }();
  return parts;
}

void BM_ImportCollection(benchmark::State& state) {
  RunImport(state, {Collection()}, kCollectionRecipes, false);
}
BENCHMARK(BM_ImportCollection)->Unit(benchmark::kMillisecond)->Iterations(5);

// Side by side with the one above: the same recipes and bytes from 11 files.
void BM_ImportCollectionInElevenFiles(benchmark::State& state) {
  RunImport(state, CollectionInFiles(), kCollectionRecipes, false);
}
BENCHMARK(BM_ImportCollectionInElevenFiles)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ParseCollection(benchmark::State& state) {
  RunImport(state, {Collection()}, kCollectionRecipes, true);
}
BENCHMARK(BM_ParseCollection)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ImportRezKonvCollection(benchmark::State& state) {
  RunImport(state, {RezKonvCollection()}, kCollectionRecipes, false);
}
BENCHMARK(BM_ImportRezKonvCollection)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ImportMealMaster(benchmark::State& state) {
  RunImport(state, {RegularMealMaster()}, kMealMasterRecipes, false);
}
BENCHMARK(BM_ImportMealMaster)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ParseMealMaster(benchmark::State& state) {
  RunImport(state, {RegularMealMaster()}, kMealMasterRecipes, true);
}
BENCHMARK(BM_ParseMealMaster)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportCookML(benchmark::State& state) {
  RunImport(state, {RegularCookML()}, kCookMLRecipes, false);
}
BENCHMARK(BM_ImportCookML)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ParseCookML(benchmark::State& state) {
  RunImport(state, {RegularCookML()}, kCookMLRecipes, true);
}
BENCHMARK(BM_ParseCookML)->Unit(benchmark::kMillisecond)->Iterations(3);

// One import as a whole process does it, for timing from outside: "--write-collection=PATH"
// writes the real-shape Meal-Master collection, "--import=PATH" imports a file into a new book
// and prints the count.
int RunOnce(const std::string& arg) {
  const auto value = [&](const char* flag) {
    const std::string f = flag;
    return arg.compare(0, f.size(), f) == 0 ? arg.substr(f.size()) : std::string();
  };
  if (const std::string path = value("--write-collection="); !path.empty()) {
    WriteCollection(path, kCollectionRecipes);
    return 0;
  }
  const std::string path = value("--import=");
  using Clock = std::chrono::steady_clock;
  const auto ms = [](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
  };
  const Clock::time_point start = Clock::now();
  World& w = TheWorld();
  BenchImporter importer;
  importer.file = path;
  importer.targetBook = w.NewBook();
  const Clock::time_point ready = Clock::now();
  const int count = importer.StartImport();
  std::printf("%d recipes imported in %.1f ms (data root and target book made in %.1f ms before)\n",
              count, ms(Clock::now() - ready), ms(ready - start));
  return count > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--write-collection=", 0) == 0 || arg.rfind("--import=", 0) == 0)
      return RunOnce(arg);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
