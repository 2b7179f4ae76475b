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
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <functional>

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
  // The titles clicked in the recipe list, the first alone, the others with Ctrl.
  void SelectTitles(const std::vector<std::string>& titles) {
    for (size_t i = 0; i < titles.size(); ++i)
      ClickRecipe(titles[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
  }
  // The selected recipes added as courses with the pane's button.
  void AddSelected(const std::vector<std::string>& titles) {
    SelectTitles(titles);
    ASSERT_TRUE(test::Click(P()->AddBtn));
  }
  // A new menu through the main menu, its editor typed into and confirmed.
  void NewMenu(const std::string& title, int persons) {
    const bool came = WhileModal(
        [title, persons] {
          ASSERT_TRUE(MenuEditDlg->isVisible());
          EXPECT_TRUE(MenuEditDlg->InfoPnl->isVisible());
          EXPECT_FALSE(MenuEditDlg->OKBtn->isEnabled());
          EXPECT_TRUE(test::TypeInto(MenuEditDlg->TitleEdt, toQ(title)));
          EXPECT_TRUE(test::TypeInto(MenuEditDlg->ServingEdt, QString::number(persons)));
          EXPECT_TRUE(test::Click(MenuEditDlg->OKBtn));
        },
        [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "NewMenuMnu"})); });
    ASSERT_TRUE(came);
  }
  // The course editor opened with a click on the menu picture; `inside` runs while it is up.
  void InCourseEditor(const std::function<void()>& inside) {
    ASSERT_TRUE(WhileModal(inside, [this] { EXPECT_TRUE(test::Click(P()->MenuImg)); }));
  }
  // A course row of the pane clicked.
  void ClickCourse(int row) { ASSERT_TRUE(test::ClickCell(P()->RecipesLiBo, row)); }
  // Text typed into a page of the pane.
  void TypeOnPage(QWidget* page, QPlainTextEdit* memo, const QString& text) {
    ASSERT_TRUE(test::ClickTab(P()->PageControl1->tabBar(),
                               P()->PageControl1->tabText(P()->PageControl1->indexOf(page))));
    ASSERT_TRUE(test::TypeInto(memo, text));
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
  // The menus of the book's index on disk, by title.
  std::vector<std::string> StoredMenus() const {
    std::vector<std::string> titles;
    for (const REZINDEX& e : IndexEntries())
      if (e.flags & kRecipeMenu) titles.push_back(e.Title());
    std::sort(titles.begin(), titles.end());
    return titles;
  }
};

