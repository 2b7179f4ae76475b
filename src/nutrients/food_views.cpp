#include "nutrients/food_views.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/numbers.h"

namespace tav {

std::vector<NutrientRow> FilterRows(NutrientTable& table, bool all, const LB_DATA* food) {
  table.PrepareFilter(all);
  std::vector<NutrientRow> rows;
  const int count = table.GetStoffCount();
  for (int p = 0; p < count; ++p) {
    ISTOFF s;
    if (!table.GetStoffAtPos(p, &s)) continue;
    NutrientRow row;
    row.index = s.index;
    row.name = s.name;
    row.unit = s.unit;
    if (food) row.value = ShownValue(food->Value(static_cast<size_t>(s.index)), s.isText);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<NutrientRow> FoodValueRows(NutrientTable& table, const LB_DATA& food, bool all,
                                       bool mustValue) {
  std::vector<NutrientRow> rows = FilterRows(table, all, &food);
  if (mustValue)
    std::erase_if(rows, [&](const NutrientRow& r) {
      return HiddenWithoutValue(food.Value(static_cast<size_t>(r.index)),
                                table.IsTextStoff(r.index));
    });
  return rows;
}

bool HiddenWithoutValue(const std::string& value, bool isText) {
  if (isText) return value.empty();
  size_t used = 0;
  const double v = ReadNumber(value, &used);
  return used == 0 || v == 0;
}

std::string ShownValue(const std::string& value, bool isText) {
  if (isText) return value;
  std::string shown = value;
  for (char& c : shown)
    if (c == '.' || c == ',') c = DecimalSep();
  return shown;
}

std::string GroupQuery(int data) {
  std::string q(1, static_cast<char>(data & 0xFF));
  const char second = static_cast<char>((data >> 8) & 0xFF);
  if (second != ' ' && second != '\0') q += second;
  return q;
}

bool FoodComparison::Contains(const std::string& key) const {
  return std::any_of(foods_.begin(), foods_.end(), [&](const LB_DATA& f) { return key == f.key; });
}

bool FoodComparison::Add(const LB_DATA& food) {
  if (Contains(food.key)) return false;
  foods_.push_back(food);
  return true;
}

bool FoodComparison::Remove(int i) {
  if (i < 0 || i >= Count()) return false;
  foods_.erase(foods_.begin() + i);
  return true;
}

bool FoodComparison::MoveLeft(int i) {
  if (i < 1 || i >= Count()) return false;
  std::swap(foods_[static_cast<size_t>(i)], foods_[static_cast<size_t>(i - 1)]);
  return true;
}

bool FoodComparison::MoveRight(int i) {
  if (i < 0 || i + 1 >= Count()) return false;
  std::swap(foods_[static_cast<size_t>(i)], foods_[static_cast<size_t>(i + 1)]);
  return true;
}

namespace {
int StoredNumber(const std::string& text, int fallback) {
  int v = 0;
  const char* end = text.data() + text.size();
  const auto [p, ec] = std::from_chars(text.data(), end, v);
  return ec == std::errc() && p == end && !text.empty() ? v : fallback;
}
}  // namespace

WindowBounds PlaceBrowserBounds(const std::string& x, const std::string& y, const std::string& w,
                                const std::string& h, int screenWidth, int screenHeight) {
  WindowBounds b{StoredNumber(x, -1), StoredNumber(y, 0), StoredNumber(w, 640),
                 StoredNumber(h, 480)};
  if (b.x == -1) {
    b.x = 0;
    b.w = 640;
  }
  // A corner off the screen (a screen that was larger once) would hide the window.
  b.x = std::max(b.x, 0);
  b.y = std::max(b.y, 0);
  if (b.x + b.w > screenWidth) {
    b.x = 0;
    b.w = screenWidth;
  }
  if (b.y + b.h > screenHeight) {
    b.y = 0;
    b.h = screenHeight;
  }
  return b;
}

}  // namespace tav
