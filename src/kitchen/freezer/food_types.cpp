#include "kitchen/freezer/food_types.h"

#include <algorithm>

namespace tav {

void RenumberFoodTypes(std::vector<CO_TYPE>& types) {
  for (size_t i = 0; i < types.size(); ++i) types[i].position = static_cast<int32_t>(i);
}

std::vector<int> FoodTypeParents(const std::vector<CO_TYPE>& types) {
  std::vector<int> parents(types.size(), -1);
  std::vector<int> lastAt;  // the last entry seen at each level
  for (size_t i = 0; i < types.size(); ++i) {
    const int level = types[i].level;
    if (level <= 0) {
      lastAt.assign(1, static_cast<int>(i));
      continue;
    }
    const int depth = std::min<int>(level, static_cast<int>(lastAt.size()));
    parents[i] = depth > 0 ? lastAt[depth - 1] : -1;
    lastAt.resize(depth);
    lastAt.push_back(static_cast<int>(i));
  }
  return parents;
}

std::string FoodTypeNodeText(const CO_TYPE& t) {
  if (t.group || t.level <= 0 || t.text.empty()) return t.name;
  std::string text = t.name;
  text.append(", ").append(t.text);
  return text;
}

namespace {

int InsertAt(std::vector<CO_TYPE>& types, int index, CO_TYPE entry) {
  index = std::max(0, std::min<int>(index, static_cast<int>(types.size())));
  types.insert(types.begin() + index, std::move(entry));
  RenumberFoodTypes(types);
  return index;
}

CO_TYPE Group(const std::string& name, int level) {
  CO_TYPE t;
  t.name = name;
  t.group = true;
  t.level = level;
  t.text.assign(1, '0');  // not = "0": GCC 12 warns falsely (-Wrestrict)
  return t;
}

bool Valid(const std::vector<CO_TYPE>& types, int pos) {
  return pos >= 0 && pos < static_cast<int>(types.size());
}

}  // namespace

int InsertChildGroup(std::vector<CO_TYPE>& types, int pos, const std::string& name) {
  if (!Valid(types, pos)) return -1;
  return InsertAt(types, pos + 1, Group(name, types[pos].level + 1));
}

int InsertSiblingGroup(std::vector<CO_TYPE>& types, int pos, const std::string& name) {
  if (!Valid(types, pos)) return -1;
  const int level = types[pos].level;
  int anchor = pos;
  for (int k = pos; k < static_cast<int>(types.size()); ++k) {
    if (types[k].group && types[k].level < level) break;
    anchor = k;
  }
  return InsertAt(types, anchor + 1, Group(name, level));
}

int InsertFoodUnder(std::vector<CO_TYPE>& types, int pos, const std::string& name,
                    const std::string& amount) {
  if (!Valid(types, pos)) return -1;
  CO_TYPE t;
  t.name = name;
  t.level = types[pos].level + 1;
  t.text = amount;
  return InsertAt(types, pos + 1, std::move(t));
}

int FoodTypeParentOrFirst(const std::vector<CO_TYPE>& types, int pos) {
  if (!Valid(types, pos)) return 0;
  for (int k = pos - 1; k >= 0; --k)
    if (types[k].level < types[pos].level) return k;
  return 0;
}

int DeleteFoodTypeSubtree(std::vector<CO_TYPE>& types, int pos) {
  if (!Valid(types, pos)) return types.empty() ? -1 : 0;
  const int level = types[pos].level;
  const int keep = FoodTypeParentOrFirst(types, pos);
  types.erase(types.begin() + pos);
  while (pos < static_cast<int>(types.size()) && types[pos].level > level)
    types.erase(types.begin() + pos);
  RenumberFoodTypes(types);
  if (types.empty()) return -1;
  return std::min<int>(keep, static_cast<int>(types.size()) - 1);
}

}  // namespace tav
