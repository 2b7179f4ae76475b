#include "kitchen/ui/freezer_picture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTreeWidget>
#include <algorithm>

#include "kitchen/ui/freezer_dialog.h"
#include "platform/qt/qt_text.h"

namespace tav {

namespace {

// The compartment's number (14 point at 35, 4) and name (10 point at 30, 25) in dark blue with a
// light two-pixel halo, drawn over the compartment picture.
void DrawLabel(QPainter& p, const QPoint& at, const QString& number, const QString& name) {
  QFont big = p.font();
  big.setPointSize(14);
  QFont small = p.font();
  small.setPointSize(10);
  const auto text = [&](const QColor& colour, int dx, int dy) {
    p.setPen(colour);
    p.setFont(big);
    p.drawText(QRect(at.x() + 35 + dx, at.y() + 4 + dy, 100, 22), Qt::AlignLeft | Qt::AlignTop,
               number);
    p.setFont(small);
    p.drawText(QRect(at.x() + 30 + dx, at.y() + 25 + dy, 108, 18), Qt::AlignLeft | Qt::AlignTop,
               name);
  };
  static const QPoint halo[] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1},
                                {-2, 0},  {2, 0},  {0, -2}, {0, 2}};
  for (const QPoint& d : halo) text(QColor(0, 221, 255), d.x(), d.y());
  text(QColor(34, 34, 119), 0, 0);
}

}  // namespace

void DrawFreezer(QPainter& p, const TCoolDlg& dlg, int x, bool labels, int current) {
  auto& self = const_cast<TCoolDlg&>(dlg);
  const CO_SCHRANK* s = self.CurrentFreezer();
  int y = 10;
  p.drawImage(x, y, dlg.TruheObenImg);
  y += 54;
  if (s) {
    const int inUse = std::min<int>(s->count, static_cast<int>(s->faecher.size()));
    for (int i = 0; i < inUse; ++i) {
      const bool lit = current == -2 || i == current;
      p.drawImage(x, y, lit ? dlg.TruheFachSImg : dlg.TruheFachImg);
      if (labels)
        DrawLabel(p, QPoint(x, y), QString::number(ShownCompartmentNumber(*s, i)),
                  toQ(s->faecher[i].name));
      y += 48;
    }
  }
  p.drawImage(x, y, dlg.TruheUntenImg);
}

FreezerPicture::FreezerPicture(TCoolDlg* dlg, QWidget* parent) : QWidget(parent), dlg_(dlg) {
  setCursor(Qt::PointingHandCursor);
  setAcceptDrops(true);
  setMinimumSize(150, 330);
}

int FreezerHeight(const TCoolDlg& dlg) {
  const CO_SCHRANK* s = const_cast<TCoolDlg&>(dlg).CurrentFreezer();
  const int inUse = s ? std::min<int>(s->count, static_cast<int>(s->faecher.size())) : 0;
  return 10 + 54 + 48 * inUse + dlg.TruheUntenImg.height() + 10;
}

double FreezerPicture::Scale() const {
  const int needed = FreezerHeight(*dlg_);
  return needed > height() && height() > 0 ? static_cast<double>(height()) / needed : 1.0;
}

int FreezerPicture::PictureY(const QPointF& at) const {
  return static_cast<int>(at.y() / Scale());
}

void FreezerPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  // A freezer of many compartments is drawn smaller, so every compartment stays in reach.
  const double scale = Scale();
  p.scale(scale, scale);
  const int current = dlg_->AllFaecher && dlg_->ViewMode == 0 ? -2 : dlg_->CurFach;
  DrawFreezer(p, *dlg_, static_cast<int>(width() / scale) / 2 - 70, dlg_->ViewMode == 0, current);
}

void FreezerPicture::mousePressEvent(QMouseEvent* e) {
  dlg_->PaintGraphMouseDown(PictureY(e->position()));
}

// A drag of a usual food is taken on entering wherever it enters; whether it may be let go
// is decided at each position it moves over.
void FreezerPicture::dragEnterEvent(QDragEnterEvent* e) {
  if (!dlg_->AcceptsFoodTypeDrag(e)) {
    e->ignore();
    return;
  }
  e->setDropAction(Qt::CopyAction);
  e->accept();
}

void FreezerPicture::dragMoveEvent(QDragMoveEvent* e) {
  if (dlg_->AcceptsFoodTypeDrag(e) && dlg_->DropCompartment(PictureY(e->position())) >= 0) {
    e->setDropAction(Qt::CopyAction);
    e->accept();
  } else {
    e->ignore();
  }
}

void FreezerPicture::dropEvent(QDropEvent* e) {
  const int y = PictureY(e->position());
  if (!dlg_->AcceptsFoodTypeDrag(e) || dlg_->DropCompartment(y) < 0) {
    e->ignore();
    return;
  }
  e->setDropAction(Qt::CopyAction);
  e->accept();
  dlg_->PaintGraphDragDrop(y);
}

}  // namespace tav
