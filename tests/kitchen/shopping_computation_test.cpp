// The buying list: scaling, merging, readable amounts and the order by dealer.
#include <gtest/gtest.h>

#include <random>

#include "kitchen/shopping/dealers.h"
#include "kitchen/shopping/shopping_computation.h"
#include "platform/numbers.h"
#include "recipedb/book_test_util.h"
#include "recipedb/recipe_records.h"
#include "services/amounts.h"
#include "services/context.h"
#include "support/test_env.h"

namespace tav {
namespace {

REZZUTAT Line(const char* amount, const char* unit, const char* text, bool notOnList = false) {
  REZZUTAT z;
  z.amount = amount;
  z.unit = unit;
  z.text = text;
  z.notOnShoppingList = notOnList ? 1 : 0;
  return z;
}

KAUFZETTEL Record(double recipeServings, double chosen, std::vector<REZZUTAT> lines) {
  KAUFZETTEL z;
  z.recipeServings = recipeServings;
  z.chosenServings = chosen;
  z.lines = std::move(lines);
  return z;
}

// Amount and "unit text" of each row.
using Shown = std::vector<std::pair<std::string, std::string>>;

Shown Rows(const std::vector<KAUFZETTEL>& records, const DealerTable* dealers = nullptr) {
  Shown out;
  for (const ShoppingRow& r :
       BuildZutatenListe(records, std::vector<bool>(records.size(), true), dealers))
    out.emplace_back(r[1], r[2]);
  return out;
}

class BuyingList : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    SetDecimalSep(',');
  }
  void TearDown() override { SetDecimalSep('.'); }
  test::TestEnv env;
};

