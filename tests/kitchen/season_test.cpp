// The seasonal calendar's core: the quarter-month of a date, the three lists, the colours and
// the season editor's clicks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kitchen/season/season_calendar.h"
#include "recipedb/recipe_records.h"

namespace tav {
namespace {

REZZUTATEN Ingredient(const std::string& plural, const std::string& season) {
  REZZUTATEN z;
  z.plural = plural;
  z.singular = plural.substr(0, plural.size() - 1);
  z.season = season;
  return z;
}

// 48 marks: `main` and `near` name slots (1-48).
std::string Marks(char flag, std::vector<int> main, std::vector<int> near = {}) {
  std::string s = std::string(1, flag) + std::string(48, ' ');
  for (int k : main) s[static_cast<size_t>(k)] = 'S';
  for (int k : near) s[static_cast<size_t>(k)] = 'N';
  return s;
}

TEST(SeasonSlot, QuarterMonthsOfTheYear) {
  struct Case {
    int month0, day, slot;
  };
  const Case cases[] = {{0, 1, 1},  {0, 8, 1},    {0, 9, 2},    {0, 16, 2},  {0, 17, 3},
                        {0, 24, 3}, {0, 25, 4},   {0, 31, 4},   {2, 8, 9},   {2, 9, 10},
                        {1, 29, 8}, {11, 24, 47}, {11, 25, 48}, {11, 31, 48}};
  for (const Case& c : cases)
    EXPECT_EQ(SeasonSlot(c.month0, c.day), c.slot) << c.month0 + 1 << "/" << c.day;
}

TEST(SeasonLists, TheThreeTabs) {
  const std::vector<REZZUTATEN> catalogue = {
      Ingredient("Spargel", Marks('J', {17, 18, 19, 20}, {16, 21})),
      Ingredient("Kartoffeln", Marks('J', {}, {})),  // flag set, no week marked
      Ingredient("Erdbeeren", Marks('J', {21, 22}, {20})),
      Ingredient("Salz", Marks('N', {})),
      Ingredient("Kirschen", Marks('N', {20})),  // marks without the flag
  };
  auto names = [](const std::vector<const REZZUTATEN*>& list) {
    std::vector<std::string> out;
    for (const REZZUTATEN* z : list) out.push_back(z->plural);
    return out;
  };
  REZBLOCK recipe;
  ClearRezBlock(recipe);
  EXPECT_EQ(names(SeasonIngredients(catalogue, SeasonTab::Now, 20, false, recipe)),
            (std::vector<std::string>{"Spargel", "Erdbeeren", "Kirschen"}));
  EXPECT_EQ(names(SeasonIngredients(catalogue, SeasonTab::Now, 20, true, recipe)),
            (std::vector<std::string>{"Spargel", "Kirschen"}));
  EXPECT_TRUE(SeasonIngredients(catalogue, SeasonTab::Now, 1, false, recipe).empty());
  EXPECT_EQ(names(SeasonIngredients(catalogue, SeasonTab::All, 1, false, recipe)),
            (std::vector<std::string>{"Spargel", "Kartoffeln", "Erdbeeren"}));
  // No recipe lines: nothing; then only exact plurals of season ingredients.
  EXPECT_TRUE(SeasonIngredients(catalogue, SeasonTab::Recipe, 1, false, recipe).empty());
  recipe.lines = {{"500", "g", "Spargel", "", 0, 0},
                  {"1", "", "Erdbeere", "", 0, 0},
                  {"", "", "kartoffeln", "", 0, 0},
                  {"", "", "Salz", "", 0, 0},
                  {"", "", "Kirschen", "", 0, 0}};
  EXPECT_EQ(names(SeasonIngredients(catalogue, SeasonTab::Recipe, 1, false, recipe)),
            (std::vector<std::string>{"Spargel"}));
}

TEST(SeasonLists, ShippedCatalogueMarks) {
  // A shipped line: Äpfel are in main season from slot 30 on.
  const REZZUTATEN z = IngredientCatalogue::ParseLine(
      "\xC4pfel#Apfel#1#52#K#St~g~kg~#JNNNNNNNNNNNNNNNNNNNNNNNNNNNNSSSSSSSSSSSSNNNNNNNN#K#F101000##"
      "150");
  EXPECT_EQ(SeasonMark(z, 1), 'N');
  EXPECT_EQ(SeasonMark(z, 30), 'S');
  EXPECT_EQ(SeasonMark(z, 48), 'N');
  EXPECT_EQ(SeasonMark(z, 0), ' ');
  EXPECT_EQ(SeasonMark(z, 49), ' ');
}

TEST(SeasonColours, BandsAndMarks) {
  EXPECT_EQ(SeasonBandColour(0), 0xFFFFFFu);
  EXPECT_EQ(SeasonBandColour(1), 0xEEFFEEu);
  EXPECT_EQ(SeasonBandColour(12), 0xEEFFEEu);
  EXPECT_EQ(SeasonBandColour(13), 0xFFFFEEu);
  EXPECT_EQ(SeasonBandColour(25), 0xFFEEEEu);
  EXPECT_EQ(SeasonBandColour(48), 0xEEFFFFu);
  EXPECT_EQ(SeasonMarkColour('S'), 0x00AA00u);
  EXPECT_EQ(SeasonMarkColour('N'), 0x00FF00u);
  EXPECT_EQ(SeasonMarkColour(' '), 0u);
}

TEST(SeasonEditor, ClicksAndFlag) {
  // 0 main season, 1 near season, 2 none.
  EXPECT_EQ(ClickedSeasonMark(' ', 0), 'S');
  EXPECT_EQ(ClickedSeasonMark('S', 0), ' ');  // clicking a week again clears it
  EXPECT_EQ(ClickedSeasonMark('S', 1), 'N');
  EXPECT_EQ(ClickedSeasonMark('N', 1), ' ');
  EXPECT_EQ(ClickedSeasonMark('N', 0), 'S');
  EXPECT_EQ(ClickedSeasonMark('S', 2), ' ');
  EXPECT_EQ(ClickedSeasonMark(' ', 2), ' ');
  REZZUTATEN z = Ingredient("Spargel", Marks('N', {}));
  UpdateSeasonFlag(z);
  EXPECT_EQ(z.season[0], 'N');
  z.season[5] = 'N';
  UpdateSeasonFlag(z);
  EXPECT_EQ(z.season[0], 'J');
  z.season = "J";  // short: filled with blanks
  UpdateSeasonFlag(z);
  EXPECT_EQ(z.season, "N" + std::string(48, ' '));
}

}  // namespace
}  // namespace tav
