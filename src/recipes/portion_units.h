#pragma once
// The portion units: the serving types ("Personen", "Stück" …) offered for a recipe's servings,
// one name a line in "Portions.dat" of the language folder. Owned by the portion units window
// TPortionsDlg.
#include <string>
#include <vector>

#include "services/store_file.h"

namespace tav {

class PortionUnits {
 public:
  // Names in file order; they may be empty and may repeat.
  std::vector<std::string> names;

  // Language folder (option 52) + "Portions.dat".
  static std::string FilePath();

  // Empties the list and reads the file; a missing file leaves it empty. A line longer than 998
  // characters comes in pieces of 998, each a name.
  void LoadPortionUnits();
  void LoadPortionUnits(const std::string& path);
  // Replaces the file with the rows, each ended by CR LF. False, after message 528, when it
  // cannot be written; the file then stays as it was.
  static bool SavePortionUnits(const std::vector<std::string>& rows);
  static bool SavePortionUnits(const std::string& path, const std::vector<std::string>& rows);
  // The same for the file this list was loaded from: a file that could not be read goes
  // through StoreFileGuard first (asked before it is written over).
  bool SaveLoadedPortionUnits(const std::vector<std::string>& rows);

 private:
  StoreFileGuard file_;
  std::string loadedFrom_;
};

}  // namespace tav
