#include "recipedb/unit_table.h"

#include <algorithm>
#include <cmath>

#include "platform/numbers.h"
#include "platform/services.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_model.h"
#include "recipedb/servings.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {
namespace {

constexpr size_t kMaxTarget = 4;
constexpr size_t kMealMasterText = 28;

std::string_view TrimmedView(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

std::string Trimmed(std::string_view text) {
  return std::string(TrimmedView(text));
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool MealMasterInputOnly() {
  return ctx().options && ctx().options->Flag(33);
}

// The factor of a converting unit as a number; false for 0 or a text that is no number.
bool ReadFactor(const std::string& factor, double& value) {
  std::string f = factor;
  const size_t comma = f.find(',');
  if (comma != std::string::npos) f[comma] = '.';
  size_t used = 0;
  value = ReadNumber(f, &used);
  return used > 0 && value != 0 && std::isfinite(value);
}

// Codes are compared without regard to case, but a code spelt exactly as asked wins: Meal-Master
// tells t (teaspoon) from T (tablespoon) and ds (dash) from Ds (can) only by their case.
bool CodeMatches(std::string_view unitCode, std::string_view code, bool exact) {
  return exact ? unitCode == code : SameTextNoCase(unitCode, code);
}

// The first unit whose trimmed code equals `code`, exact spelling first.
const REZEINHEIT* FirstByCode(const std::vector<REZEINHEIT>& units, const std::string& code) {
  for (const bool exact : {true, false})
    for (const REZEINHEIT& u : units)
      if (CodeMatches(TrimmedView(u.code), code, exact)) return &u;
  return nullptr;
}

}  // namespace

bool UnitNameFitsFile(const std::string& name) {
  if (name.find_first_of("#~") == std::string::npos) return true;
  MessageBox(GetLangText(810), GetLangText(15), MB_OK | MB_ICONERROR);
  return false;
}

int UnitTable::CountTargeting(const std::string& code) const {
  return static_cast<int>(std::count_if(units.begin(), units.end(), [&](const REZEINHEIT& u) {
    return !u.fixed && u.target == code;
  }));
}

void UnitTable::DeleteUnit(size_t position) {
  if (position >= units.size()) return;
  const REZEINHEIT gone = units[position];
  if (gone.fixed)
    for (REZEINHEIT& u : units)
      if (!u.fixed && u.target == gone.code) {
        u.fixed = 1;
        u.target.clear();
        u.factor.clear();
      }
  units[position] = units.back();
  units.pop_back();
}

int UnitTable::UnitInputFault(const REZEINHEIT& unit) {
  if (unit.code.empty() || unit.code.find(' ') != std::string::npos) return 951;
  if (!unit.fixed) {
    // The whole factor is the number: "1,5 kg" would read back as 1.5 of something else.
    std::string f = Trimmed(unit.factor);
    const size_t comma = f.find(',');
    if (comma != std::string::npos) f[comma] = '.';
    size_t used = 0;
    const double value = ReadNumber(f, &used);
    if (f.empty() || used != f.size() || value == 0 || !std::isfinite(value)) return 952;
  }
  for (const std::string* text : {&unit.name, &unit.plural, &unit.shortForm})
    if (text->find_first_of("#~") != std::string::npos) return 810;
  return 0;
}

std::string UnitTable::FilePath() const {
  return LanguageFolderFile("einheit.dat");
}

bool UnitTable::ParseLine(const std::string& line, REZEINHEIT& unit) {
  if (Trimmed(line).empty()) return false;
  unit = REZEINHEIT();
  for (size_t i = 0; i < 3 && i < line.size(); ++i)
    if (line[i] != ' ') unit.code += line[i];
  const std::string rest = line.size() > 3 ? line.substr(3) : std::string();

  std::vector<size_t> hashes;
  for (size_t p = rest.find('#'); p != std::string::npos; p = rest.find('#', p + 1))
    hashes.push_back(p);
  auto piece = [&](size_t k) {
    const size_t from = k == 0 ? 0 : hashes[k - 1] + 1;
    const size_t to = k < hashes.size() ? hashes[k] : rest.size();
    return rest.substr(from, to - from);
  };

  if (hashes.size() >= 2) {
    const std::string f1 = piece(1);
    const size_t tilde = f1.find('~');
    unit.plural = f1.substr(0, tilde);
    if (tilde != std::string::npos) unit.shortForm = f1.substr(tilde + 1);
    unit.mealMaster = piece(2).find('M') != std::string::npos;
  } else if (hashes.size() == 1) {
    unit.mealMaster = piece(1).find('M') != std::string::npos;
  }
  if (hashes.size() >= 3) {
    unit.fixed = 0;
    const std::string f3 = piece(3);
    if (!f3.empty() && hashes.size() >= 4) {
      unit.factor = f3;
      std::string target = rest.substr(hashes[3] + 1);
      if (!target.empty() && target[0] == ' ') target.erase(0, 1);
      if (target.size() > kMaxTarget) target.resize(kMaxTarget);
      unit.target = target;
    }
  }
  const std::string f0 = piece(0);
  const size_t tilde = f0.find('~');
  unit.name = f0.substr(0, tilde);
  if (tilde != std::string::npos && tilde + 1 < f0.size())
    unit.kinds = static_cast<uint16_t>(ReadLong(f0.substr(tilde + 1)));
  return true;
}

std::string UnitTable::FormatLine(const REZEINHEIT& u) {
  std::string line = u.code;
  if (line.size() < 3) line.append(3 - line.size(), ' ');
  line += u.name;
  if (u.kinds != 0) line += "~" + std::to_string(u.kinds);
  line += "#" + u.plural;
  if (!u.shortForm.empty()) line += "~" + u.shortForm;
  line += u.mealMaster ? "#M" : "#";
  if (!u.fixed) line += "#" + u.factor + "#" + u.target;
  return line;
}

bool UnitTable::ReadEinheiten() {
  std::vector<std::string> lines;
  if (!ReadReferenceLines(FilePath(), lines, file_)) {
    if (!file_.tooLarge) MessageBox(GetLangText(118), GetLangText(15), MB_OK | MB_ICONERROR);
    return false;
  }
  units.clear();
  REZEINHEIT unit;
  for (const std::string& line : lines)
    if (ParseLine(line, unit)) units.push_back(unit);
  ReferenceLinesTaken(FilePath(), lines, units.size(), file_);
  return true;
}

bool UnitTable::WriteEinheiten() {
  std::vector<std::string> lines;
  lines.reserve(units.size());
  for (const REZEINHEIT& u : units) lines.push_back(FormatLine(u));
  return WriteReferenceLines(FilePath(), lines, file_, 117, 15);
}

void UnitTable::SortEinheiten() {
  std::stable_sort(units.begin(), units.end(), [](const REZEINHEIT& a, const REZEINHEIT& b) {
    return CompareTextNoCase(a.name, b.name) < 0;
  });
}

bool UnitTable::UnitTextToCode(std::string& text) const {
  for (const REZEINHEIT& u : units) {
    if (SameTextNoCase(u.name, text) || (!u.plural.empty() && SameTextNoCase(u.plural, text))) {
      text = u.code;
      return true;
    }
  }
  return false;
}

bool UnitTable::NormalizeUnitCode(std::string& code) const {
  const REZEINHEIT* u = FirstByCode(units, code);
  if (u) code = Trimmed(u->code);
  return u != nullptr;
}

bool UnitTable::NormalizeUnitCodeFixed(std::string& code) const {
  for (const bool exact : {true, false}) {
    const REZEINHEIT* taken = nullptr;
    for (const REZEINHEIT& u : units) {
      if (!CodeMatches(Trimmed(u.code), code, exact)) continue;
      if (!taken || u.fixed) taken = &u;
    }
    if (taken) {
      code = Trimmed(taken->code);
      return true;
    }
  }
  return false;
}

bool UnitTable::ResolveUnitCode(const std::string& text, std::string& code) const {
  code.clear();
  if (text.empty()) return true;
  for (const REZEINHEIT& u : units) {
    if (SameTextNoCase(Trimmed(u.plural), text) || SameTextNoCase(Trimmed(u.name), text)) {
      code = Trimmed(u.code);
      return true;
    }
  }
  for (const bool exact : {true, false}) {
    for (const uint8_t fixedPass : {1, 0}) {
      for (const REZEINHEIT& u : units) {
        if (u.fixed == fixedPass && CodeMatches(Trimmed(u.code), text, exact)) {
          code = Trimmed(u.code);
          return true;
        }
      }
    }
  }
  return false;
}

void UnitTable::GetUnitName(const std::string& code, bool plural, std::string& out) const {
  out.clear();
  for (const REZEINHEIT& u : units) {
    if (Trimmed(u.code) != code) continue;
    out = plural && !u.plural.empty() ? u.plural : u.name;
    return;
  }
}

void UnitTable::GetUnitDisplayName(const std::string& code, bool plural, bool shortForm,
                                   std::string& out) const {
  const REZEINHEIT* u = FindUnitByCode(code);
  if (!u) return;
  if (shortForm && !u->shortForm.empty())
    out = u->shortForm;
  else if (plural && !u->plural.empty())
    out = u->plural;
  else
    out = u->name;
}

const REZEINHEIT* UnitTable::FindUnitByCode(const std::string& code) const {
  for (const REZEINHEIT& u : units)
    if (u.code == code) return &u;
  return nullptr;
}

REZEINHEIT* UnitTable::GetUnitAt(size_t position) {
  return position < units.size() ? &units[position] : nullptr;
}

const REZEINHEIT* UnitTable::GetUnitAt(size_t position) const {
  return position < units.size() ? &units[position] : nullptr;
}

void UnitTable::FindUnitByPrefix(const std::string& typed, std::string& out) const {
  out.clear();
  if (units.empty()) return;
  const std::string t = UpperCaseAnsi(typed);
  const bool mmOnly = MealMasterInputOnly();
  for (int pass = 1; pass <= 3 && out.empty(); ++pass) {
    for (size_t i = 0; i < units.size(); ++i) {
      const REZEINHEIT& u = units[i];
      if (!u.fixed || (mmOnly && !IsMealMasterUsable(i))) continue;
      const bool hit = pass == 1   ? UpperCaseAnsi(Trimmed(u.code)) == t
                       : pass == 2 ? StartsWith(UpperCaseAnsi(u.code), t)
                                   : StartsWith(UpperCaseAnsi(u.name), t);
      if (hit) {
        out = u.name + " [" + u.code + "]";
        break;
      }
    }
  }
}

bool UnitTable::IsMealMasterUsable(size_t position) const {
  const REZEINHEIT* unit = GetUnitAt(position);
  if (!unit) return false;
  if (unit->mealMaster) return true;
  return std::any_of(units.begin(), units.end(), [&](const REZEINHEIT& u) {
    return u.mealMaster && SameTextNoCase(u.target, unit->code);
  });
}

bool IsMealMasterCode(std::string_view code) {
  return std::find(std::begin(kMealMasterCodes), std::end(kMealMasterCodes), code) !=
         std::end(kMealMasterCodes);
}

std::string UnitTable::MealMasterCodeFor(const std::string& code) const {
  std::string unit = Trimmed(code);
  if (unit.empty() || IsMealMasterCode(unit)) return unit;
  // A second spelling ("St", "EL.") stands for its unit.
  if (const REZEINHEIT* u = FirstByCode(units, unit); u && !u->fixed && u->factor == "1")
    unit = Trimmed(u->target);
  if (IsMealMasterCode(unit)) return unit;
  for (const char* mm : kMealMasterCodes) {
    const REZEINHEIT* u = FindUnitByCode(mm);
    if (u && !u->fixed && u->factor == "1" && Trimmed(u->target) == unit) return mm;
  }
  return std::string();
}

bool UnitTable::CheckMealMasterUnit(const REZZUTAT& line) const {
  const std::string code = Trimmed(line.unit);
  if (code.empty()) return true;
  const REZEINHEIT* u = FirstByCode(units, code);
  return u && IsMealMasterUsable(static_cast<size_t>(u - units.data()));
}

void UnitTable::CountUnitKinds(int& fixedCount, int& converting) const {
  fixedCount = converting = 0;
  for (const REZEINHEIT& u : units) ++(u.fixed ? fixedCount : converting);
}

void UnitTable::AddUnitsOfKind(REZZUTATEN& ingredient, uint16_t mask) const {
  for (const REZEINHEIT& u : units)
    if (u.kinds & mask) ingredient.units.push_back(u.code);
}

void UnitTable::FillUnitCombo(std::vector<std::string>& items, bool withCode) const {
  items.clear();
  const bool mmOnly = MealMasterInputOnly();
  for (size_t i = 0; i < units.size(); ++i) {
    const REZEINHEIT& u = units[i];
    if (!u.fixed || (mmOnly && !IsMealMasterUsable(i))) continue;
    items.push_back(withCode ? u.name + " [" + Trimmed(u.code) + "]" : u.name);
  }
}

void UnitTable::FillUnitList(std::vector<ListItem>& items) const {
  items.clear();
  for (size_t i = 0; i < units.size(); ++i)
    if (units[i].fixed) items.push_back({units[i].name, static_cast<int>(i)});
}

void UnitTable::ConvertRecipeUnits(REZBLOCK& recipe) const {
  UnitConversions(*this).Convert(recipe);
}

UnitConversions::UnitConversions(const UnitTable& table) {
  // The first unit of each code, as FirstByCode finds it: spelt exactly, else case ignored.
  for (const REZEINHEIT& u : table.units) {
    const std::string code = Trimmed(u.code);
    const size_t at = conversions_.size();
    const bool exactNew = exact_.try_emplace(code, at).second;
    const bool foldedNew = folded_.try_emplace(UpperCaseAnsi(code), at).second;
    if (!exactNew && !foldedNew) continue;
    Conversion c;
    c.target = u.target;
    c.plain = u.factor == "1";
    c.known = !u.fixed && !u.factor.empty();
    c.usable = c.known && (c.plain || ReadFactor(u.factor, c.factor));
    conversions_.push_back(std::move(c));
  }
}

namespace {
// FNV-1a of a few bytes, for the slots of the answer caches.
size_t SlotOf(std::string_view bytes, size_t seed, size_t slots) {
  uint32_t h = 2166136261u ^ static_cast<uint32_t>(seed);
  for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h % slots;
}
}  // namespace

const UnitConversions::Conversion* UnitConversions::Find(const std::string& code) const {
  FoundSlot& slot = found_[SlotOf(code, 0, kSlots)];
  if (!slot.used || slot.code != code) {
    size_t found = kNone;
    if (const auto it = exact_.find(code); it != exact_.end()) {
      found = it->second;
    } else if (const auto f = folded_.find(UpperCaseAnsi(code)); f != folded_.end()) {
      found = f->second;
    }
    slot.code = code;
    slot.found = found;
    slot.used = true;
  }
  return slot.found == kNone ? nullptr : &conversions_[slot.found];
}

bool UnitConversions::ConvertedAmount(const Conversion& c, const std::string& amount,
                                      std::string& out) const {
  const auto at = static_cast<size_t>(&c - conversions_.data());
  AmountSlot& slot = amounts_[SlotOf(amount, at, kSlots)];
  if (slot.conversion != at || slot.amount != amount) {
    double value = 0;
    slot.conversion = at;
    slot.amount = amount;
    slot.readable = ReadAmountValue(amount, value);
    // No float noise in the amount column.
    slot.converted = slot.readable ? CookAmount(value * c.factor) : std::string();
  }
  if (slot.readable) out = slot.converted;
  return slot.readable;
}

void UnitConversions::Convert(REZBLOCK& recipe) const {
  for (REZZUTAT& line : recipe.lines) {
    if (line.unit.empty()) continue;
    const Conversion* c = Find(line.unit);
    if (!c || !c->known) continue;
    if (!c->plain && (!c->usable || !ConvertedAmount(*c, line.amount, line.amount))) continue;
    line.unit = c->target;
  }
}

bool UnitTable::ConvertToMealMasterUnits(REZBLOCK& recipe, std::string& rejected, bool cut,
                                         std::string& note) const {
  rejected.clear();
  note.clear();
  bool result = false;
  for (REZZUTAT& line : recipe.lines) {
    const std::string u = line.unit;
    bool usable = u.empty() || std::any_of(units.begin(), units.end(), [&](const REZEINHEIT& e) {
                    return e.mealMaster && e.code == u;
                  });
    if (!usable) {
      const auto it = std::find_if(units.begin(), units.end(), [&](const REZEINHEIT& e) {
        return e.mealMaster && SameTextNoCase(e.target, u);
      });
      if (it != units.end()) {
        usable = true;
        if (!it->factor.empty() && it->factor != "1") {
          double amount = 0, factor = 0;
          usable = ReadAmountValue(line.amount, amount) && ReadFactor(it->factor, factor);
          if (usable) line.amount = CookAmount(amount / factor);
        }
        if (usable) line.unit = it->code;
      }
    }
    if (cut && line.text.size() > kMealMasterText) {
      line.text.resize(kMealMasterText);
      note = GetLangText(765);
    }
    if (!usable) {
      result = true;
      if (!rejected.empty()) rejected += ", ";
      rejected += u;
    }
  }
  return result;
}

}  // namespace tav
