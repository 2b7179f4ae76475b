#include "recipedb/category_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/settings_store.h"
#include "recipedb/recipe_model.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

struct CategoryEnv {
  CategoryEnv() {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
    ctx().categories = &table;
  }
  std::string File() { return env.Root() + "Data/DE/Gattung.dat"; }
  test::TestEnv env;
  CategoryTable table;
};

REZGATT Main(int id, const std::string& name, const std::string& symbol = "") {
  return {name, symbol, id, REZGATT::kMain, {}};
}
REZGATT Sub(int id, const std::string& name, std::vector<uint16_t> mains) {
  return {name, "", id, REZGATT::kSub, std::move(mains)};
}
REZGATT Free(int id, const std::string& name) {
  return {name, "", id, REZGATT::kFree, {}};
}

bool SameCategories(const std::vector<REZGATT>& a, const std::vector<REZGATT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].name != b[i].name || a[i].symbol != b[i].symbol || a[i].id != b[i].id ||
        a[i].kind != b[i].kind || a[i].mainIds != b[i].mainIds)
      return false;
  return true;
}

TEST(CategoryFile, EveryKindIsWrittenAsTheFormatSaysAndReadsBack) {
  CategoryEnv e;
  e.table.gatt = {Main(1, "Suppen", "soup.bmp"), Main(3, "Fisch"), Sub(12, "Br\xFChen", {1, 3}),
                  Free(13, "Verschiedenes")};
  ASSERT_TRUE(e.table.WriteGattungen());
  EXPECT_EQ(ReadAll(e.File()),
            ">0001 Suppen#soup.bmp\r\n>0003 Fisch#\r\n0012 Br\xFChen\r\n0001 0003\r\n"
            "0013 Verschiedenes\r\n\r\n");
  const auto written = e.table.gatt;
  e.table.ReadGattungen();
  EXPECT_TRUE(SameCategories(e.table.gatt, written));
}

TEST(CategoryFile, MalformedLinesReadAsFarAsTheyGo) {
  const std::vector<std::string> lines = {
      ">0007 Name#mit#Raute",  // a '#' in a main name cuts it
      ">0008 Ohne Symbol",     // no '#': no symbol
      ">xx",                   // too short for a name, no digits for an id
      "0020 Unter",            // sub category whose id line lists two main ids
      "0007 0008",
      "0021 Frei",  // last line: the missing id line makes it free
  };
  const auto t = CategoryTable::ParseLines(lines);
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0].name, "Name");
  EXPECT_EQ(t[0].symbol, "mit#Raute");
  EXPECT_EQ(t[1].name, "Ohne Symbol");
  EXPECT_EQ(t[1].symbol, "");
  EXPECT_EQ(t[2].id, 0);
  EXPECT_EQ(t[2].name, "");
  EXPECT_EQ(t[2].kind, REZGATT::kMain);
  EXPECT_EQ(t[3].mainIds, (std::vector<uint16_t>{7, 8}));
  EXPECT_EQ(t[3].kind, REZGATT::kSub);
  EXPECT_EQ(t[4].kind, REZGATT::kFree);
  EXPECT_EQ(t[4].name, "Frei");
}

TEST(CategoryFile, BlankLinesWhereACategoryBeginsAreNoCategories) {
  // A free category's empty id line still belongs to it; the blank lines around are skipped.
  const auto t = CategoryTable::ParseLines(
      {"", ">0001 Suppen#", "   ", "0013 Frei", "", "", "0012 Br\xFChen", "0001", ""});
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].name, "Suppen");
  EXPECT_EQ(t[1].name, "Frei");
  EXPECT_EQ(t[1].kind, REZGATT::kFree);
  EXPECT_EQ(t[2].name, "Br\xFChen");
  EXPECT_EQ(t[2].mainIds, (std::vector<uint16_t>{1}));
}

TEST(CategoryFile, AMissingFileGivesAnEmptyTableAndAnUnreadableOneIsNeverReplaced) {
  CategoryEnv e;
  e.table.gatt = {Main(1, "alt")};
  e.table.ReadGattungen();  // no file: empty, no message
  EXPECT_TRUE(e.table.gatt.empty());
  EXPECT_TRUE(e.env.messages.shown.empty());
  e.table.gatt = {Main(1, "Neu")};
  EXPECT_TRUE(e.table.WriteGattungen());  // a missing file may be created

  // A file that exists but cannot be read (a link to a folder that is not there).
  ASSERT_EQ(unlink(e.File().c_str()), 0);
  ASSERT_EQ(symlink((e.env.Root() + "offline/Gattung.dat").c_str(), e.File().c_str()), 0);
  e.table.ReadGattungen();
  EXPECT_TRUE(e.table.gatt.empty());
  EXPECT_FALSE(e.table.WriteGattungen());
  e.table.gatt = {Main(1, "Nur eine")};
  EXPECT_FALSE(e.table.WriteGattungen());
  ASSERT_EQ(e.env.messages.shown.size(), 2u);
  EXPECT_EQ(e.env.messages.shown[0].text, "{77}");
  char target[256] = {};
  EXPECT_GT(readlink(e.File().c_str(), target, sizeof target - 1), 0);  // still the link
}

