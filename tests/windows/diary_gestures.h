#pragma once
// The diary windows as a user drives them: a day clicked in a calendar, a click on a grid cell
// delivered to whatever is shown there (the cell, its open editor, or the fixed columns laid
// over the grid), and a value typed into a cell and ended with Enter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QWindow>

#include "diary/ui/calendar_window.h"
#include "diary/ui/frozen_column_table.h"
#include "windows/user_gestures.h"

namespace tav::test {

// A click on the day `day` of the month the calendar shows.
inline void ClickDay(TDateInpDlg* calendar, int day) {
  QTableWidget* grid = calendar->MonthGrd;
  for (int r = 1; r < grid->rowCount(); ++r)
    for (int c = 0; c < grid->columnCount(); ++c)
      if (const QTableWidgetItem* item = grid->item(r, c); item && item->text().toInt() == day) {
        ASSERT_TRUE(ClickCell(grid, r, c));
        return;
      }
  FAIL() << "no day " << day;
}

// A click on a grid cell as the window system delivers it: to whatever is shown there (the
// cell, its open editor, or the fixed columns laid over the grid).
inline void ClickOnCell(QTableWidget* grid, int row, int column) {
  ASSERT_TRUE(Reachable(grid));
  ASSERT_TRUE(grid->model()->index(row, column).isValid());
  ActivateForClick(grid);
  QWidget* shownIn = grid->viewport();
  CellCentre(grid, row, column);  // scrolled into view
  QPoint at = grid->visualRect(grid->model()->index(row, column))
                  .intersected(grid->viewport()->rect())
                  .center();
  // A fixed column is shown by the view laid over the grid.
  auto* frozen = dynamic_cast<FrozenColumnTable*>(grid);
  if (frozen && column < frozen->FrozenColumns()) {
    shownIn = frozen->FrozenView()->viewport();
    at = frozen->FrozenView()->visualRect(grid->model()->index(row, column)).center();
  }
  QWidget* top = grid->window();
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, shownIn->mapTo(top, at));
}

// Clicks into a grid cell, which opens its editor, types over its text and presses Enter; the
// cell has the text once the editor has given it back.
inline void TypeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
  ClickOnCell(grid, row, column);
  // A click on the current cell opens its editor only a moment later (it might have been the
  // first of a double click): the edit key opens it at once.
  if (QApplication::focusWidget() == grid) QTest::keyClick(grid, Qt::Key_F2);
  QWidget* editor = QApplication::focusWidget();
  ASSERT_TRUE(editor && grid->viewport()->isAncestorOf(editor))
      << "no cell editor; the keyboard is at " << (editor ? editor->metaObject()->className() : "none");
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  TypeKeys(text);
  PressKey(Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return grid->item(row, column)->text() == text; }, 1000));
}

}  // namespace tav::test
