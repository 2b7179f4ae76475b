// Ingredient lines as the editor's line list and chooser work on them: blocks of an ingredient
// and its description lines, moving and deleting them, the list texts, unit codes in brackets
// and the lines an ingredient entry becomes.
#include "recipes/ingredient_lines.h"

#include <gtest/gtest.h>

#include "recipedb/unit_table.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

REZBLOCK Lines(std::initializer_list<const char*> texts) {
  REZBLOCK r;
  for (const char* t : texts) r.lines.push_back({"1", "EL", t, "", 0, 0});
  r.lineCount = static_cast<int32_t>(r.lines.size());
  return r;
}

std::string Texts(const REZBLOCK& r) {
  std::string out;
  for (const REZZUTAT& l : r.lines) out += (out.empty() ? "" : "|") + l.text;
  return out;
}

TEST(LineBlocks, AnIngredientOwnsTheDescriptionsBelowIt) {
  const REZBLOCK r = Lines({"-vorweg", "Mehl", "-gesiebt", "-fein", "*Belag", "Zwiebeln"});
  struct Case {
    int at, first, last;
  };
  for (const Case c :
       {Case{0, 0, 0}, Case{1, 1, 3}, Case{2, 1, 3}, Case{3, 1, 3}, Case{4, 4, 4}, Case{5, 5, 5}}) {
    int first = c.at, last = -7;
    FindLineBlock(r, first, last);
    EXPECT_EQ(first, c.first) << c.at;
    EXPECT_EQ(last, c.last) << c.at;
  }
  int first = -1, last = -7;
  FindLineBlock(r, first, last);
  EXPECT_EQ(first, -1);
  EXPECT_EQ(last, -7) << "nothing happens for no line";
  first = 6;
  FindLineBlock(r, first, last);
  EXPECT_EQ(last, -7);
}

TEST(LineBlocks, DeletingAndOpeningAGapKeepTheLineCount) {
  REZBLOCK r = Lines({"Mehl", "-gesiebt", "Zucker", "Salz"});
  EXPECT_EQ(DeleteLineBlock(r, 1), 0);
  EXPECT_EQ(Texts(r), "Zucker|Salz");
  EXPECT_EQ(r.lineCount, 2);
  EXPECT_EQ(DeleteLineBlock(r, 5), -1);
  InsertLineGap(r, 1, 2);
  EXPECT_EQ(r.lineCount, 4);
  EXPECT_EQ(r.lines[3].text, "Salz") << "the lines after the gap moved down";
  StoreLineAt(r, 1, {"", "", "Ei", "", 0, 0});
  StoreLineAt(r, 2, {"", "", "-verquirlt", "", 0, 0});
  StoreLineAt(r, -1, {"", "", "Milch", "", 0, 0});
  EXPECT_EQ(Texts(r), "Zucker|Ei|-verquirlt|Salz|Milch");
  EXPECT_EQ(r.lineCount, 5);
}

TEST(LineBlocks, BlocksMoveAsAWhole) {
  REZBLOCK r = Lines({"A", "-a", "B", "-b1", "-b2", "C"});
  // Down from the description of A: A and its line go below B's block of three.
  EXPECT_EQ(MoveLineBlockDown(r, 1), 4);
  EXPECT_EQ(Texts(r), "B|-b1|-b2|A|-a|C");
  // Up over a block of three lines changes the position by three.
  EXPECT_EQ(MoveLineBlockUp(r, 3), 0);
  EXPECT_EQ(Texts(r), "A|-a|B|-b1|-b2|C");
  EXPECT_EQ(MoveLineBlockUp(r, 0), 0) << "the first block stays";
  EXPECT_EQ(MoveLineBlockDown(r, 5), 5) << "the last block stays";
  EXPECT_EQ(MoveLineBlockDown(r, 3), 4);
  EXPECT_EQ(Texts(r), "A|-a|C|B|-b1|-b2");
}

TEST(LineBlocks, ListTexts) {
  EXPECT_EQ(IngredientListText({"2", "EL", "Zucker", "", 0, 0}), "2\tEL\tZucker");
  EXPECT_EQ(IngredientListText({"", "", "Salz", "", 0, 0}), "\t\tSalz");
  EXPECT_EQ(IngredientListText({"", "", "*Teig", "", 0, 0}), "----- Teig -----");
  EXPECT_EQ(IngredientListText({"", "", "-gesiebt", "", 0, 0}), "\t\tgesiebt");
}

