#pragma once
// The diary data root with Anna (and Bert) and a started diary module as the program's one,
// for the diary window tests.
#include <cstdint>

#include "diary/diary_env.h"
#include "diary/diary_module.h"
#include "services/context.h"
#include "services/tools_module.h"

namespace tav::test {

inline constexpr int kMay = 4;

struct DiaryWindowEnv {
  DiaryWindowEnv() {
    env.WritePersons({"Anna", "Bert"});
    diary = &env.Start();
    ENApplogMod = diary;
    salad = env.SaladRecipe();
  }
  ~DiaryWindowEnv() { ENApplogMod = nullptr; }
  DiaryWindowEnv(const DiaryWindowEnv&) = delete;
  DiaryWindowEnv& operator=(const DiaryWindowEnv&) = delete;

  DiaryEnv env;
  TENApplogMod* diary = nullptr;
  int32_t salad = 0;
};

// The program's tools (help pages) for as long as it lives.
struct WithTools {
  WithTools() { ctx().tools = &tools; }
  ~WithTools() { ctx().tools = nullptr; }
  WithTools(const WithTools&) = delete;
  WithTools& operator=(const WithTools&) = delete;
  TToolsMod tools;
};

}  // namespace tav::test
