#pragma once
// Mouse input as a user gives it: a double click is a press, a release, the double click and
// its release (QTest's double click alone sends only the third); a menu item is clicked in its
// opened menu.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPoint>
#include <QTest>
#include <QWidget>
#include <vector>

namespace tav::test {

inline void DoubleClick(QWidget* widget, const QPoint& at) {
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
}

// Types text into `widget` as a keyboard does, a press and a release for each character; a
// letter beyond ASCII comes as a key event that carries it as its text (QTest's keyClicks takes
// ASCII only).
inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 128)
      QTest::keyClick(widget, static_cast<char>(c.unicode()));
    else
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// The menu that holds `action` (null for none).
inline QMenu* MenuOf(const QAction* action) {
  for (QObject* o : action->associatedObjects())
    if (auto* menu = qobject_cast<QMenu*>(o)) return menu;
  return nullptr;
}

// Opens the menu bar's menu (and sub-menus) down to `item` with the mouse and clicks the item.
// False, with the menus closed and nothing clicked, when a menu on the way or the item is hidden
// or disabled. A modal window the item opens runs inside this call.
inline bool ClickMenuItem(QMenuBar* bar, QAction* item) {
  std::vector<QMenu*> chain;
  // A menu of the bar ends the chain (the bar's overflow menu may hold its action too).
  for (QMenu* m = MenuOf(item); m;
       m = m->menuAction()->associatedObjects().contains(bar) ? nullptr : MenuOf(m->menuAction()))
    chain.insert(chain.begin(), m);
  if (chain.empty() || !chain[0]->menuAction()->isVisible()) return false;
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                    bar->actionGeometry(chain[0]->menuAction()).center());
  for (size_t i = 0; i < chain.size(); ++i) {
    QMenu* menu = chain[i];
    QAction* next = i + 1 < chain.size() ? chain[i + 1]->menuAction() : item;
    if (!menu->isVisible() || !next->isVisible() || !next->isEnabled()) {
      for (QMenu* open : chain) open->close();
      return false;
    }
    if (i + 1 < chain.size()) {
      menu->setActiveAction(next);  // the mouse resting on a sub-menu opens it
      chain[i + 1]->popup(menu->mapToGlobal(menu->actionGeometry(next).topRight()));
      QApplication::processEvents();
    } else {
      QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
    }
  }
  return true;
}

}  // namespace tav::test
