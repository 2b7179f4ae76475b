#include "nutrients/nutrient_table.h"

#include <algorithm>
#include <cstring>

#include "nutrients/bls_files.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"

namespace tav {

namespace {

void CopyCut(char* dest, size_t size, const std::string& text) {
  const size_t n = std::min(text.size(), size - 1);
  std::memcpy(dest, text.data(), n);
  dest[n] = '\0';
}

std::string FilterFilePath(long id) {
  return BlsDataFolder() + "Filt_" + std::to_string(id) + ".bls";
}

}  // namespace

bool ParseFieldsLine(const std::string& line, ISTOFF& out) {
  const size_t semi = line.find(';');
  if (semi == std::string::npos) return false;
  size_t p = semi + 1;
  const auto at = [&](size_t i) { return i < line.size() ? line[i] : '\0'; };
  ISTOFF s;
  CopyCut(s.code, sizeof s.code, line.substr(0, semi));
  s.isText = at(p) == 'C';
  s.kind = at(p + 1);
  p += 3;  // text flag, kind, separator
  while (p < line.size() && line[p] == '"') ++p;
  if (p >= line.size()) return false;
  const size_t close = line.find('"', p);
  if (close == std::string::npos) return false;
  s.name = line.substr(p, close - p);
  p = close + 1;
  while (p < line.size() && (line[p] == '"' || line[p] == ';')) ++p;
  size_t end = line.find('"', p);
  if (end == std::string::npos) end = line.size();
  std::string unit = p < line.size() ? line.substr(p, end - p) : std::string();
  // The food files spell micrograms "myg"; on screen and in reports they are "\xB5g".
  if (unit.rfind("myg", 0) == 0) unit.replace(0, 3, "\xB5g");
  CopyCut(s.unit, sizeof s.unit, unit);
  out = std::move(s);
  return true;
}

bool NutrientTable::ReadFieldsFile(const std::string& path) {
  LineReader in(FindFileNoCase(path));
  if (!in.IsOpen()) return false;
  stoffe_.clear();
  std::string line;
  while (in.Next(line)) {
    ISTOFF s;
    if (!ParseFieldsLine(line, s)) continue;
    s.position = static_cast<int>(stoffe_.size());
    s.visible = false;
    stoffe_.push_back(std::move(s));
  }
  return true;
}

bool NutrientTable::ReadFilterGroupsFile(const std::string& path) {
  const std::string found = FindFileNoCase(path);
  groupsTooLarge_ = groupsFile_.TooLarge(found);
  if (groupsTooLarge_) return false;
  LineReader in(found);
  if (!in.IsOpen()) {
    groupsFile_.Read(found, false, false);
    return false;
  }
  groups_.clear();
  bool damaged = false;
  std::string line;
  while (in.Next(line)) {
    if (line.empty()) continue;
    FILTGRP g;
    const size_t first = line.find('#');
    damaged = damaged || first == std::string::npos;
    if (first != std::string::npos) {
      g.name = line.substr(0, first);
      const size_t second = line.find('#', first + 1);
      const std::string idText = line.substr(
          first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
      g.id = ReadLong(idText);
      if (second != std::string::npos) g.forDayValues = ReadLong(line.substr(second + 1)) > 0;
    }
    groups_.push_back(std::move(g));
  }
  groupsFile_.Read(found, in, damaged);
  return !in.Failed();
}

bool NutrientTable::LoadNutrientTable() {
  groups_.clear();
  // (A file too large to be read was said by message 1079.)
  if (!ReadFilterGroupsFile(BlsDataFolder() + "FiltGrps.bls") && !groupsTooLarge_) ShowError(381);
  const bool anyDayGroup =
      std::any_of(groups_.begin(), groups_.end(), [](const FILTGRP& g) { return g.forDayValues; });
  if (!anyDayGroup && !groups_.empty()) groups_.front().forDayValues = true;
  FillFilterGroupList();
  if (!ReadFieldsFile(BlsLanguageFolder() + "Fields.bls")) {
    stoffe_.clear();
    ShowError(382);
    return false;
  }
  FillFilterGroupCombos();
  BuildDayStoffTable();
  return true;
}

void NutrientTable::PrepareFilter(bool all) {
  if (all) {
    for (size_t i = 0; i < stoffe_.size(); ++i) {
      stoffe_[i].visible = true;
      stoffe_[i].position = static_cast<int>(i);
    }
    return;
  }
  const std::string chosen = ChosenFilterText();
  const FILTGRP* group = nullptr;
  for (const FILTGRP& g : groups_)
    if (g.name == chosen) group = &g;  // the last of several with that name
  if (group) LoadFilterFields(group->id);
}

bool NutrientTable::FindAtPos(std::vector<ISTOFF>& table, int pos, ISTOFF* out) {
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].position != pos) continue;
    table[i].index = static_cast<int>(i);
    if (out) *out = table[i];
    return table[i].visible;
  }
  return false;
}

bool NutrientTable::GetStoffAtPos(int pos, ISTOFF* out) {
  return FindAtPos(stoffe_, pos, out);
}

bool NutrientTable::GetDayStoffAtPos(int pos, ISTOFF* out) {
  return FindAtPos(dayStoffe_, pos, out);
}

bool NutrientTable::FindStoffByCode(const std::string& code, ISTOFF* out) const {
  for (const ISTOFF& s : stoffe_) {
    if (code == s.code) {
      if (out) *out = s;
      return true;
    }
  }
  return false;
}

void NutrientTable::GetStoffPtr(int index, ISTOFF** out) {
  *out = index >= 0 && index < GetStoffCount() ? &stoffe_[index] : nullptr;
}

