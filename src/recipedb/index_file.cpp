#include "recipedb/index_file.h"

#include <cstring>

#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "recipedb/raw_file.h"
#include "recipedb/record_file.h"

namespace tav {

std::string BookFileIn(const std::string& folder, const std::string& name, const char* extension) {
  return FindFileNoCase(folder + name + extension);
}

std::string NewIndexBytes() {
  std::string bytes = IndexFileHeader();
  const int32_t one = 1;
  bytes.append(reinterpret_cast<const char*>(&one), 4);
  return bytes;
}

bool CreateIndexIfMissing(const std::string& path) {
  if (!FileIsMissing(path)) return true;
  RawFile f;
  if (!f.CreateNew(path)) return !FileIsMissing(path);  // made meanwhile: it exists
  if (f.WriteAt(0, NewIndexBytes()) && f.Close()) return true;
  RemoveFile(path);  // a half-written index holds nothing
  return false;
}

bool ReadIndexFile(const std::string& path, int32_t& counter, std::vector<REZINDEX>& entries) {
  entries.clear();
  RawFile f;
  if (!f.Open(path, RawFile::kRead)) return false;
  char head[kIndexEntriesPos];
  const long long got = f.ReadAt(0, head, sizeof head);
  if (got < kBookHeaderSize || !CheckBookHeader(std::string_view(head, kBookHeaderSize)))
    return false;
  if (got < kIndexEntriesPos) return false;
  std::memcpy(&counter, head + kIndexCounterPos, 4);
  const long long size = f.Size();
  const long long count = size > kIndexEntriesPos ? (size - kIndexEntriesPos) / kIndexEntrySize : 0;
  entries.resize(static_cast<size_t>(count));
  const long long bytes = f.ReadAt(kIndexEntriesPos, entries.data(),
                                   static_cast<size_t>(count) * kIndexEntrySize);
  if (bytes < 0) {  // a read error: the entries read are not the book's
    entries.clear();
    return false;
  }
  entries.resize(static_cast<size_t>(bytes / kIndexEntrySize));
  return true;
}

bool IndexEntryIsPlausible(const REZINDEX& e, long long recordSize) {
  if (e.deleted > 1 || e.title[sizeof e.title - 1] != '\0') return false;
  if (e.offset < kBookHeaderSize || e.length < kMinRecordLength) return false;
  return recordSize < 0 || static_cast<long long>(e.offset) + e.length <= recordSize;
}

int CountIndexEntries(const std::string& path, bool liveOnly) {
  const long long size = FileSize(path);
  if (size < kIndexEntriesPos) return 0;
  const long long count = (size - kIndexEntriesPos) / kIndexEntrySize;
  if (!liveOnly || count == 0) return static_cast<int>(count);
  RawFile f;
  if (!f.Open(path, RawFile::kRead)) return 0;
  // One read of the entries, then one deleted byte (entry byte 74) per entry.
  std::vector<REZINDEX> entries(static_cast<size_t>(count));
  const long long got = f.ReadAt(kIndexEntriesPos, entries.data(), entries.size() * kIndexEntrySize);
  if (got < 0) return 0;
  const size_t whole = static_cast<size_t>(got / kIndexEntrySize);
  int live = 0;
  for (size_t i = 0; i < whole; ++i)
    if (entries[i].deleted == 0) ++live;
  return live;
}

bool ReadDescriptionBookId(const std::string& path, int16_t& id) {
  LineReader reader(path, LineReader::Lines::kAsStored);  // the id is line 2 by its place
  if (!reader.IsOpen()) return false;
  std::string line;
  reader.Next(line);  // the description
  if (!reader.Next(line)) line.clear();
  if (reader.Failed()) return false;  // a read error gives no id, not 0
  id = static_cast<int16_t>(static_cast<uint16_t>(ReadLong(line.substr(0, 198))));
  return true;
}

}  // namespace tav
