#pragma once
// The freezer inventory: freezers divided into numbered compartments holding stored foods, and
// the list of usual foods (a tree kept flat in pre-order). Both live in the language folder as
// "CoolBoxes.dat" and "CoolTypes.dat"; texts stay Windows-1252 bytes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "services/store_file.h"

namespace tav {

// One stored food. A best-before month of 0 means no best-before date; a day of 0 means the
// date is a month and a year only.
struct CO_LMITTEL {
  std::string name;
  std::string amount;  // free text such as "??? g"
  int32_t sinceDay = 0, sinceMonth = 0, sinceYear = 0;
  int32_t mhdDay = 0, mhdMonth = 0, mhdYear = 0;
  bool opened = false;
};

struct CO_FACH {
  std::string name;
  std::vector<CO_LMITTEL> foods;
};

// One freezer. `faecher` holds at least kMinCompartments entries after loading or creation;
// only the first `count` are in use (shown, drawn, written).
struct CO_SCHRANK {
  std::string name;
  int32_t count = 0;
  bool fromBottom = false;  // compartment numbers count upwards from the lowest
  std::vector<CO_FACH> faecher;
};

// One entry of the usual-foods list: a group or a food with its default amount (`text`).
struct CO_TYPE {
  std::string name;
  bool group = false;
  int32_t level = 0;
  int32_t position = 0;  // index in the list, kept by renumbering
  std::string text;
};

inline constexpr int kMinCompartments = 25;
inline constexpr int kMaxCompartmentsInUse = 25;

// The number shown for compartment `index` (from 0): index + 1, or count - index when the
// freezer is numbered from the bottom; and the index of a shown number.
int ShownCompartmentNumber(const CO_SCHRANK& s, int index);
int CompartmentIndexOfNumber(const CO_SCHRANK& s, int number);

// --- date texts --------------------------------------------------------------------------

struct FoodDate {
  int day = 0, month = 0, year = 0;
  bool valid = false;
};
// "1.12.05" -> 1, 12, 2005; "12/2006" -> 0, 12, 2006. A month outside 1-12 becomes 0, a year
// outside 1990-3000 becomes 2000, and a day outside 0-31 becomes 0, each marking the result
// invalid; the stored columns of CoolBoxes.dat thus keep their widths.
FoodDate ParseFoodDate(const std::string& text);
// "" for month 0; "01.05.2006" with a day, "05/2006" without.
std::string FormatFoodDate(int day, int month, int year);

// Today's local date (month 1-12). Tests fix the clock.
struct ClockDate {
  int day = 1, month = 1, year = 2000;
};
ClockDate FreezerToday();
void SetFreezerClockForTest(std::function<ClockDate()> clock);  // empty: the system clock
void SetStoredToday(CO_LMITTEL& food);

// --- the files ---------------------------------------------------------------------------

// One food line of CoolBoxes.dat without its line end:
// "~" DDMMYYYYddmmyyyy, "X" or blank, "~", name, "~", amount.
std::string FoodLine(const CO_LMITTEL& food);
// The food of a line that starts with "~". A line shorter than the fixed columns gives its
// missing numbers as 0; name and amount follow the "~" at or after column 19.
CO_LMITTEL ParseFoodLine(const std::string& line);

inline constexpr const char* kDefaultFreezerName = "<Neuer Gefrierschrank>";

// The freezers as the file holds them. A compartment in use without a name is named
// "Nr. <index>" here and in memory; a freezer without a name is named kDefaultFreezerName, as a
// freezer line without a name would otherwise join its compartments to the freezer before it.
std::string FreezerFileText(std::vector<CO_SCHRANK>& freezers);
// Every freezer line starts a freezer of its own, named or not.
std::vector<CO_SCHRANK> ReadFreezerLines(const std::vector<std::string>& lines);

// Compartments beyond a freezer's count are not written: whether one of them still holds foods;
// forgetting those foods once the user agreed; or raising each count to the last compartment
// that holds foods, so that nothing is lost.
bool FoodsBeyondCount(const std::vector<CO_SCHRANK>& freezers);
void DropFoodsBeyondCount(std::vector<CO_SCHRANK>& freezers);
void KeepFoodsBeyondCount(std::vector<CO_SCHRANK>& freezers);

std::string FoodTypesFileText(const std::vector<CO_TYPE>& types);
std::vector<CO_TYPE> ReadFoodTypeLines(const std::vector<std::string>& lines);

// The freezer window's data: the freezer list and the usual foods, with their files in
// `folder` (the language folder, ending with a separator).
class FreezerInventory {
 public:
  std::string folder;
  std::vector<CO_SCHRANK> freezers;
  std::vector<CO_TYPE> types;

  std::string FreezerPath() const { return folder + "CoolBoxes.dat"; }
  std::string TypesPath() const { return folder + "CoolTypes.dat"; }

  // Replaces the freezers from the file; a missing file (or one without a freezer) gives the
  // default freezer.
  void LoadFreezers();
  // Writes the freezers (through a temporary file); message 719 when that fails. A file that
  // held lines the reader passed over, or could not be read, goes through StoreFileGuard first
  // (kept as "CoolBoxes.dat.damaged" and said, or asked about).
  bool SaveFreezers();
  // "<Neuer Gefrierschrank>": five compartments in use named by messages 708-712.
  void AddDefaultFreezer();
  // The same for the usual foods and "CoolTypes.dat".
  void LoadFoodTypes();
  bool SaveFoodTypes();

 private:
  StoreFileGuard freezerFile_;
  StoreFileGuard typesFile_;
};

}  // namespace tav
