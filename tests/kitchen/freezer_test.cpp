// Freezer inventory: CoolBoxes.dat and CoolTypes.dat, the date texts, the best-before check,
// the usual-foods tree and the printable overview page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kitchen/freezer/best_before.h"
#include "kitchen/freezer/food_types.h"
#include "kitchen/freezer/freezer_page.h"
#include "kitchen/freezer/freezer_records.h"
#include "platform/text_file.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::Fixture;
using test::ReadAll;
using test::WriteAll;

CO_LMITTEL Food(const std::string& name, int mhdMonth, int mhdYear, bool opened = false) {
  CO_LMITTEL f;
  f.name = name;
  f.amount = "500 g";
  f.sinceDay = 2;
  f.sinceMonth = 1;
  f.sinceYear = 2026;
  f.mhdMonth = mhdMonth;
  f.mhdYear = mhdYear;
  f.opened = opened;
  return f;
}

CO_SCHRANK Freezer(const std::string& name, int count, bool fromBottom = false) {
  CO_SCHRANK s;
  s.name = name;
  s.count = count;
  s.fromBottom = fromBottom;
  s.faecher.resize(kMinCompartments);
  for (int i = 0; i < count; ++i) s.faecher[i].name = "Fach " + std::to_string(i);
  return s;
}

class FreezerFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    inv.folder = env.DataFolder() + "DE/";
  }
  test::TestEnv env;
  FreezerInventory inv;
};

