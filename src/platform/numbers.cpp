#include "platform/numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tav {

namespace {
char g_decimalSep = '.';

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The common short form "[-+]digits[,.digits]" followed by no other number character: the
// digits as an integer divided by a power of ten. Both are exact doubles, so the quotient is the
// nearest double to the decimal value, as from_chars gives it. False for every other form.
bool ReadSimpleNumber(std::string_view text, size_t i, double& value, size_t& used) {
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint64_t mantissa = 0;
  int digits = 0, fraction = 0;
  for (; i < text.size() && IsDigitChar(text[i]); ++i, ++digits)
    mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == ',' || text[i] == '.')) {
    for (++i; i < text.size() && IsDigitChar(text[i]); ++i, ++fraction)
      mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
    if (fraction == 0) return false;
  }
  if (digits + fraction > 15) return false;
  if (i < text.size() && (text[i] == ',' || text[i] == '.' || text[i] == 'e' || text[i] == 'E'))
    return false;
  const double v = static_cast<double>(mantissa) / kPow10[fraction];
  value = negative ? -v : v;
  used = i;
  return true;
}
}  // namespace

char DecimalSep() { return g_decimalSep; }
void SetDecimalSep(char sep) { g_decimalSep = sep; }

std::string NumericLocaleName() {
  for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"})
    if (const char* value = std::getenv(var); value && *value) return value;
  return std::string();
}

char DecimalSepForLocale(std::string_view localeName, char localePoint) {
  if (localeName.empty() || localeName == "C" || localeName == "POSIX" ||
      localeName.substr(0, 2) == "C.")
    return ',';
  return localePoint == ',' ? ',' : '.';
}

double ReadNumber(std::string_view text, size_t* used) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  double simple = 0;
  size_t simpleUsed = 0;
  if (ReadSimpleNumber(text, i, simple, simpleUsed)) {
    if (used) *used = simpleUsed;
    return simple;
  }
  // Copy the candidate characters with ',' turned into '.'; from_chars needs no '+'.
  std::string buf;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  size_t j = i;
  while (j < text.size() && j - i < 400) {
    char c = text[j];
    if (c == ',') c = '.';
    if ((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' ||
        ((c == '+' || c == '-') && j > i && (text[j - 1] == 'e' || text[j - 1] == 'E')))
      buf += c;
    else
      break;
    ++j;
  }
  double value = 0;
  auto res = std::from_chars(buf.data(), buf.data() + buf.size(), value,
                             std::chars_format::general);
  if (res.ec != std::errc() || res.ptr == buf.data()) {
    // "1e" or ".": take the longest prefix that is a number (from_chars already does unless the
    // text starts with a point, which it does not accept).
    if (!buf.empty() && buf[0] == '.') {
      std::string withZero = "0" + buf;
      auto r2 = std::from_chars(withZero.data(), withZero.data() + withZero.size(), value);
      if (r2.ec == std::errc() && r2.ptr > withZero.data() + 1) {
        if (used) *used = i + static_cast<size_t>(r2.ptr - withZero.data() - 1);
        return negative ? -value : value;
      }
    }
    if (used) *used = 0;
    return 0.0;
  }
  if (used) *used = i + static_cast<size_t>(res.ptr - buf.data());
  return negative ? -value : value;
}

long ReadLong(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Checked before each step: the sum must never leave the range, not even for a moment.
  const unsigned long limit = negative ? 0ul - static_cast<unsigned long>(LONG_MIN) : LONG_MAX;
  unsigned long v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const unsigned long digit = static_cast<unsigned long>(text[i] - '0');
    if (v > (limit - digit) / 10) {
      v = limit;
      break;
    }
    v = v * 10 + digit;
  }
  return negative ? static_cast<long>(0ul - v) : static_cast<long>(v);
}

bool ParseInt(std::string_view text, long long& value) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  size_t e = text.size();
  while (e > i && IsBlank(text[e - 1])) --e;
  if (i == e) return false;
  std::string_view core = text.substr(i, e - i);
  if (core[0] == '+') core.remove_prefix(1);
  long long v = 0;
  auto res = std::from_chars(core.data(), core.data() + core.size(), v);
  if (res.ec != std::errc() || res.ptr != core.data() + core.size()) return false;
  value = v;
  return true;
}

std::string FormatFixed(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  // Round half away from zero on the decimal value, as the "0.00" pattern does.
  const double scale = decimals <= 15 ? kPow10[decimals] : std::pow(10.0, decimals);
  double r = std::round(value * scale) / scale;
  if (r == 0) r = 0;  // no "-0,00"
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, r, std::chars_format::fixed, decimals);
  std::string out(buf, res.ptr);
  for (char& c : out)
    if (c == '.') c = g_decimalSep;
  return out;
}

std::string FormatGeneral(double value) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  std::string out(buf, res.ptr);
  for (char& c : out)
    if (c == '.') c = g_decimalSep;
  return out;
}

}  // namespace tav
