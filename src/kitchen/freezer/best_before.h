#pragma once
// The best-before check of the freezer inventory: months left to a food's best-before month,
// the status of the warning list and of the table's best-before cell, and the warning list.
#include <cstdint>
#include <string>
#include <vector>

#include "kitchen/freezer/freezer_records.h"

namespace tav {

// One entry of the warning list.
struct CO_SLIST {
  int32_t freezer = 0;
  std::string freezerName;
  int32_t number = 0;  // the shown compartment number
  std::string compartmentName;
  int32_t food = 0;    // index in the compartment
  int32_t status = 0;  // 1 due soon, 2 expired
  int32_t monthsLeft = 0;
  CO_LMITTEL copy;
};

inline constexpr int kNoBestBefore = 9999;

// (best-before year * 12 + month) - (this year * 12 + month); 9999 without a best-before month.
int MonthsLeft(const CO_LMITTEL& food, const ClockDate& today);
// The same for a food given by indexes; 9999 when an index lies outside its list.
int MonthsToBestBefore(const std::vector<CO_SCHRANK>& freezers, int freezer, int compartment,
                       int food, const ClockDate& today);
// Warning-list status: below 1 month expired (2), up to `soonMonths` (option 81) due soon (1).
int ListStatus(int monthsLeft, int soonMonths);
// Table status: 0 months or less expired (2), up to `orangeMonths` (option 84) due soon (1).
int CellStatus(int monthsLeft, int orangeMonths);

struct BestBeforeOptions {
  bool showOld = false;   // option 79: expired foods at start
  bool showSoon = false;  // option 80: foods due soon at start
  int soonMonths = 1;     // option 81
};
// The foods that need attention, in freezer, compartment and food order, then sorted by months
// left (equal months keep that order). `startUp` lists expired foods only with showOld and foods
// due soon only with showSoon; the menu command lists both. Only compartments in use are
// examined: foods beyond a freezer's count are not saved and cannot be shown.
std::vector<CO_SLIST> BuildBestBeforeList(const std::vector<CO_SCHRANK>& freezers, bool startUp,
                                          const BestBeforeOptions& options, const ClockDate& today);

}  // namespace tav
