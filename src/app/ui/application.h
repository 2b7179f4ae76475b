#pragma once
// The application object: an exception that escapes an event handler is shown and the message
// loop goes on.
#include <QApplication>

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

}  // namespace tav
