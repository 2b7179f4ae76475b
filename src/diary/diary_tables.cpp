// The tables built from the loaded months: the day table and the period table of the
// overview, and the day values of the day panel.
#include <algorithm>

#include "diary/diary_module.h"
#include "diary/diary_text.h"
#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "services/context.h"
#include "services/tools_module.h"

namespace tav {

namespace {

// One nutrient column: its value index, unit cut before the first '/', and code.
struct Column {
  int index;
  std::string unit;
  std::string code;
};

std::string CutUnit(const char* unit) {
  const std::string u(unit);
  return u.substr(0, u.find('/'));
}

// The nutrients shown under the current filter (or the day-value group), in position order.
std::vector<Column> VisibleColumns(bool dayGroup) {
  std::vector<Column> columns;
  NutrientTable* table = ctx().nutrients;
  if (!table) return columns;
  for (int p = 0; p < table->GetStoffCount(); ++p) {
    ISTOFF s;
    const bool shown = dayGroup ? table->GetDayStoffAtPos(p, &s) : table->GetStoffAtPos(p, &s);
    if (shown) columns.push_back({s.index, CutUnit(s.unit), s.code});
  }
  return columns;
}

int PositionCount() {
  return ctx().nutrients ? ctx().nutrients->GetStoffCount() : 0;
}

long DateKey(int day, int month, int year) {
  return (static_cast<long>(year) * 12 + month) * 32 + day;
}

// The mark of a day value against a requirement: "" without a check.
std::string Mark(const std::string& value, bool hasRow, double required, char alarm) {
  if (!hasRow || required < 0 || value.empty() || value[0] < '0' || value[0] > '9') return "";
  double v = 0;
  if (!ReadWholeNumber(value, v)) return "";
  if (alarm == '>') return v > required ? ">" : "U";
  if (alarm == '<') return v >= required ? "O" : "<";
  return "";
}

void EmptyCells(TextGrid& grid, int row, int first, int count) {
  for (int c = first; c < first + count; ++c) grid.SetCell(c, row, std::string());
}

// The size of a table of `rows` rows whose nutrient columns start at `first`: with numbers in
// it as wide as they reach, else one empty nutrient column (and one empty row without rows).
void SizeTable(TextGrid& grid, int rows, int widest, int first) {
  if (widest > 0 && rows > 0) {
    grid.SetColCount(widest + first);
    grid.SetRowCount(rows + 1);
    return;
  }
  grid.SetColCount(first + 1);
  grid.SetCell(first, 0, std::string());
  grid.SetRowCount(rows > 0 ? rows + 1 : 2);
  if (rows == 0) EmptyCells(grid, 1, 0, first + 1);
}

}  // namespace

void TENApplogMod::FillDayGrid(TextGrid& grid, int day, int month, int year) const {
  if (months.empty()) return;
  const std::vector<Column> columns = VisibleColumns(false);
  const int positions = PositionCount();
  int r = 0, widest = 0;
  for (const ENMONTH& m : months) {
    if (m.month != month || m.year != year) continue;
    for (const ENDAY& d : m.days) {
      if (d.day != day) continue;
      for (const ENENTRY& e : d.entries) {
        ++r;
        grid.SetCell(0, r, e.name);
        grid.SetCell(1, r, FormatGeneral(e.amount) + " " + e.unit);
        grid.SetCell(2, r, e.calculated ? " " : "");
        if (!e.calculated) {
          EmptyCells(grid, r, 3, positions);
          continue;
        }
        int n = 0;
        for (const Column& col : columns) {
          // A recipe has no key nor names of its own: ">RezSum" or "0" stand there.
          const bool none = e.isRecipe && IsTextColumn(static_cast<size_t>(col.index));
          grid.SetCell(
              3 + n, r,
              none ? std::string() : e.food.Value(static_cast<size_t>(col.index)) + " " + col.unit);
          ++n;
        }
        widest = std::max(widest, n);
      }
    }
  }
  SizeTable(grid, r, widest, 3);
}

void TENApplogMod::FillPeriodGrid(TextGrid& grid, int fromDay, int fromMonth, int fromYear,
                                  int toDay, int toMonth, int toYear) const {
  if (months.empty()) return;
  const std::vector<Column> columns = VisibleColumns(false);
  // The active person's requirement of each column, looked up once.
  struct Requirement {
    bool hasRow = false;
    double value = -1;
    char alarm = '-';
  };
  std::vector<Requirement> required(columns.size());
  for (size_t i = 0; i < columns.size(); ++i)
    required[i].hasRow = GetDailyRequirement(columns[i].code, required[i].value, required[i].alarm);
  const int positions = PositionCount();
  const long from = DateKey(fromDay, fromMonth, fromYear), to = DateKey(toDay, toMonth, toYear);
  int r = 0, widest = 0;
  for (const ENMONTH& m : months) {
    for (const ENDAY& d : m.days) {
      const long key = DateKey(d.day, m.month, m.year);
      if (key < from || key > to) continue;
      ++r;
      grid.SetCell(
          0, r,
          std::to_string(d.day) + "." + std::to_string(m.month + 1) + "." + std::to_string(m.year));
      grid.SetCell(1, r, d.complete ? " " : "");
      if (!d.complete) {
        EmptyCells(grid, r, 2, positions);
        continue;
      }
      // A day whose values were cut short (a damaged file) shows no numbers.
      const bool whole = d.dayValues.values.size() >= 145;
      int n = 0;
      for (size_t i = 0; i < columns.size(); ++i) {
        if (whole) {
          // Older files hold sums of the text columns too; they mean nothing.
          if (IsTextColumn(static_cast<size_t>(columns[i].index))) {
            grid.SetCell(2 + n++, r, std::string());
            continue;
          }
          const std::string& value = d.dayValues.Value(static_cast<size_t>(columns[i].index));
          const Requirement& q = required[i];
          grid.SetCell(2 + n, r,
                       Mark(value, q.hasRow, q.value, q.alarm) + value + "  " + columns[i].unit);
        }
        ++n;
      }
      widest = std::max(widest, n);
    }
  }
  SizeTable(grid, r, widest, 2);
}

void TENApplogMod::AggregateDayValues(int day, int month, int year) {
  dayValues.clear();
  if (PositionCount() == 0) return;
  const std::vector<Column> columns = VisibleColumns(true);
  for (const Column& col : columns) {
    DAYVALUE row;
    const ISTOFF* s = ctx().nutrients->StoffAt(col.index);
    row.name = s ? s->name : std::string();
    row.unit = col.unit;
    double value = 0;
    char alarm = '-';
    if (GetDailyRequirement(col.code, value, alarm)) {
      row.requirement = value;
      row.isMaximum = alarm == '>';
    }
    dayValues.push_back(std::move(row));
  }
  const int mi = FindMonthIndex(month, year);
  const int di = FindDayIndex(day, mi);
  if (di < 0) return;
  int unread = 0;
  std::string first;
  for (const ENENTRY& e : months[static_cast<size_t>(mi)].days[static_cast<size_t>(di)].entries) {
    for (size_t r = 0; r < columns.size(); ++r) {
      if (IsTextColumn(static_cast<size_t>(columns[r].index))) continue;
      const std::string& text = e.food.Value(static_cast<size_t>(columns[r].index));
      if (text.empty()) continue;  // the food has no value there
      double v = 0;
      if (ReadWholeNumber(text, v)) {
        dayValues[r].sum += v;
      } else if (unread++ == 0) {
        first = text;
      }
    }
  }
  // Left out of the sums and written down, never thrown at the user.
  if (unread > 0 && ctx().tools)
    ctx().tools->WriteLog("Day values of " + std::to_string(day) + "." + std::to_string(month + 1) +
                              "." + std::to_string(year) + ": " + std::to_string(unread) +
                              " value(s) not read, first \"" + first + "\"",
                          0);
}

}  // namespace tav