TEST_F(BuyingList, AmountsAreScaledMergedAndMadeReadable) {
  struct Case {
    const char* what;
    std::vector<KAUFZETTEL> records;
    Shown rows;
  };
  const std::vector<Case> cases = {
      {"200 g for 4 bought for 2", {Record(4, 2, {Line("200", "g", "Mehl")})}, {{"100", "g Mehl"}}},
      {"250 g and 0,5 kg",
       {Record(4, 4, {Line("250", "g", "Zucker")}), Record(2, 2, {Line("0,5", "kg", "Zucker")})},
       {{"750", "g Zucker"}}},
      {"1 kg and 500 g: two decimals",
       {Record(4, 4, {Line("1", "kg", "Mehl"), Line("500", "g", "Mehl")})},
       {{"1,50", "kg Mehl"}}},
      {"a half twice",
       {Record(2, 2, {Line("1/2", "TL", "Salz"), Line("1/2", "TL", "Salz")})},
       {{"1", "TL Salz"}}},
      {"a quarter twice",
       {Record(2, 2, {Line("1/4", "TL", "Zimt"), Line("1/4", "TL", "Zimt")})},
       {{"1/2", "TL Zimt"}}},
      {"the same text in another unit",
       {Record(4, 4, {Line("2", "EL", "\xD6l"), Line("50", "g", "\xD6l")})},
       {{"2", "EL \xD6l"}, {"50", "g \xD6l"}}},
      {"1,5 EL for 4 bought for 8",
       {Record(4, 8, {Line("1,5", "EL", "Honig")})},
       {{"3", "EL Honig"}}},
      {"a fraction scaled", {Record(2, 4, {Line("1/2", "TL", "Pfeffer")})}, {{"1", "TL Pfeffer"}}},
      {"no amounts merge to no amount",
       {Record(4, 4, {Line("", "Pr", "Salz"), Line("", "Pr", "Salz")})},
       {{"", "Pr Salz"}}},
      {"words are no amounts",
       {Record(4, 2, {Line("etwas", "", "Petersilie")})},
       {{"etwas", "Petersilie"}}},
      {"an amount with a point that is no number stays as written",
       {Record(4, 2, {Line("ca. 2", "", "Eier"), Line("1", "", "Zitrone")})},
       {{"ca. 2", "Eier"}, {"1/2", "Zitrone"}}},
      {"a range scales at both ends",
       {Record(4, 8, {Line("2-3", "", "Tomaten")})},
       {{"4-6", "Tomaten"}}},
      {"a range halved", {Record(4, 2, {Line("2-3", "", "Zwiebeln")})}, {{"1-1,5", "Zwiebeln"}}},
      {"a range with blanks and a comma",
       {Record(4, 6, {Line("1,5 - 2", "EL", "Senf")})},
       {{"2,25-3", "EL Senf"}}},
      {"a range of fractions",
       {Record(2, 4, {Line("1/2-1", "TL", "Chili")})},
       {{"1-2", "TL Chili"}}},
      {"a range scaled to thirds keeps two decimals",
       {Record(3, 2, {Line("1-2", "", "Knoblauchzehen")})},
       {{"0,67-1,33", "Knoblauchzehen"}}},
      {"a range for the recipe's own servings stays as written",
       {Record(4, 4, {Line("2 - 3", "", "Zwiebeln")})},
       {{"2 - 3", "Zwiebeln"}}},
      {"a range is not merged with a number",
       {Record(4, 8, {Line("2-3", "", "Tomaten"), Line("1", "", "Tomaten")})},
       {{"4-6", "Tomaten"}, {"2", "Tomaten"}}},
      {"what only looks like a range stays as written",
       {Record(4, 8, {Line("2-3-4", "", "Nelken"), Line("ca. 2-3", "", "Eier"),
                      Line("-2", "", "Grad")})},
       {{"2-3-4", "Nelken"}, {"ca. 2-3", "Eier"}, {"-2", "Grad"}}},
      {"an amount that is no number is not merged into a number",
       {Record(4, 4, {Line("ca. 2", "", "Eier"), Line("3", "", "Eier")})},
       {{"ca. 2", "Eier"}, {"3", "Eier"}}},
      {"a unit without an amount keeps both empty amount and unit",
       {Record(4, 4, {Line("", "g", "Hefe"), Line("1", "", "Ei")})},
       {{"", "g Hefe"}, {"1", "Ei"}}},
      {"units without amounts merge, without an amount",
       {Record(4, 4, {Line("", "g", "Hefe"), Line("", "g", "Hefe"), Line("1", "", "Ei")})},
       {{"", "g Hefe"}, {"1", "Ei"}}},
      {"0,5 kg as the last line keeps kg",
       {Record(4, 4, {Line("0,5", "kg", "Butter")})},
       {{"1/2", "kg Butter"}}},
      {"0,5 kg before another line goes to g",
       {Record(4, 4, {Line("0,5", "kg", "Butter"), Line("1", "", "Ei")})},
       {{"500", "g Butter"}, {"1", "Ei"}}},
      {"headings and descriptions are no rows",
       {Record(4, 4, {Line("", "", "*F\xFCr den Teig"), Line("", "", "-gesiebt")})},
       {{"", GetLangText(220)}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Rows(c.records), c.rows) << c.what;
}

// The merge worked out the plain way, each line against every later one: the list must give
// exactly this, however it groups the lines. An amount that is no number ("-1") stands alone as
// written; an empty amount keeps its unit and joins only other empty ones.
bool PlainNumber(const std::string& amount) {
  return !amount.empty() && amount.find('-') == std::string::npos;
}

Shown ByThePlainMerge(std::vector<REZZUTAT> work) {
  auto base = [](std::string& amount, std::string& unit) {
    if (!amount.empty()) AmountToBaseUnit(amount, unit);
  };
  for (size_t i = 0; i < work.size(); ++i) {
    if (i + 1 == work.size()) continue;
    if (!work[i].amount.empty() && !PlainNumber(work[i].amount)) continue;
    REZZUTAT merged = work[i];
    base(merged.amount, merged.unit);
    for (size_t j = i + 1; j < work.size();) {
      std::string amount = work[j].amount, unit = work[j].unit;
      const bool joins = work[j].text == merged.text && amount.empty() == merged.amount.empty() &&
                         (amount.empty() || PlainNumber(amount));
      base(amount, unit);
      if (!joins || unit != merged.unit) {
        ++j;
        continue;
      }
      merged.amount = AddAmounts(merged.amount, amount);
      if (ReadNumber(merged.amount) == 0) merged.amount.clear();
      work.erase(work.begin() + static_cast<long>(j));
    }
    work[i] = std::move(merged);
  }
  Shown out;
  for (REZZUTAT& z : work) {
    if (PlainNumber(z.amount)) PrettyAmount(z.amount, z.unit);
    const bool decimals = z.amount.find_first_of(".,") != std::string::npos;
    out.emplace_back(decimals ? FormatNumberText(z.amount, 2) : z.amount,
                     z.unit.empty() ? z.text : z.unit + " " + z.text);
  }
  return out;
}

// Two thousand recipes' lines of a few ingredients in mixed units (some that cancel out, some
// that cannot be added) come out merged as the plain merge does it.
TEST_F(BuyingList, ManyRecipesMergeAsThePlainMergeDoes) {
  const std::vector<const char*> texts = {"Mehl", "Zucker", "Milch", "Eier", "Salz", "Butter"};
  const std::vector<const char*> units = {"g", "kg", "l", "ml", "EL", "", "Pr"};
  const std::vector<const char*> amounts = {"1", "250", "1/2", "1,5", "", "-1", "2 1/2"};
  std::mt19937 gen(20261211);
  std::vector<KAUFZETTEL> records;
  std::vector<REZZUTAT> all;
  for (int r = 0; r < 2000; ++r) {
    std::vector<REZZUTAT> lines;
    for (int k = 0; k < 3; ++k)
      lines.push_back(Line(amounts[gen() % amounts.size()], units[gen() % units.size()],
                           texts[gen() % texts.size()]));
    all.insert(all.end(), lines.begin(), lines.end());
    records.push_back(Record(4, 4, lines));
  }
  EXPECT_EQ(Rows(records), ByThePlainMerge(all));
  // The last line alone keeps what it was collected as.
  EXPECT_EQ(Rows({Record(4, 4, {Line("500", "g", "Mehl"), Line("1", "kg", "Zucker")})}),
            ByThePlainMerge({Line("500", "g", "Mehl"), Line("1", "kg", "Zucker")}));
}

// The list's recipes found by a map made once per book read what the store's lookup by key
// reads: from the open book and from another book, a number that is not there included.
TEST(ShoppingRecipes, TheIndexedReaderReadsWhatTheStoreReadsByKey) {
  test::BookEnv b("Backbuch");
  const auto recipe = [](const std::string& title, const char* text) {
    REZBLOCK r;
    ClearRezBlock(r);
    r.title = title;
    r.servings = 4;
    r.lines = {Line("250", "g", text)};
    return r;
  };
  KBOOK soups;
  soups.name = "Suppen";
  ASSERT_TRUE(b.books.CreateKBook(soups));
  ctx().options->SetParaString(6, "Suppen");
  b.books.SelectKBook("Suppen");
  b.store.ReloadBookIndex();
  for (int i = 0; i < 5; ++i) {
    REZBLOCK r = recipe("Linsensuppe " + std::to_string(i), "Linsen");
    b.AddRecipe(r);
  }
  const int16_t soupId = b.store.BookId();
  ctx().options->SetParaString(6, "Backbuch");
  b.books.SelectKBook("Backbuch");
  b.store.ReloadBookIndex();
  for (int i = 0; i < 20; ++i) {
    REZBLOCK r = recipe("Apfelkuchen " + std::to_string(i), "Mehl");
    b.AddRecipe(r);
  }
  const int16_t cakeId = b.store.BookId();
  ASSERT_NE(cakeId, soupId);
  const RecipeReader read = IndexedRecipeReader(b.store);
  for (const auto& [book, number] :
       std::vector<std::pair<int16_t, int32_t>>{{cakeId, 1},
                                                {cakeId, 20},
                                                {cakeId, 7},
                                                {cakeId, 99},
                                                {soupId, 3},
                                                {soupId, 5},
                                                {soupId, 6},
                                                {soupId, 1},
                                                {int16_t{-12345}, 1}}) {
    SCOPED_TRACE(std::to_string(book) + "/" + std::to_string(number));
    REZBLOCK byMap, byKey;
    const bool found = read(book, number, byMap);
    EXPECT_EQ(found, b.store.ReadRezBlockByKey(book, number, byKey));
    EXPECT_EQ(byMap.title, byKey.title);
    ASSERT_EQ(byMap.lines.size(), byKey.lines.size());
    if (found) {
      EXPECT_EQ(byMap.lines[0].text, byKey.lines[0].text);
    }
  }
}

TEST_F(BuyingList, MarksAndHiddenColumns) {
  const std::vector<KAUFZETTEL> records = {
      Record(4, 4, {Line("1", "St", "Zitrone"), Line("2", "EL", "Mehl", true)})};
  const auto rows = BuildZutatenListe(records, {true}, nullptr);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][3], GetLangText(223));
  EXPECT_EQ(rows[1][3], GetLangText(225));  // still listed, marked not to buy
  EXPECT_EQ(rows[1][4], "");
  EXPECT_EQ(rows[1][5], "0");
  EXPECT_EQ(rows[1][6], "Mehl");
  // Nothing ticked: the one row that says so.
  const auto none = BuildZutatenListe(records, {false}, nullptr);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(none[0][1], "");
  EXPECT_EQ(none[0][2], GetLangText(220));
  EXPECT_EQ(none[0][3], "");
}

