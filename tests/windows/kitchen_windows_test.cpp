// The shopping list pane, the shopping dialog, the dealer window and the week plan inside the
// whole program, offscreen: a book of four recipes made before the start.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "exchange/ui/qt_printing.h"
#include "kitchen/profile_ini.h"
#include "kitchen/ui/dealers_dialog.h"
#include "kitchen/ui/shopping_dialog.h"
#include "kitchen/ui/shopping_list_window.h"
#include "kitchen/ui/week_plan_entry_dialog.h"
#include "kitchen/ui/week_plan_remark_dialog.h"
#include "kitchen/ui/week_plan_window.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/book_test_util.h"
#include "recipedb/ui/ingredients_dialog.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/context.h"
#include "services/ui/context_list_box.h"
#include "support/test_env.h"
#include "list_view_clicks.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WhileShown;
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

class KitchenWindows : public ::testing::Test {
 protected:
  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();

  void SetUp() override { SetProgramFolder(program.Path()); }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
    SetDecimalSep('.');
  }

  // The book "Kochbuch" (listed as Gulasch, Pfannkuchen, Suppe, Zwiebelkuchen) and two
  // dealers, then the program in that language.
  void Start(const char* lang = "DE") {
    SetDecimalSep(',');
    // The shipped data files, as a fresh installation has them.
    namespace fs = std::filesystem;
    const fs::path shipped = fs::path(TAVOLIN_SHIPPED_DATA) / "Data";
    for (const auto& e : fs::recursive_directory_iterator(shipped))
      if (e.is_regular_file() && e.path().string().find("/Help/") == std::string::npos)
        WriteAll(env.DataFolder() + fs::relative(e.path(), shipped).string(),
                 ReadAll(e.path().string()));
    WriteAll(env.DataFolder() + "Haendler.dat",
             "|Wochenmarkt\r\nZwiebeln\r\n|Metzger\r\nSpeck\r\nRindfleisch\r\n");
    KBOOK book;
    book.name = "Kochbuch";
    test::MakeBookBeforeStart(
        env, book,
        {Recipe("Pfannkuchen", 4,
                {Line("250", "g", "Mehl"), Line("3", "St", "Eier"), Line("500", "ml", "Milch")}),
         Recipe(
             "Zwiebelkuchen", 2,
             {Line("0,5", "kg", "Mehl"), Line("1", "kg", "Zwiebeln"), Line("200", "g", "Speck")}),
         Recipe("Gulasch", 6,
                {Line("1", "kg", "Rindfleisch"), Line("", "", "*Beilage"),
                 Line("500", "g", "Nudeln")}),
         Recipe("Suppe", 2, {Line("1", "l", "Wasser")})});
    env.userSettings.WriteString(kRegParam, "KBook", "Kochbuch");
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    env.userSettings.WriteString(kRegParam, "ShowMode", "1");
    StartProgram();
    MainFrm->FormActivate();
    QApplication::processEvents();
    WPlanDlg->plan.weekStart = kMonday;
    WPlanDlg->LoadWeekPlan();
    WPlanDlg->DrawWeekGrid();
  }

  int RowOf(const std::string& title) const {
    REZINDEX e;
    for (int row = 0; row < ChooseRezDlg->Count(); ++row)
      if (ChooseRezDlg->RowEntry(row, e) && e.Title() == title) return row;
    return -1;
  }
  REZINDEX Entry(const std::string& title) const {
    REZINDEX e;
    ChooseRezDlg->RowEntry(RowOf(title), e);
    return e;
  }
  void Select(std::initializer_list<const char*> titles) {
    ChooseRezDlg->SelectOnly(-1);
    for (const char* t : titles) {
      ChooseRezDlg->ChooseLiBo->SetSelected(RowOf(t), true);
      ChooseRezDlg->ChooseLiBo->SetCurrentRow(RowOf(t));
    }
  }
  QAction* PopupItem(QMenu* menu, const char* name) const {
    return menu->findChild<QAction*>(QString::fromLatin1(name));
  }
  // One column of the shopping dialog's grid, rows in the order shown.
  std::vector<std::string> Column(int col) const {
    std::vector<std::string> out;
    for (const ShoppingRow& r : EinkaufDlg->GridRows()) out.push_back(r[col]);
    return out;
  }
  std::string Data() const { return env.DataFolder(); }
};

