#pragma once
// A read error at one chosen read of an operation: the n-th read (counted from 1) of the files
// `which` names fails as an I/O error would, and only that one. Opening a file for reading counts
// as a read, and so does every block read from it (LineReader, ReadFileBytes, RawFile::ReadAt).
// A test runs its operation for n = 1, 2, ... until Hit() stays false: the operation then made
// fewer than n reads, and every read of it has failed once.
#include <functional>
#include <string>

namespace tav::test {

class NthReadFault {
 public:
  // `which` null: every file.
  explicit NthReadFault(int n, std::function<bool(const std::string& path)> which = nullptr);
  ~NthReadFault();  // switches the fault off
  NthReadFault(const NthReadFault&) = delete;
  NthReadFault& operator=(const NthReadFault&) = delete;

  // Stops counting (the operation is over); the fault stays off from then on.
  void Off();
  bool Hit() const { return hit_; }
  // The path whose read failed; empty before the hit.
  const std::string& FailedPath() const { return failedPath_; }

 private:
  int n_;
  int reads_ = 0;
  bool hit_ = false;
  std::string failedPath_;
};

}  // namespace tav::test
