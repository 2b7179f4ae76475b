#pragma once
// Reading a book's record file front to back, record after record, in large blocks, for the
// searches that look at every record without decoding it (power search, duplicate search). A
// record is always given whole, however long it is. A place whose stored length cannot be a
// record (below the 51-byte head, or reaching past the end of the file) is skipped with a log
// line: the scan goes on at the next place that holds a whole record.
#include <cstdint>
#include <string>
#include <vector>

#include "recipedb/raw_file.h"

namespace tav {

class BookRecordScanner {
 public:
  // Opens the record file and reads its header. `checkVersion`: the header must also read
  // "1.01" in bytes 9-12; otherwise "TAVO" in its first 13 bytes is enough. False when the file
  // cannot be opened or its header is not a book's.
  bool Open(const std::string& path, bool checkVersion);

  // The next record: its bytes (exactly `length`, writable until the next call) and its
  // position in the file. False at the end of the file or when the file cannot be read.
  bool Next(char*& data, int32_t& length, long long& offset);

  long long FileSize() const { return size_; }
  // Damaged places skipped so far.
  int SkippedCount() const { return skipped_; }

 private:
  // Makes the buffer hold the n bytes at `pos` (pos + n within the file); false on a read error.
  bool Ensure(long long pos, long long n);
  // The first place at or after `from` that holds a whole record; the file size when none.
  long long FindRecordStart(long long from);
  int32_t LengthAt(long long pos) const;
  void LogSkip(long long pos, int32_t length);

  std::string path_;
  RawFile file_;
  long long size_ = 0;
  long long pos_ = 0;  // next record
  std::vector<char> buf_;
  long long bufStart_ = 0, bufLen_ = 0;  // file position and byte count the buffer holds
  int skipped_ = 0;
};

}  // namespace tav
