// Windows that work together, driven as a user drives them: menus opened with the mouse, real
// mouse and key events, modal windows and questions answered while they are up. The whole
// program runs over the shipped data root with one book of dishes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QToolBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QLayout>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include "app/ui/about_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/tips_dialog.h"
#include "exchange/ui/export_dialog.h"
#include "kitchen/ui/dealers_dialog.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "kitchen/ui/shopping_dialog.h"
#include "kitchen/ui/shopping_list_window.h"
#include "kitchen/ui/week_plan_window.h"
#include "recipedb/index_file.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "platform/qt/qt_services.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/duplicate_search_dialog.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/ui/context_list_box.h"
#include "services/ui/elided_label.h"
#include "services/context.h"
#include "services/web_addresses.h"
#include "windows/kitchen_program.h"
#include "windows/user_actions.h"

namespace tav {
namespace {

using test::ClickMenuPath;
using test::Dish;
using test::Line;

class WindowsTogether : public test::KitchenProgram {
 protected:
  QtMessageBoxes questions;  // real message boxes: modal windows the user answers

  void MakeDishes() {
    MakeBook({Dish("Pfannkuchen", 4, {Line("250", "g", "Mehl"), Line("3", "", "Eier")},
                   "Teig ruhen lassen, dünn ausbacken."),
              Dish("Linsensuppe", 4, {Line("300", "g", "Linsen")}, "Weich kochen."),
              Dish("Pfannkuchen", 4, {Line("250", "g", "Mehl"), Line("3", "", "Eier")},
                   "Teig ruhen lassen, dünn ausbacken.")});
  }
  // The program started as a user meets it: the start tip read and closed, the main window
  // clicked into (which activates it).
  void UserStart(const char* lang = "DE") {
    Start(lang);
    MainFrm->show();
    if (AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);
    MainFrm->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(MainFrm));
  }
  void StartWithQuestions(const char* lang = "DE") {
    UserStart(lang);
    ctx().messages = &questions;
  }
  void TearDown() override {
    ctx().messages = &env.messages;
    KitchenProgram::TearDown();
  }
  static bool TipUp() {
    return QTest::qWaitFor([] { return AssistDlg->isVisible(); }, 1000);
  }
};

// The tip of a modal window is shown over that window: a click on its close button reaches it.
TEST_F(WindowsTogether, ATipShownByAModalWindowCanBeReadAndClosed) {
  MakeDishes();
  struct Case {
    std::vector<QString> menu;
    QDialog* (*window)();
    QWidget* (*click)();  // clicked first (the shopping dialog shows its tip in its grid)
  };
  const Case cases[] = {
      {{"Aktionen1", "MnDupeSearch"}, [] { return static_cast<QDialog*>(DupesDlg); }, nullptr},
      {{"Extras1", "ThekeMnu"}, [] { return static_cast<QDialog*>(ThekeDlg); }, nullptr},
      {{"Rezepte1", "Einkaufsliste1"}, [] { return static_cast<QDialog*>(EinkaufDlg); },
       [] { return static_cast<QWidget*>(EinkaufDlg->ZutatGrd); }},
  };
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    env.userSettings.DeleteKey("Software\\Brimo\\Tavolin\\Assist");  // every tip on again
    StartWithQuestions(lang);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.menu.back().toStdString());
      QDialog* window = c.window();
      bool tipClosed = false;
      const bool came = test::WhileModal(
          [&] {
            if (c.click) QTest::mouseClick(c.click(), Qt::LeftButton);
            ASSERT_TRUE(TipUp());
            EXPECT_EQ(QApplication::activeModalWidget(), window);
            Shot(AssistDlg, "tip_over_" + fromQ(window->objectName()) + "_" + lang);
            test::ClickThroughWindow(AssistDlg->IDCanc);
            tipClosed = !AssistDlg->isVisible();
            EXPECT_TRUE(window->isVisible());
          },
          [&] { EXPECT_TRUE(ClickMenuPath(MainFrm, c.menu)); });
      EXPECT_TRUE(came);
      EXPECT_TRUE(tipClosed);
    }
    ctx().messages = &env.messages;
    DestroyAllWindows();
  }
}

