#include "services/ui/main_window_access.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

namespace tav {

std::vector<QAction*> MainWindowAccess::BookMenuItems(QMenu* menu) {
  std::vector<QAction*> items;
  if (!menu) return items;
  for (QAction* a : menu->actions())
    if (a->property("bookItem").toBool()) items.push_back(a);
  return items;
}

}  // namespace tav
