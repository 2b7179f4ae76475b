#include "recipes/quick_entry_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <optional>

#include "platform/numbers.h"
#include "recipedb/category_table.h"
#include "recipedb/recipe_model.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"

namespace tav {
namespace {

constexpr const char* kTagLead = "         [";  // nine blanks before a tag

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool Option(int id) {
  return ctx().options && ctx().options->Flag(id);
}

// The energy code the user works with: kJ with option 16, else kcal.
const char* EnergyCode() {
  return Option(16) ? "GJ" : "GCAL";
}

bool HasCode(const REZSTOFFMENGE& amount, const char* code) {
  return std::strncmp(amount.code, code, sizeof amount.code) == 0;
}

void SetCode(REZSTOFFMENGE& amount, const char* code) {
  std::memset(amount.code, 0, sizeof amount.code);
  std::strncpy(amount.code, code, sizeof amount.code - 1);
}

// A stored value as a number: a decimal point only, a comma ends the number.
double PointNumber(std::string_view text) {
  const size_t comma = text.find(',');
  return ReadNumber(comma == std::string_view::npos ? text : text.substr(0, comma));
}

// The "N>" rest the writer puts out for a recipe; "" when it holds no energy.
std::string EnergyRest(const REZBLOCK& recipe) {
  const char* code = EnergyCode();
  for (const REZSTOFFMENGE& n : recipe.nutrients) {
    if (!HasCode(n, code)) continue;
    double value = PointNumber(n.value);
    if (value == 0) continue;
    if (Option(88) && recipe.servings != 0) value /= recipe.servings;
    return FormatFixed(value, 0) + (Option(16) ? " kJoule" : " kcal");
  }
  return std::string();
}

bool IsAmountChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return IsDigit(c) || c == '.' || c == ',' || c == '/' || c == ' ' || u == 0xBC || u == 0xBD ||
         u == 0xBE;
}

bool IsAmountNumberChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return IsDigit(c) || u == 0xBC || u == 0xBD || u == 0xBE;
}

// The end of the leading amount: the characters of IsAmountChar, and a '-' between two numbers
// ("2-3", "2 - 3"), so that a range keeps its unit and text as the views scale it.
size_t AmountRunEnd(std::string_view line) {
  size_t p = 0;
  for (;;) {
    while (p < line.size() && IsAmountChar(line[p])) ++p;
    if (p >= line.size() || line[p] != '-') return p;
    size_t before = p;
    while (before > 0 && line[before - 1] == ' ') --before;
    size_t after = p + 1;
    while (after < line.size() && line[after] == ' ') ++after;
    if (before == 0 || !IsAmountNumberChar(line[before - 1]) || after >= line.size() ||
        !IsAmountNumberChar(line[after]))
      return p;
    p = after;
  }
}

// A unit found by code that converts into another: the amount in the target unit. Amounts that
// are no number (a range, a word, nothing) keep their unit, as the import's conversion does.
void ConvertFoundUnit(const UnitTable& units, std::string& amount, std::string& code) {
  const REZEINHEIT* unit = units.FindUnitByCode(code);
  if (!unit || unit->fixed || unit->factor.empty()) return;
  REZBLOCK one;
  one.lines.push_back({amount, code, {}, {}, 0, 0});
  units.ConvertRecipeUnits(one);
  amount = one.lines[0].amount;
  code = one.lines[0].unit;
}

bool SameReferences(const std::vector<ZUTAT_ADDS>& a, const std::vector<ZUTAT_ADDS>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const ZUTAT_ADDS& x, const ZUTAT_ADDS& y) {
                      return x.reference == y.reference && x.blsCode == y.blsCode &&
                             x.grams == y.grams && x.notOnShoppingList == y.notOnShoppingList;
                    });
}

