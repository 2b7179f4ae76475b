#pragma once
// A string grid as the diary fills it for a window: row and column counts, the cell texts, the
// current row and whether the grid takes input. Cells live apart from the counts, as in the
// window's grid: a cell written outside the counts is kept and shows once the grid grows. The
// window copies rows 0 .. RowCount-1 and columns 0 .. ColCount-1 into its control.
#include <string>
#include <vector>

namespace tav {

class TextGrid {
 public:
  int RowCount() const { return rows_; }
  int ColCount() const { return cols_; }
  void SetRowCount(int n) { rows_ = n < 0 ? 0 : n; }
  void SetColCount(int n) { cols_ = n < 0 ? 0 : n; }

  // "" for a cell never written.
  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);
  // Empties the cells of one row, every column that holds text.
  void ClearRow(int row);

  int currentRow = 1;
  bool enabled = true;

 private:
  int rows_ = 2;
  int cols_ = 2;
  std::vector<std::vector<std::string>> cells_;  // [row][col]
};

}  // namespace tav