TEST_F(MenuPlanner, AMenuIsMadeFilledClosedAndOpenedAgainIdentical) {
  Start();
  EXPECT_FALSE(MainFrm->MenuGnd->isVisible());
  const std::string title = "Herbst #1 f\xFCr G\xE4ste";
  NewMenu(title, 6);
  // Stored at once in the current book, listed and selected, the pane shown.
  ASSERT_GE(RowOf(title), 0);
  const REZINDEX entry = EntryOf(title);
  EXPECT_EQ(entry.flags, kRecipeMenu);
  EXPECT_TRUE(list->IsSelected(RowOf(title)));
  EXPECT_TRUE(list->IsMenuShown());
  EXPECT_TRUE(MainFrm->MenuGnd->isVisible());
  EXPECT_EQ(fromQ(P()->RezTitle->text()), GetLangText(680) + title);

  // Three recipes as courses; a menu among the selected is refused, the others come in.
  AddSelected({"Maronensuppe", title,
               "Rehr\xFC"
               "cken",
               "Zwetschgen-Crumble"});
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(684)});
  ASSERT_EQ(CourseTitles(), (std::vector<std::string>{"Maronensuppe",
                                                      "Rehr\xFC"
                                                      "cken",
                                                      "Zwetschgen-Crumble"}));
  EXPECT_EQ(P()->RecipesLiBo->count(), 3);
  EXPECT_EQ(P()->plan.open.courses[0].persons, 6);
  EXPECT_EQ(P()->plan.open.courses[0].servingType, "Portionen");

  // The course editor, opened with a click on the menu picture: types, a print title with "#",
  // a description of two lines; "#" typed into a course type becomes "-".
  InCourseEditor([] {
    TMenuEditDlg* d = MenuEditDlg;
    EXPECT_TRUE(d->RecipePnl->isVisible());
    EXPECT_FALSE(d->RecipeScroll->isVisible());
    EXPECT_TRUE(test::TypeInto(d->Courses[0].type, toQ("Vorspeise")));
    EXPECT_TRUE(test::TypeInto(d->Courses[1].type, toQ("Haupt#gang")));
    EXPECT_TRUE(test::TypeInto(d->Courses[1].recipe, toQ("Rehr\xFC"
                                                         "cken #2 rosa")));
    EXPECT_TRUE(test::TypeInto(d->Courses[1].desc, toQ("mit Kl\xF6\xDF"
                                                       "en")));
    test::PressKey(Qt::Key_Return);
    QTest::keyClicks(d->Courses[1].desc, toQ("und Rotkohl"));
    EXPECT_TRUE(test::TypeInto(d->Courses[2].serving, QStringLiteral("8")));
    EXPECT_TRUE(test::Click(d->OKBtn));
  });
  EXPECT_EQ(P()->plan.open.courses[0].courseType, "Vorspeise");
  EXPECT_EQ(P()->plan.open.courses[1].courseType, "Haupt-gang");
  EXPECT_EQ(P()->plan.open.courses[1].printTitle,
            "Rehr\xFC"
            "cken #2 rosa");
  EXPECT_EQ(P()->plan.open.courses[1].description,
            "mit Kl\xF6\xDF"
            "en\r\nund Rotkohl");
  EXPECT_EQ(P()->plan.open.courses[2].persons, 8);
  TypeOnPage(P()->TabSheet2, P()->DescrEdt, QStringLiteral("Ein Abend"));
  test::PressKey(Qt::Key_Return);
  QTest::keyClicks(P()->DescrEdt, QStringLiteral("im Oktober"));
  TypeOnPage(P()->TabSheet3, P()->CardEdt, QStringLiteral("Guten Appetit!"));
  Shot(MainFrm, "menu_planner_DE");

  // Closed: stored without a question; the old record flagged, the entry replaced.
  EXPECT_TRUE(P()->HasMenuChanged());  // takes the texts into the menu
  const REZBLOCK before = P()->plan.open;
  ASSERT_TRUE(test::Click(P()->CloseBtn2));
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_FALSE(MainFrm->MenuGnd->isVisible());
  EXPECT_FALSE(P()->plan.IsOpen());
  const REZINDEX now = EntryOf(title);
  EXPECT_NE(now.offset, entry.offset);
  EXPECT_EQ(ReadAll(env.DataFolder() + "Hausbuch.bok")[static_cast<size_t>(entry.offset) + 5], 1);

  // Clicked again in the list: the same menu, every field as it was.
  ClickRecipe(title);
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
  AddSelected({"Feldsalat"});
  // Another menu clicked: asked; No drops the course.
  env.messages.answers = {IDNO};
  ClickRecipe("Sonntag");
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(681)});
  EXPECT_EQ(P()->plan.open.title, "Sonntag");
  ClickRecipe("Montag");
  EXPECT_TRUE(P()->plan.open.courses.empty());

  // Yes stores it.
  AddSelected({"Maronensuppe"});
  env.messages.answers = {IDYES};
  ClickRecipe("Sonntag");
  ClickRecipe("Montag");
  EXPECT_EQ(CourseTitles(), std::vector<std::string>{"Maronensuppe"});

  // A course clicked: its recipe shown for the course's persons.
  ClickCourse(0);
  EXPECT_EQ(DataRezDlg->ShownRecipe.title, "Maronensuppe");
  EXPECT_EQ(GetChosenServings(), 2);
  EXPECT_EQ(DataRezDlg->ShownRecipe.lines[0].amount, "200");

  // "Rezept ändern" on a menu opens the planner with the editor, not the recipe editor.
  ClickRecipe("Montag");
  const bool came = WhileModal(
      [] {
        ASSERT_TRUE(MenuEditDlg->isVisible());
        EXPECT_TRUE(test::TypeInto(MenuEditDlg->Courses[0].recipe, toQ("Suppe vom Markt")));
        EXPECT_TRUE(test::Click(MenuEditDlg->OKBtn));
      },
      [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "RezeptAendern"})); });
  EXPECT_TRUE(came);
  EXPECT_EQ(CourseTitles(), std::vector<std::string>{"Suppe vom Markt"});

  // Ending the program stores the changed menu without asking.
  env.messages.shown.clear();
  EndProgram();
  EXPECT_TRUE(Messages().empty());
  Start();
  ClickRecipe("Montag");
  EXPECT_EQ(CourseTitles(), std::vector<std::string>{"Suppe vom Markt"});
}