TEST_F(FreezerFiles, FixtureLoadsAndSavesByteIdentical) {
  const std::string boxes = ReadAll(Fixture("coolboxes_two_freezers_cp1252.dat"));
  const std::string types = ReadAll(Fixture("cooltypes_three_groups_cp1252.dat"));
  WriteAll(inv.FreezerPath(), boxes);
  WriteAll(inv.TypesPath(), types);
  inv.LoadFreezers();
  inv.LoadFoodTypes();
  ASSERT_EQ(inv.freezers.size(), 2u);
  const CO_SCHRANK& top = inv.freezers[0];
  EXPECT_EQ(top.name,
            "K\xFC"
            "chenschrank oben");
  EXPECT_FALSE(top.fromBottom);
  EXPECT_EQ(top.count, 3);
  EXPECT_EQ(top.faecher.size(), 25u);
  ASSERT_EQ(top.faecher[0].foods.size(), 2u);
  EXPECT_EQ(top.faecher[0].foods[1].name, "H\xE4hnchenbrust");
  EXPECT_TRUE(top.faecher[0].foods[1].opened);
  EXPECT_EQ(top.faecher[0].foods[1].mhdMonth, 12);
  EXPECT_EQ(top.faecher[2].foods[0].name, "Erbsen, gr\xFCn");
  EXPECT_EQ(top.faecher[2].foods[0].amount, "??? g");
  const CO_SCHRANK& cellar = inv.freezers[1];
  EXPECT_TRUE(cellar.fromBottom);
  EXPECT_EQ(cellar.faecher[0].foods[0].mhdDay, 31);
  EXPECT_EQ(inv.types.size(), 9u);

  ASSERT_TRUE(inv.SaveFreezers());
  ASSERT_TRUE(inv.SaveFoodTypes());
  EXPECT_EQ(ReadAll(inv.FreezerPath()), boxes);
  EXPECT_EQ(ReadAll(inv.TypesPath()), types);
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST(FreezerLines, GoldenFoodLine) {
  CO_LMITTEL f;
  f.name = "Erbsen";
  f.amount = "450 g";
  f.sinceDay = 1;
  f.sinceMonth = 5;
  f.sinceYear = 2006;
  EXPECT_EQ(FoodLine(f), "~0105200600000000 ~Erbsen~450 g");
  f.opened = true;
  f.mhdMonth = 7;
  f.mhdYear = 2027;
  EXPECT_EQ(FoodLine(f), "~0105200600072027X~Erbsen~450 g");
}

TEST(FreezerLines, FoodLineColumns) {
  struct Case {
    const char* line;
    int sinceDay, mhdMonth, mhdYear;
    bool opened;
    const char* name;
    const char* amount;
  };
  const Case cases[] = {
      {"~0105200600072027X~Erbsen~450 g", 1, 7, 2027, true, "Erbsen", "450 g"},
      {"~0105200600072027Y~Erbsen~450 g", 1, 7, 2027, false, "Erbsen", "450 g"},
      // A "~" inside the name ends the name; the rest joins the amount.
      {"~0105200600072027 ~Erbsen~fein~450 g", 1, 7, 2027, false, "Erbsen", "fein~450 g"},
      // Blanks and a sign inside the number columns, as the writer's widths allow.
      {"~ 1 5200600 7  -1 ~x~", 1, 7, -1, false, "x", ""},
      // Shorter than the fixed columns: the missing numbers are 0, no name.
      {"~0105", 1, 0, 0, false, "", ""},
      {"~01052006000720270X", 1, 7, 2027, false, "", ""},
  };
  for (const Case& c : cases) {
    const CO_LMITTEL f = ParseFoodLine(c.line);
    EXPECT_EQ(f.sinceDay, c.sinceDay) << c.line;
    EXPECT_EQ(f.mhdMonth, c.mhdMonth) << c.line;
    EXPECT_EQ(f.mhdYear, c.mhdYear) << c.line;
    EXPECT_EQ(f.opened, c.opened) << c.line;
    EXPECT_EQ(f.name, c.name) << c.line;
    EXPECT_EQ(f.amount, c.amount) << c.line;
  }
}

TEST(FreezerLines, ReaderQuirks) {
  const std::string longName(5000, 'a');
  const std::vector<CO_SCHRANK> f = ReadFreezerLines({
      "+Vor dem ersten Schrank",        // belongs to the first freezer
      "~0105200600000000 ~verloren~1",  // after a named compartment: kept
      ">N#",                            // no name: still a freezer of its own
      "+Zweites",
      ">N#Erster",
      "~0105200600000000 ~ohne Fach~1",  // before the freezer's first compartment: dropped
      "+Drittes",
      "~0105200600000000 ~" + longName + "~1",
      "+",
      "~0105200600000000 ~nach leerem Fach~1",  // after an unnamed compartment: dropped
      "Kommentar",
      ">U#Zweiter",
  });
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[0].name, "");
  EXPECT_EQ(f[0].count, 2);
  EXPECT_EQ(f[0].faecher.size(), 25u);
  EXPECT_EQ(f[0].faecher[0].name, "Vor dem ersten Schrank");
  EXPECT_EQ(f[0].faecher[0].foods.size(), 1u);
  EXPECT_EQ(f[0].faecher[1].name, "Zweites");
  EXPECT_TRUE(f[0].faecher[1].foods.empty());
  EXPECT_EQ(f[1].name, "Erster");
  EXPECT_EQ(f[1].count, 1);
  EXPECT_EQ(f[1].faecher[0].name, "Drittes");
  ASSERT_EQ(f[1].faecher[0].foods.size(), 1u);
  EXPECT_EQ(f[1].faecher[0].foods[0].name, longName);  // read whole, not in pieces
  EXPECT_EQ(f[2].count, 0);
  EXPECT_TRUE(f[2].fromBottom);
  EXPECT_EQ(f[2].faecher.size(), 25u);
}

TEST(FreezerLines, MoreThanTwentyFiveCompartmentLinesAreKept) {
  std::vector<std::string> lines = {">N#Gro\xDF"};
  for (int i = 0; i < 30; ++i) lines.push_back("+F" + std::to_string(i));
  const std::vector<CO_SCHRANK> f = ReadFreezerLines(lines);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].count, 30);
  EXPECT_EQ(f[0].faecher.size(), 30u);
}

