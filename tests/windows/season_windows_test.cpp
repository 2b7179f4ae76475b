// The seasonal calendar and the season editor in the whole program over the shipped ingredient
// catalogue: the three lists, a clicked quarter-month, the grid panel lent to the information
// pane and given back, and the editor's clicks. Shots in both languages (TAVOLIN_SHOTS).
#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "kitchen/season/season_calendar.h"
#include "kitchen/ui/season_dialog.h"
#include "kitchen/ui/season_grid.h"
#include "kitchen/ui/season_input_dialog.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/ui/ingredient_links.h"
#include "recipedb/ui/ingredients_dialog.h"
#include "recipes/ui/info_pane_window.h"
#include "services/ui/context_list_box.h"
#include "windows/kitchen_program.h"
#include "windows/user_gestures.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;

class SeasonWindows : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    MakeBook({Dish("Erdbeer-Rhabarber-Kompott", 4,
                   {Line("500", "g", "Erdbeeren"), Line("300", "g", "Rhabarber"),
                    Line("1", "", "Erdbeere"), Line("", "", "spinat")},
                   "Kochen."),
              Dish("Strawberry fool", 4, {Line("500", "g", "strawberries")}, "Whip."),
              Dish("Wasser", 1, {}, "Trinken.")});
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (const REZZUTATEN& z : SaisonDlg->Shown) out.push_back(z.plural);
    return out;
  }
  size_t Expected(SeasonTab tab, int slot, bool mainOnly) const {
    REZBLOCK none;
    ClearRezBlock(none);
    return SeasonIngredients(ctx().ingredients->zutaten, tab, slot, mainOnly, none).size();
  }
};

TEST_F(SeasonWindows, TheCalendarListsByTabAndQuarterMonth) {
  Start();
  ShowRecipe("Erdbeer-Rhabarber-Kompott");
  WhileModal(
      [this] {
        TSaisonDlg* d = SaisonDlg;
        ASSERT_TRUE(d->isVisible());
        EXPECT_EQ(d->FilterTab->currentIndex(), 0);
        EXPECT_TRUE(d->MainSaisonChk->isVisible());
        EXPECT_EQ(d->CurrentSlot, TSaisonDlg::TodaysSlot());
        EXPECT_EQ(d->Shown.size(), Expected(SeasonTab::Now, d->CurrentSlot, false));
        // A click on June's second week lists what is in season then.
        d->DataGrd->SetCurrentColumn(22);
        d->DataGrdClick();
        EXPECT_EQ(d->CurrentSlot, 22);
        const std::vector<std::string> june = Rows();
        EXPECT_NE(std::find(june.begin(), june.end(), "Erdbeeren"), june.end());
        EXPECT_EQ(d->Shown.size(), Expected(SeasonTab::Now, 22, false));
        d->MainSaisonChk->click();
        EXPECT_EQ(d->Shown.size(), Expected(SeasonTab::Now, 22, true));
        EXPECT_LT(d->Shown.size(), june.size());
        // Column 0 (the names) leaves the quarter-month alone.
        d->DataGrd->SetCurrentColumn(0);
        d->DataGrdClick();
        EXPECT_EQ(d->CurrentSlot, 22);
        Shot(d, "season_calendar_DE");
        d->FilterTab->setCurrentIndex(1);
        EXPECT_FALSE(d->MainSaisonChk->isVisible());
        EXPECT_EQ(d->Shown.size(), Expected(SeasonTab::All, 1, false));
        EXPECT_GT(d->Shown.size(), 100u);
        // Every name is whole in the name column (the text starts 5 pixels in, ends 3 before).
        for (const std::string& name : Rows())
          EXPECT_GE(d->DataGrd->NameWidth() - 8,
                    d->DataGrd->fontMetrics().horizontalAdvance(toQ(name)))
              << name;
        // The recipe's ingredients: exact plurals only.
        d->FilterTab->setCurrentIndex(2);
        EXPECT_EQ(Rows(), (std::vector<std::string>{"Erdbeeren", "Rhabarber"}));
        EXPECT_FALSE(d->NoDataEdt->isVisible());
        d->GoTodayBtnClick();
        EXPECT_EQ(d->CurrentSlot, TSaisonDlg::TodaysSlot());
        d->CloseBtnClick();
      },
      [] { MainFrm->Action("SaisonMnu")->trigger(); });
  // A recipe without ingredient lines: nothing, and the note says so.
  ShowRecipe("Wasser");
  SaisonDlg->FillSeasonGrid();
  EXPECT_TRUE(SaisonDlg->Shown.empty());
  EXPECT_FALSE(SaisonDlg->NoDataEdt->isHidden());
  EXPECT_NE(fromQ(SaisonDlg->NoDataEdt->toPlainText()).find(GetLangText(587)), std::string::npos);
}

