#include "diary/intake_editing.h"

#include <cmath>

#include "platform/numbers.h"
#include "services/context.h"
#include "services/text_tools.h"

namespace tav {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool AddAgeBound(ZUFUHR& table, int bound) {
  if (bound == 0) return false;
  size_t pos = 0;
  for (size_t k = 0; k < table.rows.size(); ++k) {
    if (table.rows[k].age == bound) return false;
    if (table.rows[k].age < bound) pos = k + 1;
  }
  table.rows.insert(table.rows.begin() + static_cast<long>(pos), ZUFUHRAGE{bound, -1, -1});
  return true;
}

bool DeleteAgeRow(ZUFUHR& table, int row) {
  if (row < 0 || row >= static_cast<int>(table.rows.size())) return false;
  if (table.rows[static_cast<size_t>(row)].age == IntakeTables::kOpenEnd) return false;
  table.rows.erase(table.rows.begin() + row);
  return true;
}

std::string IntakeRowLabel(const ZUFUHR& table, int row) {
  const int age = table.rows[static_cast<size_t>(row)].age;
  if (age == IntakeTables::kOpenEnd) return GetLangText(row == 0 ? 457 : 487);
  if (age == IntakeTables::kPregnant) return GetLangText(484);
  if (age == IntakeTables::kNursing) return GetLangText(485);
  return FormatLangText(GetLangText(486), {std::to_string(age)});
}

bool IntakeHasValues(const ZUFUHR& table) {
  for (const ZUFUHRAGE& r : table.rows)
    if (r.male >= 0 || r.female >= 0) return true;
  return false;
}

bool IsWomenOnlyRow(const ZUFUHRAGE& row) {
  return row.age == IntakeTables::kPregnant || row.age == IntakeTables::kNursing;
}

std::string IntakeCellText(double value) {
  return value < 0 ? std::string() : FormatGeneral(value);
}

bool ParseIntakeCell(const std::string& text, double& value) {
  const std::string_view t = Trimmed(text);
  if (t.empty()) {
    value = -1;
    return true;
  }
  if (t.find_first_of("0123456789") == std::string_view::npos) return false;
  size_t used = 0;
  const double v = ReadNumber(t, &used);
  if (used != t.size() || !std::isfinite(v) || v < 0) return false;
  value = v;
  return true;
}

bool ParseAgeBound(const std::string& text, int& bound) {
  long long v = 0;
  if (!ParseInt(text, v) || v < kMinAgeBound || v > kMaxAgeBound) return false;
  bound = static_cast<int>(v);
  return true;
}

}  // namespace tav
