#include "recipes/key_figure_choice.h"

#include <gtest/gtest.h>

#include "nutrients/nutrient_table.h"
#include "platform/paths.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

// German texts, options and the shipped nutrient table.
class KeyFigureFile : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
    nutrients.ReadFieldsFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/Fields.bls");
    ctx().nutrients = &nutrients;
  }
  std::string File() const { return env.DataFolder() + "DE/Kenndaten.dat"; }

  test::TestEnv env;
  NutrientTable nutrients;
  KeyFigureChoice choice;
};

TEST_F(KeyFigureFile, ReadsAndWritesByteForByte) {
  // Every line form the writer makes: a general figure, a nutrient with and without an
  // alternative text, an alternative text holding the separator.
  const std::string bytes =
      "0|0|\r\n0|5|\r\n2|-1|GCAL|Energie\r\n0|-1|ZF\r\n3|15|\r\n1|21||Buch|Band\r\n";
  test::WriteAll(File(), bytes);
  ASSERT_TRUE(choice.ReadKenndaten());
  ASSERT_EQ(choice.CountKeyFigures(), 6);
  const PARA_SHOWDATA& energy = *choice.GetKeyFigure(2);
  EXPECT_EQ(energy.outputKind, 2);
  EXPECT_EQ(energy.figureId, -1);
  EXPECT_EQ(energy.stoffCode, "GCAL");
  EXPECT_EQ(energy.displayName, "Energie (kcal)");
  EXPECT_EQ(energy.altText, "Energie");
  EXPECT_EQ(choice.GetKeyFigure(1)->displayName, GetLangText(544));  // total time
  EXPECT_EQ(choice.GetKeyFigure(1)->stoffCode, "");
  EXPECT_EQ(choice.GetKeyFigure(3)->displayName, "Fett");
  EXPECT_EQ(choice.GetKeyFigure(3)->altText, "");
  EXPECT_EQ(choice.GetKeyFigure(5)->displayName, GetLangText(692));
  EXPECT_EQ(choice.GetKeyFigure(5)->altText, "Buch|Band");
  EXPECT_EQ(choice.GetKeyFigure(6), nullptr);

  ASSERT_TRUE(choice.SaveKenndaten());
  EXPECT_EQ(test::ReadAll(File()), bytes);
}

TEST_F(KeyFigureFile, LinesThatEndOrAreSkipped) {
  // A line without the id's closing '|' is skipped; an empty line ends the list, and so does
  // any line whose second character is not '|'. LF line ends read as well.
  test::WriteAll(File(), "0|1|\n0|7\n0|-1|XYZ|\n\n0|2|\n");
  ASSERT_TRUE(choice.ReadKenndaten());
  ASSERT_EQ(choice.CountKeyFigures(), 2);
  EXPECT_EQ(choice.GetKeyFigure(0)->figureId, 1);
  EXPECT_EQ(choice.GetKeyFigure(1)->displayName, "?");  // a code the nutrient table lacks
  EXPECT_EQ(choice.GetKeyFigure(1)->stoffCode, "XYZ");

  test::WriteAll(File(), "0|1|\r\n01|2|\r\n0|3|\r\n");
  ASSERT_TRUE(choice.ReadKenndaten());
  EXPECT_EQ(choice.CountKeyFigures(), 1);

  // A line of no output kind is skipped; saving then keeps every figure after it.
  test::WriteAll(File(), "0|1|\r\n||GCAL|Energie\r\n7|2|\r\n1|3|\r\n");
  ASSERT_TRUE(choice.ReadKenndaten());
  ASSERT_EQ(choice.CountKeyFigures(), 2);
  ASSERT_TRUE(choice.SaveKenndaten());
  ASSERT_TRUE(choice.ReadKenndaten());
  ASSERT_EQ(choice.CountKeyFigures(), 2);
  EXPECT_EQ(choice.GetKeyFigure(1)->outputKind, 1);
  EXPECT_EQ(choice.GetKeyFigure(1)->figureId, 3);

  // Ids outside 0-21 are kept as they are, named "?", so a save does not lose them.
  test::WriteAll(File(), "0|40|\r\n");
  ASSERT_TRUE(choice.ReadKenndaten());
  ASSERT_EQ(choice.CountKeyFigures(), 1);
  EXPECT_EQ(choice.GetKeyFigure(0)->displayName, "?");
  ASSERT_TRUE(choice.SaveKenndaten());
  EXPECT_EQ(test::ReadAll(File()), "0|40|\r\n");
}

TEST_F(KeyFigureFile, MissingFileKeepsTheListAndAFailedWriteChangesNothing) {
  choice.AddKeyFigure(choice.MakeGeneralFigure(kFigureCosts));
  EXPECT_FALSE(choice.ReadKenndaten());
  EXPECT_EQ(choice.CountKeyFigures(), 1);

  // A folder in the file's place: the write fails with message 528 and nothing is replaced.
  ASSERT_TRUE(MakeDirs(File()));
  EXPECT_FALSE(choice.SaveKenndaten());
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(528));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
  EXPECT_TRUE(DirExists(File()));
  EXPECT_EQ(choice.CountKeyFigures(), 1);
}

