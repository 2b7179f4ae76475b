#pragma once
// The nutrient report "blsvalues.html" of the calculation window: the ingredient grid and the
// result grid of a recipe as an HTML page in the HTML folder (option 5).
#include <array>
#include <string>
#include <vector>

namespace tav {

struct NutrientReport {
  std::string title;                                       // the recipe title
  std::vector<std::array<std::string, 5>> ingredientRows;  // amount, unit, ingredient, food, weight
  std::vector<std::array<std::string, 5>> resultRows;      // name, total, per serving, line, unit
  std::string servingTitle;                                // title of the per-serving column
  std::string status;                                      // completeness of the calculation
};

// The page, lines ended by CR LF; every text is HTML-escaped. The footer follows unless
// option 36 is set.
std::string NutrientReportHtml(const NutrientReport& report);

// Writes the page as "blsvalues.html" into the HTML folder and opens it with its program.
// False, with nothing opened, when the file cannot be written.
bool OutputNutrientReport(const NutrientReport& report);

}  // namespace tav
