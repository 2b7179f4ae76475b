#pragma once
// The units of measure and their file einheit.dat in the language folder. Ingredient lines name
// their unit by a code of up to three characters; the table says what the code means, whether
// it is a fixed unit or converts into one, and whether Meal-Master knows it. Owned by the units
// window TEinheitenDlg; everyone else reaches it through ctx().units. The table is kept sorted
// by name, so positions hold only until the next change.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "recipedb/reference_tables.h"

namespace tav {

struct REZBLOCK;
struct REZZUTAT;
struct REZZUTATEN;

// Kind bits: which ingredients a unit suits.
inline constexpr uint16_t kUnitLiquid = 1;
inline constexpr uint16_t kUnitWeight = 2;
inline constexpr uint16_t kUnitCountable = 4;
inline constexpr uint16_t kUnitLengthOrVolume = 8;
inline constexpr uint16_t kUnitSmallAmount = 16;

// The unit codes of Meal-Master's own list, in the order an export prefers them: a Meal-Master
// reader knows no other code and stops reading ingredients at the first line with one.
inline constexpr const char* kMealMasterCodes[] = {
    "t",  "ts", "T",  "tb", "c",  "pt", "qt", "ga", "oz", "lb", "fl", "ml", "cl", "dl", "l", "mg",
    "cg", "g",  "kg", "x",  "sm", "md", "lg", "cn", "pk", "pn", "dr", "ds", "ct", "bn", "sl", "ea"};
// The code is one of them, spelt exactly so (t and T, ds and Ds differ).
bool IsMealMasterCode(std::string_view code);

// One unit.
struct REZEINHEIT {
  std::string name;
  std::string plural;     // may be empty
  std::string shortForm;  // may be empty
  std::string code;       // up to 3 characters
  uint8_t fixed = 1;      // 0: converts into `target`
  uint8_t mealMaster = 0;
  std::string target;  // converting unit: code of its fixed unit (up to 4 characters)
  uint16_t kinds = 0;
  std::string factor;  // converting unit: target units per unit, ',' or '.' decimal
};

// '#' separates the fields of einheit.dat and '~' the kinds and the short form, so a name,
// plural or short form holding either would not read back. Shows message 810 (title 15) and
// gives false for such a text. The units window calls it before it stores a unit.
bool UnitNameFitsFile(const std::string& name);

class UnitTable {
 public:
  std::vector<REZEINHEIT> units;

  // Language folder (option 52) + "einheit.dat".
  std::string FilePath() const;

  // Loads the file (not sorted: callers sort right after). False with message 118 (title 15)
  // when it cannot be opened; the table then keeps what it held.
  bool ReadEinheiten();
  // Replaces the file with the table; false with message 117 (title 15) when it cannot be
  // written, and also when the file exists but could not be read, so units on disk are never
  // replaced by a table that does not hold them.
  bool WriteEinheiten();
  // One line of the file and back (without the line end). A blank line reads as nothing.
  static bool ParseLine(const std::string& line, REZEINHEIT& unit);
  static std::string FormatLine(const REZEINHEIT& unit);

  // By name, case ignored; units of equal names keep their order.
  void SortEinheiten();

  // The converting units whose target is exactly the code.
  int CountTargeting(const std::string& code) const;
  // Removes the unit at a position (the last unit takes its place). Converting units that
  // target a removed fixed unit become fixed units without factor and target.
  void DeleteUnit(size_t position);
  // The message that keeps a unit out of einheit.dat, 0 when there is none: a code that is
  // empty or holds a blank (951), a converting unit whose factor is no number or 0 (952), '#'
  // or '~' in the name, plural or short form, which separate the file's fields (810).
  static int UnitInputFault(const REZEINHEIT& unit);

