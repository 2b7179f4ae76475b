#include "recipedb/book_recovery.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "recipedb/book_compression.h"
#include "recipedb/index_file.h"
#include "recipedb/raw_file.h"
#include "recipedb/record_file.h"

namespace tav {

namespace {

constexpr const char* kRenumberMarker = "$$$.ren";
// A record cut short is never longer than this; a longer tail is left to the rebuild.
constexpr long long kLongestTail = 16 << 20;
int g_compressions = 0;

std::string Checksum(const std::string& bytes) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

// A book name that stays inside the data folder.
bool PlainName(const std::string& name) {
  return !name.empty() && name != "$$$" &&
         name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

void FinishRenumber(const std::string& dataFolder) {
  const std::string marker = dataFolder + kRenumberMarker;
  std::vector<std::string> lines;
  if (!ReadTextLines(marker, lines)) return;
  if (lines.size() >= 2 && PlainName(lines[0])) {
    std::string index;
    // Only the index the rebuild wrote gives its numbers; with the old one still in place the
    // records were never touched.
    if (ReadFileBytes(BookFileIn(dataFolder, lines[0], ".idx"), index) &&
        Checksum(index) == lines[1] && index.size() >= static_cast<size_t>(kIndexEntriesPos)) {
      const size_t count = (index.size() - kIndexEntriesPos) / kIndexEntrySize;
      std::vector<REZINDEX> entries(count);
      std::memcpy(entries.data(), index.data() + kIndexEntriesPos, count * kIndexEntrySize);
      if (!ApplyIndexToRecords(BookFileIn(dataFolder, lines[0], ".bok"), entries))
        return;  // the marker stays for the next try
    }
  }
  RemoveFile(marker);
}

}  // namespace

CompressionRunning::CompressionRunning() {
  ++g_compressions;
}
CompressionRunning::~CompressionRunning() {
  --g_compressions;
}
bool CompressionRunning::Active() {
  return g_compressions > 0;
}

void FinishInterruptedWork(const std::string& dataFolder) {
  if (dataFolder.empty()) return;  // never the working folder
  FinishPendingSwap(dataFolder);
  FinishRenumber(dataFolder);
  if (CompressionRunning::Active()) return;
  // A compression that never wrote its commit marker left scratch files only.
  if (!FileExists(dataFolder + "$$$.swp")) {
    for (const char* scratch : {"$$$.bok", "$$$.idx"})
      if (FileExists(dataFolder + scratch)) RemoveFile(dataFolder + scratch);
  }
  RemoveStaleTemporaryFiles(dataFolder);
}

bool BeginRenumber(const std::string& dataFolder, const std::string& bookName,
                   const std::string& indexBytes) {
  return WriteTextLines(dataFolder + kRenumberMarker, {bookName, Checksum(indexBytes)});
}

void EndRenumber(const std::string& dataFolder) {
  RemoveFile(dataFolder + kRenumberMarker);
}

bool ApplyIndexToRecords(const std::string& recordPath, const std::vector<REZINDEX>& entries) {
  RawFile f;
  if (!f.Open(recordPath, RawFile::kReadWrite)) return false;
  const long long size = f.Size();
  bool ok = true, changed = false;
  for (const REZINDEX& e : entries) {
    char head[kRecordDeletedPos + 1];
    if (e.offset < kBookHeaderSize || e.offset + static_cast<long long>(sizeof head) > size ||
        f.ReadAt(e.offset, head, sizeof head) != static_cast<long long>(sizeof head) ||
        head[0] != '#')
      continue;
    char want[sizeof head];
    want[0] = '#';
    std::memcpy(want + kRecordNumberPos, &e.number, 4);
    want[kRecordDeletedPos] = static_cast<char>(e.deleted);
    if (std::memcmp(head, want, sizeof head) == 0) continue;
    ok = f.WriteAt(e.offset + kRecordNumberPos, want + kRecordNumberPos, sizeof head - 1) && ok;
    changed = true;
  }
  if (changed) ok = f.Sync() && ok;
  return f.Close() && ok;
}

bool CutUnfinishedRecord(const std::string& recordPath, long long knownEnd) {
  RawFile f;
  if (!f.Open(recordPath, RawFile::kReadWrite)) return false;
  const long long size = f.Size();
  long long pos = std::max<long long>(knownEnd, kBookHeaderSize);
  while (pos < size) {
    char head[kRecordHeadSize];
    const long long got = f.ReadAt(pos, head, sizeof head);
    if (got <= 0 || head[0] != '#') return false;  // no record start: not ours to touch
    if (got < kRecordHeadSize) break;              // a head cut short
    RecipeRecordHead h;
    ReadRecordHead(std::string_view(head, sizeof head), h);
    const int32_t length = h.offsets.entry[kOffLength];
    if (h.deleted > 1 || length < kMinRecordLength) return false;
    if (pos + length > size) break;  // the append stopped inside this record
    char last = 1;
    if (f.ReadAt(pos + length - 1, &last, 1) != 1 || last != 0) return false;
    pos += length;
  }
  if (pos >= size || size - pos > kLongestTail) return false;
  // What an append cut short leaves is the head of one record: a whole record after it means
  // damage of another kind, which the rebuild may still make use of.
  std::string tail(static_cast<size_t>(size - pos), '\0');
  if (f.ReadAt(pos, tail.data(), tail.size()) != static_cast<long long>(tail.size())) return false;
  for (size_t at = tail.find('#', 1); at != std::string::npos; at = tail.find('#', at + 1)) {
    RecipeRecordHead h;
    if (!ReadRecordHead(std::string_view(tail).substr(at), h)) break;
    const int32_t length = h.offsets.entry[kOffLength];
    if (h.deleted <= 1 && length >= kMinRecordLength && at + length <= tail.size() &&
        tail[at + length - 1] == '\0')
      return false;
  }
  return f.Truncate(pos) && f.Sync() && f.Close();
}

}  // namespace tav
