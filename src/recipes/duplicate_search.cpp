#include "recipes/duplicate_search.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <unordered_map>

#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "recipes/record_scan.h"
#include "services/context.h"

namespace tav {

namespace {

// Bits 24-31 of the key: the line count modulo 255.
constexpr uint32_t kLineCountBits = 0xFF000000u;

REZINDEX ResultEntry(const REZBLOCK& r, const DUPESBOOK& book, const DUPESENTRY& e) {
  REZINDEX x;
  x.SetTitle(r.title);
  x.number = r.number;
  x.offset = e.offset;
  x.length = e.length;
  x.bookId = static_cast<int16_t>(book.bookId);
  x.flags = r.flags;
  std::memcpy(x.categories, r.categories, sizeof x.categories);
  return x;
}

bool StoreRead(const DUPESBOOK& book, const DUPESENTRY& e, REZBLOCK& out) {
  if (!ctx().dbList) return false;
  REZINDEX where;
  where.offset = e.offset;
  where.length = e.length;
  return ctx().dbList->ReadRezBlock(book.name, &where, -1, out);
}

}  // namespace

bool ScanBookForDupes(const std::string& recordFile, bool sameLineCount,
                      std::vector<DUPESENTRY>& entries) {
  BookRecordScanner scan;
  if (!scan.Open(recordFile, false)) return false;
  char* record = nullptr;
  int32_t length = 0;
  long long offset = 0;
  while (scan.Next(record, length, offset)) {
    if (record[kRecordDeletedPos] != 0) continue;
    uint32_t key;
    std::memcpy(&key, record + 7, 4);
    if (!sameLineCount) key &= ~kLineCountBits;
    // A key of 0 marks a recipe already found; a live record whose key happens to be 0 stays
    // in the search under another key with no other bits set.
    if (key == 0) key = kLineCountBits;
    entries.push_back({static_cast<int32_t>(key), static_cast<int32_t>(offset), length});
  }
  return true;
}

int CountEqualLinePairs(const REZBLOCK& a, const REZBLOCK& b) {
  std::vector<bool> used(b.lines.size(), false);
  int pairs = 0;
  for (const REZZUTAT& la : a.lines) {
    for (size_t j = 0; j < b.lines.size(); ++j) {
      const REZZUTAT& lb = b.lines[j];
      if (used[j] || la.amount != lb.amount || la.unit != lb.unit || la.text != lb.text) continue;
      used[j] = true;
      ++pairs;
      break;
    }
  }
  return pairs;
}

bool SameRecipe(const REZBLOCK& a, const REZBLOCK& b, const DupesCriteria& c) {
  if (a.title != b.title) return false;
  const long long percent = std::clamp(c.percent, 0, 100);
  const long long e = static_cast<long long>(a.lines.size());
  const long long f = static_cast<long long>(b.lines.size());
  if (e > 0) {
    if (percent * e > CountEqualLinePairs(a, b) * 100LL) return false;
  } else if (f != 0 && percent > 0) {
    return false;
  }
  if (c.sameLineCount && e != f) return false;
  if (c.sameText) {
    const size_t m = std::min({size_t{80}, a.text.size(), b.text.size()});
    if (a.text.compare(0, m, b.text, 0, m) != 0) return false;
  }
  if (c.sameAuthor && a.createdBy != b.createdBy) return false;
  if (c.sameSource && a.source != b.source) return false;
  if (c.sameCategories && std::memcmp(a.categories, b.categories, sizeof a.categories) != 0)
    return false;
  if (c.sameKeywords && a.hint != b.hint) return false;
  return true;
}

int DuplicateFinder::CompareDupes() {
  hitList.clear();
  stoppedAtMax = false;
  auto read = readRecipe ? readRecipe : StoreRead;

  // The entries of all books as one sequence, and the positions of each key in sequence order.
  struct Ref {
    DUPESBOOK* book;
    DUPESENTRY* entry;
  };
  std::vector<Ref> seq;
  for (DUPESBOOK& b : books)
    for (DUPESENTRY& e : b.entries) seq.push_back({&b, &e});
  std::unordered_map<int32_t, std::vector<uint32_t>> byKey;
  byKey.reserve(seq.size());
  for (uint32_t i = 0; i < seq.size(); ++i) byKey[seq[i].entry->key].push_back(i);

  int groups = 0, group = 0;
  bool stop = false;
  REZBLOCK a, b;
  for (uint32_t i = 0; i < seq.size() && !stop; ++i) {
    ++done;
    const int32_t key = seq[i].entry->key;
    if (key == 0) continue;
    if (keepGoing && !keepGoing()) break;
    const std::vector<uint32_t>& same = byKey[key];
    if (same.size() < 2 || same.back() == i) continue;
    bool haveA = false, found = false;
    for (auto it = std::upper_bound(same.begin(), same.end(), i); it != same.end() && !stop; ++it) {
      Ref rb = seq[*it];
      if (rb.entry->key != key) continue;
      if (!haveA && !(haveA = read(*seq[i].book, *seq[i].entry, a))) break;
      if (!read(*rb.book, *rb.entry, b) || !SameRecipe(a, b, criteria)) continue;
      rb.entry->key = 0;
      if (!found) {
        if (groups == maxDupes) {
          stop = stoppedAtMax = true;
          break;
        }
        ++groups;
        ++group;
        found = true;
        if (onResult) onResult(ResultEntry(a, *seq[i].book, *seq[i].entry));
        hitList.push_back({static_cast<int16_t>(seq[i].book->bookId), a.number, group, 1});
      }
      if (onResult) onResult(ResultEntry(b, *rb.book, *rb.entry));
      hitList.push_back({static_cast<int16_t>(rb.book->bookId), b.number, group, 1});
    }
  }
  return groups;
}

std::vector<std::pair<int16_t, int32_t>> ChooseCopiesToDelete(
    std::vector<AUTODELLIST>& hits,
    const std::function<int(int16_t bookId, bool& never)>& position) {
  for (size_t start = 0; start < hits.size();) {
    size_t end = start;
    while (end < hits.size() && hits[end].group == hits[start].group) ++end;
    size_t best = start;
    int bestPos = 10000;
    for (size_t k = start; k < end; ++k) {
      bool never = false;
      const int pos = position(hits[k].bookId, never);
      hits[k].keep = (never || pos >= 9999) ? 1 : 0;
      if (pos < bestPos) {
        bestPos = pos;
        best = k;
      }
    }
    // The first copy of the best-placed book always stays, so no group loses every copy.
    hits[best].keep = 1;
    start = end;
  }
  std::set<std::pair<int16_t, int32_t>> kept, chosen;
  for (const AUTODELLIST& h : hits)
    if (h.keep) kept.insert({h.bookId, h.number});
  std::vector<std::pair<int16_t, int32_t>> out;
  for (const AUTODELLIST& h : hits) {
    const std::pair<int16_t, int32_t> k{h.bookId, h.number};
    if (!h.keep && !kept.count(k) && chosen.insert(k).second) out.push_back(k);
  }
  return out;
}

}  // namespace tav
