#pragma once
// Cutting texts into words, lines or phrases, wrapping them to column widths, and bringing
// imported titles into one capitalisation. The title words ("NormTitle.dat" in the language
// folder) live in the tools module (TToolsMod::titleWords).
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// SplitText modes.
inline constexpr int kSplitWords = 0;    // at blanks, '.', ',', ':', ';', CR, LF, tab
inline constexpr int kSplitLines = 1;    // at CR, LF
inline constexpr int kSplitPhrases = 3;  // at '.', ',', ';', CR, LF

// Empties the list, then adds the non-empty pieces of the text (leading blanks skipped).
void SplitText(std::string_view text, std::vector<std::string>& list, int mode);

// Appends the text as lines of at most `width` characters, broken at blanks (a word longer
// than the width is cut). Mode 1 is the ingredient column: 28 characters for the first line,
// 26 for the others, and a note after ';' starts a new line.
void WrapText(std::string_view text, std::vector<std::string>& list, int mode, unsigned width);

// Capitalises a title by option 73: 0 leaves it, 1 upper case, 2 word by word (lower-case
// words and abbreviations from "NormTitle.dat"). A leading pair of quotes is removed.
void NormalizeTitle(std::string& title);
// The same with an explicit mode and word list (the list holds a '#' line between the
// lower-case words and the abbreviations).
void NormalizeTitle(std::string& title, int mode, const std::vector<std::string>& words);

// Reads "NormTitle.dat" of the language folder into the tools module when its list is empty.
void LoadTitleWords();
// The reader behind it: every non-empty line, in file order. False when the file is missing.
bool ReadTitleWords(const std::string& path, std::vector<std::string>& words);

// Fills a printf-style language text safely: each %d, %i, %u or %s takes the next value in
// order (the caller gives numbers as text), "%%" is a percent sign; a placeholder without a
// value and any other '%' stay as they are, so a bad language file never breaks the program.
std::string FormatLangText(std::string_view format, const std::vector<std::string>& values);

}  // namespace tav
