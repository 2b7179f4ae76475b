#pragma once
// The Qt implementations of the platform services.
#include <QWidget>
#include <functional>

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
  // `exitProcess` ends this process once the new one is started (Restart).
  explicit QtLauncher(std::function<void(int)> exitProcess)
      : exitProcess_(std::move(exitProcess)) {}
  bool Start(const std::string& program, const std::string& arguments, const std::string& workDir,
             int& error) override;
  void Restart() override;

 private:
  std::function<void(int)> exitProcess_;
};

}  // namespace tav
