// The lexicon window, the entry editor and the chapter editor in the whole program over the
// shipped lexicon: the terms of the recipe on screen, the chapter tabs, entries made, changed and
// deleted through the editor, chapters made, renamed and deleted, and the information pane's
// lexicon page. Shots of the window in both languages (TAVOLIN_SHOTS).
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "kitchen/ui/lexicon_chapters_dialog.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "kitchen/ui/lexicon_entry_dialog.h"
#include "recipedb/ui/statistics_dialog.h"
#include "recipes/ui/info_pane_window.h"
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
    MakeBook({Dish("R\xFChrei mit Speck", 2,
                   {Line("4", "", "Eier"), Line("50", "g", "Speck"), Line("", "", "Salz"),
                    Line("", "", "Pfeffer")},
                   "Die Eier verquirlen, den Speck anschwitzen und die Eier darin stocken "
                   "lassen. Mit Salz und Pfeffer abschmecken."),
              Dish("Gr\xFCne Bohnen", 4, {Line("500", "g", "Bohnen")},
                   "Die Bohnen blanchieren und abschrecken."),
              Dish("Green beans", 4, {Line("500", "g", "green beans")},
                   "Blanch the beans, refresh them in iced water and season to taste.")});
  }
  std::string Ldt(const char* lang = "DE") const {
    return ReadAll(env.DataFolder() + lang + "/Lexika.ldt");
  }
  void SelectTab(const std::string& caption) {
    for (int i = 0; i < LexShowDlg->LexBookTab->count(); ++i)
      if (fromQ(LexShowDlg->LexBookTab->tabText(i)) == caption) {
        LexShowDlg->LexBookTab->setCurrentIndex(i);
        return;
      }
    FAIL() << caption;
  }
  void Select(const std::string& line) {
    for (int i = 0; i < LexShowDlg->LexChooseLiBo->count(); ++i)
      if (fromQ(LexShowDlg->LexChooseLiBo->item(i)->text()) == line) {
        LexShowDlg->LexChooseLiBo->setCurrentRow(i);
        return;
      }
    FAIL() << line;
  }
  std::string Shown() const { return fromQ(LexShowDlg->LexTxt->toPlainText()); }
};

TEST_F(LexiconWindows, TheWindowListsTheTermsOfTheRecipeOnScreenAndTheChapters) {
  Start();
  ShowRecipe("R\xFChrei mit Speck");
  MainFrm->Action("StartLexikon")->trigger();
  ASSERT_TRUE(LexShowDlg->isVisible());
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
  Shot(LexShowDlg, "lexicon_window_DE");

  // A recipe shown while the window is open brings its own terms.
  ShowRecipe("Gr\xFCne Bohnen");
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
  LexShowDlg->IDCancelClick();
  EXPECT_FALSE(LexShowDlg->isVisible());
  EXPECT_EQ(LexShowDlg->CurrentTab(), 0);
}

