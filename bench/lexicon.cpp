// The lexicon: finding the lexicon terms of a long recipe (3,000 words of title, ingredient
// lines, preparation text and remarks, with umlauts, punctuation and brackets) against a lexicon
// of 2,000 entries with keywords; and reading such a lexicon file into its index.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "kitchen/lexicon/lexicon_files.h"
#include "kitchen/lexicon/lexicon_terms.h"
#include "recipedb/recipe_records.h"
#include "services/charsets.h"

namespace {

using namespace tav;

// Word stems of kitchen German; entries and recipe words are made from them.
const char* const kStems[] = {"Blanchier",
                              "Abschreck",
                              "Legier",
                              "Pochier",
                              "Sautier",
                              "Schmor",
                              "D\xFCnst",
                              "Glasier",
                              "Gratinier",
                              "Karamell",
                              "Mehlschw",
                              "Fond",
                              "Jus",
                              "Reduktion",
                              "Br\xFChe",
                              "Kn\xF6"
                              "del",
                              "Sp\xE4tzle",
                              "R\xFChrei",
                              "Zwiebel",
                              "Kartoffel",
                              "M\xF6hre",
                              "Sellerie",
                              "Lauch",
                              "Petersil",
                              "Schnittl",
                              "Thymian",
                              "Rosmarin",
                              "Lorbeer",
                              "Wacholder",
                              "Piment",
                              "Muskat",
                              "Zimt",
                              "Vanille",
                              "Safran",
                              "Kurkuma",
                              "Paprika",
                              "Pfeffer",
                              "Salz",
                              "Zucker",
                              "Butter",
                              "Sahne",
                              "Schmand",
                              "Quark",
                              "Teig",
                              "Hefe",
                              "Strudel",
                              "Baiser",
                              "Ganache",
                              "Kuvert\xFCre"};
const char* const kEndings[] = {"", "en", "e", "ung", "chen", "er", "ig", "t"};
const char* const kFill[] = {"und",  "mit",     "dann",   "die", "den",        "im",      "bei",
                             "etwa", "Minuten", "leicht", "gut", "vorsichtig", "hei\xDF", "kalt"};

std::string Word(std::mt19937& rng) {
  std::uniform_int_distribution<size_t> stem(0, std::size(kStems) - 1);
  std::uniform_int_distribution<size_t> end(0, std::size(kEndings) - 1);
  return std::string(kStems[stem(rng)]) + kEndings[end(rng)];
}

// 2,000 entries in title order, each with two or three keywords.
std::vector<LEXINDEX> MakeIndex() {
  std::mt19937 rng(11);
  std::vector<LEXINDEX> index;
  for (int i = 0; i < 2000; ++i) {
    LEXINDEX e;
    e.title = Word(rng) + (i % 3 ? "" : std::to_string(i));
    for (int k = 0; k < 2 + i % 2; ++k) e.keywords.push_back(MakeSortKey(Word(rng)));
    e.chapter = static_cast<int16_t>(1 + i % 7);
    e.titlePos = 100 + i * 300;
    e.statusPos = e.titlePos + 40;
    index.push_back(std::move(e));
  }
  return index;
}

// 3,000 words: title, 40 ingredient lines, a long text and remarks.
REZBLOCK MakeRecipe() {
  std::mt19937 rng(5);
  std::uniform_int_distribution<size_t> fill(0, std::size(kFill) - 1);
  std::uniform_int_distribution<int> kind(0, 9);
  auto sentence = [&](int words) {
    std::string s;
    for (int w = 0; w < words; ++w) {
      if (!s.empty()) s += w % 9 == 0 ? ", " : " ";
      const int k = kind(rng);
      s += k < 4 ? Word(rng) : k == 4 ? "(" + Word(rng) + ")" : kFill[fill(rng)];
    }
    return s + ".";
  };
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Geschmorte " + Word(rng) + " mit " + Word(rng);
  int words = 5;
  for (int i = 0; i < 40; ++i, words += 4) r.lines.push_back({"200", "g", sentence(3), "", 0, 0});
  while (words < 2900) {
    r.text += sentence(12) + (words % 96 == 0 ? "\r\n" : " ");
    words += 12;
  }
  for (int i = 0; i < 8; ++i) r.remarks.push_back({sentence(12), "Anna"});
  return r;
}

void BM_FindRecipeLexiconTerms(benchmark::State& state) {
  LexiconKeys keys;
  keys.Build(MakeIndex());
  const REZBLOCK recipe = MakeRecipe();
  size_t found = 0;
  for (auto _ : state) {
    const std::vector<LEXINDEXAKTREZ> terms = FindRecipeLexiconTerms(keys, recipe);
    found = terms.size();
    benchmark::DoNotOptimize(terms.data());
  }
  state.counters["terms"] = static_cast<double>(found);
}
BENCHMARK(BM_FindRecipeLexiconTerms)->Unit(benchmark::kMillisecond);

// Reading the file of 2,000 entries into the index and its keys (done when the window opens).
void BM_LoadLexiconIndex(benchmark::State& state) {
  const std::string folder =
      (std::filesystem::temp_directory_path() / "tavolin-bench-lexicon/").string();
  std::filesystem::create_directories(folder);
  std::filesystem::remove(folder + "Lexika.ldt");
  const LexiconFiles files(folder);
  std::mt19937 rng(3);
  for (const LEXINDEX& e : MakeIndex()) {
    std::vector<std::string> keywords = {Word(rng), Word(rng)};
    files.AppendLexiconEntry(e.chapter, e.title, keywords,
                             "Erkl\xE4rung von " + e.title + ".\r\nZweite Zeile mit " + Word(rng) +
                                 " und " + Word(rng) + ".");
  }
  std::vector<LEXINDEX> index;
  LexiconKeys keys;
  for (auto _ : state) {
    files.LoadLexiconIndex(index);
    keys.Build(index);
  }
  state.counters["entries"] = static_cast<double>(index.size());
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadLexiconIndex)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
