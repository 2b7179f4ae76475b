// The quick-entry text: any text reads into a recipe without a crash and every line has a kind.
// The recipe written as quick-entry text and read again settles at once: writing that recipe
// gives the same text, which reads into the same recipe. (The first reading may differ from
// the second: a typed "N>" rest is kept as typed, the writer puts out the number.) Energy and
// categories are left out of the comparison: an energy below one half writes as "0 kcal",
// which the writer leaves out next time, and two categories of one name write as that name
// twice, which reads as the one it names. An ingredient line is compared as its amount, unit
// and text run together without blanks: a text that begins with amount characters (",", a
// digit) joins the amount when it is read again.
#include "fuzz_support.h"
#include "recipedb/recipe_records.h"
#include "recipes/quick_entry_text.h"

namespace {

using namespace tav;

// Reads a text into a fresh recipe.
REZBLOCK Read(const std::string& text) {
  QuickEntryText page;
  page.SplitQuickTextLines(text);
  for (int i = 0; i <= static_cast<int>(page.lines.size()); ++i) page.LineKind(i);
  REZBLOCK r;
  ClearRezBlock(r);
  page.QuickTextToRez(r);
  return r;
}

// Writes a recipe and reads the text back through the same page (its reference table holds
// the hidden data of the tagged lines).
REZBLOCK WriteAndRead(const REZBLOCK& recipe, std::string& written) {
  QuickEntryText page;
  written = page.RezToQuickText(recipe);
  page.SplitQuickTextLines(written);
  REZBLOCK r;
  ClearRezBlock(r);
  page.QuickTextToRez(r);
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Begin();
  fuzz::LoadReferenceTables();
  const REZBLOCK typed = Read(std::string(reinterpret_cast<const char*>(data), size));
  std::string first, second;
  const REZBLOCK once = WriteAndRead(typed, first);
  const REZBLOCK twice = WriteAndRead(once, second);
  REZBLOCK x = once, y = twice;
  std::fill(std::begin(x.categories), std::end(x.categories), 0);
  std::fill(std::begin(y.categories), std::end(y.categories), 0);
  for (REZBLOCK* r : {&x, &y}) {
    r->nutrients.clear();
    for (REZZUTAT& line : r->lines) {
      std::string joined;
      for (char c : line.amount + line.unit + line.text)
        if (c != ' ' && c != '\t') joined += c;
      line.text = joined;
      line.amount.clear();
      line.unit.clear();
    }
  }
  const std::string a = fuzz::RecipeText(x, true), b = fuzz::RecipeText(y, true);
  if (a != b) fuzz::Fail("the written text reads otherwise:\n" + a + "---\n" + b + "---\n" + second);
  return 0;
}
