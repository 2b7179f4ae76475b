#include "nutrients/bls_files.h"

#include <cstdlib>

#include "platform/paths.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {
std::string OptionFolder(int id) {
  if (!ctx().options) return std::string();
  return WithSeparator(ctx().options->Str(id));
}
}  // namespace

std::string BlsLanguageFolder() {
  return OptionFolder(52);
}
std::string BlsDataFolder() {
  return OptionFolder(2);
}

BlsLineFile::BlsLineFile(const std::string& path) {
  file_ = std::fopen(DiskPath(FindFileNoCase(path)).c_str(), "rb");
}

BlsLineFile::~BlsLineFile() {
  if (file_) std::fclose(file_);
  std::free(buf_);
}

bool BlsLineFile::Seek(long offset) {
  return file_ && offset >= 0 && std::fseek(file_, offset, SEEK_SET) == 0;
}

bool BlsLineFile::Next(std::string& line) {
  if (!file_) return false;
  const ssize_t n = getline(&buf_, &cap_, file_);
  if (n < 0) return false;
  size_t len = static_cast<size_t>(n);
  if (len > 0 && buf_[len - 1] == '\n') {
    --len;
    if (len > 0 && buf_[len - 1] == '\r') --len;
  }
  line.assign(buf_, len);
  return true;
}

}  // namespace tav
