// The lexicon window, the entry editor and the chapter editor in the whole program over the
// shipped lexicon: the terms of the recipe on screen, the chapter tabs, entries made, changed and
// deleted through the editor, chapters made, renamed and deleted, and the information pane's
// lexicon page. Shots of the window in both languages (TAVOLIN_SHOTS).
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "kitchen/ui/lexicon_chapters_dialog.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "kitchen/ui/lexicon_entry_dialog.h"
#include "recipedb/ui/statistics_dialog.h"
#include "pictures/ui/picture_loader.h"
#include "recipes/ui/info_pane_window.h"
#include "recipes/ui/ingredient_pane_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "services/charsets.h"
#include "services/ui/context_list_box.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;
using test::ReadAll;

std::vector<std::string> Lines(const QListWidget* list) {
  return test::ListTexts(list);
}

std::vector<std::string> Tabs(const QTabBar* tabs) {
  std::vector<std::string> out;
  for (int i = 0; i < tabs->count(); ++i) out.push_back(fromQ(tabs->tabText(i)));
  return out;
}

class LexiconWindows : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    REZBLOCK beans = Dish("Gr\xFCne Bohnen", 4, {Line("500", "g", "Bohnen")},
                          "Die Bohnen blanchieren und abschrecken.");
    beans.pictures = {{'F', "bohnen.jpg"}};
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(SavePictureFile(picture, env.Root() + "Pics/bohnen.jpg"));
    MakeBook({Dish("R\xFChrei mit Speck", 2,
                   {Line("4", "", "Eier"), Line("50", "g", "Speck"), Line("", "", "Salz"),
                    Line("", "", "Pfeffer")},
                   "Die Eier verquirlen, den Speck anschwitzen und die Eier darin stocken "
                   "lassen. Mit Salz und Pfeffer abschmecken."),
              beans,
              Dish("Green beans", 4, {Line("500", "g", "green beans")},
                   "Blanch the beans, refresh them in iced water and season to taste.")});
  }
  std::string Ldt(const char* lang = "DE") const {
    return ReadAll(env.DataFolder() + lang + "/Lexika.ldt");
  }
  // The lexicon from the main menu; its one-time tip, when it comes, read and closed.
  void OpenLexicon() {
    ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"Aktionen1", "StartLexikon"}));
    ASSERT_TRUE(LexShowDlg->isVisible());
    QApplication::processEvents();
    if (AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);
  }
  void SelectTab(const std::string& caption) {
    ASSERT_TRUE(test::ClickTab(LexShowDlg->LexBookTab, toQ(caption)));
  }
  // A line of a list clicked.
  static void ClickLine(QListWidget* list, const std::string& line) {
    for (int i = 0; i < list->count(); ++i)
      if (fromQ(list->item(i)->text()) == line) {
        ASSERT_TRUE(test::ClickCell(list, i));
        return;
      }
    FAIL() << line;
  }
  void Select(const std::string& line) { ClickLine(LexShowDlg->LexChooseLiBo, line); }
  std::string Shown() const { return fromQ(LexShowDlg->LexTxt->toPlainText()); }
  // The entry editor opened with `button`; `inside` runs while it is up.
  static void InEntryEditor(QPushButton* button, const std::function<void()>& inside) {
    ASSERT_TRUE(WhileModal(inside, [button] { EXPECT_TRUE(test::Click(button)); }));
  }
  // The chapter editor from the main menu.
  static void InChapterEditor(const std::function<void()>& inside) {
    ASSERT_TRUE(WhileModal(
        inside, [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Extras1", "InpLexBegriffe"})); }));
  }
};

TEST_F(LexiconWindows, TheWindowListsTheTermsOfTheRecipeOnScreenAndTheChapters) {
  Start();
  ClickRecipe("R\xFChrei mit Speck");
  OpenLexicon();
  EXPECT_EQ(fromQ(LexShowDlg->windowTitle()), "Lexikon des Kochens");
  EXPECT_EQ(Tabs(LexShowDlg->LexBookTab),
            (std::vector<std::string>{"Begriffe im Rezept", "Backen und Teige", "Garverfahren",
                                      "K\xFC"
                                      "chenger\xE4te",
                                      "Saucen und Fonds", "Sonstiges", "Techniken", "Zutaten"}));
  EXPECT_EQ(
      Lines(LexShowDlg->LexChooseLiBo),
      (std::vector<std::string>{"abschmecken", "anschwitzen", "Pfeffer", "R\xFChrei", "Salz"}));
  Select("R\xFChrei");
  EXPECT_NE(Shown().find("unter langsamem R\xFChren stocken"), std::string::npos) << Shown();
  // The arrow keys walk the list, each term's text shown.
  test::PressKey(Qt::Key_Down);
  EXPECT_EQ(fromQ(LexShowDlg->LexChooseLiBo->currentItem()->text()), "Salz");
  EXPECT_NE(Shown().find("Eigengeschmack"), std::string::npos) << Shown();
  Shot(LexShowDlg, "lexicon_window_DE");

  // A recipe clicked while the window is open brings its own terms.
  ClickRecipe("Gr\xFCne Bohnen");
  EXPECT_EQ(Lines(LexShowDlg->LexChooseLiBo),
            (std::vector<std::string>{"abschrecken", "blanchieren"}));
  EXPECT_TRUE(Shown().empty());

  SelectTab("Garverfahren");
  const std::vector<std::string> cooking = Lines(LexShowDlg->LexChooseLiBo);
  EXPECT_NE(std::find(cooking.begin(), cooking.end(), "Blanchieren"), cooking.end());
  EXPECT_EQ(std::find(cooking.begin(), cooking.end(), "Salz"), cooking.end());
  EXPECT_TRUE(std::is_sorted(cooking.begin(), cooking.end(), [](const auto& a, const auto& b) {
    return CompareTextNoCase(a, b) < 0;
  }));
  // The statistics count the shipped lexicon.
  const LexiconCounts* counts = Registered<LexiconCounts>::Get();
  ASSERT_NE(counts, nullptr);
  EXPECT_EQ(counts->CountLexiconChapters(), 7);
  EXPECT_GE(counts->CountLexiconEntries(), 150);
  // Closed, the window stands on the recipe's terms again.
  ASSERT_TRUE(test::Click(LexShowDlg->IDCancel));
  EXPECT_FALSE(LexShowDlg->isVisible());
  EXPECT_EQ(LexShowDlg->CurrentTab(), 0);
}

TEST_F(LexiconWindows, EntriesAreMadeChangedAndDeletedThroughTheEditor) {
  Start();
  OpenLexicon();
  SelectTab("Techniken");
  const std::string before = Ldt();

  // A chapter typed that is not in the list is refused; the editor stays open.
  InEntryEditor(LexShowDlg->NewBtn, [this] {
    EXPECT_TRUE(test::TypeInto(LexInpDlg->TitelTxt, toQ("Rouladen")));
    EXPECT_TRUE(test::TypeInto(LexInpDlg->KapitelCoBo, toQ("Fantasie")));
    EXPECT_TRUE(test::Click(LexInpDlg->IDOk));
    EXPECT_TRUE(LexInpDlg->isVisible());
    EXPECT_EQ(Messages().back(), GetLangText(1010));
    EXPECT_TRUE(test::ChooseInCombo(LexInpDlg->KapitelCoBo, toQ("Garverfahren")));
    EXPECT_TRUE(test::TypeInto(LexInpDlg->KeywordsTxt, toQ("Rinderrouladen")));
    test::PressKey(Qt::Key_Return);
    test::PressKey(Qt::Key_Return);
    test::TypeText(LexInpDlg->KeywordsTxt, toQ("Roulade"));
    EXPECT_TRUE(test::TypeInto(LexInpDlg->TextTxt, toQ("#1 d\xFCnn klopfen")));
    test::PressKey(Qt::Key_Return);
    test::TypeText(LexInpDlg->TextTxt, toQ("F\xFCllen und schmoren."));
    EXPECT_TRUE(test::Click(LexInpDlg->IDOk));
  });
  EXPECT_FALSE(LexInpDlg->LexiconEditCancelled());
  // Appended with the editor's line ends; the line beginning with "#" got a blank.
  const std::string added =
      "B4\r\n>Rouladen\r\n>Rinderrouladen\r\n>Roulade\r\nF0\r\n"
      " #1 d\xFCnn klopfen\r\r\nF\xFCllen und schmoren.\r\n#\r\n";
  EXPECT_EQ(Ldt(), before + added);
  // The window went to the entry's chapter and shows it.
  EXPECT_EQ(fromQ(LexShowDlg->LexBookTab->tabText(LexShowDlg->CurrentTab())), "Garverfahren");
  ASSERT_NE(LexShowDlg->LexChooseLiBo->currentItem(), nullptr);
  EXPECT_EQ(fromQ(LexShowDlg->LexChooseLiBo->currentItem()->text()), "Rouladen");
  EXPECT_EQ(Shown(), " #1 d\xFCnn klopfen\nF\xFCllen und schmoren.");

  // OK without a change writes nothing.
  InEntryEditor(LexShowDlg->EditBtn, [] {
    EXPECT_TRUE(test::Click(LexInpDlg->IDOk));
    EXPECT_FALSE(LexInpDlg->isVisible());
  });
  EXPECT_EQ(Ldt(), before + added);
  // A double click on the entry edits it as well.
  ASSERT_TRUE(WhileModal(
      [] {
        EXPECT_EQ(fromQ(LexInpDlg->TitelTxt->text()), "Rouladen");
        EXPECT_TRUE(test::Click(LexInpDlg->IDCancel));
      },
      [] {
        ASSERT_TRUE(test::DoubleClickCell(LexShowDlg->LexChooseLiBo,
                                          LexShowDlg->LexChooseLiBo->currentRow()));
      }));

  // Only the chapter changed: a full copy under the new chapter, the old one marked.
  InEntryEditor(LexShowDlg->EditBtn, [] {
    EXPECT_EQ(fromQ(LexInpDlg->KeywordsTxt->toPlainText()), "Rinderrouladen\nRoulade");
    EXPECT_TRUE(test::ChooseInCombo(LexInpDlg->KapitelCoBo, toQ("Sonstiges")));
    EXPECT_TRUE(test::Click(LexInpDlg->IDOk));
  });
  std::string marked = added;
  marked.replace(marked.find("F0"), 2, "F1");
  const std::string copy =
      "B3\r\n>Rouladen\r\n>Rinderrouladen\r\n>Roulade\r\nF0\r\n"
      " #1 d\xFCnn klopfen\r\r\nF\xFCllen und schmoren.\r\n#\r\n";
  EXPECT_EQ(Ldt(), before + marked + copy);
  EXPECT_EQ(fromQ(LexShowDlg->LexBookTab->tabText(LexShowDlg->CurrentTab())), "Sonstiges");

  // Cancel leaves the file alone; a double click on the text edits too; delete asks and marks.
  ASSERT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(test::TypeInto(LexInpDlg->TitelTxt, toQ("anders")));
        EXPECT_TRUE(test::Click(LexInpDlg->IDCancel));
        EXPECT_FALSE(LexInpDlg->isVisible());
      },
      [] { test::DoubleClick(LexShowDlg->LexTxt->viewport(), QPoint(20, 10)); }));
  EXPECT_TRUE(LexInpDlg->LexiconEditCancelled());
  env.messages.answers = {IDNO};
  ASSERT_TRUE(test::Click(LexShowDlg->DelBtn));
  EXPECT_EQ(Ldt(), before + marked + copy);
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::Click(LexShowDlg->DelBtn));
  EXPECT_EQ(Messages().back(), GetLangText(261));
  std::string gone = copy;
  gone.replace(gone.find("F0"), 2, "F1");
  EXPECT_EQ(Ldt(), before + marked + gone);
  const std::vector<std::string> rest = Lines(LexShowDlg->LexChooseLiBo);
  EXPECT_EQ(std::find(rest.begin(), rest.end(), "Rouladen"), rest.end());
}

