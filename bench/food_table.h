#pragma once
// The food table of national size the food benchmarks share: 15,000 foods with 150 fields
// (about 20 MB Data.bls) in 20 main groups of 9 sub-groups, names of two common words and a
// number, values with a decimal comma; an empty filter group file.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/text_file.h"

namespace tav::bench {

constexpr int kFoods = 15000;
constexpr int kFields = 150;
constexpr int kGroups = 20;    // main groups 'A'..
constexpr int kSubGroups = 9;  // '1'..'9'

// Writes the table into the data root `root` (Data/, Data/DE/); the keys of the foods, and
// the size of Data.bls in bytes.
inline long long WriteNationalFoodTable(const std::string& root, std::vector<std::string>& keys) {
  std::mt19937 rng(42);
  std::vector<std::string> fields;
  fields.push_back("SBLS;CK;\"Lebensmittelschl\xFCssel\";\"\"");
  fields.push_back("ST;CK;\"Bezeichnung\";\"\"");
  for (int i = 2; i < kFields; ++i) {
    const std::string code = i == 4 ? "GCAL" : i == 5 ? "GJ" : "N" + std::to_string(i);
    fields.push_back(code + ";NH;\"N\xE4hrstoff " + std::to_string(i) + "\";\"mg/100g\"");
  }
  WriteTextLines(root + "Data/DE/Fields.bls", fields);
  WriteTextLines(root + "Data/FiltGrps.bls", {});

  static const char* const kWords[] = {
      "Kohl", "Apfel", "Brot",  "K\xE4se", "Milch",  "Fisch", "Rind", "Huhn",  "Tomate", "Bohne",
      "Reis", "Nudel", "Wurst", "Saft",    "Kuchen", "Pilz",  "Nuss", "Beere", "Salat",  "Suppe"};
  std::uniform_int_distribution<int> word(0, 19), dec(0, 9999999);
  std::vector<std::string> names, data, structure, index;
  long long namesPos = 0, dataPos = 0;
  const int perGroup = kFoods / (kGroups * kSubGroups) + 1;
  int made = 0;
  for (int g = 0; g < kGroups && made < kFoods; ++g) {
    const char main = static_cast<char>('A' + g);
    structure.push_back(std::string(1, main) + " Gruppe " + main);
    for (int s = 0; s < kSubGroups && made < kFoods; ++s) {
      const char sub = static_cast<char>('1' + s);
      structure.push_back(std::string(1, main) + sub + "Untergruppe");
      index.push_back(std::string(1, main) + sub + std::to_string(namesPos) + "#" +
                      std::to_string(dataPos));
      for (int n = 0; n < perGroup && made < kFoods; ++n, ++made) {
        char key[8];
        std::snprintf(key, sizeof key, "%c%c%03d00", main, sub, n);
        keys.push_back(key);
        const std::string name = std::string(kWords[word(rng)]) + " " + kWords[word(rng)] +
                                 ", Sorte " + std::to_string(made);
        names.push_back(key + name);
        std::string line = std::string(key) + ";" + name;
        for (int f = 2; f < kFields; ++f) {
          const int v = dec(rng);
          line += ';';
          char value[16];
          std::snprintf(value, sizeof value, "%d,%03d", v / 1000, v % 1000);
          line += value;
        }
        data.push_back(line);
        namesPos += static_cast<long long>(names.back().size()) + 2;
        dataPos += static_cast<long long>(line.size()) + 2;
      }
    }
  }
  WriteTextLines(root + "Data/DE/Structure.bls", structure);
  WriteTextLines(root + "Data/DE/Index.bls", index);
  WriteTextLines(root + "Data/DE/Names.bls", names);
  WriteTextLines(root + "Data/Data.bls", data);
  return dataPos;
}

}  // namespace tav::bench
