#include "exchange/mealmaster_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "exchange/import_fields.h"
#include "exchange/text_recipe_reader.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/text_tools.h"

namespace tav {

namespace {

// Columns of an ingredient line: amount 0-6, unit 8-9, text from 11; the right column of a
// two-column line starts at 41.
constexpr size_t kUnitPos = 8;
constexpr size_t kTextPos = 11;
constexpr size_t kLeftWidth = 40;  // the left column with the blank after it
constexpr size_t kRightPos = 41;

char At(const std::string& s, size_t i) {
  return i < s.size() ? s[i] : '\0';
}

bool IsDashLine(const std::string& line) {
  return line.size() >= 5 &&
         (std::memcmp(line.data(), "MMMMM", 5) == 0 || std::memcmp(line.data(), "-----", 5) == 0);
}

bool IsFractionSign(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0xBC && u <= 0xBE;
}

// The amount columns hold nothing or an amount: digits, fractions, a range, a decimal.
bool IsAmountText(std::string_view columns) {
  const std::string_view t = StripBlanks(columns);
  bool number = t.empty();
  for (char c : t) {
    switch (c) {
      case '/': case '\\': case '.': case ',': case '-': case ' ':
        break;
      default:
        if (!IsDigit(c) && !IsFractionSign(c)) return false;
        number = true;
    }
  }
  return number;
}

// The unit columns hold nothing or a unit code: letters (a point allowed).
bool IsUnitText(std::string_view columns) {
  for (char c : StripBlanks(columns)) {
    const auto u = static_cast<unsigned char>(c);
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
          (u >= 0xC0 && u != 0xD7 && u != 0xF7)))
      return false;
  }
  return true;
}

// An ingredient in the columns: amount 0-6 and unit 8-9 that read as such, blanks at 7 and 10,
// the text from 11. A line of any length: a long text runs past the left column's width. A text
// indented past 11 ("1 lb  dried black beans") counts when the line has an amount or a unit.
bool IsColumnLine(std::string_view line) {
  auto at = [&](size_t i) { return i < line.size() ? line[i] : '\0'; };
  if (!(line.size() >= 8 && at(7) == ' ' && at(10) == ' ' && IsAmountText(line.substr(0, 7)) &&
        IsUnitText(line.substr(kUnitPos, 2))))
    return false;
  return at(11) != ' ' || (!StripBlanks(line.substr(0, kTextPos)).empty() &&
                           line.find_first_not_of(' ', kTextPos) != std::string_view::npos);
}

bool IsAmountChar(char c) {
  return IsDigit(c) || c == '/' || c == '\\';
}

// An ingredient typed without columns ("500 g Mehl", "2 Eier", "1 1/2 TL Salz") rewritten into
// the column layout (`out`); false when the line is no ingredient.
bool RewriteFreeForm(const std::string& line, std::string& out) {
  if (line.empty() || line.size() >= 40 || line[0] == ' ') return false;
  size_t p = 0;
  while (IsAmountChar(At(line, p))) ++p;
  if (p > 0 && At(line, p) == ' ' && IsDigit(At(line, p + 1))) {  // a mixed number: 1 1/2
    ++p;
    while (IsAmountChar(At(line, p))) ++p;
  }
  if (p == 0) return false;  // nothing recognised
  std::string amount, unit, text;
  if (At(line, p) == ' ') {
    amount = line.substr(0, p);
    const size_t word = p + 1;
    const size_t end = line.find(' ', word);
    if (end != std::string::npos && end - word < 3) {
      unit = line.substr(word, end - word);
      text = line.substr(end + 1);
    } else {
      text = line.substr(word);
    }
  } else {
    text = line;  // digits joined to a word stay with it ("250g Mehl")
  }
  if (StripBlanks(text).empty()) return false;
  if (amount.size() > 7) {  // does not fit the amount column: all of it is text
    amount.clear();
    unit.clear();
    text = line;
  }
  out = std::string(7 - amount.size(), ' ') + amount + ' ' + unit +
        std::string(2 - unit.size(), ' ') + ' ' + text;
  return true;
}

