#pragma once
// Windows driven as a user drives them: menus opened by a click on the menu bar, an item
// clicked only when it is shown and enabled, real mouse and key events, modal windows answered
// while they are up.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

namespace tav::test {

// Runs `inside` once a modal window that was not up before comes up during `open`, then closes
// that window unless `inside` did. Returns whether one came up. The watch ends with the call:
// nothing is left pending for what runs after it.
inline bool WhileModal(const std::function<void()>& inside, const std::function<void()>& open) {
  QWidget* before = QApplication::activeModalWidget();
  bool came = false;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QPointer<QWidget> modal = QApplication::activeModalWidget();
    if (!modal || modal == before || !modal->isVisible()) return;
    watch.stop();
    came = true;
    inside();
    if (modal && modal->isVisible())
      if (auto* dialog = qobject_cast<QDialog*>(modal.data())) dialog->reject();
  });
  watch.start();
  open();
  return came;
}

namespace detail {
inline QString Plain(QString text) {
  return text.remove(QLatin1Char('&'));
}
inline QAction* ItemOf(QMenu* menu, const QString& name) {
  for (QAction* a : menu->actions())
    if (a->objectName() == name || (!a->isSeparator() && Plain(a->text()) == name)) return a;
  return nullptr;
}
}  // namespace detail

// Opens the main menu `path[0]` (object name) with a click on the menu bar, follows the
// sub-menus and clicks the last item (object name or caption without '&'). Every step must be
// visible and enabled, as the user sees it; the click may start a modal window (wrap the call
// in WhileModal then).
inline ::testing::AssertionResult ClickMenuPath(QMainWindow* main,
                                                const std::vector<QString>& path) {
  QMenuBar* bar = main->menuBar();
  QMenu* menu = main->findChild<QMenu*>(path.at(0));
  if (!menu) return ::testing::AssertionFailure() << "no menu " << path[0].toStdString();
  QAction* top = menu->menuAction();
  if (!top->isVisible() || !top->isEnabled())
    return ::testing::AssertionFailure() << path[0].toStdString() << " is not there to click";
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
  if (!QTest::qWaitFor([&] { return menu->isVisible(); }, 1000))
    return ::testing::AssertionFailure() << path[0].toStdString() << " did not open";
  for (size_t i = 1; i < path.size(); ++i) {
    QAction* a = detail::ItemOf(menu, path[i]);
    if (!a) return ::testing::AssertionFailure() << "no item " << path[i].toStdString();
    if (!a->isVisible() || !a->isEnabled()) {
      menu->close();
      return ::testing::AssertionFailure()
             << path[i].toStdString() << (a->isVisible() ? " is disabled" : " is hidden");
    }
    const QPoint at = menu->actionGeometry(a).center();
    QTest::mouseMove(menu, at);
    if (i + 1 < path.size()) {
      QTest::mouseClick(menu, Qt::LeftButton, {}, at);
      QMenu* sub = a->menu();
      if (!sub || !QTest::qWaitFor([&] { return sub->isVisible(); }, 1000))
        return ::testing::AssertionFailure() << path[i].toStdString() << " did not open";
      menu = sub;
    } else {
      QTest::mouseClick(menu, Qt::LeftButton, {}, at);
    }
  }
  return ::testing::AssertionSuccess();
}

// The start of a drag with the mouse: pressed on `w` at `at`, moved past the drag distance (a
// view takes the first move as the start of a drag and drags on the next one), released. The
// offscreen platform ends every drag at once, without a drop: the caller delivers the drop.
inline void StartDragWithMouse(QWidget* w, QPoint at) {
  QTest::mousePress(w, Qt::LeftButton, {}, at);
  QTest::mouseMove(w, at + QPoint(2, 0));
  QTest::mouseMove(w, at + QPoint(QApplication::startDragDistance() + 4, 0));
  QTest::mouseRelease(w, Qt::LeftButton, {}, at + QPoint(QApplication::startDragDistance() + 4, 0));
}

// A click on `w` that goes the way of the window system: a window blocked by a modal window
// does not get it (QTest's clicks on a widget go past that check).
inline void ClickThroughWindow(QWidget* w) {
  QWidget* top = w->window();
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, w->rect().center()));
}

// The answer `which` of the message box `box`, clicked.
inline bool AnswerBox(QWidget* box, QMessageBox::StandardButton which) {
  auto* message = qobject_cast<QMessageBox*>(box);
  QAbstractButton* button = message ? message->button(which) : nullptr;
  if (!button || !button->isVisible()) return false;
  QTest::mouseClick(button, Qt::LeftButton);
  return true;
}

}  // namespace tav::test