TEST_F(KitchenWindows, RecipesComeOntoTheShoppingListAndLeaveWithTheirRecipe) {
  Start();
  EXPECT_LE(MainFrm->ShoppingPaneHeight(), 17);
  Select({"Pfannkuchen", "Zwiebelkuchen"});
  QAction* add = PopupItem(ChooseRezDlg->ChooseMnu, "AddKListe");
  ASSERT_TRUE(add && add->isEnabled());
  add->trigger();
  EXPECT_EQ(test::ListTexts(KaufRezListDlg->EinkaufLiBo),
            (std::vector<std::string>{"Pfannkuchen", "Zwiebelkuchen"}));
  EXPECT_GT(MainFrm->ShoppingPaneHeight(), 17);
  const std::string book = std::to_string(static_cast<uint16_t>(Entry("Gulasch").bookId));
  EXPECT_EQ(ReadAll(Data() + "Kauflist.dat"),
            book + "#1#-1#Pfannkuchen\r\n" + book + "#2#-1#Zwiebelkuchen\r\n");
  // The main menu's item and a drop from the recipe list add as well.
  Select({"Gulasch"});
  MainFrm->Action("zurEinkaufsliste1")->trigger();
  Select({"Pfannkuchen"});
  KaufRezListDlg->DropFromRecipeList();
  EXPECT_EQ(KaufRezListDlg->GetKaufListCount(), 4);

  // Deleting Pfannkuchen takes both of its entries off, each with a notice.
  env.messages.defaultAnswer = IDYES;
  ChooseRezDlg->ToggleRecipeDeleted(RowOf("Pfannkuchen"));
  EXPECT_EQ(test::ListTexts(KaufRezListDlg->EinkaufLiBo),
            (std::vector<std::string>{"Gulasch", "Zwiebelkuchen"}));
  ASSERT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(env.messages.shown[1].text, GetLangText(215));

  // An item dropped back on the recipe list leaves the shopping list; the last one closes the
  // pane to its title strip.
  KaufRezListDlg->SelectEntry(KaufRezListDlg->list.Rows()[0]);
  ChooseRezDlg->ChooseLiBo->OnShoppingListDrop();
  EXPECT_EQ(test::ListTexts(KaufRezListDlg->EinkaufLiBo),
            (std::vector<std::string>{"Zwiebelkuchen"}));
  KaufRezListDlg->EinkaufLiBo->setCurrentRow(0);
  PopupItem(KaufRezListDlg->KListPopup, "DelOneRez")->trigger();
  EXPECT_EQ(KaufRezListDlg->GetKaufListCount(), 0);
  EXPECT_EQ(MainFrm->ShoppingPaneHeight(), 17);
  EXPECT_EQ(ReadAll(Data() + "Kauflist.dat"), "");
}

