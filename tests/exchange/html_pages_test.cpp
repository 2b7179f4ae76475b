#include <gtest/gtest.h>

#include <cstdlib>

#include "exchange/html_index.h"
#include "exchange/html_recipe_page.h"
#include "exchange/page_output.h"
#include "export_test_support.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_records.h"
#include "recipedb/servings.h"

namespace tav {
namespace {

using test::Ansi;

PARA_SHOWDATA HtmlFigure(int32_t id, const char* label = nullptr, const char* code = "") {
  return test::Figure(kKeyFiguresHtml, id, label, code);
}

// A recipe with a picture, two categories with symbols, ingredients the catalogue has pictures
// of, ratings, times, remarks and a text with line ends and a key-figure-like line.
REZBLOCK PictureRecipe() {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = Ansi("Äpfel & Birnen <im Teig>");
  r.recipeIdHigh = 9;
  r.recipeIdLow = 10;
  r.quality = '3';
  r.difficulty = '2';
  r.categories[0] = 6;
  r.categories[1] = 10;
  r.categories[2] = 14;
  r.servings = 4;
  r.servingType = "Portionen";
  r.createdBy = "Anna";
  r.source = "Heft 3\r\nSeite 7";
  r.prepTime = "20";
  r.cookTime = "35";
  r.totalTime = "0";
  r.hint = "Obst, Herbst";
  r.pictures = {{'F', "apfel.jpg"}};
  r.lines = {{"", "", "*Teig", "", 0, 0},          {"200", "g", "Mehl", "", 0, 0},
             {"1,333", "EL", "Zucker", "", 0, 0},  {"", "", "-fein", "", 0, 0},
             {"", "", Ansi("*Füllung"), "", 0, 0}, {"3", "", Ansi("Äpfel"), "", 0, 0},
             {"2", "", "Birnen", "", 0, 0},        {"1", "Pr", "Zimt", "", 0, 0}};
  r.text = "Teig kneten.\r\nObst schneiden.\r\n:kein Kenndatum";
  r.remarks = {{"Sehr fein.", "Tavolin!-Benutzer"}, {"Zu s\xFC\xDF.", "Bert"}};
  r.nutrients = {test::Nutrient("GCAL", "1200")};
  return r;
}

class HtmlPages : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"ViewTPL.html", "QViewTPL.html", "IndexTPL.html"})
      test::WriteAll(Root() + "HTML/" + name,
                     test::ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/HTML/" + name));
    test::WriteAll(Root() + "HTML/alles.html",
                   test::ReadAll(test::Fixture("html_template_every_marker.html")));
    test::WriteAll(Root() + "Pics/apfel.jpg",
                   test::ReadAll(test::Fixture("jpeg_red_green_blue.jpg")));
    ResetIndexRowToggleForTest();
    SetDecimalSep(',');  // a German system
    e.figures.keyFigures = {HtmlFigure(kFigureServings),  HtmlFigure(kFigureCategories),
                            HtmlFigure(kFigureCookTime),  HtmlFigure(kFigureSource, "Aus"),
                            HtmlFigure(kFigureRecipeId),  HtmlFigure(kFigureEnergy),
                            HtmlFigure(kFigureQuality),   HtmlFigure(kFigureDifficulty),
                            HtmlFigure(kFigureBookName),  HtmlFigure(kFigureKeywords),
                            HtmlFigure(kFigureAllRemarks)};
    for (const char* name : {"Birnen", "Zimt"}) {
      REZZUTATEN z;
      z.plural = name;
      z.singular = name;
      z.picture = std::string(name) + ".gif";
      catalogue.zutaten.push_back(z);
    }
    ctx().ingredients = &catalogue;
    for (REZGATT& g : e.categories.gatt)
      if (g.id == 6 || g.id == 14) g.symbol = "sym" + std::to_string(g.id) + ".bmp";
  }
  void TearDown() override {
    ctx().ingredients = nullptr;
    SetDecimalSep('.');
  }
  const std::string& Root() const { return e.env.Root(); }
  // The whole file export of the book in HTML; the run's log.
  void ExportHtml(const std::string& name) { e.Export(kFormatHTML, kSetAll, name); }
  std::string File(const std::string& name) const { return test::ReadAll(e.Path(name)); }
  // One page of a recipe with the template `name` (option 57), in the clipboard text.
  std::string Page(REZBLOCK recipe, const std::string& name = "alles.html") {
    ctx().options->SetParaString(57, name);
    e.exporter.Format = kFormatHTML;
    e.exporter.Ziel = kTargetClipboard;
    e.exporter.ClipText.clear();
    WriteHTMLRecipe(e.exporter, recipe, false);
    return e.exporter.ClipText;
  }

  test::ExportEnv e;
  IngredientCatalogue catalogue;
};