TEST_F(FreezerFiles, NoFileGivesTheDefaultFreezer) {
  inv.LoadFreezers();
  ASSERT_EQ(inv.freezers.size(), 1u);
  const CO_SCHRANK& s = inv.freezers[0];
  EXPECT_EQ(s.name, "<Neuer Gefrierschrank>");
  EXPECT_EQ(s.count, 5);
  EXPECT_FALSE(s.fromBottom);
  ASSERT_EQ(s.faecher.size(), 25u);
  EXPECT_EQ(s.faecher[0].name, "Fleisch");
  EXPECT_EQ(s.faecher[4].name, "Backwaren");
  EXPECT_EQ(s.faecher[5].name, "");
  inv.LoadFoodTypes();
  EXPECT_TRUE(inv.types.empty());
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(FreezerFiles, UnnamedCompartmentsInUseAreNamedBySaving) {
  inv.LoadFreezers();
  inv.freezers[0].count = 7;
  ASSERT_TRUE(inv.SaveFreezers());
  EXPECT_EQ(inv.freezers[0].faecher[5].name, "Nr. 5");
  EXPECT_EQ(inv.freezers[0].faecher[6].name, "Nr. 6");
  EXPECT_EQ(inv.freezers[0].faecher[7].name, "");
  const std::string text = ReadAll(inv.FreezerPath());
  EXPECT_NE(text.find("+Backwaren\r\n+Nr. 5\r\n+Nr. 6\r\n"), std::string::npos) << text;
}

// A file an older build wrote after the user cleared a freezer's name: the unnamed freezer keeps
// its compartments and foods instead of joining them to the freezer before or after it.
TEST_F(FreezerFiles, AFreezerWithoutANameIsKeptAndNamedBySaving) {
  WriteAll(inv.FreezerPath(),
           ">N#K\xFC"
           "che\r\n+Fleisch\r\n~0201202600042026 ~Rouladen~4 St\xFC"
           "ck\r\n"
           ">U#\r\n+Brot\r\n~1001202631032026 ~Roggenbrot~1 Laib\r\n+Kuchen\r\n"
           ">N#Keller\r\n+Eis\r\n");
  inv.LoadFreezers();
  ASSERT_EQ(inv.freezers.size(), 3u);
  const auto check = [](const std::vector<CO_SCHRANK>& f, const std::string& unnamed) {
    EXPECT_EQ(f[0].count, 1);
    EXPECT_EQ(f[0].faecher[0].foods.size(), 1u);
    EXPECT_EQ(f[1].name, unnamed);
    EXPECT_TRUE(f[1].fromBottom);
    EXPECT_EQ(f[1].count, 2);
    EXPECT_EQ(f[1].faecher[0].name, "Brot");
    ASSERT_EQ(f[1].faecher[0].foods.size(), 1u);
    EXPECT_EQ(f[1].faecher[0].foods[0].name, "Roggenbrot");
    EXPECT_EQ(f[2].name, "Keller");
    EXPECT_EQ(f[2].count, 1);
  };
  check(inv.freezers, "");
  // Saving never writes a freezer line without a name: the file stays readable by every build.
  ASSERT_TRUE(inv.SaveFreezers());
  EXPECT_EQ(inv.freezers[1].name, kDefaultFreezerName);
  EXPECT_NE(ReadAll(inv.FreezerPath()).find(">U#<Neuer Gefrierschrank>\r\n+Brot\r\n"),
            std::string::npos);
  FreezerInventory again;
  again.folder = inv.folder;
  again.LoadFreezers();
  ASSERT_EQ(again.freezers.size(), 3u);
  check(again.freezers, kDefaultFreezerName);
}

TEST(FreezerLines, FoodsBeyondALoweredCountAreDroppedOrKept) {
  std::vector<CO_SCHRANK> f = {Freezer("Truhe", 5), Freezer("Keller", 3)};
  f[0].faecher[1].foods.push_back(Food("Erbsen", 0, 0));
  f[0].faecher[3].foods.push_back(Food("Eis", 0, 0));
  EXPECT_FALSE(FoodsBeyondCount(f));
  f[0].count = 2;
  f[1].count = 1;
  EXPECT_TRUE(FoodsBeyondCount(f));
  std::vector<CO_SCHRANK> kept = f;
  KeepFoodsBeyondCount(kept);
  EXPECT_EQ(kept[0].count, 4);  // up to the last compartment holding foods
  EXPECT_EQ(kept[1].count, 1);  // nothing to keep: the count stays as chosen
  EXPECT_FALSE(FoodsBeyondCount(kept));
  DropFoodsBeyondCount(f);
  EXPECT_FALSE(FoodsBeyondCount(f));
  EXPECT_EQ(f[0].count, 2);
  EXPECT_EQ(f[0].faecher[1].foods.size(), 1u);
  EXPECT_TRUE(f[0].faecher[3].foods.empty());
}

TEST_F(FreezerFiles, LoweringTheCountDropsTheFoodsOfTheLastCompartments) {
  inv.LoadFreezers();
  for (int c = 0; c < 5; ++c)
    inv.freezers[0].faecher[c].foods.push_back(Food("F" + std::to_string(c), 0, 0));
  inv.freezers[0].count = 3;
  ASSERT_TRUE(inv.SaveFreezers());
  // Still in memory until the next load.
  EXPECT_EQ(inv.freezers[0].faecher[4].foods.size(), 1u);
  inv.LoadFreezers();
  EXPECT_EQ(inv.freezers[0].count, 3);
  EXPECT_TRUE(inv.freezers[0].faecher[3].foods.empty());
  EXPECT_TRUE(inv.freezers[0].faecher[4].foods.empty());
  EXPECT_EQ(inv.freezers[0].faecher[4].name, "");
}

TEST_F(FreezerFiles, AFileThatCannotBeWrittenIsSaidAndLeftAlone) {
  inv.LoadFreezers();
  WriteAll(inv.FreezerPath(), ">N#Alt\r\n");
  inv.folder = env.Root() + "missing/";
  EXPECT_FALSE(inv.SaveFreezers());
  EXPECT_FALSE(inv.SaveFoodTypes());
  ASSERT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(719));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(2));
  EXPECT_EQ(inv.freezers.size(), 1u);
}

