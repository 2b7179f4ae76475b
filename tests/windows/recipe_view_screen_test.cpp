// The whole program offscreen with a recipe in the standard view: the panes dock into each other
// in their creation order, and the main window is grabbed as a user sees it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTableWidget>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "recipedb/book_test_util.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/info_pane_window.h"
#include "recipes/ui/ingredient_pane_window.h"
#include "recipes/ui/standard_view_window.h"
#include "recipes/view_env.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/context_list_box.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

class RecipeOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramFolder(program.Path());
    SetDecimalSep(',');
    const std::string shipped = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/";
    for (const char* file : {"GUI.klf", "Assist.dat", "Kenndaten.dat", "einheit.dat",
                             "Gattung.dat", "zutaten.dat", "Fields.bls"})
      WriteAll(env.DataFolder() + "DE/" + file, ReadAll(shipped + "DE/" + file));
    WriteAll(env.DataFolder() + "FiltGrps.bls", ReadAll(shipped + "FiltGrps.bls"));
    WriteAll(env.Root() + "Pics/kuchen.jpg", ReadAll(test::Fixture("jpeg_red_green_blue.jpg")));
    env.messages.defaultAnswer = IDOK;
  }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(saved);
    SetDecimalSep('.');
  }
  // Stores a recipe in the current book as the editor does.
  void Store(REZBLOCK r) {
    TdbList& store = *ctx().dbList;
    r.number = store.NextRecipeNumber(ctx().options->Str(6));
    int32_t offset = 0, length = 0;
    ASSERT_TRUE(store.WriteRezBlock("", r, offset, length));
    REZINDEX e = test::BookEnv::EntryFor(r, offset, length);
    ASSERT_TRUE(store.WriteIndexEntry(e, -1));
  }

  test::TestEnv env;
  test::TempDir program;
  std::string saved = ProgramFolder();
};

TEST_F(RecipeOnScreen, TheCakeInTheStandardView) {
  StartProgram();
  QApplication::processEvents();
  ASSERT_NE(ctx().dbList, nullptr);
  // Each pane sits in the one created before it.
  EXPECT_TRUE(showRezDlg->DataParPanel->isAncestorOf(DataRezDlg));
  EXPECT_TRUE(DataRezDlg->ZutatPanel->isAncestorOf(ZutatRezDlg));
  EXPECT_TRUE(DataRezDlg->InfoDatPanel->isAncestorOf(InfoRezDlg));

  ctx().options->SetParaString(10, "Anna");
  Store(test::PlainRecipe("Brot"));
  REZBLOCK cake = test::AppleCake();
  cake.categories[1] = 20;
  cake.quality = '4';
  cake.difficulty = '2';
  cake.nutrients.push_back(test::Nutrient("ZE", "30"));
  cake.nutrients.push_back(test::Nutrient("ZK", "310,5"));
  Store(cake);
  ctx().dbList->ReloadBookIndex();

  MainFrm->resize(1180, 760);
  MainFrm->ShowStandardView(showRezDlg, true);
  SetChosenServings(4);
  DataRezDlg->ShowRecipe(1, true);
  QApplication::processEvents();
  EXPECT_EQ(fromQ(DataRezDlg->RezTitle->text()), " Apfelkuchen");
  EXPECT_EQ(fromQ(ZutatRezDlg->ZutatLiBo->item(2)->text()), "1,33 Ds \xC4pfel");
  EXPECT_TRUE(InfoRezDlg->RezImg->isVisible());
  // The shipped screen figures name the nutrients through the program's nutrient table.
  bool protein = false;
  for (int r = 0; r < InfoRezDlg->InfoGrd->rowCount(); ++r)
    if (QTableWidgetItem* label = InfoRezDlg->InfoGrd->item(r, 0))
      protein |= fromQ(label->text()) == "Eiwei\xDF";
  EXPECT_TRUE(protein);

  test::Shot(MainFrm, "main_window_recipe");
}

}  // namespace
}  // namespace tav
