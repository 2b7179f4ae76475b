// The text/HTML view, the print preview, the print mode selector and printing to PDF inside
// the whole program, offscreen: a book built before the start, the recipe list filled by the
// first activation. The PDF checks read the files with pdfinfo and pdftotext (poppler-utils).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/ui/main_window.h"
#include "app/ui/options_dialog.h"
#include "app/ui/startup.h"
#include "exchange/page_output.h"
#include "exchange/ui/auto_import_dialog.h"
#include "exchange/ui/html_view_window.h"
#include "exchange/ui/list_printing.h"
#include "exchange/ui/print_preview_window.h"
#include "exchange/ui/print_start_dialog.h"
#include "exchange/ui/qt_printing.h"
#include "exchange/ui/recipe_list_export_dialog.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "kitchen/ui/week_plan_entry_dialog.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "recipes/ui/servings_dialog.h"
#include "recipes/ui/standard_view_window.h"
#include "services/options_store.h"
#include "support/test_env.h"
#include "user_input.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

std::string Utf8(const char* text) {
  return fromQ(QString::fromUtf8(text));
}

// The cake: two groups, a description, a picture, remarks, figures.
REZBLOCK Cake() {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = Utf8("Apfelkuchen vom Blech");
  r.servings = 12;
  r.servingType = Utf8("Stücke");
  r.quality = '4';
  r.difficulty = '2';
  r.categories[0] = 7;
  r.createdBy = "Anna";
  r.totalTime = "75";
  r.source = "Familienrezept";
  r.pictures = {{'F', "kuchen.jpg"}};
  r.lines = {{"", "", Utf8("*Für den Teig"), "", 0, 0},
             {"300", "g", "Mehl", "", 0, 0},
             {"150", "g", "Butter", "", 0, 0},
             {"100", "g", "Zucker", "", 0, 0},
             {"1", "", "Ei", "", 0, 0},
             {"", "", Utf8("*Für den Belag"), "", 0, 0},
             {"1,5", "kg", Utf8("Äpfel"), "", 0, 0},
             {"", "", Utf8("-säuerlich"), "", 0, 0},
             {"1", "TL", "Zimt", "", 0, 0}};
  r.text = Utf8(
      "Aus Mehl, Butter, Zucker und Ei einen Mürbeteig kneten und auf dem Blech ausrollen.\r\n"
      "Die Äpfel schälen, in Spalten schneiden und dicht auf den Teig legen. Mit Zimt "
      "bestreuen und 45 Minuten bei 180 Grad backen.");
  r.remarks = {{"Mit Sahne servieren.", "Tavolin!-Benutzer"}};
  r.nutrients = {};
  return r;
}

// Sixty ingredients and a long text: three printed pages.
REZBLOCK Buffet() {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = Utf8("Buffet für sechzig");
  r.servings = 60;
  r.servingType = "Personen";
  for (int i = 1; i <= 60; ++i) {
    char text[48];
    std::snprintf(text, sizeof text, "Zutat Nummer %02d", i);
    r.lines.push_back({std::to_string(i * 10), "g", text, "", 0, 0});
  }
  for (int i = 0; i < 80; ++i)
    r.text += "Schritt " + std::to_string(i + 1) +
              ": alles sorgfaeltig vorbereiten, abschmecken und warm stellen.\r\n";
  return r;
}

REZBLOCK Plain(const char* title, uint8_t flags = 0) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = title;
  r.servings = 4;
  r.flags = flags;
  r.lines = {{"2", "", "Eier", "", 0, 0}, {"1", "Pr", "Salz", "", 0, 0}};
  r.text = "Kochen.";
  return r;
}

bool HavePoppler() {
  return FileExists("/usr/bin/pdfinfo") && FileExists("/usr/bin/pdftotext");
}

