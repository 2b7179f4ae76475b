#include "recipedb/record_file.h"

#include <charconv>
#include <cstring>
#include <vector>

#include "platform/numbers.h"
#include "recipedb/key_value_list.h"
#include "recipedb/recipe_records.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

std::string RecordFileHeader() { return "TAVOLIN__1.01_DAT\n\r"; }
std::string TextModeRecordFileHeader() { return "TAVOLIN__1.01_DAT\r\n"; }
std::string IndexFileHeader() { return "TAVOLIN__1.01_IDX\r\n"; }

bool CheckBookHeader(std::string_view header) {
  if (header.size() < static_cast<size_t>(kBookHeaderSize)) return false;
  // Byte 13 ends the text; an earlier NUL ends it sooner.
  std::string_view text = header.substr(0, 13);
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  return text.find("TAVO") != std::string_view::npos && header.substr(9, 4) == "1.01";
}

namespace {

template <typename T>
T Load(const char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void Store(std::string& out, size_t pos, T v) {
  std::memcpy(out.data() + pos, &v, sizeof v);
}

template <typename T>
void Put(std::string& out, T v) {
  const size_t pos = out.size();
  out.resize(pos + sizeof v);
  Store(out, pos, v);
}

// A text as stored: up to its first NUL.
std::string_view CText(const std::string& s) {
  const size_t nul = s.find('\0');
  return nul == std::string::npos ? std::string_view(s) : std::string_view(s).substr(0, nul);
}

// A stored text (CText) with its closing NUL: the byte after it is a NUL, its own or the
// string's, so both go in one append.
void PutText(std::string& out, std::string_view text) {
  out.append(text.data(), text.size() + 1);
}

void AppendNumber(std::string& out, long v) {
  if (v >= 0 && v < 10) {  // most gram figures are 0
    out += static_cast<char>('0' + v);
    return;
  }
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, res.ptr);
}

}  // namespace

uint16_t TitleHash(std::string_view title) {
  uint64_t sum = 0;
  for (size_t i = 0; i < title.size(); ++i)
    sum += static_cast<uint64_t>(static_cast<unsigned char>(title[i])) * i * 127;
  return static_cast<uint16_t>(sum % 65535);
}

bool ReadRecordHead(std::string_view record, RecipeRecordHead& head) {
  if (record.size() < static_cast<size_t>(kRecordHeadSize)) return false;
  const char* p = record.data();
  head.mark = p[0];
  head.number = Load<int32_t>(p + 1);
  head.deleted = static_cast<uint8_t>(p[5]);
  head.flags = static_cast<uint8_t>(p[6]);
  head.titleHash = Load<uint16_t>(p + 7);
  head.titleLength = static_cast<uint8_t>(p[9]);
  head.lineCount = static_cast<uint8_t>(p[10]);
  for (int i = 0; i < 10; ++i) head.offsets.entry[i] = Load<int32_t>(p + 11 + 4 * i);
  return true;
}

void EncodeRecipeRecord(const REZBLOCK& r, std::string& out) {
  out.clear();
  AppendRecipeRecord(r, out);
}

