#include "recipedb/key_value_list.h"

#include <charconv>

namespace tav {

namespace {

void AppendNumber(std::string& out, size_t n) {
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, n);
  out.append(buf, res.ptr);
}

// Decimal digits at `pos` (none give 0), accumulated in 32 bits.
uint32_t ReadDigits(std::string_view text, size_t& pos) {
  uint32_t v = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
    v = v * 10 + static_cast<uint32_t>(text[pos++] - '0');
  return v;
}

}  // namespace

void AppendKeyValueList(std::string& out, const KeyValueView* pairs, size_t count) {
  out += '|';
  AppendNumber(out, count);
  out += '|';
  if (count == 0) return;
  for (size_t i = 0; i < count; ++i) {
    AppendNumber(out, pairs[i].key.size() + 1 + pairs[i].value.size());
    out += i + 1 < count ? ':' : '|';
  }
  for (size_t i = 0; i < count; ++i) {
    out.append(pairs[i].key);
    out += '~';
    out.append(pairs[i].value);
    out += '|';
  }
}

std::string BuildKeyValueText(const std::vector<DBDATAENTRY>& pairs) {
  std::vector<KeyValueView> views;
  views.reserve(pairs.size());
  for (const DBDATAENTRY& p : pairs) views.push_back({p.key, p.value});
  std::string out;
  AppendKeyValueList(out, views.data(), views.size());
  return out;
}

bool ParseKeyValueViews(std::string_view text, std::vector<KeyValueView>& pairs) {
  pairs.clear();
  if (text.empty() || text[0] != '|') return false;
  size_t pos = 1;
  const uint32_t count = ReadDigits(text, pos);
  if (pos >= text.size() || text[pos] != '|') return false;
  // The lengths are read first; a list cannot announce more entries than it has bytes.
  uint32_t lengthsSeen = 0;
  const size_t lengthsStart = pos;
  for (;;) {
    ++pos;  // over '|' or ':'
    ReadDigits(text, pos);
    ++lengthsSeen;
    if (pos >= text.size()) return false;
    if (text[pos] == '|') break;
    if (text[pos] != ':') return false;
  }
  if (lengthsSeen != count) return false;
  size_t lenPos = lengthsStart;
  for (uint32_t i = 0; i < count; ++i) {
    ++lenPos;
    const uint32_t len = ReadDigits(text, lenPos);
    if (pos >= text.size() || text[pos] != '|') return false;
    ++pos;
    const size_t tilde = text.find('~', pos);
    if (tilde == std::string_view::npos) return false;
    const size_t keyLen = tilde - pos;
    if (static_cast<size_t>(len) < keyLen + 1) return false;  // shorter than its own key
    const size_t valueLen = len - keyLen - 1;
    if (valueLen > text.size() - (tilde + 1)) return false;
    pairs.push_back({text.substr(pos, keyLen), text.substr(tilde + 1, valueLen)});
    pos = tilde + 1 + valueLen;
  }
  return true;
}

}  // namespace tav
