#include <gtest/gtest.h>

#include "recipedb/recipe_records.h"
#include "support/test_env.h"

namespace tav {
namespace {

TEST(RecipeRecords, ClearRezBlockGivesANewRecipeAndKeepsTheDeletedByte) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  REZBLOCK r;
  r.title = "x";
  r.deleted = 1;
  r.flags = 0x81;
  r.servings = 9;
  r.quality = '5';
  r.categories[3] = 7;
  r.recipeIdHigh = 5;
  r.lines.push_back({"1", "g", "Salz", "", 0, 0});
  r.courses.push_back({});
  r.bookId = -3;
  ClearRezBlock(r);
  EXPECT_EQ(r.deleted, 1);
  EXPECT_EQ(r.servings, 4);
  EXPECT_EQ(r.servingType, GetLangText(575));
  EXPECT_EQ(r.servingType, "Portionen");
  EXPECT_EQ(r.quality, '0');
  EXPECT_EQ(r.difficulty, '0');
  EXPECT_EQ(r.flags, 0);
  EXPECT_EQ(r.categories[3], 0);
  EXPECT_EQ(r.recipeIdHigh, 0);
  EXPECT_EQ(r.bookId, 0);
  EXPECT_TRUE(r.title.empty());
  EXPECT_TRUE(r.lines.empty());
  EXPECT_TRUE(r.courses.empty());
}

TEST(RecipeRecords, ParseDbEntriesTable) {
  struct Case {
    std::string text;
    bool ok;
    std::vector<std::pair<std::string, std::string>> pairs;
  } cases[] = {
      {"|2|6:3|N~Anna|D~x|", true, {{"N", "Anna"}, {"D", "x"}}},
      {"|2|5:4|N~a|~|D~b~|", true, {{"N", "a|~"}, {"D", "b~"}}},  // values by length
      {"|1|2|Q~|", true, {{"Q", ""}}},
      {"|0|", false, {}},
      {"|2|3:3|A~x|", false, {{"A", "x"}}},     // second entry missing
      {"|2|3|A~x|", false, {}},                 // one length for two entries
      {"plain text", false, {}},
      {"|1|9|A~x|", false, {}},                 // value runs past the end
      {"|1|1|AB~x|", false, {}},                // length shorter than the key
      {"|1|3;3|A~x|", false, {}},
      {"|1|4|Ax|", false, {}},                  // no '~'
  };
  for (const Case& c : cases) {
    std::vector<DBDATAENTRY> out = {{"old", "entry"}};
    EXPECT_EQ(ParseDbEntries(c.text, out), c.ok) << c.text;
    ASSERT_EQ(out.size(), c.pairs.size()) << c.text;
    for (size_t i = 0; i < out.size(); ++i) {
      EXPECT_EQ(out[i].key, c.pairs[i].first) << c.text;
      EXPECT_EQ(out[i].value, c.pairs[i].second) << c.text;
    }
  }
}

TEST(RecipeModel, CopiesAreIndependentAndIndexTitlesFit) {
  REZBLOCK a;
  a.lines.push_back({"1", "kg", "Mehl", "", 0, 0});
  REZBLOCK b = a;
  b.lines[0].text = "Zucker";
  EXPECT_EQ(a.lines[0].text, "Mehl");

  REZINDEX e;
  e.SetTitle(std::string(59, 'x'));
  EXPECT_EQ(e.Title(), std::string(59, 'x'));
  EXPECT_EQ(e.title[59], '\0');
  e.SetTitle(std::string(80, 'y'));
  EXPECT_EQ(e.Title(), std::string(59, 'y'));
  e.SetTitle("ab");
  EXPECT_EQ(e.title[2], '\0');
  EXPECT_EQ(e.title[58], '\0');  // padded with zero bytes

  REZSTOFFMENGE s;
  std::snprintf(s.code, sizeof s.code, "%s", "ABCDEFG");
  EXPECT_STREQ(s.code, "ABCDEFG");
}

}  // namespace
}  // namespace tav
