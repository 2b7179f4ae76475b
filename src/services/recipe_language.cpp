#include "services/recipe_language.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace tav {
namespace {

enum WordLanguage : uint8_t { kNoWord, kGermanWord, kEnglishWord };

struct ListedWord {
  const char* text;
  WordLanguage language;
};

constexpr ListedWord kWords[] = {
#include "services/language_words.inc"
};

// Letters of Windows-1252 text in lower case; 0 for everything that is no letter.
struct LetterTable {
  std::array<unsigned char, 256> lower{};
  LetterTable() {
    for (int c = 'a'; c <= 'z'; ++c) lower[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
      lower[static_cast<size_t>(c)] = static_cast<unsigned char>(c + 32);
    for (int c = 0xE0; c <= 0xFF; ++c)
      lower[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 0xC0; c <= 0xDE; ++c)
      lower[static_cast<size_t>(c)] = static_cast<unsigned char>(c + 32);
    lower[0xDF] = 0xDF;             // ß has no capital here
    lower[0xD7] = lower[0xF7] = 0;  // × and ÷
  }
};

const LetterTable& Letters() {
  static const LetterTable table;
  return table;
}

// A word's key: its first seven letters, and its length in the top byte, so that a longer word
// is known by its start and its length.
constexpr size_t kKeptLetters = 7;

uint64_t KeyOf(const unsigned char* letters, size_t length) {
  uint64_t key = 0;
  for (size_t i = 0; i < length && i < kKeptLetters; ++i)
    key |= static_cast<uint64_t>(letters[i]) << (8 * i);
  return key | (static_cast<uint64_t>(std::min<size_t>(length, 255)) << 56);
}

// Open addressing over the listed words; built once.
class WordTable {
 public:
  WordTable() {
    for (const ListedWord& w : kWords) {
      const size_t n = std::strlen(w.text);
      size_t slot = Slot(KeyOf(reinterpret_cast<const unsigned char*>(w.text), n));
      while (languages_[slot] != kNoWord) slot = (slot + 1) % kSlots;
      keys_[slot] = KeyOf(reinterpret_cast<const unsigned char*>(w.text), n);
      languages_[slot] = w.language;
    }
  }
  WordLanguage Find(uint64_t key) const {
    for (size_t slot = Slot(key);; slot = (slot + 1) % kSlots) {
      if (languages_[slot] == kNoWord) return kNoWord;
      if (keys_[slot] == key) return static_cast<WordLanguage>(languages_[slot]);
    }
  }

 private:
  static constexpr size_t kSlots = 1024;  // well over twice the words: short probe runs
  static_assert(std::size(kWords) * 2 < kSlots);
  static size_t Slot(uint64_t key) {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> 54) % kSlots;
  }
  std::array<uint64_t, kSlots> keys_{};
  std::array<uint8_t, kSlots> languages_{};
};

const WordTable& Words() {
  static const WordTable table;
  return table;
}

}  // namespace

void LanguageCount::Add(std::string_view line) {
  const auto& lower = Letters().lower;
  const WordTable& words = Words();
  const auto* p = reinterpret_cast<const unsigned char*>(line.data());
  const unsigned char* const end = p + line.size();
  for (;;) {
    while (p < end && !lower[*p]) ++p;
    if (p == end) return;
    // The word's first seven letters, lower case, into the key; the rest only counted.
    const unsigned char* const start = p;
    uint64_t key = 0;
    for (unsigned shift = 0; p < end && lower[*p] && shift < 8 * kKeptLetters; ++p, shift += 8)
      key |= static_cast<uint64_t>(lower[*p]) << shift;
    while (p < end && lower[*p]) ++p;
    const auto length = static_cast<size_t>(p - start);
    const WordLanguage found =
        words.Find(key | (static_cast<uint64_t>(std::min<size_t>(length, 255)) << 56));
    german_ += found == kGermanWord;
    english_ += found == kEnglishWord;
  }
}

}  // namespace tav
