// The quick-entry text: any text reads into a recipe without a crash and every line has a
// kind. The recipe written as quick-entry text and read again keeps its title and the fields of
// the prefixed lines (servings, keywords, costs, source, points, time, author, quality,
// difficulty). The ingredient lines and the preparation text are not compared: the format
// cannot tell every line apart when it is read again (a text that begins with amount
// characters joins the amount, a recipe without ingredients reads the first line of its text as
// one), nor energy and categories (an energy below one half writes as "0 kcal", which the
// writer leaves out the next time; two categories of one name write as that name twice).
#include "fuzz_support.h"
#include "platform/text_file.h"
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
REZBLOCK WriteAndRead(const REZBLOCK& recipe) {
  QuickEntryText page;
  page.SplitQuickTextLines(page.RezToQuickText(recipe));
  REZBLOCK r;
  ClearRezBlock(r);
  page.QuickTextToRez(r);
  return r;
}

// The fields the comparison looks at.
std::string Fields(const REZBLOCK& r) {
  std::string out = r.title + "\n" + std::to_string(r.servings) + "\n";
  if (r.servings != 0) out += r.servingType;  // the "P>" line needs a number
  for (const std::string* s : {&r.hint, &r.costs, &r.points, &r.totalTime, &r.createdBy})
    out += "\n" + *s;
  // The source as the writer puts it out: its lines without leading blanks, empty ones left out.
  for (std::string line : SplitLines(r.source)) {
    line.erase(0, line.find_first_not_of(' '));
    if (!line.empty()) out += "\nQ " + line;
  }
  return out + "\n" + r.quality + r.difficulty;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Begin();
  fuzz::LoadReferenceTables();
  // The page's text comes from a text field: it holds no NUL (and the record would end a text
  // at one).
  std::string text(reinterpret_cast<const char*>(data), size);
  std::erase(text, '\0');
  const REZBLOCK once = WriteAndRead(Read(text));
  const REZBLOCK twice = WriteAndRead(once);
  const std::string a = Fields(once), b = Fields(twice);
  if (a != b) fuzz::Fail("the written text reads otherwise:\n" + a + "---\n" + b);
  return 0;
}