void AppendRecipeRecord(const REZBLOCK& r, std::string& out) {
  const size_t base = out.size();
  out.reserve(base + 1024 + r.text.size() + 48 * r.lines.size());
  out.resize(base + kRecordHeadSize, '\0');
  int32_t table[10] = {};
  KeyValueView kv[4];
  std::vector<KeyValueView> many;  // pictures, nutrients and remarks may be any number
  std::vector<std::string> authors;

  const std::string_view title = CText(r.title);
  PutText(out, title);
  table[kOffCategories] = static_cast<int32_t>(out.size() - base);
  for (uint16_t c : r.categories) Put(out, c);

  // Servings: "%ld %s".
  AppendNumber(out, r.servings);
  out += ' ';
  PutText(out, CText(r.servingType));

  // Pictures: the kind ('F' or 'U') is the key.
  many.clear();
  for (const REZPICTURE& p : r.pictures)
    many.push_back({std::string_view(&p.kind, p.kind ? 1 : 0), CText(p.name)});
  AppendKeyValueList(out, many.data(), many.size());
  out += '\0';

  table[kOffHint] = static_cast<int32_t>(out.size() - base);
  PutText(out, CText(r.hint));

  // Lists of up to three texts: a pair only for a text that is not empty.
  auto putThree = [&](const char* k1, const std::string& v1, const char* k2,
                      const std::string& v2, const char* k3, const std::string& v3) {
    size_t k = 0;
    if (!CText(v1).empty()) kv[k++] = {k1, CText(v1)};
    if (!CText(v2).empty()) kv[k++] = {k2, CText(v2)};
    if (!CText(v3).empty()) kv[k++] = {k3, CText(v3)};
    AppendKeyValueList(out, kv, k);
    out += '\0';
  };
  table[kOffAuthor] = static_cast<int32_t>(out.size() - base);
  putThree("N", r.createdBy, "D", r.createdDate, "E", r.createdEmail);

  table[kOffRating] = static_cast<int32_t>(out.size() - base);
  {
    size_t k = 0;
    if (!CText(r.points).empty()) kv[k++] = {"W", CText(r.points)};
    if (!CText(r.cardText).empty()) kv[k++] = {"C", CText(r.cardText)};
    // A NUL quality or difficulty would end the list early; it stands as '0'.
    kv[k++] = {"Q", r.quality ? std::string_view(&r.quality, 1) : std::string_view("0")};
    kv[k++] = {"D", r.difficulty ? std::string_view(&r.difficulty, 1) : std::string_view("0")};
    AppendKeyValueList(out, kv, k);
    out += '\0';
  }

  // Identifier block: 'A', payload length 8, high word, low word, NUL.
  out += 'A';
  Put<uint16_t>(out, 8);
  Put<int32_t>(out, r.recipeIdHigh);
  Put<int32_t>(out, r.recipeIdLow);
  out += '\0';

  putThree("N", r.changedBy, "D", r.changedDate, "E", r.changedEmail);

  table[kOffSource] = static_cast<int32_t>(out.size() - base);
  PutText(out, CText(r.source));

  table[kOffNutrients] = static_cast<int32_t>(out.size() - base);
  many.clear();
  for (const REZSTOFFMENGE& n : r.nutrients)
    many.push_back({std::string_view(n.code, strnlen(n.code, sizeof n.code)), CText(n.value)});
  AppendKeyValueList(out, many.data(), many.size());
  out += '\0';

  putThree("P", r.prepTime, "C", r.cookTime, "A", r.totalTime);

  PutText(out, CText(r.costs));

  table[kOffLineCount] = static_cast<int32_t>(out.size() - base);
  Put<uint32_t>(out, static_cast<uint32_t>(r.lines.size()) | 0x80000000u);
  for (const REZZUTAT& z : r.lines) {
    PutText(out, CText(z.amount));
    PutText(out, CText(z.unit));
    if (z.notOnShoppingList) out += "; ";
    PutText(out, CText(z.text));
    out.append(CText(z.blsCode));
    out += '~';
    AppendNumber(out, z.grams);
    out += '\0';
  }

  table[kOffText] = static_cast<int32_t>(out.size() - base);
  PutText(out, CText(r.text));

  table[kOffRemarks] = static_cast<int32_t>(out.size() - base);
  many.clear();
  authors.clear();
  authors.reserve(r.remarks.size());
  for (const REZREMARK& m : r.remarks) {
    std::string author(CText(m.author));
    for (char& c : author)
      if (c == '~') c = '-';
    authors.push_back(std::move(author));
  }
  for (size_t i = 0; i < r.remarks.size(); ++i)
    many.push_back({authors[i], CText(r.remarks[i].text)});
  AppendKeyValueList(out, many.data(), many.size());
  out += '\0';
  out += '\0';  // the final NUL

  table[kOffLength] = static_cast<int32_t>(out.size() - base);
  out[base] = '#';
  Store<int32_t>(out, base + 1, r.number);
  out[base + 5] = 0;
  out[base + 6] = static_cast<char>(r.flags);
  Store<uint16_t>(out, base + 7, TitleHash(title));
  out[base + 9] = static_cast<char>(title.size() % 255);
  out[base + 10] = static_cast<char>(r.lines.size() % 255);
  for (int i = 0; i < 10; ++i) Store<int32_t>(out, base + 11 + 4 * i, table[i]);
}

namespace {

// Walks the fields of one record and never leaves it.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes, size_t pos) : b_(bytes), pos_(pos) {}
  bool AtEnd() const { return pos_ >= b_.size(); }
  size_t Remaining() const { return AtEnd() ? 0 : b_.size() - pos_; }
  // The text up to the next NUL (or the end of the record); false when nothing is left.
  bool Text(std::string_view& out) {
    if (AtEnd()) {
      out = {};
      return false;
    }
    const size_t nul = b_.find('\0', pos_);
    const size_t end = nul == std::string_view::npos ? b_.size() : nul;
    out = b_.substr(pos_, end - pos_);
    pos_ = nul == std::string_view::npos ? b_.size() : nul + 1;
    return true;
  }
  bool Bytes(size_t n, std::string_view& out) {
    if (Remaining() < n) {
      pos_ = b_.size();
      return false;
    }
    out = b_.substr(pos_, n);
    pos_ += n;
    return true;
  }
  // The identifier block: 'A', payload length, payload, NUL, skipped by its length. A field that
  // does not have that form is an old text field that ends at its NUL.
  void Identifier(int32_t& high, int32_t& low, bool& found) {
    found = false;
    if (AtEnd()) return;
    if (b_[pos_] == 'A' && Remaining() >= 3) {
      const uint16_t payload = Load<uint16_t>(b_.data() + pos_ + 1);
      const size_t end = pos_ + 3 + payload;  // position of the closing NUL
      if (payload >= 8 && end < b_.size() && b_[end] == '\0') {
        high = Load<int32_t>(b_.data() + pos_ + 3);
        low = Load<int32_t>(b_.data() + pos_ + 7);
        found = true;
        pos_ = end + 1;
        return;
      }
    }
    std::string_view skipped;
    Text(skipped);
  }

