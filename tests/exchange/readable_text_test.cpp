#include <gtest/gtest.h>

#include <cstdlib>

#include "exchange/readable_text_writer.h"
#include "export_test_support.h"
#include "recipedb/recipe_records.h"

namespace tav {
namespace {

using test::Ansi;

// A key figure of the readable text (kind 2).
PARA_SHOWDATA TextFigure(int32_t id, const char* label = nullptr, const char* code = "") {
  return test::Figure(kKeyFiguresText, id, label, code);
}

// Two groups (an odd and an even block), a description line on each side, an umlaut heading,
// a text longer than its column, a long preparation text, remarks of two authors and every
// kind of key figure line.
REZBLOCK GroupsRecipe() {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = Ansi("Zwiebelkuchen nach Großmutters Art");
  r.recipeIdHigh = 2011;
  r.recipeIdLow = -77;
  r.quality = '3';
  r.difficulty = '2';
  const uint16_t cats[] = {7, 4, 15, 10, 13, 2, 3};
  for (int i = 0; i < 7; ++i) r.categories[i == 6 ? 9 : i] = cats[i];
  r.servings = 12;
  r.servingType = Ansi("Stücke");
  r.createdBy = Ansi("Jürgen Weiß");
  r.source = Ansi(
      "Aus dem handgeschriebenen Kochbuch meiner Großmutter, Seite 112, mit Anmerkungen von "
      "Tante Erika");
  r.totalTime = "90";
  r.hint = Ansi("Herbst, Federweißer");
  r.lines = {{"", "", Ansi("*Für den Teig"), "", 0, 0},
             {"500", "g", "Mehl", "", 0, 0},
             {"1", "Wf", "Hefe", "", 0, 0},
             {"", "", "-frisch", "", 0, 0},
             {"250", "ml", Ansi("lauwarme Milch oder halb Wasser, halb Milch"), "", 0, 0},
             {"1/2", "TL", "Salz", "", 0, 0},
             {"", "", Ansi("*Für den Belag"), "", 0, 0},
             {"1,5", "kg", "Zwiebeln", "", 0, 0},
             {"150", "g", Ansi("Speckwürfel"), "", 0, 0},
             {"4", "", "Eier", "", 0, 0},
             {"200", "g", "saure Sahne", "", 0, 0}};
  r.text = Ansi(
      "Aus Mehl, Hefe, Milch und Salz einen glatten Hefeteig kneten und zugedeckt eine Stunde "
      "gehen lassen.\r\n\r\nDie Zwiebeln in Ringe schneiden und mit dem Speck glasig dünsten. "
      "Abkühlen lassen, Eier und Sahne unterrühren.\r\n:Danach bei 200 Grad backen.");
  r.remarks = {{"Schmeckt lauwarm am besten.", "Tavolin!-Benutzer"},
               {Ansi("Mit Kümmel bestreuen."), "Erika"},
               {"", "Leer"}};
  r.nutrients = {test::Nutrient("GCAL", "4800")};
  return r;
}

class ReadableText : public ::testing::Test {
 protected:
  void SetUp() override {
    e.figures.keyFigures = {TextFigure(kFigureServings),
                            TextFigure(kFigureCategories),
                            TextFigure(kFigureKeywords, "Stichworte"),
                            TextFigure(kFigureSource),
                            TextFigure(kFigureTotalTime),
                            TextFigure(kFigureCreatedBy),
                            TextFigure(kFigureRecipeId),
                            TextFigure(kFigureEnergy),
                            TextFigure(kFigureQuality),
                            TextFigure(kFigureDifficulty),
                            TextFigure(kFigureBookName),
                            TextFigure(kFigureAllRemarks)};
  }
  std::string ExportBytes(uint8_t set, const std::string& name) {
    e.Export(kFormatText, set, name);
    const std::string bytes = test::ReadAll(e.Path(name));
    if (std::getenv("TAVOLIN_WRITE_GOLDEN") && name.find("_cp1252") != std::string::npos)
      test::WriteAll(test::Fixture(name), bytes);
    return bytes;
  }
  // The lines of one recipe written alone into the clipboard text, without the trailer.
  std::string Rows(const std::vector<REZZUTAT>& lines) {
    REZBLOCK r;
    ClearRezBlock(r);
    r.title = "T";
    r.lines = lines;
    e.exporter.keyFigures = nullptr;
    e.exporter.Format = kFormatText;
    e.exporter.ClipText.clear();
    e.exporter.Ziel = kTargetClipboard;
    e.exporter.ListExport = false;
    WriteReadableText(e.exporter, r);
    const std::string text = e.exporter.ClipText;
    e.exporter.keyFigures = &e.figures;
    // Without the title block (empty line, " T", empty line) and the three empty lines after
    // the ingredients (before the text, before and after the key figures).
    return text.substr(8, text.size() - 8 - 6);
  }
  test::ExportEnv e;
};

TEST_F(ReadableText, TwoRecipesInTwoColumnsWithTheirFiguresDashesAndTrailer) {
  REZBLOCK second = test::PlainRecipe(2);
  second.recipeIdHigh = 5;
  second.recipeIdLow = 6;
  e.AddRecipes({GroupsRecipe(), second});
  EXPECT_EQ(ExportBytes(kSetAll, "readable_text_two_recipes_cp1252.txt"),
            test::ReadAll(test::Fixture("readable_text_two_recipes_cp1252.txt")));
}

TEST_F(ReadableText, IngredientRowsReadDownTheLeftColumnFirst) {
  auto line = [](const char* amount, const char* unit, const char* text) {
    return REZZUTAT{amount, unit, text, "", 0, 0};
  };
  const std::string five = Rows({line("1", "", "a"), line("2", "", "b"), line("3", "", "c"),
                                 line("4", "", "d"), line("5", "", "e")});
  EXPECT_EQ(five,
            "      1    a                                4    d\r\n"
            "      2    b                                5    e\r\n"
            "      3    c                          \r\n");
  // One ingredient: a left item alone, filled to 38 columns.
  EXPECT_EQ(Rows({line("1", "EL", "Zucker")}), "      1 EL Zucker                     \r\n");
  // Two headings in a row, and a heading as the last line: heading lines, no rows between.
  EXPECT_EQ(Rows({line("", "", "*eins"), line("", "", "*zwei"), line("1", "g", "x"),
                  line("", "", "*drei")}),
            " EINS\r\n\r\n ZWEI\r\n      1  g x                          \r\n\r\n DREI\r\n");
  // A long left text pushes the right item; a description is eleven blanks and its text.
  EXPECT_EQ(
      Rows({line("100", "g", "eine sehr lange Zutatenbeschreibung"), line("", "", "-fein")}),
      "    100  g eine sehr lange Zutatenbeschreibung           fein                       \r\n");
}

TEST_F(ReadableText, Option32LeavesOnlyTheServingsAndCategoryLines) {
  e.AddRecipes({GroupsRecipe()});
  ctx().options->SetParaBool(32, true);
  const std::string text = ExportBytes(kSetAll, "ohne_kenndaten.txt");
  EXPECT_NE(text.find(":Portionen: 12 "), std::string::npos);
  EXPECT_NE(text.find(":Gattungen: Kuchen, Hauptgerichte"), std::string::npos);
  for (const char* gone : {":Stichworte", ":Quelle", ":Erfasser", ":Danach", ":Energie"})
    EXPECT_EQ(text.find(gone), std::string::npos) << gone;
}

TEST_F(ReadableText, OneRecipeEndsWithAnEmptyLineAndOption36DropsTheTrailer) {
  e.AddRecipes({test::PlainRecipe(1)});
  e.exporter.list = e.AllRows();
  e.exporter.list.selected[0] = 1;
  e.exporter.list.currentRow = 0;
  std::string text = ExportBytes(kSetCurrent, "eins.txt");
  // The current recipe written as readable text goes to the lexicon; a list export does not.
  EXPECT_EQ(e.exporter.toLexicon, std::vector<std::string>{"Rezept 00001"});
  ExportBytes(kSetAll, "alle.txt");
  EXPECT_EQ(e.exporter.toLexicon.size(), 1u);
  const std::string trailer = GetLangText(129) + "1.00";
  EXPECT_EQ(text.substr(text.size() - trailer.size() - 6), "\r\n\r\n" + trailer + "\r\n");
  EXPECT_EQ(text.find("-----"), std::string::npos);
  ctx().options->SetParaBool(36, true);
  text = ExportBytes(kSetCurrent, "eins.txt");
  EXPECT_EQ(text.find(GetLangText(129)), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 10), ": Ziel\r\n\r\n");  // the book, the empty line
  // Another format never gets the trailer line.
  ctx().options->SetParaBool(36, false);
  e.Export(kFormatRezKonv, kSetCurrent, "eins.rk");
  EXPECT_EQ(test::ReadAll(e.Path("eins.rk")).find(GetLangText(129)), std::string::npos);
}

TEST_F(ReadableText, ServingsZeroAndFiveOrSevenCategories) {
  REZBLOCK r = test::PlainRecipe(1);
  r.servings = 0;
  for (int i = 0; i < 5; ++i) r.categories[i] = static_cast<uint16_t>(i + 1);
  REZBLOCK seven = test::PlainRecipe(2);
  seven.categories[0] = 0;
  for (int i = 0; i < 7; ++i) seven.categories[i + 3] = static_cast<uint16_t>(i + 1);
  e.AddRecipes({r, seven});
  e.figures.keyFigures = {TextFigure(kFigureServings), TextFigure(kFigureCategories, "Gat")};
  const std::string text = ExportBytes(kSetAll, "gattungen.txt");
  EXPECT_NE(text.find(":Portionen: 0 Portionen\r\n"), std::string::npos);
  EXPECT_NE(text.find(":Gat: Vorspeisen, Suppen, Salate, Hauptgerichte, Beilagen\r\n\r\n"),
            std::string::npos);
  // Slots 3 to 9: five names, then the two more under them.
  EXPECT_NE(text.find(":Gat: Vorspeisen, Suppen, Salate, Hauptgerichte, Beilagen\r\n"
                      "   Desserts, Kuchen\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tav
