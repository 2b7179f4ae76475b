#pragma once
// What the Meal-Master and RezKonv readers share: the reading loop (end line, the next recipe's
// start line, end of the source), the head of title, categories and servings lines, the text
// with its key-figure lines, and finishing the recipe. A reader supplies its end line and its
// ingredient block.
//
// Lines are looked at as read (ImportSource): columns, keywords and labels are found first, and
// only the pieces cut out of the line get their spelled umlauts converted, so a conversion that
// shortens the line never moves a column or hides a label.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/import_driver.h"
#include "exchange/import_fields.h"

namespace tav {

class TextRecipeReader {
 public:
  // Reads one recipe from the line after its start line and stores it in `book`.
  ReadResult Run();

 protected:
  // The head keywords are looked for in the order given; `firstTextLine` is the shape of the
  // lines the format guards as the first line of the text (GuardedStartLine).
  TextRecipeReader(RecipeImporter& importer, const std::string& book, ImportFormat format,
                   std::span<const char* const> titleKeys,
                   std::span<const char* const> categoryKeys, IngredientShape firstTextLine)
      : importer_(importer),
        book_(book),
        recipe_(importer.TextRecipe()),
        format_(format),
        titleKeys_(titleKeys),
        categoryKeys_(categoryKeys),
        firstTextLine_(firstTextLine) {}
  virtual ~TextRecipeReader() = default;

  // The line as read and converted may be cleaned further (RezKonv: trailing blanks).
  virtual void PrepareLine(std::string& line) { (void)line; }
  virtual bool IsEndLine(const std::string& line) const = 0;
  // One line of the ingredient block; true when the text begins with this line.
  virtual bool IngredientBlockLine(const std::string& line) = 0;
  // Before the recipe is stored (collected lines still to go into it).
  virtual void BeforeFinish() {}
  // A line of the text that the format reads otherwise; true when it was taken.
  virtual bool SpecialTextLine(const std::string& line) {
    (void)line;
    return false;
  }

  // A text line: a key-figure line sets its field, any other line goes into the text.
  void TextLine(const std::string& line);
  // A piece cut out of a line, its spelled umlauts converted.
  std::string Field(std::string_view text) const;

  RecipeImporter& importer_;
  const std::string& book_;
  REZBLOCK& recipe_;
  int state_ = 0;  // 0 head, 1 ingredients, 2 text, 3 done

 private:
  void HeaderLine(const std::string& line);
  ReadResult Finish();
  ReadResult Incomplete();

  ImportFormat format_;
  std::span<const char* const> titleKeys_, categoryKeys_;
  IngredientShape firstTextLine_;
  bool textBegun_ = false;  // a text line with more than blanks was read
  int headerStep_ = 0;  // in the head: 0 title, 1 categories line, 2 servings line
  std::vector<std::string> words_;
  KeyFigureState keys_;
};

}  // namespace tav
