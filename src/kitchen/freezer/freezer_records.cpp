#include "kitchen/freezer/freezer_records.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"

namespace tav {

int ShownCompartmentNumber(const CO_SCHRANK& s, int index) {
  return s.fromBottom ? s.count - index : index + 1;
}

int CompartmentIndexOfNumber(const CO_SCHRANK& s, int number) {
  return s.fromBottom ? s.count - number : number - 1;
}

// --- date texts --------------------------------------------------------------------------

FoodDate ParseFoodDate(const std::string& text) {
  int numbers[3] = {0, 0, 0};
  size_t i = 0;
  const auto digit = [&](size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  while (i < text.size() && !digit(i)) ++i;
  for (int n = 0; n < 3 && digit(i); ++n) {
    long long v = 0;
    for (; digit(i); ++i)
      if (v < 100000000) v = v * 10 + (text[i] - '0');
    numbers[n] = static_cast<int>(v);
    while (i < text.size() && !digit(i)) ++i;
  }
  FoodDate d;
  if (numbers[0] > 0) {
    if (numbers[2] > 0) {
      d.day = numbers[0];
      d.month = numbers[1];
      d.year = numbers[2];
    } else {
      d.month = numbers[0];
      d.year = numbers[1];
    }
  }
  bool valid = true;
  if (d.month < 1 || d.month > 12) {
    d.month = 0;
    valid = false;
  }
  if (d.year < 100) d.year += 2000;
  if (d.year > 3000 || d.year < 1990) {
    d.year = 2000;
    valid = false;
  }
  // A day beyond 31 would not fit the two columns of the file.
  if (d.day > 31) {
    d.day = 0;
    valid = false;
  }
  d.valid = valid;
  return d;
}

std::string FormatFoodDate(int day, int month, int year) {
  if (month == 0) return std::string();
  char buf[48];
  if (day > 0)
    std::snprintf(buf, sizeof buf, "%02d.%02d.%d", day, month, year);
  else
    std::snprintf(buf, sizeof buf, "%02d/%d", month, year);
  return buf;
}

namespace {

std::function<ClockDate()>& Clock() {
  static std::function<ClockDate()> clock;
  return clock;
}

}  // namespace

ClockDate FreezerToday() {
  if (Clock()) return Clock()();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

void SetFreezerClockForTest(std::function<ClockDate()> clock) {
  Clock() = std::move(clock);
}

void SetStoredToday(CO_LMITTEL& food) {
  const ClockDate today = FreezerToday();
  food.sinceDay = today.day;
  food.sinceMonth = today.month;
  food.sinceYear = today.year;
}

// --- CoolBoxes.dat -----------------------------------------------------------------------

std::string FoodLine(const CO_LMITTEL& f) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "~%02d%02d%04d%02d%02d%04d%c~", f.sinceDay, f.sinceMonth,
                f.sinceYear, f.mhdDay, f.mhdMonth, f.mhdYear, f.opened ? 'X' : ' ');
  return buf + f.name + "~" + f.amount;
}

namespace {

constexpr int kMaxColumnValue = 999999999;

// The decimal number in columns [from, from + width) as the C library reads it: leading blanks
// and a sign allowed, 0 when there is none (or the line ends before).
int Column(const std::string& line, size_t from, size_t width) {
  if (from >= line.size()) return 0;
  const std::string field = line.substr(from, width);
  size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
  // A hand-edited level of many digits stops at nine digits: no overflow, here or where a
  // child's level is the parent's plus one.
  int v = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
    v = static_cast<int>(std::min<long long>(v * 10LL + (field[i] - '0'), kMaxColumnValue));
  return negative ? -v : v;
}

void FillCompartments(CO_SCHRANK& s) {
  while (s.faecher.size() < static_cast<size_t>(kMinCompartments)) s.faecher.emplace_back();
}

}  // namespace

CO_LMITTEL ParseFoodLine(const std::string& line) {
  CO_LMITTEL f;
  f.sinceDay = Column(line, 1, 2);
  f.sinceMonth = Column(line, 3, 2);
  f.sinceYear = Column(line, 5, 4);
  f.mhdDay = Column(line, 9, 2);
  f.mhdMonth = Column(line, 11, 2);
  f.mhdYear = Column(line, 13, 4);
  f.opened = line.size() > 17 && line[17] == 'X';
  if (line.size() > 19) {
    const size_t tilde = line.find('~', 19);
    if (tilde != std::string::npos) {
      f.name = line.substr(19, tilde - 19);
      f.amount = line.substr(tilde + 1);
    }
  }
  return f;
}

std::string FreezerFileText(std::vector<CO_SCHRANK>& freezers) {
  std::string out;
  for (CO_SCHRANK& s : freezers) {
    out += '>';
    out += s.fromBottom ? 'U' : 'N';
    out += '#';
    if (s.name.empty()) s.name = kDefaultFreezerName;
    out += s.name;
    out += "\r\n";
    FillCompartments(s);
    const int inUse = std::min<int>(s.count, static_cast<int>(s.faecher.size()));
    for (int i = 0; i < inUse; ++i) {
      CO_FACH& fach = s.faecher[i];
      if (fach.name.empty()) fach.name = "Nr. " + std::to_string(i);
      out += '+';
      out += fach.name;
      out += "\r\n";
      for (const CO_LMITTEL& f : fach.foods) {
        out += FoodLine(f);
        out += "\r\n";
      }
    }
  }
  return out;
}

std::vector<CO_SCHRANK> ReadFreezerLines(const std::vector<std::string>& lines) {
  std::vector<CO_SCHRANK> freezers;
  CO_SCHRANK pending;
  bool started = false;  // the pending freezer has its own freezer line
  CO_FACH fach;
  int counter = 0;
  const auto closeCompartment = [&] {
    if (fach.name.empty()) return;
    pending.faecher.push_back(std::move(fach));
    fach = CO_FACH();
    ++counter;
  };
  const auto closeFreezer = [&] {
    // Compartments before the first freezer line belong to the first freezer; a freezer line
    // without a name still keeps its compartments to itself.
    if (!started && pending.name.empty()) return;
    FillCompartments(pending);
    pending.count = counter;
    freezers.push_back(std::move(pending));
    pending = CO_SCHRANK();
    counter = 0;
  };
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    switch (line[0]) {
      case '>':
        closeCompartment();
        closeFreezer();
        started = true;
        pending.fromBottom = line.size() > 1 && line[1] == 'U';
        pending.name = line.size() > 3 ? line.substr(3) : std::string();
        break;
      case '+':
        closeCompartment();
        fach.name = line.substr(1);
        fach.foods.clear();
        break;
      case '~':
        // Foods of a compartment without a name are dropped with it.
        fach.foods.push_back(ParseFoodLine(line));
        break;
      default:
        break;
    }
  }
  closeCompartment();
  closeFreezer();
  return freezers;
}

