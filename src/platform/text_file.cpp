#include "platform/text_file.h"

#include <unistd.h>

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
}  // namespace

LineReader::LineReader(const std::string& path) {
  file_ = std::fopen(DiskPath(path).c_str(), "rb");
  if (file_) buf_.resize(kChunk);
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
  const size_t n = std::fread(buf_.data() + end_, 1, buf_.size() - end_, file_);
  if (n == 0) {
    eof_ = true;
    return false;
  }
  end_ += n;
  return true;
}

bool LineReader::Next(std::string& line) {
  if (!file_) return false;
  size_t scanFrom = begin_;
  for (;;) {
    const void* hit = std::memchr(buf_.data() + scanFrom, '\n', end_ - scanFrom);
    if (hit) {
      const size_t nl = static_cast<const char*>(hit) - buf_.data();
      size_t stop = nl;
      if (stop > begin_ && buf_[stop - 1] == '\r') --stop;
      line.assign(buf_.data() + begin_, stop - begin_);
      consumed_ += static_cast<long long>(nl + 1 - begin_);
      begin_ = nl + 1;
      lastBreak_ = true;
      return true;
    }
    const size_t scanned = end_ - begin_;
    if (!Fill()) break;
    scanFrom = begin_ + scanned;
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
  std::FILE* f = std::fopen(DiskPath(path).c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  char chunk[kChunk];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) {
      lines.emplace_back(text.substr(pos));
      break;
    }
    size_t stop = nl;
    if (stop > pos && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(pos, stop - pos));
    pos = nl + 1;
  }
  return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
  LineReader reader(path);
  if (!reader.IsOpen()) return false;
  lines.clear();
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  return true;
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

std::string KeepDamagedCopy(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return std::string();
  std::string copy = NativePath(path) + ".damaged";
  for (int n = 2; EntryExists(copy) && n < 100; ++n)
    copy = NativePath(path) + ".damaged-" + std::to_string(n);
  return WriteFileAtomic(copy, bytes) ? copy : std::string();
}

bool AppendFileBytes(const std::string& path, std::string_view bytes) {
  BeforeFileChange();
  std::FILE* f = std::fopen(DiskPath(path).c_str(), "ab");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace tav