// The line without its tag ("[" digits "]" at the very end, cut with the blanks before it);
// `reference` gets the tag's number, 0 without a tag.
std::string_view WithoutTag(std::string_view line, int* reference) {
  *reference = 0;
  if (line.empty() || line.back() != ']') return line;
  size_t p = line.size() - 1;
  while (p > 0 && IsDigit(line[p - 1])) --p;
  if (p == 0 || line[p - 1] != '[') return line;
  *reference = static_cast<int>(ReadLong(line.substr(p, line.size() - 1 - p)));
  size_t cut = p - 1;
  while (cut > 0 && line[cut - 1] == ' ') --cut;
  return line.substr(0, cut);
}

// What the writer puts out for a stored line, its tag left out.
std::string WrittenLineText(const REZZUTAT& z) {
  std::string t;
  if (!z.amount.empty()) t += z.amount + " ";
  if (!z.unit.empty()) t += z.unit + " ";
  return t + z.text;
}

// A plain line (no heading or description) with hidden data gets a tag.
bool WritesTag(const REZZUTAT& z) {
  const bool plain = z.text.empty() || (z.text[0] != '*' && z.text[0] != '-');
  return plain && (!z.blsCode.empty() || z.grams != 0 || z.notOnShoppingList);
}

bool LineOfNothing(const REZZUTAT& z) {
  return z.amount.empty() && z.unit.empty() && z.text.empty() && z.blsCode.empty() &&
         z.grams == 0 && !z.notOnShoppingList;
}

}  // namespace

int PrefixedLineKind(std::string_view line) {
  if (line.size() < 2 || line[1] != '>') return 0;
  switch (line[0]) {
    case 'A': return kQuickAuthor;
    case 'G': return kQuickCategories;
    case 'P': return kQuickServings;
    case 'S': return kQuickKeywords;
    case 'K': return kQuickCosts;
    case 'Q': return kQuickSource;
    case 'F': return kQuickPoints;
    case 'Z': return kQuickTime;
    case 'N': return kQuickEnergy;
    case 'B': return kQuickQuality;
    case 'D': return kQuickDifficulty;
    default: return 0;
  }
}

void ParseQuickIngredientLine(std::string_view line, QuickIngredient& out) {
  out = QuickIngredient();
  line = WithoutTag(line, &out.reference);
  const size_t p = AmountRunEnd(line);
  out.amount = std::string(line.substr(0, p));
  line.remove_prefix(p);

  const size_t wordEnd = std::min(line.find(' '), line.size());
  std::string word(line.substr(0, wordEnd));
  std::string_view rest = line.substr(wordEnd);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);

  bool found = false;
  if (const UnitTable* units = ctx().units; units && !word.empty()) {
    std::string code = word;
    if (units->UnitTextToCode(code)) {
      found = !code.empty();
    } else if (units->NormalizeUnitCodeFixed(code) && !code.empty()) {
      found = true;
      ConvertFoundUnit(*units, out.amount, code);
    }
    if (found) out.unit = code;
  }
  if (found) {
    out.text = std::string(rest);
    return;
  }
  // Digits glued to a word that is no unit belong to that word ("4-Korn-Mehl", "3er Pack"): the
  // text keeps them, the amount keeps what stands before them.
  if (!out.amount.empty() && out.amount.back() != ' ' && !word.empty()) {
    const size_t blank = out.amount.rfind(' ');
    const size_t glued = blank == std::string::npos ? 0 : blank + 1;
    word = out.amount.substr(glued) + word;
    out.amount.resize(glued);
  }
  out.text = word;
  if (!rest.empty()) out.text += " " + std::string(rest);
}

