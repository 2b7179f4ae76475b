#include "diary/person_energy.h"

#include <cmath>

#include "diary/diary_text.h"
#include "platform/numbers.h"
#include "services/dates.h"

namespace tav {

double PersonAgeYears(const std::string& birthDate, int todayDay, int todayMonth, int todayYear) {
  int day = 0, month = 0, year = 0;
  if (!ParseDate(birthDate, day, month, year)) year = 0;
  int age = todayYear - year;
  if (year != 0 && (month > todayMonth || (month == todayMonth && day > todayDay))) --age;
  return age;
}

double PersonAgeYears(const std::string& birthDate) {
  const LocalNow now = CurrentLocalTime();
  return PersonAgeYears(birthDate, now.day, now.month + 1, now.year);
}

PersonFigures CalcPersonFigures(const PersonInput& in, double A) {
  PersonFigures f;
  f.bmiText = "???";
  const double W = ReadNumber(in.weight);
  const double H = ReadNumber(in.height);
  const bool inRange = W > 20 && W < 250 && H > 99 && H < 250;
  if (inRange) {
    const double h = H * 0.01;
    f.bmi = W / (h * h);
    f.bmiText = FormatFixed(f.bmi, 2);
  }
  if (f.bmi == 0)
    f.bmiClass = 0;
  else if (f.bmi < 20)
    f.bmiClass = 448;
  else if (f.bmi <= 25)
    f.bmiClass = 449;
  else if (f.bmi <= 30)
    f.bmiClass = 450;
  else if (f.bmi <= 40)
    f.bmiClass = 451;
  else
    f.bmiClass = 452;
  int d = 0, m = 0, y = 0;
  if (!ParseDate(in.birthDate, d, m, y) || !inRange) return f;
  f.energyKnown = true;
  f.basal = in.female ? 9.6 * W + 655 + 1.8 * H - 4.7 * A : 13.7 * W + 66 + 5 * H - 6.8 * A;
  const double w = in.work * 0.01;
  const double factor = in.female ? 0.9 * w + 1.3 : 1.1 * w + 1.3;
  const double level = (8 * factor + 12.6 + 6.65) / 24 + in.sport * 0.01 * 0.2;
  f.total = f.basal * level;
  f.calculatedKcal = static_cast<int>(f.total);
  f.ideal = (H * 0.39370078740157477 - 60) * 2.3 + (in.female ? 45.5 : 50);
  f.minimum = in.female ? 1.07 * W - 148 * W * W / (H * H) : 1.1 * W - 128 * W * W / (H * H);
  if (f.minimum > f.ideal) f.minimum = f.ideal;
  f.surface = 0.20247 * std::pow(H * 0.01, 0.725) * std::pow(W, 0.425);
  return f;
}

int CalcPointScore(const PersonInput& in, double A) {
  int n = in.female ? 7 : 15;
  n += A <= 20 ? 5 : A <= 35 ? 4 : A <= 50 ? 3 : A <= 60 ? 2 : 1;
  // The weight without its last digit: 75 kg adds 7, a one-digit weight 0.
  n += static_cast<int>(ReadLong(in.weight) / 10);
  n += ReadLong(in.height) >= 160 ? 2 : 1;  // leading blanks are skipped, trailing ones end it
  n += in.work <= 20 ? 0 : in.work <= 40 ? 2 : in.work <= 60 ? 4 : in.work <= 80 ? 5 : 8;
  if (in.keepWeight) n += 4;
  return n < 17 ? 17 : n;
}

}  // namespace tav
