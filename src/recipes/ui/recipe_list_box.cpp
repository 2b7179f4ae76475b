#include "recipes/ui/recipe_list_box.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <algorithm>
#include <array>

#include "platform/qt/qt_text.h"
#include "recipedb/recipe_store.h"
#include "services/context.h"

namespace tav {

// --- model ----------------------------------------------------------------------------------

const char* const RecipeListModel::kMimeType = "application/x-tavolin-recipe-keys";

RecipeListModel::RecipeListModel(QObject* parent) : QAbstractListModel(parent) {}

bool RecipeListModel::Entry(int row, REZINDEX& out) const {
  const int item = rows_.Item(row);
  return item >= 0 && ctx().dbList && ctx().dbList->GetListEntry(out, item);
}

void RecipeListModel::BeginRefill() { beginResetModel(); }
void RecipeListModel::EndRefill() { endResetModel(); }

int RecipeListModel::InsertRow(const std::string& title, int item) {
  // The row is known only once it is placed; a reset is cheap next to a refill.
  beginResetModel();
  const int row = rows_.Insert(title, item);
  endResetModel();
  return row;
}

void RecipeListModel::RemoveRow(int row) {
  if (row < 0 || row >= rows_.Count()) return;
  beginRemoveRows(QModelIndex(), row, row);
  rows_.Remove(row);
  endRemoveRows();
}

int RecipeListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_.Count();
}

QVariant RecipeListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
      REZINDEX e;
      return Entry(index.row(), e) ? toQ(e.Title()) : QString();
    }
    case ItemRole:
      return rows_.Item(index.row());
    case FlagsRole: {
      REZINDEX e;
      return Entry(index.row(), e) ? int(e.flags) : 0;
    }
    default:
      return {};
  }
}

Qt::ItemFlags RecipeListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList RecipeListModel::mimeTypes() const { return {QString::fromLatin1(kMimeType)}; }

QMimeData* RecipeListModel::mimeData(const QModelIndexList& indexes) const {
  QModelIndexList sorted = indexes;
  std::sort(sorted.begin(), sorted.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QByteArray keys;
  for (const QModelIndex& i : sorted) {
    REZINDEX e;
    if (Entry(i.row(), e)) keys += QByteArray::number(e.bookId) + ';' + QByteArray::number(e.number) + '\n';
  }
  auto* mime = new QMimeData;
  mime->setData(QString::fromLatin1(kMimeType), keys);
  return mime;
}

// --- delegate -------------------------------------------------------------------------------

namespace {

const QColor kOddRow(248, 248, 255);
const QColor kEvenRow(240, 240, 255);
const QColor kSelectedRow(68, 68, 136);
const QColor kMenuText(119, 85, 17);
const QColor kSelectedMenuText(255, 221, 136);
const int kSymbolSide = 17;
const int kTextLeft = 18;

// The symbols in front of marked entries, menus and marked menus (17 × 17, drawn once).
void DrawMark(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 120, 20));
  p.drawEllipse(QRectF(2.5, 2.5, 12, 12));
  QPen tick(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(tick);
  p.setBrush(Qt::NoBrush);
  QPainterPath path;
  path.moveTo(5.5, 8.8);
  path.lineTo(7.8, 11.0);
  path.lineTo(11.8, 6.0);
  p.drawPath(path);
}

void DrawPlate(QPainter& p) {
  p.setPen(QPen(QColor(119, 85, 17), 1.2));
  p.setBrush(QColor(255, 250, 235));
  p.drawEllipse(QRectF(3.5, 3.5, 10, 10));
  p.drawEllipse(QRectF(6, 6, 5, 5));
  p.setPen(QPen(QColor(119, 85, 17), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(1.5, 3), QPointF(1.5, 14));
  p.drawLine(QPointF(15.5, 3), QPointF(15.5, 14));
}

// The symbol of a flags byte: exactly 1 marked, 128 menu, 129 marked menu; null otherwise.
const QPixmap* Symbol(int flags) {
  static const std::array<QPixmap, 3> pixmaps = [] {
    std::array<QPixmap, 3> out;
    for (int k = 0; k < 3; ++k) {
      out[k] = QPixmap(kSymbolSide, kSymbolSide);
      out[k].fill(Qt::transparent);
      QPainter p(&out[k]);
      p.setRenderHint(QPainter::Antialiasing);
      if (k != 0) DrawPlate(p);
      if (k == 2) {  // a smaller mark on the plate's lower right, set off by a white ring
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(7.5, 7.5, 9.5, 9.5));
        p.translate(6.8, 6.8);
        p.scale(0.62, 0.62);
      }
      if (k != 1) DrawMark(p);
    }
    return out;
  }();
  switch (flags) {
    case kRecipeMarked: return &pixmaps[0];
    case kRecipeMenu: return &pixmaps[1];
    case kRecipeMenu | kRecipeMarked: return &pixmaps[2];
    default: return nullptr;
  }
}

}  // namespace

RecipeListDelegate::RecipeListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

int RecipeListDelegate::RowHeight(const QFont& font) {
  return std::max(kSymbolSide, QFontMetrics(font).height() + 3);
}

QSize RecipeListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return QSize(option.rect.width(), RowHeight(option.font));
}

void RecipeListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  const QRect r = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  const int flags = index.data(RecipeListModel::FlagsRole).toInt();
  painter->save();
  painter->fillRect(r, selected ? kSelectedRow : index.row() % 2 ? kOddRow : kEvenRow);
  if (const QPixmap* symbol = Symbol(flags))
    painter->drawPixmap(r.left() + 1, r.top() + (r.height() - kSymbolSide) / 2, *symbol);
  QFont font = option.font;
  const bool menu = flags & kRecipeMenu;
  font.setBold(menu);
  painter->setFont(font);
  painter->setPen(menu ? (selected ? kSelectedMenuText : kMenuText) : selected ? Qt::white : Qt::black);
  const QRect text = r.adjusted(kTextLeft + 2, 0, -2, 0);
  const QString title = index.data(Qt::DisplayRole).toString();
  painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                    QFontMetrics(font).elidedText(title, Qt::ElideRight, text.width()));
  if (option.state & QStyle::State_HasFocus) {
    QPen dots(selected ? QColor(200, 200, 240) : QColor(68, 68, 136), 1, Qt::DotLine);
    painter->setPen(dots);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r.adjusted(0, 0, -1, -1));
  }
  painter->restore();
}

}  // namespace tav

namespace tav {

// --- list box -------------------------------------------------------------------------------

TRecipeListBox::TRecipeListBox(QWidget* parent) : QListView(parent), model_(new RecipeListModel(this)) {
  setModel(model_);
  setItemDelegate(new RecipeListDelegate(this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, kOddRow);
  setPalette(pal);
  connect(this, &QListView::clicked, this, [this] {
    if (OnRowClick) OnRowClick();
  });
}

int TRecipeListBox::CurrentRow() const {
  const QModelIndex i = currentIndex();
  return i.isValid() ? i.row() : -1;
}

void TRecipeListBox::SetCurrentRow(int row) {
  if (row < 0 || row >= Count()) {
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return;
  }
  const QModelIndex i = model_->index(row);
  selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
  scrollTo(i);
}

bool TRecipeListBox::IsSelected(int row) const {
  return row >= 0 && row < Count() && selectionModel()->isRowSelected(row, QModelIndex());
}

void TRecipeListBox::SetSelected(int row, bool selected) {
  if (row < 0 || row >= Count()) return;
  selectionModel()->select(model_->index(row), selected ? QItemSelectionModel::Select
                                                        : QItemSelectionModel::Deselect);
}

void TRecipeListBox::SelectAll(bool selected) {
  if (Count() == 0) return;
  if (!selected) {
    selectionModel()->clearSelection();
    return;
  }
  selectionModel()->select(QItemSelection(model_->index(0), model_->index(Count() - 1)),
                           QItemSelectionModel::Select);
}

std::vector<int> TRecipeListBox::SelectedRows() const {
  std::vector<int> rows;
  for (const QItemSelectionRange& range : selectionModel()->selection())
    for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void TRecipeListBox::mousePressEvent(QMouseEvent* e) {
  // A right click acts on the row under the mouse, unless a selection of several rows waits or
  // Shift or Ctrl is held (the selection then stays as it is).
  if (e->button() == Qt::RightButton) {
    const QModelIndex at = indexAt(e->position().toPoint());
    const bool plain = !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) &&
                       !(e->buttons() & Qt::MiddleButton);
    if (plain && at.isValid() && SelectedRows().size() < 2) {
      selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    }
    e->accept();
    return;
  }
  QListView::mousePressEvent(e);
}

void TRecipeListBox::startDrag(Qt::DropActions actions) {
  // The press that starts a drag selected a row but gives no click: the recipe dragged is shown
  // (and edited by F2) as after a click. When the editor keeps its recipe, nothing is dragged.
  const int pressed = CurrentRow();
  if (OnRowClick) OnRowClick();
  if (CurrentRow() != pressed) return;
  QListView::startDrag(actions);
}

void TRecipeListBox::contextMenuEvent(QContextMenuEvent* e) {
  if (popupMenu_) popupMenu_->popup(e->globalPos());
  e->accept();
}

void TRecipeListBox::keyPressEvent(QKeyEvent* e) {
  if (OnKey && OnKey(e)) {
    e->accept();
    return;
  }
  const int before = CurrentRow();
  QListView::keyPressEvent(e);
  switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      if (CurrentRow() != before && OnKeyMove) OnKeyMove();
      break;
    default:
      break;
  }
}

namespace {

bool FromShoppingList(const QDropEvent* e) {
  return e->source() && e->source()->objectName() == QStringLiteral("EinkaufLiBo");
}

}  // namespace

void TRecipeListBox::dragEnterEvent(QDragEnterEvent* e) {
  if (FromShoppingList(e))
    e->acceptProposedAction();
  else
    e->ignore();
}

void TRecipeListBox::dragMoveEvent(QDragMoveEvent* e) {
  if (FromShoppingList(e))
    e->acceptProposedAction();
  else
    e->ignore();
}

void TRecipeListBox::dropEvent(QDropEvent* e) {
  if (!FromShoppingList(e)) {
    e->ignore();
    return;
  }
  // The shopping list removes the item itself; nothing is to be removed at the source.
  e->setDropAction(Qt::CopyAction);
  e->accept();
  if (OnShoppingListDrop) OnShoppingListDrop();
}

void TRecipeListBox::changeEvent(QEvent* e) {
  QListView::changeEvent(e);
  // Rows keep one height for every font the window gets.
  if (e->type() == QEvent::FontChange) doItemsLayout();
}

}  // namespace tav
