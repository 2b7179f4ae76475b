// Lines that a reader takes for something else than what they are: an ingredient line with its
// own amount before dashes, an ingredient text that begins with a number or reads as a start
// line, a first text line shaped like an ingredient or a heading, a date line in a source
// block. Each is read from a fixture of the real shape, written in every format that is read
// back, and read again.
#include <gtest/gtest.h>

#include "exchange/import_fields.h"
#include "export_test_support.h"
#include "recipedb/recipe_records.h"
#include "services/text_tools.h"

namespace tav {
namespace {

using test::Ansi;
using test::ExpectLines;

// The formats that are read back, with a file name for each.
struct Format {
  uint8_t format;
  const char* name;
};
constexpr Format kReadBack[] = {
    {kFormatMealMaster, "zeilen.mm"}, {kFormatRezKonv, "zeilen.rk"}, {kFormatCookML, "zeilen.cml"}};

// The ingredient lines as a cook sees them: "amount|unit|text", a description as "-" and its
// words (the formats differ in the blank after the dash).
std::vector<std::string> Shown(const REZBLOCK& r) {
  std::vector<std::string> lines;
  for (const REZZUTAT& z : r.lines) {
    std::string text = z.text;
    if (!text.empty() && text[0] == '-' && z.amount.empty() && z.unit.empty())
      text = "-" + std::string(StripBlanks(SkipChars(text, 0, "-")));
    lines.push_back(z.amount + "|" + z.unit + "|" + text);
  }
  return lines;
}

// A recipe of two servings as a book holds it.
REZBLOCK Recipe(const char* title, std::vector<REZZUTAT> lines, const std::string& text) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = title;
  r.servings = 2;
  r.lines = std::move(lines);
  r.text = text;
  return r;
}

class LineShapes : public ::testing::Test {
 protected:
  void SetUp() override { e.ChooseFigures({{kFigureKeywords, "Stichwort"}}); }
  // The fixture imported and stored in "Ziel", which the exports write.
  std::vector<REZBLOCK> First(const char* fixture) {
    const std::vector<REZBLOCK> recipes = e.ImportInto(test::Fixture(fixture), "Quelle");
    Store(recipes);
    return e.Recipes("Ziel");
  }
  void Store(const std::vector<REZBLOCK>& recipes) {
    e.AddRecipes(recipes);
    e.exporter.list = e.AllRows();
  }
  // "Ziel" written in a format; the file's bytes.
  std::string Export(const Format& f) {
    e.Export(f.format, kSetAll, f.name);
    return test::ReadAll(e.Path(f.name));
  }
  // The file read back into a book of its own.
  std::vector<REZBLOCK> Again(const Format& f) { return e.ImportInto(e.Path(f.name), f.name); }
  // Every recipe exported in each format comes back with the same ingredient lines, text and
  // source.
  void ExpectEveryFormatCarries(const std::vector<REZBLOCK>& first) {
    for (const Format& f : kReadBack) {
      SCOPED_TRACE(f.name);
      Export(f);
      const std::vector<REZBLOCK> back = Again(f);
      ASSERT_EQ(back.size(), first.size());
      for (size_t i = 0; i < first.size(); ++i) {
        SCOPED_TRACE(first[i].title);
        EXPECT_EQ(Shown(back[i]), Shown(first[i]));
        EXPECT_EQ(back[i].text, first[i].text);
        std::string source = first[i].source;
        if (f.format == kFormatMealMaster) {  // its source block is 26 columns wide
          std::vector<std::string> pieces;
          WrapText(source, pieces, 0, 26);
          source.clear();
          for (const std::string& p : pieces) source += (source.empty() ? "" : "\r\n") + p;
        }
        EXPECT_EQ(back[i].source, source);
      }
    }
  }
  test::ExportEnv e;
};

// --- an ingredient line with its own amount before dashes -----------------------------------

// "3 Essl. -- davon abteilen" is three spoons set aside: an ingredient, read as one and written
// as one; "-- fein gewürfelt" without amount and unit describes the line above.
TEST_F(LineShapes, ALineWithItsOwnAmountBeforeDashesIsAnIngredient) {
  const std::vector<REZBLOCK> first = First("rezkonv_dash_text_with_its_own_amount.rk");
  ASSERT_EQ(first.size(), 1u);
  ExpectLines(first[0], {{"500", "g", "Rindergulasch"},
                         {"3", "EL", "Schweineschmalz"},
                         {"3", "EL", "Paprikapulver, edelsüß"},
                         {"1", "EL", "davon abteilen"},
                         {"2", "", "Zwiebeln"},
                         {"", "", "- fein gewürfelt"},
                         {"1", "l", "Fleischbrühe"},
                         {"1", "Pr", "oder mehr - Kümmel"}});
  ExpectEveryFormatCarries(first);
}

// Books hold such lines as the earlier import stored them ("- davon abteilen" after an amount
// and a unit): every writer writes an ingredient, and every reader reads one back.
TEST_F(LineShapes, AStoredLineWithAmountAndDashesGoesOutAsAnIngredient) {
  Store({Recipe("Gulasch",
                {{"3", "EL", "Paprikapulver", "", 0, 0},
                 {"1", "EL", "- davon abteilen", "", 0, 0},
                 {"", "", "-edels\xFC\xDF", "", 0, 0},
                 {"2", "", "-- Zwiebeln", "", 0, 0}},
                "Schmoren.")});
  const struct {
    Format f;
    std::vector<std::string> written;
  } cases[] = {
      {kReadBack[0], {"      1 T  davon abteilen", "           - edels\xFC\xDF", "      2    Zwiebeln"}},
      {kReadBack[1],
       {"      1        EL  - davon abteilen", "                   - edels\xFC\xDF",
        "      2            -- Zwiebeln"}},
      {kReadBack[2],
       {"<ingredient qty=\"1\" unit=\"EL\" item=\"- davon abteilen\">",
        "<inote>edels\xC3\xBC\xC3\x9F</inote>", "<ingredient qty=\"2\" item=\"-- Zwiebeln\"/>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.f.name);
    const std::string bytes = Export(c.f);
    for (const std::string& line : c.written)
      EXPECT_NE(bytes.find(line), std::string::npos) << line << "\n" << bytes;
    const std::vector<REZBLOCK> back = Again(c.f);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(Shown(back[0]), (std::vector<std::string>{"3|EL|Paprikapulver", "1|EL|davon abteilen",
                                                        "||-edels\xFC\xDF", "2||Zwiebeln"}));
  }
}

// --- an ingredient text that begins with a number ------------------------------------------

// Without amount and unit, "9 inch pie pan" is text: no format gives it back with 9 as its
// amount (which scaling the recipe would change), nor "250g Mehl" as 250 g.
TEST_F(LineShapes, TextThatBeginsWithANumberNeverBecomesAnAmount) {
  const std::vector<REZBLOCK> first = First("mealmaster_texts_beginning_with_numbers.mm");
  ASSERT_EQ(first.size(), 1u);
  ExpectLines(first[0], {{"2", "Tas", "Flour"},
                         {"", "", "4-5 carrots, cut into 1/2"},
                         {"", "", "-inch slices"},
                         {"", "", "9 inch pie pan"},
                         {"1", "TL", "Salt"},
                         {"", "", "7-Up to stretch it"},
                         {"", "", "250g Mehl"},
                         {"", "", "1/2 inch ginger, grated"}});
  const std::string rk = Export(kReadBack[1]);
  for (const char* line : {"\r\n                   9 inch pie pan\r\n",
                           "\r\n                   7-Up to stretch it\r\n"})
    EXPECT_NE(rk.find(line), std::string::npos) << line << "\n" << rk;
  ExpectEveryFormatCarries(first);
}

// --- the first text line ---------------------------------------------------------------------

// Numbered steps after the empty line that ends the ingredients are the text, also "1 Stunde
// ruhen lassen." after ingredients in their columns.
TEST_F(LineShapes, NumberedStepsAfterTheIngredientsAreText) {
  EXPECT_EQ(e.ImportFixture("mealmaster_numbered_steps_after_the_ingredients.mm"), 3);
  const std::vector<REZBLOCK> r = e.Recipes("Ziel");
  ASSERT_EQ(r.size(), 3u);
  ExpectLines(r[0], {{"250", "g", "Butter"}, {"200", "g", "Zucker"}, {"4", "", "Eier"}});
  EXPECT_EQ(r[0].text,
            "1. Alles vermengen.\n2. In eine gefettete Form geben.\n3. Bei 180 Grad 50 Minuten "
            "backen.");
  ExpectLines(r[1], {{"500", "g", "Mehl"}, {"1", "Pk", "Trockenhefe"}});
  EXPECT_EQ(r[1].text, "1) Teig kneten.\n2) Zu einem Zopf flechten.");
  ExpectLines(r[2], {{"250", "g", "Quark"}, {"1", "Bd", "Schnittlauch"}});
  EXPECT_EQ(r[2].text, "1 Stunde ruhen lassen.\nDann servieren.");
}

// Meal-Master files have ingredients after empty lines: a further group, two columns, or lines
// typed without columns in groups. They stay ingredients; a numbered step after them is text.
TEST_F(LineShapes, IngredientsAfterEmptyLinesStayIngredients) {
  EXPECT_EQ(e.ImportFixture("mealmaster_ingredients_after_empty_lines.mm"), 2);
  const std::vector<REZBLOCK> r = e.Recipes("Ziel");
  ASSERT_EQ(r.size(), 2u);
  // The left column of a block before its right column, as ever.
  ExpectLines(r[0], {{"6", "", "Eggs"},
                     {"1", "Tas", "Flour"},
                     {"1", "Tas", "Sugar"},
                     {"1/2", "Tas", "Cocoa"},
                     {"", "", "*FILLING"},
                     {"907", "g", "Sour cherries"},
                     {"946", "ml", "Whipping cream"},
                     {"1", "TL", "Vanilla"},
                     {"2", "EL", "Kirsch"}});
  EXPECT_EQ(r[0].text, "Beat the eggs with the sugar, fold in flour and cocoa.");
  ExpectLines(r[1], {{"500", "g", "Mehl"},
                     {"1", "Pk", "Trockenhefe"},
                     {"250", "ml", "Milch"},
                     {"200", "g", "Zucker"},
                     {"200", "g", "Butter"}});
  EXPECT_EQ(r[1].text,
            "1. Hefeteig kneten und ausrollen.\n2. Streusel darauf verteilen und backen.");
}

// A first text line that a reader would take for an ingredient or a heading, as real files
// have them: a "> Directions <" line framed by "=" signs, a line in the Meal-Master columns
// longer than the left column, numbered steps, a quoted line. Each goes out so that the reader
// takes it for text, and comes back as it was.
TEST_F(LineShapes, AFirstTextLineShapedLikeAnIngredientComesBackAsText) {
  std::vector<REZBLOCK> first = e.ImportInto(
      test::Fixture("mealmaster_directions_line_of_equals_signs.mm"), "Quelle");
  const std::vector<REZBLOCK> more =
      e.ImportInto(test::Fixture("rezkonv_first_text_lines_like_ingredients.rk"), "Quelle2");
  first.insert(first.end(), more.begin(), more.end());
  ASSERT_EQ(first.size(), 4u);
  EXPECT_EQ(first[0].text, "===================== > Directions < =====================\nCook the rice "
                           "in the milk until creamy, cool, fold in the beaten\negg whites and bake "
                           "in a water bath.");
  EXPECT_EQ(first[0].lines.size(), 3u);
  EXPECT_TRUE(first[1].text.starts_with(
      "2-2 1/2 tb very cold water The low-calorie rice pudding flan is so\n"));
  EXPECT_TRUE(first[2].text.starts_with("1. Alles vermengen.\n"));
  EXPECT_EQ(first[3].text, "1 Stunde ruhen lassen.\n> 1. Aus einer Mail: Teig ausrollen.");
  Store(first);
  const std::string mm = Export(kReadBack[0]);
  for (const char* line : {"\r\n\r\n 2-2 1/2 tb very cold water The low-calorie rice pudding flan",
                           "\r\n\r\n 1. Alles vermengen.\r\n", "\r\n\r\n 1 Stunde ruhen lassen.\r\n"})
    EXPECT_NE(mm.find(line), std::string::npos) << line << "\n" << mm;
  const std::string rk = Export(kReadBack[1]);
  EXPECT_NE(rk.find("\r\n\r\n> ===================== > Directions < =====================\r\n"),
            std::string::npos)
      << rk;
  ExpectEveryFormatCarries(first);
}

// Every shape a first text line can have that a reader takes for something else, written
// after an ingredient line in each format and read back: the text as it was, one ingredient.
TEST_F(LineShapes, EveryFirstTextLineReadsBackAsWritten) {
  const struct {
    const char* line;
    const char* rezKonv;  // what RezKonv gives back where it differs: it drops leading blanks
  } cases[] = {
      {"1. Teig kneten.", nullptr},
      {"1) Teig kneten.", nullptr},
      {"12 Stunden ruhen lassen.", nullptr},
      {"250g Mehl unterr\xFChren.", nullptr},
      {"2-2 1/2 tb very cold water The low-calorie rice pudding flan is so", nullptr},
      {"      2 tb water, ice cold", "2 tb water, ice cold"},
      {"----- Tipp -----", nullptr},
      {"MMMMM", nullptr},
      {"-----", nullptr},
      {"=====", nullptr},
      {"===== > Directions < =====", nullptr},
      {"= Schritt eins =", nullptr},
      {"==", nullptr},
      {"===QUELLE: Omas Heft===", nullptr},
      {"> 1. Teig kneten.", nullptr},
      {"> > ===== x", nullptr},
      {"MMMMM----- Recipe via Meal-Master (tm) v8.05", nullptr},
      {"========== REZKONV-Rezept - RezkonvSuite v1.4", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    test::ExportEnv local;
    local.ChooseFigures({});
    local.AddRecipes({Recipe("Erste Zeile", {{"500", "g", "Mehl", "", 0, 0}},
                             std::string(c.line) + "\r\nDann backen.")});
    local.exporter.list = local.AllRows();
    for (const Format& f : kReadBack) {
      SCOPED_TRACE(f.name);
      local.Export(f.format, kSetAll, f.name);
      const std::vector<REZBLOCK> back = local.ImportInto(local.Path(f.name), f.name);
      ASSERT_EQ(back.size(), 1u);
      ExpectLines(back[0], {{"500", "g", "Mehl"}});
      const char* want = f.format == kFormatRezKonv && c.rezKonv ? c.rezKonv : c.line;
      EXPECT_EQ(back[0].text, std::string(want) + "\nDann backen.");
    }
  }
}

// --- an ingredient text that reads as a start line -------------------------------------------

// "MMMMM----- Meal-Master Zutat" as an ingredient ended the recipe there and began another: the
// export read back had no ingredients and lost its last text line.
TEST_F(LineShapes, AnIngredientTextLikeAStartLineKeepsItsRecipeWhole) {
  const std::vector<REZBLOCK> first = First("cookml_ingredient_texts_like_start_lines.cml");
  ASSERT_EQ(first.size(), 2u);
  ExpectLines(first[0], {{"", "", "MMMMM----- Meal-Master Zutat"},
                         {"1", "", "===== REZKONV Zutat"},
                         {"2", "EL", "MMMMM----- Recipe via Meal-Master (tm) v8.05"},
                         {"", "", "> MMMMM----- Meal-Master Zutat"},
                         {"250", "g", "Quark"}});
  EXPECT_EQ(first[0].text, "Alles verr\xFChren.\nKalt servieren.");
  const std::string mm = Export(kReadBack[0]);
  // The text column holds 28 characters: the guard breaks the text one word earlier.
  EXPECT_NE(mm.find("\r\n           > MMMMM----- Meal-Master\r\n           - Zutat\r\n"),
            std::string::npos)
      << mm;
  const std::string rk = Export(kReadBack[1]);
  EXPECT_NE(rk.find("\r\n      1            > ===== REZKONV Zutat\r\n"), std::string::npos) << rk;
  for (const Format& f : kReadBack) {
    SCOPED_TRACE(f.name);
    Export(f);
    std::vector<REZBLOCK> back = Again(f);
    ASSERT_EQ(back.size(), 2u);
    test::JoinNotes(back[0]);
    EXPECT_EQ(Shown(back[0]), Shown(first[0]));
    EXPECT_EQ(back[0].text, first[0].text);
    EXPECT_EQ(back[1].title, "Danach");
  }
}

// --- date lines of a source block ------------------------------------------------------------

// "14.08.96" under QUELLE or after a capture line is part of the source, as is a line that
// begins with a number ("1000 Rezepte ..."); the capture line gives the date and the creator.
TEST_F(LineShapes, DateLinesOfARezKonvSourceBlockStayInTheSource) {
  const std::vector<REZBLOCK> first = First("rezkonv_date_lines_in_the_source_block.rk");
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].source, "Rheinische Post\r\n14.08.96\r\n1000 Rezepte aus dem Rheinland");
  EXPECT_EQ(first[0].createdDate, "16.08.96");
  EXPECT_EQ(first[0].createdBy, "Ilka Spiess");
  ExpectLines(first[0],
              {{"2", "kg", "Rinderschmorbraten"}, {"500", "ml", "Rotweinessig"}, {"2", "", "Zwiebeln"}});
  EXPECT_EQ(first[1].source, "12.09.99");
  EXPECT_EQ(first[1].createdDate, "02.10.00");
  EXPECT_EQ(first[1].createdBy, "Ilka Spiess");
  ExpectEveryFormatCarries(first);
}

// The RezKonv writer puts the capture date into the source block as "- Erfasst am 14.08.96",
// followed by " von" and the creator when there is one: it comes back as the date, never as
// the creator.
TEST_F(LineShapes, TheCaptureDateOfARezKonvSourceBlockComesBackAsTheDate) {
  e.ChooseFigures({});  // the source block alone carries the date
  REZBLOCK r = Recipe("Erfasst", {{"1", "", "Ei", "", 0, 0}}, "");
  r.source = "Omas Heft";
  r.createdDate = "14.08.96";
  REZBLOCK s = r;
  s.title = "Erfasst von";
  s.createdBy = "Hans Meier";
  Store({r, s});
  const std::string rk = Export(kReadBack[1]);
  EXPECT_NE(rk.find("           - Erfasst am 14.08.96\r\n"), std::string::npos) << rk;
  const std::vector<REZBLOCK> back = Again(kReadBack[1]);
  ASSERT_EQ(back.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back[i].createdDate, "14.08.96") << i;
    EXPECT_EQ(back[i].source, "Omas Heft") << i;
  }
  EXPECT_EQ(back[0].createdBy, "");
  EXPECT_EQ(back[1].createdBy, "Hans Meier");
}

}  // namespace
}  // namespace tav
