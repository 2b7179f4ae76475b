#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "food_env.h"
#include "platform/paths.h"

namespace tav {
namespace {

using test::FoodEnv;
using test::ReadAll;
using test::WriteAll;

std::vector<std::string> Codes(const std::vector<ISTOFF>& table) {
  std::vector<std::string> codes;
  for (const ISTOFF& s : table) codes.push_back(s.code);
  return codes;
}

// The visible nutrients in display order, as every view walks them.
std::vector<std::string> Shown(NutrientTable& table, bool dayTable = false) {
  std::vector<std::string> shown;
  for (int pos = 0; pos < table.GetStoffCount(); ++pos) {
    ISTOFF s;
    const bool visible = dayTable ? table.GetDayStoffAtPos(pos, &s) : table.GetStoffAtPos(pos, &s);
    if (visible) shown.push_back(s.code);
  }
  return shown;
}

TEST(FieldsFile, ParsesTheFixtureLineByLine) {
  NutrientTable table;
  ASSERT_TRUE(table.ReadFieldsFile(test::FixtureTable() + "/DE/Fields.bls"));
  const auto& t = table.Stoffe();
  // The empty line and the line without a closing quote take no position.
  EXPECT_EQ(Codes(t), (std::vector<std::string>{"SBLS", "ST", "BEM", "ZW", "GCAL", "GJ", "ZE", "ZF",
                                                "MNA", "VC"}));
  for (size_t i = 0; i < t.size(); ++i) {
    EXPECT_EQ(t[i].position, static_cast<int>(i));
    EXPECT_EQ(t[i].isText, i < 3) << i;
  }
  EXPECT_EQ(t[6].name, "Eiwei\xDF");  // Windows-1252 kept as it is
  EXPECT_STREQ(t[4].unit, "kcal/100g");
  EXPECT_EQ(t[4].kind, 'E');
  EXPECT_EQ(t[7].name, "Fett");  // doubled quotes and ";;" around the name are skipped
  EXPECT_STREQ(t[7].unit, "g/100g");
  EXPECT_STREQ(t[0].unit, "");
}

TEST(FieldsFile, LineShapes) {
  struct Case {
    std::string line;
    bool accepted;
    std::string code, name, unit;
    bool isText;
  };
  const Case cases[] = {
      {"GCAL;NE;\"Energie\";\"kcal/100g\"", true, "GCAL", "Energie", "kcal/100g", false},
      // Micrograms as the food files spell them read as the sign people know.
      {"VD;NV;\"Vitamin D\";\"myg/100g\"", true, "VD", "Vitamin D", "\xB5g/100g", false},
      {"SBLS;CK \"Schl\xFCssel\"", true, "SBLS", "Schl\xFCssel", "", true},
      {"LONGCODE99;NX;\"N\";\"unit longer than nineteen chars\"", true, "LONGCOD", "N",
       "unit longer than ni", false},
      {"ZE;NH;\"Eiwei\xDF", false, "", "", "", false},
      {"no separator", false, "", "", "", false},
      {"", false, "", "", "", false},
      {"X;", false, "", "", "", false},
      {"X;C", false, "", "", "", false},
  };
  for (const Case& c : cases) {
    ISTOFF s;
    ASSERT_EQ(ParseFieldsLine(c.line, s), c.accepted) << c.line;
    if (!c.accepted) continue;
    EXPECT_EQ(std::string(s.code), c.code);
    EXPECT_EQ(s.name, c.name);
    EXPECT_EQ(std::string(s.unit), c.unit);
    EXPECT_EQ(s.isText, c.isText);
  }
}

TEST(NutrientTable, MissingFieldsFileShowsMessage382AndLeavesTheTableEmpty) {
  FoodEnv env(test::FixtureTable(), false);
  RemoveFile(env.LangFolder() + "Fields.bls");
  EXPECT_FALSE(env.table.LoadNutrientTable());
  EXPECT_EQ(env.table.GetStoffCount(), 0);
  EXPECT_TRUE(test::ShownText(env.messages, 382));
  EXPECT_TRUE(env.table.FilterEntries().empty());
  EXPECT_TRUE(env.table.DayStoffe().empty());
}

TEST(NutrientTable, QueriesByCodeAndIndex) {
  FoodEnv env(test::FixtureTable());
  NutrientTable& t = env.table;
  ISTOFF s;
  EXPECT_TRUE(t.FindStoffByCode("GJ", &s));
  EXPECT_STREQ(s.unit, "kJ/100g");
  EXPECT_FALSE(t.FindStoffByCode("gj", &s));  // case counts
  EXPECT_EQ(t.StoffIndexOfCode("MNA"), 8);
  EXPECT_EQ(t.StoffIndexOfCode("NONE"), -1);
  ISTOFF* p = nullptr;
  t.GetStoffPtr(5, &p);
  ASSERT_NE(p, nullptr);
  EXPECT_STREQ(p->code, "GJ");
  t.GetStoffPtr(t.GetStoffCount(), &p);
  EXPECT_EQ(p, nullptr);
  EXPECT_TRUE(t.IsTextStoff(0));
  EXPECT_FALSE(t.IsTextStoff(4));
  EXPECT_FALSE(t.IsTextStoff(99));
}

TEST(FilterGroups, ReadingRules) {
  struct Case {
    std::string file;
    std::vector<std::string> names;
    std::vector<long> ids;
    std::vector<bool> dayFlags;
  };
  const Case cases[] = {
      {"", {}, {}, {}},
      {"A#1#0\r\nB#2#0\r\n", {"A", "B"}, {1, 2}, {true, false}},  // first takes the flag
      {"A#1#0\r\nB#2#1\r\nC#3#5\r\n", {"A", "B", "C"}, {1, 2, 3}, {false, true, true}},
      {"\r\nno hash\r\nD#42abc#1\r\nE#7\r\n", {"", "D", "E"}, {0, 42, 7}, {false, true, false}},
  };
  for (const Case& c : cases) {
    FoodEnv env(test::FixtureTable(), false);
    WriteAll(env.DataFolder() + "FiltGrps.bls", c.file);
    env.table.LoadNutrientTable();
    const auto& g = env.table.Groups();
    ASSERT_EQ(g.size(), c.names.size()) << c.file;
    for (size_t i = 0; i < g.size(); ++i) {
      EXPECT_EQ(g[i].name, c.names[i]);
      EXPECT_EQ(g[i].id, c.ids[i]);
      EXPECT_EQ(g[i].forDayValues, c.dayFlags[i]) << c.file << " group " << i;
    }
    // The all-nutrients entry always stands first.
    ASSERT_EQ(env.table.FilterEntries().size(), g.size() + 1);
    EXPECT_EQ(env.table.FilterEntries()[0], GetLangText(380));
  }
}

TEST(FilterGroups, MissingGroupFileShowsMessage381AndGoesOn) {
  FoodEnv env(test::FixtureTable(), false);
  RemoveFile(env.DataFolder() + "FiltGrps.bls");
  EXPECT_TRUE(env.table.LoadNutrientTable());
  EXPECT_TRUE(test::ShownText(env.messages, 381));
  EXPECT_TRUE(env.table.Groups().empty());
  EXPECT_EQ(env.table.GetStoffCount(), 10);
}

TEST(FilterGroups, ListsAreSortedWithoutRegardToCaseOrAccents) {
  FoodEnv env(test::FixtureTable(), false);
  WriteAll(env.DataFolder() + "FiltGrps.bls",
           "zink#1#1\r\n\xC4pfel#2#0\r\nBasis#3#0\r\napfel#4#0\r\n");
  env.table.LoadNutrientTable();
  EXPECT_EQ(env.table.FilterEntries(),
            (std::vector<std::string>{GetLangText(380), "apfel", "\xC4pfel", "Basis", "zink"}));
}

TEST(FilterFields, PrepareFilterShowsTheChosenGroupInItsOrder) {
  FoodEnv env(test::FixtureTable());
  NutrientTable& t = env.table;
  const auto& entries = t.FilterEntries();
  const auto pick = [&](const std::string& name) {
    t.SetChosenFilter(
        static_cast<int>(std::find(entries.begin(), entries.end(), name) - entries.begin()));
  };
  pick("Energie und Hauptn\xE4hrstoffe");
  t.PrepareFilter(false);
  EXPECT_EQ(Shown(t), (std::vector<std::string>{"GCAL", "GJ", "ZE", "ZF", "ZW"}));
  ISTOFF s;
  ASSERT_TRUE(t.GetStoffAtPos(1, &s));
  EXPECT_EQ(s.index, 5);  // the value is taken by table index
  EXPECT_FALSE(t.GetStoffAtPos(99, &s));

  // The all-nutrients entry: false keeps the view, true shows every nutrient in table order.
  t.SetChosenFilter(0);
  t.PrepareFilter(false);
  EXPECT_EQ(Shown(t), (std::vector<std::string>{"GCAL", "GJ", "ZE", "ZF", "ZW"}));
  t.PrepareFilter(true);
  EXPECT_EQ(Shown(t), Codes(t.Stoffe()));

  pick("Mineralstoffe");
  t.PrepareFilter(false);
  EXPECT_EQ(Shown(t), std::vector<std::string>{"MNA"});
}

TEST(FilterFields, DayValueTableUsesTheDayGroupAndKeepsTheBrowserChoice) {
  FoodEnv env(test::FixtureTable());
  NutrientTable& t = env.table;
  EXPECT_EQ(Shown(t, true), (std::vector<std::string>{"GCAL", "GJ", "ZE", "ZF", "ZW"}));
  t.SetChosenFilter(2);  // "Mineralstoffe"
  t.BuildDayStoffTable();
  EXPECT_EQ(t.ChosenFilter(), 2);
  EXPECT_EQ(Shown(t), std::vector<std::string>{"MNA"});
  EXPECT_EQ(Shown(t, true), (std::vector<std::string>{"GCAL", "GJ", "ZE", "ZF", "ZW"}));
}

TEST(FilterFields, ACodeThatNoLongerMatchesStopsWithMessage387) {
  FoodEnv env(test::FixtureTable());
  NutrientTable& t = env.table;
  t.PrepareFilter(true);
  WriteAll(env.DataFolder() + "Filt_9.bls",
           ReadAll(test::Fixture("filter_file_code_mismatch.bls")));
  EXPECT_FALSE(t.LoadFilterFields(9));
  EXPECT_TRUE(test::ShownText(env.messages, 387));
  const auto& s = t.Stoffe();
  EXPECT_FALSE(s[0].visible);  // read before the mismatch
  EXPECT_EQ(s[1].position, 1);
  EXPECT_TRUE(s[1].visible);
  for (size_t i = 2; i < s.size(); ++i) {  // kept from before
    EXPECT_TRUE(s[i].visible);
    EXPECT_EQ(s[i].position, static_cast<int>(i));
  }
}

TEST(FilterFields, AFileLongerThanTheTableIsReadSafely) {
  FoodEnv env(test::FixtureTable());
  NutrientTable& t = env.table;
  WriteAll(env.DataFolder() + "Filt_9.bls",
           ReadAll(test::Fixture("filter_file_longer_than_table.bls")));
  EXPECT_TRUE(t.LoadFilterFields(9));
  EXPECT_TRUE(env.messages.shown.empty());
  EXPECT_EQ(t.GetStoffCount(), 10);
  std::vector<std::string> shown = Shown(t);
  std::vector<std::string> reversed = Codes(t.Stoffe());
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(shown, reversed);
  // A position past the table's end: that nutrient is simply never shown.
  WriteAll(env.DataFolder() + "Filt_9.bls", "SBLS#0#1\r\nST#250#1\r\nBEM#-3#1\r\n");
  EXPECT_TRUE(t.LoadFilterFields(9));
  shown = Shown(t);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "ST"), 0);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "BEM"), 0);
  EXPECT_EQ(shown.front(), "SBLS");
}