TEST_F(HtmlPages, EveryMarkerOfAPageWithPicturesRatingsAndTheColumnTable) {
  REZBLOCK r = PictureRecipe();
  r.bookId = e.store.BookId();
  // The page names the data root; the fixture holds it as ROOT/.
  std::string page = Page(r);
  for (size_t p = page.find(Root()); p != std::string::npos; p = page.find(Root(), p))
    page.replace(p, Root().size(), "ROOT/");
  if (std::getenv("TAVOLIN_WRITE_GOLDEN"))
    test::WriteAll(test::Fixture("html_page_every_marker_cp1252.html"), page);
  EXPECT_EQ(page, test::ReadAll(test::Fixture("html_page_every_marker_cp1252.html")));
}

TEST_F(HtmlPages, PicturesFitTheirBoxAndMissingOnesLoseTheirImageTag) {
  struct Case {
    int pw, ph, bw, bh, w, h;
  } cases[] = {{400, 200, 250, 200, 250, 125},  // wider than the box
               {100, 200, 250, 200, 100, 200},  // higher: the height fills
               {50, 40, 250, 200, 250, 200},    // smaller: enlarged
               {400, 200, 300, 150, 300, 150},  // the box of "h150 w300"
               {0, 0, 250, 200, 0, 0}};         // no picture
  for (const Case& c : cases) {
    int w = -1, h = -1;
    HtmlRecipePage::FitPicture(c.pw, c.ph, c.bw, c.bh, w, h);
    EXPECT_EQ(w, c.w) << c.pw << "x" << c.ph;
    EXPECT_EQ(h, c.h) << c.pw << "x" << c.ph;
  }
  REZBLOCK r = PictureRecipe();
  std::string page = Page(r);
  EXPECT_NE(page.find("<img src=\"file://" + Root() +
                      "Pics/apfel.jpg\" width=\"300\" "
                      "height=\"100\"  alt=\"Bild\">"),
            std::string::npos);
  // Ingredient picture 3 of two, and category picture 0: the line in upper case without its
  // first image tag, here the whole line.
  EXPECT_NE(page.find("alt=\"Zutat 1\">\r\n\r\n" + GetLangText(535)), std::string::npos);
  EXPECT_NE(page.find("alt=\"Gattung 2\">\r\n\r\n<img"), std::string::npos);
  EXPECT_EQ(page.find("ALT="), std::string::npos);
  // Category pictures lie with the categories, ingredient pictures with the ingredients.
  EXPECT_NE(page.find("Pics/Gattungen/sym6.bmp\" alt=\"Gattung 1\">"), std::string::npos);
  EXPECT_NE(page.find("Pics/Zutaten/Birnen.gif\" alt=\"Zutat 1\">"), std::string::npos);

  // A picture file that is missing, or that is no picture, counts as none: its line is gone.
  for (const char* bytes : {"", "kein Bild"}) {
    if (*bytes) test::WriteAll(Root() + "Pics/kaputt.jpg", bytes);
    r.pictures = {{'F', *bytes ? "kaputt.jpg" : "fehlt.jpg"}};
    page = Page(r);
    EXPECT_NE(page.find("<p>eine Zeile ohne Marke</p>\r\n\r\n\r\n<img"), std::string::npos)
        << bytes;
    EXPECT_EQ(page.find("alt=\"Bild\""), std::string::npos);
  }
  // The small pictures' folder of option 60 serves both kinds.
  ctx().options->SetParaString(60, "bilder/");
  r = PictureRecipe();
  page = Page(r);
  EXPECT_NE(page.find("<img src=\"bilder/sym6.bmp\""), std::string::npos);
  EXPECT_NE(page.find("<img src=\"bilder/Birnen.gif\""), std::string::npos);
  EXPECT_NE(page.find("src=\"bilder/Star.gif\">"), std::string::npos);
  // Option 59 names the pictures by its address instead.
  ctx().options->SetParaString(59, "http://bilder.example/");
  r.pictures = {{'F', "apfel.jpg"}};
  page = Page(r);
  EXPECT_NE(page.find("<img src=\"http://bilder.example/apfel.jpg\" width=\"300\""),
            std::string::npos);
}

