#include "kitchen/menus/menu_courses.h"

#include <cstdlib>

#include "platform/text_file.h"
#include "services/store_file.h"

namespace tav {

namespace {

// A decimal field: blanks and a sign allowed before the digits, 0 without digits.
int32_t FieldNumber(const std::string& text) {
  return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;  // lower-case letters and anything else count as 0
}

}  // namespace

std::string CourseListText(const std::vector<MN_RECIPE>& courses) {
  std::string out;
  for (const MN_RECIPE& c : courses) {
    out += std::to_string(static_cast<uint16_t>(c.bookId)) + "#";
    out += std::to_string(c.number) + "#";
    out += std::to_string(c.reservedA) + "#";
    out += std::to_string(c.reservedB) + "#";
    out += std::to_string(c.persons) + "#";
    out += c.servingType + "#";
    out += c.courseType + "#";
    out += c.printTitle + kPrintTitleEnd;
    out += c.description + "#";
  }
  return out;
}

std::vector<MN_RECIPE> ParseCourseList(std::string_view text) {
  std::vector<MN_RECIPE> courses;
  MN_RECIPE c;
  int field = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const bool title = field == 7;
    const size_t end = title ? text.find(kPrintTitleEnd, pos) : text.find('#', pos);
    if (end == std::string_view::npos) break;  // an unfinished course
    const std::string value(text.substr(pos, end - pos));
    pos = end + (title ? 3 : 1);
    switch (field) {
      case 0:
        c.bookId = static_cast<uint16_t>(FieldNumber(value));
        break;
      case 1:
        c.number = FieldNumber(value);
        break;
      case 2:
        c.reservedA = FieldNumber(value);
        break;
      case 3:
        c.reservedB = FieldNumber(value);
        break;
      case 4:
        c.persons = FieldNumber(value);
        break;
      case 5:
        c.servingType = value;
        break;
      case 6:
        c.courseType = value;
        break;
      case 7:
        c.printTitle = value;
        break;
      default:
        c.description = value;
        break;
    }
    if (++field == 9) {
      courses.push_back(c);
      c = MN_RECIPE();
      field = 0;
    }
  }
  return courses;
}

std::string SafeCourseText(std::string text) {
  for (char& ch : text)
    if (ch == '#') ch = '-';
  return text;
}

std::string SafePrintTitle(std::string text) {
  for (size_t at = text.find("#\xA7"); at != std::string::npos; at = text.find("#\xA7", at + 2))
    text.insert(at + 1, " ");
  return text;
}

std::vector<MN_TYPE> ReadMenuTypes(const std::string& path) {
  std::vector<MN_TYPE> types;
  // A few dozen lines at most; a huge file would hang the planner's start.
  StoreFileGuard guard;
  if (guard.TooLarge(path)) return types;
  LineReader in(path);
  std::string line;
  while (in.Next(line)) {
    if (line.size() < 8) continue;
    uint32_t colour = 0;
    for (int k = 0; k < 6; ++k) colour = colour * 16 + static_cast<uint32_t>(HexDigit(line[k]));
    types.push_back({colour, line.substr(7)});
  }
  return types;
}

uint32_t CourseTypeColour(const std::vector<MN_TYPE>& types, const std::string& name) {
  uint32_t colour = 0;
  for (const MN_TYPE& t : types)
    if (t.name == name) colour = t.colour;
  return colour;
}

bool MenuDiffers(const REZBLOCK& a, const REZBLOCK& b) {
  if (a.title != b.title || a.cardText != b.cardText || a.hint != b.hint || a.text != b.text ||
      a.recipeIdLow != b.recipeIdLow || a.recipeIdHigh != b.recipeIdHigh ||
      a.servings != b.servings || a.courses.size() != b.courses.size())
    return true;
  for (size_t i = 0; i < a.courses.size(); ++i) {
    const MN_RECIPE& x = a.courses[i];
    const MN_RECIPE& y = b.courses[i];
    if (x.printTitle != y.printTitle || x.description != y.description ||
        x.courseType != y.courseType || x.reservedA != y.reservedA || x.reservedB != y.reservedB ||
        x.number != y.number ||
        static_cast<uint16_t>(x.bookId) != static_cast<uint16_t>(y.bookId) ||
        x.persons != y.persons || x.servingType != y.servingType)
      return true;
  }
  return false;
}

std::string CourseRowText(const MN_RECIPE& course) {
  std::string text = course.printTitle + "   (" + std::to_string(course.persons);
  if (!course.servingType.empty()) text += " " + course.servingType;
  return text + ")";
}

}  // namespace tav
