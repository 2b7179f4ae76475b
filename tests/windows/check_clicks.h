#pragma once
// A click on a check box or a radio button where a user clicks it: on its box or its caption.
// A layout may make the button wider than both, and the empty part takes no click.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "windows/user_gestures.h"

namespace tav::test {

inline ::testing::AssertionResult ClickBox(QAbstractButton* box) {
  ::testing::AssertionResult can = Reachable(box);
  if (!can) return can;
  QStyleOptionButton option;
  option.initFrom(box);
  option.text = box->text();
  option.iconSize = box->iconSize();
  const QStyle::SubElement element = qobject_cast<QRadioButton*>(box)
                                         ? QStyle::SE_RadioButtonClickRect
                                         : QStyle::SE_CheckBoxClickRect;
  const QRect area = box->style()->subElementRect(element, &option, box);
  ActivateForClick(box);
  QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, area.center());
  return can;
}

// Waits until the window of `w` is the active one, as it is once the window system has shown
// it; the focus it gave a field is there to type into then.
inline ::testing::AssertionResult WhenActive(QWidget* w) {
  ActivateForClick(w);
  if (QApplication::activeWindow() != w->window())
    return ::testing::AssertionFailure() << w->window()->objectName().toStdString()
                                         << " did not become active";
  return ::testing::AssertionSuccess();
}

}  // namespace tav::test
