// The program entry: settings and services, then the start-up and the message loop.
#include <QLocale>
#include <clocale>

#include "app/ui/application.h"
#include "app/ui/startup.h"
#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "services/context.h"
#include "services/lang_table.h"

int main(int argc, char** argv) {
  tav::TavolinApplication app(argc, argv);
  // Qt sets the C locale from the environment; number texts must not follow it.
  std::setlocale(LC_NUMERIC, "C");
  const QString point = QLocale::system().decimalPoint();
  tav::SetDecimalSep(
      tav::DecimalSepForLocale(tav::NumericLocaleName(), point == QLatin1String(",") ? ',' : '.'));

  auto userSettings = tav::OpenUserSettings();
  auto machineSettings = tav::OpenMachineSettings();
  tav::ctx().userSettings = userSettings.get();
  tav::ctx().machineSettings = machineSettings.get();
  tav::InstallQtServices();
  // The language chosen for the program (read again by the localisation window) also
  // decides Qt's own texts.
  const auto qtTexts = tav::InstallQtTranslations(tav::LanguageFromSettings());
  return tav::RunProgram(app);
}
