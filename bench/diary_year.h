#pragma once
// A year of nutrition diary for the active person of a diary module: recipes and foods
// alternating, `entriesPerDay` a day, each calculated with a value line of random nutrient
// values (decimal comma, the same fixed seed every run), each day summed.
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "diary/diary_module.h"
#include "nutrients/food_database.h"
#include "services/dates.h"

namespace tav::bench {

struct DiaryYearShape {
  int year = 2024;
  int entriesPerDay = 5;
  int fields = 145;        // value line fields, key and name included
  std::string recipeName;  // followed by the entry's number of the day
  std::string foodName;
  std::function<std::string(int k)> foodKey;  // for the day's k-th entry
};

// `afterDay` runs once a day after its sums (for weights, say).
inline void AddDiaryYear(TENApplogMod& diary, const DiaryYearShape& s,
                         const std::function<void(int day, int month)>& afterDay = {}) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> value(0, 99999);
  for (int month = 0; month < 12; ++month) {
    for (int day = 1; day <= DaysInMonth(month, s.year); ++day) {
      for (int k = 0; k < s.entriesPerDay; ++k) {
        ENENTRY e;
        e.day = day;
        e.month = month;
        e.year = s.year;
        e.isRecipe = k % 2 == 0;
        e.calculated = true;
        e.book = static_cast<uint16_t>(-3);
        e.recipeNumber = e.isRecipe ? 100 + k : 0;
        e.foodKey = e.isRecipe ? "" : s.foodKey(k);
        e.name = e.isRecipe ? s.recipeName + std::to_string(k) : s.foodName;
        e.unit = e.isRecipe ? "Portionen" : "Gramm";
        e.baseAmount = e.isRecipe ? 4 : 100;
        e.amount = e.isRecipe ? 1.5 : 120;
        std::string line = e.isRecipe ? "0;0" : e.foodKey + ";" + s.foodName;
        for (int f = 2; f < s.fields; ++f) {
          const int v = value(rng);
          char text[24];
          std::snprintf(text, sizeof text, ";%d,%02d", v / 100, v % 100);
          line += text;
        }
        e.nutrientLine = line;
        FoodDatabase::SplitBLSRecord(line, &e.food);
        diary.AddEntry(std::move(e));
      }
      diary.CalcDaySums(diary.GetDay(day, month, s.year));
      if (afterDay) afterDay(day, month);
    }
  }
}

}  // namespace tav::bench