// A closed planner keeps nothing of its menu: another menu clicked afterwards asks nothing, and
// no end of the program stores a record the user did not make.
TEST_F(MenuPlanner, AClosedPlannerLeavesNothingToStore) {
  Start();
  NewMenu("Sonntag", 4);
  TypeOnPage(P()->TabSheet2, P()->DescrEdt, QStringLiteral("Braten am Mittag"));
  TypeOnPage(P()->TabSheet3, P()->CardEdt, QStringLiteral("Sonntagsmen\xFC"));
  ASSERT_TRUE(test::Click(P()->CloseBtn2));
  NewMenu("Montag", 2);
  // A new menu starts without the texts of the one before it.
  EXPECT_TRUE(P()->DescrEdt->toPlainText().isEmpty());
  EXPECT_TRUE(P()->CardEdt->toPlainText().isEmpty());
  ASSERT_TRUE(test::Click(P()->TitleCloseBtn));
  EndProgram();
  const std::vector<std::string> menus{"Montag", "Sonntag"};
  EXPECT_EQ(StoredMenus(), menus);
  const std::string book = env.DataFolder() + "Hausbuch.bok";
  const std::string index = env.DataFolder() + "Hausbuch.idx";
  const std::string records = ReadAll(book), entries = ReadAll(index);

  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    Start();
    ClickRecipe("Sonntag");
    EXPECT_EQ(fromQ(P()->DescrEdt->toPlainText()), "Braten am Mittag");
    ASSERT_TRUE(test::Click(run == 0 ? static_cast<QWidget*>(P()->CloseBtn2) : P()->TitleCloseBtn));
    EXPECT_TRUE(P()->DescrEdt->toPlainText().isEmpty());
    EXPECT_TRUE(P()->CardEdt->toPlainText().isEmpty());
    // Another menu: no question about the one closed, and its own (empty) texts.
    ClickRecipe("Montag");
    EXPECT_TRUE(Messages().empty()) << Messages().front();
    EXPECT_EQ(P()->plan.open.title, "Montag");
    EXPECT_TRUE(P()->DescrEdt->toPlainText().isEmpty());
    ASSERT_TRUE(test::Click(P()->CloseBtn2));
    // A new menu begun and cancelled leaves nothing either.
    ClickRecipe("Sonntag");
    EXPECT_TRUE(WhileModal([] { EXPECT_TRUE(test::Click(MenuEditDlg->CancelBtn)); },
                           [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "NewMenuMnu"})); }));
    EXPECT_FALSE(MainFrm->MenuGnd->isVisible());
    EXPECT_TRUE(P()->DescrEdt->toPlainText().isEmpty());
    EndProgram();
    EXPECT_TRUE(Messages().empty()) << Messages().front();
    EXPECT_EQ(StoredMenus(), menus);
    EXPECT_TRUE(ReadAll(book) == records) << "the record file was written";
    EXPECT_TRUE(ReadAll(index) == entries) << "the index was written";
  }
}

TEST_F(MenuPlanner, AMenuThatCannotBeStoredWhenClosedIsSaid) {
  Start();
  NewMenu("Sonntag", 4);
  AddSelected({"Feldsalat"});
  // The book's record file cannot be written: a folder stands in its place (also for root).
  const std::string records = env.DataFolder() + "Hausbuch.bok";
  ASSERT_TRUE(RenameFile(records, records + ".sav"));
  ASSERT_TRUE(MakeDirs(records));
  env.messages.shown.clear();
  ASSERT_TRUE(test::Click(P()->CloseBtn2));
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(Messages().back(), GetLangText(1015));
  EXPECT_FALSE(P()->plan.IsOpen());
  std::filesystem::remove(records);
  ASSERT_TRUE(RenameFile(records + ".sav", records));
  // The menu is as it was last stored.
  ClickRecipe("Sonntag");
  EXPECT_TRUE(P()->plan.open.courses.empty());
}

