#include "diary/text_grid.h"

namespace tav {

namespace {
const std::string kEmpty;
}

const std::string& TextGrid::Cell(int col, int row) const {
  if (row < 0 || col < 0 || static_cast<size_t>(row) >= cells_.size()) return kEmpty;
  const std::vector<std::string>& r = cells_[static_cast<size_t>(row)];
  return static_cast<size_t>(col) < r.size() ? r[static_cast<size_t>(col)] : kEmpty;
}

void TextGrid::SetCell(int col, int row, std::string text) {
  if (row < 0 || col < 0) return;
  if (static_cast<size_t>(row) >= cells_.size()) {
    if (text.empty()) return;
    cells_.resize(static_cast<size_t>(row) + 1);
  }
  std::vector<std::string>& r = cells_[static_cast<size_t>(row)];
  if (static_cast<size_t>(col) >= r.size()) {
    if (text.empty()) return;
    r.resize(static_cast<size_t>(col) + 1);
  }
  r[static_cast<size_t>(col)] = std::move(text);
}

void TextGrid::ClearRow(int row) {
  if (row < 0 || static_cast<size_t>(row) >= cells_.size()) return;
  cells_[static_cast<size_t>(row)].clear();
}

}  // namespace tav