TEST_F(FreezerFiles, SavingGoesThroughATemporaryFile) {
  inv.LoadFreezers();
  ASSERT_TRUE(inv.SaveFreezers());
  const std::string before = ReadAll(inv.FreezerPath());
  inv.freezers[0].faecher[0].foods.push_back(Food("Erbsen", 3, 2027));
  SetAtomicWriteFaultForTest(10);
  EXPECT_FALSE(inv.SaveFreezers());
  SetAtomicWriteFaultForTest(-1);
  EXPECT_EQ(ReadAll(inv.FreezerPath()), before);
}

TEST(FoodTypeFile, LinesWithoutTheirMarksAreSkippedAndTheRestNumbered) {
  const std::vector<CO_TYPE> t = ReadFoodTypeLines({
      "+0 Fleisch",  // no "#"
      "+0#Fleisch",
      "~1#Hack",  // no "~" after the "#"
      "~1#Gulasch~1 kg",
      "Kommentar",
      "+1#Gefl\xFCgel",
  });
  ASSERT_EQ(t.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(t[i].position, i);
  EXPECT_TRUE(t[0].group);
  EXPECT_EQ(t[0].text, "");
  EXPECT_EQ(t[1].name, "Gulasch");
  EXPECT_EQ(t[1].text, "1 kg");
  EXPECT_EQ(t[1].level, 1);
  EXPECT_EQ(FoodTypesFileText(t), "+0#Fleisch\r\n~1#Gulasch~1 kg\r\n+1#Gefl\xFCgel\r\n");
}

TEST(FoodDates, Parse) {
  struct Case {
    const char* text;
    int day, month, year;
    bool valid;
  };
  const Case cases[] = {
      {"1.12.05", 1, 12, 2005, true},
      {"12/2006", 0, 12, 2006, true},
      {"3/07", 0, 3, 2007, true},
      {"13.2007", 0, 0, 2007, false},
      {"1.2.1980", 1, 2, 2000, false},
      {"", 0, 0, 2000, false},
      {"7.2027", 0, 7, 2027, true},
      {"15", 0, 0, 2000, false},
      {"  31.05.2026 ", 31, 5, 2026, true},
      {"32.5.2026", 0, 5, 2026, false},  // a day beyond 31 would widen its column
      {"999.5.2026", 0, 5, 2026, false},
      {"1.5.99999999999", 1, 5, 2000, false},
      {"0.5.2026", 0, 0, 2000, false},
      {"1.5.2026.7", 1, 5, 2026, true},
      {"abc 2 - 2027", 0, 2, 2027, true},
  };
  for (const Case& c : cases) {
    const FoodDate d = ParseFoodDate(c.text);
    EXPECT_EQ(d.day, c.day) << c.text;
    EXPECT_EQ(d.month, c.month) << c.text;
    EXPECT_EQ(d.year, c.year) << c.text;
    EXPECT_EQ(d.valid, c.valid) << c.text;
  }
}

TEST(FoodDates, Format) {
  EXPECT_EQ(FormatFoodDate(1, 5, 2006), "01.05.2006");
  EXPECT_EQ(FormatFoodDate(0, 5, 2006), "05/2006");
  EXPECT_EQ(FormatFoodDate(-1, 12, 2026), "12/2026");
  EXPECT_EQ(FormatFoodDate(17, 0, 2026), "");
}

TEST(FoodDates, StoredToday) {
  SetFreezerClockForTest([] { return ClockDate{8, 12, 2026}; });
  CO_LMITTEL f;
  SetStoredToday(f);
  SetFreezerClockForTest({});
  EXPECT_EQ(f.sinceDay, 8);
  EXPECT_EQ(f.sinceMonth, 12);
  EXPECT_EQ(f.sinceYear, 2026);
}

TEST(CompartmentNumbers, TopDownAndBottomUp) {
  const CO_SCHRANK down = Freezer("a", 5);
  const CO_SCHRANK up = Freezer("b", 5, true);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(ShownCompartmentNumber(down, i), i + 1);
    EXPECT_EQ(ShownCompartmentNumber(up, i), 5 - i);
    EXPECT_EQ(CompartmentIndexOfNumber(up, ShownCompartmentNumber(up, i)), i);
    EXPECT_EQ(CompartmentIndexOfNumber(down, ShownCompartmentNumber(down, i)), i);
  }
}

