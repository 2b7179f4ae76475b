#pragma once
// Text files as the data files hold them: Windows-1252 bytes, lines ended by CR LF (LF alone is
// read as well). Lines are always read whole, whatever their length.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// Reads a file line by line through a buffer; a line never splits at the buffer's size.
class LineReader {
 public:
  explicit LineReader(const std::string& path);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // The next line without its line end (LF, CR LF; a lone CR before LF only). False at the end.
  bool Next(std::string& line);
  // True when the last line returned was ended by a line break (false for a final bare line).
  bool LastHadBreak() const { return lastBreak_; }
  // Bytes consumed so far (the position after the last line returned).
  long long Position() const { return consumed_; }
  // Goes on reading at a byte offset of the file; false when the file cannot seek there.
  bool Seek(long long offset);

 private:
  bool Fill();
  std::FILE* file_ = nullptr;
  std::vector<char> buf_;
  size_t begin_ = 0, end_ = 0;
  bool eof_ = false;
  bool lastBreak_ = false;
  long long consumed_ = 0;
};

// Whole-file helpers. Reading returns false when the file cannot be opened.
bool ReadFileBytes(const std::string& path, std::string& bytes);
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);
// Splits text into lines the way LineReader does.
std::vector<std::string> SplitLines(std::string_view text);

// Replaces (or creates) a file: writes a temporary file in the same folder, flushes it and
// renames it over the target, so the old file stays whole if anything fails.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);
// The lines joined with CR LF after each, written atomically.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
// Appends bytes to a file (created when missing); false unless every byte was written.
bool AppendFileBytes(const std::string& path, std::string_view bytes);

// Keeps a copy of a damaged file beside it before it is written anew: "name.damaged", or
// "name.damaged-2" ... "-99" when such a copy exists already. The copy's path; empty when the
// file cannot be read or the copy cannot be written.
std::string KeepDamagedCopy(const std::string& path);

// Test hook: makes the next WriteFileAtomic stop after `bytes` bytes of its temporary file, as
// a killed process would, and fail. -1 switches it off.
void SetAtomicWriteFaultForTest(long long bytes);
// Test hook: called by WriteFileAtomic at its steps: 0 the temporary file is open, 1 half of
// the bytes are written, 2 the file is complete before the rename, 3 after the rename.
void SetAtomicWriteStepHookForTest(std::function<void(int)> hook);

}  // namespace tav
