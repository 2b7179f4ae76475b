#pragma once
// Text files as the data files hold them: Windows-1252 bytes, lines ended by CR LF (LF alone and
// CR alone, as old Mac editors write or a file cut between CR and LF holds, are read as well).
// Lines are always read whole, whatever their length.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// Reads a file line by line through a buffer; a line never splits at the buffer's size.
class LineReader {
 public:
  enum class Lines {
    // Values: CR LF, LF and CR alone end a line (CRs right before an LF belong to that line
    // end), so no line holds a line end. A line holding a NUL byte (a file in UTF-16, junk) is
    // passed over and counted: no value of a Windows-1252 file holds one.
    kValues,
    // As stored (the lexicon, whose texts keep "CR CR LF", and files whose lines count by their
    // place): the first line end decides, a lone CR stays in its line unless the first line
    // ends with one; every line is returned.
    kAsStored,
  };
  explicit LineReader(const std::string& path, Lines kind = Lines::kValues);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // True when the file is there but could not be opened or read to its end (an I/O error, a
  // folder in its place): what was read is not the whole file.
  bool Failed() const { return failed_; }
  // The next line without its line end. False at the end (or at a read error).
  bool Next(std::string& line);
  // Lines passed over for a NUL byte so far (Lines::kValues): the file is not what its reader
  // takes, and a store that writes it anew keeps it first.
  int NulLines() const { return nulLines_; }
  // True when the last line returned was ended by a line break (false for a final bare line).
  bool LastHadBreak() const { return lastBreak_; }
  // Bytes consumed so far (the position after the last line returned).
  long long Position() const { return consumed_; }
  // Goes on reading at a byte offset of the file; false when the file cannot seek there.
  bool Seek(long long offset);

 private:
  bool Fill();
  bool NextStored(std::string& line);
  std::string path_;
  std::FILE* file_ = nullptr;
  Lines kind_;
  int ends_ = 0;  // how lines end, once the first line end has told (Lines::kAsStored)
  int nulLines_ = 0;
  bool failed_ = false;
  std::vector<char> buf_;
  size_t begin_ = 0, end_ = 0;
  bool eof_ = false;
  bool lastBreak_ = false;
  long long consumed_ = 0;
};

// Whole-file helpers. Reading returns false when the file cannot be opened or read to its end
// (EntryExists tells a missing file from one that could not be read).
bool ReadFileBytes(const std::string& path, std::string& bytes);
// The lines as LineReader gives values; `nulLines` (when given) is true when lines holding a
// NUL byte were passed over.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines,
                   bool* nulLines = nullptr);
// Splits text into lines the way LineReader gives values (CR, LF and CR LF end a line; lines
// holding a NUL byte are kept: the callers judge them).
std::vector<std::string> SplitLines(std::string_view text);

// Replaces (or creates) a file: writes a temporary file in the same folder, flushes it and
// renames it over the target, so the old file stays whole if anything fails.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);
// The lines joined with CR LF after each, written atomically.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
// Appends bytes to a file (created when missing); false unless every byte was written.
bool AppendFileBytes(const std::string& path, std::string_view bytes);
// Appends whole lines (each ended by CR LF) to a text file: a last line the file holds without
// its line end (a write cut short, an editor) is ended first, so the new lines never join it.
bool AppendTextLines(const std::string& path, std::string_view lines);

// Removes the temporary files ("name.$$$<pid>") that WriteFileAtomic of a process that has
// ended left in `folder` and, `depth` levels down, in its subfolders.
void RemoveStaleTemporaryFiles(const std::string& folder, int depth = 0);

// Keeps a copy of a damaged file beside it before it is written anew: "name.damaged", or
// "name.damaged-2" ... "-99" when such a copy exists already. The copy's path; empty when the
// file cannot be read or the copy cannot be written.
std::string KeepDamagedCopy(const std::string& path);
// The name KeepDamagedCopy would give the copy now.
std::string FreeDamagedName(const std::string& path);
// Keeps a file that cannot be read at all under that name by renaming it; the new path, empty
// when the rename failed.
std::string MoveAsideDamaged(const std::string& path);

// Test hook: while it returns true for a path, a read of that path fails as an I/O error would
// (LineReader::Failed, ReadFileBytes false, RawFile::ReadAt -1). It is asked before the file is
// opened for reading and before every block read from it, so a test can fail the n-th read of
// an operation. An empty function switches it off.
void SetReadFaultForTest(std::function<bool(const std::string& path)> fault);
// True when the test hook makes this read of `path` fail (for readers outside this file).
bool ReadFailsForTest(const std::string& path);

// Test hook: makes the next WriteFileAtomic stop after `bytes` bytes of its temporary file, as
// a killed process would, and fail. -1 switches it off.
void SetAtomicWriteFaultForTest(long long bytes);
// Test hook: called by WriteFileAtomic at its steps: 0 the temporary file is open, 1 half of
// the bytes are written, 2 the file is complete before the rename, 3 after the rename.
void SetAtomicWriteStepHookForTest(std::function<void(int)> hook);

}  // namespace tav
