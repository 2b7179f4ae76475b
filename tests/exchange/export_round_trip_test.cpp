#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "export_test_support.h"
#include "platform/paths.h"
#include "recipedb/category_table.h"
#include "recipedb/recipe_records.h"
#include "services/amounts.h"
#include "services/text_tools.h"

namespace tav {
namespace {

using test::Ansi;
using test::Nutrient;

// The recipes of the round trip, between them every field the formats carry.
std::vector<REZBLOCK> RoundTripRecipes() {
  REZBLOCK a;
  ClearRezBlock(a);
  a.title = Ansi("Käse- & <Speck>knödel");
  a.recipeIdHigh = 803215;
  a.recipeIdLow = -1047552;
  a.quality = '4';
  a.difficulty = '2';
  a.categories[0] = 4;
  a.categories[1] = 17;
  a.servings = 4;
  a.servingType = Ansi("Stück");
  a.cardText = Ansi("Für die Karte");
  a.createdBy = Ansi("Anna Müller");
  a.createdEmail = "anna@example.org";
  a.createdDate = "1.2.2003";
  a.changedBy = "Bert";
  a.changedEmail = "bert@example.org";
  a.changedDate = "4.5.2006";
  a.source = "Omas Kochbuch";
  a.prepTime = "20 Min.";
  a.cookTime = "25 Min.";
  a.totalTime = "45 Min.";
  a.points = "7";
  a.costs = "5 Euro";
  a.hint = Ansi("Bayerische Küche, Knödel, schnell");
  a.lines = {{"", "", Ansi("*Knödelteig"), "", 0, 0},
             {"500", "g", Ansi("Brötchen vom Vortag"), "B123", 500, 0},
             {"", "", Ansi("-in Würfel geschnitten"), "", 0, 0},
             {"1/2", "l", "Milch", "", 0, 0},
             {"1 1/2", "TL", "Salz", "", 0, 0},
             {"2-3", "", "Eier", "", -1, 0},
             {"1", "Pr", "Muskat", "", 0, 1},
             {"", "", Ansi("*Speck & Zwiebeln"), "", 0, 0},
             {"100", "g", Ansi("Speck <geräuchert>"), "", 0, 0},
             {"2", "", "Zwiebeln", "", 0, 0},
             {"", "nB", "Pfeffer", "", 0, 0}};
  a.text = Ansi(
      "Die Brötchen in Würfel schneiden, mit der heißen Milch übergießen und eine halbe "
      "Stunde ziehen lassen.\r\n"
      "Speck & Zwiebeln in einer Pfanne glasig braten, zu den Brötchen geben; Eier, Salz und "
      "Muskat untermengen.\r\n"
      "Mit nassen Händen Knödel formen und in siedendem Salzwasser 20 Minuten ziehen lassen.");
  a.remarks = {{Ansi("Schmeckt auch kalt & in Scheiben gebraten."), "Bert"}};
  a.pictures = {{'F', "knoedel.jpg"}};
  a.nutrients = {Nutrient("ZF", "0,3"), Nutrient("ZE", "12,7")};

  REZBLOCK b;
  ClearRezBlock(b);
  b.title = "Apfelmus";
  b.servings = 2;
  b.servingType = "Portionen";
  b.categories[0] = 6;
  b.lines = {{"1", "kg", Ansi("Äpfel"), "", 0, 0}, {"\xBD", "TL", "Zimt", "", 0, 0}};
  b.text = Ansi("Äpfel weich kochen und durch ein Sieb streichen.");

  REZBLOCK c;
  ClearRezBlock(c);
  c.title = Ansi("Grüne Soße");
  c.servings = 6;
  c.servingType = "Portionen";
  c.lines = {{"", "", Ansi("*Kräuter"), "", 0, 0},
             {"", "", "-frisch vom Markt", "", 0, 0},
             {"1", "Bd", Ansi("Kräuter für Grüne Soße"), "", 0, 0},
             {"250", "g", "Schmand", "", 0, 0}};
  c.text = Ansi("Kräuter fein hacken und mit dem Schmand verrühren.");
  return {a, b, c};
}

// One field of a recipe as text, for the comparison.
struct Field {
  const char* name;
  std::function<std::string(const REZBLOCK&)> get;
};

std::string Lines(const REZBLOCK& r) {
  std::string out;
  for (const REZZUTAT& z : r.lines)
    out += z.amount + "|" + z.unit + "|" + z.text + "|" + z.blsCode + "|" +
           std::to_string(z.grams) + "|" + std::to_string(z.notOnShoppingList) + "\n";
  return out;
}

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = {
      {"title", [](const REZBLOCK& r) { return r.title; }},
      {"recipe id",
       [](const REZBLOCK& r) {
         return std::to_string(r.recipeIdHigh) + "," + std::to_string(r.recipeIdLow);
       }},
      {"quality", [](const REZBLOCK& r) { return std::string(1, r.quality); }},
      {"difficulty", [](const REZBLOCK& r) { return std::string(1, r.difficulty); }},
      {"categories",
       [](const REZBLOCK& r) {
         std::string out;
         for (uint16_t c : r.categories) out += std::to_string(c) + " ";
         return out;
       }},
      {"servings", [](const REZBLOCK& r) { return std::to_string(r.servings); }},
      {"serving type", [](const REZBLOCK& r) { return r.servingType; }},
      {"card text", [](const REZBLOCK& r) { return r.cardText; }},
      {"created by", [](const REZBLOCK& r) { return r.createdBy; }},
      {"creator e-mail", [](const REZBLOCK& r) { return r.createdEmail; }},
      {"creation date", [](const REZBLOCK& r) { return r.createdDate; }},
      {"changed by", [](const REZBLOCK& r) { return r.changedBy; }},
      {"changer e-mail", [](const REZBLOCK& r) { return r.changedEmail; }},
      {"change date", [](const REZBLOCK& r) { return r.changedDate; }},
      {"source", [](const REZBLOCK& r) { return r.source; }},
      {"preparation time", [](const REZBLOCK& r) { return r.prepTime; }},
      {"cooking time", [](const REZBLOCK& r) { return r.cookTime; }},
      {"total time", [](const REZBLOCK& r) { return r.totalTime; }},
      {"points", [](const REZBLOCK& r) { return r.points; }},
      {"costs", [](const REZBLOCK& r) { return r.costs; }},
      {"keywords", [](const REZBLOCK& r) { return r.hint; }},
      {"ingredient lines", Lines},
      {"text", [](const REZBLOCK& r) { return r.text; }},
      {"remarks",
       [](const REZBLOCK& r) {
         std::string out;
         for (const REZREMARK& m : r.remarks) out += m.author + ": " + m.text + "\n";
         return out;
       }},
      {"pictures",
       [](const REZBLOCK& r) {
         std::string out;
         for (const REZPICTURE& p : r.pictures) out += p.kind;  // names are new after an import
         return out;
       }},
      {"nutrients",
       [](const REZBLOCK& r) {
         std::string out;
         for (const REZSTOFFMENGE& n : r.nutrients)
           out += std::string(n.code) + "=" + n.value + " ";
         return out;
       }},
  };
  return fields;
}

// Line ends as LF, and for the text formats every run of blanks and line ends as one blank:
// those formats wrap the text anew and write the remarks into it.
std::string Words(std::string text, bool collapse) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    const bool space = text[i] == ' ' || text[i] == '\n';
    if (collapse && space) {
      if (!out.empty() && out.back() != ' ') out += ' ';
      continue;
    }
    out += text[i];
  }
  while (collapse && !out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// What a format cannot carry, applied to a recipe that was sent: the recipe as it comes back.
REZBLOCK AsCarried(uint8_t format, REZBLOCK r) {
  const bool text = format != kFormatCookML;
  for (REZZUTAT& z : r.lines) FractionCharToText(z.amount);  // ½ travels as 1/2
  if (text) {
    // Not in the text formats: ratings, card, e-mails, the changer, BLS codes, grams,
    // pictures, nutrients; remarks become part of the text.
    r.quality = r.difficulty = '0';
    r.cardText.clear();
    r.createdEmail.clear();
    r.changedEmail.clear();
    r.changedBy.clear();
    for (const REZREMARK& m : r.remarks) r.text += "\n" + m.author + ": " + m.text;
    r.remarks.clear();
    r.pictures.clear();
    r.nutrients.clear();
    for (REZZUTAT& z : r.lines) {
      z.blsCode.clear();
      z.grams = 0;
    }
    if (r.hint.empty()) {  // the reader takes the category names for keywords
      for (uint16_t id : r.categories) {
        std::string name;
        if (id && ctx().categories->GetGattName(id, name))
          r.hint += (r.hint.empty() ? "" : ", ") + name;
      }
    }
  }
  if (format == kFormatRezKonv) {
    for (REZZUTAT& z : r.lines) {
      if (!z.text.empty() && z.text[0] == '-') z.text = "- " + z.text.substr(1);
      const size_t dash = z.amount.find('-');
      if (dash != std::string::npos) {  // a range: its first number, the range in the text
        z.text += " (" + z.amount + ")";
        z.amount.resize(dash);
      }
      MixedFractionToDecimal(z.amount);
      if (z.unit == "nB") {  // "n. B.": the reader takes a unit name up to its first blank
        z.unit.clear();
        z.text = "n. B. " + z.text;
      }
    }
  }
  if (format == kFormatCookML) {
    std::vector<std::string> words;  // keywords are cut at blanks and punctuation
    SplitText(r.hint, words, kSplitWords);
    r.hint.clear();
    for (const std::string& w : words) r.hint += (r.hint.empty() ? "" : ", ") + w;
    for (size_t i = 0; i < r.lines.size(); ++i) {
      REZZUTAT& z = r.lines[i];
      if (!z.text.empty() && z.text[0] == '-' && (i == 0 || r.lines[i - 1].text[0] == '*'))
        z.text = z.text.substr(1);  // a note with no ingredient above is an ingredient
      std::string unit = z.unit;
      MixedFractionToDecimal(z.amount);  // mixed numbers travel as decimals
      PrettyAmount(z.amount, unit);      // and the common fractions come back as fractions
    }
  }
  return r;
}

class RoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    // Labels the readers know, so that the key-figure lines come back into their fields.
    e.ChooseFigures({{kFigureAllRemarks},
                     {kFigureKeywords, "Stichwort"},
                     {kFigureTotalTime, "Zeit"},
                     {kFigurePrepTime, "Vorbereitung"},
                     {kFigureCookTime, "Kochzeit"},
                     {kFigureCosts, "Kosten"},
                     {kFigureCreatedDate, "Erfasst am"},
                     {kFigureChangedDate, "Letzte \xC4nderung"},
                     {kFigurePoints, "Weight"},
                     {kFigureRecipeId, "Fingerprint"}});
    test::WriteAll(e.env.Root() + "Pics/knoedel.jpg", kPicture);
    e.AddRecipes(RoundTripRecipes());
  }
  // Exports the book, imports the file into a new book and compares field for field with what
  // the format carries.
  std::vector<REZBLOCK> Check(uint8_t format, const char* name, const char* book) {
    e.Export(format, kSetAll, name);
    const std::vector<REZBLOCK> back = e.ImportInto(e.Path(name), book);
    const std::vector<REZBLOCK> sent = e.Recipes("Ziel");
    EXPECT_EQ(back.size(), sent.size());
    for (size_t i = 0; i < sent.size() && i < back.size(); ++i) {
      const REZBLOCK want = AsCarried(format, sent[i]);
      for (const Field& f : Fields()) {
        std::string a = f.get(want), b = f.get(back[i]);
        if (std::string(f.name) == "text") {
          a = Words(a, format != kFormatCookML);
          b = Words(b, format != kFormatCookML);
        }
        EXPECT_EQ(a, b) << "recipe " << i << ", " << f.name;
      }
    }
    return back;
  }
  static constexpr const char* kPicture = "\xFF\xD8\xFF\xE0 JFIF";
  test::ExportEnv e;
};

TEST_F(RoundTrip, MealMasterCarriesTheHeadIngredientsTextAndKeyFigureFields) {
  Check(kFormatMealMaster, "rund.mm", "MM");
}

TEST_F(RoundTrip, RezKonvCarriesTheHeadIngredientsTextAndKeyFigureFields) {
  Check(kFormatRezKonv, "rund.rk", "RK");
}

TEST_F(RoundTrip, CookMLCarriesEveryFieldAndThePictureItself) {
  const std::vector<REZBLOCK> back = Check(kFormatCookML, "rund.cml", "CML");
  ASSERT_EQ(back.size(), 3u);
  ASSERT_EQ(back[0].pictures.size(), 1u);  // under a name of its own, with the same bytes
  EXPECT_EQ(test::ReadAll(e.env.Root() + "Pics/" + back[0].pictures[0].name), kPicture);
}

}  // namespace
}  // namespace tav
