#pragma once
// The quick-entry text: a whole recipe as one plain text that the user types or pastes. The
// title comes first, an empty line, the ingredient lines, an empty line, the preparation text;
// other fields stand on lines beginning with a capital letter and '>' ("P> 4 Personen").
// Hidden data of an ingredient line (food code, grams, shopping flag) stays attached through a
// tag "[n]" at the line's end that points into the reference table.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

struct REZBLOCK;
struct REZZUTAT;

// The hidden data of one tagged ingredient line.
struct ZUTAT_ADDS {
  int32_t reference = 0;  // 1 or more, unique in the table
  std::string blsCode;
  int32_t grams = 0;  // 0 none, -1 insignificant
  uint8_t notOnShoppingList = 0;
};

// Line kinds, as the information panel shows them.
enum QuickLineKind : int {
  kQuickEmpty = 0,
  kQuickTitle = 1,
  kQuickText = 2,
  kQuickIngredient = 3,
  kQuickHeading = 4,
  kQuickDescription = 5,
  kQuickAuthor = 6,      // "A>"
  kQuickCategories = 7,  // "G>"
  kQuickServings = 8,    // "P>"
  kQuickKeywords = 9,    // "S>"
  kQuickCosts = 10,      // "K>"
  kQuickSource = 11,     // "Q>"
  kQuickPoints = 12,     // "F>"
  kQuickTime = 13,       // "Z>"
  kQuickEnergy = 14,     // "N>"
  kQuickQuality = 15,    // "B>"
  kQuickDifficulty = 16  // "D>"
};

// The kind of a prefixed line ("X>" with one of the eleven letters), 0 for any other line.
int PrefixedLineKind(std::string_view line);

// One ingredient line split up.
struct QuickIngredient {
  std::string amount;  // raw: the leading run of amount characters, trailing blanks included
  std::string unit;    // unit code, "" when the first word is no unit
  std::string text;
  int reference = 0;   // the tag's number, 0 without a tag
};

// Splits an ingredient line: tag, amount, unit word (a unit found by code that converts gets
// the amount converted into its target unit), text. Uses the unit table (ctx().units).
void ParseQuickIngredientLine(std::string_view line, QuickIngredient& out);

// The category ids that a text of category names stands for, in order, each once: main
// categories give their id, sub categories the ids of their main categories. A piece between
// commas (or semicolons) that is a whole name counts as that name; other pieces count word by
// word. `unknown` (when given) receives the words that name no category.
void CategoryIdsFromNames(std::string_view names, std::vector<uint16_t>& ids,
                          std::vector<std::string>* unknown);
// The ids of the names written into the recipe's category slots from slot 0 on (at most ten);
// the slots after them keep what they held.
void SetRecipeCategoriesByNames(REZBLOCK& recipe, std::string_view names);

// The text of one recipe and the page state that belongs to it: the line list and the
// reference table.
class QuickEntryText {
 public:
  std::vector<ZUTAT_ADDS> references;
  std::vector<std::string> lines;

  // The recipe as quick-entry text ("\n" after every line); the reference table is rebuilt.
  std::string RezToQuickText(const REZBLOCK& recipe);

  // line -1: reads the whole line list into the recipe and gives the kind of the zone the text
  // ended in. line 0 or more: changes nothing and gives that line's kind (past the end: the kind
  // at the end). Never fails.
  int QuickTextToRez(REZBLOCK& recipe, int line = -1);
  // Line mode without a recipe.
  int LineKind(int line) const;

  // The line list from a text: breaks are CR, LF, CR LF and LF CR; a last line without a break
  // counts when it is not empty.
  void SplitQuickTextLines(std::string_view text);
  // Every line followed by "\n".
  std::string JoinQuickTextLines() const;

  // The highest reference number plus 1 (1 for an empty table).
  int NextReference() const;
  ZUTAT_ADDS* FindReference(int number);

 private:
  // Stored lines by the text the writer makes of them (tag left out), in recipe order.
  using KeptLines = std::map<std::string, std::deque<REZZUTAT>>;
  int Walk(REZBLOCK* recipe, int line, KeptLines* kept = nullptr) const;
};

}  // namespace tav
