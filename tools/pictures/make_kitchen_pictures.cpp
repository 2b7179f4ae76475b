// Draws the small pictures of the menu planner pane into data/Data/ (PNG, transparent):
//   Menueplan.png   96 x 96  a plate with knife and fork (the pane's menu picture)
//   Schliessen14.png 14 x 14 the close button of the pane's title strip
//   Hilfe14.png      14 x 14 the help button of the pane's title strip
//   PfeilAuf.png, PfeilAb.png 16 x 16 the arrows that move a course
// Build and run from the repository folder:
//   g++ -std=c++20 -fPIC tools/pictures/make_kitchen_pictures.cpp -o /tmp/make_kitchen_pictures \
//       $(pkg-config --cflags --libs Qt6Gui) && QT_QPA_PLATFORM=offscreen /tmp/make_kitchen_pictures
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

const QColor kNavy(0x00, 0x00, 0x88);
const QColor kYellow(0xff, 0xdd, 0x33);

QImage Canvas(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

bool Save(const QImage& img, const char* name) {
  const QString path = QStringLiteral("data/Data/") + QString::fromLatin1(name);
  const bool ok = img.save(path, "PNG");
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", name);
  return ok;
}

QImage MenuPicture() {
  QImage img = Canvas(96, 96);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // The plate: a cream disc with a gold rim and a soft well.
  p.setPen(QPen(QColor(0xc8, 0xa2, 0x4a), 2.5));
  p.setBrush(QColor(0xfb, 0xf6, 0xea));
  p.drawEllipse(QPointF(48, 48), 31, 31);
  p.setPen(QPen(QColor(0xe2, 0xd4, 0xb2), 1.5));
  p.setBrush(QColor(0xf5, 0xee, 0xdc));
  p.drawEllipse(QPointF(48, 48), 21, 21);
  // Fork on the left.
  const QColor steel(0xd9, 0xdc, 0xe6);
  p.setPen(Qt::NoPen);
  p.setBrush(steel);
  p.drawRoundedRect(QRectF(8, 38, 4.5, 48), 2, 2);
  p.drawRoundedRect(QRectF(5, 12, 11, 28), 4, 4);
  p.setBrush(kNavy);
  for (double x : {7.6, 10.6}) p.drawRect(QRectF(x, 11, 1.2, 16));
  // Knife on the right.
  p.setBrush(steel);
  p.drawRoundedRect(QRectF(83.5, 50, 4.5, 36), 2, 2);
  QPainterPath blade;
  blade.moveTo(83.5, 52);
  blade.lineTo(83.5, 16);
  blade.quadTo(92, 22, 90.5, 52);
  blade.closeSubpath();
  p.drawPath(blade);
  // A star of yellow on the plate: the menu.
  p.setBrush(kYellow);
  QPainterPath star;
  for (int k = 0; k < 10; ++k) {
    const double r = k % 2 ? 5.5 : 12.5;
    const double a = -M_PI / 2 + k * M_PI / 5;
    const QPointF pt(48 + r * std::cos(a), 49 + r * std::sin(a));
    if (k == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  p.drawPath(star);
  return img;
}

QImage CloseButton() {
  QImage img = Canvas(14, 14);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xdc, 0xe0, 0xf4));
  p.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 2.5, 2.5);
  p.setPen(QPen(kNavy, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(4, 4), QPointF(10, 10));
  p.drawLine(QPointF(10, 4), QPointF(4, 10));
  return img;
}

QImage HelpButton() {
  QImage img = Canvas(14, 14);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kYellow);
  p.drawEllipse(QRectF(0.5, 0.5, 13, 13));
  p.setPen(QPen(kNavy, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath q;
  q.moveTo(4.6, 5.4);
  q.cubicTo(4.6, 2.6, 9.6, 2.6, 9.4, 5.4);
  q.cubicTo(9.3, 7.0, 7.0, 7.2, 7.0, 8.8);
  p.setBrush(Qt::NoBrush);
  p.drawPath(q);
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  p.drawEllipse(QPointF(7.0, 11.0), 1.1, 1.1);
  return img;
}

QImage Arrow(bool up) {
  QImage img = Canvas(16, 16);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  QPainterPath tri;
  if (up) {
    tri.moveTo(8, 3);
    tri.lineTo(14, 12);
    tri.lineTo(2, 12);
  } else {
    tri.moveTo(2, 4);
    tri.lineTo(14, 4);
    tri.lineTo(8, 13);
  }
  tri.closeSubpath();
  p.drawPath(tri);
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  bool ok = Save(MenuPicture(), "Menueplan.png");
  ok = Save(CloseButton(), "Schliessen14.png") && ok;
  ok = Save(HelpButton(), "Hilfe14.png") && ok;
  ok = Save(Arrow(true), "PfeilAuf.png") && ok;
  ok = Save(Arrow(false), "PfeilAb.png") && ok;
  return ok ? 0 : 1;
}
