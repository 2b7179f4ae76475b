// What leaves the program as Meal-Master or RezKonv must come back whole, in our reader and in
// any other: each case is a small fixture of the shape that showed a fault, imported, exported
// and read again field for field; the Meal-Master files are also read by a strict reader of the
// format's published columns, which knows nothing but Meal-Master's own unit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "exchange/import_fields.h"
#include "exchange/text_export_blocks.h"
#include "export_test_support.h"
#include "platform/text_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"

namespace tav {
namespace {

using test::Ansi;
using test::ExpectLines;

// --- a strict Meal-Master reader -------------------------------------------------------------
// From the published format alone: a recipe starts at a line that begins with "MMMMM" or
// "-----" and names Meal-Master, ends at a line of "MMMMM" or "-----"; after the head (title,
// categories, servings) and an empty line come the ingredient lines up to the next empty line:
// amount in columns 1-7, a blank, the unit in 9-10 (a code of Meal-Master's list or blanks), a
// blank, the text from column 12; a line of "MMMMM-" or "-----" with a name is a group heading.
struct StrictLine {
  std::string amount, unit, text;
};
struct StrictRecipe {
  std::string title, categories;
  std::vector<StrictLine> lines;    // ingredients and "- " continuation lines
  std::vector<std::string> broken;  // lines of the block that are no ingredient line
};

std::string Trim(std::string_view s) {
  return std::string(StripBlanks(s));
}

bool StrictIngredient(const std::string& line, StrictLine& out) {
  if (line.size() < 12 || line[7] != ' ' || line[10] != ' ' || line[11] == ' ') return false;
  const std::string amount = Trim(line.substr(0, 7));
  if (amount.find_first_not_of("0123456789/. -") != std::string::npos) return false;
  const std::string unit = Trim(line.substr(8, 2));
  if (!unit.empty() && !IsMealMasterCode(unit)) return false;
  if (line.substr(8, 2) != unit && !unit.empty() && line[8] == ' ') return false;  // left-aligned
  out = {amount, unit, line.substr(11)};
  return true;
}

// The lines of a file, each ended by CR LF.
std::vector<std::string> FileLines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (size_t at = 0, end; at < bytes.size(); at = end + 2) {
    end = bytes.find("\r\n", at);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(at, end - at));
  }
  return lines;
}

std::vector<StrictRecipe> ReadStrictly(const std::string& bytes) {
  const std::vector<std::string> lines = FileLines(bytes);
  std::vector<StrictRecipe> recipes;
  size_t i = 0;
  auto isStart = [](const std::string& l) {
    return (l.starts_with("MMMMM") || l.starts_with("-----")) &&
           l.find("Meal-Master") != std::string::npos;
  };
  while (i < lines.size()) {
    if (!isStart(lines[i++])) continue;
    StrictRecipe r;
    while (i < lines.size() && lines[i].empty()) ++i;
    while (i < lines.size() && !lines[i].empty()) {  // the head
      const std::string& l = lines[i++];
      if (const size_t at = l.find("Title: "); at != std::string::npos) r.title = l.substr(at + 7);
      if (const size_t at = l.find("Categories: "); at != std::string::npos)
        r.categories = l.substr(at + 12);
    }
    while (i < lines.size() && lines[i].empty()) ++i;
    for (; i < lines.size() && !lines[i].empty(); ++i) {  // the ingredients
      const std::string& l = lines[i];
      if (l.starts_with("MMMMM-") || l.starts_with("-----")) continue;  // a heading
      StrictLine line;
      if (StrictIngredient(l, line))
        r.lines.push_back(line);
      else
        r.broken.push_back(l);
    }
    while (i < lines.size() && lines[i] != "MMMMM" && lines[i] != "-----") ++i;
    recipes.push_back(r);
  }
  return recipes;
}

// The ingredients of a recipe as a Meal-Master reader counts them: no headings, no notes.
size_t Ingredients(const REZBLOCK& r) {
  return static_cast<size_t>(std::count_if(r.lines.begin(), r.lines.end(), [](const REZZUTAT& z) {
    return z.text.empty() || (z.text[0] != '*' && z.text[0] != '-');
  }));
}

