#pragma once
// Dealers and shop counters in the order they are visited, each with the names of the
// ingredients bought there; kept in "Haendler.dat" of the data folder: a line "|name" per
// dealer followed by one line per ingredient name. Names are compared byte for byte. Each
// language folder ships a "Haendler.dat" of its own, made for its ingredient catalogue.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "recipedb/dealer_access.h"
#include "services/store_file.h"

namespace tav {

struct HAENDLER {
  std::string name;
  int32_t sequence = -1;  // position in the file when read; -1 for a dealer made in this run
  std::vector<std::string> ingredients;
};

class DealerTable : public DealerAccess {
 public:
  // "Haendler.dat" of the data folder (option 2).
  static std::string FilePath();

  // Replaces the table with the file's; leaves it as it is when the file cannot be opened.
  // Without a file in the data folder the language folder's shipped list is read.
  bool ReadHaendler();
  // Writes the table; message 528 and false when the file cannot be written. A file of the
  // data folder that could not be read goes through StoreFileGuard first.
  bool SaveHaendler() override;

  std::vector<std::string> DealerNames() const override;
  // The first dealer listing the name and its position (index + 1); empty and 0 for none.
  void GetHaendlerOfZutat(const std::string& ingredient, std::string& dealer, int& position) const;
  // The dealer after `dealer` (the first one after an empty name; none after the last or for a
  // name no dealer has); position 0 with none.
  std::string GetNextHaendler(const std::string& dealer, int& position) const;
  void SetHaendlerOfZutat(const std::string& dealer, const std::string& ingredient) override;
  void AddHaendler(const std::string& name) override;
  bool FindHaendlerOfZutat(const std::string& ingredient, std::string& dealer,
                           int& sequence) const override;

  // Ingredient name -> first dealer's index, for looking up many names at once.
  std::unordered_map<std::string, int> FirstDealerIndex() const;

  std::vector<HAENDLER> dealers;

 private:
  StoreFileGuard file_;
};

}  // namespace tav