TEST_F(LexiconWindows, EntriesAreMadeChangedAndDeletedThroughTheEditor) {
  Start();
  MainFrm->Action("StartLexikon")->trigger();
  SelectTab("Techniken");
  const std::string before = Ldt();

  // A chapter typed that is not in the list is refused; the editor stays open.
  WhileModal(
      [this] {
        LexInpDlg->TitelTxt->setText(toQ("Rouladen"));
        LexInpDlg->KapitelCoBo->setEditText(toQ("Fantasie"));
        LexInpDlg->IDOk->click();
        EXPECT_TRUE(LexInpDlg->isVisible());
        EXPECT_EQ(Messages().back(), GetLangText(1010));
        LexInpDlg->KapitelCoBo->setCurrentIndex(
            LexInpDlg->KapitelCoBo->findText(toQ("Garverfahren")));
        LexInpDlg->KeywordsTxt->setPlainText(toQ("Rinderrouladen\n\nRoulade"));
        LexInpDlg->TextTxt->setPlainText(toQ("#1 d\xFCnn klopfen\nF\xFCllen und schmoren."));
        LexInpDlg->IDOk->click();
      },
      [] { LexShowDlg->NewBtnClick(); });
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
  WhileModal([] { LexInpDlg->IDOk->click(); }, [] { LexShowDlg->EditBtnClick(); });
  EXPECT_EQ(Ldt(), before + added);

  // Only the chapter changed: a full copy under the new chapter, the old one marked.
  WhileModal(
      [] {
        EXPECT_EQ(fromQ(LexInpDlg->KeywordsTxt->toPlainText()), "Rinderrouladen\nRoulade");
        LexInpDlg->KapitelCoBo->setCurrentIndex(LexInpDlg->KapitelCoBo->findText(toQ("Sonstiges")));
        LexInpDlg->IDOk->click();
      },
      [] { LexShowDlg->EditBtnClick(); });
  std::string marked = added;
  marked.replace(marked.find("F0"), 2, "F1");
  const std::string copy =
      "B3\r\n>Rouladen\r\n>Rinderrouladen\r\n>Roulade\r\nF0\r\n"
      " #1 d\xFCnn klopfen\r\r\nF\xFCllen und schmoren.\r\n#\r\n";
  EXPECT_EQ(Ldt(), before + marked + copy);
  EXPECT_EQ(fromQ(LexShowDlg->LexBookTab->tabText(LexShowDlg->CurrentTab())), "Sonstiges");

  // Cancel leaves the file alone; delete asks and marks.
  WhileModal(
      [] {
        LexInpDlg->TitelTxt->setText(toQ("anders"));
        LexInpDlg->IDCancel->click();
      },
      [] { LexShowDlg->EditBtnClick(); });
  EXPECT_TRUE(LexInpDlg->LexiconEditCancelled());
  env.messages.answers = {IDNO};
  LexShowDlg->DelBtnClick();
  EXPECT_EQ(Ldt(), before + marked + copy);
  env.messages.answers = {IDYES};
  LexShowDlg->DelBtnClick();
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
  WhileModal(
      [this, lbk] {
        TLexBookDlg* d = LexBookDlg;
        EXPECT_EQ(fromQ(d->ActionTxt->title()), GetLangText(265));
        EXPECT_EQ(d->LBookLiBo->count(), 7);
        // New chapter.
        d->AktBookEdt->setText(toQ("Grillen"));
        d->AktBookEdtChange();
        d->overtakeBtn->click();
        EXPECT_NE(ReadAll(lbk).find("Grillen#"), std::string::npos);
        int16_t grill = ChapterNumberByName(d->Chapters, "Grillen");
        EXPECT_GT(grill, 7);
        EXPECT_LE(grill, 998);
        // Rename keeps the number.
        for (int i = 0; i < d->LBookLiBo->count(); ++i)
          if (fromQ(d->LBookLiBo->item(i)->text()) == "Sonstiges") {
            d->LBookLiBo->setCurrentRow(i);
            d->LBookLiBo2Click();
          }
        EXPECT_EQ(fromQ(d->ActionTxt->title()), GetLangText(264));
        EXPECT_EQ(fromQ(d->AktBookEdt->text()), "Sonstiges");
        d->AktBookEdt->setText(toQ("Allerlei"));
        d->AktBookEdtChange();
        d->overtakeBtn->click();
        EXPECT_EQ(ChapterNumberByName(d->Chapters, "Allerlei"), 3);
        // Delete asks first.
        for (int i = 0; i < d->LBookLiBo->count(); ++i)
          if (fromQ(d->LBookLiBo->item(i)->text()) ==
              "K\xFC"
              "chenger\xE4te") {
            d->LBookLiBo->setCurrentRow(i);
            d->LBookLiBo2Click();
          }
        env.messages.answers = {IDYES};
        d->DelBtn->click();
        EXPECT_EQ(d->LBookLiBo->count(), 7);
        d->CancelBtn->click();
      },
      [] { MainFrm->Action("InpLexBegriffe")->trigger(); });
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
  SelectTab("Allerlei");
  const std::vector<std::string> misc = Lines(LexShowDlg->LexChooseLiBo);
  EXPECT_NE(std::find(misc.begin(), misc.end(), "Mise en place"), misc.end());
}