TEST_F(LexiconWindows, ChaptersAreMadeRenamedAndDeleted) {
  Start();
  const std::string lbk = env.DataFolder() + "DE/Lexika.lbk";
  InChapterEditor([this, lbk] {
    TLexBookDlg* d = LexBookDlg;
    EXPECT_EQ(fromQ(d->ActionTxt->title()), GetLangText(265));
    EXPECT_EQ(d->LBookLiBo->count(), 7);
    // New chapter.
    EXPECT_TRUE(test::TypeInto(d->AktBookEdt, toQ("Grillen")));
    EXPECT_TRUE(test::Click(d->overtakeBtn));
    EXPECT_NE(ReadAll(lbk).find("Grillen#"), std::string::npos);
    int16_t grill = ChapterNumberByName(d->Chapters, "Grillen");
    EXPECT_GT(grill, 7);
    EXPECT_LE(grill, 998);
    // Rename keeps the number.
    ClickLine(d->LBookLiBo, "Sonstiges");
    EXPECT_EQ(fromQ(d->ActionTxt->title()), GetLangText(264));
    EXPECT_EQ(fromQ(d->AktBookEdt->text()), "Sonstiges");
    EXPECT_TRUE(test::TypeInto(d->AktBookEdt, toQ("Allerlei")));
    EXPECT_TRUE(test::Click(d->overtakeBtn));
    EXPECT_EQ(ChapterNumberByName(d->Chapters, "Allerlei"), 3);
    // "Neu" goes back to a new chapter.
    ClickLine(d->LBookLiBo, "Zutaten");
    EXPECT_TRUE(test::Click(d->NewBtn));
    EXPECT_EQ(fromQ(d->ActionTxt->title()), GetLangText(265));
    EXPECT_TRUE(d->AktBookEdt->text().isEmpty());
    // Delete asks first.
    ClickLine(d->LBookLiBo,
              "K\xFC"
              "chenger\xE4te");
    env.messages.answers = {IDYES};
    EXPECT_TRUE(test::Click(d->DelBtn));
    EXPECT_EQ(d->LBookLiBo->count(), 7);
    EXPECT_TRUE(test::Click(d->CancelBtn));
    EXPECT_FALSE(d->isVisible());
  });
  const std::string file = ReadAll(lbk);
  EXPECT_NE(file.find("Allerlei#3\r\n"), std::string::npos);
  EXPECT_EQ(file.find("K\xFC"
                      "chenger\xE4te"),
            std::string::npos);
  // Every entry of the deleted chapter is marked; the others keep their chapters.
  const std::string ldt = Ldt();
  EXPECT_EQ(ldt.find("B7\r\n>Wok\r\nF0"), std::string::npos);
  EXPECT_NE(ldt.find("B7\r\n>Wok\r\nF1"), std::string::npos);
  const std::vector<std::string> tabs = Tabs(LexShowDlg->LexBookTab);
  EXPECT_NE(std::find(tabs.begin(), tabs.end(), "Allerlei"), tabs.end());
  EXPECT_NE(std::find(tabs.begin(), tabs.end(), "Grillen"), tabs.end());
  EXPECT_EQ(std::find(tabs.begin(), tabs.end(),
                      "K\xFC"
                      "chenger\xE4te"),
            tabs.end());
  OpenLexicon();
  SelectTab("Allerlei");
  const std::vector<std::string> misc = Lines(LexShowDlg->LexChooseLiBo);
  EXPECT_NE(std::find(misc.begin(), misc.end(), "Mise en place"), misc.end());
}

