#include "kitchen/freezer/best_before.h"

#include <algorithm>

namespace tav {

int MonthsLeft(const CO_LMITTEL& food, const ClockDate& today) {
  if (food.mhdMonth == 0) return kNoBestBefore;
  return (food.mhdYear * 12 + food.mhdMonth) - (today.year * 12 + today.month);
}

int MonthsToBestBefore(const std::vector<CO_SCHRANK>& freezers, int freezer, int compartment,
                       int food, const ClockDate& today) {
  if (freezer < 0 || freezer >= static_cast<int>(freezers.size())) return kNoBestBefore;
  const CO_SCHRANK& s = freezers[freezer];
  if (compartment < 0 || compartment >= static_cast<int>(s.faecher.size())) return kNoBestBefore;
  const CO_FACH& f = s.faecher[compartment];
  if (food < 0 || food >= static_cast<int>(f.foods.size())) return kNoBestBefore;
  return MonthsLeft(f.foods[food], today);
}

int ListStatus(int monthsLeft, int soonMonths) {
  if (monthsLeft < 1) return 2;
  return monthsLeft <= soonMonths ? 1 : 0;
}

int CellStatus(int monthsLeft, int orangeMonths) {
  if (monthsLeft <= 0) return 2;
  return monthsLeft <= orangeMonths ? 1 : 0;
}

std::vector<CO_SLIST> BuildBestBeforeList(const std::vector<CO_SCHRANK>& freezers, bool startUp,
                                          const BestBeforeOptions& options,
                                          const ClockDate& today) {
  std::vector<CO_SLIST> list;
  for (size_t s = 0; s < freezers.size(); ++s) {
    const CO_SCHRANK& freezer = freezers[s];
    const int inUse = std::min<int>(freezer.count, static_cast<int>(freezer.faecher.size()));
    for (int c = 0; c < inUse; ++c) {
      const CO_FACH& fach = freezer.faecher[c];
      for (size_t j = 0; j < fach.foods.size(); ++j) {
        const int months = MonthsLeft(fach.foods[j], today);
        const int status = ListStatus(months, options.soonMonths);
        const bool take =
            startUp ? (options.showOld && status == 2) || (options.showSoon && status == 1)
                    : status == 1 || status == 2;
        if (!take) continue;
        CO_SLIST e;
        e.freezer = static_cast<int32_t>(s);
        e.freezerName = freezer.name;
        e.number = ShownCompartmentNumber(freezer, c);
        e.compartmentName = fach.name;
        e.food = static_cast<int32_t>(j);
        e.status = status;
        e.monthsLeft = months;
        e.copy = fach.foods[j];
        list.push_back(std::move(e));
      }
    }
  }
  std::stable_sort(list.begin(), list.end(), [](const CO_SLIST& a, const CO_SLIST& b) {
    return a.monthsLeft < b.monthsLeft;
  });
  return list;
}

}  // namespace tav