void CategoryIdsFromNames(std::string_view names, std::vector<uint16_t>& ids,
                          std::vector<std::string>* unknown) {
  ids.clear();
  if (unknown) unknown->clear();
  const CategoryTable* table = ctx().categories;
  auto take = [&](const std::string& name) {
    uint16_t codes[10];
    if (!table || !table->GetGattIds(name, codes)) return false;
    for (uint16_t id : codes)
      if (id != 0 && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    return true;
  };
  // Names as the writer lists them, between commas, match whole, so that a name holding a blank
  // or '&' ("Saucen & Dips") reads back; anything else is taken word by word.
  std::vector<std::string> phrases;
  SplitText(names, phrases, kSplitLines);
  std::vector<std::string> pieces;
  for (const std::string& line : phrases) {
    size_t from = 0;
    for (;;) {
      const size_t end = line.find_first_of(",;", from);
      pieces.push_back(Trim(std::string_view(line).substr(from, end - from)));
      if (end == std::string::npos) break;
      from = end + 1;
    }
  }
  for (const std::string& piece : pieces) {
    if (piece.empty() || take(piece)) continue;
    std::vector<std::string> words;
    SplitText(piece, words, kSplitWords);
    for (const std::string& w : words)
      if (!take(w) && unknown) unknown->push_back(w);
  }
}

void SetRecipeCategoriesByNames(REZBLOCK& recipe, std::string_view names) {
  std::vector<uint16_t> ids;
  CategoryIdsFromNames(names, ids, nullptr);
  for (size_t i = 0; i < ids.size() && i < 10; ++i) recipe.categories[i] = ids[i];
}

std::string QuickEntryText::RezToQuickText(const REZBLOCK& recipe) {
  std::string t = recipe.title + "\n\n";
  references.clear();
  // Without ingredient lines the block is one line of a blank, which reads as no line: the first
  // paragraph after the title would otherwise read back as ingredient lines.
  if (std::all_of(recipe.lines.begin(), recipe.lines.end(), LineOfNothing)) t += " \n";
  for (const REZZUTAT& z : recipe.lines) {
    // A line of nothing would be an empty line, which ends the ingredient block; reading drops
    // such a line anyway.
    if (LineOfNothing(z)) continue;
    t += WrittenLineText(z);
    if (WritesTag(z)) {
      const int n = NextReference();
      references.push_back({n, z.blsCode, z.grams, z.notOnShoppingList});
      t += kTagLead + std::to_string(n) + "]";
    }
    t += "\n";
  }
  t += "\n" + recipe.text + "\n";

  if (recipe.servings > 0)
    t += "P> " + std::to_string(recipe.servings) + " " + recipe.servingType + "\n";
  std::string names;
  if (ctx().categories) {
    for (uint16_t id : recipe.categories) {
      std::string name;
      if (id == 0 || !ctx().categories->GetGattName(id, name)) continue;
      if (!names.empty()) names += ", ";
      names += name;
    }
  }
  if (!names.empty()) t += "G> " + names + "\n";
  if (!recipe.hint.empty()) t += "S> " + recipe.hint + "\n";
  if (recipe.quality > '0') t += std::string("B> ") + recipe.quality + "\n";
  if (recipe.difficulty > '0') t += std::string("D> ") + recipe.difficulty + "\n";
  if (!recipe.points.empty()) t += "F> " + recipe.points + "\n";
  if (const std::string energy = EnergyRest(recipe); !energy.empty()) t += "N> " + energy + "\n";
  if (!recipe.totalTime.empty()) t += "Z> " + recipe.totalTime + "\n";
  if (!recipe.costs.empty()) t += "K> " + recipe.costs + "\n";
  if (!recipe.createdBy.empty()) t += "A> " + recipe.createdBy + "\n";
  std::vector<std::string> source;
  SplitText(recipe.source, source, kSplitLines);
  for (const std::string& s : source) t += "Q> " + s + "\n";
  return t;
}

namespace {

// A rating typed as a number: its whole part, held to '0' ... '5' (a huge or negative number
// must not wrap into some other character).
char RatingChar(double value) {
  if (!(value > 0)) return '0';
  if (value >= 5) return '5';
  return static_cast<char>('0' + static_cast<int>(value));
}

void ReadEnergyLine(REZBLOCK& recipe, const std::string& rest) {
  // The line says what the writer makes of the stored energy: the exact value stays, so a
  // rounded or per-serving figure never replaces it by merely storing the page.
  if (rest == EnergyRest(recipe)) return;
  const char* code = EnergyCode();
  std::string value = rest;
  // Per serving as the writer divided it: only with servings.
  if (Option(88) && recipe.servings != 0) value = FormatGeneral(ReadNumber(rest) * recipe.servings);
  bool any = false;
  for (REZSTOFFMENGE& n : recipe.nutrients) {
    if (!HasCode(n, code)) continue;
    n.value = value;
    any = true;
  }
  if (!any) {
    REZSTOFFMENGE n;
    SetCode(n, code);
    n.value = value;
    recipe.nutrients.push_back(n);
  }
}

}  // namespace

int QuickEntryText::Walk(REZBLOCK* recipe, int asked, KeptLines* kept) const {
  int kind = asked == 0 ? kQuickTitle : kQuickEmpty;
  int zone = 0;  // 0 title, 1 after it, 2 ingredients, 3 after them, 4 preparation text
  std::optional<std::string> energy;  // the last "N>" line, applied with the final servings
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    int own = 0;
    if (!line.empty()) own = i == 0 ? kQuickTitle : PrefixedLineKind(line);
    if (!line.empty() && own == 0) {
      if (zone <= 2) {
        zone = 2;
        kind = line[0] == '*' ? kQuickHeading : line[0] == '-' ? kQuickDescription
                                                               : kQuickIngredient;
      } else if (zone == 3) {
        zone = 4;
        kind = kQuickText;
      }
    } else if (line.empty() && i != 0) {
      // Empty lines after the title, however many, still lead to the ingredient lines.
      if (zone == 0) zone = 1;
      else if (zone == 2) zone = 3;
      if (zone != 4) kind = kQuickEmpty;
    }
    if (static_cast<int>(i) == asked) return own != 0 ? own : kind;
    if (!recipe) continue;

    REZBLOCK& r = *recipe;
    // A line still as the writer wrote it stands for its stored line: reading it would convert
    // a unit found by its code, cut a range, take a leading word for a unit ...
    std::optional<REZZUTAT> stored;
    bool whole = false;  // the line as written without a tag: the stored line with its data
    if (own == 0 && kept &&
        (kind == kQuickIngredient || kind == kQuickHeading || kind == kQuickDescription)) {
      auto take = [&](const std::string& key) {
        const auto it = kept->find(key);
        if (it == kept->end() || it->second.empty()) return false;
        stored = std::move(it->second.front());
        it->second.pop_front();
        return true;
      };
      int tag = 0;
      whole = take(line);
      if (!whole) take(std::string(WithoutTag(line, &tag)));
    }
    if (stored && (whole || kind != kQuickIngredient)) {
      // Its tag removed by the user: the hidden data goes with it.
      if (WritesTag(*stored)) {
        stored->blsCode.clear();
        stored->grams = 0;
        stored->notOnShoppingList = 0;
      }
      r.lines.push_back(std::move(*stored));
      continue;
    }
    if (own == 0) {
      if (kind == kQuickIngredient) {
        QuickIngredient q;
        ParseQuickIngredientLine(line, q);
        REZZUTAT z;
        z.amount = Trim(q.amount);
        FractionCharToText(z.amount);
        if (ctx().units && !ctx().units->ResolveUnitCode(Trim(q.unit), z.unit)) z.unit.clear();
        z.text = Trim(q.text);
        if (q.reference > 0) {
          const auto it = std::find_if(references.begin(), references.end(),
                                       [&](const ZUTAT_ADDS& a) { return a.reference == q.reference; });
          if (it != references.end()) {
            z.notOnShoppingList = it->notOnShoppingList;
            z.grams = it->grams;
            z.blsCode = it->blsCode;
          }
        }
        if (stored) {
          z.amount = stored->amount;
          z.unit = stored->unit;
          z.text = stored->text;
        }
        if (stored || !z.text.empty()) r.lines.push_back(z);
      } else if (kind == kQuickHeading || kind == kQuickDescription) {
        REZZUTAT z;
        z.text = Trim(line);
        if (!z.text.empty()) r.lines.push_back(z);
      } else if (kind == kQuickText) {
        r.text += line + "\n";
      }
      continue;
    }
    const std::string rest = Trim(std::string_view(line).substr(std::min<size_t>(2, line.size())));
    switch (own) {
      case kQuickTitle: r.title = Trim(line); break;
      case kQuickAuthor: r.createdBy = rest; break;
      case kQuickCategories: SetRecipeCategoriesByNames(r, rest); break;
      case kQuickServings: {
        size_t p = 2;
        while (p < line.size() && line[p] == ' ') ++p;
        int32_t servings = 0;
        while (p < line.size() && IsDigit(line[p])) {
          if (servings < 100000000) servings = servings * 10 + (line[p] - '0');
          ++p;
        }
        while (p < line.size() && line[p] == ' ') ++p;
        r.servings = servings;
        r.servingType = line.substr(p);
        break;
      }
      case kQuickKeywords: r.hint = rest; break;
      case kQuickCosts: r.costs = rest; break;
      case kQuickSource: r.source += rest + "\n"; break;
      case kQuickPoints: r.points = rest; break;
      case kQuickTime: r.totalTime = rest; break;
      case kQuickEnergy: energy = rest; break;
      case kQuickQuality:
      case kQuickDifficulty: {
        std::string v = rest;
        ReplaceChar(v, ',', '.');
        (own == kQuickQuality ? r.quality : r.difficulty) = RatingChar(ReadNumber(v));
        break;
      }
      default: break;
    }
  }
  if (recipe && energy) ReadEnergyLine(*recipe, *energy);
  return kind;
}

