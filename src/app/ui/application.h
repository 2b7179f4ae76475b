#pragma once
// The application object: an exception that escapes an event handler is shown and the message
// loop goes on.
#include <QApplication>
#include <QTranslator>
#include <memory>
#include <string>

namespace tav {

class TavolinApplication : public QApplication {
  Q_OBJECT
 public:
  TavolinApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The standard display of an exception: its text in an error box.
void ShowException(const std::exception& e);

// Installs the Qt services of the platform into the context (they live for the process).
void InstallQtServices();

// Qt's own texts (Yes/No, file dialogs, key names such as "Strg+") in the program language
// ("DE" or "EN"), from Qt's translation folder. Installed into the application until the
// returned translator is destroyed; null for English and when no translation is installed.
// Qt's formatting of dates and numbers (QLocale's default) follows that language as well.
std::unique_ptr<QTranslator> InstallQtTranslations(const std::string& language);

}  // namespace tav
