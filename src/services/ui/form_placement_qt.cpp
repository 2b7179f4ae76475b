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
  if (!control->isWindow()) {
    const PlacedPoint p = CenterOnFormPosition(f.left(), f.top(), f.width(), f.height(),
                                               control->width(), control->height(), s.width(),
                                               s.height());
    control->move(p.left, p.top);
    return;
  }
  // The window is centred with its frame, but placed by its client area: a frame position is
  // taken as a client position by some window managers, and the window would creep down by
  // its title bar at every showing.
  const QRect frame = control->frameGeometry();
  const QRect client = control->geometry();
  const PlacedPoint p = CenterOnFormPosition(f.left(), f.top(), f.width(), f.height(),
                                             frame.width(), frame.height(), s.width(), s.height());
  // Only the position is decided here: a window not shown yet still takes its own size then.
  const bool sized = control->testAttribute(Qt::WA_Resized);
  control->setGeometry(p.left + client.left() - frame.left(), p.top + client.top() - frame.top(),
                       client.width(), client.height());
  if (!sized) control->setAttribute(Qt::WA_Resized, false);
}

}  // namespace tav