// A numbered step of a text: digits, then '.' or ')' and a blank or the line's end ("1. Alles
// vermengen.", "2) Backen."); "1.5 kg" is none.
bool NumberedStep(const std::string& line) {
  size_t p = 0;
  while (IsDigit(At(line, p))) ++p;
  if (p == 0 || (At(line, p) != '.' && At(line, p) != ')')) return false;
  return At(line, p + 1) == ' ' || At(line, p + 1) == '\0';
}

// The lines of an ingredient block in collecting order. The strings are the importer's and keep
// their room from recipe to recipe.
class CollectedLines {
 public:
  explicit CollectedLines(std::vector<std::string>& store) : store_(store) {}
  void Add(std::string_view line) {
    if (size_ == store_.size()) store_.emplace_back();
    store_[size_++].assign(line);
  }
  void Clear() { size_ = 0; }
  std::vector<std::string>::const_iterator begin() const { return store_.begin(); }
  std::vector<std::string>::const_iterator end() const {
    return store_.begin() + static_cast<std::ptrdiff_t>(size_);
  }

 private:
  std::vector<std::string>& store_;
  size_t size_ = 0;
};

constexpr const char* kTitleKeys[] = {"Title: "};
constexpr const char* kCategoryKeys[] = {"Categories: "};

class MealMasterReader : public TextRecipeReader {
 public:
  MealMasterReader(RecipeImporter& importer, const std::string& book)
      : TextRecipeReader(importer, book, ImportFormat::kMealMaster, kTitleKeys, kCategoryKeys,
                         MealMasterIngredientShape) {}

 private:
  bool IsEndLine(const std::string& line) const override {
    return IsDashLine(line) && line.size() < 10;
  }

  bool IngredientBlockLine(const std::string& line) override {
    const bool afterBlank = afterBlank_;
    afterBlank_ = StripBlanks(line).empty();
    if (IsDashLine(line)) {  // longer than an end line: a group heading
      Heading(line);
      return false;
    }
    if (IsColumnLine(line)) {
      nonIngredient_ = 0;
      ++columnLines_;
      // Two columns when a whole ingredient starts at 41; otherwise the line is one ingredient,
      // however long.
      const std::string_view right =
          line.size() > kRightPos ? std::string_view(line).substr(kRightPos) : std::string_view();
      if (line.size() >= 53 && line[40] == ' ' && IsColumnLine(right)) {
        left_.Add(std::string_view(line).substr(0, kLeftWidth));
        right_.Add(right);
      } else {
        left_.Add(line);
      }
      return false;
    }
    std::string rewritten;
    if (!(afterBlank && StepAfterIngredients(line)) && RewriteFreeForm(line, rewritten)) {
      nonIngredient_ = 0;
      ++freeFormLines_;
      left_.Add(rewritten);
      return false;
    }
    if (nonIngredient_ == 0) {  // one other line is passed over; one with words is text
      nonIngredient_ = 1;
      if (!StripBlanks(line).empty()) TextLine(line);
      return false;
    }
    StoreLines();  // the second in a row ends the block
    return true;
  }

  void BeforeFinish() override { StoreLines(); }

  // After an empty line that follows ingredients a line typed without columns is the text's
  // first line when it is a numbered step, or when the ingredients stood in their columns (a
  // Meal-Master program writes every ingredient there, also those of a further group or of two
  // columns); among ingredients typed without columns "2 Eier" after an empty line stays one.
  bool StepAfterIngredients(const std::string& line) const {
    if (columnLines_ + freeFormLines_ == 0) return false;
    return NumberedStep(line) || freeFormLines_ == 0;
  }

  void Heading(const std::string& line) {
    StoreLines();
    const size_t last = line.find_last_not_of(" -");
    const std::string_view cut =
        last == std::string::npos ? std::string_view() : std::string_view(line).substr(0, last + 1);
    std::string name(SkipChars(cut, 5, " -"));
    if (name == "QUELLE" || name == "Quelle") {
      importer_.mealMasterSourceBlock = true;
    } else {
      importer_.mealMasterSourceBlock = false;
      name = Field(name);
      if (!name.empty()) {  // a divider without a name is no heading
        REZZUTAT heading;
        heading.text = "*" + name;
        recipe_.lines.push_back(std::move(heading));
      }
    }
    left_.Clear();
    right_.Clear();
    nonIngredient_ = 0;
  }