TEST_F(MenuPlanner, CourseListCommands) {
  Start();
  EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "MenuEditMnu"}));
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(683)});
  NewMenu("Gala", 4);
  AddSelected({"Maronensuppe",
               "Rehr\xFC"
               "cken",
               "Feldsalat"});
  env.messages.shown.clear();
  ASSERT_EQ(P()->RecipesLiBo->currentRow(), -1);
  ASSERT_TRUE(test::Click(P()->DelBtn));
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(682)});
  ClickCourse(0);
  ASSERT_TRUE(test::Click(P()->RecipeUpBtn));  // the first stays first
  ASSERT_TRUE(test::Click(P()->RecipeDownBtn));
  EXPECT_EQ(CourseTitles(), (std::vector<std::string>{"Maronensuppe", "Feldsalat",
                                                      "Rehr\xFC"
                                                      "cken"}));
  EXPECT_EQ(P()->RecipesLiBo->currentRow(), 1);
  ClickCourse(2);
  ASSERT_TRUE(test::Click(P()->RecipeDownBtn));  // the last stays last
  ASSERT_TRUE(test::Click(P()->RecipeUpBtn));
  EXPECT_EQ(CourseTitles(), (std::vector<std::string>{"Maronensuppe",
                                                      "Rehr\xFC"
                                                      "cken",
                                                      "Feldsalat"}));
  EXPECT_EQ(P()->RecipesLiBo->currentRow(), 1);
  ASSERT_TRUE(test::Click(P()->DelBtn));
  EXPECT_EQ(CourseTitles(), (std::vector<std::string>{"Maronensuppe", "Feldsalat"}));
  // A double click on a course opens the course editor; the help buttons of both open the
  // planner's help page.
  env.shell.opened.clear();
  EXPECT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(MenuEditDlg->RecipePnl->isVisible());
        EXPECT_TRUE(test::Click(MenuEditDlg->HelpBtn));
      },
      [this] { ASSERT_TRUE(test::DoubleClickCell(P()->RecipesLiBo, 1)); }));
  ASSERT_TRUE(test::Click(P()->THelpBtn));
  ASSERT_EQ(env.shell.opened.size(), 2u);
  for (const std::string& page : env.shell.opened) EXPECT_TRUE(page.ends_with("/Help/Dlg_Menu.htm")) << page;
}

TEST_F(MenuPlanner, SevenCoursesScrollAndKeepTheirEdits) {
  Start();
  NewMenu("Sieben", 4);
  for (int i = 0; i < 7; ++i) AddSelected({"Feldsalat"});
  // The scroll bar's arrows, clicked at its ends.
  const auto scroll = [](int step) {
    QScrollBar* bar = MenuEditDlg->RecipeScroll;
    const QPoint end = step > 0 ? QPoint(bar->width() / 2, bar->height() - 3)
                                : QPoint(bar->width() / 2, 3);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, end);
  };
  InCourseEditor([&] {
    TMenuEditDlg* d = MenuEditDlg;
    ASSERT_TRUE(d->RecipeScroll->isVisible());
    EXPECT_EQ(d->RecipeScroll->maximum(), 1);
    EXPECT_TRUE(test::TypeInto(d->Courses[0].recipe, toQ("erster")));
    scroll(+1);
    EXPECT_EQ(d->RecipeScroll->value(), 1);
    EXPECT_EQ(fromQ(d->Courses[5].recipe->text()), "Feldsalat");
    EXPECT_TRUE(test::TypeInto(d->Courses[5].recipe, toQ("siebter")));
    scroll(-1);
    EXPECT_EQ(d->RecipeScroll->value(), 0);
    EXPECT_EQ(fromQ(d->Courses[0].recipe->text()), "erster");
    EXPECT_TRUE(test::Click(d->OKBtn));
  });
  EXPECT_EQ(P()->plan.open.courses[0].printTitle, "erster");
  EXPECT_EQ(P()->plan.open.courses[6].printTitle, "siebter");
  // Cancel after edits leaves the menu as it was.
  const REZBLOCK kept = P()->plan.open;
  InCourseEditor([] {
    EXPECT_TRUE(test::TypeInto(MenuEditDlg->TitleEdt, QString()));
    EXPECT_FALSE(MenuEditDlg->OKBtn->isEnabled());
    EXPECT_TRUE(test::TypeInto(MenuEditDlg->Courses[1].recipe, toQ("anders")));
    EXPECT_TRUE(test::Click(MenuEditDlg->CancelBtn));
    EXPECT_FALSE(MenuEditDlg->isVisible());
  });
  EXPECT_FALSE(MenuEditDlg->IsEditConfirmed());
  EXPECT_FALSE(MenuDiffers(P()->plan.open, kept));
}