// Every recipe read strictly, none of its ingredient lines broken, as many ingredients as sent.
void ExpectStrictlyWhole(const std::string& bytes, const std::vector<REZBLOCK>& sent) {
  const std::vector<StrictRecipe> read = ReadStrictly(bytes);
  ASSERT_EQ(read.size(), sent.size());
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_TRUE(read[i].broken.empty()) << read[i].title << ": " << read[i].broken.front();
    const size_t found =
        static_cast<size_t>(std::count_if(read[i].lines.begin(), read[i].lines.end(),
                                          [](const StrictLine& l) {
                                            return !l.amount.empty() || !l.unit.empty() ||
                                                   !l.text.starts_with("- ");
                                          }));
    EXPECT_EQ(found, Ingredients(sent[i])) << read[i].title;
  }
}

// The lines of a recipe's ingredient block in a RezKonv file: each begins with two blanks.
void ExpectRezKonvIngredientsIndented(const std::string& bytes) {
  const std::vector<std::string> lines = FileLines(bytes);
  bool block = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with("     Menge: ")) {
      block = true;
      ++i;
      continue;
    }
    if (!block) continue;
    if (lines[i].empty()) {
      if (i + 1 < lines.size() && !lines[i + 1].starts_with("=")) block = false;
      continue;
    }
    if (lines[i].starts_with("=")) continue;  // a heading
    EXPECT_TRUE(lines[i].starts_with("  ")) << lines[i];
  }
}

class FaithfulExport : public ::testing::Test {
 protected:
  void SetUp() override { e.ChooseFigures({{kFigureAllRemarks}, {kFigureKeywords, "Stichwort"}}); }
  // The fixture imported; its recipes stored in "Ziel", which the exports write.
  std::vector<REZBLOCK> First(const char* fixture) {
    const std::vector<REZBLOCK> recipes = e.ImportInto(test::Fixture(fixture), "Quelle");
    e.AddRecipes(recipes);
    e.exporter.list = e.AllRows();
    return e.Recipes("Ziel");
  }
  std::string Export(uint8_t format, const std::string& name) {
    e.Export(format, kSetAll, name);
    return test::ReadAll(e.Path(name));
  }
  std::vector<REZBLOCK> Again(const std::string& name, const char* book) {
    return e.ImportInto(e.Path(name), book);
  }
  test::ExportEnv e;
};

