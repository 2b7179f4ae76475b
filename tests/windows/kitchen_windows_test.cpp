// The shopping list pane, the shopping dialog, the dealer window and the week plan inside the
// whole program, offscreen, driven as a user drives them: a book of five recipes made before the
// start.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "exchange/ui/qt_printing.h"
#include "app/ui/tips_dialog.h"
#include "kitchen/profile_ini.h"
#include "kitchen/ui/dealers_dialog.h"
#include "kitchen/ui/shopping_dialog.h"
#include "kitchen/ui/shopping_list_window.h"
#include "kitchen/ui/week_plan_entry_dialog.h"
#include "kitchen/ui/week_plan_remark_dialog.h"
#include "kitchen/ui/week_plan_window.h"
#include "kitchen/weekplan/week_plan.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "recipedb/ui/ingredients_dialog.h"
#include "services/ui/context_list_box.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

const int kMonday = DayNumber(2024, 6, 3);

REZBLOCK Recipe(const std::string& title, int servings, std::vector<REZZUTAT> lines) {
  REZBLOCK b;
  ClearRezBlock(b);
  b.title = title;
  b.text = "Zubereitung von " + title;
  b.servings = servings;
  b.servingType = "Personen";
  b.lines = std::move(lines);
  return b;
}

REZZUTAT Line(const char* amount, const char* unit, const char* text) {
  REZZUTAT z;
  z.amount = amount;
  z.unit = unit;
  z.text = text;
  return z;
}

