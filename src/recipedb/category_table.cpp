#include "recipedb/category_table.h"

#include <algorithm>
#include <cstdio>

#include "platform/numbers.h"
#include "recipedb/recipe_model.h"
#include "services/charsets.h"
#include "services/context.h"

namespace tav {
namespace {

std::string FourDigits(long value) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04ld", value);
  return buf;
}

}  // namespace

std::string CategoryTable::FilePath() const {
  return LanguageFolderFile("Gattung.dat");
}

std::vector<REZGATT> CategoryTable::ParseLines(const std::vector<std::string>& lines) {
  std::vector<REZGATT> table;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    // A blank line where a category begins is no category (a hand-edited file's spacing).
    if (line.find_first_not_of(' ') == std::string::npos) continue;
    REZGATT g;
    if (line[0] == '>') {
      g.kind = REZGATT::kMain;
      g.id = static_cast<int32_t>(ReadLong(line.substr(1, 4)));
      if (line.size() > 6) {
        const size_t hash = line.find('#', 6);
        g.name = line.substr(6, hash == std::string::npos ? std::string::npos : hash - 6);
        if (hash != std::string::npos) g.symbol = line.substr(hash + 1);
      }
    } else {
      g.id = static_cast<int32_t>(ReadLong(line.substr(0, 4)));
      if (line.size() > 5) g.name = line.substr(5);
      const std::string ids = i + 1 < lines.size() ? lines[++i] : std::string();
      for (size_t p = 0; p < ids.size(); p += 5)
        g.mainIds.push_back(static_cast<uint16_t>(ReadLong(ids.substr(p))));
      g.kind = g.mainIds.empty() ? REZGATT::kFree : REZGATT::kSub;
    }
    table.push_back(std::move(g));
  }
  return table;
}

std::vector<std::string> CategoryTable::FormatLines(const std::vector<REZGATT>& table) {
  std::vector<std::string> lines;
  lines.reserve(table.size() * 2);
  for (const REZGATT& g : table) {
    if (g.IsMain()) {
      lines.push_back(">" + FourDigits(g.id) + " " + g.name + "#" + g.symbol);
      continue;
    }
    lines.push_back(FourDigits(g.id) + " " + g.name);
    std::string ids;
    for (uint16_t id : g.mainIds) {
      if (!ids.empty()) ids += ' ';
      ids += FourDigits(id);
    }
    lines.push_back(ids);
  }
  return lines;
}

void CategoryTable::ReadGattungen() {
  gatt.clear();
  file_.holds = false;  // the table no longer holds what is on disk
  std::vector<std::string> lines;
  if (!ReadReferenceLines(FilePath(), lines, file_)) return;
  gatt = ParseLines(lines);
  ReferenceLinesTaken(FilePath(), lines, gatt.size(), file_);
}

bool CategoryTable::WriteGattungen() {
  return WriteReferenceLines(FilePath(), FormatLines(gatt), file_, 77, 2);
}

const REZGATT* CategoryTable::FindMain(uint16_t id) const {
  for (const REZGATT& g : gatt)
    if (g.IsMain() && g.id == id) return &g;
  return nullptr;
}

bool CategoryTable::GetGattName(uint16_t id, std::string& name) const {
  const REZGATT* g = FindMain(id);
  if (g) name = g->name;
  return g != nullptr;
}

bool CategoryTable::GetGattSymbol(uint16_t id, std::string& symbol) const {
  const REZGATT* g = FindMain(id);
  if (g) symbol = g->symbol;
  return g != nullptr;
}

bool CategoryTable::GetGattIdByName(const std::string& name, int16_t& id) const {
  for (const REZGATT& g : gatt) {
    if (g.IsMain() && SameTextNoCase(g.name, name)) {
      id = static_cast<int16_t>(g.id);
      return true;
    }
  }
  return false;
}

bool CategoryTable::GetGattIds(const std::string& name, uint16_t codes[10]) const {
  std::fill(codes, codes + 10, 0);
  for (const REZGATT& g : gatt) {
    if (g.kind == REZGATT::kFree || !SameTextNoCase(g.name, name)) continue;
    if (g.kind == REZGATT::kSub) {
      for (size_t i = 0; i < g.mainIds.size() && i < 10; ++i) codes[i] = g.mainIds[i];
    } else {
      codes[0] = static_cast<uint16_t>(g.id);
    }
    return true;
  }
  return false;
}

CategoryCodes::CategoryCodes(const CategoryTable& table) {
  for (const REZGATT& g : table.gatt) {
    if (g.kind == REZGATT::kFree) continue;
    std::array<uint16_t, 10> codes{};
    if (g.kind == REZGATT::kSub) {
      for (size_t i = 0; i < g.mainIds.size() && i < 10; ++i) codes[i] = g.mainIds[i];
    } else {
      codes[0] = static_cast<uint16_t>(g.id);
    }
    byName_.try_emplace(UpperCaseAnsi(g.name), codes);
  }
}

bool CategoryCodes::Find(const std::string& name, uint16_t codes[10]) const {
  const auto it = byName_.find(UpperCaseAnsi(name));
  if (it == byName_.end()) {
    std::fill(codes, codes + 10, 0);
    return false;
  }
  std::copy(it->second.begin(), it->second.end(), codes);
  return true;
}

void CategoryTable::FillMainGattCombo(std::vector<std::string>& items) const {
  for (const REZGATT& g : gatt)
    if (g.IsMain()) items.push_back(g.name);
}

void CategoryTable::FillMainGattList(std::vector<ListItem>& items) const {
  items.clear();
  for (const REZGATT& g : gatt)
    if (g.IsMain()) items.push_back({g.name, g.id});
}

void CategoryTable::ListMainGatts(int& count, std::string& text) const {
  count = 0;
  text.clear();
  for (const REZGATT& g : gatt) {
    if (!g.IsMain()) continue;
    ++count;
    text += std::to_string(g.id) + "\xA7" + g.name + "\xA7";
  }
}

void CategoryTable::CountGattKinds(int& main, int& sub, int& free) const {
  main = sub = free = 0;
  for (const REZGATT& g : gatt) {
    if (g.kind == REZGATT::kSub)
      ++sub;
    else if (g.kind == REZGATT::kFree)
      ++free;
    else
      ++main;
  }
}

void CategoryTable::AddRecipeGattSymbols(const REZBLOCK& recipe,
                                         std::vector<std::string>& list) const {
  for (uint16_t code : recipe.categories) {
    std::string symbol;
    if (code != 0 && GetGattSymbol(code, symbol) && !symbol.empty()) list.push_back(symbol);
  }
}

int CategoryTable::FindFreeGattId() const {
  for (int id = 1; id <= 9999; ++id) {
    const bool used =
        std::any_of(gatt.begin(), gatt.end(), [id](const REZGATT& g) { return g.id == id; }) ||
        std::find(removedIds.begin(), removedIds.end(), id) != removedIds.end();
    if (!used) return id;
  }
  return 0;
}

int CategoryTable::RemoveMainGattId(int id) {
  int freed = 0;
  for (REZGATT& g : gatt) {
    if (g.mainIds.empty()) continue;
    for (size_t i = 0; i < g.mainIds.size();) {
      if (g.mainIds[i] == id) {
        g.mainIds[i] = g.mainIds.back();
        g.mainIds.pop_back();
      } else {
        ++i;
      }
    }
    if (g.mainIds.empty()) {
      g.kind = REZGATT::kFree;
      ++freed;
    }
  }
  return freed;
}

}  // namespace tav