// Picture names and file names come from recipes, imports and the save dialog: in an address
// they are escaped like any recipe text, so a quote can never end the attribute.
TEST_F(HtmlPages, PictureAddressesAndLinkedFileNamesAreEscaped) {
  ctx().options->SetParaString(59, "http://bilder.example/");
  const std::string odd = "k\xE4se\" onerror=\"alert(1)&x.jpg";
  test::WriteAll(Root() + "Pics/" + odd, test::ReadAll(Root() + "Pics/apfel.jpg"));
  REZBLOCK r = PictureRecipe();
  r.pictures = {{'F', odd}};
  std::string page = Page(r);
  EXPECT_NE(page.find("<img src=\"http://bilder.example/k\xE4se&quot; onerror=&quot;alert(1)&amp;"
                      "x.jpg\" width=\"300\""),
            std::string::npos);
  EXPECT_EQ(page.find("onerror=\""), std::string::npos);
  ctx().options->SetParaString(59, "");
  for (REZZUTATEN& z : catalogue.zutaten) z.picture = z.singular + "\"><script>.gif";
  page = Page(PictureRecipe());
  EXPECT_NE(page.find("Pics/Zutaten/Birnen&quot;&gt;&lt;script&gt;.gif\" alt=\"Zutat 1\">"),
            std::string::npos);
  EXPECT_EQ(page.find("<script>"), std::string::npos);

  // An index run to a file whose name holds markup: the links and the frameset name the pages
  // escaped, the files themselves carry the name as chosen.
  e.AddRecipes({test::PlainRecipe(1), test::PlainRecipe(2)});
  e.exporter.Ziel = kTargetFile;
  ExportHtml("Omas \"beste\" & <liebste>.html");
  EXPECT_TRUE(FileExists(e.Path("Omas \"beste\" & <liebste>_2.html")));
  const std::string index = File("Omas \"beste\" & <liebste>_Index.html");
  EXPECT_NE(index.find("<a href=\"Omas &quot;beste&quot; &amp; &lt;liebste&gt;_2.html\""),
            std::string::npos);
  const std::string start = File("Omas \"beste\" & <liebste>_Start.html");
  EXPECT_NE(start.find("<frame src=\"Omas &quot;beste&quot; &amp; &lt;liebste&gt;_Index.html\""),
            std::string::npos);
  EXPECT_NE(start.find("<frame src=\"Omas &quot;beste&quot; &amp; &lt;liebste&gt;.html\""),
            std::string::npos);
  ctx().options->SetParaString(34, "");
  ExportHtml("A&B.html");
  EXPECT_NE(File("A&B_2.html").find("<a href=\"A&amp;B_Index.html\">"), std::string::npos);
}

