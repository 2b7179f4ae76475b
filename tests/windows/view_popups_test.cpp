// The pop-up menus of the recipe views, opened with the right mouse button on the shown recipe
// in the whole program: each item leads where its caption says.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTextEdit>
#include <string>

#include "exchange/ui/html_view_window.h"
#include "exchange/ui/print_preview_window.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/standard_view_window.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;

class ViewPopups : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    MakeBook({Dish("Linsensuppe", 4, {Line("250", "g", "Linsen")}, "Linsen kochen.")});
    Start();
    ShowRecipe("Linsensuppe");
  }
  // The item `name` of `menu`, chosen in the pop-up menu of the text area `area`.
  static ::testing::AssertionResult Choose(QAbstractScrollArea* area, QMenu* menu,
                                           const char* name) {
    ::testing::AssertionResult done =
        test::PopupItem(area->viewport(), area->viewport()->rect().center(), menu, name);
    QApplication::processEvents();
    return done;
  }
  bool HelpOpened(const std::string& page) const {
    for (const std::string& target : env.shell.opened)
      if (target.size() >= page.size() && target.compare(target.size() - page.size(),
                                                         page.size(), page) == 0)
        return true;
    return false;
  }
  // The HTML view's text area the user sees: the readable text or the page.
  static QAbstractScrollArea* HTMLViewArea() {
    if (HTMLRezDlg->ViewText->isVisible()) return HTMLRezDlg->ViewText;
    return HTMLRezDlg->Browser;
  }
};

TEST_F(ViewPopups, TheStandardAndTheTextViewLeadToHelpLexiconAndTheOtherViews) {
  ASSERT_TRUE(showRezDlg->isVisible());
  QTextEdit* text = showRezDlg->RezTextRtf;

  ASSERT_TRUE(Choose(text, showRezDlg->PopupMnu, "HelpBtn"));
  EXPECT_TRUE(HelpOpened("Win_ShowView.htm"));
  ASSERT_TRUE(Choose(text, showRezDlg->PopupMnu, "LexShowMnu"));
  EXPECT_TRUE(LexShowDlg->isVisible());
  LexShowDlg->close();
  QApplication::processEvents();

  ASSERT_TRUE(Choose(text, showRezDlg->PopupMnu, "showPrintMnu"));
  EXPECT_TRUE(PrintRezDlg->isVisible());
  EXPECT_FALSE(showRezDlg->isVisible());
  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewStd")));
  QApplication::processEvents();
  ASSERT_TRUE(showRezDlg->isVisible());

  ASSERT_TRUE(Choose(text, showRezDlg->PopupMnu, "showHTMLMnu"));
  ASSERT_TRUE(HTMLRezDlg->isVisible());
  EXPECT_FALSE(showRezDlg->isVisible());

  env.shell.opened.clear();
  ASSERT_TRUE(Choose(HTMLViewArea(), HTMLRezDlg->PopupMnu, "HelpBtn"));
  EXPECT_TRUE(HelpOpened("Win_HTMLView.htm"));
  ASSERT_TRUE(Choose(HTMLViewArea(), HTMLRezDlg->PopupMnu, "showLexikonMnu"));
  EXPECT_TRUE(LexShowDlg->isVisible());
  LexShowDlg->close();
  QApplication::processEvents();
  ASSERT_TRUE(Choose(HTMLViewArea(), HTMLRezDlg->PopupMnu, "showPrintMnu"));
  EXPECT_TRUE(PrintRezDlg->isVisible());
  EXPECT_FALSE(HTMLRezDlg->isVisible());

  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewHTML")));
  QApplication::processEvents();
  ASSERT_TRUE(HTMLRezDlg->isVisible());
  ASSERT_TRUE(Choose(HTMLViewArea(), HTMLRezDlg->PopupMnu, "ZeigeRezeptinStandarddarstellung1"));
  EXPECT_TRUE(showRezDlg->isVisible());
  EXPECT_FALSE(HTMLRezDlg->isVisible());

  // Last: the editor takes the place of the views.
  ASSERT_TRUE(Choose(text, showRezDlg->PopupMnu, "editMnu"));
  EXPECT_TRUE(EditRezDlg->isVisible());
}

TEST_F(ViewPopups, ThePrintViewLeadsToHelpLexiconAndTheOtherViews) {
  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewPrint")));
  QApplication::processEvents();
  ASSERT_TRUE(PrintRezDlg->isVisible());
  const auto choose = [](const char* name) {
    ::testing::AssertionResult done = test::PopupItem(
        PrintRezDlg, PrintRezDlg->rect().center(), PrintRezDlg->PopupMnu, name);
    QApplication::processEvents();
    return done;
  };

  ASSERT_TRUE(choose("HelpBtn"));
  EXPECT_TRUE(HelpOpened("Win_PrintView.htm"));
  ASSERT_TRUE(choose("showLexikonMnu"));
  EXPECT_TRUE(LexShowDlg->isVisible());
  LexShowDlg->close();
  QApplication::processEvents();

  ASSERT_TRUE(choose("showHTMLMnu"));
  EXPECT_TRUE(HTMLRezDlg->isVisible());
  EXPECT_FALSE(PrintRezDlg->isVisible());
  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewPrint")));
  QApplication::processEvents();
  ASSERT_TRUE(choose("showViewMnu"));
  EXPECT_TRUE(showRezDlg->isVisible());
  EXPECT_FALSE(PrintRezDlg->isVisible());

  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewPrint")));
  QApplication::processEvents();
  ASSERT_TRUE(choose("editMnu"));
  EXPECT_TRUE(EditRezDlg->isVisible());
}

}  // namespace
}  // namespace tav