class KitchenWindows : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    SetDecimalSep(',');
    WriteAll(env.DataFolder() + "Haendler.dat",
             "|Wochenmarkt\r\nZwiebeln\r\n|Metzger\r\nSpeck\r\nRindfleisch\r\n");
    // Listed as Gulasch, Pfannkuchen, Suppe, Tomatensalat, Zwiebelkuchen.
    MakeBook(
        {Recipe("Pfannkuchen", 4,
                {Line("250", "g", "Mehl"), Line("3", "St", "Eier"), Line("500", "ml", "Milch")}),
         Recipe(
             "Zwiebelkuchen", 2,
             {Line("0,5", "kg", "Mehl"), Line("1", "kg", "Zwiebeln"), Line("200", "g", "Speck")}),
         Recipe("Gulasch", 6,
                {Line("1", "kg", "Rindfleisch"), Line("", "", "*Beilage"),
                 Line("500", "g", "Nudeln")}),
         Recipe("Suppe", 2, {Line("1", "l", "Wasser")}),
         Recipe("Tomatensalat", 4, {Line("2-3", "", "Tomaten"), Line("1", "EL", "\xD6l")})},
        "Kochbuch");
    env.userSettings.WriteString(kRegParam, "KBook", "Kochbuch");
  }
  void TearDown() override {
    QtPrintDevice::pdfFileForTest = nullptr;
    KitchenProgram::TearDown();
    SetDecimalSep('.');
  }
  // Print jobs go to a PDF file of the export folder; their titles are kept in `jobs`.
  std::vector<std::string> jobs;
  void CatchPrintJobs(const std::string& file) {
    QtPrintDevice::pdfFileForTest = [this, file](const std::string& title) {
      jobs.push_back(title);
      return env.Root() + "Export/" + file;
    };
  }

  // The program in that language, the week plan on the week of 3 June 2024.
  void Start(const char* lang = "DE") {
    KitchenProgram::Start(lang);
    WPlanDlg->plan.weekStart = kMonday;
    WPlanDlg->LoadWeekPlan();
    WPlanDlg->DrawWeekGrid();
  }
  QPushButton* AktWeek() const { return WPlanDlg->AktWeekBtn; }

  REZINDEX Entry(const std::string& title) const {
    REZINDEX e;
    list->RowEntry(RowOf(title), e);
    return e;
  }
  // The titles clicked in the recipe list, the first alone, the others with Ctrl.
  void Select(std::initializer_list<const char*> titles) {
    bool first = true;
    for (const char* t : titles) {
      ClickRecipe(t, first ? Qt::NoModifier : Qt::ControlModifier);
      first = false;
    }
  }
  QPoint RowCentre(QAbstractItemView* view, int row, int col = 0) const {
    return test::CellCentre(view, row, col);
  }
  // The selected recipes onto the shopping list through the main menu.
  void ToShoppingList(std::initializer_list<const char*> titles) {
    Select(titles);
    ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"Rezepte1", "zurEinkaufsliste1"}));
  }
  // The shopping dialog opened with the pane's basket; `inside` runs while it is up.
  void InShoppingDialog(const std::function<void()>& inside) {
    ASSERT_TRUE(WhileModal(inside, [] { EXPECT_TRUE(test::Click(KaufRezListDlg->TShopBtn)); }));
  }
  // One column of the shopping dialog's grid, rows in the order shown.
  std::vector<std::string> Column(int col) const {
    std::vector<std::string> out;
    for (const ShoppingRow& r : EinkaufDlg->GridRows()) out.push_back(r[col]);
    return out;
  }
  int GridRowOf(const std::string& ingredient) const {
    const std::vector<std::string> texts = Column(6);
    for (size_t i = 0; i < texts.size(); ++i)
      if (texts[i] == ingredient) return static_cast<int>(i);
    return -1;
  }

  // The week plan pane opened with its tool button.
  void OpenWeekPlan() {
    MainFrm->resize(1100, 760);
    if (MainFrm->WeekPlanHeight() < 100) {
      QWidget* button = MainFrm->MainToolBar->widgetForAction(MainFrm->Action("TBWPlan"));
      ASSERT_TRUE(test::Click(button));
    }
    QApplication::processEvents();
    ASSERT_TRUE(WPlanDlg->WPlanGrd->isVisible());
    if (AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);  // its tip, read
  }
  // A cell of the week grid (plan rows: 1 = the top entry).
  void ClickDay(int col, int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    ASSERT_TRUE(test::ClickCell(WPlanDlg->WPlanGrd, row - 1, col, mods));
  }
  // The selected recipes dragged onto a day: the drag started with the mouse on the recipe
  // list, the drop delivered where the platform would.
  void DropOnDay(std::initializer_list<const char*> titles, int col, int row) {
    Select(titles);
    test::StartDragWithMouse(list->ChooseLiBo->viewport(),
                             RowCentre(list->ChooseLiBo, RowOf(*titles.begin())));
    WPlanDlg->WPlanGrdDragDrop(list->ChooseLiBo, col, row);
  }
  // An item of the week plan's pop-up menu, opened with a right click on a cell.
  ::testing::AssertionResult WeekMenu(int col, int row, const char* item) {
    QTableWidget* grid = WPlanDlg->WPlanGrd;
    return test::PopupItem(grid->viewport(), RowCentre(grid, row - 1, col), WPlanDlg->WPMnu, item);
  }
  // The dealer window opened from the main menu; `inside` runs while it is up.
  void InDealers(const std::function<void()>& inside) {
    ASSERT_TRUE(WhileModal(
        inside, [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Extras1", "ThekeMnu"})); }));
  }
  std::string Data() const { return env.DataFolder(); }
  std::string HelpOpened(size_t i) const {
    return i < env.shell.opened.size() ? env.shell.opened[i] : std::string();
  }
};

TEST_F(KitchenWindows, RecipesComeOntoTheShoppingListAndLeaveWithTheirRecipe) {
  Start();
  EXPECT_LE(MainFrm->ShoppingPaneHeight(), 17);
  // Two recipes through the recipe list's pop-up menu.
  Select({"Pfannkuchen", "Zwiebelkuchen"});
  ASSERT_TRUE(test::PopupItem(list->ChooseLiBo->viewport(),
                              RowCentre(list->ChooseLiBo, RowOf("Zwiebelkuchen")),
                              list->ChooseMnu, "AddKListe"));
  EXPECT_EQ(test::ListTexts(KaufRezListDlg->EinkaufLiBo),
            (std::vector<std::string>{"Pfannkuchen", "Zwiebelkuchen"}));
  EXPECT_GT(MainFrm->ShoppingPaneHeight(), 17);
  // The close picture of its title strip folds the pane to the strip and opens it again.
  ASSERT_TRUE(test::Click(KaufRezListDlg->TCloseBtn));
  EXPECT_LE(MainFrm->ShoppingPaneHeight(), 17);
  ASSERT_TRUE(test::Click(KaufRezListDlg->TCloseBtn));
  EXPECT_GT(MainFrm->ShoppingPaneHeight(), 17);
  const std::string book = std::to_string(static_cast<uint16_t>(Entry("Gulasch").bookId));
  EXPECT_EQ(ReadAll(Data() + "Kauflist.dat"),
            book + "#1#-1#Pfannkuchen\r\n" + book + "#2#-1#Zwiebelkuchen\r\n");
  // The main menu's item and a drag from the recipe list add as well.
  ToShoppingList({"Gulasch"});
  ClickRecipe("Pfannkuchen");
  test::StartDragWithMouse(list->ChooseLiBo->viewport(),
                           RowCentre(list->ChooseLiBo, RowOf("Pfannkuchen")));
  KaufRezListDlg->DropFromRecipeList();  // the drop, as the platform delivers it
  EXPECT_EQ(KaufRezListDlg->GetKaufListCount(), 4);

  // The pane's "show recipe" selects the entry's recipe in the list.
  QListWidget* pane = KaufRezListDlg->EinkaufLiBo;
  ASSERT_TRUE(test::PopupItem(pane->viewport(), RowCentre(pane, 0), KaufRezListDlg->KListPopup,
                              "ShowRez"));
  EXPECT_EQ(list->CurrentRow(), RowOf("Gulasch"));

  // Deleting Pfannkuchen with the tool bar takes both of its entries off, each with a notice.
  env.messages.defaultAnswer = IDYES;
  ClickRecipe("Pfannkuchen");
  ASSERT_TRUE(test::Click(MainFrm->MainToolBar->widgetForAction(MainFrm->Action("TBDel"))));
  EXPECT_EQ(test::ListTexts(pane), (std::vector<std::string>{"Gulasch", "Zwiebelkuchen"}));
  ASSERT_EQ(env.messages.shown.size(), 3u);  // the question, then a notice per entry
  EXPECT_EQ(env.messages.shown[1].text, GetLangText(215));
  EXPECT_EQ(env.messages.shown[2].text, GetLangText(215));

  // An item dragged back onto the recipe list leaves the shopping list; the last one, taken
  // off with the pane's menu, closes the pane to its title strip.
  test::StartDragWithMouse(pane->viewport(), RowCentre(pane, 0));
  list->ChooseLiBo->OnShoppingListDrop();  // the drop, as the platform delivers it
  EXPECT_EQ(test::ListTexts(pane), (std::vector<std::string>{"Zwiebelkuchen"}));
  ASSERT_TRUE(test::PopupItem(pane->viewport(), RowCentre(pane, 0), KaufRezListDlg->KListPopup,
                              "DelOneRez"));
  EXPECT_EQ(KaufRezListDlg->GetKaufListCount(), 0);
  EXPECT_EQ(MainFrm->ShoppingPaneHeight(), 17);
  EXPECT_EQ(ReadAll(Data() + "Kauflist.dat"), "");

  // Emptied at once with the pane's menu; its help item opens its page.
  ToShoppingList({"Suppe", "Gulasch"});
  env.shell.opened.clear();
  ASSERT_TRUE(test::PopupItem(pane->viewport(), RowCentre(pane, 1), KaufRezListDlg->KListPopup,
                              "DelAllRez"));
  EXPECT_EQ(KaufRezListDlg->GetKaufListCount(), 0);
  EXPECT_EQ(MainFrm->ShoppingPaneHeight(), 17);
  ASSERT_TRUE(test::PopupItem(pane->viewport(), QPoint(20, 5), KaufRezListDlg->KListPopup,
                              "HelpMnu"));
  EXPECT_TRUE(HelpOpened(0).ends_with("/Help/Base_KList.htm")) << HelpOpened(0);
}

TEST_F(KitchenWindows, TheShoppingDialogComputesTheListAndKeepsServingsPerRecipe) {
  Start();
  ToShoppingList({"Pfannkuchen", "Zwiebelkuchen"});
  TEinkaufDlg* dlg = EinkaufDlg;
  InShoppingDialog([&] {
    EXPECT_EQ(test::ListTexts(dlg->RezeptLiBo),
              (std::vector<std::string>{"Pfannkuchen (4 Personen)", "Zwiebelkuchen (2 Personen)"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1", "200", "750", "3", "500"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"kg Zwiebeln", "g Speck", "g Mehl", "St Eier",
                                                   "ml Milch"}));
    EXPECT_EQ(Column(4), (std::vector<std::string>{"Wochenmarkt", "Metzger", "", "", ""}));
    // Pancakes for 2,5.
    ASSERT_TRUE(test::ClickCell(dlg->RezeptLiBo, 1));
    EXPECT_EQ(fromQ(dlg->MengeEdt->text()), "2");
    ASSERT_TRUE(test::ClickCell(dlg->RezeptLiBo, 0));
    EXPECT_TRUE(test::TypeInto(dlg->MengeEdt, QStringLiteral("2,5")));
    EXPECT_EQ(fromQ(dlg->RezeptLiBo->item(0)->text()), "Pfannkuchen (2,5 Personen)");
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1", "200", "656,25", "1,88", "312,50"}));
    // Without the onion cake only the pancakes are left.
    ASSERT_TRUE(test::ClickCheckBox(dlg->RezeptLiBo, 1));
    EXPECT_EQ(dlg->RezeptLiBo->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Column(6), (std::vector<std::string>{"Mehl", "Eier", "Milch"}));
    ASSERT_TRUE(test::ClickCheckBox(dlg->RezeptLiBo, 1));
    // Flour is bought at the market from now on; milk is not bought.
    ASSERT_TRUE(test::ClickCell(dlg->ZutatGrd, 2, 4));
    EXPECT_EQ(Column(4)[2], "Wochenmarkt");
    EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "Wochenmarkt");
    ASSERT_TRUE(test::ClickCell(dlg->ZutatGrd, 4, 3));
    EXPECT_EQ(Column(3)[4], GetLangText(225));
    // The eggs at the butcher's, chosen in the box.
    ASSERT_TRUE(test::ClickCell(dlg->ZutatGrd, 3, 2));
    EXPECT_TRUE(test::ChooseInCombo(dlg->HaendlerCoBo, QStringLiteral("Metzger")));
    EXPECT_EQ(Column(4)[3], "Metzger");
    // "..." opens the dealers, which hold the changes made here.
    EXPECT_TRUE(WhileModal(
        [] {
          ASSERT_EQ(ThekeDlg->ThekeTree->topLevelItemCount(), 2);
          EXPECT_EQ(ThekeDlg->ThekeTree->topLevelItem(1)->childCount(), 3);  // with the eggs
          EXPECT_TRUE(test::Click(ThekeDlg->CloseBtn));
        },
        [&] { EXPECT_TRUE(test::Click(dlg->HaendlerBtn)); }));
    EXPECT_TRUE(test::TypeInto(dlg->SonstEdt, QStringLiteral("Backpapier")));
    EXPECT_TRUE(test::Click(dlg->editList));
    EXPECT_TRUE(test::Click(dlg->OKBtn));
    EXPECT_FALSE(dlg->isVisible());
  });
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_EQ(env.shell.opened[0], env.Root() + "Export/Kauflist.txt");
  const std::string text = ReadAll(env.Root() + "Export/Kauflist.txt");
  EXPECT_NE(text.find("Pfannkuchen (2,5 Personen)\r\nZwiebelkuchen (2 Personen)\r\n\r\n"
                      "Wochenmarkt:\r\n     1 kg Zwiebeln\r\n     656,25 g Mehl\r\nMetzger:\r\n"
                      "     200 g Speck\r\n     1,88 St Eier\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Milch"), std::string::npos);
  EXPECT_NE(text.find("Backpapier"), std::string::npos);
  // The changed dealers were written when the dialog closed.
  EXPECT_EQ(ReadAll(Data() + "Haendler.dat"),
            "|Wochenmarkt\r\nZwiebeln\r\nMehl\r\n|Metzger\r\nSpeck\r\nRindfleisch\r\nEier\r\n");

  // The list in another order: the pancakes keep their 2,5 servings, the errands stay.
  QListWidget* pane = KaufRezListDlg->EinkaufLiBo;
  ASSERT_TRUE(test::PopupItem(pane->viewport(), RowCentre(pane, 0), KaufRezListDlg->KListPopup,
                              "DelOneRez"));
  ToShoppingList({"Pfannkuchen"});
  ASSERT_TRUE(WhileModal(
      [&] {
        EXPECT_EQ(test::ListTexts(dlg->RezeptLiBo),
                  (std::vector<std::string>{"Zwiebelkuchen (2 Personen)",
                                            "Pfannkuchen (2,5 Personen)"}));
        ASSERT_TRUE(test::ClickCell(dlg->RezeptLiBo, 1));
        EXPECT_EQ(fromQ(dlg->MengeEdt->text()), "2,5");
        EXPECT_EQ(fromQ(dlg->MengeTxt->text()), "Personen");
        EXPECT_EQ(fromQ(dlg->SonstEdt->toPlainText()), "Backpapier");
        // Its help button opens its page; Escape closes it as its close button does.
        env.shell.opened.clear();
        EXPECT_TRUE(test::Click(dlg->HelpBtn));
        EXPECT_TRUE(HelpOpened(0).ends_with("/Help/Dlg_KList.htm")) << HelpOpened(0);
        test::PressKey(Qt::Key_Escape);
        EXPECT_FALSE(dlg->isVisible());
      },
      [&] {
        EXPECT_TRUE(test::PopupItem(pane->viewport(), RowCentre(pane, 0),
                                    KaufRezListDlg->KListPopup, "FinishList"));
      }));
}

// A range ("2-3 Tomaten") is bought for the servings chosen at both of its ends.
TEST_F(KitchenWindows, TheShoppingDialogScalesARange) {
  Start();
  ToShoppingList({"Tomatensalat"});
  TEinkaufDlg* dlg = EinkaufDlg;
  // Opened with a double click on the pane's entry.
  ASSERT_TRUE(WhileModal([&] {
    EXPECT_EQ(Column(1), (std::vector<std::string>{"2-3", "1"}));
    EXPECT_TRUE(test::TypeInto(dlg->MengeEdt, QStringLiteral("8")));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"4-6", "2"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"Tomaten", "EL \xD6l"}));
    EXPECT_TRUE(test::TypeInto(dlg->MengeEdt, QStringLiteral("6")));
    EXPECT_EQ(Column(1)[0], "3-4,5");
    EXPECT_TRUE(test::Click(dlg->editList));
  }, [] { ASSERT_TRUE(test::DoubleClickCell(KaufRezListDlg->EinkaufLiBo, 0)); }));
  EXPECT_NE(ReadAll(env.Root() + "Export/Kauflist.txt").find("     3-4,5 Tomaten\r\n"),
            std::string::npos);
}