TEST(BracketUnitCode, CodesOfOneToThreeCharacters) {
  struct Case {
    const char* field;
    const char* code;  // null: none
  };
  for (const Case c :
       {Case{"Messerspitze [Msp]", "Msp"}, Case{"Gramm [g]", "g"}, Case{"Gramm [g  ]", "g"},
        Case{"Essl\xF6"
             "ffel [EL] ",
             "EL"},
        Case{"[Btl]", "Btl"}, Case{"Dose [ABCD]", nullptr}, Case{"Dose []", nullptr},
        Case{"x [EL] y", nullptr},
        Case{"Essl\xF6"
             "ffel",
             nullptr}}) {
    std::string code = "?";
    EXPECT_EQ(BracketUnitCode(c.field, code), c.code != nullptr) << c.field;
    if (c.code) {
      EXPECT_EQ(code, c.code) << c.field;
    }
  }
}

class IngredientBlock : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
    test::WriteAll(env.Root() + "Data/DE/einheit.dat",
                   test::ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/einheit.dat"));
    ASSERT_TRUE(units.ReadEinheiten());
    units.SortEinheiten();
  }
  std::vector<REZZUTAT> Build(const char* unit, const char* ingredient,
                              const char* description = "", bool notOnList = false) {
    ChooserFields f;
    f.amount = "2";
    f.unit = unit;
    f.ingredient = ingredient;
    f.description = description;
    f.notOnShoppingList = notOnList;
    f.blsKey = "G480100";
    return BuildIngredientBlock(f, &units);
  }
  test::TestEnv env;
  UnitTable units;
};

TEST_F(IngredientBlock, ASemicolonStartsADescriptionLine) {
  const auto block = Build("", "Zwiebel; fein gehackt");
  ASSERT_EQ(block.size(), 2u);
  EXPECT_EQ(block[0].text, "Zwiebel");
  EXPECT_EQ(block[0].amount, "2");
  EXPECT_EQ(block[0].blsCode, "G480100");
  EXPECT_EQ(block[0].grams, 0);
  EXPECT_EQ(block[1].text, "-fein gehackt");
  EXPECT_TRUE(block[1].amount.empty());
  EXPECT_TRUE(block[1].blsCode.empty());
}

TEST_F(IngredientBlock, UnitsBecomeCodesAndOtherWordsStayWithTheIngredient) {
  struct Case {
    const char* unit;
    const char* code;
    const char* text;
  };
  for (const Case c : {Case{"Messerspitze [Msp]", "Msp", "Salz"},
                       Case{"Beutel [Btl]", "Btl", "Salz"}, Case{"el", "EL", "Salz"},
                       Case{"Essl\xF6"
                            "ffel",
                            "EL", "Salz"},
                       Case{"Prise", "Pr", "Salz"}, Case{"geh\xE4uft", "", "geh\xE4uft Salz"},
                       Case{"", "", "Salz"}}) {
    const auto block = Build(c.unit, "Salz");
    ASSERT_EQ(block.size(), 1u) << c.unit;
    EXPECT_EQ(block[0].unit, c.code) << c.unit;
    EXPECT_EQ(block[0].text, c.text) << c.unit;
  }
}

TEST_F(IngredientBlock, LongNamesAndDescriptionsWrap) {
  const auto block =
      Build("", "Tomaten aus dem eigenen Garten vom Strauch", "enth\xE4utet\r\ngew\xFCrfelt");
  ASSERT_EQ(block.size(), 4u);
  EXPECT_EQ(block[0].text, "Tomaten aus dem eigenen");
  EXPECT_EQ(block[1].text, "-Garten vom Strauch");
  EXPECT_EQ(block[2].text, "-enth\xE4utet");
  EXPECT_EQ(block[3].text, "-gew\xFCrfelt");
}

TEST_F(IngredientBlock, TheShoppingMarkerTakesRoomInTheFirstLine) {
  // 27 characters: they fit 28, but not the 26 left beside the "; " marker.
  const auto plain = Build("", "Zucker aus der Zuckerfabrik");
  ASSERT_EQ(plain.size(), 1u);
  const auto marked = Build("", "Zucker aus der Zuckerfabrik", "", true);
  ASSERT_EQ(marked.size(), 2u);
  EXPECT_EQ(marked[0].text, "Zucker aus der");
  EXPECT_EQ(marked[0].notOnShoppingList, 1);
  EXPECT_EQ(marked[1].text, "-Zuckerfabrik");
}

TEST_F(IngredientBlock, NoIngredientNoLine) {
  EXPECT_TRUE(Build("EL", "").empty());
  const auto marked = Build("", "", "", true);
  ASSERT_EQ(marked.size(), 1u);
  EXPECT_TRUE(marked[0].text.empty());
  EXPECT_EQ(HeadingLine("Teig").text, "*Teig");
}

TEST(BlockDescription, JoinsTheDescriptionLines) {
  const REZBLOCK r = Lines({"Mehl", "-gesiebt", "-fein", "Salz"});
  EXPECT_EQ(BlockDescription(r, 0, 2), "gesiebt\r\nfein");
  EXPECT_EQ(BlockDescription(r, 3, 3), "");
}

}  // namespace
}  // namespace tav