// The lexicon is no modal window, and its one-time tip stands over it all the same: owned by
// the lexicon (the window manager keeps it above its owner) and active, it is read and closed;
// the lexicon closed under it, the tip stays over the main window.
TEST_F(WindowsTogether, TheLexiconsTipStandsOverTheLexicon) {
  MakeDishes();
  env.userSettings.DeleteKey("Software\\Brimo\\Tavolin\\Assist");  // every tip on
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    UserStart(lang);
    const auto openLexicon = [] {
      ASSERT_TRUE(ClickMenuPath(MainFrm, {"Aktionen1", "StartLexikon"}));
      ASSERT_TRUE(QTest::qWaitForWindowExposed(LexShowDlg));
    };
    openLexicon();
    ASSERT_TRUE(TipUp());
    EXPECT_EQ(AssistDlg->CurrentTip(), 10);
    EXPECT_FALSE(AssistDlg->TextEdt->toPlainText().isEmpty());
    EXPECT_EQ(AssistDlg->windowHandle()->transientParent(), LexShowDlg->windowHandle());
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeWindow() == AssistDlg; }, 1000))
        << "the lexicon stands over its tip";
    EXPECT_TRUE(LexShowDlg->isVisible());
    Shot(AssistDlg, std::string("lexicon_tip_") + lang);
    test::ClickThroughWindow(AssistDlg->IDCanc);
    EXPECT_FALSE(AssistDlg->isVisible());
    EXPECT_TRUE(LexShowDlg->isVisible());

    // A one-time tip: the lexicon opened again brings none.
    ASSERT_TRUE(test::Click(LexShowDlg->IDCancel));
    openLexicon();
    QTest::qWait(20);
    EXPECT_FALSE(AssistDlg->isVisible());

    // Switched on again and the lexicon closed while it is up: the tip stays, over the main
    // window.
    ASSERT_TRUE(test::Click(LexShowDlg->IDCancel));
    env.userSettings.DeleteKey("Software\\Brimo\\Tavolin\\Assist");
    openLexicon();
    ASSERT_TRUE(TipUp());
    ASSERT_TRUE(test::Click(LexShowDlg->IDCancel));
    EXPECT_FALSE(LexShowDlg->isVisible());
    EXPECT_TRUE(AssistDlg->isVisible());
    EXPECT_EQ(AssistDlg->windowHandle()->transientParent(), MainFrm->windowHandle());
    test::ClickThroughWindow(AssistDlg->IDCanc);
    env.userSettings.DeleteKey("Software\\Brimo\\Tavolin\\Assist");
    DestroyAllWindows();
  }
}

// The worst case: the duplicate search's tip over its question, whose default answer deletes.
// The question comes up alone; once it is answered the tip is back and can be closed.
TEST_F(WindowsTogether, TheDuplicateSearchTipGivesWayToTheQuestion) {
  MakeDishes();
  StartWithQuestions();
  ASSERT_EQ(list->Count(), 3);
  bool asked = false;
  const bool came = test::WhileModal(
      [&] {
        ASSERT_TRUE(TipUp());
        test::WhileModal(
            [&] {
              QWidget* box = QApplication::activeModalWidget();
              ASSERT_TRUE(qobject_cast<QMessageBox*>(box));
              EXPECT_EQ(fromQ(static_cast<QMessageBox*>(box)->text()), GetLangText(420));
              asked = true;
              EXPECT_FALSE(AssistDlg->isVisible()) << "the tip hides the question";
              EXPECT_TRUE(test::AnswerBox(box, QMessageBox::No));
            },
            [&] { QTest::mouseClick(DupesDlg->OKBtn, Qt::LeftButton); });
        ASSERT_TRUE(TipUp());
        test::ClickThroughWindow(AssistDlg->IDCanc);
        EXPECT_FALSE(AssistDlg->isVisible());
        QTest::mouseClick(DupesDlg->CloseBtn, Qt::LeftButton);
      },
      [&] { EXPECT_TRUE(ClickMenuPath(MainFrm, {"Aktionen1", "MnDupeSearch"})); });
  EXPECT_TRUE(came);
  EXPECT_TRUE(asked);
  EXPECT_EQ(ctx().books->CountKBookRecipes("Hausbuch", true), 3) << "nothing was deleted";
}

