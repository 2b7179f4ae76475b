#pragma once
// Parts of a recipe that the Meal-Master and RezKonv writers write the same way: the category
// names of the head, the preparation text, the remark blocks and the key-figure block. Lines go
// out through the run's output lines; with `transliterate` each text first passes
// TransliterateUmlauts (option 31), which only Meal-Master asks for.
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
std::string HeadCategoryNames(ExportRun& run, const REZBLOCK& recipe);

// A text line that the format's reader would take for the recipe's end line ("-----",
// "MMMMM" in Meal-Master, "=====" in RezKonv) gets a blank before it, which the readers drop
// again: the rest of the recipe would be lost to an import.
void KeepOffEndLine(const ExportRun& run, std::string& line);

// The preparation text wrapped at `width`, each line a data line; of a run of empty lines only
// the first is written.
void WritePreparationText(ExportRun& run, const std::string& text, int width, bool transliterate);

// The remarks the key-figure choice asks for (GetRemarkShowMode of the text exports: 15 every
// author's, 16 those of the user named in option 10, 0 none), each remark with text as an empty
// line, "  " + author + ":" and its text wrapped at `width` (empty lines kept); one empty line
// after the last.
void WriteRemarkBlocks(ExportRun& run, const REZBLOCK& recipe, int width, bool transliterate);

// Unless the run leaves key figures out: an empty line and the key figures chosen for the text
// exports, ":" + label + ": " + value as data lines. True when a figure that asks for an extra
// empty line at the end (keywords, costs, source, times, quality, difficulty, book) was written.
bool WriteKeyFigureBlock(ExportRun& run, const REZBLOCK& recipe, int width, bool transliterate);

// The rest of a block after its source: an empty line, the preparation text, the remarks, the
// key figures, an empty line (two after an extra figure) and the end line.
void WriteTextAndEnd(ExportRun& run, const REZBLOCK& recipe, bool transliterate,
                     const char* endLine);

}  // namespace tav
