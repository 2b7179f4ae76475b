#pragma once
// What the intake-table editor does to one table: age rows added in ascending order, rows
// deleted (never the open end), the row labels, and the texts of the value cells both ways.
#include <string>

#include "diary/intake_tables.h"

namespace tav {

// The bounds a user can type as an age: whole years from 1 up to below the open end.
constexpr int kMinAgeBound = 1;
constexpr int kMaxAgeBound = IntakeTables::kOpenEnd - 1;

// Inserts the row {bound, -1, -1} after every row with a smaller bound; false (nothing added)
// when the table has that bound already or the bound is 0.
bool AddAgeBound(ZUFUHR& table, int bound);
// Removes a row unless it is the open end; false when nothing was removed.
bool DeleteAgeRow(ZUFUHR& table, int row);
// The label of a row: the open end (457 as the first row, else 487), pregnant (484), nursing
// (485), or "up to n years" (486).
std::string IntakeRowLabel(const ZUFUHR& table, int row);
// A row or more with a value for men or women.
bool IntakeHasValues(const ZUFUHR& table);
// A pregnant or nursing row: a value for women only.
bool IsWomenOnlyRow(const ZUFUHRAGE& row);
// "" for no value, else the general number form with the user's separator.
std::string IntakeCellText(double value);
// A typed cell: empty (blanks only) is no value (-1); else the whole text must be a number of
// 0 or more, with ',' or '.' as separator. False for anything else; `value` is then untouched.
bool ParseIntakeCell(const std::string& text, double& value);
// A typed age: a whole number from kMinAgeBound to kMaxAgeBound, blanks around it allowed.
bool ParseAgeBound(const std::string& text, int& bound);

}  // namespace tav