// The export's file dialog comes up without the format's tip over its name field.
TEST_F(WindowsTogether, TheExportFileDialogIsNotCoveredByTheFormatTip) {
  MakeDishes();
  StartWithQuestions();
  bool chose = false;
  test::WhileModal(
      [&] {
        QTest::mouseClick(ExportDlg->mMMFmtRdb, Qt::LeftButton);
        ASSERT_TRUE(TipUp());
        test::WhileModal(
            [&] {
              chose = true;
              EXPECT_FALSE(AssistDlg->isVisible()) << "the tip covers the file dialog";
            },
            [&] { QTest::mouseClick(ExportDlg->OKBtn, Qt::LeftButton); });
        EXPECT_TRUE(TipUp());
        test::ClickThroughWindow(AssistDlg->IDCanc);
        EXPECT_FALSE(AssistDlg->isVisible());
      },
      [&] { EXPECT_TRUE(ClickMenuPath(MainFrm, {"FileMenu", "FileExport"})); });
  EXPECT_TRUE(chose);
}

// The four book sub-menus open, and their book items move or copy the chosen recipe.
TEST_F(WindowsTogether, RecipesAreMovedAndCopiedToAnotherBookThroughTheMenus) {
  MakeBook({Dish("Kirschkuchen", 8, {Line("500", "g", "Kirschen")}, "Backen.")}, "Zweitbuch");
  MakeDishes();
  UserStart();
  struct Case {
    std::vector<QString> path;
    const char* title;  // the recipe clicked in the list
    bool mark;          // and then marked through the menu
    int here, there;
  };
  const Case cases[] = {
      {{"Rezepte1", "MnCopyRez", "Zweitbuch"}, "Linsensuppe", false, 3, 2},
      {{"Rezepte1", "MnMoveRez", "Zweitbuch"}, "Linsensuppe", false, 2, 3},
      {{"Markierung1", "MnCopyMarked", "Zweitbuch"}, "Pfannkuchen", true, 2, 4},
      {{"Markierung1", "MnMoveMarked", "Zweitbuch"}, "Pfannkuchen", false, 1, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path[1].toStdString());
    const int row = RowOf(c.title);
    ASSERT_GE(row, 0);
    QListView* view = list->ChooseLiBo;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 0)).center());
    EXPECT_TRUE(list->IsSelected(row));
    if (c.mark) {
      EXPECT_TRUE(ClickMenuPath(MainFrm, {"Markierung1", "markRezept"}));
    }
    EXPECT_TRUE(ClickMenuPath(MainFrm, c.path));
    QApplication::processEvents();
    EXPECT_EQ(list->Count(), c.here);
    EXPECT_EQ(ctx().books->CountKBookRecipes("Zweitbuch", true), c.there);
  }
}

// A double click on the info button opens the maker's web site and no about box; one click
// opens the about box.
TEST_F(WindowsTogether, ADoubleClickOnTheInfoButtonOpensTheWebSite) {
  MakeDishes();
  UserStart();
  QWidget* button = MainFrm->MainToolBar->widgetForAction(MainFrm->TBInfo);
  ASSERT_TRUE(button && button->isVisible());
  const int wait = QApplication::doubleClickInterval() + 200;
  bool box = test::WhileModal([] {}, [&] {
    QTest::mouseDClick(button, Qt::LeftButton);
    QTest::qWait(wait);
  });
  EXPECT_FALSE(box);
  EXPECT_EQ(env.shell.opened, std::vector<std::string>{kMakerWebSite});
  QWidget* shown = nullptr;
  box = test::WhileModal([&] { shown = QApplication::activeModalWidget(); }, [&] {
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::qWait(wait);
  });
  EXPECT_TRUE(box);
  EXPECT_EQ(shown, InfoDlg);
  EXPECT_EQ(env.shell.opened.size(), 1u);
}

// Where the window manager does not activate the main window, or keeps it inactive.
class NoActivation : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    return e->type() == QEvent::WindowActivate && watched->objectName() == "MainFrm";
  }
};

TEST_F(WindowsTogether, TheBookIsListedWhenTheWindowShowsWithoutBeingActivated) {
  MakeDishes();
  NoActivation filter;
  qApp->installEventFilter(&filter);
  env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
  ASSERT_TRUE(StartProgram());
  QTest::qWait(50);
  list = ChooseRezDlg;
  std::vector<std::string> titles;
  REZINDEX e;
  for (int row = 0; row < list->Count(); ++row)
    if (list->RowEntry(row, e)) titles.push_back(e.Title());
  EXPECT_EQ(titles, (std::vector<std::string>{"Linsensuppe", "Pfannkuchen", "Pfannkuchen"}));
  Shot(MainFrm, "main_window_not_activated");
  qApp->removeEventFilter(&filter);
}

