// The CookML import of a whole file into a book: any file is read to its end or to a reported
// error without a crash, every recipe the import counts is in the book once and reads back, no
// picture file stays without its recipe, and an index rebuild finds the same recipes.
#include "exchange/import_driver.h"
#include "fuzz_support.h"

namespace {

class FileImporter : public tav::RecipeImporter {
 public:
  std::string file;

 protected:
  bool ChooseImportFiles(std::vector<std::string>& files) override {
    files = {file};
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  test::TestEnv& env = fuzz::Begin();
  fuzz::LoadReferenceTables();
  fuzz::RemoveFiles(env.Root() + "Pics/");
  FuzzedDataProvider in(data, size);
  // Most inputs start as CookML, so that the fuzzer spends its time inside the reader.
  const bool head = in.ConsumeBool();
  const std::string text =
      (head ? "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<cookml version=\"1.0.14\">\n"
            : "") +
      in.ConsumeRemainingBytesAsString();
  FileImporter importer;
  importer.file = env.Root() + "Import/input.cml";
  fuzz::Write(importer.file, text);

  fuzz::TargetBook book;
  const int counted = importer.StartImport();
  if (counted < 0) fuzz::Fail("the import did not run");
  book.CheckStored(counted);
  // Pictures the import copied belong to stored recipes.
  std::vector<std::string> named;
  for (const REZINDEX& e : book.store.BookIndex()) {
    REZBLOCK r;
    if (!e.deleted && book.store.ReadRezBlock("Ziel", &e, -1, r))
      for (const REZPICTURE& p : r.pictures) named.push_back(p.name);
  }
  for (const auto& entry : std::filesystem::directory_iterator(env.Root() + "Pics/"))
    if (entry.is_regular_file() &&
        std::find(named.begin(), named.end(), entry.path().filename().string()) == named.end())
      fuzz::Fail("a picture without its recipe: " + entry.path().filename().string());
  return 0;
}
