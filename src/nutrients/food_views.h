#pragma once
// What the food windows show, worked out without a window: the nutrient rows of a food under
// the current filter, the compared foods, the browser's bounds on the screen and the query of
// a group node.
#include <string>
#include <vector>

#include "nutrients/food_database.h"
#include "nutrients/nutrient_table.h"

namespace tav {

// One row of a nutrient view: the nutrient and, for a food, its value as shown.
struct NutrientRow {
  int index = 0;  // table index of the nutrient
  std::string name;
  std::string value;
  std::string unit;
};

// The visible nutrients of the current filter in position order (PrepareFilter with `all`
// first), with the food's values when a food is given.
std::vector<NutrientRow> FilterRows(NutrientTable& table, bool all, const LB_DATA* food = nullptr);

// The browser's value rows: FilterRows, without the empty and zero values when option 54
// (`mustValue`) is set.
std::vector<NutrientRow> FoodValueRows(NutrientTable& table, const LB_DATA& food, bool all,
                                       bool mustValue);

// With option 54 set: a text value is hidden when empty, a number when it is empty or reads as
// 0 ("0", "0,0", "-0"); a value below 1 such as "0,5" is shown.
bool HiddenWithoutValue(const std::string& value, bool isText);

// A number of the food files as shown: its decimal separator, ',' or '.', the user's.
std::string ShownValue(const std::string& value, bool isText);

// The query of a group node's data: the main-group character, and the sub-group character
// unless it is a blank.
std::string GroupQuery(int data);

// The foods of the comparison; keys are unique.
class FoodComparison {
 public:
  // False when a food with that key (exactly) is compared already.
  bool Add(const LB_DATA& food);
  // Food i removed; false outside the foods.
  bool Remove(int i);
  // Food i changes places with its left (i-1) or right (i+1) neighbour; false at the ends.
  bool MoveLeft(int i);
  bool MoveRight(int i);
  int Count() const { return static_cast<int>(foods_.size()); }
  const LB_DATA& Food(int i) const { return foods_[static_cast<size_t>(i)]; }
  bool Contains(const std::string& key) const;

 private:
  std::vector<LB_DATA> foods_;
};

// The browser's bounds from its four stored values (each missing or unreadable one gives its
// default: X -1, Y 0, W 640, H 480), fitted to a screen of that size: X -1 means the first
// start (X 0, W 640); a window wider or higher than the room from its corner starts at 0 and
// takes the whole screen width or height; a corner left of or above the screen comes back to 0.
struct WindowBounds {
  int x = 0, y = 0, w = 640, h = 480;
};
WindowBounds PlaceBrowserBounds(const std::string& x, const std::string& y, const std::string& w,
                                const std::string& h, int screenWidth, int screenHeight);

}  // namespace tav