// A book chosen from the book menu lists each of its recipes once.
TEST_F(WindowsTogether, ABookChosenFromTheMenuListsEachRecipeOnce) {
  MakeBook({Dish("Kirschkuchen", 8, {Line("500", "g", "Kirschen")}, "Backen.")}, "Zweitbuch");
  MakeDishes();
  UserStart();
  for (const char* book : {"Zweitbuch", "Hausbuch", "Zweitbuch"}) {
    SCOPED_TRACE(book);
    EXPECT_TRUE(ClickMenuPath(MainFrm, {"KBMenu", book}));
    QTest::qWait(20);
    EXPECT_EQ(list->Count(), std::string(book) == "Zweitbuch" ? 1 : 3);
  }
}

// A shopping list saved by the last run opens its pane at the start with its title strip, its
// buttons and its entries; the toggle closes it to the strip and opens it again.
TEST_F(WindowsTogether, ASavedShoppingListIsShownAtTheStart) {
  MakeDishes();
  int16_t book = 0;
  ASSERT_TRUE(ReadDescriptionBookId(env.DataFolder() + "Hausbuch.inf", book));
  test::WriteAll(env.DataFolder() + "Kauflist.dat",
                 std::to_string(static_cast<uint16_t>(book)) + "#1#-1#Pfannkuchen\r\n" +
                     std::to_string(static_cast<uint16_t>(book)) + "#2#4#Linsensuppe\r\n");
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    Start(lang);
    QTest::qWait(20);
    TKaufRezListDlg* pane = KaufRezListDlg;
    EXPECT_GE(MainFrm->ShoppingPaneHeight(), 4 * 17);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_GE(pane->RezTitle->height(), 17);
    EXPECT_TRUE(pane->TCloseBtn->isVisible());
    EXPECT_GE(pane->EinkaufLiBo->height(), 2 * pane->EinkaufLiBo->sizeHintForRow(0));
    EXPECT_EQ(test::ListTexts(pane->EinkaufLiBo),
              (std::vector<std::string>{"Linsensuppe", "Pfannkuchen"}));
    Shot(MainFrm, std::string("shopping_list_at_start_") + lang);

    // Closed, the title strip with its toggle stays whole.
    QTest::mouseClick(pane->TCloseBtn, Qt::LeftButton);
    EXPECT_EQ(MainFrm->ShoppingPaneHeight(), 17);
    EXPECT_EQ(pane->RezTitle->parentWidget()->height(), 17);
    EXPECT_TRUE(pane->TCloseBtn->isVisible());
    QTest::mouseClick(pane->TCloseBtn, Qt::LeftButton);
    EXPECT_GE(MainFrm->ShoppingPaneHeight(), 4 * 17);
    DestroyAllWindows();
  }
}

// Without a saved list the shopping list pane is its title strip alone: the strip keeps its 17
// pixels, the caption and the two pictures stand whole inside it, nothing lies over it.
TEST_F(WindowsTogether, TheClosedShoppingListShowsItsWholeTitleStrip) {
  MakeDishes();
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    UserStart(lang);
    TKaufRezListDlg* pane = KaufRezListDlg;
    QWidget* strip = pane->RezTitle->parentWidget();
    const auto expectWholeStrip = [&](const char* when) {
      SCOPED_TRACE(when);
      QApplication::processEvents();
      EXPECT_EQ(MainFrm->ShoppingPaneHeight(), 17);
      EXPECT_EQ(pane->height(), 17);
      EXPECT_EQ(strip->geometry(), pane->rect());
      EXPECT_EQ(pane->EinkaufLiBo->height(), 0);
      const QRect caption = pane->RezTitle->geometry();
      EXPECT_TRUE(strip->rect().contains(caption));
      EXPECT_GE(caption.height(), pane->RezTitle->fontMetrics().height());
      EXPECT_GE(caption.width(), pane->RezTitle->fontMetrics().horizontalAdvance(
                                     pane->RezTitle->text().trimmed()));
      for (QWidget* b : {static_cast<QWidget*>(pane->TShopBtn), static_cast<QWidget*>(pane->TCloseBtn)}) {
        EXPECT_TRUE(b->isVisible());
        EXPECT_TRUE(strip->rect().contains(b->geometry())) << fromQ(b->objectName());
        EXPECT_FALSE(b->geometry().intersects(caption)) << fromQ(b->objectName());
      }
    };
    expectWholeStrip("at the start");
    Shot(MainFrm, std::string("shopping_list_closed_") + lang);
    QTest::mouseClick(pane->TCloseBtn, Qt::LeftButton);  // opened
    EXPECT_GT(pane->EinkaufLiBo->height(), 0);
    QTest::mouseClick(pane->TCloseBtn, Qt::LeftButton);  // and closed again
    expectWholeStrip("closed again");
    DestroyAllWindows();
  }
}