TEST_F(SeasonWindows, TheGridPanelIsLentToTheInformationPaneAndGivenBack) {
  Start();
  ShowRecipe("Erdbeer-Rhabarber-Kompott");
  InfoRezDlg->InfoPage->setCurrentWidget(InfoRezDlg->SaisonSheet);
  InfoRezDlg->InfoPageChange();
  EXPECT_EQ(SaisonDlg->SaisonPnl->parentWidget(), InfoRezDlg->SaisonGround);
  EXPECT_EQ(SaisonDlg->FilterTab->currentIndex(), 2);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Erdbeeren", "Rhabarber"}));
  EXPECT_FALSE(MainFrm->Action("SaisonMnu")->isEnabled());
  Shot(MainFrm, "information_pane_season_DE");
  // Another recipe follows on the page.
  ShowRecipe("Wasser");
  EXPECT_TRUE(Rows().empty());
  ShowRecipe("Erdbeer-Rhabarber-Kompott");
  // The calendar takes the panel back while it is shown, and gives it back when it hides.
  WhileModal(
      [] {
        EXPECT_EQ(SaisonDlg->SaisonPnl->parentWidget(), SaisonDlg->SaisonHome);
        SaisonDlg->FilterTab->setCurrentIndex(1);
        SaisonDlg->CloseBtnClick();
      },
      [] { SaisonDlg->exec(); });
  EXPECT_EQ(SaisonDlg->SaisonPnl->parentWidget(), InfoRezDlg->SaisonGround);
  EXPECT_TRUE(SaisonDlg->SaisonPnl->isVisible());
  EXPECT_EQ(SaisonDlg->FilterTab->currentIndex(), 2);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Erdbeeren", "Rhabarber"}));
  InfoRezDlg->ShowInfoSheet();
  EXPECT_TRUE(MainFrm->Action("SaisonMnu")->isEnabled());
}

TEST_F(SeasonWindows, TheEditorSetsAndClearsWeeks) {
  Start();
  SeasonEditor* editor = Linked<SeasonEditor>();
  ASSERT_NE(editor, nullptr);
  REZZUTATEN z;
  z.plural = "Spargel";
  auto click = [](int week) {
    SaisonInpDlg->DataGrd->SetCurrentColumn(week);
    SaisonInpDlg->DataGrdClick();
  };
  WhileModal(
      [this, click] {
        TSaisonInpDlg* d = SaisonInpDlg;
        EXPECT_EQ(fromQ(d->windowTitle()), GetLangText(340) + "Spargel'");
        EXPECT_TRUE(d->MainRdb->isChecked());
        for (int week : {16, 17, 18, 19, 20}) click(week);
        click(20);  // again: cleared
        d->NearRdb->setChecked(true);
        click(19);  // main becomes near
        click(21);
        Shot(d, "season_editor_DE");
        d->OKBtn->click();
      },
      [&] { EXPECT_TRUE(editor->EditSeason(z)); });
  EXPECT_EQ(z.season.substr(0, 23), "J" + std::string(16, ' ') + "SSSN N");
  // All weeks cleared: the flag goes back to N.
  WhileModal(
      [click] {
        SaisonInpDlg->MainRdb->setChecked(true);
        for (int week : {16, 17, 18}) click(week);
        SaisonInpDlg->NoRdb->setChecked(true);
        click(19);
        click(21);
        SaisonInpDlg->OKBtn->click();
      },
      [&] { EXPECT_TRUE(editor->EditSeason(z)); });
  EXPECT_EQ(z.season, "N" + std::string(48, ' '));
  // Closed any other way: not confirmed, also after an earlier OK.
  WhileModal([] { SaisonInpDlg->close(); }, [&] { EXPECT_FALSE(editor->EditSeason(z)); });
  WhileModal([] { SaisonInpDlg->CancelBtn->click(); },
             [&] { EXPECT_FALSE(editor->EditSeason(z)); });
}