// Stück, Tasse, EL, mittel ... go out under Meal-Master's codes (ea, c, T, md ...), a unit
// without one by its name before the text; RezKonv writes "Stück", never the code "Sk".
TEST_F(FaithfulExport, UnitsGoOutUnderCodesTheOtherReaderKnows) {
  const std::vector<REZBLOCK> first = First("rezkonv_units_meal_master_lacks.rk");
  ASSERT_EQ(first.size(), 1u);
  ExpectLines(first[0], {{"12", "Sk", "Ancho-Chilischoten"},
                         {"2", "mi", "Zwiebeln"},
                         {"1/4", "Tas", "Olivenöl"},
                         {"2", "EL", "Sojaöl"},
                         {"1", "TL", "Curry"},
                         {"3", "Zeh", "Knoblauch"},
                         {"1", "Bd", "Koriander"},
                         {"1", "Pr", "Zucker"},
                         {"2", "Ds", "Kidneybohnen"},
                         {"1", "Pk", "Chiligewürz"},
                         {"1", "Msp", "Zimt"},
                         {"2", "", "Kugeln  Vanilleeis"},
                         {"500", "g", "Rinderhack"},
                         {"1/3", "l", "Rotwein"},  // a third stays a third
                         {"3", "Sch", "Speck"},
                         {"2", "Tr", "Tabasco"},
                         {"1", "Shs", "Essig"}});

  const std::string mm = Export(kFormatMealMaster, "einheiten.mm");
  ExpectStrictlyWhole(mm, first);
  for (const char* line :
       {"     12 ea Ancho-Chilischoten", "      2 md Zwiebeln", "    1/4 c  Oliven", "      2 T  Soja",
        "      1 t  Curry", "      3    Zehen Knoblauch", "      1 bn Koriander",
        "      1 pn Zucker", "      2 cn Kidneybohnen", "      1 pk Chiligew",
        "      1    Messerspitze Zimt", "    1/3 l  Rotwein", "      3 sl Speck",
        "      2 dr Tabasco", "      1 ds Essig"})
    EXPECT_NE(mm.find(std::string(line)), std::string::npos) << line << "\n" << mm;
  EXPECT_NE(e.exporter.Log().end(),
            std::find(e.exporter.Log().begin(), e.exporter.Log().end(), "  (Zeh, Msp)"));
  std::vector<REZBLOCK> back = Again("einheiten.mm", "MM");
  ASSERT_EQ(back.size(), 1u);
  ExpectLines(back[0], {{"12", "Sk", "Ancho-Chilischoten"},
                        {"2", "mi", "Zwiebeln"},
                        {"1/4", "Tas", "Olivenöl"},
                        {"2", "EL", "Sojaöl"},
                        {"1", "TL", "Curry"},
                        {"3", "", "Zehen Knoblauch"},
                        {"1", "Bd", "Koriander"},
                        {"1", "Pr", "Zucker"},
                        {"2", "Ds", "Kidneybohnen"},
                        {"1", "Pk", "Chiligewürz"},
                        {"1", "", "Messerspitze Zimt"},
                        {"2", "", "Kugeln  Vanilleeis"},
                        {"500", "g", "Rinderhack"},
                        {"1/3", "l", "Rotwein"},
                        {"3", "Sch", "Speck"},
                        {"2", "Tr", "Tabasco"},
                        {"1", "Shs", "Essig"}});

  const std::string rk = Export(kFormatRezKonv, "einheiten.rk");
  EXPECT_NE(rk.find(Ansi("     12     Stück  Ancho-Chilischoten")), std::string::npos) << rk;
  EXPECT_EQ(rk.find(" Sk "), std::string::npos);
  ExpectRezKonvIngredientsIndented(rk);
  back = Again("einheiten.rk", "RK");
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].lines.size(), first[0].lines.size());
  for (size_t i = 0; i < first[0].lines.size() && i < back[0].lines.size(); ++i) {
    EXPECT_EQ(back[0].lines[i].amount, first[0].lines[i].amount) << i;
    EXPECT_EQ(back[0].lines[i].unit, first[0].lines[i].unit) << i;
    EXPECT_EQ(back[0].lines[i].text, first[0].lines[i].text) << i;
  }
}

// Pounds, ounces and pints convert into grams and millilitres as a cook measures them, not
// with the float noise of the multiplication; fractions written as such stay fractions.
TEST_F(FaithfulExport, ConvertedAmountsAreRoundedAndFitTheirColumns) {
  const std::vector<REZBLOCK> first = First("mealmaster_converted_amounts.mm");
  ASSERT_EQ(first.size(), 1u);
  ExpectLines(first[0], {{"605", "g", "Ground beef"},
                         {"234", "g", "Cheddar cheese, grated"},
                         {"473", "ml", "Milk"},
                         {"1/3", "Tas", "Bread crumbs"},
                         {"1 1/2", "TL", "Salt"},
                         {"1/8", "TL", "Pepper"},
                         {"2", "gr", "Eggs"}});
  ExpectStrictlyWhole(Export(kFormatMealMaster, "umgerechnet.mm"), first);
  ExpectRezKonvIngredientsIndented(Export(kFormatRezKonv, "umgerechnet.rk"));
  for (const char* name : {"umgerechnet.mm", "umgerechnet.rk"}) {
    const std::vector<REZBLOCK> back = Again(name, name);
    ASSERT_EQ(back.size(), 1u) << name;
    for (size_t i = 0; i < first[0].lines.size(); ++i)
      EXPECT_EQ(back[0].lines[i].amount, first[0].lines[i].amount) << name << " " << i;
  }
}

