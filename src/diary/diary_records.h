#pragma once
// The records of the nutrition diary: persons with their daily requirements, the months, days
// and entries of the diary, the weight log and the day values. Months are 0-11 in memory;
// birth dates keep the month 1-12 as the person file does.
#include <cstdint>
#include <string>
#include <vector>

#include "nutrients/food_database.h"

namespace tav {

// The daily requirement of one nutrient for one person. -1 means no value.
struct TAGESBEDARF {
  std::string code;       // nutrient code of the nutrient table, at most 7 characters
  double effective = -1;  // own when set, else standard, else -1 (UpdateRequirements)
  double own = -1;        // typed by the user
  double standard = -1;   // from the intake tables
  char alarm = '-';       // '-' no check, '<' a minimum, '>' a maximum
};

// One diary person. The name is also the name of the person's folder under "Konten".
struct ENPERSON {
  std::string name;
  int birthDay = 1;
  int birthMonth = 1;  // 1-12
  int birthYear = 2000;
  int height = 100;          // cm
  int weight = 23;           // kg
  char sex = 'M';            // 'F' or 'M'
  char pregnancy = 'N';      // 'N' none, 'J' pregnant, 'S' nursing
  int work = 30;             // 0-100
  int sport = 0;             // 0-100
  int calculatedEnergy = 0;  // kcal per day
  int manualEnergy = 0;      // kcal per day
  bool diet = false;         // the goal is to lose weight
  int pointScore = 0;
  bool manualEnergyApplies = false;
  std::vector<TAGESBEDARF> requirements;
};

// One eaten recipe (servings) or food (grams).
struct ENENTRY {
  bool isRecipe = false;
  bool calculated = false;  // the values are complete
  int day = 1;
  int month = 0;  // 0-11
  int year = 2000;
  uint16_t book = 0;  // the book id bit for bit; 0 for a food
  int32_t recipeNumber = 0;
  std::string foodKey;    // empty for a recipe
  double amount = 0;      // servings or grams
  double baseAmount = 0;  // what the nutrient line describes: the servings, 100 g
  double energy = 0;      // kJ of the amount
  std::string unit;       // the serving word, "Gramm"
  std::string name;
  std::string nutrientLine;  // values for the base amount, ';'-separated
  LB_DATA food;              // the line split and scaled to the amount; value j = table index j
};

// One day that has entries.
struct ENDAY {
  int day = 1;
  int month = 0;
  int year = 2000;
  bool complete = false;         // every entry is calculated
  std::string totalsLine;        // the day values joined with ';'
  std::vector<ENENTRY> entries;  // in the order they were added
  LB_DATA dayValues;             // after CalcDaySums at least 145 texts: value j the sum of index j
};

// One loaded month of the active person.
struct ENMONTH {
  int month = 0;  // 0-11
  int year = 2000;
  // The month differs from its file (or has none yet) and is written by the next save.
  bool changed = false;
  // The file could not be read to its end: it is never written over.
  bool damaged = false;
  std::vector<ENDAY> days;  // ascending dates
};

// One weight-log entry.
struct GEWICHTLIST {
  int day = 1;
  int month = 0;  // 0-11
  int year = 2000;
  int hour = 0;
  int minute = 0;
  std::string values[6];  // the six value columns as typed
  std::string comment;
};

// One row of the day values: a nutrient of the day-value group, its sum over a day and the
// active person's requirement.
struct DAYVALUE {
  std::string name;
  std::string unit;  // cut before its first '/'
  double sum = 0;
  double requirement = 0;  // 0 without a requirement row, -1 when the row holds no value
  bool isMaximum = false;  // the requirement is an upper limit (alarm '>')
};

}  // namespace tav
