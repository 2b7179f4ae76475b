#pragma once
// What the window tests of the reference windows share: a click on a check box or radio button
// where a user clicks it, waiting for a window the program shows, and the last entry of what a
// fake recorded (none when nothing was recorded, so a missing call fails instead of crashing).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <vector>

#include "platform/qt/qt_text.h"
#include "windows/user_gestures.h"

namespace tav::test {

// A click on the box or the caption: a layout may make the button wider than both, and the
// empty part takes no click.
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

template <typename T>
T LastOf(const std::vector<T>& recorded) {
  return recorded.empty() ? T() : recorded.back();
}

// The text of the list's current item; "" for none.
inline std::string CurrentText(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item ? fromQ(item->text()) : std::string();
}

}  // namespace tav::test