// A chapter renamed to a name holding "#" keeps its entries once the chapters are read again
// (the next start): its tab lists them and no other chapter's.
TEST_F(LexiconWindows, AChapterNamedWithAHashKeepsItsEntries) {
  Start();
  InChapterEditor([] {
    TLexBookDlg* d = LexBookDlg;
    ClickLine(d->LBookLiBo, "Sonstiges");
    EXPECT_TRUE(test::TypeInto(d->AktBookEdt, toQ("Saucen #1")));
    EXPECT_TRUE(test::Click(d->overtakeBtn));
    EXPECT_TRUE(test::Click(d->CancelBtn));
  });
  EXPECT_NE(ReadAll(env.DataFolder() + "DE/Lexika.lbk").find("Saucen #1#3\r\n"),
            std::string::npos);
  EndProgram();
  Start();
  OpenLexicon();
  SelectTab("Saucen #1");
  const std::vector<std::string> misc = Lines(LexShowDlg->LexChooseLiBo);
  EXPECT_NE(std::find(misc.begin(), misc.end(), "Mise en place"), misc.end());
  SelectTab("Techniken");  // chapter 1
  const std::vector<std::string> techniques = Lines(LexShowDlg->LexChooseLiBo);
  EXPECT_EQ(std::find(techniques.begin(), techniques.end(), "Mise en place"), techniques.end());
  EXPECT_NE(techniques, misc);
  ASSERT_TRUE(test::Click(LexShowDlg->IDCancel));
}

