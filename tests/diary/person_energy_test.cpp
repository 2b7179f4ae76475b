// The person dialog's figures: body-mass index, energies, weights and the point score.
#include <gtest/gtest.h>

#include "diary/person_energy.h"
#include "platform/numbers.h"
#include "support/test_env.h"

namespace tav {
namespace {

PersonInput Person(bool female, const std::string& weight, const std::string& height,
                   int work = 30) {
  PersonInput in;
  in.birthDate = "5.3.1970";
  in.female = female;
  in.weight = weight;
  in.height = height;
  in.work = work;
  return in;
}

TEST(PersonEnergy, Formulas) {
  SetDecimalSep(',');
  struct Case {
    PersonInput in;
    double age;
    std::string bmiText;
    int bmiClass;
    bool known;
    std::string basal, total, ideal, minimum, surface;
    int kcal;
  };
  const Case cases[] = {
      // A man of 40, 80 kg, 180 cm, work 30, no sport.
      {Person(false, "80", "180"), 40, "24,69", 449, true, "1790", "2408", "75", "63", "2,00",
       2408},
      // A woman of 60 kg and 165 cm: ideal 56.9, minimum 44.6.
      {Person(true, "60", "165"), 40, "22,04", 449, true, "1340", "1776", "57", "45", "1,66", 1776},
      // Bounds are exclusive: no figures.
      {Person(false, "20", "180"), 40, "???", 0, false, "", "", "", "", "", 0},
      {Person(false, "80", "250"), 40, "???", 0, false, "", "", "", "", "", 0},
      {Person(false, "80", "99"), 40, "???", 0, false, "", "", "", "", "", 0},
      // A birth date that does not parse: the index, no energies.
      {PersonInput{"31.13.1970", "180", "80", false, 30, 0, true}, 40, "24,69", 449, false, "", "",
       "", "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in.weight + "/" + c.in.height);
    const PersonFigures f = CalcPersonFigures(c.in, c.age);
    EXPECT_EQ(f.bmiText, c.bmiText);
    EXPECT_EQ(f.bmiClass, c.bmiClass);
    EXPECT_EQ(f.energyKnown, c.known);
    EXPECT_EQ(f.calculatedKcal, c.kcal);
    if (!c.known) continue;
    EXPECT_EQ(FormatFixed(f.basal, 0), c.basal);
    EXPECT_EQ(FormatFixed(f.total, 0), c.total);
    EXPECT_EQ(FormatFixed(f.ideal, 0), c.ideal);
    EXPECT_EQ(FormatFixed(f.minimum, 0), c.minimum);
    EXPECT_EQ(FormatFixed(f.surface, 2), c.surface);
  }
  SetDecimalSep('.');
}

TEST(PersonEnergy, BmiClassesAndTheMinimumWeight) {
  // Exactly 25 and exactly 40: 100 kg at 200 cm, 160 kg at 200 cm.
  EXPECT_EQ(CalcPersonFigures(Person(false, "100", "200"), 30).bmiClass, 449);
  EXPECT_EQ(CalcPersonFigures(Person(false, "160", "200"), 30).bmiClass, 451);
  EXPECT_EQ(CalcPersonFigures(Person(false, "161", "200"), 30).bmiClass, 452);
  EXPECT_EQ(CalcPersonFigures(Person(true, "45", "170"), 30).bmiClass, 448);
  // A minimum weight above the ideal weight is the ideal weight.
  const PersonFigures small = CalcPersonFigures(Person(true, "81", "150"), 30);
  EXPECT_LT(small.ideal, 1.07 * 81 - 148.0 * 81 * 81 / (150 * 150));
  EXPECT_DOUBLE_EQ(small.minimum, small.ideal);
}

TEST(PersonEnergy, AgeAndPointScore) {
  EXPECT_EQ(PersonAgeYears("5.3.1970", 4, 3, 2010), 39);
  EXPECT_EQ(PersonAgeYears("5.3.1970", 5, 3, 2010), 40);
  EXPECT_EQ(PersonAgeYears("5.4.1970", 30, 3, 2010), 39);
  EXPECT_EQ(PersonAgeYears("kein Datum", 5, 3, 2010), 2010);
  // A woman of 25, 58 kg, 165 cm, work 10, keeping her weight: 7 + 4 + 5 + 2 + 0 + 4.
  PersonInput anna = Person(true, "58", "165", 10);
  EXPECT_EQ(CalcPointScore(anna, 25), 22);
  // A light, old, short person losing weight gets the floor of 17.
  PersonInput old = Person(true, "9", "150", 0);
  old.keepWeight = false;
  EXPECT_EQ(CalcPointScore(old, 70), 17);
  // A man: 15 + 3 (45) + 12 (120 kg) + 2 + 8 (work 90) + 4.
  EXPECT_EQ(CalcPointScore(Person(false, "120", "190", 90), 45), 44);
}

}  // namespace
}  // namespace tav
