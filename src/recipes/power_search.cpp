#include "recipes/power_search.h"

#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/numbers.h"
#include "recipedb/recipe_records.h"
#include "recipedb/record_file.h"
#include "recipes/record_scan.h"

namespace tav {

namespace {

// One byte folded as UpperAnsi folds it.
inline uint8_t FoldByte(uint8_t c) {
  const bool ascii = static_cast<uint8_t>(c - 'a') < 26;
  const bool western = c >= 0xE0 && c != 0xF7 && c != 0xFF;
  const bool caron = c == 0x9A || c == 0x9C || c == 0x9E;  // š œ ž
  uint8_t r = static_cast<uint8_t>(c - ((ascii || western) ? 32 : 0) - (caron ? 16 : 0));
  return c == 0xFF ? 0x9F : r;  // ÿ
}

bool Contains(std::string_view haystack, const std::string& word) {
  return memmem(haystack.data(), haystack.size(), word.data(), word.size()) != nullptr;
}

// The text at `at` up to its NUL, within the record; empty when `at` lies outside it (a damaged
// offset table).
std::string_view FieldAt(const char* record, int32_t length, long long at) {
  if (at < kRecordHeadSize || at >= length) return {};
  const char* p = record + at;
  const size_t rest = static_cast<size_t>(length - at);
  const void* nul = std::memchr(p, 0, rest);
  return std::string_view(p, nul ? static_cast<size_t>(static_cast<const char*>(nul) - p) : rest);
}

// The value of the last entry with that key; 0 when there is none.
double LastValue(const std::vector<DBDATAENTRY>& entries, const char* key) {
  double v = 0;
  for (const DBDATAENTRY& e : entries)
    if (e.key == key) v = ReadNumber(e.value);
  return v;
}

}  // namespace

namespace {

// Folds (fold) and turns NUL bytes into '~' (joinNul) in one pass, sixteen bytes at a time
// where the processor has the instructions for it.
void FoldRange(char* text, size_t length, bool fold, bool joinNul) {
  auto* p = reinterpret_cast<uint8_t*>(text);
  size_t i = 0;
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  const __m128i tilde = _mm_set1_epi8('~');
  for (; i + 16 <= length; i += 16) {
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    if (joinNul) {
      const __m128i nul = _mm_cmpeq_epi8(c, zero);
      c = _mm_or_si128(_mm_andnot_si128(nul, c), _mm_and_si128(nul, tilde));
    }
    if (fold) {
      // a-z: c - 'a' < 26 unsigned, tested as a signed compare after moving 'a' to -128.
      const __m128i ascii =
          _mm_cmplt_epi8(_mm_add_epi8(c, _mm_set1_epi8(static_cast<char>(0x80 - 'a'))),
                         _mm_set1_epi8(static_cast<char>(0x80 + 26)));
      // 0xE0-0xFE without 0xF7: as signed bytes -32 to -2 without -9.
      const __m128i high =
          _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8(-33)), _mm_cmplt_epi8(c, zero));
      const __m128i ff = _mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(0xFF)));
      const __m128i f7 = _mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(0xF7)));
      const __m128i western = _mm_andnot_si128(_mm_or_si128(ff, f7), high);
      const __m128i caron =
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(0x9A))),
                                    _mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(0x9C)))),
                       _mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(0x9E))));
      __m128i sub = _mm_and_si128(_mm_or_si128(ascii, western), _mm_set1_epi8(32));
      sub = _mm_or_si128(sub, _mm_and_si128(caron, _mm_set1_epi8(16)));
      sub = _mm_or_si128(sub, _mm_and_si128(ff, _mm_set1_epi8(0x60)));  // ÿ to Ÿ
      c = _mm_sub_epi8(c, sub);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), c);
  }
#endif
  for (; i < length; ++i) {
    uint8_t c = p[i];
    if (joinNul && c == 0) c = '~';
    p[i] = fold ? FoldByte(c) : c;
  }
}

}  // namespace

void FoldSearchText(char* text, size_t length) {
  FoldRange(text, length, true, false);
}

