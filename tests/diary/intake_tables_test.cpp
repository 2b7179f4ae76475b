#include <gtest/gtest.h>

#include "diary_env.h"
#include "platform/paths.h"

namespace tav {
namespace {

using test::DiaryEnv;
using test::ReadAll;
using test::WriteAll;

ENPERSON Person(char sex, char pregnancy) {
  ENPERSON p;
  p.sex = sex;
  p.pregnancy = pregnancy;
  return p;
}

TEST(IntakeTables, StandardRequirementLookUps) {
  // Bands up to 3, 18 and 50 years, the open end, and the rows of pregnant and nursing women.
  const ZUFUHR bands{
      "VC",
      "",
      {{3, 15, 15}, {18, 75, 65}, {50, 90, 75}, {999, 100, 80}, {1000, -1, 85}, {1001, 7, 120}}};
  const ZUFUHR gap{"VD", "", {{18, 1, 1}, {25, -1, -1}, {999, 2, 2}}};
  const ZUFUHR noOpenValue{"VE", "", {{18, 1, 1}, {999, -1, -1}}};
  const ZUFUHR onlyPregnant{"MFE", "", {{1000, -1, 27}}};
  const ZUFUHR pregnantWithoutValue{"ZE", "", {{999, 56, 46}, {1000, 3, -1}}};
  struct Case {
    const ZUFUHR& table;
    int age;
    char sex, pregnancy;
    double value;
  };
  const Case cases[] = {
      {bands, 0, 'M', 'N', 15},         {bands, 3, 'M', 'N', 15},
      {bands, 4, 'F', 'N', 65},         {bands, 18, 'M', 'N', 75},
      {bands, 19, 'M', 'N', 90},        {bands, 50, 'F', 'N', 75},
      {bands, 51, 'M', 'N', 100},       {bands, 120, 'F', 'N', 80},
      {bands, 30, 'F', 'J', 85},        {bands, 30, 'F', 'S', 120},
      {bands, 30, 'M', 'J', 90},        {bands, 30, 'M', 'S', 90},
      {bands, 30, 'F', 'X', 75},        {gap, 25, 'M', 'N', 1},
      {gap, 26, 'M', 'N', 2},           {noOpenValue, 70, 'F', 'N', -1},
      {noOpenValue, 10, 'F', 'N', 1},   {onlyPregnant, 30, 'F', 'J', 27},
      {onlyPregnant, 30, 'F', 'N', -1}, {pregnantWithoutValue, 30, 'F', 'J', 46},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(IntakeValueFor(c.table, c.age, c.sex, c.pregnancy), c.value)
        << c.table.code << " age " << c.age << " " << c.sex << c.pregnancy;

  IntakeTables tables;
  tables.tables = {bands, {"LEER", "", {}}};
  EXPECT_DOUBLE_EQ(tables.StandardRequirementFor("VC", Person('F', 'N'), 40), 75);
  EXPECT_DOUBLE_EQ(tables.StandardRequirementFor("vc", Person('F', 'N'), 40), -1);
  EXPECT_DOUBLE_EQ(tables.StandardRequirementFor("LEER", Person('F', 'N'), 40), -1);
  EXPECT_EQ(tables.FindIntakeTable("LEER"), 1);
  EXPECT_EQ(tables.FindIntakeTable("XX"), -1);
}

TEST(IntakeTables, ReadingAndWritingStoffCalc) {
  DiaryEnv env;
  WriteAll(env.DataFolder() + "StoffCalc.dat",
           "VC#A3:15.000/15.000#A999:90/75#A1000:-1.000/85.000#\r\n"
           "kein Code\r\n"
           "ZUCKER7#A18:1,5:2/3#\r\n"         // a seven-letter code; a number ends where it stops
           "MNA#A3:1/2#X9:1/1#A999:3/3#\r\n"  // a group without 'A': the line goes
           "VD#A3:1/2#A18:5/\r\n"             // cut short: the row before stays
           "ZW#\r\n"
           "VE#A999:-1.000/-1.000#\r\n"
           "LANGERCODE#A3:1/1#\r\n");
  IntakeTables t;
  ASSERT_TRUE(t.ReadStoffCalc());
  std::vector<std::string> codes;
  for (const ZUFUHR& z : t.tables) codes.push_back(z.code);
  EXPECT_EQ(codes, (std::vector<std::string>{"VC", "ZUCKER7", "VD", "ZW", "VE"}));
  ASSERT_EQ(t.tables[0].rows.size(), 3u);
  EXPECT_EQ(t.tables[0].rows[1].age, 999);
  EXPECT_DOUBLE_EQ(t.tables[0].rows[1].female, 75);
  EXPECT_DOUBLE_EQ(t.tables[0].rows[2].male, -1);
  ASSERT_EQ(t.tables[1].rows.size(), 1u);
  EXPECT_DOUBLE_EQ(t.tables[1].rows[0].male, 1.5);  // up to the '/': "1,5:2"
  ASSERT_EQ(t.tables[2].rows.size(), 1u);
  EXPECT_TRUE(t.tables[3].rows.empty());
  ASSERT_EQ(t.tables[4].rows.size(), 1u);

  // Tables and rows without values are left out; the open end stays.
  t.tables[0].rows.push_back({70, -1, -1});
  t.tables.push_back({"VK", "", {{999, -1, -1}, {18, -1, 55.5}}});
  ASSERT_TRUE(t.WriteStoffCalc());
  EXPECT_EQ(ReadAll(env.DataFolder() + "StoffCalc.dat"),
            "VC#A3:15.000/15.000#A999:90.000/75.000#A1000:-1.000/85.000#\r\n"
            "ZUCKER7#A18:1.500/3.000#\r\n"
            "VD#A3:1.000/2.000#\r\n"
            "VK#A999:-1.000/-1.000#A18:-1.000/55.500#\r\n");
  // A file that cannot be written: message 891, the tables stay.
  SetAtomicWriteFaultForTest(5);
  EXPECT_FALSE(t.WriteStoffCalc());
  EXPECT_TRUE(test::ShownText(env.messages, 891));
  EXPECT_EQ(t.tables.size(), 6u);
  // A missing file: no tables.
  RemoveFile(env.DataFolder() + "StoffCalc.dat");
  EXPECT_FALSE(t.ReadStoffCalc());
  EXPECT_TRUE(t.tables.empty());
}

// The shipped tables cover energy and the main nutrients of the shipped food table.
TEST(IntakeTables, TheShippedTables) {
  DiaryEnv env;
  WriteAll(env.DataFolder() + "StoffCalc.dat",
           ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/StoffCalc.dat"));
  IntakeTables t;
  ASSERT_TRUE(t.ReadStoffCalc());
  struct Case {
    const char* code;
    int age;
    char sex, pregnancy;
    double value;
  };
  const Case cases[] = {
      {"GCAL", 25, 'M', 'N', 2800}, {"GCAL", 40, 'F', 'N', 2000}, {"GCAL", 80, 'M', 'N', 2200},
      {"GJ", 25, 'M', 'N', 11715},  {"ZE", 40, 'M', 'N', 56},     {"ZE", 30, 'F', 'J', 71},
      {"VC", 40, 'M', 'N', 90},     {"VC", 30, 'F', 'S', 120},    {"MFE", 30, 'F', 'N', 18},
      {"MFE", 60, 'F', 'N', 8},     {"MCA", 75, 'F', 'N', 1200},  {"VD", 80, 'M', 'N', 20},
      {"VB12", 40, 'F', 'N', 2.4},  {"MNA", 40, 'M', 'N', 1500},  {"ZB", 60, 'F', 'N', 21},
      {"MCU", 40, 'M', 'N', 0.9},
  };
  for (const Case& c : cases) {
    const int i = t.FindIntakeTable(c.code);
    ASSERT_GE(i, 0) << c.code;
    EXPECT_DOUBLE_EQ(IntakeValueFor(t.tables[static_cast<size_t>(i)], c.age, c.sex, c.pregnancy),
                     c.value)
        << c.code << " " << c.age;
  }
  // Every table's code is a field of the shipped food table, and every table ends open.
  const std::string fields = ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/Fields.bls");
  for (const ZUFUHR& z : t.tables) {
    EXPECT_NE(fields.find("\n" + z.code + ";"), std::string::npos) << z.code;
    bool open = false;
    for (const ZUFUHRAGE& r : z.rows) open = open || r.age == IntakeTables::kOpenEnd;
    EXPECT_TRUE(open) << z.code;
  }
  EXPECT_GE(t.tables.size(), 25u);
}

}  // namespace
}  // namespace tav
