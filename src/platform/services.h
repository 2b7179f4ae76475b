#pragma once
// Interfaces of the desktop services that core code needs. The program uses the Qt
// implementations (platform/qt); tests use the fakes of tests/support.
#include <string>

namespace tav {

// Button sets, icons and answers of a message box, with the values the Windows API gives them,
// so that "Yes = 6, No = 7" reads the same in code as in the window descriptions.
enum MsgFlags : int {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40,
};
enum MsgAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Modal questions and messages. Text and title are Windows-1252.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual int Show(const std::string& text, const std::string& title, int flags) = 0;
};

// Hands a file, folder or address to the desktop, which opens it with its associated program.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool Open(const std::string& target) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::string Text() = 0;  // Windows-1252
  virtual void SetText(const std::string& text) = 0;
};

// Starts programs and restarts this one.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts `program` with the argument text (split like a shell command line) in `workDir`.
  // On failure returns false and sets `error` to a system error number.
  virtual bool Start(const std::string& program, const std::string& arguments,
                     const std::string& workDir, int& error) = 0;
  // Starts a new instance of this program and ends this one.
  virtual void Restart() = 0;
};

// The progress window, reached through the main window's ProgressRelay:
// kind 0 open (text = title, value = maximum), 1 title, 2 position, 3 close.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void ProgressRelay(int kind, const std::string& text, int value) = 0;
};

}  // namespace tav
