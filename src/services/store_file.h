#pragma once
// The guard every store puts before writing its file anew. A file that could not be read whole
// is never written over without a word: a damaged one (read in part) is first kept as
// "<file>.damaged" and the user told once; one that could not be read at all (an I/O error,
// a folder in its place) is written over only when the user agrees, after it was moved aside.
#include <string>

namespace tav {

class LineReader;

// The largest file a store reads, by the file's name: many times what a real one holds (the
// shipped ingredients are 66 KB, a shopping list of a year a few KB). Every store file read at
// the start or when a window opens is measured against it before it is read.
long long StoreFileLimit(const std::string& path);

// How a store found its file when it read it.
enum class FileFound {
  kWhole,       // read to its end, every line understood (or the store wrote it since)
  kMissing,     // no file: the store starts empty or with its defaults
  kDamaged,     // read, but lines were passed over or cut short
  kUnreadable,  // there, but it could not be opened or read to its end
};

class StoreFileGuard {
 public:
  // After a read of `path`.
  void Read(const std::string& path, FileFound found);
  // The same from what a reader says: `readOk` as ReadTextLines gives it (false for a missing
  // file as well), `damaged` when the lines read were not all understood.
  void Read(const std::string& path, bool readOk, bool damaged);
  // The same after a LineReader has read the file to its end: lines it passed over for a NUL
  // byte (a file in UTF-16 or junk) make the file damaged.
  void Read(const std::string& path, const LineReader& reader, bool damaged);
  // Before a read: true when the file is larger than StoreFileLimit allows, more than any file
  // of its kind holds (a hostile or garbled file would cost minutes and gigabytes). It is then
  // not read: message 1079 says so, and it counts as unreadable.
  bool TooLarge(const std::string& path);
  FileFound Found() const { return found_; }
  bool Refused() const { return refused_; }

  // Before the file is written anew: true when it may be. A damaged file is kept as
  // "<file>.damaged" and message 1076 says so; an unreadable one asks message 1077 (Yes:
  // moved aside as "<file>.damaged", No: left as it is). Without that copy nothing is written
  // (message 1078). Said once: after a No or a failed copy, later writes are refused quietly.
  bool MayWrite();

 private:
  std::string path_;
  FileFound found_ = FileFound::kMissing;
  bool refused_ = false;
};

}  // namespace tav
