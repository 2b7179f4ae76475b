#pragma once
// What the window benchmarks share: message boxes that answer at once, temporary folders and
// file copies.
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/services.h"

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

}  // namespace tav::bench
