// A whole recipe book from damaged files: record file, index and description file. Loading the
// index, reading every recipe, compressing the book and rebuilding its index never crash, and
// never lose what could be read: a failed compression leaves both files as they were, a
// finished one keeps every live recipe unchanged, and a rebuild after it finds them all again.
#include "fuzz_support.h"
#include "platform/paths.h"
#include "recipedb/book_compression.h"
#include "recipedb/book_test_util.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/record_file.h"

namespace {

using namespace tav;

// The live recipes of the book index that read, in index order (without the identifiers an
// old record is given anew at every read, and without the number the record itself holds).
std::vector<std::string> LiveRecipes(TdbList& store, bool& allRead) {
  std::vector<std::string> out;
  allRead = true;
  for (size_t i = 0; i < store.BookIndex().size(); ++i) {
    if (store.BookIndex()[i].deleted != 0) continue;
    REZBLOCK r;
    if (store.ReadRezBlock("", nullptr, static_cast<int>(i), r)) {
      r.number = 0;  // the index entry's number is the recipe's; compression writes it in
      out.push_back(fuzz::RecipeText(r, false));
    } else
      allRead = false;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::TestEnv& env = fuzz::Begin();
  FuzzedDataProvider in(data, size);
  const std::string folder = env.DataFolder();
  const std::string bok = folder + "Book.bok", idx = folder + "Book.idx";
  // Inputs usually start from a sound header, so that the fuzzer spends its time inside.
  const bool soundHeaders = in.ConsumeBool();
  std::string inf = in.ConsumeRandomLengthString(64);
  std::string index = in.ConsumeRandomLengthString(1 << 16);
  std::string records = in.ConsumeRemainingBytesAsString();
  if (soundHeaders) {
    index = IndexFileHeader() + index;
    records = RecordFileHeader() + records;
  }
  fuzz::Write(folder + "Book.inf", inf);
  fuzz::Write(idx, index);
  fuzz::Write(bok, records);

  CookbookList books;
  TdbList store;
  test::FakeRecipeList list;
  ctx().books = &books;
  ctx().dbList = &store;
  ctx().recipeList = &list;
  ctx().options->SetParaString(6, "Book");
  books.ScanKBooks();
  books.SelectKBook("Book");
  store.ReloadBookIndex();

  bool allRead = false;
  const std::vector<std::string> before = LiveRecipes(store, allRead);
  const std::string bokBefore = test::ReadAll(bok), idxBefore = test::ReadAll(idx);

  BookCompression compression;
  const bool failed = compression.ReorgKBook("Book");
  if (FileExists(folder + "$$$.bok") || FileExists(folder + "$$$.idx") ||
      FileExists(folder + "$$$.swp"))
    fuzz::Fail("scratch files left behind");
  if (failed) {
    if (test::ReadAll(bok) != bokBefore || test::ReadAll(idx) != idxBefore)
      fuzz::Fail("a failed compression changed the book");
  } else {
    store.ReloadBookIndex();
    bool allAfter = false;
    const std::vector<std::string> after = LiveRecipes(store, allAfter);
    if (!allRead) fuzz::Fail("compressed although a recipe could not be read");
    if (after != before) {
      std::string a, b;
      for (const std::string& r : before) a += r + "===\n";
      for (const std::string& r : after) b += r + "===\n";
      fuzz::Fail("compression changed or lost recipes:\n" + a + "---\n" + b);
    }
    if (!allAfter) fuzz::Fail("a compressed recipe does not read");

    // The compressed book holds its records back to back: a rebuild finds each of them where
    // the index has it (records whose flags byte the scan knows).
    std::vector<REZINDEX> expected;
    for (const REZINDEX& e : store.BookIndex()) {
      REZBLOCK r;
      store.ReadRezBlock("", &e, -1, r);
      if (r.flags == 0 || r.flags == 1 || r.flags == 128 || r.flags == 129) expected.push_back(e);
    }
    if (store.RebuildIndex()) {
      size_t k = 0;
      for (const REZINDEX& e : store.BookIndex())
        if (k < expected.size() && e.offset == expected[k].offset) ++k;
      if (k != expected.size()) fuzz::Fail("the rebuild lost a compressed record");
    }
  }
  // A rebuild of whatever the book holds now, and a read of everything it found.
  store.RebuildIndex();
  LiveRecipes(store, allRead);

  ctx().books = nullptr;
  ctx().dbList = nullptr;
  ctx().recipeList = nullptr;
  return 0;
}
