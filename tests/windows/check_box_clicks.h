#pragma once
// A click on the square of a check box, where the user clicks it (the middle of a wide check
// box may lie past its caption, where a click does nothing).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "windows/user_gestures.h"

namespace tav::test {

inline ::testing::AssertionResult ClickCheckBox(QCheckBox* box) {
  ::testing::AssertionResult can = Reachable(box);
  if (!can) return can;
  QStyleOptionButton option;
  option.initFrom(box);
  const QRect square = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
  ActivateForClick(box);
  QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, square.center());
  return can;
}

}  // namespace tav::test
