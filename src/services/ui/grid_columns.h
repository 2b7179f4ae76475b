#pragma once
class QTableWidget;

namespace tav {

// Every shown column as wide as its header and texts (never narrower than set, the first at
// least `minFirst`), and the grid at least as wide as its columns, so no column is cut.
void FitGridColumns(QTableWidget* grid, int minFirst = 0);

}  // namespace tav
