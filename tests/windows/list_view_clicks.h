#pragma once
// Mouse clicks on the rows of a list view, as the mouse gives them to its viewport.
#include <QApplication>
#include <QListView>
#include <QMouseEvent>

namespace tav::test {

// A press of `button` on the row (with the keyboard modifiers held), then its release unless
// `pressOnly`.
inline void ClickRow(QListView* view, int row, Qt::MouseButton button = Qt::LeftButton,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool pressOnly = false) {
  const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    if (type == QEvent::MouseButtonRelease && pressOnly) break;
    QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), button,
                  type == QEvent::MouseButtonPress ? button : Qt::NoButton, modifiers);
    QApplication::sendEvent(view->viewport(), &e);
  }
}

}  // namespace tav::test