// "Heute" clicked after another quarter-month was chosen lists what is in season today again.
TEST_F(SeasonWindows, TodayButtonGoesBackToTodaysQuarterMonth) {
  Start();
  ShowRecipe("Erdbeer-Rhabarber-Kompott");
  const bool came = WhileModal(
      [this] {
        TSaisonDlg* d = SaisonDlg;
        const int today = TSaisonDlg::TodaysSlot();
        const int other = today == 22 ? 40 : 22;
        d->DataGrd->SetCurrentColumn(other);
        d->DataGrdClick();
        ASSERT_EQ(d->CurrentSlot, other);
        ASSERT_TRUE(test::Click(d->GoTodayBtn));
        EXPECT_EQ(d->CurrentSlot, today);
        EXPECT_EQ(d->Shown.size(), Expected(SeasonTab::Now, today, false));
      },
      [] { MainFrm->Action("SaisonMnu")->trigger(); });
  EXPECT_TRUE(came);
}

// The editor's Cancel button closes it unconfirmed.
TEST_F(SeasonWindows, TheEditorsCancelButtonClosesItUnconfirmed) {
  Start();
  SeasonEditor* editor = Linked<SeasonEditor>();
  ASSERT_NE(editor, nullptr);
  REZZUTATEN z;
  z.plural = "Spargel";
  const bool came = WhileModal(
      [] {
        ASSERT_TRUE(test::Click(SaisonInpDlg->CancelBtn));
        EXPECT_FALSE(SaisonInpDlg->isVisible());
      },
      [&] { EXPECT_FALSE(editor->EditSeason(z)); });
  EXPECT_TRUE(came);
}

TEST_F(SeasonWindows, TheIngredientWindowEditsSeasonsThroughTheEditor) {
  Start();
  TZutatenDlg* ingredients = ZutatenDlg;
  ASSERT_NE(ingredients, nullptr);
  for (int i = 0; i < ingredients->ZutatLiBo->count(); ++i)
    if (fromQ(ingredients->ZutatLiBo->item(i)->text()) == "Erdbeeren")
      ingredients->ZutatLiBo->setCurrentRow(i);
  ingredients->ZutatLiBo2Click();
  ASSERT_TRUE(ingredients->InpSaisonBtn->isEnabled());
  WhileModal(
      [] {
        SaisonInpDlg->MainRdb->setChecked(true);
        SaisonInpDlg->DataGrd->SetCurrentColumn(0);
        SaisonInpDlg->DataGrdClick();
        SaisonInpDlg->OKBtn->click();
      },
      [&] { ingredients->InpSaisonBtnClick(); });
  const REZZUTATEN* strawberries = nullptr;
  for (const REZZUTATEN& z : ingredients->catalogue.zutaten)
    if (z.plural == "Erdbeeren") strawberries = &z;
  ASSERT_NE(strawberries, nullptr);
  EXPECT_EQ(strawberries->season[1], 'S');  // the first week of January, newly set
  EXPECT_EQ(strawberries->season[0], 'J');
}

TEST_F(SeasonWindows, EnglishShots) {
  Start("EN");
  ShowRecipe("Strawberry fool");
  WhileModal(
      [this] {
        SaisonDlg->DataGrd->SetCurrentColumn(22);
        SaisonDlg->DataGrdClick();
        Shot(SaisonDlg, "season_calendar_EN");
        SaisonDlg->FilterTab->setCurrentIndex(2);
        EXPECT_EQ(Rows(), std::vector<std::string>{"strawberries"});
        SaisonDlg->CloseBtnClick();
      },
      [] { MainFrm->Action("SaisonMnu")->trigger(); });
  REZZUTATEN z = ctx().ingredients->zutaten[0];
  WhileModal(
      [this] {
        Shot(SaisonInpDlg, "season_editor_EN");
        SaisonInpDlg->CancelBtn->click();
      },
      [&] { Linked<SeasonEditor>()->EditSeason(z); });
}

}  // namespace
}  // namespace tav
