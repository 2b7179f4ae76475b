// The key/value lists inside recipe records: any text parses without reading past its end,
// and the pairs read are written back whole.
#include "fuzz_support.h"
#include "recipedb/key_value_list.h"
#include "recipedb/recipe_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<DBDATAENTRY> entries;
  ParseDbEntries(text, entries);

  // Keys never hold '~' (it ends a key); everything else comes back as it was.
  const std::string coded = BuildKeyValueText(entries);
  std::vector<DBDATAENTRY> again;
  const bool ok = ParseDbEntries(coded, again);
  if (!entries.empty() && !ok) fuzz::Fail("a written list does not read back: " + coded);
  if (again.size() != entries.size()) fuzz::Fail("pairs lost: " + coded);
  for (size_t i = 0; i < entries.size(); ++i)
    if (again[i].key != entries[i].key || again[i].value != entries[i].value)
      fuzz::Fail("pair changed: " + coded);
  return 0;
}
