#pragma once
// Menus: a menu is a recipe whose flags have bit 7 set; its courses (MN_RECIPE) are coded into
// the recipe's hint field, nine fields per course:
//   book#number#A#B#persons#serving type#course type#print title#§#description#
// (§ the byte 0xA7). Only the print title ends at the three bytes "#§#"; every other field ends
// at the first "#", so a "#" in those fields would shift the rest: the planner's fields replace
// it as it is typed (SafeCourseText). The course types come from MenuTypes.dat in the language
// folder: colour RRGGBB in columns 0-5, a separator, the name from column 7.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

// One course type: colour (0 = none) and name.
struct MN_TYPE {
  uint32_t colour = 0;
  std::string name;
};

inline constexpr char kPrintTitleEnd[] = "#\xA7#";

// The course list text of the hint field.
std::string CourseListText(const std::vector<MN_RECIPE>& courses);
// The complete courses of a course list text; an unfinished last course is dropped.
std::vector<MN_RECIPE> ParseCourseList(std::string_view text);

// A text for a course field other than the print title: "#" becomes "-".
std::string SafeCourseText(std::string text);
// A print title that cannot hold its own end mark: "#§" becomes "# §".
std::string SafePrintTitle(std::string text);

// The course types of MenuTypes.dat in file order; empty when it cannot be read. Lines without
// a name (shorter than eight characters) are passed over.
std::vector<MN_TYPE> ReadMenuTypes(const std::string& path);
// Colour of the last type of exactly that name; 0 when none (or black).
uint32_t CourseTypeColour(const std::vector<MN_TYPE>& types, const std::string& name);

// True when the menus differ in what the planner keeps: title, card text, hint, preparation
// text, identifier, servings and each course's fields.
bool MenuDiffers(const REZBLOCK& a, const REZBLOCK& b);

// The text of a course row: print title, "   (" persons [" " serving type] ")".
std::string CourseRowText(const MN_RECIPE& course);

}  // namespace tav
