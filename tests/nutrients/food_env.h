#pragma once
// A test data root holding a food table: the fixture table or the shipped one, with the
// options (language DE) and the nutrient table and food database installed in ctx().
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "nutrients/food_database.h"
#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav::test {

// The user's decimal separator is ',' while it lives.
struct DecimalComma {
  DecimalComma() { SetDecimalSep(','); }
  ~DecimalComma() { SetDecimalSep('.'); }
};

// Records the food grid effects the browser window would show.
class RecordingFoodDatabase : public FoodDatabase {
 public:
  std::vector<bool> gridCuts;  // one entry per cut: true with the "no food" notice

 protected:
  void CutFoodGrid(bool noFoodNotice) override { gridCuts.push_back(noFoodNotice); }
};

class FoodEnv : public TestEnv {
 public:
  // `source`: a folder laid out like the data folder (Data.bls, DE/Fields.bls …).
  explicit FoodEnv(const std::string& source, bool load = true) {
    std::filesystem::copy(source, DataFolder(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    userSettings.WriteString(kRegParam, "AKTLANGUAGE", "DE");
    LoadLanguage("DE");
    Options();
    ctx().nutrients = &table;
    ctx().foods = &foods;
    if (load) {
      table.LoadNutrientTable();
      foods.LoadBLSIndex();
    }
  }
  std::string LangFolder() const { return DataFolder() + "DE/"; }

  NutrientTable table;
  RecordingFoodDatabase foods;
};

inline std::string FixtureTable() {
  return Fixture("food_table_crlf_cp1252");
}
inline std::string ShippedTable() {
  return std::string(TAVOLIN_SHIPPED_DATA) + "/Data";
}

// The message numbers of the boxes shown, found by their text.
inline bool ShownText(const FakeMessageBoxes& boxes, int textId) {
  const std::string text = GetLangText(textId);
  for (const auto& s : boxes.shown)
    if (s.text == text) return true;
  return false;
}

// The keys of a food list.
inline std::vector<std::string> Keys(const std::vector<LB_DATA>& list) {
  std::vector<std::string> keys;
  for (const LB_DATA& f : list) keys.push_back(f.key);
  return keys;
}

inline std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  ReadTextLines(path, lines);
  return lines;
}

}  // namespace tav::test
