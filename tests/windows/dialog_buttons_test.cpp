// The closing and help buttons of the program's dialogs, clicked as a user clicks them in the
// whole program: a help button opens its window's help page, a Cancel or Close button takes the
// dialog off the screen. A button whose connection is lost fails here.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "exchange/ui/auto_import_dialog.h"
#include "exchange/ui/export_dialog.h"
#include "exchange/ui/import_dialog.h"
#include "exchange/ui/print_preview_window.h"
#include "exchange/ui/print_start_dialog.h"
#include "exchange/ui/recipe_list_export_dialog.h"
#include "kitchen/ui/season_dialog.h"
#include "maintenance/ui/backup_dialog.h"
#include "maintenance/ui/quenora_export_dialog.h"
#include "maintenance/ui/survey_dialog.h"
#include "nutrients/ui/filter_group_dialog.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "nutrients/ui/food_search_dialog.h"
#include "nutrients/ui/new_filter_dialog.h"
#include "recipedb/servings.h"
#include "recipedb/ui/reorg_dialog.h"
#include "recipes/ui/alert_dialog.h"
#include "recipes/ui/duplicate_search_dialog.h"
#include "recipes/ui/ingredient_chooser_dialog.h"
#include "recipes/ui/ingredient_picker_dialog.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/portions_dialog.h"
#include "recipes/ui/power_search_dialog.h"
#include "recipes/ui/servings_dialog.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;

struct DialogButton {
  const char* dialog;                 // for the failure message
  std::function<QDialog*()> window;   // the dialog's global
  const char* button;                 // object name
  const char* helpPage;               // the page it opens, or null: the button closes the dialog
};

const std::vector<DialogButton>& Buttons() {
  static const std::vector<DialogButton> rows = {
      {"auto import", [] { return AutoImpDlg; }, "HelpBtn", "Dlg_AImport.htm"},
      {"auto import", [] { return AutoImpDlg; }, "IDCancelBtn", nullptr},
      {"export", [] { return ExportDlg; }, "HelpBtn", "Dlg_Export.htm"},
      {"export", [] { return ExportDlg; }, "CancelBtn", nullptr},
      {"import", [] { return ImportDlg; }, "HelpBtn", "Dlg_Import.htm"},
      {"import", [] { return ImportDlg; }, "CancelBtn", nullptr},
      {"print start", [] { return PrintStartDlg; }, "HelpBtn", "Dlg_Print.htm"},
      {"print start", [] { return PrintStartDlg; }, "CancelBtn", nullptr},
      {"recipe list export", [] { return ExpRezListDlg; }, "CancelBtn", nullptr},
      {"seasonal calendar", [] { return SaisonDlg; }, "HelpBtn", "Dlg_Saison.htm"},
      {"seasonal calendar", [] { return SaisonDlg; }, "CloseBtn", nullptr},
      {"backup", [] { return BackupDlg; }, "HelpBtn", "Dlg_Backup.htm"},
      {"backup", [] { return BackupDlg; }, "CancelBtn", nullptr},
      {"nutrient export", [] { return QuenoraDlg; }, "CloseBtn", nullptr},
      {"survey", [] { return UmfrageDlg; }, "CancelBtn", nullptr},
      {"filter groups", [] { return BLSFilterDlg; }, "HelpBtn", "Dlg_BLSFilter.htm"},
      {"filter groups", [] { return BLSFilterDlg; }, "CloseBtn", nullptr},
      {"food chooser", [] { return BLSChooseDlg; }, "HelpBtn", "Dlg_BLSChoose.htm"},
      {"food chooser", [] { return BLSChooseDlg; }, "CancelBtn", nullptr},
      {"food search", [] { return BLSSearchDlg; }, "HelpBtn", "Dlg_BLSSearch.htm"},
      {"food search", [] { return BLSSearchDlg; }, "CancelBtn", nullptr},
      {"new filter", [] { return NewFilterDlg; }, "CancelBtn", nullptr},
      {"reorganisation", [] { return ReorgDlg; }, "HelpBtn", "Dlg_Reorg.htm"},
      {"reorganisation", [] { return ReorgDlg; }, "CancelBtn", nullptr},
      {"duplicates", [] { return DupesDlg; }, "HelpBtn", "Dlg_Dupes.htm"},
      {"duplicates", [] { return DupesDlg; }, "CloseBtn", nullptr},
      {"ingredient chooser", [] { return ChooseZutatDlg; }, "HelpBtn", "Dlg_InpZutat.htm"},
      {"ingredient chooser", [] { return ChooseZutatDlg; }, "CancelBtn", nullptr},
      {"ingredient picker", [] { return GetZutatDlg; }, "CancelBtn", nullptr},
      {"key figures", [] { return KenndatenDlg; }, "HelpBtn", "Dlg_Kenndaten.htm"},
      {"key figures", [] { return KenndatenDlg; }, "CloseBtn", nullptr},
      {"portions", [] { return PortionsDlg; }, "HelpBtn", "Dlg_Portions.htm"},
      {"portions", [] { return PortionsDlg; }, "CancelBtn", nullptr},
      {"power search", [] { return PSearchDlg; }, "HelpBtn", "Dlg_PSearch.htm"},
      {"power search", [] { return PSearchDlg; }, "CancelBtn", nullptr},
      {"servings", [] { return PersAnzDlg; }, "CancelBtn", nullptr},
      {"alert", [] { return AlertDlg; }, "CloseBtn", nullptr},
  };
  return rows;
}

