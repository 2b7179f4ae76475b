#include "services/charsets.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/charset.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {
namespace {

constexpr char kMarker = '\x01';
constexpr size_t kMaxExceptionWord = 27;

// The twelve letters the DOS code page and Windows-1252 place differently.
constexpr unsigned char kDosPairs[12][2] = {{0x84, 0xE4}, {0x94, 0xF6}, {0x81, 0xFC}, {0x8E, 0xC4},
                                            {0x99, 0xD6}, {0x9A, 0xDC}, {0xE1, 0xDF}, {0x8A, 0xE8},
                                            {0x8C, 0xEE}, {0xAF, 0xBB}, {0xAE, 0xAB}, {0x9B, 0xD8}};

struct ByteMap {
  std::array<unsigned char, 256> map;
  ByteMap(bool dosToAnsi) {
    for (int i = 0; i < 256; ++i) map[i] = static_cast<unsigned char>(i);
    for (const auto& p : kDosPairs) map[p[dosToAnsi ? 0 : 1]] = p[dosToAnsi ? 1 : 0];
  }
};

const ByteMap& DosToAnsiMap() {
  static const ByteMap m(true);
  return m;
}

const ByteMap& AnsiToDosMap() {
  static const ByteMap m(false);
  return m;
}

// A DOS line of an exchange file: the twelve pairs, then every letter and sign that code pages
// 437 and 850 agree on (and 850's own where 437 has no letter: 0x9D, 0x9E, 0xA9). The box and
// block graphics of 437 become their nearest Windows-1252 signs: lines '-' and '|', corners and
// crossings '+', shades a blank, blocks and the square '*'.
struct DosLineMap : ByteMap {
  DosLineMap() : ByteMap(true) {
    static constexpr unsigned char kMore[][2] = {
        {0x80, 0xC7}, {0x82, 0xE9}, {0x83, 0xE2}, {0x85, 0xE0}, {0x86, 0xE5}, {0x87, 0xE7},
        {0x88, 0xEA}, {0x89, 0xEB}, {0x8B, 0xEF}, {0x8D, 0xEC}, {0x8F, 0xC5}, {0x90, 0xC9},
        {0x91, 0xE6}, {0x92, 0xC6}, {0x93, 0xF4}, {0x95, 0xF2}, {0x96, 0xFB}, {0x97, 0xF9},
        {0x98, 0xFF}, {0x9C, 0xA3}, {0x9D, 0xD8}, {0x9E, 0xD7}, {0x9F, 0x83}, {0xA0, 0xE1},
        {0xA1, 0xED}, {0xA2, 0xF3}, {0xA3, 0xFA}, {0xA4, 0xF1}, {0xA5, 0xD1}, {0xA6, 0xAA},
        {0xA7, 0xBA}, {0xA8, 0xBF}, {0xA9, 0xAE}, {0xAA, 0xAC}, {0xAB, 0xBD}, {0xAC, 0xBC},
        {0xAD, 0xA1}, {0xE6, 0xB5}, {0xF1, 0xB1}, {0xF6, 0xF7}, {0xF8, 0xB0}, {0xFA, 0xB7},
        {0xFD, 0xB2}, {0xFF, 0xA0}};
    for (const auto& p : kMore) map[p[0]] = p[1];
    for (int c = 0xB0; c <= 0xDF; ++c) map[c] = '+';
    for (int c : {0xB0, 0xB1, 0xB2}) map[c] = ' ';
    for (int c : {0xC4, 0xCD}) map[c] = '-';
    for (int c : {0xB3, 0xBA}) map[c] = '|';
    for (int c : {0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xFE}) map[c] = '*';
  }
};

// What a byte above 0x7F tells of a line's code page: +1 a DOS letter, -1 a Windows-1252 letter,
// 0 nothing (signs, and letters either code page uses as a common sign: the typographic quotes,
// dashes, ellipsis and euro of Windows-1252 at 0x80-0x97, and the DOS ß, ° and non-breaking
// space at 0xE1, 0xF8, 0xFF). ExchangeLineDecoder looks at 0x84 and 0x94, and at the DOS
// graphics among the Windows-1252 letters, closer.
struct CodePageHints {
  std::array<signed char, 256> hint{};
  CodePageHints() {
    for (int c = 0x80; c <= 0xA5; ++c) hint[c] = (c >= 0x9B && c <= 0x9F) ? 0 : 1;
    for (int c : {0x80, 0x85, 0x91, 0x92, 0x93, 0x95, 0x96, 0x97, 0xA0}) hint[c] = 0;
    for (int c = 0xC0; c <= 0xFF; ++c) hint[c] = -1;
    for (int c : {0xD7, 0xF7, 0xE1, 0xF8, 0xFF}) hint[c] = 0;
  }
};

// A byte that is a box, block or shade sign in code page 437 (0xFE the square).
bool IsDosGraphic(unsigned char c) {
  return (c >= 0xB0 && c <= 0xDF) || c == 0xFE;
}

bool HasHighByte(const std::string& text) {
  const char* p = text.data();
  const char* const e = p + text.size();
#if defined(__SSE2__)
  for (; e - p >= 16; p += 16)  // most lines are plain ASCII
    if (_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))) return true;