std::vector<std::string> SplitSearchWords(std::string_view text) {
  std::vector<std::string> words;
  bool quoted = false;
  size_t start = 0;
  auto add = [&](size_t end) {
    if (end > start) words.emplace_back(text.substr(start, end - start));
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      if (quoted) add(i);
      quoted = !quoted;
      start = i + 1;
    } else if (!quoted && (c == ' ' || c == ',' || c == ';')) {
      add(i);
      start = i + 1;
    }
  }
  add(text.size());
  return words;
}

std::vector<PowerSearch::Word> PowerSearch::PrepareWords(const std::string& typed, bool fold) {
  std::string text = typed.substr(0, 60);
  if (fold) FoldSearchText(text.data(), text.size());
  std::vector<Word> words;
  for (std::string& w : SplitSearchWords(text)) {
    const bool negative = w[0] == '!';
    // A lone "!" names nothing to exclude; taken as it stands it would exclude every recipe.
    if (negative && w.size() == 1) continue;
    words.push_back({negative ? w.substr(1) : std::move(w), negative});
  }
  return words;
}

PowerSearch::PowerSearch(const PowerSearchCriteria& criteria) : c_(criteria) {
  const bool fold = !c_.caseSensitive;
  title_ = PrepareWords(c_.title, fold);
  text_ = PrepareWords(c_.text, fold);
  keyword_ = PrepareWords(c_.keyword, fold);
  author_ = PrepareWords(c_.author, fold);
  source_ = PrepareWords(c_.source, fold);
  for (auto [from, to] :
       {std::pair{&c_.andWords, &andWords_}, std::pair{&c_.notWords, &notWords_}}) {
    for (std::string w : *from) {
      if (w.empty()) continue;
      if (fold) FoldSearchText(w.data(), w.size());
      to->push_back(std::move(w));
    }
  }
}

bool PowerSearch::SearchBook(const std::string& recordFile, int16_t bookId) {
  BookRecordScanner scan;
  if (!scan.Open(recordFile, true)) return true;
  char* record = nullptr;
  int32_t length = 0;
  long long offset = 0;
  while (scan.Next(record, length, offset)) {
    // Without its mark this is no record the store wrote: nothing to list, and the book's
    // records end here.
    const bool hasMark = record[0] == '#';
    const bool live = hasMark && record[kRecordDeletedPos] == 0;
    if (live) ++scannedCount;
    if (live && Matches(record, length)) {
      REZINDEX e;
      e.SetTitle(std::string(titleSaved_ ? std::string_view(savedTitle_)
                                         : FieldAt(record, length, kRecordHeadSize)));
      std::memcpy(&e.number, record + kRecordNumberPos, 4);
      e.offset = static_cast<int32_t>(offset);
      e.length = length;
      e.bookId = bookId;
      e.flags = static_cast<uint8_t>(record[kRecordFlagsPos]);
      int32_t categoriesAt;
      std::memcpy(&categoriesAt, record + 15, 4);
      if (categoriesAt >= kRecordHeadSize && categoriesAt <= length - 20)
        std::memcpy(e.categories, record + categoriesAt, sizeof e.categories);
      ++foundCount;
      if (onHit) onHit(e);
    }
    if (keepGoing && !keepGoing()) return false;
    if (!hasMark) break;
  }
  return true;
}

