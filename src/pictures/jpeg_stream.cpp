#include "pictures/jpeg_stream.h"

#include <algorithm>
#include <cstring>

#include "platform/paths.h"

namespace tav {

int64_t TStream::Size() {
  int64_t pos = Position();
  int64_t size = Seek(0, soFromEnd);
  Seek(pos, soFromBeginning);
  return size;
}

long TMemoryStream::Read(void* buffer, long count) {
  if (count <= 0 || pos_ >= data_.size()) return 0;
  size_t n = std::min(static_cast<size_t>(count), data_.size() - pos_);
  std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  return static_cast<long>(n);
}

long TMemoryStream::Write(const void* buffer, long count) {
  if (count <= 0) return 0;
  size_t n = static_cast<size_t>(count);
  if (pos_ + n > data_.size()) data_.resize(pos_ + n);
  std::memcpy(data_.data() + pos_, buffer, n);
  pos_ += n;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soFromBeginning ? 0
                 : origin == soFromCurrent ? static_cast<int64_t>(pos_)
                                           : static_cast<int64_t>(data_.size());
  pos_ = static_cast<size_t>(std::max<int64_t>(0, base + offset));
  return static_cast<int64_t>(pos_);
}

std::string TMemoryStream::TakeBytes() {
  std::string bytes = std::move(data_);
  data_.clear();
  pos_ = 0;
  return bytes;
}

TFileStream::TFileStream(const std::string& path) {
  file_ = std::fopen(DiskPath(path).c_str(), "rb");
  if (!file_) throw EFOpenError("Cannot open file \"" + path + "\"");
}

TFileStream::~TFileStream() {
  std::fclose(file_);
}

long TFileStream::Read(void* buffer, long count) {
  if (count <= 0) return 0;
  return static_cast<long>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == soFromBeginning ? SEEK_SET : origin == soFromCurrent ? SEEK_CUR : SEEK_END;
  // A seek that fails (before the start) leaves the position where it was.
  if (offset != 0 || origin != soFromCurrent) fseeko(file_, offset, whence);
  return static_cast<int64_t>(ftello(file_));
}

}  // namespace tav
