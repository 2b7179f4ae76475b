// The weight log of the active person, "Konten/<name>/Weight.dat": one entry a line,
//   DDMMYYYY:hhmm<value 0>#<value 1>#<comment>#<value 2>#<value 4>#<value 3>#<value 5>
// with the month 0-11 (January is 00). Lines are read whole; a line too short for its date is
// skipped.
#include <algorithm>
#include <cstdio>

#include "diary/diary_module.h"
#include "diary/diary_text.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

constexpr size_t kMaxComment = 450;
constexpr size_t kDateLength = 8;

// The field order of a line: value 0, value 1, comment, value 2, value 4, value 3, value 5.
std::string* TextOfField(GEWICHTLIST& w, int field) {
  static constexpr int kValue[] = {0, 1, -1, 2, 4, 3, 5};
  return kValue[field] < 0 ? &w.comment : &w.values[kValue[field]];
}

// Each character taken as a digit value, as the file has it; 0 beyond the line.
int Digits(const std::string& line, size_t from, size_t count) {
  int v = 0;
  for (size_t i = from; i < from + count; ++i) v = v * 10 + (i < line.size() ? line[i] - '0' : 0);
  return v;
}

bool DateAfter(const GEWICHTLIST& w, int day, int month, int year) {
  if (w.year != year) return w.year > year;
  if (w.month != month) return w.month > month;
  return w.day > day;
}

// The language code, taken from the language folder (option 52).
std::string LanguageCode() {
  std::string folder = ctx().options ? ctx().options->Str(52) : std::string();
  while (!folder.empty() && IsSeparator(folder.back())) folder.pop_back();
  const size_t sep = LastSeparator(folder);
  return sep == std::string::npos ? folder : folder.substr(sep + 1);
}

}  // namespace

std::string TENApplogMod::WeightPath() const {
  const std::string folder = PersonFolder(activePerson);
  return folder.empty() ? std::string() : FindFileNoCase(folder + "Weight.dat");
}

bool TENApplogMod::ReadWeightList() {
  weights.clear();
  weightsChanged = false;
  const std::string path = WeightPath();
  if (path.empty()) return false;
  // One line a day for a century is 2 MB; a larger file is no weight log.
  if (weightFile_.TooLarge(path)) return false;
  LineReader in(path);
  if (!in.IsOpen()) {
    weightFile_.Read(path, false, false);
    return false;
  }
  bool damaged = false;
  std::string line;
  while (in.Next(line)) {
    if (line.size() <= kDateLength) {  // no room for a value: not an entry
      damaged = damaged || !line.empty();
      continue;
    }
    GEWICHTLIST w;
    w.day = Digits(line, 0, 2);
    w.month = Digits(line, 2, 2);
    w.year = Digits(line, 4, 4);
    size_t pos = kDateLength;
    if (line[kDateLength] == ':') {
      w.hour = Digits(line, 9, 2);
      w.minute = Digits(line, 11, 2);
      pos = std::min<size_t>(13, line.size());
    }
    for (int field = 0; field < 7 && pos <= line.size(); ++field) {
      size_t end = line.find('#', pos);
      if (end == std::string::npos) end = line.size();
      *TextOfField(w, field) = line.substr(pos, end - pos);
      pos = end + 1;
    }
    weights.push_back(std::move(w));
  }
  weightFile_.Read(path, in, damaged);
  return !in.Failed();
}

bool TENApplogMod::WriteWeightList() {
  if (!weightsChanged) return true;
  const std::string path = WeightPath();
  if (path.empty()) return false;
  std::string out;
  for (GEWICHTLIST& w : weights) {
    if (w.comment.size() > kMaxComment) w.comment.resize(kMaxComment);
    char head[64];
    std::snprintf(head, sizeof head, "%02d%02d%04d:%02d%02d", w.day, w.month, w.year, w.hour,
                  w.minute);
    out += head;
    for (int field = 0; field < 7; ++field) {
      if (field > 0) out += '#';
      out += *TextOfField(w, field);
    }
    out += "\r\n";
  }
  if (!weightFile_.MayWrite() || !MakeDirs(PersonFolder(activePerson)) ||
      !WriteFileAtomic(path, out))
    return false;
  weightsChanged = false;
  return true;
}

