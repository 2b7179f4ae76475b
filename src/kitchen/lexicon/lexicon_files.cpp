#include "kitchen/lexicon/lexicon_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"

namespace tav {

namespace {

// The decimal number at the start of a text, cut to 16 bits as the files keep it.
int16_t ChapterValue(const std::string& text, size_t from) {
  const long v = std::strtol(text.c_str() + std::min(from, text.size()), nullptr, 10);
  return static_cast<int16_t>(static_cast<uint16_t>(v));
}

std::string ChapterText(int32_t number) {
  return std::to_string(static_cast<uint16_t>(number));
}

// The last bytes of a file; "" when it is missing or empty.
std::string FileTail(const std::string& path, long bytes) {
  std::string tail;
  std::FILE* f = std::fopen(DiskPath(path).c_str(), "rb");
  if (!f) return tail;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    const long from = size > bytes ? size - bytes : 0;
    if (size > 0 && std::fseek(f, from, SEEK_SET) == 0) {
      tail.resize(static_cast<size_t>(size - from));
      tail.resize(std::fread(tail.data(), 1, tail.size(), f));
    }
  }
  std::fclose(f);
  return tail;
}

// The first line decides: an empty file or a first line holding "SAPLEX" is a lexicon.
bool AcceptFirstLine(LineReader& in) {
  std::string first;
  return !in.Next(first) || first.find("SAPLEX") != std::string::npos;
}

// The work state of the readers: one entry's header lines up to its closing "#".
struct EntryState {
  enum Mode { kHeader, kLive, kDeleted };
  Mode mode = kHeader;
  std::string title;
  bool haveTitle = false;
  std::vector<std::string> keywords;  // as the reader wants them
  int16_t chapter = 0;
  long long statusPos = 0;
  long long titlePos = 0;
};

}  // namespace

bool LexiconFiles::LoadLexiconIndex(std::vector<LEXINDEX>& index) const {
  index.clear();
  LineReader in(FindFileNoCase(DataPath()));
  if (!in.IsOpen() || !AcceptFirstLine(in)) return false;
  EntryState w;
  std::string line;
  long long start = in.Position();
  while (in.Next(line)) {
    if (w.mode == EntryState::kHeader && !line.empty()) {
      if (line[0] == 'B') {
        w.chapter = ChapterValue(line, 1);
      } else if (line[0] == '>') {
        if (!w.haveTitle) {
          w.haveTitle = true;
          w.titlePos = start;
          w.title = line.substr(1);
        } else {
          w.keywords.push_back(MakeSortKey(std::string_view(line).substr(1)));
        }
      } else if (line[0] == 'F') {
        w.statusPos = start;
        w.mode = line.size() > 1 && line[1] == '1' ? EntryState::kDeleted : EntryState::kLive;
      }
    }
    if (!line.empty() && line[0] == '#') {
      if (w.mode == EntryState::kLive && w.statusPos != 0)
        index.push_back(
            {std::move(w.title), std::move(w.keywords), w.chapter, w.statusPos, w.titlePos});
      w = EntryState();
    }
    start = in.Position();
  }
  std::stable_sort(index.begin(), index.end(), [](const LEXINDEX& a, const LEXINDEX& b) {
    return CompareTextNoCase(a.title, b.title) < 0;
  });
  return true;
}

