#include "services/amounts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/numbers.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"

namespace tav {

namespace {

// atof: a leading decimal number with a point; a comma ends it.
double Atof(std::string_view text) {
  const size_t comma = text.find(',');
  return ReadNumber(comma == std::string_view::npos ? text : text.substr(0, comma));
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

void FirstCommaToPoint(std::string& text) {
  const size_t comma = text.find(',');
  if (comma != std::string::npos) text[comma] = '.';
}

}  // namespace

void NormalizeDecimalSep(std::string& text, int mode) {
  if (text.empty()) return;
  for (char& c : text) {
    if (mode == 1) {
      if (c == ',') c = '.';
    } else if (mode == 2) {
      if (c == '.') c = ',';
    } else if (c == ',' || c == '.') {
      c = DecimalSep();
    }
  }
}

std::string FormatNumber(double value, int decimals) {
  return FormatFixed(value, decimals < 1 ? 0 : decimals == 1 ? 1 : 2);
}

std::string FormatNumberText(const std::string& text, int decimals) {
  std::string copy = text;
  ReplaceChar(copy, ',', '.');
  if (copy.find('.') == std::string::npos) return copy;
  return FormatNumber(Atof(copy), decimals);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNonZeroText(const std::string& text) {
  if (text.empty()) return true;
  return text.find_first_not_of("0 ") != std::string::npos;
}

void ReplaceChar(std::string& text, char from, char to) {
  for (char& c : text)
    if (c == from) c = to;
}

void RemoveChar(std::string& text, char c) { std::erase(text, c); }

void FractionCharToText(std::string& amount) {
  if (std::none_of(amount.begin(), amount.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0xBC && static_cast<unsigned char>(c) <= 0xBE;
      }))
    return;  // no fraction sign to read
  std::string_view t = Trim(amount);
  // A whole number before the sign ("1½", "1 ½") stays before the fraction: "1 1/2".
  size_t digits = 0;
  while (digits < t.size() && IsDigit(t[digits])) ++digits;
  const std::string whole(t.substr(0, digits));
  if (digits > 0) {
    t = Trim(t.substr(digits));
    if (t.size() != 1) return;  // a number without a sign after it, or more after the sign
  }
  if (t.empty()) return;
  const char* fraction = nullptr;
  switch (static_cast<unsigned char>(t.front())) {
    case 0xBC: fraction = "1/4"; break;
    case 0xBD: fraction = "1/2"; break;
    case 0xBE: fraction = "3/4"; break;
    default: return;
  }
  amount = whole.empty() ? std::string(fraction) : whole + " " + fraction;
}

void MixedFractionToDecimal(std::string& amount) {
  size_t slash = amount.find('/');
  if (slash == std::string::npos) return;
  double whole = 0;
  const size_t blank = amount.find(' ');
  if (blank != std::string::npos && blank < slash) {
    whole = Atof(Trim(std::string_view(amount).substr(0, blank)));
    amount = amount.substr(blank + 1);
    slash = amount.find('/');
  }
  const std::string_view view(amount);
  const double numerator = Atof(Trim(view.substr(0, slash)));
  const double denominator = Atof(Trim(view.substr(slash + 1)));
  if (denominator == 0) return;
  amount = FormatGeneral(numerator / denominator + whole);
  FirstCommaToPoint(amount);
}

std::string CookAmount(double value) {
  const double size = std::fabs(value);
  if (size > 0 && size < 0.005) {  // would round to 0: two significant digits instead
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 2);
    std::string out(buf, end.ptr);
    ReplaceChar(out, '.', DecimalSep());
    return out;
  }
  std::string out = FormatFixed(value, size >= 100 ? 0 : size >= 10 ? 1 : 2);
  if (out.find(DecimalSep()) != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == DecimalSep()) out.pop_back();
  }
  if (out == "-0") out = "0";
  return out;
}

namespace {

// One amount with more than two decimals after its first separator: rounded to two.
std::string RoundOneLongDecimal(const std::string& amount) {
  const size_t sep = amount.find_first_of(",.");
  if (sep == std::string::npos) return amount;
  size_t decimals = 0;
  while (sep + 1 + decimals < amount.size() && IsDigit(amount[sep + 1 + decimals])) ++decimals;
  if (decimals <= 2) return amount;
  std::string copy = amount;
  NormalizeDecimalSep(copy, 1);
  return FormatFixed(ReadNumber(copy), 2);
}

// A range "a-b" of two texts that begin with a number: the position of its '-', else npos.
size_t RangeDash(std::string_view amount) {
  const size_t dash = amount.find('-');
  if (dash == std::string_view::npos || amount.find('-', dash + 1) != std::string_view::npos)
    return std::string_view::npos;
  const std::string_view a = Trim(amount.substr(0, dash)), b = Trim(amount.substr(dash + 1));
  return !a.empty() && !b.empty() && IsDigit(a[0]) && IsDigit(b[0]) ? dash
                                                                     : std::string_view::npos;
}

}  // namespace

std::string RoundLongDecimals(const std::string& amount) {
  const size_t dash = RangeDash(amount);
  if (dash != std::string::npos)
    return RoundOneLongDecimal(amount.substr(0, dash)) + "-" +
           RoundOneLongDecimal(amount.substr(dash + 1));
  return RoundOneLongDecimal(amount);
}

