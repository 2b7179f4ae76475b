// The exported HTML pages in a real browser: headless chromium loads the index, the frameset
// and the recipe pages and dumps their DOM. Skipped where chromium is not installed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "exchange/html_index.h"
#include "export_test_support.h"
#include "platform/paths.h"
#include "recipedb/recipe_records.h"

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

}  // namespace
}  // namespace tav
