#pragma once
// The diary data module: the diary persons with their daily requirements (Users.dat), the
// active person, and of the active person the weight log (Weight.dat) and the loaded months
// (one file a month, "Konten/<name>/mMMYYYY.dat" in the data folder). Every diary window works
// on the one instance ENApplogMod; docs/diary.md describes the files and how the windows use
// the module. Months are 0-11 in every operation; names are compared exactly.
//
// The module writes a month itself after every change it makes (adding, deleting, changing an
// amount). A month whose file could not be read to its end is never written over. The recipe
// list and the food browser reach the adding operations through DiaryAccess.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "diary/diary_records.h"
#include "diary/text_grid.h"
#include "services/diary_access.h"
#include "services/store_file.h"

namespace tav {

class TENApplogMod : public DiaryAccess {
 public:
  // Start-up: reads option 61 and Users.dat, selects the remembered person when it exists and
  // refreshes every requirement from the intake tables (ctx().intake).
  TENApplogMod();
  // Writes the weight log when it changed. Months and persons are written as they change.
  ~TENApplogMod() override;
  TENApplogMod(const TENApplogMod&) = delete;
  TENApplogMod& operator=(const TENApplogMod&) = delete;

  // --- persons ----------------------------------------------------------------------------
  // Users.dat: a missing or unreadable file leaves the persons as they are.
  void ReadUsers();
  // Message 891 and false when the file cannot be written (it stays as it was).
  bool WriteUsers();
  // The first person of that name; false (out untouched) when there is none.
  bool FindPerson(const std::string& name, ENPERSON** out);
  // Appends a copy; a line break in the name becomes a blank.
  void AddPerson(ENPERSON person);
  // Removes the first person of that name. When it was the active person, its months are
  // saved and unloaded and its weight log written and dropped; the first remaining person
  // becomes active (its weight log read), or with nobody left the active name is emptied and
  // the diary views are closed (hooks.closeDiaryViews).
  void DeletePerson(const std::string& name);
  // Makes the name the active person, stores it as option 61 and notifies the views. It
  // neither saves nor unloads: SwitchPerson does the whole change.
  void SelectPerson(const std::string& name);
  // The whole change of the active person as the views do it: the loaded months are saved and
  // unloaded, the weight log written; then SelectPerson and the new person's weight log.
  void SwitchPerson(const std::string& name);
  std::string GetActivePersonName() const { return activePerson; }
  // True when there is an active person; with no person at all message 443 (title 2) and the
  // person list (hooks.showPersonList); then true when a person exists.
  bool CheckPersonExists();
  // The person dialog on the active person (hooks.showPersonDialog).
  void EditActivePerson();
  // Rows 1.. name and birth date "d.m.yyyy"; with no person one empty row.
  void FillPersonGrid(TextGrid& grid) const;
  // The person names in list order (the person combo boxes).
  std::vector<std::string> PersonNames() const;
  // Full years of life today / on a date (month 1-12).
  static int GetPersonAge(const ENPERSON* person);
  static int PersonAgeOn(const ENPERSON& person, int day, int month, int year);
  // Standard and effective value of every requirement row of every person.
  void UpdateRequirements();
  // The active person's first requirement row of that code: its effective value and alarm.
  // False (outputs untouched) without such a row or without an active person. Opens nothing.
  bool GetDailyRequirement(const std::string& code, double& value, char& alarm) const;

  // --- months, days, entries --------------------------------------------------------------
  // 0 not loaded, 1 loaded and as in its file, 2 loaded and changed.
  int IsMonthLoaded(int month, int year) const;
  int FindMonthIndex(int month, int year) const;
  int FindDayIndex(int day, int monthIndex) const;
  ENMONTH* GetMonth(int month, int year);
  ENDAY* GetDay(int day, int month, int year);
  ENENTRY* GetDayEntry(int day, int month, int year, int index);
  // The entries of a day in entry order: name and index in the day. Returns their number.
  int FillDayEntryList(int day, int month, int year,
                       std::vector<std::pair<std::string, int>>& items) const;
  // Loads a month of the active person (a month already loaded stays as it is). A missing
  // file gives an empty month that is written at the next save; a file that cannot be read to
  // its end gives false and a damaged month with what was read. False without a person.
  bool LoadMonth(int month, int year);
  // Writes a loaded, changed month (true without writing when it is unchanged). A damaged
  // month is refused with message 890; a write failure shows message 478. Both give false.
  bool SaveMonth(int month, int year);
  // SaveMonth for every loaded month; the AND of the results.
  bool SaveAllMonths();
  // Drops every loaded month without writing.
  void UnloadAllMonths();
  void MarkMonthDirty(int month, int year);
  // Files the entry under its day (the month is loaded first when it is not); a line break in
  // the name or unit, and a '#' in the unit, become blanks. Neither sums nor saves.
  void AddEntry(ENENTRY entry);
  // Removes one entry (a day left without entries goes), sums the day, saves the month and
  // notifies. Nothing for an index outside the day.
  void DeleteEntry(int day, int month, int year, int index);
  // Rescales one entry to a new amount (0 keeps its amount), sums the day and saves the month.
  // False when there is no such entry, or for an amount below zero (message 1023).
  bool ChangeEntryAmount(int day, int month, int year, int index, double amount);
  // Message 1023 (title 15) for an amount below zero: true when it is refused.
  static bool AmountRefused(double amount);
  // A recipe entry after its recipe was calculated anew in ctx().calc: the calculation's
  // recipe total goes into the entry, scaled to `amount` servings (0: one serving); the day is
  // summed, the month saved and the views notified. False when there is no such entry or the
  // amount is below zero (message 1023).
  bool TakeRecipeRecalculation(int day, int month, int year, int index, double amount);
  // The day values and the complete flag from the entries; returns the flag. A value that is
  // no number is left out of its sum.
  bool CalcDaySums(ENDAY* day);

