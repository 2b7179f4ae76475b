#pragma once
// The quarter-month grids of the seasonal calendar and the season editor, drawn by the program:
// SeasonGrid one row per ingredient (in the calendar a name column first, then 48 slots with
// the season as a bar; in the editor one row whose cells are filled with the mark's colour),
// SeasonMonthRow the month names over the slots of a grid.
#include <QAbstractScrollArea>
#include <QWidget>
#include <functional>
#include <vector>

#include "recipedb/ingredient_catalogue.h"

class QPainter;

namespace tav {

class SeasonGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  enum class Kind { Calendar, Editor };
  SeasonGrid(Kind kind, QWidget* parent = nullptr);

  // The rows (none: one empty row); kept by the caller while shown.
  void SetRows(std::vector<const REZZUTATEN*> rows);
  int RowCount() const { return std::max(1, static_cast<int>(rows_.size())); }
  // The slot marked with a dotted column (calendar), 0 for none.
  void SetCurrentSlot(int slot);
  // Width of one slot column (the name column of the calendar is 80 wide).
  void SetSlotWidth(int w);
  int SlotWidth() const { return slotWidth_; }
  // The calendar's name column: 80 pixels, or what its longest name needs.
  int NameWidth() const { return kind_ == Kind::Calendar ? nameWidth_ : 0; }
  // Left edge of a slot column (1-48) in the grid.
  int SlotX(int slot) const { return NameWidth() + (slot - 1) * slotWidth_; }
  // The column last clicked: in the calendar 0 the names and 1-48 the slots, in the editor
  // 0-47 the marks; -1 before any click.
  int CurrentColumn() const { return currentColumn_; }
  void SetCurrentColumn(int column) { currentColumn_ = column; }
  int RowHeight() const { return 16; }

  // Draws rows [first, last] with row `first` at y = top.
  void PaintRows(QPainter& p, int first, int last, int top) const;

  // A click on a cell (after CurrentColumn was set).
  std::function<void()> OnClick;
  // The slot width changed with the grid's width (calendar).
  std::function<void()> OnSlotWidthChanged;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // A cell of the editor, or the name cell (column 0) of the calendar.
  void PaintCell(QPainter& p, int column, int row, const QRect& cell) const;
  void FitSlots();
  void UpdateScrollRange();
  int ColumnAt(int x) const;

  Kind kind_;
  std::vector<const REZZUTATEN*> rows_;
  int slotWidth_ = 13;
  int nameWidth_ = 80;
  int currentSlot_ = 0;
  int currentColumn_ = -1;
};

class SeasonMonthRow : public QWidget {
  Q_OBJECT
 public:
  explicit SeasonMonthRow(const SeasonGrid* grid, QWidget* parent = nullptr);
  QSize sizeHint() const override { return QSize(200, 20); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const SeasonGrid* grid_;
};

}  // namespace tav
