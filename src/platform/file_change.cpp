#include "platform/file_change.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace tav {

namespace {
std::function<void()>& Hook() {
  static std::function<void()> hook;
  return hook;
}
std::function<void(const FileEvent&)>& Journal() {
  static std::function<void(const FileEvent&)> journal;
  return journal;
}
std::function<bool(std::string_view)>& SyncFault() {
  static std::function<bool(std::string_view)> fault;
  return fault;
}
}  // namespace

void BeforeFileChange() {
  if (Hook()) Hook()();
}

void SetFileChangeHookForTest(std::function<void()> hook) { Hook() = std::move(hook); }

void TellFileChange(FileEvent::Kind kind, std::string_view path, long long offset,
                    std::string_view bytes, std::string_view newPath) {
  if (Journal()) Journal()(FileEvent{kind, path, newPath, offset, bytes});
}

void SetFileJournalForTest(std::function<void(const FileEvent&)> journal) {
  Journal() = std::move(journal);
}

void SetSyncFaultForTest(std::function<bool(std::string_view)> fault) {
  SyncFault() = std::move(fault);
}

namespace {
bool Fsync(int fd) {
  int rc;
  do rc = ::fsync(fd);
  while (rc != 0 && errno == EINTR);
  return rc == 0;
}
// A file's bytes and its size; the times it was changed are no part of what a sync promises,
// and writing them costs one more write to the disk for every sync.
bool Fdatasync(int fd) {
  int rc;
  do rc = ::fdatasync(fd);
  while (rc != 0 && errno == EINTR);
  return rc == 0;
}
}  // namespace

bool WriteAllAt(int fd, std::string_view diskPath, long long offset, const char* data, size_t n) {
  if (fd < 0 || offset < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (done < n) {
    const ssize_t put = ::pwrite(fd, data + done, n - done, static_cast<off_t>(offset + done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(put);
  }
  if (done > 0) TellFileChange(FileEvent::kWrite, diskPath, offset, std::string_view(data, done));
  return ok;
}

bool SyncFile(int fd, std::string_view diskPath) {
  if (fd < 0 || (SyncFault() && SyncFault()(diskPath)) || !Fdatasync(fd)) return false;
  TellFileChange(FileEvent::kSync, diskPath);
  return true;
}

bool SyncFileAt(std::string_view diskPath) {
  const std::string path(diskPath);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = SyncFile(fd, diskPath);
  ::close(fd);
  return ok;
}

std::string FolderOf(std::string_view diskPath) {
  const size_t slash = diskPath.rfind('/');
  if (slash == std::string_view::npos) return ".";
  return std::string(diskPath.data(), slash == 0 ? 1 : slash);
}

bool SyncFolder(std::string_view diskFolder) {
  size_t n = diskFolder.size();
  while (n > 1 && diskFolder[n - 1] == '/') --n;
  const std::string folder = n == 0 ? std::string(".") : std::string(diskFolder.data(), n);
  if (SyncFault() && SyncFault()(folder)) return false;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = Fsync(fd);
  ::close(fd);
  if (ok) TellFileChange(FileEvent::kSyncFolder, folder);
  return ok;
}

}  // namespace tav
