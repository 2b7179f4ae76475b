#include "diary/intake_tables.h"

#include "diary/diary_module.h"
#include "diary/diary_text.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"

namespace tav {

namespace {

constexpr size_t kMaxCode = 7;

std::string StoffCalcPath() {
  return DiaryDataFolder() + "StoffCalc.dat";
}

}  // namespace

bool ParseStoffCalcLine(const std::string& line, ZUFUHR& out) {
  const size_t hash = line.find('#');
  if (hash == std::string::npos || hash > kMaxCode) return false;
  out = ZUFUHR();
  out.code = line.substr(0, hash);
  size_t pos = hash + 1;
  while (pos < line.size()) {
    if (line[pos] != 'A') return false;  // the table goes with the line
    const size_t colon = line.find(':', pos + 1);
    const size_t slash = colon == std::string::npos ? colon : line.find('/', colon + 1);
    const size_t close = slash == std::string::npos ? slash : line.find('#', slash + 1);
    if (close == std::string::npos) break;  // a group cut short: the rows before it stay
    ZUFUHRAGE row;
    row.age = static_cast<int>(ReadLong(std::string_view(line).substr(pos + 1, colon - pos - 1)));
    row.male = ReadNumber(std::string_view(line).substr(colon + 1, slash - colon - 1));
    row.female = ReadNumber(std::string_view(line).substr(slash + 1, close - slash - 1));
    out.rows.push_back(row);
    pos = close + 1;
  }
  return true;
}

std::string StoffCalcLine(const ZUFUHR& table) {
  bool anyValue = false;
  for (const ZUFUHRAGE& r : table.rows) anyValue = anyValue || r.male >= 0 || r.female >= 0;
  if (!anyValue) return std::string();
  std::string line = table.code + "#";
  for (const ZUFUHRAGE& r : table.rows) {
    if (r.age != IntakeTables::kOpenEnd && r.male < 0 && r.female < 0) continue;
    line += "A" + std::to_string(r.age) + ":" + FixedWithPoint(r.male, 3) + "/" +
            FixedWithPoint(r.female, 3) + "#";
  }
  return line;
}

double IntakeValueFor(const ZUFUHR& table, int age, char sex, char pregnancy) {
  int special = 0;
  if (sex == 'F') {
    if (pregnancy == 'J') special = IntakeTables::kPregnant;
    if (pregnancy == 'S') special = IntakeTables::kNursing;
  }
  const bool male = sex == 'M';
  double value = -1;
  bool found = false;
  for (const ZUFUHRAGE& r : table.rows) {
    const double v = male ? r.male : r.female;
    if (found) break;
    if (r.age < IntakeTables::kOpenEnd) {
      if (v >= 0) value = v;
      if (r.age >= age) found = true;
    } else if (r.age == IntakeTables::kOpenEnd && v >= 0) {
      value = v;
      found = true;
    }
  }
  if (!found) value = -1;
  if (special != 0)
    for (const ZUFUHRAGE& r : table.rows)
      if (r.age == special && r.female >= 0) value = r.female;
  return value;
}

bool IntakeTables::ReadStoffCalc() {
  tables.clear();
  const std::string path = FindFileNoCase(StoffCalcPath());
  if (file_.TooLarge(path)) return false;
  LineReader in(path);
  if (!in.IsOpen()) {
    file_.Read(path, false, false);
    return false;
  }
  bool damaged = false;
  std::string line;
  ZUFUHR table;
  while (in.Next(line)) {
    if (ParseStoffCalcLine(line, table))
      tables.push_back(std::move(table));
    else
      damaged = damaged || !line.empty();
  }
  file_.Read(path, in, damaged);
  return !in.Failed();
}

bool IntakeTables::WriteStoffCalc() {
  std::string bytes;
  for (const ZUFUHR& t : tables) {
    const std::string line = StoffCalcLine(t);
    if (!line.empty()) bytes += line + "\r\n";
  }
  if (DiaryDataFolder().empty()) {
    MessageBox(GetLangText(891), GetLangText(15), MB_OK);
    return false;
  }
  if (!file_.MayWrite()) return false;  // said by the guard
  if (!WriteFileAtomic(StoffCalcPath(), bytes)) {
    MessageBox(GetLangText(891), GetLangText(15), MB_OK);
    return false;
  }
  file_.Read(StoffCalcPath(), FileFound::kWhole);
  return true;
}

int IntakeTables::FindIntakeTable(const std::string& code) const {
  for (size_t i = 0; i < tables.size(); ++i)
    if (tables[i].code == code) return static_cast<int>(i);
  return -1;
}

double IntakeTables::StandardRequirementFor(const std::string& code, const ENPERSON& person,
                                            int age) const {
  const int t = FindIntakeTable(code);
  if (t < 0 || tables[static_cast<size_t>(t)].rows.empty()) return -1;
  return IntakeValueFor(tables[static_cast<size_t>(t)], age, person.sex, person.pregnancy);
}

double IntakeTables::GetStandardRequirement(const std::string& code,
                                            const std::string& person) const {
  if (!ENApplogMod) return -1;
  const std::string name = person.empty() ? ENApplogMod->GetActivePersonName() : person;
  ENPERSON* p = nullptr;
  if (!ENApplogMod->FindPerson(name, &p)) return -1;
  return StandardRequirementFor(code, *p, TENApplogMod::GetPersonAge(p));
}

}  // namespace tav
