// The exported HTML pages in a real browser: headless chromium loads the index, the frameset
// and the recipe pages and dumps their DOM. Skipped where chromium is not installed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "exchange/html_index.h"
#include "export_test_support.h"
#include "platform/paths.h"
#include "recipedb/recipe_records.h"
#include "services/text_tools.h"

namespace tav {
namespace {

using test::Ansi;

std::string Chromium() {
  for (const char* path : {"/usr/bin/chromium", "/usr/bin/chromium-browser"})
    if (FileExists(path)) return path;
  return std::string();
}

class HtmlInBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    browser = Chromium();
    if (browser.empty()) GTEST_SKIP() << "chromium is not installed";
    for (const char* name : {"ViewTPL.html", "QViewTPL.html", "IndexTPL.html"})
      test::WriteAll(e.env.Root() + "HTML/" + name,
                     test::ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/HTML/" + name));
    for (const char* name : {"Star.gif", "Difficulty3.gif"})
      test::WriteAll(e.env.Root() + "Pics/Zutaten/" + name,
                     test::ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Pics/Zutaten/" + name));
    test::WriteAll(e.env.Root() + "Pics/kuchen.jpg",
                   test::ReadAll(test::Fixture("jpeg_red_green_blue.jpg")));
    ResetIndexRowToggleForTest();
  }
  // The browser headless, on a fresh profile of its own, without anything that goes out.
  std::string Headless() const {
    return "'" + browser +
           "' --headless --no-sandbox --disable-gpu --disable-background-networking "
           "--disable-component-update --disable-sync --no-first-run --user-data-dir='" +
           e.env.Root() + "chromium-profile' ";
  }
  // The DOM of a file after its scripts and frames loaded; the browser's messages in `log`.
  std::string Dom(const std::string& file, std::string& log) {
    const std::string errors = e.env.Root() + "chromium.log";
    const std::string dom = test::CommandOutput(
        Headless() + "--enable-logging=stderr --v=0 --dump-dom 'file://" + file + "'", errors);
    log = test::ReadAll(errors);
    return dom;
  }
  std::string browser;
  test::ExportEnv e;
};

TEST_F(HtmlInBrowser, IndexFramesetAndPagesLoadWithTheirRecipesAndLinks) {
  REZBLOCK cake = test::PlainRecipe(1);
  cake.title = Ansi("Käsekuchen & Co.");
  cake.quality = '4';
  cake.difficulty = '3';
  cake.pictures = {{'F', "kuchen.jpg"}};
  cake.lines = {{"", "", "*Boden", "", 0, 0},     {"250", "g", "Mehl", "", 0, 0},
                {"125", "g", "Butter", "", 0, 0}, {"", "", Ansi("*Füllung"), "", 0, 0},
                {"500", "g", "Quark", "", 0, 0},  {"3", "", "Eier", "", 0, 0}};
  cake.text = "Boden backen.\r\nQuark <und> Eier verr\xFChren.";
  e.AddRecipes({cake, test::PlainRecipe(2), test::PlainRecipe(3)});
  e.Export(kFormatHTML, kSetAll, "menu.html");
  ASSERT_EQ(e.exporter.WrittenFiles().size(), 3u);

  std::string log;
  const std::string index = Dom(e.Path("menu_Index.html"), log);
  EXPECT_EQ(log.find("Uncaught"), std::string::npos) << log;
  EXPECT_NE(index.find("K\xC3\xA4sekuchen &amp; Co."), std::string::npos) << index;
  for (const char* link : {"href=\"menu.html\"", "href=\"menu_2.html\"", "href=\"menu_3.html\""})
    EXPECT_NE(index.find(link), std::string::npos) << link;
  EXPECT_NE(index.find("target=\"RezFrame\""), std::string::npos);

  const std::string start = Dom(e.Path("menu_Start.html"), log);
  EXPECT_NE(start.find("<frame src=\"menu_Index.html\" name=\"tavmenue\""), std::string::npos)
      << start;
  EXPECT_NE(start.find("<frame src=\"menu.html\" name=\"RezFrame\""), std::string::npos);

  const std::string page = Dom(e.Path("menu.html"), log);
  EXPECT_EQ(log.find("Uncaught"), std::string::npos) << log;
  for (const char* text : {"K\xC3\xA4sekuchen &amp; Co.\n</title>", "Mehl", "Butter",
                           "F\xC3\xBCllung", "Quark &lt;und&gt; Eier verr\xC3\xBChren.", "Star.gif",
                           "Difficulty3.gif", "kuchen.jpg\" width=\"300\" height=\"100\""})
    EXPECT_NE(page.find(text), std::string::npos) << text << "\n" << page;
  // The markup of the recipe's text stays text: no element <und>.
  EXPECT_EQ(page.find("<und>"), std::string::npos);

  // A picture of the frameset for looking at, where the build folder is at hand.
  const std::string shot = std::string(TAVOLIN_SOURCE_DIR) + "/build/html_export_frames.png";
  if (DirExists(std::string(TAVOLIN_SOURCE_DIR) + "/build/"))
    test::CommandOutput(Headless() + "--window-size=1100,700 --screenshot='" + shot + "' 'file://" +
                        e.Path("menu_Start.html") + "'");

  // Without frames every page links back to the index.
  ctx().options->SetParaString(34, "");
  e.Export(kFormatHTML, kSetAll, "ohne.html");
  const std::string second = Dom(e.Path("ohne_2.html"), log);
  EXPECT_NE(second.find("Rezept 00002"), std::string::npos);
  EXPECT_NE(second.find("href=\"ohne_Index.html\""), std::string::npos) << second;
}

// The view's page in a browser: amounts, units and texts stand in three cells a line each; a
// script measures where each line of each cell stands, and every unit must stand on the line of
// its own ingredient, also below empty amounts and units.
TEST_F(HtmlInBrowser, EachUnitStandsOnTheLineOfItsIngredient) {
  REZBLOCK chili = test::PlainRecipe(1);
  chili.title = "Chili con Carne";
  chili.lines = {{"12", "Sk", "Ancho chiles", "", 0, 0},  {"2", "mi", "Onions", "", 0, 0},
                 {"", "", "Salz", "", 0, 0},              {"1/4", "Tas", "Olive oil", "", 0, 0},
                 {"", "", "Pfeffer", "", 0, 0},           {"2", "EL", Ansi("Sojaöl"), "", 0, 0},
                 {"1", "", "Curry", "", 0, 0},            {"3", "Zeh", "Knoblauch", "", 0, 0}};
  e.AddRecipes({chili});
  ctx().options->SetParaString(57, "QViewTPL.html");
  e.Export(kFormatHTML, kSetAll, "chili.html");
  ASSERT_TRUE(FileExists(e.Path("chili.html")));
  test::WriteAll(e.Path("messen.html"), R"(<html><body>
<iframe id="f" src="chili.html" width="1000" height="800"></iframe>
<script>
document.getElementById('f').onload = function() {
  var d = this.contentDocument, out = [];
  d.querySelectorAll('tr').forEach(function(tr) {
    var cells = Array.from(tr.children).filter(function(c) {
      return c.tagName == 'TD' && !c.querySelector('table');
    });
    if (cells.length != 3) return;
    out.push(JSON.stringify(cells.map(function(td) {
      var walk = d.createTreeWalker(td, NodeFilter.SHOW_TEXT), tops = [], n;
      while ((n = walk.nextNode())) {
        if (n.textContent.replace(/[\r\n\t ]/g, '') === '') continue;
        var r = d.createRange();
        r.selectNodeContents(n);
        tops.push(Math.round(r.getBoundingClientRect().top));
      }
      return tops;
    })));
  });
  var p = document.createElement('pre');
  p.id = 'lines';
  p.textContent = 'ROWS\n' + out.join('\n') + '\nEND';
  document.body.appendChild(p);
};
</script></body></html>)");
  std::string log;
  const std::string dom = test::CommandOutput(Headless() +
                                              "--allow-file-access-from-files --virtual-time-budget=3000 "
                                              "--dump-dom 'file://" + e.Path("messen.html") + "'",
                                              e.env.Root() + "chromium.log");
  const size_t from = dom.find("ROWS\n"), to = dom.find("\nEND");
  ASSERT_NE(from, std::string::npos) << dom << test::ReadAll(e.env.Root() + "chromium.log");
  std::vector<std::string> rows;
  SplitText(dom.substr(from + 5, to - from - 5), rows, kSplitLines);
  ASSERT_FALSE(rows.empty());
  for (const std::string& row : rows) {  // [[amount tops],[unit tops],[text tops]]
    const size_t a = row.find("],["), b = row.find("],[", a + 1);
    ASSERT_NE(b, std::string::npos) << row;
    const std::string amounts = row.substr(1, a), units = row.substr(a + 2, b - a - 1),
                      texts = row.substr(b + 2, row.size() - b - 3);
    EXPECT_EQ(amounts, texts) << row;
    EXPECT_EQ(units, texts) << row;
  }
}

}  // namespace
}  // namespace tav