const ISTOFF* NutrientTable::StoffAt(int index) const {
  return index >= 0 && index < GetStoffCount() ? &stoffe_[index] : nullptr;
}

int NutrientTable::StoffIndexOfCode(const char* code) const {
  if (!code) return -1;
  for (size_t i = 0; i < stoffe_.size(); ++i)
    if (std::strcmp(stoffe_[i].code, code) == 0) return static_cast<int>(i);
  return -1;
}

bool NutrientTable::IsTextStoff(int index) const {
  const ISTOFF* s = StoffAt(index);
  return s && s->isText;
}

std::string NutrientTable::ChosenFilterText() const {
  if (chosenFilter_ < 0 || chosenFilter_ >= static_cast<int>(filterEntries_.size())) return "";
  return filterEntries_[chosenFilter_];
}

int NutrientTable::AddFilterListListener(std::function<void()> listener) {
  listeners_.emplace_back(++nextListener_, std::move(listener));
  return nextListener_;
}

void NutrientTable::RemoveFilterListListener(int id) {
  std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

void NutrientTable::FillFilterGroupCombos() {
  const std::string chosen = ChosenFilterText();
  const bool hadChoice = chosenFilter_ >= 0;
  std::vector<std::string> names;
  for (const FILTGRP& g : groups_) names.push_back(g.name);
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareTextNoCase(a, b) < 0;
  });
  filterEntries_.clear();
  filterEntries_.push_back(GetLangText(380));
  filterEntries_.insert(filterEntries_.end(), names.begin(), names.end());
  // The choice follows its entry to its new place in the refilled list.
  chosenFilter_ = -1;
  if (hadChoice) {
    const auto it = std::find(filterEntries_.begin(), filterEntries_.end(), chosen);
    if (it != filterEntries_.end()) chosenFilter_ = static_cast<int>(it - filterEntries_.begin());
  }
  FillFilterGroupList();
  for (const auto& listener : listeners_) listener.second();
}

void NutrientTable::BuildDayStoffTable() {
  if (groups_.empty() || filterEntries_.empty()) return;
  std::string dayName;
  for (const FILTGRP& g : groups_)
    if (g.forDayValues) dayName = g.name;
  const int remembered = chosenFilter_;
  // The day-values group is chosen for the moment; without one the browser's choice stays.
  for (size_t i = 0; i < filterEntries_.size(); ++i) {
    if (filterEntries_[i] == dayName) {
      chosenFilter_ = static_cast<int>(i);
      break;
    }
  }
  PrepareFilter(false);
  dayStoffe_ = stoffe_;
  chosenFilter_ = remembered;
  PrepareFilter(false);
}

bool NutrientTable::LoadFilterFields(long id) {
  if (id < 0) return false;
  const std::string path = FindFileNoCase(FilterFilePath(id));
  StoreFileGuard& file = filterFiles_[id];
  if (file.TooLarge(path)) {
    ResetFilterFields();
    return false;
  }
  LineReader in(path);
  if (!in.IsOpen()) {
    file.Read(path, false, false);
    ShowError(386);
    ResetFilterFields();
    return false;
  }
  std::string line;
  size_t k = 0;
  bool damaged = false;
  while (in.Next(line)) {
    if (line.empty()) continue;
    // A file with more lines than the table has entries: the extra lines belong to nothing.
    if (k >= stoffe_.size()) break;
    ISTOFF& s = stoffe_[k++];
    const size_t first = line.find('#');
    const size_t second = first == std::string::npos ? first : line.find('#', first + 1);
    if (second == std::string::npos) {
      damaged = true;
      continue;
    }
    if (line.compare(0, first, s.code) != 0) {
      file.Read(path, FileFound::kDamaged);
      ShowError(387);
      return false;
    }
    s.position = static_cast<int>(ReadLong(line.substr(first + 1, second - first - 1)));
    s.visible = second + 1 < line.size() && line[second + 1] == '1';
  }
  file.Read(path, in, damaged);
  if (in.Failed()) {
    ShowError(386);
    ResetFilterFields();
    return false;
  }
  return true;
}

bool NutrientTable::SaveFilterFields() {
  if (currentGroup < 0 || currentGroup >= static_cast<int>(groups_.size())) return false;
  if (!filterFiles_[groups_[currentGroup].id].MayWrite()) return false;  // said by the guard
  std::vector<std::string> lines;
  lines.reserve(stoffe_.size());
  for (const ISTOFF& s : stoffe_)
    lines.push_back(std::string(s.code) + "#" + std::to_string(s.position) + "#" +
                    (s.visible ? "1" : "0"));
  if (!WriteTextLines(FilterFilePath(groups_[currentGroup].id), lines)) {
    ShowError(385);
    return false;
  }
  return true;
}

bool NutrientTable::SaveFilterGroups() {
  if (!groupsFile_.MayWrite()) {  // said by the guard
    FillFilterGroupList();
    return false;
  }
  std::vector<std::string> lines;
  for (const FILTGRP& g : groups_)
    lines.push_back(g.name + "#" + std::to_string(g.id) + "#" + (g.forDayValues ? "1" : "0"));
  const bool ok = WriteTextLines(BlsDataFolder() + "FiltGrps.bls", lines);
  if (!ok) ShowError(384);
  FillFilterGroupList();
  return ok;
}

void NutrientTable::ResetFilterFields() {
  for (size_t i = 0; i < stoffe_.size(); ++i) {
    stoffe_[i].visible = false;
    stoffe_[i].position = static_cast<int>(i);
  }
}

}  // namespace tav
