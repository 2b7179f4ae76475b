#include "services/charsets.h"

#include <array>

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

bool IsException(const std::string& text, size_t p, const std::vector<UMLCONV>& exceptions) {
  for (const UMLCONV& e : exceptions) {
    const size_t k = static_cast<size_t>(e.offset);
    if (p < k) continue;
    const size_t start = p - k;
    if (start + e.word.size() > text.size()) continue;
    size_t i = 0;
    while (i < e.word.size() && e.word[i] == AsciiUpper(text[start + i])) ++i;
    if (i == e.word.size()) return true;
  }
  return false;
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

void DosToAnsiUmlauts(std::string& text, const std::vector<UMLCONV>& exceptions,
                      bool keepSpelledUmlauts) {
  MapBytes(text, DosToAnsiMap());
  if (keepSpelledUmlauts || text.size() < 2) return;
  bool converted = false;
  for (size_t p = 0; p + 1 < text.size(); ++p) {
    const char umlaut = UmlautFor(text[p]);
    if (!umlaut || (text[p + 1] != 'e' && text[p + 1] != 'E')) continue;
    if (IsException(text, p, exceptions)) continue;
    text[p] = umlaut;
    text[p + 1] = kMarker;
    converted = true;
    ++p;
  }
  if (!converted) return;
  size_t w = 0;
  for (char c : text)
    if (c != kMarker) text[w++] = c;
  text.resize(w);
}

void DosToAnsiUmlauts(std::string& text) {
  static const std::vector<UMLCONV> kNone;
  DosToAnsiUmlauts(text, ctx().tools ? ctx().tools->umlautExceptions : kNone, OptionFlag(22));
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
  if (text.find_first_of("<>\"&") == std::string::npos) return;
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
