#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "exchange/import_fields.h"
#include "exchange/text_export_blocks.h"
#include "export_test_support.h"
#include "platform/paths.h"
#include "recipedb/category_table.h"
#include "recipedb/recipe_records.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/text_tools.h"

namespace tav {
namespace {

using test::Ansi;
using test::JoinNotes;
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
  for (REZZUTAT& z : r.lines) {
    FractionCharToText(z.amount);       // ½ travels as 1/2
    if (z.unit == "St") z.unit = "Sk";  // the import names a unit by its main code
  }
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
    std::vector<std::string> words;  // a keyword a line, joined by ", " when read
    SplitText(r.hint, words, kSplitLines);
    std::string hint;
    for (std::string& line : words) {
      for (size_t at = 0, end; at <= line.size(); at = end + 1) {
        end = std::min(line.find_first_of(",;", at), line.size());
        std::string word = line.substr(at, end - at);
        while (!word.empty() && word[0] == ' ') word.erase(0, 1);
        hint += (hint.empty() ? "" : ", ") + word;
      }
    }
    r.hint = hint;
    if (r.hint.empty()) {  // the reader takes the category names for keywords
      for (uint16_t id : r.categories) {
        std::string name;
        if (id && ctx().categories->GetGattName(id, name))
          r.hint += (r.hint.empty() ? "" : ", ") + name;
      }
    }
  }
  if (format == kFormatMealMaster) {
    for (REZZUTAT& z : r.lines) {
      std::replace(z.amount.begin(), z.amount.end(), ',', '.');
      if (z.unit.empty() || !ctx().units->MealMasterCodeFor(z.unit).empty()) continue;
      z.text = UnitWord(z.unit, z.amount) + " " + z.text;  // no Meal-Master code: by name
      z.unit.clear();
    }
    std::vector<std::string> pieces;  // the source block is 26 columns wide
    WrapText(r.source, pieces, 0, 26);
    r.source.clear();
    for (const std::string& piece : pieces) r.source += (r.source.empty() ? "" : "\r\n") + piece;
  }
  if (format == kFormatRezKonv) {
    for (REZZUTAT& z : r.lines) {
      if (!z.text.empty() && z.text[0] == '-') z.text = "- " + z.text.substr(1);
      const size_t dash = z.amount.find('-');
      if (dash != std::string::npos) {  // a range: its first number, the range in the text
        z.text += " (" + z.amount + ")";
        z.amount.resize(dash);
      }
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
      // Numbers with a point; mixed numbers travel as decimals.
      std::replace(z.amount.begin(), z.amount.end(), ',', '.');
      MixedFractionToDecimal(z.amount);
      PrettyAmount(z.amount, unit);      // and the common fractions come back as fractions
    }
  }
  return r;
}

