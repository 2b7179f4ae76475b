#include "diary/requirement_rows.h"

#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "services/amounts.h"

namespace tav {

std::vector<RequirementNutrient> RequirementNutrients(NutrientTable& table) {
  std::vector<RequirementNutrient> out;
  for (int pos = 0; pos < table.GetStoffCount(); ++pos) {
    // What GetStoffAtPos returns is the visibility: a hidden nutrient is taken all the same.
    ISTOFF s;
    table.GetStoffAtPos(pos, &s);
    if (s.code[0] == '\0') continue;  // no nutrient at this position
    if (s.isText || std::string(s.unit).find("/100g") == std::string::npos) continue;
    out.push_back({s.code, s.name});
  }
  return out;
}

std::string RequirementUnit(const std::string& unit) {
  return unit.substr(0, unit.find("/100g"));
}

std::string RequirementCellText(const TAGESBEDARF& row, const std::string& unit) {
  return row.effective >= 0 ? FormatFixed(row.effective, 2) + " " + unit : " ";
}

void SetOwnRequirement(TAGESBEDARF& row, const std::string& text) {
  if (text.empty()) {
    row.own = -1;
    row.effective = row.standard >= 0 ? row.standard : -1;
    return;
  }
  std::string t = text;
  NormalizeDecimalSep(t, 1);
  row.own = ReadNumber(t);
  row.effective = row.own;
}

RequirementMark RequirementCellMark(const TAGESBEDARF& row) {
  if (row.own >= 0) return RequirementMark::Plain;  // 0 typed is an own value too
  return row.standard >= 0 ? RequirementMark::Standard : RequirementMark::Unknown;
}

bool AddRequirementRow(ENPERSON& person, const std::string& code, double standard) {
  for (const TAGESBEDARF& r : person.requirements)
    if (r.code == code) return false;
  TAGESBEDARF row;
  row.code = code;
  row.own = -1;
  row.standard = standard;
  row.effective = standard >= 0 ? standard : -1;
  row.alarm = '-';
  person.requirements.push_back(row);
  return true;
}

}  // namespace tav
