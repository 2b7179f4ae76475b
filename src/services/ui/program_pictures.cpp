#include "services/ui/program_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace tav {

namespace {

// A plate seen from above with fork and knife beside it, centred on c with plate radius r.
void DrawPlate(QPainter& p, QPointF c, qreal r, const QColor& rim) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 50));
  p.drawEllipse(c + QPointF(r * 0.06, r * 0.08), r, r);
  QRadialGradient g(c, r);
  g.setColorAt(0.0, QColor(255, 255, 255));
  g.setColorAt(0.8, QColor(244, 241, 234));
  g.setColorAt(1.0, rim);
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  p.setPen(QPen(QColor(0, 0, 0, 40), r * 0.03));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, r * 0.68, r * 0.68);

  const QPen metal(QColor(235, 235, 235), r * 0.09, Qt::SolidLine, Qt::RoundCap);
  p.setPen(metal);
  const qreal fx = c.x() - r * 1.35, kx = c.x() + r * 1.35;
  p.drawLine(QPointF(fx, c.y() - r * 0.2), QPointF(fx, c.y() + r * 0.95));
  for (int i = -1; i <= 1; ++i)
    p.drawLine(QPointF(fx + i * r * 0.12, c.y() - r * 0.9),
               QPointF(fx + i * r * 0.12, c.y() - r * 0.35));
  p.drawLine(QPointF(fx - r * 0.12, c.y() - r * 0.35), QPointF(fx + r * 0.12, c.y() - r * 0.35));
  p.drawLine(QPointF(kx, c.y() - r * 0.2), QPointF(kx, c.y() + r * 0.95));
  QPainterPath blade;
  blade.moveTo(kx - r * 0.05, c.y() - r * 0.15);
  blade.lineTo(kx - r * 0.05, c.y() - r * 0.95);
  blade.quadTo(kx + r * 0.22, c.y() - r * 0.6, kx + r * 0.05, c.y() - r * 0.15);
  blade.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(235, 235, 235));
  p.drawPath(blade);
}

// A sprig of three leaves on the plate.
void DrawHerb(QPainter& p, QPointF c, qreal s) {
  p.setPen(QPen(QColor(60, 110, 50), s * 0.06, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-s * 0.4, s * 0.3), c + QPointF(s * 0.3, -s * 0.3));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(88, 150, 64));
  for (int i = 0; i < 3; ++i) {
    p.save();
    p.translate(c + QPointF(-s * 0.25 + i * s * 0.22, s * 0.18 - i * s * 0.2));
    p.rotate(i % 2 ? 35 : -55);
    p.drawEllipse(QPointF(0, -s * 0.14), s * 0.09, s * 0.18);
    p.restore();
  }
  p.setBrush(QColor(200, 60, 45));
  p.drawEllipse(c + QPointF(s * 0.1, s * 0.25), s * 0.12, s * 0.12);
}

}  // namespace

QPixmap StartPicture(const QString& versionLine) {
  QPixmap pm(390, 252);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bg(0, 0, 0, 252);
  bg.setColorAt(0, QColor(46, 92, 58));
  bg.setColorAt(1, QColor(24, 54, 34));
  p.fillRect(pm.rect(), bg);
  p.setPen(QPen(QColor(255, 255, 255, 60), 1));
  p.drawRect(QRectF(6.5, 6.5, 376, 238));

  DrawPlate(p, QPointF(310, 112), 44, QColor(210, 200, 180));
  DrawHerb(p, QPointF(310, 112), 38);

  QFont title(QStringLiteral("DejaVu Serif"));
  title.setPixelSize(42);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(250, 244, 228));
  p.drawText(QRectF(26, 60, 230, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tavolin!"));
  p.setPen(QPen(QColor(224, 168, 72), 3));
  p.drawLine(QPointF(30, 124), QPointF(200, 124));

  QFont small(QStringLiteral("DejaVu Sans"));
  small.setPixelSize(12);
  p.setFont(small);
  p.setPen(QColor(220, 230, 215));
  p.drawText(QRectF(26, 206, 340, 20), Qt::AlignLeft | Qt::AlignVCenter, versionLine);
  return pm;
}

QPixmap ProductLogo(bool highlighted) {
  QPixmap pm(120, 123);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bg(0, 0, 0, 123);
  bg.setColorAt(0, highlighted ? QColor(214, 116, 44) : QColor(62, 116, 74));
  bg.setColorAt(1, highlighted ? QColor(150, 70, 28) : QColor(30, 64, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(bg);
  p.drawRoundedRect(QRectF(2, 2, 116, 119), 16, 16);
  DrawPlate(p, QPointF(60, 54), 26, QColor(210, 200, 180));
  DrawHerb(p, QPointF(60, 54), 22);
  QFont f(QStringLiteral("DejaVu Serif"));
  f.setPixelSize(20);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(250, 244, 228));
  p.drawText(QRectF(0, 88, 120, 28), Qt::AlignCenter, QStringLiteral("Tavolin!"));
  return pm;
}

QPixmap WelcomePicture() {
  QPixmap pm(40, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bg(0, 0, 0, 32);
  bg.setColorAt(0, QColor(62, 116, 74));
  bg.setColorAt(1, QColor(30, 64, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(bg);
  p.drawRoundedRect(QRectF(1, 1, 38, 30), 6, 6);
  DrawPlate(p, QPointF(20, 16), 11, QColor(210, 200, 180));
  DrawHerb(p, QPointF(20, 16), 9);
  return pm;
}

QPixmap FormatBanner(const QString& text, const QColor& colour) {
  QPixmap pm(88, 31);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bg(0, 0, 0, 31);
  bg.setColorAt(0, colour.lighter(130));
  bg.setColorAt(1, colour);
  p.fillRect(pm.rect(), bg);
  p.setPen(QColor(255, 255, 255, 120));
  p.drawRect(QRectF(0.5, 0.5, 87, 30));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(14);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(pm.rect(), Qt::AlignCenter, text);
  return pm;
}

QPixmap CategoryKindPicture(int kind) {
  QPixmap pm(14, 14);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor main(0x2E, 0x6B, 0xB8), sub(0x3C, 0x9A, 0x4A), free(0x9A, 0x9A, 0x9A);
  if (kind == 1) {
    // A filled folder: the category recipes are filed under.
    p.setPen(QPen(main.darker(140), 1));
    p.setBrush(main);
    p.drawRoundedRect(QRectF(1.5, 3.5, 11, 9), 1.5, 1.5);
    p.drawRect(QRectF(1.5, 1.5, 5, 2));
  } else if (kind == 2) {
    // An arrow into a folder: the name stands for main categories.
    p.setPen(QPen(sub.darker(140), 1));
    p.setBrush(sub.lighter(160));
    p.drawRoundedRect(QRectF(4.5, 4.5, 8, 8), 1.5, 1.5);
    p.setPen(QPen(sub.darker(120), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1.5, 2), QPointF(8, 8.5));
    p.drawLine(QPointF(8, 8.5), QPointF(8, 5.5));
    p.drawLine(QPointF(8, 8.5), QPointF(5, 8.5));
  } else {
    // An open ring: a name that belongs nowhere yet.
    p.setPen(QPen(free, 1.6, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 2, 10, 10));
  }
  p.end();
  return pm;
}

}  // namespace tav
