#include <gtest/gtest.h>

#include "exchange/print_layout.h"
#include "export_test_support.h"
#include "kitchen/shopping/shopping_note.h"
#include "recipedb/recipe_records.h"
#include "recipes/key_figure_choice.h"

namespace tav {
namespace {

using test::Ansi;

// What a layout drew: each text with its place and the font it was drawn in.
struct Drawn {
  int x, y;
  std::string text;
  int points, style;
};

class RecordingCanvas : public PrintCanvas {
 public:
  void SetFont(int points, int style, int) override {
    points_ = points;
    style_ = style;
  }
  void TextOut(int x, int y, const std::string& text) override {
    drawn.push_back({x, y, text, points_, style_});
  }
  // The first text that begins with `start`, or null.
  const Drawn* Find(const std::string& start) const {
    for (const Drawn& d : drawn)
      if (d.text.rfind(start, 0) == 0) return &d;
    return nullptr;
  }
  std::vector<Drawn> drawn;

 private:
  int points_ = 0, style_ = 0;
};

PARA_SHOWDATA PrintFigure(int32_t id) {
  return test::Figure(kKeyFiguresPrint, id);
}

REZZUTAT Line(const std::string& amount, const std::string& unit, const std::string& text) {
  return {amount, unit, text, "", 0, 0};
}

// Line heights in layout dots: 10 pt 42, 12 pt 50, 16 pt 67, 6 pt 25.
constexpr int kLH10 = 42, kLH12 = 50, kLH16 = 67, kLH6 = 25;

class PrintLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    view.keyFigures = &figures;
    view.PageWidth = 2480;
    view.PageHeight = 3508;
    view.SetRecipeMargins();  // 20, 10 and 10 mm: 236, 118, 118 dots
    ClearRezBlock(view.Recipe);
    view.Recipe.title = "Titel";
    view.Recipe.servings = 4;
    view.Recipe.servingType = "Portionen";
    view.OwnServings = 4;
  }
  RecordingCanvas Page(int page) {
    RecordingCanvas canvas;
    count = view.LayoutRecipePage(canvas, page);
    return canvas;
  }
  // The last y a line may start at.
  int LastY() const {
    return view.TopMargin + view.PageHeight - view.BottomMargin - view.TopMargin - 2 * kLH10;
  }

  test::ExportEnv e;  // language texts, categories, options
  KeyFigureChoice figures;
  RecipePrintView view;
  int count = 0;
};

TEST_F(PrintLayout, PageZeroDrawsOnlyTheFooterAndCountsThePages) {
  for (int i = 0; i < 100; ++i)
    view.Recipe.lines.push_back(Line("1", "g", "Zutat " + std::to_string(i)));
  RecordingCanvas zero = Page(0);
  ASSERT_EQ(zero.drawn.size(), 1u);
  EXPECT_EQ(zero.drawn[0].text, GetLangText(129) + "1.00");
  EXPECT_EQ(zero.drawn[0].points, 6);
  EXPECT_EQ(zero.drawn[0].y, view.PageHeight - kLH6 - view.BottomMargin);
  EXPECT_EQ(count, 2);
  // The footer stands on every page at the same height.
  for (int page = 1; page <= 2; ++page) {
    const RecordingCanvas canvas = Page(page);  // Find points into the canvas: keep it alive
    const Drawn* footer = canvas.Find(GetLangText(129));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->y, zero.drawn[0].y);
  }
}