  // The collected column lines into ingredient lines (or into the source in a QUELLE block);
  // the right column follows the left one.
  void StoreLines() {
    for (const CollectedLines* lines : {&left_, &right_}) {
      for (const std::string& line : *lines) {
        if (importer_.mealMasterSourceBlock)
          SourceLine(line);
        else
          IngredientFromColumns(line);
      }
    }
    left_.Clear();
    right_.Clear();
  }

  void SourceLine(const std::string& line) {
    const std::string_view rest = StripBlanks(SkipChars(line, 0, " -"));
    if (rest.size() >= 11 && SameTextNoCase(rest.substr(0, 11), "Erfasst von")) {
      recipe_.createdBy = Field(SkipChars(rest, 12, ": "));
    } else if (rest.size() >= 7 && SameTextNoCase(rest.substr(0, 7), "Erfasst") &&
               rest.find("*RK*") == std::string_view::npos) {
      recipe_.createdBy = Field(SkipChars(rest, 7, ": "));
    } else {
      if (!recipe_.source.empty()) recipe_.source += "\r\n";
      recipe_.source += Field(rest);
    }
  }

  void IngredientFromColumns(const std::string& line) {
    REZZUTAT& z = recipe_.lines.emplace_back();  // filled in place; taken back when empty
    std::string text;
    const std::string_view view(line);
    const std::string_view amount = StripBlanks(view.substr(0, 7));
    const std::string_view unit =
        line.size() > kUnitPos ? StripBlanks(view.substr(kUnitPos, 2)) : std::string_view();
    if (At(line, kTextPos) == '-' && amount.empty() && unit.empty()) {
      text = "-" + Field(StripBlanks(SkipChars(line, kTextPos, "- ")));  // continues the line above
    } else if (At(line, kTextPos) == '-') {  // a line of its own that starts with a dash
      z.amount = amount;
      z.unit = unit;
      text = Field(StripBlanks(SkipChars(line, kTextPos, "- ")));
    } else {
      z.amount = amount;
      z.unit = unit;
      std::string_view t = SkipChars(view, kTextPos, " ");
      if (!t.empty() && t[0] == ';') {
        z.notOnShoppingList = 1;
        t = SkipChars(t, 0, "; ");
      }
      // A text that reads as a start line stands behind "> " (the writer's guard).
      text = Field(UnguardedTextLine(StripBlanks(t)));
    }
    if (text.empty()) {
      recipe_.lines.pop_back();
      return;
    }
    KeepFootnoteMark(text, !z.amount.empty() || !z.unit.empty());
    pieces_.clear();
    if (text.size() <= 28 && std::none_of(text.begin(), text.end(), [](char c) {
          return c == ';' || c == '\r' || c == '\n';
        }))
      pieces_.push_back(std::move(text));  // what WrapText makes of a short line: itself
    else
      WrapText(text, pieces_, 1, 28);
    if (pieces_.empty()) {
      recipe_.lines.pop_back();
      return;
    }
    FractionCharToText(z.amount);
    // A piece broken off where blanks ran together keeps none of them at its end.
    auto trimmed = [](std::string& piece) { piece.erase(piece.find_last_not_of(' ') + 1); };
    z.text = std::move(pieces_[0]);
    trimmed(z.text);
    for (size_t i = 1; i < pieces_.size(); ++i) {
      trimmed(pieces_[i]);
      if (pieces_[i].empty()) continue;
      REZZUTAT more;
      more.text.reserve(pieces_[i].size() + 1);
      more.text += '-';
      more.text += pieces_[i];
      recipe_.lines.push_back(std::move(more));
    }
  }

  int nonIngredient_ = 0;
  bool afterBlank_ = false;  // the line before was empty
  int columnLines_ = 0, freeFormLines_ = 0;  // ingredient lines in and without the columns
  CollectedLines left_{importer_.ScratchLines(0)}, right_{importer_.ScratchLines(1)};
  std::vector<std::string> pieces_;
};

}  // namespace

bool MealMasterIngredientShape(std::string_view line) {
  const std::string copy(line);
  std::string rewritten;
  return IsDashLine(copy) || IsColumnLine(copy) || RewriteFreeForm(copy, rewritten);
}

ReadResult ImportMealMaster(RecipeImporter& importer, const std::string& book) {
  MealMasterReader reader(importer, book);
  return reader.Run();
}

}  // namespace tav
