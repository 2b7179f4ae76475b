#include "services/ui/pane_parts.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "platform/qt/qt_text.h"
#include "services/ui/named_controls.h"

namespace tav {

QIcon PaneIcon(PanePicture which) {
  const int side = which == PanePicture::Recipe || which == PanePicture::Remark       ? 12
                   : which == PanePicture::Dealer || which == PanePicture::Ingredient ? 16
                                                                                      : 14;
  QPixmap pm(side, side);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (which) {
    case PanePicture::Close:
      p.setPen(QPen(QColor(255, 210, 31), 2));
      p.drawLine(QPointF(3.5, 3.5), QPointF(10.5, 10.5));
      p.drawLine(QPointF(10.5, 3.5), QPointF(3.5, 10.5));
      break;
    case PanePicture::Help: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 210, 31));
      p.drawEllipse(QRectF(0.5, 0.5, 13, 13));
      QFont f(QStringLiteral("Arial"));
      f.setBold(true);
      f.setPixelSize(11);
      p.setFont(f);
      p.setPen(QColor(0, 0, 136));
      p.drawText(QRectF(0, 0, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case PanePicture::Shop: {
      // A basket: handle, body and the weave.
      const QColor yellow(255, 210, 31);
      p.setPen(QPen(yellow, 1.4));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(3.5, 1.5, 7, 8), 0, 180 * 16);
      QPainterPath body;
      body.moveTo(1, 6);
      body.lineTo(13, 6);
      body.lineTo(11, 13);
      body.lineTo(3, 13);
      body.closeSubpath();
      p.setBrush(yellow);
      p.drawPath(body);
      p.setPen(QPen(QColor(0, 0, 136), 1));
      p.drawLine(QPointF(5, 7.5), QPointF(5.5, 12));
      p.drawLine(QPointF(7, 7.5), QPointF(7, 12));
      p.drawLine(QPointF(9, 7.5), QPointF(8.5, 12));
      break;
    }
    case PanePicture::Recipe: {
      // A plate with a fork beside it.
      p.setPen(QPen(QColor(119, 0, 0), 1));
      p.setBrush(QColor(255, 236, 200));
      p.drawEllipse(QRectF(0.5, 2.5, 8, 8));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(2.5, 4.5, 4, 4));
      p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 11));
      p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4));
      p.drawLine(QPointF(11.5, 1.5), QPointF(11.5, 4));
      break;
    }
    case PanePicture::Remark: {
      // A note with a folded corner and two lines.
      QPainterPath note;
      note.moveTo(1.5, 0.5);
      note.lineTo(8, 0.5);
      note.lineTo(10.5, 3);
      note.lineTo(10.5, 11.5);
      note.lineTo(1.5, 11.5);
      note.closeSubpath();
      p.setPen(QPen(QColor(0, 0, 170), 1));
      p.setBrush(QColor(255, 255, 190));
      p.drawPath(note);
      p.drawLine(QPointF(3, 5), QPointF(9, 5));
      p.drawLine(QPointF(3, 8), QPointF(9, 8));
      break;
    }
    case PanePicture::Dealer: {
      // A shop front: striped awning over a window and a door.
      p.setPen(QPen(QColor(60, 60, 60), 1));
      p.setBrush(QColor(250, 250, 245));
      p.drawRect(QRectF(2.5, 6.5, 11, 8));
      for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? QColor(255, 255, 255) : QColor(200, 30, 30));
        p.drawRect(QRectF(1.5 + i * 3.25, 2.5, 3.25, 4));
      }
      p.setBrush(QColor(120, 170, 220));
      p.drawRect(QRectF(4, 8.5, 4, 3));
      p.setBrush(QColor(140, 90, 40));
      p.drawRect(QRectF(9.5, 8.5, 2.5, 6));
      break;
    }
    case PanePicture::Ingredient: {
      // A small green leaf.
      QPainterPath leaf;
      leaf.moveTo(3, 13);
      leaf.cubicTo(3, 5, 8, 2, 14, 2);
      leaf.cubicTo(14, 8, 10, 13, 3, 13);
      p.setPen(QPen(QColor(30, 110, 30), 1));
      p.setBrush(QColor(110, 190, 80));
      p.drawPath(leaf);
      p.drawLine(QPointF(3, 13), QPointF(11, 5));
      break;
    }
  }
  p.end();
  return QIcon(pm);
}

QWidget* PaneTitleStrip(QWidget* parent, const char* name, QLabel*& caption,
                        QHBoxLayout*& buttons) {
  // Unnamed, so the language file's line of the caption is found through it.
  auto* strip = new QWidget(parent);
  strip->setFixedHeight(17);
  strip->setAttribute(Qt::WA_StyledBackground, true);
  strip->setStyleSheet(QStringLiteral("background: #000088;"));
  caption = Named<QLabel>(strip, name);
  QFont f(QStringLiteral("Arial"));
  f.setBold(true);
  f.setPixelSize(12);
  caption->setFont(f);
  caption->setStyleSheet(QStringLiteral("color: #ffff00; background: transparent;"));
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(0, 0, 2, 0);
  row->setSpacing(2);
  row->addWidget(caption, 1);
  buttons = row;
  return strip;
}

QToolButton* PaneButton(QWidget* parent, const char* name, PanePicture picture) {
  QToolButton* b = Named<QToolButton>(parent, name);
  b->setAutoRaise(true);
  b->setFixedSize(14, 14);
  b->setIconSize(QSize(14, 14));
  b->setIcon(PaneIcon(picture));
  b->setStyleSheet(
      QStringLiteral("QToolButton { border: none; padding: 0; }"
                     "QToolButton:hover { background: #2a2aa8; }"));
  return b;
}

QGroupBox* KitchenGroup(QWidget* parent, const char* name, const char* title) {
  auto* g = Named<QGroupBox>(parent, name);
  g->setTitle(toQ(title));
  return g;
}

QAction* KitchenMenuItem(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(toQ(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

}  // namespace tav
