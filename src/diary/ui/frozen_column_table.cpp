#include "diary/ui/frozen_column_table.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace tav {

FrozenColumnTable::FrozenColumnTable(QWidget* parent, int frozenColumns)
    : QTableWidget(parent), frozen_(new QTableView(this)), count_(frozenColumns) {
  frozen_->setObjectName(QStringLiteral("FrozenColumns"));
  frozen_->setModel(model());
  frozen_->setSelectionModel(selectionModel());
  frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  frozen_->setFrameShape(QFrame::NoFrame);
  frozen_->verticalHeader()->hide();
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // The keyboard stays with the grid: a click on a frozen cell hands it the focus.
  frozen_->setFocusPolicy(Qt::ClickFocus);
  frozen_->setFocusProxy(this);
  // Pixel steps in both views keep the rows of the two in line.
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  frozen_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  viewport()->stackUnder(frozen_);

  connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
          &QAbstractSlider::setValue);
  // What the user does on a frozen cell is done on the grid.
  connect(frozen_, &QAbstractItemView::pressed, this, &QAbstractItemView::pressed);
  connect(frozen_, &QAbstractItemView::clicked, this, &QAbstractItemView::clicked);
  connect(frozen_, &QAbstractItemView::doubleClicked, this, &QAbstractItemView::doubleClicked);
  connect(frozen_, &QAbstractItemView::activated, this, &QAbstractItemView::activated);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
    if (column < count_) Sync();
  });
  // Columns and rows that come later are fixed or hidden as the grid's are.
  for (auto signal : {&QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved,
                      &QAbstractItemModel::rowsInserted})
    connect(model(), signal, this, [this] { Sync(); });
  connect(model(), &QAbstractItemModel::modelReset, this, [this] { Sync(); });
  connect(verticalHeader(), &QHeaderView::sectionResized, this,
          [this](int row) { SyncRow(row); });
  Sync();
}

// The grid's model and headers are children that die after this object's own part: what they
// signal while they go must not reach the frozen view, which may be gone already.
FrozenColumnTable::~FrozenColumnTable() {
  disconnect(model(), nullptr, this, nullptr);
  disconnect(horizontalHeader(), nullptr, this, nullptr);
  disconnect(verticalHeader(), nullptr, this, nullptr);
}

void FrozenColumnTable::SetFrozenDelegate(QAbstractItemDelegate* delegate) {
  frozen_->setItemDelegate(delegate);
}

int FrozenColumnTable::FrozenWidth() const {
  int width = 0;
  for (int c = 0; c < std::min(count_, columnCount()); ++c)
    if (!isColumnHidden(c)) width += columnWidth(c);
  return width;
}

void FrozenColumnTable::Sync() {
  frozen_->setSelectionBehavior(selectionBehavior());
  frozen_->setSelectionMode(selectionMode());
  frozen_->setShowGrid(showGrid());
  QHeaderView* top = frozen_->horizontalHeader();
  top->setDefaultAlignment(horizontalHeader()->defaultAlignment());
  top->setHighlightSections(horizontalHeader()->highlightSections());
  top->setVisible(!horizontalHeader()->isHidden());
  for (int c = 0; c < columnCount(); ++c) {
    const bool hidden = c >= count_ || isColumnHidden(c);
    if (frozen_->isColumnHidden(c) != hidden) frozen_->setColumnHidden(c, hidden);
    if (!hidden && frozen_->columnWidth(c) != columnWidth(c))
      frozen_->setColumnWidth(c, columnWidth(c));
  }
  QHeaderView* side = frozen_->verticalHeader();
  side->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
  side->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  for (int r = 0; r < rowCount(); ++r) SyncRow(r);
  Place();
}

void FrozenColumnTable::SyncRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  const bool hidden = isRowHidden(row);
  if (frozen_->isRowHidden(row) != hidden) frozen_->setRowHidden(row, hidden);
  if (!hidden && frozen_->rowHeight(row) != rowHeight(row))
    frozen_->setRowHeight(row, rowHeight(row));
}

void FrozenColumnTable::Place() {
  const int width = std::min(FrozenWidth(), viewport()->width());
  frozen_->setVisible(width > 0 && rowCount() > 0);
  const int header = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->height();
  if (!horizontalHeader()->isHidden()) frozen_->horizontalHeader()->setFixedHeight(header);
  const int left = frameWidth() + (verticalHeader()->isHidden() ? 0 : verticalHeader()->width());
  frozen_->setGeometry(left, frameWidth(), width, viewport()->height() + header);
  frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void FrozenColumnTable::resizeEvent(QResizeEvent* e) {
  QTableWidget::resizeEvent(e);
  Place();
}

void FrozenColumnTable::updateGeometries() {
  QTableWidget::updateGeometries();
  Sync();
}

void FrozenColumnTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
  const int sideways = horizontalScrollBar()->value();
  QTableWidget::scrollTo(index, hint);
  if (!index.isValid() || count_ <= 0) return;
  // A frozen cell is always in view: only the rows move.
  if (index.column() < count_) {
    horizontalScrollBar()->setValue(sideways);
    return;
  }
  // Any other cell comes out from under the frozen columns.
  const int covered = FrozenWidth() - columnViewportPosition(index.column());
  if (covered > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

}  // namespace tav
