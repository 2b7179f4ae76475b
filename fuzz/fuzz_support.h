#pragma once
// What the harnesses share: one data root for the whole run (with options and the German
// language texts), the files of an input, and a readable dump of a recipe so that two reads of
// the same recipe can be compared.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "recipedb/recipe_model.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav::fuzz {

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

inline void Write(const std::string& path, const std::string& bytes) {
  test::WriteAll(path, bytes);
}

// A harness found a broken rule: the message, then a crash libFuzzer records.
[[noreturn]] inline void Fail(const std::string& what) {
  const std::string text = "\n*** " + what + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::abort();
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
