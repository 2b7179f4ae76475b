#pragma once
// The figures of the person dialog, worked out from what the user typed: body-mass index and
// its class, basal rate, work energy, total daily energy, ideal and minimum weight, body
// surface, and the daily point score. Energies in kcal.
#include <string>

namespace tav {

struct PersonInput {
  std::string birthDate;  // "d.m.yyyy" as typed
  std::string height;     // cm, as typed
  std::string weight;     // kg, as typed
  bool female = false;
  int work = 30;  // 0-100
  int sport = 0;  // 0-100
  bool keepWeight = true;
};

struct PersonFigures {
  double bmi = 0;            // 0 when weight or height are out of range
  std::string bmiText;       // "24,69" or "???"
  int bmiClass = 0;          // message 448-452, 0 none
  bool energyKnown = false;  // birth date, weight and height usable
  double basal = 0;          // Harris-Benedict
  double total = 0;
  int calculatedKcal = 0;  // total cut toward zero
  double ideal = 0;        // Devine
  double minimum = 0;      // James lean body mass, at most the ideal weight
  double surface = 0;      // Du Bois, m²
};

// Full years of life today (local date) from the birth-date text; a text that does not parse
// counts as born in year 0.
double PersonAgeYears(const std::string& birthDate, int todayDay, int todayMonth, int todayYear);
// The same against today's local date.
double PersonAgeYears(const std::string& birthDate);

PersonFigures CalcPersonFigures(const PersonInput& in, double ageYears);

// The daily point score, at least 17.
int CalcPointScore(const PersonInput& in, double ageYears);

}  // namespace tav
