#pragma once
// What the harnesses share: one data root for the whole run (with options and the German
// language texts), the files of an input, and a readable dump of a recipe so that two reads of
// the same recipe can be compared.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "recipedb/book_test_util.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_model.h"
#include "recipedb/recipe_store.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "services/tools_module.h"
#include "support/test_env.h"

namespace tav::fuzz {

// A harness found a broken rule: the message, then a crash libFuzzer records.
[[noreturn]] inline void Fail(const std::string& what) {
  const std::string text = "\n*** " + what + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::abort();
}

// The process-wide environment. Begin() empties what the previous input left behind: the
// recorded message boxes and progress calls, and every file of the data and language folders.
inline test::TestEnv& Env() {
  static test::TestEnv env;
  static const bool ready = [] {
    env.LoadLanguage("DE");
    env.Options();
    return true;
  }();
  (void)ready;
  return env;
}

inline void RemoveFiles(const std::string& folder) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (!entry.is_directory()) std::filesystem::remove(entry.path(), ec);
}

inline test::TestEnv& Begin() {
  test::TestEnv& env = Env();
  env.messages.shown.clear();
  env.progress.calls.clear();
  RemoveFiles(env.DataFolder());
  RemoveFiles(env.DataFolder() + "DE/");
  return env;
}

// The reference tables an import and the quick entry use (units, categories, umlaut
// exceptions, title words, RezKonv unit names), read once from the shipped files and kept in
// memory; Begin() may remove the files afterwards.
inline void LoadReferenceTables() {
  static TToolsMod tools;
  static UnitTable units;
  static CategoryTable categories;
  static const bool loaded = [] {
    test::TestEnv& env = Env();
    const std::string shipped = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/";
    for (const char* name : {"einheit.dat", "Gattung.dat", "umlconvs.dat", "NormTitle.dat"})
      test::WriteAll(env.DataFolder() + "DE/" + name, test::ReadAll(shipped + "DE/" + name));
    test::WriteAll(env.DataFolder() + "RkKonvert.dat", test::ReadAll(shipped + "RkKonvert.dat"));
    ctx().options->SetParaInt(73, 0);
    ctx().tools = &tools;
    LoadUmlautExceptions();
    LoadTitleWords();
    LoadUnitNameForms();
    units.ReadEinheiten();
    units.SortEinheiten();
    ctx().units = &units;
    categories.ReadGattungen();
    ctx().categories = &categories;
    return true;
  }();
  (void)loaded;
}

// A book "Ziel" of its own for one input: the cookbook list, the store and a recipe list pane
// in the context while it lives.
class TargetBook {
 public:
  TargetBook() {
    ctx().books = &books;
    ctx().dbList = &store;
    ctx().recipeList = &list;
    ctx().options->SetParaString(6, "Ziel");
    books.ScanKBooks();
    KBOOK book;
    book.name = "Ziel";
    books.CreateKBook(book);
    books.SelectKBook("Ziel");
    store.ReloadBookIndex();
  }
  ~TargetBook() {
    ctx().books = nullptr;
    ctx().dbList = nullptr;
    ctx().recipeList = nullptr;
  }
  // The titles of the live entries of the book's index, each checked against the recipe it
  // points at: the recipe reads, and its title begins with the entry's.
  std::vector<std::string> LiveTitles(const char* when) {
    store.ReloadBookIndex();
    std::vector<std::string> titles;
    for (const REZINDEX& e : store.BookIndex()) {
      if (e.deleted) continue;
      REZBLOCK r;
      if (!store.ReadRezBlock("Ziel", &e, -1, r))
        Fail(std::string(when) + ": a stored recipe does not read");
      if (r.title.substr(0, 59) != e.Title())
        Fail(std::string(when) + ": entry and record disagree: " + e.Title() + " / " + r.title);
      titles.push_back(e.Title());
    }
    return titles;
  }
  // Every recipe counted is in the book once, and an index rebuild finds the same recipes.
  void CheckStored(int counted) {
    const std::vector<std::string> stored = LiveTitles("import");
    if (static_cast<int>(stored.size()) != counted)
      Fail("counted " + std::to_string(counted) + " recipes, the book holds " +
           std::to_string(stored.size()));
    if (counted > 0) {
      store.RebuildIndex();
      if (LiveTitles("rebuild") != stored)
        Fail("the rebuild finds other recipes than the import stored");
    }
  }

  CookbookList books;
  TdbList store;
  test::FakeRecipeList list;
};

inline void Write(const std::string& path, const std::string& bytes) {
  test::WriteAll(path, bytes);
}

// Every field of a recipe that the record file keeps, one per line (ids only when asked).
inline std::string RecipeText(const REZBLOCK& r, bool withIds) {
  std::string out;
  auto put = [&](const char* name, const std::string& value) {
    out += name;
    out += '=';
    out += value;
    out += '\n';
  };
  put("title", r.title);
  if (withIds) {
    put("idLow", std::to_string(r.recipeIdLow));
    put("idHigh", std::to_string(r.recipeIdHigh));
  }
  put("number", std::to_string(r.number));
  put("flags", std::to_string(r.flags));
  put("quality", std::string(1, r.quality));
  put("difficulty", std::string(1, r.difficulty));
  for (uint16_t c : r.categories) put("category", std::to_string(c));
  put("servings", std::to_string(r.servings));
  for (const std::string* s :
       {&r.servingType, &r.cardText, &r.createdBy, &r.createdEmail, &r.createdDate, &r.changedBy,
        &r.changedEmail, &r.changedDate, &r.source, &r.prepTime, &r.cookTime, &r.totalTime,
        &r.points, &r.costs, &r.hint, &r.text})
    put("text", *s);
  for (const REZZUTAT& z : r.lines) {
    put("line", z.amount + "|" + z.unit + "|" + z.text + "|" + z.blsCode + "|" +
                    std::to_string(z.grams) + "|" + std::to_string(z.notOnShoppingList));
  }
  for (const REZREMARK& m : r.remarks) put("remark", m.author + "|" + m.text);
  for (const REZPICTURE& p : r.pictures) put("picture", std::string(1, p.kind) + p.name);
  for (const REZSTOFFMENGE& n : r.nutrients) put("nutrient", std::string(n.code) + "|" + n.value);
  return out;
}

}  // namespace tav::fuzz
