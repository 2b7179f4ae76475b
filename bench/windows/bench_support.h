#pragma once
// What the window benchmarks share: message boxes that answer at once, temporary folders and
// file copies.
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "services/context.h"

namespace tav::bench {

// Message boxes answer at once; nothing else is needed from the desktop here.
class QuietMessages : public MessageBoxes {
 public:
  int Show(const std::string&, const std::string&, int) override { return IDOK; }
};

inline std::string MakeTempDir() {
  std::string templ = (std::filesystem::temp_directory_path() / "tavolin-bench-XXXXXX").string();
  return std::string(mkdtemp(templ.data())) + "/";
}

inline void CopyFile(const std::string& from, const std::string& to) {
  std::filesystem::create_directories(std::filesystem::path(to).parent_path());
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

// A temporary data root and program folder with in-memory settings that point at the root and
// quiet message boxes, all installed into the context. The folders go at the end.
struct ProgramFolders {
  std::string root = MakeTempDir();
  std::string program = MakeTempDir();
  MemorySettingsStore user, machine;
  QuietMessages messages;
  ProgramFolders() {
    machine.WriteString(kRegAppPaths, "DataPath", root);
    ctx().userSettings = &user;
    ctx().machineSettings = &machine;
    ctx().messages = &messages;
    SetProgramFolder(program);
  }
  ~ProgramFolders() {
    std::filesystem::remove_all(root);
    std::filesystem::remove_all(program);
  }
};

}  // namespace tav::bench
