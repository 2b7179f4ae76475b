#include "diary/day_panel_lines.h"

#include <cmath>

#include "platform/numbers.h"
#include "services/amounts.h"
#include "services/context.h"

namespace tav {

namespace {
constexpr double kKcalPerKJ = 0.23894862604540026;
}

std::string EntryDetailLine(const ENENTRY& e, bool energyInKJ) {
  std::string t = FormatGeneral(e.amount) + " ";
  if (e.amount != e.baseAmount) t += GetLangText(897) + FormatGeneral(e.baseAmount) + " ";
  t += e.unit + " (";
  if (energyInKJ)
    t += FormatFixed(e.energy, 0) + " kJoule";
  else
    t += FormatFixed(e.energy * kKcalPerKJ, 0) + " kcal";
  return t + ")";
}

std::string DayValueText(const DAYVALUE& v, int& arrow) {
  arrow = -1;
  std::string t = FormatGeneral(v.sum) + " " + v.unit;
  if (v.requirement > 0) {
    if (v.isMaximum && v.sum > v.requirement)
      arrow = 0;
    else if (!v.isMaximum && v.sum < v.requirement)
      arrow = 1;
    else
      arrow = 2;
    t += " (" + GetLangText(v.isMaximum ? 738 : 739) + ": " + FormatGeneral(v.requirement) + " " +
         v.unit + ")";
  }
  return t;
}

DayValueBar LayoutDayValueBar(const DAYVALUE& v, int L, int T, int R) {
  DayValueBar b;
  if (v.requirement <= 0) return b;
  const double W = R - L - 13;
  const double p = v.sum / (v.requirement * 0.01);
  const int x = p <= 100 ? static_cast<int>(0.01 * W * p) : static_cast<int>(W / p * 100);
  const bool minimum = !v.isMaximum;
  b.track = {L + 5, T + 17, R - 5, T + 24, 0xEEEEEE, true};
  b.filled = {L + 5, T + 17, L + 5 + x, T + 24, (minimum && p < 100) ? 0x0045FFu : 0x00CE00u, true};
  if (p > 100)
    b.overshoot = {L + 5 + x,
                   T + 17,
                   L + 10 + static_cast<int>(W),
                   T + 24,
                   v.isMaximum ? 0x0045FFu : 0x00CE00u,
                   true};
  const int m = p < 100 ? static_cast<int>(W) : x;
  b.markFrame = {L + 5 + m, T + 15, L + 10 + m, T + 26, 0x000000, true};
  b.markInside = {L + 6 + m, T + 16, L + 9 + m, T + 25, 0x1FADDB, true};
  return b;
}

}  // namespace tav
