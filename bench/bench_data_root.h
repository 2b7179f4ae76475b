#pragma once
// A temporary data root with settings, options, cookbook list and recipe store installed into
// the context, for the benchmarks that work on books. Removed with everything in it at the end.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav::bench {

struct BenchDataRoot {
  std::string root, data;
  MemorySettingsStore settings;
  OptionsStore options;
  CookbookList books;
  TdbList store;

  explicit BenchDataRoot(const std::string& tag) {
    root = (std::filesystem::temp_directory_path() /
            ("tavolin-bench-" + tag + "-" + std::to_string(getpid())))
               .string() +
           "/";
    data = root + "Data/";
    std::filesystem::create_directories(data + "DE");
    ctx().userSettings = &settings;
    options.LoadOptions(root);
    ctx().options = &options;
    ctx().books = &books;
    ctx().dbList = &store;
  }
  ~BenchDataRoot() { std::filesystem::remove_all(root); }
};

}  // namespace tav::bench
