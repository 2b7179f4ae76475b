#pragma once
// A WPlan.ini that holds a year of plans around a shown week: 3 entries a day, 10 a day in the
// `busyDays` days from `monday` on (recipes with long titles, a remark now and then, every
// fourth entry a day remark).
#include <string>

#include "kitchen/profile_ini.h"
#include "kitchen/weekplan/week_plan.h"

namespace tav::bench {

inline void WriteYearOfPlans(const std::string& file, int monday, int busyDays) {
  ProfileIni ini(file);
  ini.Load();
  for (int day = monday - 182; day < monday + 183; ++day) {
    const int count = day >= monday && day < monday + busyDays ? 10 : 3;
    const std::string section = WeekPlanSectionName(day);
    for (int n = 0; n < count; ++n) {
      const std::string k = std::to_string(n);
      ini.WriteInteger(section, "Book" + k, 65534);
      ini.WriteInteger(section, "RID" + k, day * 10 + n);
      ini.WriteInteger(section, "Pos" + k, n);
      ini.WriteInteger(section, "ServAnz" + k, 4);
      ini.WriteString(section, "Titel" + k,
                      "Rinderrouladen mit Rotkohl und Kl\xF6\xDF"
                      "en " +
                          k);
      ini.WriteString(section, "ServArt" + k, "Personen");
      ini.WriteString(section, "Bem" + k, n % 3 ? "" : "am Vortag vorbereiten");
      ini.WriteString(section, "Type" + k, n % 4 ? "R" : "B");
    }
  }
  ini.Save();
}

}  // namespace tav::bench