 private:
  std::string_view b_;
  size_t pos_;
};

bool IsList(std::string_view field) { return !field.empty() && field[0] == '|'; }

// Value of the first pair with exactly that key; empty when there is none.
std::string_view Lookup(const std::vector<KeyValueView>& pairs, std::string_view key,
                        bool* found = nullptr) {
  for (const KeyValueView& p : pairs) {
    if (p.key == key) {
      if (found) *found = true;
      return p.value;
    }
  }
  if (found) *found = false;
  return {};
}

// A list of three texts by their keys; an old plain field in its place stands for `old`.
void ApplyThree(bool have, std::string_view field, std::vector<KeyValueView>& pairs,
                const char* k1, const char* k2, const char* k3,
                std::initializer_list<std::string*> targets, std::string* old) {
  if (!have) return;
  if (!IsList(field)) {
    old->assign(field);
    return;
  }
  ParseKeyValueViews(field, pairs);
  if (pairs.empty()) return;
  const char* keys[3] = {k1, k2, k3};
  int i = 0;
  for (std::string* t : targets) t->assign(Lookup(pairs, keys[i++]));
}

// atol on a view: leading blanks, sign, digits.
long LeadingLong(std::string_view text) { return ReadLong(text); }

void DecodePictureField(std::string_view field, std::vector<KeyValueView>& pairs,
                        std::vector<REZPICTURE>& pictures) {
  if (IsList(field)) {
    ParseKeyValueViews(field, pairs);
    for (const KeyValueView& p : pairs) {
      if (p.value.empty()) continue;
      pictures.push_back({!p.key.empty() && p.key[0] == 'U' ? 'U' : 'F', std::string(p.value)});
    }
  } else if (!field.empty()) {
    pictures.push_back({'F', std::string(field)});
  }
}

}  // namespace

void DecodeRecordPictures(std::string_view record, std::vector<REZPICTURE>& pictures) {
  pictures.clear();
  FieldReader in(record, kRecordHeadSize);
  std::string_view f;
  // Title, categories and servings come before the pictures.
  if (!in.Text(f) || !in.Bytes(20, f) || !in.Text(f) || !in.Text(f)) return;
  std::vector<KeyValueView> pairs;
  DecodePictureField(f, pairs, pictures);
}