// A long recipe title in the standard view is cut at the view's edge; the recipe list beside it
// keeps its width, whichever recipe is clicked.
TEST_F(WindowsTogether, ALongTitleIsCutAndTheRecipeListKeepsItsWidth) {
  const std::string title = "Geschmorte Ochsenbacke mit Wurzelgem\xFCse und Kartoffelp\xFCr\xE9"
                            "e";
  ASSERT_LE(title.size(), 59u);
  MakeBook({Dish("Brot", 1, {Line("500", "g", "Mehl")}, "Backen."),
            Dish(title, 4, {Line("1", "kg", "Ochsenbacke")}, "Schmoren.")});
  for (const int width : {700, 1400}) {
    SCOPED_TRACE(width);
    UserStart();
    MainFrm->resize(width, 700);
    QTest::qWait(20);
    QListView* view = list->ChooseLiBo;
    const auto click = [&](const std::string& t) {
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                        view->visualRect(view->model()->index(RowOf(t), 0)).center());
      QApplication::processEvents();
    };
    click("Brot");
    const int listWidth = MainFrm->ChoosePaneWidth();
    click(title);
    auto* label = qobject_cast<ElidedLabel*>(DataRezDlg->RezTitle);
    ASSERT_TRUE(label);
    EXPECT_EQ(fromQ(label->text()), " " + title);
    EXPECT_EQ(MainFrm->ChoosePaneWidth(), listWidth);
    const bool fits = label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
    EXPECT_EQ(fits, width == 1400);
    if (fits) {
      EXPECT_EQ(label->ShownText(), label->text());
    } else {
      EXPECT_TRUE(label->ShownText().endsWith(QChar(0x2026))) << fromQ(label->ShownText());
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->ShownText()), label->width());
    }
    Shot(MainFrm, "long_title_" + std::to_string(width));
    click("Brot");
    EXPECT_EQ(MainFrm->ChoosePaneWidth(), listWidth);
    DestroyAllWindows();
  }
}

// A new recipe that nobody typed into is no change: a click on another recipe shows it without
// a question. Typed into, it is.
TEST_F(WindowsTogether, AnUntouchedNewRecipeLeavesWithoutAQuestion) {
  MakeDishes();
  StartWithQuestions();
  QListView* view = list->ChooseLiBo;
  const auto clickRow = [&](const std::string& title) {
    const int row = RowOf(title);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 0)).center());
    QApplication::processEvents();
  };
  EXPECT_TRUE(ClickMenuPath(MainFrm, {"Rezepte1", "NeuesRezept"}));
  ASSERT_TRUE(EditRezDlg->isVisible());
  bool asked = test::WhileModal([] {}, [&] { clickRow("Linsensuppe"); });
  EXPECT_FALSE(asked);
  EXPECT_FALSE(EditRezDlg->isVisible());
  EXPECT_EQ(list->ShownItem, list->ItemData(RowOf("Linsensuppe")));

  EXPECT_TRUE(ClickMenuPath(MainFrm, {"Rezepte1", "NeuesRezept"}));
  QTest::keyClicks(NEditDlg->TitelEdt, QString::fromUtf8("Kartoffelsalat"));
  asked = test::WhileModal(
      [] {
        EXPECT_EQ(fromQ(static_cast<QMessageBox*>(QApplication::activeModalWidget())->text()),
                  GetLangText(39));
        EXPECT_TRUE(test::AnswerBox(QApplication::activeModalWidget(), QMessageBox::Cancel));
      },
      [&] { clickRow("Linsensuppe"); });
  EXPECT_TRUE(asked);
  EXPECT_TRUE(EditRezDlg->isVisible());
}