#endif
  for (; e - p >= 8; p += 8) {  // eight bytes at a time: most lines are plain ASCII
    uint64_t w;
    std::memcpy(&w, p, 8);
    if (w & 0x8080808080808080ULL) return true;
  }
  for (; p < e; ++p)
    if (static_cast<unsigned char>(*p) >= 0x80) return true;
  return false;
}

#if defined(__SSE2__)
// Bit i set where before[i] is a, o or u and before[i + 1] is e (any case): a spelled umlaut.
unsigned PairMask(const char* before) {
  const __m128i lower = _mm_set1_epi8(0x20);
  const __m128i first =
      _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(before)), lower);
  const __m128i second =
      _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(before + 1)), lower);
  const __m128i vowel = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(first, _mm_set1_epi8('a')),
                                                  _mm_cmpeq_epi8(first, _mm_set1_epi8('o'))),
                                     _mm_cmpeq_epi8(first, _mm_set1_epi8('u')));
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_and_si128(vowel, _mm_cmpeq_epi8(second, _mm_set1_epi8('e')))));
}
#endif

// Calls `f` with the position of each byte above 0x7F, in order.
template <typename F>
void ForEachHighByte(const std::string& text, F f) {
  const size_t n = text.size();
  size_t i = 0;
#if defined(__SSE2__)
  for (; n - i >= 16; i += 16)
    for (auto m = static_cast<unsigned>(
             _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i))));
         m; m &= m - 1)
      f(i + static_cast<size_t>(__builtin_ctz(m)));
#endif
  for (; i < n; ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) f(i);
}

void MapBytes(std::string& text, const ByteMap& m) {
  for (char& c : text) c = static_cast<char>(m.map[static_cast<unsigned char>(c)]);
}

bool OptionFlag(int id) {
  return ctx().options && ctx().options->Flag(id);
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// The umlaut for the first letter of a pair, 0 when the letter starts no pair.
char UmlautFor(char c) {
  switch (c) {
    case 'a':
      return '\xE4';
    case 'o':
      return '\xF6';
    case 'u':
      return '\xFC';
    case 'A':
      return '\xC4';
    case 'O':
      return '\xD6';
    case 'U':
      return '\xDC';
    default:
      return 0;
  }
}

void AppendUnit(WideText& out, char16_t unit) {
  out.push_back(unit);
}

void AppendAscii(WideText& out, const char* s) {
  for (; *s; ++s) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*s)));
}

// Base letters for the dictionary order of 0xC0-0xFF (two letters where one letter sorts as
// two). 0 keeps the character itself.
const char* BaseLetters(unsigned char c) {
  static const char* const kHigh[64] = {
      "A", "A", "A", "A", "A", "A", "AE", "C",     "E", "E", "E", "E", "I", "I", "I",  "I",
      "D", "N", "O", "O", "O", "O", "O",  nullptr, "O", "U", "U", "U", "U", "Y", "TH", "SS",
      "A", "A", "A", "A", "A", "A", "AE", "C",     "E", "E", "E", "E", "I", "I", "I",  "I",
      "D", "N", "O", "O", "O", "O", "O",  nullptr, "O", "U", "U", "U", "U", "Y", "TH", "Y"};
  if (c >= 0xC0) return kHigh[c - 0xC0];
  switch (c) {
    case 0x8A:
    case 0x9A:
      return "S";
    case 0x8C:
    case 0x9C:
      return "OE";
    case 0x8E:
    case 0x9E:
      return "Z";
    case 0x9F:
      return "Y";
    default:
      return nullptr;
  }
}

