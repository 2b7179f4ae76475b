#pragma once
// A current book with the shipped German reference tables (units, categories, nutrient names),
// the tools module and the decimal comma, for the tests of the recipe views; and the recipes
// those tests show.
#include <cstring>
#include <string>

#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "recipedb/book_test_util.h"
#include "recipedb/category_table.h"
#include "recipedb/unit_table.h"
#include "recipes/key_figure_choice.h"
#include "services/tools_module.h"

namespace tav::test {

class ViewEnv : public BookEnv {
 public:
  explicit ViewEnv(const std::string& book = "Rezepte") : BookEnv(book) {
    SetDecimalSep(',');
    ctx().tools = &tools;
    for (const char* file : {"einheit.dat", "Gattung.dat"})
      WriteAll(Data() + "DE/" + file,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/" + file));
    units.ReadEinheiten();
    ctx().units = &units;
    categories.ReadGattungen();
    ctx().categories = &categories;
    nutrients.ReadFieldsFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/Fields.bls");
    ctx().nutrients = &nutrients;
  }
  ~ViewEnv() { SetDecimalSep('.'); }

  TToolsMod tools;
  UnitTable units;
  CategoryTable categories;
  NutrientTable nutrients;
};

inline REZSTOFFMENGE Nutrient(const char* code, const std::string& value) {
  REZSTOFFMENGE n;
  std::strncpy(n.code, code, 7);
  n.value = value;
  return n;
}

// A cake for 3 servings: a heading first, an ingredient with a description line, a unit the
// table names, a range, a word amount; three categories of which the middle one (9999) no
// longer exists; remarks of two people, one of them empty; a picture and stored nutrients.
inline REZBLOCK AppleCake() {
  REZBLOCK r;
  r.title = "Apfelkuchen";
  r.servings = 3;
  r.servingType = "St\xFC" "cke";
  r.recipeIdHigh = 0x02A51234;
  r.recipeIdLow = 77;
  r.quality = '3';
  r.difficulty = '0';
  r.categories[0] = 4;
  r.categories[1] = 9999;
  r.categories[2] = 2;
  r.hint = "Obst, Backen Herbst";
  r.source = "Omas Heft\r\nSeite 12";
  r.totalTime = "90";
  r.prepTime = "20 Min.";
  r.costs = "4 Euro";
  r.createdBy = "Anna";
  r.lines = {{"", "", "*Teig", "", 0, 0},
             {"250", "g", "Mehl", "", 0, 0},
             {"1", "Ds", "\xC4pfel", "", 0, 0},
             {"", "", "-gesch\xE4lt", "", 0, 0},
             {"2-3", "EL", "Zucker", "", 0, 0},
             {"", "", "*Guss", "", 0, 0},
             {"etwas", "", "Zimt", "", 0, 0}};
  r.text = "Teig kneten.\r\nBacken.";
  r.remarks = {{"Saftig!", "Anna"}, {"", "Anna"}, {"Mehr Zimt", "Bert"}};
  r.pictures = {{'F', "kuchen.jpg"}};
  r.nutrients = {Nutrient("GCAL", "2400"), Nutrient("ZF", "60,6")};
  return r;
}

inline REZBLOCK PlainRecipe(const std::string& title) {
  REZBLOCK r;
  r.title = title;
  r.servings = 2;
  r.lines = {{"1", "", "Zutat", "", 0, 0}};
  r.text = "Text von " + title;
  return r;
}

}  // namespace tav::test
