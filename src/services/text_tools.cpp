#include "services/text_tools.h"

#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"

namespace tav {
namespace {

constexpr size_t kMaxTitleWordLine = 198;

const char* SplitEnds(int mode) {
  switch (mode) {
    case kSplitWords:
      return " .,:;\r\n\t";
    case kSplitLines:
      return "\r\n";
    case kSplitPhrases:
      return ".,;\r\n";
    default:
      return "";
  }
}

size_t SkipSemicolonsAndBlanks(const std::string& s, size_t p) {
  while (p < s.size() && (s[p] == ';' || s[p] == ' ')) ++p;
  return p;
}

bool IsLetter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (u >= 0xC0 && u != 0xD7 && u != 0xF7) || u == 0x8A || u == 0x8C || u == 0x8E ||
         u == 0x9A || u == 0x9C || u == 0x9E || u == 0x9F;
}

// First letter of the word and of every part after '-' upper case.
void Capitalise(std::string& word) {
  bool atStart = true;
  for (char& c : word) {
    if (c == '-') {
      atStart = true;
    } else if (atStart && IsLetter(c)) {
      c = UpperAnsi(c);
      atStart = false;
    }
  }
}

// A leading double quote or apostrophe goes with the next one of its kind.
void StripLeadingQuotes(std::string& title) {
  if (title.empty() || (title[0] != '"' && title[0] != '\'')) return;
  const char q = title[0];
  title.erase(0, 1);
  const size_t next = title.find(q);
  if (next != std::string::npos) title.erase(next, 1);
}

bool AlreadyMixedCase(const std::string& title) {
  if (title.size() <= 2) return false;
  for (size_t i = 1; i <= 3 && i < title.size(); ++i)
    if (title[i] >= 'a' && title[i] <= 'z') return true;
  return false;
}

int TitleMode() {
  int mode = 2;
  if (ctx().options) ctx().options->GetParaInt(73, &mode);
  return mode;
}

// The next CR or LF from `p`, npos when none; one pass instead of a search per character.
size_t FindLineEnd(const std::string& s, size_t p) {
  for (; p < s.size(); ++p)
    if (s[p] == '\r' || s[p] == '\n') return p;
  return std::string::npos;
}

}  // namespace

void SplitText(std::string_view text, std::vector<std::string>& list, int mode) {
  list.clear();
  const char* ends = SplitEnds(mode);
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i >= text.size()) break;
    size_t j = text.find_first_of(ends, i);
    if (j == std::string_view::npos) j = text.size();
    if (j > i) list.emplace_back(text.substr(i, j - i));
    i = j + 1;
  }
}

void WrapText(std::string_view text, std::vector<std::string>& list, int mode, unsigned width) {
  const std::string s(text);
  if (width == 0) width = 1;  // a zero width would never move on
  size_t p = 0;
  bool more = true;
  for (int piece = 0; more; ++piece) {
    size_t feeds = 0;
    while (p < s.size() && (s[p] == '\r' || s[p] == '\n')) {
      if (s[p] == '\n') ++feeds;
      ++p;
    }
    for (size_t i = 1; i < feeds; ++i) list.emplace_back();

    const size_t start = p;
    size_t end = FindLineEnd(s, p);
    if (end != std::string::npos) {
      p = end;
    } else {
      end = s.size();
      more = false;
    }
    if (mode == 1 && piece == 0) {
      const size_t semi = s.find(';', SkipSemicolonsAndBlanks(s, start));
      if (semi < end) {
        end = semi;
        p = SkipSemicolonsAndBlanks(s, semi + 1);
        more = true;
      }
    }
    const size_t w = mode == 1 ? (piece == 0 ? 28 : 26) : width;
    if (end - start > w) {
      size_t b = start + w;
      while (b > start && s[b] != ' ') --b;
      if (b > start) {
        list.push_back(s.substr(start, b - start));
        p = SkipSemicolonsAndBlanks(s, b + 1);
      } else {
        list.push_back(s.substr(start, w));
        p = start + w;
      }
      more = true;
    } else if (end > start) {
      list.push_back(s.substr(start, end - start));
    }
  }
}

bool ReadTitleWords(const std::string& path, std::vector<std::string>& words) {
  LineReader in(path);
  if (!in.IsOpen()) return false;
  std::string line;
  while (in.Next(line)) {
    if (line.size() > kMaxTitleWordLine) line.resize(kMaxTitleWordLine);
    if (!line.empty()) words.push_back(line);
  }
  return true;
}

void LoadTitleWords() {
  if (!ctx().tools || !ctx().tools->titleWords.empty()) return;
  std::string folder;
  if (ctx().options) ctx().options->GetParaString(52, &folder);
  ReadTitleWords(folder + "NormTitle.dat", ctx().tools->titleWords);
}

void NormalizeTitle(std::string& title, int mode, const std::vector<std::string>& words) {
  if (mode != 1 && mode != 2) return;
  const bool proper = mode == 2 && AlreadyMixedCase(title);
  StripLeadingQuotes(title);
  if (mode == 1) {
    std::string out;
    out.reserve(title.size() + 2);
    for (char c : title) {
      if (c == '\xDF')
        out += "SS";
      else
        out += UpperAnsi(c);
    }
    title.swap(out);
    return;
  }
  if (proper) return;

  size_t divider = 0;
  while (divider < words.size() && (words[divider].empty() || words[divider][0] != '#')) ++divider;
  auto listed = [&](const std::string& upper, size_t from, size_t to) {
    for (size_t i = from; i < to && i < words.size(); ++i)
      if (words[i] == upper) return true;
    return false;
  };

  std::string out;
  out.reserve(title.size());
  bool first = true;
  size_t pos = 0;
  for (;;) {
    const size_t blank = title.find(' ', pos);
    std::string word =
        title.substr(pos, blank == std::string::npos ? std::string::npos : blank - pos);
    for (char& c : word) c = LowerAnsi(c);
    if (!word.empty()) {
      std::string upper = word;
      for (char& c : upper) c = UpperAnsi(c);
      if (first) {
        Capitalise(word);
      } else if (listed(upper, 0, divider)) {
        // articles, prepositions and conjunctions stay lower case
      } else if (listed(upper, divider + 1, words.size())) {
        word = upper;
      } else {
        Capitalise(word);
      }
      first = false;
    }
    out += word;
    if (blank == std::string::npos) break;
    out += ' ';
    pos = blank + 1;
  }
  title.swap(out);
}

void NormalizeTitle(std::string& title) {
  const int mode = TitleMode();
  static const std::vector<std::string> kNone;
  if (mode == 2) LoadTitleWords();
  NormalizeTitle(title, mode, ctx().tools ? ctx().tools->titleWords : kNone);
}

std::string FormatLangText(std::string_view format, const std::vector<std::string>& values) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    const char spec = i + 1 < format.size() ? format[i + 1] : '\0';
    if (c == '%' && spec == '%') {
      out += '%';
      ++i;
    } else if (c == '%' && (spec == 'd' || spec == 'i' || spec == 'u' || spec == 's') &&
               next < values.size()) {
      out += values[next++];
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace tav
