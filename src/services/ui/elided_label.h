#pragma once
// A one-line caption that never widens its window: a text longer than the label is cut with an
// ellipsis where it is drawn, while text() stays the whole text.
#include <QLabel>

namespace tav {

class ElidedLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

  // The text as it is drawn at the label's present width.
  QString ShownText() const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect TextRect() const;
};

}  // namespace tav
