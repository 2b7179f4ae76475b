// The program entry: settings and services, then the start-up and the message loop.
#include <QLocale>
#include <clocale>

#include "app/ui/application.h"
#include "app/ui/startup.h"
#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "services/context.h"

int main(int argc, char** argv) {
  tav::TavolinApplication app(argc, argv);
  // Qt sets the C locale from the environment; number texts must not follow it.
  std::setlocale(LC_NUMERIC, "C");
  const QString point = QLocale::system().decimalPoint();
  tav::SetDecimalSep(point == QLatin1String(",") ? ',' : '.');

  auto userSettings = tav::OpenUserSettings();
  auto machineSettings = tav::OpenMachineSettings();
  tav::ctx().userSettings = userSettings.get();
  tav::ctx().machineSettings = machineSettings.get();
  tav::InstallQtServices();
  return tav::RunProgram(app);
}