// A recipe dragged from the list to the week plan is the one shown afterwards, and F2 edits it.
TEST_F(WindowsTogether, TheRecipeDraggedToTheWeekPlanIsTheOneShown) {
  MakeDishes();
  UserStart();
  MainFrm->ToggleWeekPlanPane();
  QTest::qWait(20);
  QListView* view = list->ChooseLiBo;
  const auto rowCentre = [&](int row) {
    return view->visualRect(view->model()->index(row, 0)).center();
  };
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(RowOf("Pfannkuchen")));
  ASSERT_EQ(list->ShownItem, list->ItemData(RowOf("Pfannkuchen")));
  const int soup = RowOf("Linsensuppe");
  test::StartDragWithMouse(view->viewport(), rowCentre(soup));
  // The drop on Wednesday, as the platform delivers it at the end of the drag.
  WPlanDlg->WPlanGrdDragDrop(view, 2, 1);
  EXPECT_TRUE(list->IsSelected(soup));
  EXPECT_EQ(list->ShownItem, list->ItemData(soup));
  QTest::keyClick(view, Qt::Key_F2);
  QApplication::processEvents();
  ASSERT_TRUE(EditRezDlg->isVisible());
  EXPECT_EQ(EditRezDlg->WorkRecipe.title, "Linsensuppe");
}

// With the week plan open below it, the editor's rating rows stay apart and their pictures
// whole (the page scrolls instead).
TEST_F(WindowsTogether, TheEditorsRatingsStayApartWithTheWeekPlanOpen) {
  MakeDishes();
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    UserStart(lang);
    QListView* view = list->ChooseLiBo;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(RowOf("Linsensuppe"), 0)).center());
    QTest::keyClick(view, Qt::Key_F2);
    ASSERT_TRUE(EditRezDlg->isVisible());
    QWidget* weekPlan = MainFrm->MainToolBar->widgetForAction(MainFrm->Action("TBWPlan"));
    ASSERT_TRUE(weekPlan && weekPlan->isVisible() && weekPlan->isEnabled());
    QTest::mouseClick(weekPlan, Qt::LeftButton);
    EXPECT_GE(MainFrm->WeekPlanHeight(), 100);
    QTest::qWait(20);
    TNEditDlg* page = NEditDlg;
    const QRect quality = page->QualityPnl->geometry(), difficulty = page->DifficultyPnl->geometry();
    EXPECT_FALSE(quality.intersects(difficulty));
    EXPECT_FALSE(page->QualityTxt->geometry().intersects(page->QualityImg[0]->parentWidget()->geometry()));
    const std::pair<QWidget*, QLabel*> panels[] = {{page->QualityPnl, page->QualityImg[0]},
                                                   {page->DifficultyPnl, page->DifficultyImg[0]}};
    for (const auto& [panel, picture] : panels) {
      EXPECT_TRUE(page->InfoGrp->contentsRect().contains(panel->geometry()));
      EXPECT_GE(panel->height(), picture->pixmap().height());
    }
    Shot(EditRezDlg, std::string("editor_with_week_plan_") + lang);
    DestroyAllWindows();
  }
}

// Every window of the program at its first-start bounds gives its controls the room they need,
// and no tool bar puts a control into its overflow menu.
TEST_F(WindowsTogether, EveryWindowAtItsFirstStartSizeFitsItsControls) {
  MakeDishes();
  UserStart();
  int checked = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() || w->objectName().isEmpty() || qobject_cast<QMenu*>(w)) continue;
    SCOPED_TRACE(fromQ(w->objectName()));
    w->show();
    QTest::qWait(5);
    const QSize need = w->minimumSizeHint();
    if (need.isValid()) {
      ++checked;
      EXPECT_GE(w->width(), need.width());
      EXPECT_GE(w->height(), need.height());
    }
    for (QToolBar* bar : w->findChildren<QToolBar*>()) {
      for (QAction* a : bar->actions()) {
        QWidget* control = bar->widgetForAction(a);
        if (control && a->isVisible()) {
          EXPECT_TRUE(control->isVisible()) << fromQ(a->objectName()) << " is in the overflow menu";
        }
      }
    }
    w->hide();
  }
  EXPECT_GE(checked, 40);
}

}  // namespace
}  // namespace tav
