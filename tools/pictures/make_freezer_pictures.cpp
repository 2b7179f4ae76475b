// Draws the pictures of the freezer window into data/Data/ (PNG, 24-bit on white; the program
// takes pure white as transparent):
//   TruheOben.png   144 x 54  the top of an upright freezer with its control panel
//   TruheFach.png   144 x 48  one compartment (a drawer front)
//   TruheFachS.png  144 x 48  the same compartment highlighted
//   TruheUnten.png  144 x 39  the plinth with its feet
//   Angebrochen.png  11 x 11  the mark of an opened pack
//   TypGruppe.png    16 x 16  a group of the usual-foods tree (a frosted box)
//   TypLebensmittel.png 16 x 16 a food of the usual-foods tree (a snowflake)
// The compartment leaves its left two thirds plain: the window writes the compartment's number
// at (35, 4) and its name at (30, 25) onto it.
// Build and run from the repository folder:
//   g++ -std=c++20 -fPIC tools/pictures/make_freezer_pictures.cpp -o /tmp/make_freezer_pictures \
//       $(pkg-config --cflags --libs Qt6Gui) && QT_QPA_PLATFORM=offscreen
//       /tmp/make_freezer_pictures
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

// The body's outline: 2 pixels in from each side, so the halo of a label stays inside.
const QColor kFrame(0x55, 0x6b, 0x86);
const QColor kBodyLight(0xf2, 0xf6, 0xfb);
const QColor kBodyDark(0xc9, 0xd5, 0xe3);
const QColor kHandle(0x8d, 0x9c, 0xb0);

QImage Canvas(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}

bool Save(const QImage& img, const char* name) {
  const QString path = QStringLiteral("data/Data/") + QString::fromLatin1(name);
  const bool ok = img.convertToFormat(QImage::Format_RGB888).save(path, "PNG");
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", name);
  return ok;
}

QLinearGradient Body(double x0, double x1, const QColor& light, const QColor& dark) {
  QLinearGradient g(x0, 0, x1, 0);
  g.setColorAt(0.0, dark);
  g.setColorAt(0.18, light);
  g.setColorAt(0.75, light);
  g.setColorAt(1.0, dark);
  return g;
}

// Six arms of length r, each with two twigs at six tenths of its length.
void Snowflake(QPainter& p, const QPointF& c, double r, double turn, const QPen& pen) {
  p.setPen(pen);
  for (int k = 0; k < 6; ++k) {
    const double a = k * M_PI / 3 + turn;
    p.drawLine(c, c + QPointF(std::cos(a) * r, std::sin(a) * r));
    const QPointF mid = c + QPointF(std::cos(a) * r * 0.6, std::sin(a) * r * 0.6);
    const double twig = r / 3;
    p.drawLine(mid, mid + QPointF(std::cos(a + 0.85) * twig, std::sin(a + 0.85) * twig));
    p.drawLine(mid, mid + QPointF(std::cos(a - 0.85) * twig, std::sin(a - 0.85) * twig));
  }
}

QImage Top() {
  QImage img = Canvas(144, 54);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // The rounded top of the cabinet, open at the bottom where the first drawer follows.
  QPainterPath shape;
  shape.moveTo(2.5, 54);
  shape.lineTo(2.5, 12);
  shape.quadTo(2.5, 2.5, 12, 2.5);
  shape.lineTo(132, 2.5);
  shape.quadTo(141.5, 2.5, 141.5, 12);
  shape.lineTo(141.5, 54);
  p.setPen(Qt::NoPen);
  p.setBrush(Body(2, 142, kBodyLight, kBodyDark));
  p.drawPath(shape);
  p.setPen(QPen(kFrame, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shape);
  // Control panel: a dark display with a blue temperature and a green lamp.
  p.setPen(QPen(kFrame, 1));
  p.setBrush(QColor(0x2b, 0x35, 0x45));
  p.drawRoundedRect(QRectF(14, 14, 54, 22), 3, 3);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(13);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(0x6f, 0xd3, 0xff));
  p.drawText(QRectF(14, 14, 54, 22), Qt::AlignCenter, QStringLiteral("-18\u00B0"));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x36, 0xc2, 0x5a));
  p.drawEllipse(QPointF(80, 25), 3.2, 3.2);
  // A snowflake badge at the right.
  Snowflake(p, QPointF(121, 25), 9, 0,
            QPen(QColor(0x4a, 0x8f, 0xd8), 1.6, Qt::SolidLine, Qt::RoundCap));
  // The seam above the first drawer.
  p.setPen(QPen(kFrame, 1.2));
  p.drawLine(QPointF(2.5, 47.5), QPointF(141.5, 47.5));
  return img;
}