TEST_F(KitchenWindows, AShoppingListThatCannotBeWrittenIsNeitherOpenedNorPrinted) {
  Start();
  ToShoppingList({"Pfannkuchen"});
  const std::string path = env.Root() + "Export/Kauflist.txt";
  WriteAll(path, "---- alter Zettel ----\r\n     3 St Eier\r\n");
  CatchPrintJobs("Kauflist.pdf");
  TEinkaufDlg* dlg = EinkaufDlg;
  InShoppingDialog([&] {
    // Each write fails (the fault holds for one write).
    SetAtomicWriteFaultForTest(0);
    EXPECT_TRUE(test::Click(dlg->editList));
    SetAtomicWriteFaultForTest(0);
    EXPECT_TRUE(test::Click(dlg->printList));
    SetAtomicWriteFaultForTest(-1);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(env.shell.opened.empty());
    EXPECT_TRUE(jobs.empty());
    EXPECT_EQ(ReadAll(path), "---- alter Zettel ----\r\n     3 St Eier\r\n");
    ASSERT_EQ(env.messages.shown.size(), 2u);
    for (const auto& m : env.messages.shown) EXPECT_EQ(m.text, GetLangText(221));
    // Written, the list is printed.
    EXPECT_TRUE(test::Click(dlg->printList));
    EXPECT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(test::Click(dlg->OKBtn));
  });
  EXPECT_NE(ReadAll(path).find("Pfannkuchen"), std::string::npos);
}

