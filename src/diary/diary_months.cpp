// The diary months of the active person: the month files, the lookups, adding and deleting
// entries and the day sums.
//
// A month file, lines ended by CR LF:
//   # TAVOLIN V02.01 MM/YYYY
//   #
//   DD#C0003                       day, 'C' complete or 'N', number of entries (not read)
//   |;v1;v2;...                    the day values from index 1 on
//   #RC#65533#12#1234.500000#Portion#1.000000#4.000000#Name   recipe/food, calculated, book,
//                                  number, kJ, unit, amount, base amount, name (may hold '#')
//   >RezSum;v1;v2;...              the nutrient line for the base amount: ">RezSum" or the
//                                  7-character food key, then the values from index 1 on
#include <algorithm>

#include "diary/diary_module.h"
#include "diary/diary_text.h"
#include "nutrients/nutrient_table.h"
#include "nutrients/recipe_calc.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/store_file.h"
#include "services/text_tools.h"
#include "services/tools_module.h"

namespace tav {

namespace {

constexpr size_t kStandardDayValues = 145;
constexpr const char* kRecipeKey = ">RezSum";
constexpr size_t kKeyWidth = 7;

bool MonthBefore(const ENMONTH& m, int month, int year) {
  return m.year < year || (m.year == year && m.month < month);
}

// Inserts an empty month in (year, month) order and gives its index.
size_t InsertMonth(std::vector<ENMONTH>& months, int month, int year) {
  auto it = std::find_if(months.begin(), months.end(),
                         [&](const ENMONTH& m) { return !MonthBefore(m, month, year); });
  ENMONTH m;
  m.month = month;
  m.year = year;
  const auto at = months.insert(it, std::move(m));
  return static_cast<size_t>(at - months.begin());
}

std::string TwoDigits(int v) {
  std::string s = std::to_string(v);
  if (v >= 0 && s.size() < 2) s.insert(0, 1, '0');
  return s;
}

// The part of a ';' line from its first ';' on; "" when it has none.
std::string_view FromFirstSemicolon(std::string_view line) {
  const size_t semi = line.find(';');
  return semi == std::string_view::npos ? std::string_view() : line.substr(semi);
}

// Reads "#<R|B><C|N>#book#number#energy#unit#amount#base#name"; false when a separator is
// missing.
bool ParseEntryLine(const std::string& line, ENENTRY& e) {
  if (line.size() < 4 || line[3] != '#') return false;
  size_t seps[6];
  size_t from = 4;
  for (size_t& s : seps) {
    s = line.find('#', from);
    if (s == std::string::npos) return false;
    from = s + 1;
  }
  const std::string_view v(line);
  e.isRecipe = line[1] == 'R';
  e.calculated = line[2] == 'C';
  e.book = static_cast<uint16_t>(ReadLong(v.substr(4, seps[0] - 4)));
  e.recipeNumber = static_cast<int32_t>(ReadLong(v.substr(seps[0] + 1, seps[1] - seps[0] - 1)));
  e.energy = ReadNumber(v.substr(seps[1] + 1, seps[2] - seps[1] - 1));
  e.unit = line.substr(seps[2] + 1, seps[3] - seps[2] - 1);
  e.amount = ReadNumber(v.substr(seps[3] + 1, seps[4] - seps[3] - 1));
  e.baseAmount = ReadNumber(v.substr(seps[4] + 1, seps[5] - seps[4] - 1));
  e.name = line.substr(seps[5] + 1);
  return true;
}

void AppendEntry(std::string& out, const ENENTRY& e) {
  out += '#';
  out += e.isRecipe ? 'R' : 'B';
  out += e.calculated ? 'C' : 'N';
  out += '#';
  out += std::to_string(e.book);
  out += '#';
  out += std::to_string(e.recipeNumber);
  out += '#';
  out += FixedWithPoint(e.energy, 6);
  out += '#';
  out += e.unit;
  out += '#';
  out += FixedWithPoint(e.amount, 6);
  out += '#';
  out += FixedWithPoint(e.baseAmount, 6);
  out += '#';
  out += e.name;
  out += "\r\n";
  // The first field always fills 7 characters and a ';' follows it, as the reader demands.
  std::string key = e.isRecipe ? kRecipeKey : e.foodKey;
  key.resize(kKeyWidth, ' ');
  out += key;
  const std::string_view rest = FromFirstSemicolon(e.nutrientLine);
  if (rest.empty())
    out += ';';
  else
    out += rest;
  out += "\r\n";
}

void WriteLogLine(const std::string& text) {
  if (ctx().tools) ctx().tools->WriteLog(text, 0);
}

}  // namespace

size_t DayValueCount() {
  const int table = ctx().nutrients ? ctx().nutrients->GetStoffCount() : 0;
  return std::max(kStandardDayValues, static_cast<size_t>(std::max(table, 0)));
}

bool IsTextColumn(size_t index) {
  return ctx().nutrients && ctx().nutrients->IsTextStoff(static_cast<int>(index));
}

std::string TENApplogMod::MonthPath(int month, int year) const {
  const std::string folder = PersonFolder(activePerson);
  if (folder.empty()) return std::string();
  std::string year4 = std::to_string(year);
  if (year >= 0 && year4.size() < 4) year4.insert(0, 4 - year4.size(), '0');
  return FindFileNoCase(folder + "m" + TwoDigits(month + 1) + year4 + ".dat");
}

int TENApplogMod::IsMonthLoaded(int month, int year) const {
  const int i = FindMonthIndex(month, year);
  if (i < 0) return 0;
  return months[static_cast<size_t>(i)].changed ? 2 : 1;
}

int TENApplogMod::FindMonthIndex(int month, int year) const {
  for (size_t i = 0; i < months.size(); ++i)
    if (months[i].month == month && months[i].year == year) return static_cast<int>(i);
  return -1;
}

int TENApplogMod::FindDayIndex(int day, int monthIndex) const {
  if (monthIndex < 0 || static_cast<size_t>(monthIndex) >= months.size()) return -1;
  const std::vector<ENDAY>& days = months[static_cast<size_t>(monthIndex)].days;
  for (size_t i = 0; i < days.size(); ++i)
    if (days[i].day == day) return static_cast<int>(i);
  return -1;
}

ENMONTH* TENApplogMod::GetMonth(int month, int year) {
  const int i = FindMonthIndex(month, year);
  return i < 0 ? nullptr : &months[static_cast<size_t>(i)];
}

ENDAY* TENApplogMod::GetDay(int day, int month, int year) {
  const int m = FindMonthIndex(month, year);
  const int d = FindDayIndex(day, m);
  return d < 0 ? nullptr : &months[static_cast<size_t>(m)].days[static_cast<size_t>(d)];
}

ENENTRY* TENApplogMod::GetDayEntry(int day, int month, int year, int index) {
  ENDAY* d = GetDay(day, month, year);
  if (!d || index < 0 || static_cast<size_t>(index) >= d->entries.size()) return nullptr;
  return &d->entries[static_cast<size_t>(index)];
}

int TENApplogMod::FillDayEntryList(int day, int month, int year,
                                   std::vector<std::pair<std::string, int>>& items) const {
  items.clear();
  const int m = FindMonthIndex(month, year);
  const int d = FindDayIndex(day, m);
  if (d < 0) return 0;
  const ENDAY& found = months[static_cast<size_t>(m)].days[static_cast<size_t>(d)];
  for (size_t i = 0; i < found.entries.size(); ++i)
    items.emplace_back(found.entries[i].name, static_cast<int>(i));
  return static_cast<int>(items.size());
}

bool TENApplogMod::LoadMonth(int month, int year) {
  if (IsMonthLoaded(month, year) != 0) return true;
  const std::string path = MonthPath(month, year);
  if (path.empty()) return false;
  ENMONTH& m = months[InsertMonth(months, month, year)];
  if (!EntryExists(path)) {
    m.changed = true;  // the next save creates its file
    return true;
  }
  // (A file far larger than any month is not read: message 1079.)
  if (!StoreFileGuard().TooLarge(path) && ReadMonthFile(path, m)) return true;
  m.damaged = true;
  WriteLogLine("Diary month not read to its end, it is not written over: " + path);
  return false;
}

bool TENApplogMod::ReadMonthFile(const std::string& path, ENMONTH& m) {
  LineReader in(path);
  if (!in.IsOpen()) return false;
  std::string line;
  if (!in.Next(line) || line.find("# TAVOLIN V") == std::string::npos) return false;
  in.Next(line);
  ENDAY current;
  current.month = m.month;
  current.year = m.year;
  bool inDay = false;
  const auto keepDay = [&] {
    if (current.entries.empty()) return;
    m.days.push_back(std::move(current));
    current = ENDAY();
    current.month = m.month;
    current.year = m.year;
  };
  while (in.Next(line)) {
    if (line.empty()) continue;
    const char c = line[0];
    if (c >= '0' && c <= '9') {
      keepDay();
      if (line.size() < 4 || line[2] != '#') return false;
      current.day = static_cast<int>(ReadLong(std::string_view(line).substr(0, 2)));
      if (current.day < 1 || current.day > 31) return false;
      current.complete = line[3] == 'C';
      current.totalsLine.clear();
      current.dayValues = LB_DATA();
      inDay = true;
    } else if (c == '|') {
      current.totalsLine = line.substr(1);
      FoodDatabase::SplitBLSRecord(current.totalsLine, &current.dayValues);
    } else if (c == '#') {
      // An entry before any day line has no date: the file is not one the program wrote.
      if (!inDay) return false;
      ENENTRY e;
      if (!ParseEntryLine(line, e)) return false;
      if (!in.Next(line) || line.size() < 8 || line[7] != ';') return false;
      e.day = current.day;
      e.month = m.month;
      e.year = m.year;
      e.nutrientLine = std::move(line);
      RescaleEntry(e, 0, true);
      if (!e.isRecipe) e.foodKey = e.food.Value(0);
      current.entries.push_back(std::move(e));
    }
  }
  // A read error is no end of the month: the days after it are missing.
  if (in.Failed()) return false;
  keepDay();
  // Lines holding NUL bytes (passed over by the reader) are no lines of a month it wrote.
  return in.NulLines() == 0;
}

bool TENApplogMod::SaveMonth(int month, int year) {
  ENMONTH* m = GetMonth(month, year);
  if (!m) return false;
  if (!m->changed) return true;
  const std::string path = MonthPath(month, year);
  if (m->damaged) {
    // Said once per change: the next save of other months stays quiet.
    m->changed = false;
    MessageBox(FormatLangText(GetLangText(890), {path}), GetLangText(15), MB_OK);
    return false;
  }
  size_t size = 64;
  for (const ENDAY& d : m->days) {
    size += d.totalsLine.size() + 16;
    for (const ENENTRY& e : d.entries)
      size += e.nutrientLine.size() + e.name.size() + e.unit.size() + 80;
  }
  std::string out;
  out.reserve(size);
  out += "# TAVOLIN V02.01 " + TwoDigits(month + 1) + "/";
  const std::string year4 = std::to_string(year);
  if (year4.size() < 4) out.append(4 - year4.size(), ' ');
  out += year4 + "\r\n#\r\n";
  for (const ENDAY& d : m->days) {
    std::string count = std::to_string(d.entries.size());
    if (count.size() < 4) count.insert(0, 4 - count.size(), '0');
    out += TwoDigits(d.day) + "#" + (d.complete ? 'C' : 'N') + count + "\r\n|";
    out += FromFirstSemicolon(d.totalsLine);
    out += "\r\n";
    for (const ENENTRY& e : d.entries) AppendEntry(out, e);
  }
  const std::string folder = PersonFolder(activePerson);
  if (path.empty() || !MakeDirs(folder) || !WriteFileAtomic(path, out)) {
    MessageBox(GetLangText(478), GetLangText(15), MB_OK);
    return false;
  }
  m->changed = false;
  return true;
}

bool TENApplogMod::SaveAllMonths() {
  bool ok = true;
  for (size_t i = 0; i < months.size(); ++i) ok = SaveMonth(months[i].month, months[i].year) && ok;
  return ok;
}

void TENApplogMod::UnloadAllMonths() {
  months.clear();
}

void TENApplogMod::MarkMonthDirty(int month, int year) {
  if (ENMONTH* m = GetMonth(month, year)) m->changed = true;
}

void TENApplogMod::AddEntry(ENENTRY entry) {
  CleanFieldText(entry.name, false);
  CleanFieldText(entry.unit, true);
  // A month that is not loaded comes from its file first: its other days must stay.
  if (IsMonthLoaded(entry.month, entry.year) == 0) LoadMonth(entry.month, entry.year);
  int mi = FindMonthIndex(entry.month, entry.year);
  if (mi < 0) mi = static_cast<int>(InsertMonth(months, entry.month, entry.year));
  ENMONTH& m = months[static_cast<size_t>(mi)];
  auto it = std::find_if(m.days.begin(), m.days.end(),
                         [&](const ENDAY& d) { return d.day >= entry.day; });
  if (it == m.days.end() || it->day != entry.day) {
    ENDAY d;
    d.day = entry.day;
    d.month = entry.month;
    d.year = entry.year;
    it = m.days.insert(it, std::move(d));
  }
  it->entries.push_back(std::move(entry));
  m.changed = true;
}

void TENApplogMod::DeleteEntry(int day, int month, int year, int index) {
  const int mi = FindMonthIndex(month, year);
  const int di = FindDayIndex(day, mi);
  if (index < 0 || di < 0) return;
  ENMONTH& m = months[static_cast<size_t>(mi)];
  std::vector<ENENTRY>& entries = m.days[static_cast<size_t>(di)].entries;
  if (static_cast<size_t>(index) >= entries.size()) return;
  entries.erase(entries.begin() + index);
  m.changed = true;
  if (entries.empty()) m.days.erase(m.days.begin() + di);
  DayChanged(day, month, year);
}

bool TENApplogMod::ChangeEntryAmount(int day, int month, int year, int index, double amount) {
  ENENTRY* e = GetDayEntry(day, month, year, index);
  if (!e || AmountRefused(amount)) return false;
  RescaleEntry(*e, amount, false);
  MarkMonthDirty(month, year);
  DayChanged(day, month, year);
  return true;
}

bool TENApplogMod::AmountRefused(double amount) {
  // A negative amount would subtract from the day, and its entry alone shows it.
  if (!(amount < 0)) return false;
  MessageBox(GetLangText(1023), GetLangText(15), MB_OK | MB_ICONWARNING);
  return true;
}

bool TENApplogMod::TakeRecipeRecalculation(int day, int month, int year, int index, double amount) {
  ENENTRY* e = GetDayEntry(day, month, year, index);
  RecipeCalc* calc = ctx().calc;
  if (!e || !e->isRecipe || !calc || AmountRefused(amount)) return false;
  calc->GetRecipeTotalLine(e->calculated, e->energy, e->nutrientLine);
  // The total describes the recipe's servings; one serving is the starting point.
  e->amount = 1;
  RescaleEntry(*e, amount, false);
  MarkMonthDirty(month, year);
  DayChanged(day, month, year);
  return true;
}

void TENApplogMod::DayChanged(int day, int month, int year) {
  if (ENDAY* d = GetDay(day, month, year)) CalcDaySums(d);
  SaveMonth(month, year);
  NotifyDiaryChanged();
}

bool TENApplogMod::CalcDaySums(ENDAY* day) {
  const size_t n = DayValueCount();
  std::vector<double> sums(n, 0.0);
  bool complete = true;
  for (const ENENTRY& e : day->entries) {
    if (!complete) break;
    if (!e.calculated) {
      complete = false;
      break;
    }
    const size_t have = std::min(n, e.food.values.size());
    for (size_t j = 0; j < have; ++j) {
      if (IsTextColumn(j)) continue;
      const std::string& text = e.food.values[j];
      if (text.empty() || text[0] < '0' || text[0] > '9') continue;
      double v = 0;
      // A value that is no number counts nothing; the sum keeps what the others add.
      if (ReadWholeNumber(text, v)) sums[j] += v;
    }
  }
  day->complete = complete;
  std::vector<std::string>& values = day->dayValues.values;
  values.resize(n);
  // Text columns (key, names, the USDA number) are no sums: they stay empty.
  for (size_t j = 0; j < n; ++j)
    values[j] = !complete ? "0" : IsTextColumn(j) ? std::string() : FormatFixed(sums[j], 2);
  FoodDatabase::JoinBLSValues(&day->dayValues, &day->totalsLine);
  return complete;
}

}  // namespace tav
