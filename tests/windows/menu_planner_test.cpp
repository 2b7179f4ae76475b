// The menu planner and its course editor in the whole program: a new menu made through the main
// menu, recipes added as courses, the courses edited (a "#" typed into a course field cannot
// shift the stored fields), the menu closed and opened again from the recipe list, the save
// question, the main window's close, a course's recipe shown for its persons, and the menu card.
// Shots of the pane and the editor in both languages (TAVOLIN_SHOTS).
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <filesystem>

#include "kitchen/menus/menu_courses.h"
#include "kitchen/ui/menu_course_dialog.h"
#include "kitchen/ui/menu_planner_window.h"
#include "platform/paths.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;
using test::ReadAll;

class MenuPlanner : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    MakeBook({Dish("Maronensuppe", 4, {Line("400", "g", "Maronen")}, "Maronen garen."),
              Dish("Rehr\xFC"
                   "cken",
                   6,
                   {Line("1", "kg",
                         "Rehr\xFC"
                         "cken")},
                   "Rosa braten."),
              Dish("Zwetschgen-Crumble", 8, {Line("500", "g", "Zwetschgen")}, "Backen."),
              Dish("Feldsalat", 2, {Line("100", "g", "Feldsalat")}, "Waschen.")});
  }
  TMenuCenterDlg* P() const { return MenuCenterDlg; }
  // Selects the titles in the recipe list (no recipe shown).
  void SelectTitles(const std::vector<std::string>& titles) {
    list->SelectOnly(-1);
    for (const std::string& t : titles) list->ChooseLiBo->SetSelected(RowOf(t), true);
    list->ChooseLiBo->SetCurrentRow(RowOf(titles.front()));
  }
  // A new menu through the main menu, its editor filled and confirmed.
  void NewMenu(const std::string& title, int persons) {
    WhileModal(
        [title, persons] {
          ASSERT_TRUE(MenuEditDlg->isVisible());
          EXPECT_TRUE(MenuEditDlg->InfoPnl->isVisible());
          EXPECT_FALSE(MenuEditDlg->OKBtn->isEnabled());
          MenuEditDlg->TitleEdt->setText(toQ(title));
          MenuEditDlg->ServingEdt->setText(QString::number(persons));
          MenuEditDlg->OKBtn->click();
        },
        [] { MainFrm->Action("NewMenuMnu")->trigger(); });
  }
  REZINDEX EntryOf(const std::string& title) {
    REZINDEX e;
    EXPECT_TRUE(list->RowEntry(RowOf(title), e)) << title;
    return e;
  }
  std::vector<std::string> CourseTitles() const {
    std::vector<std::string> out;
    for (const MN_RECIPE& c : P()->plan.open.courses) out.push_back(c.printTitle);
    return out;
  }
};

