#pragma once
// What a user does to a shown window, as the window system delivers it: a click on a control
// only when it is shown and enabled, a click on a grid cell, a tab or a list item's check box,
// text typed into the field that has the focus, Enter and Escape, an item of a pop-up menu
// opened with the right mouse button.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QWidget>

#include "windows/user_input.h"

namespace tav::test {

// Whether the user can reach `w`: it is shown, enabled and not behind another modal window.
inline ::testing::AssertionResult Reachable(const QWidget* w) {
  if (!w) return ::testing::AssertionFailure() << "no control";
  const std::string name = w->objectName().toStdString();
  if (!w->isVisible()) return ::testing::AssertionFailure() << name << " is not shown";
  if (!w->isEnabled()) return ::testing::AssertionFailure() << name << " is disabled";
  if (QWidget* modal = QApplication::activeModalWidget();
      modal && modal != w->window() && !modal->isAncestorOf(w))
    return ::testing::AssertionFailure() << name << " is behind a modal window";
  return ::testing::AssertionSuccess();
}

// A click into a window that is not active activates it first, as the window manager does.
inline void ActivateForClick(QWidget* w) {
  QWidget* window = w->window();
  const auto active = [window] { return QApplication::activeWindow() == window; };
  if (active()) return;
  window->activateWindow();
  (void)QTest::qWaitFor(active, 1000);
}

// A left click in the middle of `w` (a modal window it opens runs inside the call).
inline ::testing::AssertionResult Click(QWidget* w) {
  ::testing::AssertionResult can = Reachable(w);
  if (!can) return can;
  ActivateForClick(w);
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
  return can;
}

// The centre of a cell of a grid or list, scrolled into view first.
inline QPoint CellCentre(QAbstractItemView* view, int row, int col = 0) {
  const QModelIndex index = view->model()->index(row, col);
  view->scrollTo(index);
  return view->visualRect(index).center();
}

inline ::testing::AssertionResult ClickCell(QAbstractItemView* view, int row, int col = 0,
                                            Qt::KeyboardModifiers mods = Qt::NoModifier) {
  ::testing::AssertionResult can = Reachable(view);
  if (!can) return can;
  if (!view->model()->index(row, col).isValid())
    return ::testing::AssertionFailure() << "no cell " << row << "," << col;
  ActivateForClick(view);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, mods, CellCentre(view, row, col));
  return can;
}

inline ::testing::AssertionResult DoubleClickCell(QAbstractItemView* view, int row, int col = 0) {
  ::testing::AssertionResult can = Reachable(view);
  if (!can) return can;
  ActivateForClick(view);
  DoubleClick(view->viewport(), CellCentre(view, row, col));
  return can;
}

// A click on the check box of a list item.
inline ::testing::AssertionResult ClickCheckBox(QListWidget* list, int row) {
  ::testing::AssertionResult can = Reachable(list);
  if (!can) return can;
  QStyleOptionViewItem option;
  option.initFrom(list);
  option.rect = list->visualItemRect(list->item(row));
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  option.checkState = list->item(row)->checkState();
  const QRect box =
      list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
  ActivateForClick(list);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
  return can;
}

// The tab with that caption, clicked.
inline ::testing::AssertionResult ClickTab(QTabBar* bar, const QString& caption) {
  for (int i = 0; i < bar->count(); ++i) {
    if (bar->tabText(i) != caption) continue;
    ::testing::AssertionResult can = Reachable(bar);
    if (can) ActivateForClick(bar);
    if (can) QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(i).center());
    return can;
  }
  return ::testing::AssertionFailure() << "no tab " << caption.toStdString();
}

// The line `text` chosen in a combo box: its list opened with a click on the arrow, the line
// reached with the arrow keys and taken with Enter (the list takes no click in the first moment
// after it opened).
inline ::testing::AssertionResult ChooseInCombo(QComboBox* combo, const QString& text) {
  ::testing::AssertionResult can = Reachable(combo);
  if (!can) return can;
  const int index = combo->findText(text);
  if (index < 0) return ::testing::AssertionFailure() << "no line " << text.toStdString();
  ActivateForClick(combo);
  QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier,
                    QPoint(combo->width() - 6, combo->height() / 2));
  QAbstractItemView* view = combo->view();
  if (!QTest::qWaitFor([view] { return view->isVisible(); }, 1000))
    return ::testing::AssertionFailure() << "the list did not open";
  for (int guard = 0; view->currentIndex().row() != index && guard < combo->count(); ++guard)
    QTest::keyClick(view, view->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
  QTest::keyClick(view, Qt::Key_Return);
  if (view->isVisible() || combo->currentIndex() != index)
    return ::testing::AssertionFailure() << "the line " << text.toStdString() << " was not taken";
  return can;
}

// Keys typed into whatever has the focus, key by key (a key may move the focus: the first key
// typed on a grid cell opens its editor, which takes the others).
inline void TypeKeys(const QString& text) {
  for (const QChar c : text) TypeText(QApplication::focusWidget(), QString(c));
}

// Clicks into the field, takes away what it holds when `replace`, and types the text.
inline ::testing::AssertionResult TypeInto(QWidget* field, const QString& text,
                                           bool replace = true) {
  ::testing::AssertionResult can = Click(field);
  if (!can) return can;
  QWidget* typing = QApplication::focusWidget();
  if (!typing || (typing != field && !field->isAncestorOf(typing)))
    return ::testing::AssertionFailure()
           << field->objectName().toStdString() << " did not take the focus ("
           << (typing ? typing->objectName().toStdString() : std::string("nothing"))
           << " has it; active window "
           << (QApplication::activeWindow() ? QApplication::activeWindow()->objectName().toStdString()
                                            : std::string("none"))
           << ")";
  if (replace) {
    QTest::keyClick(typing, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(typing, Qt::Key_Delete);
  }
  TypeText(typing, text);
  return can;
}

// A key pressed in the widget that has the focus (a modal window it opens runs inside).
inline void PressKey(Qt::Key key) {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_TRUE(focus) << "nothing has the focus";
  QTest::keyClick(focus, key);
}

// The pop-up menu of `target` opened with the right mouse button at `at` (as the window system
// does: the press, then the context menu event, then the release), and its item `name` (object
// name) clicked in it.
inline ::testing::AssertionResult PopupItem(QWidget* target, QPoint at, QMenu* menu,
                                            const char* name) {
  ::testing::AssertionResult can = Reachable(target);
  if (!can) return can;
  ActivateForClick(target);
  QTest::mousePress(target, Qt::RightButton, Qt::NoModifier, at);
  QContextMenuEvent context(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
  QApplication::sendEvent(target, &context);
  QTest::mouseRelease(target, Qt::RightButton, Qt::NoModifier, at);
  if (!QTest::qWaitFor([&] { return menu->isVisible(); }, 1000))
    return ::testing::AssertionFailure() << "the pop-up menu did not open";
  QAction* item = nullptr;
  for (QAction* a : menu->actions())
    if (a->objectName() == QLatin1String(name)) item = a;
  if (!item || !item->isVisible() || !item->isEnabled()) {
    menu->close();
    return ::testing::AssertionFailure() << name << " cannot be clicked";
  }
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
  return can;
}

}  // namespace tav::test