int QuickEntryText::LineKind(int line) const {
  return Walk(nullptr, line);
}

int QuickEntryText::QuickTextToRez(REZBLOCK& recipe, int line) {
  if (line >= 0) return Walk(nullptr, line);
  // A text that still says what the writer makes of the recipe, with the same hidden line data,
  // leaves the recipe as it is: reading trims and rounds, and an untouched page must not count
  // as a change.
  QuickEntryText written;
  written.SplitQuickTextLines(written.RezToQuickText(recipe));
  if (written.lines == lines && SameReferences(written.references, references))
    return Walk(nullptr, -1);
  KeptLines kept;
  for (REZZUTAT& z : recipe.lines)
    if (!LineOfNothing(z)) kept[WrittenLineText(z)].push_back(std::move(z));
  recipe.title.clear();
  std::fill(std::begin(recipe.categories), std::end(recipe.categories), 0);
  recipe.servings = 0;
  recipe.servingType.clear();
  recipe.createdBy.clear();
  recipe.source.clear();
  recipe.costs.clear();
  recipe.hint.clear();
  recipe.lines.clear();
  recipe.text.clear();
  const int kind = Walk(&recipe, -1, &kept);
  recipe.lineCount = static_cast<int32_t>(recipe.lines.size());
  // The text ends in exactly one line break; an empty text stays empty, so the editor's check
  // for a missing preparation text still sees it.
  size_t end = recipe.text.size();
  while (end > 1 && (recipe.text[end - 1] == '\n' || recipe.text[end - 1] == '\r')) --end;
  recipe.text.resize(end);
  if (!recipe.text.empty()) recipe.text += "\n";
  return kind;
}

void QuickEntryText::SplitQuickTextLines(std::string_view text) {
  lines.clear();
  std::string current;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      current += c;
      continue;
    }
    const char pair = c == '\r' ? '\n' : '\r';
    if (i + 1 < text.size() && text[i + 1] == pair) ++i;
    lines.push_back(std::move(current));
    current.clear();
  }
  if (!current.empty()) lines.push_back(std::move(current));
}

std::string QuickEntryText::JoinQuickTextLines() const {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

int QuickEntryText::NextReference() const {
  int highest = 0;
  for (const ZUTAT_ADDS& a : references) highest = std::max(highest, a.reference);
  return highest + 1;
}

ZUTAT_ADDS* QuickEntryText::FindReference(int number) {
  for (ZUTAT_ADDS& a : references)
    if (a.reference == number) return &a;
  return nullptr;
}

}  // namespace tav
