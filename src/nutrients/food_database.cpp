#include "nutrients/food_database.h"

#include <algorithm>
#include <cstring>

#include "nutrients/bls_files.h"
#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/context.h"

namespace tav {

namespace {
const std::string kEmpty;
constexpr size_t kKeyLength = 7;
constexpr size_t kMaxQuery = 10;
}  // namespace

const std::string& LB_DATA::Value(size_t i) const {
  return i < values.size() ? values[i] : kEmpty;
}

void LB_DATA::SetKey(const std::string& text) {
  const size_t n = std::min(text.size(), sizeof key - 1);
  std::memcpy(key, text.data(), n);
  key[n] = '\0';
}

bool FoodDatabase::ReadBLSGroupTree(std::vector<BLSGROUPNODE>& tree) {
  LineReader in(FindFileNoCase(BlsLanguageFolder() + "Structure.bls"));
  if (!in.IsOpen()) return false;
  tree.clear();
  std::string line;
  while (in.Next(line)) {
    if (line.size() < 2) continue;
    BLSGROUPNODE node;
    node.text = line.substr(2);
    node.data = static_cast<unsigned char>(line[0]) | static_cast<unsigned char>(line[1]) << 8;
    if (line[1] == ' ') {
      tree.push_back(std::move(node));
    } else if (!tree.empty()) {
      tree.back().children.push_back(std::move(node));
    }
  }
  return true;
}

void FoodDatabase::LoadBLSGroupTree(bool forChooser) {
  std::vector<BLSGROUPNODE> tree;
  if (!ReadBLSGroupTree(tree)) ShowError(389);
  FillGroupTree(forChooser, tree);
}

bool FoodDatabase::LoadBLSIndex() {
  LineReader in(FindFileNoCase(BlsLanguageFolder() + "Index.bls"));
  if (!in.IsOpen()) return false;
  std::string line;
  while (in.Next(line)) {
    const size_t hash = line.find('#');
    if (hash == std::string::npos || hash < 2) continue;
    KEYOFFSET k;
    std::memcpy(k.key, line.data(), 2);
    k.namesOffset = ReadLong(line.substr(2, hash - 2));
    k.dataOffset =
        hash + 1 < line.size() && line[hash + 1] == 'X' ? -2 : ReadLong(line.substr(hash + 1));
    index.push_back(k);
  }
  return true;
}

const KEYOFFSET* FoodDatabase::FindIndexEntry(const std::string& query) const {
  if (query.empty()) return nullptr;
  for (const KEYOFFSET& k : index) {
    if (k.key[0] != query[0]) continue;
    if (query.size() == 1 || k.key[1] == query[1]) return &k;
  }
  return nullptr;
}

void FoodDatabase::ListNames(BlsLineFile& names, const std::string& query,
                             std::vector<LB_DATA>* list) {
  // Lines are taken by their key: a name that happens to contain the query never lets a food
  // of the next group in. Both files are ordered by key, so the reading stops where the
  // matching keys end (for a long query: where its group ends without a hit).
  const bool longQuery = query.size() > 2;
  bool taking = false;
  std::string line;
  while (names.Next(line)) {
    if (line.compare(0, query.size(), query) == 0) {
      taking = true;
      LB_DATA food;
      food.SetKey(line.substr(0, std::min(line.size(), kKeyLength)));
      food.name = line.size() > kKeyLength ? line.substr(kKeyLength) : std::string();
      list->push_back(std::move(food));
      continue;
    }
    if (taking || !longQuery) break;
    if (line.compare(0, 2, query, 0, 2) != 0) break;  // the group ended without a hit
  }
}

void FoodDatabase::LoadBLSFoodNames(const char* query, std::vector<LB_DATA>* list) {
  std::string q = query ? query : "";
  if (q.size() > kMaxQuery) q.resize(kMaxQuery);
  const KEYOFFSET* entry = FindIndexEntry(q);
  if (!entry) {
    CutFoodGrid(true);
    return;
  }
  BlsLineFile names(BlsLanguageFolder() + "Names.bls");
  if (!names.IsOpen()) {
    ShowError(390);
    CutFoodGrid(false);
    return;
  }
  if (!names.Seek(entry->namesOffset)) return;
  ListNames(names, q, list);
}

void FoodDatabase::SplitBLSRecord(const std::string& line, LB_DATA* out) {
  out->values.clear();
  out->values.reserve(static_cast<size_t>(std::count(line.begin(), line.end(), ';')) + 1);
  size_t start = 0;
  for (;;) {
    const size_t semi = line.find(';', start);
    if (semi == std::string::npos) {
      out->values.emplace_back(line, start);
      break;
    }
    out->values.emplace_back(line, start, semi - start);
    start = semi + 1;
  }
  out->SetKey(out->values[0]);
}

void FoodDatabase::JoinBLSValues(const LB_DATA* food, std::string* out) {
  if (food->values.empty()) return;
  std::string joined = food->values[0];
  for (size_t i = 1; i < food->values.size(); ++i) {
    joined += ';';
    joined += food->values[i];
  }
  *out = std::move(joined);
}

bool FoodDatabase::ReadBLSFood(const std::string& key, LB_DATA* out, bool reportMissing) {
  if (key.size() < 2) return false;
  const KEYOFFSET* entry = nullptr;
  for (const KEYOFFSET& k : index) {
    if (k.key[0] == key[0] && k.key[1] == key[1]) {
      entry = &k;
      break;
    }
  }
  if (!entry || entry->dataOffset < 0) return false;
  BlsLineFile data(BlsDataFolder() + "Data.bls");
  if (!data.IsOpen()) {
    ShowError(391);
    CutFoodGrid(false);
    return false;
  }
  bool found = false;
  std::string line;
  if (data.Seek(entry->dataOffset)) {
    while (data.Next(line)) {
      // The key is field 0; the line is split only when it is the food asked for.
      const size_t semi = std::min(line.find(';'), line.size());
      if (line.compare(0, semi, key) == 0) {
        SplitBLSRecord(line, out);
        found = true;
        break;
      }
      if (line.compare(0, 2, key, 0, 2) != 0) break;  // the next group begins
    }
  }
  if (found) {
    const int count = ctx().nutrients ? ctx().nutrients->GetStoffCount() : 0;
    if (out->values.size() < static_cast<size_t>(count)) out->values.resize(count);
    return true;
  }
  // Never hand out a record of another food as if it were this one.
  out->values.clear();
  out->SetKey(std::string());
  if (reportMissing) ShowError(392);
  return false;
}

bool FoodDatabase::ReadBLSEnergy(const std::string& key, bool kJ, std::string* out) {
  LB_DATA food;
  if (!ReadBLSFood(key, &food, false)) return false;
  *out = food.Value(kJ ? 5 : 4);
  return true;
}

bool FoodDatabase::FindBLSNameByKey(const std::string& key, std::string* name) {
  foodList.clear();
  LoadBLSFoodNames(key.c_str(), &foodList);
  if (foodList.empty()) return false;
  *name = foodList.front().name;
  return true;
}

}  // namespace tav