// A saved shopping list names a recipe deleted since: said once, its item stays unticked.
TEST_F(KitchenWindows, ARecipeThatCannotBeReadIsSaidAndStaysUnticked) {
  int16_t bookId = 0;
  ASSERT_TRUE(ReadDescriptionBookId(Data() + "Kochbuch.inf", bookId));
  const std::string book = std::to_string(static_cast<uint16_t>(bookId));
  WriteAll(Data() + "Kauflist.dat", book + "#99#-1#Verlorene Suppe\r\n" + book + "#4#-1#Suppe\r\n");
  Start();
  TEinkaufDlg* dlg = EinkaufDlg;
  InShoppingDialog([&] {
    EXPECT_EQ(dlg->RezeptLiBo->item(0)->checkState(), Qt::Unchecked);
    ASSERT_TRUE(test::ClickCheckBox(dlg->RezeptLiBo, 0));  // refused
    EXPECT_EQ(dlg->RezeptLiBo->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Column(2), (std::vector<std::string>{"l Wasser"}));
  });
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(218) + "Verlorene Suppe" + GetLangText(219));
}

// Enter in the shopping dialog: in a grid cell it ends that edit and does nothing else; in the
// servings field it presses the default button, "Einkaufszettel drucken", as the dialog's
// description has it; in the errands it makes a new line. In the pane's list it does nothing.
TEST_F(KitchenWindows, EnterInTheShoppingListAndItsDialog) {
  Start();
  ToShoppingList({"Pfannkuchen"});
  QListWidget* pane = KaufRezListDlg->EinkaufLiBo;
  ASSERT_TRUE(test::ClickCell(pane, 0));
  EXPECT_FALSE(WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
  CatchPrintJobs("Kauflist.pdf");
  TEinkaufDlg* dlg = EinkaufDlg;
  InShoppingDialog([&] {
    EXPECT_TRUE(test::TypeInto(dlg->MengeEdt, QStringLiteral("8")));
    // A cell edited: typing starts the edit, Enter ends it.
    const int flour = GridRowOf("Mehl");
    ASSERT_GE(flour, 0);
    ASSERT_TRUE(test::ClickCell(dlg->ZutatGrd, flour, 1));
    test::TypeKeys(QStringLiteral("300"));
    test::PressKey(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Column(1)[static_cast<size_t>(flour)], "300");
    EXPECT_TRUE(dlg->isVisible());
    // Enter on a cell that is not being edited.
    ASSERT_TRUE(test::ClickCell(dlg->ZutatGrd, flour, 2));
    test::PressKey(Qt::Key_Return);
    EXPECT_TRUE(jobs.empty()) << "Enter in the grid printed";
    EXPECT_TRUE(dlg->isVisible());
    // The errands take line breaks.
    EXPECT_TRUE(test::TypeInto(dlg->SonstEdt, QStringLiteral("Backpapier")));
    test::PressKey(Qt::Key_Return);
    test::TypeKeys(QStringLiteral("Kerzen"));
    EXPECT_EQ(fromQ(dlg->SonstEdt->toPlainText()), "Backpapier\nKerzen");
    EXPECT_TRUE(jobs.empty());
    // The servings field: Enter prints the list as it stands.
    EXPECT_TRUE(test::Click(dlg->MengeEdt));
    test::PressKey(Qt::Key_Return);
    EXPECT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(dlg->isVisible());
  });
  const std::string text = ReadAll(env.Root() + "Export/Kauflist.txt");
  EXPECT_NE(text.find("Pfannkuchen (8 Personen)"), std::string::npos) << text;
  EXPECT_NE(text.find("     300 g Mehl"), std::string::npos) << text;
}

TEST_F(KitchenWindows, TheDealerWindowEditsTheTableAndOnlyOKKeepsIt) {
  Start();
  TThekeDlg* dlg = ThekeDlg;
  InDealers([&] {
    ASSERT_EQ(dlg->ThekeTree->topLevelItemCount(), 2);
    EXPECT_EQ(dlg->ThekeTree->topLevelItem(1)->childCount(), 2);
    EXPECT_TRUE(test::Click(dlg->NewHaendlerBtn));
    EXPECT_EQ(fromQ(dlg->HaendlerEdt->text()), GetLangText(529));
    EXPECT_TRUE(test::TypeInto(dlg->HaendlerEdt, toQ("K\xE4setheke")));
    ASSERT_EQ(dlg->ThekeTree->topLevelItemCount(), 3);
    EXPECT_EQ(fromQ(dlg->ThekeTree->topLevelItem(2)->text(0)), "K\xE4setheke");
    EXPECT_TRUE(test::Click(dlg->NewZutatBtn));
    EXPECT_TRUE(test::TypeInto(dlg->ZutatEdt, QStringLiteral("Gouda")));
    EXPECT_TRUE(test::Click(dlg->ToolUpBtn));  // the cheese counter before the butcher
    // Speck dragged from the butcher to the market: clicked, then dropped.
    QTreeWidgetItem* butcher = dlg->ThekeTree->topLevelItem(2);
    dlg->ThekeTree->expandItem(butcher);
    const QModelIndex speck = dlg->ThekeTree->model()->index(0, 0, dlg->ThekeTree->model()->index(2, 0));
    ASSERT_TRUE(test::ClickCell(dlg->ThekeTree, 0, 0));  // the market, then the bacon
    QTest::mouseClick(dlg->ThekeTree->viewport(), Qt::LeftButton, {},
                      dlg->ThekeTree->visualRect(speck).center());
    ASSERT_EQ(dlg->ThekeTree->currentItem(), butcher->child(0));
    ASSERT_TRUE(dlg->CanDragIngredient());
    test::StartDragWithMouse(dlg->ThekeTree->viewport(), dlg->ThekeTree->visualRect(speck).center());
    dlg->ThekeTreeDragDrop(dlg->ThekeTree->topLevelItem(0));  // the drop on the market
    EXPECT_TRUE(test::Click(dlg->OKBtn));
    EXPECT_FALSE(dlg->isVisible());
  });
  EXPECT_EQ(
      ReadAll(Data() + "Haendler.dat"),
      "|Wochenmarkt\r\nZwiebeln\r\nSpeck\r\n|K\xE4setheke\r\nGouda\r\n|Metzger\r\nRindfleisch\r\n");
  InDealers([&] {
    // The cheese counter clicked in the list, moved down past the butcher, its cheese deleted.
    ASSERT_EQ(dlg->ThekeTree->topLevelItemCount(), 3);
    ASSERT_TRUE(test::ClickCell(dlg->HaendlerLiBo, 1));
    EXPECT_EQ(fromQ(dlg->HaendlerEdt->text()), "K\xE4setheke");
    EXPECT_TRUE(test::Click(dlg->ToolDownBtn));
    EXPECT_EQ(fromQ(dlg->ThekeTree->topLevelItem(2)->text(0)), "K\xE4setheke");
    QTreeWidgetItem* cheese = dlg->ThekeTree->topLevelItem(2);
    dlg->ThekeTree->expandItem(cheese);
    const QModelIndex gouda =
        dlg->ThekeTree->model()->index(0, 0, dlg->ThekeTree->model()->index(2, 0));
    QTest::mouseClick(dlg->ThekeTree->viewport(), Qt::LeftButton, {},
                      dlg->ThekeTree->visualRect(gouda).center());
    EXPECT_TRUE(test::Click(dlg->DelZutatBtn));
    EXPECT_EQ(dlg->ThekeTree->topLevelItem(2)->childCount(), 0);
    env.shell.opened.clear();
    EXPECT_TRUE(test::Click(dlg->HelpBtn));
    EXPECT_TRUE(HelpOpened(0).ends_with("/Help/Dlg_Haendler.htm")) << HelpOpened(0);
    ASSERT_TRUE(test::ClickCell(dlg->HaendlerLiBo, 0));
    EXPECT_TRUE(test::Click(dlg->DelHaendlerBtn));
    EXPECT_EQ(dlg->ThekeTree->topLevelItemCount(), 2);
    EXPECT_TRUE(test::Click(dlg->CloseBtn));
    EXPECT_FALSE(dlg->isVisible());
  });  // cancelled: read again from the file
  EXPECT_EQ(dlg->dealers.size(), 3u);
  EXPECT_EQ(dlg->dealers[0].name, "Wochenmarkt");
}

// The ingredient window from the main menu: OK without a change gives no ingredient a dealer,
// and an ingredient clicked with the mouse is shown with its own dealer.
TEST_F(KitchenWindows, TheIngredientWindowLeavesTheDealersAsTheyAre) {
  Start();
  const std::string dealers = ReadAll(Data() + "Haendler.dat");
  TZutatenDlg* dlg = ZutatenDlg;
  const auto inIngredients = [&](const std::function<void()>& inside) {
    ASSERT_TRUE(WhileModal(
        inside, [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Extras1", "Zutatenliste"})); }));
  };
  std::string first;
  inIngredients([&] {
    first = fromQ(dlg->NameEdt->text());
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "");
    EXPECT_TRUE(test::Click(dlg->OKBtn));
  });
  EXPECT_EQ(ReadAll(Data() + "Haendler.dat"), dealers) << first;

  inIngredients([&] {
    int row = -1;
    for (int i = 0; i < dlg->ZutatLiBo->count(); ++i)
      if (fromQ(dlg->ZutatLiBo->item(i)->text()) == "Zwiebeln") row = i;
    ASSERT_GT(row, 0);
    ASSERT_TRUE(test::ClickCell(dlg->ZutatLiBo, row));
    EXPECT_EQ(fromQ(dlg->NameEdt->text()), "Zwiebeln");
    EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "Wochenmarkt");
    // And back to the first one by the mouse: still no dealer.
    ASSERT_TRUE(test::ClickCell(dlg->ZutatLiBo, 0));
    EXPECT_EQ(fromQ(dlg->NameEdt->text()), first);
    EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "");
    EXPECT_TRUE(test::Click(dlg->OKBtn));
  });
  EXPECT_EQ(ReadAll(Data() + "Haendler.dat"), dealers);
}

// OK is the dealer window's default button: Enter in its name fields keeps what was typed, as
// OK does; its tree and list take no Enter of their own.
TEST_F(KitchenWindows, EnterInTheDealerWindowKeepsWhatWasTyped) {
  Start();
  TThekeDlg* dlg = ThekeDlg;
  InDealers([&] {
    EXPECT_TRUE(dlg->OKBtn->isDefault());
    EXPECT_TRUE(test::Click(dlg->NewHaendlerBtn));
    EXPECT_TRUE(test::TypeInto(dlg->HaendlerEdt, toQ("B\xE4""cker")));
    EXPECT_TRUE(test::Click(dlg->NewZutatBtn));
    EXPECT_TRUE(test::TypeInto(dlg->ZutatEdt, QStringLiteral("Brot")));
    test::PressKey(Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
  });
  EXPECT_NE(ReadAll(Data() + "Haendler.dat").find("|B\xE4""cker\r\nBrot\r\n"), std::string::npos)
      << ReadAll(Data() + "Haendler.dat");
  InDealers([&] {
    ASSERT_TRUE(test::ClickCell(dlg->HaendlerLiBo, 0));
    EXPECT_TRUE(test::TypeInto(dlg->HaendlerEdt, QStringLiteral("Markt")));
    test::PressKey(Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
  });
  EXPECT_EQ(ReadAll(Data() + "Haendler.dat").find("|Markt\r\nZwiebeln\r\n"), 0u)
      << ReadAll(Data() + "Haendler.dat");
}

TEST_F(KitchenWindows, ThreeRecipesDroppedOnADayAndTheMiddleOneDeletedLeaveKeys0And1) {
  Start();
  OpenWeekPlan();
  TWPlanDlg* plan = WPlanDlg;
  for (const char* title : {"Gulasch", "Pfannkuchen", "Zwiebelkuchen"})
    DropOnDay({title}, 2, 9);  // below the day's last entry
  EXPECT_EQ(plan->CellHint(2, 1), "Gulasch (6 Personen)");
  env.messages.answers = {IDYES};
  ASSERT_TRUE(WeekMenu(2, 2, "WPSelDel"));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text,
            GetLangText(273) + GetLangText(274) + GetLangText(276) + GetLangText(277));
  ProfileIni ini(Data() + "WPlan.ini");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadString("05.06.2024", "Titel0", ""), "Gulasch");
  EXPECT_EQ(ini.ReadString("05.06.2024", "Titel1", ""), "Zwiebelkuchen");
  EXPECT_EQ(ini.ReadString("05.06.2024", "Book2", "none"), "none");
  EXPECT_EQ(ini.ReadString("05.06.2024", "Pos2", "none"), "none");
  EXPECT_EQ(plan->plan.entries.size(), 2u);
  // Moved with the menu: down and up again.
  ASSERT_TRUE(WeekMenu(2, 1, "MoveWPDownMnu"));
  EXPECT_EQ(plan->CellHint(2, 1), "Zwiebelkuchen (2 Personen)");
  ASSERT_TRUE(WeekMenu(2, 2, "MoveWPUpMnu"));
  EXPECT_EQ(plan->CellHint(2, 1), "Gulasch (6 Personen)");
  // "Show recipe" selects the planned recipe in the list.
  ASSERT_TRUE(WeekMenu(2, 2, "WPShow"));
  EXPECT_EQ(list->CurrentRow(), RowOf("Zwiebelkuchen"));
}

// "bis gestern entfernen" deletes every day before today, this week's too, and its question says
// so; today stays.
TEST_F(KitchenWindows, DeletingUpToYesterdaySaysWhatGoes) {
  const int today = TodayNumber();
  ProfileIni seed(Data() + "WPlan.ini");
  for (const int day : {today - 9, today - 1, today, today + 1}) {
    const std::string section = WeekPlanSectionName(day);
    for (const auto& [key, value] : {std::pair<const char*, const char*>{"Book0", "0"},
                                     {"RID0", "0"}, {"Pos0", "0"}, {"ServAnz0", "0"},
                                     {"Titel0", "Gulasch"}, {"ServArt0", ""}, {"Bem0", ""},
                                     {"Type0", "1"}})
      seed.WriteString(section, key, value);
  }
  ASSERT_TRUE(seed.Save());
  Start();
  OpenWeekPlan();
  ASSERT_TRUE(test::Click(AktWeek()));
  env.messages.answers = {IDNO};
  ASSERT_TRUE(WeekMenu(0, 1, "WPGestDel"));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  const std::string question = env.messages.shown[0].text;
  EXPECT_EQ(question, GetLangText(273) + GetLangText(276) + GetLangText(275) + GetLangText(277));
  EXPECT_NE(question.find("vor dem heutigen Tag"), std::string::npos) << question;
  EXPECT_EQ(question.find("Wochen "), std::string::npos) << question;
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"Wochenplan1", "WPGestDel"}));
  ProfileIni ini(Data() + "WPlan.ini");
  ASSERT_TRUE(ini.Load());
  for (const int day : {today - 9, today - 1})
    EXPECT_EQ(ini.ReadString(WeekPlanSectionName(day), "Titel0", "none"), "none") << day;
  for (const int day : {today, today + 1})
    EXPECT_EQ(ini.ReadString(WeekPlanSectionName(day), "Titel0", "none"), "Gulasch") << day;
}