// A chapter renamed to a name holding "#" keeps its entries once the chapters are read again
// (the next start): its tab lists them and no other chapter's.
TEST_F(LexiconWindows, AChapterNamedWithAHashKeepsItsEntries) {
  Start();
  WhileModal(
      [] {
        TLexBookDlg* d = LexBookDlg;
        for (int i = 0; i < d->LBookLiBo->count(); ++i)
          if (fromQ(d->LBookLiBo->item(i)->text()) == "Sonstiges") {
            d->LBookLiBo->setCurrentRow(i);
            d->LBookLiBo2Click();
          }
        d->AktBookEdt->setText(toQ("Saucen #1"));
        d->AktBookEdtChange();
        d->overtakeBtn->click();
        d->CancelBtn->click();
      },
      [] { MainFrm->Action("InpLexBegriffe")->trigger(); });
  EXPECT_NE(ReadAll(env.DataFolder() + "DE/Lexika.lbk").find("Saucen #1#3\r\n"),
            std::string::npos);
  MainFrm->Action("FileExitItem")->trigger();
  DestroyAllWindows();
  Start();
  MainFrm->Action("StartLexikon")->trigger();
  ASSERT_TRUE(LexShowDlg->isVisible());
  SelectTab("Saucen #1");
  const std::vector<std::string> misc = Lines(LexShowDlg->LexChooseLiBo);
  EXPECT_NE(std::find(misc.begin(), misc.end(), "Mise en place"), misc.end());
  SelectTab("Techniken");  // chapter 1
  const std::vector<std::string> techniques = Lines(LexShowDlg->LexChooseLiBo);
  EXPECT_EQ(std::find(techniques.begin(), techniques.end(), "Mise en place"), techniques.end());
  EXPECT_NE(techniques, misc);
  LexShowDlg->IDCancelClick();
}

TEST_F(LexiconWindows, TheInformationPaneBorrowsTheTermsAndTexts) {
  Start();
  ShowRecipe("R\xFChrei mit Speck");
  InfoRezDlg->InfoPage->setCurrentWidget(InfoRezDlg->LexSheet);
  InfoRezDlg->InfoPageChange();
  EXPECT_EQ(
      Lines(InfoRezDlg->LexListLiBo),
      (std::vector<std::string>{"abschmecken", "anschwitzen", "Pfeffer", "R\xFChrei", "Salz"}));
  // The first term is shown at once.
  EXPECT_NE(fromQ(InfoRezDlg->LexTxt->toPlainText()).find("kosten"), std::string::npos);
  InfoRezDlg->LexListLiBo->setCurrentRow(4);
  InfoRezDlg->LexListLiBoClick();
  EXPECT_NE(fromQ(InfoRezDlg->LexTxt->toPlainText()).find("Eigengeschmack"), std::string::npos);
  // Another recipe on screen refills the page.
  ShowRecipe("Gr\xFCne Bohnen");
  EXPECT_EQ(Lines(InfoRezDlg->LexListLiBo),
            (std::vector<std::string>{"abschrecken", "blanchieren"}));
  // A double click opens the lexicon at the term.
  InfoRezDlg->LexListLiBo->setCurrentRow(1);
  InfoRezDlg->LexListLiBoDblClick();
  ASSERT_TRUE(LexShowDlg->isVisible());
  ASSERT_NE(LexShowDlg->LexChooseLiBo->currentItem(), nullptr);
  EXPECT_EQ(fromQ(LexShowDlg->LexChooseLiBo->currentItem()->text()), "blanchieren");
  EXPECT_NE(Shown().find("Salzwasser"), std::string::npos);
  Shot(MainFrm, "information_pane_lexicon_DE");
}

TEST_F(LexiconWindows, EnglishWindow) {
  Start("EN");
  ShowRecipe("Green beans");
  MainFrm->Action("TBLexik")->trigger();
  ASSERT_TRUE(LexShowDlg->isVisible());
  EXPECT_EQ(fromQ(LexShowDlg->windowTitle()), "Cooking lexicon");
  EXPECT_EQ(Lines(LexShowDlg->LexChooseLiBo),
            (std::vector<std::string>{"Blanch", "refresh", "season"}));
  EXPECT_EQ(Tabs(LexShowDlg->LexBookTab)[0], "Terms in the recipe");
  Select("Blanch");
  EXPECT_NE(Shown().find("rapidly boiling salted water"), std::string::npos);
  Shot(LexShowDlg, "lexicon_window_EN");
  WhileModal(
      [this] {
        LexInpDlg->resize(640, 400);
        Shot(LexInpDlg, "lexicon_entry_EN");
        LexInpDlg->IDCancel->click();
      },
      [] { LexShowDlg->EditBtnClick(); });
  WhileModal(
      [this] {
        Shot(LexBookDlg, "lexicon_chapters_EN");
        LexBookDlg->CancelBtn->click();
      },
      [] { LexShowDlg->LexBookBtnClick(); });
}

}  // namespace
}  // namespace tav
