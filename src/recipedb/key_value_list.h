#pragma once
// The coding of the key/value lists inside a recipe record: "|n|len:len|key~value|key~value|",
// each length being that of key "~" value; an empty list is "|0|".
#include <string>
#include <string_view>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

struct KeyValueView {
  std::string_view key;
  std::string_view value;
};

// Appends the coded list of the pairs to `out`.
void AppendKeyValueList(std::string& out, const KeyValueView* pairs, size_t count);
std::string BuildKeyValueText(const std::vector<DBDATAENTRY>& pairs);

// Decodes a list into views of `text` (emptied first). True when every announced entry was
// read; on failure the entries before the damaged one stay. A value is taken by its length and
// never runs past the end of the text.
bool ParseKeyValueViews(std::string_view text, std::vector<KeyValueView>& pairs);

}  // namespace tav
