#include "app/recipe_records.h"

#include "app/context.h"

namespace tav {

void ClearRezBlock(REZBLOCK& recipe) {
  const uint8_t deleted = recipe.deleted;
  recipe = REZBLOCK();
  recipe.deleted = deleted;
  recipe.servingType = GetLangText(575);
}

namespace {

// Decimal digits at `pos` (none give 0); `pos` moves past them. Wraps like a 32-bit reader.
uint32_t ReadDigits(std::string_view text, size_t& pos) {
  uint32_t v = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
    v = v * 10 + static_cast<uint32_t>(text[pos++] - '0');
  return v;
}

}  // namespace

bool ParseDbEntries(std::string_view text, std::vector<DBDATAENTRY>& entries) {
  entries.clear();
  size_t pos = 0;
  if (text.empty() || text[0] != '|') return false;
  ++pos;
  const uint32_t count = ReadDigits(text, pos);
  if (pos >= text.size() || text[pos] != '|') return false;
  std::vector<uint32_t> lengths;
  for (;;) {
    ++pos;  // over '|' or ':'
    lengths.push_back(ReadDigits(text, pos));
    if (pos >= text.size()) return false;
    if (text[pos] == '|') break;
    if (text[pos] != ':') return false;
    // A list can never announce more entries than it has bytes.
    if (lengths.size() > text.size()) return false;
  }
  if (lengths.size() != count) return false;
  for (uint32_t len : lengths) {
    if (pos >= text.size() || text[pos] != '|') return false;
    ++pos;
    const size_t tilde = text.find('~', pos);
    if (tilde == std::string_view::npos) return false;
    const size_t keyLen = tilde - pos;
    // The value is len - key - 1 bytes; a length shorter than the key cannot be right.
    if (static_cast<size_t>(len) < keyLen + 1) return false;
    const size_t valueLen = len - keyLen - 1;
    if (valueLen > text.size() - (tilde + 1)) return false;
    entries.push_back({std::string(text.substr(pos, keyLen)),
                       std::string(text.substr(tilde + 1, valueLen))});
    pos = tilde + 1 + valueLen;
  }
  return true;
}

}  // namespace tav
