#pragma once
// Test helpers: fakes of the platform services and a temporary data root with its own settings.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/settings_store.h"
#include "services/context.h"

namespace tav::test {

// Records every message box and answers from a script (IDOK / IDYES … ); once the script is
// used up it answers `defaultAnswer`.
class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text, title;
    int flags;
  };
  int Show(const std::string& text, const std::string& title, int flags) override;
  std::vector<Shown> shown;
  std::deque<int> answers;
  int defaultAnswer = IDOK;
};

class FakeShell : public Shell {
 public:
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return succeed;
  }
  std::vector<std::string> opened;
  bool succeed = true;
};

class FakeClipboard : public Clipboard {
 public:
  std::string Text() override { return text; }
  void SetText(const std::string& t) override { text = t; }
  std::string text;
};

class FakeLauncher : public Launcher {
 public:
  struct Started {
    std::string program, arguments, workDir;
  };
  bool Start(const std::string& program, const std::string& arguments, const std::string& workDir,
             int& error) override;
  void Restart() override { ++restarts; }
  std::vector<Started> started;
  bool succeed = true;
  int failError = 2;
  int restarts = 0;
};

class FakeProgress : public ProgressSink {
 public:
  struct Call {
    int kind;
    std::string text;
    int value;
  };
  void ProgressRelay(int kind, const std::string& text, int value) override {
    calls.push_back({kind, text, value});
  }
  std::vector<Call> calls;
};

// A fresh temporary folder removed (with everything in it) at destruction.
class TempDir {
 public:
  // Below `parent` when given, else below the system's temporary folder.
  explicit TempDir(const std::string& parent = std::string());
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }  // ends with '/'

 private:
  std::string path_;
};

// A small tmpfs of its own (a full disk, a read-only folder), mounted over a fresh temporary
// folder and removed at destruction. Mounting needs the rights of root; without them, or where
// the system refuses, Mounted() is false and SkipReason() says why.
class TmpfsMount {
 public:
  explicit TmpfsMount(size_t bytes);
  ~TmpfsMount();
  TmpfsMount(const TmpfsMount&) = delete;
  TmpfsMount& operator=(const TmpfsMount&) = delete;
  bool Mounted() const { return mounted_; }
  const std::string& SkipReason() const { return reason_; }
  const std::string& Path() const { return dir_.Path(); }  // ends with '/'
  // Makes the mount read-only (also for root).
  bool MakeReadOnly();
  // Fills the free space with a file "filler" until a write fails; false when it never did.
  bool Fill();
  // Removes the filler again.
  void Free();

 private:
  TempDir dir_;
  bool mounted_ = false;
  std::string reason_;
};

// A complete test environment: a temporary data root (with Data/, Data/DE/, Pics/ …), in-memory
// user and machine settings, and the fake services, all installed into ctx(). The previous
// context is restored at destruction. Language texts are not loaded unless LoadLanguage is called.
class TestEnv {
 public:
  // The data root is a fresh folder below `parent` (default: the system's temporary folder).
  explicit TestEnv(const std::string& parent = std::string());
  ~TestEnv();
  TestEnv(const TestEnv&) = delete;
  TestEnv& operator=(const TestEnv&) = delete;

  const std::string& Root() const { return root_.Path(); }  // data root, ends with '/'
  std::string DataFolder() const { return Root() + "Data/"; }

  // Copies the shipped language file of `lang` ("DE" or "EN") into the data root and loads it.
  void LoadLanguage(const std::string& lang = "DE");
  // Creates an options store over the current settings (after any settings the test wrote).
  OptionsStore& Options();

  MemorySettingsStore userSettings;
  MemorySettingsStore machineSettings;
  FakeMessageBoxes messages;
  FakeShell shell;
  FakeClipboard clipboard;
  FakeLauncher launcher;
  FakeProgress progress;
  int exitCode = -1;  // set when the code under test asked to end the process

 private:
  TempDir root_;
  Context saved_;
  std::unique_ptr<LangTable> lang_;
  std::unique_ptr<OptionsStore> options_;
};

// Reads a whole file; "" when it cannot be read.
std::string ReadAll(const std::string& path);
// Writes bytes to a file, creating its folders.
void WriteAll(const std::string& path, const std::string& bytes);
// What a shell command writes to its standard output ("" when it cannot run); its error output
// goes to `errorsFile` (/dev/null by default).
std::string CommandOutput(const std::string& command, const std::string& errorsFile = "/dev/null");
// Path of a fixture file in tests/fixtures.
std::string Fixture(const std::string& name);

}  // namespace tav::test
