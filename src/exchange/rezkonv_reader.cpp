#include "exchange/rezkonv_reader.h"

#include <vector>

#include "exchange/import_fields.h"
#include "exchange/text_recipe_reader.h"
#include "platform/numbers.h"
#include "services/amounts.h"
#include "services/charsets.h"

namespace tav {

namespace {

char At(const std::string& s, size_t i) {
  return i < s.size() ? s[i] : '\0';
}

bool IsAmountChar(char c) {
  return IsDigit(c) || c == '.' || c == ',' || c == '/' || c == '\\' || c == '-';
}

void FractionToDecimal(std::string& amount) {
  if (amount.find_first_of("/\\") == std::string::npos) return;
  ReplaceChar(amount, '\\', '/');
  MixedFractionToDecimal(amount);
}

class RezKonvReader : public TextRecipeReader {
 public:
  RezKonvReader(RecipeImporter& importer, const std::string& book)
      : TextRecipeReader(importer, book, ImportFormat::kRezKonv, {"Titel: ", "Title: "},
                         {"Kategorien: ", "Categories: "}) {}

 private:
  void PrepareLine(std::string& line) override { line.erase(line.find_last_not_of(' ') + 1); }

  bool IsEndLine(const std::string& line) const override { return line == "====="; }

  bool IngredientBlockLine(const std::string& line) override {
    if (StripBlanks(line).empty()) return false;
    if (line.size() >= 2 && line[0] == ' ' && line[1] == ' ') {
      IngredientLine(line);
      return false;
    }
    if (line.compare(0, 7, "=======") == 0) {
      Heading(line);
      return false;
    }
    // Any other line whose first or second character is neither a blank nor "=".
    return (line[0] != ' ' && line[0] != '=') || (At(line, 1) != ' ' && At(line, 1) != '=');
  }

  void IngredientLine(const std::string& line) {
    size_t p = 0;
    while (At(line, p) == ' ') ++p;
    std::string amount, range;
    if (IsDigit(At(line, p))) {
      const size_t from = p;
      while (IsAmountChar(At(line, p))) ++p;
      amount = line.substr(from, p - from);
      FractionToDecimal(amount);
      const size_t dash = amount.find('-');
      if (dash != std::string::npos) {
        range = amount;
        amount.resize(dash);
      }
      // The second part of a mixed number: "1 1/2".
      if ((At(line, p) == ' ' && IsDigit(At(line, p + 1)) && At(line, p + 2) == '/') ||
          At(line, p + 2) == '\\') {
        ++p;
        amount += ' ';
        while (IsDigit(At(line, p))) amount += line[p++];
        while (At(line, p) == '/' || At(line, p) == '\\') {
          ++p;
          amount += '/';
          while (IsDigit(At(line, p))) amount += line[p++];
        }
        FractionToDecimal(amount);
      }
    }
    while (At(line, p) == ' ') ++p;
    REZZUTAT z;
    z.amount = amount;
    if (p < line.size()) {
      size_t end = line.find(' ', p);
      if (end == std::string::npos) end = line.size();
      std::string unit = line.substr(p, end - p);
      if (ConvertUnitName(unit, ReadNumber(amount), true)) {
        z.unit = unit;
        p = end;
        while (At(line, p) == ' ') ++p;
      }
      z.text = line.substr(std::min(p, line.size()));
    }
    if (z.text.empty()) return;
    if (!range.empty()) z.text += " (" + range + ")";
    if (z.text[0] == '-') z.text = "- " + std::string(SkipChars(z.text, 0, "- "));
    if (!sourceBlock_) {
      recipe_.lines.push_back(std::move(z));
      return;
    }
    const size_t dash = z.text.find("- ");
    if (z.text.find("- Erfasst *") != std::string::npos) {
      const size_t digit = z.text.find_first_of("0123456789");
      const size_t end =
          digit == std::string::npos ? digit : z.text.find_first_not_of("0123456789.", digit);
      recipe_.createdDate =
          digit == std::string::npos ? std::string() : z.text.substr(digit, end - digit);
    } else if (dash != std::string::npos) {
      recipe_.createdBy = z.text.size() > 2 ? z.text.substr(2) : std::string();
    } else {
      if (!recipe_.source.empty()) recipe_.source += "\r\n";
      recipe_.source += z.text;
    }
  }

  void Heading(const std::string& line) {
    const std::string name(StripChars(line, "= -\xAD"));
    if (UpperCaseAnsi(name).find("QUELLE") != std::string::npos) {
      sourceBlock_ = true;
      return;
    }
    if (name.empty()) return;  // a divider without a name is no heading
    REZZUTAT heading;
    heading.text = "*" + name;
    recipe_.lines.push_back(std::move(heading));
  }

  bool sourceBlock_ = false;
};

}  // namespace

ReadResult ImportRezKonv(RecipeImporter& importer, const std::string& book) {
  RezKonvReader reader(importer, book);
  return reader.Run();
}

}  // namespace tav
