#pragma once
// Byte streams the picture classes read from and write to: a memory stream and a read-only file
// stream. Positions and counts are in bytes.
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace tav {

// Origins of Seek.
enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// A file that cannot be opened or created.
class EFOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EFCreateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to `count` bytes; returns how many were read (0 at the end).
  virtual long Read(void* buffer, long count) = 0;
  // Writes up to `count` bytes; returns how many were written.
  virtual long Write(const void* buffer, long count) = 0;
  // Moves the position and returns the new one; the position never goes below 0.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soFromBeginning); }
  int64_t Size();
};

// A stream over bytes in memory; writing past the end grows it.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

  long Read(void* buffer, long count) override;
  long Write(const void* buffer, long count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  const std::string& Bytes() const { return data_; }
  std::string TakeBytes();  // the contents; the stream is empty afterwards

 private:
  std::string data_;
  size_t pos_ = 0;
};

// A file opened for reading; writing fails. Throws EFOpenError when the file cannot be opened.
class TFileStream : public TStream {
 public:
  explicit TFileStream(const std::string& path);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  long Read(void* buffer, long count) override;
  long Write(const void*, long) override { return 0; }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

 private:
  std::FILE* file_ = nullptr;
};

// Calls owner.CloseStream() when the scope ends, also when an exception leaves it.
template <class T>
class CloseStreamOnExit {
 public:
  explicit CloseStreamOnExit(T& owner) : owner_(owner) {}
  ~CloseStreamOnExit() { owner_.CloseStream(); }
  CloseStreamOnExit(const CloseStreamOnExit&) = delete;
  CloseStreamOnExit& operator=(const CloseStreamOnExit&) = delete;

 private:
  T& owner_;
};

}  // namespace tav