bool FoodsBeyondCount(const std::vector<CO_SCHRANK>& freezers) {
  for (const CO_SCHRANK& s : freezers)
    for (size_t i = std::max(0, s.count); i < s.faecher.size(); ++i)
      if (!s.faecher[i].foods.empty()) return true;
  return false;
}

void DropFoodsBeyondCount(std::vector<CO_SCHRANK>& freezers) {
  for (CO_SCHRANK& s : freezers)
    for (size_t i = std::max(0, s.count); i < s.faecher.size(); ++i) s.faecher[i].foods.clear();
}

void KeepFoodsBeyondCount(std::vector<CO_SCHRANK>& freezers) {
  for (CO_SCHRANK& s : freezers)
    for (size_t i = std::max(0, s.count); i < s.faecher.size(); ++i)
      if (!s.faecher[i].foods.empty()) s.count = static_cast<int32_t>(i + 1);
}

// --- CoolTypes.dat -----------------------------------------------------------------------

std::string FoodTypesFileText(const std::vector<CO_TYPE>& types) {
  std::string out;
  for (const CO_TYPE& t : types) {
    out += t.group ? '+' : '~';
    out += std::to_string(t.level);
    out += '#';
    out += t.name;
    if (!t.group) {
      out += '~';
      out += t.text;
    }
    out += "\r\n";
  }
  return out;
}

std::vector<CO_TYPE> ReadFoodTypeLines(const std::vector<std::string>& lines) {
  std::vector<CO_TYPE> types;
  for (const std::string& line : lines) {
    if (line.empty() || (line[0] != '+' && line[0] != '~')) continue;
    const size_t hash = line.find('#', 1);
    if (hash == std::string::npos) continue;
    CO_TYPE t;
    t.group = line[0] == '+';
    t.level = Column(line, 1, hash - 1);
    if (t.group) {
      t.name = line.substr(hash + 1);
    } else {
      const size_t tilde = line.find('~', hash + 1);
      if (tilde == std::string::npos) continue;
      t.name = line.substr(hash + 1, tilde - hash - 1);
      t.text = line.substr(tilde + 1);
    }
    t.position = static_cast<int32_t>(types.size());
    types.push_back(std::move(t));
  }
  return types;
}

// --- the inventory -----------------------------------------------------------------------

namespace {

size_t FilledLines(const std::vector<std::string>& lines) {
  return static_cast<size_t>(
      std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); }));
}

}  // namespace

void FreezerInventory::LoadFreezers() {
  std::vector<std::string> lines;
  freezers.clear();
  bool nul = false;
  const bool read =
      !freezerFile_.TooLarge(FreezerPath()) && ReadTextLines(FreezerPath(), lines, &nul);
  if (read) freezers = ReadFreezerLines(lines);
  // (A file too large to read counts as one that could not be read.)
  freezerFile_.Read(FreezerPath(), read,
                    nul || std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
                      return !l.empty() && l[0] != '>' && l[0] != '+' && l[0] != '~';
                    }));
  if (freezers.empty()) AddDefaultFreezer();
}

bool FreezerInventory::SaveFreezers() {
  if (!freezerFile_.MayWrite()) return false;  // said by the guard
  if (WriteFileAtomic(FreezerPath(), FreezerFileText(freezers))) return true;
  MessageBox(GetLangText(719), GetLangText(2), MB_OK | MB_ICONWARNING);
  return false;
}

void FreezerInventory::AddDefaultFreezer() {
  CO_SCHRANK s;
  s.name = kDefaultFreezerName;
  s.count = 5;
  for (int k = 0; k < 5; ++k) s.faecher.push_back({GetLangText(708 + k), {}});
  FillCompartments(s);
  freezers.push_back(std::move(s));
}

void FreezerInventory::LoadFoodTypes() {
  std::vector<std::string> lines;
  types.clear();
  bool nul = false;
  const bool read = !typesFile_.TooLarge(TypesPath()) && ReadTextLines(TypesPath(), lines, &nul);
  if (read) types = ReadFoodTypeLines(lines);
  typesFile_.Read(TypesPath(), read, read && (nul || types.size() != FilledLines(lines)));
}

bool FreezerInventory::SaveFoodTypes() {
  if (!typesFile_.MayWrite()) return false;  // said by the guard
  if (WriteFileAtomic(TypesPath(), FoodTypesFileText(types))) return true;
  MessageBox(GetLangText(719), GetLangText(2), MB_OK | MB_ICONWARNING);
  return false;
}

}  // namespace tav
