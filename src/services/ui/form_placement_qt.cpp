#include "services/ui/form_placement_qt.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "services/form_placement.h"
#include "services/ui/main_window_access.h"

namespace tav {

void CenterOnForm(QWidget* control, QWidget* form) {
  if (!control) return;
  if (!form && MainWindow()) form = MainWindow()->FrameWidget();
  if (!form) return;
  const QRect f = form->frameGeometry();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize s = screen ? screen->size() : QSize(1024, 768);
  const PlacedPoint p = CenterOnFormPosition(f.left(), f.top(), f.width(), f.height(),
                                             control->width(), control->height(), s.width(),
                                             s.height());
  control->move(p.left, p.top);
}

}  // namespace tav
