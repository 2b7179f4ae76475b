#include "recipes/ui/rating_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace tav {
namespace {

QPainterPath Star(QPointF centre, qreal outer) {
  QPainterPath path;
  const qreal inner = outer * 0.45;
  for (int i = 0; i < 10; ++i) {
    const qreal r = i % 2 ? inner : outer;
    const qreal a = -M_PI / 2 + i * M_PI / 5;
    const QPointF p(centre.x() + r * qCos(a), centre.y() + r * qSin(a));
    if (i == 0) path.moveTo(p);
    else path.lineTo(p);
  }
  path.closeSubpath();
  return path;
}

QPixmap Blank(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::white);
  return pm;
}

}  // namespace

QPixmap QualityPicture(int marks) {
  QPixmap pm = Blank(113, 18);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 5; ++i) {
    const QPainterPath star = Star(QPointF(11 + i * 22.5, 9.5), 8.5);
    const bool on = i < marks;
    p.setPen(QPen(on ? QColor(0xB8, 0x86, 0x0B) : QColor(0xA0, 0xA0, 0xA0), 1.0));
    p.setBrush(on ? QColor(0xF5, 0xB7, 0x01) : QColor(0xF4, 0xF4, 0xF4));
    p.drawPath(star);
  }
  return pm;
}

QPixmap DifficultyPicture(int marks) {
  QPixmap pm = Blank(111, 15);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // Five pills; the filled ones count.
  for (int i = 0; i < 5; ++i) {
    const QRectF pill(2.5 + i * 21.5, 3.5, 18, 8);
    const bool on = i < marks;
    p.setPen(QPen(on ? QColor(0x8B, 0x25, 0x00) : QColor(0xA0, 0xA0, 0xA0), 1.0));
    p.setBrush(on ? QColor(0xD9, 0x53, 0x1E) : QColor(0xF4, 0xF4, 0xF4));
    p.drawRoundedRect(pill, 4, 4);
  }
  return pm;
}

}  // namespace tav