class DialogButtons : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    MakeBook({Dish("Linsensuppe", 4, {Line("250", "g", "Linsen")}, "Kochen.")});
    Start();
  }
  // Shown as its command shows it, the tip it brings up at its first activation closed.
  static void Show(QDialog* dialog) {
    dialog->show();
    QApplication::processEvents();
    if (AssistDlg && AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);
  }
};

TEST_F(DialogButtons, HelpOpensThePageAndCancelOrCloseTakesTheDialogAway) {
  for (const DialogButton& row : Buttons()) {
    SCOPED_TRACE(std::string(row.dialog) + " " + row.button);
    QDialog* dialog = row.window();
    ASSERT_NE(dialog, nullptr);
    if (!dialog->isVisible()) Show(dialog);
    auto* button = dialog->findChild<QAbstractButton*>(row.button);
    ASSERT_NE(button, nullptr);
    env.shell.opened.clear();
    EXPECT_TRUE(test::Click(button));
    QApplication::processEvents();
    if (row.helpPage) {
      ASSERT_EQ(env.shell.opened.size(), 1u);
      const std::string& page = env.shell.opened.front();
      EXPECT_EQ(page.substr(page.size() - std::string(row.helpPage).size()), row.helpPage);
      EXPECT_TRUE(dialog->isVisible());
    } else {
      EXPECT_TRUE(env.shell.opened.empty());
      EXPECT_FALSE(dialog->isVisible());
    }
    QApplication::processEvents();
  }
}

// The portion units edited with the dialog's buttons: a name typed into a new row, a row moved
// down and back up, one deleted; OK stores the list as the next load reads it.
TEST_F(DialogButtons, PortionUnitsAreAddedMovedDeletedAndStoredByOK) {
  TPortionsDlg* dlg = PortionsDlg;
  Show(dlg);
  QTableWidget* grid = dlg->PortionsGrd;
  const std::vector<std::string> before = dlg->GridRows();
  ASSERT_GE(before.size(), 3u);
  const auto cell = [grid](int row) { return fromQ(grid->item(row, 0)->text()); };

  ASSERT_TRUE(test::Click(dlg->NewBtn));
  ASSERT_EQ(grid->rowCount(), static_cast<int>(before.size()) + 1);
  test::TypeKeys("Teller");
  ASSERT_TRUE(test::ClickCell(grid, 0));  // ends the edit
  EXPECT_EQ(cell(grid->rowCount() - 1), "Teller");

  ASSERT_TRUE(test::Click(dlg->DownBtn));
  EXPECT_EQ(cell(0), before[1]);
  EXPECT_EQ(cell(1), before[0]);
  ASSERT_TRUE(test::Click(dlg->UpBtn));
  EXPECT_EQ(cell(0), before[0]);
  EXPECT_EQ(cell(1), before[1]);

  ASSERT_TRUE(test::ClickCell(grid, 2));
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  std::vector<std::string> expected = before;
  expected.erase(expected.begin() + 2);
  expected.push_back("Teller");
  EXPECT_EQ(dlg->GridRows(), expected);

  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_FALSE(dlg->isVisible());
  PortionUnits stored;
  stored.LoadPortionUnits();
  EXPECT_EQ(stored.names, expected);
}

// The print view's servings button opens the servings dialog: a number typed and OK show the
// recipe for it; the original button goes back to the recipe's own servings.
TEST_F(DialogButtons, TheServingsAreChosenFromThePrintView) {
  ShowRecipe("Linsensuppe");
  ASSERT_TRUE(test::ClickMenuItem(MainFrm->MainMenu, MainFrm->Action("ViewPrint")));
  QApplication::processEvents();
  ASSERT_TRUE(PrintRezDlg->isVisible());

  EXPECT_TRUE(WhileModal(
      [] {
        ASSERT_TRUE(test::TypeInto(PersAnzDlg->NewAnzEdt, "2"));
        ASSERT_TRUE(test::Click(PersAnzDlg->OKBtn));
      },
      [] { ASSERT_TRUE(test::Click(PrintRezDlg->pAnzBtn)); }));
  EXPECT_FALSE(PersAnzDlg->isVisible());
  EXPECT_EQ(GetChosenServings(), 2);

  EXPECT_TRUE(WhileModal([] { ASSERT_TRUE(test::Click(PersAnzDlg->OrgAnzBtn)); },
                         [] { ASSERT_TRUE(test::Click(PrintRezDlg->pAnzBtn)); }));
  EXPECT_FALSE(PersAnzDlg->isVisible());
  EXPECT_EQ(GetChosenServings(), 4);
}

}  // namespace
}  // namespace tav
