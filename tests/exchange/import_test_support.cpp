#include "import_test_support.h"

#include "services/charsets.h"

#include "platform/charset.h"
#include "platform/paths.h"
#include "recipedb/index_file.h"

namespace tav::test {

namespace {
void CopyShipped(const std::string& from, const std::string& to) {
  WriteAll(to, ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/" + from));
}
}  // namespace

ImportEnv::ImportEnv() : BookEnv("Ziel") {
  for (const char* name : {"einheit.dat", "Gattung.dat", "umlconvs.dat", "NormTitle.dat"})
    CopyShipped(std::string("Data/DE/") + name, Data() + "DE/" + name);
  CopyShipped("Data/RkKonvert.dat", Data() + "RkKonvert.dat");
  ctx().options->SetParaInt(73, 0);
  ctx().tools = &tools;
  LoadUmlautExceptions();
  units.ReadEinheiten();
  units.SortEinheiten();
  ctx().units = &units;
  categories.ReadGattungen();
  ctx().categories = &categories;
  importer.targetBook = "Ziel";
}

ImportEnv::~ImportEnv() {
  ctx().units = nullptr;
  ctx().categories = nullptr;
  ctx().tools = nullptr;
}

std::vector<REZINDEX> ImportEnv::Entries(const std::string& book) {
  int32_t counter = 0;
  std::vector<REZINDEX> entries;
  EXPECT_TRUE(ReadIndexFile(File(book, ".idx"), counter, entries)) << book;
  return entries;
}

std::vector<REZBLOCK> ImportEnv::Recipes(const std::string& book) {
  std::vector<REZBLOCK> out;
  for (const REZINDEX& e : Entries(book)) {
    out.emplace_back();
    EXPECT_TRUE(store.ReadRezBlock(book, &e, -1, out.back())) << e.Title();
  }
  return out;
}

int ImportEnv::ImportFixture(const std::string& name) {
  importer.clipboardSource = false;
  importer.files = {Fixture(name)};
  return importer.StartImport();
}

int ImportEnv::ImportClipboard(const std::string& text) {
  env.clipboard.text = text;
  importer.clipboardSource = true;
  return importer.StartImport();
}

std::string ImportEnv::LogText() const {
  std::string out;
  for (const std::string& line : importer.Log()) out += line + "\n";
  return out;
}

std::string Ansi(const std::string& utf8) {
  return Utf8ToCp1252(utf8);
}

void ExpectLines(const REZBLOCK& r, const std::vector<WantLine>& want) {
  ASSERT_EQ(r.lines.size(), want.size()) << r.title;
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(r.lines[i].amount, want[i].amount) << i;
    EXPECT_EQ(r.lines[i].unit, want[i].unit) << i;
    EXPECT_EQ(r.lines[i].text, Ansi(want[i].text)) << i;
    EXPECT_EQ(r.lines[i].notOnShoppingList, want[i].notOnList) << i;
    EXPECT_EQ(r.lines[i].grams, 0) << i;
  }
}

void ExpectCategories(const REZBLOCK& r, std::vector<uint16_t> codes) {
  codes.resize(10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(r.categories[i], codes[static_cast<size_t>(i)]) << i;
}

}  // namespace tav::test