TEST_F(LexiconWindows, TheInformationPaneBorrowsTheTermsAndTexts) {
  Start();
  ClickRecipe("R\xFChrei mit Speck");
  ASSERT_TRUE(test::ClickTab(InfoRezDlg->InfoPage->tabBar(),
                             InfoRezDlg->InfoPage->tabText(InfoRezDlg->InfoPage->indexOf(InfoRezDlg->LexSheet))));
  EXPECT_EQ(
      Lines(InfoRezDlg->LexListLiBo),
      (std::vector<std::string>{"abschmecken", "anschwitzen", "Pfeffer", "R\xFChrei", "Salz"}));
  // The first term is shown at once.
  EXPECT_NE(fromQ(InfoRezDlg->LexTxt->toPlainText()).find("kosten"), std::string::npos);
  ClickLine(InfoRezDlg->LexListLiBo, "Salz");
  EXPECT_NE(fromQ(InfoRezDlg->LexTxt->toPlainText()).find("Eigengeschmack"), std::string::npos);
  // Another recipe on screen refills the page.
  ClickRecipe("Gr\xFCne Bohnen");
  EXPECT_EQ(Lines(InfoRezDlg->LexListLiBo),
            (std::vector<std::string>{"abschrecken", "blanchieren"}));
  // A double click opens the lexicon at the term.
  ASSERT_TRUE(test::DoubleClickCell(InfoRezDlg->LexListLiBo, 1));
  ASSERT_TRUE(LexShowDlg->isVisible());
  ASSERT_NE(LexShowDlg->LexChooseLiBo->currentItem(), nullptr);
  EXPECT_EQ(fromQ(LexShowDlg->LexChooseLiBo->currentItem()->text()), "blanchieren");
  EXPECT_NE(Shown().find("Salzwasser"), std::string::npos);
  Shot(MainFrm, "information_pane_lexicon_DE");
}