TEST_F(MenuPlanner, AMenuIsMadeFilledClosedAndOpenedAgainIdentical) {
  Start();
  EXPECT_FALSE(MainFrm->MenuGnd->isVisible());
  NewMenu("Herbst #1 f\xFCr G\xE4ste", 6);
  // Stored at once in the current book, listed and selected, the pane shown.
  ASSERT_GE(RowOf("Herbst #1 f\xFCr G\xE4ste"), 0);
  const REZINDEX entry = EntryOf("Herbst #1 f\xFCr G\xE4ste");
  EXPECT_EQ(entry.flags, kRecipeMenu);
  EXPECT_TRUE(list->IsSelected(RowOf("Herbst #1 f\xFCr G\xE4ste")));
  EXPECT_TRUE(list->IsMenuShown());
  EXPECT_TRUE(MainFrm->MenuGnd->isVisible());
  EXPECT_EQ(fromQ(P()->RezTitle->text()), GetLangText(680) + "Herbst #1 f\xFCr G\xE4ste");

  // Three recipes as courses; a menu among the selected is refused, the others come in.
  SelectTitles({"Maronensuppe", "Herbst #1 f\xFCr G\xE4ste",
                "Rehr\xFC"
                "cken",
                "Zwetschgen-Crumble"});
  P()->AddBtnClick();
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(684)});
  EXPECT_EQ(CourseTitles(), (std::vector<std::string>{"Maronensuppe",
                                                      "Rehr\xFC"
                                                      "cken",
                                                      "Zwetschgen-Crumble"}));
  EXPECT_EQ(P()->RecipesLiBo->count(), 3);
  EXPECT_EQ(P()->plan.open.courses[0].persons, 6);
  EXPECT_EQ(P()->plan.open.courses[0].servingType, "Portionen");

  // The course editor: types, a print title with "#", a description; "#" typed into a course
  // type or description becomes "-".
  WhileModal(
      [] {
        TMenuEditDlg* d = MenuEditDlg;
        EXPECT_TRUE(d->RecipePnl->isVisible());
        EXPECT_FALSE(d->RecipeScroll->isVisible());
        d->Courses[0].type->setEditText(toQ("Vorspeise"));
        d->Courses[1].type->lineEdit()->clear();
        d->Courses[1].type->lineEdit()->insert(toQ("Haupt#gang"));
        d->Courses[1].recipe->setText(
            toQ("Rehr\xFC"
                "cken #2 rosa"));
        d->Courses[1].desc->setPlainText(
            toQ("mit Kl\xF6\xDF"
                "en\nund Rotkohl"));
        d->Courses[2].serving->setText(toQ("8"));
        d->OKBtn->click();
      },
      [this] { P()->MenuImgClick(); });
  EXPECT_EQ(P()->plan.open.courses[1].courseType, "Haupt-gang");
  EXPECT_EQ(P()->plan.open.courses[1].printTitle,
            "Rehr\xFC"
            "cken #2 rosa");
  EXPECT_EQ(P()->plan.open.courses[1].description,
            "mit Kl\xF6\xDF"
            "en\r\nund Rotkohl");
  EXPECT_EQ(P()->plan.open.courses[2].persons, 8);
  P()->DescrEdt->setPlainText(toQ("Ein Abend\nim Oktober"));
  P()->CardEdt->setPlainText(toQ("Guten Appetit!"));
  Shot(MainFrm, "menu_planner_DE");

  // Closed: stored without a question; the old record flagged, the entry replaced.
  EXPECT_TRUE(P()->HasMenuChanged());  // takes the texts into the menu
  const REZBLOCK before = P()->plan.open;
  P()->CloseBtn2Click();
  EXPECT_TRUE(Messages().size() == 1);
  EXPECT_FALSE(MainFrm->MenuGnd->isVisible());
  EXPECT_FALSE(P()->plan.IsOpen());
  const REZINDEX now = EntryOf("Herbst #1 f\xFCr G\xE4ste");
  EXPECT_NE(now.offset, entry.offset);
  EXPECT_EQ(ReadAll(env.DataFolder() + "Hausbuch.bok")[static_cast<size_t>(entry.offset) + 5], 1);

  // Chosen again in the list: the same menu, every field as it was.
  ShowRecipe("Herbst #1 f\xFCr G\xE4ste");
  ASSERT_TRUE(P()->plan.IsOpen());
  EXPECT_TRUE(MainFrm->MenuGnd->isVisible());
  EXPECT_FALSE(MenuDiffers(P()->plan.open, before));
  EXPECT_EQ(P()->plan.open.text, "Ein Abend\r\nim Oktober");
  EXPECT_EQ(fromQ(P()->DescrEdt->toPlainText()), "Ein Abend\nim Oktober");
  EXPECT_FALSE(P()->HasMenuChanged());
}