bool DecimalToCookFraction(std::string& amount) {
  const std::string_view t = Trim(amount);
  const size_t sep = t.find_first_of(",.");
  if (sep == std::string_view::npos || sep == 0 || sep > 9) return false;
  const std::string_view whole = t.substr(0, sep), digits = t.substr(sep + 1);
  const size_t decimals = digits.size();
  if (decimals < 2 || decimals > 17) return false;
  for (const std::string_view part : {whole, digits})
    for (char c : part)
      if (!IsDigit(c)) return false;
  const double fraction = ReadNumber("0." + std::string(digits));
  // Half a unit of the last digit written, and room for the float noise of 15 digits.
  const double tolerance = 0.5 * std::pow(10.0, -static_cast<double>(decimals)) + 1e-9;
  static constexpr struct {
    int numerator, denominator;
  } kFractions[] = {{1, 2}, {1, 3}, {2, 3}, {1, 4}, {3, 4}, {1, 6}, {5, 6},
                    {1, 8}, {3, 8}, {5, 8}, {7, 8}, {1, 16}};
  for (const auto& f : kFractions) {
    if (decimals == 2 && (100 * f.numerator) % f.denominator == 0) continue;  // 0.25 is 0.25
    if (std::fabs(fraction - static_cast<double>(f.numerator) / f.denominator) > tolerance)
      continue;
    const std::string text = std::to_string(f.numerator) + "/" + std::to_string(f.denominator);
    const long long units = ReadLong(whole);
    amount = units == 0 ? text : std::to_string(units) + " " + text;
    return true;
  }
  return false;
}

void PrettyAmount(std::string& amount, std::string& unit) {
  std::string copy = amount;
  FirstCommaToPoint(copy);
  double v = Atof(copy);
  if (v >= 1000) {
    v *= 0.001;
    if (unit == "ml") {
      unit = "l";
      amount = FormatGeneral(v);
    } else if (unit == "g") {
      unit = "kg";
      amount = FormatGeneral(v);
    } else if (unit == "mg") {
      if (v >= 1000) {
        unit = "kg";
        amount = FormatGeneral(v * 0.001);
      } else {
        unit = "g";
        amount = FormatGeneral(v);
      }
    }
  }
  static constexpr struct {
    double value;
    const char* text;
  } kFractions[] = {{0.0625, "1/16"}, {0.125, "1/8"}, {0.25, "1/4"}, {0.375, "3/8"},
                    {0.5, "1/2"},     {0.625, "5/8"}, {0.75, "3/4"}, {0.875, "7/8"}};
  for (const auto& f : kFractions) {
    if (v == f.value) {
      amount = f.text;
      return;
    }
  }
  std::string rounded = FormatNumber(v, 2);
  ReplaceChar(rounded, ',', '.');
  if (rounded == "0.33") amount = "1/3";
}

void AmountToBaseUnit(std::string& amount, std::string& unit) {
  std::string copy = amount;
  FirstCommaToPoint(copy);
  if (copy.find('/') != std::string::npos) MixedFractionToDecimal(copy);
  const double v = Atof(copy);
  if (unit == "g") {
    unit = "mg";
    amount = FormatGeneral(v * 1000);
  } else if (unit == "kg") {
    unit = "mg";
    amount = FormatGeneral(v * 1000000);
  } else if (unit == "l") {
    unit = "ml";
    amount = FormatGeneral(v * 1000);
  }
}

std::string AddAmounts(const std::string& a, const std::string& b) {
  std::string x = a, y = b;
  // "1/2" counts as 0.5, not as its leading 1.
  for (std::string* t : {&x, &y}) {
    FirstCommaToPoint(*t);
    MixedFractionToDecimal(*t);
  }
  return FormatGeneral(Atof(x) + Atof(y));
}

void LoadUnitNameForms() {
  TToolsMod* tools = ctx().tools;
  if (!tools || !tools->unitNameForms.empty() || !ctx().options) return;
  LineReader reader(ctx().options->Str(2) + "RkKonvert.dat");
  if (!reader.IsOpen()) return;
  std::string line;
  while (reader.Next(line)) {
    if (line.size() > 198) line.resize(198);  // the file's line limit
    const size_t first = line.find('#');
    if (first == std::string::npos) continue;
    const size_t second = line.find('#', first + 1);
    if (second == std::string::npos) continue;
    tools->unitNameForms.push_back({line.substr(0, first),
                                    line.substr(first + 1, second - first - 1),
                                    line.substr(second + 1)});
  }
}

bool ConvertUnitName(std::string& unit, double amount, bool toCanonical) {
  LoadUnitNameForms();
  if (!ctx().tools) return false;
  bool replaced = false;
  for (const RKEINHEIT& form : ctx().tools->unitNameForms) {
    if (toCanonical) {
      if (form.singular == unit || (!replaced && form.plural == unit)) {
        unit = form.canonical;
        replaced = true;
      }
    } else if (!replaced && form.canonical == unit) {
      unit = amount == 1.0 ? form.singular : form.plural;
      replaced = true;
    }
  }
  return replaced;
}

}  // namespace tav