// The lexicon has no default button: Enter in its list or on its tabs does nothing. In the
// entry editor Enter ends the edit of the title or the chapter and stores nothing; in the
// chapter editor "Übernehmen" is the default button, so Enter takes the typed name over.
TEST_F(LexiconWindows, EnterDoesWhatEachLexiconWindowSays) {
  Start();
  ClickRecipe("R\xFChrei mit Speck");
  OpenLexicon();
  const std::string before = Ldt();
  Select("Salz");
  for (QWidget* w : {static_cast<QWidget*>(LexShowDlg->LexChooseLiBo),
                     static_cast<QWidget*>(LexShowDlg->LexBookTab)}) {
    SCOPED_TRACE(fromQ(w->objectName()));
    w->setFocus();
    EXPECT_FALSE(WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
    EXPECT_TRUE(LexShowDlg->isVisible());
  }
  EXPECT_EQ(fromQ(LexShowDlg->LexChooseLiBo->currentItem()->text()), "Salz");

  InEntryEditor(LexShowDlg->NewBtn, [] {
    TLexInpDlg* d = LexInpDlg;
    const int chapters = d->KapitelCoBo->count();
    EXPECT_TRUE(test::TypeInto(d->TitelTxt, toQ("Pochieren")));
    test::PressKey(Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(test::TypeInto(d->KapitelCoBo, toQ("Garverfahren")));
    test::PressKey(Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->KapitelCoBo->count(), chapters);  // nothing added to the chapter list
    EXPECT_EQ(fromQ(d->KapitelCoBo->currentText()), "Garverfahren");
    EXPECT_TRUE(test::TypeInto(d->KeywordsTxt, toQ("pochiert")));
    test::PressKey(Qt::Key_Return);
    EXPECT_EQ(fromQ(d->KeywordsTxt->toPlainText()), "pochiert\n");
    test::PressKey(Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
  });
  EXPECT_TRUE(LexInpDlg->LexiconEditCancelled());
  EXPECT_EQ(Ldt(), before);

  const std::string lbk = env.DataFolder() + "DE/Lexika.lbk";
  InChapterEditor([lbk] {
    TLexBookDlg* d = LexBookDlg;
    EXPECT_TRUE(test::TypeInto(d->AktBookEdt, toQ("Grillen")));
    test::PressKey(Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    EXPECT_NE(ReadAll(lbk).find("Grillen#"), std::string::npos);
    EXPECT_NE(ChapterNumberByName(d->Chapters, "Grillen"), 0);
    test::PressKey(Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
  });
}

// The help and web buttons of the three windows open their pages.
TEST_F(LexiconWindows, HelpAndWebSearch) {
  Start();
  ClickRecipe("R\xFChrei mit Speck");
  OpenLexicon();
  env.shell.opened.clear();
  ASSERT_TRUE(test::Click(LexShowDlg->WikipediaBtn));  // nothing selected: no search
  EXPECT_TRUE(env.shell.opened.empty());
  Select("Salz");
  ASSERT_TRUE(test::Click(LexShowDlg->WikipediaBtn));
  ASSERT_TRUE(test::Click(LexShowDlg->HilfeBtn));
  InEntryEditor(LexShowDlg->EditBtn, [] {
    EXPECT_TRUE(test::Click(LexInpDlg->WikipediaBtn));
    EXPECT_TRUE(test::Click(LexInpDlg->HilfeBtn));
  });
  ASSERT_TRUE(WhileModal([] { EXPECT_TRUE(test::Click(LexBookDlg->HelpBtn)); },
                         [] { EXPECT_TRUE(test::Click(LexShowDlg->LexBookBtn)); }));
  ASSERT_EQ(env.shell.opened.size(), 5u);
  EXPECT_NE(env.shell.opened[0].find("Salz"), std::string::npos) << env.shell.opened[0];
  EXPECT_TRUE(env.shell.opened[1].ends_with("/Help/Dlg_LexShow.htm")) << env.shell.opened[1];
  EXPECT_NE(env.shell.opened[2].find("Salz"), std::string::npos) << env.shell.opened[2];
  EXPECT_TRUE(env.shell.opened[3].ends_with("/Help/Dlg_LexInp.htm")) << env.shell.opened[3];
  EXPECT_TRUE(env.shell.opened[4].ends_with(".htm")) << env.shell.opened[4];
}

// The editor's pop-up menu opens the lexicon on the terms of the recipe being edited.
TEST_F(LexiconWindows, TheEditorsMenuOpensTheLexicon) {
  Start();
  ASSERT_TRUE(test::DoubleClickCell(list->ChooseLiBo, RowOf("R\xFChrei mit Speck")));
  ASSERT_TRUE(EditRezDlg->isVisible());
  ASSERT_TRUE(test::PopupItem(EditRezDlg->EditMnuPnl, QPoint(2, 2), EditRezDlg->PopupMnu,
                              "showLexikonMnu"));
  ASSERT_TRUE(QTest::qWaitFor([] { return LexShowDlg->isVisible(); }, 2000));
  EXPECT_TRUE(EditRezDlg->isVisible());
  EXPECT_EQ(
      Lines(LexShowDlg->LexChooseLiBo),
      (std::vector<std::string>{"abschmecken", "anschwitzen", "Pfeffer", "R\xFChrei", "Salz"}));
  QApplication::processEvents();
  if (AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);
  ASSERT_TRUE(test::Click(LexShowDlg->IDCancel));
}

// The panes beside the recipe on screen answer the mouse: the picture's pop-up menu opens the
// picture, the lexicon page searches its term on the web and opens the lexicon at it, and a
// double click on an ingredient opens the recipe in the editor.
TEST_F(LexiconWindows, ThePanesBesideTheRecipeAnswerTheMouse) {
  Start();
  ClickRecipe("Gr\xFCne Bohnen");
  env.shell.opened.clear();
  QLabel* image = InfoRezDlg->RezImg;
  ASSERT_TRUE(test::PopupItem(image, image->rect().center(), InfoRezDlg->InfoPopup, "PicEdit"));
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_TRUE(env.shell.opened[0].ends_with("Pics/bohnen.jpg")) << env.shell.opened[0];

  ASSERT_TRUE(test::ClickTab(InfoRezDlg->InfoPage->tabBar(),
                             InfoRezDlg->InfoPage->tabText(InfoRezDlg->InfoPage->indexOf(InfoRezDlg->LexSheet))));
  ClickLine(InfoRezDlg->LexListLiBo, "blanchieren");
  ASSERT_TRUE(test::Click(InfoRezDlg->WikipediaBtn));
  ASSERT_EQ(env.shell.opened.size(), 2u);
  EXPECT_NE(env.shell.opened[1].find("blanchieren"), std::string::npos) << env.shell.opened[1];
  ASSERT_TRUE(test::PopupItem(InfoRezDlg->LexTxt->viewport(), QPoint(10, 10),
                              InfoRezDlg->LexPopup, "ShowLex"));
  ASSERT_TRUE(LexShowDlg->isVisible());
  ASSERT_NE(LexShowDlg->LexChooseLiBo->currentItem(), nullptr);
  EXPECT_EQ(fromQ(LexShowDlg->LexChooseLiBo->currentItem()->text()), "blanchieren");
  QApplication::processEvents();
  if (AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);
  ASSERT_TRUE(test::Click(LexShowDlg->IDCancel));

  ASSERT_TRUE(test::DoubleClickCell(ZutatRezDlg->ZutatLiBo, 0));
  ASSERT_TRUE(EditRezDlg->isVisible());
  EXPECT_EQ(EditRezDlg->WorkRecipe.title, "Gr\xFCne Bohnen");
}

TEST_F(LexiconWindows, EnglishWindow) {
  Start("EN");
  ClickRecipe("Green beans");
  QWidget* button = MainFrm->MainToolBar->widgetForAction(MainFrm->Action("TBLexik"));
  ASSERT_TRUE(test::Click(button));
  ASSERT_TRUE(LexShowDlg->isVisible());
  QApplication::processEvents();
  if (AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);
  EXPECT_EQ(fromQ(LexShowDlg->windowTitle()), "Cooking lexicon");
  EXPECT_EQ(Lines(LexShowDlg->LexChooseLiBo),
            (std::vector<std::string>{"Blanch", "refresh", "season"}));
  EXPECT_EQ(Tabs(LexShowDlg->LexBookTab)[0], "Terms in the recipe");
  Select("Blanch");
  EXPECT_NE(Shown().find("rapidly boiling salted water"), std::string::npos);
  Shot(LexShowDlg, "lexicon_window_EN");
  InEntryEditor(LexShowDlg->EditBtn, [this] {
    LexInpDlg->resize(640, 400);
    Shot(LexInpDlg, "lexicon_entry_EN");
    EXPECT_TRUE(test::Click(LexInpDlg->IDCancel));
  });
  ASSERT_TRUE(WhileModal(
      [this] {
        Shot(LexBookDlg, "lexicon_chapters_EN");
        EXPECT_TRUE(test::Click(LexBookDlg->CancelBtn));
      },
      [] { EXPECT_TRUE(test::Click(LexShowDlg->LexBookBtn)); }));
}

}  // namespace
}  // namespace tav