TEST_F(KitchenWindows, ThePlannedRecipesOfAWeekGoToTheShoppingList) {
  Start();
  OpenWeekPlan();
  TWPlanDlg* plan = WPlanDlg;
  DropOnDay({"Gulasch"}, 0, 1);
  DropOnDay({"Suppe"}, 4, 1);
  // Gulasch for 3, as the entry dialog sets it.
  ASSERT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(test::TypeInto(WPParaDlg->WPPAnzServ, QStringLiteral("3")));
        EXPECT_TRUE(test::Click(WPParaDlg->OKBtn));
        EXPECT_FALSE(WPParaDlg->isVisible());
      },
      [&] { ASSERT_TRUE(test::DoubleClickCell(plan->WPlanGrd, 0, 0)); }));
  ASSERT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(test::TypeInto(WPBemDlg->BemEdt, QStringLiteral("Oma kommt")));
        EXPECT_TRUE(test::Click(WPBemDlg->OKBtn));
        EXPECT_FALSE(WPBemDlg->isVisible());
      },
      [&] { EXPECT_TRUE(WeekMenu(4, 2, "NewRemarkMnu")); }));
  ToShoppingList({"Pfannkuchen"});
  ClickDay(0, 1);
  QTest::keyClick(plan->WPlanGrd, Qt::Key_A, Qt::ControlModifier);  // the whole week
  env.messages.answers = {IDNO};  // keep what the shopping list holds
  ASSERT_TRUE(WeekMenu(2, 3, "WPKList"));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(278) + "1" + GetLangText(279));
  const auto& entries = KaufRezListDlg->list.Entries();
  ASSERT_EQ(entries.size(), 3u);  // the remark is passed over
  EXPECT_EQ(entries[1].title, "Gulasch");
  EXPECT_EQ(entries[1].portions, 3);
  EXPECT_EQ(entries[2].title, "Suppe");
  EXPECT_EQ(entries[2].portions, 2);
  // The main menu's item asks again; Yes empties the list first.
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"Wochenplan1", "WPKList"}));
  EXPECT_EQ(KaufRezListDlg->GetKaufListCount(), 2);
}