TEST_F(MenuPlanner, TheSaveQuestionTheCloseOfTheProgramAndACourseShown) {
  Start();
  NewMenu("Sonntag", 4);
  NewMenu("Montag", 2);
  EXPECT_TRUE(Messages().empty());  // "Sonntag" had not changed since it was stored
  SelectTitles({"Feldsalat"});
  P()->AddBtnClick();
  // Another menu chosen: asked; No drops the course.
  env.messages.answers = {IDNO};
  ShowRecipe("Sonntag");
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(681)});
  EXPECT_EQ(P()->plan.open.title, "Sonntag");
  ShowRecipe("Montag");
  EXPECT_TRUE(P()->plan.open.courses.empty());

  // Yes stores it.
  SelectTitles({"Maronensuppe"});
  P()->AddBtnClick();
  env.messages.answers = {IDYES};
  ShowRecipe("Sonntag");
  ShowRecipe("Montag");
  EXPECT_EQ(CourseTitles(), std::vector<std::string>{"Maronensuppe"});

  // A course clicked: its recipe shown for the course's persons.
  P()->RecipesLiBo->setCurrentRow(0);
  P()->RecipesLiBoClick();
  EXPECT_EQ(DataRezDlg->ShownRecipe.title, "Maronensuppe");
  EXPECT_EQ(GetChosenServings(), 2);
  EXPECT_EQ(DataRezDlg->ShownRecipe.lines[0].amount, "200");

  // "Rezept ändern" on a menu opens the planner with the editor, not the recipe editor.
  list->SelectOnly(RowOf("Montag"));
  WhileModal(
      [] {
        ASSERT_TRUE(MenuEditDlg->isVisible());
        MenuEditDlg->Courses[0].recipe->setText(toQ("Suppe vom Markt"));
        MenuEditDlg->OKBtn->click();
      },
      [] { MainFrm->Action("RezeptAendern")->trigger(); });
  EXPECT_EQ(CourseTitles(), std::vector<std::string>{"Suppe vom Markt"});

  // Closing the program stores the changed menu without asking.
  env.messages.shown.clear();
  EXPECT_TRUE(MainFrm->FormCloseQuery());
  EXPECT_TRUE(Messages().empty());
  DestroyAllWindows();
  Start();
  ShowRecipe("Montag");
  EXPECT_EQ(CourseTitles(), std::vector<std::string>{"Suppe vom Markt"});
}

TEST_F(MenuPlanner, AMenuThatCannotBeStoredWhenClosedIsSaid) {
  Start();
  NewMenu("Sonntag", 4);
  SelectTitles({"Feldsalat"});
  P()->AddBtnClick();
  // The book's record file cannot be written: a folder stands in its place (also for root).
  const std::string records = env.DataFolder() + "Hausbuch.bok";
  ASSERT_TRUE(RenameFile(records, records + ".sav"));
  ASSERT_TRUE(MakeDirs(records));
  env.messages.shown.clear();
  P()->CloseBtn2Click();
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(Messages().back(), GetLangText(1015));
  EXPECT_FALSE(P()->plan.IsOpen());
  std::filesystem::remove(records);
  ASSERT_TRUE(RenameFile(records + ".sav", records));
  // The menu is as it was last stored.
  ShowRecipe("Sonntag");
  EXPECT_TRUE(P()->plan.open.courses.empty());
}

TEST_F(MenuPlanner, CourseListCommands) {
  Start();
  MainFrm->Action("MenuEditMnu")->trigger();
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(683)});
  NewMenu("Gala", 4);
  SelectTitles({"Maronensuppe",
                "Rehr\xFC"
                "cken",
                "Feldsalat"});
  P()->AddBtnClick();
  env.messages.shown.clear();
  P()->RecipesLiBo->setCurrentRow(-1);
  P()->DelBtnClick();
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(682)});
  P()->RecipesLiBo->setCurrentRow(0);
  P()->RecipeUpBtnClick();  // the first stays first
  P()->RecipeDownBtnClick();
  EXPECT_EQ(CourseTitles(), (std::vector<std::string>{"Maronensuppe", "Feldsalat",
                                                      "Rehr\xFC"
                                                      "cken"}));
  EXPECT_EQ(P()->RecipesLiBo->currentRow(), 1);
  P()->RecipesLiBo->setCurrentRow(2);
  P()->RecipeDownBtnClick();  // the last stays last
  P()->DelBtnClick();
  EXPECT_EQ(CourseTitles(), (std::vector<std::string>{"Maronensuppe", "Feldsalat"}));
}

