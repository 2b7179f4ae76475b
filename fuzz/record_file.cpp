// A recipe record of a book file: any bytes decode without reading past the record, and what
// was decoded is written back whole (coded again and decoded, the recipe is the same).
#include "fuzz_support.h"
#include "recipedb/recipe_records.h"
#include "recipedb/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  fuzz::Env();
  // An exact copy, so that a read past the end is caught.
  const std::string record(reinterpret_cast<const char*>(data), size);
  REZBLOCK first;
  ClearRezBlock(first);
  DecodeRecipeRecord(record, first);
  RecipeRecordHead head;
  ReadRecordHead(record, head);

  // The one form the format cannot keep: a text that begins with ';' reads as the mark of a
  // line kept off the shopping list.
  for (REZZUTAT& z : first.lines) {
    if (z.text.empty() || z.text[0] != ';') continue;
    z.notOnShoppingList = 1;
    z.text.erase(0, z.text.find_first_not_of(' ', 1));
  }

  std::string coded;
  EncodeRecipeRecord(first, coded);
  REZBLOCK second;
  ClearRezBlock(second);
  DecodeRecipeRecord(coded, second);
  const std::string a = fuzz::RecipeText(first, true), b = fuzz::RecipeText(second, true);
  if (a != b) fuzz::Fail("recipe changed by writing it back:\n" + a + "---\n" + b);
  if (!ReadRecordHead(coded, head) ||
      head.offsets.entry[kOffLength] != static_cast<int32_t>(coded.size()))
    fuzz::Fail("record length in the offset table is wrong");
  return 0;
}