TEST_F(PrintLayout, IngredientLinesHeadingsDescriptionsAndTheBreak) {
  view.Recipe.lines = {Line("1,5", "kg", "Mehl"), Line("", "", "*Belag"), Line("2", "EL", "-fein")};
  for (int i = 0; i < 80; ++i)
    view.Recipe.lines.push_back(Line("", "", "Zutat " + std::to_string(i)));
  RecordingCanvas one = Page(1);
  const int top = view.TopMargin + 2 * kLH16;
  const Drawn* title = one.Find("Titel");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->points, 16);
  EXPECT_EQ(title->style, kFontBold | kFontUnderline);
  const Drawn* first = one.Find("1.50 kg Mehl");  // two decimals (a point in the tests)
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->y, top + kLH10);
  // A heading: italic, without its star, amount and unit, 1.4 line heights further down.
  const Drawn* heading = one.Find("Belag");
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->style, kFontItalic);
  EXPECT_EQ(heading->y, first->y + static_cast<int>(kLH10 * 1.4));
  // A description line: its amount and unit, then six blanks and the text.
  EXPECT_NE(one.Find("2 EL       fein"), nullptr);
  // The line that did not fit starts page 2 at the top margin; nothing passes the page end.
  EXPECT_EQ(count, 2);
  for (const Drawn& d : one.drawn)
    if (d.points == 10) {
      EXPECT_LE(d.y, LastY()) << d.text;
    }
  RecordingCanvas two = Page(2);
  ASSERT_FALSE(two.drawn.empty());
  EXPECT_EQ(two.drawn[0].y, view.TopMargin);
  EXPECT_EQ(two.Find("Titel"), nullptr);
  EXPECT_EQ(two.drawn[0].text.rfind("Zutat ", 0), 0u);
  EXPECT_NE(two.Find("Zutat 79"), nullptr);
  // Every line once: on page 1 or on page 2.
  int lines = 0;
  for (const RecordingCanvas* c : {&one, &two})
    for (const Drawn& d : c->drawn)
      if (d.points == 10) ++lines;
  EXPECT_EQ(lines, 83);
}

TEST_F(PrintLayout, TheTextStartsBelowTheLongerColumnAndTabsAreBlanks) {
  figures.keyFigures = {PrintFigure(kFigureServings), PrintFigure(kFigureCreatedBy),
                        PrintFigure(kFigureSource), PrintFigure(kFigureTotalTime)};
  view.Recipe.createdBy = "Anna";
  view.Recipe.source = "Ein Heft mit vielen Rezepten aus dem Garten und der Kueche";
  view.Recipe.totalTime = "45";
  view.Recipe.lines = {Line("1", "", "Ei")};
  view.Recipe.text = "Ruehren.\tFertig.";
  RecordingCanvas one = Page(1);
  const int top = view.TopMargin + 2 * kLH16;
  // Five rows of key figures in the right half; the text two line heights below the last.
  const Drawn* servings = one.Find("Portionen: 4 Portionen");
  ASSERT_NE(servings, nullptr);
  EXPECT_EQ(servings->x, view.LeftMargin + view.PageWidth / 2);
  EXPECT_NE(one.Find("Gesamtzeit: 45 " + GetLangText(538)), nullptr);
  EXPECT_NE(one.Find("   Garten und der Kueche"), nullptr);
  const Drawn* text = one.Find("Ruehren. Fertig.");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->points, 12);
  EXPECT_EQ(text->y, top + 5 * kLH10 + 2 * kLH10);
}

TEST_F(PrintLayout, ServingsRowsFiguresWithoutRowsAndRemarkModes) {
  figures.keyFigures = {PrintFigure(kFigureServings),   PrintFigure(kFigureAllRemarks),
                        PrintFigure(kFigureOwnRemarks), PrintFigure(kFigureQuality),
                        PrintFigure(kFigureDifficulty), PrintFigure(kFigureBookName)};
  view.Recipe.quality = '3';
  view.Recipe.remarks = {{"Gut.", "Tavolin!-Benutzer"}, {"Salzig.", "Bert"}, {"", "Leer"}};
  RecordingCanvas same = Page(1);
  // One servings row; 15, 16, 19, 20 and 21 give no rows; mode 15 prints every remark.
  int right = 0;
  for (const Drawn& d : same.drawn)
    if (d.x == view.LeftMargin + view.PageWidth / 2) ++right;
  EXPECT_EQ(right, 1);
  EXPECT_NE(same.Find("    Bert"), nullptr);
  EXPECT_NE(same.Find("Salzig."), nullptr);
  EXPECT_EQ(same.Find("    Leer"), nullptr);
  const Drawn* author = same.Find("    Tavolin!-Benutzer");
  ASSERT_NE(author, nullptr);
  EXPECT_EQ(author->style, kFontItalic);

  // Shown for 8: the recipe's own servings and the ones it is scaled to.
  view.Recipe.servings = 8;
  RecordingCanvas scaled = Page(1);
  EXPECT_NE(scaled.Find(GetLangText(561) + "4 Portionen"), nullptr);
  EXPECT_NE(scaled.Find(GetLangText(586) + "8 Portionen"), nullptr);

  // Mode 16: only the user's own remarks.
  figures.keyFigures = {PrintFigure(kFigureOwnRemarks)};
  RecordingCanvas own = Page(1);
  EXPECT_NE(own.Find("    Tavolin!-Benutzer"), nullptr);
  EXPECT_EQ(own.Find("    Bert"), nullptr);
}

