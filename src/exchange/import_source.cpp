#include "exchange/import_source.h"
#include "platform/paths.h"

#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tav {

namespace {
// 64 KB: each page of the buffer is fresh memory once (a page fault), more reads cost less,
// and the chunk stays in the cache while its lines are cut.
constexpr size_t kReadChunk = size_t{1} << 16;

// The first byte below 0x20 in [p, e), e when there is none.
const char* FindControlByte(const char* p, const char* e) {
#if defined(__SSE2__)
  const __m128i limit = _mm_set1_epi8(0x1F);
  for (; e - p >= 16; p += 16) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto m =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(b, limit), limit)));
    if (m) return p + __builtin_ctz(m);
  }
#endif
  while (p < e && static_cast<unsigned char>(*p) >= 0x20) ++p;
  return p;
}
}  // namespace

bool ImportSource::OpenFile(const std::string& path) {
  Close();
  if (path.empty()) return false;
  file_ = std::fopen(DiskPath(path).c_str(), "rb");
  if (!file_) return false;
  buf_.resize(kReadChunk);
  decoder_ = ExchangeLineDecoder(true);
  open_ = true;
  return true;
}

void ImportSource::OpenText(std::string text) {
  Close();
  buf_.assign(text.begin(), text.end());
  end_ = buf_.size();
  eof_ = true;
  decoder_ = ExchangeLineDecoder(false);  // clipboard text is Windows-1252 already
  open_ = true;
}

void ImportSource::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  buf_.clear();
  buf_.shrink_to_fit();
  pos_ = end_ = 0;
  open_ = eof_ = false;
  ahead_.clear();
  aheadFirst_ = aheadCount_ = 0;
  lineNumber_ = firstCutLine_ = 0;
}

bool ImportSource::Fill() {
  if (eof_ || !file_) return false;
  pos_ = 0;
  end_ = std::fread(buf_.data(), 1, buf_.size(), file_);
  if (end_ == 0) eof_ = true;
  return end_ > 0;
}

void ImportSource::MakeRoomAhead() {
  if (aheadCount_ < ahead_.size()) return;
  std::vector<std::string> bigger(ahead_.empty() ? 16 : ahead_.size() * 2);
  for (size_t i = 0; i < aheadCount_; ++i) bigger[i].swap(Ahead(i));
  ahead_.swap(bigger);
  aheadFirst_ = 0;
}

void ImportSource::UnreadLine(const std::string& line) {
  MakeRoomAhead();
  aheadFirst_ = (aheadFirst_ + ahead_.size() - 1) % ahead_.size();
  ++aheadCount_;
  Ahead(0) = line;
}

const std::string* ImportSource::Peek(size_t i) {
  while (aheadCount_ <= i) {
    MakeRoomAhead();
    std::string& slot = Ahead(aheadCount_);
    if (!ReadRawLine(slot)) return nullptr;
    decoder_.Decode(slot);
    ++aheadCount_;
  }
  return &Ahead(i);
}

bool ImportSource::ReadLine(std::string& line) {
  if (aheadCount_ > 0) {
    line.swap(Ahead(0));  // the slot keeps the room of the caller's string
    aheadFirst_ = (aheadFirst_ + 1) % ahead_.size();
    --aheadCount_;
    return true;
  }
  if (!ReadRawLine(line)) return false;
  decoder_.Decode(line);
  return true;
}

bool ImportSource::ReadRawLine(std::string& line) {
  line.clear();
  if (!open_) return false;
  bool started = false;  // some byte of this line (or its line end) was taken
  bool cut = false;
  auto finish = [&] {
    ++lineNumber_;
    if (cut && firstCutLine_ == 0) firstCutLine_ = lineNumber_;
    return true;
  };
  for (;;) {
    if (pos_ == end_ && !Fill()) return started ? finish() : false;
    started = true;
    const char* p = buf_.data() + pos_;
    const char* const e = buf_.data() + end_;
    while (p < e) {
      // A run of ordinary bytes is taken in one piece.
      const char* q = FindControlByte(p, e);
      if (q > p) {
        const size_t room = kMaxImportLine - line.size();
        const size_t n = static_cast<size_t>(q - p);
        if (n > room) cut = true;
        line.append(p, n < room ? n : room);
        p = q;
        continue;
      }
      const char c = *p++;
      if (c == '\n') {
        pos_ = static_cast<size_t>(p - buf_.data());
        return finish();
      }
      if (c == '\r') {
        // CR LF, CR CR LF ... or a lone CR: one line end.
        pos_ = static_cast<size_t>(p - buf_.data());
        for (;;) {
          if (pos_ == end_ && !Fill()) break;
          const char d = buf_[pos_];
          if (d == '\r') {
            ++pos_;
            continue;
          }
          if (d == '\n') ++pos_;
          break;
        }
        return finish();
      }
      const size_t width = c == '\t' ? 8 - line.size() % 8 : 1;
      if (line.size() + width > kMaxImportLine) {
        cut = true;
        line.resize(kMaxImportLine, ' ');
      } else {
        line.append(width, ' ');
      }
    }
    pos_ = end_;
  }
}

}  // namespace tav
