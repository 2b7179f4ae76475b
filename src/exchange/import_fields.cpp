#include "exchange/import_fields.h"

#include <algorithm>
#include <cstring>

#include "platform/numbers.h"
#include "recipedb/category_table.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"

namespace tav {

namespace {
// Plain loops: the library's set searches call memchr for every character.
bool InSet(char c, std::string_view set) {
  for (char s : set)
    if (s == c) return true;
  return false;
}
}  // namespace

std::string_view StripChars(std::string_view text, std::string_view set) {
  size_t b = 0, e = text.size();
  while (b < e && InSet(text[b], set)) ++b;
  while (e > b && InSet(text[e - 1], set)) --e;
  return text.substr(b, e - b);
}

std::string_view SkipChars(std::string_view text, size_t pos, std::string_view set) {
  if (pos >= text.size()) return {};
  while (pos < text.size() && InSet(text[pos], set)) ++pos;
  return text.substr(pos);
}

void RemoveTrailingLineFeeds(std::string& text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
}

void CompactCategoryCodes(uint16_t codes[10], int count) {
  for (int i = std::max(count, 0); i < 10; ++i) codes[i] = 0;
  for (int i = 0; i < kImportCategoryCodes; ++i)
    for (int j = 0; j < i; ++j)
      if (codes[i] != 0 && codes[j] == codes[i]) codes[i] = 0;
  int w = 0;
  for (int i = 0; i < kImportCategoryCodes; ++i)
    if (codes[i] != 0) codes[w++] = codes[i];
  while (w < kImportCategoryCodes) codes[w++] = 0;
}

void TakeCategoryCodes(const std::string& name, REZBLOCK& recipe, int& count,
                       const CategoryCodes* lookup) {
  uint16_t found[10] = {};
  if (lookup)
    lookup->Find(name, found);
  else if (ctx().categories)
    ctx().categories->GetGattIds(name, found);
  else
    return;
  for (uint16_t code : found)
    if (code != 0 && count < kImportCategoryCodes) recipe.categories[count++] = code;
}

void ReadCategoryWords(std::string_view value, REZBLOCK& recipe, std::vector<std::string>& words,
                       const CategoryCodes* lookup) {
  int count = 0;
  size_t p = 0;
  while (count < kImportCategoryCodes) {
    while (p < value.size() && (value[p] == ' ' || value[p] == ',')) ++p;
    if (p >= value.size()) break;
    size_t e = value.find(',', p);
    if (e == std::string_view::npos) e = value.size();
    std::string word(value.substr(p, e - p));
    TakeCategoryCodes(word, recipe, count, lookup);
    words.push_back(std::move(word));
    p = e;
  }
  CompactCategoryCodes(recipe.categories, count);
}

void ReadServingsLine(std::string_view line, REZBLOCK& recipe) {
  size_t p = 0;
  while (p < line.size() && !IsDigit(line[p])) ++p;
  size_t e = p;
  while (e < line.size() && IsDigit(line[e])) ++e;
  recipe.servings = static_cast<int32_t>(ReadLong(line.substr(p, std::min<size_t>(e - p, 9))));
  recipe.servingType = std::string(line.substr(e));
}

void StripKeyFigureName(std::string& line) {
  const size_t first = line.find(':');
  const size_t second = first == std::string::npos ? first : line.find(':', first + 1);
  if (second == std::string::npos) {
    line.clear();
    return;
  }
  line = std::string(SkipChars(line, second + 1, ": "));
}

namespace {

bool StartsWith(std::string_view line, std::string_view name) {
  return line.substr(0, name.size()) == name;
}

void AddNutrient(REZBLOCK& recipe, const char* code, std::string value) {
  REZSTOFFMENGE n;
  std::strncpy(n.code, code, sizeof n.code - 1);
  n.value = std::move(value);
  recipe.nutrients.push_back(std::move(n));
}

}  // namespace

bool ApplyKeyFigureLine(const std::string& line, REZBLOCK& recipe, KeyFigureState& state,
                        const UmlautSpelling& umlauts) {
  if (line.empty() || line[0] != ':') return false;
  enum Field {
    kKeywords,
    kSource,
    kCreator,
    kCreated,
    kChanged,
    kEnergy,
    kTotal,
    kPrep,
    kCook,
    kCosts,
    kPoints,
    kFingerprint
  };
  static constexpr struct {
    const char* name;
    Field field;
  } kNames[] = {{":Stichwort", kKeywords}, {":Quelle", kSource},  {":Erfasser", kCreator},
                {":Erfasst", kCreated},    {":Letzte", kChanged}, {":Energie", kEnergy},
                {":Zeit", kTotal},         {":Vorbereit", kPrep}, {":Kochzeit", kCook},
                {":Kosten", kCosts},       {":Weight", kPoints},  {":Fingerpr", kFingerprint}};
  bool matched = false;
  for (const auto& entry : kNames) {
    if (!StartsWith(line, entry.name)) continue;
    matched = true;
    std::string value = line;
    StripKeyFigureName(value);
    Field field = entry.field;
    // ":Erfasst von: Hans" names who captured the recipe, not when.
    if (field == kCreated) {
      const std::string_view rest = SkipChars(line, std::strlen(entry.name), " ");
      if (rest.size() >= 3 && SameTextNoCase(rest.substr(0, 3), "von") &&
          (rest.size() == 3 || rest[3] == ' ' || rest[3] == ':')) {
        field = kCreator;
        value = std::string(SkipChars(rest, 3, ": "));
      }
    }
    umlauts.Convert(value);
    switch (field) {
      case kKeywords:
        if (state.keywordsSet)
          recipe.hint += ", " + value;
        else
          recipe.hint = value;
        state.keywordsSet = true;
        break;
      case kSource:
        if (state.sourceSet)
          recipe.source += "\r\n" + value;
        else
          recipe.source = value;
        state.sourceSet = true;
        break;
      case kCreator:
        recipe.createdBy = value;
        break;
      case kCreated:
        recipe.createdDate = value;
        break;
      case kChanged:
        recipe.changedDate = value;
        break;
      case kEnergy: {
        const char* code = nullptr;
        if (line.find("kcal") != std::string::npos) code = "GCAL";
        if (line.find("kJ") != std::string::npos) code = "GJ";
        // A value without its unit has no nutrient to go to.
        if (code) AddNutrient(recipe, code, std::to_string(ReadLong(value)));
        break;
      }
      case kTotal:
        recipe.totalTime = value;
        break;
      case kPrep:
        recipe.prepTime = value;
        break;
      case kCook:
        recipe.cookTime = value;
        break;
      case kCosts:
        recipe.costs = value;
        break;
      case kPoints:
        recipe.points = value;
        break;
      case kFingerprint: {
        const size_t comma = value.find(',');
        if (comma != std::string::npos) {
          recipe.recipeIdHigh = static_cast<int32_t>(ReadLong(value.substr(0, comma)));
          recipe.recipeIdLow = static_cast<int32_t>(ReadLong(value.substr(comma + 1)));
        }
        break;
      }
    }
  }
  return matched;
}

void AppendTextLine(std::string_view line, std::string& text, const UmlautSpelling& umlauts) {
  // Converted where it lands: no copy of the line.
  const size_t at = text.size();
  text.append(line);
  umlauts.ConvertFrom(text, at);
  size_t blanks = 0;
  while (at + blanks < text.size() && text[at + blanks] == ' ') ++blanks;
  if (blanks > 0 && blanks <= 2) {  // moved down by hand: erase() costs more for so few
    std::memmove(text.data() + at, text.data() + at + blanks, text.size() - at - blanks);
    text.resize(text.size() - blanks);
  }
  text += '\n';
}

void KeepFootnoteMark(std::string& text, bool amountOrUnit) {
  if (!amountOrUnit || text.empty() || text[0] != '*') return;
  const size_t rest = text.find_first_not_of("* ");
  if (rest == std::string::npos) return;  // nothing but marks: no text to put them behind
  const std::string marks(StripBlanks(std::string_view(text).substr(0, rest)));
  text.erase(0, rest);
  text += ' ';
  text += marks;
}

void DropDashesOfIngredient(std::string& text) {
  const size_t rest = text.find_first_not_of("- ");
  text.erase(0, rest == std::string::npos ? text.size() : rest);
}

}  // namespace tav
