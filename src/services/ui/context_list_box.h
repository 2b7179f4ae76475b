#pragma once
// The program's list box: a right click first selects the item under the mouse (unless two or
// more items are selected already), so a context menu always acts on the item pointed at; each
// item carries one 32-bit value.
#include <QListWidget>
#include <functional>

class QMenu;

namespace tav {

class TContextListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit TContextListBox(QWidget* parent = nullptr);

  // Multiple selection on (extended, with Shift and Ctrl) or off.
  void SetMultiSelect(bool on);
  bool MultiSelect() const { return selectionMode() != QAbstractItemView::SingleSelection; }

  // The context menu opened after a right click (none: no popup, Popup is not called).
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  QMenu* PopupMenu() const { return popupMenu_; }

  // Called first on every mouse press (button, modifiers, position).
  std::function<void(TContextListBox*, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)>
      OnOwnMouseDown;
  // Called on a right click with the item hit, -1 for none or when a modifier was held.
  std::function<void(TContextListBox*, int)> OnPopup;

  virtual void Popup(int index);
  // Unselects every item; no current item afterwards.
  virtual void ClearSelection();
  int GetItemData(int index) const;
  void SetItemData(int index, int data);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  QMenu* popupMenu_ = nullptr;
};

}  // namespace tav