// A cook's real recipes: a long cake with three groups and more than thirty lines of every kind
// of amount and unit, signs of the Windows code page (€, °, ½, –), a text of several
// paragraphs; a recipe with nothing but its title; titles that look like paths.
std::vector<REZBLOCK> RealRecipes() {
  REZBLOCK a;
  ClearRezBlock(a);
  a.title = Ansi("Schwarzwälder Kirschtorte \"Omas Art\" <ohne> & mit Soße");
  a.recipeIdHigh = 1576800000;
  a.recipeIdLow = 42;
  a.quality = '5';
  a.difficulty = '3';
  a.categories[0] = 3;
  a.categories[1] = 5;
  a.categories[2] = 9;
  a.servings = 12;
  a.servingType = Ansi("Stück");
  a.createdBy = Ansi("Jürgen Weiß");
  a.createdDate = "24.12.2019";
  a.source = Ansi("Badische Küche – Heft 3/2019, Seite 42");
  a.prepTime = "45 Min.";
  a.cookTime = "35 Min.";
  a.totalTime = "1 Std. 20 Min.";
  a.costs = Ansi("ca. 12 €");
  a.hint = Ansi("Torte; Kirschen, Schokolade");
  a.lines = {{"", "", "*Biskuit", "", 0, 0},
             {"6", "", "Eier (Gr. M)", "", 0, 0},
             {"200", "g", "Zucker", "", 0, 0},
             {"1", "Pk", "Vanillezucker", "", 0, 0},
             {"1", "Pr", "Salz", "", 0, 0},
             {"150", "g", "Mehl (Type 405)", "", 0, 0},
             {"50", "g", "Speisestärke", "", 0, 0},
             {"50", "g", "Kakaopulver, ungesüßt", "", 0, 0},
             {"2", "TL", "Backpulver", "", 0, 0},
             {"1 1/2", "EL", "heißes Wasser", "", 0, 0},
             {"", "", "*Füllung", "", 0, 0},
             {"2", "Gl", "Sauerkirschen (à 720 ml)", "", 0, 0},
             {"", "", "-abgetropft, Saft auffangen", "", 0, 0},
             {"0,25", "l", "Kirschsaft", "", 0, 0},
             {"2-3", "EL", "Kirschwasser", "", 0, 0},
             {"\xBD", "TL", "Zimt", "", 0, 0},
             {"3/4", "Pk", "Puddingpulver Vanille", "", 0, 0},
             {"1,5", "kg", "Schlagsahne", "", 0, 0},
             {"4", "Pk", "Sahnesteif", "", 0, 0},
             {"100", "ml", "Milch", "", 0, 0},
             {"5", "Bl", "Gelatine, weiß", "", 0, 0},
             {"1", "Msp", "gemahlene Nelken", "", 0, 1},
             {"", "", "*Garnitur & Deko", "", 0, 0},
             {"100", "g", "Zartbitterschokolade (70 %)", "", 0, 0},
             {"12", "", "Cocktailkirschen", "", 0, 0},
             {"1", "Be", "Schmand", "", 0, 0},
             {"1", "Bd", "Minze", "", 0, 0},
             {"1", "Fl", "Rum, braun", "", 0, 1},
             {"1", "Ds", "Kirschen", "", 0, 0},
             {"2", "St", "Zimtstangen", "", 0, 0},
             {"", "nB", "Puderzucker", "", 0, 0},
             {"1", "dl", "Eierlikör", "", 0, 0},
             {"3", "cl", "Amaretto", "", 0, 0},
             {"1", "Kn", "Ingwer", "", 0, 0},
             {"", "", "Schokoraspeln", "", 0, 0}};
  for (REZZUTAT& z : a.lines) z.text = Ansi(z.text);
  a.text = Ansi(
      "Den Backofen auf 180 °C (Umluft 160 °C) vorheizen. Eine Springform (Ø 26 cm) mit "
      "Backpapier auslegen.\r\n"
      "\r\n"
      "Eier trennen. Eiweiß mit Salz steif schlagen, dabei Zucker & Vanillezucker einrieseln "
      "lassen. Eigelb und heißes Wasser unterrühren. Mehl, Stärke, Kakao und Backpulver "
      "mischen, darübersieben und vorsichtig unterheben.\r\n"
      "\r\n"
      "Im Ofen ca. 35 Minuten backen; Stäbchenprobe! Auskühlen lassen und zweimal waagerecht "
      "durchschneiden.\r\n"
      "\r\n"
      "Kirschsaft mit Puddingpulver aufkochen, Kirschen unterheben, mit Kirschwasser <nach "
      "Geschmack> abschmecken.\r\n"
      "-----\r\n"
      "Tipp: Mit Schokoraspeln bestreuen.\r\n"
      "=====\r\n"
      "MMMMM");
  a.remarks = {
      {Ansi("Am Vortag backen, dann lässt sich der Boden besser schneiden."), Ansi("Jürgen Weiß")},
      {"Statt Kirschwasser geht auch Kirschsaft (ohne Alkohol).\r\n-----\r\nBert", "Bert"}};

  REZBLOCK b;  // nothing but a title
  ClearRezBlock(b);
  b.title = "Leeres Rezept";

  REZBLOCK c;
  ClearRezBlock(c);
  c.title = "../x";
  c.servings = 1;
  c.lines = {{"1", "", "Apfel", "", 0, 0}};
  c.text = "2 Stunden ruhen lassen, dann backen.";  // reads like "2 Eier"

  REZBLOCK d;
  ClearRezBlock(d);
  d.title = "a/b:c";
  d.servings = 2;
  d.servingType = "Portionen";
  d.lines = {{"500", "g", "Mehl", "", 0, 0}};
  d.text = "1. Teig kneten.\r\n2. Backen.";  // numbered steps
  REZBLOCK f;
  ClearRezBlock(f);
  f.title = "Erdbeeren mit Sahne";
  f.servings = 2;
  f.lines = {{"250", "g", "Erdbeeren", "", 0, 0}, {"100", "ml", "Sahne", "", 0, 0}};
  f.text = "---------- Tipp ----------\r\nMit Minze servieren.";  // like a group heading
  return {a, b, c, d, f};
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
    e.AddRecipes(Recipes());
  }
  virtual std::vector<REZBLOCK> Recipes() const { return RoundTripRecipes(); }
  // Exports the book, imports the file into a new book and compares field for field with what
  // the format carries.
  std::vector<REZBLOCK> Check(uint8_t format, const char* name, const char* book) {
    e.Export(format, kSetAll, name);
    const std::vector<REZBLOCK> back = e.ImportInto(e.Path(name), book);
    const std::vector<REZBLOCK> sent = e.Recipes("Ziel");
    EXPECT_EQ(back.size(), sent.size());
    for (size_t i = 0; i < sent.size() && i < back.size(); ++i) {
      REZBLOCK want = AsCarried(format, sent[i]), got = back[i];
      if (format == kFormatMealMaster) {  // a long text comes back on description lines
        JoinNotes(want);
        JoinNotes(got);
      }
      for (const Field& f : Fields()) {
        std::string a = f.get(want), b = f.get(got);
        if (std::string(f.name) == "text" || std::string(f.name) == "remarks") {
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

class RealData : public RoundTrip {
 protected:
  std::vector<REZBLOCK> Recipes() const override { return RealRecipes(); }
};

TEST_F(RealData, EveryImportableFormatCarriesWhatItCan) {
  Check(kFormatMealMaster, "echt.mm", "MM");
  Check(kFormatRezKonv, "echt.rk", "RK");
  Check(kFormatCookML, "echt.cml", "CML");
}

void CopyTemplates(test::ExportEnv& e) {
  for (const char* name : {"ViewTPL.html", "QViewTPL.html", "IndexTPL.html"})
    test::WriteAll(e.env.Root() + "HTML/" + name,
                   test::ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/HTML/" + name));
}

// The same recipes as they leave the program for other readers: CookML as well-formed UTF-8
// with every sign of the code page in its own UTF-8 form, HTML escaped in the Windows code page
// its template names, the readable text in its columns.
TEST_F(RealData, TheFilesShowTheTextsAsWrittenInTheirOwnCoding) {
  CopyTemplates(e);
  e.Export(kFormatCookML, kSetAll, "echt.cml");
  const std::string cml = test::ReadAll(e.Path("echt.cml"));
  for (const char* want :
       {"<head title=\"Schwarzw\xC3\xA4lder Kirschtorte &quot;Omas Art&quot; &lt;ohne&gt; &amp; "
        "mit So\xC3\x9F"
        "e\"",
        "costs=\"ca. 12 \xE2\x82\xAC\"",
        "<sourceline>Badische K\xC3\xBC"
        "che \xE2\x80\x93 Heft",
        "auf 180 \xC2\xB0"
        "C (Umluft 160 \xC2\xB0"
        "C)",
        "(\xC3\x98 26 cm)", "<ingredient qty=\"0.5\" unit=\"TL\" item=\"Zimt\"/>",
        "<ingredient qty=\"1.5\" unit=\"EL\" item=\"hei\xC3\x9F"
        "es Wasser\"/>",
        "<part title=\"Garnitur &amp; Deko\">", "<head title=\"../x\"", "<head title=\"a/b:c\""})
    EXPECT_NE(cml.find(want), std::string::npos) << want;
  if (std::system("xmllint --version >/dev/null 2>&1") == 0) {
    const std::string out = e.env.Root() + "xmllint.txt";
    const std::string command =
        "xmllint --noout --nonet \"" + e.Path("echt.cml") + "\" >\"" + out + "\" 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << test::ReadAll(out);
  }

  e.exporter.Ziel = kTargetClipboard;
  e.Export(kFormatHTML, kSetAll, "");
  const std::string html = e.env.clipboard.text;
  EXPECT_NE(html.find("Schwarzw\xE4lder Kirschtorte &quot;Omas Art&quot; &lt;ohne&gt; &amp; mit "
                      "So\xDF"
                      "e"),
            std::string::npos);
  EXPECT_NE(html.find("auf 180 \xB0" "C (Umluft 160 \xB0" "C)"), std::string::npos);
  EXPECT_NE(html.find("Kirschwasser &lt;nach Geschmack&gt; abschmecken."), std::string::npos);
  EXPECT_EQ(html.find("<ohne>"), std::string::npos);
  EXPECT_EQ(html.find("<nach"), std::string::npos);

  e.Export(kFormatText, kSetAll, "");
  const std::string text = e.env.clipboard.text;
  EXPECT_NE(text.find("\r\n F\xDCLLUNG\r\n      2 Gl Sauerkirschen (\xE0 720 ml)"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n GARNITUR & DEKO\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n Leeres Rezept\r\n"), std::string::npos);
}

// An empty book gives no recipe and no broken file; one recipe and five thousand come back
// whole.
TEST(RoundTripSizes, AnEmptyBookOneRecipeAndFiveThousand) {
  test::ExportEnv e;
  CopyTemplates(e);
  const std::pair<uint8_t, const char*> formats[] = {{kFormatMealMaster, ".mm"},
                                                     {kFormatRezKonv, ".rk"},
                                                     {kFormatText, ".txt"},
                                                     {kFormatCookML, ".cml"},
                                                     {kFormatHTML, ".html"}};
  for (const auto& [format, extension] : formats) {
    const std::string name = std::string("leer") + extension;
    e.Export(format, kSetAll, name);
    const std::vector<std::string>& log = e.exporter.Log();
    EXPECT_NE(std::find(log.begin(), log.end(), GetLangText(145)), log.end()) << name;
    EXPECT_EQ(log.back(), GetLangText(134)) << name;
  }
  // No file of nothing, except the ones a reader expects whole: the text with its trailer line
  // and a CookML document without recipes, which imports as none.
  for (const char* name : {"leer.mm", "leer.rk", "leer.html", "leer_Index.html"})
    EXPECT_FALSE(FileExists(e.Path(name))) << name;
  EXPECT_EQ(test::ReadAll(e.Path("leer.txt")), GetLangText(129) + ExportVersion() + "\r\n");
  EXPECT_TRUE(e.ImportInto(e.Path("leer.cml"), "Leer").empty());

  std::vector<REZBLOCK> many;
  for (int i = 1; i <= 5000; ++i) many.push_back(test::PlainRecipe(i));
  e.AddRecipes(many);
  e.exporter.list = e.AllRows();
  e.exporter.Split = false;
  for (const auto& [format, extension] : formats) {
    if (format == kFormatText || format == kFormatHTML) continue;
    const std::string name = std::string("alle") + extension;
    e.Export(format, kSetAll, name);
    const std::vector<REZBLOCK> back = e.ImportInto(e.Path(name), std::string("B") + extension);
    ASSERT_EQ(back.size(), 5000u) << name;
    EXPECT_EQ(back.front().title, "Rezept 00001") << name;
    EXPECT_EQ(back.back().title, "Rezept 05000") << name;
    EXPECT_EQ(back.back().lines.size(), 2u) << name;
  }
}

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