int PdfPages(const std::string& pdf) {
  const std::string info = test::CommandOutput("pdfinfo '" + pdf + "'");
  const size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// The text of one page (0: all), blanks run together.
std::string PdfText(const std::string& pdf, int page = 0) {
  std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  std::string text = test::CommandOutput("pdftotext -layout" + range + " '" + pdf + "' -");
  std::string out;
  for (char c : text) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

// What a layout drew, for comparing the preview's pages with the printed ones.
class TextCanvas : public PrintCanvas {
 public:
  void SetFont(int, int, int) override {}
  // As UTF-8, the way pdftotext gives the printed text.
  void TextOut(int, int, const std::string& text) override {
    texts.push_back(toQ(text).toStdString());
  }
  std::vector<std::string> texts;
};

class OutputViews : public ::testing::Test {
 protected:
  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();
  std::vector<std::string> pdfs;  // every PDF job, in order

  void SetUp() override {
    SetProgramFolder(program.Path());
    QtPrintDevice::pdfFileForTest = [this](const std::string&) {
      pdfs.push_back(env.Root() + "Export/job" + std::to_string(pdfs.size() + 1) + ".pdf");
      return pdfs.back();
    };
  }
  void TearDown() override {
    DestroyAllWindows();
    QtPrintDevice::pdfFileForTest = nullptr;
    SetChosenServings(0);
    SetProgramFolder(savedProgram);
  }

  // The book "Hauptbuch" with the recipes (list order is title order), the shipped texts,
  // templates and pictures, then the program in that language and view mode.
  void Start(const std::vector<REZBLOCK>& recipes, const char* lang = "DE", int mode = 1) {
    for (const char* l : {"DE", "EN"})
      for (const char* file : {"GUI.klf", "Gattung.dat", "einheit.dat", "Kenndaten.dat"})
        WriteAll(env.DataFolder() + l + "/" + file,
                 ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + l + "/" + file));
    for (const char* file :
         {"HTML/ViewTPL.html", "HTML/QViewTPL.html", "HTML/IndexTPL.html", "Pics/Zutaten/Star.gif",
          "Pics/Zutaten/Difficulty2.gif", "Pics/Zutaten/PrnRezTPL.bmp",
          "Pics/Zutaten/PrnRezSim.bmp", "Pics/Zutaten/PrnWeekSim.bmp", "Pics/Zutaten/PrnMenu.bmp"})
      WriteAll(env.Root() + file, ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/" + file));
    WriteAll(env.Root() + "Pics/kuchen.jpg", ReadAll(test::Fixture("jpeg_red_green_blue.jpg")));
    test::BuildBookBeforeStart(env, "Hauptbuch", recipes);
    env.userSettings.WriteString(kRegParam, "KBook", "Hauptbuch");
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    env.userSettings.WriteString(kRegParam, "ShowMode", std::to_string(mode));
    StartProgram();
    MainFrm->resize(1200, 820);
    MainFrm->FormActivate();
    QApplication::processEvents();
  }

  int RowOf(const std::string& title) const {
    for (int row = 0; row < ChooseRezDlg->Count(); ++row) {
      REZINDEX e;
      if (ctx().dbList->GetListEntry(e, ChooseRezDlg->ItemData(row)) && e.Title() == title)
        return row;
    }
    return -1;
  }
  // Selects the rows (the last one current) and shows the current one in the chosen view.
  void Show(std::initializer_list<int> rows) {
    ChooseRezDlg->SelectOnly(-1);
    for (int row : rows) {
      ChooseRezDlg->ChooseLiBo->SetSelected(row, true);
      ChooseRezDlg->ChooseLiBo->SetCurrentRow(row);
    }
    ChooseRezDlg->ShowSelectedRecipe(true);
    QApplication::processEvents();
  }
  void WhileShown(QDialog* dialog, const std::function<void()>& work) {
    QTimer::singleShot(0, dialog, [dialog, work] {
      work();
      if (dialog->isVisible()) dialog->reject();
    });
    dialog->exec();
  }
  void SaveShot(QWidget* w, const std::string& name) {
    if (w != MainFrm) w->resize(w->sizeHint());  // as a dialog first comes up
    test::Shot(w, name.substr(0, name.rfind(".png")));
  }
  std::string Browsed() const { return fromQ(HTMLRezDlg->Browser->toPlainText()); }
};

TEST_F(OutputViews, TheHTMLViewShowsTheSelectedRecipeAsAPageAndAsText) {
  Start({Cake(), Plain("Omelett")}, "DE", 2);
  const int cake = RowOf(Utf8("Apfelkuchen vom Blech"));
  Show({cake});
  ASSERT_TRUE(HTMLRezDlg->isVisible());
  EXPECT_EQ(HTMLRezDlg->parentWidget(), MainFrm->ShowParPanel);
  EXPECT_TRUE(HTMLRezDlg->ViewHTML->isVisible());
  EXPECT_EQ(fromQ(HTMLRezDlg->Browser->source().toLocalFile()), NativePath(PreviewFilePath(true)));
  for (const char* text : {"Apfelkuchen vom Blech", "Für den Teig", "Mehl", "Zimt",
                           "Mürbeteig kneten", "Mit Sahne servieren."})
    EXPECT_NE(Browsed().find(Utf8(text)), std::string::npos) << text;
  EXPECT_EQ(HTMLRezDlg->GetHTMLServingType(), Utf8("Stücke"));
  SaveShot(MainFrm, "html_view_de.png");

  // The copy command takes the page's selection.
  HTMLRezDlg->Browser->selectAll();
  MainFrm->EditCopy();
  EXPECT_NE(QApplication::clipboard()->text().indexOf(QStringLiteral("Apfelkuchen")), -1);

  // Another recipe replaces the page; the servings dialog shows it again for 24.
  Show({RowOf("Omelett")});
  EXPECT_NE(Browsed().find("Omelett"), std::string::npos);
  Show({cake});
  WhileShown(PersAnzDlg, [&] {
    EXPECT_NE(fromQ(PersAnzDlg->findChild<QLabel*>("AktMengeTxt")->text()).find(Utf8("12 Stücke")),
              std::string::npos);
    PersAnzDlg->NewAnzEdt->setText("24");
    PersAnzDlg->OKBtnClick();
  });
  EXPECT_NE(Browsed().find("600"), std::string::npos);  // 300 g Mehl for 24

  // Option 19 off: the readable text in the memo; its file is gone afterwards.
  ctx().options->SetParaBool(19, false);
  HTMLRezDlg->ApplyHTMLViewMode();
  EXPECT_TRUE(HTMLRezDlg->ViewText->isVisible());
  EXPECT_FALSE(HTMLRezDlg->ViewHTML->isVisible());
  const std::string text = fromQ(HTMLRezDlg->ViewText->toPlainText());
  EXPECT_NE(text.find(Utf8(" FÜR DEN TEIG")), std::string::npos) << text;
  EXPECT_NE(text.find("    600  g Mehl"), std::string::npos);
  EXPECT_FALSE(FileExists(NativePath(PreviewFilePath(false))));
  SaveShot(MainFrm, "text_view_de.png");
}

// A chili whose lines have empty amounts and units between others: each unit must stand
// beside its own ingredient, by its name, in German and in English.
REZBLOCK Chili() {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "Chili con Carne";
  r.servings = 8;
  r.servingType = "Portionen";
  r.lines = {{"12", "Sk", "Ancho chiles", "", 0, 0},
             {"2", "mi", "Onions", "", 0, 0},
             {"", "", "Salz", "", 0, 0},
             {"1/4", "Tas", "Olive oil", "", 0, 0},
             {"", "", "Pfeffer", "", 0, 0},
             {"2", "EL", Utf8("Sojaöl"), "", 0, 0},
             {"1", "", "Curry", "", 0, 0},
             {"3", "Zeh", "Knoblauch", "", 0, 0}};
  r.text = "Alles schmoren.";
  return r;
}

// The middle of the line a text stands on in the view; -1 when the page does not show it.
int LineOf(const QString& text) {
  QTextCursor at = HTMLRezDlg->Browser->document()->find(text, 0, QTextDocument::FindCaseSensitively |
                                                                       QTextDocument::FindWholeWords);
  if (at.isNull()) return -1;
  at.setPosition(at.selectionStart());
  return HTMLRezDlg->Browser->cursorRect(at).center().y();
}

TEST_F(OutputViews, InTheHTMLViewEachUnitStandsBesideItsIngredientByItsName) {
  const std::pair<const char*, std::vector<std::pair<const char*, const char*>>> languages[] = {
      {"DE", {{"Stk.", "Ancho"}, {"mittel", "Onions"}, {"Tasse", "Olive"}, {"EL", "Soja\xC3\xB6l"},
              {"Zehen", "Knoblauch"}}},
      {"EN", {{"pc.", "Ancho"}, {"med.", "Onions"}, {"cup", "Olive"}, {"tbsp", "Soja\xC3\xB6l"},
              {"cloves", "Knoblauch"}}}};
  for (const auto& [lang, pairs] : languages) {
    SCOPED_TRACE(lang);
    const bool first = std::string(lang) == "DE";
    Start(first ? std::vector<REZBLOCK>{Chili()} : std::vector<REZBLOCK>{}, lang, 2);  // one book
    Show({0});
    ASSERT_TRUE(HTMLRezDlg->ViewHTML->isVisible());
    const std::string shown = Browsed();
    for (const char* code : {"Sk", "mi", "Tas", "Zeh"})
      EXPECT_EQ(LineOf(QString::fromLatin1(code)), -1) << code << "\n" << shown;
    for (const auto& [unit, ingredient] : pairs) {
      const int u = LineOf(QString::fromUtf8(unit)), i = LineOf(QString::fromUtf8(ingredient));
      ASSERT_NE(u, -1) << unit << "\n" << shown;
      EXPECT_NEAR(u, i, 2) << unit << " beside " << ingredient;
    }
    // The key figures start with their label ("Portionen: 8 Portionen"), never with ": ".
    EXPECT_NE(shown.find(": 8 Portionen"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("\n: "), std::string::npos) << shown;
    SaveShot(MainFrm, std::string("html_view_units_") + lang + ".png");
    DestroyAllWindows();
  }
}

TEST_F(OutputViews, AWeekPlanRecipeOnScreenIsShownAgainForItsServingsInTheViewThatIsOn) {
  Start({Cake(), Plain("Omelett")}, "DE", 2);
  const int row = RowOf(Utf8("Apfelkuchen vom Blech"));
  REZINDEX cake;
  ASSERT_TRUE(ctx().dbList->GetListEntry(cake, ChooseRezDlg->ItemData(row)));
  Show({row});
  ShowPlannedRecipe(cake.bookId, cake.number, 24);
  EXPECT_NE(Browsed().find("Apfelkuchen vom Blech"), std::string::npos);
  EXPECT_NE(Browsed().find("600"), std::string::npos);  // 300 g Mehl for 24
  MainFrm->SetViewMode(3);
  ShowPlannedRecipe(cake.bookId, cake.number, 6);
  EXPECT_EQ(PrintRezDlg->Recipe.title, Utf8("Apfelkuchen vom Blech"));
  EXPECT_EQ(PrintRezDlg->Recipe.lines[1].amount, "150");
}

TEST_F(OutputViews, AMissingViewTemplateIsSaidOnceAndLeavesNoOlderPage) {
  Start({Cake(), Plain("Omelett")}, "DE", 2);
  Show({RowOf("Omelett")});
  const std::string page = ReadAll(env.Root() + "HTML/QViewTPL.html");
  std::remove((env.Root() + "HTML/QViewTPL.html").c_str());
  const size_t said = env.messages.shown.size();
  for (int round = 0; round < 2; ++round) {
    Show({RowOf(Utf8("Apfelkuchen vom Blech"))});
    Show({RowOf("Omelett")});
  }
  ASSERT_EQ(env.messages.shown.size(), said + 1);
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(124));
  EXPECT_EQ(Browsed(), "");
  WriteAll(env.Root() + "HTML/QViewTPL.html", page);
  Show({RowOf(Utf8("Apfelkuchen vom Blech"))});
  EXPECT_NE(Browsed().find("Apfelkuchen vom Blech"), std::string::npos);
}

TEST_F(OutputViews, TheOptionsWindowSwitchesTheViewBetweenPageAndText) {
  Start({Cake()}, "DE", 2);
  Show({0});
  ASSERT_TRUE(HTMLRezDlg->ViewHTML->isVisible());
  QTimer::singleShot(0, ParaDlg, [] {
    ParaDlg->HTMLChk->setChecked(false);
    ParaDlg->OKBtnClick();
  });
  ParaDlg->exec();
  EXPECT_TRUE(HTMLRezDlg->ViewText->isVisible());
  EXPECT_NE(fromQ(HTMLRezDlg->ViewText->toPlainText()).find(" Apfelkuchen vom Blech"),
            std::string::npos);
}

TEST_F(OutputViews, TheViewsHandTheirRecipeToTheLexiconAndShowItFromTheirMenu) {
  Start({Cake(), Plain("Omelett")}, "DE", 2);
  Show({RowOf("Omelett")});
  EXPECT_EQ(LexShowDlg->recipe.title, "Omelett");
  HTMLRezDlg->showLexikonMnu->trigger();
  EXPECT_TRUE(LexShowDlg->isVisible());
  LexShowDlg->hide();
  MainFrm->SetViewMode(3);
  Show({RowOf(Utf8("Apfelkuchen vom Blech"))});
  EXPECT_EQ(LexShowDlg->recipe.title, Utf8("Apfelkuchen vom Blech"));
  EXPECT_TRUE(PrintRezDlg->showLexikonMnu->isEnabled());
  PrintRezDlg->showLexikonMnu->trigger();
  EXPECT_TRUE(LexShowDlg->isVisible());
}

TEST_F(OutputViews, ALongTextLineArrivesInPieces) {
  REZBLOCK r = Plain("Lang");
  r.lines = {{"1", "", std::string(1200, 'x'), "", 0, 0}};
  Start({r}, "DE", 2);
  ctx().options->SetParaBool(19, false);
  HTMLRezDlg->ApplyHTMLViewMode();
  Show({0});
  const std::string text = fromQ(HTMLRezDlg->ViewText->toPlainText());
  // "      1    " and 1200 x: 989 characters, then the rest on a line of its own.
  const std::string first = "      1    " + std::string(978, 'x') + "\n";
  EXPECT_NE(text.find(first + std::string(222, 'x') + "\n"), std::string::npos);
}

TEST_F(OutputViews, EnglishTextView) {
  Start({Cake()}, "EN", 2);
  ctx().options->SetParaBool(19, false);
  HTMLRezDlg->ApplyHTMLViewMode();
  Show({0});
  EXPECT_EQ(fromQ(HTMLRezDlg->windowTitle()), "Text/HTML view");
  SaveShot(MainFrm, "text_view_en.png");
  ctx().options->SetParaBool(19, true);
  HTMLRezDlg->ApplyHTMLViewMode();
  SaveShot(MainFrm, "html_view_en.png");
}

TEST_F(OutputViews, ThePreviewCountsThePagesItDrawsAndFollowsTheServings) {
  Start({Buffet(), Cake()}, "DE", 3);
  const int buffet = RowOf(Utf8("Buffet für sechzig"));
  Show({buffet});
  ASSERT_TRUE(PrintRezDlg->isVisible());
  NullCanvas counter;
  const int pages = PrintRezDlg->LayoutRecipePage(counter, 0);
  EXPECT_EQ(pages, 3);
  EXPECT_EQ(PrintRezDlg->PageCoBo->count(), pages);
  EXPECT_EQ(PrintRezDlg->PageCoBo->currentText(), "1");
  EXPECT_EQ(PrintRezDlg->GetPrintServingType(), "Personen");
  EXPECT_GT(PrintRezDlg->Scale, 0);
  // The sheet is as high as the view less 50 pixels; the buttons stand right of it.
  EXPECT_EQ(PrintRezDlg->SheetHeight, PrintRezDlg->height() - 50);
  EXPECT_EQ(PrintRezDlg->Ground->x(), PrintRezDlg->SheetWidth + 50);
  SaveShot(MainFrm, "print_preview_de.png");
  const QImage one = PrintRezDlg->grab().toImage();
  PrintRezDlg->PageCoBo->setCurrentIndex(2);
  PrintRezDlg->ShowSelectedPage();
  EXPECT_NE(PrintRezDlg->grab().toImage(), one);

  // The servings button's dialog: the recipe for 120, its two servings rows.
  Show({RowOf(Utf8("Apfelkuchen vom Blech"))});
  WhileShown(PersAnzDlg, [&] {
    PersAnzDlg->NewAnzEdt->setText("24");
    PersAnzDlg->OKBtnClick();
  });
  EXPECT_EQ(PrintRezDlg->Recipe.servings, 24);
  EXPECT_EQ(PrintRezDlg->OwnServings, 12);
  EXPECT_EQ(PrintRezDlg->Recipe.lines[1].amount, "600");
  TextCanvas page;
  PrintRezDlg->LayoutRecipePage(page, 1);
  bool own = false, scaled = false;
  for (const std::string& t : page.texts) {
    own = own || t == toQ(GetLangText(561)).toStdString() + "12 Stücke";
    scaled = scaled || t == toQ(GetLangText(586)).toStdString() + "24 Stücke";
  }
  EXPECT_TRUE(own);
  EXPECT_TRUE(scaled);
}

TEST_F(OutputViews, EnglishPreview) {
  Start({Cake()}, "EN", 3);
  Show({0});
  EXPECT_EQ(fromQ(PrintRezDlg->StartBtn->text()), "Start printing");
  SaveShot(MainFrm, "print_preview_en.png");
}

TEST_F(OutputViews, ARecipeOfSixtyIngredientsPrintsThePagesThePreviewShows) {
  if (!HavePoppler()) GTEST_SKIP() << "pdfinfo and pdftotext are not installed";
  Start({Buffet()}, "DE", 3);
  Show({0});
  PrintRezDlg->StartBtnClick();
  ASSERT_EQ(pdfs.size(), 1u);
  const std::string folder = std::string(TAVOLIN_SOURCE_DIR) + "/build/";
  if (DirExists(folder)) WriteAll(folder + "printed_recipe.pdf", ReadAll(pdfs[0]));
  const int pages = PrintRezDlg->PageCoBo->count();
  EXPECT_EQ(PdfPages(pdfs[0]), pages);
  const std::string all = PdfText(pdfs[0]);
  EXPECT_NE(all.find("Buffet für sechzig"), std::string::npos);
  for (int i = 1; i <= 60; ++i) {
    char text[48];
    std::snprintf(text, sizeof text, "%dg Zutat Nummer %02d", i * 10, i);
    EXPECT_NE(all.find(std::to_string(i * 10) + " g Zutat Nummer "), std::string::npos) << text;
  }
  EXPECT_NE(all.find("Schritt 80: alles sorgfaeltig"), std::string::npos);
  // Every page has its footer and exactly the lines the preview shows on it.
  for (int page = 1; page <= pages; ++page) {
    const std::string printed = PdfText(pdfs[0], page);
    EXPECT_NE(printed.find("Erstellt mit Tavolin! Version"), std::string::npos) << page;
    TextCanvas shown;
    PrintRezDlg->LayoutRecipePage(shown, page);
    for (const std::string& t : shown.texts) {
      std::string squeezed;
      for (char c : t)
        if (!(c == ' ' && !squeezed.empty() && squeezed.back() == ' ')) squeezed += c;
      EXPECT_NE(printed.find(squeezed), std::string::npos) << "page " << page << ": " << t;
    }
  }
}

TEST_F(OutputViews, ThePrintModeSelectorDispatchesEachChoice) {
  Start({Plain("Auflauf"), Plain("Brot", kRecipeMarked), Plain("Menue", kRecipeMenu),
         Plain("Suppe", kRecipeMarked | kRecipeMenu)});
  TPrintStartDlg* dlg = PrintStartDlg;
  // Opening always selects the web page; its picture and its description show.
  WhileShown(dlg, [&] {
    EXPECT_TRUE(dlg->PRecipeBtn->isChecked());
    EXPECT_EQ(dlg->PrintMode, 1);
    EXPECT_FALSE(dlg->PreviewImg->pixmap().isNull());
    EXPECT_EQ(fromQ(dlg->PrintInfoEdt->toPlainText()), GetLangText(639));
    dlg->PMarkRecSimpleBtn->click();
    EXPECT_EQ(fromQ(dlg->PrintInfoEdt->toPlainText()), GetLangText(744));
    SaveShot(dlg, "print_start_de.png");
    // The printer's page setup opens over this window; closing it leaves this window open.
    QString setup;
    EXPECT_TRUE(test::WhileModal(
        [&] { setup = QApplication::activeModalWidget()->metaObject()->className(); },
        [&] { EXPECT_TRUE(test::Click(dlg->PrinterSettingsBtn)); }));
    EXPECT_TRUE(setup.contains("PageSetupDialog")) << setup.toStdString();
    EXPECT_TRUE(dlg->isVisible());
  });
  WhileShown(dlg, [&] { EXPECT_TRUE(dlg->PRecipeBtn->isChecked()); });

  // The current recipe as a web page, opened by the desktop; the dialog closes.
  Show({RowOf("Auflauf")});
  WhileShown(dlg, [&] {
    dlg->StartBtnClick();
    EXPECT_FALSE(dlg->isVisible());
  });
  ASSERT_FALSE(env.shell.opened.empty());
  EXPECT_EQ(env.shell.opened.back(), env.Root() + "Export/Rezept.html");
  EXPECT_NE(ReadAll(env.shell.opened.back()).find("Auflauf"), std::string::npos);
  // "Rezept als Webseite anzeigen" on a menu gives its menu card (this menu has no course).
  const size_t before = env.messages.shown.size();
  Show({RowOf("Menue")});
  MainFrm->ShowHTMLMnuClick();
  ASSERT_EQ(env.messages.shown.size(), before + 1);
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(754));

  if (!HavePoppler()) return;
  // Three selected recipes: three jobs in list order, each as stored.
  Show({RowOf("Auflauf"), RowOf("Menue"), RowOf("Suppe")});
  WhileShown(dlg, [&] {
    dlg->PSelRecSimpleBtn->click();
    dlg->StartBtnClick();
  });
  ASSERT_EQ(pdfs.size(), 3u);
  EXPECT_NE(PdfText(pdfs[0]).find("Auflauf"), std::string::npos);
  EXPECT_NE(PdfText(pdfs[1]).find("Menue"), std::string::npos);
  EXPECT_NE(PdfText(pdfs[2]).find("Suppe"), std::string::npos);
  // Marked recipes: the marked bit, so the menu that is not marked stays out.
  WhileShown(dlg, [&] {
    dlg->PMarkRecSimpleBtn->click();
    dlg->StartBtnClick();
  });
  ASSERT_EQ(pdfs.size(), 5u);
  EXPECT_NE(PdfText(pdfs[3]).find("Brot"), std::string::npos);
  EXPECT_NE(PdfText(pdfs[4]).find("Suppe"), std::string::npos);
  // The week plan as a list: the week planner writes it; an empty week says so.
  const size_t said = env.messages.shown.size();
  WhileShown(dlg, [&] {
    EXPECT_TRUE(dlg->PWeekSimpleBtn->isEnabled());
    dlg->PWeekSimpleBtn->click();
    dlg->StartBtnClick();
    EXPECT_FALSE(dlg->isVisible());
  });
  ASSERT_EQ(env.messages.shown.size(), said + 1);
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(280));
  // The menu card: the menu planner makes it (an open menu without a course says so) and the
  // dialog stays open.
  WhileShown(dlg, [&] {
    dlg->PMenuBtn->click();
    EXPECT_EQ(fromQ(dlg->PrintInfoEdt->toPlainText()), GetLangText(741));
    dlg->StartBtnClick();
    EXPECT_TRUE(dlg->isVisible());
  });
  ASSERT_EQ(env.messages.shown.size(), said + 2);
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(754));
  // Nothing selected: the selected-recipes choice keeps the dialog open.
  ChooseRezDlg->SelectOnly(-1);
  WhileShown(dlg, [&] {
    dlg->PSelRecSimpleBtn->click();
    dlg->StartBtnClick();
    EXPECT_TRUE(dlg->isVisible());
  });
  EXPECT_EQ(pdfs.size(), 5u);
}