// The system speaks American English, the program German: the entry dialog writes the day as
// the week grid's column title does.
TEST_F(KitchenWindows, EntryDialogWritesTheDayInTheProgramsLanguage) {
  const QLocale system;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  Start();
  OpenWeekPlan();
  DropOnDay({"Gulasch"}, 3, 1);
  QTableWidget* grid = WPlanDlg->WPlanGrd;
  std::string shown;
  EXPECT_TRUE(WhileModal([&] { shown = fromQ(WPParaDlg->WPPDate->text()); },
                         [&] { ASSERT_TRUE(test::DoubleClickCell(grid, 0, 3)); }));
  QLocale::setDefault(system);
  EXPECT_EQ(shown, "6.6.2024");  // Thursday of the week of 3 June 2024
  EXPECT_TRUE(grid->horizontalHeaderItem(3)->text().endsWith(QStringLiteral(" 6.6.2024")))
      << fromQ(grid->horizontalHeaderItem(3)->text());
}

TEST_F(KitchenWindows, EntryDialogsEditServingsAndRemarksAndEscapeCancelsARemark) {
  Start();
  OpenWeekPlan();
  TWPlanDlg* plan = WPlanDlg;
  QTableWidget* grid = plan->WPlanGrd;
  DropOnDay({"Gulasch"}, 1, 1);
  ClickRecipe("Suppe");
  ASSERT_TRUE(WhileModal(
      [this] {
        // "zum Rezept springen" shows the planned recipe; the dialog stays.
        EXPECT_TRUE(test::Click(WPParaDlg->ShowRezBtn));
        EXPECT_EQ(list->CurrentRow(), RowOf("Gulasch"));
        EXPECT_TRUE(WPParaDlg->isVisible());
        EXPECT_EQ(fromQ(WPParaDlg->WPPTitel->text()), "Gulasch");
        EXPECT_EQ(fromQ(WPParaDlg->WPPKBookName->text()), "Kochbuch");
        EXPECT_EQ(fromQ(WPParaDlg->WPPAnzServ->text()), "6");
        EXPECT_TRUE(test::TypeInto(WPParaDlg->WPPAnzServ, QStringLiteral("8 Leute")));
        EXPECT_TRUE(test::TypeInto(WPParaDlg->WPPBem, toQ("mit Kn\xF6" "deln")));
        test::PressKey(Qt::Key_Escape);  // the close button answers Escape: kept
      },
      [&] { ASSERT_TRUE(test::DoubleClickCell(grid, 0, 1)); }));
  EXPECT_EQ(plan->plan.entries[0].servings, 8);
  EXPECT_EQ(plan->CellHint(1, 1),
            "Gulasch (8 Personen) \"mit Kn\xF6"
            "deln\"");
  ProfileIni ini(Data() + "WPlan.ini");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadString("04.06.2024", "ServAnz0", ""), "8");

  // A remark on an empty cell; Escape cancels a change, the close box after an earlier OK
  // changes nothing either.
  ASSERT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(test::TypeInto(WPBemDlg->BemEdt, QStringLiteral("Einkaufen")));
        EXPECT_TRUE(test::Click(WPBemDlg->OKBtn));
      },
      [&] { ASSERT_TRUE(test::DoubleClickCell(grid, 1, 1)); }));
  ASSERT_EQ(plan->plan.entries.size(), 2u);
  ASSERT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(test::TypeInto(WPBemDlg->BemEdt, QStringLiteral("anders")));
        test::PressKey(Qt::Key_Escape);
      },
      [&] { ASSERT_TRUE(test::DoubleClickCell(grid, 1, 1)); }));
  ASSERT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(test::TypeInto(WPBemDlg->BemEdt, QStringLiteral("ganz anders")));
        EXPECT_TRUE(test::Click(WPBemDlg->CancelBtn));
        EXPECT_FALSE(WPBemDlg->isVisible());
      },
      [&] { ASSERT_TRUE(test::DoubleClickCell(grid, 1, 1)); }));
  ASSERT_TRUE(WhileModal([] { WPBemDlg->close(); },
                         [&] { EXPECT_TRUE(WeekMenu(1, 3, "NewRemarkMnu")); }));
  ASSERT_EQ(plan->plan.entries.size(), 2u);
  EXPECT_EQ(plan->plan.entries[plan->plan.FindWeekPlanEntry(1, 2)].text, "Einkaufen");
}

