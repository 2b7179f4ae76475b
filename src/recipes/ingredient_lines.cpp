#include "recipes/ingredient_lines.h"

#include <algorithm>

#include "recipedb/unit_table.h"
#include "services/text_tools.h"

namespace tav {

namespace {

bool StartsWith(const std::string& text, char c) {
  return !text.empty() && text[0] == c;
}

int LastLine(const REZBLOCK& recipe) {
  return static_cast<int>(recipe.lines.size()) - 1;
}

void SyncCount(REZBLOCK& recipe) {
  recipe.lineCount = static_cast<int32_t>(recipe.lines.size());
}

std::string Trim(const std::string& text) {
  const size_t from = text.find_first_not_of(' ');
  if (from == std::string::npos) return std::string();
  return text.substr(from, text.find_last_not_of(' ') - from + 1);
}

}  // namespace

void FindLineBlock(const REZBLOCK& recipe, int& first, int& last) {
  if (first < 0 || first > LastLine(recipe)) return;
  while (first > 0 && StartsWith(recipe.lines[static_cast<size_t>(first)].text, '-')) --first;
  last = first;
  while (last < LastLine(recipe) &&
         StartsWith(recipe.lines[static_cast<size_t>(last) + 1].text, '-'))
    ++last;
}

int DeleteLineBlock(REZBLOCK& recipe, int index) {
  if (index < 0 || index > LastLine(recipe)) return -1;
  int first = index, last = index;
  FindLineBlock(recipe, first, last);
  recipe.lines.erase(recipe.lines.begin() + first, recipe.lines.begin() + last + 1);
  SyncCount(recipe);
  return first;
}

void InsertLineGap(REZBLOCK& recipe, int at, int n) {
  if (n <= 0) return;
  const size_t old = recipe.lines.size();
  recipe.lines.resize(old + static_cast<size_t>(n));
  SyncCount(recipe);
  if (at < 0) at = 0;
  for (size_t i = old; i-- > static_cast<size_t>(at);)
    recipe.lines[i + static_cast<size_t>(n)] = recipe.lines[i];
}

void StoreLineAt(REZBLOCK& recipe, int index, const REZZUTAT& line) {
  if (index < 0 || index > LastLine(recipe))
    recipe.lines.push_back(line);
  else
    recipe.lines[static_cast<size_t>(index)] = line;
  SyncCount(recipe);
}

int MoveLineBlockDown(REZBLOCK& recipe, int selected) {
  if (selected < 0 || selected >= LastLine(recipe)) return selected;
  int first = selected, last = selected;
  FindLineBlock(recipe, first, last);
  if (last >= LastLine(recipe)) return selected;
  int next = last + 1, nextLast = next;
  FindLineBlock(recipe, next, nextLast);
  auto begin = recipe.lines.begin();
  std::rotate(begin + first, begin + next, begin + nextLast + 1);
  return selected + (nextLast - next) + 1;
}

int MoveLineBlockUp(REZBLOCK& recipe, int selected) {
  if (selected <= 0 || selected > LastLine(recipe)) return selected;
  int first = selected, last = selected;
  FindLineBlock(recipe, first, last);
  if (first <= 0) return selected;
  int prev = first - 1, prevLast = prev;
  FindLineBlock(recipe, prev, prevLast);
  auto begin = recipe.lines.begin();
  std::rotate(begin + prev, begin + first, begin + last + 1);
  return selected - (prevLast - prev) - 1;
}

std::string IngredientListText(const REZZUTAT& line) {
  if (StartsWith(line.text, '*')) return "----- " + line.text.substr(1) + " -----";
  if (StartsWith(line.text, '-')) return "\t\t" + line.text.substr(1);
  return line.amount + "\t" + line.unit + "\t" + line.text;
}

bool BracketUnitCode(const std::string& unitField, std::string& code) {
  const std::string field = Trim(unitField);
  const size_t open = field.rfind('[');
  if (open == std::string::npos || field.back() != ']') return false;
  const std::string inner = Trim(field.substr(open + 1, field.size() - open - 2));
  if (inner.empty() || inner.size() > 3) return false;
  code = inner;
  return true;
}

std::vector<REZZUTAT> BuildIngredientBlock(const ChooserFields& fields, const UnitTable* units) {
  std::vector<REZZUTAT> block;
  const std::string marker = fields.notOnShoppingList ? "; " : "";
  if (fields.ingredient.empty() && marker.empty()) return block;

  const std::string unitText = fields.unit.substr(0, 199);
  std::string code;
  if (!BracketUnitCode(unitText, code) && !unitText.empty() && units) {
    std::string candidate = unitText;
    if (units->NormalizeUnitCode(candidate)) {
      code = candidate;
    } else {
      candidate = unitText;
      if (units->UnitTextToCode(candidate)) code = candidate;
    }
  }
  if (!code.empty() && code[0] == ' ') code.erase(0, 1);

  std::string text = marker;
  if (code.empty() && !unitText.empty()) text += unitText + " ";
  text += fields.ingredient;
  if (!fields.description.empty()) text += "\n" + fields.description;

  std::vector<std::string> pieces;
  WrapText(text, pieces, 1, 28);
  if (pieces.empty()) pieces.emplace_back();

  REZZUTAT head;
  head.amount = fields.amount;
  head.unit = code;
  head.text = pieces[0];
  if (fields.notOnShoppingList) {
    head.notOnShoppingList = 1;
    head.text.erase(0, std::min<size_t>(2, head.text.size()));
  }
  head.blsCode = fields.blsKey;
  head.grams = 0;
  block.push_back(head);
  for (size_t i = 1; i < pieces.size(); ++i) {
    REZZUTAT description;
    description.text = "-" + pieces[i];
    block.push_back(description);
  }
  return block;
}

REZZUTAT HeadingLine(const std::string& text) {
  REZZUTAT line;
  line.text = "*" + text;
  return line;
}

std::string BlockDescription(const REZBLOCK& recipe, int first, int last) {
  std::string out;
  for (int i = first + 1; i <= last && i <= LastLine(recipe); ++i) {
    if (!out.empty()) out += "\r\n";
    out += recipe.lines[static_cast<size_t>(i)].text.substr(1);
  }
  return out;
}

}  // namespace tav
