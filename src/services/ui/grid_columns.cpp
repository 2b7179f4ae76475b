#include "services/ui/grid_columns.h"

#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace tav {

void FitGridColumns(QTableWidget* grid, int minFirst) {
  int total = 0;
  for (int c = 0; c < grid->columnCount(); ++c) {
    if (grid->isColumnHidden(c)) continue;
    const int before = grid->columnWidth(c);
    grid->resizeColumnToContents(c);
    const int w = std::max({before, grid->columnWidth(c) + 8, c == 0 ? minFirst : 0});
    grid->setColumnWidth(c, w);
    total += w;
  }
  grid->setMinimumWidth(std::max(grid->minimumWidth(),
                                 total + grid->verticalScrollBar()->sizeHint().width() +
                                     2 * grid->frameWidth()));
}

}  // namespace tav