// --- best before -----------------------------------------------------------------------------

const ClockDate kMarch2026{15, 3, 2026};

TEST(BestBefore, MonthsAndStatuses) {
  struct Case {
    int month, year, months, list81is1, cell84is1, cell84is3;
  };
  const Case cases[] = {
      {3, 2026, 0, 2, 2, 2},   {4, 2026, 1, 1, 1, 1},          {5, 2026, 2, 0, 0, 1},
      {12, 2025, -3, 2, 2, 2}, {0, 0, kNoBestBefore, 0, 0, 0},
  };
  for (const Case& c : cases) {
    CO_LMITTEL f = Food("x", c.month, c.year);
    f.mhdDay = 31;
    const int m = MonthsLeft(f, kMarch2026);
    EXPECT_EQ(m, c.months) << c.month << "/" << c.year;
    EXPECT_EQ(ListStatus(m, 1), c.list81is1) << m;
    EXPECT_EQ(CellStatus(m, 1), c.cell84is1) << m;
    EXPECT_EQ(CellStatus(m, 3), c.cell84is3) << m;
  }
  EXPECT_EQ(ListStatus(kNoBestBefore, kNoBestBefore), 1);
}

TEST(BestBefore, IndexesOutsideTheListsGiveNoDate) {
  std::vector<CO_SCHRANK> f = {Freezer("a", 2)};
  f[0].faecher[1].foods.push_back(Food("x", 3, 2026));
  EXPECT_EQ(MonthsToBestBefore(f, 0, 1, 0, kMarch2026), 0);
  for (const auto& [s, c, j] : std::vector<std::tuple<int, int, int>>{
           {1, 1, 0}, {-1, 1, 0}, {0, 25, 0}, {0, 1, 1}, {0, 0, 0}})
    EXPECT_EQ(MonthsToBestBefore(f, s, c, j, kMarch2026), kNoBestBefore) << s << c << j;
}

