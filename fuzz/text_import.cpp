// The text import (Meal-Master, RezKonv, "Mahlzeit") of a whole file into a book: any file is
// read to its end without a crash, every recipe the import counts is in the book once and
// reads back, and an index rebuild of the book finds the same recipes.
#include "exchange/import_driver.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  test::TestEnv& env = fuzz::Begin();
  fuzz::LoadReferenceTables();
  FuzzedDataProvider in(data, size);
  // Most inputs start with a format's start line, so that the fuzzer spends its time inside
  // the readers.
  static const char* const kStarts[] = {"", "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n",
                                        "========== REZKONV-Rezept - RezkonvSuite v1.4\r\n",
                                        "ZZZZZ Mahlzeit! Rezept ZZZZZ\r\n"};
  const std::string text =
      kStarts[in.ConsumeIntegralInRange<size_t>(0, 3)] + in.ConsumeRemainingBytesAsString();
  const std::string file = env.Root() + "Import/input.txt";
  fuzz::Write(file, text);

  fuzz::TargetBook book;
  RecipeImporter importer;
  const int counted = importer.ImportFileIntoBook(file, "Ziel");
  if (counted < 0) fuzz::Fail("the import did not run");
  book.CheckStored(counted);
  return 0;
}
