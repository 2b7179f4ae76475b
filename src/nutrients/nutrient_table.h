#pragma once
// The nutrient table (every column of the food database, read from Fields.bls) and the filter
// groups (FiltGrps.bls, Filt_<id>.bls). Every nutrient value anywhere is addressed by its
// index in this table, which is also its field number in a Data.bls record: 0 the food key,
// 4 energy in kcal, 5 energy in kJ.
//
// The filter window TBLSFilterDlg is this store. The current filter is the entry chosen in the
// food browser's filter list; the store keeps that list's entries and choice, and the windows
// that show a filter list mirror them (AddFilterListListener).
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "services/store_file.h"

namespace tav {

// One nutrient definition.
struct ISTOFF {
  char code[8] = {};  // at most 7 characters
  std::string name;
  int position = 0;      // display position under the filter applied last
  int index = 0;         // own table index; written by GetStoffAtPos / GetDayStoffAtPos
  bool visible = false;  // shown under the filter applied last
  char unit[20] = {};    // at most 19 characters, e.g. "mg/100g"
  char kind = 0;         // second flag character of the Fields.bls line, kept as read
  bool isText = false;   // the column holds text (flag "C")
};

// One filter group.
struct FILTGRP {
  std::string name;
  long id = 0;  // names the file Filt_<id>.bls
  bool forDayValues = false;
};

class NutrientTable {
 public:
  NutrientTable() = default;
  virtual ~NutrientTable() = default;

  // Start-up: FiltGrps.bls (message 381 when missing), then Fields.bls (message 382 when it
  // cannot be opened: the table stays empty and nothing else is done), then the filter lists
  // and the day-value table. False when Fields.bls could not be read.
  bool LoadNutrientTable();

  // Readers of the single files; false when the file cannot be opened (no message).
  bool ReadFieldsFile(const std::string& path);
  bool ReadFilterGroupsFile(const std::string& path);

  // Queries.
  int GetStoffCount() const { return static_cast<int>(stoffe_.size()); }
  void PrepareFilter(bool all);
  bool GetStoffAtPos(int pos, ISTOFF* out);
  bool GetDayStoffAtPos(int pos, ISTOFF* out);
  bool FindStoffByCode(const std::string& code, ISTOFF* out) const;
  // Entry `index` (0 .. count-1); null outside the table.
  void GetStoffPtr(int index, ISTOFF** out);
  const ISTOFF* StoffAt(int index) const;
  int StoffIndexOfCode(const char* code) const;
  bool IsTextStoff(int index) const;
  void FillFilterGroupCombos();
  void BuildDayStoffTable();

  // Filter groups.
  bool LoadFilterFields(long id);
  bool SaveFilterFields();
  bool SaveFilterGroups();
  void ResetFilterFields();
  virtual void FillFilterGroupList() {}  // the filter window's own list

  // The filter lists: the all-nutrients entry (language text 380) and every group name,
  // sorted; the all-nutrients entry stands first.
  const std::vector<std::string>& FilterEntries() const { return filterEntries_; }
  // The entry chosen in the food browser's list (option 53 keeps it); -1 for none.
  int ChosenFilter() const { return chosenFilter_; }
  void SetChosenFilter(int index) { chosenFilter_ = index; }
  std::string ChosenFilterText() const;
  // Called after the filter lists were refilled; the id removes the listener again.
  int AddFilterListListener(std::function<void()> listener);
  void RemoveFilterListListener(int id);

  std::vector<ISTOFF>& Stoffe() { return stoffe_; }
  const std::vector<ISTOFF>& DayStoffe() const { return dayStoffe_; }
  std::vector<FILTGRP>& Groups() { return groups_; }
  int currentGroup = -1;  // the group being edited in the filter window
  bool updating = false;  // set while the filter window sets its day-values check box

 private:
  static bool FindAtPos(std::vector<ISTOFF>& table, int pos, ISTOFF* out);

  std::vector<ISTOFF> stoffe_;
  std::vector<ISTOFF> dayStoffe_;
  std::vector<FILTGRP> groups_;
  std::vector<std::string> filterEntries_;
  int chosenFilter_ = -1;
  std::vector<std::pair<int, std::function<void()>>> listeners_;
  int nextListener_ = 0;
  // How FiltGrps.bls and each Filt_<id>.bls read: a file not read whole is kept or asked
  // about before it is written anew.
  StoreFileGuard groupsFile_;
  bool groupsTooLarge_ = false;
  std::map<long, StoreFileGuard> filterFiles_;
};

// Parses one Fields.bls line; false for a line that is skipped (no ';', or no closing quote
// after the name).
bool ParseFieldsLine(const std::string& line, ISTOFF& out);

}  // namespace tav
