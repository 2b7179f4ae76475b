#pragma once
// What the day panel draws, worked out without a screen: the second line of an entry and the
// text or bar of a day value against the person's requirement. Rectangles are left, top,
// right, bottom with right and bottom excluded; colours are 0x00BBGGRR.
#include <cstdint>
#include <string>

#include "diary/diary_records.h"

namespace tav {

// "2 von 4 Portionen (512 kcal)": amount, the base amount after "von " when it differs, unit
// and the energy without decimals, in kJ (" kJoule") or kcal (" kcal").
std::string EntryDetailLine(const ENENTRY& entry, bool energyInKJ);

// Text mode of a day value: "sum unit", and with a requirement above 0
// " (Höchstwert: 2000 kcal)" (messages 738 maximum, 739 minimum). `arrow` is the arrow picture:
// -1 none, 0 red up (maximum exceeded), 1 red down (minimum not reached), 2 plain green.
std::string DayValueText(const DAYVALUE& value, int& arrow);

struct BarRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  uint32_t colour = 0;
  bool shown = false;
};

// Bar mode of a day value in an item rectangle: the track, the part reached, the overshoot past
// 100 % and the 100 % mark (black frame, filled inside). Nothing is shown for a requirement of
// 0 or below.
struct DayValueBar {
  BarRect track, filled, overshoot, markFrame, markInside;
};
DayValueBar LayoutDayValueBar(const DAYVALUE& value, int left, int top, int right);

// Bars are drawn for a day value exactly when bars are chosen and the requirement is not 0.
inline bool DayValueInBarMode(const DAYVALUE& value, bool showBars) {
  return showBars && value.requirement != 0;
}

}  // namespace tav
