#include "exchange/text_recipe_reader.h"

#include <cstring>

#include "recipedb/recipe_records.h"
#include "services/charsets.h"

namespace tav {

ReadResult TextRecipeReader::Run() {
  ClearRezBlock(recipe_);
  importer_.mealMasterSourceBlock = false;
  std::string line;
  for (;;) {
    if (!importer_.ReadImportLine(line)) return state_ == 2 ? Finish() : Incomplete();
    DosToAnsiUmlauts(line);
    PrepareLine(line);
    if (IsEndLine(line)) return state_ == 0 ? Incomplete() : Finish();
    if (RecipeStartLine(line) != StartLine::kNone) {  // the end line is missing
      importer_.UnreadImportLine(line);
      return state_ == 0 ? Incomplete() : Finish();
    }
    if (state_ == 0) {
      HeaderLine(line);
    } else if (state_ == 1) {
      if (IngredientBlockLine(line)) {
        state_ = 2;
        TextLine(line);
      }
    } else {
      TextLine(line);
    }
  }
}

void TextRecipeReader::HeaderLine(const std::string& line) {
  // The keyword's length: "Title: " 7, "Categories: " 12 and their German forms alike.
  auto find = [&](const std::vector<const char*>& keys, size_t& length) {
    for (const char* key : keys) {
      const size_t at = line.find(key);
      length = std::strlen(key);
      if (at != std::string::npos) return at;
    }
    return std::string::npos;
  };
  size_t length = 0;
  if (headerStep_ == 0) {
    const size_t at = find(titleKeys_, length);
    if (at == std::string::npos) return;
    recipe_.title = std::string(StripBlanks(std::string_view(line).substr(at + length)));
    headerStep_ = 1;
  } else if (headerStep_ == 1) {
    const size_t at = find(categoryKeys_, length);
    if (at != std::string::npos)
      ReadCategoryWords(std::string_view(line).substr(at + length), recipe_, words_);
    headerStep_ = 2;
  } else {
    ReadServingsLine(line, recipe_);
    state_ = 1;
  }
}

void TextRecipeReader::TextLine(const std::string& line) {
  if (!ApplyKeyFigureLine(line, recipe_, keys_)) AppendTextLine(line, recipe_.text);
}

ReadResult TextRecipeReader::Finish() {
  if (state_ == 1) BeforeFinish();
  state_ = 3;
  const ReadResult result = importer_.StoreImportedRecipe(format_, recipe_, book_, words_);
  importer_.mealMasterSourceBlock = false;
  return result;
}

ReadResult TextRecipeReader::Incomplete() {
  importer_.LogIncompleteRecipe(recipe_.title);
  importer_.mealMasterSourceBlock = false;
  return ReadResult::kIncomplete;
}

}  // namespace tav