  // --- adding (DiaryAccess) ---------------------------------------------------------------
  // One serving of a book recipe, calculated through ctx().calc, added to the active person's
  // day; the day is summed, its month saved and the views notified. False, with nothing added,
  // when there is no active person or the recipe cannot be read.
  bool AddRecipeToDay(int day, int month, int year, int16_t book, int32_t number) override;
  // 100 g of a food of the food table, the same way. False when the key is not in the table.
  bool AddFoodToDay(int day, int month, int year, const std::string& key) override;
  // Calls every listener (the day panels and the overview refresh themselves).
  void NotifyDiaryChanged();
  // A listener is called by NotifyDiaryChanged; the id removes it again.
  int AddDiaryListener(std::function<void()> listener);
  void RemoveDiaryListener(int id);

  // --- weight log -------------------------------------------------------------------------
  // The active person's Weight.dat; false (empty log) when it cannot be opened.
  bool ReadWeightList();
  // Writes the log when it changed; false when it cannot be written (it stays marked).
  bool WriteWeightList();
  // Date "d. Monthname yyyy", time "hh:mm", the visible value columns in the order of option
  // 70, then the comment; an empty log gives one empty row and a disabled grid.
  void FillWeightGrid(TextGrid& grid) const;
  bool GetWeightEntry(int index, GEWICHTLIST** out);
  // Every change below is written to Weight.dat at once.
  // Adds an entry for the date at the current time; with another entry of that date (option
  // 76 off) or of that minute (option 76 on) message 469 and the index of that entry.
  int AddWeightEntry(int day, int month, int year);
  int AddWeightEntryAt(int day, int month, int year, int hour, int minute);
  void DeleteWeightEntry(int day, int month, int year, int hour, int minute);
  // "hh:mm": hour and minute from the numbers around ':'.
  void SetWeightTime(int index, const std::string& text);
  // Value column 0-5; '#' and line breaks become blanks.
  void SetWeightValue(int index, int column, const std::string& text);
  void SetWeightComment(int index, const std::string& text);

  // --- tables of the overview and the day panel -------------------------------------------
  // The day table: name, amount and unit, calculated mark, the visible nutrients of the
  // current filter. Nothing changes while no month is loaded.
  void FillDayGrid(TextGrid& grid, int day, int month, int year) const;
  // The period table: date, complete mark, the visible nutrients with the marks of the active
  // person's requirements ('<', 'O', '>', 'U'). Both dates included.
  void FillPeriodGrid(TextGrid& grid, int fromDay, int fromMonth, int fromYear, int toDay,
                      int toMonth, int toYear) const;
  // Rebuilds dayValues for a date: one row per nutrient of the day-value group with the sum of
  // the day's entries and the active person's requirement.
  void AggregateDayValues(int day, int month, int year);
  std::vector<DAYVALUE> dayValues;

  // --- what the module asks of the diary windows (set by them; null while they are not built)
  struct Hooks {
    std::function<void()> showPersonList;             // modal person list
    std::function<void(ENPERSON*)> showPersonDialog;  // modal person dialog on that person
    std::function<void()> closeDiaryViews;  // the last person went: panes off, overview closed
  } hooks;

  // --- the data (owned here; pointers into the vectors last until they change) -------------
  std::string activePerson;
  bool weightsChanged = false;
  std::vector<ENPERSON> persons;
  std::vector<GEWICHTLIST> weights;
  std::vector<ENMONTH> months;

 private:
  std::string MonthPath(int month, int year) const;
  std::string WeightPath() const;
  // Reads the month file into a month; false when it cannot be read to its end.
  bool ReadMonthFile(const std::string& path, ENMONTH& month);
  void RescaleEntry(ENENTRY& entry, double amount, bool setComplete);
  // Marks the log changed and writes it at once; a failed write is said (891).
  void WeightChanged();
  // Sums the day of an entry just added or changed, saves its month and notifies.
  void DayChanged(int day, int month, int year);

  std::vector<std::pair<int, std::function<void()>>> listeners_;
  int nextListener_ = 0;
  // Users.dat and the active person's Weight.dat: how they read, before they are written anew.
  StoreFileGuard usersFile_;
  StoreFileGuard weightFile_;
};

extern TENApplogMod* ENApplogMod;

// The number of day values a day keeps: 145, or the nutrient table's size when it is larger.
size_t DayValueCount();
// Whether the value index is a text column of the nutrient table (key, names, the USDA
// number): never summed nor shown as a day's or a recipe's value.
bool IsTextColumn(size_t index);

}  // namespace tav