TEST_F(KeyFigureFile, ShippedChoicesReadInBothLanguages) {
  for (const char* lang : {"DE", "EN"}) {
    const std::string shipped =
        test::ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/Kenndaten.dat");
    ASSERT_FALSE(shipped.empty()) << lang;
    test::WriteAll(File(), shipped);
    ASSERT_TRUE(choice.ReadKenndaten());
    EXPECT_FALSE(choice.FiguresOfKind(kKeyFiguresScreen).empty()) << lang;
    for (int kind = 0; kind < 4; ++kind) EXPECT_NE(choice.GetRemarkShowMode(kind), 0) << kind;
    for (const PARA_SHOWDATA& f : choice.keyFigures) EXPECT_NE(f.displayName, "?") << lang;
    ASSERT_TRUE(choice.SaveKenndaten());
    EXPECT_EQ(test::ReadAll(File()), shipped) << lang;
  }
}

TEST(KeyFigureChoice, RemarkModeByKind) {
  test::TestEnv env;
  struct Case {
    std::vector<std::pair<int, int>> figures;  // kind, id
    int kind;
    int mode;
  };
  const Case cases[] = {
      {{}, 0, 0},
      {{{0, 16}}, 0, 16},
      {{{0, 16}, {0, 15}}, 0, 15},
      {{{3, 15}, {3, 16}}, 3, 15},
      {{{3, 15}, {0, 16}}, 0, 16},
      {{{1, 15}}, 0, 0},
  };
  for (const Case& c : cases) {
    KeyFigureChoice choice;
    for (auto [kind, id] : c.figures) {
      choice.currentKind = kind;
      choice.AddKeyFigure(choice.MakeGeneralFigure(id));
    }
    EXPECT_EQ(choice.GetRemarkShowMode(c.kind), c.mode) << c.figures.size() << " " << c.kind;
  }
}

TEST(KeyFigureChoice, AddingDroppingAndSwapping) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  KeyFigureChoice choice;
  EXPECT_EQ(choice.AddKeyFigure(choice.MakeGeneralFigure(kFigureServings)), 0);
  EXPECT_EQ(choice.AddKeyFigure(choice.MakeGeneralFigure(kFigureServings)), -1);
  EXPECT_EQ(choice.AddKeyFigure(choice.MakeNutrientFigure("ZF", "Fett")), 1);
  EXPECT_EQ(choice.AddKeyFigure(choice.MakeNutrientFigure("ZE", "Eiwei\xDF")), 2);
  choice.currentKind = kKeyFiguresPrint;  // the same figure may be chosen for another kind
  EXPECT_EQ(choice.AddKeyFigure(choice.MakeGeneralFigure(kFigureServings)), 3);
  EXPECT_EQ(choice.FiguresOfKind(0), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(choice.FiguresOfKind(3), (std::vector<int>{3}));
  auto ids = [&] {
    std::vector<std::string> out;
    for (const PARA_SHOWDATA& f : choice.keyFigures)
      out.push_back(f.figureId < 0 ? f.stoffCode : std::to_string(f.figureId));
    return out;
  };

  // Moving the last figure before the first; the old copy goes.
  EXPECT_EQ(choice.DropKeyFigure(2, PARA_SHOWDATA(), 0), 0);
  EXPECT_EQ(ids(), (std::vector<std::string>{"ZE", "0", "ZF", "0"}));
  // Moving the first to the end (no node under the drop point).
  EXPECT_EQ(choice.DropKeyFigure(0, PARA_SHOWDATA(), -1), 3);
  EXPECT_EQ(ids(), (std::vector<std::string>{"0", "ZF", "0", "ZE"}));
  // From a source list: inserted before the node, not when the list holds it already.
  choice.currentKind = 0;
  EXPECT_EQ(choice.DropKeyFigure(-1, choice.MakeGeneralFigure(kFigureCosts), 1), 1);
  EXPECT_EQ(choice.DropKeyFigure(-1, choice.MakeNutrientFigure("ZF", "Fett"), 0), -1);
  EXPECT_EQ(ids(), (std::vector<std::string>{"0", "3", "ZF", "0", "ZE"}));

  EXPECT_TRUE(choice.SwapKeyFigures(0, 1));
  EXPECT_FALSE(choice.SwapKeyFigures(0, 5));
  choice.RemoveKeyFigure(2);
  choice.RemoveKeyFigure(9);
  EXPECT_EQ(ids(), (std::vector<std::string>{"3", "0", "0", "ZE"}));

  PARA_SHOWDATA f = choice.MakeGeneralFigure(kFigureEnergy);
  EXPECT_EQ(KeyFigureChoice::TreeText(f), GetLangText(569));
  f.altText = "kcal";
  EXPECT_EQ(KeyFigureChoice::TreeText(f), GetLangText(569) + " (\"kcal\")");
}

TEST(KeyFigureChoice, NamesOfTheGeneralFigures) {
  EXPECT_EQ(KeyFigureNameText(0), 539);
  EXPECT_EQ(KeyFigureNameText(17), 556);
  EXPECT_EQ(KeyFigureNameText(18), 569);
  EXPECT_EQ(KeyFigureNameText(19), 690);
  EXPECT_EQ(KeyFigureNameText(21), 692);
  EXPECT_EQ(KeyFigureNameText(22), -1);
  EXPECT_EQ(KeyFigureNameText(-1), -1);
}

}  // namespace
}  // namespace tav
