#include "kitchen/shopping/dealers.h"

#include <algorithm>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "recipedb/reference_tables.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

std::string DealerTable::FilePath() {
  return (ctx().options ? ctx().options->Str(2) : std::string()) + "Haendler.dat";
}

bool DealerTable::ReadHaendler() {
  // Until the user keeps dealers of his own, the language's shipped list stands in.
  const std::string own = NativePath(FilePath());
  const std::string path = EntryExists(own) ? own : LanguageFolderFile("Haendler.dat");
  // The shipped list is 9 KB; a file of megabytes is no dealer list.
  if (path == own && file_.TooLarge(own)) return false;
  LineReader reader(path);
  if (!reader.IsOpen()) {
    file_.Read(own, false, false);
    return false;
  }
  dealers.clear();
  HAENDLER pending;
  int counter = 0;
  const auto takePending = [&] {
    if (pending.name.empty()) return;
    pending.sequence = counter++;
    dealers.push_back(std::move(pending));
    pending = HAENDLER();
  };
  std::string line;
  while (reader.Next(line)) {
    if (!line.empty() && line.front() == '|') {
      // A "|" line without a name hands its ingredients on to the next dealer.
      std::vector<std::string> kept;
      if (pending.name.empty()) kept = std::move(pending.ingredients);
      takePending();
      pending.ingredients = std::move(kept);
      pending.name = line.substr(1);
    } else {
      pending.ingredients.push_back(line);
    }
  }
  takePending();
  if (path == own) file_.Read(own, reader, false);
  return !reader.Failed();
}

bool DealerTable::SaveHaendler() {
  std::string bytes;
  for (const HAENDLER& d : dealers) {
    bytes += "|" + d.name + "\r\n";
    for (const std::string& z : d.ingredients) bytes += z + "\r\n";
  }
  if (!file_.MayWrite()) return false;  // said by the guard
  if (WriteFileAtomic(NativePath(FilePath()), bytes)) return true;
  ShowError(528);
  return false;
}

std::vector<std::string> DealerTable::DealerNames() const {
  std::vector<std::string> names;
  for (const HAENDLER& d : dealers) names.push_back(d.name);
  return names;
}

void DealerTable::GetHaendlerOfZutat(const std::string& ingredient, std::string& dealer,
                                     int& position) const {
  for (size_t i = 0; i < dealers.size(); ++i) {
    const auto& z = dealers[i].ingredients;
    if (std::find(z.begin(), z.end(), ingredient) != z.end()) {
      dealer = dealers[i].name;
      position = static_cast<int>(i) + 1;
      return;
    }
  }
  dealer.clear();
  position = 0;
}

std::string DealerTable::GetNextHaendler(const std::string& dealer, int& position) const {
  position = 0;
  if (dealers.empty()) return std::string();
  if (dealer.empty()) {
    position = 1;
    return dealers.front().name;
  }
  for (size_t i = 0; i < dealers.size(); ++i) {
    if (dealers[i].name != dealer) continue;
    if (i + 1 == dealers.size()) return std::string();
    position = static_cast<int>(i) + 2;
    return dealers[i + 1].name;
  }
  return std::string();
}

void DealerTable::SetHaendlerOfZutat(const std::string& dealer, const std::string& ingredient) {
  int target = -1;
  bool removed = false;
  for (size_t i = 0; i < dealers.size(); ++i) {
    if (dealers[i].name == dealer) target = static_cast<int>(i);
    if (removed) continue;
    auto& z = dealers[i].ingredients;
    const auto it = std::find(z.begin(), z.end(), ingredient);
    if (it == z.end()) continue;
    if (static_cast<int>(i) == target) return;  // listed there already
    z.erase(it);
    removed = true;
  }
  if (target >= 0 && !ingredient.empty()) dealers[target].ingredients.push_back(ingredient);
}

void DealerTable::AddHaendler(const std::string& name) {
  if (name.empty()) return;
  for (const HAENDLER& d : dealers)
    if (d.name == name) return;
  HAENDLER d;
  d.name = name;
  dealers.push_back(std::move(d));
}

bool DealerTable::FindHaendlerOfZutat(const std::string& ingredient, std::string& dealer,
                                      int& sequence) const {
  for (size_t i = dealers.size(); i-- > 0;) {
    const auto& z = dealers[i].ingredients;
    if (std::find(z.begin(), z.end(), ingredient) != z.end()) {
      dealer = dealers[i].name;
      sequence = dealers[i].sequence;
      return true;
    }
  }
  return false;
}

std::unordered_map<std::string, int> DealerTable::FirstDealerIndex() const {
  std::unordered_map<std::string, int> first;
  for (size_t i = 0; i < dealers.size(); ++i)
    for (const std::string& z : dealers[i].ingredients) first.emplace(z, static_cast<int>(i));
  return first;
}

}  // namespace tav
