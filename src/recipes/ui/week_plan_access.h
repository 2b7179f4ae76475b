#pragma once
// The week plan (a kitchen window) as the lower windows see it: recipes dropped on a day go in
// one by one, then a last call without a recipe saves and redraws; the print mode selector
// prints the shown week. The week plan registers itself; WeekPlanPane() is null while there is
// none.
#include "services/registered.h"

namespace tav {

struct REZINDEX;

class WeekPlanAccess {
 public:
  virtual ~WeekPlanAccess() = default;
  virtual void AddRecipeToWeekPlan(const REZINDEX* entry) = 0;
  // Writes "WPlan.txt" of the shown week and prints it (message 280 when the week is empty).
  virtual void PrintWeekPlan() = 0;
};

inline WeekPlanAccess* WeekPlanPane() {
  return Registered<WeekPlanAccess>::Get();
}

}  // namespace tav
