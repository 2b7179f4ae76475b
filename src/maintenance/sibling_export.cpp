#include "maintenance/sibling_export.h"

#include <cstring>
#include <string>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

std::string SiblingExportFile() {
  const std::string root = ctx().options ? WithSeparator(ctx().options->Str(90)) : std::string();
  return FindFileNoCase(root + "QN_Sync/bsl.snc");
}

std::string CutUnit(const char* unit) {
  const std::string text(unit, strnlen(unit, 20));
  return text.substr(0, text.find('/'));
}

namespace {

void SetUnit(ISTOFF& stoff) {
  const std::string cut = CutUnit(stoff.unit);
  std::memset(stoff.unit, 0, sizeof stoff.unit);
  std::memcpy(stoff.unit, cut.data(), cut.size());
}

}  // namespace

bool AddSiblingNutrient(std::vector<SiblingNutrient>& chosen, const ISTOFF& stoff) {
  for (const SiblingNutrient& c : chosen)
    if (std::strcmp(c.stoff.code, stoff.code) == 0) return false;
  SiblingNutrient n{stoff, stoff.code};
  SetUnit(n.stoff);
  chosen.push_back(std::move(n));
  return true;
}

std::vector<SiblingNutrient> LoadSiblingNutrients(const std::string& path,
                                                  const NutrientTable& table,
                                                  StoreFileGuard* guard) {
  std::vector<SiblingNutrient> out;
  StoreFileGuard local;
  StoreFileGuard& file = guard ? *guard : local;
  if (file.TooLarge(path)) return out;
  LineReader in(path);
  bool damaged = false;
  std::string line;
  while (in.Next(line)) {
    const size_t hash = line.find('#');
    SiblingNutrient n;
    if (hash == std::string::npos || !table.FindStoffByCode(line.substr(0, hash), &n.stoff)) {
      damaged = damaged || !line.empty();
      continue;
    }
    n.key = line.substr(hash + 1);
    SetUnit(n.stoff);
    out.push_back(std::move(n));
  }
  file.Read(path, in, damaged);
  return out;
}

bool SaveSiblingNutrients(const std::string& path, const std::vector<SiblingNutrient>& chosen,
                          StoreFileGuard* guard) {
  if (guard && !guard->MayWrite()) return false;
  std::vector<std::string> lines;
  for (const SiblingNutrient& n : chosen) lines.push_back(std::string(n.stoff.code) + "#" + n.key);
  return WriteTextLines(path, lines);
}

}  // namespace tav