// Runs `inside` once a modal window is up (opened by `open`), then closes whatever modal
// window is still up.
void WhileModal(const std::function<void()>& inside, const std::function<void()>& open) {
  QTimer::singleShot(0, [inside] {
    inside();
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  });
  open();
}

// The pop-up menu of the text/HTML view, opened with the right mouse button on the page and on
// the text: each item leads to its view or to the editor; a link of the page goes to the
// desktop.
TEST_F(OutputViews, TheHTMLViewsPopUpMenuByMouse) {
  Start({Cake(), Plain("Omelett")}, "DE", 2);
  const int cake = RowOf(Utf8("Apfelkuchen vom Blech"));
  Show({cake});
  ASSERT_TRUE(HTMLRezDlg->Browser->isVisible());
  QWidget* page = HTMLRezDlg->Browser->viewport();
  ASSERT_TRUE(test::PopupItem(page, page->rect().center(), HTMLRezDlg->PopupMnu, "showPrintMnu"));
  ASSERT_TRUE(QTest::qWaitFor([] { return PrintRezDlg->isVisible(); }, 1000));
  EXPECT_FALSE(HTMLRezDlg->isVisible());
  EXPECT_EQ(PrintRezDlg->Recipe.title, Utf8("Apfelkuchen vom Blech"));

  // Back from the preview by its own menu.
  ASSERT_TRUE(test::PopupItem(PrintRezDlg, QPoint(60, 60), PrintRezDlg->PopupMnu, "showHTMLMnu"));
  ASSERT_TRUE(QTest::qWaitFor([] { return HTMLRezDlg->isVisible(); }, 1000));
  EXPECT_FALSE(PrintRezDlg->isVisible());

  // A link of one's own template opens in the desktop's browser.
  const std::string templ = env.Root() + "HTML/QViewTPL.html";
  std::string text = ReadAll(templ);
  const size_t end = text.find("</body>");
  ASSERT_NE(end, std::string::npos);
  text.insert(end, "<p><a href=\"https://example.org/mehr\">Mehr Rezepte</a></p>");
  WriteAll(templ, text);
  Show({RowOf("Omelett")});
  Show({cake});
  QTextCursor link = HTMLRezDlg->Browser->document()->find(QStringLiteral("Rezepte"));
  ASSERT_FALSE(link.isNull()) << Browsed();
  link.setPosition(link.selectionStart() + 2);
  const QPoint at = HTMLRezDlg->Browser->cursorRect(link).center();
  ASSERT_TRUE(page->rect().contains(at));
  const size_t opened = env.shell.opened.size();
  test::ActivateForClick(page);
  QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, at);
  ASSERT_EQ(env.shell.opened.size(), opened + 1);
  EXPECT_EQ(env.shell.opened.back(), "https://example.org/mehr");

  // The text: the standard view and the editor from its menu.
  ctx().options->SetParaBool(19, false);
  HTMLRezDlg->ApplyHTMLViewMode();
  ASSERT_TRUE(HTMLRezDlg->ViewText->isVisible());
  QWidget* lines = HTMLRezDlg->ViewText->viewport();
  ASSERT_TRUE(test::PopupItem(lines, lines->rect().center(), HTMLRezDlg->PopupMnu,
                              "ZeigeRezeptinStandarddarstellung1"));
  ASSERT_TRUE(QTest::qWaitFor([] { return showRezDlg->isVisible(); }, 1000));
  EXPECT_FALSE(HTMLRezDlg->isVisible());
  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewHTML")));
  ASSERT_TRUE(QTest::qWaitFor([] { return HTMLRezDlg->ViewText->isVisible(); }, 1000));
  ASSERT_TRUE(test::PopupItem(lines, lines->rect().center(), HTMLRezDlg->PopupMnu, "editMnu"));
  ASSERT_TRUE(QTest::qWaitFor([] { return EditRezDlg->isVisible(); }, 1000));
  EXPECT_EQ(EditRezDlg->LoadedRecipe.title, Utf8("Apfelkuchen vom Blech"));
}