std::vector<CO_SCHRANK> WarnedInventory() {
  std::vector<CO_SCHRANK> f = {Freezer("Oben", 3), Freezer("Keller", 2, true)};
  f[0].faecher[0].foods = {Food("Apfel", 5, 2026), Food("Birne", 4, 2026), Food("Dill", 0, 0)};
  f[0].faecher[2].foods = {Food("Erbsen", 2, 2026), Food("Fisch", 4, 2026)};
  f[1].faecher[0].foods = {Food("Gans", 12, 2025, true)};
  f[1].faecher[1].foods = {Food("Hack", 4, 2026)};
  // Beyond the count: kept in memory, neither saved nor warned about.
  f[1].faecher[2].name = "weg";
  f[1].faecher[2].foods = {Food("Ingwer", 1, 2020)};
  return f;
}

std::vector<std::string> Names(const std::vector<CO_SLIST>& list) {
  std::vector<std::string> names;
  for (const CO_SLIST& e : list) names.push_back(e.copy.name);
  return names;
}

TEST(BestBefore, MenuListSortedByMonthsInScanOrder) {
  const auto list = BuildBestBeforeList(WarnedInventory(), false, {}, kMarch2026);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Gans", "Erbsen", "Birne", "Fisch", "Hack"}));
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[0].monthsLeft, -3);
  EXPECT_EQ(list[0].status, 2);
  EXPECT_EQ(list[0].freezer, 1);
  EXPECT_EQ(list[0].number, 2);  // compartment 0 of a freezer numbered from the bottom
  EXPECT_TRUE(list[0].copy.opened);
  EXPECT_EQ(list[1].number, 3);
  EXPECT_EQ(list[1].compartmentName, "Fach 2");
  EXPECT_EQ(list[1].food, 0);
  EXPECT_EQ(list[2].status, 1);
  EXPECT_EQ(list[4].freezerName, "Keller");
  EXPECT_EQ(list[4].number, 1);
}

TEST(BestBefore, StartUpListFollowsTheOptions) {
  const auto inv = WarnedInventory();
  EXPECT_TRUE(BuildBestBeforeList(inv, true, {false, false, 1}, kMarch2026).empty());
  EXPECT_EQ(Names(BuildBestBeforeList(inv, true, {true, false, 1}, kMarch2026)),
            (std::vector<std::string>{"Gans", "Erbsen"}));
  EXPECT_EQ(Names(BuildBestBeforeList(inv, true, {false, true, 1}, kMarch2026)),
            (std::vector<std::string>{"Birne", "Fisch", "Hack"}));
  // Option 81 = 2 counts May as due soon as well.
  EXPECT_EQ(Names(BuildBestBeforeList(inv, true, {false, true, 2}, kMarch2026)),
            (std::vector<std::string>{"Birne", "Fisch", "Hack", "Apfel"}));
  std::vector<CO_SCHRANK> soonOnly = {Freezer("a", 1)};
  soonOnly[0].faecher[0].foods = {Food("x", 4, 2026)};
  EXPECT_TRUE(BuildBestBeforeList(soonOnly, true, {true, false, 1}, kMarch2026).empty());
  EXPECT_TRUE(BuildBestBeforeList({}, false, {}, kMarch2026).empty());
}

// --- usual foods tree ------------------------------------------------------------------------

