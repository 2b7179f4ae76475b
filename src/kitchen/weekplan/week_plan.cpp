#include "kitchen/weekplan/week_plan.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "kitchen/profile_ini.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "recipedb/recipe_model.h"
#include "services/context.h"
#include "services/dates.h"
#include "services/options_store.h"

namespace tav {

int DayNumber(int year, int month, int day) {
  long y = year - (month <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<int>(era * 146097 + doe - 719468);
}

void DateOfDay(int dayNumber, int& year, int& month, int& day) {
  const long z = dayNumber + 719468L;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int WeekdayOf(int dayNumber) {
  const int w = (dayNumber + 3) % 7;  // 1970-01-01 was a Thursday
  return w < 0 ? w + 7 : w;
}

int MondayOf(int dayNumber) {
  return dayNumber - WeekdayOf(dayNumber);
}

int TodayNumber() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return DayNumber(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

namespace {

std::string FormatDay(int dayNumber, const char* format) {
  int y, m, d;
  DateOfDay(dayNumber, y, m, d);
  char buf[32];
  std::snprintf(buf, sizeof buf, format, d, m, y);
  return buf;
}

std::string Key(const char* prefix, int n) {
  return prefix + std::to_string(n);
}

void SaveFailed() {
  ShowError(991);
}

}  // namespace

std::string ShortDateText(int dayNumber) {
  return FormatDay(dayNumber, "%d.%d.%04d");
}

std::string WeekPlanSectionName(int dayNumber) {
  return FormatDay(dayNumber, "%02d.%02d.%04d");
}

std::string WeekPlan::IniPath() {
  return (ctx().options ? ctx().options->Str(2) : std::string()) + "WPlan.ini";
}

std::string WeekPlan::TextPath() {
  return (ctx().options ? ctx().options->Str(4) : std::string()) + "WPlan.txt";
}

bool WeekPlan::LoadWeekPlan() {
  entries.clear();
  ProfileIni ini(IniPath());
  if (file_.TooLarge(NativePath(IniPath()))) return false;
  const bool read = ini.Load();
  file_.Read(NativePath(IniPath()), read, ini.HeldNul());
  if (!read) return false;
  for (int k = 0; k < kColumns; ++k) {
    const int day = weekStart + k;
    const std::string section = WeekPlanSectionName(day);
    const size_t first = entries.size();
    for (int n = 0;; ++n) {
      const long long book = ini.ReadInteger(section, Key("Book", n), -1);
      if (book < 0) break;
      WPLAN e;
      e.book = static_cast<int16_t>(static_cast<uint16_t>(book));
      e.recipeNo = static_cast<int32_t>(ini.ReadInteger(section, Key("RID", n), 0));
      e.servings = static_cast<int32_t>(ini.ReadInteger(section, Key("ServAnz", n), 0));
      e.pos = static_cast<int32_t>(ini.ReadInteger(section, Key("Pos", n), 0));
      e.text = ini.ReadString(section, Key("Titel", n), "");
      e.servingKind = ini.ReadString(section, Key("ServArt", n), "");
      e.remark = ini.ReadString(section, Key("Bem", n), "");
      e.isRecipe = ini.ReadString(section, Key("Type", n), "R") == "R";
      e.day = day;
      entries.push_back(std::move(e));
    }
    // A hand-edited day may repeat or skip positions; numbered again in their order, every
    // entry keeps a cell of its own.
    std::stable_sort(entries.begin() + static_cast<long>(first), entries.end(),
                     [](const WPLAN& a, const WPLAN& b) { return a.pos < b.pos; });
    for (size_t i = first; i < entries.size(); ++i)
      entries[i].pos = static_cast<int32_t>(i - first);
  }
  return true;
}

bool WeekPlan::SaveWeekPlan() {
  if (!file_.MayWrite()) return false;  // said by the guard
  ProfileIni ini(IniPath());
  // A file that is there but cannot be read is never written over.
  if (!ini.Load()) {
    SaveFailed();
    return false;
  }
  for (int k = 0; k < kColumns; ++k) ini.EraseSection(WeekPlanSectionName(weekStart + k));
  std::vector<const WPLAN*> order;
  for (const WPLAN& e : entries) order.push_back(&e);
  std::stable_sort(order.begin(), order.end(), [](const WPLAN* a, const WPLAN* b) {
    return a->day != b->day ? a->day < b->day : a->pos < b->pos;
  });
  for (const WPLAN* e : order) {
    const std::string section = WeekPlanSectionName(e->day);
    const int n = e->pos;
    ini.WriteInteger(section, Key("Book", n), static_cast<uint16_t>(e->book));
    ini.WriteInteger(section, Key("RID", n), e->recipeNo);
    ini.WriteInteger(section, Key("Pos", n), e->pos);
    ini.WriteInteger(section, Key("ServAnz", n), e->servings);
    ini.WriteString(section, Key("Titel", n), e->text);
    ini.WriteString(section, Key("ServArt", n), e->servingKind);
    ini.WriteString(section, Key("Bem", n), e->remark);
    ini.WriteString(section, Key("Type", n), e->isRecipe ? "R" : "B");
  }
  if (ini.Save()) return true;
  SaveFailed();
  return false;
}

void WeekPlan::DrawWeekGrid() {
  for (const WPLAN& e : entries) {
    const int col = e.day - weekStart;
    if (col < 0 || col >= kColumns) continue;
    if (rowCount_ - 2 < e.pos + 1) rowCount_ = e.pos + 3;
  }
  cells_.assign(static_cast<size_t>(rowCount_) * kColumns, -1);
  for (size_t i = 0; i < entries.size(); ++i) {
    const WPLAN& e = entries[i];
    const int col = e.day - weekStart;
    if (col < 0 || col >= kColumns || e.pos < 0) continue;
    cells_[static_cast<size_t>(e.pos + 1) * kColumns + col] = static_cast<int>(i);
  }
}

int WeekPlan::CellIndex(int col, int row) const {
  if (col < 0 || col >= kColumns || row < 1 || row >= rowCount_) return -1;
  const size_t at = static_cast<size_t>(row) * kColumns + col;
  return at < cells_.size() ? cells_[at] : -1;
}

int WeekPlan::EntryAt(int day, int row) const {
  int found = -1;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].day == day && entries[i].pos + 1 == row) found = static_cast<int>(i);
  return found;
}

int WeekPlan::FindWeekPlanEntry(int col, int row) const {
  if (row < 1) return -1;
  return EntryAt(weekStart + col, row);
}

void WeekPlan::MakeRoom(WPLAN& entry) {
  int max = -1;
  for (WPLAN& e : entries) {
    if (e.day != entry.day) continue;
    max = std::max(max, e.pos);
    if (e.pos >= entry.pos) ++e.pos;
  }
  if (max < entry.pos) entry.pos = max + 1;
}

bool WeekPlan::AddRecipeToWeekPlan(const REZBLOCK& recipe, int16_t book, int32_t number) {
  if (dropCol < 0 || dropCol >= kColumns) return false;
  WPLAN e;
  e.isRecipe = true;
  e.book = book;
  e.recipeNo = number;
  e.text = recipe.title;
  e.servings = recipe.servings;
  e.servingKind = recipe.servingType;
  e.day = weekStart + dropCol;
  e.pos = std::max(dropRow - 1, 0);
  MakeRoom(e);
  entries.push_back(std::move(e));
  return true;
}

void WeekPlan::InsertWeekPlanEntry(WPLAN entry, int col, int row) {
  if (col < 0 || col >= kColumns) return;
  entry.isRecipe = false;
  entry.day = weekStart + col;
  entry.pos = std::max(row - 1, 0);
  MakeRoom(entry);
  entries.push_back(std::move(entry));
  SaveWeekPlan();
  DrawWeekGrid();
}

bool WeekPlan::MoveWeekPlanEntryUp(int col, int& row) {
  if (row <= 1) return false;
  const int a = CellIndex(col, row), b = CellIndex(col, row - 1);
  if (a < 0 || b < 0) return false;
  // The two entries trade places; the cells keep pointing at the same indexes.
  std::swap(entries[a], entries[b]);
  std::swap(entries[a].pos, entries[b].pos);
  --row;
  SaveWeekPlan();
  return true;
}

bool WeekPlan::MoveWeekPlanEntryDown(int col, int& row) {
  const int a = CellIndex(col, row), b = CellIndex(col, row + 1);
  if (a < 0 || b < 0) return false;
  std::swap(entries[a], entries[b]);
  std::swap(entries[a].pos, entries[b].pos);
  ++row;
  SaveWeekPlan();
  return true;
}

void WeekPlan::DeleteWeekPlanCell(int col, int row) {
  const int day = weekStart + col;
  int found = -1;
  for (size_t i = 0; i < entries.size() && found < 0; ++i)
    if (entries[i].day == day && entries[i].pos + 1 == row) found = static_cast<int>(i);
  if (found < 0) return;
  const int pos = entries[found].pos;
  for (WPLAN& e : entries)
    if (e.day == day && e.pos > pos) --e.pos;
  entries[found] = std::move(entries.back());
  entries.pop_back();
}

bool WeekPlan::DeleteStoredDays(int mode, int today) {
  ProfileIni ini(IniPath());
  if (!ini.Load()) {
    SaveFailed();
    return false;
  }
  for (const std::string& name : ini.ReadSections()) {
    int d = 0, m = 0, y = 0;
    const bool isDate = ParseDate(name, d, m, y) == 1;
    if (mode == 2 || (isDate && DayNumber(y, m, d) < today)) ini.EraseSection(name);
  }
  const bool saved = ini.Save();
  if (!saved) SaveFailed();
  LoadWeekPlan();
  return saved;
}

std::string WeekPlan::DayHeader(int col) const {
  return GetLangText(351 + col) + " " + ShortDateText(weekStart + col);
}

std::string WeekPlan::TitleCaption() const {
  int y, m, d;
  DateOfDay(weekStart, y, m, d);
  return GetLangText(748) + GetLangText(990) + std::to_string(WeekOfYear(d, m, y)) + ")";
}

std::string WeekPlan::WeekPart() const {
  const std::string title = TitleCaption();
  const size_t open = title.rfind('(');
  return open == std::string::npos ? std::string() : title.substr(open);
}

std::string WeekPlan::WeekPlanText(int& count) const {
  count = 0;
  std::string out = GetLangText(282) + ShortDateText(weekStart) + GetLangText(283) +
                    ShortDateText(weekStart + 6) + "   " + WeekPart() + "\r\n";
  for (int col = 0; col < kColumns; ++col) {
    std::vector<const WPLAN*> day;
    for (const WPLAN& e : entries)
      if (e.day == weekStart + col && e.pos >= 0) day.push_back(&e);
    std::stable_sort(day.begin(), day.end(),
                     [](const WPLAN* a, const WPLAN* b) { return a->pos < b->pos; });
    for (size_t i = 0; i < day.size(); ++i) {
      const WPLAN& e = *day[i];
      ++count;
      if (i == 0)
        out += "D:" + GetLangText(284 + col) + ", " + ShortDateText(weekStart + col) + "\r\n";
      if (e.isRecipe) {
        out += "T:" + e.text + "  (" + std::to_string(e.servings) + " " + e.servingKind + ")\r\n";
        if (!e.remark.empty()) out += "B:" + e.remark + "\r\n";
      } else {
        out += "T:" + e.text + "\r\n";
      }
      out += "\r\n";
    }
  }
  return out;
}

int WeekPlan::WriteWeekPlanText() const {
  int count = 0;
  const std::string text = WeekPlanText(count);
  const std::string path = TextPath();
  MakeDirs(NativePath(path.substr(0, path.find_last_of("/\\") + 1)));
  if (!WriteFileAtomic(NativePath(path), text)) {
    MessageBox(GetLangText(281), GetLangText(15), MB_OK | MB_ICONERROR);
    return 0;
  }
  return count;
}

}  // namespace tav