TEST_F(PrintLayout, ManyKeyFiguresBreakToTheNextPageAndTheTitleNeedsNoMargin) {
  for (int i = 0; i < 12; ++i) view.Recipe.categories[i % 10] = static_cast<uint16_t>(i + 1);
  view.Recipe.hint = std::string();
  for (int i = 0; i < 90; ++i) view.Recipe.hint += "Wort" + std::to_string(i) + " ";
  figures.keyFigures = {PrintFigure(kFigureCategories), PrintFigure(kFigureKeywords)};
  view.Recipe.text = "Kochen.";
  view.LeftMargin = 0;
  RecordingCanvas one = Page(1);
  EXPECT_NE(one.Find("Titel"), nullptr);  // printed with a left margin of 0 as well
  EXPECT_EQ(count, 2);
  for (const Drawn& d : one.drawn)
    if (d.points == 10) {
      EXPECT_LE(d.y, LastY()) << d.text;
    }
  // The text follows the key figures onto page 2, below the last of them.
  RecordingCanvas two = Page(2);
  const Drawn* last = two.Find(" Wort89");
  const Drawn* text = two.Find("Kochen.");
  ASSERT_NE(last, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->y, last->y + 2 * kLH10);
  EXPECT_EQ(one.Find("Kochen."), nullptr);
}

TEST_F(PrintLayout, PreviewSheetsForPortraitAndLandscape) {
  struct Case {
    int viewW, viewH, pageW, pageH, sheetW, sheetH;
  } cases[] = {{600, 250, 2323, 3369, 200, 290},   // portrait minimum width
               {700, 900, 2323, 3369, 586, 850},   // the height decides
               {900, 180, 3369, 2323, 290, 200},   // landscape minimum height
               {2000, 700, 3369, 2323, 942, 650},  // landscape in a wide view
               {700, 700, 3369, 2323, 650, 448},   // landscape: the width decides
               {400, 900, 2323, 3369, 350, 507}};  // a narrow, high view
  for (const Case& c : cases) {
    view.ComputePreviewGeometry(c.viewW, c.viewH, c.pageW, c.pageH);
    EXPECT_EQ(view.SheetWidth, c.sheetW) << c.viewH;
    EXPECT_EQ(view.SheetHeight, c.sheetH) << c.viewH;
    EXPECT_DOUBLE_EQ(view.Scale, static_cast<double>(c.sheetW) / c.pageW);
  }
}

// --- lists ---------------------------------------------------------------------------------

class ListLayout : public PrintLayout {
 protected:
  void Write(const char* name, const std::string& text) {
    test::WriteAll(e.env.Root() + "Export/" + name, text);
  }
  int Count(int (RecipePrintView::*routine)(PrintCanvas&, int) const) {
    NullCanvas canvas;
    return (view.*routine)(canvas, 0);
  }
  RecordingCanvas ListPage(int (RecipePrintView::*routine)(PrintCanvas&, int) const, int page) {
    RecordingCanvas canvas;
    count = (view.*routine)(canvas, page);
    return canvas;
  }
};

