#include "app/ui/application.h"

#include <exception>

#include "app/context.h"
#include "platform/services.h"

namespace tav {

TavolinApplication::TavolinApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void ShowException(const std::exception& e) {
  MessageBox(e.what(), "Tavolin", MB_OK | MB_ICONERROR);
}

bool TavolinApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowException(e);
  }
  return false;
}

}  // namespace tav