TEST_F(KitchenWindows, TheShoppingDialogComputesTheListAndKeepsServingsPerRecipe) {
  Start();
  KaufRezListDlg->AddToKaufList(Entry("Pfannkuchen"), -1);
  KaufRezListDlg->AddToKaufList(Entry("Zwiebelkuchen"), -1);
  TEinkaufDlg* dlg = EinkaufDlg;
  WhileShown(dlg, [&] {
    EXPECT_EQ(test::ListTexts(dlg->RezeptLiBo),
              (std::vector<std::string>{"Pfannkuchen (4 Personen)", "Zwiebelkuchen (2 Personen)"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1", "200", "750", "3", "500"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"kg Zwiebeln", "g Speck", "g Mehl", "St Eier",
                                                   "ml Milch"}));
    EXPECT_EQ(Column(4), (std::vector<std::string>{"Wochenmarkt", "Metzger", "", "", ""}));
    // Pancakes for 2,5.
    dlg->RezeptLiBo->setCurrentRow(0);
    dlg->MengeEdt->setText(QStringLiteral("2,5"));
    dlg->MengeEdtChange();
    EXPECT_EQ(fromQ(dlg->RezeptLiBo->item(0)->text()), "Pfannkuchen (2,5 Personen)");
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1", "200", "656,25", "1,88", "312,50"}));
    // Without the onion cake only the pancakes are left.
    dlg->RezeptLiBo->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(Column(6), (std::vector<std::string>{"Mehl", "Eier", "Milch"}));
    dlg->RezeptLiBo->item(1)->setCheckState(Qt::Checked);
    // Flour is bought at the market from now on; milk is not bought.
    dlg->ZutatGrdClick(2, 4);
    EXPECT_EQ(Column(4)[2], "Wochenmarkt");
    EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "Wochenmarkt");
    dlg->ZutatGrdClick(4, 3);
    EXPECT_EQ(Column(3)[4], GetLangText(225));
    dlg->SonstEdt->setPlainText(QStringLiteral("Backpapier"));
    dlg->editListClick();
    dlg->OKBtnClick();
  });
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_EQ(env.shell.opened[0], env.Root() + "Export/Kauflist.txt");
  const std::string text = ReadAll(env.Root() + "Export/Kauflist.txt");
  EXPECT_NE(text.find("Pfannkuchen (2,5 Personen)\r\nZwiebelkuchen (2 Personen)\r\n\r\n"
                      "Wochenmarkt:\r\n     1 kg Zwiebeln\r\n     656,25 g Mehl\r\nMetzger:\r\n"
                      "     200 g Speck\r\n\r\n     1,88 St Eier\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Milch"), std::string::npos);
  EXPECT_NE(text.find("Backpapier"), std::string::npos);
  // The changed dealer was written when the dialog closed.
  EXPECT_EQ(ReadAll(Data() + "Haendler.dat"),
            "|Wochenmarkt\r\nZwiebeln\r\nMehl\r\n|Metzger\r\nSpeck\r\nRindfleisch\r\n");

  // The list in another order: the pancakes keep their 2,5 servings, the marks their rows.
  KaufRezListDlg->list.RemoveEntry(0);
  KaufRezListDlg->AddToKaufList(Entry("Pfannkuchen"), -1);
  WhileShown(dlg, [&] {
    EXPECT_EQ(
        test::ListTexts(dlg->RezeptLiBo),
        (std::vector<std::string>{"Zwiebelkuchen (2 Personen)", "Pfannkuchen (2,5 Personen)"}));
    dlg->RezeptLiBo->setCurrentRow(1);
    EXPECT_EQ(fromQ(dlg->MengeEdt->text()), "2,5");
    EXPECT_EQ(fromQ(dlg->MengeTxt->text()), "Personen");
    EXPECT_EQ(fromQ(dlg->SonstEdt->toPlainText()), "Backpapier");
  });
}

TEST_F(KitchenWindows, AShoppingListThatCannotBeWrittenIsNeitherOpenedNorPrinted) {
  Start();
  KaufRezListDlg->AddToKaufList(Entry("Pfannkuchen"), -1);
  const std::string path = env.Root() + "Export/Kauflist.txt";
  WriteAll(path, "---- alter Zettel ----\r\n     3 St Eier\r\n");
  std::vector<std::string> jobs;
  QtPrintDevice::pdfFileForTest = [&](const std::string& title) {
    jobs.push_back(title);
    return env.Root() + "Export/Kauflist.pdf";
  };
  TEinkaufDlg* dlg = EinkaufDlg;
  WhileShown(dlg, [&] {
    // Each write fails (the fault holds for one write).
    SetAtomicWriteFaultForTest(0);
    dlg->editListClick();
    SetAtomicWriteFaultForTest(0);
    dlg->printListClick();
    SetAtomicWriteFaultForTest(-1);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(env.shell.opened.empty());
    EXPECT_TRUE(jobs.empty());
    EXPECT_EQ(ReadAll(path), "---- alter Zettel ----\r\n     3 St Eier\r\n");
    ASSERT_EQ(env.messages.shown.size(), 2u);
    for (const auto& m : env.messages.shown) EXPECT_EQ(m.text, GetLangText(221));
    // Written, the list is printed.
    dlg->printListClick();
    EXPECT_EQ(jobs.size(), 1u);
    dlg->OKBtnClick();
  });
  QtPrintDevice::pdfFileForTest = nullptr;
  EXPECT_NE(ReadAll(path).find("Pfannkuchen"), std::string::npos);
}