TEST_F(ListLayout, ShoppingListColumnsHeadingsAndTheLongerColumn) {
  view.SetListMargins();
  std::string text = "---- Einkaufszettel von Anna (3.4.2026 9:05) ----\r\n";
  for (int i = 0; i < 100; ++i) text += "Rezept " + std::to_string(i) + "\r\n";  // longer
  text +=
      "\r\nMetzger:\r\n     500 g Hack\r\n\r\n---------- Sonstige ----------\r\nBrot\r\n"
      "\r\nnicht mehr\r\n";
  Write("Kauflist.txt", text);
  RecordingCanvas one = ListPage(&RecipePrintView::PrintShoppingListPage, 1);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(one.drawn[0].text, " Einkaufszettel von Anna (3.4.2026 9:05) ");
  const Drawn* recipes = one.Find(GetLangText(153));
  ASSERT_NE(recipes, nullptr);
  EXPECT_EQ(recipes->style, kFontItalic | kFontUnderline);
  const Drawn* buy = one.Find(GetLangText(154));
  const Drawn* meat = one.Find("     500 g Hack");
  ASSERT_NE(buy, nullptr);
  ASSERT_NE(meat, nullptr);
  // The recipe column breaks; the items beside it stay where they were.
  EXPECT_EQ(meat->y, buy->y + 2 * kLH10);
  EXPECT_EQ(meat->x, view.LeftMargin);
  RecordingCanvas two = ListPage(&RecipePrintView::PrintShoppingListPage, 2);
  EXPECT_EQ(two.Find(GetLangText(154)), nullptr);  // headings once, where they begin
  // Section 2 below the recipes, on their page, every line of it (an empty one a gap); its
  // dashed line not printed.
  const Drawn* last = two.Find("Rezept 99");
  const Drawn* other = two.Find(GetLangText(155));
  const Drawn* bread = two.Find("Brot");
  const Drawn* more = two.Find("nicht mehr");
  ASSERT_NE(last, nullptr);
  ASSERT_NE(other, nullptr);
  ASSERT_NE(bread, nullptr);
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(other->y, last->y + 2 * kLH10);
  EXPECT_EQ(bread->y, other->y + kLH10);
  EXPECT_EQ(more->y, bread->y + 2 * kLH10);
  EXPECT_EQ(two.Find("-------"), nullptr);
}

// Kauflist.txt as the shopping dialog writes it: dealer groups, the items without a dealer after
// an empty line, then the user's errands of several lines. Each part under its own heading.
TEST_F(ListLayout, EveryPartOfTheShoppingListIsPrintedUnderItsHeading) {
  view.SetListMargins();
  const auto row = [](const char* amount, const char* text, const char* dealer, int position) {
    ShoppingRow r;
    r[1] = amount;
    r[2] = text;
    r[3] = GetLangText(223);
    r[4] = dealer;
    r[5] = std::to_string(position);
    r[6] = text;
    return r;
  };
  std::tm when{};
  when.tm_mday = 3;
  when.tm_mon = 3;
  when.tm_year = 126;
  Write("Kauflist.txt", KaufListText("Anna", when, {"Gulasch (4 Personen)"},
                                     {row("500", "g Rindfleisch", "Metzger", 1),
                                      row("2", "Zwiebeln", "", 0), row("", "Pr Salz", "", 0)},
                                     "Briefmarken\r\nSchuhe abholen\r\n\r\nBlumen f\xFCr Oma"));
  RecordingCanvas one = ListPage(&RecipePrintView::PrintShoppingListPage, 1);
  EXPECT_EQ(count, 1);
  std::vector<const Drawn*> found;
  for (const std::string& start :
       {GetLangText(154), std::string("     500 g Rindfleisch"), std::string("     2 Zwiebeln"),
        std::string("     Pr Salz"), GetLangText(155)}) {
    found.push_back(one.Find(start));
    ASSERT_NE(found.back(), nullptr) << start;
  }
  const Drawn *buy = found[0], *meat = found[1], *onions = found[2], *salt = found[3],
              *other = found[4];
  // The items without a dealer stay under "Einkaufen", a line apart from the dealer's.
  EXPECT_LT(buy->y, meat->y);
  EXPECT_EQ(onions->y, meat->y + 2 * kLH10);
  EXPECT_EQ(salt->y, onions->y + kLH10);
  EXPECT_GT(other->y, salt->y);
  EXPECT_EQ(other->style, kFontItalic | kFontUnderline);
  int y = other->y;
  for (const char* errand : {"Briefmarken", "Schuhe abholen", "Blumen f\xFCr Oma"}) {
    const Drawn* d = one.Find(errand);
    ASSERT_NE(d, nullptr) << errand;
    EXPECT_GT(d->y, y) << errand;
    EXPECT_EQ(d->x, view.LeftMargin);
    y = d->y;
  }
  EXPECT_EQ(one.Find("-------"), nullptr);
  // The list's page has margins: the shipped defaults are 20 mm left and 10 mm top and bottom.
  EXPECT_EQ(view.LeftMargin, 236);
  EXPECT_EQ(view.TopMargin, 118);
  EXPECT_EQ(view.BottomMargin, 118);
}

