#include "app/ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "platform/qt/qt_services.h"
#include "platform/services.h"
#include "services/context.h"

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

void InstallQtServices() {
  static QtMessageBoxes messages;
  static QtShell shell;
  static QtClipboard clipboard;
  static QtLauncher launcher([](int code) { ctx().exitProcess(code); });
  ctx().messages = &messages;
  ctx().shell = &shell;
  ctx().clipboard = &clipboard;
  ctx().launcher = &launcher;
}

std::unique_ptr<QTranslator> InstallQtTranslations(const std::string& language) {
  // Dates and numbers that Qt formats follow the program's language, not the system's.
  const QLocale::Language wanted = language == "DE"   ? QLocale::German
                                   : language == "NL" ? QLocale::Dutch
                                                      : QLocale::English;
  if (QLocale::system().language() != wanted) QLocale::setDefault(QLocale(wanted));
  // Qt's texts are English already; the other languages come from Qt's translations.
  if (language != "DE") return nullptr;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return nullptr;
  QCoreApplication::installTranslator(translator.get());
  return translator;
}

}  // namespace tav