std::string PrimaryKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  for (char c : text) {
    if (const char* base = BaseLetters(static_cast<unsigned char>(c)))
      key += base;
    else
      key += AsciiUpper(c);
  }
  return key;
}

int CompareBytes(std::string_view a, std::string_view b) {
  const int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace

bool ReadUmlautExceptions(const std::string& path, std::vector<UMLCONV>& list) {
  list.clear();
  LineReader in(path);
  if (!in.IsOpen()) return false;
  int offset = 0;
  std::string line;
  while (in.Next(line)) {
    if (line.size() > kMaxExceptionWord) line.resize(kMaxExceptionWord);
    if (line.empty()) continue;  // an empty word would protect every pair
    if (line[0] == '#') {
      offset = static_cast<int>(static_cast<unsigned long>(ReadLong(line.substr(1))) & 0xFF);
      continue;
    }
    const size_t q = line.find('?');
    if (q != std::string::npos) line[q] = kMarker;
    list.push_back({line, offset});
  }
  return true;
}

void LoadUmlautExceptions() {
  if (!ctx().tools) return;
  std::string folder;
  if (ctx().options) ctx().options->GetParaString(52, &folder);
  ReadUmlautExceptions(folder + "umlconvs.dat", ctx().tools->umlautExceptions);
}

void DosLettersToAnsi(std::string& text) {
  MapBytes(text, DosToAnsiMap());
}

UmlautSpelling::UmlautSpelling(const std::vector<UMLCONV>& exceptions, bool keepSpelledUmlauts)
    : active_(!keepSpelledUmlauts) {
  if (!active_) return;
  // Bucket of a word: the pair letter it can protect (0 a, 1 o, 2 u) x the byte it wants before
  // the pair (256: any, for words that start at the pair, end before the letter before it or
  // want a word boundary there).
  constexpr size_t kKeys = 257;
  std::vector<std::vector<Word>> buckets(3 * kKeys);
  for (const UMLCONV& e : exceptions) {
    const std::string w = UpperCaseAnsi(e.word);  // the file's words in any case
    const size_t k = static_cast<size_t>(e.offset);
    for (int letter = 0; letter < 3; ++letter) {
      // The word's letters at the pair must be the pair's.
      if (k < w.size() && w[k] != "AOU"[letter]) continue;
      if (k + 1 < w.size() && w[k + 1] != 'E') continue;
      const size_t key = k >= 1 && k - 1 < w.size() && w[k - 1] != ' '
                             ? static_cast<unsigned char>(w[k - 1])
                             : 256;
      buckets[static_cast<size_t>(letter) * kKeys + key].push_back({w, k});
    }
  }
  bucketStart_.reserve(buckets.size() + 1);
  for (std::vector<Word>& b : buckets) {
    bucketStart_.push_back(static_cast<uint32_t>(words_.size()));
    for (Word& w : b) words_.push_back(std::move(w));
  }
  bucketStart_.push_back(static_cast<uint32_t>(words_.size()));
  // "AE", "OE" and "UE" at offset 0 protect every pair of their letter.
  protectsAll_ = true;
  for (int letter = 0; letter < 3; ++letter) {
    bool all = false;
    for (uint32_t i = bucketStart_[letter * kKeys + 256]; i < bucketStart_[letter * kKeys + 257];
         ++i)
      all = all || (words_[i].offset == 0 && words_[i].text.size() == 2);
    protectsAll_ = protectsAll_ && all;
  }
}

bool UmlautSpelling::HasSpelledPair(std::string_view text) {
  const size_t n = text.size();
  size_t q = 1;
#if defined(__SSE2__)
  for (; n > q && n - q >= 16; q += 16)
    if (PairMask(text.data() + q - 1)) return true;
  if (q < n) {  // the last places through a copy of sixteen, as ConvertFrom reads them
    char tail[17] = {};
    const size_t rest = n - q;
    tail[0] = text[q - 1];
    std::memcpy(tail + 1, text.data() + q, rest);
    return (PairMask(tail) & ((1u << rest) - 1)) != 0;
  }
#endif
  for (; q < n; ++q) {
    const char first = static_cast<char>(text[q - 1] | 0x20);
    if ((first == 'a' || first == 'o' || first == 'u') && (text[q] | 0x20) == 'e') return true;
  }
  return false;
}

UmlautSpelling UmlautSpelling::Current() {
  static const std::vector<UMLCONV> kNone;
  return UmlautSpelling(ctx().tools ? ctx().tools->umlautExceptions : kNone, OptionFlag(22));
}

namespace {

// A letter of a word (the marker of a pair found before stands for its 'e').
bool IsWordLetter(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || ch == kMarker ||
         (c >= 0xC0 && c != 0xD7 && c != 0xF7) || c == 0x8A || c == 0x8C || c == 0x8E ||
         c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}

// A vowel before a "ue" keeps it a "u" and an "e" (Feuer, Bauer, neue, Allgaeuer), and so does
// a 'q' (Quelle, Barbeque).
bool KeepsUe(char before) {
  static constexpr std::string_view kBefore = "aeiouAEIOUqQ\x01\xE4\xF6\xFC\xC4\xD6\xDC";
  return kBefore.find(before) != std::string_view::npos;
}

}  // namespace

bool UmlautSpelling::Protected(std::string_view text, size_t p, int letter) const {
  if (words_.empty()) return false;
  constexpr size_t kKeys = 257;
  const size_t base = static_cast<size_t>(letter) * kKeys;
  const auto n = static_cast<std::ptrdiff_t>(text.size());
  // The word stands at p - offset: a blank in it is a word boundary (any other character or
  // the text's edge), an 'E' matches the marker of a pair found before, the rest the letters in
  // any case.
  auto matches = [&](const Word& w) {
    const std::ptrdiff_t start =
        static_cast<std::ptrdiff_t>(p) - static_cast<std::ptrdiff_t>(w.offset);
    for (size_t j = 0; j < w.text.size(); ++j) {
      const std::ptrdiff_t i = start + static_cast<std::ptrdiff_t>(j);
      const char want = w.text[j];
      if (i < 0 || i >= n) {
        if (want != ' ') return false;
        continue;
      }
      const char c = text[static_cast<size_t>(i)];
      if (want == ' ') {
        if (IsWordLetter(c)) return false;
      } else if (!(want == c || want == UpperAnsi(c) || (want == 'E' && c == kMarker))) {
        return false;
      }
    }
    return true;
  };
  auto search = [&](size_t bucket) {
    for (uint32_t i = bucketStart_[bucket]; i < bucketStart_[bucket + 1]; ++i)
      if (matches(words_[i])) return true;
    return false;
  };
  if (search(base + 256)) return true;
  if (p == 0) return false;
  // A marker before the pair stands for the 'e' of a pair found before: words may want either.
  const char before = text[p - 1];
  if (before == kMarker && search(base + static_cast<unsigned char>('E'))) return true;
  return search(base + static_cast<unsigned char>(UpperAnsi(before)));
}

void UmlautSpelling::Convert(std::string& text) const {
  ConvertFrom(text, 0);
}

void UmlautSpelling::ConvertFrom(std::string& text, size_t from) const {
  if (!active_ || from >= text.size() || text.size() - from < 2) return;
  char* const s = text.data() + from;
  const size_t n = text.size() - from;
  const std::string_view view(s, n);
  bool converted = false;
  // The pair at q - 1, q: unless an exception word protects it, its 'e' becomes the marker (the
  // first letter stays until the end, so exception words further on see the text as written).
  auto pair = [&](size_t q) {
    const char first = s[q - 1];
    if (!UmlautFor(first) || (static_cast<unsigned char>(s[q]) | 0x20) != 'e') return;
    const int letter = (first | 0x20) == 'a' ? 0 : (first | 0x20) == 'o' ? 1 : 2;
    if (letter == 2 && q >= 2 && KeepsUe(s[q - 2])) return;
    if (Protected(view, q - 1, letter)) return;
    s[q] = kMarker;
    converted = true;
  };
  size_t q = 1;
#if defined(__SSE2__)
  // Sixteen places at a time. A pair found changes only its 'e', which cannot start a pair.
  for (; n - q >= 16; q += 16)
    for (unsigned mask = PairMask(s + q - 1); mask; mask &= mask - 1)
      pair(q + static_cast<size_t>(__builtin_ctz(mask)));
  if (q < n) {  // the last places (or a short field) through a copy of sixteen
    char tail[17] = {};
    const size_t rest = n - q;
    tail[0] = s[q - 1];
    std::memcpy(tail + 1, s + q, rest);
    for (unsigned mask = PairMask(tail) & ((1u << rest) - 1); mask; mask &= mask - 1)
      pair(q + static_cast<size_t>(__builtin_ctz(mask)));
    q = n;
  }
#endif
  for (; q < n; ++q)
    if ((static_cast<unsigned char>(s[q]) | 0x20) == 'e') pair(q);
  if (!converted) return;
  // The letter before each marker becomes its umlaut; the markers go, the rest closes up.
  const auto* first = static_cast<const char*>(std::memchr(s, kMarker, n));
  size_t w = static_cast<size_t>(first - text.data());
  if (w > from) --w;
  for (size_t i = w; i < text.size(); ++i) {
    if (text[i] == kMarker) continue;
    const char umlaut = i + 1 < text.size() && text[i + 1] == kMarker ? UmlautFor(text[i]) : 0;
    text[w++] = umlaut ? umlaut : text[i];
  }
  text.resize(w);
}

std::string UmlautSpelling::Converted(std::string_view text) const {
  std::string out(text);
  Convert(out);
  return out;
}

void DosToAnsiUmlauts(std::string& text, const std::vector<UMLCONV>& exceptions,
                      bool keepSpelledUmlauts) {
  DosLettersToAnsi(text);
  UmlautSpelling(exceptions, keepSpelledUmlauts).Convert(text);
}

void DosToAnsiUmlauts(std::string& text) {
  DosLettersToAnsi(text);
  UmlautSpelling::Current().Convert(text);
}

namespace {

// The byte at i and one beside it are box, block or shade signs.
bool InGraphicRun(const std::string& line, size_t i) {
  auto graphic = [&](size_t k) {
    return k < line.size() && IsDosGraphic(static_cast<unsigned char>(line[k]));
  };
  return graphic(i) && ((i > 0 && graphic(i - 1)) || graphic(i + 1));
}

// What one line tells of its code page: > 0 DOS, < 0 Windows-1252, 0 nothing.
int CodePageScore(const std::string& line) {
  static const CodePageHints kHints;
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  auto at = [&](size_t i) { return i < line.size() ? static_cast<unsigned char>(line[i]) : 0; };
  int score = 0;
  // Only bytes above 0x7F tell anything: the others are passed over.
  ForEachHighByte(line, [&](size_t i) {
    const auto c = static_cast<unsigned char>(line[i]);
    const bool inWord = (i > 0 && letter(line[i - 1])) || letter(static_cast<char>(at(i + 1)));
    // 0x84 and 0x94 are ä and ö in DOS but the quotes „ and ” in Windows-1252: only inside a
    // word do they tell.
    if ((c == 0x84 || c == 0x94) &&
        !(i > 0 && letter(line[i - 1]) && i + 1 < line.size() && letter(line[i + 1])))
      return;
    if (!inWord && IsDosGraphic(c)) {
      // Apart from letters, a square or a run of box signs ("────") is DOS graphics; a lone
      // one may be ½, ° or Ø as well.
      if (c == 0xFE || InGraphicRun(line, i)) ++score;
      return;
    }
    if (kHints.hint[c] < 0 && !inWord) return;  // a Windows-1252 letter stands in a word
    score += kHints.hint[c];
  });
  return score;
}

// A Windows-1252 line may still carry a sign its writer took from DOS, as its neighbours show:
// 0xF8 after a number (a blank between allowed) and before C or F ending the word is the DOS
// degree sign ("220øC" is 220 °C; "Smørrebrød" keeps its ø); 0x85 standing alone before an
// amount or a French "la", "le", "l'" is the DOS "à" ("2 Dosen (… 400 g)" is "à 400 g"); the
// ellipsis after a word stays.
void DosSignsInWindowsLine(std::string& line) {
  auto at = [&](size_t i) { return i < line.size() ? line[i] : '\0'; };
  auto isLetter = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (u >= 0xC0 && u != 0xD7 && u != 0xF7);
  };
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  ForEachHighByte(line, [&](size_t i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == 0xF8) {
      const size_t before = i > 0 && line[i - 1] == ' ' ? i - 1 : i;
      if (before > 0 && isDigit(line[before - 1]) && (at(i + 1) == 'C' || at(i + 1) == 'F') &&
          !isLetter(at(i + 2)))
        line[i] = '\xB0';
    } else if (c == 0x85) {
      const bool alone = (i == 0 || line[i - 1] == ' ' || line[i - 1] == '(') && at(i + 1) == ' ';
      const std::string_view next = std::string_view(line).substr(std::min(i + 2, line.size()));
      const bool french = next.starts_with("la ") || next.starts_with("le ") ||
                          next.starts_with("l'") || next == "la" || next == "le";
      if (alone && (isDigit(at(i + 2)) || french)) line[i] = '\xE0';
    }
  });
}

}  // namespace

