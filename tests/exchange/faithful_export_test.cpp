// What leaves the program as Meal-Master or RezKonv must come back whole, in our reader and in
// any other: each case is a small fixture of the shape that showed a fault, imported, exported
// and read again field for field; the Meal-Master files are also read by a strict reader of the
// format's published columns, which knows nothing but Meal-Master's own unit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "exchange/import_fields.h"
#include "exchange/html_recipe_page.h"
#include "exchange/text_export_blocks.h"
#include "kitchen/menus/menu_courses.h"
#include "export_test_support.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/text_tools.h"
#include "services/tools_module.h"

namespace tav {
namespace {

using test::Ansi;
using test::JoinNotes;
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

// Amounts a book holds with many decimals (an earlier CookML import, the editor's scaling) go
// out with two at most in every format, a range too: the digits after them are nowhere.
TEST_F(FaithfulExport, NoExportShowsMoreThanTwoDecimalsOfAnAmount) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Viele Stellen";
  r.servings = 3;
  r.lines = {{"0.666666666666667", "Tas", "Milch", "", 0, 0},
             {"1,23456", "kg", "Mehl", "", 0, 0},
             {"0,333-0,6667", "l", "Wasser", "", 0, 0}};
  r.text = "Verr\xFChren.";
  e.AddRecipes({r});
  test::WriteAll(e.env.Root() + "HTML/liste.html", "<!-- $Zutaten -->\r\n<!-- $Zutaten2 -->\r\n");
  const std::pair<uint8_t, const char*> outputs[] = {{kFormatMealMaster, "viele.mm"},
                                                     {kFormatRezKonv, "viele.rk"},
                                                     {kFormatText, "viele.txt"},
                                                     {kFormatCookML, "viele.cml"}};
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& [format, name] : outputs) files.emplace_back(name, Export(format, name));
  e.exporter.Format = kFormatHTML;  // the list forms of an HTML page, one and two columns
  e.exporter.Ziel = kTargetClipboard;
  ctx().options->SetParaString(57, "liste.html");
  REZBLOCK copy = r;
  WriteHTMLRecipe(e.exporter, copy, false);
  files.emplace_back("liste.html", e.exporter.ClipText);
  for (const auto& [name, text] : files) {
    SCOPED_TRACE(name);
    for (const char* digits : {"667", "666", "345", "333"})
      EXPECT_EQ(text.find(digits), std::string::npos) << digits << "\n" << text;
    EXPECT_TRUE(text.find("0.67") != std::string::npos || text.find("0,67") != std::string::npos)
        << text;
    EXPECT_TRUE(text.find("0.33-0.67") != std::string::npos ||
                text.find("0,33-0,67") != std::string::npos)
        << text;
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
  const std::string text = Export(kFormatText, "alt.txt");  // the readable text's columns too
  for (const char* line : {"    605  g Hackfleisch", "   0.33  l Milch", "112 1/2  g Butter"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
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

// A menu keeps its courses coded in its hint ("book#number#0#0#persons#...#�#..."). No export
// carries that code: Meal-Master and RezKonv write the keywords on the categories line of a
// recipe without categories, and every format writes the keywords; a menu has none. A recipe
// beside it keeps its keywords.
TEST_F(FaithfulExport, AMenuGoesOutWithoutItsCourseCode) {
  for (const char* name : {"ViewTPL.html", "QViewTPL.html", "IndexTPL.html"})
    test::WriteAll(e.env.Root() + "HTML/" + name,
                   test::ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/HTML/" + name));
  REZBLOCK menu;
  ClearRezBlock(menu);
  menu.title = "Herbstmen\xFC";
  menu.flags = kRecipeMenu;
  menu.servings = 6;
  menu.text = "Ein Abend im Oktober.";
  MN_RECIPE soup;
  soup.printTitle = "K\xFCrbissuppe";
  soup.courseType = "Vorspeise";
  soup.number = 2;
  soup.bookId = 65000;
  soup.persons = 6;
  soup.servingType = "Portionen";
  MN_RECIPE roast = soup;
  roast.printTitle = "Rehr\xFC"
                     "cken";
  roast.courseType = "Hauptgang";
  roast.description = "mit Sp\xE4tzle";
  menu.hint = CourseListText({soup, roast});
  ASSERT_NE(menu.hint.find("#\xA7#"), std::string::npos);
  REZBLOCK pumpkin = test::PlainRecipe(1);
  pumpkin.title = "K\xFCrbissuppe";
  pumpkin.hint = "Suppe, Herbst";
  for (uint16_t& c : pumpkin.categories) c = 0;  // its keywords stand on the categories line
  e.AddRecipes({menu, pumpkin});
  e.exporter.list = e.AllRows();
  const auto withoutCode = [](const std::string& text, const std::string& name) {
    for (const char* code : {"#\xA7#", "65000#", "#0#0#6#", "Vorspeise"})
      EXPECT_EQ(text.find(code), std::string::npos) << name << ": " << code << "\n" << text;
  };
  const std::pair<uint8_t, const char*> formats[] = {{kFormatMealMaster, "menue.mm"},
                                                     {kFormatRezKonv, "menue.rk"},
                                                     {kFormatText, "menue.txt"},
                                                     {kFormatCookML, "menue.cml"}};
  for (const auto& [format, name] : formats) {
    const std::string text = Export(format, name);
    withoutCode(text, name);
    EXPECT_NE(text.find("Herbst"), std::string::npos) << name << ": the soup's keywords";
  }
  // The strict reader: the menu has no categories, the soup its keywords.
  const std::vector<StrictRecipe> strict = ReadStrictly(test::ReadAll(e.Path("menue.mm")));
  ASSERT_EQ(strict.size(), 2u);
  EXPECT_EQ(strict[0].title, "Herbstmen\xFC");
  EXPECT_EQ(Trim(strict[0].categories), "");
  EXPECT_EQ(strict[1].categories, "Suppe, Herbst");
  for (const char* name : {"menue.mm", "menue.rk", "menue.cml"}) {
    const std::vector<REZBLOCK> back = Again(name, name);
    ASSERT_EQ(back.size(), 2u) << name;
    EXPECT_EQ(back[0].hint, "") << name;
    EXPECT_EQ(back[1].hint, "Suppe, Herbst") << name;
  }
  // The HTML pages of both, and their index.
  e.Export(kFormatHTML, kSetAll, "menue.html");
  int pages = 0;
  for (const std::string& file : ListFolder(e.env.Root() + "Export/")) {
    if (!file.ends_with(".html")) continue;
    ++pages;
    withoutCode(test::ReadAll(e.Path(file)), file);
  }
  EXPECT_GE(pages, 2);
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

namespace tav {
namespace {

// --- a generated collection of real shape ------------------------------------------------------
// Meal-Master recipes with every unit code of Meal-Master and of German Meal-Master files,
// fractions, mixed numbers, decimals and ranges, pounds and ounces to convert, group headings
// and notes, known and unknown category words, keyword lines, texts that begin with a number or
// an indent, footnote marks before an ingredient, DOS box lines and signs; RezKonv recipes with
// the unit names of RkKonvert.dat.
std::string GeneratedCollection(int count) {
  static const char* const kCodes[] = {
      "t",  "ts", "T",  "tb", "c",  "pt", "qt", "ga", "oz", "lb", "fl", "ml", "cl", "dl", "l",
      "mg", "cg", "g",  "kg", "x",  "sm", "md", "lg", "cn", "pk", "pn", "dr", "ds", "ct", "bn",
      "sl", "ea", "EL", "TL", "Bd", "Pk", "Pr", "Ms", "Ta", "Ze", "St", "Bt", "Kp", "Sc", "Sg",
      "Sp", "Wf", "Be", "Bl", "Ds", "Fl", "Gl", "Hv", "Kn", "Rl", "Tf", "Tr", "Zw", "kl", "mi",
      "gr", "cm", "et", "nB", "",   ""};
  static const char* const kAmounts[] = {"1",   "2",   "1/2", "1 1/2", "3/4", "1.5", "12",
                                         "250", "1/3", "",    "2-3",   "1/8", "0.25"};
  static const char* const kFoods[] = {"Mehl", "Zucker", "Butter, weich", "Eier", "Milch",
                                       "Zwiebeln, fein gehackt", "Knoblauch", "Salz",
                                       "Pfeffer, frisch gemahlen", "Olivenoel", "Tomaten"};
  static const char* const kCategories[] = {"Soups, Beef", "Main dish", "Desserts, Mexican",
                                            "Chiles, Vegetarian", "Kuchen", "Eintopf, Mexiko",
                                            "", "Party"};
  static const char* const kRezKonvUnits[] = {
      "St\xFC"
      "ck",
      "EL", "TL", "Tasse", "Zehen", "Bund", "Prise", "Dosen", "P\xE4"
      "ckchen",
      "Msp.", "Scheiben", "Tropfen", "Schuss", "Liter", "Gramm", "kg", "Becher", "Beutel",
      "W\xFCrfel", "Glas", "Flaschen", "Kopf", "Knollen", "Stangen", "Zweige", "Blatt", "Rolle",
      "Tafel", "Handvoll", "Portion", "Stiele", "klein", "mittelgro\xDF"
      "e",
      "gro\xDF"
      "e",
      "Pfund", "cm", "ml", "etwas", ""};
  std::string out;
  auto line = [&](const std::string& l) { out += l + "\r\n"; };
  auto column = [](const std::string& amount, const std::string& unit, const std::string& text) {
    return std::string(7 - amount.size(), ' ') + amount + " " + unit +
           std::string(2 - unit.size(), ' ') + " " + text;
  };
  size_t u = 0, a = 0, f = 0;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i + 1);
    if (i % 5 == 4) {  // RezKonv
      line("========== REZKONV-Rezept - RezkonvSuite v1.4");
      line("");
      line("     Titel: Rezept " + n);
      line("Kategorien: " + std::string(kCategories[i % 8]));
      line("     Menge: 4 Portionen");
      line("");
      for (int k = 0; k < 8; ++k) {
        const std::string amount = kAmounts[a++ % 13];
        const std::string unit = kRezKonvUnits[u++ % 39];
        line(std::string(7 - amount.size(), ' ') + amount + " " +
             std::string(unit.size() < 9 ? 9 - unit.size() : 0, ' ') + unit + "  " +
             kFoods[f++ % 11]);
      }
      line("");
      line(i % 2 ? "   Backofen vorheizen." : "Alles verr\xFChren und backen.");
      line("");
      line(":Stichwort : Brot");
      line("=====");
      line("");
      continue;
    }
    line("MMMMM----- Recipe via Meal-Master (tm) v8.05");
    line("");
    line("      Title: Rezept " + n);
    line(" Categories: " + std::string(kCategories[i % 8]));
    line("      Yield: 4 servings");
    line("");
    for (int k = 0; k < 10; ++k) {
      if (k == 5) line("MMMMM---------------------------FILLING----------------------------");
      const std::string unit = kCodes[u++ % 66];
      // A range of a unit that converts stays as it is; Meal-Master writes it as such.
      line(column(kAmounts[a++ % 13], unit, kFoods[f++ % 11]));
      if (k == 2) line(column("", "", "-oder mehr nach Geschmack"));
    }
    if (i % 6 == 1) line(column("6", "ea", "*peppercorns"));  // a footnote mark
    line("");
    // DOS box lines and signs (code page 437) in the text of some recipes.
    if (i % 7 == 3) {
      line(std::string(16, '\xC4'));
      line("Bei 350\xF8" "F backen. \xFE Tip \xFE");
    }
    line(i % 3 == 0 ? "Alles vermengen." : i % 3 == 1 ? "   Backofen vorheizen." : "Ruehren.");
    line("Dann 20 Minuten backen.");
    line("");
    if (i % 4 == 0) line(":Stichwort : schnell");
    line("MMMMM");
    line("");
  }
  return out;
}

// --- recipes of the collection for the language, fraction and DOS sign readings -------------
// An English recipe with spelled pairs that are no umlauts ("Pueblo", "Blue"), a German one with
// thirds and sixths, and a Windows-1252 RezKonv recipe with the DOS signs à and ° in it.
constexpr size_t kLanguageFractionAndSignRecipes = 3;

std::string LanguageFractionAndSignRecipes() {
  return "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n"
         "      Title: Pueblo Beans with Blue Corn\r\n"
         " Categories: Beans, Southwest\r\n      Yield: 8 servings\r\n\r\n"
         "      2 c  Pinto beans, soaked\r\n      1 c  Blue corn meal\r\n"
         "      2    Green chiles, roasted\r\n\r\n"
         "  Simmer the beans until they are tender. Stir in the chiles and thicken\r\n"
         "  the pot with the blue corn meal, as it is done in the pueblo of Taos.\r\n"
         "\r\nMMMMM\r\n\r\n"
         "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n"
         "      Title: Pfannkuchen fuer drei\r\n"
         " Categories: Desserts\r\n      Yield: 3 Portionen\r\n\r\n"
         "    2/3 c  Milch\r\n  1 1/3 c  Mehl\r\n    1/6 ts Salz\r\n  1 2/3 tb Zucker\r\n\r\n"
         "  Alles zu einem glatten Teig verruehren und in der Pfanne backen.\r\n"
         "\r\nMMMMM\r\n\r\n"
         "========== REZKONV-Rezept - RezkonvSuite v1.4\r\n\r\n"
         "     Titel: Tomatenso\xDF" "e \x85 la Mamma\r\n"
         "Kategorien: Saucen\r\n     Menge: 4 Portionen\r\n\r\n"
         "      2 Dosen     Tomaten (\x85 400 g)\r\n      1           Zwiebel\r\n\r\n"
         "Im Backofen bei 220\xF8" "C 20 Minuten \xFC" "berbacken.\r\n\r\n=====\r\n\r\n";
}

// What the first import made of them.
void ExpectLanguageFractionAndSignRecipes(const std::vector<REZBLOCK>& recipes) {
  ASSERT_GE(recipes.size(), kLanguageFractionAndSignRecipes);
  const REZBLOCK* r = &recipes[recipes.size() - kLanguageFractionAndSignRecipes];
  EXPECT_EQ(r[0].title, "Pueblo Beans with Blue Corn");
  EXPECT_EQ(r[0].lines[1].text, "Blue corn meal");
  EXPECT_EQ(r[1].title, Ansi("Pfannkuchen für drei"));
  ExpectLines(r[1], {{"2/3", "Tas", "Milch"},
                     {"1 1/3", "Tas", "Mehl"},
                     {"1/6", "TL", "Salz"},
                     {"1 2/3", "EL", "Zucker"}});
  EXPECT_EQ(r[2].title, Ansi("Tomatensoße à la Mamma"));
  EXPECT_EQ(r[2].lines[0].text, Ansi("Tomaten (à 400 g)"));
  EXPECT_EQ(r[2].text, Ansi("Im Backofen bei 220°C 20 Minuten überbacken."));
}

// --- lines that a reader took for something else (kept apart from the collection above) ---
// A RezKonv line with its own amount before dashes and date lines in its source block;
// Meal-Master ingredient texts that begin with a number; a first text line framed by "=" signs;
// numbered steps after the empty line that ends the ingredients.
std::string LinesThatReadAsSomethingElse() {
  return "========== REZKONV-Rezept - RezkonvSuite v1.4\r\n\r\n"
         "      Titel: Gulaschsuppe mit abgeteiltem Paprika\r\n Kategorien: Suppen\r\n"
         "      Menge: 4 Portionen\r\n\r\n"
         "      3  Essl. Paprikapulver, edels\xFC\xDF\r\n      1  Essl. -- davon abteilen\r\n"
         "      2  Zwiebeln\r\n\r\n"
         "============================ QUELLE ============================\r\n"
         "        Rheinische Post\r\n        14.08.96\r\n"
         "        -- Erfasst *RK* 16.08.96 von\r\n        -- Ilka Spiess\r\n\r\n"
         "Alles schmoren.\r\n\r\n=====\r\n\r\n"
         "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n"
         "      Title: Carrot Pie with 7-Up Punch\r\n Categories: Desserts\r\n"
         "      Yield: 8 servings\r\n\r\n"
         "      2 c  Flour\r\n           4-5 carrots, cut into 1/2\r\n           -inch slices\r\n"
         "           9 inch pie pan\r\n           7-Up to stretch it\r\n"
         "           250g Mehl\r\n\r\n  Bake.\r\n\r\nMMMMM\r\n\r\n"
         "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n"
         "      Title: Rice Pudding Flan\r\n Categories: Desserts\r\n"
         "      Yield: 8 servings\r\n\r\n      1 c  Rice\r\n      1 qt Skim milk\r\n\r\n"
         "===================== > Directions < =====================\r\n"
         "Cook the rice in the milk.\r\n\r\nMMMMM\r\n\r\n"
         "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n"
         "      Title: Zitronenkuchen\r\n Categories: Kuchen\r\n      Yield: 1 Kuchen\r\n\r\n"
         "    250 g  Butter\r\n      4    Eier\r\n\r\n"
         "1. Alles vermengen.\r\n2 Stunden ruhen lassen.\r\n3) Backen.\r\n\r\nMMMMM\r\n";
}
constexpr size_t kLinesThatReadAsSomethingElse = 4;

// Ingredient texts that read as start lines, which no text file brings in.
REZBLOCK IngredientsLikeStartLines() {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Zutaten wie Startzeilen";
  r.servings = 2;
  r.lines = {{"", "", "MMMMM----- Meal-Master Zutat", "", 0, 0},
             {"1", "", "===== REZKONV Zutat", "", 0, 0},
             {"250", "g", "Quark", "", 0, 0}};
  r.text = "Alles verr\xFChren.\r\nKalt servieren.";
  return r;
}

// The texts and sources of those recipes come back as well, and RezKonv's capture date.
void ExpectTextsAndSources(uint8_t format, const std::vector<REZBLOCK>& back,
                           const std::vector<REZBLOCK>& first, size_t from) {
  for (size_t i = from; i < first.size() && i < back.size(); ++i) {
    SCOPED_TRACE(first[i].title);
    std::string text = first[i].text;
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    EXPECT_EQ(back[i].text, text);
    EXPECT_EQ(back[i].source, first[i].source);
    if (format == kFormatRezKonv) {  // in its source block, as "- Erfasst am"
      EXPECT_EQ(back[i].createdDate, first[i].createdDate);
    }
  }
}

// A unit the RezKonv export can write so that its reader takes it back: a name of
// RkKonvert.dat without a blank whose code the import makes into the same unit.
bool RezKonvKnows(const std::string& code) {
  LoadUnitNameForms();
  auto imported = [](const std::string& c) {
    const REZEINHEIT* u = ctx().units->FindUnitByCode(c);
    return u && !u->fixed && u->factor == "1" ? u->target : c;
  };
  for (const RKEINHEIT& form : ctx().tools->unitNameForms)
    if (imported(form.canonical) == imported(code) &&
        form.singular.find(' ') == std::string::npos && form.plural.find(' ') == std::string::npos)
      return true;
  return false;
}

// A line of the first import as it comes back in a format.
REZZUTAT Carried(uint8_t format, REZZUTAT z) {
  if (!z.text.empty() && (z.text[0] == '*' || z.text[0] == '-')) {
    if (format == kFormatRezKonv && z.text[0] == '-') z.text = "- " + z.text.substr(1);
    return z;
  }
  if (format == kFormatMealMaster) {
    std::replace(z.amount.begin(), z.amount.end(), ',', '.');
    if (!z.unit.empty() && ctx().units->MealMasterCodeFor(z.unit).empty()) {
      z.text = UnitWord(z.unit, z.amount) + " " + z.text;
      z.unit.clear();
    }
  } else if (format == kFormatRezKonv) {
    const size_t dash = z.amount.find('-');
    if (dash != std::string::npos) {  // a range: its first number, the range after the text
      z.text += " (" + z.amount + ")";
      z.amount.resize(dash);
    }
  } else {
    MixedFractionToDecimal(z.amount);  // CookML: decimals, common fractions again
    PrettyAmount(z.amount, z.unit);
    DecimalToCookFraction(z.amount);  // "3.33" is read as the 3 1/3 it stands for
  }
  return z;
}

TEST_F(FaithfulExport, AGeneratedCollectionComesBackWholeInEveryFormat) {
  // The strict reader takes what the earlier exports wrote for broken lines: a code of the
  // program's own ("EL") and an amount past its seven columns.
  const std::vector<StrictRecipe> earlier = ReadStrictly(
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n      Title: Alt\r\n"
      " Categories: \r\n      Yield: 1\r\n\r\n      2 EL Sojaoel\r\n"
      "604.799999999998 g  Hackfleisch\r\n      1 T  Zucker\r\n\r\nText.\r\n\r\nMMMMM\r\n");
  ASSERT_EQ(earlier.size(), 1u);
  EXPECT_EQ(earlier[0].broken.size(), 2u);
  EXPECT_EQ(earlier[0].lines.size(), 1u);

  const std::string file = e.env.Root() + "sammlung.txt";
  test::WriteAll(file, GeneratedCollection(150) + LinesThatReadAsSomethingElse() +
                           LanguageFractionAndSignRecipes());
  std::vector<REZBLOCK> first = e.ImportInto(file, "Quelle");
  ASSERT_EQ(first.size(), 150u + kLinesThatReadAsSomethingElse + kLanguageFractionAndSignRecipes);
  ExpectLanguageFractionAndSignRecipes(first);
  first.push_back(IngredientsLikeStartLines());
  e.AddRecipes(first);
  e.exporter.list = e.AllRows();
  e.exporter.Split = false;

  const std::string mm = Export(kFormatMealMaster, "sammlung.mm");
  ExpectStrictlyWhole(mm, first);
  const std::pair<uint8_t, const char*> formats[] = {
      {kFormatMealMaster, "sammlung.mm"}, {kFormatRezKonv, "sammlung.rk"}, {kFormatCookML, "sammlung.cml"}};
  for (const auto& [format, name] : formats) {
    SCOPED_TRACE(name);
    if (format != kFormatMealMaster) Export(format, name);
    std::vector<REZBLOCK> back = Again(name, name);
    ASSERT_EQ(back.size(), first.size());
    int byName = 0;
    for (size_t i = 0; i < first.size(); ++i) {
      SCOPED_TRACE(first[i].title);
      EXPECT_EQ(back[i].title, first[i].title);
      REZBLOCK cats = first[i];
      if (cats.categories[0] == 0 && format != kFormatCookML) {
        // The keywords stood on the categories line: those that name a category come back so.
        std::vector<std::string> words;
        ReadCategoryWords(cats.hint, cats, words);
      }
      EXPECT_EQ(std::vector<uint16_t>(back[i].categories, back[i].categories + 10),
                std::vector<uint16_t>(cats.categories, cats.categories + 10));
      std::string hint = first[i].hint;
      if (format == kFormatCookML) {  // CookML cuts keywords at blanks
        std::vector<std::string> words;
        SplitText(hint, words, kSplitWords);
        hint.clear();
        for (const std::string& w : words) hint += (hint.empty() ? "" : ", ") + w;
      }
      EXPECT_EQ(back[i].hint, hint);
      REZBLOCK want = first[i];
      for (REZZUTAT& z : want.lines) {
        const std::string unit = z.unit;
        z = Carried(format, z);
        if (format == kFormatRezKonv && !unit.empty() && !RezKonvKnows(unit)) {
          // Written by name: the reader takes the name for text.
          const REZZUTAT& got = back[i].lines[static_cast<size_t>(&z - want.lines.data())];
          EXPECT_TRUE(got.unit.empty() && got.text.ends_with(" " + z.text)) << unit;
          z.unit.clear();
          z.text = got.text;
          ++byName;
        }
      }
      if (format == kFormatMealMaster) {
        JoinNotes(want);
        JoinNotes(back[i]);
      }
      ASSERT_EQ(back[i].lines.size(), want.lines.size());
      for (size_t k = 0; k < want.lines.size(); ++k) {
        EXPECT_EQ(back[i].lines[k].amount, want.lines[k].amount) << k;
        EXPECT_EQ(back[i].lines[k].unit, want.lines[k].unit) << k;
        EXPECT_EQ(back[i].lines[k].text, want.lines[k].text) << k;
      }
    }
    if (format == kFormatRezKonv) {
      EXPECT_LT(byName, 60);  // only the few units without a name
    }
    ExpectTextsAndSources(format, back, first, 150);
  }
}

}  // namespace
}  // namespace tav
