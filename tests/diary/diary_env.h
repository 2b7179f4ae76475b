#pragma once
// A data root for the diary tests: the fixture food table (decimal comma), a book "Test" with
// recipes linked to its foods, the calculation state, intake tables and a diary module started
// on demand over the persons a test writes.
#include <memory>
#include <string>
#include <vector>

#include "diary/diary_module.h"
#include "diary/intake_tables.h"
#include "nutrients/food_env.h"
#include "nutrients/recipe_calc.h"
#include "platform/text_file.h"
#include "recipedb/book_test_util.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"

namespace tav::test {

// Fixture foods: Spinat G101000 (23 kcal, 96 kJ, 2,86 g protein), Feldsalat G102000 (21 kcal,
// 88 kJ, 2 g protein), Linsen H102000 (352 kcal, 1473 kJ), Kartoffel K101000 (a short line:
// water and kcal only).
class DiaryEnv : public FoodEnv {
 public:
  DiaryEnv() : FoodEnv(FixtureTable()) {
    ctx().calc = &calc;
    ctx().books = &books;
    ctx().dbList = &store;
    ctx().recipeList = &list;
    ctx().intake = &intake;
    ctx().options->SetParaString(6, "Test");
    books.ScanKBooks();
    KBOOK book;
    book.name = "Test";
    books.CreateKBook(book);
    books.SelectKBook("Test");
    store.ReloadBookIndex();
  }
  ~DiaryEnv() { diary.reset(); }

  // Stores a recipe in the book; gives its number.
  int32_t AddRecipe(REZBLOCK r) {
    r.number = store.NextRecipeNumber("Test");
    int32_t offset = 0, length = 0;
    store.WriteRezBlock("", r, offset, length);
    REZINDEX e = BookEnv::EntryFor(r, offset, length);
    store.WriteIndexEntry(e, -1);
    return r.number;
  }
  int32_t AddRecipe(const std::string& title, int servings, const std::string& servingType,
                    std::vector<REZZUTAT> lines) {
    REZBLOCK r;
    ClearRezBlock(r);
    r.title = title;
    r.servings = servings;
    r.servingType = servingType;
    r.lines = std::move(lines);
    return AddRecipe(r);
  }
  // Four servings: 400 g Spinat and 200 g Feldsalat, every line linked (134 kcal, 560 kJ).
  int32_t SaladRecipe() {
    return AddRecipe(
        "Gr\xFCner Salat", 4, "Portionen",
        {{"400", "g", "Spinat", "G101000", 0, 0}, {"200", "g", "Feldsalat", "G102000", 0, 0}});
  }
  // Two servings, one line without a food: not calculated.
  int32_t OpenRecipe() {
    return AddRecipe("Eintopf", 2, "Teller",
                     {{"400", "g", "Spinat", "G101000", 0, 0}, {"1", "", "Geheimzutat", "", 0, 0}});
  }

  void WriteUsers(const std::string& text) { WriteAll(DataFolder() + "Users.dat", text); }
  // Users.dat with persons of these names (born 5 March 1970), the first remembered as
  // the active one.
  void WritePersons(const std::vector<std::string>& names) {
    std::string text = "#\r\n";
    for (const std::string& n : names)
      text += ">N" + n + "\r\n>G05031970\r\n>W70\r\n>H170\r\n>SF\r\n>TN\r\n#\r\n";
    WriteUsers(text);
    if (!names.empty()) ctx().options->SetParaString(61, names.front());
  }
  TENApplogMod& Start() {
    diary.reset();
    diary = std::make_unique<TENApplogMod>();
    return *diary;
  }
  std::string PersonDir(const std::string& name) const {
    return DataFolder() + "Konten/" + name + "/";
  }
  std::string MonthFile(const std::string& name, const std::string& file) const {
    return PersonDir(name) + file;
  }

  const DecimalComma comma;
  RecipeCalc calc;
  CookbookList books;
  TdbList store;
  FakeRecipeList list;
  IntakeTables intake;
  std::unique_ptr<TENApplogMod> diary;
};

}  // namespace tav::test
