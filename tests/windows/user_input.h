#pragma once
// Mouse input as a user gives it: a double click is a press, a release, the double click and
// its release (QTest's double click alone sends only the third).
#include <QPoint>
#include <QTest>
#include <QWidget>

namespace tav::test {

inline void DoubleClick(QWidget* widget, const QPoint& at) {
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace tav::test