// Amounts a book holds from before: float noise, seven characters, more than any column holds.
TEST_F(FaithfulExport, NoWriterWritesPastItsAmountColumn) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Alte Mengen";
  r.servings = 4;
  r.lines = {{"604.799999999998", "g", "Hackfleisch", "", 0, 0},
             {"0.333333333333333", "l", "Milch", "", 0, 0},
             {"112 1/2", "g", "Butter", "", 0, 0},
             {"12 1/2", "g", "Hefe", "", 0, 0},
             {"12345678", "g", "Mehl", "", 0, 0},
             {"2", "EL", Ansi("Öl"), "", 0, 0}};
  r.text = "Alles mischen.";
  e.AddRecipes({r});
  const std::string mm = Export(kFormatMealMaster, "alt.mm");
  ExpectStrictlyWhole(mm, {r});
  for (const char* line : {"    605 g  Hackfleisch", "   0.33 l  Milch", "112 1/2 g  Butter",
                           " 12 1/2 g  Hefe", "           12345678 Gramm Mehl"})
    EXPECT_NE(mm.find(line), std::string::npos) << line << "\n" << mm;
  const std::string rk = Export(kFormatRezKonv, "alt.rk");
  ExpectRezKonvIngredientsIndented(rk);
  for (const char* name : {"alt.mm", "alt.rk"}) {
    const std::vector<REZBLOCK> back = Again(name, name);
    ASSERT_EQ(back.size(), 1u) << name;
    ASSERT_EQ(back[0].lines.size(), 6u) << name;
    EXPECT_EQ(back[0].lines[1].amount, "0.33") << name;
    if (std::string(name) == "alt.mm") {
      EXPECT_EQ(back[0].lines[4].text, "12345678 Gramm Mehl");
    } else {  // the RezKonv reader finds amount and unit wherever the line has them
      EXPECT_EQ(back[0].lines[4].amount, "12345678");
      EXPECT_EQ(back[0].lines[4].unit, "g");
    }
    EXPECT_EQ(back[0].lines[5].unit, "EL") << name;
    EXPECT_EQ(back[0].text, "Alles mischen.") << name;
  }
}

// A seven-character amount ("112 1/2") and a first text line indented by three blanks: the
// RezKonv reader took the line for the text, or the text line for one more ingredient.
TEST_F(FaithfulExport, RezKonvReadsBackWholeWhateverTheIndentAndTheAmountsWidth) {
  const std::vector<REZBLOCK> first = First("mealmaster_wide_amount_indented_text.mm");
  ASSERT_EQ(first.size(), 1u);
  ExpectLines(first[0], {{"112 1/2", "g", "Butter"}, {"500", "g", "Mehl"}, {"1", "Pk", "Trockenhefe"}});
  ASSERT_TRUE(first[0].text.starts_with("   Backofen")) << first[0].text;
  const std::string rk = Export(kFormatRezKonv, "breit.rk");
  ExpectRezKonvIngredientsIndented(rk);
  const std::vector<REZBLOCK> back = Again("breit.rk", "RK");
  ASSERT_EQ(back.size(), 1u);
  ExpectLines(back[0], {{"113", "g", "Butter"}, {"500", "g", "Mehl"}, {"1", "Pk", "Trockenhefe"}});
  EXPECT_EQ(back[0].text, "Backofen auf 200 Grad vorheizen.\nHefe in der lauwarmen Milch "
                          "aufl\xF6sen, mit Mehl und Butter verkneten.");
  // Meal-Master's seven columns hold the amount as it is.
  Export(kFormatMealMaster, "breit.mm");
  EXPECT_EQ(Again("breit.mm", "MM").at(0).lines.at(0).amount, "112 1/2");
}