  // Unit names and codes. Each states its match below; "case ignored" compares Windows-1252
  // letters without case, "trimmed" drops blanks around a code. Where codes are compared with
  // case ignored, a unit whose code is spelt exactly as asked is taken first (t and T, ds and Ds
  // are different units).
  // First unit whose name, or non-empty plural, equals the text (case ignored): text := code.
  bool UnitTextToCode(std::string& text) const;
  // First unit whose trimmed code equals the text (case ignored): text := that code.
  bool NormalizeUnitCode(std::string& code) const;
  // As NormalizeUnitCode, but a later matching fixed unit wins over the first match.
  bool NormalizeUnitCodeFixed(std::string& code) const;
  // Plural or name, then fixed units' codes, then converting units' codes (case ignored,
  // trimmed). An empty text gives an empty code and true.
  bool ResolveUnitCode(const std::string& text, std::string& code) const;
  // Name (or plural when asked and present) of the first unit whose trimmed code equals the
  // code exactly; "" when there is none.
  void GetUnitName(const std::string& code, bool plural, std::string& out) const;
  // Short form, plural or name of the unit with exactly that code; out unchanged when none.
  void GetUnitDisplayName(const std::string& code, bool plural, bool shortForm,
                          std::string& out) const;
  // First unit with exactly that code, or null.
  const REZEINHEIT* FindUnitByCode(const std::string& code) const;
  // The unit at a table position, or null past the end.
  REZEINHEIT* GetUnitAt(size_t position);
  const REZEINHEIT* GetUnitAt(size_t position) const;
  // Type-ahead over the fixed units: "name [code]" of the first unit whose code equals, whose
  // code begins with or whose name begins with the typed text; "" when none.
  void FindUnitByPrefix(const std::string& typed, std::string& out) const;

  // Meal-Master knows the unit, or a Meal-Master unit converts into it.
  bool IsMealMasterUsable(size_t position) const;
  // The code of Meal-Master's own list a unit goes out under: the code itself when it is one,
  // else the first of the list that the table converts into the unit with factor 1 ("ea" for
  // "Sk", "c" for "Tas"); a second spelling of factor 1 ("St") counts as its unit. "" when
  // Meal-Master has no code for the unit, and for an empty code.
  std::string MealMasterCodeFor(const std::string& code) const;
  // The line's unit is empty or usable in Meal-Master.
  bool CheckMealMasterUnit(const REZZUTAT& line) const;
  void CountUnitKinds(int& fixedCount, int& converting) const;
  // Appends the code of every unit sharing a kind bit with the mask (duplicates included).
  void AddUnitsOfKind(REZZUTATEN& ingredient, uint16_t mask) const;
  // The items cleared, then every fixed unit (with option 33 only those usable in
  // Meal-Master) as its name, or "name [code]".
  void FillUnitCombo(std::vector<std::string>& items, bool withCode) const;
  // The items cleared, then the name of every fixed unit with its position as the data.
  void FillUnitList(std::vector<ListItem>& items) const;

  // Import: amounts in converting units become amounts in their fixed units. Lines whose
  // amount is not a plain number, fraction or mixed number (a range "2-3", a word) and units
  // whose factor is 0 or no number are left as they are.
  void ConvertRecipeUnits(REZBLOCK& recipe) const;
  // Meal-Master export: units Meal-Master does not know become the Meal-Master unit that
  // converts into them. `rejected` lists the codes left over (", " between them); with `cut`
  // ingredient texts are cut to 28 characters and `note` becomes message 765. True when a line
  // keeps a unit Meal-Master does not know.
  bool ConvertToMealMasterUnits(REZBLOCK& recipe, std::string& rejected, bool cut,
                                std::string& note) const;

 private:
  ReferenceFile file_;  // how the table stands to its file
};

// The conversions of a unit table as they are now, found by code without a walk through the
// table: an import converts every line of many recipes. A copy, so it stays sound when the
// table changes afterwards.
class UnitConversions {
 public:
  explicit UnitConversions(const UnitTable& table);
  // As UnitTable::ConvertRecipeUnits.
  void Convert(REZBLOCK& recipe) const;

 private:
  struct Conversion {
    std::string target;
    double factor = 0;
    bool known = false;   // a converting unit with a factor
    bool plain = false;   // factor "1": the code changes, the amount stays
    bool usable = false;  // the factor reads as a number other than 0
  };
  const Conversion* Find(const std::string& code) const;
  // The amount converted by `c` into `out`; false when it does not read as a number.
  bool ConvertedAmount(const Conversion& c, const std::string& amount, std::string& out) const;

  std::vector<Conversion> conversions_;
  // Code as spelt, and in capitals, to the first unit that has it.
  std::unordered_map<std::string, size_t> exact_, folded_;
  // An import asks for the same few codes and amounts again and again: the last answers, by a
  // hash of the code (or of the amount and its unit).
  static constexpr size_t kNone = static_cast<size_t>(-1);
  struct FoundSlot {
    std::string code;
    size_t found = kNone;  // in conversions_
    bool used = false;
  };
  struct AmountSlot {
    size_t conversion = kNone;
    std::string amount, converted;
    bool readable = false;
  };
  static constexpr size_t kSlots = 64;
  mutable std::vector<FoundSlot> found_ = std::vector<FoundSlot>(kSlots);
  mutable std::vector<AmountSlot> amounts_ = std::vector<AmountSlot>(kSlots);
};

}  // namespace tav
