#include "recipes/record_scan.h"

#include <cstring>
#include <string_view>

#include "recipedb/record_file.h"
#include "services/context.h"
#include "services/tools_module.h"

namespace tav {

namespace {

// Read in blocks small enough to stay in the processor's cache while they are looked at.
constexpr long long kBlockSize = 1 << 20;
// Mark, number, deleted and flags bytes, key and length: what tells where a record ends.
constexpr long long kLengthEnd = 15;
// The smallest record the store writes: head, title NUL, categories, final NUL.
constexpr int32_t kMinWholeRecord = kRecordHeadSize + 1 + 20 + 1;

}  // namespace

bool BookRecordScanner::Open(const std::string& path, bool checkVersion) {
  path_ = path;
  pos_ = kBookHeaderSize;
  bufStart_ = bufLen_ = 0;
  skipped_ = 0;
  if (!file_.Open(path, RawFile::kRead)) return false;
  size_ = file_.Size();
  char head[kBookHeaderSize];
  if (size_ < kBookHeaderSize || file_.ReadAt(0, head, sizeof head) != kBookHeaderSize)
    return false;
  const std::string_view header(head, sizeof head);
  if (checkVersion) return CheckBookHeader(header);
  // Byte 13 ends the header's text.
  return header.substr(0, 13).find("TAVO") != std::string_view::npos;
}

bool BookRecordScanner::Ensure(long long pos, long long n) {
  if (pos >= bufStart_ && pos + n <= bufStart_ + bufLen_) return true;
  const long long want = n > kBlockSize ? n : kBlockSize;
  if (static_cast<long long>(buf_.size()) < want) buf_.resize(static_cast<size_t>(want));
  const long long rest = size_ - pos;
  const long long read =
      file_.ReadAt(pos, buf_.data(), static_cast<size_t>(rest < want ? rest : want));
  bufStart_ = pos;
  bufLen_ = read > 0 ? read : 0;
  return bufLen_ >= n;
}

int32_t BookRecordScanner::LengthAt(long long pos) const {
  int32_t length;
  std::memcpy(&length, buf_.data() + (pos - bufStart_) + 11, 4);
  return length;
}

void BookRecordScanner::LogSkip(long long pos, int32_t length) {
  ++skipped_;
  if (ctx().tools)
    ctx().tools->WriteLog("Record file " + path_ + ": record at byte " + std::to_string(pos) +
                              " claims length " + std::to_string(length) + ", skipped",
                          0);
}

long long BookRecordScanner::FindRecordStart(long long from) {
  for (long long p = from; p + kMinWholeRecord <= size_;) {
    if (!Ensure(p, kLengthEnd)) return size_;
    // Jump to the next mark within what the buffer holds.
    const char* at = buf_.data() + (p - bufStart_);
    const long long avail = bufStart_ + bufLen_ - p;
    const void* mark = std::memchr(at, '#', static_cast<size_t>(avail));
    if (!mark) {
      p += avail;
      continue;
    }
    p += static_cast<const char*>(mark) - at;
    if (!Ensure(p, kLengthEnd)) return size_;
    const auto* b = reinterpret_cast<const unsigned char*>(buf_.data() + (p - bufStart_));
    const bool headFits = (b[5] == 0 || b[5] == 1) && (b[6] & 0x7E) == 0;
    const int32_t length = headFits ? LengthAt(p) : -1;
    // A start is trusted only when its record fits the file and ends on its final NUL, so a
    // '#' inside a text never passes for one.
    if (length >= kMinWholeRecord && p + length <= size_) {
      char last = 1;
      const long long end = p + length - 1;
      if (end < bufStart_ + bufLen_)
        last = buf_[static_cast<size_t>(end - bufStart_)];
      else if (file_.ReadAt(end, &last, 1) != 1)
        last = 1;
      if (last == 0) return p;
    }
    ++p;
  }
  return size_;
}

bool BookRecordScanner::Next(char*& data, int32_t& length, long long& offset) {
  // Fewer bytes than a record head can hold are no record.
  while (pos_ + 21 <= size_) {
    if (!Ensure(pos_, kLengthEnd)) return false;
    length = LengthAt(pos_);
    if (length < kRecordHeadSize || length > size_ - pos_) {
      LogSkip(pos_, length);
      pos_ = FindRecordStart(pos_ + 1);
      continue;
    }
    if (!Ensure(pos_, length)) return false;
    data = buf_.data() + (pos_ - bufStart_);
    offset = pos_;
    pos_ += length;
    return true;
  }
  return false;
}

}  // namespace tav