// Enter on the week grid does nothing; in the entry dialogs OK is the default button, so Enter
// in a field confirms what was typed, as OK does.
TEST_F(KitchenWindows, EnterInTheWeekPlanAndItsDialogs) {
  Start();
  OpenWeekPlan();
  TWPlanDlg* plan = WPlanDlg;
  QTableWidget* grid = plan->WPlanGrd;
  DropOnDay({"Gulasch"}, 0, 1);
  const std::string stored = ReadAll(Data() + "WPlan.ini");
  ClickDay(0, 1);
  EXPECT_FALSE(WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
  EXPECT_EQ(ReadAll(Data() + "WPlan.ini"), stored);

  struct Field {
    const char* name;
    QLineEdit* (*field)();
    const char* typed;
  };
  const Field fields[] = {
      {"servings", [] { return WPParaDlg->WPPAnzServ; }, "5"},
      {"remark", [] { return WPParaDlg->WPPBem; }, "scharf"},
  };
  bool byMenu = false;  // opened once by a double click, once with the pop-up menu
  for (const Field& f : fields) {
    SCOPED_TRACE(f.name);
    ASSERT_TRUE(WhileModal(
        [&] {
          EXPECT_TRUE(test::TypeInto(f.field(), QString::fromLatin1(f.typed)));
          test::PressKey(Qt::Key_Return);
          EXPECT_FALSE(WPParaDlg->isVisible());
        },
        [&] {
          if (byMenu)
            EXPECT_TRUE(WeekMenu(0, 1, "WPPara"));
          else
            ASSERT_TRUE(test::DoubleClickCell(grid, 0, 0));
        }));
    byMenu = true;
  }
  EXPECT_EQ(plan->plan.entries[0].servings, 5);
  EXPECT_EQ(plan->plan.entries[0].remark, "scharf");
  ASSERT_TRUE(WhileModal(
      [] {
        EXPECT_TRUE(test::TypeInto(WPBemDlg->BemEdt, QStringLiteral("Markttag")));
        test::PressKey(Qt::Key_Return);
        EXPECT_FALSE(WPBemDlg->isVisible());
      },
      [&] { ASSERT_TRUE(test::DoubleClickCell(grid, 1, 0)); }));
  EXPECT_EQ(plan->plan.entries[plan->plan.FindWeekPlanEntry(0, 2)].text, "Markttag");
}

TEST_F(KitchenWindows, TheWeekPlanIsPrintedAndAnEmptyWeekSaysSo) {
  Start();
  OpenWeekPlan();
  TWPlanDlg* plan = WPlanDlg;
  ASSERT_TRUE(WeekMenu(0, 1, "WPPrint"));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(280));
  EXPECT_TRUE(env.shell.opened.empty());
  DropOnDay({"Gulasch"}, 0, 1);
  // The printer of this machine is a PDF file; the job's file is asked for.
  CatchPrintJobs("WPlan.pdf");
  ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"Wochenplan1", "WPPrint"}));
  EXPECT_EQ(jobs, std::vector<std::string>{"Tavolin! Wochenplan"});
  EXPECT_EQ(ReadAll(env.Root() + "Export/WPlan.pdf").substr(0, 5), "%PDF-");
  EXPECT_NE(ReadAll(env.Root() + "Export/WPlan.txt").find("T:Gulasch  (6 Personen)"),
            std::string::npos);
  // Navigation: a month on and back is the same week, a week on and back too; today's week
  // is a Monday.
  ASSERT_TRUE(test::Click(plan->NextMonthBtn));
  EXPECT_TRUE(plan->plan.entries.empty());
  ASSERT_TRUE(test::Click(plan->PrevMonthBtn));
  EXPECT_EQ(plan->plan.weekStart, kMonday);
  ASSERT_TRUE(test::Click(plan->NextWeekBtn));
  EXPECT_EQ(plan->plan.weekStart, kMonday + 7);
  ASSERT_TRUE(test::Click(plan->PrevWeekBtn));
  EXPECT_EQ(plan->plan.entries.size(), 1u);
  ASSERT_TRUE(test::Click(AktWeek()));
  EXPECT_EQ(plan->plan.weekStart, MondayOf(TodayNumber()));
  // "Alle entfernen" empties every week.
  env.messages.answers = {IDYES};
  ASSERT_TRUE(WeekMenu(0, 1, "WPAllDel"));
  EXPECT_EQ(ReadAll(Data() + "WPlan.ini").find("Gulasch"), std::string::npos);
  // The pane's help picture opens its page; its close picture closes the pane.
  env.shell.opened.clear();
  ASSERT_TRUE(test::Click(plan->THelpBtn));
  EXPECT_TRUE(HelpOpened(0).ends_with("/Help/Tip_WeekPlaning.htm")) << HelpOpened(0);
  ASSERT_TRUE(test::Click(plan->TCloseBtn));
  EXPECT_EQ(MainFrm->WeekPlanHeight(), 4);
}