// Counts the paints of the preview that draw the middle of its sheet.
struct SheetPaints : QObject {
  explicit SheetPaints(TPrintRezDlg* view) : view(view) { view->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == view && event->type() == QEvent::Paint &&
        static_cast<QPaintEvent*>(event)->region().contains(
            QPoint(10 + view->SheetWidth / 2, 10 + view->SheetHeight / 2)))
      ++count;
    return false;
  }
  TPrintRezDlg* view;
  int count = 0;
};

// The preview by mouse: another page chosen in the list is drawn, the servings button's dialog
// answered where it comes up, the pop-up menu's standard view and editor.
TEST_F(OutputViews, ThePreviewByMouse) {
  Start({Buffet(), Cake()}, "DE", 3);
  Show({RowOf(Utf8("Buffet für sechzig"))});
  ASSERT_TRUE(PrintRezDlg->isVisible());
  ASSERT_EQ(PrintRezDlg->PageCoBo->count(), 3);
  // The sheet is drawn again once another page is chosen (a grab would draw it anyway).
  SheetPaints paints(PrintRezDlg);
  ASSERT_TRUE(test::ChooseInCombo(PrintRezDlg->PageCoBo, QStringLiteral("3")));
  EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 1000))
      << "the page chosen is not drawn";
  EXPECT_EQ(PrintRezDlg->SelectedPage(), 3);

  Show({RowOf(Utf8("Apfelkuchen vom Blech"))});
  EXPECT_TRUE(test::WhileModal(
      [] {
        ASSERT_EQ(QApplication::activeModalWidget(), PersAnzDlg);
        ASSERT_TRUE(test::TypeInto(PersAnzDlg->NewAnzEdt, QStringLiteral("24")));
        ASSERT_TRUE(test::Click(PersAnzDlg->OKBtn));
      },
      [] { ASSERT_TRUE(test::Click(PrintRezDlg->pAnzBtn)); }));
  EXPECT_EQ(PrintRezDlg->Recipe.servings, 24);
  EXPECT_EQ(PrintRezDlg->Recipe.lines[1].amount, "600");

  ASSERT_TRUE(test::PopupItem(PrintRezDlg, QPoint(60, 60), PrintRezDlg->PopupMnu, "showViewMnu"));
  ASSERT_TRUE(QTest::qWaitFor([] { return showRezDlg->isVisible(); }, 1000));
  EXPECT_FALSE(PrintRezDlg->isVisible());
  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewPrint")));
  ASSERT_TRUE(QTest::qWaitFor([] { return PrintRezDlg->isVisible(); }, 1000));
  ASSERT_TRUE(test::PopupItem(PrintRezDlg, QPoint(60, 60), PrintRezDlg->PopupMnu, "editMnu"));
  ASSERT_TRUE(QTest::qWaitFor([] { return EditRezDlg->isVisible(); }, 1000));
  EXPECT_EQ(EditRezDlg->LoadedRecipe.title, Utf8("Apfelkuchen vom Blech"));
}

