#include "recipedb/unit_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_model.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

REZEINHEIT Fixed(const std::string& code, const std::string& name, bool mm = false,
                 uint16_t kinds = 0, const std::string& plural = "") {
  REZEINHEIT u;
  u.code = code;
  u.name = name;
  u.plural = plural;
  u.mealMaster = mm;
  u.kinds = kinds;
  return u;
}

REZEINHEIT Converting(const std::string& code, const std::string& name, const std::string& factor,
                      const std::string& target, bool mm = false) {
  REZEINHEIT u = Fixed(code, name, mm);
  u.fixed = 0;
  u.factor = factor;
  u.target = target;
  return u;
}

bool SameUnit(const REZEINHEIT& a, const REZEINHEIT& b) {
  return a.name == b.name && a.plural == b.plural && a.shortForm == b.shortForm &&
         a.code == b.code && a.fixed == b.fixed && a.mealMaster == b.mealMaster &&
         a.target == b.target && a.kinds == b.kinds && a.factor == b.factor;
}

REZZUTAT Line(const std::string& amount, const std::string& unit, const std::string& text = "x") {
  REZZUTAT l;
  l.amount = amount;
  l.unit = unit;
  l.text = text;
  return l;
}

struct DecimalComma {
  DecimalComma() { SetDecimalSep(','); }
  ~DecimalComma() { SetDecimalSep('.'); }
};

TEST(UnitFile, LinesAsTheFormatGivesThem) {
  struct Case {
    const char* line;
    REZEINHEIT unit;
  };
  REZEINHEIT spoon = Fixed("EL",
                           "Essl\xF6"
                           "ffel",
                           true, 19,
                           "Essl\xF6"
                           "ffel");
  spoon.shortForm = "EL";
  REZEINHEIT pound = Converting("Pfd", "Pfund", "500", "g");
  pound.kinds = 2;
  const Case cases[] = {
      {"g  Gramm#Gramm#", Fixed("g", "Gramm", false, 0, "Gramm")},
      {"EL Essl\xF6"
       "ffel~19#Essl\xF6"
       "ffel~EL#M",
       spoon},
      {"Pfd"
       "Pfund~2##"
       "#500#g",
       pound},
      {"Ms Messerspitze#Messerspitzen#M#1#Msp",
       [] {
         REZEINHEIT u = Converting("Ms", "Messerspitze", "1", "Msp", true);
         u.plural = "Messerspitzen";
         return u;
       }()},
      {"x  leer####", Converting("x", "leer", "", "")},
  };
  for (const Case& c : cases) {
    REZEINHEIT read;
    ASSERT_TRUE(UnitTable::ParseLine(c.line, read)) << c.line;
    EXPECT_TRUE(SameUnit(read, c.unit)) << c.line;
    EXPECT_EQ(UnitTable::FormatLine(c.unit), c.line);
  }
}

TEST(UnitFile, OddLinesReadAsFarAsTheirSeparatorsGo) {
  REZEINHEIT u;
  ASSERT_TRUE(UnitTable::ParseLine("Bd Bund#M", u));  // one '#': no plural, flag from the rest
  EXPECT_EQ(u.plural, "");
  EXPECT_TRUE(u.mealMaster);
  EXPECT_TRUE(u.fixed);
  ASSERT_TRUE(UnitTable::ParseLine("oz Unze#Unzen#M#28,35# gramm", u));
  EXPECT_EQ(u.target, "gram");  // one leading blank dropped, the field holds four characters
  EXPECT_EQ(u.factor, "28,35");
  ASSERT_TRUE(UnitTable::ParseLine("x  leer###", u));  // three '#': converting, no factor
  EXPECT_FALSE(u.fixed);
  EXPECT_EQ(u.factor, "");
  EXPECT_EQ(u.target, "");
  ASSERT_TRUE(UnitTable::ParseLine("a bName~#", u));
  EXPECT_EQ(u.code, "ab");
  EXPECT_EQ(u.name, "Name");
  EXPECT_EQ(u.kinds, 0);
  EXPECT_FALSE(UnitTable::ParseLine("   ", u));
}

struct UnitEnv {
  UnitEnv() {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
  }
  std::string File() { return env.Root() + "Data/DE/einheit.dat"; }
  test::TestEnv env;
  UnitTable table;
};