TEST_F(BuyingList, RowsComeByDealerInVisitingOrderThenTheRest) {
  DealerTable dealers;
  dealers.dealers = {{"Wochenmarkt", 0, {"Lauch", "Salat"}},
                     {"B\xE4"
                      "cker",
                      1,
                      {}},
                     {"Metzger", 2, {"Speck"}}};
  const std::vector<KAUFZETTEL> records = {
      Record(4, 4,
             {Line("100", "g", "Speck"), Line("1", "", "Zwiebel"), Line("1", "St", "Salat"),
              Line("2", "St", "Lauch"), Line("200", "ml", "Sahne")})};
  const auto rows = BuildZutatenListe(records, {true}, &dealers);
  std::vector<std::string> order, dealer, position;
  for (const ShoppingRow& r : rows) {
    order.push_back(r[6]);
    dealer.push_back(r[4]);
    position.push_back(r[5]);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Salat", "Lauch", "Speck", "Zwiebel", "Sahne"}));
  EXPECT_EQ(dealer, (std::vector<std::string>{"Wochenmarkt", "Wochenmarkt", "Metzger", "", ""}));
  EXPECT_EQ(position, (std::vector<std::string>{"1", "1", "3", "0", "0"}));
}

TEST_F(BuyingList, RecipesAreReadWithTheirServingsAndAMissingOneIsSaidOnce) {
  std::vector<KAUFLIST> entries = {
      {"Gulasch", -2, 1, -1}, {"Verloren", -2, 2, 3}, {"Suppe", -2, 3, 0}};
  std::vector<KAUFZETTEL> records;
  BuildKaufZettel(entries, records);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].listed, 1);
  ReadZettelRecipes(records, [](int16_t, int32_t number, REZBLOCK& out) {
    if (number == 2) return false;
    out.servings = 6;
    out.servingType = "Personen";
    out.lines = {Line("600", "g", "Rindfleisch")};
    return true;
  });
  EXPECT_EQ(records[0].chosenServings, 6);  // -1: the recipe's own
  EXPECT_EQ(records[0].servingKind, "Personen");
  EXPECT_EQ(records[1].missing, 1);
  EXPECT_TRUE(records[1].lines.empty());
  EXPECT_EQ(records[1].recipeServings, 0);
  EXPECT_EQ(records[2].chosenServings, 0);  // 0 portions count
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(218) + "Verloren" + GetLangText(219));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
}

}  // namespace
}  // namespace tav
