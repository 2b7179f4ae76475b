#pragma once
// Books for the recipe-list benchmarks: an index of n entries with varied titles (many share
// their first words; every tenth entry deleted) and a record file of its header alone, which
// is all that opening a book and filling its list read.
#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "platform/text_file.h"
#include "recipedb/recipe_model.h"
#include "recipedb/record_file.h"

namespace tav::bench {

// Titles such as "Gefüllte Paprika mit Reis nach Omas Art": many share their first words.
inline std::string ListTitle(std::mt19937& rng) {
  static const char* first[] = {"Gef\xFCllte", "Gebratene", "Feine", "Schnelle", "Omas",
                                "\xC4pfel-", "Italienische", "Scharfe", "S\xFC\xDF" "e",
                                "Gebackene", "Klare", "Bunte", "Rustikale", "Leichte"};
  static const char* dish[] = {"Paprika", "Kartoffeln", "Suppe", "Torte", "Nudeln", "Lasagne",
                               "Pfannkuchen", "Rouladen", "Quiche", "Salat", "Gem\xFCsepfanne",
                               "Schnitzel", "K\xE4sesp\xE4tzle", "Risotto", "Auflauf"};
  static const char* with[] = {"Reis", "Speck", "Spinat", "Lachs", "Pilzen", "Tomaten",
                               "Zwiebeln", "Sahne", "Kr\xE4utern", "Knoblauch", "Linsen"};
  static const char* tail[] = {"", "", " nach Omas Art", " vom Blech", " (vegetarisch)",
                               " f\xFCr G\xE4ste", " aus dem Ofen"};
  auto pick = [&rng](const auto& words) { return std::string(words[rng() % std::size(words)]); };
  std::string t = pick(first) + " " + pick(dish) + " mit " + pick(with) + pick(tail);
  if (rng() % 4 == 0) t += " " + std::to_string(rng() % 100);
  return t.substr(0, 59);
}

// A book's index with n entries (every tenth one deleted) and a record file of its header.
inline void WriteListBook(const std::string& data, const std::string& name, int n) {
  std::mt19937 rng(static_cast<unsigned>(n));
  std::string idx = IndexFileHeader();
  const int32_t counter = n + 1;
  idx.append(reinterpret_cast<const char*>(&counter), 4);
  for (int i = 0; i < n; ++i) {
    REZINDEX e;
    e.SetTitle(ListTitle(rng));
    e.number = i + 1;
    e.offset = 19 + 1000 * i;
    e.length = 1000;
    e.deleted = i % 10 == 9 ? 1 : 0;
    e.categories[0] = static_cast<uint16_t>(1 + rng() % 30);
    idx.append(reinterpret_cast<const char*>(&e), sizeof e);
  }
  WriteFileAtomic(data + name + ".bok", RecordFileHeader());
  WriteFileAtomic(data + name + ".idx", idx);
  WriteTextLines(data + name + ".inf", {"", "65436", "1", ""});
}

}  // namespace tav::bench
