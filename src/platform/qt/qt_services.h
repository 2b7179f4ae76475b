#pragma once
// The Qt implementations of the platform services.
#include <QWidget>

#include "platform/services.h"

namespace tav {

class QtMessageBoxes : public MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& title, int flags) override;
};

class QtShell : public Shell {
 public:
  bool Open(const std::string& target) override;
};

class QtClipboard : public Clipboard {
 public:
  std::string Text() override;
  void SetText(const std::string& text) override;
};

class QtLauncher : public Launcher {
 public:
  bool Start(const std::string& program, const std::string& arguments, const std::string& workDir,
             int& error) override;
  void Restart() override;
};

// Installs the Qt services into the context (they live for the process).
void InstallQtServices();

}  // namespace tav