void ExchangeLineDecoder::Decode(std::string& line) {
  if (first_) {
    first_ = false;
    if (utf8_ && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
  }
  if (!HasHighByte(line)) return;
  if (utf8_ && IsUtf8(line)) {
    line = Utf8ToCp1252(line);
    return;
  }
  const int score = CodePageScore(line);
  const int vote = (score > 0) - (score < 0);  // a line counts once, however many letters
  recipeScore_ += vote;
  fileScore_ += vote;
  // A line decides by its own letters; one without follows its recipe's letters, then the
  // file's: a DOS file stays DOS around a line of Windows-1252 letters.
  const bool dos = score != 0 ? score > 0 : recipeScore_ != 0 ? recipeScore_ > 0 : fileScore_ >= 0;
  if (!dos) {
    DosSignsInWindowsLine(line);
    return;
  }
  static const DosLineMap kDos;
  // A short box line must not read as a Meal-Master end line ("-----" up to 9 characters).
  const bool shortBoxLine = line.size() < 10 && line.size() >= 5 &&
                            std::all_of(line.begin(), line.begin() + 5, [](char c) {
                              return c == '\xC4' || c == '\xCD';
                            });
  // Only bytes above 0x7F change.
  ForEachHighByte(line, [&](size_t i) {
    const auto c = static_cast<unsigned char>(line[i]);
    // A lone box sign in a line that shows no DOS letters of its own stays: it is more likely
    // the ½, ¼ or ° of a Windows-1252 writer than a piece of a frame.
    if (c != 0xFE && IsDosGraphic(c) && score <= 0 && !InGraphicRun(line, i)) return;
    line[i] = static_cast<char>(kDos.map[c]);
  });
  if (shortBoxLine) line.resize(10, ' ');
}

void AnsiToDosUmlauts(std::string& text) {
  if (OptionFlag(21)) MapBytes(text, AnsiToDosMap());
}

void TransliterateUmlauts(std::string& text) {
  if (!OptionFlag(31)) return;
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    switch (static_cast<unsigned char>(c)) {
      case 0xC4:
        out += "Ae";
        break;
      case 0xE4:
        out += "ae";
        break;
      case 0xD6:
        out += "Oe";
        break;
      case 0xF6:
        out += "oe";
        break;
      case 0xDC:
        out += "Ue";
        break;
      case 0xFC:
        out += "ue";
        break;
      case 0xDF:
        out += "ss";
        break;
      default:
        out += c;
    }
  }
  text.swap(out);
}

