#pragma once
// Pieces of the text formats that more than one import reader reads the same way: the
// categories and servings lines of the recipe head, the key-figure lines (":Stichwort : ...")
// of Meal-Master and RezKonv texts, text lines, and the recipe's category codes.
#include <string>
#include <string_view>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

class UmlautSpelling;
class CategoryCodes;

// The category codes a recipe can take from its categories (the tenth slot stays 0).
inline constexpr int kImportCategoryCodes = 9;

// Clears the slots from `count` on, drops later repeats among the first nine and closes the
// codes up towards slot 0, keeping their order.
void CompactCategoryCodes(uint16_t codes[10], int count);

// Takes the category codes of one category name (GetGattIds, or `lookup` when given: the same
// made once for a whole import) into the recipe's next free slots while fewer than nine are
// held; `count` counts the codes taken.
void TakeCategoryCodes(const std::string& name, REZBLOCK& recipe, int& count,
                       const CategoryCodes* lookup = nullptr);

// The value of a "Categories: " line: words separated by commas (leading blanks and commas
// skipped, trailing blanks kept). Each word is kept in `words` and looked up while fewer than
// nine codes are held; then the codes are compacted.
void ReadCategoryWords(std::string_view value, REZBLOCK& recipe, std::vector<std::string>& words,
                       const CategoryCodes* lookup = nullptr);

// A servings line ("Yield: 4 Servings"): the first number is the servings (0 without one), the
// rest of the line after it, as it stands, the serving type.
void ReadServingsLine(std::string_view line, REZBLOCK& recipe);

// Drops everything up to the line's second ':' and the ':' and blanks after it; a line with
// fewer than two ':' becomes empty.
void StripKeyFigureName(std::string& line);

// Which key-figure lines set the keywords and the source already.
struct KeyFigureState {
  bool keywordsSet = false;
  bool sourceSet = false;
};

// A key-figure line (":Stichwort", ":Quelle", ":Erfasser", ":Erfasst", ":Letzte", ":Energie",
// ":Zeit", ":Vorbereit", ":Kochzeit", ":Kosten", ":Weight", ":Fingerpr" at the start of the
// line) puts its value into the recipe and gives true; any other line gives false. The names
// are looked for in the line as read; the value has its spelled umlauts converted.
bool ApplyKeyFigureLine(const std::string& line, REZBLOCK& recipe, KeyFigureState& state,
                        const UmlautSpelling& umlauts);

// A line of the preparation text, its spelled umlauts converted: one or two leading blanks are
// dropped (three or more stay), then the line and a line feed are appended.
void AppendTextLine(std::string_view line, std::string& text, const UmlautSpelling& umlauts);

// An ingredient with an amount or a unit stays an ingredient when its text starts with a
// footnote mark ("6 ea *peppercorns"): a text that starts with '*' is a heading, so the marks go
// behind the text ("peppercorns *"). Any other text stays as it is.
void KeepFootnoteMark(std::string& text, bool amountOrUnit);

// An ingredient with its own amount or unit whose text begins with dashes ("3 Essl. -- davon
// abteilen") stays an ingredient: a text that begins with '-' describes the line above, so the
// dashes and the blanks after them go ("davon abteilen").
void DropDashesOfIngredient(std::string& text);

// Blanks around the text removed.
inline std::string_view StripBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return text.substr(b, e - b);
}
// Characters in `set` removed from both ends.
std::string_view StripChars(std::string_view text, std::string_view set);
// The text from `pos` on (empty past its end) with the characters in `set` skipped at its start.
std::string_view SkipChars(std::string_view text, size_t pos, std::string_view set);
// Line feeds at the end of the text removed.
void RemoveTrailingLineFeeds(std::string& text);

}  // namespace tav