// The print preview chosen in the menu: the standard view's button stays down, the buttons
// beside a landscape sheet stay in the view, and printing the marked recipes from the print
// mode selector leaves the preview with its own recipe, which "Druck starten" prints.
TEST_F(OutputViews, ThePreviewKeepsItsRecipeAndItsButtonsInView) {
  Start({Plain("Auflauf"), Plain("Brot", kRecipeMarked), Plain("Suppe", kRecipeMarked)});
  Show({RowOf("Auflauf")});
  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewPrint")));
  QApplication::processEvents();
  ASSERT_TRUE(PrintRezDlg->isVisible());
  EXPECT_TRUE(MainFrm->Action("TBMView")->isChecked());
  EXPECT_FALSE(MainFrm->Action("TBMHTML")->isChecked());

  CurrentPrinter().setPageOrientation(QPageLayout::Landscape);
  PrintRezDlg->grab();  // a paint lays the sheet out
  EXPECT_GT(PrintRezDlg->SheetWidth, PrintRezDlg->SheetHeight);
  for (QWidget* w : std::initializer_list<QWidget*>{PrintRezDlg->pAnzBtn, PrintRezDlg->PageTxt,
                                                    PrintRezDlg->PageCoBo, PrintRezDlg->StartBtn})
    EXPECT_TRUE(PrintRezDlg->rect().contains(QRect(w->mapTo(PrintRezDlg, QPoint()), w->size())))
        << fromQ(w->objectName());
  test::Shot(MainFrm, "print_preview_landscape_DE");
  CurrentPrinter().setPageOrientation(QPageLayout::Portrait);

  WhileModal(
      [] {
        ASSERT_EQ(QApplication::activeModalWidget(), PrintStartDlg);
        QTest::mouseClick(PrintStartDlg->PMarkRecSimpleBtn, Qt::LeftButton);
        QTest::mouseClick(PrintStartDlg->StartBtn, Qt::LeftButton);
      },
      [] { ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("FilePrintItem"))); });
  ASSERT_EQ(pdfs.size(), 2u);
  EXPECT_EQ(PrintRezDlg->Recipe.title, "Auflauf");
  QTest::mouseClick(PrintRezDlg->StartBtn, Qt::LeftButton);
  ASSERT_EQ(pdfs.size(), 3u);
  if (HavePoppler()) {
    EXPECT_NE(PdfText(pdfs[0]).find("Brot"), std::string::npos);
    EXPECT_NE(PdfText(pdfs[1]).find("Suppe"), std::string::npos);
    EXPECT_NE(PdfText(pdfs[2]).find("Auflauf"), std::string::npos);
  }
}

