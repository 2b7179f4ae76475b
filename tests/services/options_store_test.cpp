#include <gtest/gtest.h>

#include <cstdint>

#include "platform/settings_store.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

TEST(OptionsStore, AnEmptySettingsStoreGivesEveryDefault) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  struct FlagCase {
    int id;
    bool def;
  } flags[] = {{12, 1}, {16, 0}, {18, 1}, {19, 1}, {21, 0}, {22, 0}, {31, 0}, {32, 0}, {33, 0},
               {34, 1}, {36, 0}, {37, 1}, {40, 1}, {41, 1}, {44, 1}, {45, 1}, {46, 1}, {48, 1},
               {49, 1}, {50, 1}, {54, 0}, {55, 0}, {56, 0}, {67, 1}, {75, 1}, {76, 0}, {77, 0},
               {78, 1}, {79, 0}, {80, 0}, {82, 1}, {83, 1}, {85, 1}, {87, 1}, {88, 1}, {89, 0},
               {8, 0}};
  for (const auto& f : flags) EXPECT_EQ(o.GetParaBool(f.id), f.def) << "flag " << f.id;
  struct IntCase {
    int id, def;
  } ints[] = {{13, 20}, {14, 20},    {17, 4}, {25, 10}, {26, 10}, {27, 10}, {28, 10}, {29, 70},
              {42, 3},  {53, -1},    {63, 2}, {64, 1},  {65, -1}, {68, 10}, {69, 5},  {71, -1},
              {73, 2},  {74, 10000}, {81, 1}, {84, 1},  {86, 10}, {92, 0}};
  for (const auto& c : ints) {
    int v = 12345;
    EXPECT_TRUE(o.GetParaInt(c.id, &v)) << "int " << c.id;
    EXPECT_EQ(v, c.def) << "int " << c.id;
  }
  const std::string root = env.Root();
  struct TextCase {
    int id;
    std::string def;
  } texts[] = {{1, o.Str(1)},  // program folder, checked below
               {2, root + "Data/"},
               {3, root + "Import/"},
               {4, root + "Export/"},
               {5, root + "HTML/"},
               {6, ""},
               {7, root + "Data/"},
               {10, "Tavolin!-Benutzer"},
               {34, "RezFrame"},
               {43, "Auto-Import"},
               {47, root + "Auto-Import/"},
               {57, "ViewTPL.html"},
               {58, "QViewTPL.html"},
               {59, ""},
               {60, ""},
               {61, ""},
               {62, ""},
               {66, "https://de.wikipedia.org/wiki/Spezial:Search?search=#"},
               {68, "10"},
               {69, "5"},
               {72, ""},
               {90, root}};
  for (const auto& t : texts) {
    std::string v = "unchanged";
    EXPECT_TRUE(o.GetParaString(t.id, &v)) << "text " << t.id;
    EXPECT_EQ(v, t.def) << "text " << t.id;
  }
  EXPECT_FALSE(o.Str(1).empty());
  EXPECT_EQ(o.Str(1).back(), '/');
  // Weight chart parts from the default "+0+1+2+3+4+5".
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(o.chartVisible[i]);
    EXPECT_EQ(o.chartPosition[i], i);
  }
  EXPECT_EQ(env.userSettings.ChangeCount(), 0);
}

TEST(OptionsStore, IdsWithoutAValueLeaveTheCallersVariable) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  int i = 77;
  EXPECT_FALSE(o.GetParaInt(8, &i));
  EXPECT_EQ(i, 77);
  std::string s = "keep";
  EXPECT_FALSE(o.GetParaString(99, &s));
  EXPECT_FALSE(o.GetParaString(70, &s));  // written only
  EXPECT_EQ(s, "keep");
  bool b = true;
  EXPECT_FALSE(o.GetParaBool(8, &b));
  EXPECT_FALSE(b);
}

TEST(OptionsStore, StoredValuesAndTheirOddities) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "ShowAssist", "2");    // only exactly 1 is true
  env.userSettings.WriteString(kRegParam, "Energie", "1");
  env.userSettings.WriteString(kRegParam, "SecureDel", "yes");   // not a number: default 1
  env.userSettings.WriteString(kRegParam, "ShowMode", "x3");     // not a number: default 2
  env.userSettings.WriteString(kRegParam, "IMPMAXRECIPES", "2"); // names ignore case
  env.userSettings.WriteString(kRegParam, "TARGETFRAME", "Main");
  env.userSettings.WriteString(kRegParam, "ImpMarker", "0");
  env.userSettings.WriteString(kRegParam, "EXPORTPATH", "/home/u/out/");
  OptionsStore& o = env.Options();
  EXPECT_FALSE(o.Flag(12));
  EXPECT_TRUE(o.Flag(16));
  EXPECT_TRUE(o.Flag(18));
  EXPECT_EQ(o.Int(63), 2);
  EXPECT_EQ(o.Int(74), 2);
  EXPECT_EQ(o.Str(34), "Main");  // text 34 and flag 34 are separate values
  EXPECT_FALSE(o.Flag(34));
  EXPECT_EQ(o.Str(4), "/home/u/out/");
}

