#pragma once
// Helpers of the import tests: a data root with the shipped reference tables (units,
// categories, umlaut exceptions, RezKonv unit names), a target book and an importer whose
// window hooks are scripted.
#include <functional>
#include <string>
#include <vector>

#include "exchange/import_driver.h"
#include "recipedb/book_test_util.h"
#include "recipedb/category_table.h"
#include "recipedb/unit_table.h"
#include "services/tools_module.h"

namespace tav::test {

class TestImporter : public RecipeImporter {
 public:
  std::vector<std::string> files;  // what the open-file dialog gives
  bool cancelChoice = false;
  int processCalls = 0;
  std::function<void()> onProcess;  // a window message arriving at a progress point
  std::function<bool(const std::string&, REZBLOCK&, REZINDEX&)> saveOverride;

  // The store's own saving, for an override that lets some recipes through.
  bool SaveInStore(const std::string& book, REZBLOCK& recipe, REZINDEX& entry) {
    return RecipeImporter::SaveRecipe(book, recipe, entry);
  }

 protected:
  bool ChooseImportFiles(std::vector<std::string>& out) override {
    out = files;
    return !cancelChoice;
  }
  void ProcessMessages() override {
    ++processCalls;
    if (onProcess) onProcess();
  }
  bool SaveRecipe(const std::string& book, REZBLOCK& recipe, REZINDEX& entry) override {
    if (saveOverride) return saveOverride(book, recipe, entry);
    return RecipeImporter::SaveRecipe(book, recipe, entry);
  }
};

// Target book "Ziel" (current), reference tables from the shipped data, titles left as they
// are (option 73 = 0).
class ImportEnv : public BookEnv {
 public:
  ImportEnv();
  ~ImportEnv();

  // Every recipe of the book in index order (the index must be readable).
  std::vector<REZBLOCK> Recipes(const std::string& book);
  std::vector<REZINDEX> Entries(const std::string& book);
  // Imports one fixture file into "Ziel" through the run of the window.
  int ImportFixture(const std::string& name);
  // Imports clipboard text into "Ziel".
  int ImportClipboard(const std::string& text);
  // The log lines joined by '\n'.
  std::string LogText() const;

  TToolsMod tools;
  UnitTable units;
  CategoryTable categories;
  TestImporter importer;
};

// Text of fixture bytes as Windows-1252 (the test sources are UTF-8).
std::string Ansi(const std::string& utf8);

// One expected ingredient line; the text in UTF-8.
struct WantLine {
  const char* amount;
  const char* unit;
  const char* text;
  int notOnList = 0;
};
// Amount, unit, text and shopping-list flag of every line, grams 0.
void ExpectLines(const REZBLOCK& r, const std::vector<WantLine>& want);
// The ten category codes: the given ones, then zeros.
void ExpectCategories(const REZBLOCK& r, std::vector<uint16_t> codes);

}  // namespace tav::test