TEST(CategoryLookups, NamesIdsAndCodes) {
  CategoryTable t;
  std::vector<uint16_t> twelve;
  for (uint16_t i = 1; i <= 12; ++i) twelve.push_back(static_cast<uint16_t>(100 + i));
  t.gatt = {Main(1, "Suppen", "s.bmp"), Sub(2, "Eint\xF6pfe", {1, 5}),
            Free(3, "Italien"),         Main(5, "Hauptgerichte"),
            Sub(6, "Alles", twelve),    Main(7, "suppen", "zweite.bmp")};

  std::string name = "unchanged";
  EXPECT_TRUE(t.GetGattName(5, name));
  EXPECT_EQ(name, "Hauptgerichte");
  EXPECT_FALSE(t.GetGattName(2, name));  // a sub category
  EXPECT_FALSE(t.GetGattName(4, name));  // a deleted main category
  EXPECT_EQ(name, "Hauptgerichte");
  std::string symbol;
  EXPECT_TRUE(t.GetGattSymbol(1, symbol));
  EXPECT_EQ(symbol, "s.bmp");

  int16_t id = -1;
  EXPECT_TRUE(t.GetGattIdByName("SUPPEN", id));
  EXPECT_EQ(id, 1);  // the earlier of two equal names
  EXPECT_FALSE(t.GetGattIdByName("Eint\xD6pfe", id));
  EXPECT_EQ(id, 1);

  uint16_t codes[10];
  EXPECT_TRUE(t.GetGattIds("EINT\xD6PFE", codes));
  EXPECT_EQ(codes[0], 1);
  EXPECT_EQ(codes[1], 5);
  EXPECT_EQ(codes[2], 0);
  EXPECT_FALSE(t.GetGattIds("italien", codes));
  for (uint16_t c : codes) EXPECT_EQ(c, 0);
  EXPECT_TRUE(t.GetGattIds("alles", codes));
  EXPECT_EQ(codes[0], 101);
  EXPECT_EQ(codes[9], 110);

  std::vector<std::string> combo = {"(Alle Rezepte)"};
  t.FillMainGattCombo(combo);
  EXPECT_EQ(combo,
            (std::vector<std::string>{"(Alle Rezepte)", "Suppen", "Hauptgerichte", "suppen"}));
  std::vector<ListItem> list = {{"old", 9}};
  t.FillMainGattList(list);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].text, "Hauptgerichte");
  EXPECT_EQ(list[1].data, 5);

  int count = 0;
  std::string text;
  t.ListMainGatts(count, text);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(text,
            "1\xA7Suppen\xA7"
            "5\xA7Hauptgerichte\xA7"
            "7\xA7suppen\xA7");
  int mains, subs, frees;
  t.CountGattKinds(mains, subs, frees);
  EXPECT_EQ(mains, 3);
  EXPECT_EQ(subs, 2);
  EXPECT_EQ(frees, 1);

  REZBLOCK recipe;
  recipe.categories[0] = 7;
  recipe.categories[2] = 5;  // no symbol
  recipe.categories[3] = 1;
  recipe.categories[4] = 7;
  std::vector<std::string> symbols = {"x.bmp"};
  t.AddRecipeGattSymbols(recipe, symbols);
  EXPECT_EQ(symbols, (std::vector<std::string>{"x.bmp", "zweite.bmp", "s.bmp", "zweite.bmp"}));
}

TEST(CategoryIds, FreeIdsPassOverRemovedOnesAndRemovingAMainFreesItsSubs) {
  CategoryTable t;
  EXPECT_EQ(t.FindFreeGattId(), 1);
  t.gatt = {Main(1, "a"), Main(2, "b"), Main(3, "c")};
  t.gatt[1] = t.gatt.back();  // delete id 2: the last moves into its place
  t.gatt.pop_back();
  t.removedIds.push_back(2);
  EXPECT_EQ(t.FindFreeGattId(), 4);
  t.removedIds.clear();
  EXPECT_EQ(t.FindFreeGattId(), 2);

  t.gatt = {Sub(10, "x", {2, 1, 2, 3}), Sub(11, "y", {2}), Sub(12, "z", {2, 2}), Sub(13, "w", {4})};
  EXPECT_EQ(t.RemoveMainGattId(2), 2);
  EXPECT_EQ(t.gatt[0].mainIds, (std::vector<uint16_t>{3, 1}));
  EXPECT_EQ(t.gatt[0].kind, REZGATT::kSub);
  EXPECT_EQ(t.gatt[1].kind, REZGATT::kFree);
  EXPECT_EQ(t.gatt[2].kind, REZGATT::kFree);
  EXPECT_EQ(t.gatt[3].kind, REZGATT::kSub);
}

TEST(CategoryNames, AHashIsRefusedWithAMessage) {
  test::TestEnv env;
  EXPECT_TRUE(NameFitsReferenceFile("Suppen & Eint\xF6pfe"));
  EXPECT_TRUE(env.messages.shown.empty());
  EXPECT_FALSE(NameFitsReferenceFile("Nr. #1"));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, "{764}");
  EXPECT_EQ(env.messages.shown[0].title, "{15}");
}

}  // namespace
}  // namespace tav