TEST(UnitFile, ReadSortWriteAndFailures) {
  UnitEnv e;
  EXPECT_FALSE(e.table.ReadEinheiten());
  ASSERT_EQ(e.env.messages.shown.size(), 1u);
  EXPECT_EQ(e.env.messages.shown[0].text, "{118}");

  WriteAll(e.File(),
           "TL Teel\xF6"
           "ffel#Teel\xF6"
           "ffel#M\r\n\r\n\xC4"
           "a \xC4pfelma\xDF#\r\ng  gramm#\n");
  ASSERT_TRUE(e.table.ReadEinheiten());
  e.table.SortEinheiten();
  ASSERT_EQ(e.table.units.size(), 3u);
  EXPECT_EQ(e.table.units[0].name, "\xC4pfelma\xDF");  // Ä sorts with A
  EXPECT_EQ(e.table.units[1].name, "gramm");
  ASSERT_TRUE(e.table.WriteEinheiten());
  EXPECT_EQ(ReadAll(e.File()),
            "\xC4"
            "a \xC4pfelma\xDF##\r\ng  gramm##\r\nTL Teel\xF6"
            "ffel#Teel\xF6"
            "ffel#M\r\n");

  // An existing file that cannot be read keeps the table and is not replaced.
  UnitTable fresh;
  ASSERT_EQ(unlink(e.File().c_str()), 0);
  ASSERT_EQ(symlink((e.env.Root() + "offline/einheit.dat").c_str(), e.File().c_str()), 0);
  EXPECT_FALSE(fresh.ReadEinheiten());
  EXPECT_FALSE(fresh.WriteEinheiten());
  EXPECT_EQ(e.env.messages.shown.back().text, "{117}");
}

UnitTable SampleTable() {
  UnitTable t;
  t.units = {Fixed("g", "Gramm", true, kUnitWeight, "Gramm"),
             Fixed("EL",
                   "Essl\xF6"
                   "ffel",
                   false, kUnitLiquid | kUnitSmallAmount,
                   "Essl\xF6"
                   "ffel"),
             Fixed("St",
                   "St\xFC"
                   "ck",
                   false, kUnitCountable),
             Converting("tb", "tablespoon", "1", "EL", true),
             Converting("Pfd", "Pfund", "500", "g"),
             Converting("oz", "Unze", "28,35", "g", true),
             Converting("Nl", "Null", "0", "g"),
             Converting("Xx", "Wort", "viel", "g"),
             Converting("Lr", "Leer", "", "g"),
             Fixed("gr", "Gros", false),
             Converting("GR", "Gran", "1", "g")};
  t.units[0].shortForm = "g";
  return t;
}

TEST(UnitLookups, CodesNamesAndTypeAhead) {
  UnitEnv e;
  UnitTable t = SampleTable();

  std::string s =
      "essl\xD6"
      "FFEL";
  EXPECT_TRUE(t.UnitTextToCode(s));
  EXPECT_EQ(s, "EL");
  s = "el";
  EXPECT_TRUE(t.NormalizeUnitCode(s));
  EXPECT_EQ(s, "EL");
  s = "Gr";  // first match is the fixed "gr"; later fixed ones would win, converting ones not
  EXPECT_TRUE(t.NormalizeUnitCodeFixed(s));
  EXPECT_EQ(s, "gr");
  s = "GR";  // a code spelt exactly so wins over the case-blind match
  EXPECT_TRUE(t.NormalizeUnitCodeFixed(s));
  EXPECT_EQ(s, "GR");

  std::string code = "old";
  EXPECT_TRUE(t.ResolveUnitCode("", code));
  EXPECT_EQ(code, "");
  EXPECT_TRUE(t.ResolveUnitCode("gramm", code));
  EXPECT_EQ(code, "g");
  EXPECT_TRUE(t.ResolveUnitCode("Gr", code));  // the fixed unit's code before the converting one
  EXPECT_EQ(code, "gr");
  EXPECT_TRUE(t.ResolveUnitCode("TB", code));
  EXPECT_EQ(code, "tb");
  EXPECT_FALSE(t.ResolveUnitCode("Liter", code));

  std::string name = "keep";
  t.GetUnitName("EL", true, name);
  EXPECT_EQ(name,
            "Essl\xF6"
            "ffel");
  t.GetUnitName("el", false, name);  // case-sensitive
  EXPECT_EQ(name, "");
  name = "keep";
  t.GetUnitDisplayName("zz", true, true, name);
  EXPECT_EQ(name, "keep");
  t.GetUnitDisplayName("g", true, true, name);
  EXPECT_EQ(name, "g");
  t.GetUnitDisplayName("St", true, false, name);  // no plural: the name
  EXPECT_EQ(name,
            "St\xFC"
            "ck");
  EXPECT_EQ(t.FindUnitByCode("Pfd")->name, "Pfund");
  EXPECT_EQ(t.FindUnitByCode("pfd"), nullptr);
  EXPECT_EQ(t.GetUnitAt(t.units.size()), nullptr);

  std::string typed;
  t.FindUnitByPrefix("g", typed);
  EXPECT_EQ(typed, "Gramm [g]");
  t.FindUnitByPrefix("e", typed);
  EXPECT_EQ(typed,
            "Essl\xF6"
            "ffel [EL]");
  t.FindUnitByPrefix("st\xFC", typed);
  EXPECT_EQ(typed,
            "St\xFC"
            "ck [St]");
  t.FindUnitByPrefix("unz", typed);  // converting units take no part
  EXPECT_EQ(typed, "");

  std::vector<std::string> combo = {"old"};
  t.FillUnitCombo(combo, true);
  EXPECT_EQ(combo, (std::vector<std::string>{"Gramm [g]",
                                             "Essl\xF6"
                                             "ffel [EL]",
                                             "St\xFC"
                                             "ck [St]",
                                             "Gros [gr]"}));
  e.env.Options().SetParaBool(33, true);  // Meal-Master units only
  t.FillUnitCombo(combo, false);
  EXPECT_EQ(combo, (std::vector<std::string>{"Gramm",
                                             "Essl\xF6"
                                             "ffel"}));
  t.FindUnitByPrefix("st", typed);
  EXPECT_EQ(typed, "");

  std::vector<ListItem> list;
  t.FillUnitList(list);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[3].data, 9);

  int fixedCount, converting;
  t.CountUnitKinds(fixedCount, converting);
  EXPECT_EQ(fixedCount, 4);
  EXPECT_EQ(converting, 7);
  REZZUTATEN z;
  z.units = {"g"};
  t.AddUnitsOfKind(z, kUnitWeight | kUnitCountable);
  EXPECT_EQ(z.units, (std::vector<std::string>{"g", "g", "St"}));
}

