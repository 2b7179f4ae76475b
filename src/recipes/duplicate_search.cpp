#include "recipes/duplicate_search.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <unordered_map>

#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"
#include "recipes/record_scan.h"
#include "services/context.h"
#include "services/options_store.h"

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

  // Each book's record file stays open while its recipes are read.
  std::unordered_map<const DUPESBOOK*, RawFile> files;
  auto read = [&](const Ref& r, REZBLOCK& out) {
    if (readRecipe) return readRecipe(*r.book, *r.entry, out);
    TdbList* store = ctx().dbList;
    RawFile& f = files[r.book];
    if (!store ||
        (!f.IsOpen() && !f.Open(TdbList::BookFilePath(r.book->name, ".bok"), RawFile::kRead)))
      return false;
    REZINDEX where;
    where.offset = r.entry->offset;
    where.length = r.entry->length;
    return store->ReadRecordFrom(f, where, out, r.book->name);
  };

  // The recipes of one key are compared together, each read once; the groups are put in the
  // order of their first recipe afterwards, which is the order a recipe-by-recipe comparison
  // finds them in.
  struct Group {
    uint32_t first;
    std::vector<uint32_t> copies;
    REZINDEX firstEntry;
    std::vector<REZINDEX> copyEntries;
    int32_t firstNumber;
    std::vector<int32_t> copyNumbers;
  };
  std::vector<Group> found;
  bool stopped = false;
  for (uint32_t i = 0; i < seq.size() && !stopped; ++i) {
    std::vector<uint32_t>& same = byKey[seq[i].entry->key];
    if (same.empty() || same.front() != i) continue;  // the key's recipes are done already
    std::vector<uint32_t> members;
    members.swap(same);
    if (members.size() < 2) {
      ++done;
      if (keepGoing && !keepGoing()) stopped = true;
      continue;
    }
    std::vector<REZBLOCK> recipes(members.size());
    std::vector<int> state(members.size(), 0);  // 0 unread, 1 read, -1 unreadable
    auto recipe = [&](size_t k) -> const REZBLOCK* {
      if (state[k] == 0) state[k] = read(seq[members[k]], recipes[k]) ? 1 : -1;
      return state[k] == 1 ? &recipes[k] : nullptr;
    };
    for (size_t a = 0; a < members.size() && !stopped; ++a) {
      ++done;
      DUPESENTRY& ea = *seq[members[a]].entry;
      if (ea.key == 0) continue;
      if (keepGoing && !keepGoing()) {
        stopped = true;
        break;
      }
      Group* g = nullptr;
      for (size_t b = a + 1; b < members.size(); ++b) {
        DUPESENTRY& eb = *seq[members[b]].entry;
        if (eb.key == 0) continue;
        const REZBLOCK* ra = recipe(a);
        if (!ra) break;
        const REZBLOCK* rb = recipe(b);
        if (!rb || !SameRecipe(*ra, *rb, criteria)) continue;
        eb.key = 0;
        if (!g) {
          found.push_back(
              {members[a], {}, ResultEntry(*ra, *seq[members[a]].book, ea), {}, ra->number, {}});
          g = &found.back();
        }
        g->copies.push_back(members[b]);
        g->copyEntries.push_back(ResultEntry(*rb, *seq[members[b]].book, eb));
        g->copyNumbers.push_back(rb->number);
      }
    }
  }

  std::sort(found.begin(), found.end(),
            [](const Group& x, const Group& y) { return x.first < y.first; });
  if (static_cast<int>(found.size()) > maxDupes) {
    found.resize(static_cast<size_t>(std::max(maxDupes, 0)));
    stoppedAtMax = true;
  }
  int group = 0;
  for (const Group& g : found) {
    ++group;
    if (onResult) onResult(g.firstEntry);
    hitList.push_back({static_cast<int16_t>(seq[g.first].book->bookId), g.firstNumber, group, 1});
    for (size_t k = 0; k < g.copies.size(); ++k) {
      if (onResult) onResult(g.copyEntries[k]);
      hitList.push_back(
          {static_cast<int16_t>(seq[g.copies[k]].book->bookId), g.copyNumbers[k], group, 1});
    }
  }
  return static_cast<int>(found.size());
}

std::vector<std::pair<int16_t, int32_t>> ChooseCopiesToDelete(
    std::vector<AUTODELLIST>& hits,
    const std::function<int(int16_t bookId, bool& never)>& position) {
  for (size_t start = 0; start < hits.size();) {
    size_t end = start;
    while (end < hits.size() && hits[end].group == hits[start].group) ++end;
    size_t best = start;
    int bestPos = kNoAutoDelBook + 1;
    for (size_t k = start; k < end; ++k) {
      bool never = false;
      const int pos = position(hits[k].bookId, never);
      hits[k].keep = (never || pos >= kNoAutoDelBook) ? 1 : 0;
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