TEST_F(HtmlPages, TitleCategoriesAndTheListMode) {
  const std::string page = Page(PictureRecipe());
  // A line without marker is followed by an empty line; "%20" writes the title for an address.
  EXPECT_NE(page.find("<p>eine Zeile ohne Marke</p>\r\n\r\n"), std::string::npos);
  EXPECT_NE(page.find("<h1>") == std::string::npos
                ? page.find(Ansi("\r\n\r\nÄpfel &amp; Birnen &lt;im Teig&gt;\r\n\r\nÄpfel%20"))
                : std::string::npos,
            std::string::npos);
  EXPECT_NE(page.find(Ansi("Äpfel%20&amp;%20Birnen%20&lt;im%20Teig&gt;\r\n<p>eine Zeile")),
            std::string::npos);
  // "$Gattung B": one name a line; "$Gattung 2": two names a line.
  const std::string cat = GetLangText(535);
  EXPECT_NE(page.find(cat + "Desserts<BR>\r\n" + cat + "Brot &amp; Br\xF6tchen<BR>\r\n" + cat +
                      "Fr\xFChst\xFC"
                      "ck<BR>\r\n"),
            std::string::npos);
  EXPECT_NE(page.find(cat + "Desserts, Brot &amp; Br\xF6tchen<BR>\r\n" + cat +
                      "Fr\xFChst\xFC"
                      "ck<BR>\r\n"),
            std::string::npos);

  // "$Zutaten2" with five lines: three entries in the first column, two in the second; a
  // heading with an amount is an entry like any other.
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Liste";
  r.lines = {{"1", "", "a", "", 0, 0},
             {"2", "", "b", "", 0, 0},
             {"3", "", "c", "", 0, 0},
             {"4", "", "d", "", 0, 0},
             {"5", "", "*e", "", 0, 0}};
  test::WriteAll(Root() + "HTML/liste.html", "<!-- $Zutaten2 -->\r\n");
  EXPECT_EQ(Page(r, "liste.html"),
            "      <table border=\"0\" width=\"100%\">\r\n        <tr>\r\n"
            "          <td valign=\"top\" width=\"50%\"><font size=\"2\" face=\"Arial\">\r\n"
            "1 a\r\n<br>\r\n\r\n2 b\r\n<br>\r\n\r\n3 c\r\n<br>\r\n\r\n"
            "        </font></td>\r\n"
            "        <td valign=\"top\" width=\"50%\"><font size=\"2\" face=\"Arial\">\r\n"
            "4 d\r\n<br>\r\n\r\n5 *e\r\n<br>\r\n\r\n"
            "        </font></td>\r\n      </tr>\r\n    </table>\r\n");
}

TEST_F(HtmlPages, ColumnTableWidthsAndItsClosingLines) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Tabelle";
  r.lines = {{"1,5", "g", "a", "", 0, 0}};
  test::WriteAll(Root() + "HTML/t.html", "<!-- $Zutaten C1:40% C2:15 C3 -->\r\n");
  const std::string page = Page(r, "t.html");
  EXPECT_NE(page.find("<td valign=\"top\" width=\"40%\"><font size=\"2\" face=\"Arial\"><nobr>"),
            std::string::npos);
  EXPECT_NE(page.find("<td valign=\"top\" width=\"15\">\r\n"), std::string::npos);
  EXPECT_NE(page.find("          <td valign=\"top\">\r\n"), std::string::npos);  // C3: no width
  EXPECT_NE(page.find("1,50\r\n"), std::string::npos);  // amounts with two decimals, as set
  // One column: the block's table ends with the two closing lines.
  EXPECT_NE(page.find("a\r\n       </nobr></font></td>\r\n          </nobr></font></td>\r\n"),
            std::string::npos);
}