TEST_F(MenuPlanner, SevenCoursesScrollAndKeepTheirEdits) {
  Start();
  NewMenu("Sieben", 4);
  for (int i = 0; i < 7; ++i) {
    SelectTitles({"Feldsalat"});
    P()->AddBtnClick();
  }
  WhileModal(
      [] {
        TMenuEditDlg* d = MenuEditDlg;
        ASSERT_TRUE(d->RecipeScroll->isVisible());
        EXPECT_EQ(d->RecipeScroll->maximum(), 1);
        d->Courses[0].recipe->setText(toQ("erster"));
        d->RecipeScroll->setValue(1);
        EXPECT_EQ(fromQ(d->Courses[5].recipe->text()), "Feldsalat");
        d->Courses[5].recipe->setText(toQ("siebter"));
        d->RecipeScroll->setValue(0);
        EXPECT_EQ(fromQ(d->Courses[0].recipe->text()), "erster");
        d->OKBtn->click();
      },
      [this] { P()->EditMenuPlan(); });
  EXPECT_EQ(P()->plan.open.courses[0].printTitle, "erster");
  EXPECT_EQ(P()->plan.open.courses[6].printTitle, "siebter");
  // Cancel after edits leaves the menu as it was.
  const REZBLOCK kept = P()->plan.open;
  WhileModal(
      [] {
        MenuEditDlg->TitleEdt->clear();
        EXPECT_FALSE(MenuEditDlg->OKBtn->isEnabled());
        MenuEditDlg->Courses[1].recipe->setText(toQ("anders"));
        MenuEditDlg->CancelBtn->click();
      },
      [this] { P()->EditMenuPlan(); });
  EXPECT_FALSE(MenuEditDlg->IsEditConfirmed());
  EXPECT_FALSE(MenuDiffers(P()->plan.open, kept));
}

TEST_F(MenuPlanner, TheMenuCardIsWrittenAndOpened) {
  Start();
  NewMenu("Gala: Abend", 4);
  P()->PrintMenuPlan();
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(754)});
  SelectTitles({"Maronensuppe",
                "Rehr\xFC"
                "cken"});
  P()->AddBtnClick();
  P()->CardEdt->setPlainText(toQ("Guten Appetit & Prost"));
  MainFrm->Action("MenuPrintMnu")->trigger();
  const std::string page = env.Root() + "Menue/Gala_ Abend.html";
  const std::string html = ReadAll(page);
  EXPECT_NE(html.find("<h1>Gala: Abend</h1>"), std::string::npos);
  EXPECT_NE(html.find("Rehr\xFC"
                      "cken</div>"),
            std::string::npos);
  EXPECT_NE(html.find("Guten Appetit &amp; Prost"), std::string::npos);
  ASSERT_FALSE(env.shell.opened.empty());
  EXPECT_EQ(env.shell.opened.back().find(page), 0u);
  // Without its template the card says so.
  RemoveFile(env.Root() + "HTML/Menu.mpl");
  env.messages.shown.clear();
  P()->PrintMenuPlan();
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(752)});
}

TEST_F(MenuPlanner, Shots) {
  for (const char* lang : {"EN", "DE"}) {
    Start(lang);
    MainFrm->resize(1100, 720);
    NewMenu(std::string(lang) == "DE" ? "Herbstmen\xFC" : "Autumn dinner", 6);
    SelectTitles({"Maronensuppe",
                  "Rehr\xFC"
                  "cken",
                  "Zwetschgen-Crumble"});
    P()->AddBtnClick();
    const std::vector<std::string> types =
        std::string(lang) == "DE" ? std::vector<std::string>{"Vorspeise", "Hauptgang", "Dessert"}
                                  : std::vector<std::string>{"Starter", "Main course", "Dessert"};
    for (size_t i = 0; i < types.size(); ++i) P()->plan.open.courses[i].courseType = types[i];
    P()->plan.open.courses[1].description = "mit Sp\xE4tzle und Rotkohl";
    P()->ShowMenuPlan();
    P()->RecipesLiBo->setCurrentRow(1);
    Shot(MainFrm, std::string("menu_planner_pane_") + lang);
    WhileModal(
        [this, lang] {
          Shot(MenuEditDlg, std::string("menu_course_editor_") + lang);
          MenuEditDlg->CancelBtn->click();
        },
        [this] { P()->EditMenuPlan(); });
    DestroyAllWindows();
  }
}

}  // namespace
}  // namespace tav