void XmlEscapeUtf8(std::string_view text, WideText& out) {
  out.clear();
  out.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '>':
        AppendAscii(out, "&gt;");
        continue;
      case '<':
        AppendAscii(out, "&lt;");
        continue;
      case '\'':
        AppendAscii(out, "&apos;");
        continue;
      case '"':
        AppendAscii(out, "&quot;");
        continue;
      case '&':
        AppendAscii(out, "&amp;");
        continue;
      default:
        break;
    }
    if (c < 0x80) {
      AppendUnit(out, c);
      continue;
    }
    const char32_t cp = Cp1252ToCodePoint(c);
    if (cp < 0x800) {
      AppendUnit(out, static_cast<char16_t>(((0xC0 | (cp >> 6)) << 8) | (0x80 | (cp & 0x3F))));
    } else {
      // Three bytes (the euro sign, typographic quotes …): two units.
      AppendUnit(out,
                 static_cast<char16_t>(((0xE0 | (cp >> 12)) << 8) | (0x80 | ((cp >> 6) & 0x3F))));
      AppendUnit(out, static_cast<char16_t>(0x80 | (cp & 0x3F)));
    }
  }
}

void AssignCString(std::string_view text, WideText& out) {
  out.clear();
  AppendCString(text, out);
}

void AppendCString(std::string_view text, WideText& out) {
  for (char c : text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

std::string WideTextBytes(const WideText& units) {
  std::string out;
  out.reserve(units.size() + units.size() / 4);
  for (char16_t u : units) {
    if (u >> 8) out += static_cast<char>(u >> 8);
    out += static_cast<char>(u & 0xFF);
  }
  return out;
}

void HtmlEscape(std::string& text) {
  // One pass over the bytes (find_first_of looks each byte up in the set with a call of its own).
  size_t first = 0;
  while (first < text.size() && text[first] != '<' && text[first] != '>' && text[first] != '"' &&
         text[first] != '&')
    ++first;
  if (first == text.size()) return;
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    switch (c) {
      case '>':
        out += "&gt;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '&':
        out += "&amp;";
        break;
      default:
        out += c;
    }
  }
  text.swap(out);
}

std::string MakeSortKey(std::string_view text) {
  std::string key;
  key.reserve(text.size() + 4);
  for (char c : text) {
    switch (static_cast<unsigned char>(c)) {
      case 0xC4:
      case 0xE4:
        key += "AE";
        break;
      case 0xD6:
      case 0xF6:
        key += "OE";
        break;
      case 0xDC:
      case 0xFC:
        key += "UE";
        break;
      case 0xDF:
        key += "SS";
        break;
      default:
        key += AsciiUpper(c);
    }
  }
  return key;
}

void LfToCrLf(std::string& text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  text.swap(out);
}

std::string CrLfToBr(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "<br>\n";
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

char UpperAnsi(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
  if (c >= 0xE0 && c != 0xF7 && c != 0xFF) return static_cast<char>(c - 32);
  switch (c) {
    case 0x9A:
      return '\x8A';
    case 0x9C:
      return '\x8C';
    case 0x9E:
      return '\x8E';
    case 0xFF:
      return '\x9F';
    default:
      return ch;
  }
}

char LowerAnsi(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 32);
  switch (c) {
    case 0x8A:
      return '\x9A';
    case 0x8C:
      return '\x9C';
    case 0x8E:
      return '\x9E';
    case 0x9F:
      return '\xFF';
    default:
      return ch;
  }
}

std::string UpperCaseAnsi(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAnsi(c);
  return out;
}

bool SameTextNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperAnsi(a[i]) != UpperAnsi(b[i])) return false;
  return true;
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
  if (const int r = CompareBytes(PrimaryKey(a), PrimaryKey(b))) return r;
  return CompareBytes(UpperCaseAnsi(a), UpperCaseAnsi(b));
}

std::string CompareKeyNoCase(std::string_view text) {
  // A text holds no zero byte, so the zero ends the base-letter key before any longer one.
  std::string key = PrimaryKey(text);
  key += '\0';
  key += UpperCaseAnsi(text);
  return key;
}

}  // namespace tav