bool PowerSearch::Matches(char* record, int32_t length) {
  int32_t off[10];
  std::memcpy(off, record + 11, sizeof off);
  const bool fold = !c_.caseSensitive;
  auto foldField = [fold](std::string_view f) {
    if (fold) FoldSearchText(const_cast<char*>(f.data()), f.size());
    return f;
  };
  auto wordsHold = [](std::string_view field, const std::vector<Word>& words) {
    for (const Word& w : words)
      if (Contains(field, w.text) == w.negative) return false;
    return true;
  };

  if (c_.marked && (record[kRecordFlagsPos] & kRecipeMarked) == 0) return false;

  const long long servingsAt = static_cast<long long>(off[kOffCategories]) + 20;
  const std::string_view servings = FieldAt(record, length, servingsAt);
  if (c_.picture) {
    const bool inside = servingsAt >= kRecordHeadSize && servingsAt < length;
    const long long picturesAt = servingsAt + static_cast<long long>(servings.size()) + 1;
    const std::string_view pictures = inside ? FieldAt(record, length, picturesAt) : "";
    if (pictures.empty() || (pictures.size() > 1 && pictures[1] == '0')) return false;
  }

  // The title is folded in place; a hit needs it as stored.
  titleSaved_ = false;
  if (!title_.empty()) {
    const std::string_view title = FieldAt(record, length, kRecordHeadSize);
    if (fold) {
      savedTitle_.assign(title);
      titleSaved_ = true;
    }
    if (!wordsHold(foldField(title), title_)) return false;
  }
  if (!author_.empty() && !wordsHold(foldField(FieldAt(record, length, off[kOffAuthor])), author_))
    return false;
  if (!source_.empty() && !wordsHold(foldField(FieldAt(record, length, off[kOffSource])), source_))
    return false;
  if (!keyword_.empty() && !wordsHold(foldField(FieldAt(record, length, off[kOffHint])), keyword_))
    return false;

  std::vector<DBDATAENTRY> entries;
  if (c_.points != 0) {
    if (!ParseDbEntries(FieldAt(record, length, off[kOffRating]), entries) || entries.empty())
      return false;
    const double points = LastValue(entries, "W");
    const bool pass = c_.pointsCompare == 0   ? points < c_.points
                      : c_.pointsCompare == 1 ? points == c_.points
                                              : points > c_.points;
    if (!pass) return false;
  }
  if (c_.energyLimitKcal != 0) {
    if (!ParseDbEntries(FieldAt(record, length, off[kOffNutrients]), entries) || entries.empty())
      return false;
    double kcal = LastValue(entries, "GCAL");
    if (kcal == 0) kcal = LastValue(entries, "GJ") * kKcalPerKJ;
    if (kcal == 0) return false;
    long servingCount = 0;
    for (char ch : servings) {
      if (ch < '0' || ch > '9') break;
      servingCount = servingCount * 10 + (ch - '0');
      if (servingCount > 1000000) break;
    }
    if (servingCount > 0) kcal /= static_cast<double>(servingCount);
    if (c_.energyLimitKcal < kcal) return false;
  }

  const bool wantAnd = (c_.allAnd || c_.oneAnd) && !andWords_.empty();
  const bool wantNot = c_.oneNot && !notWords_.empty();
  if (wantAnd || wantNot) {
    // The ingredient lines (after their count) as one text, their fields joined by '~'.
    const long long from = static_cast<long long>(off[kOffLineCount]) + 4;
    const long long to = static_cast<long long>(off[kOffText]) - 1;
    std::string_view lines;
    if (from >= kRecordHeadSize && from <= to && to <= length) {
      char* p = record + from;
      const size_t n = static_cast<size_t>(to - from);
      FoldRange(p, n, fold, true);
      lines = std::string_view(p, n);
    }
    if (wantAnd) {
      size_t found = 0;
      for (const std::string& w : andWords_) found += Contains(lines, w) ? 1 : 0;
      if (c_.allAnd ? found != andWords_.size() : found == 0) return false;
    }
    if (wantNot)
      for (const std::string& w : notWords_)
        if (Contains(lines, w)) return false;
  }

  if (!text_.empty()) {
    // The preparation text and the remarks lie side by side up to the record's end; a word
    // holds no NUL, so it is found in the two together exactly when it is found in one of them.
    const int32_t at = off[kOffText];
    const std::string_view both =
        at >= kRecordHeadSize && at < length
            ? foldField(std::string_view(record + at, static_cast<size_t>(length - at)))
            : std::string_view();
    if (!wordsHold(both, text_)) return false;
  }

  if (!c_.categories.empty()) {
    const int32_t at = off[kOffCategories];
    if (at < kRecordHeadSize || at > length - 20) return false;
    uint16_t ids[10];
    std::memcpy(ids, record + at, sizeof ids);
    bool any = false;
    for (uint16_t id : ids)
      for (uint16_t want : c_.categories) any = any || (id != 0 && id == want);
    if (!any) return false;
  }
  return true;
}

}  // namespace tav