TEST_F(KitchenWindows, ARecipeThatCannotBeReadIsSaidAndStaysUnticked) {
  Start();
  REZINDEX lost = Entry("Suppe");
  lost.number = 99;
  lost.SetTitle("Verlorene Suppe");
  KaufRezListDlg->AddToKaufList(lost, -1);
  KaufRezListDlg->AddToKaufList(Entry("Suppe"), -1);
  TEinkaufDlg* dlg = EinkaufDlg;
  WhileShown(dlg, [&] {
    EXPECT_EQ(dlg->RezeptLiBo->item(0)->checkState(), Qt::Unchecked);
    dlg->RezeptLiBo->item(0)->setCheckState(Qt::Checked);  // refused
    EXPECT_EQ(dlg->RezeptLiBo->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Column(2), (std::vector<std::string>{"l Wasser"}));
  });
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(218) + "Verlorene Suppe" + GetLangText(219));
}

TEST_F(KitchenWindows, TheDealerWindowEditsTheTableAndOnlyOKKeepsIt) {
  Start();
  TThekeDlg* dlg = ThekeDlg;
  WhileShown(dlg, [&] {
    ASSERT_EQ(dlg->ThekeTree->topLevelItemCount(), 2);
    EXPECT_EQ(dlg->ThekeTree->topLevelItem(1)->childCount(), 2);
    dlg->NewHaendlerBtnClick();
    EXPECT_EQ(fromQ(dlg->HaendlerEdt->text()), GetLangText(529));
    dlg->HaendlerEdt->setText(toQ("K\xE4setheke"));
    EXPECT_EQ(fromQ(dlg->ThekeTree->topLevelItem(2)->text(0)), "K\xE4setheke");
    dlg->NewZutatBtnClick();
    dlg->ZutatEdt->setText(QStringLiteral("Gouda"));
    dlg->ToolUpBtnClick();  // the cheese counter before the butcher
    // Speck dragged from the butcher to the market.
    QTreeWidgetItem* butcher = dlg->ThekeTree->topLevelItem(2);
    dlg->ThekeTree->setCurrentItem(butcher->child(0));
    ASSERT_TRUE(dlg->CanDragIngredient());
    dlg->ThekeTreeDragDrop(dlg->ThekeTree->topLevelItem(0));
    dlg->OKBtnClick();
  });
  EXPECT_EQ(
      ReadAll(Data() + "Haendler.dat"),
      "|Wochenmarkt\r\nZwiebeln\r\nSpeck\r\n|K\xE4setheke\r\nGouda\r\n|Metzger\r\nRindfleisch\r\n");
  WhileShown(dlg, [&] {
    dlg->HaendlerLiBo->setCurrentRow(0);
    dlg->HaendlerLiBoClick();
    dlg->DelHaendlerBtnClick();
    EXPECT_EQ(dlg->ThekeTree->topLevelItemCount(), 2);
  });  // cancelled: read again from the file
  EXPECT_EQ(dlg->dealers.size(), 3u);
  EXPECT_EQ(dlg->dealers[0].name, "Wochenmarkt");
}

// The ingredient window from the main menu: OK without a change gives no ingredient a dealer,
// and an ingredient clicked with the mouse is shown with its own dealer.
TEST_F(KitchenWindows, TheIngredientWindowLeavesTheDealersAsTheyAre) {
  Start();
  const std::string dealers = ReadAll(Data() + "Haendler.dat");
  QAction* item = MainFrm->Action("Zutatenliste");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->isEnabled());
  TZutatenDlg* dlg = ZutatenDlg;
  std::string first;
  WhileShown(
      dlg,
      [&] {
        first = fromQ(dlg->NameEdt->text());
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "");
        dlg->OKBtn->click();
      },
      [&] { item->trigger(); });
  EXPECT_EQ(ReadAll(Data() + "Haendler.dat"), dealers) << first;

  WhileShown(
      dlg,
      [&] {
        int row = -1;
        for (int i = 0; i < dlg->ZutatLiBo->count(); ++i)
          if (fromQ(dlg->ZutatLiBo->item(i)->text()) == "Zwiebeln") row = i;
        ASSERT_GT(row, 0);
        dlg->ZutatLiBo->scrollToItem(dlg->ZutatLiBo->item(row));
        test::ClickRow(dlg->ZutatLiBo, row);
        EXPECT_EQ(fromQ(dlg->NameEdt->text()), "Zwiebeln");
        EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "Wochenmarkt");
        // And back to the first one by the mouse: still no dealer.
        dlg->ZutatLiBo->scrollToItem(dlg->ZutatLiBo->item(0));
        test::ClickRow(dlg->ZutatLiBo, 0);
        EXPECT_EQ(fromQ(dlg->NameEdt->text()), first);
        EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "");
        dlg->OKBtn->click();
      },
      [&] { item->trigger(); });
  EXPECT_EQ(ReadAll(Data() + "Haendler.dat"), dealers);
}

