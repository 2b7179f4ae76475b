#pragma once
// The data root of the import and export benchmarks: a temporary folder with a small unit
// table, two categories, the umlaut exceptions and the RezKonv unit names (or the shipped
// tables), and the options, tools module, cookbook list, recipe store and reference tables
// installed into the context.
// Removed with everything in it at the end.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "recipedb/unit_table.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"

namespace tav::bench {

struct ExchangeRoot {
  std::string root, data;
  MemorySettingsStore settings;
  OptionsStore options;
  TToolsMod tools;
  CookbookList books;
  TdbList store;
  UnitTable units;
  CategoryTable categories;
  int run = 0;

  // `shipped`: the program's own reference tables (and "NormTitle.dat") in place of the small
  // ones, copied as an installation has them.
  explicit ExchangeRoot(const std::string& tag, bool shipped = false) {
    root = (std::filesystem::temp_directory_path() /
            ("tavolin-bench-" + tag + "-" + std::to_string(getpid())))
               .string() +
           "/";
    data = root + "Data/";
    for (const char* folder : {"Data/DE", "Pics", "Export"})
      std::filesystem::create_directories(root + folder);
    if (shipped) {
      const std::string from = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/";
      for (const char* name : {"einheit.dat", "Gattung.dat", "umlconvs.dat", "NormTitle.dat"})
        std::filesystem::copy_file(from + "DE/" + name, data + "DE/" + name);
      std::filesystem::copy_file(from + "RkKonvert.dat", data + "RkKonvert.dat");
    } else {
      WriteTextLines(
          data + "DE/einheit.dat",
          {"g  Gramm~2#Gramm~g#M", "kg Kilogramm~2#Kilogramm~kg#M",
           "EL Essl\xF6"
           "ffel~19#EL#M",
           "TL Teel\xF6"
           "ffel~19#TL#M",
           "ml Milliliter~9#Milliliter~ml#M", "l  Liter~9#Liter~l#M", "Pr Prise~16#Prisen~Pr.#M",
           "St St\xFC"
           "ck~4#St\xFC"
           "ck#M",
           "Bd Bund~4#Bund~Bd.#M", "c  Tasse (amerik. Cup)~9#Tassen#M#236,6#ml"});
      WriteTextLines(data + "DE/Gattung.dat", {">0007 Kuchen#", ">0012 Saucen & Dips#"});
      WriteTextLines(data + "DE/umlconvs.dat", {"#1", "QUE", "EUE", "AUE"});
      WriteTextLines(data + "RkKonvert.dat",
                     {"g#g#g", "kg#kg#kg", "EL#EL#EL", "TL#TL#TL", "Pr#Prise#Prisen",
                      "St#St\xFC"
                      "ck#St\xFC"
                      "ck",
                      "Bd#Bund#Bund"});
    }
    ctx().userSettings = &settings;
    options.LoadOptions(root);
    options.SetParaInt(73, 0);
    ctx().options = &options;
    ctx().tools = &tools;
    LoadUmlautExceptions();
    ctx().books = &books;
    ctx().dbList = &store;
    units.ReadEinheiten();
    ctx().units = &units;
    categories.ReadGattungen();
    ctx().categories = &categories;
    books.ScanKBooks();
  }
  ~ExchangeRoot() { std::filesystem::remove_all(root); }

  // A new, empty book named `prefix` and a running number.
  std::string NewBook(const std::string& prefix) {
    KBOOK book;
    book.name = prefix + std::to_string(++run);
    books.CreateKBook(book);
    return book.name;
  }
};

}  // namespace tav::bench