TEST(UnitConversion, ImportReadsFractionsAndSkipsWhatItCannotConvert) {
  DecimalComma comma;
  const UnitTable t = SampleTable();
  struct Case {
    REZZUTAT in;
    const char* amount;
    const char* unit;
  } cases[] = {
      {Line("3", "tb"), "3", "EL"},          // factor 1: only the code
      {Line("etwas", "TB"), "etwas", "EL"},  // factor 1 needs no number
      {Line("2", "Pfd"), "1000", "g"},      {Line("1/2", "pfd"), "250", "g"},
      {Line("1 1/2", "Pfd"), "750", "g"},   {Line("0,5", "Pfd"), "250", "g"},
      {Line("\xBD", "Pfd"), "250", "g"},    {Line("3", "oz"), "85,1", "g"},  // rounded as a cook measures
      {Line("2-3", "Pfd"), "2-3", "Pfd"},  // a range stays
      {Line("", "Pfd"), "", "Pfd"},         {Line("1/0", "Pfd"), "1/0", "Pfd"},
      {Line("2", "Nl"), "2", "Nl"},  // factor 0
      {Line("2", "Xx"), "2", "Xx"},  // factor no number
      {Line("2", "Lr"), "2", "Lr"},  // no factor
      {Line("2", "EL"), "2", "EL"},  // a fixed unit
      {Line("2", "??"), "2", "??"},
  };
  REZBLOCK r;
  for (const Case& c : cases) r.lines.push_back(c.in);
  t.ConvertRecipeUnits(r);
  for (size_t i = 0; i < r.lines.size(); ++i) {
    EXPECT_EQ(r.lines[i].amount, cases[i].amount) << i;
    EXPECT_EQ(r.lines[i].unit, cases[i].unit) << i;
  }
}

// The import keeps one converter for a whole file, and it keeps its last answers: every line
// still converts as it does alone, whatever came before (more pairs than it keeps answers for,
// codes that differ in case, an amount under several units).
TEST(UnitConversion, AConverterKeptForAWholeFileAnswersAsForOneLine) {
  DecimalComma comma;
  const UnitTable t = SampleTable();
  const char* amounts[] = {"3", "1/2", "2", "0,5", "1/0", "", "2-3", "etwas", "1 1/2", "\xBD"};
  std::vector<std::string> units = {"tb", "TB", "Pfd", "pfd", "oz", "Nl",
                                    "Xx", "Lr", "EL", "??", "PFD", "Oz"};
  for (int i = 0; i < 60; ++i) units.push_back("u" + std::to_string(i));  // no such unit
  const UnitConversions kept(t);
  for (int round = 0; round < 2; ++round) {
    for (const std::string& unit : units) {
      for (const char* amount : amounts) {
        REZBLOCK recipe, alone;
        recipe.lines = alone.lines = {Line(amount, unit)};
        kept.Convert(recipe);
        t.ConvertRecipeUnits(alone);
        EXPECT_EQ(recipe.lines[0].amount, alone.lines[0].amount) << amount << " " << unit;
        EXPECT_EQ(recipe.lines[0].unit, alone.lines[0].unit) << amount << " " << unit;
      }
    }
  }
}