TEST_F(HtmlPages, KeyFiguresRemarksAndOption32) {
  REZBLOCK r = PictureRecipe();
  r.bookId = e.store.BookId();
  std::string page = Page(r);
  EXPECT_NE(page.find("\nGarzeit: 35<br>"), std::string::npos);
  EXPECT_NE(page.find("\nAus: Heft 3<br>\r\nAus: Seite 7<br>"), std::string::npos);
  EXPECT_NE(page.find(":kein Kenndatum"), std::string::npos);
  // Remarks of every author (figure 15); the last piece once more.
  EXPECT_NE(
      page.find("&nbsp;&nbsp;&nbsp;Bert:<br>\r\n\r\nZu s\xFC\xDF.\r\n<br>\r\n\r\n<br>\r\n\r\n"),
      std::string::npos);
  // A first category slot of 0 still gives the figure line with its label.
  r.categories[0] = 0;
  page = Page(r);
  EXPECT_NE(page.find("\nGattungen: Brot &amp; Br\xF6tchen, Fr\xFChst\xFC"
                      "ck<br>"),
            std::string::npos);
  ctx().options->SetParaBool(32, true);
  e.exporter.NoExpInfo = true;
  page = Page(r);
  EXPECT_EQ(page.find("Garzeit"), std::string::npos);
  EXPECT_EQ(page.find(":kein Kenndatum"), std::string::npos);
  EXPECT_NE(page.find("Obst schneiden.<br>"), std::string::npos);
  e.exporter.NoExpInfo = false;
  // An empty source leaves its template line as it is.
  r.source.clear();
  page = Page(r);
  EXPECT_NE(page.find("$Quelle P#Quelle: #S#<br>#\r\n\r\n"), std::string::npos);
}

TEST_F(HtmlPages, AMissingTemplateIsSaidOnceAndTheRunStopsWithoutFiles) {
  e.AddRecipes({PictureRecipe(), test::PlainRecipe(2), test::PlainRecipe(3)});
  ctx().options->SetParaString(57, "fehlt.html");
  const size_t before = e.env.messages.shown.size();
  ExportHtml("menu.html");
  ASSERT_EQ(e.env.messages.shown.size(), before + 1);
  EXPECT_EQ(e.env.messages.shown.back().text, GetLangText(124));
  EXPECT_EQ(e.exporter.Log().back(), GetLangText(131));
  for (const char* name : {"menu.html", "menu_2.html", "menu_Index.html", "menu_Start.html"})
    EXPECT_FALSE(FileExists(e.Path(name))) << name;
  // No recipe taken (none is marked): no page, no index, no frameset around them.
  ctx().options->SetParaString(57, "ViewTPL.html");
  e.Export(kFormatHTML, kSetMarked, "leer.html");
  for (const char* name : {"leer.html", "leer_Index.html", "leer_Start.html"})
    EXPECT_FALSE(FileExists(e.Path(name))) << name;
}

// A run that fails in the middle (the third page cannot take its name) leaves the index and the
// frameset of the run before as they were: thirteen links stay thirteen, the start page stays.
// A reader of a page knows unit names, not the codes the book stores: the export's list and
// the column table name every unit, in the program's language.
TEST_F(HtmlPages, UnitsStandByTheirNamesNeverByTheirCodes) {
  REZBLOCK r = test::PlainRecipe(1);
  r.lines = {{"12", "Sk", "Ancho chiles", "", 0, 0},
             {"2", "mi", "Onions", "", 0, 0},
             {"1/4", "Tas", "Olive oil", "", 0, 0},
             {"3", "Zeh", "Knoblauch", "", 0, 0}};
  test::WriteAll(Root() + "HTML/liste.html", "<html><body>\r\n$Zutaten -\r\n</body></html>\r\n");
  const std::string list = Page(r, "liste.html");
  for (const char* entry : {"12 Stk. Ancho chiles", "2 mittel Onions", "1/4 Tasse Olive oil",
                            "3 Zehen Knoblauch"})
    EXPECT_NE(list.find(entry), std::string::npos) << entry << "\n" << list;
  const std::string table = Page(r, "QViewTPL.html");
  for (const char* code : {"\r\nSk\r\n", "\r\nmi\r\n", "\r\nTas\r\n", "\r\nZeh\r\n"})
    EXPECT_EQ(table.find(code), std::string::npos) << code;
  EXPECT_NE(table.find("\r\nStk.\r\n"), std::string::npos) << table;
}