std::string LexiconFiles::ReadLexiconText(const LEXINDEX& entry) const {
  std::string text;
  LineReader in(FindFileNoCase(DataPath()));
  std::string line;
  if (!in.Seek(entry.statusPos) || !in.Next(line)) return text;
  while (in.Next(line) && line != "#") {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

std::string LexiconFiles::ReadLexiconKeywords(const LEXINDEX& entry) const {
  std::string keywords;
  LineReader in(FindFileNoCase(DataPath()));
  std::string line;
  if (!in.Seek(entry.titlePos) || !in.Next(line)) return keywords;
  while (in.Next(line) && !line.empty() && line[0] == '>') {
    if (!keywords.empty()) keywords += "\r\n";
    keywords.append(line, 1);
  }
  return keywords;
}

bool LexiconFiles::MarkLexiconEntryDeleted(const LEXINDEX& entry) const {
  std::FILE* f = std::fopen(DiskPath(FindFileNoCase(DataPath())).c_str(), "r+b");
  if (!f) return false;
  // Only a status line is overwritten: an index older than the file marks nothing.
  bool done = std::fseek(f, static_cast<long>(entry.statusPos), SEEK_SET) == 0 &&
              std::fgetc(f) == 'F' &&
              std::fseek(f, static_cast<long>(entry.statusPos), SEEK_SET) == 0 &&
              std::fwrite("F1", 1, 2, f) == 2;
  done = std::fclose(f) == 0 && done;
  return done;
}

void LexiconFiles::MarkChapterEntriesDeleted(const std::vector<LEXINDEX>& index,
                                             int16_t chapter) const {
  for (const LEXINDEX& e : index)
    if (static_cast<uint16_t>(e.chapter) == static_cast<uint16_t>(chapter))
      MarkLexiconEntryDeleted(e);
}

bool LexiconFiles::AppendLexiconEntry(int16_t chapter, const std::string& title,
                                      const std::vector<std::string>& keywordLines,
                                      const std::string& text) const {
  const std::string path = FindFileNoCase(DataPath());
  std::string head;
  const std::string old = FileTail(path, 4096);
  if (old.empty()) {
    head = std::string(kLexiconMagic) + "\r\n#\r\n";
  } else {
    // An entry cut short (the program stopped while writing it) must not swallow this one.
    if (old.back() != '\n') head += "\r\n";
    const size_t end = old.find_last_not_of("\r\n");
    const size_t begin = end == std::string::npos ? 0 : old.find_last_of('\n', end);
    const size_t first = begin == std::string::npos ? 0 : begin + 1;
    if (end != std::string::npos && old[first] != '#' &&
        old.compare(first, end + 1 - first, kLexiconMagic) != 0)
      head += "#\r\n";
  }
  std::string out = head;
  out += "B" + ChapterText(chapter) + "\r\n";
  out += ">" + title + "\r\n";
  for (const std::string& k : keywordLines)
    if (!k.empty()) out += ">" + k + "\r\n";
  out += "F0\r\n";
  size_t pos = 0;
  for (;;) {
    const size_t lf = text.find('\n', pos);
    const std::string_view part =
        std::string_view(text).substr(pos, lf == std::string::npos ? std::string::npos : lf - pos);
    if (!part.empty() && part[0] == '#') out += ' ';
    out += part;
    if (lf == std::string::npos) break;
    out += "\r\n";
    pos = lf + 1;
  }
  if (text.empty() || text.back() != '\n') out += "\r\n";
  out += "#\r\n";
  return AppendFileBytes(path, out);
}

bool LexiconFiles::ReorganizeLexicon(const LexiconReorgLog& log) const {
  const std::string path = FindFileNoCase(DataPath());
  LineReader in(path);
  if (!in.IsOpen()) return false;
  auto say = [&log](const std::string& text, bool toStatus) {
    if (log) log(text, toStatus);
  };
  say(std::string(), false);
  say(GetLangText(262), false);
  std::string first;
  const bool hasFirst = in.Next(first);
  if (hasFirst && first.find("SAPLEX") == std::string::npos) return false;

  std::string out = std::string(kLexiconMagic) + "\r\n#\r\n";
  std::string entry;  // the live entry being copied, kept once its "#" is reached
  int total = 0, kept = 0;
  bool leadingHash = false;  // the "#" after the magic line is no entry
  EntryState w;
  std::string line;
  while (in.Next(line)) {
    if (w.mode == EntryState::kHeader) {
      if (!line.empty() && line[0] == 'B') {
        w.chapter = ChapterValue(line, 1);
      } else if (!line.empty() && line[0] == '>') {
        if (!w.haveTitle) {
          w.haveTitle = true;
          w.title = line.substr(1);
        } else {
          w.keywords.push_back(line.substr(1));
        }
      } else if (!line.empty() && line[0] == 'F') {
        if (line.size() > 1 && line[1] == '1') {
          w.mode = EntryState::kDeleted;
        } else {
          w.mode = EntryState::kLive;
          entry = "B" + ChapterText(w.chapter) + "\r\n>" + w.title + "\r\n";
          for (const std::string& k : w.keywords) entry += ">" + k + "\r\n";
          entry += "F0\r\n";
        }
      }
    } else if (w.mode == EntryState::kLive) {
      entry += line;
      entry += "\r\n";
    }
    if (!line.empty() && line[0] == '#') {
      if (total == 0 && w.mode == EntryState::kHeader && !w.haveTitle && hasFirst)
        leadingHash = true;
      ++total;
      if (w.mode == EntryState::kLive) {
        ++kept;
        out += entry;
      }
      if (total % 13 == 0)
        say("(" + std::to_string(kept) + GetLangText(234) + std::to_string(total) + ")", true);
      entry.clear();
      w = EntryState();
    }
  }
  if (!WriteFileAtomic(path, out)) return false;
  std::string label = GetLangText(235);
  label.erase(0, label.find_first_not_of(' '));
  say(label + std::to_string(kept) + GetLangText(234) +
          std::to_string(total - (leadingHash ? 1 : 0)),
      false);
  say(std::string(), false);
  say(std::string(), true);
  return true;
}

bool LexiconFiles::ReadChapterFile(std::vector<LEXBOOKS>& chapters) const {
  LineReader in(FindFileNoCase(ChapterPath()));
  if (!in.IsOpen()) return false;
  std::string line;
  while (in.Next(line)) {
    const size_t hash = line.find('#');
    if (hash == std::string::npos) continue;
    chapters.push_back({line.substr(0, hash), std::atoi(line.c_str() + hash + 1)});
  }
  return true;
}

void LexiconFiles::LoadLexiconChapters(std::vector<LEXBOOKS>& chapters) const {
  chapters.clear();
  ReadChapterFile(chapters);
  SortLexiconChapters(chapters);
  if (!chapters.empty()) return;
  const std::vector<LEXBOOKS> defaults = {
      {GetLangText(1011), 1}, {GetLangText(1012), 2}, {GetLangText(1013), 3}};
  // A file that holds something the reader cannot use is kept before the defaults replace it;
  // without that copy it stays, and the defaults serve this run.
  const std::string path = FindFileNoCase(ChapterPath());
  if (FileSize(path) > 0 && KeepDamagedCopy(path).empty()) {
    chapters = defaults;
    SortLexiconChapters(chapters);
    return;
  }
  if (!SaveLexiconChapters(defaults)) return;
  ReadChapterFile(chapters);
  SortLexiconChapters(chapters);
}

bool LexiconFiles::SaveLexiconChapters(const std::vector<LEXBOOKS>& chapters) const {
  std::vector<std::string> lines;
  lines.reserve(chapters.size());
  for (const LEXBOOKS& c : chapters) lines.push_back(c.name + "#" + ChapterText(c.number));
  return WriteTextLines(FindFileNoCase(ChapterPath()), lines);
}

void SortLexiconChapters(std::vector<LEXBOOKS>& chapters) {
  std::stable_sort(chapters.begin(), chapters.end(), [](const LEXBOOKS& a, const LEXBOOKS& b) {
    return CompareTextNoCase(a.name, b.name) < 0;
  });
}

int16_t ChapterNumberByName(const std::vector<LEXBOOKS>& chapters, const std::string& name) {
  for (const LEXBOOKS& c : chapters)
    if (c.name == name) return static_cast<int16_t>(c.number);
  return 0;
}

int16_t NewChapterNumber(const std::vector<LEXBOOKS>& chapters,
                         const std::function<int(int count)>& random) {
  if (chapters.empty()) return 1;
  std::vector<bool> used(999, false);
  for (const LEXBOOKS& c : chapters) {
    const uint16_t n = static_cast<uint16_t>(c.number);
    if (n < used.size()) used[n] = true;
  }
  std::vector<int16_t> free;
  for (int16_t n = 1; n <= 998; ++n)
    if (!used[static_cast<size_t>(n)]) free.push_back(n);
  if (free.empty()) return 0;
  const int pick = random ? random(static_cast<int>(free.size())) : 0;
  return free[static_cast<size_t>(std::clamp(pick, 0, static_cast<int>(free.size()) - 1))];
}

}  // namespace tav
