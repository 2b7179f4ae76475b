#pragma once
// A file of a recipe book, read and written by position (pread/pwrite) through one descriptor
// that stays open for the length of one operation.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace tav {

class RawFile {
 public:
  enum Mode { kRead, kReadWrite };

  RawFile() = default;
  ~RawFile() { Close(); }
  RawFile(RawFile&& other) noexcept
      : fd_(other.fd_), path_(std::move(other.path_)), diskPath_(std::move(other.diskPath_)) {
    other.fd_ = -1;
  }
  RawFile& operator=(RawFile&& other) noexcept;
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;

  // Opens an existing file; never creates one.
  bool Open(const std::string& path, Mode mode);
  // Creates the file only when no entry of that name exists (false when one does).
  bool CreateNew(const std::string& path);
  // Creates or empties a scratch file (temporary files only, never a book's own files).
  bool CreateTruncated(const std::string& path);

  bool IsOpen() const { return fd_ >= 0; }
  // The path as given to the system.
  const std::string& DiskName() const { return diskPath_; }
  long long Size() const;  // -1 when unknown
  // Reads up to n bytes at `offset`; the count read (short only at the end of the file), -1 on
  // a read error, also one after some bytes were read.
  long long ReadAt(long long offset, void* buffer, size_t n) const;
  // Writes all n bytes at `offset`; false when any is missing.
  bool WriteAt(long long offset, const void* buffer, size_t n);
  bool WriteAt(long long offset, std::string_view bytes) {
    return WriteAt(offset, bytes.data(), bytes.size());
  }
  bool Truncate(long long size);
  // SyncFile (the bytes and the size): true once what was written is on the disk. False means
  // it may not be, as a failed write does.
  bool Sync();
  // Starts writing the range to the disk and returns at once (a hint, no promise: only Sync
  // makes data durable), so that a later Sync finds little left to wait for.
  void StartWriteBack(long long offset, long long n);
  // False when the close reported an error (a delayed write failure).
  bool Close();

 private:
  int fd_ = -1;
  std::string path_;      // for the test hook of read errors
  std::string diskPath_;  // as given to the system, for the file journal
};

// True when no entry of that name exists (a missing file, not merely an unreadable one).
bool FileIsMissing(const std::string& path);

}  // namespace tav