TEST(FilterFields, MissingFileShowsMessage386AndResets) {
  FoodEnv env(test::FixtureTable());
  NutrientTable& t = env.table;
  t.PrepareFilter(true);
  EXPECT_FALSE(t.LoadFilterFields(55));
  EXPECT_TRUE(test::ShownText(env.messages, 386));
  EXPECT_TRUE(Shown(t).empty());
  EXPECT_EQ(t.Stoffe()[3].position, 3);
  env.messages.shown.clear();
  EXPECT_FALSE(t.LoadFilterFields(-1));  // reads nothing, says nothing
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST(FilterFields, SavingWritesBothFilesInTheirFormat) {
  FoodEnv env(test::FixtureTable());
  NutrientTable& t = env.table;
  EXPECT_FALSE(t.SaveFilterFields());  // no current group: nothing written
  t.Groups().push_back({"Neu", 12, false});
  t.currentGroup = 2;
  t.ResetFilterFields();
  t.Stoffe()[8].visible = true;
  t.Stoffe()[8].position = 0;
  t.Stoffe()[0].position = 8;
  ASSERT_TRUE(t.SaveFilterFields());
  EXPECT_EQ(ReadAll(env.DataFolder() + "Filt_12.bls"),
            "SBLS#8#0\r\nST#1#0\r\nBEM#2#0\r\nZW#3#0\r\nGCAL#4#0\r\nGJ#5#0\r\nZE#6#0\r\nZF#7#0\r\n"
            "MNA#0#1\r\nVC#9#0\r\n");
  ASSERT_TRUE(t.SaveFilterGroups());
  EXPECT_EQ(ReadAll(env.DataFolder() + "FiltGrps.bls"),
            "Mineralstoffe#7#0\r\nEnergie und Hauptn\xE4hrstoffe#3#1\r\nNeu#12#0\r\n");
  // Read back, the group shows what was saved.
  t.FillFilterGroupCombos();
  t.SetChosenFilter(static_cast<int>(t.FilterEntries().size()) - 1);
  ASSERT_EQ(t.ChosenFilterText(), "Neu");
  t.PrepareFilter(false);
  EXPECT_EQ(Shown(t), std::vector<std::string>{"MNA"});
}

TEST(FilterFields, UnwritableGroupFileShowsMessage384AndKeepsTheGroups) {
  FoodEnv env(test::FixtureTable());
  RemoveFile(env.DataFolder() + "FiltGrps.bls");
  MakeDirs(env.DataFolder() + "FiltGrps.bls/");  // a folder in its place cannot be replaced
  EXPECT_FALSE(env.table.SaveFilterGroups());
  EXPECT_TRUE(test::ShownText(env.messages, 384));
  EXPECT_EQ(env.table.Groups().size(), 2u);
}

TEST(ShippedTable, NutrientTableAndFilterGroupsAreConsistent) {
  FoodEnv env(test::ShippedTable());
  NutrientTable& t = env.table;
  ASSERT_GE(t.GetStoffCount(), 40);
  EXPECT_STREQ(t.Stoffe()[0].code, "SBLS");
  EXPECT_STREQ(t.Stoffe()[4].code, "GCAL");
  EXPECT_STREQ(t.Stoffe()[5].code, "GJ");
  std::set<std::string> codes;
  for (const ISTOFF& s : t.Stoffe()) EXPECT_TRUE(codes.insert(s.code).second) << s.code;
  ASSERT_FALSE(t.Groups().empty());
  for (const FILTGRP& g : t.Groups()) {
    ASSERT_TRUE(t.LoadFilterFields(g.id)) << g.name;
    std::set<int> positions;
    for (const ISTOFF& s : t.Stoffe()) positions.insert(s.position);
    EXPECT_EQ(positions.size(), t.Stoffe().size()) << g.name;  // each position once
    EXPECT_EQ(*positions.rbegin(), t.GetStoffCount() - 1);
  }
  EXPECT_TRUE(env.messages.shown.empty());
  // The English names come from the English language folder.
  NutrientTable en;
  ASSERT_TRUE(en.ReadFieldsFile(test::ShippedTable() + "/EN/Fields.bls"));
  ASSERT_EQ(en.GetStoffCount(), t.GetStoffCount());
  EXPECT_EQ(en.Stoffe()[7].name, "Protein");
}

}  // namespace
}  // namespace tav