TEST_F(KitchenWindows, ThreeRecipesDroppedOnADayAndTheMiddleOneDeletedLeaveKeys0And1) {
  Start();
  TWPlanDlg* plan = WPlanDlg;
  for (const char* title : {"Gulasch", "Pfannkuchen", "Zwiebelkuchen"}) {
    Select({title});
    plan->WPlanGrdDragDrop(ChooseRezDlg->ChooseLiBo, 2, 9);  // below the day's last entry
  }
  EXPECT_EQ(plan->CellHint(2, 1), "Gulasch (6 Personen)");
  plan->SetCurrentCell(2, 2);
  env.messages.answers = {IDYES};
  plan->DeleteWeekPlanEntries(0);
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
}

TEST_F(KitchenWindows, ThePlannedRecipesOfAWeekGoToTheShoppingList) {
  Start();
  TWPlanDlg* plan = WPlanDlg;
  Select({"Gulasch"});
  plan->WPlanGrdDragDrop(ChooseRezDlg->ChooseLiBo, 0, 1);
  Select({"Suppe"});
  plan->WPlanGrdDragDrop(ChooseRezDlg->ChooseLiBo, 4, 1);
  plan->plan.entries[0].servings = 3;  // as the entry dialog sets it
  plan->SetCurrentCell(4, 2);
  WhileShown(
      WPBemDlg,
      [] {
        WPBemDlg->BemEdt->setText(QStringLiteral("Oma kommt"));
        WPBemDlg->OKBtnClick();
      },
      [&] { plan->AddWeekPlanRemark(); });
  KaufRezListDlg->AddToKaufList(Entry("Pfannkuchen"), -1);
  plan->WPlanGrd->selectAll();
  env.messages.answers = {IDNO};  // keep what the shopping list holds
  plan->AddWeekPlanToKaufList();
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
  MainFrm->Action("WPKList")->trigger();
  EXPECT_EQ(KaufRezListDlg->GetKaufListCount(), 2);
}

TEST_F(KitchenWindows, EntryDialogsEditServingsAndRemarksAndEscapeCancelsARemark) {
  Start();
  TWPlanDlg* plan = WPlanDlg;
  Select({"Gulasch"});
  plan->WPlanGrdDragDrop(ChooseRezDlg->ChooseLiBo, 1, 1);
  plan->SetCurrentCell(1, 1);
  WhileShown(
      WPParaDlg,
      [] {
        EXPECT_EQ(fromQ(WPParaDlg->WPPTitel->text()), "Gulasch");
        EXPECT_EQ(fromQ(WPParaDlg->WPPKBookName->text()), "Kochbuch");
        EXPECT_EQ(fromQ(WPParaDlg->WPPAnzServ->text()), "6");
        WPParaDlg->WPPAnzServ->setText(QStringLiteral("8 Leute"));
        WPParaDlg->WPPBem->setText(QStringLiteral("mit Knödeln"));
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(WPParaDlg, &esc);  // the close button answers Escape: kept
      },
      [&] { plan->EditWeekPlanCell(); });
  EXPECT_EQ(plan->plan.entries[0].servings, 8);
  EXPECT_EQ(plan->CellHint(1, 1),
            "Gulasch (8 Personen) \"mit Kn\xF6"
            "deln\"");
  ProfileIni ini(Data() + "WPlan.ini");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadString("04.06.2024", "ServAnz0", ""), "8");

  // A remark: Escape cancels, the close box after an earlier OK changes nothing either.
  plan->SetCurrentCell(1, 2);
  WhileShown(
      WPBemDlg,
      [] {
        WPBemDlg->BemEdt->setText(QStringLiteral("Einkaufen"));
        WPBemDlg->OKBtnClick();
      },
      [&] { plan->EditWeekPlanCell(); });
  ASSERT_EQ(plan->plan.entries.size(), 2u);
  plan->SetCurrentCell(1, 2);
  WhileShown(
      WPBemDlg,
      [] {
        WPBemDlg->BemEdt->setText(QStringLiteral("anders"));
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(WPBemDlg, &esc);
      },
      [&] { plan->EditWeekPlanCell(); });
  plan->SetCurrentCell(1, 3);
  WhileShown(
      WPBemDlg, [] { WPBemDlg->close(); }, [&] { plan->AddWeekPlanRemark(); });
  ASSERT_EQ(plan->plan.entries.size(), 2u);
  EXPECT_EQ(plan->plan.entries[plan->plan.FindWeekPlanEntry(1, 2)].text, "Einkaufen");
}

