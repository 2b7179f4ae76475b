#include "services/ui/context_list_box.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace tav {

TContextListBox::TContextListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void TContextListBox::SetMultiSelect(bool on) {
  setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TContextListBox::Popup(int index) {
  if (OnPopup) OnPopup(this, index);
}

void TContextListBox::ClearSelection() {
  clearSelection();
  setCurrentRow(-1, QItemSelectionModel::NoUpdate);
  if (QItemSelectionModel* m = selectionModel()) m->clearCurrentIndex();
}

int TContextListBox::GetItemData(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->data(Qt::UserRole).toInt() : 0;
}

void TContextListBox::SetItemData(int index, int data) {
  if (QListWidgetItem* it = item(index)) it->setData(Qt::UserRole, data);
}

void TContextListBox::mousePressEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  if (OnOwnMouseDown) OnOwnMouseDown(this, e->button(), e->modifiers(), pos);
  int index = -1;
  const bool plain = !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) &&
                     !(e->buttons() & Qt::MiddleButton);
  if (e->button() == Qt::RightButton && plain) {
    const QModelIndex hit = indexAt(pos);
    index = hit.isValid() ? hit.row() : -1;
    if (index != -1 && selectedItems().size() < 2) {
      ClearSelection();
      setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
  }
  if (e->button() == Qt::RightButton) {
    if (popupMenu_) Popup(index);
    // A right click leaves the selection as decided above.
    e->accept();
    return;
  }
  QListWidget::mousePressEvent(e);
}

void TContextListBox::contextMenuEvent(QContextMenuEvent* e) {
  if (popupMenu_) popupMenu_->popup(e->globalPos());
  e->accept();
}

}  // namespace tav