TEST_F(HtmlPages, AFailedExportKeepsTheIndexAndFramesetOfTheRunBefore) {
  std::vector<REZBLOCK> recipes;
  for (int i = 1; i <= 13; ++i) recipes.push_back(test::PlainRecipe(i));
  e.AddRecipes(recipes);
  ExportHtml("menu.html");
  const std::string index = File("menu_Index.html"), start = File("menu_Start.html");
  size_t links = 0;
  for (size_t at = index.find("<a href="); at != std::string::npos; at = index.find("<a href=", at + 1))
    ++links;
  ASSERT_EQ(links, 13u);
  ASSERT_FALSE(start.empty());

  std::remove(e.Path("menu_3.html").c_str());
  MakeDirs(e.Path("menu_3.html") + "/besetzt");  // the third page cannot be renamed into place
  ExportHtml("menu.html");
  EXPECT_EQ(e.exporter.Log().back(), GetLangText(131));
  EXPECT_EQ(File("menu_Index.html"), index);
  EXPECT_EQ(File("menu_Start.html"), start);
}

TEST_F(HtmlPages, ThreeRecipesGiveTheirPagesTheIndexWithAlternatingRowsAndTheFrameset) {
  e.AddRecipes({PictureRecipe(), test::PlainRecipe(2), test::PlainRecipe(3)});
  ExportHtml("menu.html");
  EXPECT_EQ(e.exporter.WrittenFiles(),
            (std::vector<std::string>{e.Path("menu.html"), e.Path("menu_2.html"),
                                      e.Path("menu_3.html")}));
  const std::string index = File("menu_Index.html");
  if (std::getenv("TAVOLIN_WRITE_GOLDEN"))
    test::WriteAll(test::Fixture("html_index_three_recipes_cp1252.html"), index);
  EXPECT_EQ(index, test::ReadAll(test::Fixture("html_index_three_recipes_cp1252.html")));
  const std::string even = "<font face=\"Arial\" size=\"2\" color=\"#1F4E79\">";
  const std::string odd = "<font face=\"Arial\" size=\"2\" color=\"#8A5A14\">";
  EXPECT_NE(index.find("<a href=\"menu.html\" target=\"RezFrame\">" + even +
                       "\xC4pfel &amp; Birnen &lt;im Teig&gt;</font></a><br>\r\n"
                       "<a href=\"menu_2.html\" target=\"RezFrame\">" +
                       odd +
                       "Rezept 00002</font></a><br>\r\n"
                       "<a href=\"menu_3.html\" target=\"RezFrame\">" +
                       even),
            std::string::npos);
  EXPECT_EQ(index.find("Rezepte verwaltet von"), std::string::npos);  // frames: no footer
  const std::string start = File("menu_Start.html");
  EXPECT_NE(start.find("<frameset cols=\"280,*\" border=0>\r\n"
                       "   <frame src=\"menu_Index.html\" name=\"tavmenue\" frameborder=1 "
                       "marginwidth=10 merginheight=10>\r\n"
                       "   <frame src=\"menu.html\" name=\"RezFrame\" frameborder=1 "
                       "marginwidth=10 merginheight=10>\r\n"),
            std::string::npos);
  EXPECT_NE(start.find("<body><H4>" + GetLangText(130) + "</H4><P></body>"), std::string::npos);
  // With frames the pages carry no link back; the start page is opened (option 37).
  EXPECT_EQ(File("menu_2.html").find(GetLangText(128)), std::string::npos);
  ASSERT_FALSE(e.env.shell.opened.empty());
  EXPECT_EQ(e.env.shell.opened.back(), e.Path("menu_Start.html"));

  // Without a frame name: links without target, a link back on every page, the index footer;
  // the second run goes on with the odd pair.
  ctx().options->SetParaString(34, "");
  ExportHtml("ohne.html");
  const std::string second = File("ohne_Index.html");
  EXPECT_NE(second.find("<a href=\"ohne.html\">" + odd), std::string::npos);
  EXPECT_NE(second.find("<hr>\r\n<font size=\"1\" face=\"Arial\">Rezepte verwaltet von <a href="),
            std::string::npos);
  EXPECT_NE(File("ohne_3.html")
                .find("<a href=\"ohne_Index.html\">" + GetLangText(128) + "</a></font>\r\n"),
            std::string::npos);
  EXPECT_FALSE(FileExists(e.Path("ohne_Start.html")));
  EXPECT_EQ(e.env.shell.opened.back(), e.Path("ohne_Index.html"));

  // The view's page after an index run has no link back to that index.
  e.exporter.list = e.AllRows();
  e.exporter.list.selected[1] = 1;
  e.exporter.list.currentRow = 1;
  ASSERT_TRUE(ExportPreview(e.exporter, true));
  const std::string view = test::ReadAll(PreviewFilePath(true));
  EXPECT_NE(view.find("Rezept 00002"), std::string::npos);
  EXPECT_EQ(view.find("_Index"), std::string::npos);
}

