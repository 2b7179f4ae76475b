#include "recipedb/raw_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_change.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tav {

RawFile& RawFile::operator=(RawFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    path_ = std::move(other.path_);
    diskPath_ = std::move(other.diskPath_);
    other.fd_ = -1;
  }
  return *this;
}

bool RawFile::Open(const std::string& path, Mode mode) {
  Close();
  path_ = path;
  diskPath_ = DiskPath(path);
  if (mode == kRead && ReadFailsForTest(path)) {
    errno = EIO;
    return false;
  }
  fd_ = ::open(diskPath_.c_str(), (mode == kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC);
  return fd_ >= 0;
}

bool RawFile::CreateNew(const std::string& path) {
  Close();
  path_ = path;
  diskPath_ = DiskPath(path);
  BeforeFileChange();
  fd_ = ::open(diskPath_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd_ >= 0) TellFileChange(FileEvent::kCreate, diskPath_);
  return fd_ >= 0;
}

bool RawFile::CreateTruncated(const std::string& path) {
  Close();
  path_ = path;
  diskPath_ = DiskPath(path);
  BeforeFileChange();
  fd_ = ::open(diskPath_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ >= 0) TellFileChange(FileEvent::kCreate, diskPath_);
  return fd_ >= 0;
}

long long RawFile::Size() const {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return st.st_size;
}

long long RawFile::ReadAt(long long offset, void* buffer, size_t n) const {
  if (fd_ < 0 || offset < 0) return -1;
  size_t done = 0;
  char* out = static_cast<char*>(buffer);
  while (done < n) {
    if (ReadFailsForTest(path_)) return -1;
    const ssize_t got = ::pread(fd_, out + done, n - done, offset + static_cast<off_t>(done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;  // what was read before the error is no end of the file
    }
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return static_cast<long long>(done);
}

bool RawFile::WriteAt(long long offset, const void* buffer, size_t n) {
  if (fd_ < 0 || offset < 0) return false;
  BeforeFileChange();
  return WriteAllAt(fd_, diskPath_, offset, static_cast<const char*>(buffer), n);
}

bool RawFile::Truncate(long long size) {
  if (fd_ < 0) return false;
  BeforeFileChange();
  if (::ftruncate(fd_, size) != 0) return false;
  TellFileChange(FileEvent::kTruncate, diskPath_, size);
  return true;
}

bool RawFile::Sync() { return SyncFile(fd_, diskPath_); }

void RawFile::StartWriteBack(long long offset, long long n) {
#if defined(__linux__)
  if (fd_ >= 0 && offset >= 0 && n > 0)
    ::sync_file_range(fd_, static_cast<off_t>(offset), static_cast<off_t>(n),
                      SYNC_FILE_RANGE_WRITE);
#else
  (void)offset;
  (void)n;
#endif
}

bool RawFile::Close() {
  if (fd_ < 0) return true;
  const bool ok = ::close(fd_) == 0;
  fd_ = -1;
  return ok;
}

bool FileIsMissing(const std::string& path) {
  struct stat st;
  return ::lstat(DiskPath(path).c_str(), &st) != 0 && errno == ENOENT;
}

}  // namespace tav
