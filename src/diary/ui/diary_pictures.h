#pragma once
// The small pictures of the diary windows, drawn in code, and the colours the diary names as
// COLORREF values (0x00BBGGRR).
#include <QColor>
#include <QPixmap>
#include <cstdint>

namespace tav {

enum class DiaryPicture {
  Calculated,     // green check mark: an entry or a day whose values are complete
  NotCalculated,  // red cross
  Bars,           // the day panel's switch between bars and text
  ArrowUp,        // red button, arrow up: a maximum exceeded
  ArrowDown,      // red button, arrow down: a minimum not reached
  Met,            // plain green button: the requirement is met
  HasValues,      // intake-table editor: the nutrient has values (green)
  NoValues,       // intake-table editor: the nutrient has none (dark red)
};
// 16 x 16 (the check and the cross 17 x 17, the switch 14 x 14).
QPixmap DiaryPixmap(DiaryPicture which);

inline QColor FromColorRef(uint32_t c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace tav
