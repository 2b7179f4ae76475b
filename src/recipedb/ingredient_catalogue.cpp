#include "recipedb/ingredient_catalogue.h"

#include <algorithm>
#include <cstddef>

#include "platform/numbers.h"
#include "platform/services.h"
#include "recipedb/recipe_model.h"
#include "services/charsets.h"
#include "services/context.h"

namespace tav {
namespace {

std::string TrimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

// The unit codes of field 6: "g~kg~EL~", or the older pairs " gkgEL".
std::vector<std::string> ParseUnits(const std::string& field) {
  std::vector<std::string> codes;
  if (field.empty()) return codes;
  bool current = false;
  for (size_t i = 1; i <= 3 && i < field.size(); ++i) current = current || field[i] == '~';
  if (current) {
    size_t from = 0;
    while (from < field.size()) {
      size_t to = field.find('~', from);
      if (to == std::string::npos) to = field.size();
      if (to > from) codes.push_back(field.substr(from, to - from));
      from = to + 1;
    }
    return codes;
  }
  for (size_t i = 0; i < field.size(); i += 2) {
    const std::string pair = field.substr(i, 2);
    if (pair[0] == ' ') {
      if (pair.size() == 2 && pair[1] != ' ') codes.push_back(pair.substr(1));
    } else {
      codes.push_back(pair);
    }
  }
  return codes;
}

}  // namespace

std::string IngredientCatalogue::FilePath() const {
  return LanguageFolderFile("zutaten.dat");
}

REZZUTATEN IngredientCatalogue::ParseLine(const std::string& line) {
  REZZUTATEN z;
  size_t pos = line.find('#');
  if (pos == std::string::npos) {
    z.plural = line;
    return z;
  }
  z.plural = line.substr(0, pos);
  ++pos;
  // Fields 2 to 5 need their closing '#'; a missing one ends the line.
  auto closed = [&](std::string& out) {
    const size_t end = line.find('#', pos);
    if (end == std::string::npos) return false;
    out = line.substr(pos, end - pos);
    pos = end + 1;
    return true;
  };
  std::string basis, unit;
  if (!closed(z.singular) || !closed(basis)) return z;
  z.energyBasis = static_cast<uint8_t>(ReadLong(basis));
  if (!closed(z.energy) || !closed(unit)) return z;
  z.energyUnit = !unit.empty() && unit[0] == 'K' ? REZZUTATEN::kKcal : REZZUTATEN::kKJ;

  // Fields 6 to 8 run to the next '#' or the line end; the line end ends the reading.
  bool atEnd = false;
  auto open = [&]() {
    const size_t end = line.find('#', pos);
    const std::string field =
        line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (end == std::string::npos) {
      pos = line.size();
      atEnd = true;
    } else {
      pos = end + 1;
    }
    return field;
  };
  z.units = ParseUnits(open());
  if (atEnd) return z;
  const std::string season = open();
  if (!season.empty() && season[0] == 'J')
    z.season.replace(0, std::min(season.size(), REZZUTATEN::kSeasonLength), season, 0,
                     REZZUTATEN::kSeasonLength);
  if (atEnd) return z;
  const std::string shopping = open();
  if (!shopping.empty() && shopping[0] == 'N') z.notOnShoppingList = 1;
  if (atEnd) return z;

  const size_t keyEnd = line.find('#', pos);
  if (keyEnd == std::string::npos) {
    z.picture = line.substr(pos);  // no '#' after the key: the text is the picture
    return z;
  }
  z.blsKey = line.substr(pos, keyEnd - pos);
  pos = keyEnd + 1;
  z.picture = open();
  if (!atEnd) z.pieceWeight = static_cast<int32_t>(ReadLong(line.substr(pos)));
  return z;
}

std::string IngredientCatalogue::FormatLine(const REZZUTATEN& z) {
  std::string line = z.plural + "#" + z.singular + "#" + std::to_string(z.energyBasis) + "#" +
                     z.energy + "#" + (z.energyUnit == REZZUTATEN::kKJ ? "J" : "K") + "#";
  for (const std::string& code : z.units) line += code + "~";
  std::string season = z.season;
  season.resize(REZZUTATEN::kSeasonLength, ' ');
  line += "#" + season + "#" + (z.notOnShoppingList ? "N" : "K") + "#" + z.blsKey + "#" +
          z.picture + "#" + std::to_string(z.pieceWeight);
  return line;
}

bool IngredientCatalogue::ReadZutaten() {
  std::vector<std::string> lines;
  if (!ReadReferenceLines(FilePath(), lines, readOk_)) {
    MessageBox(GetLangText(114), GetLangText(15), MB_OK | MB_ICONERROR);
    return false;
  }
  zutaten.clear();
  zutaten.reserve(lines.size());
  for (const std::string& line : lines)
    if (line.find_first_not_of(' ') != std::string::npos) zutaten.push_back(ParseLine(line));
  return true;
}

void IngredientCatalogue::PutLongerNamesFirst() {
  // Each ingredient goes in front of the first one whose name its own name contains. Containment
  // runs one way (a name inside a name inside a third), so the ones placed before keep their
  // order and nothing placed later can overtake them.
  std::vector<REZZUTATEN> ordered;
  std::vector<std::string> upper;
  ordered.reserve(zutaten.size());
  upper.reserve(zutaten.size());
  for (REZZUTATEN& z : zutaten) {
    std::string name = UpperCaseAnsi(z.plural);
    size_t at = 0;
    // A name the same but for case is no longer one: it keeps its place, or every save would
    // swap the two.
    while (at < upper.size() && (upper[at].empty() || upper[at].size() == name.size() ||
                                 name.find(upper[at]) == std::string::npos))
      ++at;
    ordered.insert(ordered.begin() + static_cast<std::ptrdiff_t>(at), std::move(z));
    upper.insert(upper.begin() + static_cast<std::ptrdiff_t>(at), std::move(name));
  }
  zutaten = std::move(ordered);
}

bool IngredientCatalogue::WriteZutaten() {
  PutLongerNamesFirst();
  std::vector<std::string> lines;
  lines.reserve(zutaten.size());
  for (const REZZUTATEN& z : zutaten) lines.push_back(FormatLine(z));
  return WriteReferenceLines(FilePath(), lines, readOk_, 113, 15);
}

void IngredientCatalogue::CountZutaten(int& count) const {
  count = static_cast<int>(zutaten.size());
}

bool IngredientCatalogue::GetZutat(int index, REZZUTATEN& out) const {
  if (index < 0 || static_cast<size_t>(index) >= zutaten.size()) return false;
  out = zutaten[static_cast<size_t>(index)];
  return true;
}

void IngredientCatalogue::FillZutatList(std::vector<ListItem>& items, bool cut) const {
  items.clear();
  for (size_t i = 0; i < zutaten.size(); ++i) {
    const REZZUTATEN& z = zutaten[i];
    if (onlyWithoutUnits && !z.units.empty()) continue;
    const size_t bracket = z.plural.find('(');
    items.push_back(
        {cut && bracket != std::string::npos ? TrimBlanks(z.plural.substr(0, bracket)) : z.plural,
         static_cast<int>(i)});
  }
}

void IngredientCatalogue::FillZutatCombo(const std::optional<std::string>& unitCode,
                                         std::vector<std::string>& items) const {
  if (!unitCode) return;
  for (const REZZUTATEN& z : zutaten) {
    if (unitCode->empty()) {
      items.push_back(z.plural);
      continue;
    }
    for (const std::string& code : z.units)
      if (code == *unitCode) items.push_back(z.plural);
  }
}

void IngredientCatalogue::FindZutatByPrefix(const std::string& text, std::string& name) const {
  name.clear();
  if (text.empty()) return;
  const std::string prefix = UpperCaseAnsi(text);
  for (const REZZUTATEN& z : zutaten) {
    if (UpperCaseAnsi(z.plural).compare(0, prefix.size(), prefix) == 0) {
      name = z.plural;
      return;
    }
  }
}

int IngredientCatalogue::FindZutatForText(const std::string& text, REZZUTATEN& out) const {
  const std::string key = UpperCaseAnsi(TrimBlanks(text));
  for (const REZZUTATEN& z : zutaten) {
    const std::string plural = UpperCaseAnsi(z.plural);
    int match = 0;
    if (plural == key || (!z.singular.empty() && UpperCaseAnsi(z.singular) == key))
      match = 1;
    else if (!plural.empty() && key.find(plural) != std::string::npos)
      match = 2;  // an empty name would be found in every text
    if (match) {
      out = z;
      return match;
    }
  }
  return 0;
}

bool IngredientCatalogue::GetZutatBLSKey(const std::string& name, std::string& key,
                                         uint8_t& notOnList) const {
  if (name.empty()) return false;
  const std::string n = TrimBlanks(name);
  for (const REZZUTATEN& z : zutaten) {
    if (z.plural == n || z.singular == n) {
      key = z.blsKey;
      notOnList = z.notOnShoppingList;
      return true;
    }
  }
  return false;
}

void IngredientCatalogue::CollectRecipeZutatPictures(const REZBLOCK& recipe,
                                                     std::vector<std::string>& list) const {
  list.clear();
  for (const REZZUTAT& line : recipe.lines) {
    const REZZUTATEN* best = nullptr;
    size_t bestLength = 0;
    for (const REZZUTATEN& z : zutaten) {
      if (z.picture.empty()) continue;
      for (const std::string* name : {&z.plural, &z.singular}) {
        if (name->size() > bestLength && line.text.find(*name) != std::string::npos) {
          best = &z;
          bestLength = name->size();
        }
      }
    }
    if (best && std::find(list.begin(), list.end(), best->picture) == list.end())
      list.push_back(best->picture);
  }
}

}  // namespace tav