// "Optionen" of the auto-import window opens the options window on its Auto-Import page.
TEST_F(OutputViews, TheAutoImportOptionsButtonOpensItsOptionsPage) {
  Start({Plain("Auflauf")});
  std::string page;
  bool enabled = false;
  WhileModal(
      [&] {
        ASSERT_EQ(QApplication::activeModalWidget(), AutoImpDlg);
        enabled = AutoImpDlg->IAOptionsBtn->isEnabled();
        WhileModal(
            [&] {
              ASSERT_EQ(QApplication::activeModalWidget(), ParaDlg);
              page = fromQ(ParaDlg->ParamSheet->currentWidget()->objectName());
            },
            [] { QTest::mouseClick(AutoImpDlg->IAOptionsBtn, Qt::LeftButton); });
      },
      [] { ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("MnAutoImp"))); });
  EXPECT_TRUE(enabled);
  EXPECT_EQ(page, "AImportPnl");
}

// "Lösche markierte Rezepte" with no recipe marked says so and asks nothing.
TEST_F(OutputViews, DeletingMarkedRecipesWhenNoneIsMarkedAsksNothing) {
  Start({Plain("Auflauf"), Plain("Brot", kRecipeMenu)});
  env.messages.shown.clear();
  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("MnDelMarked")));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(1038));
  EXPECT_EQ(ChooseRezDlg->Count(), 2);
}

