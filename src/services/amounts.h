#pragma once
// Amounts, numbers and unit names: the conversions applied to the free-text amounts of
// ingredient lines, the number formatting of the views, and the unit name forms of the RezKonv
// exchange format (file "RkKonvert.dat" in the data folder).
#include <string>

namespace tav {

// mode 1: ',' -> '.'; mode 2: '.' -> ','; otherwise both become the user's separator.
void NormalizeDecimalSep(std::string& text, int mode);

// The value rounded to 0, 1 or (for 2 and more) 2 decimals, with the user's separator.
std::string FormatNumber(double value, int decimals);

// A text holding a decimal point or comma reformatted with FormatNumber; other texts unchanged.
std::string FormatNumberText(const std::string& text, int decimals);

bool IsDigit(char c);

// False when the text is not empty and holds only '0' and blanks.
bool IsNonZeroText(const std::string& text);

void ReplaceChar(std::string& text, char from, char to);
void RemoveChar(std::string& text, char c);

// An amount starting (blanks aside) with one of the fraction signs 1/4, 1/2, 3/4 (0xBC-0xBE)
// becomes "1/4", "1/2" or "3/4"; a whole number and a sign alone ("1½", "1 ½") become a mixed
// number ("1 1/2").
void FractionCharToText(std::string& amount);

// "1/2" -> "0.5", "1 1/2" -> "1.5" (always with a point). Unchanged without '/'; a zero
// denominator keeps the fraction part only.
void MixedFractionToDecimal(std::string& amount);

// A computed amount as a cook measures it: two decimals below 10, one below 100, none from 100
// on, trailing zeros dropped, with the user's separator ("604.799999999998" is "605",
// 0.333333333333333 is "0,33"). A value too small for two decimals keeps two significant digits.
std::string CookAmount(double value);

// An amount with more than two decimals written with two and the user's separator, each end of
// a range on its own ("0,333-0,6667" is "0,33-0,67"); other amounts unchanged. No amount is
// shown or exported with more.
std::string RoundLongDecimals(const std::string& amount);

// A decimal that stands for a cook's fraction becomes that fraction: halves, thirds, quarters,
// sixths, eighths and 1/16, with the whole number before them ("0.666666666666667" and "0.67"
// are "2/3", "1.333" is "1 1/3", "0.125" is "1/8"). A decimal stands for a fraction when the
// fraction rounds to its digits; with two decimals only a fraction that two decimals cannot
// hold counts (0.33, 0.67, 0.17, 0.83, 0.13, 0.38, 0.63, 0.88, 0.06), so 0.25 and 1.5 stay.
// Fewer decimals, other texts and other numbers stay as they are. True when it changed.
bool DecimalToCookFraction(std::string& amount);

// Large g/mg/ml amounts moved to kg/g/l, common fractions written as fractions.
void PrettyAmount(std::string& amount, std::string& unit);

// g, kg -> mg and l -> ml.
void AmountToBaseUnit(std::string& amount, std::string& unit);

// The sum of two amount texts in general format; fractions ("1/2", "1 1/2") count at their value.
std::string AddAmounts(const std::string& a, const std::string& b);

// Between the stored unit code and the RezKonv names (singular for an amount of exactly 1,
// plural otherwise). True when an entry of "RkKonvert.dat" matched.
bool ConvertUnitName(std::string& unit, double amount, bool toCanonical);

// Loads "RkKonvert.dat" of the data folder into TToolsMod::unitNameForms when that list is
// empty (a missing file is tried again at the next call).
void LoadUnitNameForms();

}  // namespace tav
