#pragma once
// Parts of a recipe that the Meal-Master and RezKonv writers write the same way: the category
// names of the head, the preparation text, the remark blocks and the key-figure block. Lines go
// out through the run's output lines; with `transliterate` each text first passes
// TransliterateUmlauts (option 31), which only Meal-Master asks for.
#include <initializer_list>
#include <string>

#include "recipedb/recipe_model.h"

namespace tav {

class ExportRun;

// The wrap width of the text exports: option 29, at least 1.
int ExportWrapWidth();
// The program's version text for the header lines.
std::string ExportVersion();
// n copies of c; none for n of 0 or less.
std::string CharRun(char c, int n);
// Fills the line with c up to `width` characters.
void PadTo(std::string& line, char c, size_t width);

// The names of the main categories of the first six slots, at most five, joined by ", ". A
// further category among the six leaves its name out and writes two log lines that name the
// recipe (text 852 and the title, then text 146). A slot without a main category adds no name.
// A recipe without a category name gives its keywords (separated by ',' or ';' in the hint):
// an import keeps the category words it does not know as keywords, and they go out again.
std::string HeadCategoryNames(ExportRun& run, const REZBLOCK& recipe);

// A description of the line above: a text that begins with '-', without amount and unit. A line
// with its own amount or unit ("3 EL - davon abteilen") goes out as an ingredient.
bool IsDescriptionLine(const REZZUTAT& line);

// The amount fits `width` columns as it stands, or once a number too wide for them or with more
// than two decimals is rounded as a cook measures it (CookAmount; a mixed number then becomes a
// decimal). False when it cannot be made to fit; the amount then keeps at most two decimals
// (RoundLongDecimals), as it does in every case.
bool FitAmount(std::string& amount, size_t width);
// The unit's word for a text: its name, or its plural for an amount above 1, from the unit
// table; the code itself when the table has no such unit.
std::string UnitWord(const std::string& code, const std::string& amount);
// `words` (blank-separated, empty ones left out) put in front of the line's text.
void PutBeforeText(REZZUTAT& line, std::initializer_list<std::string> words);

// A text line that the format's reader would take for the recipe's end line ("-----",
// "MMMMM" in Meal-Master, "=====" in RezKonv) gets a blank before it, which the readers drop
// again: the rest of the recipe would be lost to an import.
void KeepOffEndLine(const ExportRun& run, std::string& line);

// A text line that a reader would take for a recipe's start line (a forwarded recipe quoted in
// the text) gets "> " before it, and so does a line that already reads as such a protected
// line; the import drops the "> " again (GuardedStartLine, import_driver.h).
void KeepOffStartLine(std::string& line);

// The rest of a block after its source: an empty line, the preparation text (wrapped at the
// wrap width; of a run of empty lines only the first, each line a data line), the remarks the
// key-figure choice asks for (GetRemarkShowMode of the text exports: 15 every author's, 16 those
// of the user named in option 10, 0 none: each remark with text as an empty line, "  " + author
// + ":" and its text wrapped, one empty line after the last), the key figures unless the run
// leaves them out (an empty line, then ":" + label + ": " + value as data lines), an empty line
// (two after a figure that asks for one: keywords, costs, source, times, quality, difficulty,
// book) and the end line.
//
// The first line after the ingredients must read as text, or the reader takes it for one more
// ingredient or a heading (MealMasterIngredientShape, RezKonvIngredientShape): in Meal-Master
// such a line gets a blank or two before it, which the readers drop again, where that moves it
// out of the ingredients ("1. Teig kneten.", "----- Tipp -----", a line in the columns however
// long); in RezKonv, where a line that begins with two blanks is an ingredient, it goes out
// without its blanks. A line that still reads so (one that begins with "=" signs, "> Directions
// <" framed by them, one indented into the columns) is written behind "> ", as a quoted start
// line is, and the reader drops the guard of the text's first line.
void WriteTextAndEnd(ExportRun& run, const REZBLOCK& recipe, bool transliterate,
                     const char* endLine);

}  // namespace tav
