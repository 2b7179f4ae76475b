#include "services/ui/elided_label.h"

#include <QPainter>
#include <QStyle>

namespace tav {

QRect ElidedLabel::TextRect() const {
  const int m = margin();
  return contentsRect().adjusted(m, m, -m, -m);
}

QString ElidedLabel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, TextRect().width());
}

// Only the height counts: the width is whatever the layout gives.
QSize ElidedLabel::minimumSizeHint() const {
  return QSize(0, QLabel::minimumSizeHint().height());
}

QSize ElidedLabel::sizeHint() const {
  return QSize(fontMetrics().averageCharWidth() * 10, QLabel::sizeHint().height());
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
  // A text that fits is drawn as any label draws it (a selection of it included).
  if (fontMetrics().horizontalAdvance(text()) <= TextRect().width()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  drawFrame(&painter);
  style()->drawItemText(&painter, TextRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                        palette(), isEnabled(), ShownText(), foregroundRole());
}

}  // namespace tav