TEST(OptionsStore, SettersWriteOnlyWhenTheValueChanges) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  o.SetParaBool(12, true);
  o.SetParaInt(74, 10000);
  o.SetParaString(10, "Tavolin!-Benutzer");
  o.SetParaBool(8, true);  // no such flag
  EXPECT_EQ(env.userSettings.ChangeCount(), 0);

  o.SetParaBool(16, true);
  EXPECT_EQ(env.userSettings.Read(kRegParam, "Energie"), "1");
  o.SetParaInt(53, 7);
  EXPECT_EQ(env.userSettings.Read(kRegParam, "AktFilterGrp"), "7");
  o.SetParaString(10, "Anna");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "AName"), "Anna");
  EXPECT_EQ(env.userSettings.ChangeCount(), 3);
  o.SetParaString(10, "anna");  // case counts for texts
  EXPECT_EQ(env.userSettings.ChangeCount(), 4);
}

TEST(OptionsStore, FolderSettersAddTheSeparator) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  o.SetParaString(4, "/data/out");
  EXPECT_EQ(o.Str(4), "/data/out/");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "ExportPath"), "/data/out/");
  const int writes = env.userSettings.ChangeCount();
  o.SetParaString(4, "/data/out/");
  EXPECT_EQ(env.userSettings.ChangeCount(), writes);
}

TEST(OptionsStore, CurrentBookIsReadFromTheSettingsUntilSet) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  env.userSettings.WriteString(kRegParam, "KBook", "Kuchen");
  EXPECT_EQ(o.Str(6), "Kuchen");
  EXPECT_EQ(o.Str(7), env.Root() + "Data/Kuchen");
  o.SetParaString(6, "Suppen");
  env.userSettings.WriteString(kRegParam, "KBook", "Other");
  EXPECT_EQ(o.Str(6), "Suppen");
  EXPECT_EQ(o.Str(7), env.Root() + "Data/Suppen");
}

TEST(OptionsStore, LanguageIsWrittenAlwaysButUsedFromTheNextStart) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "AKTLANGUAGE", "EN");
  OptionsStore& o = env.Options();
  EXPECT_EQ(o.Str(51), "EN");
  EXPECT_EQ(o.Str(52), env.Root() + "Data/EN/");
  const int before = env.userSettings.ChangeCount();
  o.SetParaString(51, "EN");
  EXPECT_EQ(env.userSettings.ChangeCount(), before + 1);
  o.SetParaString(51, "DE");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "AktLanguage"), "DE");
  EXPECT_EQ(o.Str(51), "EN");
}

TEST(OptionsStore, SpoonTextsReadLikeAtol) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  o.SetParaString(68, "   ");
  EXPECT_EQ(o.Int(68), 0);
  o.SetParaString(68, "12");
  EXPECT_EQ(o.Str(68), "12");
  const int writes = env.userSettings.ChangeCount();
  o.SetParaString(68, "12 Gramm");
  EXPECT_EQ(env.userSettings.ChangeCount(), writes);
  EXPECT_EQ(env.userSettings.Read(kRegParam, "CalcELMenge"), "12");
  // Past the integer range the weight saturates; it never wraps into a negative or small one.
  o.SetParaString(69, "99999999999");
  EXPECT_EQ(o.Int(69), INT32_MAX);
  EXPECT_EQ(o.Str(69), "2147483647");
  o.SetParaString(68, "-99999999999 g");
  EXPECT_EQ(o.Int(68), INT32_MIN);
}

TEST(OptionsStore, WeightChartTextIsWrittenOnFirstCallAndOnChangeOnly) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  o.SetParaString(70, "+0+1+2+3+4+5");
  EXPECT_EQ(env.userSettings.ChangeCount(), 1);
  o.SetParaString(70, "+0+1+2+3+4+5");
  EXPECT_EQ(env.userSettings.ChangeCount(), 1);
  o.SetParaString(70, "-0+1+2+3+4+5");
  EXPECT_EQ(env.userSettings.ChangeCount(), 2);
}

TEST(OptionsStore, MalformedWeightChartFallsBackToTheDefault) {
  for (const char* bad : {"+9+1", "+0+1+2+3+4+9", "", "abcdefghijklmnop", "+0+1+2+3+4+"}) {
    test::TestEnv env;
    env.userSettings.WriteString(kRegParam, "GEWCHART", bad);
    OptionsStore& o = env.Options();
    for (int i = 0; i < 6; ++i) {
      EXPECT_TRUE(o.chartVisible[i]) << bad;
      EXPECT_EQ(o.chartPosition[i], i) << bad;
    }
  }
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "GEWCHART", "-5+4+3-2+1+0");
  OptionsStore& o = env.Options();
  EXPECT_FALSE(o.chartVisible[0]);
  EXPECT_EQ(o.chartPosition[0], 5);
  EXPECT_TRUE(o.chartVisible[1]);
  EXPECT_EQ(o.chartPosition[5], 0);
}

TEST(OptionsStore, ReadParamFlagTakesAnyNonZeroNumber) {
  test::TestEnv env;
  OptionsStore& o = env.Options();
  EXPECT_FALSE(o.ReadParamFlag("UnsupportedItemsEdit"));
  env.userSettings.WriteString(kRegParam, "UnsupportedItemsEdit", "2");
  EXPECT_TRUE(o.ReadParamFlag("UnsupportedItemsEdit"));
}

}  // namespace
}  // namespace tav
