#pragma once
// The nutrient selection for the sibling program Quenora: "QN_Sync/bsl.snc" in the data root,
// one line per chosen nutrient, its code, '#' and the key Quenora knows it by ("ZE#ZE"). Keys
// are kept whole whatever their length, so a file edited outside the program is written back
// unchanged. The program never makes the folder: it is the sibling's.
#include <string>
#include <vector>

#include "nutrients/nutrient_table.h"
#include "services/store_file.h"

namespace tav {

struct SiblingNutrient {
  ISTOFF stoff;     // a copy of the nutrient definition, its unit cut at the first '/'
  std::string key;  // the sibling's key
};

// data root (option 90) + "QN_Sync/bsl.snc".
std::string SiblingExportFile();

// The unit up to its first '/' ("mg/100g" -> "mg").
std::string CutUnit(const char* unit);

// Appends the nutrient with its code as key unless one of that code is chosen already.
bool AddSiblingNutrient(std::vector<SiblingNutrient>& chosen, const ISTOFF& stoff);

// Reads the file: a line without '#' or whose code the table lacks is dropped (the file is then
// damaged); duplicates stay. Empty when the file is missing. `guard` learns how the read went.
std::vector<SiblingNutrient> LoadSiblingNutrients(const std::string& path,
                                                  const NutrientTable& table,
                                                  StoreFileGuard* guard = nullptr);
// Replaces the file whole; false when it cannot be written (the folder is missing) or `guard`
// does not let a file that was not read whole be written over (said by the guard).
bool SaveSiblingNutrients(const std::string& path, const std::vector<SiblingNutrient>& chosen,
                          StoreFileGuard* guard = nullptr);

}  // namespace tav
