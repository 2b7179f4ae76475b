// Text services over 1 MB of recipe text with umlauts spelled as two letters (as old DOS and
// Meal-Master files hold them): the umlaut pass with a list of exception words like the shipped
// one, XML escaping for CookML, and title normalisation.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "services/charsets.h"
#include "services/text_tools.h"

namespace {

using namespace tav;

constexpr size_t kTextBytes = 1 << 20;

// Words of German recipe texts, many with "ae", "oe", "ue" (some of them exceptions).
const char* const kWords[] = {
    "Zwiebeln",   "fein",        "wuerfeln",    "und",        "in",           "Butter",
    "glasig",     "duensten",    "Kaese",       "reiben",     "Muehle",       "Pfeffer",
    "aus",        "der",         "Loeffel",     "Saeure",     "Feuer",        "Sauerkraut",
    "zuerst",     "aktuell",     "Quelle",      "Kartoffeln", "schaelen",     "Gemuese",
    "Bruehe",     "aufgiessen",  "Oel",         "erhitzen",   "Huehnerbrust", "Aepfel",
    "Moehren",    "Fondue",      "Michael",     "Teig",       "ruehren",      "Ofen",
    "vorheizen",  "Minuten",     "backen",      "Petersilie", "hacken",       "Sahne",
    "unterheben", "Suppe",       "abschmecken", "Muskat",     "Zucker",       "Eier",
    "trennen",    "Eiweiss",     "steif",       "schlagen",   "Rosinen",      "Haelfte",
    "Wuerfel",    "UEBERBACKEN", "Boeuf",       "Paella"};

std::string MakeText() {
  std::mt19937 rng(7);
  std::uniform_int_distribution<size_t> pick(0, std::size(kWords) - 1);
  std::string text;
  text.reserve(kTextBytes + 64);
  size_t line = 0;
  while (text.size() < kTextBytes) {
    const std::string w = kWords[pick(rng)];
    text += w;
    line += w.size() + 1;
    if (line > 70) {
      text += ".\r\n";
      line = 0;
    } else {
      text += ' ';
    }
  }
  return text;
}

std::vector<UMLCONV> Exceptions() {
  const std::pair<const char*, int> words[] = {
      {"AERO", 0},    {"OETKER", 0},  {"QUE", 1},    {"EUE", 1},    {"AUE", 1},     {"ZUERST", 1},
      {"ZUEIN", 1},   {"TUELL", 1},   {"DUELL", 1},  {"NUELL", 1},  {"SUELL", 1},   {"DUETT", 1},
      {"CUE", 1},     {"GUETTE", 1},  {"CAESAR", 1}, {"PAELLA", 1}, {"MAESTRO", 1}, {"POET", 1},
      {"POES", 1},    {"BOEUF", 1},   {"GOETHE", 1}, {"MOET", 1},   {"NOEL", 1},    {"SOEST", 1},
      {"OBOE", 2},    {"ALOE", 2},    {"ISRAEL", 3}, {"RAFAEL", 3}, {"MANUEL", 3},  {"SAMUEL", 3},
      {"MICHAEL", 4}, {"RAPHAEL", 4}, {"STATUE", 4}, {"FONDUE", 4}};
  std::vector<UMLCONV> list;
  for (const auto& [w, k] : words) list.push_back({w, k});
  return list;
}

void BM_UmlautPass1MB(benchmark::State& state) {
  const std::string text = MakeText();
  const std::vector<UMLCONV> exceptions = Exceptions();
  for (auto _ : state) {
    std::string t = text;
    DosToAnsiUmlauts(t, exceptions, false);
    benchmark::DoNotOptimize(t.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_UmlautPass1MB)->Unit(benchmark::kMillisecond);

void BM_XmlEscape1MB(benchmark::State& state) {
  std::string text = MakeText();
  DosToAnsiUmlauts(text, Exceptions(), false);
  WideText out;
  for (auto _ : state) {
    XmlEscapeUtf8(text, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_XmlEscape1MB)->Unit(benchmark::kMillisecond);

void BM_NormalizeTitles(benchmark::State& state) {
  const std::vector<std::string> words = {"MIT", "UND", "IN", "AUF", "DER", "DIE",
                                          "DAS", "VOM", "#",  "BBQ", "XXL"};
  const std::string title = "SCHWEINEBRATEN MIT KRUSTE UND DUNKLER BIERSOSSE VOM BBQ-GRILL";
  for (auto _ : state) {
    std::string t = title;
    NormalizeTitle(t, 2, words);
    benchmark::DoNotOptimize(t.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NormalizeTitles);

}  // namespace

BENCHMARK_MAIN();