QImage Compartment(bool lit) {
  QImage img = Canvas(144, 48);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // The cabinet's sides.
  p.setPen(Qt::NoPen);
  p.setBrush(Body(2, 142, kBodyLight, kBodyDark));
  p.drawRect(QRectF(2.5, 0, 139, 48));
  p.setPen(QPen(kFrame, 1.6));
  p.drawLine(QPointF(2.5, 0), QPointF(2.5, 48));
  p.drawLine(QPointF(141.5, 0), QPointF(141.5, 48));
  // The drawer front, with a soft fill that the label's halo stands out against.
  const QRectF front(7, 3.5, 130, 41);
  QLinearGradient g(0, front.top(), 0, front.bottom());
  if (lit) {
    g.setColorAt(0, QColor(0xff, 0xf3, 0xb0));
    g.setColorAt(1, QColor(0xf7, 0xd8, 0x5c));
  } else {
    g.setColorAt(0, QColor(0xe9, 0xf0, 0xf8));
    g.setColorAt(1, QColor(0xd3, 0xdf, 0xec));
  }
  p.setBrush(g);
  p.setPen(QPen(lit ? QColor(0xb8, 0x8a, 0x10) : kFrame, lit ? 1.8 : 1.2));
  p.drawRoundedRect(front, 3, 3);
  // The handle on the right.
  p.setPen(Qt::NoPen);
  p.setBrush(lit ? QColor(0x9a, 0x74, 0x10) : kHandle);
  p.drawRoundedRect(QRectF(116, 12, 12, 24), 4, 4);
  p.setBrush(lit ? QColor(0xff, 0xe6, 0x8a) : QColor(0xe4, 0xea, 0xf2));
  p.drawRoundedRect(QRectF(119, 15, 6, 18), 2.5, 2.5);
  return img;
}

QImage Bottom() {
  QImage img = Canvas(144, 39);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath shape;
  shape.moveTo(2.5, 0);
  shape.lineTo(2.5, 24);
  shape.quadTo(2.5, 28.5, 7, 28.5);
  shape.lineTo(137, 28.5);
  shape.quadTo(141.5, 28.5, 141.5, 24);
  shape.lineTo(141.5, 0);
  p.setPen(Qt::NoPen);
  p.setBrush(Body(2, 142, kBodyLight, kBodyDark));
  p.drawPath(shape);
  p.setPen(QPen(kFrame, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shape);
  // The ventilation grille of the plinth.
  p.setPen(QPen(kFrame, 1));
  p.drawLine(QPointF(2.5, 4.5), QPointF(141.5, 4.5));
  p.setPen(QPen(QColor(0x8a, 0x9a, 0xae), 1.4, Qt::SolidLine, Qt::RoundCap));
  for (int x = 26; x <= 118; x += 8) p.drawLine(QPointF(x, 11), QPointF(x, 22));
  // Feet.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x3c, 0x47, 0x57));
  p.drawRoundedRect(QRectF(12, 29, 14, 8), 2, 2);
  p.drawRoundedRect(QRectF(118, 29, 14, 8), 2, 2);
  return img;
}

QImage Opened() {
  QImage img = Canvas(11, 11);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // A pack with its corner torn off.
  QPainterPath pack;
  pack.moveTo(1, 3.5);
  pack.lineTo(4.5, 1);
  pack.lineTo(10, 1);
  pack.lineTo(10, 10);
  pack.lineTo(1, 10);
  pack.closeSubpath();
  p.setPen(QPen(QColor(0x9a, 0x4b, 0x00), 1));
  p.setBrush(QColor(0xf2, 0x91, 0x00));
  p.drawPath(pack);
  p.setPen(QPen(QColor(0xff, 0xf1, 0xd6), 1.2));
  p.drawLine(QPointF(3, 6.5), QPointF(8, 6.5));
  return img;
}

QImage GroupIcon() {
  QImage img = Canvas(16, 16);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // A frosted storage box with its lid.
  p.setPen(QPen(QColor(0x2f, 0x5f, 0x99), 1));
  p.setBrush(QColor(0x9c, 0xc8, 0xf2));
  p.drawRoundedRect(QRectF(2.5, 6.5, 11, 7.5), 1.5, 1.5);
  p.setBrush(QColor(0x4f, 0x8f, 0xd6));
  p.drawRoundedRect(QRectF(1.5, 3.5, 13, 3.5), 1.2, 1.2);
  p.setPen(QPen(QColor(0xf6, 0xfb, 0xff), 1));
  p.drawLine(QPointF(6, 10), QPointF(10, 10));
  return img;
}

QImage FoodIcon() {
  QImage img = Canvas(16, 16);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Snowflake(p, QPointF(8, 8), 6.2, M_PI / 6,
            QPen(QColor(0x2c, 0x7b, 0xc9), 1.4, Qt::SolidLine, Qt::RoundCap));
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  bool ok = Save(Top(), "TruheOben.png");
  ok = Save(Compartment(false), "TruheFach.png") && ok;
  ok = Save(Compartment(true), "TruheFachS.png") && ok;
  ok = Save(Bottom(), "TruheUnten.png") && ok;
  ok = Save(Opened(), "Angebrochen.png") && ok;
  ok = Save(GroupIcon(), "TypGruppe.png") && ok;
  ok = Save(FoodIcon(), "TypLebensmittel.png") && ok;
  return ok ? 0 : 1;
}
