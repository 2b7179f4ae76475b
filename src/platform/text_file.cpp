#include "platform/text_file.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file_change.h"
#include "platform/paths.h"

namespace tav {

namespace {
constexpr size_t kChunk = 1 << 16;
long long g_atomicFault = -1;
std::function<void(int)>& StepHook() {
  static std::function<void(int)> hook;
  return hook;
}
void Step(int step) {
  if (StepHook()) StepHook()(step);
}
std::function<bool(const std::string&)>& ReadFault() {
  static std::function<bool(const std::string&)> fault;
  return fault;
}

// Opens a file for reading; `failed` tells a file that is there but cannot be opened.
std::FILE* OpenForReading(const std::string& path, bool& failed) {
  const std::string native = NativePath(path);
  if (ReadFailsForTest(native)) {
    failed = EntryExists(native);
    return nullptr;
  }
  std::FILE* f = std::fopen(DiskPath(path).c_str(), "rb");
  failed = !f && errno != ENOENT && errno != ENOTDIR && EntryExists(native);
  return f;
}

// The first line end at or after `from` in text[0, size): `stop` where the line's bytes end,
// `next` where the next line begins. False when none lies there, or when a final CR might
// still be followed by an LF (the caller has to read on).
//
// Values: LF, CR LF and CR alone end a line; a run of CRs before an LF is one line end with it
// (a value written back with a CR it held reads whole again).
bool FindValueLineEnd(const char* text, size_t size, size_t from, bool atEnd, size_t& stop,
                      size_t& next) {
  const void* lf = std::memchr(text + from, '\n', size - from);
  const size_t nl = lf ? static_cast<const char*>(lf) - text : size;
  const void* cr = std::memchr(text + from, '\r', nl - from);
  if (!cr) {
    if (!lf) return false;
    stop = nl;
    next = nl + 1;
    return true;
  }
  const size_t at = static_cast<const char*>(cr) - text;
  size_t after = at + 1;
  while (after < size && text[after] == '\r') ++after;
  if (after == size && !atEnd) return false;  // an LF may follow in the next block
  stop = at;
  next = after < size && text[after] == '\n' ? after + 1 : at + 1;
  return true;
}

// As stored: the first line end decides whether a lone CR ends a line.
enum class LineEnds { kUnknown, kLf, kCr };
bool FindStoredLineEnd(const char* text, size_t size, size_t from, bool atEnd, LineEnds& ends,
                       size_t& stop, size_t& next) {
  if (ends == LineEnds::kLf) {
    const void* hit = std::memchr(text + from, '\n', size - from);
    if (!hit) return false;
    const size_t nl = static_cast<const char*>(hit) - text;
    stop = nl;
    if (stop > 0 && text[stop - 1] == '\r') --stop;
    next = nl + 1;
    return true;
  }
  for (size_t i = from; i < size; ++i) {
    if (text[i] == '\n') {
      if (ends == LineEnds::kUnknown) ends = LineEnds::kLf;
      stop = i;
      if (ends == LineEnds::kLf && stop > 0 && text[stop - 1] == '\r') --stop;
      next = i + 1;
      return true;
    }
    if (text[i] != '\r') continue;
    if (i + 1 == size && !atEnd) return false;  // the LF may follow in the next block
    const bool crlf = i + 1 < size && text[i + 1] == '\n';
    if (ends == LineEnds::kUnknown) ends = crlf ? LineEnds::kLf : LineEnds::kCr;
    if (ends == LineEnds::kLf) return FindStoredLineEnd(text, size, i, atEnd, ends, stop, next);
    stop = i;
    next = i + (crlf ? 2 : 1);
    return true;
  }
  return false;
}
}  // namespace

LineReader::LineReader(const std::string& path, Lines kind) : path_(NativePath(path)), kind_(kind) {
  file_ = OpenForReading(path, failed_);
  if (!file_) return;
  buf_.resize(kChunk);
  Fill();  // a folder in the file's place opens but fails here: Failed() knows it at once
}

LineReader::~LineReader() {
  if (file_) std::fclose(file_);
}

bool LineReader::Fill() {
  if (eof_ || !file_) return false;
  if (begin_ > 0) {
    std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buf_.size()) buf_.resize(buf_.size() * 2);
  if (ReadFailsForTest(path_)) {
    eof_ = failed_ = true;
    return false;
  }
  const size_t n = std::fread(buf_.data() + end_, 1, buf_.size() - end_, file_);
  if (n == 0) {
    eof_ = true;
    if (std::ferror(file_)) failed_ = true;
    return false;
  }
  end_ += n;
  return true;
}

bool LineReader::Next(std::string& line) {
  while (NextStored(line)) {
    if (kind_ == Lines::kAsStored || !std::memchr(line.data(), '\0', line.size())) return true;
    ++nulLines_;
  }
  return false;
}

bool LineReader::NextStored(std::string& line) {
  if (!file_ || failed_) return false;
  size_t scanFrom = 0;  // relative to begin_: Fill moves the buffer
  // The line up to the next line end from scanFrom on, when there is one.
  const auto take = [&](bool atEnd) {
    LineEnds ends = static_cast<LineEnds>(ends_);
    size_t stop = 0, next = 0;
    const bool found =
        kind_ == Lines::kValues
            ? FindValueLineEnd(buf_.data() + begin_, end_ - begin_, scanFrom, atEnd, stop, next)
            : FindStoredLineEnd(buf_.data() + begin_, end_ - begin_, scanFrom, atEnd, ends, stop,
                                next);
    ends_ = static_cast<int>(ends);
    if (!found) return false;
    line.assign(buf_.data() + begin_, stop);
    consumed_ += static_cast<long long>(next);
    begin_ += next;
    lastBreak_ = true;
    return true;
  };
  for (;;) {
    if (take(eof_)) return true;
    // Everything before the final CRs has been scanned; they are looked at again.
    scanFrom = end_ - begin_;
    while (scanFrom > 0 && buf_[begin_ + scanFrom - 1] == '\r') --scanFrom;
    if (!Fill()) {
      if (failed_) return false;
      if (begin_ < end_ && buf_[end_ - 1] == '\r' && take(true)) return true;
      break;
    }
  }
  if (begin_ == end_) return false;
  line.assign(buf_.data() + begin_, end_ - begin_);
  consumed_ += static_cast<long long>(end_ - begin_);
  begin_ = end_;
  lastBreak_ = false;
  return true;
}

bool LineReader::Seek(long long offset) {
  if (!file_ || offset < 0 || std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
    return false;
  begin_ = end_ = 0;
  eof_ = false;
  lastBreak_ = false;
  consumed_ = offset;
  return true;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bool failed = false;
  std::FILE* f = OpenForReading(path, failed);
  if (!f) return false;
  bytes.clear();
  char chunk[kChunk];
  const std::string native = NativePath(path);
  bool injected = false;
  size_t n;
  while (!(injected = ReadFailsForTest(native)) && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
    bytes.append(chunk, n);
  const bool ok = !injected && !std::ferror(f);
  std::fclose(f);
  return ok;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t stop = 0, next = 0;
    if (!FindValueLineEnd(text.data(), text.size(), pos, true, stop, next)) {
      lines.emplace_back(text.substr(pos));
      break;
    }
    lines.emplace_back(text.substr(pos, stop - pos));
    pos = next;
  }
  return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, bool* nulLines) {
  LineReader reader(path);
  if (nulLines) *nulLines = false;
  if (!reader.IsOpen()) return false;
  lines.clear();
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  if (nulLines) *nulLines = reader.NulLines() > 0;
  return !reader.Failed();
}

void SetReadFaultForTest(std::function<bool(const std::string&)> fault) {
  ReadFault() = std::move(fault);
}

bool ReadFailsForTest(const std::string& path) {
  return ReadFault() && ReadFault()(NativePath(path));
}

void SetAtomicWriteFaultForTest(long long bytes) { g_atomicFault = bytes; }
void SetAtomicWriteStepHookForTest(std::function<void(int)> hook) { StepHook() = std::move(hook); }

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const std::string target = DiskPath(path);
  const std::string temp = target + ".$$$" + std::to_string(getpid());
  BeforeFileChange();
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  size_t toWrite = bytes.size();
  const bool fault = g_atomicFault >= 0;
  if (fault) {
    toWrite = std::min<size_t>(toWrite, static_cast<size_t>(g_atomicFault));
    g_atomicFault = -1;
  }
  Step(0);
  BeforeFileChange();
  // Two halves, so that a test can stop the process in the middle of the data.
  const size_t half = StepHook() ? toWrite / 2 : toWrite;
  bool ok = std::fwrite(bytes.data(), 1, half, f) == half;
  if (half < toWrite) {
    ok = std::fflush(f) == 0 && ok;
    Step(1);
    ok = std::fwrite(bytes.data() + half, 1, toWrite - half, f) == toWrite - half && ok;
  }
  ok = std::fflush(f) == 0 && ok;
  if (ok) fsync(fileno(f));
  ok = std::fclose(f) == 0 && ok;
  if (fault) return false;  // the "process" died before the rename; the temp file stays
  Step(2);
  if (ok) BeforeFileChange();
  if (!ok || std::rename(temp.c_str(), target.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  Step(3);
  return true;
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) {
    bytes += l;
    bytes += "\r\n";
  }
  return WriteFileAtomic(path, bytes);
}

namespace {
// "name.$$$<pid>" of a whole-file write whose process no longer runs.
bool StaleTemporaryFile(const std::string& name) {
  const size_t mark = name.rfind(".$$$");
  if (mark == std::string::npos || mark + 4 >= name.size()) return false;
  long pid = 0;
  for (size_t i = mark + 4; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9' || pid > 100000000) return false;
    pid = pid * 10 + (name[i] - '0');
  }
  if (pid <= 0 || pid == getpid()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}
}  // namespace

void RemoveStaleTemporaryFiles(const std::string& folder, int depth) {
  if (folder.empty()) return;  // never the working folder
  const std::string base = WithSeparator(NativePath(folder));
  for (const std::string& name : ListFolder(base)) {
    const std::string path = base + name;
    if (StaleTemporaryFile(name) && FileExists(path))
      RemoveFile(path);
    else if (depth > 0 && IsRealFolder(path))
      RemoveStaleTemporaryFiles(path, depth - 1);
  }
}

std::string FreeDamagedName(const std::string& path) {
  std::string copy = NativePath(path) + ".damaged";
  for (int n = 2; EntryExists(copy) && n < 100; ++n)
    copy = NativePath(path) + ".damaged-" + std::to_string(n);
  return copy;
}

std::string KeepDamagedCopy(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return std::string();
  const std::string copy = FreeDamagedName(path);
  return WriteFileAtomic(copy, bytes) ? copy : std::string();
}

std::string MoveAsideDamaged(const std::string& path) {
  const std::string aside = FreeDamagedName(path);
  if (EntryExists(aside)) return std::string();
  return RenameFile(path, aside) ? aside : std::string();
}

bool AppendFileBytes(const std::string& path, std::string_view bytes) {
  BeforeFileChange();
  std::FILE* f = std::fopen(DiskPath(path).c_str(), "ab");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

bool AppendTextLines(const std::string& path, std::string_view lines) {
  BeforeFileChange();
  std::FILE* f = std::fopen(DiskPath(path).c_str(), "a+b");
  if (!f) return false;
  std::string bytes;
  if (std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) > 0) {
    // A last byte that cannot be read gets a line end as well: an empty line costs nothing.
    const int last = std::fseek(f, -1, SEEK_END) == 0 ? std::fgetc(f) : EOF;
    if (last == '\r')
      bytes = "\n";
    else if (last != '\n')
      bytes = "\r\n";
  }
  bytes += lines;
  bool ok = std::fseek(f, 0, SEEK_END) == 0;  // (appends go to the end in any case)
  ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace tav