void DecodeRecipeRecord(std::string_view record, REZBLOCK& r) {
  if (record.size() >= 7) {
    r.number = Load<int32_t>(record.data() + 1);
    r.deleted = static_cast<uint8_t>(record[5]);
    r.flags = static_cast<uint8_t>(record[6]);
  }
  std::string_view picturesField, authorField, ratingField, changeField, nutrientField,
      timesField, remarksField;
  bool havePictures = false, haveAuthor = false, haveRating = false, haveChange = false,
       haveNutrients = false, haveTimes = false, haveRemarks = false;
  bool idFound = false;

  FieldReader in(record, kRecordHeadSize);
  std::string_view f;
  [&] {
    if (!in.Text(f)) return;
    r.title.assign(f);
    std::string_view cats;
    if (!in.Bytes(20, cats)) return;
    for (int i = 0; i < 10; ++i) r.categories[i] = Load<uint16_t>(cats.data() + 2 * i);

    // Servings: blanks, the number as "%ld" wrote it (sign, digits), blanks, the serving type.
    if (!in.Text(f)) return;
    {
      size_t i = 0;
      while (i < f.size() && f[i] == ' ') ++i;
      const bool negative = i + 1 < f.size() && f[i] == '-' && f[i + 1] >= '0' && f[i + 1] <= '9';
      if (negative) ++i;
      uint32_t v = 0;
      while (i < f.size() && f[i] >= '0' && f[i] <= '9') v = v * 10 + static_cast<uint32_t>(f[i++] - '0');
      r.servings = static_cast<int32_t>(negative ? 0u - v : v);
      while (i < f.size() && f[i] == ' ') ++i;
      r.servingType.assign(f.substr(i));
    }
    if (!(havePictures = in.Text(picturesField))) return;
    if (!in.Text(f)) return;
    r.hint.assign(f);
    if (!(haveAuthor = in.Text(authorField))) return;
    if (!(haveRating = in.Text(ratingField))) return;
    if (in.AtEnd()) return;
    in.Identifier(r.recipeIdHigh, r.recipeIdLow, idFound);
    if (!(haveChange = in.Text(changeField))) return;
    if (!in.Text(f)) return;
    r.source.assign(f);
    if (!(haveNutrients = in.Text(nutrientField))) return;
    if (!(haveTimes = in.Text(timesField))) return;
    if (!in.Text(f)) return;
    r.costs.assign(f);

    std::string_view countBytes;
    if (!in.Bytes(4, countBytes)) return;
    const uint32_t raw = Load<uint32_t>(countBytes.data());
    bool fourFields = false;
    uint32_t count = 0;
    if (raw & 0x80000000u) {
      fourFields = true;
      count = raw & 0x0FFFFFFFu;
    } else {
      count = static_cast<int32_t>(raw) > 1000 ? 0 : raw;
    }
    // A count that claims more lines than the record holds gives the lines present.
    const size_t minLine = fourFields ? 4 : 3;
    r.lines.reserve(std::min<size_t>(count, in.Remaining() / minLine));
    for (uint32_t n = 0; n < count && !in.AtEnd(); ++n) {
      REZZUTAT z;
      std::string_view amount, unit, text;
      in.Text(amount);
      in.Text(unit);
      in.Text(text);
      z.amount.assign(amount);
      z.unit.assign(unit);
      if (!text.empty() && text[0] == ';') {
        text.remove_prefix(1);
        z.notOnShoppingList = 1;
      }
      while (!text.empty() && text[0] == ' ') text.remove_prefix(1);
      z.text.assign(text);
      if (fourFields) {
        std::string_view food;
        in.Text(food);
        size_t split = food.find('~');
        if (split == std::string_view::npos) split = food.find('#');
        if (split == std::string_view::npos) {
          z.blsCode.assign(food);
        } else {
          z.blsCode.assign(food.substr(0, split));
          z.grams = static_cast<int32_t>(LeadingLong(food.substr(split + 1)));
        }
      }
      r.lines.push_back(std::move(z));
    }
    if (!in.Text(f)) return;
    r.text.assign(f);
    haveRemarks = in.Text(remarksField);
  }();
  r.lineCount = static_cast<int32_t>(r.lines.size());

  std::vector<KeyValueView> pairs;
  // A list applies when it decodes to at least one pair; old plain fields have their own rules.
  if (havePictures) DecodePictureField(picturesField, pairs, r.pictures);
  ApplyThree(haveAuthor, authorField, pairs, "N", "D", "E",
             {&r.createdBy, &r.createdDate, &r.createdEmail}, &r.createdBy);
  if (haveRating && IsList(ratingField)) {
    if (ParseKeyValueViews(ratingField, pairs), !pairs.empty()) {
      r.points.assign(Lookup(pairs, "W"));
      r.cardText.assign(Lookup(pairs, "C"));
      const std::string_view q = Lookup(pairs, "Q"), d = Lookup(pairs, "D");
      if (!q.empty()) r.quality = q[0];
      if (!d.empty()) r.difficulty = d[0];
    }
  }
  ApplyThree(haveChange, changeField, pairs, "N", "D", "E",
             {&r.changedBy, &r.changedDate, &r.changedEmail}, &r.changedDate);
  if (haveNutrients) {
    if (IsList(nutrientField)) {
      if (ParseKeyValueViews(nutrientField, pairs), !pairs.empty()) {
        r.nutrients.clear();
        for (const KeyValueView& p : pairs) {
          REZSTOFFMENGE s;
          std::memcpy(s.code, p.key.data(), std::min<size_t>(p.key.size(), 7));
          s.value.assign(p.value);
          r.nutrients.push_back(std::move(s));
        }
      }
    } else {
      // An old field: energy in kcal as a number.
      REZSTOFFMENGE s;
      std::memcpy(s.code, "GCAL", 4);
      s.value = std::to_string(LeadingLong(nutrientField));
      r.nutrients.push_back(std::move(s));
    }
  }
  ApplyThree(haveTimes, timesField, pairs, "P", "C", "A",
             {&r.prepTime, &r.cookTime, &r.totalTime}, &r.totalTime);
  if (haveRemarks) {
    if (IsList(remarksField)) {
      if (ParseKeyValueViews(remarksField, pairs), !pairs.empty())
        for (const KeyValueView& p : pairs)
          r.remarks.push_back({std::string(p.value), std::string(p.key)});
    } else if (!remarksField.empty()) {
      std::string user;
      if (ctx().options) user = ctx().options->Str(10);
      r.remarks.push_back({std::string(remarksField), user});
    }
  }
  if (r.recipeIdHigh == 0) GiveNewRecipeId(r);
}

}  // namespace tav