void TENApplogMod::WeightChanged() {
  // Written with every change: the program's end destroys no module, and a backup taken
  // meanwhile must hold what was typed.
  weightsChanged = true;
  // A log the user chose to keep as it was (its file could not be read) is not written, and
  // that was said when it was asked.
  if (!WriteWeightList() && !weightFile_.Refused())
    MessageBox(GetLangText(891), GetLangText(15), MB_OK);
}

void TENApplogMod::FillWeightGrid(TextGrid& grid) const {
  if (weights.empty()) {
    grid.SetRowCount(2);
    grid.ClearRow(1);
    grid.currentRow = 1;
    grid.enabled = false;
    return;
  }
  grid.SetRowCount(static_cast<int>(weights.size()) + 1);
  grid.enabled = true;
  const bool point = LanguageCode() != "NL";
  const std::vector<int> parts =
      ctx().options ? ctx().options->ShownWeightParts() : std::vector<int>();
  for (size_t i = 0; i < weights.size(); ++i) {
    const GEWICHTLIST& w = weights[i];
    const int row = static_cast<int>(i) + 1;
    grid.SetCell(0, row,
                 std::to_string(w.day) + (point ? ". " : " ") + GetLangText(236 + w.month) + " " +
                     std::to_string(w.year));
    char time[32];
    std::snprintf(time, sizeof time, "%02d:%02d", w.hour, w.minute);
    grid.SetCell(1, row, time);
    int col = 2;
    for (int k : parts) grid.SetCell(col++, row, w.values[k]);
    grid.SetCell(col, row, w.comment);
  }
  grid.currentRow = static_cast<int>(weights.size());
}

bool TENApplogMod::GetWeightEntry(int index, GEWICHTLIST** out) {
  if (index < 0 || static_cast<size_t>(index) >= weights.size()) {
    *out = nullptr;
    return false;
  }
  *out = &weights[static_cast<size_t>(index)];
  return true;
}

int TENApplogMod::AddWeightEntry(int day, int month, int year) {
  const LocalNow now = CurrentLocalTime();
  return AddWeightEntryAt(day, month, year, now.hour, now.minute);
}

int TENApplogMod::AddWeightEntryAt(int day, int month, int year, int hour, int minute) {
  const bool several = ctx().options && ctx().options->Flag(76);
  size_t at = weights.size();
  for (size_t i = 0; i < weights.size(); ++i) {
    const GEWICHTLIST& w = weights[i];
    if (DateAfter(w, day, month, year)) {
      at = i;
      break;
    }
    const bool sameDate = w.day == day && w.month == month && w.year == year;
    if (sameDate && (!several || (w.hour == hour && w.minute == minute))) {
      MessageBox(GetLangText(469), GetLangText(15), MB_OK);
      return static_cast<int>(i);
    }
  }
  GEWICHTLIST w;
  w.day = day;
  w.month = month;
  w.year = year;
  w.hour = hour;
  w.minute = minute;
  weights.insert(weights.begin() + static_cast<std::ptrdiff_t>(at), std::move(w));
  WeightChanged();
  return static_cast<int>(at);
}

void TENApplogMod::DeleteWeightEntry(int day, int month, int year, int hour, int minute) {
  const auto it = std::find_if(weights.begin(), weights.end(), [&](const GEWICHTLIST& w) {
    return w.day == day && w.month == month && w.year == year && w.hour == hour &&
           w.minute == minute;
  });
  if (it == weights.end()) return;
  weights.erase(it);
  WeightChanged();
}

void TENApplogMod::SetWeightTime(int index, const std::string& text) {
  GEWICHTLIST* w = nullptr;
  if (!GetWeightEntry(index, &w)) return;
  const size_t colon = text.find(':');
  if (colon != std::string::npos) {
    w->hour = static_cast<int>(ReadLong(std::string_view(text).substr(0, colon)));
    w->minute = static_cast<int>(ReadLong(std::string_view(text).substr(colon + 1)));
  }
  WeightChanged();
}

void TENApplogMod::SetWeightValue(int index, int column, const std::string& text) {
  GEWICHTLIST* w = nullptr;
  if (column < 0 || column > 5 || !GetWeightEntry(index, &w)) return;
  w->values[column] = text;
  CleanFieldText(w->values[column], true);
  WeightChanged();
}

void TENApplogMod::SetWeightComment(int index, const std::string& text) {
  GEWICHTLIST* w = nullptr;
  if (!GetWeightEntry(index, &w)) return;
  w->comment = text;
  CleanFieldText(w->comment, true);
  WeightChanged();
}

}  // namespace tav
