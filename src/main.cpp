// The program entry: settings, services, then the windows in their creation order.
#include <QApplication>
#include <QLocale>
#include <clocale>
#include <memory>

#include "app/context.h"
#include "app/tools_module.h"
#include "app/ui/lang_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/options_dialog.h"
#include "platform/numbers.h"
#include "platform/qt/qt_services.h"
#include "platform/settings_store.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt sets the C locale from the environment; number texts must not follow it.
  std::setlocale(LC_NUMERIC, "C");
  const QString point = QLocale::system().decimalPoint();
  tav::SetDecimalSep(point == QLatin1String(",") ? ',' : '.');

  auto userSettings = tav::OpenUserSettings();
  auto machineSettings = tav::OpenMachineSettings();
  tav::ctx().userSettings = userSettings.get();
  tav::ctx().machineSettings = machineSettings.get();
  tav::InstallQtServices();

  auto* mainFrm = new tav::TMainFrm;
  tav::ctx().progress = mainFrm;
  tav::LangDlg = new tav::TLangDlg;
  tav::LangDlg->FormCreate(mainFrm);
  static tav::TToolsMod toolsMod;
  tav::ctx().tools = &toolsMod;
  tav::ParaDlg = new tav::TParaDlg(mainFrm);

  mainFrm->show();
  const int rc = app.exec();
  toolsMod.WriteLog("END", 0);
  return rc == 0 ? 0 : rc;
}
