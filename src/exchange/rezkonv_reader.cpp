#include "exchange/rezkonv_reader.h"

#include <vector>

#include "app/amounts.h"
#include "app/charsets.h"
#include "app/recipe_records.h"
#include "exchange/import_fields.h"
#include "platform/numbers.h"

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

class RezKonvReader {
 public:
  RezKonvReader(RecipeImporter& importer, const std::string& book)
      : importer_(importer), book_(book) {}

  ReadResult Run() {
    ClearRezBlock(recipe_);
    importer_.mealMasterSourceBlock = false;
    std::string line;
    for (;;) {
      if (!importer_.ReadImportLine(line)) return state_ == 2 ? Finish() : Incomplete();
      DosToAnsiUmlauts(line);
      line.erase(line.find_last_not_of(' ') + 1);
      if (line == "=====") return state_ == 0 ? Incomplete() : Finish();
      if (RecipeStartLine(line) != StartLine::kNone) {  // the end line is missing
        importer_.UnreadImportLine(line);
        return state_ == 0 ? Incomplete() : Finish();
      }
      if (state_ == 0)
        HeaderLine(line);
      else if (state_ == 1)
        IngredientBlockLine(line);
      if (state_ == 2) TextLine(line);
    }
  }

 private:
  void HeaderLine(const std::string& line) {
    if (headerStep_ == 0) {
      size_t at = line.find("Titel: ");
      if (at == std::string::npos) at = line.find("Title: ");
      if (at == std::string::npos) return;
      recipe_.title = std::string(StripBlanks(std::string_view(line).substr(at + 7)));
      headerStep_ = 1;
    } else if (headerStep_ == 1) {
      size_t at = line.find("Kategorien: ");
      if (at == std::string::npos) at = line.find("Categories: ");
      if (at != std::string::npos)
        ReadCategoryWords(std::string_view(line).substr(at + 12), recipe_, words_);
      headerStep_ = 2;
    } else {
      ReadServingsLine(line, recipe_);
      state_ = 1;
    }
  }

  void IngredientBlockLine(const std::string& line) {
    if (StripBlanks(line).empty()) return;
    if (line[0] == ' ' && line[1] == ' ') {
      IngredientLine(line);
    } else if (line.compare(0, 7, "=======") == 0) {
      Heading(line);
    } else if ((line[0] != ' ' && line[0] != '=') || (line[1] != ' ' && line[1] != '=')) {
      state_ = 2;  // the text begins with this line
    }
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

  void TextLine(const std::string& line) {
    if (!ApplyKeyFigureLine(line, recipe_, keys_)) AppendTextLine(line, recipe_.text);
  }

  ReadResult Finish() {
    state_ = 3;
    const ReadResult result =
        importer_.StoreImportedRecipe(ImportFormat::kRezKonv, recipe_, book_, words_);
    importer_.mealMasterSourceBlock = false;
    return result;
  }

  ReadResult Incomplete() {
    importer_.LogIncompleteRecipe(recipe_.title);
    importer_.mealMasterSourceBlock = false;
    return ReadResult::kIncomplete;
  }

  RecipeImporter& importer_;
  const std::string& book_;
  REZBLOCK recipe_;
  int state_ = 0;       // 0 head, 1 ingredients, 2 text, 3 done
  int headerStep_ = 0;  // in the head: 0 title, 1 categories line, 2 servings line
  bool sourceBlock_ = false;
  std::vector<std::string> words_;
  KeyFigureState keys_;
};

}  // namespace

ReadResult ImportRezKonv(RecipeImporter& importer, const std::string& book) {
  RezKonvReader reader(importer, book);
  return reader.Run();
}

}  // namespace tav
