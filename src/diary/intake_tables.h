#pragma once
// The intake tables "StoffCalc.dat" (data folder): per nutrient the recommended daily intake by
// age and sex, with rows for pregnant and nursing women, and the standard requirement of a
// person taken from them. The intake-table window TZufuhrDlg is this store (it derives from
// it); it reads the file when it is created and reaches the rest of the program through
// ctx().intake.
//
// A line: the code, '#', then one group "A<age>:<male>/<female>#" per row; values with three
// decimals and '.', -1 for none. A row covers the ages up to its bound that no earlier row
// covers; 999 is the open end, 1000 pregnant and 1001 nursing women (female value only).
#include <string>
#include <vector>

#include "diary/diary_records.h"
#include "services/store_file.h"

namespace tav {

struct ZUFUHRAGE {
  int age = 0;
  double male = -1;
  double female = -1;
};

struct ZUFUHR {
  std::string code;             // compared exactly; at most 7 characters
  std::string unit;             // set by the editor, not stored
  std::vector<ZUFUHRAGE> rows;  // in stored order (the editor keeps them ascending)
};

class IntakeTables {
 public:
  static constexpr int kOpenEnd = 999;
  static constexpr int kPregnant = 1000;
  static constexpr int kNursing = 1001;

  IntakeTables() = default;
  virtual ~IntakeTables() = default;

  // Replaces the tables by the file's; false (no message, no tables) when it is missing or
  // cannot be read.
  bool ReadStoffCalc();
  // Writes the tables that hold a value; message 891 and false when the file cannot be
  // written (the file and the tables stay as they were). A file that could not be read whole
  // goes through StoreFileGuard first.
  bool WriteStoffCalc();
  // True when the tables are the whole file: only then does a nutrient without a table have
  // no standard value (a person's rows for it may be dropped).
  bool Complete() const { return file_.Found() == FileFound::kWhole; }
  // Index of the first table of that code; -1 when none.
  int FindIntakeTable(const std::string& code) const;
  // The standard daily value of the nutrient for the named person ("" the active one) at
  // today's age; -1 when there is none.
  double GetStandardRequirement(const std::string& code, const std::string& person) const;
  // The same for a person record and an age in full years.
  double StandardRequirementFor(const std::string& code, const ENPERSON& person, int age) const;

  std::vector<ZUFUHR> tables;

 private:
  StoreFileGuard file_;
};

// One line of the file; false when the line gives no table (no '#', a code longer than 7
// characters, or a group that does not start with 'A').
bool ParseStoffCalcLine(const std::string& line, ZUFUHR& out);
// The line of a table as the writer writes it; "" when the table holds no value.
std::string StoffCalcLine(const ZUFUHR& table);
// The lookup of one table for an age, sex and pregnancy mark.
double IntakeValueFor(const ZUFUHR& table, int age, char sex, char pregnancy);

}  // namespace tav
