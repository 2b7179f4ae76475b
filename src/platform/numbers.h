#pragma once
// Numbers in texts. Written with the user's decimal separator; read after every ',' has become
// '.', never through the C locale.
#include <string>
#include <string_view>

namespace tav {

// The user's decimal separator, taken once from the system locale at start-up ('.' until set).
char DecimalSep();
void SetDecimalSep(char sep);

// The name of the locale that numbers follow: LC_ALL, else LC_NUMERIC, else LANG ("" when none).
std::string NumericLocaleName();
// The separator for that locale: an unset, "C" or "POSIX" locale is the system default, which
// counts as German for the language too, so ','; any other locale gives its own `localePoint`.
char DecimalSepForLocale(std::string_view localeName, char localePoint);

// Reads a number the way atof does (leading blanks, sign, digits, fraction, exponent; stops at
// the first other character; 0 when there is none), after ',' has become '.'. `used` (when
// given) receives the count of characters read, 0 when no number was found.
double ReadNumber(std::string_view text, size_t* used = nullptr);

// atol: leading blanks, an optional sign, digits up to the first other character; 0 without
// digits. Saturates instead of overflowing.
long ReadLong(std::string_view text);

// True when the whole text (blanks around it allowed) is a decimal integer.
bool ParseInt(std::string_view text, long long& value);

// value with `decimals` digits after the point (rounded half away from zero) and the user's
// decimal separator, like the pattern "0.00".
std::string FormatFixed(double value, int decimals);

// The shortest text that reads back as the same double, with the user's separator (general
// format, up to 15 significant digits).
std::string FormatGeneral(double value);

}  // namespace tav
