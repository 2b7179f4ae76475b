#pragma once
// Helpers of the export tests: the import tests' data root (book "Ziel" with the shipped units,
// categories and RkKonv unit names), an export run whose window hooks are scripted, a key-figure
// choice for the text exports, and the recipe list snapshot over the book.
#include <functional>
#include <string>
#include <vector>

#include "exchange/export_run.h"
#include "import_test_support.h"
#include "recipes/key_figure_choice.h"

namespace tav::test {

class TestExporter : public ExportRun {
 public:
  std::string fileName;  // what the save dialog gives; "" cancels
  std::vector<RunState> states;
  std::function<void()> onProcess;  // a window message arriving at a progress point
  int processCalls = 0;
  std::vector<std::string> toLexicon;  // titles of the recipes handed to the lexicon

 protected:
  bool ChooseExportFile(std::string& name) override {
    name = fileName;
    return !fileName.empty();
  }
  void ShowRunState(RunState state) override { states.push_back(state); }
  void ProcessMessages() override {
    ++processCalls;
    if (onProcess) onProcess();
  }
  void PassRecipeToLexicon(const REZBLOCK& recipe) override { toLexicon.push_back(recipe.title); }
};

// A key figure of the text exports: its id, and the label the reader knows when one is given.
struct WantFigure {
  int32_t id;
  const char* label = nullptr;
  const char* code = "";
};

class ExportEnv : public ImportEnv {
 public:
  ExportEnv();
  ~ExportEnv();

  // Stores the recipes in "Ziel" (in this order; their titles sort in the same order).
  void AddRecipes(const std::vector<REZBLOCK>& recipes);
  // The list showing every recipe of "Ziel", none selected.
  RecipeListSnapshot AllRows() const;
  // Exports with the choices of the exporter into `name` in the data root; the run's log.
  void Export(uint8_t format, uint8_t set, const std::string& name);
  // Chooses the key figures of the text exports (kind 2), replacing every earlier choice.
  void ChooseFigures(const std::vector<WantFigure>& figures);
  // Imports a file into a fresh book of that name; its recipes in order.
  std::vector<REZBLOCK> ImportInto(const std::string& file, const std::string& book);
  std::string Path(const std::string& name) const { return env.Root() + "Export/" + name; }

  TestExporter exporter;
  KeyFigureChoice figures;
};

// A chosen key figure of an output kind (kKeyFiguresHtml ...), named as the choice window names
// it, with its own label when one is given.
PARA_SHOWDATA Figure(int kind, int32_t id, const char* label = nullptr, const char* code = "");

// A stored nutrient amount.
REZSTOFFMENGE Nutrient(const char* code, const char* value);

// A recipe with an ingredient line of each kind and a short text; `i` varies the title.
REZBLOCK PlainRecipe(int i);

// Each description line ("-" text) joined to the line above it with a blank: how the Meal-Master
// export breaks a long text (a unit's name before it makes it longer) is no matter when recipes
// are compared after a round trip.
void JoinNotes(REZBLOCK& r);

}  // namespace tav::test
