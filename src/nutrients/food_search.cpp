// The food search: by key or key prefix, by a part of the name, and by comparing the amount of
// one nutrient with a limit.
#include <cstring>

#include "nutrients/bls_files.h"
#include "nutrients/food_database.h"
#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"

namespace tav {

namespace {
constexpr size_t kKeyLength = 7;

// Field `index` of a Data.bls line, without splitting the whole line; false when the line
// has fewer fields.
bool FieldOfLine(const std::string& line, size_t index, std::string_view& field) {
  const char* p = line.data();
  const char* end = p + line.size();
  for (size_t i = 0; i < index; ++i) {
    const void* semi = std::memchr(p, ';', end - p);
    if (!semi) return false;
    p = static_cast<const char*>(semi) + 1;
  }
  const void* semi = std::memchr(p, ';', end - p);
  field = std::string_view(p, semi ? static_cast<const char*>(semi) - p : end - p);
  return true;
}
}  // namespace

bool BlsAmountMatches(double value, int op, double limit) {
  switch (op) {
    case kBlsLess:
      return value < limit;
    case kBlsLessEqual:
      return value <= limit;
    case kBlsEqual:
      return value == limit;
    case kBlsGreaterEqual:
      return value >= limit;
    case kBlsGreater:
      return value > limit;
    default:
      return false;
  }
}

void FoodDatabase::SearchBLS(char kind, const std::string& text, int op, const std::string& code) {
  foodList.clear();
  switch (kind) {
    case 'B':
      LoadBLSFoodNames(text.c_str(), &foodList);
      break;
    case 'L':
      SearchByName(text);
      break;
    case 'S':
      SearchByAmount(text, op, code);
      break;
    default:
      break;
  }
}

void FoodDatabase::SearchByName(const std::string& text) {
  LineReader names(FindFileNoCase(BlsLanguageFolder() + "Names.bls"));
  if (!names.IsOpen()) {
    ShowError(390);
    return;
  }
  std::string line;
  while (names.Next(line)) {
    if (line.size() < kKeyLength) continue;
    if (UpperCaseAnsi(std::string_view(line).substr(kKeyLength)).find(text) == std::string::npos)
      continue;
    LB_DATA food;
    food.SetKey(line.substr(0, kKeyLength));
    food.name = line.substr(kKeyLength);
    foodList.push_back(std::move(food));
  }
}

void FoodDatabase::SearchByAmount(const std::string& text, int op, const std::string& code) {
  const int stoff = ctx().nutrients ? ctx().nutrients->StoffIndexOfCode(code.c_str()) : -1;
  if (stoff < 0) return;
  // A limit that is no number finds nothing, rather than comparing with 0.
  size_t used = 0;
  const double limit = ReadNumber(text, &used);
  if (used == 0) return;
  LineReader data(FindFileNoCase(BlsDataFolder() + "Data.bls"));
  if (!data.IsOpen()) {
    ShowError(391);
    return;
  }
  BlsLineFile names(BlsLanguageFolder() + "Names.bls");
  bool namesReported = false;
  std::string line;
  std::string_view field;
  while (data.Next(line)) {
    if (!FieldOfLine(line, static_cast<size_t>(stoff), field)) continue;
    // A food without a readable value (an empty field) is no hit under any operator.
    const double value = ReadNumber(field, &used);
    if (used == 0 || !BlsAmountMatches(value, op, limit)) continue;
    const std::string key = line.substr(0, std::min(line.find(';'), line.size()));
    const KEYOFFSET* entry = FindIndexEntry(key);
    if (!entry) continue;
    if (!names.IsOpen()) {
      if (!namesReported) ShowError(390);
      namesReported = true;
      continue;
    }
    if (names.Seek(entry->namesOffset)) ListNames(names, key, &foodList);
  }
}

}  // namespace tav