TEST_F(HtmlPages, IndexRowTextsTakeTheirKeywordBeforeTheSecondAt) {
  test::WriteAll(Root() + "HTML/IndexTPL.html",
                 "<b>\r\n$DefFormat @A@@ RezGerade\r\n$DefFormat RezUngerade @B@\r\n"
                 "$Rezepte\r\n</b>\r\n");
  e.exporter.EvenRowHead = "alt";
  e.AddRecipes({test::PlainRecipe(1), test::PlainRecipe(2)});
  ctx().options->SetParaString(34, "");
  ExportHtml("k.html");
  // The first line's keyword stands after its second '@': the even pair stays as it was. The
  // second gives a head and an empty tail. Without "</body>" no footer is written.
  EXPECT_EQ(File("k_Index.html"),
            "<b>\r\n<a href=\"k.html\">altRezept 00001</a><br>\r\n"
            "<a href=\"k_2.html\">BRezept 00002</a><br>\r\n</b>\r\n");
}

TEST_F(HtmlPages, TheViewPagesAreWrittenAnewScaledToTheChosenServings) {
  REZBLOCK r = test::PlainRecipe(1);
  r.lines = {{"1,3333", "kg", "Mehl", "", 0, 0}, {"1,25", "l", "Milch", "", 0, 0}};
  e.AddRecipes({r});
  e.exporter.list = e.AllRows();
  e.exporter.list.selected[0] = 1;
  e.exporter.list.currentRow = 0;

  // The scratch files' folder is made when missing.
  std::remove((Root() + "Export/Rezept.html").c_str());
  ASSERT_EQ(std::system(("rm -rf '" + Root() + "Export'").c_str()), 0);
  SetChosenServings(0);
  ASSERT_TRUE(ExportPreview(e.exporter, false));
  std::string text = test::ReadAll(PreviewFilePath(false));
  EXPECT_NE(text.find("1,33 kg Mehl"), std::string::npos);
  EXPECT_NE(text.find("1,25  l Milch"), std::string::npos);

  // Rezept.html with the view template, scaled to 8 servings, handed to the desktop.
  SetChosenServings(8);
  ShowRecipeHTML(e.exporter);
  const std::string page = test::ReadAll(e.Path("Rezept.html"));
  EXPECT_NE(page.find("\r\n2,67\r\n"), std::string::npos);
  EXPECT_NE(page.find("\r\n2,50\r\n"), std::string::npos);
  EXPECT_EQ(e.env.shell.opened.back(), e.Path("Rezept.html"));
  SetChosenServings(0);

  // Nothing selected: nothing is written or opened.
  const size_t opened = e.env.shell.opened.size();
  e.exporter.list.selected[0] = 0;
  e.exporter.list.currentRow = -1;
  std::remove(e.Path("Rezept.html").c_str());
  ShowRecipeHTML(e.exporter);
  EXPECT_EQ(e.env.shell.opened.size(), opened);
  EXPECT_FALSE(FileExists(e.Path("Rezept.html")));

  // A clipboard export before does not stop the single page.
  e.exporter.list.selected[0] = 1;
  e.exporter.list.currentRow = 0;
  e.exporter.Ziel = kTargetClipboard;
  e.Export(kFormatHTML, kSetCurrent, "");
  ShowRecipeHTML(e.exporter);
  EXPECT_TRUE(FileExists(e.Path("Rezept.html")));
}

}  // namespace
}  // namespace tav