TEST_F(OutputViews, AMissingOrUnreadablePrintModePictureShowsNothing) {
  Start({Plain("Auflauf")});
  RemoveFile(env.Root() + "Pics/Zutaten/PrnMenu.bmp");
  WriteAll(env.Root() + "Pics/Zutaten/PrnRezSim.bmp", "BM kein Bild");
  TPrintStartDlg* dlg = PrintStartDlg;
  const size_t said = env.messages.shown.size();
  WhileShown(dlg, [&] {
    EXPECT_FALSE(dlg->PreviewImg->pixmap().isNull());
    dlg->PMenuBtn->click();
    EXPECT_TRUE(dlg->PreviewImg->pixmap().isNull());
    EXPECT_EQ(fromQ(dlg->PrintInfoEdt->toPlainText()), GetLangText(741));
    dlg->PSelRecSimpleBtn->click();
    EXPECT_TRUE(dlg->PreviewImg->pixmap().isNull());
    EXPECT_EQ(fromQ(dlg->PrintInfoEdt->toPlainText()), GetLangText(743));
    // A choice whose picture is there shows it again.
    dlg->PRecipeBtn->click();
    EXPECT_FALSE(dlg->PreviewImg->pixmap().isNull());
    EXPECT_TRUE(dlg->isVisible());
  });
  EXPECT_EQ(env.messages.shown.size(), said);
}