std::vector<CO_TYPE> Types(const std::vector<std::pair<int, std::string>>& entries) {
  std::vector<CO_TYPE> t;
  for (const auto& [level, name] : entries) {
    CO_TYPE e;
    e.level = level;
    e.group = name[0] == '+';
    e.name = name.substr(1);
    e.text = e.group ? "" : "1 kg";
    t.push_back(e);
  }
  RenumberFoodTypes(t);
  return t;
}

std::vector<std::string> TypeNames(const std::vector<CO_TYPE>& t) {
  std::vector<std::string> n;
  for (size_t i = 0; i < t.size(); ++i) {
    EXPECT_EQ(t[i].position, static_cast<int>(i));
    n.push_back(std::to_string(t[i].level) + t[i].name);
  }
  return n;
}

TEST(FoodTypeTree, ParentsAndLevelJumps) {
  const auto t = Types({{0, "+A"},
                        {1, "~a"},
                        {1, "+B"},
                        {2, "~b"},
                        {0, "+C"},
                        {3, "~deep"},
                        {1, "~c"},
                        {-1, "+neg"},
                        {2, "~jump"}});
  EXPECT_EQ(FoodTypeParents(t), (std::vector<int>{-1, 0, 0, 2, -1, 4, 4, -1, 7}));
  EXPECT_EQ(FoodTypeNodeText(t[1]), "a, 1 kg");
  EXPECT_EQ(FoodTypeNodeText(t[0]), "A");
  CO_TYPE top = t[1];
  top.level = 0;
  EXPECT_EQ(FoodTypeNodeText(top), "a");
}

TEST(FoodTypeTree, Inserting) {
  auto t = Types({{0, "+A"}, {1, "~a"}, {1, "+B"}, {2, "~b"}, {1, "+B2"}, {0, "+C"}});
  EXPECT_EQ(InsertSiblingGroup(t, 2, "N"), 5);
  EXPECT_EQ(TypeNames(t), (std::vector<std::string>{"0A", "1a", "1B", "2b", "1B2", "1N", "0C"}));
  EXPECT_TRUE(t[5].group);
  EXPECT_EQ(t[5].text, "0");
  EXPECT_EQ(InsertChildGroup(t, 0, "K"), 1);
  EXPECT_EQ(t[1].level, 1);
  EXPECT_EQ(InsertFoodUnder(t, 0, "Erbsen", "500 g"), 1);
  EXPECT_FALSE(t[1].group);
  EXPECT_EQ(FoodTypeNodeText(t[1]), "Erbsen, 500 g");
  EXPECT_EQ(FoodTypesFileText({t[1]}), "~1#Erbsen~500 g\r\n");
  EXPECT_EQ(InsertSiblingGroup(t, 8, "Z"), 9);  // the last top-level group: at the end
  EXPECT_EQ(FoodTypeParentOrFirst(t, 5), 4);    // "b" under "B"
  EXPECT_EQ(FoodTypeParentOrFirst(t, 0), 0);
}

TEST(FoodTypeTree, DeletingASubtree) {
  auto t = Types({{0, "+A"}, {1, "~a"}, {1, "+B"}, {2, "~b"}, {2, "~b2"}, {1, "~a2"}, {0, "+C"}});
  EXPECT_EQ(DeleteFoodTypeSubtree(t, 2), 0);
  EXPECT_EQ(TypeNames(t), (std::vector<std::string>{"0A", "1a", "1a2", "0C"}));
  EXPECT_EQ(DeleteFoodTypeSubtree(t, 0), 0);
  EXPECT_EQ(TypeNames(t), (std::vector<std::string>{"0C"}));
  EXPECT_EQ(DeleteFoodTypeSubtree(t, 0), -1);
  EXPECT_TRUE(t.empty());
}

// --- the overview page -------------------------------------------------------------------------

