#include "kitchen/ui/season_grid.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
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
  nameWidth_ = 80;
  for (const REZZUTATEN* z : rows_)
    if (z) nameWidth_ = std::max(nameWidth_, fontMetrics().horizontalAdvance(toQ(z->plural)) + 8);
  FitSlots();
  UpdateScrollRange();
  verticalScrollBar()->setValue(0);
  viewport()->update();
  if (OnSlotWidthChanged) OnSlotWidthChanged();  // the month row follows the name column
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

void SeasonGrid::FitSlots() {
  // The slots share what the name column and the scroll bar leave of the width.
  if (kind_ != Kind::Calendar) return;
  const int room =
      width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width() - NameWidth() - 1;
  SetSlotWidth(std::max(3, room / 48));
}

void SeasonGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
  FitSlots();
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
  // The calendar's name column; its slots are drawn a row at a time (PaintRows).
  p.fillRect(cell, Qt::white);
  if (z) {
    p.setPen(Qt::black);
    const QRect text = cell.adjusted(5, 1, -2, 0);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               p.fontMetrics().elidedText(toQ(z->plural), Qt::ElideRight, text.width()));
  }
}

void SeasonGrid::PaintRows(QPainter& p, int first, int last, int top) const {
  const int h = RowHeight();
  const int columns = kind_ == Kind::Calendar ? 49 : 48;
  const int right = kind_ == Kind::Calendar ? SlotX(49) : 48 * slotWidth_;
  const int bottom = top + (last - first + 1) * h;
  for (int r = first; r <= last; ++r) {
    const int y = top + (r - first) * h;
    if (kind_ == Kind::Editor) {
      for (int c = 0; c < columns; ++c)
        PaintCell(p, c, r, QRect(c * slotWidth_, y, slotWidth_ - 1, h - 1));
      continue;
    }
    // The calendar: the name, the four quarter-year bands at once, then the marked weeks.
    PaintCell(p, 0, r, QRect(0, y, NameWidth() - 1, h - 1));
    for (int q = 0; q < 4; ++q)
      p.fillRect(QRect(SlotX(12 * q + 1), y, 12 * slotWidth_, h - 1),
                 Rgb(SeasonBandColour(12 * q + 1)));
    const REZZUTATEN* z =
        r < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(r)] : nullptr;
    for (int c = 1; z && c < columns; ++c)
      if (const uint32_t mark = SeasonMarkColour(SeasonMark(*z, c)))
        p.fillRect(QRect(SlotX(c), y + 3, slotWidth_ - 1, h - 7), Rgb(mark));
  }
  // One pixel of grid line right of and below each cell.
  p.setPen(kGridLine);
  for (int r = first; r <= last; ++r) {
    const int y = top + (r - first) * h + h - 1;
    p.drawLine(0, y, right - 1, y);
  }
  for (int c = 0; c < columns; ++c) {
    const int x =
        (kind_ == Kind::Calendar ? (c == 0 ? NameWidth() : SlotX(c + 1)) : (c + 1) * slotWidth_) -
        1;
    p.drawLine(x, top, x, bottom - 1);
  }
  if (kind_ == Kind::Calendar && currentSlot_ >= 1 && currentSlot_ <= 48) {
    // The current quarter-month shows as a dotted column: a dotted frame around each of its
    // cells, drawn once and copied into every row.
    QPixmap frame(slotWidth_ - 1, h - 1);
    frame.fill(Qt::transparent);
    {
      QPainter f(&frame);
      f.setPen(QPen(Qt::black, 1, Qt::DotLine));
      f.drawRect(frame.rect().adjusted(0, 0, -1, -1));
    }
    const int x = SlotX(currentSlot_);
    for (int r = first; r <= last; ++r) p.drawPixmap(x, top + (r - first) * h, frame);
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
