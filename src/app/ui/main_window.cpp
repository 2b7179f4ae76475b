#include "app/ui/main_window.h"

#include <QMenuBar>
#include <QToolBar>

namespace tav {

TMainFrm* MainFrm = nullptr;

TMainFrm::TMainFrm(QWidget* parent) : QMainWindow(parent) {
  MainFrm = this;
  setObjectName(QStringLiteral("MainFrm"));
  setWindowTitle(QStringLiteral("Tavolin"));
  menuBar()->setObjectName(QStringLiteral("MainMenu"));
  auto* bar = addToolBar(QStringLiteral("MainToolBar"));
  bar->setObjectName(QStringLiteral("MainToolBar"));
  resize(640, 480);
}

void TMainFrm::ProgressRelay(int, const std::string&, int) {}

}  // namespace tav