class FreezerPage : public ::testing::Test {
 protected:
  void SetUp() override { env.LoadLanguage("DE"); }
  CO_SCHRANK ThreeFoods() {
    CO_SCHRANK s = Freezer(
        "K\xFC"
        "che & Keller",
        3, true);
    s.faecher[1].name = "Fleisch <roh>";
    CO_LMITTEL a = Food("Rinder\"rouladen\"", 0, 0);
    a.sinceDay = 1;
    a.sinceMonth = 5;
    a.sinceYear = 2006;
    CO_LMITTEL b = Food("H\xE4hnchen & Pute", 12, 2026, true);
    b.mhdDay = 31;
    CO_LMITTEL c = Food("", 4, 2027);
    c.amount = "";
    s.faecher[1].foods = {a, b, c};
    return s;
  }
  test::TestEnv env;
};

TEST_F(FreezerPage, ThreeFoodsGiveTheGoldenPage) {
  EXPECT_EQ(FreezerOverviewHtml(ThreeFoods(), 1, false, {0, true}, {8, 12, 2026}),
            ReadAll(Fixture("coolboxes_three_foods_cp1252.html")));
}

TEST_F(FreezerPage, OptionsAndCompartments) {
  const CO_SCHRANK s = ThreeFoods();
  const auto count = [](const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
  };
  // An empty compartment without extra rows: the title table and an empty bordered table.
  const std::string empty = FreezerOverviewHtml(s, 0, false, {0, true}, kMarch2026);
  EXPECT_EQ(count(empty, "colspan"), 0);
  EXPECT_NE(empty.find("cellpadding=\"0\"><tr>\r\n</table>\r\n</body>\r\n</html>\r\n"),
            std::string::npos);
  // Ten extra rows: stripes on every second one.
  const std::string rows = FreezerOverviewHtml(s, 0, false, {10, true}, kMarch2026);
  EXPECT_EQ(count(rows, "Fach 3: Fach 0"), 1);
  EXPECT_EQ(count(rows, "<tr>\r\n<td width=\"80%\" bordercolor"), 10);
  EXPECT_EQ(count(rows, "#F7F7F7"), 5 * 6);
  // Five columns without the taken-out cells.
  const std::string five = FreezerOverviewHtml(s, 1, false, {0, false}, kMarch2026);
  EXPECT_EQ(count(five, "colspan=\"5\""), 1);
  EXPECT_EQ(count(five, "Entnommen"), 0);
  // The title table's row, the title and header rows, three food rows.
  EXPECT_EQ(count(five, "</tr>"), 6);
  EXPECT_EQ(count(five, "nowrap bordercolor=\"#C0C0C0\">&nbsp;</td>"), 0);
  // The whole freezer: empty compartments only with extra rows, in index order.
  const std::string whole = FreezerOverviewHtml(s, 0, true, {0, true}, kMarch2026);
  EXPECT_EQ(count(whole, "colspan"), 1);
  const std::string all = FreezerOverviewHtml(s, 0, true, {1, true}, kMarch2026);
  EXPECT_EQ(count(all, "colspan"), 3);
  EXPECT_LT(all.find("Fach 3: "), all.find("Fach 2: "));
  EXPECT_LT(all.find("Fach 2: "), all.find("Fach 1: "));
}

TEST_F(FreezerPage, WrittenAndOpenedOrSaid) {
  const std::string path = env.Root() + "HTML/CoolBoxes.html";
  WriteAll(path, "alt");
  EXPECT_TRUE(WriteFreezerOverview(path, ThreeFoods(), 1, false, {0, true}));
  EXPECT_NE(ReadAll(path).find("Rinder&quot;rouladen&quot;"), std::string::npos);
  ASSERT_EQ(env.shell.opened.size(), 1u);
  const std::string missing = env.Root() + "nowhere/CoolBoxes.html";
  EXPECT_FALSE(WriteFreezerOverview(missing, ThreeFoods(), 1, false, {0, true}));
  EXPECT_EQ(env.shell.opened.size(), 1u);  // a page that was not written is not opened
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_NE(env.messages.shown[0].text.find(missing), std::string::npos);
}

}  // namespace
}  // namespace tav