// Meal-Master tells some units apart only by the case of their codes: t teaspoon and T
// tablespoon, ds dash beside the German Ds can. Every look-up by code takes the exact spelling
// first and falls back to the case-blind match.
TEST(UnitLookups, ACodeSpeltExactlySoWinsOverACaseBlindMatch) {
  UnitTable t;
  t.units = {Fixed("Ds", "Dose"),           Fixed("EL", "Essl\xF6" "ffel", true),
             Fixed("TL", "Teel\xF6" "ffel", true), Fixed("Shs", "Schuss"),
             Converting("T", "tablespoon", "1", "EL", true),
             Converting("t", "teaspoon", "1", "TL", true),
             Converting("ds", "dash", "1", "Shs", true)};
  REZBLOCK r;
  r.lines = {Line("1", "T"), Line("1", "t"), Line("1", "ds"), Line("1", "Ds"), Line("1", "DS")};
  t.ConvertRecipeUnits(r);
  const char* converted[] = {"EL", "TL", "Shs", "Ds", "DS"};  // DS: the fixed Dose, kept
  for (size_t i = 0; i < r.lines.size(); ++i) EXPECT_EQ(r.lines[i].unit, converted[i]) << i;

  struct Case {
    const char* typed;
    const char* normalized;  // NormalizeUnitCode and NormalizeUnitCodeFixed
    const char* resolved;    // ResolveUnitCode
  } cases[] = {{"t", "t", "t"}, {"T", "T", "T"}, {"ds", "ds", "ds"}, {"Ds", "Ds", "Ds"},
               {"dS", "Ds", "Ds"}};
  for (const Case& c : cases) {
    std::string code = c.typed;
    EXPECT_TRUE(t.NormalizeUnitCode(code));
    EXPECT_EQ(code, c.normalized) << c.typed;
    code = c.typed;
    EXPECT_TRUE(t.NormalizeUnitCodeFixed(code));
    EXPECT_EQ(code, c.normalized) << c.typed;
    EXPECT_TRUE(t.ResolveUnitCode(c.typed, code));
    EXPECT_EQ(code, c.resolved) << c.typed;
  }
  EXPECT_TRUE(t.CheckMealMasterUnit(Line("1", "t")));
  EXPECT_FALSE(t.CheckMealMasterUnit(Line("1", "Ds")));  // the can is no Meal-Master unit here
  EXPECT_TRUE(t.CheckMealMasterUnit(Line("1", "ds")));
}

TEST(UnitNames, HashAndTildeAreRefusedWithAMessage) {
  test::TestEnv env;
  EXPECT_TRUE(UnitNameFitsFile("Essl\xF6" "ffel (gestr.)"));
  EXPECT_TRUE(env.messages.shown.empty());
  for (const char* name : {"Nr. #1", "ca.~5", "#", "~"}) EXPECT_FALSE(UnitNameFitsFile(name));
  ASSERT_EQ(env.messages.shown.size(), 4u);
  EXPECT_EQ(env.messages.shown[0].text, "{810}");
  EXPECT_EQ(env.messages.shown[0].title, "{15}");
}

TEST(UnitConversion, MealMasterUnitsRejectedCodesAndCutTexts) {
  test::TestEnv env;
  UnitTable t = SampleTable();
  REZBLOCK r;
  r.lines = {
      Line("2", "g", "Mehl"), Line("1", "EL", "\xD6l, kaltgepresst, aus der ersten Pressung"),
      Line("85,05", "g"),     Line("3", "St"),
      Line("", ""),           Line("4", "Nl")};
  std::string rejected, note;
  EXPECT_TRUE(t.ConvertToMealMasterUnits(r, rejected, true, note));
  EXPECT_EQ(r.lines[1].unit, "tb");
  EXPECT_EQ(r.lines[1].text.size(), 28u);
  EXPECT_EQ(note, "{765}");
  EXPECT_EQ(rejected, "St, Nl");

  // A Meal-Master unit with a factor divides; with factor 0 the line stays and is rejected.
  t.units = {Converting("oz", "Unze", "28,35", "g", true),
             Converting("ZZ", "Null", "0", "kg", true)};
  r.lines = {Line("56,7", "g", "Zucker"), Line("1", "kg", "Mehl"), Line("2-3", "g")};
  EXPECT_TRUE(t.ConvertToMealMasterUnits(r, rejected, false, note));
  EXPECT_EQ(r.lines[0].amount, "2");
  EXPECT_EQ(r.lines[0].unit, "oz");
  EXPECT_EQ(r.lines[1].amount, "1");
  EXPECT_EQ(r.lines[1].unit, "kg");
  EXPECT_EQ(rejected, "kg, g");
  EXPECT_EQ(note, "");

  r.lines = {Line("1", "g")};
  EXPECT_FALSE(t.ConvertToMealMasterUnits(r, rejected, true, note));
  EXPECT_EQ(rejected, "");
}

