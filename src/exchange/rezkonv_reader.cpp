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

bool IsFractionSign(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0xBC && u <= 0xBE;
}

bool IsAmountChar(char c) {
  return IsDigit(c) || IsFractionSign(c) || c == '.' || c == ',' || c == '/' || c == '\\' ||
         c == '-';
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// A fraction stays the fraction it was written as ("1/3", not 0.333333333333333); "\\" is "/".
void FractionAsWritten(std::string& amount) {
  ReplaceChar(amount, '\\', '/');
}

constexpr const char* kTitleKeys[] = {"Titel: ", "Title: "};
constexpr const char* kCategoryKeys[] = {"Kategorien: ", "Categories: "};

class RezKonvReader : public TextRecipeReader {
 public:
  RezKonvReader(RecipeImporter& importer, const std::string& book)
      : TextRecipeReader(importer, book, ImportFormat::kRezKonv, kTitleKeys, kCategoryKeys,
                         RezKonvIngredientShape) {}

 private:
  void PrepareLine(std::string& line) override { line.erase(line.find_last_not_of(' ') + 1); }

  bool IsEndLine(const std::string& line) const override { return line == "====="; }

  bool IngredientBlockLine(const std::string& line) override {
    if (StripBlanks(line).empty()) return false;
    if (line.size() >= 2 && line[0] == ' ' && line[1] == ' ') {
      IngredientLine(line);
      return false;
    }
    if (FramedSourceLine(line) || CreatorLine(line)) return false;
    if (line.compare(0, 7, "=======") == 0) {
      Heading(line);
      return false;
    }
    // Any other line whose first or second character is neither a blank nor "=".
    return (line[0] != ' ' && line[0] != '=') || (At(line, 1) != ' ' && At(line, 1) != '=');
  }

  bool SpecialTextLine(const std::string& line) override {
    return FramedSourceLine(line) || CreatorLine(line);
  }

  // A dash line right after a capture line that ends in "VON" ("-- Ilka Spiess", among the
  // ingredients or in the text) names the creator; any other line with words ends the wait.
  bool CreatorLine(const std::string& line) {
    const std::string_view dashed = StripBlanks(line);
    if (dashed.empty() || !awaitCreator_) return false;
    if (dashed[0] != '-') {
      awaitCreator_ = false;
      return false;
    }
    const std::string_view name = StripBlanks(SkipChars(dashed, 0, "-"));
    if (!name.empty()) recipe_.createdBy = Field(name);
    return true;
  }

  void IngredientLine(const std::string& line) {
    if (sourceBlock_) {
      SourceLine(line);
      return;
    }
    size_t p = 0;
    while (At(line, p) == ' ') ++p;
    // Nothing before the text column: the writer's text, which may begin with a number ("9 inch
    // pie pan", "4-5 carrots") or a unit's name, and none of it is amount or unit.
    const bool textOnly = p >= kRezKonvTextColumn;
    std::string amount, range;
    if (!textOnly && (IsDigit(At(line, p)) || IsFractionSign(At(line, p)))) {
      const size_t from = p;
      while (IsAmountChar(At(line, p))) ++p;
      // "1 ½": a fraction sign after the whole number.
      if (At(line, p) == ' ' && IsFractionSign(At(line, p + 1)) && IsDigit(line[p - 1])) p += 2;
      amount = line.substr(from, p - from);
      FractionCharToText(amount);
      FractionAsWritten(amount);
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
        FractionAsWritten(amount);
      }
    }
    while (At(line, p) == ' ') ++p;
    REZZUTAT z;
    z.amount = amount;
    if (p < line.size()) {
      size_t end = line.find(' ', p);
      if (end == std::string::npos) end = line.size();
      std::string unit = Field(std::string_view(line).substr(p, end - p));
      if (!textOnly && ConvertUnitName(unit, ReadNumber(amount), true)) {
        z.unit = unit;
        p = end;
        while (At(line, p) == ' ') ++p;
      }
      // A text that reads as a start line stands behind "> " (the writer's guard).
      z.text = Field(UnguardedTextLine(std::string_view(line).substr(std::min(p, line.size()))));
    }
    if (z.text.empty()) return;
    if (!range.empty()) z.text += " (" + range + ")";
    const bool amountOrUnit = !z.amount.empty() || !z.unit.empty();
    if (z.text[0] == '-') {
      if (amountOrUnit) {
        DropDashesOfIngredient(z.text);
        if (z.text.empty()) return;
      } else {
        z.text = "- " + std::string(SkipChars(z.text, 0, "- "));
      }
    }
    KeepFootnoteMark(z.text, amountOrUnit);
    recipe_.lines.push_back(std::move(z));
  }

  // A line of the source block, whole: a date ("14.08.96") or a number that begins it is part
  // of the source, and so is a unit's name. A line that begins with a dash names the creator,
  // or, as "- Erfasst *RK* 12.03.01 von" or "- Erfasst am 12.03.01" (the writer's), the date
  // of the capture.
  void SourceLine(const std::string& line) {
    std::string text = Field(StripBlanks(line));
    if (text.empty()) return;
    if (text[0] == '-') text = "- " + std::string(SkipChars(text, 0, "- "));
    if (text.find("- Erfasst *") != std::string::npos || StartsWith(text, "- Erfasst am ")) {
      recipe_.createdDate = DateIn(text);
    } else if (StartsWith(text, "- ")) {  // "Markt- u. Ernaehrungsforsch" names no one
      recipe_.createdBy = text.substr(2);
    } else {
      if (!recipe_.source.empty()) recipe_.source += "\r\n";
      recipe_.source += text;
    }
  }

  // The digits and points from the first digit on; empty without a digit.
  static std::string DateIn(std::string_view text) {
    const size_t digit = text.find_first_of("0123456789");
    if (digit == std::string_view::npos) return std::string();
    const size_t end = text.find_first_not_of("0123456789.", digit);
    return std::string(text.substr(digit, end == std::string_view::npos ? end : end - digit));
  }

  // A source or capture block written as one framed line, "===QUELLE: Omas Kochbuch===" or
  // "===ERFASST *RK* AM 03.05.97 VON Hans===": the source, the date and the creator as the
  // block's lines give them. False for any other line.
  bool FramedSourceLine(const std::string& line) {
    if (!StartsWith(line, "===")) return false;
    const std::string_view name = StripChars(line, "= -\xAD");
    const std::string upper = UpperCaseAnsi(name);
    const size_t captured = upper.find("ERFASST");
    const bool source = StartsWith(upper, "QUELLE") &&
                        (name.size() == 6 || name[6] == ':' || name[6] == ' ');
    if (captured == std::string::npos && !source) return false;
    if (source) {
      sourceBlock_ = true;
      const std::string_view rest =
          StripBlanks(SkipChars(name.substr(0, std::min(captured, name.size())), 6, ": "));
      if (!rest.empty()) {
        if (!recipe_.source.empty()) recipe_.source += "\r\n";
        recipe_.source += Field(rest);
      }
    }
    if (captured != std::string::npos) {
      // As in the block form, the lines after the capture line ("-- Ilka Spiess") belong to the
      // source and name the creator.
      sourceBlock_ = true;
      const std::string date = DateIn(name.substr(captured));
      if (!date.empty()) recipe_.createdDate = date;
      const size_t by = upper.find(" VON ", captured);
      if (by != std::string::npos) recipe_.createdBy = Field(StripBlanks(name.substr(by + 5)));
      awaitCreator_ = by == std::string::npos && upper.ends_with(" VON");
    }
    return true;
  }

  void Heading(const std::string& line) {
    const std::string_view name = StripChars(line, "= -\xAD");
    if (UpperCaseAnsi(name).find("QUELLE") != std::string::npos) {
      sourceBlock_ = true;
      return;
    }
    if (name.empty()) return;  // a divider without a name is no heading
    REZZUTAT heading;
    heading.text = "*" + Field(name);
    recipe_.lines.push_back(std::move(heading));
  }

  bool sourceBlock_ = false;
  bool awaitCreator_ = false;  // a capture line ended in "VON": the name follows on a dash line
};

}  // namespace

bool RezKonvIngredientShape(std::string_view line) {
  const std::string_view trimmed = line.substr(0, line.find_last_not_of(' ') + 1);
  auto blankOrFrame = [&](size_t i) {
    return i < trimmed.size() && (trimmed[i] == ' ' || trimmed[i] == '=');
  };
  return blankOrFrame(0) && blankOrFrame(1);
}

ReadResult ImportRezKonv(RecipeImporter& importer, const std::string& book) {
  RezKonvReader reader(importer, book);
  return reader.Run();
}

}  // namespace tav