TEST_F(OutputViews, EnglishPrintModeSelector) {
  Start({Plain("Auflauf")}, "EN");
  WhileShown(PrintStartDlg, [&] {
    EXPECT_EQ(fromQ(PrintStartDlg->windowTitle()), "Print output");
    SaveShot(PrintStartDlg, "print_start_en.png");
  });
}

TEST_F(OutputViews, TheTitleListAndTheListsGoToThePrinter) {
  if (!HavePoppler()) GTEST_SKIP() << "pdfinfo and pdftotext are not installed";
  Start({Plain("Auflauf"), Plain("Brot"), Plain("Suppe")});
  ChooseRezDlg->SelectOnly(-1);
  WhileShown(ExpRezListDlg, [&] {
    ExpRezListDlg->mAllRezRdb->setChecked(true);
    ExpRezListDlg->PrintRdb->setChecked(true);
    ExpRezListDlg->OKBtnClick();
  });
  ASSERT_EQ(pdfs.size(), 1u);
  EXPECT_EQ(ReadAll(env.Root() + "Export/KList.txt"), "Auflauf\r\nBrot\r\nSuppe\r\n");
  const std::string titles = PdfText(pdfs[0]);
  EXPECT_NE(titles.find("Auflauf\nBrot\nSuppe"), std::string::npos) << titles;
  EXPECT_NE(titles.find("Tavolin! Rezeptliste, Version 1.00"), std::string::npos);

  WriteAll(env.Root() + "Export/Kauflist.txt",
           "---- Einkaufszettel von Anna (3.4.2026 9:05) ----\r\nAuflauf\r\n\r\nMetzger:\r\n"
           "     500 g Hack\r\n\r\n     2 Zwiebeln\r\n\r\n"
           "---------- Sonstige Besorgungen ----------\r\nBriefmarken\r\n\r\nSchuhe abholen\r\n");
  PrintShoppingList(MainFrm);
  ASSERT_EQ(pdfs.size(), 2u);
  const std::string shopping = PdfText(pdfs[1]);
  // Every part, the user's own errands too; the dashed line is no printed line.
  for (const std::string& text :
       {std::string("Einkaufszettel von Anna"), GetLangText(153), GetLangText(154),
        std::string("500 g Hack"), std::string("2 Zwiebeln"), GetLangText(155),
        std::string("Briefmarken"), std::string("Schuhe abholen")})
    EXPECT_NE(shopping.find(text), std::string::npos) << text;
  EXPECT_EQ(shopping.find("-----"), std::string::npos);
  if (const char* folder = std::getenv("TAVOLIN_SHOTS"))
    std::filesystem::copy_file(pdfs[1], std::string(folder) + "/shopping_slip.pdf",
                               std::filesystem::copy_options::overwrite_existing);
  WriteAll(env.Root() + "Export/WPlan.txt",
           "Wochenplan\r\nD:Montag\r\nT:Gulasch  (4 Personen)\r\n");
  PrintWeekPlanFile(MainFrm);
  ASSERT_EQ(pdfs.size(), 3u);
  EXPECT_NE(PdfText(pdfs[2]).find("Gulasch (4 Personen)"), std::string::npos);
  // A missing list file prints nothing.
  std::remove((env.Root() + "Export/WPlan.txt").c_str());
  PrintWeekPlanFile(MainFrm);
  EXPECT_EQ(pdfs.size(), 3u);
}

}  // namespace
}  // namespace tav
