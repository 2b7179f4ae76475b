#include "nutrients/filter_group_edit.h"

#include <algorithm>

#include "nutrients/bls_files.h"
#include "platform/paths.h"
#include "services/charsets.h"

namespace tav {

long NextFilterGroupId(const std::vector<FILTGRP>& groups) {
  long largest = 0;
  for (const FILTGRP& g : groups) largest = std::max(largest, g.id);
  return largest + 1;
}

int FilterGroupIndex(const std::vector<FILTGRP>& groups, const std::string& name) {
  for (size_t i = 0; i < groups.size(); ++i)
    if (CompareTextNoCase(groups[i].name, name) == 0) return static_cast<int>(i);
  return -1;
}

bool FilterGroupNameTaken(const std::vector<FILTGRP>& groups, const std::string& name) {
  return FilterGroupIndex(groups, name) >= 0;
}

std::vector<const ISTOFF*> CheckListRows(const std::vector<ISTOFF>& table) {
  std::vector<const ISTOFF*> rows;
  for (int p = 0; p < static_cast<int>(table.size()); ++p) {
    const auto it =
        std::find_if(table.begin(), table.end(), [p](const ISTOFF& s) { return s.position == p; });
    if (it != table.end()) rows.push_back(&*it);
  }
  return rows;
}

void StoreStoffChecks(std::vector<ISTOFF>& table, const std::vector<bool>& checks) {
  if (checks.empty()) return;
  for (ISTOFF& s : table)
    if (s.position >= 0 && s.position < static_cast<int>(checks.size()))
      s.visible = checks[static_cast<size_t>(s.position)];
}

bool SwapStoffPositions(std::vector<ISTOFF>& table, int r) {
  if (r < 1 || r >= static_cast<int>(table.size())) return false;
  ISTOFF* upper = nullptr;
  ISTOFF* lower = nullptr;
  for (ISTOFF& s : table) {
    if (s.position == r - 1 && !upper)
      upper = &s;
    else if (s.position == r && !lower)
      lower = &s;
  }
  if (!upper || !lower) return false;
  upper->position = r;
  lower->position = r - 1;
  return true;
}

int AppendFilterGroup(std::vector<FILTGRP>& groups, const std::string& name) {
  FILTGRP g;
  g.name = name;
  g.id = NextFilterGroupId(groups);
  groups.push_back(std::move(g));
  return static_cast<int>(groups.size()) - 1;
}

bool RemoveFilterGroup(std::vector<FILTGRP>& groups, const std::string& name) {
  const int i = FilterGroupIndex(groups, name);
  if (i < 0) return false;
  const long id = groups[static_cast<size_t>(i)].id;
  groups.erase(groups.begin() + i);
  const std::string file = FindFileNoCase(BlsDataFolder() + "Filt_" + std::to_string(id) + ".bls");
  if (FileExists(file)) RemoveFile(file);
  return true;
}

void SetDayValuesGroup(std::vector<FILTGRP>& groups, const std::string& name) {
  for (FILTGRP& g : groups) g.forDayValues = g.name == name;
}

}  // namespace tav
