#include "recipedb/ingredient_catalogue.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>

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
  if (!ReadReferenceLines(FilePath(), lines, file_)) {
    if (!file_.tooLarge) MessageBox(GetLangText(114), GetLangText(15), MB_OK | MB_ICONERROR);
    return false;
  }
  zutaten.clear();
  zutaten.reserve(lines.size());
  size_t fielded = 0;  // lines with the '#' of their fields
  for (const std::string& line : lines) {
    if (line.find_first_not_of(' ') == std::string::npos) continue;
    fielded += line.find('#') != std::string::npos;
    zutaten.push_back(ParseLine(line));
  }
  ReferenceLinesTaken(FilePath(), lines, fielded, file_);
  return true;
}

namespace {

// Names placed so far, in a list whose order labels compare like list positions, found by the
// hash of their text. Each new name asks only for its own substrings (one rolling hash per
// length that placed names have), not for every placed name: the save stays near linear.
class PlacedNames {
 public:
  static constexpr uint64_t kBase = 1000003;

  // The node the new name goes before: the first placed name (in list order) that is a part of
  // `name` other than itself, of another length and not empty; -1 for none (it goes last).
  int FirstContainedIn(const std::string& name) const {
    int best = -1;
    const size_t size = name.size();
    for (const size_t len : lengths_) {
      if (len >= size) break;
      uint64_t hash = 0, power = 1;
      for (size_t k = 0; k < len; ++k) {
        hash = hash * kBase + static_cast<unsigned char>(name[k]);
        power *= kBase;
      }
      for (size_t at = 0;; ++at) {
        const auto it = byHash_.find(hash);
        if (it != byHash_.end())
          for (const int node : it->second) {
            const Node& n = nodes_[static_cast<size_t>(node)];
            if (n.name.size() == len && name.compare(at, len, n.name) == 0 &&
                (best < 0 || n.label < nodes_[static_cast<size_t>(best)].label))
              best = node;
          }
        if (at + len >= size) break;
        hash = hash * kBase + static_cast<unsigned char>(name[at + len]) -
               power * static_cast<unsigned char>(name[at]);
      }
    }
    return best;
  }

  // Places a name before `before` (-1: at the end); its node number is the order of the calls.
  void Place(std::string name, int before) {
    const int node = static_cast<int>(nodes_.size());
    const int prev = before < 0 ? tail_ : nodes_[static_cast<size_t>(before)].prev;
    nodes_.push_back({std::move(name), prev, before, 0});
    (prev < 0 ? head_ : nodes_[static_cast<size_t>(prev)].next) = node;
    (before < 0 ? tail_ : nodes_[static_cast<size_t>(before)].prev) = node;
    const uint64_t low = prev < 0 ? 0 : nodes_[static_cast<size_t>(prev)].label;
    constexpr uint64_t kGap = uint64_t{1} << 33;
    const uint64_t high = before >= 0   ? nodes_[static_cast<size_t>(before)].label
                          : low < ~kGap ? low + kGap
                                        : low;
    if (high - low < 2)
      Relabel();
    else
      nodes_[static_cast<size_t>(node)].label = low + (high - low) / 2;
    const std::string& placed = nodes_[static_cast<size_t>(node)].name;
    if (placed.empty()) return;
    uint64_t hash = 0;
    for (const char c : placed) hash = hash * kBase + static_cast<unsigned char>(c);
    // Of equal names only the first in the list can ever be the one asked for.
    std::vector<int>& same = byHash_[hash];
    const auto equal = std::find_if(same.begin(), same.end(), [&](int other) {
      return nodes_[static_cast<size_t>(other)].name == placed;
    });
    if (equal == same.end())
      same.push_back(node);
    else if (nodes_[static_cast<size_t>(node)].label < nodes_[static_cast<size_t>(*equal)].label)
      *equal = node;
    const auto len = std::lower_bound(lengths_.begin(), lengths_.end(), placed.size());
    if (len == lengths_.end() || *len != placed.size()) lengths_.insert(len, placed.size());
  }

  // The node numbers in list order.
  std::vector<int> Order() const {
    std::vector<int> order;
    order.reserve(nodes_.size());
    for (int n = head_; n >= 0; n = nodes_[static_cast<size_t>(n)].next) order.push_back(n);
    return order;
  }

 private:
  struct Node {
    std::string name;
    int prev, next;
    uint64_t label;
  };
  // Labels spread evenly again; rare, as a new name mostly goes last.
  void Relabel() {
    uint64_t label = 0;
    const uint64_t step = ~uint64_t{0} / (nodes_.size() + 2);
    for (int n = head_; n >= 0; n = nodes_[static_cast<size_t>(n)].next)
      nodes_[static_cast<size_t>(n)].label = label += step;
  }

  std::vector<Node> nodes_;
  int head_ = -1, tail_ = -1;
  std::unordered_map<uint64_t, std::vector<int>> byHash_;
  std::vector<size_t> lengths_;  // ascending, the lengths of the non-empty names placed
};

}  // namespace

void IngredientCatalogue::PutLongerNamesFirst() {
  // Each ingredient goes in front of the first one whose name its own name contains. Containment
  // runs one way (a name inside a name inside a third), so the ones placed before keep their
  // order and nothing placed later can overtake them. A name the same but for case is no longer
  // one: it keeps its place, or every save would swap the two.
  PlacedNames placed;
  for (const REZZUTATEN& z : zutaten) {
    std::string name = UpperCaseAnsi(z.plural);
    const int before = placed.FirstContainedIn(name);
    placed.Place(std::move(name), before);
  }
  std::vector<REZZUTATEN> ordered;
  ordered.reserve(zutaten.size());
  for (const int node : placed.Order())
    ordered.push_back(std::move(zutaten[static_cast<size_t>(node)]));
  zutaten = std::move(ordered);
}

bool IngredientCatalogue::WriteZutaten() {
  PutLongerNamesFirst();
  std::vector<std::string> lines;
  lines.reserve(zutaten.size());
  for (const REZZUTATEN& z : zutaten) lines.push_back(FormatLine(z));
  return WriteReferenceLines(FilePath(), lines, file_, 113, 15);
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
