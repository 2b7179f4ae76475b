#include "exchange/base64.h"

#include <array>
#include <cstdint>

#include "platform/text_file.h"

namespace tav {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint32_t kBad = 0x100;  // marks a byte outside the alphabet

constexpr std::array<uint32_t, 256> MakeDecodeTable() {
  std::array<uint32_t, 256> t{};
  for (auto& v : t) v = kBad;
  for (uint32_t i = 0; i < 64; ++i) t[static_cast<unsigned char>(kAlphabet[i])] = i;
  return t;
}
constexpr std::array<uint32_t, 256> kDecode = MakeDecodeTable();

}  // namespace

size_t TBase64::Base64EncodedSize(size_t n) {
  return n == 0 ? 0 : (n + 2) / 3 * 4 + 1;
}

int TBase64::Base64PadCount(std::string_view text) {
  int pad = 0;
  for (size_t i = text.size(); i > 0 && text[i - 1] == '='; --i)
    if (++pad > 2) return -1;
  return pad;
}

size_t TBase64::Base64DecodedSize(size_t length, int pad) {
  if (length == 0 || length % 4 != 0 || pad < 0 || pad > 2) return 0;
  return length / 4 * 3 - static_cast<size_t>(pad);
}

int TBase64::Base64Encode(const void* data, size_t n, char* out, size_t outSize) {
  if (!out || (n > 0 && !data) || outSize < Base64EncodedSize(n)) return 0;
  const auto* s = static_cast<const unsigned char*>(data);
  char* o = out;
  size_t i = 0;
  for (; i + 3 <= n; i += 3) {
    const uint32_t v = (uint32_t{s[i]} << 16) | (uint32_t{s[i + 1]} << 8) | s[i + 2];
    o[0] = kAlphabet[v >> 18];
    o[1] = kAlphabet[(v >> 12) & 63];
    o[2] = kAlphabet[(v >> 6) & 63];
    o[3] = kAlphabet[v & 63];
    o += 4;
  }
  if (n - i == 1) {
    const uint32_t v = uint32_t{s[i]} << 16;
    *o++ = kAlphabet[v >> 18];
    *o++ = kAlphabet[(v >> 12) & 63];
    *o++ = '=';
    *o++ = '=';
  } else if (n - i == 2) {
    const uint32_t v = (uint32_t{s[i]} << 16) | (uint32_t{s[i + 1]} << 8);
    *o++ = kAlphabet[v >> 18];
    *o++ = kAlphabet[(v >> 12) & 63];
    *o++ = kAlphabet[(v >> 6) & 63];
    *o++ = '=';
  }
  if (outSize > 0) out[outSize - 1] = '\0';
  return 1;
}

int TBase64::Base64Decode(std::string_view text, void* out, size_t outSize) {
  const int pad = Base64PadCount(text);
  const size_t need = Base64DecodedSize(text.size(), pad);
  if (need == 0 || !out || outSize < need) return 0;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  auto* o = static_cast<unsigned char*>(out);
  const size_t groups = text.size() / 4;
  for (size_t g = 0; g + 1 < groups; ++g, s += 4, o += 3) {
    const uint32_t a = kDecode[s[0]], b = kDecode[s[1]], c = kDecode[s[2]], d = kDecode[s[3]];
    if ((a | b | c | d) & kBad) return 0;
    const uint32_t v = (a << 18) | (b << 12) | (c << 6) | d;
    o[0] = static_cast<unsigned char>(v >> 16);
    o[1] = static_cast<unsigned char>(v >> 8);
    o[2] = static_cast<unsigned char>(v);
  }
  // The last group: its padding counts as zero bits; a '=' anywhere else is no character.
  uint32_t v = 0;
  const int chars = 4 - pad;
  for (int k = 0; k < 4; ++k) {
    const uint32_t x = k < chars ? kDecode[s[k]] : 0;
    if (x & kBad) return 0;
    v = (v << 6) | x;
  }
  for (int k = 0; k < 3 - pad; ++k) o[k] = static_cast<unsigned char>(v >> (16 - 8 * k));
  return 1;
}

int TBase64::ReadWholeFile(const std::string& fileName, std::string& data) {
  return ReadFileBytes(fileName, data) ? 1 : 0;
}

int TBase64::WriteWholeFile(const std::string& fileName, std::string_view data) {
  return WriteFileAtomic(fileName, data) ? 1 : 0;
}

int TBase64::EncodeFileToStream(const std::string& fileName, std::string& out) {
  std::string data;
  if (!ReadWholeFile(fileName, data)) return 0;
  if (data.empty()) return 1;
  const size_t start = out.size();
  out.resize(start + Base64EncodedSize(data.size()));
  Base64Encode(data.data(), data.size(), out.data() + start, out.size() - start);
  out.pop_back();  // the terminating zero
  return 1;
}

int TBase64::EncodeFileToStream(const std::string& fileName, std::FILE* stream) {
  if (!stream) return 0;
  std::string text;
  if (!EncodeFileToStream(fileName, text)) return 0;
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() ? 1 : 0;
}

int TBase64::DecodeTextToFile(const std::string& fileName, std::string_view text) {
  std::string data(Base64DecodedSize(text.size(), Base64PadCount(text)), '\0');
  if (!Base64Decode(text, data.data(), data.size())) return 0;
  return WriteWholeFile(fileName, data);
}

}  // namespace tav
