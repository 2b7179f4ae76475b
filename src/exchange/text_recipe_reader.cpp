#include "exchange/text_recipe_reader.h"

#include <cstring>

#include "recipedb/recipe_records.h"
#include "services/charsets.h"

namespace tav {

ReadResult TextRecipeReader::Run() {
  ClearRezBlock(recipe_);
  recipe_.lines.reserve(32);  // a collection's recipes mostly have fewer lines
  importer_.mealMasterSourceBlock = false;
  std::string line;
  for (;;) {
    if (!importer_.ReadImportLine(line)) return state_ == 2 ? Finish() : Incomplete();
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
    } else if (!SpecialTextLine(line)) {
      TextLine(line);
    }
  }
}

void TextRecipeReader::HeaderLine(const std::string& line) {
  // Where the value after the first keyword found begins; a keyword whose blank was cut with
  // the line's end ("Titel:" of an empty title) counts too. npos without one.
  auto find = [&](std::span<const char* const> keys) {
    const size_t end = line.find_last_not_of(' ') + 1;
    for (const char* key : keys) {
      const std::string_view k(key);
      const size_t at = line.find(k);
      if (at != std::string::npos) return at + k.size();
      const std::string_view bare = k.substr(0, k.find_last_not_of(' ') + 1);
      if (end >= bare.size() && std::string_view(line).substr(end - bare.size()) == bare)
        return end;
    }
    return std::string::npos;
  };
  if (headerStep_ == 0) {
    const size_t at = find(titleKeys_);
    if (at == std::string::npos) return;
    recipe_.title = Field(StripBlanks(std::string_view(line).substr(at)));
    headerStep_ = 1;
  } else if (headerStep_ == 1) {
    const size_t at = find(categoryKeys_);
    if (at != std::string::npos)
      ReadCategoryWords(Field(std::string_view(line).substr(at)), recipe_, words_,
                        importer_.Categories());
    headerStep_ = 2;
  } else {
    ReadServingsLine(line, recipe_);
    importer_.Umlauts().Convert(recipe_.servingType);
    state_ = 1;
  }
}

std::string TextRecipeReader::Field(std::string_view text) const {
  return importer_.Umlauts().Converted(text);
}

void TextRecipeReader::TextLine(const std::string& line) {
  // The first line with more than blanks may stand behind the guard that an export puts before
  // a first line of the shape of an ingredient; every line, before a start line.
  IngredientShape shape = nullptr;
  if (!textBegun_ && line.find_first_not_of(' ') != std::string::npos) {
    textBegun_ = true;
    shape = firstTextLine_;
  }
  if (ApplyKeyFigureLine(line, recipe_, keys_, importer_.Umlauts())) return;
  // A quoted start line comes back as it was, without the "> " an export put before it.
  AppendTextLine(UnguardedTextLine(line, shape), recipe_.text, importer_.Umlauts());
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
