#include "diary/ui/diary_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace tav {

namespace {

void DrawCheck(QPainter& p, const QColor& colour, double w) {
  QPainterPath path;
  path.moveTo(3.5, 8.5);
  path.lineTo(7, 12.5);
  path.lineTo(13.5, 4);
  p.setPen(QPen(colour, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void DrawCross(QPainter& p, const QColor& colour, double w) {
  p.setPen(QPen(colour, w, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(4.5, 4.5), QPointF(12.5, 12.5));
  p.drawLine(QPointF(12.5, 4.5), QPointF(4.5, 12.5));
}

// A round button with a light top, as the overview's marks show it.
void DrawButton(QPainter& p, const QColor& base) {
  QRadialGradient g(QPointF(6, 5), 9);
  g.setColorAt(0, base.lighter(170));
  g.setColorAt(1, base);
  p.setPen(QPen(base.darker(150), 1));
  p.setBrush(g);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

void DrawArrow(QPainter& p, bool up) {
  // The down arrow is the up arrow mirrored about the middle of the 16-pixel square.
  const auto y = [up](double v) { return up ? v : 16 - v; };
  QPainterPath a;
  a.moveTo(8, y(4));
  a.lineTo(12, y(9));
  a.lineTo(9.5, y(9));
  a.lineTo(9.5, y(12));
  a.lineTo(6.5, y(12));
  a.lineTo(6.5, y(9));
  a.lineTo(4, y(9));
  a.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(a);
}

}  // namespace

QPixmap DiaryPixmap(DiaryPicture which) {
  const int side = which == DiaryPicture::Calculated || which == DiaryPicture::NotCalculated ? 17
                   : which == DiaryPicture::Bars                                             ? 14
                                                                                             : 16;
  QPixmap pm(side, side);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (which) {
    case DiaryPicture::Calculated:
      DrawCheck(p, QColor(0, 150, 0), 2.6);
      break;
    case DiaryPicture::NotCalculated:
      DrawCross(p, QColor(210, 0, 0), 2.4);
      break;
    case DiaryPicture::Bars: {
      const QColor yellow(255, 210, 31);
      p.setPen(Qt::NoPen);
      p.setBrush(yellow);
      p.drawRect(QRectF(1, 2, 9, 2.5));
      p.drawRect(QRectF(1, 6, 12, 2.5));
      p.drawRect(QRectF(1, 10, 6, 2.5));
      break;
    }
    case DiaryPicture::ArrowUp:
      DrawButton(p, QColor(220, 20, 20));
      DrawArrow(p, true);
      break;
    case DiaryPicture::ArrowDown:
      DrawButton(p, QColor(220, 20, 20));
      DrawArrow(p, false);
      break;
    case DiaryPicture::Met:
      DrawButton(p, QColor(20, 160, 20));
      break;
    case DiaryPicture::HasValues:
      DrawCheck(p, QColor(0, 128, 0), 2.4);
      break;
    case DiaryPicture::NoValues:
      DrawCross(p, QColor(128, 0, 0), 2.2);
      break;
  }
  p.end();
  return pm;
}

}  // namespace tav
