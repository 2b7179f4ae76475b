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
    other.fd_ = -1;
  }
  return *this;
}

bool RawFile::Open(const std::string& path, Mode mode) {
  Close();
  path_ = path;
  if (mode == kRead && ReadFailsForTest(path)) {
    errno = EIO;
    return false;
  }
  fd_ = ::open(DiskPath(path).c_str(), (mode == kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC);
  return fd_ >= 0;
}

bool RawFile::CreateNew(const std::string& path) {
  Close();
  path_ = path;
  BeforeFileChange();
  fd_ = ::open(DiskPath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  return fd_ >= 0;
}

bool RawFile::CreateTruncated(const std::string& path) {
  Close();
  path_ = path;
  BeforeFileChange();
  fd_ = ::open(DiskPath(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
  size_t done = 0;
  const char* in = static_cast<const char*>(buffer);
  while (done < n) {
    const ssize_t put = ::pwrite(fd_, in + done, n - done, offset + static_cast<off_t>(done));
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) return false;
    done += static_cast<size_t>(put);
  }
  return true;
}

bool RawFile::Truncate(long long size) {
  if (fd_ < 0) return false;
  BeforeFileChange();
  return ::ftruncate(fd_, size) == 0;
}

bool RawFile::Sync() { return fd_ >= 0 && ::fsync(fd_) == 0; }

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
