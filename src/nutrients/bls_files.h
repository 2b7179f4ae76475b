#pragma once
// Small helpers shared by the readers of the food database files: where they lie, reading
// lines from a byte offset.
#include <cstdio>
#include <string>

namespace tav {

// The language folder (option 52) and the data folder (option 2), each ending with '/';
// "" before the options exist.
std::string BlsLanguageFolder();
std::string BlsDataFolder();

// A text file read line by line from any byte offset. Lines are read whole, whatever their
// length; CR LF and LF both end a line and are removed. The file is closed by the destructor.
class BlsLineFile {
 public:
  explicit BlsLineFile(const std::string& path);
  ~BlsLineFile();
  BlsLineFile(const BlsLineFile&) = delete;
  BlsLineFile& operator=(const BlsLineFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // Moves to a byte offset from the start; false when the offset is negative or the seek fails.
  bool Seek(long offset);
  // The next line without its line end; false at the end of the file.
  bool Next(std::string& line);

 private:
  std::FILE* file_ = nullptr;
  char* buf_ = nullptr;
  size_t cap_ = 0;
};

}  // namespace tav