TEST_F(KitchenWindows, TheWeekPlanIsPrintedAndAnEmptyWeekSaysSo) {
  Start();
  TWPlanDlg* plan = WPlanDlg;
  plan->PrintWeekPlan();
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(280));
  EXPECT_TRUE(env.shell.opened.empty());
  Select({"Gulasch"});
  plan->WPlanGrdDragDrop(ChooseRezDlg->ChooseLiBo, 0, 1);
  // The printer of this machine is a PDF file; the job's file is asked for.
  std::string job;
  QtPrintDevice::pdfFileForTest = [&](const std::string& title) {
    job = title;
    return env.Root() + "Export/WPlan.pdf";
  };
  MainFrm->Action("WPPrint")->trigger();
  QtPrintDevice::pdfFileForTest = nullptr;
  EXPECT_EQ(job, "Tavolin! Wochenplan");
  EXPECT_EQ(ReadAll(env.Root() + "Export/WPlan.pdf").substr(0, 5), "%PDF-");
  EXPECT_NE(ReadAll(env.Root() + "Export/WPlan.txt").find("T:Gulasch  (6 Personen)"),
            std::string::npos);
  // Navigation: a month on and back is the same week; today's week is a Monday.
  plan->NextMonthBtnClick();
  EXPECT_TRUE(plan->plan.entries.empty());
  plan->PrevMonthBtnClick();
  EXPECT_EQ(plan->plan.weekStart, kMonday);
  EXPECT_EQ(plan->plan.entries.size(), 1u);
  plan->AktWeekBtnClick();
  EXPECT_EQ(WeekdayOf(plan->plan.weekStart), 0);
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
  {
    const char* lang = GetParam();
    Start(lang);
    KaufRezListDlg->AddToKaufList(Entry("Pfannkuchen"), -1);
    KaufRezListDlg->AddToKaufList(Entry("Zwiebelkuchen"), -1);
    KaufRezListDlg->AddToKaufList(Entry("Gulasch"), 4);
    for (int day = 0; day < 7; day += 2) {
      Select({"Gulasch", "Pfannkuchen"});
      WPlanDlg->WPlanGrdDragDrop(ChooseRezDlg->ChooseLiBo, day, 1);
    }
    WPLAN remark;
    remark.text = lang == std::string("DE") ? "Oma kommt zum Essen" : "Grandma comes for dinner";
    WPlanDlg->plan.InsertWeekPlanEntry(remark, 3, 1);
    WPlanDlg->DrawWeekGrid();
    MainFrm->resize(1100, 760);
    MainFrm->ToggleWeekPlanPane();
    QApplication::processEvents();
    test::Shot(MainFrm, std::string("main_window_kitchen_") + lang);
    WhileShown(EinkaufDlg, [&] {
      EinkaufDlg->ZutatGrd->setCurrentCell(0, 2);
      test::Shot(EinkaufDlg, std::string("shopping_dialog_") + lang);
    });
    WhileShown(ThekeDlg, [&] {
      ThekeDlg->ThekeTree->setCurrentItem(ThekeDlg->ThekeTree->topLevelItem(1)->child(0));
      test::Shot(ThekeDlg, std::string("dealer_window_") + lang);
    });
    WPlanDlg->SetCurrentCell(0, 1);
    WhileShown(
        WPParaDlg, [&] { test::Shot(WPParaDlg, std::string("week_plan_entry_") + lang); },
        [&] { WPlanDlg->EditWeekPlanCell(); });
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, KitchenScreens, ::testing::Values("DE", "EN"));

}  // namespace
}  // namespace tav
