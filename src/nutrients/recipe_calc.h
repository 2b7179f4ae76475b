#pragma once
// The nutrient calculation of a recipe: every ingredient line is linked to a food of the food
// database, its amount and unit become grams, the food's values are scaled to those grams and
// summed for the whole recipe and per serving. The result is complete when every line that
// matters has a readable food and a weight.
//
// There is one calculation state in the process: the calculation window TBLSZutatDlg is this
// object (it derives from it); the main window, the editor and the diary load recipes into it
// through ctx().calc. Calling order for a result: LoadRecipeForCalc or LoadRecipeBlockForCalc,
// then LoadLineFoods, then RecalcAllLines.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "nutrients/food_database.h"
#include "recipedb/recipe_model.h"

namespace tav {

// One nutrient sum to be stored with the recipe.
struct SUMSTOFF {
  char code[8] = {};
  int32_t index = -1;  // table index of the nutrient; -1 when the table does not know the code
  double sum = 0;
};

// The parts of a diary entry that the rescaling reads and writes.
struct EntryValues {
  double& amount;
  double baseAmount;
  double& energyKJ;
  const std::string& nutrientLine;  // values for the base amount
  LB_DATA& parsedLine;              // values for the current amount
};

// Text of the weight column for a line whose amount does not matter.
inline constexpr const char* kUnimportantGrams = "Unbedeutend";

class RecipeCalc {
 public:
  // One calculation line: an ingredient line that is not a description line.
  struct BLSCALC {
    std::string amount;
    std::string unit;
    std::string ingredient;       // for a heading the text after '*'
    std::string note;             // the description lines below it, joined by ", "
    std::string gramsText;        // a number, "???", the manual weight or "Unbedeutend"
    std::string manualGramsText;  // the manual weight as typed
    std::string blsCode;
    std::string blsName;
    int32_t gramsSetting = 0;  // 0 automatic, > 0 manual grams, -1 amount unimportant
    int32_t lineIndex = 0;
    bool isHeading = false;
    bool isConverted = false;
    bool isManual = false;
    bool isUnimportant = false;
    LB_DATA food;
    LB_DATA lineValueTexts;
    std::vector<double> lineValues;
  };

  RecipeCalc() = default;
  virtual ~RecipeCalc() = default;

  // Reads a book recipe through the recipe store; false when it cannot be read.
  bool LoadRecipeForCalc(int16_t bookId, int32_t recipeNumber);
  // Works on the editor's recipe itself.
  void LoadRecipeBlockForCalc(REZBLOCK* recipe);
  void BuildCalcLines(REZBLOCK* recipe);
  // Reads every line's food (no message for a missing one), then CalcRecipeNutrients.
  void LoadLineFoods();
  void ConvertAmountToGrams(int line);
  void RecalcAllLines();
  void CalcRecipeNutrients();
  // Writes the sums (complete calculations only), food keys and weight settings into the
  // recipe, and stores a book recipe as a new record.
  void StoreNutrientSums();
  // An edited recipe's energy into the editor (message 316 when the calculation is incomplete).
  void HandEnergyToEditor();

  // Value lines for the diary.
  void BuildValueLine(const LB_DATA& source);
  void GetRecipeTotalLine(bool& calculated, double& energyKJ, std::string& line);
  bool ScaleEntryToAmount(EntryValues entry, double amount, bool setComplete);

  // Changes of one line by the window, each followed by RecalcAllLines. Out-of-range lines
  // change nothing.
  void SetManualGrams(int line, const std::string& text);
  void SetUnimportant(int line);
  void SetAutomatic(int line);
  void SetLineFood(int line, const std::string& key, const std::string& name);

  // What the window shows. Rows of the ingredient grid (amount, unit, ingredient, food,
  // weight), one per calculation line.
  std::vector<std::array<std::string, 5>> IngredientRows() const;
  // Rows of the result grid (name, total, per serving, selected line, unit) for the filter
  // list item (0 all nutrients) and the selected line (first line when none).
  std::vector<std::array<std::string, 5>> ResultRows(int filterItem, int selectedLine);
  // Title of the per-serving column: "à Person", "à Portion" or the serving type itself.
  std::string ServingColumnTitle() const;
  // Language texts 409 or 410.
  std::string StatusText() const;
  // The two message lines about a line: texts 405/406 (no food) or 407/408 (no weight).
  std::array<std::string, 2> LineMessages(int line) const;
  // The grams of a weight text ("???" and "Unbedeutend" give 0).
  static double GramsOf(const std::string& gramsText);
  int LineCount() const { return static_cast<int>(lines.size()); }

  REZBLOCK* calcRecipe = nullptr;
  REZBLOCK recipeCopy;
  LB_DATA totals;
  LB_DATA perServing;
  std::vector<BLSCALC> lines;
  int16_t bookId = 0;
  int32_t recipeNumber = -1;
  std::string valueLine;
  bool fillingControls = false;
  bool complete = true;

  // The editor's energy field; set by the editor's standard page.
  std::function<void(const std::string&)> editorEnergy;

 protected:
  // The window's result grid, after RecalcAllLines.
  virtual void ShowCalcResult() {}
  // The window's per-serving column title and status label, after every calculation.
  virtual void ShowCalcState() {}

 private:
  bool ValidLine(int line) const { return line >= 0 && line < LineCount(); }
};

// The table indexes of the nutrients whose sums a complete calculation stores with the recipe:
// the list kept with the options ("BLSRezStoff_n") once it was stored, before that energy in
// kcal and kJ, protein, fat and carbohydrates.
std::vector<int> NutrientsStoredWithRecipes();

// Nutrients whose values are neither scaled to the grams nor divided by the servings.
bool IsUnscaledStoffIndex(size_t index);

}  // namespace tav
