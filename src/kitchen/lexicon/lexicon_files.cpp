#include "kitchen/lexicon/lexicon_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/file_change.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/text_tools.h"

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

// The length of the file's bytes up to the end of its last complete entry (its closing line
// starting with "#"), or of its first line when no entry was closed; the rest is an entry the
// writer did not finish. A closing line without its line end counts as complete, as the reader
// takes it.
size_t CompleteLength(const std::string& bytes) {
  size_t keep = 0;
  for (size_t start = 0; start < bytes.size();) {
    const size_t lf = bytes.find('\n', start);
    const size_t next = lf == std::string::npos ? bytes.size() : lf + 1;
    if (start == 0 || bytes[start] == '#') keep = next;
    start = next;
  }
  return keep;
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
  if (StoreFileGuard().TooLarge(FindFileNoCase(DataPath()))) return false;
  LineReader in(FindFileNoCase(DataPath()), LineReader::Lines::kAsStored);
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
  LineReader in(FindFileNoCase(DataPath()), LineReader::Lines::kAsStored);
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
  LineReader in(FindFileNoCase(DataPath()), LineReader::Lines::kAsStored);
  std::string line;
  if (!in.Seek(entry.titlePos) || !in.Next(line)) return keywords;
  while (in.Next(line) && !line.empty() && line[0] == '>') {
    if (!keywords.empty()) keywords += "\r\n";
    keywords.append(line, 1);
  }
  return keywords;
}

bool LexiconFiles::MarkLexiconEntryDeleted(const LEXINDEX& entry) const {
  BeforeFileChange();
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
  std::string old;
  StoreFileGuard file;
  if (file.TooLarge(path)) return false;
  if (FileSize(path) > 0 && !ReadFileBytes(path, old)) return false;
  // A file that is no lexicon (another encoding, junk) is kept as "<file>.damaged" and said
  // before a new lexicon takes its place; cut back to its first line it would be lost.
  if (!old.empty() && (old.find('\0') != std::string::npos ||
                       old.substr(0, old.find_first_of("\r\n")).find("SAPLEX") == std::string::npos)) {
    file.Read(path, FileFound::kDamaged);
    if (!file.MayWrite()) return false;
    if (!TruncateFile(path, 0)) return false;
    old.clear();
  }
  if (old.empty()) {
    head = std::string(kLexiconMagic) + "\r\n#\r\n";
  } else {
    // An entry cut short (the program stopped while writing it) is dropped: closing it would
    // make its half a live entry.
    const size_t keep = CompleteLength(old);
    if (keep < old.size()) {
      if (!TruncateFile(path, static_cast<long long>(keep))) return false;
      old.resize(keep);
    }
    if (!old.empty() && old.back() != '\n') head += "\r\n";
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
  LineReader in(path, LineReader::Lines::kAsStored);
  auto say = [&log](const std::string& text, bool toStatus) {
    if (log) log(text, toStatus);
  };
  // A file not read to its end stays as it is: what was read is not the whole lexicon. The
  // log is narrow: each line of the message is a line of its own.
  const auto unread = [&] {
    const std::string text = FormatLangText(GetLangText(1090), {path.substr(path.rfind('/') + 1)});
    for (const std::string& line : SplitLines(text)) say(line, false);
    say(std::string(), true);
    return false;
  };
  if (!in.IsOpen()) return in.Failed() ? unread() : false;
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
  if (in.Failed()) return unread();
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

bool LexiconFiles::ReadChapterFile(std::vector<LEXBOOKS>& chapters, bool& damaged) const {
  LineReader in(FindFileNoCase(ChapterPath()));
  if (!in.IsOpen()) return false;
  std::string line;
  while (in.Next(line)) {
    // The number follows the last "#": a chapter name may hold one itself.
    const size_t hash = line.rfind('#');
    if (hash == std::string::npos) {
      damaged = damaged || !line.empty();
      continue;
    }
    chapters.push_back({line.substr(0, hash), std::atoi(line.c_str() + hash + 1)});
  }
  damaged = damaged || in.NulLines() > 0;
  return !in.Failed();
}

void LexiconFiles::LoadLexiconChapters(std::vector<LEXBOOKS>& chapters,
                                       StoreFileGuard* guard) const {
  StoreFileGuard local;
  StoreFileGuard& file = guard ? *guard : local;
  chapters.clear();
  const std::string path = FindFileNoCase(ChapterPath());
  bool damaged = false;
  // A few dozen chapters at most; a huge file would hang the start.
  const bool tooLarge = file.TooLarge(path);
  const bool read = !tooLarge && ReadChapterFile(chapters, damaged);
  SortLexiconChapters(chapters);
  if (!tooLarge) file.Read(path, read, damaged);
  if (!chapters.empty()) return;
  const std::vector<LEXBOOKS> defaults = {
      {GetLangText(1011), 1}, {GetLangText(1012), 2}, {GetLangText(1013), 3}};
  // A file not read is left as it is (the guard asks at a save); without a copy of a damaged
  // one the defaults serve this run unwritten.
  if (file.Found() == FileFound::kUnreadable || !SaveLexiconChapters(defaults, &file)) {
    chapters = defaults;
    SortLexiconChapters(chapters);
    return;
  }
  ReadChapterFile(chapters, damaged);
  SortLexiconChapters(chapters);
}

bool LexiconFiles::SaveLexiconChapters(const std::vector<LEXBOOKS>& chapters,
                                       StoreFileGuard* guard) const {
  if (guard && !guard->MayWrite()) return false;
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
