#include "kitchen/ui/season_grid.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

#include "kitchen/season/season_calendar.h"
#include "platform/qt/qt_text.h"
#include "services/dates.h"

namespace tav {

namespace {

const QColor kGridLine(0xd4, 0xd4, 0xd4);

QColor Rgb(uint32_t rgb) {
  return QColor::fromRgb(rgb);
}

}  // namespace

SeasonGrid::SeasonGrid(Kind kind, QWidget* parent) : QAbstractScrollArea(parent), kind_(kind) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(kind == Kind::Calendar ? Qt::ScrollBarAsNeeded
                                                    : Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(RowHeight());
  viewport()->setBackgroundRole(QPalette::Base);
}

void SeasonGrid::SetRows(std::vector<const REZZUTATEN*> rows) {
  rows_ = std::move(rows);
  UpdateScrollRange();
  viewport()->update();
}

void SeasonGrid::SetCurrentSlot(int slot) {
  currentSlot_ = slot;
  viewport()->update();
}

void SeasonGrid::SetSlotWidth(int w) {
  if (w == slotWidth_) return;
  slotWidth_ = w;
  viewport()->update();
  if (OnSlotWidthChanged) OnSlotWidthChanged();
}

void SeasonGrid::UpdateScrollRange() {
  const int total = RowCount() * RowHeight();
  verticalScrollBar()->setPageStep(viewport()->height());
  verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
}

void SeasonGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
  // The slots share what the name column and the scroll bar leave of the width.
  if (kind_ == Kind::Calendar) {
    const int room =
        width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width() - NameWidth() - 1;
    SetSlotWidth(std::max(3, room / 48));
  }
}

int SeasonGrid::ColumnAt(int x) const {
  if (kind_ == Kind::Calendar && x < NameWidth()) return 0;
  const int slot = (x - NameWidth()) / slotWidth_;
  if (slot < 0 || slot >= 48) return -1;
  return kind_ == Kind::Calendar ? slot + 1 : slot;
}

void SeasonGrid::PaintCell(QPainter& p, int column, int row, const QRect& cell) const {
  const REZZUTATEN* z =
      row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)] : nullptr;
  if (kind_ == Kind::Editor) {
    const char mark = z ? SeasonMark(*z, column + 1) : ' ';
    const uint32_t colour = SeasonMarkColour(mark);
    p.fillRect(cell, Rgb(colour ? colour : SeasonBandColour(column + 1)));
    return;
  }
  if (column == 0) {
    p.fillRect(cell, Qt::white);
    if (z) {
      p.setPen(Qt::black);
      const QRect text = cell.adjusted(5, 1, -2, 0);
      p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                 p.fontMetrics().elidedText(toQ(z->plural), Qt::ElideRight, text.width()));
    }
    return;
  }
  const QColor band = Rgb(SeasonBandColour(column));
  const uint32_t mark = z ? SeasonMarkColour(SeasonMark(*z, column)) : 0;
  if (mark) {
    p.fillRect(cell, band);
    p.fillRect(cell.adjusted(0, 3, 0, -3), Rgb(mark));
  } else {
    p.fillRect(cell, band);
  }
  if (column == currentSlot_) {
    // The current quarter-month shows as a dotted column.
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell.adjusted(0, 0, -1, -1));
  }
}

void SeasonGrid::PaintRows(QPainter& p, int first, int last, int top) const {
  const int h = RowHeight();
  const int columns = kind_ == Kind::Calendar ? 49 : 48;
  for (int r = first; r <= last; ++r) {
    const int y = top + (r - first) * h;
    for (int c = 0; c < columns; ++c) {
      const int x = kind_ == Kind::Calendar ? (c == 0 ? 0 : SlotX(c)) : c * slotWidth_;
      const int w = kind_ == Kind::Calendar && c == 0 ? NameWidth() : slotWidth_;
      // One pixel of grid line right of and below each cell.
      PaintCell(p, c, r, QRect(x, y, w - 1, h - 1));
    }
    const int right = kind_ == Kind::Calendar ? SlotX(49) : 48 * slotWidth_;
    p.setPen(kGridLine);
    p.drawLine(0, y + h - 1, right - 1, y + h - 1);
    for (int c = 0; c < columns; ++c) {
      const int x =
          (kind_ == Kind::Calendar ? (c == 0 ? NameWidth() : SlotX(c + 1)) : (c + 1) * slotWidth_) -
          1;
      p.drawLine(x, y, x, y + h - 2);
    }
  }
}

void SeasonGrid::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const int h = RowHeight();
  const int offset = verticalScrollBar()->value();
  const int first = offset / h;
  const int last = std::min(RowCount() - 1, (offset + viewport()->height()) / h);
  if (first > last) return;
  PaintRows(p, first, last, first * h - offset);
}

void SeasonGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int column = ColumnAt(event->position().toPoint().x());
  if (column < 0) return;
  currentColumn_ = column;
  if (OnClick) OnClick();
}

void SeasonGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

SeasonMonthRow::SeasonMonthRow(const SeasonGrid* grid, QWidget* parent)
    : QWidget(parent), grid_(grid) {
  setFixedHeight(20);
}

void SeasonMonthRow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int w = grid_->SlotWidth();
  // The long month names where they fit, else the short ones, else their first letters.
  int widest = 0, widestShort = 0;
  for (int m = 1; m <= 12; ++m) {
    widest = std::max(widest, fontMetrics().horizontalAdvance(toQ(GetMonthName(m, false))));
    widestShort =
        std::max(widestShort, fontMetrics().horizontalAdvance(toQ(GetMonthName(m, true))));
  }
  const int room = 4 * w - 5;
  // Lined up with the grid's slots, wherever the grid lies.
  const int left = mapFromGlobal(grid_->viewport()->mapToGlobal(QPoint(0, 0))).x();
  for (int m = 0; m < 12; ++m) {
    const QRect cell(left + grid_->SlotX(4 * m + 1), 0, 4 * w - 1, height() - 1);
    p.fillRect(cell, palette().button());
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(cell.adjusted(0, 0, 0, 0));
    // Readable even though the row takes no clicks.
    p.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
    QString name = toQ(GetMonthName(m + 1, widest > room));
    if (widest > room && widestShort > room) name = name.left(1);
    p.drawText(cell, Qt::AlignCenter, name);
  }
}

}  // namespace tav