// Enter in the pane's texts makes a new line and nothing else; in the course editor OK is the
// default button, so Enter in one of its fields confirms what was typed; Escape cancels.
TEST_F(MenuPlanner, EnterAndEscapeInThePlannerAndItsEditor) {
  Start();
  NewMenu("Gala", 4);
  AddSelected({"Maronensuppe"});
  const std::string book = env.DataFolder() + "Hausbuch.bok";
  const std::string stored = ReadAll(book);
  env.messages.shown.clear();
  for (QPlainTextEdit* memo : {P()->DescrEdt, P()->CardEdt}) {
    SCOPED_TRACE(fromQ(memo->objectName()));
    TypeOnPage(memo->parentWidget(), memo, QStringLiteral("Vorspeise"));
    const bool opened = WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); });
    EXPECT_FALSE(opened);
    QTest::keyClicks(memo, QStringLiteral("Hauptgang"));
    EXPECT_EQ(fromQ(memo->toPlainText()), "Vorspeise\nHauptgang");
  }
  ASSERT_TRUE(test::ClickTab(P()->PageControl1->tabBar(), P()->PageControl1->tabText(0)));
  ClickCourse(0);
  EXPECT_FALSE(WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
  EXPECT_TRUE(MainFrm->MenuGnd->isVisible());
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ReadAll(book), stored);

  struct Field {
    const char* name;
    QWidget* (*field)();
    const char* typed;
    std::function<void()> check;
  };
  const Field fields[] = {
      {"title", [] { return static_cast<QWidget*>(MenuEditDlg->TitleEdt); }, "Galaabend",
       [this] { EXPECT_EQ(P()->plan.open.title, "Galaabend"); }},
      {"persons", [] { return static_cast<QWidget*>(MenuEditDlg->ServingEdt); }, "12",
       [this] { EXPECT_EQ(P()->plan.open.servings, 12); }},
      {"print title", [] { return static_cast<QWidget*>(MenuEditDlg->Courses[0].recipe); },
       "Suppe", [this] { EXPECT_EQ(P()->plan.open.courses[0].printTitle, "Suppe"); }},
      {"course persons", [] { return static_cast<QWidget*>(MenuEditDlg->Courses[0].serving); },
       "3", [this] { EXPECT_EQ(P()->plan.open.courses[0].persons, 3); }},
      {"course type", [] { return static_cast<QWidget*>(MenuEditDlg->Courses[0].type); },
       "Amuse-Bouche", [this] { EXPECT_EQ(P()->plan.open.courses[0].courseType, "Amuse-Bouche"); }},
  };
  for (const Field& f : fields) {
    SCOPED_TRACE(f.name);
    int types = -1;
    InCourseEditor([&] {
      types = MenuEditDlg->Courses[0].type->count();
      EXPECT_TRUE(test::TypeInto(f.field(), toQ(f.typed)));
      test::PressKey(Qt::Key_Return);
      EXPECT_FALSE(MenuEditDlg->isVisible());
    });
    EXPECT_TRUE(MenuEditDlg->IsEditConfirmed());
    f.check();
    EXPECT_EQ(MenuEditDlg->Courses[0].type->count(), types);  // nothing added to the type list
  }
  // Enter in a course's description is a new line; Escape then cancels the editor.
  InCourseEditor([] {
    QPlainTextEdit* desc = MenuEditDlg->Courses[0].desc;
    EXPECT_TRUE(test::TypeInto(desc, QStringLiteral("heiss")));
    test::PressKey(Qt::Key_Return);
    EXPECT_TRUE(MenuEditDlg->isVisible());
    EXPECT_EQ(fromQ(desc->toPlainText()), "heiss\n");
    test::PressKey(Qt::Key_Escape);
    EXPECT_FALSE(MenuEditDlg->isVisible());
  });
  EXPECT_FALSE(MenuEditDlg->IsEditConfirmed());
  EXPECT_TRUE(P()->plan.open.courses[0].description.empty());
}

TEST_F(MenuPlanner, TheMenuCardIsWrittenAndOpened) {
  Start();
  NewMenu("Gala: Abend", 4);
  EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "MenuPrintMnu"}));
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(754)});
  AddSelected({"Maronensuppe",
               "Rehr\xFC"
               "cken"});
  TypeOnPage(P()->TabSheet3, P()->CardEdt, QStringLiteral("Guten Appetit & Prost"));
  EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "MenuPrintMnu"}));
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
  EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "MenuPrintMnu"}));
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
