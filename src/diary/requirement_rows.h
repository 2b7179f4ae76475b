#pragma once
// The daily-requirement rows of a person as the person dialog's second page edits them, and the
// nutrients that can have a requirement (those with an amount per 100 g).
#include <string>
#include <vector>

#include "diary/diary_records.h"

namespace tav {

class NutrientTable;

// Code and name of each nutrient with an amount per 100 g, in display order (hidden ones too).
struct RequirementNutrient {
  std::string code, name;
};
std::vector<RequirementNutrient> RequirementNutrients(NutrientTable& table);

// The unit up to its first "/100g" ("mg/100g" -> "mg").
std::string RequirementUnit(const std::string& unit);
// The grid cell of a row: "12,50 mg", or " " without a value.
std::string RequirementCellText(const TAGESBEDARF& row, const std::string& unit);
// The own value typed: empty text clears it (the standard value applies again); any other text
// is read as a number (0 when it is none). The effective value follows at once.
void SetOwnRequirement(TAGESBEDARF& row, const std::string& text);
// How the grid marks a row's value: an own value (0 included) plainly, a value from the intake
// tables in blue, a row without own and standard value with "?".
enum class RequirementMark { Plain, Standard, Unknown };
RequirementMark RequirementCellMark(const TAGESBEDARF& row);
// Appends a row for the code (own value none, the standard value given, alarm '-'); false when
// the person has a row of that code already.
bool AddRequirementRow(ENPERSON& person, const std::string& code, double standard);

}  // namespace tav