TEST_F(KitchenWindows, TheKitchenCommandsOfTheMainMenuAreOn) {
  Start();
  for (const char* name : {"WPlan", "TBWPlan", "zurEinkaufsliste1", "Einkaufsliste1", "ThekeMnu",
                           "WPPara", "NewRemarkMnu", "WPShow", "WPPrint", "WPKList", "MoveWPUpMnu",
                           "MoveWPDownMnu", "WPSelDel", "WPGestDel", "WPAllDel"}) {
    QAction* a = MainFrm->Action(name);
    ASSERT_TRUE(a) << name;
    EXPECT_TRUE(a->isEnabled()) << name;
  }
}

// The windows filled as in use, written as PNG files when TAVOLIN_SHOTS names a folder.
class KitchenScreens : public KitchenWindows, public ::testing::WithParamInterface<const char*> {};

TEST_P(KitchenScreens, Screenshots) {
  const char* lang = GetParam();
  Start(lang);
  KaufRezListDlg->AddToKaufList(Entry("Pfannkuchen"), -1);
  KaufRezListDlg->AddToKaufList(Entry("Zwiebelkuchen"), -1);
  KaufRezListDlg->AddToKaufList(Entry("Gulasch"), 4);
  for (int day = 0; day < 7; day += 2) {
    Select({"Gulasch", "Pfannkuchen"});
    WPlanDlg->WPlanGrdDragDrop(list->ChooseLiBo, day, 1);
  }
  WPLAN remark;
  remark.text = lang == std::string("DE") ? "Oma kommt zum Essen" : "Grandma comes for dinner";
  WPlanDlg->plan.InsertWeekPlanEntry(remark, 3, 1);
  WPlanDlg->DrawWeekGrid();
  OpenWeekPlan();
  test::Shot(MainFrm, std::string("main_window_kitchen_") + lang);
  InShoppingDialog([&] {
    EinkaufDlg->ZutatGrd->setCurrentCell(0, 2);
    test::Shot(EinkaufDlg, std::string("shopping_dialog_") + lang);
  });
  ASSERT_TRUE(WhileModal(
      [&] {
        ThekeDlg->ThekeTree->setCurrentItem(ThekeDlg->ThekeTree->topLevelItem(1)->child(0));
        test::Shot(ThekeDlg, std::string("dealer_window_") + lang);
      },
      [] { EXPECT_TRUE(test::ClickMenuPath(MainFrm, {"Extras1", "ThekeMnu"})); }));
  ASSERT_TRUE(WhileModal([&] { test::Shot(WPParaDlg, std::string("week_plan_entry_") + lang); },
                         [&] { ASSERT_TRUE(test::DoubleClickCell(WPlanDlg->WPlanGrd, 0, 0)); }));
}

INSTANTIATE_TEST_SUITE_P(Languages, KitchenScreens, ::testing::Values("DE", "EN"));

}  // namespace
}  // namespace tav
