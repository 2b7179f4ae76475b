#pragma once
// The category table ("Gattungen") and its file Gattung.dat in the language folder. Recipes
// carry up to ten main-category ids; sub categories stand for one or more main categories and
// turn outside names into those ids; free categories stand for none. Owned by the category
// window TGattDlg; everyone else reaches it through ctx().categories.
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "recipedb/reference_tables.h"

namespace tav {

struct REZBLOCK;

// One category.
struct REZGATT {
  static constexpr uint8_t kMain = 1, kSub = 2, kFree = 3;

  std::string name;
  std::string symbol;  // picture in Pics/Gattungen (main categories only)
  int32_t id = 0;      // 1-9999, unique over all kinds
  uint8_t kind = kSub;
  std::vector<uint16_t> mainIds;  // a sub category's main categories

  bool IsMain() const { return kind != kSub && kind != kFree; }
};

class CategoryTable {
 public:
  std::vector<REZGATT> gatt;        // file order
  std::vector<int32_t> removedIds;  // deleted main ids since the window last became active

  // Language folder (option 52) + "Gattung.dat".
  std::string FilePath() const;

  // Empties the table and reads the file; a missing or unreadable file leaves it empty.
  void ReadGattungen();
  // Replaces the file with the table; false (message 77, title 2) when it cannot be written,
  // and also when the file exists but could not be read at the last ReadGattungen, so the
  // categories on disk are never replaced by a table that does not hold them.
  bool WriteGattungen();

  // File form of a table and back (the file's lines without their line ends). A blank line
  // where a category would begin is skipped.
  static std::vector<std::string> FormatLines(const std::vector<REZGATT>& table);
  static std::vector<REZGATT> ParseLines(const std::vector<std::string>& lines);

  // Lookups of main categories by id (first in table order).
  bool GetGattName(uint16_t id, std::string& name) const;
  bool GetGattSymbol(uint16_t id, std::string& symbol) const;
  // First main category of that name, case ignored.
  bool GetGattIdByName(const std::string& name, int16_t& id) const;
  // A main or sub category's name as recipe codes (up to ten; the rest 0). False with ten
  // zeros when no main or sub category has the name.
  bool GetGattIds(const std::string& name, uint16_t codes[10]) const;

  // Main-category names in table order, appended (the items are not cleared).
  void FillMainGattCombo(std::vector<std::string>& items) const;
  // The list cleared, then every main category with its id as the data.
  void FillMainGattList(std::vector<ListItem>& items) const;
  // "id§name§" for every main category, and their count.
  void ListMainGatts(int& count, std::string& text) const;
  void CountGattKinds(int& main, int& sub, int& free) const;
  // Appends the symbol of every category code of the recipe that has one.
  void AddRecipeGattSymbols(const REZBLOCK& recipe, std::vector<std::string>& list) const;

  // The smallest id used by no category and not in removedIds; 0 when all four-digit ids are
  // taken.
  int FindFreeGattId() const;
  // Drops a main id from every sub category (the last id moves into its place); categories
  // left without main ids become free. Gives how many became free.
  int RemoveMainGattId(int id);

 private:
  const REZGATT* FindMain(uint16_t id) const;
  ReferenceFile file_;  // how the table stands to its file
};

// GetGattIds for many names (an import): the table's names in capitals to their codes, made
// once, the first category of a name winning as in the table's own search.
class CategoryCodes {
 public:
  explicit CategoryCodes(const CategoryTable& table);
  bool Find(const std::string& name, uint16_t codes[10]) const;

 private:
  std::unordered_map<std::string, std::array<uint16_t, 10>> byName_;
};

}  // namespace tav
