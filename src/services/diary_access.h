#pragma once
// The nutrition diary (the diary data module TENApplogMod) as the recipe list and the food
// browser see it: they add recipes and foods to a day of the active person. The module
// registers itself; Diary() is null while there is none.
#include <cstdint>
#include <string>

#include "services/registered.h"

namespace tav {

class DiaryAccess {
 public:
  virtual ~DiaryAccess() = default;
  // One serving of a book recipe to that day (month 0-11). True when an entry was added; the
  // diary sums the day, writes its month and refreshes its views.
  virtual bool AddRecipeToDay(int day, int month, int year, int16_t bookId, int32_t number) = 0;
  // 100 g of a food of the food table, the same way.
  virtual bool AddFoodToDay(int day, int month, int year, const std::string& key) = 0;
};

inline DiaryAccess* Diary() {
  return Registered<DiaryAccess>::Get();
}

}  // namespace tav
