#pragma once
// The ingredient catalogue ("Zutatenliste") and its file zutaten.dat in the language folder:
// names, offered units, energy, season, food key, picture, piece weight and the shopping-list
// flag of every known ingredient. Owned by the ingredient window TZutatenDlg; everyone else
// reaches it through ctx().ingredients.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recipedb/reference_tables.h"

namespace tav {

struct REZBLOCK;

// One ingredient.
struct REZZUTATEN {
  // Energy basis: the amount the energy value refers to.
  static constexpr uint8_t kPer1g = 0, kPer100g = 1, kPer1kg = 2, kPer1cl = 3, kPer1l = 4;
  static constexpr uint8_t kKcal = 0, kKJ = 1;
  static constexpr size_t kSeasonLength = 49;  // the flag and 48 quarter-month marks

  std::string plural;  // the name and key
  std::string singular;
  std::vector<std::string> units;  // offered unit codes; empty: every unit
  uint8_t energyBasis = kPer1g;
  uint8_t energyUnit = kKcal;
  std::string energy;  // "" none, "?" insignificant, else the value as typed
  // 'J'/'N' flag, then per quarter month ' ' none, 'S' main season, 'N' secondary season.
  std::string season = "N" + std::string(48, ' ');
  std::string blsKey;
  std::string picture;      // in Pics/Zutaten/
  int32_t pieceWeight = 0;  // grams, 0 = none
  uint8_t notOnShoppingList = 0;
};

class IngredientCatalogue {
 public:
  std::vector<REZZUTATEN> zutaten;  // file order
  // The ingredient window's list filter: its tab "ohne Einheitenzuweisungen" shows only
  // ingredients without units, in every list filled from the catalogue.
  bool onlyWithoutUnits = false;

  // Language folder (option 52) + "zutaten.dat".
  std::string FilePath() const;

  // Reads the file; false with message 114 (title 15) when it cannot be opened, the catalogue
  // keeping its contents. The window fills its list afterwards (FillZutatList).
  bool ReadZutaten();
  // Replaces the file; false with message 113 (title 15) when it cannot be written, and also
  // when the file exists but was never read, so ingredients on disk are never replaced by a
  // catalogue that does not hold them. PutLongerNamesFirst runs first, so a name added at the
  // end never hides behind a shorter one it contains.
  bool WriteZutaten();
  // Moves every ingredient in front of the first ingredient whose plural its own plural
  // contains (case ignored); an order that already keeps this stays as it is. FindZutatForText
  // takes the first plural contained in a text, so "Knoblauch" must stand before "Lauch".
  void PutLongerNamesFirst();
  static REZZUTATEN ParseLine(const std::string& line);
  static std::string FormatLine(const REZZUTATEN& z);

  void CountZutaten(int& count) const;
  bool GetZutat(int index, REZZUTATEN& out) const;
  // The items cleared, then the plural (cut before "(" when asked) of every ingredient the
  // list filter lets through, with its catalogue index as the data.
  void FillZutatList(std::vector<ListItem>& items, bool cut) const;
  // Appends plurals: none without a code, all for an empty code, else one per equal unit code.
  void FillZutatCombo(const std::optional<std::string>& unitCode,
                      std::vector<std::string>& items) const;
  // The plural of the first ingredient whose plural begins with the text (case ignored).
  void FindZutatByPrefix(const std::string& text, std::string& name) const;
  // The ingredient a recipe line names: 1 for an equal plural or singular (case ignored),
  // 2 when the text contains a plural, 0 when none (out untouched).
  int FindZutatForText(const std::string& text, REZZUTATEN& out) const;
  // Food key and shopping-list flag of the ingredient whose plural or singular equals the
  // trimmed name exactly.
  bool GetZutatBLSKey(const std::string& name, std::string& key, uint8_t& notOnList) const;
  // The pictures of the ingredients a recipe's lines name, each once.
  void CollectRecipeZutatPictures(const REZBLOCK& recipe, std::vector<std::string>& list) const;

 private:
  ReferenceFile file_;  // how the catalogue stands to its file
};

}  // namespace tav