// Category words the table does not know are kept as keywords; a recipe without categories
// writes them on its categories line, so that the next reader gets them again.
TEST_F(FaithfulExport, CategoryWordsGoOutAgain) {
  e.ChooseFigures({});  // no keyword lines: the categories line alone carries the words
  const std::vector<REZBLOCK> first = First("mealmaster_unknown_category_words.mm");
  ASSERT_EQ(first.size(), 1u);
  test::ExpectCategories(first[0], {});
  EXPECT_EQ(first[0].hint, "Mexican, Chiles, Sauces, Vegetarian");
  const std::string mm = Export(kFormatMealMaster, "worte.mm");
  EXPECT_NE(mm.find(" Categories: Mexican, Chiles, Sauces, Vegetarian\r\n"), std::string::npos)
      << mm;
  const std::string rk = Export(kFormatRezKonv, "worte.rk");
  EXPECT_NE(rk.find("Kategorien: Mexican, Chiles, Sauces, Vegetarian\r\n"), std::string::npos)
      << rk;
  for (const char* name : {"worte.mm", "worte.rk"}) {
    const std::vector<REZBLOCK> back = Again(name, name);
    ASSERT_EQ(back.size(), 1u) << name;
    EXPECT_EQ(back[0].hint, first[0].hint) << name;
  }
}

// A recipe forwarded by mail quotes another recipe's start line in its text: the export read
// back was cut there, its remark lost and a phantom recipe made.
TEST_F(FaithfulExport, AQuotedStartLineStaysTextOfItsRecipe) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Weitergeleitet";
  r.servings = 2;
  r.lines = {{"250", "g", "Quark", "", 0, 0}};
  r.text =
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n"
      "Von Anna weitergeleitet.\r\n"
      "  ========== REZKONV-Rezept - RezkonvSuite v1.4\r\n"
      "> MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n"
      "Alles verr\xFChren.";
  r.remarks = {{"Schmeckt!", "Bert"}};
  REZBLOCK next = test::PlainRecipe(2);
  e.AddRecipes({r, next});
  for (const auto& [format, name] : {std::pair<uint8_t, const char*>{kFormatMealMaster, "zitat.mm"},
                                     {kFormatRezKonv, "zitat.rk"}}) {
    const std::string bytes = Export(format, name);
    EXPECT_NE(bytes.find("> MMMMM----- Recipe via"), std::string::npos) << bytes;
    const std::vector<REZBLOCK> back = Again(name, name);
    ASSERT_EQ(back.size(), 2u) << name;
    EXPECT_EQ(back[0].title, "Weitergeleitet");
    EXPECT_EQ(back[0].text,
              "MMMMM----- Recipe via Meal-Master (tm) v8.05\nVon Anna weitergeleitet.\n"
              "========== REZKONV-Rezept - RezkonvSuite v1.4\n"
              "> MMMMM----- Recipe via Meal-Master (tm) v8.05\nAlles verr\xFChren.\n\nBert:\n"
              "Schmeckt!")
        << name;
    EXPECT_EQ(back[1].title, "Rezept 00002") << name;
  }
}

// Split files: the log says how many and names each one.
TEST_F(FaithfulExport, ASplitExportNamesItsFiles) {
  std::vector<REZBLOCK> many;
  for (int i = 1; i <= 25; ++i) many.push_back(test::PlainRecipe(i));
  e.AddRecipes(many);
  e.exporter.TileText = "10";
  e.Export(kFormatMealMaster, kSetAll, "teil.mm");
  const std::vector<std::string>& log = e.exporter.Log();
  EXPECT_EQ(std::find(log.begin(), log.end(), GetLangText(133)), log.end());
  const auto at = std::find(log.begin(), log.end(), GetLangText(1000) + "3" + GetLangText(1001));
  ASSERT_NE(at, log.end());
  ASSERT_GE(log.end() - at, 4);
  EXPECT_EQ(at[1], "  " + e.Path("teil.mm"));
  EXPECT_EQ(at[2], "  " + e.Path("teil_2.mm"));
  EXPECT_EQ(at[3], "  " + e.Path("teil_3.mm"));
  e.exporter.Split = false;  // one file: said as before
  e.Export(kFormatMealMaster, kSetAll, "ganz.mm");
  EXPECT_NE(std::find(e.exporter.Log().begin(), e.exporter.Log().end(), GetLangText(133)),
            e.exporter.Log().end());
}

}  // namespace
}  // namespace tav