TEST(UnitConversion, MealMasterUsability) {
  const UnitTable t = SampleTable();
  EXPECT_TRUE(t.IsMealMasterUsable(0));   // g itself
  EXPECT_TRUE(t.IsMealMasterUsable(1));   // EL: tb converts into it
  EXPECT_FALSE(t.IsMealMasterUsable(2));  // St
  EXPECT_FALSE(t.IsMealMasterUsable(99));
  EXPECT_TRUE(t.CheckMealMasterUnit(Line("1", "  ")));
  EXPECT_TRUE(t.CheckMealMasterUnit(Line("1", " el ")));
  EXPECT_FALSE(t.CheckMealMasterUnit(Line("1", "St")));
  EXPECT_FALSE(t.CheckMealMasterUnit(Line("1", "unbekannt")));
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

TEST(UnitEditing, UnitsThatCannotBeWrittenAreRefused) {
  struct Case {
    REZEINHEIT unit;
    int fault;
  } cases[] = {
      {Fixed("g", "Gramm"), 0},
      {Fixed("", "Gramm"), 951},
      {Fixed("k g", "Gramm"), 951},
      {Fixed("g", "Gramm~2"), 810},
      {Fixed("g", "Gramm", false, 0, "Gramm#e"), 810},
      {Converting("kg", "Kilo", "1000", "g"), 0},
      {Converting("Pf", "Pfund", "0,5", "kg"), 0},
      {Converting("Pf", "Pfund", " 0.5 ", "kg"), 0},
      {Converting("Pf", "Pfund", "", "kg"), 952},
      {Converting("Pf", "Pfund", "0", "kg"), 952},
      {Converting("Pf", "Pfund", "0,0", "kg"), 952},
      {Converting("Pf", "Pfund", "halb", "kg"), 952},
      {Converting("Pf", "Pfund", "0,5 kg", "kg"), 952},
      {Converting("Pf", "Pfund", "1#2", "kg"), 952},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UnitTable::UnitInputFault(c.unit), c.fault)
        << "'" << c.unit.code << "' '" << c.unit.name << "' '" << c.unit.factor << "'";
  REZEINHEIT shortForm = Fixed("EL", "Essl\xF6" "ffel");
  shortForm.shortForm = "EL~";
  EXPECT_EQ(UnitTable::UnitInputFault(shortForm), 810);
}

TEST(UnitEditing, DeletingAFixedUnitMakesTheUnitsThatConvertIntoItFixed) {
  UnitTable t;
  t.units = {Fixed("g", "Gramm"), Converting("kg", "Kilogramm", "1000", "g", true),
             Converting("Pf", "Pfund", "500", "g"), Converting("Ta", "Tasse", "150", "G"),
             Fixed("l", "Liter")};
  EXPECT_EQ(t.CountTargeting("g"), 2);  // the target is compared exactly
  EXPECT_EQ(t.CountTargeting("l"), 0);
  t.DeleteUnit(0);
  ASSERT_EQ(t.units.size(), 4u);
  EXPECT_EQ(t.units[0].code, "l");  // the last took its place
  for (const REZEINHEIT& u : t.units) {
    if (u.code != "kg" && u.code != "Pf") continue;
    EXPECT_EQ(u.fixed, 1) << u.code;
    EXPECT_EQ(u.factor, "") << u.code;
    EXPECT_EQ(u.target, "") << u.code;
  }
  EXPECT_EQ(t.units[1].mealMaster, 1);  // flag and kinds stay
  EXPECT_EQ(t.units[3].fixed, 0);       // "G" is not "g"
  t.DeleteUnit(9);                      // past the end: nothing
  EXPECT_EQ(t.units.size(), 4u);
}

}  // namespace
}  // namespace tav
