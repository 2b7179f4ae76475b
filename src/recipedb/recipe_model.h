#pragma once
// The shared record types of the recipe database: one recipe in memory (REZBLOCK) with its
// member records, the index entry (REZINDEX, byte for byte the 104 bytes of an index file entry)
// and the key/value pair of the lists inside a recipe record (DBDATAENTRY). Texts are
// Windows-1252 bytes.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tav {

// One ingredient line.
struct REZZUTAT {
  std::string amount;  // as written: "2", "1/2", "1,5", ""
  std::string unit;    // unit code, "" = none
  std::string text;    // '*' first: group heading; '-' first: description of the line above
  std::string blsCode; // food key, "" = none
  int32_t grams = 0;   // > 0 set by hand, -1 amount does not matter, 0 worked out
  uint8_t notOnShoppingList = 0;
};

struct REZREMARK {
  std::string text;
  std::string author;
};

struct REZPICTURE {
  char kind = 'F';   // 'F' a file (a bare name lies in Pics/), 'U' an address
  std::string name;
};

// One stored nutrient amount: the nutrient's short code (at most 7 characters) and its value
// as the calculation formatted it.
struct REZSTOFFMENGE {
  char code[8] = {};
  std::string value;
};

// One course of a menu. Kept by the menu planner in the menu recipe; the recipe store never
// stores it.
struct MN_RECIPE {
  std::string printTitle;
  std::string courseType;
  std::string description;
  int32_t reservedA = 0;
  int32_t reservedB = 0;
  int32_t number = 0;
  int32_t bookId = 0;  // only the low 16 bits count
  int32_t persons = 0;
  std::string servingType;
};

// Flags byte of a recipe and of its index entry.
inline constexpr uint8_t kRecipeMarked = 0x01;
inline constexpr uint8_t kRecipeMenu = 0x80;

// One recipe in memory. Plain value record: copies are independent.
struct REZBLOCK {
  std::string title;         // at most 59 characters fit the index entry
  int32_t recipeIdLow = 0;
  int32_t recipeIdHigh = 0;  // 0 = no identifier yet
  int32_t number = 0;
  uint8_t deleted = 0;
  uint8_t flags = 0;         // kRecipeMarked, kRecipeMenu
  char quality = '0';
  char difficulty = '0';
  uint16_t categories[10] = {};
  int32_t servings = 4;
  std::string servingType;
  std::string cardText;
  std::string createdBy;
  std::string createdEmail;
  std::string createdDate;
  std::string changedBy;
  std::string changedEmail;
  std::string changedDate;
  std::string source;
  std::string prepTime;
  std::string cookTime;
  std::string totalTime;
  std::string points;
  std::string costs;
  std::string hint;          // a menu keeps its coded course list here
  int32_t lineCount = 0;     // as read; the writer counts `lines`
  int16_t bookId = 0;
  std::vector<REZZUTAT> lines;
  std::string text;          // preparation text
  std::vector<REZREMARK> remarks;
  std::vector<REZPICTURE> pictures;
  std::vector<REZSTOFFMENGE> nutrients;
  std::vector<MN_RECIPE> courses;  // menu planner only; not stored in the record

  bool IsMarked() const { return (flags & kRecipeMarked) != 0; }
  bool IsMenu() const { return (flags & kRecipeMenu) != 0; }
};

// One index entry: 104 bytes, identical in memory and on disk (little-endian).
struct REZINDEX {
  char title[60] = {};     // NUL-terminated, zero-padded, at most 59 characters
  int32_t number = 0;
  int32_t offset = 0;      // position of the record in the record file
  int32_t length = 0;      // length of the record
  int16_t bookId = 0;
  uint8_t deleted = 0;
  uint8_t flags = 0;
  uint8_t rewriteCount = 0;
  uint8_t reserved[7] = {};
  uint16_t categories[10] = {};

  // The title as text (up to its NUL).
  std::string Title() const;
  // Sets the title, cut to 59 bytes and zero-padded.
  void SetTitle(const std::string& text);
  // "Marked" is the marked bit alone, wherever marked entries are taken: a menu is marked only
  // when its bit is set.
  bool IsMarked() const { return (flags & kRecipeMarked) != 0; }
};

static_assert(std::endian::native == std::endian::little,
              "index entries are kept in memory in their little-endian file form");
static_assert(sizeof(REZINDEX) == 104);
static_assert(offsetof(REZINDEX, number) == 60 && offsetof(REZINDEX, offset) == 64 &&
              offsetof(REZINDEX, length) == 68 && offsetof(REZINDEX, bookId) == 72 &&
              offsetof(REZINDEX, deleted) == 74 && offsetof(REZINDEX, flags) == 75 &&
              offsetof(REZINDEX, rewriteCount) == 76 && offsetof(REZINDEX, reserved) == 77 &&
              offsetof(REZINDEX, categories) == 84);

// One key/value pair of a record list.
struct DBDATAENTRY {
  std::string key;
  std::string value;
};

inline std::string REZINDEX::Title() const {
  size_t n = 0;
  while (n < sizeof title && title[n] != '\0') ++n;
  return std::string(title, n);
}

inline void REZINDEX::SetTitle(const std::string& text) {
  const size_t n = text.size() < 59 ? text.size() : 59;
  for (size_t i = 0; i < sizeof title; ++i) title[i] = i < n ? text[i] : '\0';
}

}  // namespace tav