TEST_F(ListLayout, WeekPlanKindsSpacersAndNoPageWithOnlyAFooter) {
  view.SetListMargins();
  Write("WPlan.txt",
        "Wochenplan 1.4. bis 7.4.\r\nD:Montag, 1.4.\r\nT:Gulasch  (4 Personen)\r\nB:scharf\r\n"
        "\r\nX:nichts\r\n");
  RecordingCanvas one = ListPage(&RecipePrintView::PrintWeekPlanPage, 1);
  const int top = view.TopMargin + 2 * kLH12;
  const Drawn* day = one.Find("Montag");
  const Drawn* dish = one.Find("Gulasch");
  const Drawn* note = one.Find("scharf");
  ASSERT_NE(day, nullptr);
  ASSERT_NE(dish, nullptr);
  ASSERT_NE(note, nullptr);
  const int lh11 = 46;
  EXPECT_EQ(day->y, top + lh11);
  EXPECT_EQ(day->style, kFontItalic | kFontUnderline);
  EXPECT_EQ(dish->y, day->y + lh11);
  EXPECT_EQ(dish->style, kFontBold);
  EXPECT_EQ(note->y, dish->y + kLH12);
  EXPECT_EQ(one.Find("nichts"), nullptr);
  EXPECT_EQ(count, 1);

  // Lines that fill a page exactly: no further page for the footer alone.
  const int avail = view.PageHeight - view.BottomMargin - view.TopMargin - 2 * kLH10;
  const int fit = (avail - 2 * kLH12) / kLH12 + 1;
  std::string plan = "Plan\r\n";
  for (int i = 0; i < fit; ++i) plan += "T:Essen " + std::to_string(i) + "\r\n";
  Write("WPlan.txt", plan);
  EXPECT_EQ(Count(&RecipePrintView::PrintWeekPlanPage), 1);
  Write("WPlan.txt", plan + "T:eins mehr\r\n");
  EXPECT_EQ(Count(&RecipePrintView::PrintWeekPlanPage), 2);
}

TEST_F(ListLayout, TitleListAndMissingFiles) {
  view.SetListMargins();
  EXPECT_EQ(Count(&RecipePrintView::PrintRecipeListPage), 0);
  EXPECT_EQ(Count(&RecipePrintView::PrintShoppingListPage), 0);
  EXPECT_EQ(Count(&RecipePrintView::PrintWeekPlanPage), 0);
  Write("KList.txt", "Apfelkuchen\r\nBrot\r\n");
  for (int round = 0; round < 2; ++round) {  // the same place on every call
    RecordingCanvas one = ListPage(&RecipePrintView::PrintRecipeListPage, 1);
    ASSERT_GE(one.drawn.size(), 3u);
    EXPECT_EQ(one.drawn[0].text, "Apfelkuchen");
    EXPECT_EQ(one.drawn[0].y, view.TopMargin + 2 * kLH10);
    EXPECT_EQ(one.drawn[2].text, GetLangText(158) + "1.00");
  }
}

}  // namespace
}  // namespace tav
